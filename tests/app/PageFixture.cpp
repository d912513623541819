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
  page = NewPageWindow();
}

TMainForm1* PageTest::NewPageWindow() {
  auto* window = new TMainForm1(nullptr);
  // The comics a test opens and saves are remembered in the test's own settings.
  window->SetSettingsFile(TempFolder() + "\\Tavelko.ini");
  window->Show();
  window->Update();
  return window;
}

void PageTest::TearDown() {
  delete page;
  page = nullptr;
  tempFolder_.reset();
}

void PageTest::ClickOnPanel(TControl* button) {
  HWND panel = page->Panel0->Handle();
  const int x = button->Left() + button->Width() / 2, y = button->Top() + button->Height() / 2;
  SendMouse(panel, WM_MOUSEMOVE, x, y);
  ClickAt(panel, x, y);
}

String PageTest::Photo(const char* name) {
  String path = String(TAVELKO_TEST_PHOTOS) + "/" + name;
  for (char& c : path)
    if (c == '/') c = '\\';
  return path;
}

const String& PageTest::TempFolder() {
  if (!tempFolder_) tempFolder_.emplace();
  return tempFolder_->Path();
}
