// TButtonGlyph: cells, placement of glyph and caption, embossed disabled glyphs; button edges.
#include "framework/stdctrls/ButtonGlyph.h"

#include <algorithm>

#include "framework/graphics/GdiHandles.h"

const TTypeInfo& TypeInfoOf(TypeTag<TButtonLayout>) {
  static const TTypeInfo info =
      MakeEnumType("TButtonLayout", {"blGlyphLeft", "blGlyphRight", "blGlyphTop", "blGlyphBottom"});
  return info;
}

const TTypeInfo& NumGlyphsTypeInfo() {
  static const TTypeInfo info = MakeIntegerType("TNumGlyphs", 1, 4);
  return info;
}

TButtonGlyph::TButtonGlyph() : glyph_(std::make_unique<TBitmap>()) {
  glyph_->SetOnChange(TNotifyEvent(this, &TButtonGlyph::GlyphChanged));
}

TButtonGlyph::~TButtonGlyph() { glyph_->SetOnChange({}); }

void TButtonGlyph::SetGlyph(TBitmap* value) { glyph_->Assign(value); }

void TButtonGlyph::SetNumGlyphs(int value) {
  value = std::clamp(value, 1, 4);
  if (numGlyphs_ == value) return;
  numGlyphs_ = value;
  OnChange(this);
}

void TButtonGlyph::GlyphChanged(TObject*) { OnChange(this); }

TSize TButtonGlyph::CellSize() const {
  if (glyph_->Empty()) return {0, 0};
  return {glyph_->Width() / numGlyphs_, glyph_->Height()};
}

void TButtonGlyph::CalcLayout(TCanvas& canvas, const TRect& client, const String& caption, TButtonLayout layout,
                              int margin, int spacing, TPoint& glyphPos, TRect& textRect) const {
  const TSize glyph = CellSize();
  const bool hasGlyph = glyph.cx > 0 && glyph.cy > 0;
  const bool hasText = !caption.empty();
  TRect text = Rect(0, 0, client.Width(), 0);
  if (hasText) canvas.DrawText(caption, text, DT_CALCRECT | DT_SINGLELINE);
  const TSize textSize{hasText ? text.Width() : 0, hasText ? text.Height() : 0};
  const int gap = hasGlyph && hasText ? spacing : 0;

  // The block holding glyph and caption, and their places inside it.
  const bool across = layout == blGlyphLeft || layout == blGlyphRight;
  const int blockWidth = across ? glyph.cx + gap + textSize.cx : std::max(glyph.cx, textSize.cx);
  const int blockHeight = across ? std::max(glyph.cy, textSize.cy) : glyph.cy + gap + textSize.cy;
  TPoint glyphAt, textAt;
  switch (layout) {
    case blGlyphLeft:
      glyphAt = {0, (blockHeight - glyph.cy) / 2};
      textAt = {glyph.cx + gap, (blockHeight - textSize.cy) / 2};
      break;
    case blGlyphRight:
      textAt = {0, (blockHeight - textSize.cy) / 2};
      glyphAt = {textSize.cx + gap, (blockHeight - glyph.cy) / 2};
      break;
    case blGlyphTop:
      glyphAt = {(blockWidth - glyph.cx) / 2, 0};
      textAt = {(blockWidth - textSize.cx) / 2, glyph.cy + gap};
      break;
    case blGlyphBottom:
      textAt = {(blockWidth - textSize.cx) / 2, 0};
      glyphAt = {(blockWidth - glyph.cx) / 2, textSize.cy + gap};
      break;
  }

  const int width = client.Width();
  const int height = client.Height();
  TPoint origin{(width - blockWidth) / 2, (height - blockHeight) / 2};
  if (margin >= 0) {
    switch (layout) {
      case blGlyphLeft: origin.X = margin; break;
      case blGlyphRight: origin.X = width - blockWidth - margin; break;
      case blGlyphTop: origin.Y = margin; break;
      case blGlyphBottom: origin.Y = height - blockHeight - margin; break;
    }
  }
  glyphPos = {client.Left + origin.X + glyphAt.X, client.Top + origin.Y + glyphAt.Y};
  const int textLeft = client.Left + origin.X + textAt.X;
  const int textTop = client.Top + origin.Y + textAt.Y;
  textRect = Bounds(textLeft, textTop, textSize.cx, textSize.cy);
}

