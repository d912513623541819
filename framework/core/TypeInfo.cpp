// Run-time type information: type data of the built-in types, class descriptors, the class
// registry and the generic property accessors.
#include "framework/core/TypeInfo.h"

#include <unordered_map>

#include "framework/core/Object.h"

// ---- Type data ----

TTypeInfo MakeEnumType(const String& name, std::initializer_list<const char*> names) {
  TTypeInfo t;
  t.Name = name;
  t.Kind = tkEnumeration;
  for (const char* n : names) t.EnumNames.emplace_back(n);
  t.MinValue = 0;
  t.MaxValue = static_cast<std::int64_t>(t.EnumNames.size()) - 1;
  return t;
}

TTypeInfo MakeIntegerType(const String& name, std::int64_t minValue, std::int64_t maxValue,
                          std::vector<TIdentMapEntry> idents) {
  TTypeInfo t;
  t.Name = name;
  t.Kind = tkInteger;
  t.MinValue = minValue;
  t.MaxValue = maxValue;
  t.Idents = std::move(idents);
  return t;
}

TTypeInfo MakeSetType(const String& name, const TTypeInfo& elementType) {
  TTypeInfo t;
  t.Name = name;
  t.Kind = tkSet;
  t.ElementType = &elementType;
  const std::int64_t members = elementType.MaxValue + 1;
  t.MinValue = 0;
  t.MaxValue = members >= 63 ? std::numeric_limits<std::int64_t>::max() : (std::int64_t{1} << members) - 1;
  return t;
}

String GetEnumName(const TTypeInfo& type, std::int64_t value) {
  if (value < 0 || value >= static_cast<std::int64_t>(type.EnumNames.size())) return {};
  return type.EnumNames[static_cast<std::size_t>(value)];
}

int GetEnumValue(const TTypeInfo& type, const String& name) {
  for (std::size_t i = 0; i < type.EnumNames.size(); ++i)
    if (SameText(type.EnumNames[i], name)) return static_cast<int>(i);
  return -1;
}

bool IntToIdent(const TTypeInfo& type, std::int64_t value, String& name) {
  for (const TIdentMapEntry& e : type.Idents)
    if (e.Value == value) {
      name = e.Name;
      return true;
    }
  return false;
}

bool IdentToInt(const TTypeInfo& type, const String& name, std::int64_t& value) {
  for (const TIdentMapEntry& e : type.Idents)
    if (SameText(e.Name, name)) {
      value = e.Value;
      return true;
    }
  return false;
}

namespace {

template <class T>
TTypeInfo IntegerTypeOf(const char* name) {
  return MakeIntegerType(name, std::numeric_limits<T>::min(), std::numeric_limits<T>::max());
}

TTypeInfo SimpleType(const char* name, TTypeKind kind) {
  TTypeInfo t;
  t.Name = name;
  t.Kind = kind;
  return t;
}

TTypeInfo CharType(const char* name, TTypeKind kind, std::int64_t maxValue) {
  TTypeInfo t = SimpleType(name, kind);
  t.MaxValue = maxValue;
  return t;
}

TTypeInfo FloatType(const char* name, TFloatType floatType) {
  TTypeInfo t = SimpleType(name, tkFloat);
  t.FloatType = floatType;
  return t;
}

}  // namespace

#define TAVELKO_BUILTIN_TYPE(Type, ...)                  \
  const TTypeInfo& TypeInfoOf(TypeTag<Type>) {           \
    static const TTypeInfo info = __VA_ARGS__;           \
    return info;                                         \
  }
TAVELKO_BUILTIN_TYPE(int, IntegerTypeOf<int>("Integer"))
TAVELKO_BUILTIN_TYPE(unsigned, IntegerTypeOf<unsigned>("Cardinal"))
TAVELKO_BUILTIN_TYPE(short, IntegerTypeOf<short>("Smallint"))
TAVELKO_BUILTIN_TYPE(unsigned short, IntegerTypeOf<unsigned short>("Word"))
TAVELKO_BUILTIN_TYPE(signed char, IntegerTypeOf<signed char>("Shortint"))
TAVELKO_BUILTIN_TYPE(unsigned char, IntegerTypeOf<unsigned char>("Byte"))
TAVELKO_BUILTIN_TYPE(bool, MakeEnumType("Boolean", {"False", "True"}))
TAVELKO_BUILTIN_TYPE(char, CharType("Char", tkChar, 255))
TAVELKO_BUILTIN_TYPE(wchar_t, CharType("WideChar", tkWChar, 0xFFFF))
TAVELKO_BUILTIN_TYPE(float, FloatType("Single", ftSingle))
TAVELKO_BUILTIN_TYPE(double, FloatType("Double", ftDouble))
TAVELKO_BUILTIN_TYPE(long double, FloatType("Extended", ftExtended))
TAVELKO_BUILTIN_TYPE(String, SimpleType("String", tkLString))
TAVELKO_BUILTIN_TYPE(WideString, SimpleType("WideString", tkWString))
TAVELKO_BUILTIN_TYPE(TNotifyEvent, SimpleType("TNotifyEvent", tkMethod))
#undef TAVELKO_BUILTIN_TYPE

