/// @file
/// Run-time type information of published properties and methods: type data (TTypeInfo), property
/// records (TPropInfo), the per-class descriptor (TClassInfo), the class registry, and the generic
/// property accessors that streaming, the property lister and the inspector use.
///
/// Sections: type kinds and type data · property records · class descriptors · publishing
/// (TPublisher) · type data of C++ types (TypeInfoOf) · class registry · generic accessors.
///
/// The generic accessors raise EPropertyError when the property is of another kind than the
/// accessor handles, when `instance` is not of the class that publishes the property (or is null),
/// and when a Set accessor is used on a read-only property. Like the rest of the framework, all of
/// this is used from the thread that runs the message loop only.
#pragma once

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <deque>
#include <functional>
#include <initializer_list>
#include <limits>
#include <memory>
#include <optional>
#include <type_traits>
#include <vector>

#include "framework/core/Event.h"
#include "framework/core/Exception.h"
#include "framework/core/Set.h"
#include "framework/core/Text.h"

class TObject;
class TComponent;
class TClassInfo;

// ---------------------------------------------------------------------------------------------
// Type kinds and type data

/// The framework's type-kind codes; the numbers are fixed (the property lister shows them).
enum TTypeKind : std::uint8_t {
  tkUnknown = 0,
  tkInteger = 1,
  tkChar = 2,
  tkEnumeration = 3,
  tkFloat = 4,
  tkString = 5,
  tkSet = 6,
  tkClass = 7,
  tkMethod = 8,
  tkWChar = 9,
  tkLString = 10,
  tkWString = 11,
};

/// Precision of a floating-point type: Single (float), Double (double), Extended (long double).
enum TFloatType : std::uint8_t { ftSingle, ftDouble, ftExtended };

/// An integer value with a name of its own (clWhite, crDefault): streamed and shown by name.
struct TIdentMapEntry {
  std::int64_t Value;  ///< the value
  String Name;         ///< its name, as streamed and shown
};

/// Type data of a property's type.
/// Instances live as long as the program (static data of TypeInfoOf or of a class descriptor) and
/// are referred to by address.
struct TTypeInfo {
  String Name;                               ///< type name as the property lister shows it ("Integer", "TAlign")
  TTypeKind Kind = tkUnknown;                ///< what kind of value the type holds
  std::int64_t MinValue = 0;                 ///< ordinal kinds: the valid range, lowest value
  std::int64_t MaxValue = 0;                 ///< ordinal kinds: highest valid value (set: the mask of all members)
  std::vector<String> EnumNames;             ///< enumeration: names in ordinal order
  const TTypeInfo* ElementType = nullptr;    ///< set: the member enumeration
  const TClassInfo* ClassType = nullptr;     ///< class: the declared class
  std::vector<TIdentMapEntry> Idents;        ///< integer: optional value names
  TFloatType FloatType = ftExtended;         ///< floating-point

  /// Whether values are integers read and written by GetOrdProp/SetOrdProp: integer, character,
  /// enumeration, set (as its bit mask) and wide character.
  bool IsOrdinal() const { return Kind == tkInteger || Kind == tkChar || Kind == tkEnumeration || Kind == tkSet || Kind == tkWChar; }
};

/// Builders of type data, for use in TypeInfoOf overloads. This one: the enumeration `name`, whose
/// ordinals 0..n-1 are named by `names` in order.
TTypeInfo MakeEnumType(const String& name, std::initializer_list<const char*> names);
/// Integer type `name` with the valid range minValue..maxValue and optional value names, which
/// are streamed and shown instead of the number (clWhite).
TTypeInfo MakeIntegerType(const String& name, std::int64_t minValue, std::int64_t maxValue,
                          std::vector<TIdentMapEntry> idents = {});
/// Set type `name` over the enumeration `elementType`, which is kept by address and must live as
/// long as the result. Its valid values are the bit masks of the enumeration's members.
TTypeInfo MakeSetType(const String& name, const TTypeInfo& elementType);