void TButtonGlyph::Draw(TCanvas& canvas, const TRect& client, const TPoint& offset, const String& caption,
                        TButtonLayout layout, int margin, int spacing, TButtonState state) {
  TPoint glyphPos;
  TRect textRect;
  CalcLayout(canvas, client, caption, layout, margin, spacing, glyphPos, textRect);
  if (!glyph_->Empty()) DrawCell(canvas, {glyphPos.X + offset.X, glyphPos.Y + offset.Y}, state);
  if (caption.empty()) return;
  textRect = Rect(textRect.Left + offset.X, textRect.Top + offset.Y, textRect.Right + offset.X,
                  textRect.Bottom + offset.Y);
  DrawButtonCaption(canvas, caption, textRect, state != TButtonState::Disabled);
}

void TButtonGlyph::DrawCell(TCanvas& canvas, const TPoint& at, TButtonState state) {
  int cell = 0;
  switch (state) {
    case TButtonState::Up: cell = 0; break;
    case TButtonState::Disabled:
      if (numGlyphs_ < 2) return DrawEmbossed(canvas, at);
      cell = 1;
      break;
    case TButtonState::Pressed: cell = numGlyphs_ > 2 ? 2 : 0; break;
    case TButtonState::Exclusive: cell = numGlyphs_ > 3 ? 3 : 0; break;
  }
  const TSize size = CellSize();
  canvas.Brush()->SetStyle(bsClear);
  canvas.BrushCopy(Bounds(at.X, at.Y, size.cx, size.cy), glyph_.get(), Bounds(cell * size.cx, 0, size.cx, size.cy),
                   glyph_->TransparentColor());
}

void TButtonGlyph::DrawEmbossed(TCanvas& canvas, const TPoint& at) {
  const TSize size = CellSize();
  HDC dc = canvas.Handle();
  HDC glyphDC = glyph_->Canvas()->Handle();
  // A mask white where the first cell has a pixel of its own (not of the transparent colour).
  gdi::MemoryDC maskDC(dc);
  gdi::OwnedBitmap mask(CreateBitmap(size.cx, size.cy, 1, 1, nullptr));
  gdi::Selection maskSelection(maskDC.Get(), mask.Get());
  const COLORREF glyphBackground = SetBkColor(glyphDC, ColorToColorRef(glyph_->TransparentColor()));
  BitBlt(maskDC.Get(), 0, 0, size.cx, size.cy, glyphDC, 0, 0, NOTSRCCOPY);
  SetBkColor(glyphDC, glyphBackground);

  // Paint the mask's white pixels in a colour: with text black and background white, the raster
  // operation "DSPDxax" gives the brush where the mask is white and keeps the target elsewhere.
  constexpr DWORD kBrushThroughMask = 0x00E20746;
  const COLORREF oldText = SetTextColor(dc, RGB(0, 0, 0));
  const COLORREF oldBack = SetBkColor(dc, RGB(255, 255, 255));
  const auto paint = [&](int x, int y, TColor color) {
    gdi::OwnedBrush brush(CreateSolidBrush(ColorToColorRef(color)));
    gdi::Selection selected(dc, brush.Get());
    BitBlt(dc, x, y, size.cx, size.cy, maskDC.Get(), 0, 0, kBrushThroughMask);
  };
  paint(at.X + 1, at.Y + 1, clBtnHighlight);
  paint(at.X, at.Y, clBtnShadow);
  SetTextColor(dc, oldText);
  SetBkColor(dc, oldBack);
}

void DrawButtonEdge(TCanvas& canvas, const TRect& rect, TButtonEdge edge) {
  UINT style = 0;
  switch (edge) {
    case TButtonEdge::None: return;
    case TButtonEdge::Raised: style = EDGE_RAISED; break;
    case TButtonEdge::Sunken: style = EDGE_SUNKEN; break;
    case TButtonEdge::FlatRaised: style = BDR_RAISEDINNER; break;
    case TButtonEdge::FlatSunken: style = BDR_SUNKENOUTER; break;
  }
  RECT r{rect.Left, rect.Top, rect.Right, rect.Bottom};
  DrawEdge(canvas.Handle(), &r, style, BF_RECT);
}

void DrawButtonCaption(TCanvas& canvas, const String& caption, TRect rect, bool enabled) {
  constexpr unsigned kFlags = DT_CENTER | DT_VCENTER | DT_SINGLELINE;
  canvas.Brush()->SetStyle(bsClear);
  if (!enabled) {
    const TColor color = canvas.Font()->Color();
    TRect raised = Rect(rect.Left + 1, rect.Top + 1, rect.Right + 1, rect.Bottom + 1);
    canvas.Font()->SetColor(clBtnHighlight);
    canvas.DrawText(caption, raised, kFlags);
    canvas.Font()->SetColor(clBtnShadow);
    canvas.DrawText(caption, rect, kFlags);
    canvas.Font()->SetColor(color);
    return;
  }
  canvas.DrawText(caption, rect, kFlags);
}
