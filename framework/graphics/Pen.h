/// @file
/// TPen: colour, width, style and raster mode of the lines a canvas draws.
#pragma once

#include <windows.h>

#include <cstdint>

#include "framework/graphics/Color.h"
#include "framework/graphics/GraphicsObject.h"

enum TPenStyle : std::uint8_t { psSolid, psDash, psDot, psDashDot, psDashDotDot, psClear, psInsideFrame };

/// How the pen's colour combines with the pixels beneath (the R2_ raster operations).
enum TPenMode : std::uint8_t {
  pmBlack, pmWhite, pmNop, pmNot, pmCopy, pmNotCopy, pmMergePenNot, pmMaskPenNot,
  pmMergeNotPen, pmMaskNotPen, pmMerge, pmNotMerge, pmMask, pmNotMask, pmXor, pmNotXor,
};

const TTypeInfo& TypeInfoOf(TypeTag<TPenStyle>);
const TTypeInfo& TypeInfoOf(TypeTag<TPenMode>);

class TPen : public TGraphicsObject {
  TAVELKO_CLASS(TPen, TGraphicsObject)
  static void Publish(TPublisher<TPen>& p);

 public:
  TPen() = default;
  void Assign(TPersistent* source) override;

  TColor Color() const { return color_; }
  void SetColor(TColor color);
  int Width() const { return width_; }
  void SetWidth(int width);
  TPenStyle Style() const { return style_; }
  void SetStyle(TPenStyle style);
  TPenMode Mode() const { return mode_; }
  void SetMode(TPenMode mode);

  /// The pen made from Color, Width and Style, created on first use; this object owns it.
  HPEN Handle() { return SharedHandle()->Get(); }
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
