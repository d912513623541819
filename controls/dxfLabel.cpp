// TdxfLabel and Tdxf3DEffect: turning the font, placing the text, the effect copies, the face
// styles, the texture, and the copy of DrawBmp to the screen.
#include "controls/dxfLabel.h"

#include <windows.h>

#include <algorithm>
#include <cmath>
#include <numbers>

#include "controls/dxfRes.h"
#include "framework/graphics/Canvas.h"
#include "framework/graphics/GdiHandles.h"
#include "framework/stdctrls/PublishGroups.h"
#include "framework/windows/Services.h"

const TTypeInfo& TypeInfoOf(TypeTag<TdxfLabelStyle>) {
  static const TTypeInfo info = MakeEnumType("TdxfLabelStyle", {"dxfNormal", "dxfRaised", "dxfLowered", "dxfOutLine"});
  return info;
}

const TTypeInfo& TypeInfoOf(TypeTag<TdxfEffectStyle>) {
  static const TTypeInfo info = MakeEnumType("TdxfEffectStyle", {"dxfFun", "dxfExtrude", "dxfCool"});
  return info;
}

const TTypeInfo& TypeInfoOf(TypeTag<TdxfOrientation>) {
  static const TTypeInfo info =
      MakeEnumType("TdxfOrientation", {"dxfLeft", "dxfRight", "dxfTop", "dxfBottom", "dxfLeftTop", "dxfLeftBottom",
                                       "dxfRightTop", "dxfRightBottom"});
  return info;
}

namespace {

const char kTrueTypeOnly[] = "The Angle property is applicable for the TrueType fonts only";

// Whether the canvas's font is a TrueType font.
bool IsTrueType(TCanvas& canvas) {
  HDC dc = canvas.Handle();
  gdi::Selection font(dc, canvas.Font()->Handle());
  TEXTMETRICW metrics{};
  return ::GetTextMetricsW(dc, &metrics) && (metrics.tmPitchAndFamily & TMPF_TRUETYPE);
}

// Replaces the canvas's font by the same font turned by `angle` degrees; the canvas's font owns it.
void TurnFont(TCanvas& canvas, int angle) {
  LOGFONTW logFont{};
  ::GetObjectW(canvas.Font()->Handle(), sizeof logFont, &logFont);
  // The orientation turns the letters with the line where a DC is magnified (advanced mode).
  logFont.lfEscapement = logFont.lfOrientation = dxf::Escapement(angle);
  canvas.Font()->SetHandle(::CreateFontIndirectW(&logFont));
}

int Sign(int value) { return (value > 0) - (value < 0); }

}  // namespace

// ---------------------------------------------------------------------------------------------
// Arithmetic

namespace dxf {

TColor GetColor(TColor c1, TColor c2, int m, int d) {
  auto channel = [&](int shift) {
    const int from = (c1 >> shift) & 0xFF;
    const int to = (c2 >> shift) & 0xFF;
    const long double value = static_cast<long double>((to - from) * m) / d + from;
    return static_cast<TColor>(static_cast<int>(value) & 0xFF) << shift;
  };
  return channel(0) | channel(8) | channel(16);
}

TPoint TextOrigin(int width, int height, int angle, TSize text) {
  const long double a = angle * std::numbers::pi_v<long double> / 180;
  const long double cosine = std::cos(a);
  const long double sine = std::sin(a);
  // The default rounding mode takes halves to even.
  auto nearest = [](long double value) { return static_cast<int>(std::nearbyint(value)); };
  const int cx = width / 2;
  const int cy = height / 2;
  return {cx - nearest(cosine * text.cx / 2) - nearest(sine * text.cy / 2),
          cy + nearest(sine * text.cx / 2) - nearest(cosine * text.cy / 2)};
}

TPoint EffectOffset(TdxfOrientation orientation, int depth) {
  switch (orientation) {
    case dxfLeft: return {-depth, 0};
    case dxfRight: return {depth, 0};
    case dxfTop: return {0, -depth};
    case dxfBottom: return {0, depth};
    case dxfLeftTop: return {-depth, -depth};
    case dxfLeftBottom: return {-depth, depth};
    case dxfRightTop: return {depth, -depth};
    case dxfRightBottom: return {depth, depth};
  }
  return {};
}

int Escapement(int angle) { return ((angle % 360) + 360) % 360 * 10; }

}  // namespace dxf

