// Host-build stand-ins for the Windows text services (tools and fuzzers built natively): CP932
// limited to its single-byte part, byte-order comparisons, no command line.
#include "framework/core/Exception.h"
#include "framework/core/Text.h"

WideString CP932ToWide(const String& text) {
  WideString result;
  for (unsigned char c : text) {
    if (c < 0x80) result += static_cast<wchar_t>(c);
    else if (c >= 0xA1 && c <= 0xDF) result += static_cast<wchar_t>(0xFF61 + (c - 0xA1));  // half-width kana
    else throw EConvertError("Double-byte CP932 text needs the Windows build");
  }
  return result;
}

String WideToCP932(const WideString& text) {
  String result;
  for (wchar_t w : text) {
    const auto c = static_cast<std::uint32_t>(w);
    if (c < 0x80) result += static_cast<char>(c);
    else if (c >= 0xFF61 && c <= 0xFF9F) result += static_cast<char>(0xA1 + (c - 0xFF61));
    else result += '?';
  }
  return result;
}

int AnsiCompareText(const String& a, const String& b) { return CompareText(a, b); }
int AnsiCompareStr(const String& a, const String& b) { return CompareStr(a, b); }
String ParamStr(int) { return {}; }
