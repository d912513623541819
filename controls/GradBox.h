/// @file
/// TGradBox: a windowless box filled with a two-colour gradient of 256 bands, with an optional
/// one-pixel outline and a word-wrapped caption drawn flat, embossed, shadowed or extruded.
#pragma once

#include <array>
#include <cstdint>

#include "framework/windows/CustomControl.h"

enum TGradStyle : std::uint8_t { gsTopBottom, gsBottomTop, gsLeftRight, gsRightLeft, gsNone };
enum TFontStyle3D : std::uint8_t { fsLowShadow, fsRaiseShadow, fsLow3D, fsRaise3D };

const TTypeInfo& TypeInfoOf(TypeTag<TGradStyle>);
const TTypeInfo& TypeInfoOf(TypeTag<TFontStyle3D>);

/// Entry 0 is the start colour, entry 255 the end colour, both as given (a system colour code
/// stays a code); entries 1-254 are plain RGB values.
using TColArray = std::array<TColor, 256>;

struct TRGBChannels {
  std::uint8_t R = 0;
  std::uint8_t G = 0;
  std::uint8_t B = 0;
  bool operator==(const TRGBChannels&) const = default;
};

/// How the caption is drawn: the box's effect properties as one value.
struct TCaptionEffect {
  bool Enabled = true;
  bool Font3D = false;
  TFontStyle3D Style3D = fsRaise3D;
  std::uint8_t Depth = 1;
  TColor BackFont = clYellow;
};

/// The box's drawing steps on any canvas, in the box's own coordinates.
namespace gradbox {

/// System colour codes 0-24 become their current RGB value; every other value is split as it is.
TRGBChannels GetRGB(TColor color);
/// Fills the table by repeated subtraction in 80-bit extended precision; gsNone leaves it as it is.
void SetColarray(TColArray& colors, TColor topColor, TColor lastColor, TGradStyle style);
/// Row (or column) at which band `index` starts for a box `extent` pixels high (or wide).
int BandStart(int index, int extent);
/// The 256 bands, later ones over earlier ones; nothing for gsNone.
void PaintBands(TCanvas& canvas, const TColArray& colors, TGradStyle style, int width, int height);
/// The caption, wrapped at rect's right edge, in `font` with `effect`. Leaves the brush clear.
void DrawCaptionText(TCanvas& canvas, const String& caption, TFont* font, const TRect& rect,
                     const TCaptionEffect& effect);

}  // namespace gradbox

class TGradBox : public TGraphicControl {
  TAVELKO_CLASS(TGradBox, TGraphicControl)
  static void Publish(TPublisher<TGradBox>& p);

 public:
  explicit TGradBox(TComponent* owner);

  int CaptionLeft() const { return captionLeft_; }
  void SetCaptionLeft(int value);
  int CaptionTop() const { return captionTop_; }
  void SetCaptionTop(int value);
  TColor TopColor() const { return topColor_; }
  void SetTopColor(TColor value);
  TColor LastColor() const { return lastColor_; }
  void SetLastColor(TColor value);
  TColor OutLineColor() const { return outLineColor_; }
  void SetOutLineColor(TColor value);
  bool DrawOutLine() const { return drawOutLine_; }
  void SetDrawOutLine(bool value);
  TGradStyle GradStyle() const { return gradStyle_; }
  void SetGradStyle(TGradStyle value);
  bool Font3D() const { return font3D_; }
  void SetFont3D(bool value);
  std::uint8_t FontDepth() const { return fontDepth_; }
  void SetFontDepth(std::uint8_t value);
  TFontStyle3D Style3D() const { return style3D_; }
  void SetStyle3D(TFontStyle3D value);
  TColor BackFont() const { return backFont_; }
  void SetBackFont(TColor value);

  /// The colour table of the last paint.
  const TColArray& ColArray() const { return colArray_; }
  void SetColarray(TColor topColor, TColor lastColor, TGradStyle style);
  /// Draws the whole box on `canvas` as Paint does on the box's own canvas.
  void PaintTo(TCanvas& canvas);
  void DrawCaptionText(TCanvas& canvas, const TRect& rect);

  TNotifyEvent OnPaint;

 protected:
  void Paint() override;
  void CMTextChanged(TMessage& message) override;

 private:
  /// Stores a differing value; repaints when `repaint` holds.
  template <class T>
  void Change(T& field, T value, bool repaint = true);

  int captionLeft_ = 10;
  int captionTop_ = 10;
  TColor topColor_ = clGreen;
  TColor lastColor_ = clLime;
  TColor outLineColor_ = clBlack;
  bool drawOutLine_ = false;
  TGradStyle gradStyle_ = gsTopBottom;
  bool font3D_ = false;
  std::uint8_t fontDepth_ = 1;
  TFontStyle3D style3D_ = fsRaise3D;
  TColor backFont_ = clYellow;
  TColArray colArray_{};
};

/// Lets the component stream create TGradBox by its class name.
void RegisterGradBoxClasses();
