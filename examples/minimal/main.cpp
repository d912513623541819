// The smallest program with a run-time designer: a form whose stored layout (MinimalForm.layout)
// holds a design stage with a few controls, the layout-mode switch, a controller and an
// inspector. Everything is bound by the layout; the code only starts it.
#include <windows.h>

#include "MinimalForm.fields.h"
#include "designer/DsnSpctr.h"
#include "designer/DsnUnit.h"
#include "framework/stdctrls/Edit.h"
#include "framework/stdctrls/Panel.h"
#include "framework/stdctrls/Shape.h"
#include "framework/stdctrls/StdControls.h"
#include "framework/windows/Application.h"
#include "framework/windows/Forms.h"

class TMinimalForm : public TForm, public TMinimalFormFields {
  TAVELKO_CLASS(TMinimalForm, TForm)

 public:
  explicit TMinimalForm(TComponent* owner) : TForm(owner) { InitializeForm(this); }
  // Design mode ends while the stage and the controller are still there.
  ~TMinimalForm() override {
    if (DsnSwitch1) DsnSwitch1->DesignOff();
  }
};

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) {
  auto registerClasses = [] {
    RegisterStdControls();
    RegisterDsnUnitClasses();  // the stage, switch, controllers, palette and inspector
  };
  return RunApplication("Minimal designer", registerClasses, [] {
    TMinimalForm* form = nullptr;
    Application->CreateForm(form);
  });
}
