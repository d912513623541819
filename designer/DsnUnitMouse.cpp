// The controller's mouse gestures: selecting and moving, drawing a new control from the palette's
// template, nudging from the keyboard, and the context menu of property values.
#include <algorithm>
#include <climits>
#include <cstdlib>

#include "designer/DsnInfo.h"
#include "designer/DsnUnit.h"

// ---------------------------------------------------------------------------------------------
// TDsnRegister: mouse

void TDsnRegister::Cutting(int& x, int& y) const {
  if (MoveWidth() > 0) x = x / MoveWidth() * MoveWidth();
  if (MoveHeight() > 0) y = y / MoveHeight() * MoveHeight();
}

TSelectAccept TDsnRegister::AskSelect(TObject* sender, TComponent* component) {
  return dsnStage_ ? dsnStage_->AskSelect(sender, component) : TSelectAccept{saCreate, saMove};
}

bool TDsnRegister::AskMove(TControl* control) { return !dsnStage_ || dsnStage_->AskMove(control); }

void TDsnRegister::MouseDown(TWinControl* control, TComponent* component, TShiftState shift, const TPoint& point) {
  if (dsnPanel_ && dsnPanel_->GetTemplate()) {
    gesture_.SetKind(TDsnGesture::Creating);
    MouseDownCreate(control, component, shift, point);
  } else {
    gesture_.SetKind(TDsnGesture::Moving);
    MouseDownMove(control, component, shift, point);
  }
}

void TDsnRegister::MoseMove(TWinControl* control, const TPoint& point, TShiftState shift) {
  switch (gesture_.Kind()) {
    case TDsnGesture::Creating: MouseMoveCreate(control, point, shift); return;
    case TDsnGesture::Moving:
      if (shift.Contains(ssLeft)) {
        MouseMoveMove(control, point, shift);
        return;
      }
      // The button went up where the window did not see it: the drag is abandoned.
      gesture_.End();
      return;
    default: DropShape();
  }
}

void TDsnRegister::MoseUp(TWinControl* control, const TPoint& point, TShiftState shift) {
  const TDsnGesture gesture = gesture_.Kind();
  gesture_.SetKind(TDsnGesture::Idle);
  switch (gesture) {
    case TDsnGesture::Creating: MouseUpCreate(control, point, shift); return;
    case TDsnGesture::Moving: MouseUpMove(control, point, shift); return;
    default: return;
  }
}

bool TDsnRegister::SelectForPress(TWinControl* control, TComponent* component) {
  if (!AskSelect(dsnStage_, component).Contains(saMove)) return false;
  SetDrawParent(component == control ? control->Parent() : control);
  TTargetList* targets = EnsureTargetList();
  if (targets->GetCount() == 0) {
    targets->Add(component);
  } else if (targets->IndexOf(component) < 0 || !SameParent()) {
    targets->Clear();
    targets->Add(component);
  }
  return true;
}

void TDsnRegister::MouseDownMove(TWinControl* control, TComponent* component, TShiftState, const TPoint& point) {
  if (!SelectForPress(control, component) || !SameParent() || !DrawParent()) return;
  TMultiShape* shape = TakeShape(CreateMoveShape());
  int x = point.X, y = point.Y;
  Cutting(x, y);
  SetStartPoint({x, y});
  shape->SetOffset(DrawParent()->ClientToScreen({x, y}));
  for (int i = 0; i < targetList_->GetCount(); ++i) shape->Add(targetList_->GetItems(i));
  shape->DrowOn(DrawParent());
}

TPoint TDsnRegister::MoveTarget(const TPoint& point, TShiftState shift) {
  TPoint target = point;
  Cutting(target.X, target.Y);
  if (!snapLines_ || shift.Contains(ssAlt) || !DrawParent() || !targetList_ || targetList_->GetCount() == 0) {
    gesture_.HideSnapLines();
    return target;
  }
  std::vector<const TControl*> moving;
  TRect box{INT_MAX, INT_MAX, INT_MIN, INT_MIN};
  for (int i = 0; i < targetList_->GetCount(); ++i) {
    const TControl* c = targetList_->GetItems(i);
    if (!c) continue;
    moving.push_back(c);
    box = {std::min(box.Left, c->Left()), std::min(box.Top, c->Top()), std::max(box.Right, c->Left() + c->Width()),
           std::max(box.Bottom, c->Top() + c->Height())};
  }
  if (moving.empty()) return target;
  const TPoint start = gesture_.Start();
  const TSnapped snapped = SnapMove(box, {point.X - start.X, point.Y - start.Y}, SnapSiblings(*moving.front(), moving));
  if (snapped.DX) target.X = start.X + *snapped.DX;
  if (snapped.DY) target.Y = start.Y + *snapped.DY;
  std::vector<TSnapLine> onScreen;
  for (const TSnapLine& line : snapped.Lines) {
    const TPoint from = DrawParent()->ClientToScreen({line.X1, line.Y1});
    const TPoint to = DrawParent()->ClientToScreen({line.X2, line.Y2});
    onScreen.push_back({from.X, from.Y, to.X, to.Y});
  }
  gesture_.ShowSnapLines(onScreen);
  return target;
}

