// TShape: painting the figure with the shape's pen and brush.
#include "framework/stdctrls/Shape.h"

#include <algorithm>

#include "framework/graphics/GdiHandles.h"
#include "framework/stdctrls/PublishGroups.h"

const TTypeInfo& TypeInfoOf(TypeTag<TShapeType>) {
  static const TTypeInfo info =
      MakeEnumType("TShapeType", {"stRectangle", "stSquare", "stRoundRect", "stRoundSquare", "stEllipse", "stCircle"});
  return info;
}

void TShape::Publish(TPublisher<TShape>& p) {
  publish_groups::Placement(p);
  p.Prop("Brush", &TShape::Brush, &TShape::SetBrush);
  p.Prop("DragMode", &TShape::DragMode, &TShape::SetDragMode).Default(dmManual);
  publish_groups::Hints(p);
  p.Prop("Enabled", &TShape::Enabled, &TShape::SetEnabled).Default(true);
  p.Prop("Pen", &TShape::Pen, &TShape::SetPen);
  p.Prop("Shape", &TShape::Shape, &TShape::SetShape).Default(stRectangle);
  p.Prop("Visible", &TShape::Visible, &TShape::SetVisible).Default(true);
  p.Prop("OnMouseDown", &TShape::OnMouseDown);
  p.Prop("OnMouseMove", &TShape::OnMouseMove);
  p.Prop("OnMouseUp", &TShape::OnMouseUp);
}

TShape::TShape(TComponent* owner)
    : TGraphicControl(owner), pen_(std::make_unique<TPen>()), brush_(std::make_unique<TBrush>()) {
  TControlStyle style = ControlStyle();
  style += csReplicatable;
  SetControlStyle(style);
  SetBounds(0, 0, 65, 65);
  pen_->SetOnChange(TNotifyEvent(this, &TShape::StyleChanged));
  brush_->SetOnChange(TNotifyEvent(this, &TShape::StyleChanged));
}

void TShape::SetShape(TShapeType value) {
  if (shape_ == value) return;
  shape_ = value;
  Invalidate();
}

void TShape::StyleChanged(TObject*) { Invalidate(); }

int TShape::DevicePenWidth(int scale) const {
  if (pen_->Style() == psClear) return 0;
  // GDI draws only solid pens wider than a pixel.
  const bool widens = pen_->Style() == psSolid || pen_->Style() == psInsideFrame;
  return widens ? std::max(pen_->Width(), 1) * scale : std::max(pen_->Width(), 1);
}

TRect TShape::FigureRect(int scale) {
  // A wide pen is centred on the outline, so the outline runs half a pen inside the control.
  // Without a pen GDI fills one pixel short of the right and bottom edges: the figure reaches one
  // further so the fill covers the whole control.
  const int penWidth = DevicePenWidth(scale);
  const int inset = penWidth / 2;
  int width = Width() * scale - penWidth + 1;
  int height = Height() * scale - penWidth + 1;
  int left = inset;
  int top = inset;
  if (shape_ == stSquare || shape_ == stRoundSquare || shape_ == stCircle) {
    const int side = std::min(width, height);
    left += (width - side) / 2;
    top += (height - side) / 2;
    width = height = side;
  }
  return Bounds(left, top, width, height);
}

void TShape::Paint() {
  TCanvas& canvas = *Canvas();
  // Painted into a magnified DC (a comic saved larger than the screen), the figure is laid out in
  // device pixels with a pen as many times wider: a thin pen magnified around the outline would
  // lose the half of it outside the control.
  const int scale = gdi::DrawingScale(canvas.Handle());
  const gdi::DeviceDrawing devicePixels(canvas.Handle());
  canvas.SetPen(pen_.get());
  if (scale > 1) canvas.Pen()->SetWidth(DevicePenWidth(scale));
  canvas.SetBrush(brush_.get());
  const TRect r = FigureRect(scale);
  switch (shape_) {
    case stRectangle:
    case stSquare:
      canvas.Rectangle(r);
      break;
    case stRoundRect:
    case stRoundSquare:
      canvas.RoundRect(r.Left, r.Top, r.Right, r.Bottom, std::min(r.Width(), r.Height()) / 4,
                       std::min(r.Width(), r.Height()) / 4);
      break;
    case stEllipse:
    case stCircle:
      canvas.Ellipse(r);
      break;
  }
}
