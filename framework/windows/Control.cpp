// TControl: bounds, parent, state, appearance, messages and mouse input of every control.
//
// Sections: type data · size constraints · context menu base · construction · messages ·
// bounds · parent and stacking · state and appearance · painting · mouse · streaming · handlers ·
// capture · cursor change batches · accelerators.
#include "framework/windows/Control.h"

#include <algorithm>
#include <utility>

#include "framework/core/ScopeGuard.h"
#include "framework/windows/Application.h"
#include "framework/windows/WinControl.h"

namespace {
TControl* windowlessCapture = nullptr;  // the windowless control holding the mouse through its parent
int cursorBatchDepth = 0;
bool cursorChangedUnderMouse = false;  // in the running batch
}  // namespace

// ---------------------------------------------------------------------------------------------
// Type data

const TTypeInfo& TypeInfoOf(TypeTag<TAlign>) {
  static const TTypeInfo info =
      MakeEnumType("TAlign", {"alNone", "alTop", "alBottom", "alLeft", "alRight", "alClient", "alCustom"});
  return info;
}

const TTypeInfo& TypeInfoOf(TypeTag<TAnchorKind>) {
  static const TTypeInfo info = MakeEnumType("TAnchorKind", {"akLeft", "akTop", "akRight", "akBottom"});
  return info;
}

const TTypeInfo& TypeInfoOf(TypeTag<TControlStyleFlag>) {
  static const TTypeInfo info = MakeEnumType(
      "TControlStyleFlag",
      {"csAcceptsControls", "csCaptureMouse", "csDesignInteractive", "csClickEvents", "csFramed", "csSetCaption",
       "csOpaque", "csDoubleClicks", "csFixedWidth", "csFixedHeight", "csNoDesignVisible", "csReplicatable",
       "csNoStdEvents", "csDisplayDragImage", "csReflector", "csActionClient", "csMenuEvents"});
  return info;
}

const TTypeInfo& TypeInfoOf(TypeTag<TDragMode>) {
  static const TTypeInfo info = MakeEnumType("TDragMode", {"dmManual", "dmAutomatic"});
  return info;
}

const TTypeInfo& TypeInfoOf(TypeTag<TDragState>) {
  static const TTypeInfo info = MakeEnumType("TDragState", {"dsDragEnter", "dsDragLeave", "dsDragMove"});
  return info;
}

const TTypeInfo& TypeInfoOf(TypeTag<TBiDiMode>) {
  static const TTypeInfo info = MakeEnumType(
      "TBiDiMode", {"bdLeftToRight", "bdRightToLeft", "bdRightToLeftNoAlign", "bdRightToLeftReadingOnly"});
  return info;
}

const TTypeInfo& TypeInfoOf(TypeTag<TFormBorderStyle>) {
  static const TTypeInfo info = MakeEnumType(
      "TFormBorderStyle", {"bsNone", "bsSingle", "bsSizeable", "bsDialog", "bsToolWindow", "bsSizeToolWin"});
  return info;
}

const TTypeInfo& BorderStyleTypeInfo() {
  static const TTypeInfo info = MakeEnumType("TBorderStyle", {"bsNone", "bsSingle"});
  return info;
}

// ---------------------------------------------------------------------------------------------
// Size constraints

void TSizeConstraints::Publish(TPublisher<TSizeConstraints>& p) {
  p.Prop("MaxHeight", &TSizeConstraints::MaxHeight, &TSizeConstraints::SetMaxHeight).Default(0);
  p.Prop("MaxWidth", &TSizeConstraints::MaxWidth, &TSizeConstraints::SetMaxWidth).Default(0);
  p.Prop("MinHeight", &TSizeConstraints::MinHeight, &TSizeConstraints::SetMinHeight).Default(0);
  p.Prop("MinWidth", &TSizeConstraints::MinWidth, &TSizeConstraints::SetMinWidth).Default(0);
}

