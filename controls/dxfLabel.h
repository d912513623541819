/// @file
/// TdxfLabel: a one-line caption turned by any angle about the control's centre, with a shadow or
/// extrusion behind it (Tdxf3DEffect), a flat, raised, lowered or outlined face and an optional
/// bitmap texture inside the letters. It paints into the shared DrawBmp and copies the result to
/// the screen, opaque or with its background colour keyed out.
#pragma once

#include <cstdint>
#include <memory>

#include "framework/graphics/Bitmap.h"
#include "framework/stdctrls/Label.h"

/// The face of the label's letters: dxfNormal flat in the font's colour; dxfRaised with a highlight
/// edge up and left (from 12 points also a shadow down and right); dxfLowered sunk, a highlight
/// edge down and right and the face a darker shade of the label's colour; dxfOutLine only the
/// letters' outline, PenWidth wide (TrueType fonts; others are drawn flat).
enum TdxfLabelStyle : std::uint8_t { dxfNormal, dxfRaised, dxfLowered, dxfOutLine };
/// The kind of the 3D effect behind the caption.
enum TdxfEffectStyle : std::uint8_t {
  dxfFun,      ///< extrusion fading into the background
  dxfExtrude,  ///< extrusion in one colour
  dxfCool,     ///< one shadow copy
};
/// The direction in which the 3D effect reaches from the caption, on the screen whatever the angle.
enum TdxfOrientation : std::uint8_t {
  dxfLeft, dxfRight, dxfTop, dxfBottom, dxfLeftTop, dxfLeftBottom, dxfRightTop, dxfRightBottom,
};

/// The type data of the label's enumerations, for publishing and streaming properties by the value
/// names.
///@{
const TTypeInfo& TypeInfoOf(TypeTag<TdxfLabelStyle>);
const TTypeInfo& TypeInfoOf(TypeTag<TdxfEffectStyle>);
const TTypeInfo& TypeInfoOf(TypeTag<TdxfOrientation>);
///@}

/// The label's drawing arithmetic, free of any control.
namespace dxf {

/// The colour m/d of the way from c1 to c2 (d > 0), per channel of the raw values (system colour
/// codes are not resolved), truncated toward zero.
TColor GetColor(TColor c1, TColor c2, int m, int d);
/// Where TextOut must start so that the centre of a text cell of `text` size, turned by `angle`
/// degrees counter-clockwise, lies on (width / 2, height / 2).
TPoint TextOrigin(int width, int height, int angle, TSize text);
/// The offset of the farthest effect copy, in screen pixels whatever the angle.
TPoint EffectOffset(TdxfOrientation orientation, int depth);
/// The escapement, in tenths of a degree, of a font turned by `angle` degrees.
int Escapement(int angle);

}  // namespace dxf

/// The 3D settings of a label. Every change repaints the label it belongs to.
class Tdxf3DEffect : public TPersistent {
  TAVELKO_CLASS(Tdxf3DEffect, TPersistent)
  static void Publish(TPublisher<Tdxf3DEffect>& p);

 public:
  /// `label` is not owned; null for settings that belong to no label.
  explicit Tdxf3DEffect(TControl* label = nullptr);
  /// Copies the four settings of another effect, with one repaint.
  void Assign(TPersistent* source) override;
  TPersistent* GetOwner() override;

  /// The kind of effect (dxfCool at first).
  ///@{
  TdxfEffectStyle Style() const { return style_; }
  void SetStyle(TdxfEffectStyle value);
  ///@}
  /// The direction it reaches (dxfRightBottom at first).
  ///@{
  TdxfOrientation Orientation() const { return orientation_; }
  void SetOrientation(TdxfOrientation value);
  ///@}
  /// How far it reaches, in pixels; 0 (at first) draws no effect.
  ///@{
  std::uint16_t Depth() const { return depth_; }
  void SetDepth(std::uint16_t value);
  ///@}
  /// The colour of the copies (clGray at first); dxfFun fades it towards the label's colour
  /// (clSilver when that is a system colour).
  ///@{
  TColor ShadowedColor() const { return shadowedColor_; }
  void SetShadowedColor(TColor value);
  ///@}

