// TGradBox: the colour table, the bands, the outline and the caption effects.
#include "controls/GradBox.h"

#include <windows.h>

#include <utility>

#include "framework/graphics/GdiHandles.h"

const TTypeInfo& TypeInfoOf(TypeTag<TGradStyle>) {
  static const TTypeInfo info =
      MakeEnumType("TGradStyle", {"gsTopBottom", "gsBottomTop", "gsLeftRight", "gsRightLeft", "gsNone"});
  return info;
}

const TTypeInfo& TypeInfoOf(TypeTag<TFontStyle3D>) {
  static const TTypeInfo info = MakeEnumType("TFontStyle3D", {"fsLowShadow", "fsRaiseShadow", "fsLow3D", "fsRaise3D"});
  return info;
}

// ---------------------------------------------------------------------------------------------
// Drawing steps

namespace gradbox {

namespace {

constexpr TColor kLastResolvedSystemColor = clInfoBk;
constexpr unsigned kCaptionFormat = DT_WORDBREAK | DT_EXPANDTABS;

// The running channel value as a table entry: truncated toward zero, eight bits.
TColor Channel(long double value) { return static_cast<TColor>(static_cast<int>(value) & 0xFF); }

}  // namespace

TRGBChannels GetRGB(TColor color) {
  if (IsSystemColor(color) && color <= kLastResolvedSystemColor)
    color = static_cast<TColor>(::GetSysColor(color & 0xFF));
  return {static_cast<std::uint8_t>(color), static_cast<std::uint8_t>(color >> 8),
          static_cast<std::uint8_t>(color >> 16)};
}

void SetColarray(TColArray& colors, TColor topColor, TColor lastColor, TGradStyle style) {
  TColor start = topColor;
  TColor end = lastColor;
  switch (style) {
    case gsTopBottom:
    case gsLeftRight:
      break;
    case gsBottomTop:
    case gsRightLeft:
      std::swap(start, end);
      break;
    case gsNone:
      return;
  }
  const TRGBChannels from = GetRGB(start);
  const TRGBChannels to = GetRGB(end);
  // Repeated subtraction in 80-bit extended precision: entries 85 and 170 of a silver-to-white
  // table depend on it.
  const long double dR = static_cast<long double>(from.R - to.R) / 255.0L;
  const long double dG = static_cast<long double>(from.G - to.G) / 255.0L;
  const long double dB = static_cast<long double>(from.B - to.B) / 255.0L;
  long double r = from.R;
  long double g = from.G;
  long double b = from.B;
  colors[0] = start;
  for (int i = 1; i <= 254; ++i) {
    r -= dR;
    g -= dG;
    b -= dB;
    colors[i] = Channel(r) | Channel(g) << 8 | Channel(b) << 16;
  }
  colors[255] = end;
}

int BandStart(int index, int extent) {
  if (index == 0) return 0;
  // The start follows the index painted before, from the extended step (not extent * j / 255).
  const long double step = static_cast<long double>(extent) / 255;
  return static_cast<int>((index - 1) * step);
}

void PaintBands(TCanvas& canvas, const TColArray& colors, TGradStyle style, int width, int height) {
  if (style == gsNone) return;
  const bool vertical = style == gsTopBottom || style == gsBottomTop;
  const int extent = vertical ? height : width;
  const int band = static_cast<int>(static_cast<long double>(extent) / 255 + 1);
  canvas.Brush()->SetStyle(bsSolid);
  for (int j = 0; j < 256; ++j) {
    const int start = BandStart(j, extent);
    canvas.Brush()->SetColor(colors[j]);
    canvas.FillRect(vertical ? Rect(0, start, width, start + band) : Rect(start, 0, start + band, height));
  }
}

void DrawCaptionText(TCanvas& canvas, const String& caption, TFont* font, const TRect& rect,
                     const TCaptionEffect& effect) {
  TRect area = rect;
  auto move = [&area](int dx, int dy) {
    area.Left += dx;
    area.Right += dx;
    area.Top += dy;
    area.Bottom += dy;
  };
  auto draw = [&] { canvas.DrawText(caption, area, kCaptionFormat); };

  canvas.Brush()->SetStyle(bsClear);
  canvas.SetFont(font);
  if (!effect.Enabled) {
    move(1, 1);
    canvas.Font()->SetColor(clWhite);
    draw();
    move(-1, -1);
    canvas.Font()->SetColor(clGray);
    draw();
    return;
  }
  if (!effect.Font3D) {
    draw();
    return;
  }
  const int d = effect.Depth;
  canvas.Font()->SetColor(effect.BackFont);
  switch (effect.Style3D) {
    case fsLowShadow:
    case fsRaiseShadow: {
      const int shift = effect.Style3D == fsLowShadow ? d : -d;
      move(shift, shift);
      draw();
      move(-shift, -shift);
      break;
    }
    case fsLow3D:
    case fsRaise3D: {
      const int unit = effect.Style3D == fsLow3D ? 1 : -1;
      for (int i = 0; i < d; ++i) {
        move(unit, unit);
        draw();
      }
      move(-unit * d, -unit * d);
      break;
    }
  }
  canvas.SetFont(font);
  draw();
}

}  // namespace gradbox

