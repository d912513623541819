/// @file
/// The common dialogs as components: TOpenDialog, TSaveDialog and TSavePictureDialog through the
/// framework's file dialog service, TColorDialog and TFontDialog through its colour and font
/// dialog service (so tests answer them without a person).
#pragma once

#include <cstdint>
#include <memory>

#include "framework/core/Component.h"
#include "framework/graphics/Color.h"
#include "framework/graphics/Font.h"

/// The options of the file dialogs: the OFN_ flags of the same names. ofOldStyleDialog has no effect
/// (the dialog is always the Explorer one), and several chosen files are not supported: leave
/// ofAllowMultiSelect off.
enum TOpenOption : std::uint8_t {
  ofReadOnly, ofOverwritePrompt, ofHideReadOnly, ofNoChangeDir, ofShowHelp, ofNoValidate, ofAllowMultiSelect,
  ofExtensionDifferent, ofPathMustExist, ofFileMustExist, ofCreatePrompt, ofShareAware, ofNoReadOnlyReturn,
  ofNoTestFileCreate, ofNoNetworkButton, ofNoLongNames, ofOldStyleDialog, ofNoDereferenceLinks,
  ofEnableIncludeNotify, ofEnableSizing,
};
using TOpenOptions = TSet<TOpenOption>;  ///< A set of file dialog options.

/// Type data of TOpenOption, for the published Options.
const TTypeInfo& TypeInfoOf(TypeTag<TOpenOption>);

/// The file dialog for opening a file. Execute shows it modal to the active window, through the
/// framework's file dialog service; the settings are published, so a layout can carry them.
class TOpenDialog : public TComponent {
  TAVELKO_CLASS(TOpenDialog, TComponent)
  static void Publish(TPublisher<TOpenDialog>& p);

 public:
  /// The dialog belongs to `owner`, as any component (null: the caller deletes it).
  explicit TOpenDialog(TComponent* owner) : TComponent(owner) {}

  /// Added to a name typed without an extension; without the dot.
  ///@{
  const String& DefaultExt() const { return defaultExt_; }
  void SetDefaultExt(const String& value) { defaultExt_ = value; }
  ///@}
  /// In: the name proposed; out: the name chosen (a full path, in CP932).
  ///@{
  const String& FileName() const { return fileName_; }
  void SetFileName(const String& value) { fileName_ = value; }
  ///@}
  /// "Description|pattern|Description|pattern", e.g. "JPEG (*.jpg)|*.jpg;*.jpeg|All files|*.*";
  /// empty: no filter.
  ///@{
  const String& Filter() const { return filter_; }
  void SetFilter(const String& value) { filter_ = value; }
  ///@}
  /// The filter chosen, from 1: in, the one shown first; out, the one the user left chosen.
  ///@{
  int FilterIndex() const { return filterIndex_; }
  void SetFilterIndex(int value) { filterIndex_ = value; }
  ///@}
  /// The folder the dialog opens in; empty: the system's choice.
  ///@{
  const String& InitialDir() const { return initialDir_; }
  void SetInitialDir(const String& value) { initialDir_ = value; }
  ///@}
  /// Without ofOverwritePrompt (the default) an existing file is chosen for saving without a
  /// question; without ofFileMustExist a name of no file can be chosen for opening.
  ///@{
  TOpenOptions Options() const { return options_; }
  void SetOptions(TOpenOptions value) { options_ = value; }
  ///@}
  /// The dialog's caption; empty: the system's.
  ///@{
  const String& Title() const { return title_; }
  void SetTitle(const String& value) { title_ = value; }
  ///@}

  /// Shows the dialog and returns when it closes; true with FileName and FilterIndex set when a
  /// file was chosen, false when the dialog was cancelled or failed (FileName unchanged).
  bool Execute();

 protected:
  /// Whether Execute shows the save dialog rather than the open one; descendants choose.
  virtual bool ForSaving() const { return false; }

 private:
  String defaultExt_;
  String fileName_;
  String filter_;
  int filterIndex_ = 1;
  String initialDir_;
  TOpenOptions options_{ofHideReadOnly, ofEnableSizing};
  String title_;
};

/// The file dialog for saving: the same settings as TOpenDialog, shown as the system's save dialog.
class TSaveDialog : public TOpenDialog {
  TAVELKO_CLASS(TSaveDialog, TOpenDialog)

 public:
  using TOpenDialog::TOpenDialog;  ///< Made as a TOpenDialog.

 protected:
  bool ForSaving() const override { return true; }
};

/// A save dialog for pictures, registered under its own name for layouts that name it; it behaves
/// exactly as TSaveDialog (no preview).
class TSavePictureDialog : public TSaveDialog {
  TAVELKO_CLASS(TSavePictureDialog, TSaveDialog)

 public:
  using TSaveDialog::TSaveDialog;  ///< Made as a TSaveDialog.
};

/// The colour dialog: Color in, the colour chosen out (an RGB colour).
class TColorDialog : public TComponent {
  TAVELKO_CLASS(TColorDialog, TComponent)
  static void Publish(TPublisher<TColorDialog>& p);

 public:
  /// The dialog belongs to `owner`, as any component.
  explicit TColorDialog(TComponent* owner) : TComponent(owner) {}

  /// In: the colour proposed (a system colour is shown as its present RGB); out: the RGB colour chosen.
  ///@{
  TColor Color() const { return color_; }
  void SetColor(TColor value) { color_ = value; }
  ///@}

  /// True with Color set when a colour was chosen; false when cancelled (Color unchanged).
  bool Execute();

 private:
  TColor color_ = clBlack;
};

/// The font dialog: Font in, the font chosen out (face, size, style, character set and colour).
class TFontDialog : public TComponent {
  TAVELKO_CLASS(TFontDialog, TComponent)
  static void Publish(TPublisher<TFontDialog>& p);

 public:
  /// The dialog belongs to `owner`, as any component; it owns its Font.
  explicit TFontDialog(TComponent* owner);
  ~TFontDialog() override;

  /// In: the font proposed; out: the font chosen. Owned by the dialog and never null; the setter
  /// copies.
  ///@{
  TFont* Font() const { return font_.get(); }
  void SetFont(TFont* value) { font_->Assign(value); }
  ///@}

  /// True with Font set when a font was chosen; false when cancelled (Font unchanged).
  bool Execute();

 private:
  std::unique_ptr<TFont> font_;
};