void TSizeConstraints::Assign(TPersistent* source) {
  auto* other = dynamic_cast<TSizeConstraints*>(source);
  if (!other) {
    TPersistent::Assign(source);
    return;
  }
  maxHeight_ = other->maxHeight_;
  maxWidth_ = other->maxWidth_;
  minHeight_ = other->minHeight_;
  minWidth_ = other->minWidth_;
  OnChange(this);
}

TPersistent* TSizeConstraints::GetOwner() { return control_; }

void TSizeConstraints::SetMaxHeight(int value) { Change(maxHeight_, value); }
void TSizeConstraints::SetMaxWidth(int value) { Change(maxWidth_, value); }
void TSizeConstraints::SetMinHeight(int value) { Change(minHeight_, value); }
void TSizeConstraints::SetMinWidth(int value) { Change(minWidth_, value); }

void TSizeConstraints::Change(int& field, int value) {
  value = std::max(value, 0);
  if (field == value) return;
  field = value;
  OnChange(this);
}

void TSizeConstraints::Apply(int& width, int& height) const {
  if (minWidth_ > 0) width = std::max(width, minWidth_);
  if (maxWidth_ > 0) width = std::min(width, maxWidth_);
  if (minHeight_ > 0) height = std::max(height, minHeight_);
  if (maxHeight_ > 0) height = std::min(height, maxHeight_);
}

// ---------------------------------------------------------------------------------------------
// Context menu base


// ---------------------------------------------------------------------------------------------
// Construction

void TControl::Publish(TPublisher<TControl>& p) {
  p.Prop("Left", &TControl::Left, &TControl::SetLeft);
  p.Prop("Top", &TControl::Top, &TControl::SetTop);
  p.Prop("Width", &TControl::Width, &TControl::SetWidth);
  p.Prop("Height", &TControl::Height, &TControl::SetHeight);
  p.Prop("Cursor", &TControl::Cursor, &TControl::SetCursor).Type(CursorTypeInfo()).Default(crDefault);
  p.Prop("Hint", &TControl::Hint, &TControl::SetHint);
}

TControl::TControl(TComponent* owner)
    : TComponent(owner),
      windowProc_([this](TMessage& message) { WndProc(message); }),
      constraints_(std::make_unique<TSizeConstraints>(this)),
      font_(std::make_unique<TFont>()) {
  font_->SetOnChange(TNotifyEvent(this, &TControl::FontChanged));
  constraints_->OnChange = TNotifyEvent(this, &TControl::ConstraintsChanged);
}

TControl::~TControl() {
  BeforeDestruction();
  if (Application) Application->ControlDestroyed(this);
  if (GetCaptureControl() == this) SetCaptureControl(nullptr);
  if (windowlessCapture == this) windowlessCapture = nullptr;
  SetParent(nullptr);
}

// ---------------------------------------------------------------------------------------------
// Messages

LRESULT TControl::Perform(UINT msg, WPARAM wParam, LPARAM lParam) {
  TMessage message{msg, wParam, lParam, 0};
  windowProc_(message);
  return message.Result;
}

void TControl::SetWindowProc(TWndMethod method) {
  if (method) windowProc_ = std::move(method);
  else windowProc_ = [this](TMessage& message) { WndProc(message); };
}

void TControl::WndProc(TMessage& message) {
  if (message.Msg >= WM_MOUSEFIRST && message.Msg <= WM_MBUTTONDBLCLK) {
    if (!controlStyle_.Contains(csDoubleClicks)) {
      switch (message.Msg) {
        case WM_LBUTTONDBLCLK:
        case WM_RBUTTONDBLCLK:
        case WM_MBUTTONDBLCLK:
          message.Msg -= WM_LBUTTONDBLCLK - WM_LBUTTONDOWN;
          break;
      }
    }
    if (Application) {
      if (message.Msg == WM_MOUSEMOVE) Application->NoteMouseOver(this);
      else if (message.Msg != WM_LBUTTONUP && message.Msg != WM_RBUTTONUP && message.Msg != WM_MBUTTONUP)
        Application->CancelHint();
    }
  }
  Dispatch(message);
}

