// Grab handles on real windows: where the handles sit, their colours and cursors as the
// selection grows and shrinks, handle drags driven by real mouse messages with the resize
// arithmetic (steps, flips, width 0), the messages to the control, the confined pointer, passive
// handles, and handles dying with their parent window.
#include <gtest/gtest.h>

#include "DesignerTestSupport.h"
#include "tests/support/InputDrivers.h"
#include "designer/DsnSub8.h"
#include "designer/DsnSubCl.h"
#include "designer/DsnSubDp.h"
#include "designer/DsnSubRS.h"

using namespace dsntest;

namespace {

void Press(TSmallRect* handle, int x, int y) { SendMouse(handle->Handle(), WM_LBUTTONDOWN, x, y, MK_LBUTTON); }
void Move(TSmallRect* handle, int x, int y, WPARAM keys = MK_LBUTTON) {
  SendMouse(handle->Handle(), WM_MOUSEMOVE, x, y, keys);
}
void Release(TSmallRect* handle, int x, int y) { SendMouse(handle->Handle(), WM_LBUTTONUP, x, y); }
void Drag(TSmallRect* handle, TPoint from, TPoint to) {
  Press(handle, from.X, from.Y);
  Move(handle, to.X, to.Y);
  Release(handle, to.X, to.Y);
}

template <class Handle>
Handle* Find(THandlerRect* set) {
  for (int i = 0; i < set->Count(); ++i)
    if (auto* h = dynamic_cast<Handle*>(set->Items(i))) return h;
  return nullptr;
}

class HandleTest : public ::testing::Test {
 protected:
  void SetUp() override { control = AddProbe(60, 50, 80, 40); }
  void TearDown() override { EXPECT_NE(CursorClip(), HostOnScreen()) << "the pointer is still confined"; }
  TRect HostOnScreen() const { return stage.HostOnScreen(); }
  TProbe* AddProbe(int left, int top, int width, int height) {
    auto* probe = new TProbe(stage.form);
    probe->SetParent(stage.host);
    probe->SetBounds(left, top, width, height);
    probe->HandleNeeded();
    return probe;
  }
  THandlerRect* Select(TControl* c) {
    handler.Add(c);
    handler.SetPosition();
    return handler.FindSet(c);
  }

  TStageForm stage;
  TProbe* control = nullptr;
  TMultiHandler handler;
};

}  // namespace

TEST(ResizeMessage, PacksSigned16BitHalves) {
  const TResizeMessage old{DSNM_RESIZE, -5, 300, 0, -2};
  const TMessage packed = old.Pack();
  EXPECT_EQ(packed.WParam, static_cast<WPARAM>(MAKELONG(0xFFFB, 300)));
  const TResizeMessage back = TResizeMessage::Unpack(packed);
  EXPECT_EQ(back.Left, -5);
  EXPECT_EQ(back.Top, 300);
  EXPECT_EQ(back.Width, 0);
  EXPECT_EQ(back.Height, -2);
}

// Each place is a class of its own name, a direct descendant of TSmallRect.
TEST(HandleClasses, CarryTheirOwnNames) {
  const std::pair<const TClassInfo*, const char*> classes[] = {
      {&TMigiueRect::StaticClassInfo(), "TMigiueRect"},     {&TMigishitaRect::StaticClassInfo(), "TMigishitaRect"},
      {&THidariueRect::StaticClassInfo(), "THidariueRect"}, {&THidarishitaRect::StaticClassInfo(), "THidarishitaRect"},
      {&TNakaueRect::StaticClassInfo(), "TNakaueRect"},     {&TNakashitaRect::StaticClassInfo(), "TNakashitaRect"},
      {&TNakamigiRect::StaticClassInfo(), "TNakamigiRect"}, {&TNakahidariRect::StaticClassInfo(), "TNakahidariRect"}};
  for (const auto& [info, name] : classes) {
    EXPECT_EQ(info->Name(), name);
    EXPECT_EQ(info->Parent(), &TSmallRect::StaticClassInfo()) << name;
  }
}

