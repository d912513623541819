/// @file
/// The framework's services for everything that blocks on a person or leaves the process: message
/// boxes and the exception display, the shell's open call, the file, colour and font dialogs and
/// modal forms. Each is
/// an abstract interface with a real implementation over Win32; tests install doubles of their own
/// to answer dialogs and observe shell calls.
#pragma once

#include <windows.h>

#include <cstdint>

#include "framework/core/Set.h"
#include "framework/core/Text.h"
#include "framework/windows/Control.h"

// ---------------------------------------------------------------------------------------------
// Message boxes

/// The icon and default caption of a message box; mtCustom has no icon and the application's title.
enum TMsgDlgType : std::uint8_t { mtWarning, mtError, mtInformation, mtConfirmation, mtCustom };
/// A button of a message box. mbAll, mbNoToAll and mbYesToAll have no system counterpart: the
/// system message box leaves them out.
enum TMsgDlgBtn : std::uint8_t { mbYes, mbNo, mbOK, mbCancel, mbAbort, mbRetry, mbIgnore, mbAll, mbNoToAll, mbYesToAll, mbHelp };
/// The buttons asked of a message box.
using TMsgDlgButtons = TSet<TMsgDlgBtn>;

/// Type data of the enumerations above: the enumerators' names for the stream and the inspector.
///@{
const TTypeInfo& TypeInfoOf(TypeTag<TMsgDlgType>);
const TTypeInfo& TypeInfoOf(TypeTag<TMsgDlgBtn>);
///@}

/// Which call asks for a message box, so that a test double can tell them apart.
enum class TMessageKind {
  Message,    ///< ShowMessage
  Dialog,     ///< MessageDlg
  Exception,  ///< the application's exception display
};

/// What a message box is asked to show.
struct TMessageRequest {
  TMessageKind Kind = TMessageKind::Message;  ///< the call that asks
  String Text;     ///< CP932
  String Caption;  ///< empty: the application's title
  TMsgDlgType Type = mtCustom;  ///< the icon (and, for MessageDlg, the default caption)
  TMsgDlgButtons Buttons{mbOK};  ///< the buttons asked for
  int HelpContext = 0;  ///< passed on for doubles; the system message box ignores it
};

/// Shows message boxes: MessageDlg, ShowMessage and the application's exception display go
/// through the installed one (DialogService).
class TDialogService {
 public:
  virtual ~TDialogService() = default;
  /// Shows the message modally; the modal result of the button chosen.
  virtual TModalResult Show(const TMessageRequest& request) = 0;
};

/// A message box with the buttons asked for (the nearest set a system message box offers);
/// returns mrYes, mrNo, mrOk, ... for the button chosen.
TModalResult MessageDlg(const String& text, TMsgDlgType type, TMsgDlgButtons buttons, int helpContext);
/// A message box with `text` (CP932), an OK button and the application's title; returns when
/// it is closed.
void ShowMessage(const String& text);

// ---------------------------------------------------------------------------------------------
// The shell

/// The shell's calls: opening documents and addresses, and the recent documents list.
class TShellService {
 public:
  virtual ~TShellService() = default;
  /// ShellExecute: the value it returns (greater than 32 on success).
  virtual INT_PTR Execute(HWND window, const String& operation, const String& file, const String& parameters,
                          const String& directory, int show) = 0;
  /// SHAddToRecentDocs: the file joins the user's recent documents (and the program's jump list).
  virtual void AddToRecentDocuments(const String& fileName) = 0;
};

// ---------------------------------------------------------------------------------------------
// File dialogs

/// The Open or the Save As dialog.
enum class TFileDialogKind { Open, Save };

/// What a file dialog is asked to show, and the answer.
struct TFileDialogRequest {
  TFileDialogKind Kind = TFileDialogKind::Open;  ///< which dialog
  HWND Owner = nullptr;  ///< the owner window; null: the active window
  String Title;  ///< CP932; empty: the system's title
  /// "Description|pattern|Description|pattern" (CP932).
  String Filter;
  int FilterIndex = 1;  ///< from 1
  String DefaultExt;     ///< without the dot
  String InitialDir;  ///< the folder shown first; empty: the system's choice
  String FileName;      ///< in: proposed; out: chosen
  DWORD Flags = 0;      ///< OFN_ options
};

