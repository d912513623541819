// EWin32Error: the message with the system's explanation of the error code.
#include "framework/windows/Win32Error.h"

namespace {

String SystemText(DWORD errorCode) {
  wchar_t* buffer = nullptr;
  const DWORD length = FormatMessageW(
      FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS, nullptr, errorCode,
      0, reinterpret_cast<wchar_t*>(&buffer), 0, nullptr);
  if (!buffer) return {};
  String text = Trim(WideToCP932(WideString(buffer, length)));
  LocalFree(buffer);
  return text;
}

}  // namespace

EWin32Error::EWin32Error(const String& message, DWORD errorCode)
    : Exception(message), errorCode_(errorCode) {
  const String explanation = SystemText(errorCode);
  SetMessage(explanation.empty() ? Format("%s (error %u)", message, unsigned(errorCode))
                                 : Format("%s: %s", message, explanation));
}