// ---- Property access defaults: the property is of another kind ----

namespace {
[[noreturn]] void RaiseWrongKind() { throw EPropertyError("The property is not of the kind asked for"); }
}  // namespace

std::int64_t TPropAccess::GetOrd(TObject*) const { RaiseWrongKind(); }
void TPropAccess::SetOrd(TObject*, std::int64_t) const { RaiseWrongKind(); }
long double TPropAccess::GetFloat(TObject*) const { RaiseWrongKind(); }
void TPropAccess::SetFloat(TObject*, long double) const { RaiseWrongKind(); }
String TPropAccess::GetStr(TObject*) const { RaiseWrongKind(); }
void TPropAccess::SetStr(TObject*, const String&) const { RaiseWrongKind(); }
WideString TPropAccess::GetWideStr(TObject*) const { RaiseWrongKind(); }
void TPropAccess::SetWideStr(TObject*, const WideString&) const { RaiseWrongKind(); }
TObject* TPropAccess::GetObjectValue(TObject*) const { RaiseWrongKind(); }
void TPropAccess::SetObjectValue(TObject*, TObject*) const { RaiseWrongKind(); }
TMethod TPropAccess::GetMethod(TObject*) const { RaiseWrongKind(); }
void TPropAccess::SetMethod(TObject*, const TMethod&) const { RaiseWrongKind(); }

namespace typeinfo_detail {

void RaiseWrongObject(const TObject* instance) {
  throw EPropertyError("The property does not belong to " + (instance ? instance->ClassName() : String("nil")));
}

void RaiseReadOnly() { throw EPropertyError("The property is read-only"); }

}  // namespace typeinfo_detail

// ---- Class descriptors ----

TClassInfo::TClassInfo(String name, const TClassInfo* parent, TFactory factory, TPublish publish)
    : name_(std::move(name)), parent_(parent), factory_(factory), publish_(publish) {
  classType_.Name = name_;
  classType_.Kind = tkClass;
  classType_.ClassType = this;
}

bool TClassInfo::InheritsFrom(const TClassInfo& other) const {
  for (const TClassInfo* c = this; c; c = c->parent_)
    if (c == &other) return true;
  return false;
}

TComponent* TClassInfo::Create(TComponent* owner) const {
  if (!factory_) throw EInvalidOperation("Cannot create an instance of " + name_);
  return factory_(owner);
}

void TClassInfo::EnsurePublished() const {
  if (published_) return;
  published_ = true;
  if (parent_) properties_ = parent_->Properties();
  if (publish_) publish_(const_cast<TClassInfo&>(*this));
}

const std::vector<const TPropInfo*>& TClassInfo::Properties() const {
  EnsurePublished();
  return properties_;
}

const TPropInfo* TClassInfo::FindProperty(const String& name) const {
  for (const TPropInfo* p : Properties())
    if (SameText(p->Name, name)) return p;
  return nullptr;
}

TPropInfo& TClassInfo::AddProperty(TPropInfo info) {
  for (const TPropInfo*& slot : properties_) {
    if (SameText(slot->Name, info.Name)) {
      ownProperties_.push_back(std::move(info));
      slot = &ownProperties_.back();
      return ownProperties_.back();
    }
  }
  ownProperties_.push_back(std::move(info));
  properties_.push_back(&ownProperties_.back());
  return ownProperties_.back();
}

TPropInfo& TClassInfo::RepublishProperty(const String& name) {
  for (const TPropInfo* p : properties_)
    if (SameText(p->Name, name)) return AddProperty(*p);
  throw EInvalidOperation(name_ + ": no inherited property " + name);
}

void TClassInfo::AddMethod(const String& name, const TMethodCode& code) { methods_.push_back({name, &code}); }

const TMethodCode* TClassInfo::FindMethod(const String& name) const {
  for (const TClassInfo* c = this; c; c = c->parent_) {
    c->EnsurePublished();
    for (const TPublishedMethod& m : c->methods_)
      if (SameText(m.Name, name)) return m.Code;
  }
  return nullptr;
}

String TClassInfo::MethodName(const TMethodCode* code) const {
  if (!code) return {};
  for (const TClassInfo* c = this; c; c = c->parent_) {
    c->EnsurePublished();
    for (const TPublishedMethod& m : c->methods_)
      if (m.Code == code) return m.Name;
  }
  return {};
}

// ---- Class registry ----

namespace {
std::unordered_map<String, const TClassInfo*>& Registry() {
  static std::unordered_map<String, const TClassInfo*> registry;
  return registry;
}
}  // namespace

void RegisterClass(const TClassInfo& info) {
  const TClassInfo*& slot = Registry()[UpperCase(info.Name())];
  if (slot && slot != &info) throw EFilerError("A class named " + info.Name() + " already exists");
  slot = &info;
}