TEST_F(HandleTest, CornerHandlesSitOnTheTableAndStartActive) {
  handler.Add(control);
  THandlerRect* set = handler.FindSet(control);
  ASSERT_NE(set, nullptr);
  ASSERT_EQ(set->Count(), 4);
  EXPECT_NE(dynamic_cast<TMigishitaRect*>(set->Items(0)), nullptr);
  EXPECT_NE(dynamic_cast<TMigiueRect*>(set->Items(1)), nullptr);
  EXPECT_NE(dynamic_cast<THidariueRect*>(set->Items(2)), nullptr);
  EXPECT_NE(dynamic_cast<THidarishitaRect*>(set->Items(3)), nullptr);
  const auto selects = control->Received(DSNM_SELECT);
  ASSERT_EQ(selects.size(), 1u);
  EXPECT_EQ(selects[0].WParam, 0u);
  EXPECT_EQ(selects[0].LParam, 0);

  handler.SetPosition();
  EXPECT_EQ(Find<TMigiueRect>(set)->BoundsRect(), Bounds(136, 48, 6, 6));
  EXPECT_EQ(Find<TMigishitaRect>(set)->BoundsRect(), Bounds(136, 86, 6, 6));
  EXPECT_EQ(Find<THidariueRect>(set)->BoundsRect(), Bounds(58, 48, 6, 6));
  EXPECT_EQ(Find<THidarishitaRect>(set)->BoundsRect(), Bounds(58, 86, 6, 6));
  for (int i = 0; i < 4; ++i) {
    TSmallRect* h = set->Items(i);
    EXPECT_EQ(h->Parent(), stage.host);
    EXPECT_EQ(h->Color(), clBlack);
    EXPECT_TRUE(h->Active());
    EXPECT_EQ(h->HandlerRect(), set);
    EXPECT_EQ(h->ShapeColor(), clGray);
    EXPECT_EQ(h->ShapeWidth(), 2);
  }

  // Hovering shows the resize cursor of the corner.
  Move(Find<TMigiueRect>(set), 2, 2, 0);
  Move(Find<TMigishitaRect>(set), 2, 2, 0);
  Move(Find<THidariueRect>(set), 2, 2, 0);
  Move(Find<THidarishitaRect>(set), 2, 2, 0);
  EXPECT_EQ(Find<TMigiueRect>(set)->Cursor(), crSizeNESW);
  EXPECT_EQ(Find<TMigishitaRect>(set)->Cursor(), crSizeNWSE);
  EXPECT_EQ(Find<THidariueRect>(set)->Cursor(), crSizeNWSE);
  EXPECT_EQ(Find<THidarishitaRect>(set)->Cursor(), crSizeNESW);
}

TEST_F(HandleTest, EightHandlesAddTheEdgeMiddles) {
  TMulti8Handler eight;
  TProbe* odd = AddProbe(60, 50, 81, 41);
  eight.Add(odd);
  eight.SetPosition();
  THandlerRect* set = eight.FindSet(odd);
  ASSERT_EQ(set->Count(), 8);
  EXPECT_NE(dynamic_cast<TMigishitaRect*>(set->Items(0)), nullptr);
  EXPECT_NE(dynamic_cast<TNakaueRect*>(set->Items(4)), nullptr);
  EXPECT_NE(dynamic_cast<TNakashitaRect*>(set->Items(5)), nullptr);
  EXPECT_NE(dynamic_cast<TNakamigiRect*>(set->Items(6)), nullptr);
  EXPECT_NE(dynamic_cast<TNakahidariRect*>(set->Items(7)), nullptr);
  // Halves truncate: 81 / 2 = 40, 41 / 2 = 20, 6 / 2 = 3.
  EXPECT_EQ(Find<TNakaueRect>(set)->BoundsRect(), Bounds(97, 48, 6, 6));
  EXPECT_EQ(Find<TNakashitaRect>(set)->BoundsRect(), Bounds(97, 87, 6, 6));
  EXPECT_EQ(Find<TNakamigiRect>(set)->BoundsRect(), Bounds(137, 67, 6, 6));
  EXPECT_EQ(Find<TNakahidariRect>(set)->BoundsRect(), Bounds(58, 67, 6, 6));
  Move(Find<TNakaueRect>(set), 1, 1, 0);
  Move(Find<TNakamigiRect>(set), 1, 1, 0);
  EXPECT_EQ(Find<TNakaueRect>(set)->Cursor(), crSizeNS);
  EXPECT_EQ(Find<TNakamigiRect>(set)->Cursor(), crSizeWE);
  eight.Clear();
}

