// The proportional-resize controller and its one-handle sets.
#include "designer/DsnSubRS.h"

#include <cmath>
#include <cstdlib>

void THandlerRSRect::CreateSmallRect() {
  TMigishitaRect* handle = AddHandle<TMigishitaRect>();
  handle->SetMultiColor(handle->SingleColor());
}

std::unique_ptr<THandlerRect> TMultiRSHandler::CreateHandlerRect(TControl* control) {
  return MakeSet<THandlerRSRect>(control);
}

TScaledSpan ScaleSpan(const TResizedSpan& resized, int start, int size) {
  // No ratio exists for a control that had no size: the others stay as they are.
  if (resized.OldSize == 0) return {start, size, false};
  float scale = static_cast<float>(resized.NewSize) / static_cast<float>(resized.OldSize);
  // A moved start edge means the leading edge moved or the control flipped: mirror the others.
  if (resized.NewStart != resized.OldStart) scale = -scale;
  // The default rounding mode takes halves to even.
  const int scaled = std::abs(static_cast<int>(std::lrint(static_cast<float>(size) * scale)));
  if (scale >= 0) return {start, scaled, true};
  int newStart = start + size - scaled;
  if (resized.OldStart + resized.OldSize == resized.NewStart) newStart = start + size;  // past its far edge
  if (resized.NewStart + resized.NewSize == resized.OldStart) newStart = start - scaled;  // past its near edge
  return {newStart, scaled, true};
}

void TDsnRSRegister::Resized(TControl* control, TResizeMessage& message) {
  TTargetList* targets = TargetList();
  if (control && targets) {
    const TResizedSpan horizontal{message.Left, message.Width, control->Left(), control->Width()};
    const TResizedSpan vertical{message.Top, message.Height, control->Top(), control->Height()};
    for (int i = 0; i < targets->GetCount(); ++i) {
      TControl* target = targets->GetItems(i);
      if (!target || target == control) continue;
      TScaledSpan x = ScaleSpan(horizontal, target->Left(), target->Width());
      TScaledSpan y = ScaleSpan(vertical, target->Top(), target->Height());
      // Only a scaled axis is snapped; a kept one keeps its exact place and size.
      int w = x.Size, h = y.Size, left = x.Start, top = y.Start;
      Cutting(w, h);
      Cutting(left, top);
      target->SetBounds(x.Scaled ? left : x.Start, y.Scaled ? top : y.Start, x.Scaled ? w : x.Size,
                        y.Scaled ? h : y.Size);
    }
  }
  if (Handler()) Handler()->SetPosition();
  // The inspector shows the sizes every selected control has now.
  TDsnRegister::Resized(control, message);
}

std::unique_ptr<TMultiHandler> TDsnRSRegister::CreateHandler() { return std::make_unique<TMultiRSHandler>(); }

void RegisterDsnSubRSClasses() { RegisterClass(TDsnRSRegister::StaticClassInfo()); }