/// Name of ordinal `value` of an enumeration (Boolean: "False"/"True"); empty when out of range.
String GetEnumName(const TTypeInfo& type, std::int64_t value);
/// Ordinal of `name` (ASCII letters compared without case); -1 when the type has no such name.
int GetEnumValue(const TTypeInfo& type, const String& name);
/// Integer value names (TTypeInfo::Idents): the name of `value`, or the value of `name` (ASCII
/// letters compared without case). False, with the output left alone, when there is none.
///@{
bool IntToIdent(const TTypeInfo& type, std::int64_t value, String& name);
bool IdentToInt(const TTypeInfo& type, const String& name, std::int64_t& value);
///@}

// ---------------------------------------------------------------------------------------------
// Property records

/// Reads and writes one property of an object; the kind decides which pair applies. The object
/// is checked to be of the publishing class (EPropertyError otherwise). (No member is called
/// GetObject: windows.h would rename it in some files and not in others.)
class TPropAccess {
 public:
  virtual ~TPropAccess() = default;
  /// Reads (Get) or writes (Set) the property of `instance` as the value kind the name says:
  /// ordinal, floating-point, long string, wide string, object, method. Each base version raises
  /// EPropertyError (the property is not of that kind); an accessor overrides the pair of its
  /// kind. Writing a read-only property raises EPropertyError.
  ///@{
  virtual std::int64_t GetOrd(TObject* instance) const;
  virtual void SetOrd(TObject* instance, std::int64_t value) const;
  virtual long double GetFloat(TObject* instance) const;
  virtual void SetFloat(TObject* instance, long double value) const;
  virtual String GetStr(TObject* instance) const;
  virtual void SetStr(TObject* instance, const String& value) const;
  virtual WideString GetWideStr(TObject* instance) const;
  virtual void SetWideStr(TObject* instance, const WideString& value) const;
  virtual TObject* GetObjectValue(TObject* instance) const;
  virtual void SetObjectValue(TObject* instance, TObject* value) const;
  virtual TMethod GetMethod(TObject* instance) const;
  virtual void SetMethod(TObject* instance, const TMethod& value) const;
  ///@}
  /// Whether the property has a setter.
  virtual bool Writable() const = 0;
};

/// One published property: name, type, streaming default and accessor. The records belong to the
/// class descriptor (TClassInfo) and live as long as it, i.e. as long as the program.
class TPropInfo {
 public:
  String Name;                          ///< as streamed and shown; looked up without ASCII case
  const TTypeInfo* PropType = nullptr;  ///< type data; never null in a published property
  /// Ordinal kinds: the value the stream leaves out. Empty: always written.
  std::optional<std::int64_t> Default;
  std::shared_ptr<const TPropAccess> Access;  ///< reads and writes the value; never null in a published property
  /// Whether the value is stored at all (besides the default test); empty predicate: Stored.
  bool Stored = true;
  std::function<bool(TObject*)> StoredWhen;  ///< asked with the instance when Stored is true

  TTypeKind Kind() const { return PropType->Kind; }  ///< the kind of the property's type
  bool Writable() const { return Access->Writable(); }  ///< whether it has a setter
  /// Whether the value of `instance` is written at all (Stored and StoredWhen); whether it equals
  /// the default is a separate test.
  bool IsStored(TObject* instance) const { return Stored && (!StoredWhen || StoredWhen(instance)); }
};

// ---------------------------------------------------------------------------------------------
// Class descriptors

/// The run-time descriptor of a class derived from TObject: its name, its base class, how to
/// create it and what it publishes. TAVELKO_CLASS makes one static descriptor per class, which
/// lives as long as the program. The class's published properties and methods are collected the
/// first time they are asked for.
class TClassInfo {
 public:
  /// Creates an instance owned by `owner` (see TComponent for ownership).
  using TFactory = TComponent* (*)(TComponent* owner);
  /// Publishes the class's own properties and methods into the descriptor.
  using TPublish = void (*)(TClassInfo& info);

  /// Normally made by Describe through TAVELKO_CLASS. `parent` is the descriptor of the direct
  /// base class (null only for TObject) and must outlive this one; `factory` is null for a class
  /// that cannot be created by name, `publish` null when the class publishes nothing.
  TClassInfo(String name, const TClassInfo* parent, TFactory factory, TPublish publish);
  TClassInfo(const TClassInfo&) = delete;
  TClassInfo& operator=(const TClassInfo&) = delete;

