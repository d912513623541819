// TPen: the GDI pen of a canvas, made from its properties on first use.
#include "framework/graphics/Pen.h"

const TTypeInfo& TypeInfoOf(TypeTag<TPenStyle>) {
  static const TTypeInfo info = MakeEnumType(
      "TPenStyle", {"psSolid", "psDash", "psDot", "psDashDot", "psDashDotDot", "psClear", "psInsideFrame"});
  return info;
}

const TTypeInfo& TypeInfoOf(TypeTag<TPenMode>) {
  static const TTypeInfo info = MakeEnumType(
      "TPenMode", {"pmBlack", "pmWhite", "pmNop", "pmNot", "pmCopy", "pmNotCopy", "pmMergePenNot", "pmMaskPenNot",
                   "pmMergeNotPen", "pmMaskNotPen", "pmMerge", "pmNotMerge", "pmMask", "pmNotMask", "pmXor",
                   "pmNotXor"});
  return info;
}

void TPen::Publish(TPublisher<TPen>& p) {
  p.Prop("Color", &TPen::Color, &TPen::SetColor).Type(ColorTypeInfo()).Default(clBlack);
  p.Prop("Mode", &TPen::Mode, &TPen::SetMode).Default(pmCopy);
  p.Prop("Style", &TPen::Style, &TPen::SetStyle).Default(psSolid);
  p.Prop("Width", &TPen::Width, &TPen::SetWidth).Default(1);
}

template <class T>
void TPen::Update(T& field, T value) {
  if (field == value) return;
  field = value;
  handle_.reset();
  Changed();
}

void TPen::SetColor(TColor color) { Update(color_, color); }
void TPen::SetWidth(int width) { Update(width_, width); }
void TPen::SetStyle(TPenStyle style) { Update(style_, style); }

void TPen::SetMode(TPenMode mode) {
  if (mode_ == mode) return;
  mode_ = mode;  // the GDI pen itself stays as it is
  Changed();
}

void TPen::Assign(TPersistent* source) {
  auto* pen = dynamic_cast<TPen*>(source);
  if (!pen) return TGraphicsObject::Assign(source);
  if (color_ == pen->color_ && width_ == pen->width_ && style_ == pen->style_ && mode_ == pen->mode_) return;
  color_ = pen->color_;
  width_ = pen->width_;
  style_ = pen->style_;
  mode_ = pen->mode_;
  handle_.reset();
  Changed();
}

SharedGdiObject<HPEN> TPen::SharedHandle() {
  if (!handle_) {
    static constexpr int kStyles[] = {PS_SOLID, PS_DASH, PS_DOT, PS_DASHDOT, PS_DASHDOTDOT, PS_NULL, PS_INSIDEFRAME};
    handle_ = MakeSharedGdiObject(::CreatePen(kStyles[style_], width_, ColorToColorRef(color_)));
  }
  return handle_;
}

int TPen::Rop2() const {
  static constexpr int kRops[] = {R2_BLACK,      R2_WHITE,       R2_NOP,        R2_NOT,
                                  R2_COPYPEN,    R2_NOTCOPYPEN,  R2_MERGEPENNOT, R2_MASKPENNOT,
                                  R2_MERGENOTPEN, R2_MASKNOTPEN, R2_MERGEPEN,   R2_NOTMERGEPEN,
                                  R2_MASKPEN,    R2_NOTMASKPEN,  R2_XORPEN,     R2_NOTXORPEN};
  return kRops[mode_];
}