// ---------------------------------------------------------------------------------------------
// Tdxf3DEffect

void Tdxf3DEffect::Publish(TPublisher<Tdxf3DEffect>& p) {
  p.Prop("Style", &Tdxf3DEffect::Style, &Tdxf3DEffect::SetStyle);
  p.Prop("Orientation", &Tdxf3DEffect::Orientation, &Tdxf3DEffect::SetOrientation);
  p.Prop("Depth", &Tdxf3DEffect::Depth, &Tdxf3DEffect::SetDepth);
  p.Prop("ShadowedColor", &Tdxf3DEffect::ShadowedColor, &Tdxf3DEffect::SetShadowedColor).Type(ColorTypeInfo());
}

Tdxf3DEffect::Tdxf3DEffect(TControl* label) : label_(label) {}

void Tdxf3DEffect::Assign(TPersistent* source) {
  auto* other = dynamic_cast<Tdxf3DEffect*>(source);
  if (!other) return TPersistent::Assign(source);
  style_ = other->style_;
  orientation_ = other->orientation_;
  depth_ = other->depth_;
  shadowedColor_ = other->shadowedColor_;
  if (label_) label_->Invalidate();
}

TPersistent* Tdxf3DEffect::GetOwner() { return label_; }

template <class T>
void Tdxf3DEffect::Change(T& field, T value) {
  if (field == value) return;
  field = value;
  if (label_) label_->Invalidate();
}

void Tdxf3DEffect::SetStyle(TdxfEffectStyle value) { Change(style_, value); }
void Tdxf3DEffect::SetOrientation(TdxfOrientation value) { Change(orientation_, value); }
void Tdxf3DEffect::SetDepth(std::uint16_t value) { Change(depth_, value); }
void Tdxf3DEffect::SetShadowedColor(TColor value) { Change(shadowedColor_, value); }

void Tdxf3DEffect::DrawCopies(TCanvas& canvas, int x, int y, const String& text, TColor background) const {
  if (depth_ == 0) return;
  const TPoint farthest = dxf::EffectOffset(orientation_, depth_);
  canvas.Font()->SetColor(shadowedColor_);
  if (style_ == dxfCool) {
    canvas.TextOut(x + farthest.X, y + farthest.Y, text);
    return;
  }
  const int n = std::max(std::abs(farthest.X), std::abs(farthest.Y));
  for (int k = n; k >= 1; --k) {
    // Fading: the farthest copy lies nearest the background, the copy at distance 1 is the colour.
    if (style_ == dxfFun) canvas.Font()->SetColor(dxf::GetColor(shadowedColor_, background, k - 1, n));
    canvas.TextOut(x + Sign(farthest.X) * k, y + Sign(farthest.Y) * k, text);
  }
}

// ---------------------------------------------------------------------------------------------
// TdxfLabel

void TdxfLabel::Publish(TPublisher<TdxfLabel>& p) {
  p.Prop("Align", &TControl::Align, &TControl::SetAlign).Default(alNone);
  p.Prop("AutoSize", &TdxfLabel::AutoSize, &TdxfLabel::SetAutoSize).Default(true);
  p.Prop("Caption", &TControl::Caption, &TControl::SetCaption);
  publish_groups::Color(p, clBtnFace, true);
  p.Prop("DragCursor", &TControl::DragCursor, &TControl::SetDragCursor).Type(CursorTypeInfo()).Default(crDrag);
  p.Prop("DragMode", &TControl::DragMode, &TControl::SetDragMode).Default(dmManual);
  p.Prop("FocusControl", &TdxfLabel::FocusControl, &TdxfLabel::SetFocusControl);
  publish_groups::Font(p);
  publish_groups::Hints(p);
  publish_groups::State(p);
  p.Prop("Transparent", &TdxfLabel::Transparent, &TdxfLabel::SetTransparent).Default(false);
  publish_groups::MouseEvents(p);
  p.Prop("OnDragDrop", &TControl::OnDragDrop);
  p.Prop("OnDragOver", &TControl::OnDragOver);
  p.Prop("OnEndDrag", &TControl::OnEndDrag);
  p.Prop("Style", &TdxfLabel::Style, &TdxfLabel::SetStyle);
  p.Prop("Angle", &TdxfLabel::Angle, &TdxfLabel::SetAngle);
  p.Prop("Effect3D", &TdxfLabel::Effect3D, &TdxfLabel::SetEffect3D);
  p.Prop("Glyph", &TdxfLabel::Glyph, &TdxfLabel::SetGlyph);
  p.Prop("PenWidth", &TdxfLabel::PenWidth, &TdxfLabel::SetPenWidth);
}

