// Colour-cycling outlines, their handles and the controller that makes them.
#include "designer/DsnSubCl.h"

// ---------------------------------------------------------------------------------------------
// TClShape

// The first call starts the cycle, unless it is already the final erase of an outline never drawn.
void TClShape::SetBounds(int X, int Y) {
  if (!timer_ && DrawState() < 2) {
    colorIndex_ = 0;
    drawnColor_ = PenColor();
    timer_ = std::make_unique<TTimer>(nullptr);
    timer_->SetInterval(kCycleInterval);
    timer_->OnTimer = TNotifyEvent(this, &TClShape::ChangeColorOnTimer);
  }
  lastX_ = X;
  lastY_ = Y;
  // The cycle may have changed PenColor since the outline on the screen was drawn; exclusive-or
  // erases it only in its own colour.
  Canvas()->Pen()->SetColor(drawnColor_);
  TFundamentalShape::SetBounds(X, Y);
  drawnColor_ = PenColor();
  // After the final erase there is nothing left to recolour. Stopped, not destroyed: this may run
  // inside the timer's own tick.
  if (timer_ && DrawState() > 1) timer_->SetEnabled(false);
}

void TClShape::ChangeColorOnTimer(TObject*) {
  SetPenColor(kCycle[static_cast<std::size_t>(colorIndex_)]);
  colorIndex_ = (colorIndex_ + 1) % static_cast<int>(kCycle.size());
  SetBounds(lastX_, lastY_);
}

// ---------------------------------------------------------------------------------------------
// TMultiClShape

std::unique_ptr<TFundamentalShape> TMultiClShape::CreateAddShape() { return std::make_unique<TClShape>(Canvas()); }

std::unique_ptr<TFundamentalShape> TMultiClShape::CreateAddNewShape() {
  return std::make_unique<TClShape>(Canvas());
}

// ---------------------------------------------------------------------------------------------
// Handles

void THandlerClRect::CreateSmallRect() {
  AddHandle<TClMigishitaRect>();
  AddHandle<TClMigiueRect>();
  AddHandle<TClHidariueRect>();
  AddHandle<TClHidarishitaRect>();
  AddHandle<TClNakaueRect>();
  AddHandle<TClNakashitaRect>();
  AddHandle<TClNakamigiRect>();
  AddHandle<TClNakahidariRect>();
}

std::unique_ptr<THandlerRect> TMultiClHandler::CreateHandlerRect(TControl* control) {
  return MakeSet<THandlerClRect>(control);
}

// ---------------------------------------------------------------------------------------------
// TDsnClRegister

std::unique_ptr<TMultiHandler> TDsnClRegister::CreateHandler() { return std::make_unique<TMultiClHandler>(); }

std::unique_ptr<TMultiShape> TDsnClRegister::CreateCopyShape() { return std::make_unique<TMultiClShape>(); }

// The controller erases and destroys the outline set it replaces.
std::unique_ptr<TMultiShape> TDsnClRegister::CreateMoveShape() { return std::make_unique<TMultiClShape>(); }

void RegisterDsnSubClClasses() { RegisterClass(TDsnClRegister::StaticClassInfo()); }
