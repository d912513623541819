/// @file
/// EWin32Error: a failed Windows call, with the system's error code and its text.
#pragma once

#include <windows.h>

#include "framework/core/Exception.h"

class EWin32Error : public Exception {
 public:
  /// The message, then the system's text for the code (GetLastError by default).
  explicit EWin32Error(const String& message, DWORD errorCode = GetLastError());
  DWORD ErrorCode() const { return errorCode_; }

 private:
  DWORD errorCode_;
};
