// The colour-cycling controller on a page-like form driven by mouse messages: eight handles whose
// resize outline cycles, move outlines read back from the screen as they change colour and erase
// exactly, and nothing left behind when a drag ends or design mode is switched off in its middle.
#include <gtest/gtest.h>

#include <vector>

#include "DesignerTestSupport.h"
#include "LayoutModeSupport.h"
#include "tests/support/Foreground.h"
#include "tests/support/InputDrivers.h"
#include "tests/support/MessagePump.h"
#include "tests/support/Pixels.h"
#include "designer/DsnSubCl.h"

namespace {

using namespace test_support;
using layouttest::TPageForm;

// A TColor as the screen reads it back, 0x00RRGGBB.
std::uint32_t ScreenRGB(TColor color) {
  const auto c = static_cast<std::uint32_t>(color);
  return ((c & 0xFF) << 16) | (c & 0xFF00) | ((c >> 16) & 0xFF);
}

class ClRegister : public ::testing::Test {
 protected:
  ClRegister() {
    page.controller->SetDsnStage(nullptr);
    controller = new TDsnClRegister(page.form);
    controller->SetDsnStage(page.stage);
    page.modeSwitch->SetDsnRegister(controller);
  }
  TPoint On(TControl* control, int x, int y) { return TPageForm::ScreenOf(control, {x, y}); }
  void ToggleSwitch() { mouse.Click(On(page.modeSwitch, 10, 10)); }
  // The stage's balloon row and the room the drags below move its outlines into, on the screen.
  TRect BalloonArea() {
    const TPoint origin = page.stage->ClientToScreen({30, 30});
    return TRect{origin.X, origin.Y, origin.X + 230, origin.Y + 80};
  }
  // Whether the stage's pixels at `screen` are its own (no other window in front of it).
  bool StageShows(TPoint screen) {
    return HoldsInForeground(page.form, [&] {
      HWND at = WindowFromPoint(POINT{screen.X, screen.Y});
      return at == page.stage->Handle() || GetParent(at) == page.stage->Handle();
    });
  }
  // A pixel of `shape`'s top edge that the outline drew over `before` (of BalloonArea), as a
  // screen point; the first of the rows around the edge that changed.
  TPoint DrawnPixel(const TFundamentalShape& shape, const std::vector<std::uint32_t>& before) {
    const int x = (shape.Rect().Left + shape.Rect().Right) / 2;
    for (int y = shape.Rect().Top - 1; y <= shape.Rect().Top + 1; ++y)
      if (ScreenPixel(x, y) != (Background(before, {x, y}))) return {x, y};
    ADD_FAILURE() << "the outline is not on the screen";
    return {x, shape.Rect().Top};
  }
  std::uint32_t Background(const std::vector<std::uint32_t>& before, TPoint screen) {
    const TRect area = BalloonArea();
    return before[static_cast<std::size_t>((screen.Y - area.Top) * area.Width() + (screen.X - area.Left))] & 0xFFFFFF;
  }
  // Pumps until the pixel shows `color` drawn exclusive-or over `background`.
  static bool PumpUntilDrawnIn(TPoint pixel, std::uint32_t background, TColor color) {
    return PumpUntil([&] { return ScreenPixel(pixel.X, pixel.Y) == (background ^ ScreenRGB(color)); }, TPumpMode::DispatchWithoutRealInput);
  }
  std::vector<std::uint32_t> ReadBalloonArea() { return ReadScreen(BalloonArea()); }

  TPageForm page;
  TMouseDriver mouse{page.form};
  TDsnClRegister* controller;
};

}  // namespace

TEST_F(ClRegister, ASelectedControlGetsEightHandlesWhoseResizeOutlineCycles) {
  ToggleSwitch();
  mouse.Click(On(page.balloon1, 10, 10));  // (40, 40) 80 x 40
  auto* handler = dynamic_cast<TMultiClHandler*>(controller->Handler());
  ASSERT_NE(handler, nullptr);
  ASSERT_EQ(handler->Count(), 1);
  THandlerRect* set = handler->Items(0);
  ASSERT_NE(dynamic_cast<THandlerClRect*>(set), nullptr);
  std::vector<String> classes;
  for (int i = 0; i < set->Count(); ++i) {
    classes.push_back(set->Items(i)->ClassName());
    EXPECT_TRUE(set->Items(i)->Active());
    EXPECT_EQ(set->Items(i)->Parent(), page.stage);
  }
  EXPECT_EQ(classes, (std::vector<String>{"TClMigishitaRect", "TClMigiueRect", "TClHidariueRect", "TClHidarishitaRect",
                                          "TClNakaueRect", "TClNakashitaRect", "TClNakamigiRect", "TClNakahidariRect"}));
  // Handle size 6: the top middle one at (40 + 40 - 3, 40 - 2), the left middle one at (38, 57).
  EXPECT_EQ(set->Items(4)->BoundsRect(), Bounds(77, 38, 6, 6));
  EXPECT_EQ(set->Items(7)->BoundsRect(), Bounds(38, 57, 6, 6));

  // The lower-right handle drags an outline that cycles on a timer of its own.
  TSmallRect* lowerRight = set->Items(0);
  mouse.Press(On(lowerRight, 1, 1));
  mouse.MoveTo(On(lowerRight, 13, 9));
  auto* outlines = dynamic_cast<TMultiClShape*>(lowerRight->Shape());
  ASSERT_NE(outlines, nullptr);
  auto* outline = dynamic_cast<TClShape*>(outlines->Items(0));
  ASSERT_NE(outline, nullptr);
  TComponentLink<TTimer> timer;
  timer.Set(outline->Timer());
  ASSERT_NE(timer.Get(), nullptr);
  EXPECT_EQ(timer->Interval(), 50u);
  EXPECT_TRUE(PumpUntil([&] { return outline->PenColor() == clYellow; }, TPumpMode::DispatchWithoutRealInput));

  mouse.Release(On(lowerRight, 13, 9));
  EXPECT_EQ(page.balloon1->BoundsRect(), Bounds(40, 40, 92, 48));
  EXPECT_EQ(lowerRight->Shape(), nullptr);
  EXPECT_EQ(timer.Get(), nullptr);
}

