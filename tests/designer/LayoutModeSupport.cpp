// The page-like test form of the layout-mode tests.
#include "LayoutModeSupport.h"

#include "designer/DsnSubMl.h"
#include "framework/core/Stream.h"
#include "framework/stdctrls/StdControls.h"
#include "streaming/ComponentReader.h"
#include "tools/layoutc/LayoutCompiler.h"
#include "tests/support/InputDrivers.h"
#include "tests/support/MessagePump.h"

namespace layouttest {

using test_support::Pump;
using test_support::TPumpMode;

void RegisterClassesOnce() {
  static const bool registered = [] {
    RegisterStdControls();
    RegisterDsnUnitClasses();
    RegisterDsnSubMlClasses();  // the page's controller
    return true;
  }();
  (void)registered;
}

void ReadLayoutText(const String& text, TForm& form) {
  TMemoryStream stream;
  TLayoutCompiler(String(TAVELKO_SOURCE_DIR) + "/app/").Compile(text, stream);
  stream.SetPosition(0);
  TComponentReader(stream).ReadRootComponent(&form);
}

namespace {

template <class T>
T* Place(TForm* form, TWinControl* parent, const char* name, int left, int top, int width, int height) {
  auto* control = new T(form);
  control->SetName(name);
  control->SetParent(parent);
  control->SetBounds(left, top, width, height);
  return control;
}

}  // namespace

TPageForm::TPageForm() : form(new TForm(nullptr)) {
  form->SetName("PageForm");
  form->SetBorderStyle(bsNone);
  form->SetBounds(60, 60, 602, 360);
  form->SetColor(clWhite);

  stage = Place<TDsnStage>(form, form, "DsnStage1", 22, 0, 420, 360);
  stage->SetBevelOuter(bvNone);
  stage->SetColor(clSilver);
  stage->Rubberband()->SetMoveWidth(4);
  stage->Rubberband()->SetMoveHeight(4);
  page = Place<TShape>(form, stage, "Shape0", 0, 0, 200, 300);
  page->Pen()->SetStyle(psClear);
  balloon1 = Place<TShape>(form, stage, "Shape1", 40, 40, 80, 40);
  balloon1->SetShape(stEllipse);
  balloon2 = Place<TShape>(form, stage, "Shape2", 140, 40, 80, 40);
  balloon2->SetShape(stEllipse);
  memo1 = Place<TMemo>(form, stage, "Memo1", 40, 100, 120, 40);
  memo2 = Place<TMemo>(form, stage, "Memo2", 40, 160, 120, 40);
  frame = Place<TImage>(form, stage, "Image1", 220, 20, 100, 75);

  buttons = Place<TPanel>(form, form, "Panel0", 442, 0, 160, 60);
  modeSwitch = Place<TDsnSwitch>(form, buttons, "DsnSwitch1", 1, 1, 158, 24);
  modeSwitch->SetGroupIndex(TDsnSwitch::kGroupIndex);
  modeSwitch->SetAllowAllUp(true);

  controller = new TCountingRegister(form);
  controller->SetName("DsnRegister1");
  controller->SetDsnStage(stage);
  modeSwitch->SetDsnRegister(controller);

  form->Show();
  UpdateWindow(form->Handle());
  Pump(TPumpMode::DispatchWithoutRealInput);
}

TPageForm::~TPageForm() {
  delete form;
  Pump(TPumpMode::DispatchWithoutRealInput);
}

TPoint TPageForm::ScreenOf(TControl* control, TPoint local) { return test_support::ScreenOf(control, local); }

TDsnCtrl* TPageForm::InterceptorOf(TWinControl* control) {
  if (!control->HandleAllocated()) return nullptr;
  return dynamic_cast<TDsnCtrl*>(TAgent::FindAgent(control->Handle()));
}

std::vector<TControl*> TPageForm::Selection() const {
  std::vector<TControl*> items;
  TTargetList* targets = controller->TargetList();
  for (int i = 0; targets && i < targets->GetCount(); ++i) items.push_back(targets->GetItems(i));
  return items;
}

}  // namespace layouttest
