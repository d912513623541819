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

/// The program: its forms and message loop, the exception display, title and icon, and the
/// hint of the control under the mouse. The framework makes the one instance, Application; like
/// all of the framework it is used only on the thread that runs the message loop. The forms it
/// owns are destroyed at the end of Run.
class TApplication : public TComponent {
  TAVELKO_CLASS(TApplication, TComponent)

 public:
  /// Made once by the framework as Application; programs do not make another.
  explicit TApplication(TComponent* owner);
  ~TApplication() override;

  /// Makes the hidden application window and loads the icon.
  void Initialize();
  /// The program's title (CP932): the text of the application window and the caption of
  /// message boxes that have none of their own. Setting it makes the window.
  ///@{
  const String& Title() const { return title_; }
  void SetTitle(const String& value);
  ///@}
  /// The program's icon (the MAINICON resource) in the large and the small size, null when the
  /// program has none or before Initialize. Shared; not owned.
  ///@{
  HICON Icon() const { return icon_; }
  HICON SmallIcon() const { return smallIcon_; }
  ///@}
  /// The hidden application window: owner of hints and dialogs, target of the hint timers.
  HWND Handle();

  // ---- Forms and the message loop ----
  /// Creates a form owned by the application; the first one becomes the main form.
  template <class T>
  void CreateForm(T*& reference) {
    reference = new T(this);
    if (!mainForm_) SetMainForm(reference);
  }
  /// The first form CreateForm made; closing it ends Run. Null before, and once it is destroyed.
  TCustomForm* MainForm() const { return mainForm_; }
  /// Shows the main form and handles messages until the main form closes (or Terminate); then
  /// destroys the forms and components the application owns.
  void Run();
  /// Ends Run after the current message.
  void Terminate() { terminated_ = true; }
  /// Whether Terminate was called or WM_QUIT arrived; Run and modal forms end.
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
  /// Replaces ShowException for HandleException when assigned (Sender: where the exception was
  /// caught). What it raises is swallowed.
  TExceptionEvent OnException;

  // ---- Hints ----
  /// Whether hints show anywhere in the program (default true); turning it off hides the hint
  /// on the screen.
  ///@{
  bool ShowHint() const { return showHint_; }
  void SetShowHint(bool value);
  ///@}
  /// The hint manager, made (with the application window) on first use; owned by the application.
  THintManager& Hints();
  /// Hides the hint on the screen and forgets the one waiting to show (the framework does this on
  /// every key and button press).
  void CancelHint();

  // ---- Framework bookkeeping of the mouse ----
  /// The control under the mouse now, as the last mouse move saw it.
  TControl* MouseControl() const { return mouseControl_; }
  /// A control saw WM_MOUSEMOVE: CM_MOUSELEAVE to the one before, CM_MOUSEENTER to it.
  void NoteMouseOver(TControl* control);
  /// The mouse left `window`'s client area.
  void MouseLeftWindow(TWinControl* window);
  /// Part of TControl's destructor: the control leaves the mouse and hint bookkeeping. Not for
  /// use on its own.
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
/// escapes goes to HandleException (the exception display, or OnException). Returns the program's
/// exit code: 0, or 1 when an exception escaped.
int RunApplication(const String& title, const std::function<void()>& registerClasses,
                   const std::function<void()>& createForms);
