// The selection partner and its receiver.
#include "designer/Dsnselect.h"

#include <algorithm>
#include <unordered_set>

#include "designer/DsnRegister.h"
#include "framework/core/Exception.h"

// ---------------------------------------------------------------------------------------------
// TSelectionManager

void TSelectionManager::CheckIndex(int index) const {
  if (index < 0 || index >= static_cast<int>(items_.size())) throw EListError(Format(messages::ListIndexError, index));
}

void TSelectionManager::ItemDeath(int index) {
  CheckIndex(index);
  items_[static_cast<std::size_t>(index)] = nullptr;
  Changed(opItemDeath);
}

void TSelectionManager::Add(void* item) {
  items_.push_back(static_cast<TControl*>(item));
  Changed(opAdd);
}

void TSelectionManager::Clear() {
  items_.clear();
  Changed(opClear);
}

void TSelectionManager::Delete(int index) {
  CheckIndex(index);
  items_.erase(items_.begin() + index);
  Changed(opDelete);
}

void TSelectionManager::Notification(TReceiveTargets* other) {
  if (IsLinkedTo(other)) items_.clear();
  TReceiveTargets::Notification(other);
}

void TSelectionManager::Changed(TSelectOperation operation) {
  // A partner going away with its form would call into a form already partly destroyed.
  if (!dsnSelect_->OnChangeSelected || dsnSelect_->ComponentState().Contains(csDestroying)) return;
  TList items;
  for (TControl* item : items_) items.Add(item);
  TSelectedComponents targets;  // the handler's for this call only
  targets.AssignList(&items);
  dsnSelect_->OnChangeSelected(dsnSelect_, &targets, operation);
}

// ---------------------------------------------------------------------------------------------
// TDsnSelect

void TDsnSelect::Publish(TPublisher<TDsnSelect>& p) {
  p.Prop("DsnRegister", &TDsnSelect::DsnRegister, &TDsnSelect::SetDsnRegister);
  p.Prop("OnChangeSelected", &TDsnSelect::OnChangeSelected);
}

TDsnSelect::~TDsnSelect() {
  BeforeDestruction();
  // The controller keeps its receivers by plain pointer: it must not link a destroyed one to its
  // next target list.
  if (notifiedRegister_ && manager_) notifiedRegister_->RemoveNotifies(manager_.get());
}

void TDsnSelect::SetDesigning(bool value) {
  TDsnPartner::SetDesigning(value);
  TDsnRegister* controller = DsnRegister();
  if (!value || !controller) return;
  if (!manager_) manager_ = std::make_unique<TSelectionManager>(this);
  if (notifiedRegister_ == controller) return;
  // The partner was moved to another controller since it last switched on.
  if (notifiedRegister_) notifiedRegister_->RemoveNotifies(manager_.get());
  controller->AddNotifies(manager_.get());
  notifiedRegister_.Set(controller);
}

void TDsnSelect::Select(TControl* control) {
  if (Designing() && CheckCanSelect(control)) Replace({control});
}

void TDsnSelect::MultipleSelect(const std::vector<TControl*>& controls) {
  if (!Designing()) return;
  if (std::any_of(controls.begin(), controls.end(), [this](TControl* c) { return CheckCanSelect(c); }))
    Replace(controls);
}

void TDsnSelect::Replace(const std::vector<TControl*>& controls) {
  TTargetList* targets = GetTargetList();
  if (!targets) {
    CreateTargetList();
    targets = GetTargetList();
  }
  targets->Clear();
  // Each control once: a repeat or a null would put the list out of step with its handles.
  std::unordered_set<TControl*> taken;
  for (TControl* control : controls)
    if (control && taken.insert(control).second) targets->Add(control);
  targets->SetPosition();
}

void RegisterDsnselectClasses() { RegisterClass(TDsnSelect::StaticClassInfo()); }
