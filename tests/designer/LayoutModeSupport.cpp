// The page-like test form and the input drivers of the layout-mode tests.
#include "LayoutModeSupport.h"

#include "framework/stdctrls/StdControls.h"

namespace layouttest {

void RegisterClassesOnce() {
  static const bool registered = [] {
    RegisterStdControls();
    RegisterDsnUnitClasses();
    return true;
  }();
  (void)registered;
}

namespace {

template <class T>
T* Place(TForm* form, TWinControl* parent, const char* name, int left, int top, int width, int height) {
  auto* control = new T(form);
  control->SetName(name);
  control->SetParent(parent);
  control->SetBounds(left, top, width, height);
  return control;
}

}  // namespace

TPageForm::TPageForm() : form(new TForm(nullptr)) {
  form->SetName("PageForm");
  form->SetBorderStyle(bsNone);
  form->SetBounds(60, 60, 602, 360);
  form->SetColor(clWhite);

  stage = Place<TDsnStage>(form, form, "DsnStage1", 22, 0, 420, 360);
  stage->SetBevelOuter(bvNone);
  stage->SetColor(clSilver);
  stage->Rubberband()->SetMoveWidth(4);
  stage->Rubberband()->SetMoveHeight(4);
  page = Place<TShape>(form, stage, "Shape0", 0, 0, 200, 300);
  page->Pen()->SetStyle(psClear);
  balloon1 = Place<TShape>(form, stage, "Shape1", 40, 40, 80, 40);
  balloon1->SetShape(stEllipse);
  balloon2 = Place<TShape>(form, stage, "Shape2", 140, 40, 80, 40);
  balloon2->SetShape(stEllipse);
  memo1 = Place<TMemo>(form, stage, "Memo1", 40, 100, 120, 40);
  memo2 = Place<TMemo>(form, stage, "Memo2", 40, 160, 120, 40);
  frame = Place<TImage>(form, stage, "Image1", 220, 20, 100, 75);

  buttons = Place<TPanel>(form, form, "Panel0", 442, 0, 160, 60);
  modeSwitch = Place<TDsnSwitch>(form, buttons, "DsnSwitch1", 1, 1, 158, 24);
  modeSwitch->SetGroupIndex(TDsnSwitch::kGroupIndex);
  modeSwitch->SetAllowAllUp(true);

  controller = new TCountingRegister(form);
  controller->SetName("DsnRegister1");
  controller->SetDsnStage(stage);
  modeSwitch->SetDsnRegister(controller);

  form->Show();
  UpdateWindow(form->Handle());
  Pump();
}

TPageForm::~TPageForm() {
  delete form;
  Pump();
}

TPoint TPageForm::ScreenOf(TControl* control, TPoint local) {
  const TPoint origin = control->Parent()->ClientToScreen({control->Left(), control->Top()});
  if (auto* windowed = dynamic_cast<TWinControl*>(control)) return windowed->ClientToScreen(local);
  return {origin.X + local.X, origin.Y + local.Y};
}

TDsnCtrl* TPageForm::InterceptorOf(TWinControl* control) {
  if (!control->HandleAllocated()) return nullptr;
  return dynamic_cast<TDsnCtrl*>(TAgent::FindAgent(control->Handle()));
}

// ---------------------------------------------------------------------------------------------
// Input

HWND TMouseDriver::Target(TPoint screen) const {
  HWND capture = GetCapture();
  if (capture) return capture;
  HWND window = root_->Handle();
  for (;;) {
    POINT local{screen.X, screen.Y};
    ScreenToClient(window, &local);
    HWND child = ChildWindowFromPointEx(window, local, CWP_SKIPINVISIBLE);
    if (!child || child == window) break;
    window = child;
  }
  const LPARAM at = MAKELPARAM(static_cast<WORD>(screen.X), static_cast<WORD>(screen.Y));
  while (window != root_->Handle() && SendMessageW(window, WM_NCHITTEST, 0, at) == HTTRANSPARENT)
    window = GetParent(window);
  return window;
}

WPARAM TMouseDriver::Keys(TShiftState extra) const {
  WPARAM keys = 0;
  if (left_) keys |= MK_LBUTTON;
  if (right_) keys |= MK_RBUTTON;
  if (extra.Contains(ssShift)) keys |= MK_SHIFT;
  if (extra.Contains(ssCtrl)) keys |= MK_CONTROL;
  return keys;
}

void TMouseDriver::Post(UINT msg, TPoint screen, WPARAM keys) {
  HWND target = Target(screen);
  POINT local{screen.X, screen.Y};
  ScreenToClient(target, &local);
  Deliver(target, msg, keys, MAKELPARAM(static_cast<WORD>(local.x), static_cast<WORD>(local.y)));
}

void TMouseDriver::Press(TPoint screen, TShiftState extra) {
  left_ = true;
  Post(WM_LBUTTONDOWN, screen, Keys(extra));
}

void TMouseDriver::MoveTo(TPoint screen, TShiftState extra) { Post(WM_MOUSEMOVE, screen, Keys(extra)); }

void TMouseDriver::Release(TPoint screen, TShiftState extra) {
  left_ = false;
  Post(WM_LBUTTONUP, screen, Keys(extra));
}

void TMouseDriver::RightPress(TPoint screen) {
  right_ = true;
  Post(WM_RBUTTONDOWN, screen, Keys({}));
}

void TMouseDriver::RightRelease(TPoint screen) {
  right_ = false;
  Post(WM_RBUTTONUP, screen, Keys({}));
}

void TMouseDriver::DoubleClick(TPoint screen) {
  Press(screen);
  Release(screen);
  left_ = true;
  Post(WM_LBUTTONDBLCLK, screen, Keys({}));
  Release(screen);
}

void TMouseDriver::Drag(TPoint from, TPoint to, int steps) {
  Press(from);
  for (int i = 1; i <= steps; ++i)
    MoveTo({from.X + (to.X - from.X) * i / steps, from.Y + (to.Y - from.Y) * i / steps});
  Release(to);
}

void Deliver(HWND window, UINT msg, WPARAM wParam, LPARAM lParam) {
  MSG message{window, msg, wParam, lParam, GetTickCount(), {}};
  GetCursorPos(&message.pt);
  TranslateMessage(&message);
  DispatchMessageW(&message);
  Pump();
}

void Pump() {
  MSG msg;
  while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
    const bool mouse = msg.message >= WM_MOUSEFIRST && msg.message <= WM_MOUSELAST;
    const bool key = msg.message == WM_KEYDOWN || msg.message == WM_KEYUP || msg.message == WM_SYSKEYDOWN ||
                     msg.message == WM_SYSKEYUP;
    if (mouse || key) continue;
    TranslateMessage(&msg);
    DispatchMessageW(&msg);
  }
}

