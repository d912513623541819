// TComponent: ownership, names, destruction links and component state.
#include "framework/core/Component.h"

#include <algorithm>
#include <utility>

#include "framework/core/Filer.h"

bool IsValidIdent(const String& name) {
  if (name.empty()) return false;
  auto letter = [](char c) { return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || c == '_'; };
  if (!letter(name[0])) return false;
  return std::all_of(name.begin(), name.end(), [&](char c) { return letter(c) || (c >= '0' && c <= '9'); });
}

void TComponent::Publish(TPublisher<TComponent>& p) {
  p.Prop("Name", &TComponent::Name, &TComponent::SetName).Stored(false);
  p.Prop("Tag", &TComponent::Tag, &TComponent::SetTag).Default(0);
}

TComponent::TComponent(TComponent* owner) {
  if (owner) owner->InsertComponent(this);
}

TComponent::~TComponent() { BeforeDestruction(); }

void TComponent::BeforeDestruction() {
  if (destructionBegun_) return;
  destructionBegun_ = true;
  Destroying();
  StopWatching();
  while (!observers_.empty()) {
    TComponentObserver* observer = observers_.back();
    observers_.pop_back();
    observer->ComponentRemoved(this);
  }
  while (!freeNotifies_.empty()) {
    TComponent* other = freeNotifies_.back();
    freeNotifies_.pop_back();
    other->DropLink(this);
    other->Notification(this, opRemove);
  }
  // The watchers hear of every owned component going.
  DestroyComponents();
  for (TComponent* watcher : std::exchange(ownedWatchers_, {})) std::erase(watcher->watchedOwners_, this);
  if (owner_) owner_->RemoveComponent(this);
}

void TComponent::Destroying() {
  if (state_.Contains(csDestroying)) return;
  state_.Include(csDestroying);
  for (TComponent* c : components_) c->Destroying();
}

void TComponent::DestroyComponents() {
  while (!components_.empty()) {
    TComponent* last = components_.back();
    RemoveComponent(last);
    delete last;
  }
}

// ---- Notification and state ----

void TComponent::Notification(TComponent* component, TOperation operation) {
  // Links are two-way, so an empty list means there is nothing to drop (the common case).
  if (operation == opRemove && component && !freeNotifies_.empty()) RemoveFreeNotification(component);
}

void TComponent::NotifyOwnedChange(TComponent* component, TOperation operation) {
  Notification(component, operation);
  if (ownedWatchers_.empty()) return;
  // A watcher may stop watching, or go, while it is told.
  const std::vector<TComponent*> watchers = ownedWatchers_;
  for (TComponent* watcher : watchers)
    if (std::find(ownedWatchers_.begin(), ownedWatchers_.end(), watcher) != ownedWatchers_.end())
      watcher->Notification(component, operation);
}

void TComponent::Loaded() { state_.Exclude(csLoading); }

void TComponent::SetStateFlag(TComponentStateFlag flag, bool on) {
  if (on) state_.Include(flag);
  else state_.Exclude(flag);
}

void TComponent::SetDesigning(bool value, bool setChildren) {
  SetStateFlag(csDesigning, value);
  if (setChildren)
    for (TComponent* c : components_) c->SetDesigning(value, true);
}

// ---- Streaming hooks ----

void TComponent::GetChildren(const std::function<void(TComponent*)>&, TComponent*) {}
bool TComponent::HasParent() const { return false; }
TComponent* TComponent::GetParentComponent() const { return nullptr; }
void TComponent::SetParentComponent(TComponent*) {}

// Zero is the default position and is left out, like any property at its default.
void TComponent::DefineProperties(TFiler& filer) {
  if (HasParent()) return;
  auto half = [this](bool top) { return static_cast<std::int16_t>(top ? (designInfo_ >> 16) & 0xFFFF : designInfo_ & 0xFFFF); };
  auto setHalf = [this](bool top, int value) {
    const auto bits = static_cast<std::uint32_t>(static_cast<std::uint16_t>(value));
    const auto info = static_cast<std::uint32_t>(designInfo_);
    designInfo_ = static_cast<int>(top ? (info & 0x0000FFFFu) | (bits << 16) : (info & 0xFFFF0000u) | bits);
  };
  filer.DefineProperty(
      "Left", [setHalf](TReader& r) { setHalf(false, r.ReadInteger()); },
      [half](TWriter& w) { w.WriteInteger(half(false)); }, half(false) != 0);
  filer.DefineProperty(
      "Top", [setHalf](TReader& r) { setHalf(true, r.ReadInteger()); },
      [half](TWriter& w) { w.WriteInteger(half(true)); }, half(true) != 0);
}

TPersistent* TComponent::GetOwner() { return owner_; }

String TComponent::GetNamePath() { return name_; }

