/// @file
/// Text services: String (CP932 bytes), number conversion, Format, comparisons, file-name parts and
/// conversion between CP932, UTF-16 and UTF-8.
#pragma once

#include <cstdint>
#include <string>
#include <type_traits>

/// The system's 8-bit text: bytes in code page 932 (Shift-JIS).
using String = std::string;
/// Wide text: UTF-16 code units (wchar_t is 16 bits on the target).
using WideString = std::wstring;

// ---- CP932 structure ----
/// True for the first byte of a two-byte CP932 character; the byte after it is never a separator,
/// a dot or a letter of its own.
constexpr bool IsLeadByte(unsigned char c) { return (c >= 0x81 && c <= 0x9F) || (c >= 0xE0 && c <= 0xFC); }

// ---- Numbers ----
String IntToStr(std::int64_t value);  ///< decimal, "-" for negative values
/// Decimal, or hexadecimal after "$" or "0x"; optional sign and leading blanks. Raises EConvertError
/// "'12x' is not a valid integer value" for anything else or a value outside 32 bits. Hexadecimal
/// text up to 32 bits may spell a negative number in two's complement ("$FFFFFFFF" is -1).
int StrToInt(const String& text);
/// The same over 64 bits (hexadecimal up to 64 bits in two's complement).
std::int64_t StrToInt64(const String& text);
/// StrToInt that answers `fallback` instead of raising.
int StrToIntDef(const String& text, int fallback);
/// StrToInt that answers false, with `value` left alone, instead of raising.
bool TryStrToInt(const String& text, int& value);
/// Shortest general form with 15 significant digits: "1.5", "0.1", "1E20", "-2.5E-5".
String FloatToStr(long double value);
/// Digits with an optional sign, one decimal point ('.') and exponent, blanks around; nothing else
/// (no hexadecimal, "INF" or thousands separators). Raises EConvertError "'x' is not a valid
/// floating point value".
long double StrToFloat(const String& text);
/// StrToFloat that answers false, with `value` left alone, instead of raising.
bool TryStrToFloat(const String& text, long double& value);

// ---- Format ----
/// printf-style formatting over typed arguments (no C varargs): %d %i %u %x %X %s %f %e %g %c %p %%,
/// with flags, width and precision ("*" takes an int argument). Integers of any width and String
/// are accepted; a directive that does not fit its argument, or a missing argument, raises
/// EConvertError ("Format '%s' invalid or incompatible with argument").
/// TFormatArg is one argument of Format, made implicitly from the value; a text argument is kept
/// by pointer, so the argument must outlive the call (as Format's do).
class TFormatArg {
 public:
  /// Which member holds the value.
  enum class Kind { Signed, Unsigned, Float, Text, Pointer };
  /// From an integer (any width), an enumeration (its underlying value), a floating-point
  /// number, a null-terminated text (null prints as empty), a String or a pointer.
  ///@{
  template <class T>
    requires std::is_integral_v<T>
  TFormatArg(T v) {
    if constexpr (std::is_signed_v<T>) { kind = Kind::Signed; i = v; }
    else { kind = Kind::Unsigned; u = v; }
  }
  template <class T>
    requires std::is_enum_v<T>
  TFormatArg(T v) : TFormatArg(static_cast<std::underlying_type_t<T>>(v)) {}
  TFormatArg(double v) : kind(Kind::Float), f(v) {}
  TFormatArg(long double v) : kind(Kind::Float), f(v) {}
  TFormatArg(const char* v) : kind(Kind::Text), s(v ? v : "") {}
  TFormatArg(const String& v) : kind(Kind::Text), s(v.c_str()) {}
  TFormatArg(const void* v) : kind(Kind::Pointer), p(v) {}
  ///@}

  Kind kind;                  ///< which of the members below holds the value
  std::int64_t i = 0;         ///< Signed
  std::uint64_t u = 0;        ///< Unsigned
  long double f = 0;          ///< Float
  const char* s = nullptr;    ///< Text, null-terminated; not owned
  const void* p = nullptr;    ///< Pointer
};

/// Format over an array of `count` arguments (see TFormatArg for the directives and errors).
String FormatArgs(const char* format, const TFormatArg* args, std::size_t count);

/// Formats `args` by the printf-style `format` (see TFormatArg): Format("%s: %d", name, count).
template <class... Args>
String Format(const String& format, const Args&... args) {
  if constexpr (sizeof...(Args) == 0) {
    return FormatArgs(format.c_str(), nullptr, 0);
  } else {
    const TFormatArg list[] = {TFormatArg(args)...};
    return FormatArgs(format.c_str(), list, sizeof...(Args));
  }
}

// ---- Case and comparison ----
/// ASCII letters only; the trail bytes of CP932 characters are left alone (0x8341 and 0x8361 are
/// different characters even though their second bytes differ only in letter case).
///@{
String UpperCase(const String& text);
String LowerCase(const String& text);
///@}
int CompareText(const String& a, const String& b);  ///< <0, 0, >0; ASCII letters folded
bool SameText(const String& a, const String& b);  ///< equal but for the case of ASCII letters
int CompareStr(const String& a, const String& b);   ///< byte order, case matters
/// The user's locale: letter case ignored as Windows' CompareString with NORM_IGNORECASE does it,
/// over the text converted from CP932 (never through the machine's ANSI code page).
int AnsiCompareText(const String& a, const String& b);
bool AnsiSameText(const String& a, const String& b);  ///< AnsiCompareText answers 0
/// The user's locale with letter case significant (CompareString without flags); <0, 0, >0.
int AnsiCompareStr(const String& a, const String& b);

String Trim(const String& text);  ///< blanks and control characters at both ends

// ---- File names (CP932-aware: a 0x5C trail byte is no separator) ----
String ExtractFilePath(const String& fileName);  ///< up to and including the last '\', '/' or ':'
String ExtractFileName(const String& fileName);  ///< after the last separator
String ExtractFileExt(const String& fileName);   ///< from the last '.' of the name part, e.g. ".jpg"
/// `fileName` with its extension (see ExtractFileExt) replaced by `extension` (with its dot, or
/// empty to remove it); appended when there is none.
String ChangeFileExt(const String& fileName, const String& extension);
/// `path` ending in one '\' (added unless the path already ends in one).
String IncludeTrailingPathDelimiter(const String& path);

// ---- Conversion ----
/// CP932 <-> UTF-16 go through the platform (code page 932 explicitly); characters that CP932 cannot
/// hold become '?'. UTF-8 <-> UTF-16 are done here; malformed UTF-8 becomes U+FFFD, and so does an
/// unpaired surrogate of UTF-16. CP932 <-> UTF-8 go through UTF-16.
///@{
WideString CP932ToWide(const String& text);
String WideToCP932(const WideString& text);
std::string WideToUtf8(const WideString& text);
WideString Utf8ToWide(const std::string& text);
std::string CP932ToUtf8(const String& text);
String Utf8ToCP932(const std::string& text);
///@}

// ---- Process ----
/// Index 0: the program's own path; 1.. the command-line arguments; empty beyond them.
String ParamStr(int index);
