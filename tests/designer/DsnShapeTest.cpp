// Drag outlines on the real screen: what an outline draws, that erasing restores the screen bit
// for bit, and that the pointer is confined exactly from DrowOn to DrowUp.
#include <gtest/gtest.h>

#include "DesignerTestSupport.h"
#include "designer/DsnShape.h"

using namespace dsntest;

namespace {

constexpr std::uint32_t kWhite = 0xFFFFFF;
constexpr std::uint32_t kWhiteXorGray = 0x7F7F7F;

class ShapeTest : public ::testing::Test {
 protected:
  TRect HostOnScreen() const { return stage.HostOnScreen(); }
  std::vector<std::uint32_t> Host() { return ReadScreen(HostOnScreen()); }

  TStageForm stage;
};

// Changed pixels of `after` against `before` inside the host, as host-relative points.
std::vector<TPoint> Changed(const std::vector<std::uint32_t>& before, const std::vector<std::uint32_t>& after) {
  std::vector<TPoint> points;
  for (std::size_t i = 0; i < before.size(); ++i)
    if ((before[i] & 0xFFFFFF) != (after[i] & 0xFFFFFF))
      points.push_back(TPoint{static_cast<int>(i % 300), static_cast<int>(i / 300)});
  return points;
}

}  // namespace

TEST_F(ShapeTest, OutlineIsTheRectangleDrawnOnceAndErasesExactly) {
  const auto before = Host();
  ASSERT_EQ(before[100 * 300 + 100] & 0xFFFFFF, kWhite);
  const TRect host = HostOnScreen();
  {
    TMultiShape shape;
    shape.SetPenWidth(1);
    shape.AddNew();
    shape.SetWidth(40);
    shape.SetHeight(30);
    shape.Drow(TPoint{host.Left + 50, host.Top + 60});
    const auto drawn = Host();
    // The perimeter of (50, 60)-(90, 90), every pixel exactly once: 2 * (40 + 30) pixels, each
    // white XOR grey.
    const auto changed = Changed(before, drawn);
    EXPECT_EQ(changed.size(), 2u * (40 + 30));
    for (const TPoint& p : changed) {
      const bool onEdge = p.X == 50 || p.X == 90 || p.Y == 60 || p.Y == 90;
      EXPECT_TRUE(onEdge && p.X >= 50 && p.X <= 90 && p.Y >= 60 && p.Y <= 90) << p.X << "," << p.Y;
      EXPECT_EQ(drawn[static_cast<std::size_t>(p.Y * 300 + p.X)] & 0xFFFFFF, kWhiteXorGray);
    }
    EXPECT_EQ(shape.Items(0)->Rect(), (TRect{host.Left + 50, host.Top + 60, host.Left + 90, host.Top + 90}));

    // Moving erases the old place and draws the new one.
    shape.Drow(TPoint{host.Left + 120, host.Top + 20});
    const auto moved = Changed(before, Host());
    EXPECT_EQ(moved.size(), 2u * (40 + 30));
    for (const TPoint& p : moved) EXPECT_GE(p.X, 120);
    shape.DrowUp();
  }
  EXPECT_EQ(Host(), before);
}

TEST_F(ShapeTest, WidePenAndRepeatedPositionsStillEraseExactly) {
  const TRect host = HostOnScreen();
  const auto before = Host();
  TMultiShape shape;  // the default pen: grey, 2 pixels
  shape.AddNew();
  shape.SetWidth(70);
  shape.SetHeight(50);
  shape.Drow(TPoint{host.Left + 30, host.Top + 30});
  shape.Drow(TPoint{host.Left + 30, host.Top + 30});
  EXPECT_FALSE(Changed(before, Host()).empty()) << "drawn twice at one place stays visible";
  EXPECT_EQ(shape.Items(0)->DrawState(), 1);
  shape.DrowUp();
  EXPECT_EQ(Host(), before);
  shape.DrowUp();  // a second erase draws nothing back
  EXPECT_EQ(Host(), before);
  EXPECT_EQ(shape.Items(0)->DrawState(), 2);
}

TEST_F(ShapeTest, NeverDrawnOutlineLeavesTheScreenAlone) {
  // A 2-pixel pen draws a dot even for a line of length 0: the erase of a never-drawn outline
  // at (0, 0, 0, 0) would leave one on the screen's corner.
  const auto corner = ReadScreen(TRect{0, 0, 4, 4});
  const auto before = Host();
  {
    TMultiShape shape;
    shape.Add(stage.host);
    shape.DrowOn(stage.host);
    shape.DrowUp();  // a press and release without any move
  }
  EXPECT_EQ(ReadScreen(TRect{0, 0, 4, 4}), corner);
  EXPECT_EQ(Host(), before);
}