TEST_F(HandleTest, EveryVariantsSetsSnapWhenItsHandlerDoes) {
  TMulti8Handler eight;
  TMultiRSHandler proportional;
  TMultiDpHandler marks;
  TMultiClHandler cycling;
  const std::vector<TMultiHandler*> variants{&handler, &eight, &proportional, &marks, &cycling};
  for (TMultiHandler* variant : variants) {
    SCOPED_TRACE(variant->ClassName());
    variant->SetSnapLines(true);
    EXPECT_TRUE(variant->CreateHandlerRect(control)->SnapLines());
  }
}

TEST_F(HandleTest, SeveralControlsTurnAllHandlesPassiveAndOneTurnsThemBack) {
  TProbe* second = AddProbe(200, 100, 30, 30);
  THandlerRect* first = Select(control);
  Move(first->Items(0), 1, 1, 0);
  ASSERT_EQ(first->Items(0)->Cursor(), crSizeNWSE);
  handler.Add(second);
  handler.SetPosition();
  ASSERT_EQ(handler.Count(), 2);
  for (int s = 0; s < 2; ++s)
    for (int i = 0; i < 4; ++i) {
      TSmallRect* h = handler.Items(s)->Items(i);
      EXPECT_EQ(h->Color(), clGray);
      EXPECT_FALSE(h->Active());
      EXPECT_EQ(h->Cursor(), crDefault);
    }
  // Nothing for a control that has a set, for a handle, or for null.
  handler.Add(second);
  handler.Add(first->Items(0));
  handler.Add(nullptr);
  EXPECT_EQ(handler.Count(), 2);

  control->received.clear();
  handler.Delete(1);
  ASSERT_EQ(handler.Count(), 1);
  THandlerRect* rebuilt = handler.Items(0);
  EXPECT_EQ(rebuilt->Control(), control);
  EXPECT_EQ(rebuilt->Items(0)->Color(), clBlack);
  EXPECT_EQ(control->Received(DSNM_SELECT).size(), 1u);
  handler.SetPosition();
  EXPECT_EQ(Find<TMigishitaRect>(rebuilt)->BoundsRect(), Bounds(136, 86, 6, 6));
}

TEST_F(HandleTest, LowerRightDragGrowsInWholeSteps) {
  THandlerRect* set = Select(control);
  TSmallRect* handle = Find<TMigishitaRect>(set);

  Press(handle, 0, 0);
  ASSERT_TRUE(handle->Resizing());
  const auto pre = control->Received(DSNM_PRERESIZE);
  ASSERT_EQ(pre.size(), 1u);
  EXPECT_EQ(pre[0].WParam, reinterpret_cast<WPARAM>(static_cast<TControl*>(control)));

  // The outline stands where releasing here puts the control: 13 snaps to 12, 7 to 6.
  Move(handle, 13, 7);
  const TPoint at = stage.host->ClientToScreen(TPoint{60, 50});
  EXPECT_EQ(handle->Shape()->Items(0)->Rect(), (TRect{at.X, at.Y, at.X + 92, at.Y + 46}));
  EXPECT_EQ(control->BoundsRect(), Bounds(60, 50, 80, 40)) << "nothing moves before the release";

  Release(handle, 13, 7);
  EXPECT_FALSE(handle->Resizing());
  EXPECT_EQ(control->BoundsRect(), Bounds(60, 50, 92, 46));
  const auto resized = control->Received(DSNM_RESIZE);
  ASSERT_EQ(resized.size(), 1u);
  const TResizeMessage old = TResizeMessage::Unpack(resized[0]);
  EXPECT_EQ((TRect{old.Left, old.Top, old.Width, old.Height}), (TRect{60, 50, 80, 40}));
  // The set follows and remembers the new bounds.
  EXPECT_EQ(handle->BoundsRect(), Bounds(148, 92, 6, 6));
  EXPECT_EQ(Find<THidariueRect>(set)->BoundsRect(), Bounds(58, 48, 6, 6));
  EXPECT_EQ((TRect{set->SavedLeft(), set->SavedTop(), set->SavedWidth(), set->SavedHeight()}),
            (TRect{60, 50, 92, 46}));
}

