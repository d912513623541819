// A fixture with a shown, plain form at a fixed place with a white client area, destroyed with the
// fixture.
#pragma once

#include <gtest/gtest.h>
#include <windows.h>

#include "framework/windows/Forms.h"

namespace test_support {

class TFormFixture : public ::testing::Test {
 protected:
  void SetUp() override;
  void TearDown() override;

  // Paints what is invalid and returns the pixel of the form's client area.
  COLORREF FormPixel(int x, int y);

  TForm* form = nullptr;
};

}  // namespace test_support
