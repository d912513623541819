// Tavelko.exe start-up: the page window (with the comic named on the command line, if any) and the
// message loop.
#include <windows.h>

#include "app/MainWindow1.h"
#include "app/PageClasses.h"
#include "framework/core/SettingsPlace.h"
#include "framework/windows/Application.h"
#include "release/Version.h"

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) {
  SetUserSettingsFolderName(TAVELKO_PRODUCT_NAME);
  return RunApplication("Tavelko", RegisterPageClasses, [] {
    TMainForm1* MainForm1 = nullptr;
    Application->CreateForm(MainForm1);
    if (const String comic = ParamStr(1); !comic.empty()) {
      // A comic that cannot be opened is reported; the page starts as it is stored.
      try {
        MainForm1->OpenComicFile(comic);
      } catch (Exception& error) {
        Application->ShowException(error);
      }
    }
  });
}
