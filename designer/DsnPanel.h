// The component palette as the designer controller sees it: TCustomCmpPlt, the abstract palette
// that arms the controller with a template control, and TArrowButton, its button for selecting
// without creating anything.
#pragma once

#include "framework/core/ComponentLink.h"
#include "framework/stdctrls/Panel.h"
#include "framework/stdctrls/SpeedButton.h"

class TArrowButton;

// All palette buttons and the arrow button share this group: one of them is down at a time.
constexpr int kPaletteGroupIndex = 2301;

class TCustomCmpPlt : public TPanel {
  TAVELKO_CLASS(TCustomCmpPlt, TPanel)

 public:
  using TPanel::TPanel;

  // ---- What a palette supplies ----
  // Design mode switched on or off.
  virtual void SetDesigning(bool value) = 0;
  // The armed template; null when nothing is armed.
  virtual TComponent* GetTemplate() = 0;
  // Arms `component`; null (or the arrow button) disarms.
  virtual void SetTemplate(TComponent* component) = 0;
  virtual void SetArrowButton(TArrowButton* button) = 0;
  // A control was created from the template: back to selecting.
  virtual void EndCreating() = 0;

  bool Designing() const { return designing_; }

 protected:
  void StoreDesigning(bool value) { designing_ = value; }

 private:
  bool designing_ = false;
};

// The palette's "select" button: while it is down nothing is armed.
class TArrowButton : public TSpeedButton {
  TAVELKO_CLASS(TArrowButton, TSpeedButton)

 public:
  using TSpeedButton::TSpeedButton;

  // A pressed arrow button cannot be raised by clicking it again; disabled until design mode.
  void Loaded() override;
  // Disarms the palette when the button went down.
  void Click() override;
  // The palette served; null is ignored.
  void SetDsnPanel(TCustomCmpPlt* palette);
  TCustomCmpPlt* Palette() const { return palette_; }

 private:
  TComponentLink<TCustomCmpPlt> palette_;
};
