/// @file
/// The grid-mark controller whose lone selected control has eight handles.
#pragma once

#include "designer/DsnSubGr.h"

/// As TMultiGrHandler, but a lone selected control has eight handles (THandler8Rect).
class TMultiDpHandler : public TMultiGrHandler {
  TAVELKO_CLASS(TMultiDpHandler, TMultiGrHandler)

 public:
  /// A THandler8Rect with this handler's size, steps, colours and snapping.
  std::unique_ptr<THandlerRect> CreateHandlerRect(TControl* control) override;
};

/// The grid-mark controller whose lone selected control has eight handles.
class TDsnDpRegister : public TDsnGrRegister {
  TAVELKO_CLASS(TDsnDpRegister, TDsnGrRegister)

 public:
  using TDsnGrRegister::TDsnGrRegister;

 protected:
  /// A TMultiDpHandler.
  std::unique_ptr<TMultiHandler> CreateHandler() override;
};

/// Registers the eight-handle grid-mark controller for reading streams.
void RegisterDsnSubDpClasses();
