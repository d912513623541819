/// @file
/// TShape: a rectangle, rounded rectangle or ellipse (or their square and circular forms) drawn with
/// its own pen and brush.
#pragma once

#include <cstdint>
#include <memory>

#include "framework/windows/CustomControl.h"

/// The figure of a TShape; the square forms take the shorter side of the control and are centred
/// in it, and rounded corners have a quarter of that side.
enum TShapeType : std::uint8_t { stRectangle, stSquare, stRoundRect, stRoundSquare, stEllipse, stCircle };

/// Type data of TShapeType, for the published Shape.
const TTypeInfo& TypeInfoOf(TypeTag<TShapeType>);

/// A windowless control that draws a figure filling its bounds: the outline in its Pen, the inside
/// in its Brush. A wide pen stays inside the control.
class TShape : public TGraphicControl {
  TAVELKO_CLASS(TShape, TGraphicControl)
  static void Publish(TPublisher<TShape>& p);

 public:
  /// The shape belongs to `owner`, as any component; it is a 65 x 65 rectangle in the default pen
  /// and brush.
  explicit TShape(TComponent* owner);

  /// The figure drawn.
  ///@{
  TShapeType Shape() const { return shape_; }
  void SetShape(TShapeType value);
  ///@}
  /// The outline's pen and the fill's brush. Owned and never null; the setters copy. Any change
  /// repaints the shape.
  ///@{
  TPen* Pen() const { return pen_.get(); }
  void SetPen(TPen* value) { pen_->Assign(value); }
  TBrush* Brush() const { return brush_.get(); }
  void SetBrush(TBrush* value) { brush_->Assign(value); }
  ///@}

  /// The figure's rectangle in client coordinates (square forms centred); at a scale, in pixels of
  /// a device that many times larger, for a pen that many times wider.
  TRect FigureRect(int scale = 1);

 protected:
  void Paint() override;

 private:
  void StyleChanged(TObject* sender);
  /// The pen's width in pixels of a device `scale` times larger; 0 without a pen.
  int DevicePenWidth(int scale) const;

  TShapeType shape_ = stRectangle;
  std::unique_ptr<TPen> pen_;
  std::unique_ptr<TBrush> brush_;
};
