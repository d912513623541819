// Property listing and value text over the framework's type information.
#include "designer/DsnInfo.h"

#include <cctype>

#include "framework/core/Component.h"
#include "framework/core/List.h"

namespace {

bool IsTextKind(TTypeKind kind) { return kind == tkString || kind == tkLString || kind == tkWString; }

// Forms are found by their class name so that this unit needs nothing but the core.
bool IsForm(const TObject* object) {
  for (const TClassInfo* c = &object->ClassInfo(); c; c = c->Parent())
    if (c->Name() == "TForm") return true;
  return false;
}

String SetText(const TTypeInfo& type, std::int64_t bits) {
  String text = "[";
  bool first = true;
  // Only the first sixteen members are examined.
  for (int ordinal = 0; ordinal < 16; ++ordinal) {
    if (!((bits >> ordinal) & 1)) continue;
    if (!first) text += ",";
    text += type.ElementType ? GetEnumName(*type.ElementType, ordinal) : String();
    first = false;
  }
  return text + "]";
}

String ClassText(TObject* instance, const TPropInfo& info) {
  const TClassInfo* declared = info.PropType->ClassType;
  if (declared && declared->InheritsFrom(TComponent::StaticClassInfo())) {
    auto* component = dynamic_cast<TComponent*>(GetObjectProp(instance, &info));
    return component ? component->Name() : String();
  }
  return Format("(%s)", declared ? declared->Name() : info.PropType->Name);
}

// The handler's name in the class of its home: the form itself, or else the owner. An object
// with neither has no home to look in, and its handler has no name to show.
String MethodText(TObject* instance, const TPropInfo& info) {
  const TMethod method = GetMethodProp(instance, &info);
  if (!method.Assigned()) return {};
  TObject* home = instance;
  if (!IsForm(instance)) {
    auto* component = dynamic_cast<TComponent*>(instance);
    home = component ? component->Owner() : nullptr;
  }
  return home ? MethodName(home->ClassInfo(), method) : String();
}

void WriteValue(TObject* target, const TPropInfo& info, const String& value) {
  const TTypeKind kind = info.Kind();
  if (value.empty()) {
    if (IsTextKind(kind)) SetStrProp(target, &info, value);
    return;
  }
  switch (kind) {
    case tkInteger: SetOrdProp(target, &info, StrToInt(value)); return;
    case tkChar: SetOrdProp(target, &info, static_cast<unsigned char>(value[0])); return;
    case tkEnumeration: {
      // A name the type does not have must not become an ordinal outside the type.
      const int ordinal = GetEnumValue(*info.PropType, value);
      if (ordinal < 0) throw EPropertyConvertError(value);
      SetOrdProp(target, &info, ordinal);
      return;
    }
    case tkFloat: SetFloatProp(target, &info, StrToFloat(value)); return;
    case tkString:
    case tkLString:
    case tkWString: SetStrProp(target, &info, value); return;
    default: return;
  }
}

}  // namespace

TObjInfo::TObjInfo(TObject* obj) {
  if (!obj) return;
  instance_ = obj;
  objClassName_ = obj->ClassName();
  ListUpProps(obj);
}

void TObjInfo::ListUpProps(TObject* obj) {
  count_ = GetPropCount(obj->ClassInfo());
  if (count_ <= 0) return;
  propList_ = std::make_unique<const TPropInfo*[]>(static_cast<std::size_t>(count_));
  ownsList_ = true;
  try {
    GetPropInfos(obj->ClassInfo(), propList_.get());
  } catch (const std::exception&) {
    // The entries not filled stay null; GetItems reports them.
  }
}

TMyPropInfo TObjInfo::GetItems(int index) {
  const TPropInfo* info = index >= 0 && index < count_ ? propList_[static_cast<std::size_t>(index)] : nullptr;
  if (!info) throw Exception("Invalid Index");
  return {info->Name, PropValueToStr(instance_, info), static_cast<std::uint8_t>(info->Kind())};
}

namespace {

// False only when the first characters are ASCII letters or digits that differ whatever their
// case: then no case-insensitive comparison can find the names equal. The locale's comparison is
// a system call, and the property model asks for thousands of names on a large selection.
bool MayBeSameText(const String& a, const String& b) {
  if (a.empty() || b.empty()) return true;
  const auto first = [](char c) { return static_cast<unsigned char>(c); };
  if (!std::isalnum(first(a[0])) || !std::isalnum(first(b[0]))) return true;
  return std::toupper(first(a[0])) == std::toupper(first(b[0]));
}

}  // namespace

int TObjInfo::IndexOfProp(const String& name) {
  for (int i = 0; i < count_; ++i) {
    const TPropInfo* prop = propList_[static_cast<std::size_t>(i)];
    if (prop && MayBeSameText(prop->Name, name) && AnsiSameText(prop->Name, name)) return i;
  }
  return -1;
}

String PropValueToStr(TObject* instance, const TPropInfo* info) {
  switch (info->Kind()) {
    case tkInteger: return IntToStr(GetOrdProp(instance, info));
    case tkChar: return String(1, static_cast<char>(GetOrdProp(instance, info)));
    case tkEnumeration: return GetEnumName(*info->PropType, GetOrdProp(instance, info));
    case tkSet: return SetText(*info->PropType, GetOrdProp(instance, info));
    case tkFloat: return FloatToStr(GetFloatProp(instance, info));
    case tkString:
    case tkLString: return GetStrProp(instance, info);
    case tkClass: return ClassText(instance, *info);
    case tkMethod: return MethodText(instance, *info);
    default: return "Unknown";
  }
}

void SetProp(TList* targets, const String& PropName, const String& Value) {
  if (PropName.empty()) return;
  for (int i = 0; i < targets->Count(); ++i) {
    auto* target = static_cast<TObject*>(targets->Items(i));
    try {
      const TPropInfo* info = GetPropInfo(target, PropName);
      if (!info) throw EPropertyError("Unknown property: " + PropName);
      WriteValue(target, *info, Value);
    } catch (const std::exception&) {
      throw Exception(Value + " is illegal (" + PropName + ")");
    }
  }
}