bool PumpUntil(const std::function<bool()>& done) {
  for (int i = 0; i < 200; ++i) {
    if (done()) return true;
    Pump();
    MsgWaitForMultipleObjects(0, nullptr, FALSE, 10, QS_ALLINPUT);
  }
  return done();
}

HWND KeyboardWindow(TWinControl* fallback) {
  HWND focus = GetFocus();
  return focus ? focus : fallback->Handle();
}

void TypeKey(HWND window, WORD virtualKey, bool control) {
  BYTE saved[256], state[256];
  GetKeyboardState(saved);
  GetKeyboardState(state);
  state[VK_CONTROL] = state[VK_LCONTROL] = control ? 0x80 : 0;
  SetKeyboardState(state);
  const LPARAM scan = static_cast<LPARAM>(MapVirtualKeyW(virtualKey, MAPVK_VK_TO_VSC)) << 16;
  Deliver(window, WM_KEYDOWN, virtualKey, 1 | scan);
  Deliver(window, WM_KEYUP, virtualKey, 0xC0000001 | scan);
  SetKeyboardState(saved);
}

namespace {

BOOL CALLBACK NoteProcedure(HWND window, LPARAM list) {
  reinterpret_cast<std::vector<std::pair<HWND, LONG_PTR>>*>(list)->emplace_back(window,
                                                                                GetWindowLongPtrW(window, GWLP_WNDPROC));
  return TRUE;
}

}  // namespace

std::vector<std::pair<HWND, LONG_PTR>> WindowProcedures(HWND root) {
  std::vector<std::pair<HWND, LONG_PTR>> procedures{{root, GetWindowLongPtrW(root, GWLP_WNDPROC)}};
  EnumChildWindows(root, NoteProcedure, reinterpret_cast<LPARAM>(&procedures));
  return procedures;
}

}  // namespace layouttest
