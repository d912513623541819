// Registration of every class the page layout may create by name.
#include "app/PageClasses.h"

#include "controls/GradBox.h"
#include "controls/HistoryComboBox.h"
#include "controls/ShineSpdBtn.h"
#include "controls/dxfLabel.h"
#include "designer/DsnUnit.h"
#include "framework/stdctrls/StdControls.h"

void RegisterPageClasses() {
  RegisterStdControls();
  RegisterGradBoxClasses();
  RegisterDxfLabelClasses();
  RegisterShineSpdBtnClasses();
  RegisterHistoryComboBoxClasses();
  RegisterDsnUnitClasses();
}
