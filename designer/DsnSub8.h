/// @file
/// The eight-handle set: the corner handles plus the four edge-middle handles (Naka middle; ue
/// upper, shita lower, migi right, hidari left), the selection receiver that makes such sets, and
/// the multi-select controller that uses them.
#pragma once

#include "designer/DsnSubMl.h"
#include "designer/Dsnhandle.h"

/// The four edge-middle handles: top, bottom, right and left middle. Each moves its own edge only.
///@{
using TNakaueRect = TPlacedRect<"TNakaueRect", THandleColumn::Middle, THandleRow::Top>;
using TNakashitaRect = TPlacedRect<"TNakashitaRect", THandleColumn::Middle, THandleRow::Bottom>;
using TNakamigiRect = TPlacedRect<"TNakamigiRect", THandleColumn::Right, THandleRow::Middle>;
using TNakahidariRect = TPlacedRect<"TNakahidariRect", THandleColumn::Left, THandleRow::Middle>;
///@}

/// The four corner handles, then top, bottom, right and left middle.
class THandler8Rect : public THandlerRect {
  TAVELKO_CLASS(THandler8Rect, THandlerRect)

 public:
  void CreateSmallRect() override;

 protected:
  /// Sets are made by THandlerRect::Create, which adds the handles.
  using THandlerRect::THandlerRect;
};

/// The handle sets of the selection, each with eight handles (THandler8Rect).
class TMulti8Handler : public TMultiHandler {
  TAVELKO_CLASS(TMulti8Handler, TMultiHandler)

 public:
  /// A THandler8Rect with this handler's size, steps, colours and snapping.
  std::unique_ptr<THandlerRect> CreateHandlerRect(TControl* control) override;
};

/// The multi-select controller whose selected controls have eight handles.
class TDsn8Register : public TDsnMlRegister {
  TAVELKO_CLASS(TDsn8Register, TDsnMlRegister)

 public:
  using TDsnMlRegister::TDsnMlRegister;

 protected:
  /// A TMulti8Handler.
  std::unique_ptr<TMultiHandler> CreateHandler() override;
};

/// Registers the eight-handle controller for reading streams.
void RegisterDsnSub8Classes();
