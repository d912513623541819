// The interceptor of a designed window (TDsnCtrl) and the controller's walk that puts
// interceptors on the stage's windows and transparent agents on the foreign windows among them.
#include "designer/DsnUnit.h"
#include "framework/core/ScopeGuard.h"

// ---------------------------------------------------------------------------------------------
// TDsnCtrl

void TDsnCtrl::ClientWndProc(TMessage& message) {
  TWMMouse mouse(message);
  switch (message.Msg) {
    case WM_DESTROY: ClientHandleChange(message); return;
    case WM_SETFOCUS: ClientSetFocus(message); return;
    case WM_PAINT: {
      TWMPaint paint(message);
      ClientPaint(paint);
      return;
    }
    case WM_NCHITTEST: message.Result = HTCLIENT; return;
    case WM_MOUSEMOVE: ClientMouseMove(mouse); return;
    case WM_LBUTTONDOWN:
      // A container that takes design presses itself gets this one as well.
      if (SendMessageW(Handle(), CM_DESIGNHITTEST, message.WParam, message.LParam) == 1) CallOldWndProc(message);
      ClientMouseDown(mouse);
      return;
    case WM_LBUTTONUP: ClientMouseUp(mouse); return;
    case WM_LBUTTONDBLCLK: ClientDbClick(mouse); return;
    case WM_RBUTTONDOWN: ClientContextMenu(mouse); return;
    case WM_RBUTTONUP: ReleaseRightCapture(message); return;
    case WM_CAPTURECHANGED: ClientCaptureChanged(message); return;
    case DSNM_PRERESIZE: ClientPreResize(message); return;
    case DSNM_RESIZE: {
      TResizeMessage resize = TResizeMessage::Unpack(message);
      ClientResize(resize);
      message.Result = resize.Result;
      return;
    }
    case DSNM_SELECT: ClientSelect(message); return;
    case DSNM_SELECTBYINSPECT: ClientSelectByInspect(message); return;
    default: CallOldWndProc(message);
  }
}

void TDsnCtrl::ClientCaptureChanged(TMessage&) {}

void TDsnCtrl::TakeInstance() {
  if (!Control()) return;
  Control()->SetCursor(crArrow);
  RepaintControl();
}

void TDsnCtrl::ReleaseInstance() {
  if (!Control() || dying_) return;
  Control()->SetCursor(crDefault);
  RepaintControl();
}

void TDsnCtrl::RepaintControl() {
  if (!controller_ || !controller_->RepaintDeferred()) Control()->Invalidate();
}

TShiftState TDsnCtrl::NoteMouse(TWMMouse& message) {
  mousePos_ = message.Pos();
  return KeysToShiftState(message.Keys());
}

TControl* TDsnCtrl::ControlUnderMouse() {
  TControl* found = Control()->ControlAtPos(mousePos_, true, false);
  if (!found || found->Owner() != Control()->Owner()) return Control();
  return found;
}

void TDsnCtrl::ClientMouseDown(TWMMouse& message) {
  const TShiftState shift = NoteMouse(message);
  SetCaptureControl(ControlUnderMouse());
  SetCapture(Handle());
  controller_->MouseDown(Control(), CaptureControl(), shift, mousePos_);
  controller_->FocusStage();
}

void TDsnCtrl::ClientMouseMove(TWMMouse& message) {
  const TShiftState shift = NoteMouse(message);
  if (CaptureControl()) controller_->MoseMove(Control(), mousePos_, shift);
}

void TDsnCtrl::ClientMouseUp(TWMMouse& message) {
  const TShiftState shift = NoteMouse(message);
  TDsnRegister* controller = controller_;  // the release may end this interceptor's control
  if (CaptureControl()) controller->MoseUp(Control(), mousePos_, shift);
  ReleaseCapture();
  controller->DesignChanged();
}

void TDsnCtrl::ClientPaint(TWMPaint& message) { Control()->Perform(message.Message); }

void TDsnCtrl::ClientPreResize(TMessage& message) {
  SetCaptureControl(reinterpret_cast<TControl*>(message.WParam));
}

void TDsnCtrl::ClientResize(TResizeMessage& message) {
  controller_->Resized(CaptureControl(), message);
  controller_->DesignChanged();
}

void TDsnCtrl::ClientSelect(TMessage& message) { controller_->Selected(CaptureControl(), message); }

void TDsnCtrl::ClientSelectByInspect(TMessage& message) {
  controller_->SelectByInspect(reinterpret_cast<TControl*>(message.WParam));
}

void TDsnCtrl::ClientSetFocus(TMessage& message) {
  if (dynamic_cast<TDsnStage*>(Control())) CallOldWndProc(message);
  else controller_->FocusStage();
}

void TDsnCtrl::ClientDbClick(TWMMouse& message) { controller_->DbClick(CaptureControl(), message); }

