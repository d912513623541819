/// @file
/// TControlCanvas: a canvas on a control — the paint DC during WM_PAINT, otherwise a DC of the
/// control's window (or of its parent's, moved to the control) taken on first use.
#pragma once

#include "framework/graphics/Canvas.h"

class TControl;

/// A canvas that draws on a control (see the file documentation). A DC taken outside painting is
/// given back after the message being handled, so hold no drawing state across messages.
class TControlCanvas : public TCanvas {
  TAVELKO_CLASS(TControlCanvas, TCanvas)

 public:
  /// A canvas on `control` (not owned; it must outlive the canvas, which it normally owns).
  explicit TControlCanvas(TControl* control);
  ~TControlCanvas() override;

  /// The control drawn on.
  TControl* Control() const { return control_; }
  /// Gives back a DC taken outside painting; the next drawing call takes a new one.
  void FreeHandle();
  /// Gives back the DCs of every control canvas; the framework calls it after each message.
  static void FreeDeviceContexts();

  /// Inside WM_PAINT: the canvas draws on the paint DC until the scope ends.
  class TPaintScope {
   public:
    /// Gives back a DC the canvas held and makes `dc` (not owned) its handle until the scope ends.
    TPaintScope(TControlCanvas& canvas, HDC dc);
    ~TPaintScope();
    TPaintScope(const TPaintScope&) = delete;
    TPaintScope& operator=(const TPaintScope&) = delete;

   private:
    TControlCanvas& canvas_;
  };

 protected:
  void CreateHandle() override;

 private:
  TControl* control_;  ///< not owned; the control owns its canvas
  HWND window_ = nullptr;  ///< whose DC ownDC_ is
  HDC ownDC_ = nullptr;    ///< taken by CreateHandle, given back by FreeHandle
};
