/// @file
/// Events: an object plus one of its methods, invoked with the sender first. TMethod is the untyped
/// identity of an event (code + object) that streaming and the property lister work with.
#pragma once

#include <memory>
#include <type_traits>
#include <utility>
#include <vector>

#include "framework/core/Exception.h"

class TObject;

/// The "code" of an event: one interned object per distinct method, so its address identifies the
/// method (published methods are looked up by it, see MethodName in TypeInfo.h).
class TMethodCode {
 public:
  virtual ~TMethodCode() = default;
  TMethodCode(const TMethodCode&) = delete;
  TMethodCode& operator=(const TMethodCode&) = delete;

 protected:
  TMethodCode() = default;
};

/// The untyped identity of an event handler: the method's code and the object it is called on.
/// Equal values denote the same handler.
struct TMethod {
  const TMethodCode* Code = nullptr;  ///< the method; null: no handler
  TObject* Data = nullptr;            ///< the object the method is called on; not owned

  bool Assigned() const { return Code != nullptr; }  ///< whether a handler is set
  bool operator==(const TMethod&) const = default;   ///< same method on the same object
};

/// A method taking Args, callable on an object of the right class.
template <class... Args>
class TEventCode : public TMethodCode {
 public:
  /// Calls the method on `data`, which must be of the method's class (see AcceptsData).
  virtual void Invoke(TObject* data, Args... args) const = 0;
  /// True when data is an object of the class that declares the method.
  virtual bool AcceptsData(TObject* data) const = 0;
};

/// Part of MethodCode's implementation (the code of one member function of C); not for use on its own.
template <class C, class... Args>
class TMemberCode final : public TEventCode<Args...> {
 public:
  using Function = void (C::*)(Args...);  ///< the member function type
  explicit TMemberCode(Function fn) : fn_(fn) {}  ///< the code of `fn`
  Function Fn() const { return fn_; }  ///< the member function
  void Invoke(TObject* data, Args... args) const override {
    (static_cast<C*>(data)->*fn_)(std::forward<Args>(args)...);
  }
  bool AcceptsData(TObject* data) const override { return dynamic_cast<C*>(data) != nullptr; }

 private:
  Function fn_;
};

/// The one code object of a member function (created on first use, lives until exit).
template <class C, class... Args>
const TEventCode<Args...>& MethodCode(void (C::*fn)(Args...)) {
  static std::vector<std::unique_ptr<TMemberCode<C, Args...>>> interned;
  for (const auto& code : interned)
    if (code->Fn() == fn) return *code;
  interned.push_back(std::make_unique<TMemberCode<C, Args...>>(fn));
  return *interned.back();
}

/// A typed event. Empty by default; calling an empty event does nothing.
template <class... Args>
class TEvent {
 public:
  TEvent() = default;
  TEvent(std::nullptr_t) {}  ///< an empty event
  /// The handler `method` called on `object`; an empty event when `object` is null. The event
  /// does not own the object: clear the event before the object is destroyed.
  template <class D, class C>
    requires std::is_base_of_v<C, D> && std::is_base_of_v<TObject, C>
  TEvent(D* object, void (C::*method)(Args...))
      : code_(object ? &MethodCode(method) : nullptr), data_(object ? static_cast<C*>(object) : nullptr) {}

  /// Whether a handler is assigned.
  ///@{
  bool Assigned() const { return code_ != nullptr; }
  explicit operator bool() const { return Assigned(); }
  ///@}

  /// Calls the handler with `args` (the sender first); does nothing when the event is empty. The
  /// handler's exceptions propagate to the caller.
  void operator()(Args... args) const {
    if (code_) code_->Invoke(data_, std::forward<Args>(args)...);
  }

  TMethod Method() const { return {code_, data_}; }  ///< the untyped identity, as streamed and compared
  TObject* Data() const { return data_; }  ///< the object the handler is called on; null when empty

  /// Raises EInvalidCast when the method takes other arguments than this event passes, or when
  /// the object is not of the method's class.
  static TEvent FromMethod(const TMethod& method) {
    TEvent result;
    if (!method.Code) return result;
    const auto* code = dynamic_cast<const TEventCode<Args...>*>(method.Code);
    if (!code) throw EInvalidCast("The method does not match the event type");
    if (!code->AcceptsData(method.Data)) throw EInvalidCast("The method does not belong to the event's object");
    result.code_ = code;
    result.data_ = method.Data;
    return result;
  }

  bool operator==(const TEvent&) const = default;  ///< same method on the same object

 private:
  const TEventCode<Args...>* code_ = nullptr;
  TObject* data_ = nullptr;
};

/// The plain event: passes only the sender.
using TNotifyEvent = TEvent<TObject*>;
