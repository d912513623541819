// What the designer's window tests share beyond the shared test support: a shown stage form and a
// small framework control that records the designer's messages.
#pragma once

#include <windows.h>

#include <vector>

#include "framework/windows/CustomControl.h"
#include "framework/windows/Forms.h"
#include "tests/support/Foreground.h"
#include "tests/support/MessagePump.h"
#include "tests/support/Pixels.h"
#include "tests/support/WindowState.h"

namespace dsntest {

using namespace test_support;

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
  // The host's client area on the screen.
  TRect HostOnScreen() const;

  TForm* form;
  TProbe* host;  // at (10, 10), 300 x 200 in the form's client area, white
};

}  // namespace dsntest
