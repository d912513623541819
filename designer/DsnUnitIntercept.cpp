// The interceptor of a designed window (TDsnCtrl), and the controller's interception as its
// interceptors (TDsnInterceptors) carry it out.
#include "designer/DsnUnit.h"

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
  interceptors_.EnsureList();
  if (dsnStage_) SetSubClass(dsnStage_);
}

void TDsnRegister::SetSubClass(TWinControl* control) { interceptors_.Cover(control); }

void TDsnRegister::DestroySubClass() { interceptors_.DestroyAll(dsnStage_); }

void TDsnRegister::ClientDeath(TDsnCtrl* interceptor) { interceptors_.ClientDeath(interceptor); }

void TDsnRegister::ReattachInterceptors() { interceptors_.Reattach(); }
