// A stage editor with a run-time designer: the form's stored layout (StageEditorForm.layout) holds
// the design stage, a palette of four templates, the layout-mode switch, the multi-select
// controller (a drag from an empty spot of the stage selects an area rather than moving the stage)
// and an inspector; the code adds New, Open and Save of stage files through the common dialogs.
#include <windows.h>

#include "StageEditorForm.fields.h"
#include "designer/DsnPanel.h"
#include "designer/DsnSpctr.h"
#include "designer/DsnSubMl.h"
#include "designer/DsnUnit.h"
#include "framework/core/Exception.h"
#include "framework/stdctrls/BitBtn.h"
#include "framework/stdctrls/Dialogs.h"
#include "framework/stdctrls/Edit.h"
#include "framework/stdctrls/Label.h"
#include "framework/stdctrls/Panel.h"
#include "framework/stdctrls/Shape.h"
#include "framework/stdctrls/StdControls.h"
#include "framework/windows/Application.h"
#include "framework/windows/Forms.h"
#include "framework/windows/Services.h"

class TStageEditorForm : public TForm, public TStageEditorFormFields {
  TAVELKO_CLASS(TStageEditorForm, TForm)
  // The handlers the layout binds by name.
  static void Publish(TPublisher<TStageEditorForm>& p) {
    p.Method("NewClick", &TStageEditorForm::NewClick);
    p.Method("OpenClick", &TStageEditorForm::OpenClick);
    p.Method("SaveClick", &TStageEditorForm::SaveClick);
  }

 public:
  explicit TStageEditorForm(TComponent* owner) : TForm(owner) {
    InitializeForm(this);
    // A stage file may come from anyone: it may make what the palette offers and nothing else.
    TDocumentRules& rules = DsnStage1->DocumentRules().AllowNothing();
    for (const TClassInfo* offered : DsnPanel1->OfferedClasses()) rules.Allow(*offered);
  }
  // Design mode ends while the stage and the controller are still there.
  ~TStageEditorForm() override {
    if (DsnSwitch1) DsnSwitch1->DesignOff();
  }

  void NewClick(TObject*) {
    DsnStage1->Clear();
    fileName_.clear();
  }

  void OpenClick(TObject*) {
    OpenDialog1->SetFileName(fileName_);
    if (!OpenDialog1->Execute()) return;
    try {
      // A file that cannot be read leaves the stage as it was; the message names it and says why.
      DsnStage1->LoadFromFile(OpenDialog1->FileName());
      fileName_ = OpenDialog1->FileName();
    } catch (const Exception& error) {
      MessageDlg(error.Message(), mtError, {mbOK}, 0);
    }
  }

  void SaveClick(TObject*) {
    SaveDialog1->SetFileName(fileName_);
    if (!SaveDialog1->Execute()) return;
    try {
      // An old file is replaced only once the new one is fully written.
      DsnStage1->SaveToFile(SaveDialog1->FileName());
      fileName_ = SaveDialog1->FileName();
    } catch (const Exception& error) {
      MessageDlg("The stage could not be saved:\r\n" + error.Message(), mtError, {mbOK}, 0);
    }
  }

 private:
  String fileName_;  // the file last opened or saved, proposed by the dialogs
};

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) {
  auto registerClasses = [] {
    RegisterStdControls();
    RegisterDsnUnitClasses();
    RegisterDsnSubMlClasses();
  };
  return RunApplication("Stage editor", registerClasses, [] {
    TStageEditorForm* form = nullptr;
    Application->CreateForm(form);
  });
}
