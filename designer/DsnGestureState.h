/// @file
/// TDsnGestureState: the mouse gesture a controller is in, and what it draws while it lasts.
#pragma once

#include <functional>
#include <memory>
#include <vector>

#include "designer/DsnShape.h"
#include "designer/DsnSnap.h"
#include "framework/core/ComponentLink.h"
#include "framework/windows/WinControl.h"

/// The mouse gesture a controller is in, decided by the left press that began it.
enum class TDsnGesture {
  Idle,           ///< no left-button gesture under way
  Moving,         ///< selecting, and dragging the selection's outlines
  Creating,       ///< drawing the rectangle of a new control from the palette's template
  AreaSelecting,  ///< drawing an area whose controls become the selection
};

/// The gesture under way: its kind, the control it draws on, its snapped start point, the
/// component a creation made, and the outlines and snap lines on the screen. Part of
/// TDsnRegister's implementation (variants reach it through the controller); not for use on its
/// own.
class TDsnGestureState {
 public:
  /// `onParentGone` runs when the drawing parent is destroyed in the middle of a gesture.
  explicit TDsnGestureState(std::function<void()> onParentGone) : drawParent_(std::move(onParentGone)) {}

  /// The kind of the gesture; Idle between gestures.
  ///@{
  TDsnGesture Kind() const { return kind_; }
  void SetKind(TDsnGesture value) { kind_ = value; }
  ///@}
  /// Erases what the gesture drew and ends it.
  void End() {
    DropShape();
    kind_ = TDsnGesture::Idle;
  }

  /// The control the gesture draws on; not owned. When it is destroyed it is cleared and
  /// `onParentGone` runs.
  ///@{
  TWinControl* DrawParent() const { return drawParent_; }
  void SetDrawParent(TWinControl* value) { drawParent_.Set(value); }
  ///@}
  /// The snapped start point, in DrawParent's client coordinates.
  ///@{
  const TPoint& Start() const { return start_; }
  void SetStart(const TPoint& value) { start_ = value; }
  ///@}
  /// The component a creation made; not owned, cleared when it goes.
  ///@{
  TComponent* NewComponent() const { return newComponent_; }
  void SetNewComponent(TComponent* value) { newComponent_.Set(value); }
  ///@}

  // ---- What is drawn ----
  /// The outlines on the screen; owned; null when none.
  TMultiShape* Shape() const { return shape_.get(); }
  /// Replaces the outline set (the old one is erased) and gives the new one the pen.
  TMultiShape* TakeShape(std::unique_ptr<TMultiShape> shape, TColor penColor, int penWidth);
  /// Erases and destroys the outline set, and the snap lines, if any.
  void DropShape();
  /// In screen coordinates; none while no drag snaps.
  void ShowSnapLines(const std::vector<TSnapLine>& lines);
  /// Erases the snap lines shown.
  void HideSnapLines() { guides_.reset(); }
  /// The snap lines on the screen now, in screen coordinates.
  std::vector<TSnapLine> SnapLinesShown() const { return guides_ ? guides_->Shown() : std::vector<TSnapLine>{}; }

 private:
  TDsnGesture kind_ = TDsnGesture::Idle;
  TComponentLink<TWinControl> drawParent_;
  TPoint start_;
  TComponentLink<TComponent> newComponent_;
  std::unique_ptr<TMultiShape> shape_;
  std::unique_ptr<TSnapGuides> guides_;
};
