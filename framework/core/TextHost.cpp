// Host-build stand-ins for the Windows text services (tools and fuzzers built natively): code
// page 932 through the C library's iconv, byte-order comparisons, no command line.
#include <iconv.h>

#include <algorithm>
#include <cerrno>

#include "framework/core/Exception.h"
#include "framework/core/ScopeGuard.h"
#include "framework/core/Text.h"

namespace {

// Converts `size` bytes of `in`; a sequence `from` cannot take, or `to` has no form of, becomes
// `replacement` (as Windows' conversions do) and the conversion goes on after one input unit.
template <class Out>
Out Convert(const char* to, const char* from, const char* in, std::size_t size, std::size_t unit,
            const Out& replacement) {
  iconv_t converter = iconv_open(to, from);
  if (converter == reinterpret_cast<iconv_t>(-1))
    throw EConvertError(String("No conversion from ") + from + " to " + to);
  const TScopeGuard close([converter] { iconv_close(converter); });
  Out result;
  char* input = const_cast<char*>(in);
  std::size_t inputLeft = size;
  typename Out::value_type buffer[256];
  while (inputLeft > 0) {
    char* output = reinterpret_cast<char*>(buffer);
    std::size_t outputLeft = sizeof buffer;
    const std::size_t done = iconv(converter, &input, &inputLeft, &output, &outputLeft);
    result.append(buffer, (sizeof buffer - outputLeft) / sizeof buffer[0]);
    if (done != static_cast<std::size_t>(-1) || errno == E2BIG) continue;
    result += replacement;  // EILSEQ, or EINVAL for a sequence cut at the end
    const std::size_t skip = std::min(unit, inputLeft);
    input += skip;
    inputLeft -= skip;
  }
  return result;
}

}  // namespace

WideString CP932ToWide(const String& text) {
  return Convert<WideString>("WCHAR_T", "CP932", text.data(), text.size(), 1, WideString(1, L'\x30FB'));
}

String WideToCP932(const WideString& text) {
  return Convert<String>("CP932", "WCHAR_T", reinterpret_cast<const char*>(text.data()),
                         text.size() * sizeof(wchar_t), sizeof(wchar_t), String("?"));
}

int AnsiCompareText(const String& a, const String& b) { return CompareText(a, b); }
int AnsiCompareStr(const String& a, const String& b) { return CompareStr(a, b); }
String ParamStr(int) { return {}; }