// ---- Ownership ----

TComponent* TComponent::Components(int index) const {
  if (index < 0 || index >= ComponentCount()) throw EListError(Format(messages::ListIndexError, index));
  return components_[static_cast<std::size_t>(index)];
}

int TComponent::ComponentIndex() const {
  if (!owner_) return -1;
  const auto& list = owner_->components_;
  return static_cast<int>(std::find(list.begin(), list.end(), this) - list.begin());
}

void TComponent::SetComponentIndex(int index) {
  if (!owner_) return;
  auto& list = owner_->components_;
  const int count = static_cast<int>(list.size());
  index = std::clamp(index, 0, count - 1);
  const int current = ComponentIndex();
  list.erase(list.begin() + current);
  list.insert(list.begin() + index, this);
}

void TComponent::InsertComponent(TComponent* component) {
  if (component->owner_) throw EComponentError(component->name_ + " already has an owner");
  ValidateRename(component, component->name_);
  Insert(component);
  NotifyOwnedChange(component, opInsert);
}

void TComponent::RemoveComponent(TComponent* component) {
  if (component->owner_ != this) return;
  NotifyOwnedChange(component, opRemove);
  Remove(component);
}

void TComponent::Insert(TComponent* component) {
  components_.push_back(component);
  component->owner_ = this;
  if (!component->name_.empty()) nameIndex_[UpperCase(component->name_)] = component;
}

void TComponent::Remove(TComponent* component) {
  auto it = std::find(components_.rbegin(), components_.rend(), component);
  if (it != components_.rend()) components_.erase(std::next(it).base());
  if (!component->name_.empty()) nameIndex_.erase(UpperCase(component->name_));
  component->owner_ = nullptr;
}

TComponent* TComponent::FindComponent(const String& name) const {
  if (name.empty()) return nullptr;
  auto it = nameIndex_.find(UpperCase(name));
  return it == nameIndex_.end() ? nullptr : it->second;
}

// ---- Names ----

void TComponent::ValidateRename(TComponent* component, const String& newName) const {
  if (newName.empty()) return;
  TComponent* existing = FindComponent(newName);
  if (existing && existing != component) throw EComponentError(Format(messages::DuplicateName, newName));
}

void TComponent::SetName(const String& newName) {
  if (newName == name_) return;
  if (!newName.empty() && !IsValidIdent(newName)) throw EComponentError(Format(messages::InvalidName, newName));
  if (owner_) {
    owner_->ValidateRename(this, newName);
    if (!name_.empty()) owner_->nameIndex_.erase(UpperCase(name_));
    if (!newName.empty()) owner_->nameIndex_[UpperCase(newName)] = this;
  }
  name_ = newName;
  if (owner_) owner_->OwnedComponentRenamed(this);
}

// ---- Destruction links ----

void TComponent::AddLink(TComponent* component) {
  if (std::find(freeNotifies_.begin(), freeNotifies_.end(), component) == freeNotifies_.end())
    freeNotifies_.push_back(component);
}

void TComponent::DropLink(TComponent* component) {
  auto it = std::find(freeNotifies_.begin(), freeNotifies_.end(), component);
  if (it != freeNotifies_.end()) freeNotifies_.erase(it);
}

void TComponent::FreeNotification(TComponent* component) {
  if (!component || component == this) return;
  AddLink(component);
  component->AddLink(this);
  state_.Include(csFreeNotification);
}

void TComponent::RemoveFreeNotification(TComponent* component) {
  if (!component) return;
  DropLink(component);
  component->DropLink(this);
}

// ---- Watchers of owned components ----

void TComponent::AddOwnedWatcher(TComponent* watcher) {
  if (!watcher || watcher == this || destructionBegun_ || watcher->destructionBegun_) return;
  if (std::find(ownedWatchers_.begin(), ownedWatchers_.end(), watcher) != ownedWatchers_.end()) return;
  ownedWatchers_.push_back(watcher);
  watcher->watchedOwners_.push_back(this);
}

void TComponent::RemoveOwnedWatcher(TComponent* watcher) {
  if (!watcher) return;
  std::erase(ownedWatchers_, watcher);
  std::erase(watcher->watchedOwners_, this);
}

void TComponent::StopWatching() {
  for (TComponent* owner : std::exchange(watchedOwners_, {})) std::erase(owner->ownedWatchers_, this);
}

// ---- Observers ----

bool TComponentObserver::Observe(TComponent* component) {
  if (!component || component->destructionBegun_) return false;
  component->observers_.push_back(this);
  return true;
}

void TComponentObserver::Unobserve(TComponent* component) {
  if (!component) return;
  auto& observers = component->observers_;
  auto it = std::find(observers.rbegin(), observers.rend(), this);
  if (it != observers.rend()) observers.erase(std::next(it).base());
}