  const String& Name() const { return name_; }  ///< class name ("TButton"), the registry's key
  const TClassInfo* Parent() const { return parent_; }  ///< the direct base class; null for TObject
  /// Whether this class is `other` or derives from it.
  bool InheritsFrom(const TClassInfo& other) const;

  /// Streamable classes: creates an instance owned by `owner`. EInvalidOperation when the class
  /// has no factory (abstract, or not a component that can be constructed from its owner alone);
  /// CanCreate tells beforehand.
  ///@{
  bool CanCreate() const { return factory_ != nullptr; }
  TComponent* Create(TComponent* owner) const;
  ///@}

  /// Published properties, base class first, each class's in declaration order; a property
  /// published again by a descendant keeps its place.
  const std::vector<const TPropInfo*>& Properties() const;
  int PropCount() const { return static_cast<int>(Properties().size()); }  ///< inherited ones included
  const TPropInfo* FindProperty(const String& name) const;  ///< ASCII case-insensitive

  /// Published methods, searched in this class and then its bases: the code of the method named
  /// `name` (ASCII case-insensitive; null when there is none), or the name of the one whose code
  /// is `code`.
  ///@{
  const TMethodCode* FindMethod(const String& name) const;
  String MethodName(const TMethodCode* code) const;  ///< empty when no published method has it
  ///@}

  /// This class as the type data of a class-kind property.
  const TTypeInfo& TypeInfo() const { return classType_; }

  /// Used by the publishing helpers (TAVELKO_CLASS): the descriptor of `Self`, derived from `Base`.
  /// It has a factory when Self is a concrete component constructible from its owner alone, and a
  /// publisher when Self has a static Publish.
  template <class Self, class Base>
  static TClassInfo Describe(const char* name);
  /// Publishing only: adds a property, or replaces an inherited one of the same name in its
  /// place. The returned record is adjusted by TPropBuilder.
  TPropInfo& AddProperty(TPropInfo info);
  /// Publishing only: a copy of the inherited property `name` in its place, to be adjusted.
  /// EInvalidOperation when no base class publishes it.
  TPropInfo& RepublishProperty(const String& name);
  /// Publishing only: publishes a method under `name`; `code` is kept by address (MethodCode
  /// gives one that lives until exit).
  void AddMethod(const String& name, const TMethodCode& code);

 private:
  struct TPublishedMethod {
    String Name;
    const TMethodCode* Code;
  };
  void EnsurePublished() const;

  String name_;
  const TClassInfo* parent_;
  TFactory factory_;
  TPublish publish_;
  TTypeInfo classType_;
  mutable bool published_ = false;
  mutable std::vector<const TPropInfo*> properties_;
  mutable std::deque<TPropInfo> ownProperties_;  ///< deque: records keep their addresses
  mutable std::vector<TPublishedMethod> methods_;
};

// ---------------------------------------------------------------------------------------------
// Type data of C++ types

/// TypeInfoOf(TypeTag<T>{}) gives the type data of T. The core supplies it for the built-in
/// property types, for pointers to framework classes, TSet and TEvent; an enumeration declares
/// one next to itself:
///   const TTypeInfo& TypeInfoOf(TypeTag<TAlign>);   // header
///   const TTypeInfo& TypeInfoOf(TypeTag<TAlign>) {  // source
///     static const TTypeInfo info = MakeEnumType("TAlign", {"alNone", "alTop", ...});
///     return info;
///   }
template <class T>
struct TypeTag {};

