// Text services that need no operating system: numbers, Format, ASCII case, file-name parts and
// UTF-8 <-> UTF-16.
#include "framework/core/Text.h"

#include <algorithm>
#include <cerrno>
#include <charconv>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <limits>

#include "framework/core/Exception.h"

namespace {

bool IsBlank(char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n'; }

// Parses the whole text as an integer (decimal, "$hex" or "0xhex", optional sign and leading
// blanks); false for anything else or an overflow of 64 bits.
bool ParseInteger(const String& text, std::int64_t& value) {
  std::size_t i = 0;
  while (i < text.size() && IsBlank(text[i])) ++i;
  bool negative = false;
  if (i < text.size() && (text[i] == '+' || text[i] == '-')) negative = text[i++] == '-';
  int base = 10;
  if (i < text.size() && text[i] == '$') {
    base = 16;
    ++i;
  } else if (i + 1 < text.size() && text[i] == '0' && (text[i + 1] == 'x' || text[i + 1] == 'X')) {
    base = 16;
    i += 2;
  }
  if (i >= text.size()) return false;
  std::uint64_t magnitude = 0;
  const char* first = text.data() + i;
  const char* last = text.data() + text.size();
  auto [end, error] = std::from_chars(first, last, magnitude, base);
  if (error != std::errc() || end != last) return false;
  const std::uint64_t limit = negative ? std::uint64_t{1} << 63 : (std::uint64_t{1} << 63) - 1;
  if (magnitude > limit) {
    // Hexadecimal text may spell a negative number in two's complement ($FFFFFFFF).
    if (base != 16 || negative) return false;
    value = static_cast<std::int64_t>(magnitude);
    return true;
  }
  value = negative ? static_cast<std::int64_t>(0 - magnitude) : static_cast<std::int64_t>(magnitude);
  return true;
}

bool ParseInt32(const String& text, int& value) {
  std::int64_t wide;
  if (!ParseInteger(text, wide)) return false;
  const bool hex = text.find_first_of("$xX") != String::npos;
  if (hex && wide >= 0 && wide <= 0xFFFFFFFFLL) wide = static_cast<std::int32_t>(static_cast<std::uint32_t>(wide));
  if (wide < std::numeric_limits<int>::min() || wide > std::numeric_limits<int>::max()) return false;
  value = static_cast<int>(wide);
  return true;
}

char AsciiUpper(char c) { return (c >= 'a' && c <= 'z') ? static_cast<char>(c - 'a' + 'A') : c; }
char AsciiLower(char c) { return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c; }

// Applies `fold` to single-byte characters only.
template <class Fold>
String FoldCase(const String& text, Fold fold) {
  String result = text;
  for (std::size_t i = 0; i < result.size(); ++i) {
    if (IsLeadByte(static_cast<unsigned char>(result[i]))) ++i;
    else result[i] = fold(result[i]);
  }
  return result;
}

bool IsPathDelimiter(char c) { return c == '\\' || c == '/' || c == ':'; }

// Index of the last character of `text` satisfying `match`, stepping over CP932 pairs; npos if none.
template <class Match>
std::size_t LastSingleByte(const String& text, Match match) {
  std::size_t found = String::npos;
  for (std::size_t i = 0; i < text.size(); ++i) {
    if (IsLeadByte(static_cast<unsigned char>(text[i]))) ++i;
    else if (match(text[i])) found = i;
  }
  return found;
}

std::size_t ExtensionStart(const String& fileName) {
  const std::size_t dot = LastSingleByte(fileName, [](char c) { return c == '.' || IsPathDelimiter(c); });
  return dot != String::npos && fileName[dot] == '.' ? dot : String::npos;
}

}  // namespace

// ---- Numbers ----

String IntToStr(std::int64_t value) { return std::to_string(value); }

bool TryStrToInt(const String& text, int& value) { return ParseInt32(text, value); }

int StrToInt(const String& text) {
  int value;
  if (!ParseInt32(text, value)) throw EConvertError(Format(messages::InvalidInteger, text));
  return value;
}

std::int64_t StrToInt64(const String& text) {
  std::int64_t value;
  if (!ParseInteger(text, value)) throw EConvertError(Format(messages::InvalidInteger, text));
  return value;
}

int StrToIntDef(const String& text, int fallback) {
  int value;
  return ParseInt32(text, value) ? value : fallback;
}

String FloatToStr(long double value) {
  if (std::isnan(value)) return "NAN";
  if (std::isinf(value)) return value < 0 ? "-INF" : "INF";
  char buffer[64];
  auto [end, error] = std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::general, 15);
  if (error != std::errc()) return "0";
  String text(buffer, end);
  // "1.5e+20" -> "1.5E20", "2.5e-05" -> "2.5E-5"
  const std::size_t e = text.find('e');
  if (e == String::npos) return text;
  String mantissa = text.substr(0, e);
  String exponent = text.substr(e + 1);
  bool negative = !exponent.empty() && exponent[0] == '-';
  if (!exponent.empty() && (exponent[0] == '+' || exponent[0] == '-')) exponent.erase(0, 1);
  exponent.erase(0, std::min(exponent.find_first_not_of('0'), exponent.size() - 1));
  return mantissa + "E" + (negative ? "-" : "") + exponent;
}

