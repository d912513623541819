// The multi-select controller.
#include "designer/DsnSubMl.h"

#include <algorithm>
#include <vector>

#include "framework/windows/RedrawLock.h"

TDsnMlRegister::~TDsnMlRegister() { DropDotShape(); }

void TDsnMlRegister::SetDesigning(bool value) {
  if (!value) DropDotShape();
  TDsnRegister::SetDesigning(value);
}

void TDsnMlRegister::MouseDown(TWinControl* control, TComponent* component, TShiftState shift, const TPoint& point) {
  const bool creating = DsnPanel() && DsnPanel()->GetTemplate();
  if (creating || (!shift.Contains(ssCtrl) && component != DsnStage())) {
    TDsnRegister::MouseDown(control, component, shift, point);
    return;
  }
  SetGesture(TDsnGesture::AreaSelecting);
  MouseDownCtrlKey(control, component, shift, point);
}

void TDsnMlRegister::MoseMove(TWinControl* control, const TPoint& point, TShiftState shift) {
  if (Gesture() != TDsnGesture::AreaSelecting) {
    TDsnRegister::MoseMove(control, point, shift);
  } else if (shift.Contains(ssLeft)) {
    MouseMoveCtrlKey(control, point, shift);
  } else {
    // The button went up where the window did not see it: the area is abandoned.
    SetGesture(TDsnGesture::Idle);
    DropDotShape();
  }
}

void TDsnMlRegister::MoseUp(TWinControl* control, const TPoint& point, TShiftState shift) {
  if (Gesture() != TDsnGesture::AreaSelecting) {
    TDsnRegister::MoseUp(control, point, shift);
    return;
  }
  SetGesture(TDsnGesture::Idle);
  MouseUpCtrlKey(control, point, shift);
}

void TDsnMlRegister::MouseDownMove(TWinControl* control, TComponent* component, TShiftState shift,
                                   const TPoint& point) {
  if (shift.Contains(ssShift)) ToggleSelection(control, component);
  else TDsnRegister::MouseDownMove(control, component, shift, point);
}

void TDsnMlRegister::ToggleSelection(TWinControl* control, TComponent* component) {
  if (!AskSelect(DsnStage(), component).Contains(saMove)) return;
  SetDrawParent(component == control ? control->Parent() : control);
  TTargetList* targets = EnsureTargetList();
  const int index = targets->IndexOf(component);
  if (index >= 0) targets->Delete(index);
  else targets->Add(component);
}

void TDsnMlRegister::MouseMoveMove(TWinControl* control, const TPoint& point, TShiftState shift) {
  if (!shift.Contains(ssShift)) TDsnRegister::MouseMoveMove(control, point, shift);
}

void TDsnMlRegister::MouseUpMove(TWinControl* control, const TPoint& point, TShiftState shift) {
  if (!shift.Contains(ssShift)) {
    TDsnRegister::MouseUpMove(control, point, shift);
    return;
  }
  DropShape();
  if (TargetList()) TargetList()->SetPosition();
}

void TDsnMlRegister::RButtonDown(TWinControl* control, TControl* component, int x, int y) {
  if (component != DsnStage()) TDsnRegister::RButtonDown(control, component, x, y);
}

// ---------------------------------------------------------------------------------------------
// The area selection

std::unique_ptr<TMultiShape> TDsnMlRegister::CreateDotShape() { return std::make_unique<TMultiShape>(); }

void TDsnMlRegister::AbandonGesture() {
  DropDotShape();
  TDsnRegister::AbandonGesture();
}

void TDsnMlRegister::DropDotShape() {
  if (!dotShape_) return;
  dotShape_->DrowUp();
  dotShape_.reset();
}

void TDsnMlRegister::MouseDownCtrlKey(TWinControl* control, TComponent*, TShiftState, const TPoint& point) {
  SetDrawParent(DrawingParentOf(control));
  if (!DrawParent()) return;
  DropDotShape();
  dotShape_ = CreateDotShape();
  dotShape_->SetPenColor(clMaroon);
  dotShape_->SetPenWidth(1);
  dotShape_->SetPenStyle(psDot);
  TPoint start = InDrawingParent(control, point);
  Cutting(start.X, start.Y);
  SetStartPoint(start);
  dotShape_->AddNew();
  dotShape_->DrowOn(DrawParent());
}

void TDsnMlRegister::MouseMoveCtrlKey(TWinControl* control, const TPoint& point, TShiftState) {
  if (!dotShape_ || !DrawParent()) return;
  TPoint snapped = point;
  Cutting(snapped.X, snapped.Y);
  const TPoint at = InDrawingParent(control, snapped);
  dotShape_->SetWidth(at.X - StartX());
  dotShape_->SetHeight(at.Y - StartY());
  dotShape_->Drow(DrawParent()->ClientToScreen({StartX(), StartY()}));
}

void TDsnMlRegister::MouseUpCtrlKey(TWinControl* control, const TPoint& point, TShiftState) {
  if (!dotShape_) return;
  DropDotShape();
  TWinControl* parent = DrawParent();
  if (!parent) return;
  const TPoint end = InDrawingParent(control, point);
  const int left = std::min(StartX(), end.X), right = std::max(StartX(), end.X);
  const int top = std::min(StartY(), end.Y), bottom = std::max(StartY(), end.Y);
  TTargetList* targets = EnsureTargetList();
  // As with a paste: the old handles go and the new ones arrive all at once.
  TRedrawLock redraw(parent);
  TCursorChangeBatch cursors;
  targets->Clear();
  // The children as they are now: selecting adds handles to the same parent.
  std::vector<TControl*> inside;
  for (int i = 0; i < parent->ControlCount(); ++i) {
    TControl* child = parent->Controls(i);
    const bool overlaps = std::max(left, child->Left()) < std::min(right, child->Left() + child->Width()) &&
                          std::max(top, child->Top()) < std::min(bottom, child->Top() + child->Height());
    if (overlaps) inside.push_back(child);
  }
  // All additions first; the handles are laid out once at the end.
  for (TControl* child : inside)
    if (AskSelect(DsnStage(), child).Contains(saMove)) targets->Add(child);
  targets->SetPosition();
}

void RegisterDsnSubMlClasses() { RegisterClass(TDsnMlRegister::StaticClassInfo()); }
