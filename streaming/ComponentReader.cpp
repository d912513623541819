// TComponentReader: checking, creating, reading properties, fixups, Loaded, and undoing a failed
// read.
//
// Sections: whole components · the read transaction · records · properties · fixups · filer.
#include "streaming/ComponentReader.h"

#include <algorithm>

#include "framework/core/ScopeGuard.h"
#include "framework/core/Stream.h"
#include "streaming/GlobalRoots.h"
#include "streaming/StreamFormat.h"

namespace {

[[noreturn]] void RaiseUnknownProperty(const String& path) {
  throw EReadError(Format(streammessages::UnknownProperty, path));
}

const TClassInfo& CreatableClass(const String& className) {
  const TClassInfo* info = GetClass(className);
  if (!info) throw EClassNotFound(Format(messages::ClassNotFound, className));
  if (!info->InheritsFrom(TComponent::StaticClassInfo()) || !info->CanCreate())
    throw EClassNotFound(Format(streammessages::NotAComponent, className));
  return *info;
}

bool IsIntegerTag(TValueType type) {
  return type == TValueType::vaInt8 || type == TValueType::vaInt16 || type == TValueType::vaInt32 ||
         type == TValueType::vaInt64;
}

bool FitsType(const TTypeInfo& type, std::int64_t value) {
  if (type.Kind == tkSet) return value >= 0 && (value & ~type.MaxValue) == 0;
  return value >= type.MinValue && value <= type.MaxValue;
}

}  // namespace

TComponentReader::TComponentReader(TStream& stream) : stream_(stream) {}

TValueReader& TComponentReader::Values() {
  if (!values_) throw EInvalidOperation("No component stream is being read");
  return *values_;
}

// ---- Whole components ----

TComponent* TComponentReader::ReadComponent(TComponent* owner, TComponent* parent) {
  TComponent* result = nullptr;
  Transact(TReadShape::Component, [&] {
    root_ = owner;
    Values().ReadSignature();
    result = ReadRecord(owner, parent);
  });
  return result;
}

void TComponentReader::ReadRootComponent(TComponent* root) {
  Transact(TReadShape::Root, [&] {
    TValueReader& values = Values();
    values.ReadSignature();
    std::uint8_t flags;
    int childPos;
    values.ReadPrefix(flags, childPos);
    const String className = values.ReadShortString();
    const String name = values.ReadShortString();
    if (!SameText(className, root->ClassName()))
      throw EReadError(Format(streammessages::RootClassMismatch, className, root->ClassName()));
    root_ = root;
    BeginLoading(root);
    if (root->Name().empty()) NameComponent(root, name);
    ReadRecordBody(root);
  });
}

void TComponentReader::ReadComponents(TComponent* owner, TComponent* parent,
                                      const std::function<void(TComponent*)>& proc) {
  std::vector<TComponent*> topLevel;
  Transact(TReadShape::List, [&] {
    TValueReader& values = Values();
    while (!values.AtListEnd()) {
      values.ReadSignature();
      root_ = owner;  // without an owner each component is a root of its own
      topLevel.push_back(ReadRecord(owner, parent));
    }
    values.ReadListEnd();
  });
  if (proc)
    for (TComponent* component : topLevel) proc(component);
}

void TComponentReader::CheckComponents() {
  LoadBytes();
  const TScopeGuard reset([this] { Reset(); });
  CheckShape(TReadShape::List);
}

// ---- The read transaction ----

void TComponentReader::Transact(TReadShape shape, const std::function<void()>& read) {
  const std::int64_t start = stream_.Position();
  LoadBytes();
  TScopeGuard undo([&] {
    Rollback();
    Reset();
    stream_.SetPosition(start);
  });
  CheckShape(shape);
  values_.emplace(bytes_, byteCount_);
  read();
  Finish();
  undo.Dismiss();
  const std::size_t consumed = values_->Position();
  Reset();
  stream_.SetPosition(start + static_cast<std::int64_t>(consumed));
}

void TComponentReader::LoadBytes() {
  const std::int64_t start = stream_.Position();
  const std::int64_t available = std::max<std::int64_t>(stream_.Size() - start, 0);
  if (rules_ && static_cast<std::uint64_t>(available) > rules_->MaxBytes)
    throw EDocumentRefused("The document is larger than " + IntToStr(static_cast<std::int64_t>(rules_->MaxBytes >> 20)) +
                           " MB");
  byteCount_ = static_cast<std::size_t>(available);
  if (auto* memory = dynamic_cast<TMemoryStream*>(&stream_)) {
    bytes_ = available > 0 ? memory->Memory() + start : nullptr;
    return;
  }
  // Only as many bytes as the stream really holds.
  ownBytes_.resize(byteCount_);
  stream_.ReadBuffer(ownBytes_.data(), available);
  stream_.SetPosition(start);
  bytes_ = ownBytes_.data();
}