void TDsnRegister::MouseMoveMove(TWinControl*, const TPoint& point, TShiftState shift) {
  if (!Shape() || !DrawParent()) return;
  if (SameParent()) Shape()->Drow(DrawParent()->ClientToScreen(MoveTarget(point, shift)));
}

void TDsnRegister::MouseUpMove(TWinControl*, const TPoint& point, TShiftState shift) {
  const TPoint target = Shape() && DrawParent() ? MoveTarget(point, shift) : point;
  const int x = target.X, y = target.Y;
  if (SameParent() && Shape()) {
    DropShape();
    for (int i = 0; targetList_ && i < targetList_->GetCount(); ++i) {
      TControl* target = targetList_->GetItems(i);
      if (!target || !AskMove(target)) continue;
      target->SetLeft(target->Left() + (x - StartX()));
      target->SetTop(target->Top() + (y - StartY()));
    }
    // Only a move under way is reported: a press that started none has no start point of its own.
    const int dx = StartX() - x, dy = StartY() - y;
    if (dx != 0 || dy != 0) Moved(dx, dy);
  }
  if (targetList_) targetList_->SetPosition();
}

void TDsnRegister::DbClick(TControl* control, TWMMouse&) {
  if (dsnStage_ && dsnStage_->OnCoverDblClick) dsnStage_->OnCoverDblClick(dsnStage_, control);
}

void TDsnRegister::RButtonDown(TWinControl* control, TControl* component, int, int) {
  if (!SelectForPress(control, component)) return;
  targetList_->SetPosition();
}

void TDsnRegister::Resized(TControl*, TResizeMessage&) {
  if (!props_) return;
  props_->GetValues();
  props_->SetPosition();
}

void TDsnRegister::Moved(int, int) {
  if (props_) props_->GetValues();
}

void TDsnRegister::SelectByInspect(TControl* control) {
  TTargetList* targets = EnsureTargetList();
  targets->Clear();
  targets->Add(control);
  targets->SetPosition();
}

// ---------------------------------------------------------------------------------------------
// TDsnRegister: keyboard moves

namespace {

// `value` moved toward `wanted`, but not beyond [low, high] unless it already was.
int KeptInside(int value, int wanted, int low, int high) {
  return std::clamp(wanted, std::min(low, value), std::max(high, value));
}

}  // namespace

bool TDsnRegister::CanArrange(TDsnArrangement what) const {
  if (!targetList_ || targetList_->GetCount() < ControlsNeeded(what) || !SameParent()) return false;
  for (int i = 0; i < targetList_->GetCount(); ++i)
    if (!targetList_->GetItems(i) || targetList_->GetItems(i) == dsnStage_) return false;
  return true;
}

void TDsnRegister::Arrange(TDsnArrangement what) {
  if (!CanArrange(what)) return;
  std::vector<TControl*> controls;
  for (int i = 0; i < targetList_->GetCount(); ++i) controls.push_back(targetList_->GetItems(i));
  if (!ArrangeControls(controls, what, {MoveWidth(), MoveHeight()})) return;
  targetList_->SetPosition();
  if (props_) props_->GetValues();
  DesignChanged();
}

void TDsnRegister::Nudge(int dx, int dy, bool resize, bool fine) {
  if (!targetList_ || targetList_->GetCount() <= 0 || !SameParent()) return;
  const int stepX = fine || MoveWidth() <= 0 ? 1 : MoveWidth();
  const int stepY = fine || MoveHeight() <= 0 ? 1 : MoveHeight();
  bool changed = false;
  for (int i = 0; i < targetList_->GetCount(); ++i) {
    TControl* target = targetList_->GetItems(i);
    if (!target || target == dsnStage_ || !target->Parent()) continue;
    const TRect area = target->Parent()->ClientRect();
    TRect bounds{target->Left(), target->Top(), target->Left() + target->Width(), target->Top() + target->Height()};
    if (resize) {
      bounds.Right = KeptInside(bounds.Right, std::max(bounds.Left + 1, bounds.Right + dx * stepX), bounds.Left + 1, area.Right);
      bounds.Bottom = KeptInside(bounds.Bottom, std::max(bounds.Top + 1, bounds.Bottom + dy * stepY), bounds.Top + 1, area.Bottom);
    } else {
      if (!AskMove(target)) continue;
      const int left = KeptInside(bounds.Left, bounds.Left + dx * stepX, 0, area.Right - target->Width());
      const int top = KeptInside(bounds.Top, bounds.Top + dy * stepY, 0, area.Bottom - target->Height());
      bounds = {left, top, left + target->Width(), top + target->Height()};
    }
    if (bounds.Left == target->Left() && bounds.Top == target->Top() && bounds.Width() == target->Width() &&
        bounds.Height() == target->Height())
      continue;
    target->SetBounds(bounds.Left, bounds.Top, bounds.Width(), bounds.Height());
    changed = true;
  }
  if (!changed) return;
  targetList_->SetPosition();
  if (props_) props_->GetValues();
  DesignChanged();
}

