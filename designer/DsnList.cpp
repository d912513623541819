// TReceiveTargets: symmetric links between selection receivers. TTargetList: the selection.
#include "designer/DsnList.h"

// ---------------------------------------------------------------------------------------------
// TReceiveTargets

TReceiveTargets::~TReceiveTargets() {
  if (!receivers_) return;
  // The others drop their link to this one; a copy, because their Notification may be anything.
  TList linked;
  linked.Assign(*receivers_);
  for (int i = 0; i < linked.Count(); ++i) static_cast<TReceiveTargets*>(linked[i])->Notification(this);
}

void TReceiveTargets::Notification(TReceiveTargets* other) {
  if (other && receivers_) receivers_->Remove(other);
}

void TReceiveTargets::SelectNotification(TReceiveTargets* other) {
  if (!other) return;
  if (!receivers_) receivers_ = std::make_unique<TList>();
  if (receivers_->IndexOf(other) >= 0) return;
  receivers_->Add(other);
  other->SelectNotification(this);  // comes back here and stops at the test above
}

bool TReceiveTargets::IsLinkedTo(TReceiveTargets* other) const {
  return receivers_ && receivers_->IndexOf(other) >= 0;
}

// ---------------------------------------------------------------------------------------------
// TTargetList

TTargetList::TTargetList() : items_(std::make_unique<TList>()) {}

TTargetList::~TTargetList() = default;

int TTargetList::GetCount() const { return items_ ? items_->Count() : -1; }

TControl* TTargetList::GetItems(int index) const {
  if (!items_ || index < 0 || index >= items_->Count()) return nullptr;
  return static_cast<TControl*>(items_->Items(index));
}

int TTargetList::IndexOf(void* item) const { return items_ ? items_->IndexOf(item) : -1; }

void TTargetList::ItemDeath(int index) {
  items_->Put(index, nullptr);
  ForEachReceiver([index](TReceiveTargets* r) { r->ItemDeath(index); });
}

void TTargetList::Add(void* item) {
  items_->Add(item);
  ForEachReceiver([item](TReceiveTargets* r) { r->Add(item); });
}

void TTargetList::Clear() {
  items_->Clear();
  ForEachReceiver([](TReceiveTargets* r) { r->Clear(); });
}

void TTargetList::Delete(int index) {
  items_->Delete(index);
  ForEachReceiver([index](TReceiveTargets* r) { r->Delete(index); });
}

void TTargetList::SetPosition() {
  ForEachReceiver([](TReceiveTargets* r) { r->SetPosition(); });
}
