// What the layout-mode tests share: a form laid out like the page window (a stage with balloons,
// dialogue memos and a frame image, a button panel with the mode switch, and the controller), and
// drivers that deliver mouse and keyboard input as Windows routes it: to the window that the mouse
// capture or the point selects, and to the focused window.
//
// The desktop is shared with other programs whose input would reach these windows (the pointer
// and the keyboard belong to everyone). So the drivers hand their messages to the windows through
// the message loop's dispatch, and the tests pump with Pump, which drops input of the real mouse
// and keyboard.
#pragma once

#include <windows.h>

#include <functional>
#include <vector>

#include "designer/DsnPanel.h"
#include "designer/DsnUnit.h"
#include "framework/stdctrls/Image.h"
#include "framework/stdctrls/Memo.h"
#include "framework/stdctrls/Panel.h"
#include "framework/stdctrls/Shape.h"
#include "framework/windows/Forms.h"

namespace layouttest {

// The standard controls and the designer's classes, registered for reading streams.
void RegisterClassesOnce();

// A controller that counts the calls of its hooks and of the stream operations the stage reaches;
// the stream operations are carried out only when `performs` is set.
class TCountingRegister : public TDsnRegister {
 public:
  using TDsnRegister::TDsnRegister;
  void Moved(int dx, int dy) override {
    moves.push_back({dx, dy});
    TDsnRegister::Moved(dx, dy);
  }
  void Copy() override {
    ++copies;
    if (performs) TDsnRegister::Copy();
  }
  void Cut() override {
    ++cuts;
    if (performs) TDsnRegister::Cut();
  }
  void Paste() override {
    ++pastes;
    if (performs) TDsnRegister::Paste();
  }
  void Delete() override {
    ++deletes;
    if (performs) TDsnRegister::Delete();
  }
  void AlertClientDeath() override { ++clientDeaths; }
  void AlertTargetDeath() override { ++targetDeaths; }

  std::vector<TPoint> moves;
  int copies = 0, cuts = 0, pastes = 0, deletes = 0, clientDeaths = 0, targetDeaths = 0;
  bool performs = false;
};

// A panel that counts its own presses and, while `answers` holds, takes design presses itself
// (CM_DESIGNHITTEST answers 1).
class THitTestPanel : public TPanel {
 public:
  using TPanel::TPanel;
  bool answers = true;
  int presses = 0;

 protected:
  void CMDesignHitTest(TMessage& message) override { message.Result = answers ? 1 : 0; }
  void MouseDown(TMouseButton button, TShiftState shift, int x, int y) override {
    ++presses;
    TPanel::MouseDown(button, shift, x, y);
  }
};

// The page in small: the stage fills the right part of a borderless form at a fixed screen place.
// Everything belongs to the form and is destroyed with it.
class TPageForm {
 public:
  TPageForm();
  ~TPageForm();

  // Client point of `control` (in its own coordinates) on the screen.
  static TPoint ScreenOf(TControl* control, TPoint local);
  // The interceptor on `control`'s window now; null when there is none.
  static TDsnCtrl* InterceptorOf(TWinControl* control);

  TForm* form;
  TDsnStage* stage;        // at (22, 0), 420 x 360, grid 4 x 4
  TShape* page;            // Shape0: (0, 0) 200 x 300, the white page
  TShape* balloon1;        // (40, 40) 80 x 40
  TShape* balloon2;        // (140, 40) 80 x 40
  TMemo* memo1;            // (40, 100) 120 x 40
  TMemo* memo2;            // (40, 160) 120 x 40
  TImage* frame;           // (220, 20) 100 x 75
  TPanel* buttons;         // beside the stage: (442, 0) 160 x 60
  TDsnSwitch* modeSwitch;  // on the button panel at (1, 1) 158 x 24
  TCountingRegister* controller;
};

// Mouse input as Windows routes it: to the window holding the capture, otherwise to the deepest
// visible window of `root` under the point that does not answer HTTRANSPARENT.
class TMouseDriver {
 public:
  explicit TMouseDriver(TWinControl* root) : root_(root) {}

  void Press(TPoint screen, TShiftState extra = {});
  void MoveTo(TPoint screen, TShiftState extra = {});
  void Release(TPoint screen, TShiftState extra = {});
  void RightPress(TPoint screen);
  void RightRelease(TPoint screen);
  void DoubleClick(TPoint screen);
  // Press, moves in `steps` straight steps, release.
  void Drag(TPoint from, TPoint to, int steps = 4);
  void Click(TPoint screen) { Drag(screen, screen, 0); }

  // The window that would receive a mouse message at `screen` now.
  HWND Target(TPoint screen) const;

 private:
  void Post(UINT msg, TPoint screen, WPARAM keys);
  WPARAM Keys(TShiftState extra) const;

  TWinControl* root_;
  bool left_ = false;
  bool right_ = false;
};

// Handles the waiting messages, except input of the real mouse and keyboard.
void Pump();
// Pumps until `done` holds; false when it still does not after about two seconds.
bool PumpUntil(const std::function<bool()>& done);
// One message through translation and dispatch as the message loop would handle it, then Pump.
void Deliver(HWND window, UINT msg, WPARAM wParam, LPARAM lParam);

// The window keys go to: the focused one; while another program holds the activation of the shared
// desktop this thread has no focus, and `fallback` stands in.
HWND KeyboardWindow(TWinControl* fallback);
// A key pressed and released with Ctrl held or not: key down, the character the translation makes
// of it, key up.
void TypeKey(HWND window, WORD virtualKey, bool control = false);

// Window procedures of `root`'s window and of every window below it.
std::vector<std::pair<HWND, LONG_PTR>> WindowProcedures(HWND root);

}  // namespace layouttest