  /// Draws the copies behind text whose face starts at (x, y), farthest first, with the canvas's
  /// font and a clear brush; dxfFun fades from `background`. Nothing when Depth is 0.
  void DrawCopies(TCanvas& canvas, int x, int y, const String& text, TColor background) const;

 private:
  template <class T>
  void Change(T& field, T value);

  TControl* label_;
  TdxfEffectStyle style_ = dxfCool;
  TdxfOrientation orientation_ = dxfRightBottom;
  std::uint16_t depth_ = 0;
  TColor shadowedColor_ = clGray;
};

/// A label whose one-line caption is turned by Angle about the control's centre, with a 3D effect
/// behind it, a face Style and an optional texture (Glyph) inside the letters. Transparent keys out
/// the pixels of the label's Color. Like every control, used only on the thread that runs the
/// message loop.
class TdxfLabel : public TCustomLabel {
  TAVELKO_CLASS(TdxfLabel, TCustomLabel)
  static void Publish(TPublisher<TdxfLabel>& p);

 public:
  /// A label with a font of its own (ParentFont off), not auto-sized, not turned; `owner` (may be
  /// null) destroys it.
  explicit TdxfLabel(TComponent* owner);
  ~TdxfLabel() override;

  /// The face of the letters (dxfNormal at first). A dxfLowered label turns ParentColor on when it
  /// is painted: from then on it takes its parent's colour.
  ///@{
  TdxfLabelStyle Style() const { return style_; }
  void SetStyle(TdxfLabelStyle value);
  ///@}
  /// Degrees counter-clockwise, 0-360 (0 at first).
  int Angle() const { return angle_; }
  /// Angles outside 0-360 and the current angle are ignored. Another non-zero angle needs a
  /// TrueType font: otherwise the angle stays, and the user hears a beep and sees a message box
  /// (none while a layout is read).
  void SetAngle(int value);
  /// The 3D effect behind the caption. Owned (never null, changed in place); setting copies the
  /// given settings.
  ///@{
  Tdxf3DEffect* Effect3D() const { return effect3D_.get(); }
  void SetEffect3D(Tdxf3DEffect* value);
  ///@}
  /// A texture tiled inside the letters from the label's top-left, in place of the face colour
  /// (TrueType fonts only); empty at first: none. Owned; setting copies the given bitmap (null
  /// empties it).
  ///@{
  TBitmap* Glyph() const { return glyph_.get(); }
  void SetGlyph(TBitmap* value);
  ///@}
  /// Width in pixels of the dxfOutLine outline (1 at first).
  ///@{
  int PenWidth() const { return penWidth_; }
  void SetPenWidth(int value);
  ///@}

  /// Draws the label's `area` (in its own coordinates) into the top-left pixels of DrawBmp, which it
  /// grows as needed, at `scale` bitmap pixels per label pixel; without an area, the whole label.
  /// Painting renders only what it paints, so a label of any size costs what shows of it.
  ///@{
  void Render();
  void Render(const TRect& area, int scale = 1);
  ///@}

 protected:
  void Paint() override;
  void Dispatch(TMessage& message) override;

 private:
  /// The face by Style (step after the effect copies); `text` starts at (x, y).
  void DrawFace(TCanvas& canvas, int x, int y, const String& text, bool trueType, bool useGlyph);
  /// Fills the outline of the text with the glyph, tiled over the label's `area`.
  void DrawTexture(TCanvas& canvas, int x, int y, const String& text, const TRect& area);

  TdxfLabelStyle style_ = dxfNormal;
  int angle_ = 0;
  std::unique_ptr<Tdxf3DEffect> effect3D_;
  std::unique_ptr<TBitmap> glyph_;
  int penWidth_ = 1;
};

/// Lets the component stream create TdxfLabel by its class name.
void RegisterDxfLabelClasses();
