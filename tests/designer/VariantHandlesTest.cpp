// The handle variants under real mouse input: proportional resize through the one lower-right
// handle, grey corner marks of a multiple selection read back from the screen, eight handles; and
// that no variant leaves anything behind when design mode ends or a selected control goes.
#include <gtest/gtest.h>

#include "VariantPage.h"
#include "designer/DsnSub8.h"
#include "designer/DsnSubDp.h"
#include "designer/DsnSubGr.h"
#include "designer/DsnSubRS.h"

namespace {

using layouttest::TPageForm;
using namespace test_support;
using varianttest::TVariantPage;
using Controls = std::vector<TControl*>;

constexpr std::uint32_t kMarkGrey = 0x808080;

// ---------------------------------------------------------------------------------------------
// Proportional resize: the arithmetic

TEST(ProportionalSpan, ScalesByTheRatioRoundingHalvesToEven) {
  const TResizedSpan wider{10, 100, 10, 150};
  EXPECT_EQ(ScaleSpan(wider, 300, 40).Size, 60);
  EXPECT_EQ(ScaleSpan(wider, 300, 40).Start, 300);
  EXPECT_EQ(ScaleSpan(wider, 0, 41).Size, 62) << "61.5";
  EXPECT_EQ(ScaleSpan(wider, 0, 43).Size, 64) << "64.5";
  EXPECT_EQ(ScaleSpan({10, 100, 10, 0}, 300, 40).Size, 0);
  EXPECT_EQ(ScaleSpan({10, 100, 10, 0}, 300, 40).Start, 300);
}

TEST(ProportionalSpan, AMovedStartEdgeMirrorsTheOthers) {
  // The leading edge moved inwards: the others keep their far edge.
  const TScaledSpan shrunk = ScaleSpan({100, 100, 150, 50}, 300, 40);
  EXPECT_EQ(shrunk.Start, 320);
  EXPECT_EQ(shrunk.Size, 20);
  // Flipped past the old near edge (the far edge came back over it): the others end where they began.
  const TScaledSpan flippedBack = ScaleSpan({200, 100, 180, 20}, 340, 40);
  EXPECT_EQ(flippedBack.Start, 332);
  EXPECT_EQ(flippedBack.Size, 8);
  // Flipped past the old far edge (the near edge went over it): the others begin at their far edge.
  const TScaledSpan flippedOn = ScaleSpan({100, 100, 200, 50}, 300, 40);
  EXPECT_EQ(flippedOn.Start, 340);
  EXPECT_EQ(flippedOn.Size, 20);
}

TEST(ProportionalSpan, AControlThatHadNoSizeLeavesTheOthersAsTheyAre) {
  const TScaledSpan kept = ScaleSpan({100, 0, 100, 50}, 301, 41);
  EXPECT_FALSE(kept.Scaled);
  EXPECT_EQ(kept.Start, 301);
  EXPECT_EQ(kept.Size, 41);
}

// ---------------------------------------------------------------------------------------------
// Proportional resize through the handle

class ProportionalResize : public ::testing::Test {
 protected:
  // A grid of 2, so that a drag of 50 is not snapped away.
  TVariantPage<TDsnRSRegister> v{2};
  TShape* a = v.AddBox("BoxA", 200, 120, 100, 40);
  TShape* b = v.AddBox("BoxB", 340, 200, 40, 20);

