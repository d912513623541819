/// @file
/// The grid-mark controller whose lone selected control has eight handles.
#pragma once

#include "designer/DsnSubGr.h"

class TMultiDpHandler : public TMultiGrHandler {
  TAVELKO_CLASS(TMultiDpHandler, TMultiGrHandler)

 public:
  std::unique_ptr<THandlerRect> CreateHandlerRect(TControl* control) override;
};

class TDsnDpRegister : public TDsnGrRegister {
  TAVELKO_CLASS(TDsnDpRegister, TDsnGrRegister)

 public:
  using TDsnGrRegister::TDsnGrRegister;

 protected:
  std::unique_ptr<TMultiHandler> CreateHandler() override;
};

/// Registers the eight-handle grid-mark controller for reading streams.
void RegisterDsnSubDpClasses();
