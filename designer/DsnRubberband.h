/// @file
/// TRubberband: the stage's drag settings, the pen of drag outlines and the grid of moves.
#pragma once

#include "framework/core/Persistent.h"
#include "framework/graphics/Color.h"

/// The drag settings a stage stores (TDsnStage::Rubberband) and its controller copies: the pen of
/// the outlines drawn while dragging and the grid, in pixels, that moves, creations and grab
/// handles snap to. Changing them has no effect on a controller that already took them.
class TRubberband : public TPersistent {
  TAVELKO_CLASS(TRubberband, TPersistent)
  static void Publish(TPublisher<TRubberband>& p);

 public:
  /// `owner` (not owned, may be null) is what GetOwner reports: the stage for a stage's settings.
  explicit TRubberband(TPersistent* owner = nullptr) : owner_(owner) {}
  /// Copies another TRubberband's settings; other sources as TPersistent::Assign handles them.
  void Assign(TPersistent* source) override;
  TPersistent* GetOwner() override { return owner_; }

  /// The colour of the outlines' pen (drawn exclusive-or); gray by default.
  ///@{
  TColor Color() const { return color_; }
  void SetColor(TColor value) { color_ = value; }
  ///@}
  /// The width of the outlines' pen in pixels; 2 by default.
  ///@{
  int PenWidth() const { return penWidth_; }
  void SetPenWidth(int value) { penWidth_ = value; }
  ///@}
  /// The grid of moves, creations and handle steps, in pixels, 8 by default; 0 or less: no grid on
  /// that axis.
  ///@{
  int MoveWidth() const { return moveWidth_; }
  void SetMoveWidth(int value) { moveWidth_ = value; }
  int MoveHeight() const { return moveHeight_; }
  void SetMoveHeight(int value) { moveHeight_ = value; }
  ///@}

 private:
  TPersistent* owner_;  ///< not owned
  TColor color_ = clGray;
  int penWidth_ = 2;
  int moveWidth_ = 8;
  int moveHeight_ = 8;
};
