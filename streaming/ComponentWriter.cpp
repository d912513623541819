// TComponentWriter: which properties are written and in which form.
#include "streaming/ComponentWriter.h"

#include "framework/core/ScopeGuard.h"
#include "framework/core/Stream.h"
#include "streaming/StreamFormat.h"

namespace {

// Nested persistent objects (Font, Effect3D, Rubberband) are one or two levels deep; a deeper
// chain means an object refers back to itself.
constexpr int MaxObjectDepth = 16;

}  // namespace

TComponentWriter::TComponentWriter(TStream& stream, TComponent* root, std::size_t bufferSize)
    : values_(stream, bufferSize), root_(root) {}

void TComponentWriter::WriteRootComponent(TComponent* root) {
  root_ = root;
  WriteSignature();
  WriteComponent(root);
}

void TComponentWriter::WriteComponent(TComponent* component) {
  if (root_) {
    WriteRecord(component, 0);
    return;
  }
  const auto rooted = TemporarilySet(root_, component);
  WriteRecord(component, 0);
}

void TComponentWriter::WriteRecord(TComponent* component, int depth) {
  if (depth > streamformat::MaxRecordDepth)
    throw EWriteError(Format(streammessages::TooDeep, streamformat::MaxRecordDepth));
  component->SetStateFlag(csWriting, true);
  const TScopeGuard written([component] { component->SetStateFlag(csWriting, false); });
  const auto current = TemporarilySet(component_, component);
  values_.WriteShortString(component->ClassName());
  values_.WriteShortString(component->Name());
  WriteProperties(component, String(), 0);
  values_.WriteListEnd();
  component->GetChildren([this, depth](TComponent* child) { WriteRecord(child, depth + 1); }, root_);
  values_.WriteListEnd();
}

void TComponentWriter::WriteProperties(TPersistent* instance, const String& prefix, int depth) {
  if (depth > MaxObjectDepth) throw EWriteError(Format(streammessages::TooDeep, MaxObjectDepth));
  for (const TPropInfo* prop : instance->ClassInfo().Properties()) WriteProperty(instance, *prop, prefix, depth);
  const auto prefixed = TemporarilySet(definePrefix_, prefix);
  const auto defining = TemporarilySet(defineInstance_, instance);
  instance->DefineProperties(*this);
}

void TComponentWriter::WriteProperty(TPersistent* instance, const TPropInfo& prop, const String& prefix, int depth) {
  if (!prop.IsStored(instance)) return;
  const String name = prefix + prop.Name;
  if (OnProperty && OnProperty(*this, component_, instance, name)) return;
  switch (prop.Kind()) {
    case tkInteger:
    case tkChar:
    case tkWChar:
    case tkEnumeration:
    case tkSet: {
      const std::int64_t value = GetOrdProp(instance, &prop);
      if (prop.Default && *prop.Default == value) return;
      // An enumeration value without a name could not be read back; the property keeps its
      // constructor value instead of making the whole stream unreadable.
      if (prop.Kind() == tkEnumeration && GetEnumName(*prop.PropType, value).empty()) return;
      values_.WriteShortString(name);
      WriteOrdinal(*prop.PropType, value);
      return;
    }
    case tkFloat: {
      const long double value = GetFloatProp(instance, &prop);
      if (value == 0) return;
      values_.WriteShortString(name);
      if (prop.PropType->FloatType == ftSingle) values_.WriteSingle(static_cast<float>(value));
      else values_.WriteFloat(value);
      return;
    }
    case tkString:
    case tkLString: {
      const String value = GetStrProp(instance, &prop);
      if (value.empty()) return;
      values_.WriteShortString(name);
      values_.WriteText(value);
      return;
    }
    case tkWString: {
      const WideString value = GetWideStrProp(instance, &prop);
      if (value.empty()) return;
      values_.WriteShortString(name);
      values_.WriteWideText(value);
      return;
    }
    case tkClass: {
      TObject* object = GetObjectProp(instance, &prop);
      if (auto* component = dynamic_cast<TComponent*>(object)) {
        const String reference = ReferenceName(component);
        if (reference.empty()) return;
        values_.WriteShortString(name);
        values_.WriteIdent(reference);
      } else if (auto* nested = dynamic_cast<TPersistent*>(object)) {
        WriteProperties(nested, name + ".", depth + 1);
      }
      return;
    }
    case tkMethod: {
      const TMethod method = GetMethodProp(instance, &prop);
      if (!method.Assigned() || !root_) return;
      const String handler = MethodName(root_->ClassInfo(), method);
      if (handler.empty()) return;
      values_.WriteShortString(name);
      values_.WriteIdent(handler);
      return;
    }
    default:
      return;
  }
}

void TComponentWriter::WriteOrdinal(const TTypeInfo& type, std::int64_t value) {
  switch (type.Kind) {
    case tkInteger: {
      String ident;
      if (IntToIdent(type, value, ident)) values_.WriteIdent(ident);
      else values_.WriteInteger(value);
      return;
    }
    case tkChar: values_.WriteText(String(1, static_cast<char>(value))); return;
    case tkWChar: values_.WriteWideText(WideString(1, static_cast<wchar_t>(value))); return;
    case tkEnumeration: values_.WriteIdent(GetEnumName(type, value)); return;
    case tkSet: {
      std::vector<String> members;
      for (int bit = 0; bit < 64 && type.ElementType; ++bit)
        if ((static_cast<std::uint64_t>(value) >> bit) & 1) members.push_back(GetEnumName(*type.ElementType, bit));
      values_.WriteSet(members);
      return;
    }
    default:
      values_.WriteInteger(value);
      return;
  }
}

String TComponentWriter::ReferenceName(TComponent* component) const {
  if (component->Name().empty()) return {};
  TComponent* owner = component->Owner();
  if (component == root_ || owner == root_ || !owner || owner->Name().empty()) return component->Name();
  return owner->Name() + "." + component->Name();
}

void TComponentWriter::DefineProperty(const String& name, const TReaderProc&, const TWriterProc& writeData,
                                      bool hasData) {
  if (!hasData || !writeData) return;
  values_.WriteShortString(definePrefix_ + name);
  writeData(*this);
}

void TComponentWriter::DefineBinaryProperty(const String& name, const TStreamProc&, const TStreamProc& writeData,
                                            bool hasData) {
  if (!hasData || !writeData) return;
  if (OnProperty && OnProperty(*this, component_, defineInstance_, definePrefix_ + name)) return;
  TMemoryStream data;
  writeData(data);
  values_.WriteShortString(definePrefix_ + name);
  values_.WriteBinary(data.Memory(), static_cast<std::size_t>(data.Size()));
}
