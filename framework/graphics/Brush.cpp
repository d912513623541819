// TBrush: the GDI brush of a canvas, made from its properties on first use.
#include "framework/graphics/Brush.h"

const TTypeInfo& TypeInfoOf(TypeTag<TBrushStyle>) {
  static const TTypeInfo info = MakeEnumType(
      "TBrushStyle", {"bsSolid", "bsClear", "bsHorizontal", "bsVertical", "bsFDiagonal", "bsBDiagonal", "bsCross",
                      "bsDiagCross"});
  return info;
}

void TBrush::Publish(TPublisher<TBrush>& p) {
  p.Prop("Color", &TBrush::Color, &TBrush::SetColor).Type(ColorTypeInfo()).Default(clWhite);
  p.Prop("Style", &TBrush::Style, &TBrush::SetStyle).Default(bsSolid);
}

void TBrush::SetColor(TColor color) {
  if (color_ == color) return;
  color_ = color;
  handle_.reset();
  Changed();
}

void TBrush::SetStyle(TBrushStyle style) {
  if (style_ == style) return;
  style_ = style;
  handle_.reset();
  Changed();
}

void TBrush::Assign(TPersistent* source) {
  auto* brush = dynamic_cast<TBrush*>(source);
  if (!brush) return TGraphicsObject::Assign(source);
  if (color_ == brush->color_ && style_ == brush->style_) return;
  color_ = brush->color_;
  style_ = brush->style_;
  handle_.reset();
  Changed();
}

HBRUSH TBrush::Handle() {
  if (style_ == bsClear) return static_cast<HBRUSH>(::GetStockObject(NULL_BRUSH));
  return SharedHandle()->Get();
}

SharedGdiObject<HBRUSH> TBrush::SharedHandle() {
  if (!handle_ && style_ != bsClear) {
    static constexpr int kHatches[] = {0,           0,        HS_HORIZONTAL, HS_VERTICAL, HS_FDIAGONAL,
                                       HS_BDIAGONAL, HS_CROSS, HS_DIAGCROSS};
    const COLORREF color = ColorToColorRef(color_);
    HBRUSH brush = style_ == bsSolid ? ::CreateSolidBrush(color) : ::CreateHatchBrush(kHatches[style_], color);
    handle_ = MakeSharedGdiObject(brush);
  }
  return handle_;
}