TEST_F(HandleTest, PointerIsConfinedToTheParentDuringAHandleDrag) {
  if (!SystemConfinesThePointer(stage.form, HostOnScreen())) GTEST_SKIP() << "this display never confines the pointer";
  TSmallRect* handle = Find<THidariueRect>(Select(control));
  EXPECT_TRUE(HoldsInForeground(stage.form, [&] {
    Press(handle, 1, 1);
    const bool confined = CursorClip() == HostOnScreen();
    Move(handle, 2, 2);
    Release(handle, 2, 2);
    return confined && CursorClip() != HostOnScreen();
  }));
  EXPECT_EQ(control->BoundsRect(), Bounds(60, 50, 80, 40));
}

TEST_F(HandleTest, DraggingPastTheOppositeCornerFlipsTheRectangle) {
  handler.SetStepX(0);
  handler.SetStepY(-1);  // no snapping
  THandlerRect* set = Select(control);  // 60, 50, 80, 40

  // Upper left past the lower right: the left is the old right edge, the size the overshoot.
  Drag(Find<THidariueRect>(set), {0, 0}, {100, 60});
  EXPECT_EQ(control->BoundsRect(), Bounds(140, 90, 20, 20));

  // Lower right past the upper left, from the new bounds.
  set = handler.FindSet(control);
  Drag(Find<TMigishitaRect>(set), {0, 0}, {-50, -35});
  EXPECT_EQ(control->BoundsRect(), Bounds(110, 75, 30, 15));

  // Upper right: the right edge moves left past the left, the top moves down past the bottom.
  set = handler.FindSet(control);
  Drag(Find<TMigiueRect>(set), {3, 3}, {-37, 23});  // dx -40, dy 20
  EXPECT_EQ(control->BoundsRect(), Bounds(100, 90, 10, 5));
}

TEST_F(HandleTest, EdgeMiddlesMoveOneEdgeAndWidthZeroStays) {
  TMulti8Handler eight;  // the page window's step of 4
  eight.SetStepX(4);
  eight.SetStepY(4);
  eight.Add(control);
  eight.SetPosition();
  THandlerRect* set = eight.FindSet(control);

  Drag(Find<TNakaueRect>(set), {0, 0}, {30, -13});  // dy -12; the top middle ignores x
  EXPECT_EQ(control->BoundsRect(), Bounds(60, 38, 80, 52));
  Drag(Find<TNakamigiRect>(set), {0, 0}, {-80, 9});
  EXPECT_EQ(control->BoundsRect(), Bounds(60, 38, 0, 52)) << "no minimum size";
  EXPECT_EQ(Find<TNakamigiRect>(set)->BoundsRect(), Bounds(56, 61, 6, 6));
  Drag(Find<TNakahidariRect>(set), {5, 0}, {6, 0});
  EXPECT_EQ(control->BoundsRect(), Bounds(60, 38, 0, 52));
  Drag(Find<TNakahidariRect>(set), {0, 0}, {-12, 0});
  EXPECT_EQ(control->BoundsRect(), Bounds(48, 38, 12, 52));
  Drag(Find<TNakashitaRect>(set), {0, 0}, {0, -58});  // -56: the bottom flips across the top
  EXPECT_EQ(control->BoundsRect(), Bounds(48, 34, 12, 4));
  eight.Clear();
}

TEST_F(HandleTest, PassiveHandleIgnoresTheMouse) {
  TProbe* second = AddProbe(200, 100, 30, 30);
  Select(control);
  Select(second);
  TSmallRect* handle = Find<TMigishitaRect>(handler.FindSet(control));
  control->received.clear();
  Press(handle, 0, 0);
  EXPECT_FALSE(handle->Resizing());
  EXPECT_NE(CursorClip(), HostOnScreen());
  Move(handle, 20, 20);
  Release(handle, 20, 20);
  EXPECT_EQ(control->BoundsRect(), Bounds(60, 50, 80, 40));
  EXPECT_TRUE(control->received.empty());
  EXPECT_EQ(handle->Cursor(), crDefault);
  // A release without a press does nothing either, on an active handle too.
  handler.Delete(1);
  Release(Find<TMigishitaRect>(handler.Items(0)), 30, 30);
  EXPECT_EQ(control->BoundsRect(), Bounds(60, 50, 80, 40));
  EXPECT_TRUE(control->Received(DSNM_RESIZE).empty());
}

