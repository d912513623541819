// Text services that ask Windows: code page 932 conversion, the locale's comparison, the command line.
#include <windows.h>
#include <shellapi.h>

#include "framework/core/Text.h"

namespace {

constexpr UINT kCodePage = 932;

int CompareInLocale(const String& a, const String& b, DWORD flags) {
  const WideString wa = CP932ToWide(a);
  const WideString wb = CP932ToWide(b);
  const int result = CompareStringW(LOCALE_USER_DEFAULT, flags, wa.c_str(), static_cast<int>(wa.size()), wb.c_str(),
                                    static_cast<int>(wb.size()));
  if (result == 0) return (flags & NORM_IGNORECASE) ? CompareText(a, b) : CompareStr(a, b);  // the call failed
  return result - CSTR_EQUAL;
}

}  // namespace

WideString CP932ToWide(const String& text) {
  if (text.empty()) return {};
  const int length = MultiByteToWideChar(kCodePage, 0, text.data(), static_cast<int>(text.size()), nullptr, 0);
  WideString result(static_cast<std::size_t>(length), L'\0');
  MultiByteToWideChar(kCodePage, 0, text.data(), static_cast<int>(text.size()), result.data(), length);
  return result;
}

// No best-fit mapping: a character CP932 lacks becomes '?', never a look-alike (some of which
// are path separators or quotes).
String WideToCP932(const WideString& text) {
  if (text.empty()) return {};
  const int length = WideCharToMultiByte(kCodePage, WC_NO_BEST_FIT_CHARS, text.data(), static_cast<int>(text.size()),
                                         nullptr, 0, nullptr, nullptr);
  String result(static_cast<std::size_t>(length), '\0');
  WideCharToMultiByte(kCodePage, WC_NO_BEST_FIT_CHARS, text.data(), static_cast<int>(text.size()), result.data(),
                      length, nullptr, nullptr);
  return result;
}

int AnsiCompareText(const String& a, const String& b) { return CompareInLocale(a, b, NORM_IGNORECASE); }
int AnsiCompareStr(const String& a, const String& b) { return CompareInLocale(a, b, 0); }

String ParamStr(int index) {
  if (index == 0) {
    WideString path(MAX_PATH, L'\0');
    for (;;) {
      const DWORD length = GetModuleFileNameW(nullptr, path.data(), static_cast<DWORD>(path.size()));
      if (length < path.size()) {
        path.resize(length);
        return WideToCP932(path);
      }
      path.resize(path.size() * 2);
    }
  }
  int count = 0;
  LPWSTR* args = CommandLineToArgvW(GetCommandLineW(), &count);
  String result;
  if (args && index > 0 && index < count) result = WideToCP932(args[index]);
  LocalFree(args);
  return result;
}