bool TryStrToFloat(const String& text, long double& value) {
  std::size_t begin = 0, end = text.size();
  while (begin < end && IsBlank(text[begin])) ++begin;
  while (end > begin && IsBlank(text[end - 1])) --end;
  if (begin == end) return false;
  // Digits, one point, an exponent: nothing else (no hexadecimal, no "inf", no thousands).
  std::size_t i = begin;
  if (text[i] == '+' || text[i] == '-') ++i;
  bool digits = false;
  while (i < end && text[i] >= '0' && text[i] <= '9') { ++i; digits = true; }
  if (i < end && text[i] == '.') {
    ++i;
    while (i < end && text[i] >= '0' && text[i] <= '9') { ++i; digits = true; }
  }
  if (!digits) return false;
  if (i < end && (text[i] == 'e' || text[i] == 'E')) {
    ++i;
    if (i < end && (text[i] == '+' || text[i] == '-')) ++i;
    bool expDigits = false;
    while (i < end && text[i] >= '0' && text[i] <= '9') { ++i; expDigits = true; }
    if (!expDigits) return false;
  }
  if (i != end) return false;
  const String number = text.substr(begin, end - begin);
  errno = 0;
  char* stop = nullptr;
  const long double parsed = std::strtold(number.c_str(), &stop);
  if (stop != number.c_str() + number.size() || (errno == ERANGE && std::isinf(parsed))) return false;
  value = parsed;
  return true;
}

long double StrToFloat(const String& text) {
  long double value;
  if (!TryStrToFloat(text, value)) throw EConvertError(Format(messages::InvalidFloat, text));
  return value;
}

// ---- Format ----

