/// @file
/// The two controls that draw themselves with Paint on a Canvas: TGraphicControl, windowless and
/// painted on its parent's window, and TCustomControl, with a window of its own.
#pragma once

#include <memory>

#include "framework/windows/ControlCanvas.h"
#include "framework/windows/WinControl.h"

/// A windowless control that draws itself: override Paint. Cheap (no window), painted by its
/// parent in stacking order with the other windowless children, below every child window.
class TGraphicControl : public TControl {
  TAVELKO_CLASS(TGraphicControl, TControl)

 public:
  /// A control owned by `owner` (null: the caller deletes it); see TControl::TControl.
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

/// A windowed control that draws itself: override Paint. For controls that need a window (the
/// focus, the keyboard, children of their own).
class TCustomControl : public TWinControl {
  TAVELKO_CLASS(TCustomControl, TWinControl)

 public:
  /// A control owned by `owner` (null: the caller deletes it); see TWinControl::TWinControl.
  explicit TCustomControl(TComponent* owner);
  ~TCustomControl() override;

  /// In Paint: the paint DC of the control's window. Outside Paint: a DC of the window, taken on
  /// first use. Owned by the control.
  TCanvas* Canvas() const { return canvas_.get(); }

 protected:
  /// Draws the client area; the background was erased with Color before, unless csOpaque.
  virtual void Paint();
  void PaintWindow(HDC dc) override;

 private:
  std::unique_ptr<TControlCanvas> canvas_;
};
