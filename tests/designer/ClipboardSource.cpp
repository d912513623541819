// Another process of the designer: puts two selected controls of its own stage on the system
// clipboard in the designer's format and ends, so that a test can paste what it left there.
#include <windows.h>

#include "designer/DsnUnit.h"
#include "framework/stdctrls/Memo.h"
#include "framework/stdctrls/Shape.h"
#include "framework/stdctrls/StdControls.h"
#include "framework/windows/Application.h"
#include "framework/windows/Forms.h"

int main() {
  RegisterStdControls();
  RegisterDsnUnitClasses();
  Application->Initialize();
  try {
    TForm form(nullptr);
    form.SetName("SourceForm");
    auto* stage = new TDsnStage(&form);
    stage->SetName("DsnStage1");
    stage->SetParent(&form);
    stage->SetBounds(0, 0, 300, 200);
    auto* shape = new TShape(&form);
    shape->SetName("Shape1");
    shape->SetParent(stage);
    shape->SetBounds(12, 16, 64, 32);
    shape->SetShape(stEllipse);
    auto* memo = new TMemo(&form);
    memo->SetName("Memo1");
    memo->SetParent(stage);
    memo->SetBounds(20, 60, 120, 40);
    memo->Lines()->Clear();
    memo->Lines()->Add("遠くの台詞");
    auto* controller = new TDsnRegister(&form);
    controller->SetDsnStage(stage);
    controller->SetDesigning(true);
    TTargetList* selection = controller->NewTargetList();
    selection->Add(shape);
    selection->Add(memo);
    controller->Copy();
    return 0;
  } catch (const Exception&) {
    return 1;
  }
}
