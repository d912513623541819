/// @file
/// The proportional-resize controller: a selected control has one lower-right handle, active even
/// in a multiple selection, and resizing one selected control scales every other one in proportion.
#pragma once

#include "designer/DsnSubMl.h"

/// One lower-right handle that stays active, in the single colour (black by default), however
/// many controls are selected.
class THandlerRSRect : public THandlerRect {
  TAVELKO_CLASS(THandlerRSRect, THandlerRect)

 public:
  void CreateSmallRect() override;

 protected:
  /// Sets are made by THandlerRect::Create, which adds the handle.
  using THandlerRect::THandlerRect;
};

/// The handle sets of the selection, each with the one lower-right handle (THandlerRSRect).
class TMultiRSHandler : public TMultiHandler {
  TAVELKO_CLASS(TMultiRSHandler, TMultiHandler)

 public:
  /// A THandlerRSRect with this handler's size, steps, colours and snapping.
  std::unique_ptr<THandlerRect> CreateHandlerRect(TControl* control) override;
};

/// One axis of a resize: where the resized control began and how long it was, before and after,
/// in pixels of its parent's client coordinates.
struct TResizedSpan {
  /// Start and size before the resize, then after it.
  ///@{
  int OldStart, OldSize, NewStart, NewSize;
  ///@}
};

/// A target's start and size on one axis after the resized control's change on that axis.
struct TScaledSpan {
  /// The target's new start and size, in the same coordinates as its old ones.
  ///@{
  int Start, Size;
  ///@}
  bool Scaled;  ///< false when the resized control had no size on this axis: the target keeps it
};
/// Scales the span (`start`, `size`) of another selected control as `resized` changed: the size
/// by the ratio of the new size to the old, rounded to the nearest pixel (halves to even), not
/// snapped. While the resized control's start stayed, the target keeps its start. When it moved
/// (the leading edge was dragged, or the control flipped across the edge that stayed), the target
/// keeps its far edge instead; and when the resized control now lies wholly beyond its old far
/// edge, or wholly before its old start, the target likewise starts at its old far edge, or ends
/// at its old start. With no old size there is no ratio: the span comes back unchanged, with
/// Scaled false.
TScaledSpan ScaleSpan(const TResizedSpan& resized, int start, int size);

/// The proportional-resize controller: the multi-select controller whose resize of one selected
/// control scales the others.
class TDsnRSRegister : public TDsnMlRegister {
  TAVELKO_CLASS(TDsnRSRegister, TDsnMlRegister)

 public:
  using TDsnMlRegister::TDsnMlRegister;

  /// Scales every other selected control as `control` was scaled, snapped to the grid; the
  /// handles follow.
  void Resized(TControl* control, TResizeMessage& message) override;

 protected:
  /// A TMultiRSHandler.
  std::unique_ptr<TMultiHandler> CreateHandler() override;
};

/// Registers the proportional-resize controller for reading streams.
void RegisterDsnSubRSClasses();
