// TGraphicControl and TCustomControl: painting through a canvas.
#include "framework/windows/CustomControl.h"

TGraphicControl::TGraphicControl(TComponent* owner)
    : TControl(owner), canvas_(std::make_unique<TControlCanvas>(this)) {}

TGraphicControl::~TGraphicControl() {
  BeforeDestruction();
  canvas_->FreeHandle();
}

void TGraphicControl::Paint() {}

void TGraphicControl::Dispatch(TMessage& message) {
  if (message.Msg == WM_PAINT) {
    TWMPaint paint(message);
    WMPaint(paint);
    return;
  }
  TControl::Dispatch(message);
}

void TGraphicControl::WMPaint(TWMPaint& message) {
  if (!message.DC()) return;
  TControlCanvas::TPaintScope scope(*canvas_, message.DC());
  Paint();
}

TCustomControl::TCustomControl(TComponent* owner)
    : TWinControl(owner), canvas_(std::make_unique<TControlCanvas>(this)) {}

TCustomControl::~TCustomControl() {
  BeforeDestruction();
  canvas_->FreeHandle();
}

void TCustomControl::Paint() {}

void TCustomControl::PaintWindow(HDC dc) {
  TControlCanvas::TPaintScope scope(*canvas_, dc);
  Paint();
}
