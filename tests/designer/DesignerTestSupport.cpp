// Helpers of the designer's window tests.
#include "DesignerTestSupport.h"

#include "designer/Dsnhandle.h"

namespace dsntest {

std::vector<TMessage> TProbe::Received(UINT msg) const {
  std::vector<TMessage> result;
  for (const TMessage& m : received)
    if (m.Msg == msg) result.push_back(m);
  return result;
}

void TProbe::WndProc(TMessage& message) {
  if (message.Msg >= DSNM_PRERESIZE && message.Msg <= DSNM_SELECT) received.push_back(message);
  TCustomControl::WndProc(message);
}

TStageForm::TStageForm() : form(new TForm(nullptr)) {
  // On top, in a corner the program's own page window does not use: other test processes share
  // the virtual desktop, and the screen is read back.
  form->SetBorderStyle(bsNone);
  form->SetFormStyle(fsStayOnTop);
  form->SetBounds(kFormLeft, kFormTop, 400, 300);
  host = new TProbe(form);
  host->SetParent(form);
  host->SetBounds(10, 10, 300, 200);
  host->SetColor(clWhite);
  form->Show();
  UpdateWindow(form->Handle());
  Pump(TPumpMode::Dispatch);
}

TStageForm::~TStageForm() {
  delete form;
  Pump(TPumpMode::Dispatch);
}

TRect TStageForm::HostOnScreen() const {
  const TPoint origin = host->ClientToScreen(TPoint{0, 0});
  return TRect{origin.X, origin.Y, origin.X + host->Width(), origin.Y + host->Height()};
}

}  // namespace dsntest
