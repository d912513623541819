// The page window fixture: a real TMainForm1 built from the program's stored layout.
#include "tests/app/PageFixture.h"

#include <windows.h>

#include "app/PageClasses.h"
#include "framework/stdctrls/Panel.h"
#include "framework/windows/Application.h"

void PageTest::SetUpTestSuite() {
  static const bool registered = [] {
    RegisterPageClasses();
    Application->Initialize();
    return true;
  }();
  (void)registered;
}

void PageTest::SetUp() {
  dialogScope_ = std::make_unique<TDialogServiceScope>(dialogs);
  shellScope_ = std::make_unique<TShellServiceScope>(shell);
  fileDialogScope_ = std::make_unique<TFileDialogServiceScope>(fileDialogs);
  modalFormScope_ = std::make_unique<TModalFormServiceScope>(modalForms);
  page = new TMainForm1(nullptr);
  page->Show();
  page->Update();
}

void PageTest::TearDown() {
  delete page;
  page = nullptr;
  if (!tempFolder_.empty()) {
    WIN32_FIND_DATAW entry;
    const WideString folder = CP932ToWide(tempFolder_);
    HANDLE find = FindFirstFileW((folder + L"\\*").c_str(), &entry);
    if (find != INVALID_HANDLE_VALUE) {
      do {
        if (!(entry.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)) DeleteFileW((folder + L"\\" + entry.cFileName).c_str());
      } while (FindNextFileW(find, &entry));
      FindClose(find);
    }
    RemoveDirectoryW(folder.c_str());
  }
}

bool PageTest::PumpUntil(const std::function<bool()>& done) {
  const DWORD start = GetTickCount();
  while (!done()) {
    if (GetTickCount() - start > 5000) return false;
    Application->ProcessMessages();
    MsgWaitForMultipleObjects(0, nullptr, FALSE, 10, QS_ALLINPUT);
  }
  return true;
}

void PageTest::ClickOnPanel(TControl* button) {
  HWND panel = page->Panel0->Handle();
  const LPARAM at = MAKELPARAM(button->Left() + button->Width() / 2, button->Top() + button->Height() / 2);
  SendMessageW(panel, WM_MOUSEMOVE, 0, at);
  SendMessageW(panel, WM_LBUTTONDOWN, MK_LBUTTON, at);
  SendMessageW(panel, WM_LBUTTONUP, 0, at);
}

String PageTest::Photo(const char* name) {
  String path = String(TAVELKO_TEST_PHOTOS) + "/" + name;
  for (char& c : path)
    if (c == '/') c = '\\';
  return path;
}

const String& PageTest::TempFolder() {
  if (tempFolder_.empty()) {
    wchar_t buffer[MAX_PATH + 1];
    GetTempPathW(MAX_PATH + 1, buffer);
    static int serial = 0;
    tempFolder_ = WideToCP932(buffer) + "tavelko_page_" + IntToStr(GetCurrentProcessId()) + "_" + IntToStr(++serial);
    CreateDirectoryW(CP932ToWide(tempFolder_).c_str(), nullptr);
  }
  return tempFolder_;
}