/// Type data of the built-in property types: int (Integer), unsigned (Cardinal), short
/// (Smallint), unsigned short (Word), signed char (Shortint), unsigned char (Byte), bool (Boolean,
/// an enumeration), char (Char), wchar_t (WideChar), float (Single), double (Double), long double
/// (Extended), String, WideString and TNotifyEvent.
///@{
const TTypeInfo& TypeInfoOf(TypeTag<int>);
const TTypeInfo& TypeInfoOf(TypeTag<unsigned>);
const TTypeInfo& TypeInfoOf(TypeTag<short>);
const TTypeInfo& TypeInfoOf(TypeTag<unsigned short>);
const TTypeInfo& TypeInfoOf(TypeTag<signed char>);
const TTypeInfo& TypeInfoOf(TypeTag<unsigned char>);
const TTypeInfo& TypeInfoOf(TypeTag<bool>);
const TTypeInfo& TypeInfoOf(TypeTag<char>);
const TTypeInfo& TypeInfoOf(TypeTag<wchar_t>);
const TTypeInfo& TypeInfoOf(TypeTag<float>);
const TTypeInfo& TypeInfoOf(TypeTag<double>);
const TTypeInfo& TypeInfoOf(TypeTag<long double>);
const TTypeInfo& TypeInfoOf(TypeTag<String>);
const TTypeInfo& TypeInfoOf(TypeTag<WideString>);
const TTypeInfo& TypeInfoOf(TypeTag<TNotifyEvent>);
///@}

/// A pointer to a framework class: a class-kind type, the class's descriptor (TClassInfo::TypeInfo).
template <class T>
  requires std::is_base_of_v<TObject, T>
const TTypeInfo& TypeInfoOf(TypeTag<T*>) {
  return T::StaticClassInfo().TypeInfo();
}

/// A set over the enumeration E: a set type named "set of " + the enumeration's name.
template <class E>
const TTypeInfo& TypeInfoOf(TypeTag<TSet<E>>) {
  static const TTypeInfo info = MakeSetType("set of " + TypeInfoOf(TypeTag<E>{}).Name, TypeInfoOf(TypeTag<E>{}));
  return info;
}

/// Any event: a method-kind type named "TMethod".
template <class... Args>
const TTypeInfo& TypeInfoOf(TypeTag<TEvent<Args...>>) {
  static const TTypeInfo info = [] {
    TTypeInfo t;
    t.Name = "TMethod";
    t.Kind = tkMethod;
    return t;
  }();
  return info;
}

// ---------------------------------------------------------------------------------------------
// Publishing

namespace typeinfo_detail {

template <class V> struct IsEvent : std::false_type {};
template <class... A> struct IsEvent<TEvent<A...>> : std::true_type {};
template <class V> struct IsSet : std::false_type {};
template <class E> struct IsSet<TSet<E>> : std::true_type {};

/// Part of TPublisher's implementation (value conversions and errors of the generated
/// accessors); not for use on their own.
///@{
template <class V>
constexpr bool IsOrdinal = std::is_integral_v<V> || std::is_enum_v<V> || IsSet<V>::value;

template <class V>
std::int64_t ToOrdinal(const V& v) {
  if constexpr (IsSet<V>::value) return static_cast<std::int64_t>(v.Bits());
  else if constexpr (std::is_same_v<V, char>) return static_cast<unsigned char>(v);
  else return static_cast<std::int64_t>(v);
}

template <class V>
V FromOrdinal(std::int64_t v) {
  if constexpr (IsSet<V>::value) return V::FromBits(static_cast<std::uint64_t>(v));
  else return static_cast<V>(v);
}

[[noreturn]] void RaiseWrongObject(const TObject* instance);
[[noreturn]] void RaiseReadOnly();
///@}

/// Getter: pointer to a data member or to a member function without arguments.
/// Setter: pointer to a data member, to a member function taking the value, or nullptr.
template <class C, class V, class G, class S>
class TMemberAccess final : public TPropAccess {
 public:
  TMemberAccess(G getter, S setter) : getter_(getter), setter_(setter) {}  ///< made by TPublisher::Prop

  bool Writable() const override { return !std::is_null_pointer_v<S>; }

