// A live page window for tests, with the dialogs, the shell, the file dialog and modal forms
// scripted.
#pragma once

#include <gtest/gtest.h>

#include <memory>
#include <optional>

#include "app/MainWindow1.h"
#include "tests/support/InputDrivers.h"
#include "tests/support/MessagePump.h"
#include "tests/support/Pixels.h"
#include "tests/support/ServiceDoubles.h"
#include "tests/support/TempFiles.h"

using namespace test_support;

class PageTest : public ::testing::Test {
 protected:
  static void SetUpTestSuite();
  void SetUp() override;
  void TearDown() override;

  // A photo of the test set, as a CP932 path.
  static String Photo(const char* name);
  // A page window, shown, with its settings file in TempFolder().
  TMainForm1* NewPageWindow();
  // A click on a button of the button panel, as the mouse makes it.
  void ClickOnPanel(TControl* button);
  // A fresh, empty folder of this test; removed with its contents at the end.
  const String& TempFolder();

  TScriptedDialogs dialogs;
  TRecordingShell shell;
  TScriptedFileDialogs fileDialogs;
  TRecordingModalForms modalForms;
  TMainForm1* page = nullptr;

 private:
  std::unique_ptr<TDialogServiceScope> dialogScope_;
  std::unique_ptr<TShellServiceScope> shellScope_;
  std::unique_ptr<TFileDialogServiceScope> fileDialogScope_;
  std::unique_ptr<TModalFormServiceScope> modalFormScope_;
  std::optional<TTempFolder> tempFolder_;
};
