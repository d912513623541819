// Arranging sibling controls: each command's result in numbers, on the stage and inside a panel,
// the stacking order of drawn and windowed controls, the controller's selection as input, and
// snap lines while the selection is dragged.
#include <gtest/gtest.h>

#include "LayoutModeSupport.h"
#include "designer/DsnArrange.h"
#include "designer/DsnSnap.h"
#include "framework/stdctrls/Panel.h"
#include "tests/support/InputDrivers.h"
#include "tests/support/Pixels.h"

using layouttest::TPageForm;
using enum TDsnArrangement;

namespace {

std::vector<TControl*> Children(TWinControl* parent) {
  std::vector<TControl*> children;
  for (int i = 0; i < parent->ControlCount(); ++i) children.push_back(parent->Controls(i));
  return children;
}

struct TChangeCount : TObject {
  void Changed(TObject*) { ++count; }
  int count = 0;
};

}  // namespace

TEST(Arrange, LinesUpAndSizesAfterTheFirstAndSpacesEvenlyOnTheGrid) {
  layouttest::RegisterClassesOnce();
  TPageForm page;
  // memo1 (40, 100) 120 x 40 is the first; balloon2 (140, 40) 80 x 40 follows it.
  const std::vector<TControl*> pair{page.memo1, page.balloon2};
  const std::vector<std::pair<TDsnArrangement, TRect>> results{
      {AlignRights, Bounds(80, 40, 80, 40)},   {AlignCentres, Bounds(60, 40, 80, 40)},
      {AlignLefts, Bounds(40, 40, 80, 40)},    {AlignBottoms, Bounds(40, 100, 80, 40)},
      {AlignTops, Bounds(40, 100, 80, 40)},    {SameWidth, Bounds(40, 100, 120, 40)},
      {SameHeight, Bounds(40, 100, 120, 40)},
  };
  for (const auto& [what, bounds] : results) {
    ArrangeControls(pair, what, {4, 4});
    EXPECT_EQ(page.balloon2->BoundsRect(), bounds) << static_cast<int>(what);
  }
  EXPECT_FALSE(ArrangeControls(pair, SameSize, {4, 4})) << "nothing left to change";
  EXPECT_EQ(page.memo1->BoundsRect(), Bounds(40, 100, 120, 40)) << "the first stays";

  // Inside a panel: three boxes, the outer two stay, the middle one halves the room on the grid.
  auto* panel = new TPanel(page.form);
  panel->SetParent(page.stage);
  panel->SetBounds(200, 150, 200, 100);
  std::vector<TControl*> boxes;
  for (int left : {0, 30, 150}) {
    auto* box = new TPanel(page.form);
    box->SetParent(panel);
    box->SetBounds(left, 10, 20, 20);
    boxes.push_back(box);
  }
  EXPECT_TRUE(ArrangeControls({boxes[2], boxes[0], boxes[1]}, SpaceAcross, {4, 4}));
  EXPECT_EQ(boxes[1]->Left(), 72);  // (170 - 60) / 2 = 55 of room each side: 20 + 55 = 75, on the grid 72
  ArrangeControls({boxes[0], boxes[2]}, AlignMiddles, {0, 0});
  EXPECT_EQ(boxes[2]->Top(), 10);
}

TEST(Arrange, StacksDrawnAndWindowedControlsEachAmongTheirKind) {
  layouttest::RegisterClassesOnce();
  TPageForm page;
  // The stage: page, balloon1, balloon2, frame drawn; memo1, memo2 windows above them.
  const std::vector<TControl*> before = Children(page.stage);
  EXPECT_TRUE(ArrangeControls({page.balloon1, page.page}, BringToFront, {}));
  std::vector<TControl*> now = Children(page.stage);
  EXPECT_EQ(std::vector<TControl*>(now.end() - 4, now.end() - 2), (std::vector<TControl*>{page.page, page.balloon1}))
      << "the lower one stays below";
  EXPECT_TRUE(ArrangeControls({page.memo2}, SendBackward, {}));
  EXPECT_EQ(GetWindow(page.memo2->Handle(), GW_HWNDPREV), page.memo1->Handle()) << "memo1's window now above";
  EXPECT_TRUE(ArrangeControls({page.memo2}, BringForward, {}));
  EXPECT_TRUE(ArrangeControls({page.balloon1, page.page}, SendToBack, {}));
  EXPECT_EQ(Children(page.stage), before);
  EXPECT_FALSE(ArrangeControls({page.memo2}, BringForward, {})) << "already at the top";
}

