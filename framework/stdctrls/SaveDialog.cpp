// TSaveDialog: options to OFN_ flags and the request to the file dialog service.
#include "framework/stdctrls/SaveDialog.h"

#include <windows.h>
#include <commdlg.h>

#include "framework/windows/Services.h"

const TTypeInfo& TypeInfoOf(TypeTag<TOpenOption>) {
  static const TTypeInfo info = MakeEnumType(
      "TOpenOption",
      {"ofReadOnly", "ofOverwritePrompt", "ofHideReadOnly", "ofNoChangeDir", "ofShowHelp", "ofNoValidate",
       "ofAllowMultiSelect", "ofExtensionDifferent", "ofPathMustExist", "ofFileMustExist", "ofCreatePrompt",
       "ofShareAware", "ofNoReadOnlyReturn", "ofNoTestFileCreate", "ofNoNetworkButton", "ofNoLongNames",
       "ofOldStyleDialog", "ofNoDereferenceLinks", "ofEnableIncludeNotify", "ofEnableSizing"});
  return info;
}

namespace {

DWORD OptionFlags(TOpenOptions options) {
  static constexpr struct {
    TOpenOption Option;
    DWORD Flag;
  } kFlags[] = {
      {ofReadOnly, OFN_READONLY},
      {ofOverwritePrompt, OFN_OVERWRITEPROMPT},
      {ofHideReadOnly, OFN_HIDEREADONLY},
      {ofNoChangeDir, OFN_NOCHANGEDIR},
      {ofShowHelp, OFN_SHOWHELP},
      {ofNoValidate, OFN_NOVALIDATE},
      {ofAllowMultiSelect, OFN_ALLOWMULTISELECT},
      {ofExtensionDifferent, OFN_EXTENSIONDIFFERENT},
      {ofPathMustExist, OFN_PATHMUSTEXIST},
      {ofFileMustExist, OFN_FILEMUSTEXIST},
      {ofCreatePrompt, OFN_CREATEPROMPT},
      {ofShareAware, OFN_SHAREAWARE},
      {ofNoReadOnlyReturn, OFN_NOREADONLYRETURN},
      {ofNoTestFileCreate, OFN_NOTESTFILECREATE},
      {ofNoNetworkButton, OFN_NONETWORKBUTTON},
      {ofNoLongNames, OFN_NOLONGNAMES},
      {ofNoDereferenceLinks, OFN_NODEREFERENCELINKS},
      {ofEnableIncludeNotify, OFN_ENABLEINCLUDENOTIFY},
      {ofEnableSizing, OFN_ENABLESIZING},
  };
  DWORD flags = 0;
  for (const auto& entry : kFlags)
    if (options.Contains(entry.Option)) flags |= entry.Flag;
  return flags;
}

}  // namespace

void TSaveDialog::Publish(TPublisher<TSaveDialog>& p) {
  p.Prop("DefaultExt", &TSaveDialog::DefaultExt, &TSaveDialog::SetDefaultExt);
  p.Prop("FileName", &TSaveDialog::FileName, &TSaveDialog::SetFileName);
  p.Prop("Filter", &TSaveDialog::Filter, &TSaveDialog::SetFilter);
  p.Prop("FilterIndex", &TSaveDialog::FilterIndex, &TSaveDialog::SetFilterIndex).Default(1);
  p.Prop("InitialDir", &TSaveDialog::InitialDir, &TSaveDialog::SetInitialDir);
  p.Prop("Options", &TSaveDialog::Options, &TSaveDialog::SetOptions)
      .Default(TOpenOptions{ofHideReadOnly, ofEnableSizing});
  p.Prop("Title", &TSaveDialog::Title, &TSaveDialog::SetTitle);
}

bool TSaveDialog::Execute() {
  TFileDialogRequest request;
  request.Kind = TFileDialogKind::Save;
  request.Owner = GetActiveWindow();
  request.Title = title_;
  request.Filter = filter_;
  request.FilterIndex = filterIndex_;
  request.DefaultExt = defaultExt_;
  request.InitialDir = initialDir_;
  request.FileName = fileName_;
  request.Flags = OptionFlags(options_);
  if (!FileDialogService().Execute(request)) return false;
  fileName_ = request.FileName;
  filterIndex_ = request.FilterIndex;
  return true;
}
