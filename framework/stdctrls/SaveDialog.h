// TSaveDialog and TSavePictureDialog: the save-file dialog as a component, shown through the
// framework's file dialog service (so tests answer it without a person).
#pragma once

#include <cstdint>

#include "framework/core/Component.h"

enum TOpenOption : std::uint8_t {
  ofReadOnly, ofOverwritePrompt, ofHideReadOnly, ofNoChangeDir, ofShowHelp, ofNoValidate, ofAllowMultiSelect,
  ofExtensionDifferent, ofPathMustExist, ofFileMustExist, ofCreatePrompt, ofShareAware, ofNoReadOnlyReturn,
  ofNoTestFileCreate, ofNoNetworkButton, ofNoLongNames, ofOldStyleDialog, ofNoDereferenceLinks,
  ofEnableIncludeNotify, ofEnableSizing,
};
using TOpenOptions = TSet<TOpenOption>;

const TTypeInfo& TypeInfoOf(TypeTag<TOpenOption>);

class TSaveDialog : public TComponent {
  TAVELKO_CLASS(TSaveDialog, TComponent)
  static void Publish(TPublisher<TSaveDialog>& p);

 public:
  explicit TSaveDialog(TComponent* owner) : TComponent(owner) {}

  // Added to a name typed without an extension; without the dot.
  const String& DefaultExt() const { return defaultExt_; }
  void SetDefaultExt(const String& value) { defaultExt_ = value; }
  // In: the name proposed; out: the name chosen.
  const String& FileName() const { return fileName_; }
  void SetFileName(const String& value) { fileName_ = value; }
  // "Description|pattern|Description|pattern".
  const String& Filter() const { return filter_; }
  void SetFilter(const String& value) { filter_ = value; }
  // The filter chosen, from 1.
  int FilterIndex() const { return filterIndex_; }
  void SetFilterIndex(int value) { filterIndex_ = value; }
  const String& InitialDir() const { return initialDir_; }
  void SetInitialDir(const String& value) { initialDir_ = value; }
  // Without ofOverwritePrompt (the default) an existing file is chosen without a question.
  TOpenOptions Options() const { return options_; }
  void SetOptions(TOpenOptions value) { options_ = value; }
  // The dialog's caption; empty: the system's.
  const String& Title() const { return title_; }
  void SetTitle(const String& value) { title_ = value; }

  // Shows the dialog; true with FileName and FilterIndex set when a file was chosen, false when
  // the dialog was cancelled (FileName unchanged).
  bool Execute();

 private:
  String defaultExt_;
  String fileName_;
  String filter_;
  int filterIndex_ = 1;
  String initialDir_;
  TOpenOptions options_{ofHideReadOnly, ofEnableSizing};
  String title_;
};

class TSavePictureDialog : public TSaveDialog {
  TAVELKO_CLASS(TSavePictureDialog, TSaveDialog)

 public:
  using TSaveDialog::TSaveDialog;
};
