// What the designer's window tests share: message pumping, counts of windows and GDI objects,
// screen read-back, and small framework controls that record the designer's messages.
#pragma once

#include <windows.h>

#include <cstdint>
#include <functional>
#include <vector>

#include "framework/windows/CustomControl.h"
#include "framework/windows/Forms.h"

namespace dsntest {

// Handles the waiting messages until `done` holds; false when it still does not after
// `rounds` rounds.
bool PumpUntil(const std::function<bool()>& done, int rounds = 200);
void PumpWaiting();

// Windows of this thread, top-level and child.
int ThreadWindowCount();
// GDI objects of this process: GetGuiResources, or, where that is not implemented (Wine), the
// used entries of the process's GDI handle table.
long GdiObjectCount();

// The pixels of a screen rectangle, read back through the screen DC.
std::vector<std::uint32_t> ReadScreen(const TRect& rect);
// The screen pixel, 0x00RRGGBB.
std::uint32_t ScreenPixel(int x, int y);

// The clipping rectangle of the pointer now.
TRect CursorClip();
TRect ScreenRect();
// Runs `check` with `form` in the foreground until it holds, at most `attempts` times. Wine lets
// go of the pointer's confinement when the foreground changes or a window that was in front goes,
// and tells the X server so later, from the desktop process: a confinement can be dropped under
// a test that did nothing wrong.
bool HoldsInForeground(TForm* form, const std::function<bool()>& check, int attempts = 5);
// Whether Windows confines the pointer to `rect` (screen) for `form` in the foreground at all:
// some displays never let a program confine it, whatever the program does.
bool SystemConfinesThePointer(TForm* form, const TRect& rect);

// A plain windowed control that records the designer's DSNM_* messages it receives.
class TProbe : public TCustomControl {
  TAVELKO_CLASS(TProbe, TCustomControl)

 public:
  using TCustomControl::TCustomControl;
  std::vector<TMessage> received;
  std::vector<TMessage> Received(UINT msg) const;

 protected:
  void WndProc(TMessage& message) override;
};

// A shown form at a fixed place with a borderless host control on it, on which tests put their
// controls; everything is destroyed with the form.
class TStageForm {
 public:
  static constexpr int kFormLeft = 860;
  static constexpr int kFormTop = 700;
  TStageForm();
  ~TStageForm();
  TForm* form;
  TProbe* host;  // at (10, 10), 300 x 200 in the form's client area, white
};

}  // namespace dsntest