// ---------------------------------------------------------------------------------------------
// TGradBox

void TGradBox::Publish(TPublisher<TGradBox>& p) {
  p.Prop("Align", &TControl::Align, &TControl::SetAlign).Default(alNone);
  p.Prop("Caption", &TControl::Caption, &TControl::SetCaption);
  p.Prop("DragCursor", &TControl::DragCursor, &TControl::SetDragCursor).Type(CursorTypeInfo()).Default(crDrag);
  p.Prop("DragMode", &TControl::DragMode, &TControl::SetDragMode).Default(dmManual);
  p.Prop("Enabled", &TControl::Enabled, &TControl::SetEnabled).Default(true);
  p.Prop("Font", &TControl::Font, &TControl::SetFont).Stored(&TControl::IsFontStored);
  p.Prop("ParentFont", &TControl::ParentFont, &TControl::SetParentFont).Default(true);
  p.Prop("ParentShowHint", &TControl::ParentShowHint, &TControl::SetParentShowHint).Default(true);
  p.Prop("PopupMenu", &TControl::PopupMenu, &TControl::SetPopupMenu);
  p.Prop("ShowHint", &TControl::ShowHint, &TControl::SetShowHint).Stored(&TControl::IsShowHintStored);
  p.Prop("Visible", &TControl::Visible, &TControl::SetVisible).Default(true);
  p.Prop("OnClick", &TControl::OnClick);
  p.Prop("OnDblClick", &TControl::OnDblClick);
  p.Prop("OnDragDrop", &TControl::OnDragDrop);
  p.Prop("OnDragOver", &TControl::OnDragOver);
  p.Prop("OnEndDrag", &TControl::OnEndDrag);
  p.Prop("OnMouseDown", &TControl::OnMouseDown);
  p.Prop("OnMouseMove", &TControl::OnMouseMove);
  p.Prop("OnMouseUp", &TControl::OnMouseUp);
  p.Prop("OnStartDrag", &TControl::OnStartDrag);
  p.Prop("CaptionLeft", &TGradBox::CaptionLeft, &TGradBox::SetCaptionLeft).Default(10);
  p.Prop("CaptionTop", &TGradBox::CaptionTop, &TGradBox::SetCaptionTop).Default(10);
  p.Prop("TopColor", &TGradBox::TopColor, &TGradBox::SetTopColor).Type(ColorTypeInfo()).Default(clGreen);
  p.Prop("LastColor", &TGradBox::LastColor, &TGradBox::SetLastColor).Type(ColorTypeInfo()).Default(clLime);
  p.Prop("OutLineColor", &TGradBox::OutLineColor, &TGradBox::SetOutLineColor).Type(ColorTypeInfo()).Default(clBlack);
  p.Prop("DrawOutLine", &TGradBox::DrawOutLine, &TGradBox::SetDrawOutLine);
  p.Prop("GradStyle", &TGradBox::GradStyle, &TGradBox::SetGradStyle).Default(gsTopBottom);
  p.Prop("Font3D", &TGradBox::Font3D, &TGradBox::SetFont3D);
  p.Prop("FontDepth", &TGradBox::FontDepth, &TGradBox::SetFontDepth).Default(1);
  p.Prop("Style3D", &TGradBox::Style3D, &TGradBox::SetStyle3D).Default(fsRaise3D);
  p.Prop("BackFont", &TGradBox::BackFont, &TGradBox::SetBackFont).Type(ColorTypeInfo()).Default(clYellow);
  p.Prop("OnPaint", &TGradBox::OnPaint);
}

