// The grid-mark controller, its mark sets and its interceptor.
#include "designer/DsnSubGr.h"

#include "framework/graphics/GdiHandles.h"

namespace {
constexpr int kMarkSize = 6;
}  // namespace

// ---------------------------------------------------------------------------------------------
// THandlerGrRect

THandlerGrRect::THandlerGrRect(TControl* control)
    : THandlerRect(control, kMarkSize, 0, 0, 0, clGray, clGray, clGray) {}

THandlerGrRect::~THandlerGrRect() {
  if (Control()) Control()->Invalidate();
}

void THandlerGrRect::SetControl() {
  if (Control()) Control()->Invalidate();
}

// ---------------------------------------------------------------------------------------------
// TMultiGrHandler

void TMultiGrHandler::Add(void* item) {
  if (!Selectable(item)) return;
  auto* control = static_cast<TControl*>(item);
  if (FindSet(control)) return;
  if (Count() == 0) {
    AppendSet(CreateHandlerRect(control));
  } else {
    if (Count() == 1) ReplaceSet(0, CreateHandlerGrRect(Items(0)->Control()));
    AppendSet(CreateHandlerGrRect(control));
  }
  if (HWND window = DesignMessageWindow(control)) SendMessageW(window, DSNM_SELECT, 0, 0);
}

std::unique_ptr<THandlerRect> TMultiGrHandler::CreateHandlerGrRect(TControl* control) {
  return std::make_unique<THandlerGrRect>(control);
}

// ---------------------------------------------------------------------------------------------
// TDsnGrCtrl

void TDsnGrCtrl::ClientPaint(TWMPaint& message) {
  TDsnCtrl::ClientPaint(message);
  auto* controller = dynamic_cast<TDsnGrRegister*>(Controller());
  if (controller && controller->OnPaintTarget && Control()) controller->OnPaintTarget(Control());
}

// ---------------------------------------------------------------------------------------------
// TDsnGrRegister

void TDsnGrRegister::SetDesigning(bool value) {
  OnPaintTarget = nullptr;
  TDsnMlRegister::SetDesigning(value);
}

void TDsnGrRegister::Selected(TControl* control, TMessage& message) {
  TDsnMlRegister::Selected(control, message);
  const bool several = TargetList() && TargetList()->GetCount() >= 2;
  OnPaintTarget = several ? TNotifyEvent(this, &TDsnGrRegister::PaintCanvas) : nullptr;
}

void TDsnGrRegister::PaintCanvas(TObject* object) {
  auto* control = dynamic_cast<TControl*>(object);
  TTargetList* targets = TargetList();
  if (!control || !targets) return;
  auto* windowed = dynamic_cast<TWinControl*>(control);
  // The pixels of windowless controls belong to the window they lie on.
  for (int i = 0; windowed && i < windowed->ControlCount(); ++i) {
    TControl* child = windowed->Controls(i);
    if (!dynamic_cast<TWinControl*>(child) && targets->IndexOf(child) >= 0) PaintCanvas(child);
  }
  if (targets->IndexOf(control) < 0) return;
  TWinControl* host = windowed ? windowed : control->Parent();
  if (!host || !host->HandleAllocated()) return;
  gdi::WindowDC dc(host->Handle());
  if (!dc) return;
  const int x0 = windowed ? 0 : control->Left(), y0 = windowed ? 0 : control->Top();
  const int cw = control->ClientWidth(), ch = control->ClientHeight();
  TCanvas canvas;  // lets go of the DC before it is released
  canvas.SetHandle(dc.Get());
  canvas.Brush()->SetColor(clGray);
  canvas.Pen()->SetColor(clGray);
  canvas.Rectangle(x0, y0, x0 + kMarkSize, y0 + kMarkSize);
  canvas.Rectangle(x0 + cw - kMarkSize, y0, x0 + cw, y0 + kMarkSize);
  canvas.Rectangle(x0, y0 + ch - kMarkSize, x0 + kMarkSize, y0 + ch);
  canvas.Rectangle(x0 + cw - kMarkSize, y0 + ch - kMarkSize, x0 + cw, y0 + ch);
}

std::unique_ptr<TMultiHandler> TDsnGrRegister::CreateHandler() { return std::make_unique<TMultiGrHandler>(); }

std::unique_ptr<TDsnCtrl> TDsnGrRegister::CreateSubCtrl(TWinControl* control) {
  return TClientAgent::Create<TDsnGrCtrl>(control, this);
}

void RegisterDsnSubGrClasses() { RegisterClass(TDsnGrRegister::StaticClassInfo()); }