void RegisterClasses(std::initializer_list<const TClassInfo*> classes) {
  for (const TClassInfo* c : classes) RegisterClass(*c);
}

void UnRegisterClass(const TClassInfo& info) {
  auto it = Registry().find(UpperCase(info.Name()));
  if (it != Registry().end() && it->second == &info) Registry().erase(it);
}

const TClassInfo* GetClass(const String& name) {
  auto it = Registry().find(UpperCase(name));
  return it == Registry().end() ? nullptr : it->second;
}

const TClassInfo& FindClass(const String& name) {
  const TClassInfo* info = GetClass(name);
  if (!info) throw EClassNotFound(Format(messages::ClassNotFound, name));
  return *info;
}

// ---- Generic accessors ----

const TPropInfo* GetPropInfo(const TClassInfo& info, const String& name) { return info.FindProperty(name); }

const TPropInfo* GetPropInfo(const TObject* instance, const String& name) {
  return instance ? instance->ClassInfo().FindProperty(name) : nullptr;
}

int GetPropCount(const TClassInfo& info) { return info.PropCount(); }

int GetPropInfos(const TClassInfo& info, const TPropInfo** list) {
  const auto& props = info.Properties();
  for (std::size_t i = 0; i < props.size(); ++i) list[i] = nullptr;
  for (std::size_t i = 0; i < props.size(); ++i) list[i] = props[i];
  return static_cast<int>(props.size());
}

std::int64_t GetOrdProp(TObject* instance, const TPropInfo* info) { return info->Access->GetOrd(instance); }

void SetOrdProp(TObject* instance, const TPropInfo* info, std::int64_t value) {
  const TTypeInfo& type = *info->PropType;
  const bool outside = type.Kind == tkSet ? (value & ~type.MaxValue) != 0 || value < 0
                                          : value < type.MinValue || value > type.MaxValue;
  if (type.IsOrdinal() && outside)
    throw EPropertyConvertError(Format("%d is not a value of %s (%s)", value, type.Name, info->Name));
  info->Access->SetOrd(instance, value);
}

long double GetFloatProp(TObject* instance, const TPropInfo* info) { return info->Access->GetFloat(instance); }
void SetFloatProp(TObject* instance, const TPropInfo* info, long double value) {
  info->Access->SetFloat(instance, value);
}

String GetStrProp(TObject* instance, const TPropInfo* info) {
  if (info->Kind() == tkWString) return WideToCP932(info->Access->GetWideStr(instance));
  return info->Access->GetStr(instance);
}

void SetStrProp(TObject* instance, const TPropInfo* info, const String& value) {
  if (info->Kind() == tkWString) info->Access->SetWideStr(instance, CP932ToWide(value));
  else info->Access->SetStr(instance, value);
}

WideString GetWideStrProp(TObject* instance, const TPropInfo* info) {
  if (info->Kind() == tkLString) return CP932ToWide(info->Access->GetStr(instance));
  return info->Access->GetWideStr(instance);
}

void SetWideStrProp(TObject* instance, const TPropInfo* info, const WideString& value) {
  if (info->Kind() == tkLString) info->Access->SetStr(instance, WideToCP932(value));
  else info->Access->SetWideStr(instance, value);
}

TObject* GetObjectProp(TObject* instance, const TPropInfo* info) { return info->Access->GetObjectValue(instance); }
void SetObjectProp(TObject* instance, const TPropInfo* info, TObject* value) {
  info->Access->SetObjectValue(instance, value);
}

TMethod GetMethodProp(TObject* instance, const TPropInfo* info) { return info->Access->GetMethod(instance); }

void SetMethodProp(TObject* instance, const TPropInfo* info, const TMethod& value) {
  try {
    info->Access->SetMethod(instance, value);
  } catch (const EInvalidCast& e) {
    throw EPropertyConvertError(info->Name + ": " + e.Message());
  }
}

namespace {
const TPropInfo* RequireProp(TObject* instance, const String& name) {
  const TPropInfo* info = GetPropInfo(instance, name);
  if (!info) throw EPropertyError("Unknown property: " + name);
  return info;
}
}  // namespace

std::int64_t GetOrdProp(TObject* instance, const String& name) { return GetOrdProp(instance, RequireProp(instance, name)); }
void SetOrdProp(TObject* instance, const String& name, std::int64_t value) {
  SetOrdProp(instance, RequireProp(instance, name), value);
}
String GetStrProp(TObject* instance, const String& name) { return GetStrProp(instance, RequireProp(instance, name)); }
void SetStrProp(TObject* instance, const String& name, const String& value) {
  SetStrProp(instance, RequireProp(instance, name), value);
}

TMethod MethodAddress(TObject* instance, const String& name) {
  if (!instance) return {};
  const TMethodCode* code = instance->ClassInfo().FindMethod(name);
  return code ? TMethod{code, instance} : TMethod{};
}

String MethodName(const TClassInfo& info, const TMethod& method) { return info.MethodName(method.Code); }
