// What the layout-mode tests share: a form laid out like the page window (a stage with balloons,
// dialogue memos and a frame image, a button panel with the mode switch, and the controller). Input
// reaches it through the shared test support's routing drivers (tests/support/InputDrivers.h).
#pragma once

#include <windows.h>

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

// Compiles layout text (pictures named relative to the page's folder) and reads it into `form`.
void ReadLayoutText(const String& text, TForm& form);

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
  // The controller's selection now, in order.
  std::vector<TControl*> Selection() const;

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

}  // namespace layouttest