void TControl::Dispatch(TMessage& message) {
  switch (message.Msg) {
    case WM_LBUTTONDOWN: { TWMMouse m(message); WMLButtonDown(m); return; }
    case WM_LBUTTONDBLCLK: { TWMMouse m(message); WMLButtonDblClk(m); return; }
    case WM_LBUTTONUP: { TWMMouse m(message); WMLButtonUp(m); return; }
    case WM_RBUTTONDOWN: { TWMMouse m(message); WMRButtonDown(m); return; }
    case WM_RBUTTONDBLCLK: { TWMMouse m(message); WMRButtonDblClk(m); return; }
    case WM_RBUTTONUP: { TWMMouse m(message); WMRButtonUp(m); return; }
    case WM_MBUTTONDOWN: { TWMMouse m(message); WMMButtonDown(m); return; }
    case WM_MBUTTONDBLCLK: { TWMMouse m(message); WMMButtonDblClk(m); return; }
    case WM_MBUTTONUP: { TWMMouse m(message); WMMButtonUp(m); return; }
    case WM_MOUSEMOVE: { TWMMouse m(message); WMMouseMove(m); return; }
    case WM_CONTEXTMENU: { TWMScreenPoint m(message); WMContextMenu(m); return; }
    case WM_CANCELMODE: WMCancelMode(message); return;
    case CM_ENABLEDCHANGED: CMEnabledChanged(message); return;
    case CM_VISIBLECHANGED: CMVisibleChanged(message); return;
    case CM_FONTCHANGED: CMFontChanged(message); return;
    case CM_COLORCHANGED: CMColorChanged(message); return;
    case CM_TEXTCHANGED: CMTextChanged(message); return;
    case CM_CURSORCHANGED: CMCursorChanged(message); return;
    case CM_PARENTFONTCHANGED: CMParentFontChanged(message); return;
    case CM_PARENTCOLORCHANGED: CMParentColorChanged(message); return;
    case CM_PARENTSHOWHINTCHANGED: CMParentShowHintChanged(message); return;
    case CM_SHOWHINTCHANGED: CMShowHintChanged(message); return;
    case CM_MOUSEENTER: CMMouseEnter(message); return;
    case CM_MOUSELEAVE: CMMouseLeave(message); return;
    case CM_HITTEST: CMHitTest(message); return;
    case CM_DESIGNHITTEST: CMDesignHitTest(message); return;
    case CM_HINTSHOW: CMHintShow(message); return;
    case CM_DIALOGCHAR: { TWMKey m(message); CMDialogChar(m); return; }
    case CM_SYSCOLORCHANGE: CMSysColorChange(message); return;
    default: DefaultHandler(message);
  }
}

void TControl::DefaultHandler(TMessage&) {}

// ---------------------------------------------------------------------------------------------
// Bounds

void TControl::SetBounds(int left, int top, int width, int height) {
  constraints_->Apply(width, height);
  if (left == left_ && top == top_ && width == width_ && height == height_) return;
  const bool resized = width != width_ || height != height_;
  InvalidateControl();
  left_ = left;
  top_ = top;
  width_ = width;
  height_ = height;
  InvalidateControl();
  if (resized) Perform(WM_SIZE, SIZE_RESTORED, MAKELPARAM(std::max(width, 0), std::max(height, 0)));
  if (parent_) parent_->Realign();
  if (resized && !ComponentState().Contains(csLoading)) Resize();
}

TRect TControl::ClientRect() { return Rect(0, 0, width_, height_); }

void TControl::SetClientWidth(int value) { SetWidth(width_ - ClientWidth() + value); }

void TControl::SetClientHeight(int value) { SetHeight(height_ - ClientHeight() + value); }

TPoint TControl::ClientOrigin() {
  if (!parent_) return {left_, top_};
  const TPoint origin = parent_->ClientOrigin();
  return {origin.X + left_, origin.Y + top_};
}

TPoint TControl::ClientToScreen(const TPoint& point) {
  const TPoint origin = ClientOrigin();
  return {point.X + origin.X, point.Y + origin.Y};
}