TdxfLabel::TdxfLabel(TComponent* owner)
    : TCustomLabel(owner), effect3D_(std::make_unique<Tdxf3DEffect>(this)), glyph_(std::make_unique<TBitmap>()) {
  SetParentFont(false);
  SetAutoSize(false);
}

TdxfLabel::~TdxfLabel() = default;

void TdxfLabel::SetStyle(TdxfLabelStyle value) {
  style_ = value;
  Invalidate();
}

void TdxfLabel::SetAngle(int value) {
  if (value == angle_ || value < 0 || value > 360) return;
  if (value != 0) {
    // Measured on a screen-compatible DC: while a layout is read the label may have no parent yet.
    gdi::MemoryDC dc(nullptr);
    TCanvas canvas;
    canvas.SetHandle(dc.Get());
    canvas.SetFont(Font());
    if (!IsTrueType(canvas)) {
      // Only a person changing the angle is told; a layout being read is refused quietly.
      if (!ComponentState().Contains(csLoading)) {
        ::MessageBeep(MB_ICONHAND);
        ShowMessage(kTrueTypeOnly);
      }
      return;
    }
  }
  angle_ = value;
  Invalidate();
}

void TdxfLabel::SetEffect3D(Tdxf3DEffect* value) { effect3D_->Assign(value); }

void TdxfLabel::SetGlyph(TBitmap* value) {
  glyph_->Assign(value);
  Invalidate();
}

void TdxfLabel::SetPenWidth(int value) {
  if (penWidth_ == value) return;
  penWidth_ = value;
  if (style_ == dxfOutLine) Invalidate();
}

void TdxfLabel::Render() { Render(Rect(0, 0, Width(), Height())); }

void TdxfLabel::Render(const TRect& area, int scale) {
  if (area.IsEmpty()) return;
  TBitmap& bitmap = DrawBmp();
  const int width = area.Width() * scale, height = area.Height() * scale;
  if (bitmap.Width() < width || bitmap.Height() < height)
    bitmap.SetSize(std::max(bitmap.Width(), width), std::max(bitmap.Height(), height));

  TCanvas& canvas = *bitmap.Canvas();
  canvas.SetFont(Font());
  const bool trueType = IsTrueType(canvas);
  const bool useGlyph = !glyph_->Empty() && trueType;
  const TColor background = IsSystemColor(Color()) ? clSilver : Color();
  const String text = Caption();
  const TSize extent = canvas.TextExtent(text);
  TurnFont(canvas, angle_);
  const TPoint centred = dxf::TextOrigin(Width(), Height(), angle_, extent);
  const TPoint origin{centred.X - area.Left, centred.Y - area.Top};

  // The whole bitmap, not only this label's part: it is scratch for every label.
  canvas.Brush()->SetColor(Color());
  canvas.Brush()->SetStyle(bsSolid);
  canvas.FillRect(Rect(0, 0, bitmap.Width(), bitmap.Height()));
  canvas.Brush()->SetStyle(bsClear);

  {
    // The same steps in label pixels, each rasterised at the scale.
    const gdi::ScaledDrawing scaled(canvas.Handle(), scale, {0, 0});
    effect3D_->DrawCopies(canvas, origin.X, origin.Y, text, background);
    canvas.Font()->SetColor(Font()->Color());
    DrawFace(canvas, origin.X, origin.Y, text, trueType, useGlyph);
    if (useGlyph) DrawTexture(canvas, origin.X, origin.Y, text, area);
  }
  canvas.ClearClipRegion();
}

