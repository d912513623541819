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

enum TOpenOption : std::uint8_t {
  ofReadOnly, ofOverwritePrompt, ofHideReadOnly, ofNoChangeDir, ofShowHelp, ofNoValidate, ofAllowMultiSelect,
  ofExtensionDifferent, ofPathMustExist, ofFileMustExist, ofCreatePrompt, ofShareAware, ofNoReadOnlyReturn,
  ofNoTestFileCreate, ofNoNetworkButton, ofNoLongNames, ofOldStyleDialog, ofNoDereferenceLinks,
  ofEnableIncludeNotify, ofEnableSizing,
};
using TOpenOptions = TSet<TOpenOption>;

const TTypeInfo& TypeInfoOf(TypeTag<TOpenOption>);

class TOpenDialog : public TComponent {
  TAVELKO_CLASS(TOpenDialog, TComponent)
  static void Publish(TPublisher<TOpenDialog>& p);

 public:
  explicit TOpenDialog(TComponent* owner) : TComponent(owner) {}

  /// Added to a name typed without an extension; without the dot.
  const String& DefaultExt() const { return defaultExt_; }
  void SetDefaultExt(const String& value) { defaultExt_ = value; }
  /// In: the name proposed; out: the name chosen.
  const String& FileName() const { return fileName_; }
  void SetFileName(const String& value) { fileName_ = value; }
  /// "Description|pattern|Description|pattern".
  const String& Filter() const { return filter_; }
  void SetFilter(const String& value) { filter_ = value; }
  /// The filter chosen, from 1.
  int FilterIndex() const { return filterIndex_; }
  void SetFilterIndex(int value) { filterIndex_ = value; }
  const String& InitialDir() const { return initialDir_; }
  void SetInitialDir(const String& value) { initialDir_ = value; }
  /// Without ofOverwritePrompt (the default) an existing file is chosen for saving without a
  /// question; without ofFileMustExist a name of no file can be chosen for opening.
  TOpenOptions Options() const { return options_; }
  void SetOptions(TOpenOptions value) { options_ = value; }
  /// The dialog's caption; empty: the system's.
  const String& Title() const { return title_; }
  void SetTitle(const String& value) { title_ = value; }

  /// Shows the dialog; true with FileName and FilterIndex set when a file was chosen, false when
  /// the dialog was cancelled (FileName unchanged).
  bool Execute();

 protected:
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

class TSaveDialog : public TOpenDialog {
  TAVELKO_CLASS(TSaveDialog, TOpenDialog)

 public:
  using TOpenDialog::TOpenDialog;

 protected:
  bool ForSaving() const override { return true; }
};

class TSavePictureDialog : public TSaveDialog {
  TAVELKO_CLASS(TSavePictureDialog, TSaveDialog)

 public:
  using TSaveDialog::TSaveDialog;
};

/// The colour dialog: Color in, the colour chosen out (an RGB colour).
class TColorDialog : public TComponent {
  TAVELKO_CLASS(TColorDialog, TComponent)
  static void Publish(TPublisher<TColorDialog>& p);

 public:
  explicit TColorDialog(TComponent* owner) : TComponent(owner) {}

  TColor Color() const { return color_; }
  void SetColor(TColor value) { color_ = value; }

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
  explicit TFontDialog(TComponent* owner);
  ~TFontDialog() override;

  TFont* Font() const { return font_.get(); }
  void SetFont(TFont* value) { font_->Assign(value); }

  /// True with Font set when a font was chosen; false when cancelled (Font unchanged).
  bool Execute();

 private:
  std::unique_ptr<TFont> font_;
};