TPoint TControl::ScreenToClient(const TPoint& point) {
  const TPoint origin = ClientOrigin();
  return {point.X - origin.X, point.Y - origin.Y};
}

void TControl::SetAlign(TAlign value) {
  if (align_ == value) return;
  align_ = value;
  if (parent_) parent_->Realign();
}

void TControl::ConstraintsChanged(TObject*) {
  int width = width_;
  int height = height_;
  constraints_->Apply(width, height);
  SetBounds(left_, top_, width, height);
}

void TControl::Resize() { OnResize(this); }

// ---------------------------------------------------------------------------------------------
// Parent and stacking

void TControl::SetParent(TWinControl* parent) {
  if (parent_ == parent) return;
  if (parent == this) throw EInvalidOperation("A control cannot be its own parent");
  if (parent_) parent_->RemoveControl(this);
  if (parent) parent->InsertControl(this);
}

void TControl::BringToFront() {
  if (parent_) parent_->MoveInStack(this, true);
}

void TControl::SendToBack() {
  if (parent_) parent_->MoveInStack(this, false);
}

void TControl::BringForward() {
  if (parent_) parent_->StepInStack(this, true);
}

void TControl::SendBackward() {
  if (parent_) parent_->StepInStack(this, false);
}

// ---------------------------------------------------------------------------------------------
// State and appearance

void TControl::SetVisible(bool value) {
  if (visible_ == value) return;
  visible_ = value;
  Perform(CM_VISIBLECHANGED, value);
  if (parent_) parent_->Realign();
}

void TControl::SetEnabled(bool value) {
  if (enabled_ == value) return;
  enabled_ = value;
  Perform(CM_ENABLEDCHANGED);
}

bool TControl::Showing() { return visible_ && parent_ && parent_->Showing(); }

void TControl::SetCursor(TCursor value) {
  if (cursor_ == value) return;
  cursor_ = value;
  Perform(CM_CURSORCHANGED);
}

void TControl::SetShowHint(bool value) {
  if (showHint_ == value) return;
  showHint_ = value;
  parentShowHint_ = false;
  Perform(CM_SHOWHINTCHANGED);
}

void TControl::SetParentShowHint(bool value) {
  if (parentShowHint_ == value) return;
  parentShowHint_ = value;
  if (value && parent_) Perform(CM_PARENTSHOWHINTCHANGED);
}

void TControl::SetParentFont(bool value) {
  if (parentFont_ == value) return;
  parentFont_ = value;
  if (value && parent_) Perform(CM_PARENTFONTCHANGED);
}

void TControl::FontChanged(TObject*) {
  if (!takingParentFont_) parentFont_ = false;
  Perform(CM_FONTCHANGED);
}

void TControl::SetColor(TColor value) {
  if (color_ == value) return;
  color_ = value;
  parentColor_ = false;
  Perform(CM_COLORCHANGED);
}

void TControl::SetParentColor(bool value) {
  if (parentColor_ == value) return;
  parentColor_ = value;
  if (value && parent_) Perform(CM_PARENTCOLORCHANGED);
}

void TControl::SetBiDiMode(TBiDiMode value) {
  biDiMode_ = value;
  parentBiDiMode_ = false;
}

void TControl::SetParentBiDiMode(bool value) {
  parentBiDiMode_ = value;
  if (value && parent_) biDiMode_ = parent_->BiDiMode();
}

void TControl::SetOpaque(bool value) {
  if (controlStyle_.Contains(csOpaque) == value) return;
  if (value) controlStyle_ += csOpaque;
  else controlStyle_ -= csOpaque;
  Invalidate();
}

String TControl::ReadText() { return text_; }

void TControl::WriteText(const String& value) {
  if (ReadText() == value) return;
  text_ = value;
  Perform(CM_TEXTCHANGED);
}

// ---------------------------------------------------------------------------------------------
// Painting

