#include "workbench/StageDocument.h"

#include "controls/HistoryComboBox.h"
#include "designer/DsnUnit.h"
#include "framework/core/Exception.h"
#include "framework/stdctrls/Dialogs.h"
#include "framework/windows/Services.h"

namespace {

void ReportSaveFailure(const String& fileName, const Exception& error) {
  MessageDlg("The stage could not be saved to \"" + fileName + "\":\r\n" + error.Message(), mtError, {mbOK}, 0);
}

}  // namespace

TStageDocument::TStageDocument(TDsnStage& stage, TOpenDialog& openDialog, TSaveDialog& saveDialog,
                               THistoryComboBox& recent)
    : stage_(stage), openDialog_(openDialog), saveDialog_(saveDialog), recent_(recent) {}

void TStageDocument::New() {
  stage_.Clear();
  fileName_.clear();
}

bool TStageDocument::Open() {
  openDialog_.SetFileName(fileName_);
  return openDialog_.Execute() && OpenFile(openDialog_.FileName());
}

bool TStageDocument::OpenFile(const String& fileName) {
  try {
    stage_.LoadFromFile(fileName);
  } catch (const Exception& error) {
    // The stage's message names the file and says why.
    MessageDlg(error.Message(), mtError, {mbOK}, 0);
    return false;
  }
  Remember(fileName);
  return true;
}

bool TStageDocument::SaveAs() {
  saveDialog_.SetFileName(fileName_);
  return saveDialog_.Execute() && SaveFile(saveDialog_.FileName());
}

bool TStageDocument::SaveFile(const String& fileName) {
  try {
    stage_.SaveToFile(fileName);
  } catch (const Exception& error) {
    ReportSaveFailure(fileName, error);
    return false;
  }
  Remember(fileName);
  return true;
}

void TStageDocument::Remember(const String& fileName) {
  fileName_ = fileName;
  recent_.AddText(fileName);
  recent_.SetItemIndex(0);
}
