/// @file
/// TApplication: the program's forms, its message loop, its exception display, its title and
/// icon, and the hint shown for the control under the mouse. One instance: Application.
#pragma once

#include <windows.h>

#include <functional>
#include <memory>

#include "framework/core/ComponentLink.h"
#include "framework/windows/HintWindow.h"
#include "framework/windows/UtilityWindow.h"

class TControl;
class TWinControl;
class TCustomForm;

/// Sender, the exception.
using TExceptionEvent = TEvent<TObject*, Exception&>;

class TApplication : public TComponent {
  TAVELKO_CLASS(TApplication, TComponent)

 public:
  explicit TApplication(TComponent* owner);
  ~TApplication() override;

  /// Makes the hidden application window and loads the icon.
  void Initialize();
  const String& Title() const { return title_; }
  void SetTitle(const String& value);
  /// The program's icon (the MAINICON resource), null when the program has none. Shared; not owned.
  HICON Icon() const { return icon_; }
  HICON SmallIcon() const { return smallIcon_; }
  /// The hidden application window: owner of hints and dialogs, target of the hint timers.
  HWND Handle();

  // ---- Forms and the message loop ----
  /// Creates a form owned by the application; the first one becomes the main form.
  template <class T>
  void CreateForm(T*& reference) {
    reference = new T(this);
    if (!mainForm_) SetMainForm(reference);
  }
  TCustomForm* MainForm() const { return mainForm_; }
  /// Shows the main form and handles messages until the main form closes (or Terminate); then
  /// destroys the forms and components the application owns.
  void Run();
  /// Ends Run after the current message.
  void Terminate() { terminated_ = true; }
  bool Terminated() const { return terminated_; }
  /// Handles every message waiting now, then returns.
  void ProcessMessages();
  /// Handles one message, waiting for it when none is there.
  void HandleMessage();

  // ---- Exceptions ----
  /// Call inside a catch block: gives the exception being handled to OnException or, without a
  /// handler, to ShowException. EAbort is silent. Never throws.
  void HandleException(TObject* sender) noexcept;
  /// The standard exception display: a message box with the text, through the dialog service.
  void ShowException(Exception& error);
  TExceptionEvent OnException;

  // ---- Hints ----
  bool ShowHint() const { return showHint_; }
  void SetShowHint(bool value);
  THintManager& Hints();
  void CancelHint();

  // ---- Framework bookkeeping of the mouse ----
  /// The control under the mouse now, as the last mouse move saw it.
  TControl* MouseControl() const { return mouseControl_; }
  /// A control saw WM_MOUSEMOVE: CM_MOUSELEAVE to the one before, CM_MOUSEENTER to it.
  void NoteMouseOver(TControl* control);
  /// The mouse left `window`'s client area.
  void MouseLeftWindow(TWinControl* window);
  void ControlDestroyed(TControl* control);

 private:
  void SetMainForm(TCustomForm* form);
  bool ProcessMessage();
  /// Tab moves the focus, Alt+key offers the character to the form's accelerators; true when taken.
  bool IsKeyMsg(MSG& msg);
  bool WindowMessage(TMessage& message);

  String title_;
  HICON icon_ = nullptr;
  HICON smallIcon_ = nullptr;
  std::unique_ptr<TUtilityWindow> window_;
  std::unique_ptr<THintManager> hints_;
  TComponentLink<TCustomForm> mainForm_;  ///< owned by the application as a component
  bool terminated_ = false;
  bool showHint_ = true;
  TControl* mouseControl_ = nullptr;
};

/// The one application object of the program; it lives until the process ends.
extern TApplication* Application;

/// The body of a program's WinMain: registers what `registerClasses` registers, initialises the
/// application under `title`, lets `createForms` create the forms and runs the message loop. What
/// escapes goes to the exception display. Returns the program's exit code.
int RunApplication(const String& title, const std::function<void()>& registerClasses,
                   const std::function<void()>& createForms);
