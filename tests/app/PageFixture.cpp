// The page window fixture: a real TMainForm1 built from the program's stored layout.
#include "tests/app/PageFixture.h"

#include <windows.h>

#include "app/PageClasses.h"
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
  page = new TMainForm1(nullptr);
  page->Show();
  page->Update();
}

void PageTest::TearDown() {
  delete page;
  page = nullptr;
  tempFolder_.reset();
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
