// The stage as a document: a new empty stage, and stage files opened and saved through the common
// dialogs, with the recently used files kept in a history box. A file that cannot be read is
// reported and leaves the stage as it was.
#pragma once

#include "framework/core/Text.h"

class TDsnStage;
class THistoryComboBox;
class TOpenDialog;
class TSaveDialog;

class TStageDocument {
 public:
  TStageDocument(TDsnStage& stage, TOpenDialog& openDialog, TSaveDialog& saveDialog, THistoryComboBox& recent);

  // Destroys every control on the stage (design mode switched off around it).
  void New();
  // Asks for a file and opens it; false when cancelled or the file could not be read.
  bool Open();
  // Reads the file into the stage; false, after telling the user why, when it cannot be read.
  bool OpenFile(const String& fileName);
  // Asks for a name (the overwrite question is the dialog's) and saves; false when cancelled or
  // the file could not be written.
  bool SaveAs();
  bool SaveFile(const String& fileName);

  // The file last opened or saved; empty for a new stage.
  const String& FileName() const { return fileName_; }

 private:
  void Remember(const String& fileName);

  TDsnStage& stage_;
  TOpenDialog& openDialog_;
  TSaveDialog& saveDialog_;
  THistoryComboBox& recent_;
  String fileName_;
};