TEST(Arrange, TheControllerArrangesItsSelectionOnlyWhenItCan) {
  layouttest::RegisterClassesOnce();
  TPageForm page;
  page.controller->SetDesigning(true);
  page.controller->SelectByInspect(page.memo1);
  EXPECT_TRUE(page.controller->CanArrange(BringToFront));
  EXPECT_FALSE(page.controller->CanArrange(AlignLefts));
  page.controller->TargetList()->Add(page.balloon2);
  ASSERT_TRUE(page.controller->CanArrange(AlignLefts));
  TChangeCount changes;
  page.controller->OnDesignChange = TNotifyEvent(&changes, &TChangeCount::Changed);
  page.controller->Arrange(AlignLefts);
  EXPECT_EQ(page.balloon2->Left(), 40);
  EXPECT_EQ(changes.count, 1);
  page.controller->Arrange(AlignLefts);
  EXPECT_EQ(changes.count, 1) << "no change, no step";
  page.controller->SetDesigning(false);
}

TEST(SnapLines, AnEdgeOrCentreWithinAFewPixelsSnapsAndTheLineSpansBoth) {
  const std::vector<TRect> siblings{Bounds(40, 40, 80, 40), Bounds(300, 200, 20, 20)};
  // Dragged 18 left and 3 down: its left edge comes 2 from the first sibling's right edge, its
  // top 3 from that sibling's top.
  const TSnapped snapped = SnapMove(Bounds(140, 40, 80, 40), {-18, 3}, siblings);
  EXPECT_EQ(snapped.DX, -20);
  EXPECT_EQ(snapped.DY, 0);
  EXPECT_EQ(snapped.Lines, (std::vector<TSnapLine>{{120, 40, 120, 80}, {40, 40, 200, 40}}));
  // Centres too; nothing further away than the snap distance.
  EXPECT_EQ(SnapMove(Bounds(0, 0, 20, 20), {298, 0}, siblings).DX, 300);
  EXPECT_FALSE(SnapMove(Bounds(0, 0, 10, 10), {150, 150}, siblings).DX);
}

TEST(SnapLines, ADragNearASiblingLandsOnItWithALineThatIsGoneAfterwards) {
  layouttest::RegisterClassesOnce();
  TPageForm page;
  page.controller->SetSnapLines(true);
  page.controller->SetDesigning(true);
  test_support::TMouseDriver mouse(page.form);
  const TPoint press = TPageForm::ScreenOf(page.balloon2, {10, 10});
  const TPoint onLine = page.stage->ClientToScreen({80, 40});  // the top line, over balloon1's top edge
  const std::uint32_t before = test_support::ScreenPixel(onLine.X, onLine.Y);
  mouse.Press(press);
  mouse.MoveTo({press.X - 18, press.Y + 1});
  const std::vector<TSnapLine> shown = page.controller->SnapLinesShown();
  ASSERT_EQ(shown.size(), 2u) << "one line across, one down";
  EXPECT_NE(test_support::ScreenPixel(onLine.X, onLine.Y), before) << "the line is on the screen";
  mouse.Release({press.X - 18, press.Y + 1});
  EXPECT_EQ(page.balloon2->BoundsRect(), Bounds(120, 40, 80, 40));
  EXPECT_TRUE(page.controller->SnapLinesShown().empty());
  EXPECT_EQ(test_support::ScreenPixel(onLine.X, onLine.Y), before) << "and gone";

  // Alt held (the mouse's messages do not carry it): the grid alone.
  BYTE keys[256];
  GetKeyboardState(keys);
  keys[VK_MENU] |= 0x80;
  SetKeyboardState(keys);
  mouse.Press(TPageForm::ScreenOf(page.balloon2, {10, 10}));
  mouse.MoveTo({press.X - 18 + 30, press.Y + 1});
  EXPECT_TRUE(page.controller->SnapLinesShown().empty());
  mouse.Release({press.X - 18 + 30, press.Y + 1});
  keys[VK_MENU] &= 0x7F;
  SetKeyboardState(keys);
  EXPECT_EQ(page.balloon2->Left(), 152);
  page.controller->SetDesigning(false);
}

TEST(SnapLines, AnEdgeDraggedByItsHandleSnapsToo) {
  layouttest::RegisterClassesOnce();
  TPageForm page;
  page.controller->SetSnapLines(true);
  page.controller->SetDesigning(true);
  page.controller->SelectByInspect(page.balloon1);  // (40, 40) 80 x 40, balloon2 from x = 140
  TSmallRect* lowerRight = page.controller->Handler()->Items(0)->Items(0);
  const TPoint grip = lowerRight->Parent()->ClientToScreen({lowerRight->Left() + 2, lowerRight->Top() + 2});
  test_support::TMouseDriver mouse(page.form);
  mouse.Press(grip);
  mouse.MoveTo({grip.X + 18, grip.Y + 3});
  EXPECT_FALSE(page.controller->Handler()->Items(0)->Items(0)->Shape() == nullptr);
  mouse.Release({grip.X + 18, grip.Y + 3});
  EXPECT_EQ(page.balloon1->BoundsRect(), Bounds(40, 40, 100, 40)) << "the right edge on balloon2's left, the bottom on its bottom";
  page.controller->SetDesigning(false);
}