void TComponentReader::CheckShape(TReadShape shape) const {
  TValueReader check(bytes_, byteCount_);
  const auto visit = [this, shape](const String& className, const String& name, std::uint8_t flags, int depth) {
    if (rules_) {
      // Such a record would reach a component the document did not make.
      if (flags & (streamformat::ffInherited | streamformat::ffInline))
        throw EDocumentRefused("The document's record " + name + " stands for a component outside it");
      rules_->CheckClass(className);
    }
    const bool created = !(flags & streamformat::ffInherited) && !(shape == TReadShape::Root && depth == 0);
    if (!created) return;
    CreatableClass(className);
    // A name the component would refuse is damage found before anything is made.
    if (!name.empty() && !IsValidIdent(name)) throw EReadError(Format(messages::InvalidName, name));
  };
  if (shape == TReadShape::List) {
    while (!check.AtListEnd()) {
      check.ReadSignature();
      check.SkipRecord(visit);
    }
    check.ReadListEnd();
  } else {
    check.ReadSignature();
    check.SkipRecord(visit);
  }
}

void TComponentReader::Finish() {
  ResolveReferences();
  BindEvents();
  for (TComponent* component : loading_) component->SetStateFlag(csReading, false);
  for (TComponent* component : loading_) component->Loaded();
}

void TComponentReader::Rollback() noexcept {
  for (TComponent* component : loading_) {
    component->SetStateFlag(csReading, false);
    component->SetStateFlag(csLoading, false);
  }
  // The last created first: children go before the parents they are parented to.
  for (auto it = created_.rbegin(); it != created_.rend(); ++it) delete *it;
  created_.clear();
}

void TComponentReader::Reset() {
  values_.reset();
  ownBytes_ = {};
  bytes_ = nullptr;
  byteCount_ = 0;
  root_ = nullptr;
  created_.clear();
  loading_.clear();
  references_.clear();
  events_.clear();
  pixelsCharged_ = 0;
}

// ---- Records ----

TComponent* TComponentReader::ReadRecord(TComponent* owner, TComponent* parent) {
  TValueReader& values = Values();
  std::uint8_t flags;
  int childPos;  // no ancestor here to reorder against; the record order is the order
  values.ReadPrefix(flags, childPos);
  const String className = values.ReadShortString();
  const String name = values.ReadShortString();
  TComponent* component;
  if (flags & streamformat::ffInherited) {
    component = owner ? owner->FindComponent(name) : nullptr;
    if (!component) throw EReadError(Format(streammessages::AncestorNotFound, name));
    BeginLoading(component);
  } else {
    component = CreateComponent(className, owner);
    if (!root_) root_ = component;
    if (flags & streamformat::ffInline) component->SetStateFlag(csInline, true);
    BeginLoading(component);
    NameComponent(component, name);
    if (parent) component->SetParentComponent(parent);
  }
  ReadRecordBody(component);
  return component;
}

TComponent* TComponentReader::CreateComponent(const String& className, TComponent* owner) {
  const TClassInfo& info = CreatableClass(className);
  // Room first, so that recording the component cannot fail once it exists.
  if (created_.size() == created_.capacity()) created_.reserve(std::max<std::size_t>(16, 2 * created_.capacity()));
  TComponent* component = info.Create(owner);
  created_.push_back(component);
  if (rules_) component->SetStateFlag(csFromDocument, true);
  return component;
}

void TComponentReader::BeginLoading(TComponent* component) {
  loading_.push_back(component);
  component->SetStateFlag(csLoading, true);
  component->SetStateFlag(csReading, true);
}

void TComponentReader::NameComponent(TComponent* component, const String& name) {
  String newName = name;
  if (OnSetName) OnSetName(this, component, newName);
  component->SetName(newName);
}

// Properties, then the child records, owned by the root and parented to this component.
void TComponentReader::ReadRecordBody(TComponent* component) {
  ReadProperties(component);
  if (rules_ && rules_->CheckComponent) rules_->CheckComponent(*component);
  TValueReader& values = Values();
  while (!values.AtListEnd()) ReadRecord(root_, component);
  values.ReadListEnd();
}

// ---- Properties ----

void TComponentReader::ReadProperties(TComponent* component) {
  TValueReader& values = Values();
  while (!values.AtListEnd()) {
    const String path = values.ReadShortString();
    // Where the value ends is known before it is read: a property that fails, or a callback that
    // reads too little or too much, leaves the stream in step for the next entry.
    TValueReader probe = values;
    probe.SkipValue();
    const std::size_t valueEnd = probe.Position();
    try {
      ReadProperty(component, path);
      if (values.Position() != valueEnd) RaisePropertyValueError();
    } catch (const Exception& error) {
      if (!Handled(error)) throw;
      values.SetPosition(valueEnd);
    }
  }
  values.ReadListEnd();
}