/// Shows the file dialogs (FileDialogService); the open and save dialog components use it.
class TFileDialogService {
 public:
  virtual ~TFileDialogService() = default;
  /// True with request.FileName (and FilterIndex) set when the user chose a file; false when
  /// cancelled.
  virtual bool Execute(TFileDialogRequest& request) = 0;
};

// ---------------------------------------------------------------------------------------------
// Colour and font dialogs

/// What the colour dialog is asked to show, and the answer.
struct TColorDialogRequest {
  HWND Owner = nullptr;  ///< the owner window; null: the active window
  COLORREF Color = 0;  ///< in: proposed; out: chosen
};

/// What the font dialog is asked to show, and the answer.
struct TFontDialogRequest {
  HWND Owner = nullptr;  ///< the owner window; null: the active window
  LOGFONTW Font{};     ///< in: proposed; out: chosen
  COLORREF Color = 0;  ///< the text colour, likewise
};

/// Shows the colour and the font dialogs (ChoiceDialogService).
class TChoiceDialogService {
 public:
  virtual ~TChoiceDialogService() = default;
  /// True with the request's answer set when the user chose; false when cancelled (the request
  /// is then unchanged).
  ///@{
  virtual bool PickColor(TColorDialogRequest& request) = 0;
  virtual bool PickFont(TFontDialogRequest& request) = 0;
  ///@}
};

// ---------------------------------------------------------------------------------------------
// Modal forms

class TCustomForm;

/// Shows forms modally where a program wants to replace that in tests (ModalFormService).
class TModalFormService {
 public:
  virtual ~TModalFormService() = default;
  /// Shows the form modally (TCustomForm::ShowModal); the modal result it ended with.
  virtual TModalResult ShowModal(TCustomForm& form) = 0;
};

// ---------------------------------------------------------------------------------------------
// The installed services. Setting null puts the real one back; each setter returns the previous
// one. Services are not owned.

/// The installed service of each kind (the real one when none is set), and its setter. Setting
/// null puts the real one back; the setter returns the previous service (null for the real one).
/// An installed service is not owned and must outlive its installation.
///@{
TDialogService& DialogService();
TDialogService* SetDialogService(TDialogService* service);
TShellService& ShellService();
TShellService* SetShellService(TShellService* service);
TFileDialogService& FileDialogService();
TFileDialogService* SetFileDialogService(TFileDialogService* service);
TChoiceDialogService& ChoiceDialogService();
TChoiceDialogService* SetChoiceDialogService(TChoiceDialogService* service);
TModalFormService& ModalFormService();
TModalFormService* SetModalFormService(TModalFormService* service);
///@}

/// Installs a service for the length of a scope (a test double, usually).
template <class Service, Service* (*Setter)(Service*)>
class TServiceScope {
 public:
  /// Installs `service` (not owned; it must outlive the scope); the destructor puts the previous
  /// one back. Scopes must end in the reverse order of their making.
  explicit TServiceScope(Service& service) : previous_(Setter(&service)) {}
  ~TServiceScope() { Setter(previous_); }
  TServiceScope(const TServiceScope&) = delete;
  TServiceScope& operator=(const TServiceScope&) = delete;

 private:
  Service* previous_;
};

/// TServiceScope for each kind of service.
///@{
using TDialogServiceScope = TServiceScope<TDialogService, SetDialogService>;
using TShellServiceScope = TServiceScope<TShellService, SetShellService>;
using TFileDialogServiceScope = TServiceScope<TFileDialogService, SetFileDialogService>;
using TChoiceDialogServiceScope = TServiceScope<TChoiceDialogService, SetChoiceDialogService>;
using TModalFormServiceScope = TServiceScope<TModalFormService, SetModalFormService>;
///@}
