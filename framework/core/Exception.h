/// @file
/// The framework's exception hierarchy: every failure the framework reports carries a message text.
#pragma once

#include <exception>

#include "framework/core/Text.h"

class Exception : public std::exception {
 public:
  explicit Exception(String message = {}) : message_(std::move(message)) {}
  const String& Message() const { return message_; }
  void SetMessage(const String& message) { message_ = message; }
  const char* what() const noexcept override { return message_.c_str(); }

 private:
  String message_;
};

#define TAVELKO_EXCEPTION(Name, Base) \
  class Name : public Base {          \
   public:                            \
    using Base::Base;                 \
  }

/// Silent exception: unwinds an operation without a message display.
TAVELKO_EXCEPTION(EAbort, Exception);
TAVELKO_EXCEPTION(EConvertError, Exception);
TAVELKO_EXCEPTION(EInvalidCast, Exception);
TAVELKO_EXCEPTION(EListError, Exception);
TAVELKO_EXCEPTION(EStringListError, EListError);
TAVELKO_EXCEPTION(EInvalidOperation, Exception);
TAVELKO_EXCEPTION(EComponentError, Exception);
TAVELKO_EXCEPTION(EOutOfResources, Exception);
TAVELKO_EXCEPTION(EPropertyError, Exception);
TAVELKO_EXCEPTION(EPropertyConvertError, EPropertyError);
TAVELKO_EXCEPTION(EStreamError, Exception);
TAVELKO_EXCEPTION(EFCreateError, EStreamError);
TAVELKO_EXCEPTION(EFOpenError, EStreamError);
TAVELKO_EXCEPTION(EFilerError, EStreamError);
TAVELKO_EXCEPTION(EReadError, EFilerError);
TAVELKO_EXCEPTION(EWriteError, EFilerError);
TAVELKO_EXCEPTION(EClassNotFound, EFilerError);
TAVELKO_EXCEPTION(EIniFileException, Exception);

#undef TAVELKO_EXCEPTION

/// Message texts shared by several raisers.
namespace messages {
inline constexpr const char* ListIndexError = "List index out of bounds (%d)";
inline constexpr const char* InvalidInteger = "'%s' is not a valid integer value";
inline constexpr const char* InvalidFloat = "'%s' is not a valid floating point value";
inline constexpr const char* ReadError = "Stream read error";
inline constexpr const char* WriteError = "Stream write error";
inline constexpr const char* AssignError = "Cannot assign a %s to a %s";
inline constexpr const char* InvalidName = "Component name \"%s\" is not a valid component name";
inline constexpr const char* DuplicateName = "コンポーネント名 %s はすでに使われています";
inline constexpr const char* ClassNotFound = "クラス %s が見つかりません";
inline constexpr const char* InvalidPropertyValue = "不正なプロパティの値です";
}  // namespace messages
