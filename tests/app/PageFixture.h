// A live page window for tests, with the dialogs, the shell, the file dialog and modal forms
// scripted.
#pragma once

#include <gtest/gtest.h>

#include <functional>
#include <memory>

#include "app/MainWindow1.h"
#include "framework/windows/ServiceDoubles.h"

class PageTest : public ::testing::Test {
 protected:
  static void SetUpTestSuite();
  void SetUp() override;
  void TearDown() override;

  // Handles waiting messages until `done` holds (or a bounded time passed); false on timeout.
  static bool PumpUntil(const std::function<bool()>& done);
  // A photo of the test set, as a CP932 path.
  static String Photo(const char* name);
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
  String tempFolder_;
};