TGradBox::TGradBox(TComponent* owner) : TGraphicControl(owner) {
  SetControlStyle(ControlStyle() + csReplicatable);
  SetBounds(Left(), Top(), 200, 100);
}

template <class T>
void TGradBox::Change(T& field, T value, bool repaint) {
  if (field == value) return;
  field = value;
  if (repaint) Invalidate();
}

void TGradBox::SetCaptionLeft(int value) { Change(captionLeft_, value); }
void TGradBox::SetCaptionTop(int value) { Change(captionTop_, value); }
void TGradBox::SetTopColor(TColor value) { Change(topColor_, value); }
void TGradBox::SetLastColor(TColor value) { Change(lastColor_, value); }
void TGradBox::SetOutLineColor(TColor value) { Change(outLineColor_, value, drawOutLine_); }
void TGradBox::SetDrawOutLine(bool value) { Change(drawOutLine_, value); }
void TGradBox::SetGradStyle(TGradStyle value) { Change(gradStyle_, value); }
void TGradBox::SetFont3D(bool value) { Change(font3D_, value); }
void TGradBox::SetFontDepth(std::uint8_t value) { Change(fontDepth_, value, font3D_); }
void TGradBox::SetStyle3D(TFontStyle3D value) { Change(style3D_, value); }
void TGradBox::SetBackFont(TColor value) { Change(backFont_, value, font3D_); }

void TGradBox::SetColarray(TColor topColor, TColor lastColor, TGradStyle style) {
  gradbox::SetColarray(colArray_, topColor, lastColor, style);
}

void TGradBox::PaintTo(TCanvas& canvas) {
  SetColarray(topColor_, lastColor_, gradStyle_);
  gradbox::PaintBands(canvas, colArray_, gradStyle_, Width(), Height());
  canvas.SetFont(Font());
  canvas.Brush()->SetStyle(bsClear);
  canvas.Pen()->SetColor(outLineColor_);
  const bool designing = ComponentState().Contains(csDesigning);
  canvas.Pen()->SetStyle(designing ? psDash : psSolid);
  if (designing || drawOutLine_) {
    // Painted into a magnified DC (a comic saved larger than the screen), the outline is laid out
    // in device pixels, as wide as one of the box's: magnified, half of it would fall outside.
    const int scale = gdi::DrawingScale(canvas.Handle());
    const gdi::DeviceDrawing devicePixels(canvas.Handle());
    const int penWidth = designing ? 1 : scale;  // GDI dashes only thin pens
    if (scale > 1) canvas.Pen()->SetWidth(penWidth);
    const int inset = penWidth / 2;
    canvas.Rectangle(inset, inset, inset + Width() * scale - penWidth + 1, inset + Height() * scale - penWidth + 1);
  }
  // The right and bottom edges are the box's outer edges in the parent, not its size.
  DrawCaptionText(canvas, Rect(captionLeft_, captionTop_, Left() + Width(), Top() + Height()));
}

void TGradBox::DrawCaptionText(TCanvas& canvas, const TRect& rect) {
  const TCaptionEffect effect{Enabled(), font3D_, style3D_, fontDepth_, backFont_};
  gradbox::DrawCaptionText(canvas, Caption(), Font(), rect, effect);
}

void TGradBox::Paint() {
  PaintTo(*Canvas());
  OnPaint(this);
}

void TGradBox::CMTextChanged(TMessage& message) {
  TGraphicControl::CMTextChanged(message);
  Invalidate();
}

void RegisterGradBoxClasses() { RegisterClasses({&TGradBox::StaticClassInfo()}); }
