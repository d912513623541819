// Shared set-up of the standard control tests: a shown host form whose test fails on a shown
// message or leaked objects; the rest comes from the shared test support.
#pragma once

#include <gtest/gtest.h>

#include <memory>
#include <optional>

#include "framework/windows/Forms.h"
#include "tests/support/InputDrivers.h"
#include "tests/support/MessagePump.h"
#include "tests/support/Pixels.h"
#include "tests/support/ServiceDoubles.h"
#include "tests/support/StreamWriters.h"

using namespace test_support;

// Every test gets a shown form (client area aqua, 400 x 300) and fails when an exception reached
// the application's display, or when framework objects leaked.
class StdCtrlsTest : public ::testing::Test {
 protected:
  void SetUp() override;
  void TearDown() override;

  std::unique_ptr<TForm> form;
  TScriptedDialogs dialogs;

 private:
  std::optional<TDialogServiceScope> dialogScope_;
  long liveAtStart_ = 0;
};
