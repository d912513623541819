// A live workbench window for tests, built from the program's stored layout, with the message
// boxes, the file dialogs and the colour and font dialogs scripted and the recent-stage history
// kept in a folder of the test.
#pragma once

#include <gtest/gtest.h>

#include <memory>
#include <vector>

#include "tests/support/InputDrivers.h"
#include "tests/support/MessagePump.h"
#include "tests/support/ServiceDoubles.h"
#include "tests/support/TempFiles.h"
#include "workbench/WorkbenchForm.h"

using namespace test_support;

class WorkbenchTest : public ::testing::Test {
 protected:
  static void SetUpTestSuite();
  void SetUp() override;
  void TearDown() override;

  // Layout mode on or off by a click on the switch.
  void ClickSwitch();
  // Chooses a command of the menu bar: the message the window receives when the user picks the
  // item (the bar's own mouse and keyboard handling is the system's).
  void Choose(TMenuItem* item);
  void Click(TControl* control, int x, int y, TShiftState shift = {});
  void Drag(TPoint from, TPoint to, TShiftState shift = {});

  // The selection of the current controller, in order.
  std::vector<TControl*> Selection() const;
  // Grab handles anywhere on the stage.
  int HandlesOnStage() const;
  // Component names of the stage's controls, depth first.
  std::vector<String> StageNames() const;

  TScriptedDialogs dialogs;
  TScriptedFileDialogs fileDialogs;
  TScriptedChoiceDialogs choiceDialogs;
  TTempFolder temp;
  TWorkbenchForm* bench = nullptr;
  std::unique_ptr<TMouseDriver> mouse;

 private:
  std::unique_ptr<TDialogServiceScope> dialogScope_;
  std::unique_ptr<TFileDialogServiceScope> fileDialogScope_;
  std::unique_ptr<TChoiceDialogServiceScope> choiceDialogScope_;
};