  std::int64_t GetOrd(TObject* o) const override {
    if constexpr (IsOrdinal<V>) return ToOrdinal<V>(Read(o));
    else return TPropAccess::GetOrd(o);
  }
  void SetOrd(TObject* o, std::int64_t v) const override {
    if constexpr (IsOrdinal<V>) Write(o, FromOrdinal<V>(v));
    else TPropAccess::SetOrd(o, v);
  }
  long double GetFloat(TObject* o) const override {
    if constexpr (std::is_floating_point_v<V>) return Read(o);
    else return TPropAccess::GetFloat(o);
  }
  void SetFloat(TObject* o, long double v) const override {
    if constexpr (std::is_floating_point_v<V>) Write(o, static_cast<V>(v));
    else TPropAccess::SetFloat(o, v);
  }
  String GetStr(TObject* o) const override {
    if constexpr (std::is_same_v<V, String>) return Read(o);
    else return TPropAccess::GetStr(o);
  }
  void SetStr(TObject* o, const String& v) const override {
    if constexpr (std::is_same_v<V, String>) Write(o, v);
    else TPropAccess::SetStr(o, v);
  }
  WideString GetWideStr(TObject* o) const override {
    if constexpr (std::is_same_v<V, WideString>) return Read(o);
    else return TPropAccess::GetWideStr(o);
  }
  void SetWideStr(TObject* o, const WideString& v) const override {
    if constexpr (std::is_same_v<V, WideString>) Write(o, v);
    else TPropAccess::SetWideStr(o, v);
  }
  TObject* GetObjectValue(TObject* o) const override {
    if constexpr (std::is_pointer_v<V>) return Read(o);
    else return TPropAccess::GetObjectValue(o);
  }
  void SetObjectValue(TObject* o, TObject* v) const override {
    if constexpr (std::is_pointer_v<V>) {
      auto* typed = dynamic_cast<V>(v);
      if (v && !typed) RaiseWrongObject(v);
      Write(o, typed);
    } else {
      TPropAccess::SetObjectValue(o, v);
    }
  }
  TMethod GetMethod(TObject* o) const override {
    if constexpr (IsEvent<V>::value) return Read(o).Method();
    else return TPropAccess::GetMethod(o);
  }
  void SetMethod(TObject* o, const TMethod& v) const override {
    if constexpr (IsEvent<V>::value) Write(o, V::FromMethod(v));
    else TPropAccess::SetMethod(o, v);
  }

 private:
  C& Self(TObject* o) const {
    auto* self = dynamic_cast<C*>(o);
    if (!self) RaiseWrongObject(o);
    return *self;
  }
  V Read(TObject* o) const { return std::invoke(getter_, Self(o)); }
  void Write(TObject* o, const V& v) const {
    if constexpr (std::is_null_pointer_v<S>) RaiseReadOnly();
    else if constexpr (std::is_member_object_pointer_v<S>) Self(o).*setter_ = v;
    else std::invoke(setter_, Self(o), v);
  }

  G getter_;
  S setter_;
};

}  // namespace typeinfo_detail

/// Adjusts the property just published: default, stored flag, type data.
template <class C>
class TPropBuilder {
 public:
  explicit TPropBuilder(TPropInfo& info) : info_(info) {}  ///< adjusts `info`, the descriptor's record
  /// The value the stream leaves out, for ordinal properties (integer, enumeration, set, Boolean,
  /// character); a value equal to it is not written.
  template <class V>
  TPropBuilder& Default(const V& value) {
    info_.Default = typeinfo_detail::ToOrdinal<V>(value);
    return *this;
  }
  /// No default: the value is always written (as after Prop).
  TPropBuilder& NoDefault() { info_.Default.reset(); return *this; }
  /// Whether the value is written at all; replaces a stored predicate given before.
  TPropBuilder& Stored(bool stored) { info_.Stored = stored; info_.StoredWhen = nullptr; return *this; }
  /// Stored only while `predicate` answers true, e.g. &TdxfLabel::IsEffect3DStored.
  TPropBuilder& Stored(bool (C::*predicate)() const) {
    info_.Stored = true;
    info_.StoredWhen = [predicate](TObject* o) {
      auto* self = dynamic_cast<C*>(o);
      return self && (self->*predicate)();
    };
    return *this;
  }
  /// Replaces the deduced type data by one of the same kind (e.g. TColor with its value names).
  TPropBuilder& Type(const TTypeInfo& type) {
    if (type.Kind != info_.PropType->Kind) throw EInvalidOperation("Property " + info_.Name + ": type of another kind");
    info_.PropType = &type;
    return *this;
  }

