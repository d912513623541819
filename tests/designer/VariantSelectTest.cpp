// The multi-select controller under real mouse input: Shift toggles, Ctrl or the empty stage
// selects by area, a group stays selected for a drag or a right click; and the variants read from
// a component stream.
#include <gtest/gtest.h>

#include <utility>

#include "VariantPage.h"
#include "designer/DsnSub8.h"
#include "designer/DsnSubDp.h"
#include "designer/DsnSubGr.h"
#include "designer/DsnSubMl.h"
#include "designer/DsnSubRS.h"
#include "framework/core/Stream.h"
#include "framework/stdctrls/Panel.h"
#include "tests/support/Pixels.h"

namespace {

using layouttest::TPageForm;
using namespace test_support;
using varianttest::TVariantPage;
using Controls = std::vector<TControl*>;

void RegisterVariants() {
  layouttest::RegisterClassesOnce();
  RegisterDsnSubMlClasses();
  RegisterDsnSub8Classes();
  RegisterDsnSubRSClasses();
  RegisterDsnSubGrClasses();
  RegisterDsnSubDpClasses();
}

class MultiSelect : public ::testing::Test {
 protected:
  TVariantPage<TDsnMlRegister> v;
  TPageForm& page = v.page;
};

TEST_F(MultiSelect, ShiftTogglesAControlWithoutMovingAnything) {
  v.Click(v.On(page.balloon1, 10, 10));
  ASSERT_EQ(v.Selection(), Controls{page.balloon1});

  v.Click(v.On(page.balloon2, 10, 10), {ssShift});
  EXPECT_EQ(v.Selection(), (Controls{page.balloon1, page.balloon2}));

  // A Shift drag adds without an outline and moves nothing.
  v.mouse.Press(v.On(page.memo1, 10, 10), {ssShift});
  EXPECT_EQ(v.controller->Shape(), nullptr);
  v.mouse.MoveTo(v.On(page.memo1, 50, 30), {ssShift});
  v.mouse.Release(v.On(page.memo1, 50, 30), {ssShift});
  EXPECT_EQ(v.Selection(), (Controls{page.balloon1, page.balloon2, page.memo1}));

  v.Click(v.On(page.balloon1, 10, 10), {ssShift});
  EXPECT_EQ(v.Selection(), (Controls{page.balloon2, page.memo1}));
  EXPECT_EQ(page.balloon1->BoundsRect(), Bounds(40, 40, 80, 40));
  EXPECT_EQ(page.balloon2->BoundsRect(), Bounds(140, 40, 80, 40));
  EXPECT_EQ(page.memo1->BoundsRect(), Bounds(40, 100, 120, 40));
  EXPECT_EQ(v.controller->Handler()->Count(), 2);
}

TEST_F(MultiSelect, TheFirstSelectedControlShowsHollowHandles) {
  v.Click(v.On(page.balloon1, 10, 10));
  EXPECT_FALSE(v.SetOf(page.balloon1)->Items(0)->Primary()) << "alone it has active handles";
  v.Click(v.On(page.balloon2, 10, 10), {ssShift});
  TSmallRect* first = v.SetOf(page.balloon1)->Items(0);
  EXPECT_TRUE(first->Primary());
  EXPECT_FALSE(v.SetOf(page.balloon2)->Items(0)->Primary());
  first->Update();
  EXPECT_EQ(PixelAt(first->Handle(), first->Width() / 2, first->Height() / 2), Rgb(clWhite));
  // Taken out, the next one is the first.
  v.Click(v.On(page.memo1, 10, 10), {ssShift});
  v.Click(v.On(page.balloon1, 10, 10), {ssShift});
  EXPECT_TRUE(v.SetOf(page.balloon2)->Items(0)->Primary());
}

TEST_F(MultiSelect, APressOnAGroupMemberDragsTheWholeGroup) {
  v.Click(v.On(page.balloon1, 10, 10));
  v.Click(v.On(page.balloon2, 10, 10), {ssShift});
  v.Drag(v.On(page.balloon1, 10, 10), v.On(page.balloon1, 26, 18));
  EXPECT_EQ(v.Selection(), (Controls{page.balloon1, page.balloon2}));
  EXPECT_EQ(page.balloon1->BoundsRect(), Bounds(56, 48, 80, 40));
  EXPECT_EQ(page.balloon2->BoundsRect(), Bounds(156, 48, 80, 40));
}

// Counts the moves it reports.
class TMovesCountedMl : public TDsnMlRegister {
 public:
  using TDsnMlRegister::TDsnMlRegister;
  void Moved(int dx, int dy) override {
    moves.push_back({dx, dy});
    TDsnMlRegister::Moved(dx, dy);
  }
  std::vector<TPoint> moves;
};

TEST(MultiSelectMoves, OnlyARealMoveIsReportedWithItsDelta) {
  TVariantPage<TMovesCountedMl> v;
  v.Drag(v.On(v.page.balloon1, 10, 10), v.On(v.page.balloon1, 26, 18));
  EXPECT_EQ(v.controller->moves, (std::vector<TPoint>{{-16, -8}}));
  // A Shift press toggles; Shift let go, the release at the press point moved nothing.
  v.mouse.Press(v.On(v.page.balloon2, 10, 10), {ssShift});
  v.mouse.Release(v.On(v.page.balloon2, 10, 10));
  EXPECT_EQ(v.controller->moves.size(), 1u);
}

TEST_F(MultiSelect, ARightClickKeepsTheGroup) {
  v.Click(v.On(page.balloon1, 10, 10));
  v.Click(v.On(page.balloon2, 10, 10), {ssShift});
  v.mouse.RightPress(v.On(page.balloon2, 10, 10));
  v.mouse.RightRelease(v.On(page.balloon2, 10, 10));
  EXPECT_EQ(v.Selection(), (Controls{page.balloon1, page.balloon2}));
  // Nor does a right click on the empty stage select the stage.
  v.mouse.RightPress(v.OnStage(400, 340));
  v.mouse.RightRelease(v.OnStage(400, 340));
  EXPECT_EQ(v.Selection(), (Controls{page.balloon1, page.balloon2}));
}

TEST_F(MultiSelect, ACtrlAreaSelectsWhatItOverlapsButNotWhatOnlyTouchesIt) {
  TShape* a = v.AddBox("BoxA", 220, 120, 40, 40);
  TShape* b = v.AddBox("BoxB", 280, 120, 40, 40);
  TShape* c = v.AddBox("BoxC", 340, 120, 40, 40);
  TShape* d = v.AddBox("BoxD", 220, 200, 40, 40);  // its top edge is the area's bottom line

  // From inside a box: with Ctrl the press does not take the box, it begins the area.
  v.mouse.Press(v.On(a, 9, 9), {ssCtrl});
  v.mouse.MoveTo(v.OnStage(300, 170), {ssCtrl});
  v.mouse.MoveTo(v.OnStage(352, 200), {ssCtrl});
  TMultiShape* dots = v.controller->DotShape();
  ASSERT_NE(dots, nullptr);
  EXPECT_EQ(dots->PenColor(), clMaroon);
  EXPECT_EQ(dots->PenWidth(), 1);
  EXPECT_EQ(dots->PenStyle(), psDot);
  const TPoint from = v.OnStage(228, 128), to = v.OnStage(352, 200);
  EXPECT_EQ(dots->Items(0)->Rect(), (TRect{from.X, from.Y, to.X, to.Y})) << "from the snapped press";
  EXPECT_EQ(v.controller->Shape(), nullptr);
  v.mouse.Release(v.OnStage(352, 200), {ssCtrl});

  EXPECT_EQ(v.Selection(), (Controls{a, b, c}));
  EXPECT_FALSE(v.SetOf(d));
  EXPECT_EQ(v.controller->DotShape(), nullptr);
  EXPECT_EQ(a->BoundsRect(), Bounds(220, 120, 40, 40)) << "nothing moves";
  EXPECT_EQ(CursorClip(), ScreenRect());
}

TEST_F(MultiSelect, AnAreaWhosePanelGoesAwayEndsWithIt) {
  auto* panel = new TPanel(page.form);
  panel->SetParent(page.stage);
  panel->SetBounds(220, 120, 160, 120);
  v.controller->SetDesigning(false);  // the panel is designed from now on
  v.controller->SetDesigning(true);
  v.mouse.Press(v.OnStage(230, 130), {ssCtrl});
  v.mouse.MoveTo(v.OnStage(300, 200), {ssCtrl});
  ASSERT_NE(v.controller->DotShape(), nullptr);
  delete panel;  // as a key handler might
  EXPECT_EQ(v.controller->DotShape(), nullptr);
  EXPECT_EQ(v.controller->Gesture(), TDsnGesture::Idle);
  EXPECT_EQ(CursorClip(), ScreenRect());
  v.mouse.Release(v.OnStage(300, 200), {ssCtrl});
  EXPECT_EQ(v.controller->DotShape(), nullptr);
}

TEST_F(MultiSelect, TheDottedOutlineIsDrawnDuringTheAreaAndErasedAfterIt) {
  if (!varianttest::InForeground(page.form)) GTEST_SKIP() << "the page cannot be brought to the foreground";
  const TPoint from = v.OnStage(240, 200), to = v.OnStage(380, 320);
  const TRect outline{from.X, from.Y, to.X, to.Y};
  const auto before = varianttest::EdgePixels(outline);
  v.mouse.Press(from);
  v.mouse.MoveTo(to);
  EXPECT_NE(varianttest::EdgePixels(outline), before);
  v.mouse.Release(to);
  EXPECT_EQ(varianttest::EdgePixels(outline), before);
}

TEST_F(MultiSelect, ADragOnTheEmptyStageSelectsByAreaEvenUpAndLeft) {
  v.AddBox("BoxA", 220, 120, 40, 40);
  TShape* b = v.AddBox("BoxB", 280, 120, 40, 40);
  TShape* c = v.AddBox("BoxC", 340, 120, 40, 40);
  v.Click(v.On(page.memo2, 5, 5));
  v.Drag(v.OnStage(400, 340), v.OnStage(300, 150));
  EXPECT_EQ(v.Selection(), (Controls{b, c}));
  EXPECT_EQ(v.controller->Gesture(), TDsnGesture::Idle);
  EXPECT_EQ(page.memo2->BoundsRect(), Bounds(40, 160, 120, 40));
}

TEST_F(MultiSelect, ACtrlClickWithoutDraggingClearsTheSelection) {
  v.Click(v.On(page.balloon1, 10, 10));
  v.Click(v.On(page.balloon2, 10, 10), {ssShift});
  ASSERT_EQ(v.HandlesOnStage(), 8);
  v.Click(v.On(page.balloon2, 20, 20), {ssCtrl});
  EXPECT_EQ(v.Selection(), Controls{});
  EXPECT_EQ(v.HandlesOnStage(), 0);
  EXPECT_EQ(v.controller->DotShape(), nullptr);
}

TEST(VariantStream, EachVariantIsReadFromAStoredLayout) {
  RegisterVariants();
  const char* text =
      "object Form1: TForm\n"
      "  object DsnStage1: TDsnStage\n    Left = 0\n    Top = 0\n    Width = 100\n    Height = 100\n  end\n"
      "  object Ml1: TDsnMlRegister\n    DsnStage = DsnStage1\n  end\n"
      "  object Eight1: TDsn8Register\n    DsnStage = DsnStage1\n  end\n"
      "  object RS1: TDsnRSRegister\n    DsnStage = DsnStage1\n  end\n"
      "  object Gr1: TDsnGrRegister\n    DsnStage = DsnStage1\n  end\n"
      "  object Dp1: TDsnDpRegister\n    DsnStage = DsnStage1\n  end\n"
      "end\n";
  TForm form(nullptr);
  layouttest::ReadLayoutText(text, form);

  auto* stage = dynamic_cast<TDsnStage*>(form.FindComponent("DsnStage1"));
  ASSERT_NE(stage, nullptr);
  const std::pair<const char*, const char*> expected[] = {{"Ml1", "TDsnMlRegister"},
                                                          {"Eight1", "TDsn8Register"},
                                                          {"RS1", "TDsnRSRegister"},
                                                          {"Gr1", "TDsnGrRegister"},
                                                          {"Dp1", "TDsnDpRegister"}};
  for (const auto& [name, className] : expected) {
    auto* controller = dynamic_cast<TDsnMlRegister*>(form.FindComponent(name));
    ASSERT_NE(controller, nullptr) << name;
    EXPECT_EQ(controller->ClassName(), className);
    EXPECT_EQ(controller->DsnStage(), stage) << name;
  }
}

}  // namespace
