// Workbench.exe start-up: the application object, the workbench window, the message loop.
#include <windows.h>

#include "framework/windows/Application.h"
#include "workbench/WorkbenchClasses.h"
#include "workbench/WorkbenchForm.h"

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) {
  try {
    TWorkbenchForm* WorkbenchForm = nullptr;
    RegisterWorkbenchClasses();
    Application->Initialize();
    Application->SetTitle("Tavelko Designer Workbench");
    Application->CreateForm(WorkbenchForm);
    Application->Run();
  } catch (Exception& error) {
    Application->ShowException(error);
  } catch (...) {
    Exception error("");
    Application->ShowException(error);
  }
  return 0;
}
