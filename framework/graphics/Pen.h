/// @file
/// TPen: colour, width, style and raster mode of the lines a canvas draws.
#pragma once

#include <windows.h>

#include <cstdint>

#include "framework/graphics/Color.h"
#include "framework/graphics/GraphicsObject.h"

/// Dash pattern of a pen (the PS_ styles); psClear draws nothing, psInsideFrame keeps wide lines of
/// a closed figure inside its rectangle.
enum TPenStyle : std::uint8_t { psSolid, psDash, psDot, psDashDot, psDashDotDot, psClear, psInsideFrame };

/// How the pen's colour combines with the pixels beneath (the R2_ raster operations).
enum TPenMode : std::uint8_t {
  pmBlack, pmWhite, pmNop, pmNot, pmCopy, pmNotCopy, pmMergePenNot, pmMaskPenNot,
  pmMergeNotPen, pmMaskNotPen, pmMerge, pmNotMerge, pmMask, pmNotMask, pmXor, pmNotXor,
};

/// The type data of the pen's enumerations, for publishing and streaming properties by the value
/// names.
///@{
const TTypeInfo& TypeInfoOf(TypeTag<TPenStyle>);
const TTypeInfo& TypeInfoOf(TypeTag<TPenMode>);
///@}

/// How a canvas draws lines and the outlines of figures. Published as "Color", "Mode", "Style" and
/// "Width"; a black, solid, one-pixel pen in pmCopy mode by default.
class TPen : public TGraphicsObject {
  TAVELKO_CLASS(TPen, TGraphicsObject)
  static void Publish(TPublisher<TPen>& p);

 public:
  TPen() = default;
  void Assign(TPersistent* source) override;

  /// Line colour; system colours are resolved when the GDI pen is made.
  ///@{
  TColor Color() const { return color_; }
  void SetColor(TColor color);
  ///@}
  /// Line width in logical units (pixels on a plain canvas); 0 draws one pixel wide.
  ///@{
  int Width() const { return width_; }
  void SetWidth(int width);
  ///@}
  /// Dash pattern.
  ///@{
  TPenStyle Style() const { return style_; }
  void SetStyle(TPenStyle style);
  ///@}
  /// How the line combines with what lies beneath; changing it keeps the GDI pen.
  ///@{
  TPenMode Mode() const { return mode_; }
  void SetMode(TPenMode mode);
  ///@}

  /// The pen made from Color, Width and Style, created on first use; this object owns it (valid
  /// until the next change of those properties or the pen's destruction).
  HPEN Handle() { return SharedHandle()->Get(); }
  /// The same GDI pen, shared with whoever keeps the pointer (a canvas that selected it).
  SharedGdiObject<HPEN> SharedHandle();
  /// The R2_ code of Mode, for SetROP2 (the mode is a property of the DC, not of the GDI pen).
  int Rop2() const;

 private:
  template <class T>
  void Update(T& field, T value);

  TColor color_ = clBlack;
  int width_ = 1;
  TPenStyle style_ = psSolid;
  TPenMode mode_ = pmCopy;
  SharedGdiObject<HPEN> handle_;
};
