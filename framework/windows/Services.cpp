// The real services over Win32 (MessageBoxW, ShellExecuteW, SHAddToRecentDocs, the file dialogs, a form's
// own modal loop) and the registry of the installed ones.
#include "framework/windows/Services.h"

#include <commdlg.h>
#include <shellapi.h>
#include <shlobj.h>

#include <algorithm>

#include "framework/windows/Application.h"
#include "framework/windows/Forms.h"

const TTypeInfo& TypeInfoOf(TypeTag<TMsgDlgType>) {
  static const TTypeInfo info =
      MakeEnumType("TMsgDlgType", {"mtWarning", "mtError", "mtInformation", "mtConfirmation", "mtCustom"});
  return info;
}

const TTypeInfo& TypeInfoOf(TypeTag<TMsgDlgBtn>) {
  static const TTypeInfo info = MakeEnumType("TMsgDlgBtn", {"mbYes", "mbNo", "mbOK", "mbCancel", "mbAbort", "mbRetry",
                                                            "mbIgnore", "mbAll", "mbNoToAll", "mbYesToAll", "mbHelp"});
  return info;
}

namespace {

UINT ButtonFlags(TMsgDlgButtons buttons) {
  UINT flags = buttons.Contains(mbHelp) ? MB_HELP : 0;
  if (buttons.Contains(mbYes) && buttons.Contains(mbNo))
    return flags | (buttons.Contains(mbCancel) ? MB_YESNOCANCEL : MB_YESNO);
  if (buttons.Contains(mbAbort) || buttons.Contains(mbIgnore)) return flags | MB_ABORTRETRYIGNORE;
  if (buttons.Contains(mbRetry)) return flags | MB_RETRYCANCEL;
  if (buttons.Contains(mbCancel)) return flags | MB_OKCANCEL;
  return flags | MB_OK;
}

UINT IconFlags(TMsgDlgType type) {
  switch (type) {
    case mtWarning: return MB_ICONWARNING;
    case mtError: return MB_ICONERROR;
    case mtInformation: return MB_ICONINFORMATION;
    case mtConfirmation: return MB_ICONQUESTION;
    default: return 0;
  }
}

String DefaultCaption(TMsgDlgType type) {
  switch (type) {
    case mtWarning: return "Warning";
    case mtError: return "Error";
    case mtInformation: return "Information";
    case mtConfirmation: return "Confirm";
    default: return Application ? Application->Title() : String();
  }
}

class TSystemDialogs final : public TDialogService {
 public:
  TModalResult Show(const TMessageRequest& request) override {
    UINT flags = ButtonFlags(request.Buttons) | IconFlags(request.Type) | MB_SETFOREGROUND;
    // Owned by the active window, so that the box stays above a form that stays on top.
    HWND owner = GetActiveWindow();
    if (!owner) flags |= MB_TASKMODAL | MB_TOPMOST;
    String caption = request.Caption;
    if (caption.empty()) caption = request.Kind == TMessageKind::Dialog ? DefaultCaption(request.Type)
                                                                       : (Application ? Application->Title() : "");
    return MessageBoxW(owner, CP932ToWide(request.Text).c_str(), CP932ToWide(caption).c_str(), flags);
  }
};

class TSystemShell final : public TShellService {
 public:
  INT_PTR Execute(HWND window, const String& operation, const String& file, const String& parameters,
                  const String& directory, int show) override {
    const WideString wideOperation = CP932ToWide(operation);
    const WideString wideFile = CP932ToWide(file);
    const WideString wideParameters = CP932ToWide(parameters);
    const WideString wideDirectory = CP932ToWide(directory);
    return reinterpret_cast<INT_PTR>(
        ShellExecuteW(window, wideOperation.empty() ? nullptr : wideOperation.c_str(), wideFile.c_str(),
                      wideParameters.c_str(), wideDirectory.empty() ? nullptr : wideDirectory.c_str(), show));
  }
  void AddToRecentDocuments(const String& fileName) override {
    SHAddToRecentDocs(SHARD_PATHW, CP932ToWide(fileName).c_str());
  }
};

class TSystemFileDialogs final : public TFileDialogService {
 public:
  bool Execute(TFileDialogRequest& request) override {
    // Room for the longest path Windows has, not 260 characters.
    WideString file(32768, L'\0');
    const WideString proposed = CP932ToWide(request.FileName);
    std::copy_n(proposed.begin(), std::min(proposed.size(), file.size() - 1), file.begin());
    // Split after converting: '|' can be the trail byte of a CP932 character.
    WideString filter = CP932ToWide(request.Filter);
    std::replace(filter.begin(), filter.end(), L'|', L'\0');
    filter.append(2, L'\0');
    const WideString title = CP932ToWide(request.Title);
    const WideString defaultExt = CP932ToWide(request.DefaultExt);
    const WideString initialDir = CP932ToWide(request.InitialDir);

    OPENFILENAMEW dialog{};
    dialog.lStructSize = sizeof(dialog);
    dialog.hwndOwner = request.Owner ? request.Owner : GetActiveWindow();
    dialog.lpstrFilter = request.Filter.empty() ? nullptr : filter.c_str();
    dialog.nFilterIndex = static_cast<DWORD>(std::max(request.FilterIndex, 1));
    dialog.lpstrFile = file.data();
    dialog.nMaxFile = static_cast<DWORD>(file.size());
    dialog.lpstrInitialDir = initialDir.empty() ? nullptr : initialDir.c_str();
    dialog.lpstrTitle = title.empty() ? nullptr : title.c_str();
    dialog.lpstrDefExt = defaultExt.empty() ? nullptr : defaultExt.c_str();
    dialog.Flags = request.Flags | OFN_EXPLORER;
    const BOOL chosen =
        request.Kind == TFileDialogKind::Save ? GetSaveFileNameW(&dialog) : GetOpenFileNameW(&dialog);
    if (!chosen) return false;
    request.FileName = WideToCP932(file.c_str());
    request.FilterIndex = static_cast<int>(dialog.nFilterIndex);
    return true;
  }
};

class TSystemChoiceDialogs final : public TChoiceDialogService {
 public:
  bool PickColor(TColorDialogRequest& request) override {
    // The dialog's sixteen custom colours live as long as the program, as users expect.
    static COLORREF customColors[16] = {};
    CHOOSECOLORW dialog{};
    dialog.lStructSize = sizeof(dialog);
    dialog.hwndOwner = request.Owner ? request.Owner : GetActiveWindow();
    dialog.rgbResult = request.Color;
    dialog.lpCustColors = customColors;
    dialog.Flags = CC_RGBINIT | CC_FULLOPEN;
    if (!ChooseColorW(&dialog)) return false;
    request.Color = dialog.rgbResult;
    return true;
  }

