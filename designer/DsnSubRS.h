/// @file
/// The proportional-resize controller: a selected control has one lower-right handle, active even
/// in a multiple selection, and resizing one selected control scales every other one in proportion.
#pragma once

#include "designer/DsnSubMl.h"

// One lower-right handle that stays black and active however many controls are selected.
class THandlerRSRect : public THandlerRect {
  TAVELKO_CLASS(THandlerRSRect, THandlerRect)

 public:
  void CreateSmallRect() override;

 protected:
  using THandlerRect::THandlerRect;
};

class TMultiRSHandler : public TMultiHandler {
  TAVELKO_CLASS(TMultiRSHandler, TMultiHandler)

 public:
  std::unique_ptr<THandlerRect> CreateHandlerRect(TControl* control) override;
};

/// One axis of a resize: where the resized control began and how long it was, before and after.
struct TResizedSpan {
  int OldStart, OldSize, NewStart, NewSize;
};

/// A target's start and size on one axis after the resized control's change on that axis.
struct TScaledSpan {
  int Start, Size;
  bool Scaled;  ///< false when the resized control had no size on this axis: the target keeps it
};
TScaledSpan ScaleSpan(const TResizedSpan& resized, int start, int size);

class TDsnRSRegister : public TDsnMlRegister {
  TAVELKO_CLASS(TDsnRSRegister, TDsnMlRegister)

 public:
  using TDsnMlRegister::TDsnMlRegister;

  /// Scales every other selected control as `control` was scaled, snapped to the grid; the
  /// handles follow.
  void Resized(TControl* control, TResizeMessage& message) override;

 protected:
  std::unique_ptr<TMultiHandler> CreateHandler() override;
};

/// Registers the proportional-resize controller for reading streams.
void RegisterDsnSubRSClasses();