void TControl::InvalidateControl() {
  if (!parent_ || !parent_->HandleAllocated()) return;
  if (!visible_ && !ComponentState().Contains(csDesigning)) return;
  const RECT rect{left_, top_, left_ + width_, top_ + height_};
  InvalidateRect(parent_->Handle(), &rect, !controlStyle_.Contains(csOpaque));
}

void TControl::Invalidate() { InvalidateControl(); }

void TControl::Update() {
  if (parent_) parent_->Update();
}

void TControl::Repaint() {
  Invalidate();
  Update();
}

HDC TControl::GetDeviceContext(HWND& window) {
  if (!parent_) throw EInvalidOperation(Format("Control '%s' has no parent window", Name()));
  window = parent_->Handle();
  HDC dc = GetDC(window);
  if (!dc) throw EOutOfResources("Cannot get a device context");
  SetViewportOrgEx(dc, left_, top_, nullptr);
  IntersectClipRect(dc, 0, 0, width_, height_);
  return dc;
}

HWND TControl::CursorWindow() {
  if (auto* self = dynamic_cast<TWinControl*>(this)) return self->HandleAllocated() ? self->Handle() : nullptr;
  return parent_ && parent_->HandleAllocated() ? parent_->Handle() : nullptr;
}

// ---------------------------------------------------------------------------------------------
// Mouse

bool TControl::MouseCapture() { return GetCaptureControl() == this; }

void TControl::SetMouseCapture(bool value) {
  if (MouseCapture() == value) return;
  SetCaptureControl(value ? this : nullptr);
}

void TControl::Click() { OnClick(this); }

void TControl::DblClick() { OnDblClick(this); }

void TControl::MouseDown(TMouseButton button, TShiftState shift, int x, int y) {
  OnMouseDown(this, button, shift, x, y);
}

void TControl::MouseMove(TShiftState shift, int x, int y) { OnMouseMove(this, shift, x, y); }

void TControl::MouseUp(TMouseButton button, TShiftState shift, int x, int y) {
  OnMouseUp(this, button, shift, x, y);
}

void TControl::DoMouseDown(TWMMouse& message, TMouseButton button, TShiftState extra) {
  if (controlStyle_.Contains(csNoStdEvents)) return;
  MouseDown(button, KeysToShiftState(message.Keys()) + extra, message.XPos(), message.YPos());
}

void TControl::DoMouseUp(TWMMouse& message, TMouseButton button) {
  if (controlStyle_.Contains(csNoStdEvents)) return;
  MouseUp(button, KeysToShiftState(message.Keys()), message.XPos(), message.YPos());
}

// ---------------------------------------------------------------------------------------------
// Streaming

TComponent* TControl::GetParentComponent() const { return parent_; }

void TControl::SetParentComponent(TComponent* parent) {
  if (auto* winParent = dynamic_cast<TWinControl*>(parent)) SetParent(winParent);
}

void TControl::SetName(const String& newName) {
  // The caption follows the name while it still equals the name, but not while a stream sets both.
  const auto loading = [](TComponent* c) { return c && c->ComponentState().Contains(csLoading); };
  const bool followName = controlStyle_.Contains(csSetCaption) && !loading(this) && Name() == ReadText() &&
                          !(dynamic_cast<TControl*>(Owner()) && loading(Owner()));
  TComponent::SetName(newName);
  if (followName) WriteText(newName);
}

void TControl::Loaded() {
  TComponent::Loaded();
  if (!parent_) return;
  if (parentColor_) Perform(CM_PARENTCOLORCHANGED);
  if (parentFont_) Perform(CM_PARENTFONTCHANGED);
  if (parentShowHint_) Perform(CM_PARENTSHOWHINTCHANGED);
  if (parentBiDiMode_) biDiMode_ = parent_->BiDiMode();
}

// ---------------------------------------------------------------------------------------------
// Handlers

void TControl::WMLButtonDown(TWMMouse& message) {
  DefaultHandler(message.Message);
  if (controlStyle_.Contains(csCaptureMouse)) SetMouseCapture(true);
  if (controlStyle_.Contains(csClickEvents)) clicked_ = true;
  DoMouseDown(message, mbLeft, {});
}

