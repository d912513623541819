// The plain form fixture.
#include "tests/support/FormFixture.h"

#include "tests/support/MessagePump.h"
#include "tests/support/Pixels.h"

namespace test_support {

void TFormFixture::SetUp() {
  form = new TForm(nullptr);
  form->SetBorderStyle(bsNone);
  form->SetFormStyle(fsStayOnTop);  // other test programs share the screen
  form->SetBounds(40, 40, 200, 150);
  form->SetColor(clWhite);
  form->Show();
  ASSERT_TRUE(PumpUntil([this] { return form->Showing(); })) << "the form never showed";
}

void TFormFixture::TearDown() { delete form; }

COLORREF TFormFixture::FormPixel(int x, int y) {
  form->Update();
  return PixelAt(form->Handle(), x, y);
}

}  // namespace test_support
