// The gesture under way and what it shows.
#include "designer/DsnGestureState.h"

#include <utility>

TMultiShape* TDsnGestureState::TakeShape(std::unique_ptr<TMultiShape> shape, TColor penColor, int penWidth) {
  DropShape();
  shape_ = std::move(shape);
  shape_->SetPenColor(penColor);
  shape_->SetPenWidth(penWidth);
  return shape_.get();
}

void TDsnGestureState::DropShape() {
  guides_.reset();
  if (!shape_) return;
  shape_->DrowUp();
  shape_.reset();
}

void TDsnGestureState::ShowSnapLines(const std::vector<TSnapLine>& lines) {
  if (!guides_) guides_ = std::make_unique<TSnapGuides>();
  guides_->Show(lines);
}
