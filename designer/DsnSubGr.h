/// @file
/// The grid-mark controller: a lone selected control has its handles, while several selected
/// controls show grey corner marks painted on them instead.
#pragma once

#include "designer/DsnSubMl.h"

/// The set of a control in a multiple selection: no handles; its control shows corner marks.
class THandlerGrRect : public THandlerRect {
  TAVELKO_CLASS(THandlerGrRect, THandlerRect)

 public:
  /// The mark set of `control` (not owned). Made directly, not by THandlerRect::Create: it has
  /// no handles.
  explicit THandlerGrRect(TControl* control);
  /// The marks go with the set.
  ~THandlerGrRect() override;

  /// Repaints the control, and so its marks.
  void SetControl() override;
};

/// Handle sets while one control is selected, mark sets for all from the second on.
class TMultiGrHandler : public TMultiHandler {
  TAVELKO_CLASS(TMultiGrHandler, TMultiHandler)

 public:
  /// The first control gets a set from CreateHandlerRect; a second turns both into mark sets.
  /// Sends DSNM_SELECT with 0 and 0.
  void Add(void* item) override;

  /// The set of each control of a multiple selection; a THandlerGrRect here.
  virtual std::unique_ptr<THandlerRect> CreateHandlerGrRect(TControl* control);
};

class TDsnGrRegister;

/// The interceptor of a window designed by a grid-mark controller: the marks go over the paint.
class TDsnGrCtrl : public TDsnCtrl {
  TAVELKO_CLASS(TDsnGrCtrl, TDsnCtrl)

 public:
  void ClientPaint(TWMPaint& message) override;

 protected:
  using TDsnCtrl::TDsnCtrl;
};

/// The grid-mark controller: the multi-select controller whose multiple selections show grey
/// corner marks on the controls instead of handles.
class TDsnGrRegister : public TDsnMlRegister {
  TAVELKO_CLASS(TDsnGrRegister, TDsnMlRegister)

 public:
  using TDsnMlRegister::TDsnMlRegister;

  /// Either way the marks are no longer wanted.
  void SetDesigning(bool value) override;
  /// The marks are painted while two or more controls are selected.
  void Selected(TControl* control, TMessage& message) override;

  /// Paints the grey corner marks of `control` (a TControl), when selected, and of the selected
  /// windowless controls lying on it, straight onto their windows.
  void PaintCanvas(TObject* control);

  /// Told by the interceptors after each paint of their control; empty unless two or more
  /// controls are selected.
  TNotifyEvent OnPaintTarget;

 protected:
  /// A TMultiGrHandler.
  std::unique_ptr<TMultiHandler> CreateHandler() override;
  /// A TDsnGrCtrl, which raises OnPaintTarget after each paint of its control.
  std::unique_ptr<TDsnCtrl> CreateSubCtrl(TWinControl* control) override;
};

/// Registers the grid-mark controller for reading streams.
void RegisterDsnSubGrClasses();
