/// @file
/// The two controls that draw themselves with Paint on a Canvas: TGraphicControl, windowless and
/// painted on its parent's window, and TCustomControl, with a window of its own.
#pragma once

#include <memory>

#include "framework/windows/ControlCanvas.h"
#include "framework/windows/WinControl.h"

class TGraphicControl : public TControl {
  TAVELKO_CLASS(TGraphicControl, TControl)

 public:
  explicit TGraphicControl(TComponent* owner);
  ~TGraphicControl() override;

  /// In Paint: the parent's paint DC, moved to this control's origin and clipped to it. Outside
  /// Paint: a DC of the parent's window, likewise moved and clipped.
  TCanvas* Canvas() const { return canvas_.get(); }

 protected:
  /// Draws the control in its own coordinates; (0, 0) is its top-left pixel.
  virtual void Paint();
  /// Paints into the DC the parent hands over in WParam.
  virtual void WMPaint(TWMPaint& message);
  void Dispatch(TMessage& message) override;

 private:
  std::unique_ptr<TControlCanvas> canvas_;
};

class TCustomControl : public TWinControl {
  TAVELKO_CLASS(TCustomControl, TWinControl)

 public:
  explicit TCustomControl(TComponent* owner);
  ~TCustomControl() override;

  TCanvas* Canvas() const { return canvas_.get(); }

 protected:
  /// Draws the client area; the background was erased with Color before, unless csOpaque.
  virtual void Paint();
  void PaintWindow(HDC dc) override;

 private:
  std::unique_ptr<TControlCanvas> canvas_;
};
