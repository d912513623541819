/// @file
/// The eight-handle set: the corner handles plus the four edge-middle handles (Naka middle; ue
/// upper, shita lower, migi right, hidari left), the selection receiver that makes such sets, and
/// the multi-select controller that uses them.
#pragma once

#include "designer/DsnSubMl.h"
#include "designer/Dsnhandle.h"

using TNakaueRect = TPlacedRect<"TNakaueRect", THandleColumn::Middle, THandleRow::Top>;
using TNakashitaRect = TPlacedRect<"TNakashitaRect", THandleColumn::Middle, THandleRow::Bottom>;
using TNakamigiRect = TPlacedRect<"TNakamigiRect", THandleColumn::Right, THandleRow::Middle>;
using TNakahidariRect = TPlacedRect<"TNakahidariRect", THandleColumn::Left, THandleRow::Middle>;

/// The four corner handles, then top, bottom, right and left middle.
class THandler8Rect : public THandlerRect {
  TAVELKO_CLASS(THandler8Rect, THandlerRect)

 public:
  void CreateSmallRect() override;

 protected:
  using THandlerRect::THandlerRect;
};

class TMulti8Handler : public TMultiHandler {
  TAVELKO_CLASS(TMulti8Handler, TMultiHandler)

 public:
  std::unique_ptr<THandlerRect> CreateHandlerRect(TControl* control) override;
};

class TDsn8Register : public TDsnMlRegister {
  TAVELKO_CLASS(TDsn8Register, TDsnMlRegister)

 public:
  using TDsnMlRegister::TDsnMlRegister;

 protected:
  std::unique_ptr<TMultiHandler> CreateHandler() override;
};

/// Registers the eight-handle controller for reading streams.
void RegisterDsnSub8Classes();
