/// @file
/// The framework's exception hierarchy: every failure the framework reports carries a message text.
#pragma once

#include <exception>

#include "framework/core/Text.h"

/// The base class of every exception the framework raises: a message text (CP932) for the user.
class Exception : public std::exception {
 public:
  explicit Exception(String message = {}) : message_(std::move(message)) {}  ///< with the message text
  /// The message text (CP932); a handler may add context before passing the exception on.
  ///@{
  const String& Message() const { return message_; }
  void SetMessage(const String& message) { message_ = message; }
  ///@}
  /// The message text; the pointer is valid while the exception lives and its message is unchanged.
  const char* what() const noexcept override { return message_.c_str(); }

 private:
  String message_;
};

/// Declares the exception class Name derived from Base, with Base's constructors; undefined at the
/// end of this header. The classes declared with it, and what they report:
/// - EAbort: a silent unwinding (see below);
/// - EConvertError: text that is not a number, or an object that cannot be assigned to another;
/// - EInvalidCast: an event handler that does not fit the event or its object;
/// - EListError (EStringListError for string lists): an index out of range, or a list operation
///   that is not allowed;
/// - EInvalidOperation: an operation not allowed in the object's present state;
/// - EComponentError: a component name that is not valid or already used;
/// - EOutOfResources: a system resource (timer, menu, memory block) that could not be had;
/// - EPropertyError (EPropertyConvertError for values that do not fit the property): property access;
/// - EStreamError: stream reading and writing; EFCreateError and EFOpenError for files that cannot be
///   created or opened; EFilerError for component streams, with EReadError and EWriteError for reading
///   and writing and EClassNotFound for a class name that is not registered;
/// - EIniFileException: settings files.
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
/// Format strings for Format(): %d an integer, %s a text. The Japanese ones are CP932 in the
/// program, like every narrow literal.
///@{
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
///@}
}  // namespace messages
