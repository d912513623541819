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

enum TMsgDlgType : std::uint8_t { mtWarning, mtError, mtInformation, mtConfirmation, mtCustom };
enum TMsgDlgBtn : std::uint8_t { mbYes, mbNo, mbOK, mbCancel, mbAbort, mbRetry, mbIgnore, mbAll, mbNoToAll, mbYesToAll, mbHelp };
using TMsgDlgButtons = TSet<TMsgDlgBtn>;

const TTypeInfo& TypeInfoOf(TypeTag<TMsgDlgType>);
const TTypeInfo& TypeInfoOf(TypeTag<TMsgDlgBtn>);

enum class TMessageKind {
  Message,    ///< ShowMessage
  Dialog,     ///< MessageDlg
  Exception,  ///< the application's exception display
};

struct TMessageRequest {
  TMessageKind Kind = TMessageKind::Message;
  String Text;     ///< CP932
  String Caption;  ///< empty: the application's title
  TMsgDlgType Type = mtCustom;
  TMsgDlgButtons Buttons{mbOK};
  int HelpContext = 0;
};

class TDialogService {
 public:
  virtual ~TDialogService() = default;
  /// Shows the message modally; the modal result of the button chosen.
  virtual TModalResult Show(const TMessageRequest& request) = 0;
};

/// A message box with the buttons asked for (the nearest set a system message box offers);
/// returns mrYes, mrNo, mrOk, ... for the button chosen.
TModalResult MessageDlg(const String& text, TMsgDlgType type, TMsgDlgButtons buttons, int helpContext);
void ShowMessage(const String& text);

// ---------------------------------------------------------------------------------------------
// The shell

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

enum class TFileDialogKind { Open, Save };

struct TFileDialogRequest {
  TFileDialogKind Kind = TFileDialogKind::Open;
  HWND Owner = nullptr;
  String Title;
  /// "Description|pattern|Description|pattern" (CP932).
  String Filter;
  int FilterIndex = 1;  ///< from 1
  String DefaultExt;     ///< without the dot
  String InitialDir;
  String FileName;      ///< in: proposed; out: chosen
  DWORD Flags = 0;      ///< OFN_ options
};

class TFileDialogService {
 public:
  virtual ~TFileDialogService() = default;
  /// True with request.FileName (and FilterIndex) set when the user chose a file; false when
  /// cancelled.
  virtual bool Execute(TFileDialogRequest& request) = 0;
};

// ---------------------------------------------------------------------------------------------
// Colour and font dialogs

struct TColorDialogRequest {
  HWND Owner = nullptr;
  COLORREF Color = 0;  ///< in: proposed; out: chosen
};

struct TFontDialogRequest {
  HWND Owner = nullptr;
  LOGFONTW Font{};     // in: proposed; out: chosen
  COLORREF Color = 0;  ///< the text colour, likewise
};

class TChoiceDialogService {
 public:
  virtual ~TChoiceDialogService() = default;
  /// True with the request's answer set when the user chose; false when cancelled.
  virtual bool PickColor(TColorDialogRequest& request) = 0;
  virtual bool PickFont(TFontDialogRequest& request) = 0;
};

// ---------------------------------------------------------------------------------------------
// Modal forms

class TCustomForm;

class TModalFormService {
 public:
  virtual ~TModalFormService() = default;
  /// Shows the form modally (TCustomForm::ShowModal); the modal result it ended with.
  virtual TModalResult ShowModal(TCustomForm& form) = 0;
};

// ---------------------------------------------------------------------------------------------
// The installed services. Setting null puts the real one back; each setter returns the previous
// one. Services are not owned.

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

/// Installs a service for the length of a scope (a test double, usually).
template <class Service, Service* (*Setter)(Service*)>
class TServiceScope {
 public:
  explicit TServiceScope(Service& service) : previous_(Setter(&service)) {}
  ~TServiceScope() { Setter(previous_); }
  TServiceScope(const TServiceScope&) = delete;
  TServiceScope& operator=(const TServiceScope&) = delete;

 private:
  Service* previous_;
};

using TDialogServiceScope = TServiceScope<TDialogService, SetDialogService>;
using TShellServiceScope = TServiceScope<TShellService, SetShellService>;
using TFileDialogServiceScope = TServiceScope<TFileDialogService, SetFileDialogService>;
using TChoiceDialogServiceScope = TServiceScope<TChoiceDialogService, SetChoiceDialogService>;
using TModalFormServiceScope = TServiceScope<TModalFormService, SetModalFormService>;
