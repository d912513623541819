#include "workbench/WorkbenchClasses.h"

#include "controls/ControlClasses.h"
#include "designer/DsnSub8.h"
#include "designer/DsnSubCl.h"
#include "designer/DsnSubDp.h"
#include "designer/DsnSubGr.h"
#include "designer/DsnSubMl.h"
#include "designer/DsnSubRS.h"
#include "designer/DsnUnit.h"
#include "designer/Dsnselect.h"
#include "framework/stdctrls/StdControls.h"

void RegisterWorkbenchClasses() {
  RegisterStdControls();
  RegisterDecorativeControls();
  RegisterDsnUnitClasses();
  RegisterDsnSubMlClasses();
  RegisterDsnSub8Classes();
  RegisterDsnSubRSClasses();
  RegisterDsnSubGrClasses();
  RegisterDsnSubDpClasses();
  RegisterDsnSubClClasses();
  RegisterDsnselectClasses();
}