bool TComponentReader::Handled(const Exception& error) {
  if (dynamic_cast<const EDocumentRefused*>(&error)) return false;
  bool handled = false;
  if (OnError) OnError(this, error.Message(), handled);
  return handled;
}

void TComponentReader::ReadProperty(TPersistent* instance, const String& path) {
  TPersistent* target = instance;
  std::size_t start = 0;
  for (std::size_t dot = path.find('.'); dot != String::npos; dot = path.find('.', start)) {
    const TPropInfo* prop = GetPropInfo(target, path.substr(start, dot - start));
    if (!prop || prop->Kind() != tkClass) RaiseUnknownProperty(path);
    // Only objects the property's holder owns: a dotted path never reaches into a referenced
    // component.
    TObject* object = GetObjectProp(target, prop);
    auto* nested = dynamic_cast<TPersistent*>(object);
    if (!nested || dynamic_cast<TComponent*>(object)) RaiseUnknownProperty(path);
    target = nested;
    start = dot + 1;
  }
  const String name = path.substr(start);
  if (const TPropInfo* prop = GetPropInfo(target, name)) {
    ReadPropValue(target, *prop);
    return;
  }
  bool found = false;
  {
    const auto pendingName = TemporarilySet(pendingName_, &name);
    const auto pendingInstance = TemporarilySet(pendingInstance_, static_cast<const TPersistent*>(target));
    const auto pendingFound = TemporarilySet(pendingFound_, false);
    target->DefineProperties(*this);
    found = pendingFound_;
  }
  if (!found) RaiseUnknownProperty(path);
}

void TComponentReader::ReadPropValue(TPersistent* instance, const TPropInfo& prop) {
  TValueReader& values = Values();
  const TTypeInfo& type = *prop.PropType;
  switch (prop.Kind()) {
    case tkInteger: {
      std::int64_t value;
      if (values.NextValue() == TValueType::vaIdent) {
        if (!IdentToInt(type, values.ReadIdent(), value)) RaisePropertyValueError();
      } else {
        value = values.ReadInt64();
      }
      SetOrdinal(instance, prop, value);
      return;
    }
    case tkChar: {
      if (IsIntegerTag(values.NextValue())) {
        SetOrdinal(instance, prop, values.ReadInt64());
      } else {
        const String text = values.ReadText();
        if (text.size() != 1) RaisePropertyValueError();
        SetOrdinal(instance, prop, static_cast<unsigned char>(text[0]));
      }
      return;
    }
    case tkWChar: {
      if (IsIntegerTag(values.NextValue())) {
        SetOrdinal(instance, prop, values.ReadInt64());
      } else {
        const WideString text = values.ReadWideText();
        if (text.size() != 1) RaisePropertyValueError();
        SetOrdinal(instance, prop, static_cast<std::uint16_t>(text[0]));
      }
      return;
    }
    case tkEnumeration: {
      const int value = GetEnumValue(type, values.ReadIdent());
      if (value < 0) RaisePropertyValueError();
      SetOrdinal(instance, prop, value);
      return;
    }
    case tkSet: {
      std::uint64_t bits = 0;
      for (const String& member : values.ReadSet()) {
        const int ordinal = type.ElementType ? GetEnumValue(*type.ElementType, member) : -1;
        if (ordinal < 0 || ordinal >= 64) RaisePropertyValueError();
        bits |= std::uint64_t{1} << ordinal;
      }
      SetOrdinal(instance, prop, static_cast<std::int64_t>(bits));
      return;
    }
    case tkFloat: SetFloatProp(instance, &prop, values.ReadFloat()); return;
    case tkString:
    case tkLString: SetStrProp(instance, &prop, values.ReadText()); return;
    case tkWString: SetWideStrProp(instance, &prop, values.ReadWideText()); return;
    case tkClass: {
      if (values.NextValue() == TValueType::vaNil) {
        values.ReadValueType();
        SetObjectProp(instance, &prop, nullptr);
        return;
      }
      if (!type.ClassType || !type.ClassType->InheritsFrom(TComponent::StaticClassInfo())) RaisePropertyValueError();
      references_.push_back({instance, &prop, ReadReferenceName(), root_});
      return;
    }
    case tkMethod: {
      if (values.NextValue() == TValueType::vaNil) {
        values.ReadValueType();
        SetMethodProp(instance, &prop, TMethod{});
        return;
      }
      events_.push_back({instance, &prop, ReadReferenceName(), root_});
      return;
    }
    default:
      RaisePropertyValueError();
  }
}