void TControl::WMLButtonDblClk(TWMMouse& message) {
  DefaultHandler(message.Message);
  if (controlStyle_.Contains(csCaptureMouse)) SetMouseCapture(true);
  if (controlStyle_.Contains(csClickEvents)) DblClick();
  DoMouseDown(message, mbLeft, {ssDouble});
}

void TControl::WMLButtonUp(TWMMouse& message) {
  DefaultHandler(message.Message);
  if (controlStyle_.Contains(csCaptureMouse)) SetMouseCapture(false);
  if (clicked_) {
    clicked_ = false;
    if (ClientRect().Contains(message.Pos())) Click();
  }
  DoMouseUp(message, mbLeft);
}

void TControl::WMRButtonDown(TWMMouse& message) {
  DefaultHandler(message.Message);
  DoMouseDown(message, mbRight, {});
}

void TControl::WMRButtonDblClk(TWMMouse& message) {
  DefaultHandler(message.Message);
  DoMouseDown(message, mbRight, {ssDouble});
}

void TControl::WMRButtonUp(TWMMouse& message) {
  DefaultHandler(message.Message);
  DoMouseUp(message, mbRight);
  // A windowed control gets WM_CONTEXTMENU from Windows; a windowless one asks for it here.
  if (!dynamic_cast<TWinControl*>(this)) {
    const TPoint screen = ClientToScreen(message.Pos());
    const LPARAM point = MAKELPARAM(static_cast<Word>(screen.X), static_cast<Word>(screen.Y));
    if (Perform(WM_CONTEXTMENU, 0, point) == 0 && parent_)
      parent_->Perform(WM_CONTEXTMENU, reinterpret_cast<WPARAM>(CursorWindow()), point);
  }
}

void TControl::WMMButtonDown(TWMMouse& message) {
  DefaultHandler(message.Message);
  DoMouseDown(message, mbMiddle, {});
}

void TControl::WMMButtonDblClk(TWMMouse& message) {
  DefaultHandler(message.Message);
  DoMouseDown(message, mbMiddle, {ssDouble});
}

void TControl::WMMButtonUp(TWMMouse& message) {
  DefaultHandler(message.Message);
  DoMouseUp(message, mbMiddle);
}

void TControl::WMMouseMove(TWMMouse& message) {
  DefaultHandler(message.Message);
  if (!controlStyle_.Contains(csNoStdEvents))
    MouseMove(KeysToShiftState(message.Keys()), message.XPos(), message.YPos());
}

void TControl::WMContextMenu(TWMScreenPoint& message) {
  if (!popupMenu_ || !enabled_) {
    DefaultHandler(message.Message);
    return;
  }
  TPoint at = message.Pos();
  if (at.X == -1 && at.Y == -1) at = ClientToScreen({width_ / 2, height_ / 2});  // from the keyboard
  popupMenu_->SetPopupComponent(this);
  popupMenu_->Popup(at.X, at.Y);
  message.Message.Result = 1;
}

void TControl::WMCancelMode(TMessage& message) {
  if (MouseCapture()) SetMouseCapture(false);
  clicked_ = false;
  DefaultHandler(message);
}

void TControl::CMEnabledChanged(TMessage&) { Invalidate(); }

void TControl::CMVisibleChanged(TMessage&) {
  if (!parent_ || !parent_->HandleAllocated()) return;
  // Hidden now, so InvalidateControl would skip it: repaint where it was.
  const RECT rect{left_, top_, left_ + width_, top_ + height_};
  InvalidateRect(parent_->Handle(), &rect, TRUE);
}

void TControl::CMFontChanged(TMessage&) { Invalidate(); }

void TControl::CMColorChanged(TMessage&) { Invalidate(); }

void TControl::CMTextChanged(TMessage&) {}

void TControl::CMCursorChanged(TMessage&) {
  if (TCursorChangeBatch::Active()) TCursorChangeBatch::NoteChange(this);
  else RefreshCursorUnderMouse();
}