String FormatArgs(const char* format, const TFormatArg* args, std::size_t count) {
  String result;
  std::size_t next = 0;
  auto fail = [&]() -> void { throw EConvertError(String("Format '") + format + "' invalid or incompatible with argument"); };
  auto take = [&]() -> const TFormatArg& {
    if (next >= count) fail();
    return args[next++];
  };
  for (const char* p = format; *p;) {
    if (*p != '%') {
      result += *p++;
      continue;
    }
    ++p;
    if (*p == '%') {
      result += '%';
      ++p;
      continue;
    }
    String directive(1, '%');
    while (*p && String("-+ #0").find(*p) != String::npos) directive += *p++;
    auto number = [&]() {
      if (*p == '*') {
        const TFormatArg& a = take();
        if (a.kind != TFormatArg::Kind::Signed && a.kind != TFormatArg::Kind::Unsigned) fail();
        directive += std::to_string(a.kind == TFormatArg::Kind::Signed ? a.i : static_cast<std::int64_t>(a.u));
        ++p;
      } else {
        while (*p >= '0' && *p <= '9') directive += *p++;
      }
    };
    number();
    if (*p == '.') {
      directive += *p++;
      number();
    }
    while (*p == 'l' || *p == 'h' || *p == 'L' || *p == 'z' || *p == 'j' || *p == 't') ++p;  // sizes come from the argument
    const char conversion = *p;
    if (!conversion) fail();
    ++p;
    const TFormatArg& a = take();
    char buffer[512];
    int length = -1;
    switch (conversion) {
      case 'd':
      case 'i':
      case 'u':
      case 'x':
      case 'X':
      case 'c': {
        const bool isSigned = a.kind == TFormatArg::Kind::Signed;
        if (!isSigned && a.kind != TFormatArg::Kind::Unsigned) fail();
        if (conversion == 'c') {
          directive += 'c';
          length = std::snprintf(buffer, sizeof buffer, directive.c_str(), static_cast<int>(isSigned ? a.i : static_cast<std::int64_t>(a.u)));
        } else {
          directive += "ll";
          directive += conversion;
          length = isSigned ? std::snprintf(buffer, sizeof buffer, directive.c_str(), static_cast<long long>(a.i))
                            : std::snprintf(buffer, sizeof buffer, directive.c_str(), static_cast<unsigned long long>(a.u));
        }
        break;
      }
      case 'f':
      case 'e':
      case 'E':
      case 'g':
      case 'G':
        if (a.kind != TFormatArg::Kind::Float) fail();
        directive += conversion;
        length = std::snprintf(buffer, sizeof buffer, directive.c_str(), static_cast<double>(a.f));
        break;
      case 's': {
        if (a.kind != TFormatArg::Kind::Text) fail();
        directive += 's';
        const int needed = std::snprintf(nullptr, 0, directive.c_str(), a.s);
        if (needed < 0) fail();
        String piece(static_cast<std::size_t>(needed) + 1, '\0');
        std::snprintf(piece.data(), piece.size(), directive.c_str(), a.s);
        piece.resize(static_cast<std::size_t>(needed));
        result += piece;
        continue;
      }
      case 'p':
        if (a.kind != TFormatArg::Kind::Pointer) fail();
        length = std::snprintf(buffer, sizeof buffer, "%p", a.p);
        break;
      default:
        fail();
    }
    if (length < 0 || static_cast<std::size_t>(length) >= sizeof buffer) fail();
    result.append(buffer, static_cast<std::size_t>(length));
  }
  return result;
}

// ---- Case and comparison ----

String UpperCase(const String& text) { return FoldCase(text, AsciiUpper); }
String LowerCase(const String& text) { return FoldCase(text, AsciiLower); }

int CompareText(const String& a, const String& b) {
  const std::size_t n = std::min(a.size(), b.size());
  bool trail = false;
  for (std::size_t i = 0; i < n; ++i) {
    unsigned char ca = static_cast<unsigned char>(a[i]);
    unsigned char cb = static_cast<unsigned char>(b[i]);
    if (!trail) {
      ca = static_cast<unsigned char>(AsciiUpper(static_cast<char>(ca)));
      cb = static_cast<unsigned char>(AsciiUpper(static_cast<char>(cb)));
    }
    if (ca != cb) return ca < cb ? -1 : 1;
    trail = !trail && IsLeadByte(ca);
  }
  if (a.size() == b.size()) return 0;
  return a.size() < b.size() ? -1 : 1;
}

bool SameText(const String& a, const String& b) { return a.size() == b.size() && CompareText(a, b) == 0; }

int CompareStr(const String& a, const String& b) {
  const int c = a.compare(b);
  return c < 0 ? -1 : (c > 0 ? 1 : 0);
}

bool AnsiSameText(const String& a, const String& b) { return AnsiCompareText(a, b) == 0; }

String Trim(const String& text) {
  std::size_t begin = 0, end = text.size();
  while (begin < end && static_cast<unsigned char>(text[begin]) <= ' ') ++begin;
  while (end > begin && static_cast<unsigned char>(text[end - 1]) <= ' ') --end;
  return text.substr(begin, end - begin);
}

// ---- File names ----

String ExtractFilePath(const String& fileName) {
  const std::size_t i = LastSingleByte(fileName, IsPathDelimiter);
  return i == String::npos ? String() : fileName.substr(0, i + 1);
}

