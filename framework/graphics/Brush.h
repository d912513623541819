/// @file
/// TBrush: colour and pattern with which a canvas fills areas.
#pragma once

#include <windows.h>

#include <cstdint>

#include "framework/graphics/Color.h"
#include "framework/graphics/GraphicsObject.h"

/// Fill pattern of a brush: solid, none (bsClear: areas are left as they are) or a hatch of lines in
/// the brush's colour (the HS_ hatch styles; a canvas leaves the gaps between them as they are).
enum TBrushStyle : std::uint8_t {
  bsSolid, bsClear, bsHorizontal, bsVertical, bsFDiagonal, bsBDiagonal, bsCross, bsDiagCross,
};

/// The type data of TBrushStyle, for publishing and streaming properties by the value names.
const TTypeInfo& TypeInfoOf(TypeTag<TBrushStyle>);

/// How a canvas fills areas: rectangles, ellipses, the background of text. Published as "Color" and
/// "Style"; white and solid by default.
class TBrush : public TGraphicsObject {
  TAVELKO_CLASS(TBrush, TGraphicsObject)
  static void Publish(TPublisher<TBrush>& p);

 public:
  TBrush() = default;
  void Assign(TPersistent* source) override;

  /// Fill colour (system colours are resolved when the GDI brush is made); the colour of the lines
  /// for a hatch style.
  ///@{
  TColor Color() const { return color_; }
  void SetColor(TColor color);
  ///@}
  /// Fill pattern.
  ///@{
  TBrushStyle Style() const { return style_; }
  void SetStyle(TBrushStyle style);
  ///@}

  /// The brush made from Color and Style on first use, owned by this object (valid until the next
  /// change of Color or Style or the brush's destruction); for bsClear the stock hollow brush.
  HBRUSH Handle();
  /// The GDI brush shared with whoever keeps the pointer (a canvas that selected it), so that it
  /// outlives a later property change while still selected; null for bsClear.
  SharedGdiObject<HBRUSH> SharedHandle();

 private:
  TColor color_ = clWhite;
  TBrushStyle style_ = bsSolid;
  SharedGdiObject<HBRUSH> handle_;
};
