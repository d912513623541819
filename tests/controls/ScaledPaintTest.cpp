// Controls painted into a magnified DC (a comic saved at 4x): outlines laid out in device pixels,
// as wide as one of the control's, and the 3D label rendered at the scale rather than enlarged.
#include <windows.h>

#include "controls/GradBox.h"
#include "controls/dxfLabel.h"
#include "framework/graphics/GdiHandles.h"
#include "framework/stdctrls/Shape.h"
#include "tests/controls/ControlsTestSupport.h"

using namespace controls_test;

namespace {

constexpr int kScale = 4;

// The control painted through WM_PAINT at kScale into a white bitmap of its magnified size.
std::unique_ptr<TBitmap> PaintedAtScale(TControl& control) {
  auto bitmap = MakeBitmap(control.Width() * kScale, control.Height() * kScale, clWhite);
  HDC dc = bitmap->Canvas()->Handle();
  const gdi::ScaledDrawing scaled(dc, kScale, {0, 0});
  control.Perform(WM_PAINT, reinterpret_cast<WPARAM>(dc), 0);
  return bitmap;
}

}  // namespace

TEST(ScaledPaint, OutlinesAreOneControlPixelWideAndInsideTheControl) {
  TShape balloon(nullptr);
  balloon.SetBounds(0, 0, 40, 20);
  balloon.SetShape(stEllipse);
  TGradBox box(nullptr);
  box.SetBounds(0, 0, 40, 20);
  box.SetDrawOutLine(true);
  box.SetOutLineColor(clBlack);
  for (TControl* control : {static_cast<TControl*>(&balloon), static_cast<TControl*>(&box)}) {
    const auto painted = PaintedAtScale(*control);
    // Across the left edge at half height: four device pixels of outline from the very edge.
    const int y = 10 * kScale;
    for (int x = 0; x < kScale; ++x) EXPECT_EQ(PixelOf(*painted, x, y), clBlack) << control->ClassName() << " " << x;
    EXPECT_NE(PixelOf(*painted, kScale, y), clBlack) << control->ClassName();
  }
}

TEST(ScaledPaint, TheThreeDLabelRendersAtTheScaleInsteadOfEnlarged) {
  TdxfLabel label(nullptr);
  label.SetBounds(0, 0, 60, 24);
  label.SetCaption("Ab");
  label.Font()->SetName("IPAPGothic");
  label.Font()->SetHeight(-16);
  label.SetColor(clWhite);
  const auto painted = PaintedAtScale(label);
  auto enlarged = MakeBitmap(painted->Width(), painted->Height());
  const auto once = MakeBitmap(label.Width(), label.Height());
  label.Perform(WM_PAINT, reinterpret_cast<WPARAM>(once->Canvas()->Handle()), 0);
  enlarged->Canvas()->StretchDraw(Rect(0, 0, enlarged->Width(), enlarged->Height()), once.get());
  // The same letters in the same place, their edges not in blocks of four.
  const TRect ink = InkBounds(*painted, clBlack);
  ASSERT_FALSE(ink.IsEmpty());
  EXPECT_LE(std::abs(ink.Left - InkBounds(*enlarged, clBlack).Left), kScale);
  EXPECT_GT(CountDifferences(*painted, *enlarged), 200);
}
