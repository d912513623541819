/// @file
/// TRubberband: the stage's drag settings, the pen of drag outlines and the grid of moves.
#pragma once

#include "framework/core/Persistent.h"
#include "framework/graphics/Color.h"

class TRubberband : public TPersistent {
  TAVELKO_CLASS(TRubberband, TPersistent)
  static void Publish(TPublisher<TRubberband>& p);

 public:
  explicit TRubberband(TPersistent* owner = nullptr) : owner_(owner) {}
  void Assign(TPersistent* source) override;
  TPersistent* GetOwner() override { return owner_; }

  TColor Color() const { return color_; }
  void SetColor(TColor value) { color_ = value; }
  int PenWidth() const { return penWidth_; }
  void SetPenWidth(int value) { penWidth_ = value; }
  /// The grid of moves, creations and handle steps; 0 or less: no grid on that axis.
  int MoveWidth() const { return moveWidth_; }
  void SetMoveWidth(int value) { moveWidth_ = value; }
  int MoveHeight() const { return moveHeight_; }
  void SetMoveHeight(int value) { moveHeight_ = value; }

 private:
  TPersistent* owner_;  ///< not owned
  TColor color_ = clGray;
  int penWidth_ = 2;
  int moveWidth_ = 8;
  int moveHeight_ = 8;
};
