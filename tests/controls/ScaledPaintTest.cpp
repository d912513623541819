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

TEST(ScaledPaint, TheThreeDLabelRendersAtTheScale) {
  TdxfLabel label(nullptr);
  label.SetBounds(0, 0, 60, 24);
  label.SetCaption("Ab");
  label.Font()->SetName("IPAPGothic");
  label.Font()->SetHeight(-16);
  label.SetColor(clWhite);
  const auto painted = PaintedAtScale(label);
  // Enlarged, each 4 x 4 block would be one colour; drawn at the scale, glyph edges cut blocks.
  int inked = 0, cut = 0;
  for (int by = 0; by < label.Height(); ++by)
    for (int bx = 0; bx < label.Width(); ++bx) {
      const TColor first = PixelOf(*painted, bx * kScale, by * kScale);
      bool uniform = true, ink = false;
      for (int dy = 0; dy < kScale; ++dy)
        for (int dx = 0; dx < kScale; ++dx) {
          const TColor pixel = PixelOf(*painted, bx * kScale + dx, by * kScale + dy);
          uniform = uniform && pixel == first;
          ink = ink || pixel != clWhite;
        }
      inked += ink;
      cut += ink && !uniform;
    }
  ASSERT_GT(inked, 20);
  EXPECT_GT(cut * 2, inked);
}