TEST_F(ShapeTest, OutlineDrawnUpAndLeftIsAProperRectangle) {
  const TRect host = HostOnScreen();
  const auto before = Host();
  TMultiShape shape;
  shape.SetPenWidth(1);
  shape.AddNew();
  shape.SetWidth(-40);
  shape.SetHeight(-30);
  shape.Drow(TPoint{host.Left + 100, host.Top + 100});
  const auto changed = Changed(before, Host());
  EXPECT_EQ(changed.size(), 2u * (40 + 30));
  for (const TPoint& p : changed) {
    EXPECT_TRUE(p.X >= 60 && p.X <= 100 && p.Y >= 70 && p.Y <= 100) << p.X << "," << p.Y;
    EXPECT_TRUE(p.X == 60 || p.X == 100 || p.Y == 70 || p.Y == 100) << p.X << "," << p.Y;
  }
  shape.DrowUp();
  EXPECT_EQ(Host(), before);
}

TEST_F(ShapeTest, OutlinesFollowTheirControlsRelativeToTheOffset) {
  auto* a = new TProbe(stage.form);
  a->SetParent(stage.host);
  a->SetBounds(20, 30, 50, 40);
  auto* b = new TProbe(stage.form);
  b->SetParent(stage.host);
  b->SetBounds(100, 120, 10, 60);
  const TPoint start = stage.host->ClientToScreen(TPoint{5, 5});

  TMultiShape shape;
  shape.SetPenColor(clRed);
  shape.SetPenWidth(3);
  shape.SetPenStyle(psDot);
  shape.SetOffset(start);
  shape.Add(nullptr);
  shape.Add(a);
  shape.Add(b);
  ASSERT_EQ(shape.Count(), 2);
  EXPECT_EQ(shape.Items(0)->Origin(), (TPoint{15, 25}));
  EXPECT_EQ(shape.Items(1)->Width(), 10);
  EXPECT_EQ(shape.Items(1)->Height(), 60);
  EXPECT_EQ(shape.Items(1)->PenColor(), clRed);
  EXPECT_EQ(shape.Items(1)->PenWidth(), 3);
  EXPECT_EQ(shape.Items(1)->PenStyle(), psDot);

  // The mouse moved by (7, -4): every outline stands at its control plus that.
  shape.Drow(TPoint{start.X + 7, start.Y - 4});
  const TPoint aOnScreen = stage.host->ClientToScreen(TPoint{27, 26});
  EXPECT_EQ(shape.Items(0)->Rect(), (TRect{aOnScreen.X, aOnScreen.Y, aOnScreen.X + 50, aOnScreen.Y + 40}));
  shape.DrowUp();

  shape.AddNew();
  EXPECT_EQ(shape.Count(), 1);
  EXPECT_EQ(shape.Items(0)->Width(), 0);
  EXPECT_EQ(shape.Items(0)->Origin(), (TPoint{0, 0}));
  EXPECT_THROW(shape.Items(1), EListError);
}

TEST_F(ShapeTest, PointerIsConfinedFromDrowOnUntilDrowUp) {
  const TRect host = HostOnScreen();
  if (!SystemConfinesThePointer(stage.form, host)) GTEST_SKIP() << "this display never confines the pointer";
  EXPECT_TRUE(HoldsInForeground(stage.form, [&] {
    TMultiShape shape;
    shape.DrowOn(stage.host);
    const bool confined = shape.ClipRect() == host && CursorClip() == host;
    SetCursorPos(0, 0);
    POINT p;
    GetCursorPos(&p);
    const bool heldInside = p.x == host.Left && p.y == host.Top;
    shape.DrowUp();
    return confined && heldInside && CursorClip() != host;
  }));
  // A set destroyed in the middle of a drag does not keep the pointer caged.
  EXPECT_TRUE(HoldsInForeground(stage.form, [&] {
    bool confined = false;
    {
      TMultiShape shape;
      shape.DrowOn(stage.host);
      confined = CursorClip() == host;
    }
    return confined && CursorClip() != host;
  }));
}

TEST_F(ShapeTest, SetsLeakNoObjects) {
  const TRect host = HostOnScreen();
  auto drag = [&] {
    TMultiShape shape;
    shape.Add(stage.host);
    shape.DrowOn(stage.host);
    for (int i = 0; i < 5; ++i) shape.Drow(TPoint{host.Left + i, host.Top + i});
    shape.DrowUp();
  };
  drag();  // the first screen DC and pen are cached by the system
  const long gdi = GdiObjectCount();
  const long objects = TObject::LiveCount();
  for (int i = 0; i < 50; ++i) drag();
  EXPECT_EQ(GdiObjectCount(), gdi);
  EXPECT_EQ(TObject::LiveCount(), objects);
}