  bool PickFont(TFontDialogRequest& request) override {
    LOGFONTW font = request.Font;
    CHOOSEFONTW dialog{};
    dialog.lStructSize = sizeof(dialog);
    dialog.hwndOwner = request.Owner ? request.Owner : GetActiveWindow();
    dialog.lpLogFont = &font;
    dialog.rgbColors = request.Color;
    dialog.Flags = CF_INITTOLOGFONTSTRUCT | CF_EFFECTS | CF_SCREENFONTS;
    if (!ChooseFontW(&dialog)) return false;
    request.Font = font;
    request.Color = dialog.rgbColors;
    return true;
  }
};

class TSystemModalForms final : public TModalFormService {
 public:
  TModalResult ShowModal(TCustomForm& form) override { return form.ShowModal(); }
};

template <class Service, class Real>
struct TInstalled {
  static Service*& Current() {
    static Service* current = nullptr;
    return current;
  }
  static Service& Get() {
    static Real real;
    Service* current = Current();
    return current ? *current : real;
  }
  static Service* Set(Service* service) { return std::exchange(Current(), service); }
};

using TDialogs = TInstalled<TDialogService, TSystemDialogs>;
using TShell = TInstalled<TShellService, TSystemShell>;
using TFileDialogs = TInstalled<TFileDialogService, TSystemFileDialogs>;
using TChoiceDialogs = TInstalled<TChoiceDialogService, TSystemChoiceDialogs>;
using TModalForms = TInstalled<TModalFormService, TSystemModalForms>;

}  // namespace

TModalResult MessageDlg(const String& text, TMsgDlgType type, TMsgDlgButtons buttons, int helpContext) {
  TMessageRequest request;
  request.Kind = TMessageKind::Dialog;
  request.Text = text;
  request.Type = type;
  request.Buttons = buttons;
  request.HelpContext = helpContext;
  return DialogService().Show(request);
}

void ShowMessage(const String& text) {
  TMessageRequest request;
  request.Kind = TMessageKind::Message;
  request.Text = text;
  DialogService().Show(request);
}

TDialogService& DialogService() { return TDialogs::Get(); }
TDialogService* SetDialogService(TDialogService* service) { return TDialogs::Set(service); }
TShellService& ShellService() { return TShell::Get(); }
TShellService* SetShellService(TShellService* service) { return TShell::Set(service); }
TFileDialogService& FileDialogService() { return TFileDialogs::Get(); }
TFileDialogService* SetFileDialogService(TFileDialogService* service) { return TFileDialogs::Set(service); }
TChoiceDialogService& ChoiceDialogService() { return TChoiceDialogs::Get(); }
TChoiceDialogService* SetChoiceDialogService(TChoiceDialogService* service) { return TChoiceDialogs::Set(service); }
TModalFormService& ModalFormService() { return TModalForms::Get(); }
TModalFormService* SetModalFormService(TModalFormService* service) { return TModalForms::Set(service); }
