// The page-like test form designed by a controller variant instead of the page's own controller,
// with boxes of the tests' own in the stage's empty part, and the input of one gesture.
#pragma once

#include <windows.h>

#include <cstdint>
#include <vector>

#include "DesignerTestSupport.h"
#include "LayoutModeSupport.h"
#include "tests/support/Foreground.h"
#include "tests/support/InputDrivers.h"
#include "tests/support/MessagePump.h"
#include "tests/support/Pixels.h"

namespace varianttest {

using namespace test_support;

template <class Controller>
class TVariantPage {
 public:
  // The stage's grid is `grid` × `grid` (the controller takes it when it gets the stage).
  explicit TVariantPage(int grid = 4) {
    page.stage->Rubberband()->SetMoveWidth(grid);
    page.stage->Rubberband()->SetMoveHeight(grid);
    controller = new Controller(page.form);
    controller->SetName("Variant1");
    controller->SetDsnStage(page.stage);
    controller->SetDesigning(true);
    Pump(TPumpMode::DispatchWithoutRealInput);
  }

  // A box (a rectangle shape) on the stage; the stage is empty right of x = 200 below y = 100.
  TShape* AddBox(const char* name, int left, int top, int width, int height) {
    auto* box = new TShape(page.form);
    box->SetName(name);
    box->SetParent(page.stage);
    box->SetBounds(left, top, width, height);
    Pump(TPumpMode::DispatchWithoutRealInput);
    return box;
  }

  TPoint On(TControl* control, int x, int y) const { return layouttest::TPageForm::ScreenOf(control, {x, y}); }
  TPoint OnStage(int x, int y) const { return page.stage->ClientToScreen({x, y}); }

  void Click(TPoint at, TShiftState shift = {}) {
    mouse.Press(at, shift);
    mouse.Release(at, shift);
  }
  void Drag(TPoint from, TPoint to, TShiftState shift = {}) {
    mouse.Press(from, shift);
    mouse.MoveTo({(from.X + to.X) / 2, (from.Y + to.Y) / 2}, shift);
    mouse.MoveTo(to, shift);
    mouse.Release(to, shift);
  }

  std::vector<TControl*> Selection() const {
    std::vector<TControl*> items;
    TTargetList* targets = controller->TargetList();
    for (int i = 0; targets && i < targets->GetCount(); ++i) items.push_back(targets->GetItems(i));
    return items;
  }
  // Grab handles lying on the stage now.
  int HandlesOnStage() const {
    int count = 0;
    for (int i = 0; i < page.stage->ControlCount(); ++i)
      if (dynamic_cast<TSmallRect*>(page.stage->Controls(i))) ++count;
    return count;
  }
  // The handle set of `control`; null when it has none.
  THandlerRect* SetOf(TControl* control) const {
    return controller->Handler() ? controller->Handler()->FindSet(control) : nullptr;
  }

  layouttest::TPageForm page;
  Controller* controller = nullptr;
  TMouseDriver mouse{page.form};
};

// The pixels under the four edge lines of an outline drawn at `rect` (screen).
inline std::vector<std::uint32_t> EdgePixels(const TRect& rect) {
  std::vector<std::uint32_t> pixels;
  for (const TRect& line : {TRect{rect.Left, rect.Top, rect.Right, rect.Top + 1},
                            TRect{rect.Left, rect.Bottom, rect.Right, rect.Bottom + 1},
                            TRect{rect.Left, rect.Top, rect.Left + 1, rect.Bottom},
                            TRect{rect.Right, rect.Top, rect.Right + 1, rect.Bottom}}) {
    const auto part = dsntest::ReadScreen(line);
    pixels.insert(pixels.end(), part.begin(), part.end());
  }
  return pixels;
}

// Whether the page can be brought to the foreground, so that what the screen shows is its own.
inline bool InForeground(TForm* form) {
  return dsntest::HoldsInForeground(form, [form] { return GetForegroundWindow() == form->Handle(); });
}

}  // namespace varianttest
