/// @file
/// TBrush: colour and pattern with which a canvas fills areas.
#pragma once

#include <windows.h>

#include <cstdint>

#include "framework/graphics/Color.h"
#include "framework/graphics/GraphicsObject.h"

enum TBrushStyle : std::uint8_t {
  bsSolid, bsClear, bsHorizontal, bsVertical, bsFDiagonal, bsBDiagonal, bsCross, bsDiagCross,
};

const TTypeInfo& TypeInfoOf(TypeTag<TBrushStyle>);

class TBrush : public TGraphicsObject {
  TAVELKO_CLASS(TBrush, TGraphicsObject)
  static void Publish(TPublisher<TBrush>& p);

 public:
  TBrush() = default;
  void Assign(TPersistent* source) override;

  TColor Color() const { return color_; }
  void SetColor(TColor color);
  TBrushStyle Style() const { return style_; }
  void SetStyle(TBrushStyle style);

  /// The brush made from Color and Style on first use, owned by this object; for bsClear the
  /// stock hollow brush.
  HBRUSH Handle();
  /// Null for bsClear.
  SharedGdiObject<HBRUSH> SharedHandle();

 private:
  TColor color_ = clWhite;
  TBrushStyle style_ = bsSolid;
  SharedGdiObject<HBRUSH> handle_;
};
