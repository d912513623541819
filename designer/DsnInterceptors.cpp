// The walk that puts interceptors on the stage's windows and transparent agents on the foreign
// windows among them, and the interceptors' life after it.
#include "designer/DsnInterceptors.h"

#include <algorithm>
#include <utility>

#include "designer/DsnRegister.h"
#include "designer/DsnStage.h"
#include "framework/core/ScopeGuard.h"

// ---------------------------------------------------------------------------------------------
// TDsnList

int TDsnList::IndexOf(const TDsnCtrl* interceptor) const {
  const auto it = std::find_if(items_.begin(), items_.end(), [&](const auto& item) { return item.get() == interceptor; });
  return it == items_.end() ? -1 : static_cast<int>(it - items_.begin());
}

std::unique_ptr<TDsnCtrl> TDsnList::Release(int index) {
  const auto at = items_.begin() + index;
  std::unique_ptr<TDsnCtrl> interceptor = std::move(*at);
  items_.erase(at);
  return interceptor;
}

void TDsnList::Clear() {
  const std::vector<std::unique_ptr<TDsnCtrl>> doomed = std::exchange(items_, {});
}

// ---------------------------------------------------------------------------------------------
// TDsnInterceptors

TDsnInterceptors::TDsnInterceptors(TDsnRegister& controller, TFactories factories)
    : controller_(controller), factories_(std::move(factories)) {}

TDsnInterceptors::~TDsnInterceptors() = default;

void TDsnInterceptors::EnsureList() {
  if (!list_) list_ = factories_.MakeList();
}

// The interceptors of a whole tree change their controls' cursors and ask for repaints at once:
// one repaint of the tree, and one look at the cursor under the mouse, instead of one per control.
template <class Work>
void TDsnInterceptors::WithOneRepaint(TWinControl* root, Work work) {
  TCursorChangeBatch cursors;
  {
    ++repaintDeferred_;
    const TScopeGuard undefer([this] { --repaintDeferred_; });
    work();
  }
  if (root && root->HandleAllocated())
    RedrawWindow(root->Handle(), nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN);
}

void TDsnInterceptors::Cover(TWinControl* root) {
  EnsureList();
  WithOneRepaint(root, [&] { CoverTree(root, nullptr); });
}

// `current` holds the transparent agents of foreign windows met below it.
void TDsnInterceptors::CoverTree(TWinControl* control, TDsnCtrl* current) {
  TDsnStage* stage = controller_.DsnStage();
  const TCoverAccept canCover = stage ? stage->AskCover(stage, control) : caAllAccept;
  if (canCover == caNoAccept) return;
  if (canCover == caAllAccept) {
    std::unique_ptr<TDsnCtrl> interceptor = factories_.MakeInterceptor(control);
    interceptor->SetController(&controller_);
    current = interceptor.get();
    list_->Add(std::move(interceptor));
  }
  TComponent* designOwner = stage ? stage->Owner() : control->Owner();
  TChildList children(control, control->Handle());
  for (int i = 0; i < children.Count(); ++i) {
    const TChildItem child = children.GetItems(i);
    if (child.Control && child.Control->Owner() == designOwner)
      CoverTree(child.Control, current);
    else if (current)
      current->Agents()->AddSubtree(child);
  }
}

void TDsnInterceptors::DestroyEvery() {
  if (list_) list_->Clear();
  departed_.clear();
}

void TDsnInterceptors::DestroyAll(TWinControl* repaintRoot) {
  WithOneRepaint(repaintRoot, [&] { DestroyEvery(); });
}

void TDsnInterceptors::DestroyOnExit() {
  for (int i = 0; list_ && i < list_->Count(); ++i) list_->Interceptors(i)->SetDying(true);
  DestroyEvery();
  list_.reset();
}

void TDsnInterceptors::Depart(const TComponent* control) {
  for (int i = list_ ? list_->Count() - 1 : -1; i >= 0; --i) {
    if (list_->Interceptors(i)->Control() != control) continue;
    controller_.AlertClientDeath();
    list_->Interceptors(i)->SetDying(true);
    departed_.push_back(list_->Release(i));
  }
}

void TDsnInterceptors::ClientDeath(TDsnCtrl* interceptor) {
  auto departed = std::find_if(departed_.begin(), departed_.end(), [&](const auto& d) { return d.get() == interceptor; });
  if (departed != departed_.end()) {
    departed_.erase(departed);
    return;
  }
  // A live interceptor that still has its window is a stale notice about a reused address.
  if (!list_ || list_->IndexOf(interceptor) < 0 || interceptor->Subclassed()) return;
  TWinControl* control = interceptor->Control();
  if (control && control->Parent()) interceptor->ChangeHandele(control->Handle());
}

void TDsnInterceptors::Reattach() {
  for (int i = 0; list_ && i < list_->Count(); ++i) {
    TDsnCtrl* interceptor = list_->Interceptors(i);
    TWinControl* control = interceptor->Control();
    if (!interceptor->Subclassed() && control && control->HandleAllocated()) interceptor->ChangeHandele(control->Handle());
  }
}