// ---------------------------------------------------------------------------------------------
// TDsnRegister: creating from the palette's template

TWinControl* TDsnRegister::DrawingParentOf(TWinControl* control) {
  return control->ControlStyle().Contains(csAcceptsControls) ? control : control->Parent();
}

TPoint TDsnRegister::InDrawingParent(TWinControl* control, TPoint point) {
  if (!control->ControlStyle().Contains(csAcceptsControls)) {
    point.X += control->Left();
    point.Y += control->Top();
  }
  return point;
}

TPoint TDsnRegister::CreationPoint(TWinControl* control, TPoint point, bool snapFirst) {
  if (snapFirst) Cutting(point.X, point.Y);
  point = InDrawingParent(control, point);
  if (!snapFirst) Cutting(point.X, point.Y);
  return point;
}

void TDsnRegister::MouseDownCreate(TWinControl* control, TComponent* component, TShiftState, const TPoint& point) {
  if (!AskSelect(dsnStage_, component).Contains(saCreate)) return;
  SetDrawParent(DrawingParentOf(control));
  if (!DrawParent()) return;
  TMultiShape* shape = TakeShape(CreateCopyShape());
  const TPoint start = CreationPoint(control, point, false);
  SetStartPoint(start);
  shape->SetOffset(start);
  shape->AddNew();
  shape->DrowOn(DrawParent());
}

void TDsnRegister::MouseMoveCreate(TWinControl* control, const TPoint& point, TShiftState) {
  if (!Shape() || !DrawParent()) return;
  const TPoint p = CreationPoint(control, point, true);
  Shape()->SetWidth(p.X - StartX());
  Shape()->SetHeight(p.Y - StartY());
  Shape()->Drow(DrawParent()->ClientToScreen(gesture_.Start()));
}

void TDsnRegister::MouseUpCreate(TWinControl* control, const TPoint& point, TShiftState) {
  if (Shape() && DrawParent()) {
    const TPoint end = CreationPoint(control, point, true);
    DropShape();
    const int w = end.X - StartX(), h = end.Y - StartY();
    try {
      auto* source = dynamic_cast<TControl*>(dsnPanel_->GetTemplate());
      if (!source) throw EInvalidOperation("The template is no control");
      CopyPaste(source, DrawParent());
    } catch (...) {
      // A template that cannot be copied creates nothing; the creation still ends normally.
    }
    if (TComponent* made = NewComponent()) {
      GiveName(made);
      if (auto* created = dynamic_cast<TControl*>(NewComponent())) {
        created->SetBounds(StartX() + std::min(w, 0), StartY() + std::min(h, 0), std::abs(w), std::abs(h));
        TTargetList* targets = EnsureTargetList();
        if (auto* windowed = dynamic_cast<TWinControl*>(created)) SetSubClass(windowed);
        targets->Clear();
        targets->Add(created);
        targets->SetPosition();
      }
    }
  }
  if (dsnPanel_) {
    dsnPanel_->EndCreating();
    dsnPanel_->SetTemplate(nullptr);
  }
  gesture_.SetNewComponent(nullptr);
}

void TDsnRegister::GiveName(TComponent* component) {
  TComponent* owner = Owner() ? Owner() : component->Owner();
  const String base = component->ClassName().substr(1);
  String name;
  for (int n = 1;; ++n) {
    name = base + IntToStr(n);
    if (!owner || !owner->FindComponent(name)) break;
  }
  component->SetName(name);
}

// ---------------------------------------------------------------------------------------------
// TDsnRegister: the context menu

void TDsnRegister::CreateContextMenu() {
  if (dsnStage_) contextMenu_.Make(*dsnStage_, Owner());
}

void TDsnRegister::CallPopupMenu(TWinControl* control, TControl* component, int x, int y) {
  RButtonDown(control, component, x, y);
  TPopupMenu* menu = contextMenu_.Menu();
  if (!menu || !targetList_ || !dsnStage_) return;
  TContextProps table;
  table.CreateTable(dsnStage_->SelfProps(), dsnStage_->OutProps(), targetList_->Items());
  contextMenu_.Fill(table, Owner(), TNotifyEvent(this, &TDsnRegister::MenuMethod));
  if (dsnStage_->OnPopup) dsnStage_->OnPopup(menu);
  TPoint at{control->Left(), control->Top()};
  if (control->Parent()) at = control->Parent()->ClientToScreen(at);
  menu->Popup(at.X + x, at.Y + y);
}

void TDsnRegister::MenuMethod(TObject* sender) {
  auto* item = dynamic_cast<TDsnMenuItem*>(sender);
  if (!item || !dsnStage_ || !dsnStage_->OnMenuClick) return;
  TSelectedComponents snapshot;
  if (targetList_) snapshot.AssignList(targetList_->Items());
  String value = item->Value();
  dsnStage_->OnMenuClick(dsnStage_, &snapshot, item->PropName(), value);
  item->SetValue(value);
  if (!targetList_) return;
  SetProp(targetList_->Items(), item->PropName(), value);
  targetList_->SetPosition();
  DesignChanged();
}