  void SelectBoth() {
    v.Click(v.On(a, 10, 10));
    v.Click(v.On(b, 10, 10), {ssShift});
    ASSERT_EQ(v.Selection(), (Controls{a, b}));
  }
  // Drags a's lower-right handle by (dx, dy).
  void DragHandle(int dx, int dy) {
    THandlerRect* set = v.SetOf(a);
    ASSERT_NE(set, nullptr);
    ASSERT_EQ(set->Count(), 1);
    TSmallRect* handle = set->Items(0);
    v.Drag(v.On(handle, 0, 0), v.On(handle, dx, dy));
  }
};

TEST_F(ProportionalResize, EachSelectedControlKeepsOneActiveLowerRightHandle) {
  SelectBoth();
  for (TControl* box : {static_cast<TControl*>(a), static_cast<TControl*>(b)}) {
    THandlerRect* set = v.SetOf(box);
    ASSERT_NE(set, nullptr);
    ASSERT_EQ(set->Count(), 1);
    EXPECT_NE(dynamic_cast<TMigishitaRect*>(set->Items(0)), nullptr);
    EXPECT_TRUE(set->Items(0)->Active());
    EXPECT_EQ(set->Items(0)->Color(), clBlack);
  }
}

TEST_F(ProportionalResize, WideningOneWidensTheOtherInProportion) {
  SelectBoth();
  DragHandle(50, 0);
  EXPECT_EQ(a->BoundsRect(), Bounds(200, 120, 150, 40));
  EXPECT_EQ(b->BoundsRect(), Bounds(340, 200, 60, 20)) << "40 * 150 / 100";
  // The handles follow both.
  EXPECT_EQ(v.SetOf(b)->Items(0)->BoundsRect(), Bounds(340 + 60 - 6 + 2, 200 + 20 - 6 + 2, 6, 6));
}

TEST_F(ProportionalResize, AFlippedControlMirrorsTheOthers) {
  SelectBoth();
  DragHandle(-120, 0);  // 100 wide, the right edge dragged 20 past the left one
  EXPECT_EQ(a->BoundsRect(), Bounds(180, 120, 20, 40));
  EXPECT_EQ(b->BoundsRect(), Bounds(332, 200, 8, 20)) << "a fifth, on the other side of its left edge";
}

TEST_F(ProportionalResize, AControlWithoutWidthScalesOnlyTheHeights) {
  SelectBoth();
  a->SetWidth(0);
  v.controller->TargetList()->SetPosition();
  DragHandle(50, 10);  // 0 to 50 wide, 40 to 50 high
  EXPECT_EQ(a->BoundsRect(), Bounds(200, 120, 50, 50));
  EXPECT_EQ(b->BoundsRect(), Bounds(340, 200, 40, 24)) << "the width kept, 25 snapped to 24";
}

// ---------------------------------------------------------------------------------------------
// Grid marks

// The mark colour at the corners of `control`, inset by 2 pixels.
template <class Page>
bool ShowsMarks(Page& v, TControl* control) {
  const int w = control->ClientWidth(), h = control->ClientHeight();
  return ScreenPixel(v.On(control, 2, 2).X, v.On(control, 2, 2).Y) == kMarkGrey &&
         ScreenPixel(v.On(control, w - 3, h - 3).X, v.On(control, w - 3, h - 3).Y) == kMarkGrey;
}

template <class Page>
bool ShowsNoMark(Page& v, TControl* control) {
  return ScreenPixel(v.On(control, 2, 2).X, v.On(control, 2, 2).Y) != kMarkGrey;
}

TEST(GridMarks, TwoSelectedControlsShowMarksAndOneBringsItsHandlesBack) {
  TVariantPage<TDsnGrRegister> v;
  TPageForm& page = v.page;
  if (!varianttest::InForeground(page.form)) GTEST_SKIP() << "the page cannot be brought to the foreground";

  v.Click(v.On(page.balloon1, 30, 20));
  ASSERT_EQ(v.SetOf(page.balloon1)->Count(), 4);
  EXPECT_FALSE(v.controller->OnPaintTarget);

  v.Click(v.On(page.memo1, 30, 20), {ssShift});
  ASSERT_EQ(v.Selection(), (Controls{page.balloon1, page.memo1}));
  EXPECT_NE(dynamic_cast<THandlerGrRect*>(v.SetOf(page.balloon1)), nullptr);
  EXPECT_NE(dynamic_cast<THandlerGrRect*>(v.SetOf(page.memo1)), nullptr);
  EXPECT_EQ(v.HandlesOnStage(), 0);
  EXPECT_TRUE(PumpUntil([&] { return ShowsMarks(v, page.balloon1) && ShowsMarks(v, page.memo1); }, TPumpMode::DispatchWithoutRealInput))
      << "grey corner marks on the ellipse's page and inside the memo";

  v.Click(v.On(page.memo1, 30, 20), {ssShift});
  ASSERT_EQ(v.Selection(), Controls{page.balloon1});
  EXPECT_EQ(v.SetOf(page.balloon1)->Count(), 4);
  EXPECT_EQ(v.HandlesOnStage(), 4);
  EXPECT_FALSE(v.controller->OnPaintTarget);
  TSmallRect* handle = v.SetOf(page.balloon1)->Items(0);
  EXPECT_TRUE(PumpUntil([&] {
    const TPoint centre = v.On(handle, 3, 3);
    return ShowsNoMark(v, page.balloon1) && ShowsNoMark(v, page.memo1) &&
           ScreenPixel(centre.X, centre.Y) == 0x000000;
  }, TPumpMode::DispatchWithoutRealInput)) << "the marks went and a black handle is back";
}

TEST(GridMarks, EightHandlesForALoneControlOfTheDpVariantAndNoneForSeveral) {
  TVariantPage<TDsnDpRegister> v;
  TPageForm& page = v.page;
  v.Click(v.On(page.balloon1, 30, 20));
  EXPECT_EQ(v.SetOf(page.balloon1)->Count(), 8);
  v.Click(v.On(page.balloon2, 30, 20), {ssShift});
  EXPECT_EQ(v.HandlesOnStage(), 0);
  EXPECT_EQ(v.SetOf(page.balloon2)->Count(), 0);
  v.Click(v.On(page.balloon1, 30, 20), {ssShift});
  ASSERT_EQ(v.Selection(), Controls{page.balloon2});
  EXPECT_EQ(v.SetOf(page.balloon2)->Count(), 8);
  EXPECT_EQ(v.HandlesOnStage(), 8);
}

TEST(EightHandles, EveryMemberOfASelectionHasEightHandlesThatTurnPassiveTogether) {
  TVariantPage<TDsn8Register> v;
  TPageForm& page = v.page;
  v.Click(v.On(page.balloon1, 30, 20));
  ASSERT_EQ(v.SetOf(page.balloon1)->Count(), 8);
  EXPECT_TRUE(v.SetOf(page.balloon1)->Items(7)->Active());
  v.Click(v.On(page.balloon2, 30, 20), {ssShift});
  EXPECT_EQ(v.HandlesOnStage(), 16);
  EXPECT_FALSE(v.SetOf(page.balloon1)->Items(7)->Active());
}

// ---------------------------------------------------------------------------------------------
// Nothing left behind, by every variant

template <class Controller>
class NothingLeftBehind : public ::testing::Test {
 protected:
  TVariantPage<Controller> v;
  TPageForm& page = v.page;

