/// @file
/// EWin32Error: a failed Windows call, with the system's error code and its text.
#pragma once

#include <windows.h>

#include "framework/core/Exception.h"

/// Raised when a Windows call the framework depends on fails.
class EWin32Error : public Exception {
 public:
  /// The message, then the system's text for the code (GetLastError by default).
  explicit EWin32Error(const String& message, DWORD errorCode = GetLastError());
  /// The system error code (ERROR_x).
  DWORD ErrorCode() const { return errorCode_; }

 private:
  DWORD errorCode_;
};