TEST_F(HandleTest, PressAndReleaseInPlaceLeavesTheScreenAsItWas) {
  THandlerRect* set = Select(control);
  Pump(TPumpMode::Dispatch);
  const TRect area = HostOnScreen();
  const auto before = ReadScreen(area);
  TSmallRect* handle = Find<THidarishitaRect>(set);
  Press(handle, 4, 4);
  Move(handle, 5, 5);  // inside the same step
  Release(handle, 5, 5);
  Pump(TPumpMode::Dispatch);
  EXPECT_EQ(ReadScreen(area), before);
  EXPECT_EQ(control->BoundsRect(), Bounds(60, 50, 80, 40));
}

TEST_F(HandleTest, CuttingSnapsTowardZeroAndStepsOfZeroSwitchItOff) {
  THandlerRect* set = Select(control);
  const TSmallRect* h = set->Items(0);
  auto cut = [&](int x, int y) {
    h->Cutting(x, y);
    return TPoint{x, y};
  };
  EXPECT_EQ(cut(5, 0), (TPoint{0, 0}));
  EXPECT_EQ(cut(6, 11), (TPoint{6, 6}));
  EXPECT_EQ(cut(13, 7), (TPoint{12, 6}));
  EXPECT_EQ(cut(-1, -5), (TPoint{0, 0}));
  EXPECT_EQ(cut(-6, -11), (TPoint{-6, -6}));
  TMigishitaRect unsnapped(control, 6, 0, -3, clGray, clBlack);
  int x = 13, y = -7;
  unsnapped.Cutting(x, y);
  EXPECT_EQ((TPoint{x, y}), (TPoint{13, -7}));
}

TEST_F(HandleTest, HandlesFollowTheSelectionThroughItsDeath) {
  TTargetList targets;
  targets.SelectNotification(&handler);
  TProbe* doomed = AddProbe(200, 100, 30, 30);
  targets.Clear();
  targets.Add(control);
  targets.Add(doomed);
  targets.SetPosition();
  ASSERT_EQ(handler.Count(), 2);
  const int windowsWithTwoSets = ThreadWindowCount();

  // The death sequence of the controller: ItemDeath, the control goes, Delete, SetPosition.
  targets.ItemDeath(1);
  EXPECT_EQ(handler.Items(1)->Control(), nullptr);
  EXPECT_EQ(handler.Items(1)->Items(0)->Control(), nullptr);
  delete doomed;
  targets.Delete(1);
  targets.SetPosition();
  ASSERT_EQ(handler.Count(), 1);
  EXPECT_TRUE(handler.Items(0)->Items(0)->Active());
  EXPECT_EQ(ThreadWindowCount(), windowsWithTwoSets - 5);  // the control and four handles
  targets.Clear();
  EXPECT_EQ(handler.Count(), 0);
}

TEST_F(HandleTest, HandlesDestroyedWithTheirParentLeaveTheSetDying) {
  const long objects = TObject::LiveCount();
  auto* other = new TProbe(stage.form);
  other->SetParent(stage.form);
  other->SetBounds(0, 0, 100, 100);
  auto* inner = new TProbe(stage.form);
  inner->SetParent(other);
  inner->SetBounds(10, 10, 20, 20);
  THandlerRect* set = Select(inner);
  ASSERT_FALSE(set->Dying());
  delete other;  // takes inner and the four handles with it
  EXPECT_TRUE(set->Dying());
  EXPECT_EQ(set->Count(), 0);
  handler.SetPosition();  // a dying set places nothing
  handler.Delete(0);
  EXPECT_EQ(handler.Count(), 0);
  EXPECT_EQ(TObject::LiveCount(), objects);
}

TEST_F(HandleTest, SelectingAndResizingLeaksNothing) {
  auto round = [&] {
    THandlerRect* set = Select(control);
    Drag(Find<TMigishitaRect>(set), {0, 0}, {6, 6});
    set = handler.FindSet(control);
    Drag(Find<TMigishitaRect>(set), {0, 0}, {-6, -6});
    handler.Clear();
    Pump(TPumpMode::Dispatch);
  };
  round();
  const long gdi = GdiObjectCount();
  const int windows = ThreadWindowCount();
  const long objects = TObject::LiveCount();
  for (int i = 0; i < 10; ++i) round();
  EXPECT_EQ(GdiObjectCount(), gdi);
  EXPECT_EQ(ThreadWindowCount(), windows);
  EXPECT_EQ(TObject::LiveCount(), objects);
  EXPECT_EQ(control->BoundsRect(), Bounds(60, 50, 80, 40));
}
