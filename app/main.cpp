// Tavelko.exe start-up: the application object, the page window (with the comic named on the
// command line, if any), the message loop.
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
    if (const String comic = ParamStr(1); !comic.empty()) {
      // A comic that cannot be opened is reported; the page starts as it is stored.
      try {
        MainForm1->OpenComicFile(comic);
      } catch (Exception& error) {
        Application->ShowException(error);
      }
    }
    Application->Run();
  } catch (Exception& error) {
    Application->ShowException(error);
  } catch (...) {
    Exception error("");
    Application->ShowException(error);
  }
  return 0;
}