 private:
  TPropInfo& info_;
};

/// Handed to a class's `static void Publish(TPublisher<Self>&)`: one line per published property
/// or method, in declaration order.
template <class C>
class TPublisher {
 public:
  explicit TPublisher(TClassInfo& info) : info_(info) {}  ///< made by TClassInfo::Describe, not by users

  /// Prop("Left", &TControl::GetLeft, &TControl::SetLeft); Prop("OnClick", &TControl::FOnClick);
  /// The kind follows the value's C++ type; see TypeInfoOf. A read-only property passes nullptr
  /// as the setter. No default unless Default() says one: such a property is always written.
  template <class G, class S>
  TPropBuilder<C> Prop(const char* name, G getter, S setter) {
    using V = std::remove_cvref_t<std::invoke_result_t<G, C&>>;
    TPropInfo info;
    info.Name = name;
    info.PropType = &TypeInfoOf(TypeTag<V>{});
    info.Access = std::make_shared<typeinfo_detail::TMemberAccess<C, V, G, S>>(getter, setter);
    return TPropBuilder<C>(info_.AddProperty(std::move(info)));
  }
  /// A field read and written directly.
  template <class V, class Owner>
    requires std::is_member_object_pointer_v<V Owner::*>
  TPropBuilder<C> Prop(const char* name, V Owner::*field) {
    return Prop(name, field, field);
  }
  /// A property a base class published, published again with another default or stored flag.
  TPropBuilder<C> Republish(const char* name) { return TPropBuilder<C>(info_.RepublishProperty(name)); }

  /// Method("DsnSwitch1Click", &TMainForm1::DsnSwitch1Click)
  template <class M, class... Args>
  void Method(const char* name, void (M::*method)(Args...)) {
    info_.AddMethod(name, MethodCode(method));
  }

 private:
  TClassInfo& info_;
};

template <class Self, class Base>
TClassInfo TClassInfo::Describe(const char* name) {
  static_assert(std::is_base_of_v<Base, Self>, "TAVELKO_CLASS: Base must be the direct base class");
  TFactory factory = nullptr;
  if constexpr (std::is_base_of_v<TComponent, Self> && !std::is_abstract_v<Self> &&
                std::is_constructible_v<Self, TComponent*>) {
    factory = [](TComponent* owner) -> TComponent* { return new Self(owner); };
  }
  TPublish publish = nullptr;
  if constexpr (requires(TPublisher<Self>& p) { Self::Publish(p); }) {
    publish = [](TClassInfo& info) {
      TPublisher<Self> publisher(info);
      Self::Publish(publisher);
    };
  }
  return TClassInfo(name, &Base::StaticClassInfo(), factory, publish);
}

/// Put first in the body of every class derived from TObject; it leaves the access private.
/// It declares `inherited` (the base class), the static StaticClassInfo() and the ClassInfo()
/// override; Base must be the direct base class.
/// @code
///   class TShape : public TGraphicControl {
///     TAVELKO_CLASS(TShape, TGraphicControl)
///     static void Publish(TPublisher<TShape>& p);   // only when the class publishes something
///   public: ...
/// @endcode
#define TAVELKO_CLASS(Self, Base) TAVELKO_NAMED_CLASS(Self, Base, #Self)

/// The same for a class template whose instances are classes of names of their own, each given
/// as a TClassNameLiteral template argument (Name is a null-terminated class name).
#define TAVELKO_NAMED_CLASS(Self, Base, Name)                                              \
 public:                                                                                  \
  using inherited = Base;                                                                 \
  static const TClassInfo& StaticClassInfo() {                                            \
    static const TClassInfo info = TClassInfo::Describe<Self, Base>(Name);                \
    return info;                                                                          \
  }                                                                                       \
  const TClassInfo& ClassInfo() const override { return StaticClassInfo(); }              \
                                                                                          \
 private:                                                                                 \
  friend class ::TClassInfo;

/// A class name as a template argument.
template <std::size_t N>
struct TClassNameLiteral {
  constexpr TClassNameLiteral(const char (&text)[N]) { std::copy_n(text, N, Text); }  ///< from a string literal
  char Text[N];  ///< the name, null-terminated
};

