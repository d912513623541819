// TApplication: message loop, keyboard navigation, exception display, hints and mouse tracking.
#include "framework/windows/Application.h"

#include <exception>

#include "framework/windows/ControlCanvas.h"
#include "framework/windows/Forms.h"
#include "framework/windows/Services.h"

TApplication* Application = new TApplication(nullptr);

namespace {

// The framework control of a window or of the nearest window above it (a combo box's inner edit
// belongs to the combo box).
TWinControl* ControlOfWindow(HWND window) {
  for (HWND w = window; w; w = GetParent(w))
    if (TWinControl* control = FindControl(w)) return control;
  return nullptr;
}

bool KeyHeld(int virtualKey) { return GetKeyState(virtualKey) < 0; }

}  // namespace

TApplication::TApplication(TComponent* owner) : TComponent(owner) {}

TApplication::~TApplication() { BeforeDestruction(); }

void TApplication::Initialize() {
  Handle();
  HINSTANCE instance = GetModuleHandleW(nullptr);
  icon_ = static_cast<HICON>(LoadImageW(instance, L"MAINICON", IMAGE_ICON, 0, 0, LR_DEFAULTSIZE | LR_SHARED));
  smallIcon_ = static_cast<HICON>(LoadImageW(instance, L"MAINICON", IMAGE_ICON, GetSystemMetrics(SM_CXSMICON),
                                             GetSystemMetrics(SM_CYSMICON), LR_SHARED));
}

void TApplication::SetTitle(const String& value) {
  title_ = value;
  SetWindowTextW(Handle(), CP932ToWide(value).c_str());
}

HWND TApplication::Handle() {
  if (!window_) window_ = std::make_unique<TUtilityWindow>([this](TMessage& m) { return WindowMessage(m); });
  return window_->Handle();
}

bool TApplication::WindowMessage(TMessage& message) {
  if (message.Msg == WM_TIMER && hints_) return hints_->TimerFired(message.WParam);
  return false;
}

// ---- Forms and the message loop ----

void TApplication::SetMainForm(TCustomForm* form) { mainForm_.Set(form); }

void TApplication::Run() {
  terminated_ = false;
  if (mainForm_) mainForm_->Show();
  while (!terminated_ && mainForm_) HandleMessage();
  DestroyComponents();
}

void TApplication::ProcessMessages() {
  while (ProcessMessage()) {
  }
}

void TApplication::HandleMessage() {
  if (ProcessMessage()) return;
  TControlCanvas::FreeDeviceContexts();
  if (!terminated_) WaitMessage();
}

bool TApplication::ProcessMessage() {
  MSG msg;
  if (!PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) return false;
  if (msg.message == WM_QUIT) {
    terminated_ = true;
    return true;
  }
  try {
    switch (msg.message) {
      case WM_KEYDOWN:
      case WM_SYSKEYDOWN:
      case WM_LBUTTONDOWN:
      case WM_RBUTTONDOWN:
      case WM_MBUTTONDOWN:
        CancelHint();
        break;
    }
    if (!IsKeyMsg(msg)) {
      TranslateMessage(&msg);
      DispatchMessageW(&msg);
    }
  } catch (...) {
    HandleException(this);
  }
  return true;
}

bool TApplication::IsKeyMsg(MSG& msg) {
  if (msg.message == WM_KEYDOWN && msg.wParam == VK_TAB && !KeyHeld(VK_CONTROL) && !KeyHeld(VK_MENU)) {
    TWinControl* control = ControlOfWindow(msg.hwnd);
    if (!control || control->Perform(CM_WANTSPECIALKEY, VK_TAB) != 0) return false;
    TCustomForm* form = GetParentForm(control);
    if (!form) return false;
    form->SelectNext(control, !KeyHeld(VK_SHIFT), true);
    return true;
  }
  // Escape goes to the form (a modal form ends cancelled) unless the focused control uses it.
  if (msg.message == WM_KEYDOWN && msg.wParam == VK_ESCAPE) {
    TWinControl* control = ControlOfWindow(msg.hwnd);
    if (!control || control->Perform(CM_WANTSPECIALKEY, VK_ESCAPE) != 0) return false;
    TCustomForm* form = GetParentForm(control);
    return form && form->Perform(CM_DIALOGKEY, msg.wParam, msg.lParam) != 0;
  }
  if (msg.message == WM_SYSCHAR) {
    TWinControl* control = ControlOfWindow(msg.hwnd);
    TCustomForm* form = control ? GetParentForm(control) : nullptr;
    return form && form->Perform(CM_DIALOGCHAR, msg.wParam, msg.lParam) != 0;
  }
  return false;
}

// ---- Exceptions ----

void TApplication::HandleException(TObject* sender) noexcept {
  if (!std::current_exception()) return;
  try {
    try {
      throw;
    } catch (EAbort&) {
    } catch (Exception& error) {
      if (OnException) OnException(sender, error);
      else ShowException(error);
    } catch (std::exception& error) {
      Exception wrapped(error.what());
      if (OnException) OnException(sender, wrapped);
      else ShowException(wrapped);
    } catch (...) {
      Exception wrapped("Unknown exception");
      if (OnException) OnException(sender, wrapped);
      else ShowException(wrapped);
    }
  } catch (...) {
    // The display itself failed; nothing is left to tell it with.
  }
}

void TApplication::ShowException(Exception& error) {
  TMessageRequest request;
  request.Kind = TMessageKind::Exception;
  request.Text = error.Message();
  request.Caption = title_;
  request.Type = mtError;
  request.Buttons = {mbOK};
  DialogService().Show(request);
}

// ---- Hints ----

void TApplication::SetShowHint(bool value) {
  showHint_ = value;
  if (!value) CancelHint();
}

THintManager& TApplication::Hints() {
  if (!hints_) hints_ = std::make_unique<THintManager>(Handle());
  return *hints_;
}

void TApplication::CancelHint() {
  if (hints_) hints_->Cancel();
}

// ---- Mouse bookkeeping ----

void TApplication::NoteMouseOver(TControl* control) {
  if (control == mouseControl_) return;
  TControl* previous = std::exchange(mouseControl_, control);
  if (previous) previous->Perform(CM_MOUSELEAVE, 0, reinterpret_cast<LPARAM>(previous));
  // The leave handler may have moved on already.
  if (control && mouseControl_ == control) control->Perform(CM_MOUSEENTER, 0, reinterpret_cast<LPARAM>(control));
  if (control || hints_) Hints().MouseOver(mouseControl_);
}

void TApplication::MouseLeftWindow(TWinControl* window) {
  if (!mouseControl_) return;
  const bool windowless = !dynamic_cast<TWinControl*>(mouseControl_);
  if (mouseControl_ == window || (windowless && mouseControl_->Parent() == window)) NoteMouseOver(nullptr);
}

void TApplication::ControlDestroyed(TControl* control) {
  if (mouseControl_ == control) mouseControl_ = nullptr;
  if (hints_) hints_->ControlDestroyed(control);
}


int RunApplication(const String& title, const std::function<void()>& registerClasses,
                   const std::function<void()>& createForms) {
  try {
    registerClasses();
    Application->Initialize();
    Application->SetTitle(title);
    createForms();
    Application->Run();
  } catch (...) {
    Application->HandleException(Application);
    return 1;
  }
  return 0;
}
