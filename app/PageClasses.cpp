// Registration of every class the page layout may create by name.
#include "app/PageClasses.h"

#include "controls/ControlClasses.h"
#include "designer/DsnUnit.h"
#include "framework/stdctrls/StdControls.h"

void RegisterPageClasses() {
  RegisterStdControls();
  RegisterDecorativeControls();
  RegisterDsnUnitClasses();
}
