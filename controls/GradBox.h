/// @file
/// TGradBox: a windowless box filled with a two-colour gradient of 256 bands, with an optional
/// one-pixel outline and a word-wrapped caption drawn flat, embossed, shadowed or extruded.
#pragma once

#include <array>
#include <cstdint>

#include "framework/windows/CustomControl.h"

/// Direction of the gradient: from TopColor at the named start edge to LastColor at the other;
/// gsNone paints no background at all (the parent shows through).
enum TGradStyle : std::uint8_t { gsTopBottom, gsBottomTop, gsLeftRight, gsRightLeft, gsNone };
/// The 3D caption effect, drawn in BackFont behind the caption: one copy FontDepth pixels down and
/// right (fsLowShadow) or up and left (fsRaiseShadow), or a copy at every pixel up to that depth,
/// an extrusion, in the same directions (fsLow3D, fsRaise3D).
enum TFontStyle3D : std::uint8_t { fsLowShadow, fsRaiseShadow, fsLow3D, fsRaise3D };

/// The type data of the gradient box's enumerations, for publishing and streaming properties by the
/// value names.
///@{
const TTypeInfo& TypeInfoOf(TypeTag<TGradStyle>);
const TTypeInfo& TypeInfoOf(TypeTag<TFontStyle3D>);
///@}

/// Entry 0 is the start colour, entry 255 the end colour, both as given (a system colour code
/// stays a code); entries 1-254 are plain RGB values.
using TColArray = std::array<TColor, 256>;

/// A colour split into its red, green and blue channels, 0..255 each.
struct TRGBChannels {
  std::uint8_t R = 0;  ///< Red.
  std::uint8_t G = 0;  ///< Green.
  std::uint8_t B = 0;  ///< Blue.
  bool operator==(const TRGBChannels&) const = default;  ///< Equal when all channels are.
};

/// How the caption is drawn: the box's effect properties as one value.
struct TCaptionEffect {
  bool Enabled = true;  ///< false: drawn greyed (white one pixel down and right, grey on top), no 3D
  bool Font3D = false;  ///< whether the 3D effect is drawn
  TFontStyle3D Style3D = fsRaise3D;  ///< which 3D effect
  std::uint8_t Depth = 1;  ///< pixels the effect reaches
  TColor BackFont = clYellow;  ///< colour of the effect's copies
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

/// A windowless box filled with a two-colour gradient, with an optional outline and a word-wrapped
/// caption (in the control's Font) drawn flat, shadowed or extruded. In design mode the outline is
/// always drawn, dashed. Like every control, used only on the thread that runs the message loop.
class TGradBox : public TGraphicControl {
  TAVELKO_CLASS(TGradBox, TGraphicControl)
  static void Publish(TPublisher<TGradBox>& p);

 public:
  /// A 200 x 100 box, green to lime from top to bottom; `owner` (may be null) destroys it.
  explicit TGradBox(TComponent* owner);

  /// Top-left of the caption inside the box, in pixels (10, 10 at first). The caption wraps at the
  /// box's Left + Width and is cut at Top + Height: the box's outer edges in its parent's
  /// coordinates, not its size.
  ///@{
  int CaptionLeft() const { return captionLeft_; }
  void SetCaptionLeft(int value);
  int CaptionTop() const { return captionTop_; }
  void SetCaptionTop(int value);
  ///@}
  /// The gradient's start and end colours (clGreen and clLime at first); system colours allowed.
  ///@{
  TColor TopColor() const { return topColor_; }
  void SetTopColor(TColor value);
  TColor LastColor() const { return lastColor_; }
  void SetLastColor(TColor value);
  ///@}
  /// The one-pixel outline around the box and its colour (off, clBlack at first). On a magnified
  /// canvas the outline is one box pixel wide.
  ///@{
  TColor OutLineColor() const { return outLineColor_; }
  void SetOutLineColor(TColor value);
  bool DrawOutLine() const { return drawOutLine_; }
  void SetDrawOutLine(bool value);
  ///@}
  /// Direction of the gradient, or none (gsTopBottom at first).
  ///@{
  TGradStyle GradStyle() const { return gradStyle_; }
  void SetGradStyle(TGradStyle value);
  ///@}
  /// The caption's 3D effect: whether it is drawn, its reach in pixels, its kind and its colour
  /// (off, 1, fsRaise3D, clYellow at first).
  ///@{
  bool Font3D() const { return font3D_; }
  void SetFont3D(bool value);
  std::uint8_t FontDepth() const { return fontDepth_; }
  void SetFontDepth(std::uint8_t value);
  TFontStyle3D Style3D() const { return style3D_; }
  void SetStyle3D(TFontStyle3D value);
  TColor BackFont() const { return backFont_; }
  void SetBackFont(TColor value);
  ///@}

  /// The colour table of the last paint.
  const TColArray& ColArray() const { return colArray_; }
  /// Fills ColArray as gradbox::SetColarray does; the next paint fills it again from the properties.
  void SetColarray(TColor topColor, TColor lastColor, TGradStyle style);
  /// Draws the whole box on `canvas` as Paint does on the box's own canvas.
  void PaintTo(TCanvas& canvas);
  /// Draws the caption with the box's Font and effect, wrapped and clipped to `rect` (in the
  /// canvas's coordinates); a disabled box draws it greyed.
  void DrawCaptionText(TCanvas& canvas, const TRect& rect);

  /// Raised with the box as the sender after every paint on its own canvas, to draw more on it.
  TNotifyEvent OnPaint;

 protected:
  void Paint() override;
  /// Repaints after the inherited reaction: the caption is part of the box's picture.
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
