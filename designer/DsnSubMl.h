/// @file
/// The multi-select controller: Shift toggles a control in or out of the selection, and a drag
/// with Ctrl held, or one that starts on the empty stage, selects every control its area touches.
#pragma once

#include <memory>

#include "designer/DsnRegister.h"

/// The multi-select controller (see the file description); the base of the grid-mark,
/// eight-handle and proportional-resize controllers. An area selection draws a dotted outline
/// (CreateDotShape) and confines the pointer to the parent it is drawn on until the release.
class TDsnMlRegister : public TDsnRegister {
  TAVELKO_CLASS(TDsnMlRegister, TDsnRegister)

 public:
  /// A controller of the controls that `owner` owns, made as TDsnRegister makes one.
  using TDsnRegister::TDsnRegister;
  /// Erases an area outline still on the screen.
  ~TDsnMlRegister() override;

  /// Switching off mid-drag also erases the area outline.
  void SetDesigning(bool value) override;

  /// Ctrl, or a press on the empty stage, begins an area selection; otherwise as the base.
  void MouseDown(TWinControl* control, TComponent* component, TShiftState shift, const TPoint& point) override;
  /// During an area selection the move draws the area and the release selects
  /// (MouseMoveCtrlKey, MouseUpCtrlKey); a move without the left button abandons the area.
  /// Otherwise as the base.
  ///@{
  void MoseMove(TWinControl* control, const TPoint& point, TShiftState shift) override;
  void MoseUp(TWinControl* control, const TPoint& point, TShiftState shift) override;
  ///@}
  /// With Shift the control is toggled in or out of the selection and nothing is dragged.
  void MouseDownMove(TWinControl* control, TComponent* component, TShiftState shift, const TPoint& point) override;
  /// With Shift held nothing is dragged, and the release only refreshes the handles and the
  /// inspector.
  /// Otherwise as the base.
  ///@{
  void MouseMoveMove(TWinControl* control, const TPoint& point, TShiftState shift) override;
  void MouseUpMove(TWinControl* control, const TPoint& point, TShiftState shift) override;
  ///@}
  /// A right press on the empty stage keeps the selection (for the context menu).
  void RButtonDown(TWinControl* control, TControl* component, int x, int y) override;

  // ---- The area selection ----
  /// Starts the area at `point` (control's client coordinates), snapped to the move grid, on the
  /// drawing parent of `control`, and confines the pointer to that parent.
  virtual void MouseDownCtrlKey(TWinControl* control, TComponent* component, TShiftState shift, const TPoint& point);
  /// Draws the area from its start to `point`, snapped to the move grid.
  virtual void MouseMoveCtrlKey(TWinControl* control, const TPoint& point, TShiftState shift);
  /// Selects every child of DrawParent whose bounds overlap the area; an empty area clears.
  virtual void MouseUpCtrlKey(TWinControl* control, const TPoint& point, TShiftState shift);

  /// The dotted area outline while an area selection is under way, else null.
  TMultiShape* DotShape() const { return dotShape_.get(); }

 protected:
  /// The outline set of an area selection.
  virtual std::unique_ptr<TMultiShape> CreateDotShape();
  /// The area outline goes with the parent it was drawn on.
  void AbandonGesture() override;

 private:
  void ToggleSelection(TWinControl* control, TComponent* component);
  void DropDotShape();

  std::unique_ptr<TMultiShape> dotShape_;
};

/// Registers the multi-select controller for reading streams.
void RegisterDsnSubMlClasses();
