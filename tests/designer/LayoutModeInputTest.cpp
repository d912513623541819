// Layout mode under awkward input: a right click in the middle of a left drag, and windows of
// others that arrive in the stage without telling their parent.
#include <gtest/gtest.h>

#include "DesignerTestSupport.h"
#include "LayoutModeSupport.h"

namespace {

using layouttest::TMouseDriver;
using layouttest::TPageForm;

class LayoutModeInput : public ::testing::Test {
 protected:
  TPoint On(TControl* control, int x, int y) { return TPageForm::ScreenOf(control, {x, y}); }
  void ToggleSwitch() { mouse.Click(On(page.modeSwitch, 10, 10)); }
  std::vector<TControl*> Selection() {
    std::vector<TControl*> items;
    TTargetList* targets = page.controller->TargetList();
    for (int i = 0; targets && i < targets->GetCount(); ++i) items.push_back(targets->GetItems(i));
    return items;
  }
  // A STATIC window of no control that takes the mouse, made with `exStyle` inside `parent`.
  static HWND MakeStatic(HWND parent, DWORD exStyle) {
    return CreateWindowExW(exStyle, L"STATIC", L"", WS_CHILD | WS_VISIBLE | SS_NOTIFY, 5, 5, 30, 20, parent, nullptr, nullptr,
                           nullptr);
  }

  TPageForm page;
  TMouseDriver mouse{page.form};
};

TEST_F(LayoutModeInput, ARightClickDuringALeftDragLeavesTheDragAlone) {
  ToggleSwitch();
  mouse.Press(On(page.memo1, 13, 22));
  mouse.MoveTo(On(page.memo1, 30, 9));
  ASSERT_NE(page.controller->Shape(), nullptr);
  const HWND holder = GetCapture();
  ASSERT_NE(holder, nullptr);

  // Over another control: a right press must not select it under the drag.
  mouse.RightPress(On(page.balloon2, 5, 5));
  mouse.RightRelease(On(page.balloon2, 5, 5));
  EXPECT_EQ(GetCapture(), holder) << "the left drag keeps the mouse";
  EXPECT_EQ(Selection(), (std::vector<TControl*>{page.memo1}));
  EXPECT_NE(page.controller->Shape(), nullptr);

  mouse.MoveTo(On(page.memo1, 34, 13));
  mouse.Release(On(page.memo1, 30, 9));
  EXPECT_EQ(page.memo1->BoundsRect(), Bounds(56, 88, 120, 40));
  EXPECT_EQ(page.balloon2->BoundsRect(), Bounds(140, 40, 80, 40));
  EXPECT_EQ(page.controller->Shape(), nullptr);
  EXPECT_EQ(page.controller->Gesture(), TDsnGesture::Idle);
  EXPECT_EQ(GetCapture(), nullptr);
  EXPECT_EQ(dsntest::CursorClip(), dsntest::ScreenRect()) << "the pointer is free again";

  // Without a left drag the right click still selects, and lets go of the mouse.
  mouse.RightPress(On(page.balloon2, 5, 5));
  mouse.RightRelease(On(page.balloon2, 5, 5));
  EXPECT_EQ(Selection(), (std::vector<TControl*>{page.balloon2}));
  EXPECT_EQ(GetCapture(), nullptr);
}

TEST_F(LayoutModeInput, WindowsOfOthersThatArriveUnannouncedLetTheMouseThrough) {
  auto* silentHost = new TPanel(page.form);
  silentHost->SetParent(page.stage);
  silentHost->SetBounds(240, 200, 100, 40);
  auto* movedHost = new TPanel(page.form);
  movedHost->SetParent(page.stage);
  movedHost->SetBounds(240, 260, 100, 40);
  // One made without telling its parent, one made elsewhere and moved in.
  HWND silent = MakeStatic(silentHost->Handle(), WS_EX_NOPARENTNOTIFY);
  HWND moved = MakeStatic(page.buttons->Handle(), 0);
  ASSERT_NE(silent, nullptr);
  ASSERT_NE(moved, nullptr);
  SetParent(moved, movedHost->Handle());
  ASSERT_EQ(mouse.Target(On(silentHost, 10, 10)), silent);
  ASSERT_EQ(mouse.Target(On(movedHost, 10, 10)), moved);

  ToggleSwitch();
  EXPECT_NE(dynamic_cast<TChildAgent*>(TAgent::FindAgent(silent)), nullptr);
  EXPECT_NE(dynamic_cast<TChildAgent*>(TAgent::FindAgent(moved)), nullptr);
  mouse.Click(On(silentHost, 10, 10));
  EXPECT_EQ(Selection(), (std::vector<TControl*>{silentHost}));
  mouse.Click(On(movedHost, 10, 10));
  EXPECT_EQ(Selection(), (std::vector<TControl*>{movedHost}));

  ToggleSwitch();
  EXPECT_EQ(TAgent::FindAgent(silent), nullptr);
  EXPECT_EQ(TAgent::FindAgent(moved), nullptr);
  EXPECT_EQ(mouse.Target(On(movedHost, 10, 10)), moved);
}

}  // namespace