void TComponentReader::SetOrdinal(TPersistent* instance, const TPropInfo& prop, std::int64_t value) {
  if (!FitsType(*prop.PropType, value)) RaisePropertyValueError();
  SetOrdProp(instance, &prop, value);
}

// An identifier; a component or method named False, True or Null comes as that tag.
String TComponentReader::ReadReferenceName() {
  TValueReader& values = Values();
  switch (values.NextValue()) {
    case TValueType::vaIdent:
    case TValueType::vaFalse:
    case TValueType::vaTrue:
    case TValueType::vaNull:
      return values.ReadIdent();
    default:
      values.ReadValueType();
      RaisePropertyValueError();
  }
}

// ---- Fixups ----

namespace {

// "Name" under the root (or the root itself, or another registered root); "Root.Name" under a
// registered root. Nothing when there is no such component: the reference stays empty.
TComponent* ResolveReference(TComponent* root, const String& name) {
  const std::size_t dot = name.find('.');
  if (dot != String::npos) {
    const String rootName = name.substr(0, dot);
    TComponent* other = root && SameText(root->Name(), rootName) ? root : FindGlobalRoot(rootName);
    return other ? other->FindComponent(name.substr(dot + 1)) : nullptr;
  }
  if (root) {
    if (TComponent* component = root->FindComponent(name)) return component;
    if (SameText(root->Name(), name)) return root;
  }
  return FindGlobalRoot(name);
}

}  // namespace

TComponent* TComponentReader::CreatedNamed(const String& name) const {
  const auto found = std::ranges::find_if(created_, [&name](const TComponent* c) { return SameText(c->Name(), name); });
  return found != created_.end() ? *found : nullptr;
}

void TComponentReader::ChargePixels(std::span<const std::uint8_t> data) {
  if (!rules_ || !rules_->PixelsOf) return;
  pixelsCharged_ += rules_->PixelsOf(*pendingInstance_, data);
  if (pixelsCharged_ > rules_->MaxPixels)
    throw EDocumentRefused("The document's pictures together are larger than " +
                           IntToStr(static_cast<std::int64_t>(rules_->MaxPixels / 1'000'000)) + " megapixels");
}

void TComponentReader::ResolveReferences() {
  for (const TReferenceFixup& fixup : references_) {
    // A document's references stay inside it.
    if (rules_) {
      TComponent* target = CreatedNamed(fixup.Name);
      if (!target) throw EDocumentRefused("The document refers to " + fixup.Name + ", which is not in it");
      SetObjectProp(fixup.Instance, fixup.Prop, target);
      continue;
    }
    try {
      if (TComponent* target = ResolveReference(fixup.Root, fixup.Name)) SetObjectProp(fixup.Instance, fixup.Prop, target);
    } catch (const Exception& error) {
      if (!Handled(error)) throw;
    }
  }
}

void TComponentReader::BindEvents() {
  for (const TReferenceFixup& fixup : events_) {
    if (rules_) rules_->CheckHandler(fixup.Instance->ClassInfo(), fixup.Prop->Name, fixup.Name);
    TComponent* methods = MethodRoot ? MethodRoot : fixup.Root;
    try {
      const TMethodCode* code = methods ? methods->ClassInfo().FindMethod(fixup.Name) : nullptr;
      bool error = code == nullptr;
      if (OnFindMethod) OnFindMethod(this, fixup.Name, code, error);
      if (error) throw EReadError(Format(streammessages::MethodNotFound, fixup.Name));
      SetMethodProp(fixup.Instance, fixup.Prop, code ? TMethod{code, methods} : TMethod{});
    } catch (const Exception& error) {
      if (!Handled(error)) throw;
    }
  }
}

// ---- Filer ----

void TComponentReader::DefineProperty(const String& name, const TReaderProc& readData, const TWriterProc&, bool) {
  if (!pendingName_ || pendingFound_ || !SameText(name, *pendingName_)) return;
  pendingFound_ = true;
  if (!readData) RaiseUnknownProperty(name);
  readData(*this);
}

void TComponentReader::DefineBinaryProperty(const String& name, const TStreamProc& readData, const TStreamProc&,
                                            bool) {
  if (!pendingName_ || pendingFound_ || !SameText(name, *pendingName_)) return;
  pendingFound_ = true;
  if (!readData) RaiseUnknownProperty(name);
  const std::string_view payload = Values().ReadBinary();
  ChargePixels({reinterpret_cast<const std::uint8_t*>(payload.data()), payload.size()});
  TMemoryStream data;
  data.WriteBuffer(payload.data(), static_cast<std::int64_t>(payload.size()));
  data.SetPosition(0);
  readData(data);
}