void TDsnCtrl::ClientContextMenu(TWMMouse& message) {
  // A right press during a left drag would select under the drag and pop a menu up in it.
  if (message.Keys() & MK_LBUTTON) return;
  NoteMouse(message);
  SetCaptureControl(ControlUnderMouse());
  SetCapture(Handle());
  controller_->CallPopupMenu(Control(), CaptureControl(), message.XPos(), message.YPos());
  controller_->FocusStage();
}

// The right press took the mouse; without a menu to take it over it would stay with this window
// and the next press anywhere would come here. During a left drag the release is swallowed: the
// drag keeps the mouse, and the control's own context menu (an edit's) must not open in it.
void TDsnCtrl::ReleaseRightCapture(TMessage& message) {
  if (message.WParam & MK_LBUTTON) return;
  CallOldWndProc(message);
  if (GetCapture() == Handle()) ReleaseCapture();
}

void TDsnCtrl::ClientHandleChange(TMessage& message) {
  EndSubClassing();
  CallOldWndProc(message);
  TDsnStage* stage = controller_ ? controller_->DsnStage() : nullptr;
  if (stage && stage->HandleAllocated())
    PostMessageW(stage->Handle(), DSNM_CLIENTDEATH, reinterpret_cast<WPARAM>(this), 0);
}

// ---------------------------------------------------------------------------------------------
// TDsnRegister: interception

void TDsnRegister::CreateSubClass() {
  if (!dsnList_) dsnList_ = CreateDsnList();
  if (dsnStage_) SetSubClass(dsnStage_);
}

// The interceptors of a whole tree change their controls' cursors and ask for repaints at once:
// one repaint of the tree, and one look at the cursor under the mouse, instead of one per control.
template <class Work>
void TDsnRegister::WithOneRepaint(TWinControl* root, Work work) {
  TCursorChangeBatch cursors;
  {
    ++repaintDeferred_;
    const TScopeGuard undefer([this] { --repaintDeferred_; });
    work();
  }
  if (root && root->HandleAllocated())
    RedrawWindow(root->Handle(), nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN);
}

void TDsnRegister::SetSubClass(TWinControl* control) {
  if (!dsnList_) dsnList_ = CreateDsnList();
  WithOneRepaint(control, [&] { Cover(control, nullptr); });
}

TCoverAccept TDsnRegister::AskCover(TObject* sender, TComponent* component) {
  TCoverAccept canCover = caAllAccept;
  if (dsnStage_ && dsnStage_->OnCoverQuery) dsnStage_->OnCoverQuery(sender, component, canCover);
  return canCover;
}

// `current` is the interceptor of the nearest intercepted window above: it holds the transparent
// agents of foreign windows met below it.
void TDsnRegister::Cover(TWinControl* control, TDsnCtrl* current) {
  const TCoverAccept canCover = AskCover(dsnStage_, control);
  if (canCover == caNoAccept) return;
  if (canCover == caAllAccept) {
    std::unique_ptr<TDsnCtrl> interceptor = CreateSubCtrl(control);
    interceptor->SetController(this);
    current = interceptor.get();
    dsnList_->Add(interceptor.release());
  }
  TComponent* designOwner = dsnStage_ ? dsnStage_->Owner() : control->Owner();
  TChildList children(control, control->Handle());
  for (int i = 0; i < children.Count(); ++i) {
    const TChildItem child = children.GetItems(i);
    if (child.Control && child.Control->Owner() == designOwner)
      Cover(child.Control, current);
    else if (current)
      current->Agents()->AddSubtree(child);
  }
}

void TDsnRegister::DestroyInterceptors() {
  for (int i = 0; dsnList_ && i < dsnList_->Count(); ++i) delete dsnList_->Interceptors(i);
  if (dsnList_) dsnList_->Clear();
  departed_.clear();
}

void TDsnRegister::DestroySubClass() {
  WithOneRepaint(dsnStage_, [&] { DestroyInterceptors(); });
}

void TDsnRegister::ClientDeath(TDsnCtrl* interceptor) {
  auto departed = std::find_if(departed_.begin(), departed_.end(), [&](const auto& d) { return d.get() == interceptor; });
  if (departed != departed_.end()) {
    departed_.erase(departed);
    return;
  }
  // A live interceptor that still has its window is a stale notice about a reused address.
  if (!dsnList_ || dsnList_->IndexOf(interceptor) < 0 || interceptor->Subclassed()) return;
  TWinControl* control = interceptor->Control();
  if (control && control->Parent()) interceptor->ChangeHandele(control->Handle());
}

void TDsnRegister::ReattachInterceptors() {
  for (int i = 0; dsnList_ && i < dsnList_->Count(); ++i) {
    TDsnCtrl* interceptor = dsnList_->Interceptors(i);
    TWinControl* control = interceptor->Control();
    if (!interceptor->Subclassed() && control && control->HandleAllocated()) interceptor->ChangeHandele(control->Handle());
  }
}

