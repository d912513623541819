// The palette's arrow button.
#include "designer/DsnPanel.h"

void TArrowButton::Loaded() {
  TSpeedButton::Loaded();
  SetAllowAllUp(false);
  SetEnabled(false);
}

void TArrowButton::Click() {
  TSpeedButton::Click();
  if (Down() && palette_) palette_->SetTemplate(this);
}

void TArrowButton::SetDsnPanel(TCustomCmpPlt* palette) {
  if (palette) palette_.Set(palette);
}