TEST_F(ClRegister, MoveOutlinesCycleRedGreyYellowBlueAquaOnTheScreenAndEraseExactly) {
  ToggleSwitch();
  // Two outlines on one screen canvas: each must erase in the colour it was drawn in, whatever
  // the other one's timer left in the pen.
  TTargetList* targets = controller->NewTargetList();
  targets->Add(page.balloon1);
  targets->Add(page.balloon2);
  targets->SetPosition();
  Pump(TPumpMode::DispatchWithoutRealInput);
  const TPoint start = On(page.balloon1, 10, 10);
  if (!StageShows(On(page.balloon1, 50, 16))) GTEST_SKIP() << "another window covers the stage";
  const auto before = ReadBalloonArea();

  mouse.Press(start);
  mouse.MoveTo(On(page.balloon1, 30, 26));  // the grid makes it (+20, +16)
  auto* outlines = dynamic_cast<TMultiClShape*>(controller->Shape());
  ASSERT_NE(outlines, nullptr);
  ASSERT_EQ(outlines->Count(), 2);
  auto* first = dynamic_cast<TClShape*>(outlines->Items(0));
  auto* second = dynamic_cast<TClShape*>(outlines->Items(1));
  ASSERT_TRUE(first && second);
  TComponentLink<TTimer> firstTimer, secondTimer;
  firstTimer.Set(first->Timer());
  secondTimer.Set(second->Timer());

  const TPoint pixel = DrawnPixel(*first, before);
  const std::uint32_t background = Background(before, pixel);
  EXPECT_EQ(ScreenPixel(pixel.X, pixel.Y), background ^ ScreenRGB(clGray));  // the stage's pen
  for (TColor color : TClShape::kCycle)
    EXPECT_TRUE(PumpUntilDrawnIn(pixel, background, color)) << std::hex << color;
  // A second round: the cycle starts again with red.
  EXPECT_TRUE(PumpUntilDrawnIn(pixel, background, clRed));

  // Back to the start and released: nothing moves, the outlines are gone without a trace.
  mouse.MoveTo(start);
  mouse.Release(start);
  EXPECT_EQ(page.balloon1->Left(), 40);
  EXPECT_EQ(controller->Shape(), nullptr);
  EXPECT_EQ(firstTimer.Get(), nullptr);
  EXPECT_EQ(secondTimer.Get(), nullptr);
  EXPECT_EQ(ReadBalloonArea(), before);
}

TEST_F(ClRegister, SwitchingOffMidDragLeavesNoOutlineTimerOrConfinedPointer) {
  ToggleSwitch();
  if (!StageShows(On(page.balloon1, 50, 16))) GTEST_SKIP() << "another window covers the stage";
  const auto before = ReadBalloonArea();
  mouse.Press(On(page.balloon1, 10, 10));
  mouse.MoveTo(On(page.balloon1, 30, 26));
  ASSERT_NE(controller->Shape(), nullptr);
  auto* outline = dynamic_cast<TClShape*>(controller->Shape()->Items(0));
  ASSERT_NE(outline, nullptr);
  TComponentLink<TTimer> timer;
  timer.Set(outline->Timer());
  const TPoint pixel = DrawnPixel(*outline, before);
  const std::uint32_t background = Background(before, pixel);
  // Switched off after the outline changed colour: the erase must use the colour it shows.
  ASSERT_TRUE(PumpUntilDrawnIn(pixel, background, clGray) && PumpUntilDrawnIn(pixel, background, clYellow));

  page.modeSwitch->DesignOff();
  EXPECT_EQ(ScreenPixel(pixel.X, pixel.Y), background);
  EXPECT_EQ(controller->Shape(), nullptr);
  EXPECT_EQ(timer.Get(), nullptr);
  EXPECT_EQ(CursorClip(), ScreenRect());
  Pump(TPumpMode::DispatchWithoutRealInput);
  // The handles are gone and the stage shows what it showed before design mode.
  EXPECT_TRUE(PumpUntil([&] { return ReadBalloonArea() == before; }, TPumpMode::DispatchWithoutRealInput));
  EXPECT_EQ(page.balloon1->Left(), 40);
}