String ExtractFileName(const String& fileName) {
  const std::size_t i = LastSingleByte(fileName, IsPathDelimiter);
  return i == String::npos ? fileName : fileName.substr(i + 1);
}

String ExtractFileExt(const String& fileName) {
  const std::size_t i = ExtensionStart(fileName);
  return i == String::npos ? String() : fileName.substr(i);
}

String ChangeFileExt(const String& fileName, const String& extension) {
  const std::size_t i = ExtensionStart(fileName);
  return (i == String::npos ? fileName : fileName.substr(0, i)) + extension;
}

String IncludeTrailingPathDelimiter(const String& path) {
  const std::size_t i = LastSingleByte(path, [](char) { return true; });
  if (i != String::npos && path[i] == '\\' && i + 1 == path.size()) return path;
  return path + "\\";
}

// ---- UTF-8 <-> UTF-16 ----

std::string WideToUtf8(const WideString& text) {
  std::string out;
  out.reserve(text.size());
  for (std::size_t i = 0; i < text.size(); ++i) {
    std::uint32_t c = static_cast<std::uint16_t>(text[i]);
    if (c >= 0xD800 && c <= 0xDBFF && i + 1 < text.size()) {
      const std::uint32_t low = static_cast<std::uint16_t>(text[i + 1]);
      if (low >= 0xDC00 && low <= 0xDFFF) {
        c = 0x10000 + ((c - 0xD800) << 10) + (low - 0xDC00);
        ++i;
      }
    }
    if (c >= 0xD800 && c <= 0xDFFF) c = 0xFFFD;  // unpaired surrogate
    if (c < 0x80) {
      out += static_cast<char>(c);
    } else if (c < 0x800) {
      out += static_cast<char>(0xC0 | (c >> 6));
      out += static_cast<char>(0x80 | (c & 0x3F));
    } else if (c < 0x10000) {
      out += static_cast<char>(0xE0 | (c >> 12));
      out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
      out += static_cast<char>(0x80 | (c & 0x3F));
    } else {
      out += static_cast<char>(0xF0 | (c >> 18));
      out += static_cast<char>(0x80 | ((c >> 12) & 0x3F));
      out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
      out += static_cast<char>(0x80 | (c & 0x3F));
    }
  }
  return out;
}

WideString Utf8ToWide(const std::string& text) {
  WideString out;
  out.reserve(text.size());
  const auto* s = reinterpret_cast<const unsigned char*>(text.data());
  const std::size_t n = text.size();
  for (std::size_t i = 0; i < n;) {
    const unsigned char b = s[i];
    std::uint32_t c;
    int extra;
    std::uint32_t minimum;
    if (b < 0x80) { c = b; extra = 0; minimum = 0; }
    else if ((b & 0xE0) == 0xC0) { c = b & 0x1F; extra = 1; minimum = 0x80; }
    else if ((b & 0xF0) == 0xE0) { c = b & 0x0F; extra = 2; minimum = 0x800; }
    else if ((b & 0xF8) == 0xF0) { c = b & 0x07; extra = 3; minimum = 0x10000; }
    else { out += static_cast<wchar_t>(0xFFFD); ++i; continue; }
    std::size_t j = i + 1;
    bool valid = true;
    for (int k = 0; k < extra; ++k, ++j) {
      if (j >= n || (s[j] & 0xC0) != 0x80) { valid = false; break; }
      c = (c << 6) | (s[j] & 0x3F);
    }
    if (!valid || c < minimum || c > 0x10FFFF || (c >= 0xD800 && c <= 0xDFFF)) {
      out += static_cast<wchar_t>(0xFFFD);
      i = valid ? j : std::max(j, i + 1);
      continue;
    }
    if (c >= 0x10000) {
      c -= 0x10000;
      out += static_cast<wchar_t>(0xD800 + (c >> 10));
      out += static_cast<wchar_t>(0xDC00 + (c & 0x3FF));
    } else {
      out += static_cast<wchar_t>(c);
    }
    i = j;
  }
  return out;
}

std::string CP932ToUtf8(const String& text) { return WideToUtf8(CP932ToWide(text)); }
String Utf8ToCP932(const std::string& text) { return WideToCP932(Utf8ToWide(text)); }
