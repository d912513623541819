// Workbench.exe start-up: the workbench window and the message loop.
#include <windows.h>

#include "framework/core/SettingsPlace.h"
#include "framework/windows/Application.h"
#include "release/Version.h"
#include "workbench/WorkbenchClasses.h"
#include "workbench/WorkbenchForm.h"

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) {
  SetUserSettingsFolderName(TAVELKO_PRODUCT_NAME);
  return RunApplication("Tavelko Designer Workbench", RegisterWorkbenchClasses, [] {
    TWorkbenchForm* WorkbenchForm = nullptr;
    Application->CreateForm(WorkbenchForm);
  });
}
