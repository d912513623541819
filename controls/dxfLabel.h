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

enum TdxfLabelStyle : std::uint8_t { dxfNormal, dxfRaised, dxfLowered, dxfOutLine };
enum TdxfEffectStyle : std::uint8_t {
  dxfFun,      ///< extrusion fading into the background
  dxfExtrude,  ///< extrusion in one colour
  dxfCool,     ///< one shadow copy
};
enum TdxfOrientation : std::uint8_t {
  dxfLeft, dxfRight, dxfTop, dxfBottom, dxfLeftTop, dxfLeftBottom, dxfRightTop, dxfRightBottom,
};

const TTypeInfo& TypeInfoOf(TypeTag<TdxfLabelStyle>);
const TTypeInfo& TypeInfoOf(TypeTag<TdxfEffectStyle>);
const TTypeInfo& TypeInfoOf(TypeTag<TdxfOrientation>);

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

  TdxfEffectStyle Style() const { return style_; }
  void SetStyle(TdxfEffectStyle value);
  TdxfOrientation Orientation() const { return orientation_; }
  void SetOrientation(TdxfOrientation value);
  std::uint16_t Depth() const { return depth_; }
  void SetDepth(std::uint16_t value);
  TColor ShadowedColor() const { return shadowedColor_; }
  void SetShadowedColor(TColor value);

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

class TdxfLabel : public TCustomLabel {
  TAVELKO_CLASS(TdxfLabel, TCustomLabel)
  static void Publish(TPublisher<TdxfLabel>& p);

 public:
  explicit TdxfLabel(TComponent* owner);
  ~TdxfLabel() override;

  TdxfLabelStyle Style() const { return style_; }
  void SetStyle(TdxfLabelStyle value);
  int Angle() const { return angle_; }
  /// A non-zero angle needs a TrueType font: otherwise beeps, says so in a message box and keeps
  /// the angle. Angles outside 0-360 are ignored.
  void SetAngle(int value);
  /// Owned; setting copies the given settings.
  Tdxf3DEffect* Effect3D() const { return effect3D_.get(); }
  void SetEffect3D(Tdxf3DEffect* value);
  /// Owned; setting copies the given bitmap.
  TBitmap* Glyph() const { return glyph_.get(); }
  void SetGlyph(TBitmap* value);
  int PenWidth() const { return penWidth_; }
  void SetPenWidth(int value);

  /// Draws the label's `area` (in its own coordinates) into the top-left pixels of DrawBmp, which it
  /// grows as needed, at `scale` bitmap pixels per label pixel; without an area, the whole label.
  /// Painting renders only what it paints, so a label of any size costs what shows of it.
  void Render();
  void Render(const TRect& area, int scale = 1);

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