void TControl::RefreshCursorUnderMouse() {
  HWND window = CursorWindow();
  if (!window || GetCapture()) return;
  POINT cursor;
  if (!GetCursorPos(&cursor) || WindowFromPoint(cursor) != window) return;
  const TPoint local = ScreenToClient({cursor.x, cursor.y});
  if (!ClientRect().Contains(local)) return;
  SendMessageW(window, WM_SETCURSOR, reinterpret_cast<WPARAM>(window), MAKELPARAM(HTCLIENT, WM_MOUSEMOVE));
}

void TControl::CMParentFontChanged(TMessage&) {
  if (!parentFont_ || !parent_) return;
  const auto taking = TemporarilySet(takingParentFont_, true);
  font_->Assign(parent_->Font());
}

void TControl::CMParentColorChanged(TMessage&) {
  if (!parentColor_ || !parent_) return;
  SetColor(parent_->Color());
  parentColor_ = true;
}

void TControl::CMParentShowHintChanged(TMessage&) {
  if (!parentShowHint_ || !parent_) return;
  SetShowHint(parent_->ShowHint());
  parentShowHint_ = true;
}

void TControl::CMShowHintChanged(TMessage&) {}

void TControl::CMMouseEnter(TMessage&) {}

void TControl::CMMouseLeave(TMessage&) {}

void TControl::CMHitTest(TMessage& message) { message.Result = HTCLIENT; }

void TControl::CMDesignHitTest(TMessage& message) { message.Result = 0; }

void TControl::CMHintShow(TMessage& message) { message.Result = 0; }

void TControl::CMDialogChar(TWMKey&) {}

void TControl::CMSysColorChange(TMessage&) {}

// ---------------------------------------------------------------------------------------------
// Capture and accelerators

TControl* GetCaptureControl() {
  TWinControl* window = FindControl(GetCapture());
  if (window && windowlessCapture && windowlessCapture->Parent() == window) return windowlessCapture;
  return window;
}

void SetCaptureControl(TControl* control) {
  windowlessCapture = nullptr;
  ReleaseCapture();
  if (!control) return;
  if (auto* window = dynamic_cast<TWinControl*>(control)) {
    SetCapture(window->Handle());
    return;
  }
  if (!control->Parent()) return;
  windowlessCapture = control;
  SetCapture(control->Parent()->Handle());
}

void WindowLostCapture(TWinControl* window) {
  if (windowlessCapture && windowlessCapture->Parent() == window) windowlessCapture = nullptr;
}

// ---------------------------------------------------------------------------------------------
// Cursor change batches

TCursorChangeBatch::TCursorChangeBatch() { ++cursorBatchDepth; }

TCursorChangeBatch::~TCursorChangeBatch() {
  if (--cursorBatchDepth > 0 || !std::exchange(cursorChangedUnderMouse, false)) return;
  if (TControl* mouse = Application ? Application->MouseControl() : nullptr) mouse->RefreshCursorUnderMouse();
}

bool TCursorChangeBatch::Active() { return cursorBatchDepth > 0; }

void TCursorChangeBatch::NoteChange(TControl* control) {
  // The framework knows which control the mouse was last over; only a change there or around it
  // can show.
  TControl* mouse = Application ? Application->MouseControl() : nullptr;
  for (TControl* inside = mouse; inside && !cursorChangedUnderMouse; inside = inside->Parent())
    if (inside == control) cursorChangedUnderMouse = true;
}

bool IsAccel(Word key, const String& caption) {
  for (std::size_t i = 0; i < caption.size(); ++i) {
    const auto c = static_cast<unsigned char>(caption[i]);
    if (IsLeadByte(c)) {
      ++i;  // the trail byte of a double-byte character is no '&'
      continue;
    }
    if (c != '&' || i + 1 >= caption.size()) continue;
    const auto next = static_cast<unsigned char>(caption[i + 1]);
    if (next == '&') {
      ++i;
      continue;
    }
    const auto upper = [](unsigned v) { return v >= 'a' && v <= 'z' ? v - 'a' + 'A' : v; };
    return upper(next) == upper(key);
  }
  return false;
}