  void SelectBothBalloons() {
    v.Click(v.On(page.balloon1, 30, 20));
    v.Click(v.On(page.balloon2, 30, 20), {ssShift});
    ASSERT_EQ(v.Selection(), (Controls{page.balloon1, page.balloon2}));
  }
};

using Variants = ::testing::Types<TDsnMlRegister, TDsn8Register, TDsnRSRegister, TDsnGrRegister, TDsnDpRegister>;
TYPED_TEST_SUITE(NothingLeftBehind, Variants);

TYPED_TEST(NothingLeftBehind, SwitchingOffInTheMiddleOfAnAreaDrag) {
  auto& v = this->v;
  this->SelectBothBalloons();
  const bool seen = varianttest::InForeground(this->page.form);
  const TPoint from = v.OnStage(240, 200), to = v.OnStage(380, 320);
  const TRect outline{from.X, from.Y, to.X, to.Y};
  const auto before = varianttest::EdgePixels(outline);
  v.mouse.Press(from);
  v.mouse.MoveTo(to);
  ASSERT_NE(v.controller->DotShape(), nullptr);

  v.controller->SetDesigning(false);
  v.mouse.Release(to);
  Pump(TPumpMode::DispatchWithoutRealInput);
  EXPECT_EQ(v.controller->DotShape(), nullptr);
  EXPECT_EQ(v.controller->Gesture(), TDsnGesture::Idle);
  EXPECT_EQ(v.controller->Handler(), nullptr);
  EXPECT_EQ(v.HandlesOnStage(), 0);
  EXPECT_EQ(CursorClip(), ScreenRect());
  if (!seen) GTEST_SKIP() << "the page cannot be brought to the foreground: the screen is not checked";
  EXPECT_EQ(varianttest::EdgePixels(outline), before) << "the dotted outline is erased";
  EXPECT_TRUE(PumpUntil([&] { return ShowsNoMark(v, this->page.balloon1); }, TPumpMode::DispatchWithoutRealInput));
}

TYPED_TEST(NothingLeftBehind, ASelectedControlDestroyedDuringADrag) {
  auto& v = this->v;
  TPageForm& page = this->page;
  this->SelectBothBalloons();
  v.mouse.Press(v.On(page.balloon1, 30, 20));
  v.mouse.MoveTo(v.On(page.balloon1, 50, 30));
  ASSERT_NE(v.controller->Shape(), nullptr);

  delete page.balloon2;
  EXPECT_EQ(v.Selection(), Controls{page.balloon1});
  EXPECT_EQ(v.HandlesOnStage(), v.SetOf(page.balloon1)->Count()) << "handles of the remaining control only";
  v.mouse.Release(v.On(page.balloon1, 50, 30));
  EXPECT_EQ(v.controller->Shape(), nullptr);
  EXPECT_EQ(page.balloon1->BoundsRect(), Bounds(60, 48, 80, 40));
  EXPECT_EQ(CursorClip(), ScreenRect());
  EXPECT_EQ(GetCapture(), nullptr);
}

}  // namespace
