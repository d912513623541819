// Tavelko.exe start-up: the application object, the page window, the message loop.
#include <windows.h>

#include "app/MainWindow1.h"
#include "app/PageClasses.h"
#include "framework/windows/Application.h"

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) {
  try {
    TMainForm1* MainForm1 = nullptr;
    RegisterPageClasses();
    Application->Initialize();
    Application->SetTitle("Tavelko");
    Application->CreateForm(MainForm1);
    Application->Run();
  } catch (Exception& error) {
    Application->ShowException(error);
  } catch (...) {
    Exception error("");
    Application->ShowException(error);
  }
  return 0;
}