// ---------------------------------------------------------------------------------------------
// Class registry (classes found by name when a stream is read)

// windows.h defines RegisterClass as a macro for RegisterClassW. The declaration keeps its name
// whatever the include order, and a call renamed by the macro reaches the same function.
#pragma push_macro("RegisterClass")
#undef RegisterClass
/// Makes the class findable by name (GetClass, FindClass, the stream reader); registering it again
/// does nothing. EFilerError when another class of the same name (ASCII case-insensitive) is
/// registered. The descriptor is kept by address (TAVELKO_CLASS's descriptors live until exit).
void RegisterClass(const TClassInfo& info);
/// RegisterClass, for calls that windows.h renamed.
inline void RegisterClassW(const TClassInfo& info) { RegisterClass(info); }
#pragma pop_macro("RegisterClass")
/// Registers each class in turn, as RegisterClass; the classes before a failing one stay registered.
void RegisterClasses(std::initializer_list<const TClassInfo*> classes);
/// Removes the class from the registry; does nothing when another class, or none, holds its name.
void UnRegisterClass(const TClassInfo& info);
const TClassInfo* GetClass(const String& name);  ///< nullptr when not registered
const TClassInfo& FindClass(const String& name);  ///< EClassNotFound when not registered

// ---------------------------------------------------------------------------------------------
// Generic accessors

const TPropInfo* GetPropInfo(const TClassInfo& info, const String& name);  ///< nullptr if absent
/// The same for the class of `instance`; nullptr also when `instance` is null.
const TPropInfo* GetPropInfo(const TObject* instance, const String& name);
int GetPropCount(const TClassInfo& info);  ///< number of published properties, inherited ones included
/// Fills list[0..count-1] (cleared first) with the class's properties; returns the count. `list`
/// needs room for GetPropCount(info) entries.
int GetPropInfos(const TClassInfo& info, const TPropInfo** list);

/// Ordinal kinds (integer, character, enumeration, set as its bit mask, wide character). SetOrdProp
/// refuses a value outside the type's range with EPropertyConvertError.
///@{
std::int64_t GetOrdProp(TObject* instance, const TPropInfo* info);
void SetOrdProp(TObject* instance, const TPropInfo* info, std::int64_t value);
///@}
/// Floating-point kinds (Single, Double, Extended); the value is converted to the property's precision.
///@{
long double GetFloatProp(TObject* instance, const TPropInfo* info);
void SetFloatProp(TObject* instance, const TPropInfo* info, long double value);
///@}
/// Long and wide strings (wide text converted through CP932).
///@{
String GetStrProp(TObject* instance, const TPropInfo* info);
void SetStrProp(TObject* instance, const TPropInfo* info, const String& value);
WideString GetWideStrProp(TObject* instance, const TPropInfo* info);
void SetWideStrProp(TObject* instance, const TPropInfo* info, const WideString& value);
///@}
/// The object a class-kind property refers to; may be null. The property does not pass ownership.
TObject* GetObjectProp(TObject* instance, const TPropInfo* info);
/// EPropertyError when value is not of the property's class.
void SetObjectProp(TObject* instance, const TPropInfo* info, TObject* value);
/// The handler a method-kind property (event) holds; an empty TMethod when none is assigned.
TMethod GetMethodProp(TObject* instance, const TPropInfo* info);
/// EPropertyConvertError when the method does not fit the event's type.
void SetMethodProp(TObject* instance, const TPropInfo* info, const TMethod& value);

/// By name: EPropertyError "Unknown property: X" when the class has none.
///@{
std::int64_t GetOrdProp(TObject* instance, const String& name);
void SetOrdProp(TObject* instance, const String& name, std::int64_t value);
String GetStrProp(TObject* instance, const String& name);
void SetStrProp(TObject* instance, const String& name, const String& value);
///@}

/// Published method of the class of `instance` (or a base) bound to `instance`; an empty TMethod
/// when there is none.
TMethod MethodAddress(TObject* instance, const String& name);
/// The name of the published method whose code `method` holds, looked up in `info` and its bases.
String MethodName(const TClassInfo& info, const TMethod& method);
