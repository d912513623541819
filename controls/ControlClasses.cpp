#include "controls/ControlClasses.h"

#include "controls/GradBox.h"
#include "controls/HistoryComboBox.h"
#include "controls/ShineSpdBtn.h"
#include "controls/dxfLabel.h"

void RegisterDecorativeControls() {
  RegisterGradBoxClasses();
  RegisterDxfLabelClasses();
  RegisterShineSpdBtnClasses();
  RegisterHistoryComboBoxClasses();
}
