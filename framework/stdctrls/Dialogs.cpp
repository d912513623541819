// The common dialog components: their settings to the requests of the dialog services and the
// answers back.
#include "framework/stdctrls/Dialogs.h"

#include <windows.h>
#include <commdlg.h>

#include <algorithm>

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

void TOpenDialog::Publish(TPublisher<TOpenDialog>& p) {
  p.Prop("DefaultExt", &TOpenDialog::DefaultExt, &TOpenDialog::SetDefaultExt);
  p.Prop("FileName", &TOpenDialog::FileName, &TOpenDialog::SetFileName);
  p.Prop("Filter", &TOpenDialog::Filter, &TOpenDialog::SetFilter);
  p.Prop("FilterIndex", &TOpenDialog::FilterIndex, &TOpenDialog::SetFilterIndex).Default(1);
  p.Prop("InitialDir", &TOpenDialog::InitialDir, &TOpenDialog::SetInitialDir);
  p.Prop("Options", &TOpenDialog::Options, &TOpenDialog::SetOptions)
      .Default(TOpenOptions{ofHideReadOnly, ofEnableSizing});
  p.Prop("Title", &TOpenDialog::Title, &TOpenDialog::SetTitle);
}

bool TOpenDialog::Execute() {
  TFileDialogRequest request;
  request.Kind = ForSaving() ? TFileDialogKind::Save : TFileDialogKind::Open;
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

// ---------------------------------------------------------------------------------------------
// TColorDialog

void TColorDialog::Publish(TPublisher<TColorDialog>& p) {
  p.Prop("Color", &TColorDialog::Color, &TColorDialog::SetColor).Default(clBlack);
}

bool TColorDialog::Execute() {
  TColorDialogRequest request;
  request.Owner = GetActiveWindow();
  request.Color = static_cast<COLORREF>(ColorToRGB(color_));
  if (!ChoiceDialogService().PickColor(request)) return false;
  color_ = static_cast<TColor>(request.Color);
  return true;
}

// ---------------------------------------------------------------------------------------------
// TFontDialog

namespace {

constexpr struct {
  TFontStyle Style;
  BYTE LOGFONTW::*Flag;
} kStyleFlags[] = {{fsItalic, &LOGFONTW::lfItalic},
                   {fsUnderline, &LOGFONTW::lfUnderline},
                   {fsStrikeOut, &LOGFONTW::lfStrikeOut}};

LOGFONTW LogFontOf(const TFont& font) {
  LOGFONTW logFont{};
  logFont.lfHeight = font.Height();
  logFont.lfWeight = font.Style().Contains(fsBold) ? FW_BOLD : FW_NORMAL;
  for (const auto& entry : kStyleFlags) logFont.*entry.Flag = font.Style().Contains(entry.Style);
  logFont.lfCharSet = font.Charset();
  const WideString face = CP932ToWide(font.Name());
  std::copy_n(face.begin(), std::min<std::size_t>(face.size(), LF_FACESIZE - 1), logFont.lfFaceName);
  return logFont;
}

void AssignLogFont(TFont& font, const LOGFONTW& logFont, COLORREF color) {
  font.SetName(WideToCP932(logFont.lfFaceName));
  font.SetHeight(logFont.lfHeight);
  TFontStyles style;
  if (logFont.lfWeight >= FW_BOLD) style += fsBold;
  for (const auto& entry : kStyleFlags)
    if (logFont.*entry.Flag) style += entry.Style;
  font.SetStyle(style);
  font.SetCharset(logFont.lfCharSet);
  font.SetColor(static_cast<TColor>(color));
}

}  // namespace

void TFontDialog::Publish(TPublisher<TFontDialog>& p) { p.Prop("Font", &TFontDialog::Font, &TFontDialog::SetFont); }

TFontDialog::TFontDialog(TComponent* owner) : TComponent(owner), font_(std::make_unique<TFont>()) {}

TFontDialog::~TFontDialog() = default;

bool TFontDialog::Execute() {
  TFontDialogRequest request;
  request.Owner = GetActiveWindow();
  request.Font = LogFontOf(*font_);
  request.Color = static_cast<COLORREF>(ColorToRGB(font_->Color()));
  if (!ChoiceDialogService().PickFont(request)) return false;
  AssignLogFont(*font_, request.Font, request.Color);
  return true;
}
