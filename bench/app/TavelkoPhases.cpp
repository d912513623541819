// Tavelko.exe's start taken apart: the same libraries, classes, stored layout and window, each
// phase stamped with the time since the process was created; it ends once the window and every
// child have painted. Usage: TavelkoPhases FILE (the stamps are written to FILE).
#include <windows.h>

#include "StartupClock.h"
#include "app/MainWindow1.h"
#include "app/PageClasses.h"
#include "framework/windows/Application.h"

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) {
  bench::TStartupPhases phases;
  phases.Mark();  // the entry: the process, its libraries and the runtime's start
  RegisterPageClasses();
  Application->Initialize();
  phases.Mark();  // the classes registered, the application's hidden window and icon
  TMainForm1* MainForm1 = nullptr;
  Application->CreateForm(MainForm1);
  phases.Mark();  // the stored layout read, and the windows made (the form accepts dropped files)
  MainForm1->Show();
  phases.Mark();  // shown
  RedrawWindow(MainForm1->Handle(), nullptr, nullptr, RDW_UPDATENOW | RDW_ALLCHILDREN);
  phases.Mark();  // painted, with every child
  phases.Write();
  return 0;
}