void TdxfLabel::DrawFace(TCanvas& canvas, int x, int y, const String& text, bool trueType, bool useGlyph) {
  TFont& font = *canvas.Font();
  switch (style_) {
    case dxfNormal:
      if (!useGlyph) canvas.TextOut(x, y, text);
      break;
    case dxfRaised:
      font.SetColor(clBtnHighlight);
      canvas.TextOut(x, y, text);
      font.SetColor(clBtnShadow);
      if (font.Size() >= 12) canvas.TextOut(x + 2, y + 2, text);
      font.SetColor(Font()->Color());
      if (!useGlyph) canvas.TextOut(x + 1, y + 1, text);
      break;
    case dxfLowered:
      font.SetColor(clBtnHighlight);
      canvas.TextOut(x + 2, y + 2, text);
      // From now on the label follows its parent's colour; this paint's background stays as it was.
      if (!ParentColor()) SetParentColor(true);
      font.SetColor(IsSystemColor(Color()) ? clBtnShadow : dxf::GetColor(Color(), clBlack, 1, 3));
      if (!useGlyph) canvas.TextOut(x + 1, y + 1, text);
      break;
    case dxfOutLine:
      if (!trueType) {
        canvas.TextOut(x, y, text);
        break;
      }
      canvas.BeginPath();
      canvas.TextOut(x, y, text);
      canvas.EndPath();
      canvas.Pen()->SetColor(font.Color());
      canvas.Pen()->SetWidth(penWidth_);
      canvas.StrokePath();
      canvas.Pen()->SetWidth(1);
      break;
  }
}

void TdxfLabel::DrawTexture(TCanvas& canvas, int x, int y, const String& text, const TRect& area) {
  const int tileWidth = glyph_->Width();
  const int tileHeight = glyph_->Height();
  if (tileWidth <= 0 || tileHeight <= 0) return;
  const int shift = style_ == dxfNormal ? 0 : 1;
  canvas.BeginPath();
  canvas.TextOut(x + shift, y + shift, text);
  canvas.EndPath();
  canvas.SelectClipPath(RGN_COPY);
  // The tiles lie on the label's own grid, whatever part of it is drawn.
  for (int tileX = area.Left - area.Left % tileWidth; tileX < area.Right; tileX += tileWidth)
    for (int tileY = area.Top - area.Top % tileHeight; tileY < area.Bottom; tileY += tileHeight)
      canvas.Draw(tileX - area.Left, tileY - area.Top, glyph_.get());
}

void TdxfLabel::Paint() {
  TCanvas& canvas = *Canvas();
  const TRect client = ClientRect();
  const TRect clip = canvas.ClipRect();
  const TRect area = Rect(std::max(client.Left, clip.Left), std::max(client.Top, clip.Top),
                          std::min(client.Right, clip.Right), std::min(client.Bottom, clip.Bottom));
  if (area.IsEmpty()) return;
  // Painted into a magnified DC (a comic saved larger than the screen), the label renders at that
  // scale instead of being stretched.
  const int scale = gdi::DrawingScale(canvas.Handle());
  Render(area, scale);
  const TRect rendered = Rect(0, 0, area.Width() * scale, area.Height() * scale);
  if (Transparent()) {
    // Every pixel of the background colour stays as the parent painted it.
    canvas.Brush()->SetStyle(bsClear);
    canvas.BrushCopy(area, &DrawBmp(), rendered, Color());
    canvas.Brush()->SetStyle(bsSolid);
  } else {
    ::StretchBlt(canvas.Handle(), area.Left, area.Top, area.Width(), area.Height(), DrawBmp().Canvas()->Handle(), 0,
                 0, rendered.Width(), rendered.Height(), SRCCOPY);
  }
}

void TdxfLabel::Dispatch(TMessage& message) {
  TCustomLabel::Dispatch(message);
  if (message.Msg == WM_SIZE) Invalidate();
}

void RegisterDxfLabelClasses() { RegisterClasses({&TdxfLabel::StaticClassInfo()}); }
