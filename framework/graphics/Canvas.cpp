// TCanvas: drawing calls over a device context with lazily selected pen, brush and font.
#include "framework/graphics/Canvas.h"

#include <vector>

#include "framework/graphics/Bitmap.h"
#include "framework/graphics/GraphicErrors.h"

namespace {

RECT ToRECT(const TRect& rect) { return RECT{rect.Left, rect.Top, rect.Right, rect.Bottom}; }
TRect FromRECT(const RECT& rect) { return TRect{rect.left, rect.top, rect.right, rect.bottom}; }

// The raster operation "destination where the source is black, pattern where it is white".
constexpr DWORD kPatternWhereSourceWhite = 0x00E20746;

}  // namespace

TCanvas::TCanvas()
    : pen_(std::make_unique<TPen>()), brush_(std::make_unique<TBrush>()), font_(std::make_unique<TFont>()) {
  pen_->SetOnChange(TNotifyEvent(this, &TCanvas::ToolChanged));
  brush_->SetOnChange(TNotifyEvent(this, &TCanvas::ToolChanged));
  font_->SetOnChange(TNotifyEvent(this, &TCanvas::ToolChanged));
}

TCanvas::~TCanvas() { SetHandle(nullptr); }

// ---- The device context ----

void TCanvas::SetHandle(HDC dc) {
  if (dc == dc_) return;
  if (dc_) {
    ::RestoreDC(dc_, savedState_);
    // Only now, with the DC's own objects back, may ours be deleted.
    selectedPen_.reset();
    selectedBrush_.reset();
    selectedFont_.reset();
    state_ = 0;
  }
  dc_ = dc;
  savedState_ = dc ? ::SaveDC(dc) : 0;
}

HDC TCanvas::DC(unsigned state) {
  if (!dc_) CreateHandle();
  if (!dc_) throw EInvalidGraphicOperation("Canvas does not allow drawing");
  HDC dc = dc_;
  const unsigned missing = state & ~state_;
  if (missing & kPenValid) {
    SharedGdiObject<HPEN> pen = pen_->SharedHandle();
    ::SelectObject(dc, pen->Get());
    ::SetROP2(dc, pen_->Rop2());
    selectedPen_ = std::move(pen);
  }
  if (missing & kBrushValid) {
    SharedGdiObject<HBRUSH> brush = brush_->SharedHandle();
    ::SelectObject(dc, brush_->Handle());
    if (brush_->Style() == bsSolid) {
      ::SetBkColor(dc, ColorToColorRef(brush_->Color()));
      ::SetBkMode(dc, OPAQUE);
    } else {
      ::SetBkMode(dc, TRANSPARENT);
    }
    selectedBrush_ = std::move(brush);
  }
  if (missing & kFontValid) {
    SharedGdiObject<HFONT> font = font_->SharedHandle();
    ::SelectObject(dc, font->Get());
    ::SetTextColor(dc, ColorToColorRef(font_->Color()));
    selectedFont_ = std::move(font);
  }
  state_ |= state;
  return dc;
}

void TCanvas::ToolChanged(TObject* sender) {
  if (sender == pen_.get()) state_ &= ~kPenValid;
  if (sender == brush_.get()) state_ &= ~kBrushValid;
  if (sender == font_.get()) state_ &= ~kFontValid;
}

TPoint TCanvas::PenPos() {
  POINT position{};
  ::GetCurrentPositionEx(DC(0), &position);
  return {position.x, position.y};
}

void TCanvas::SetPenPos(const TPoint& position) { ::MoveToEx(DC(0), position.X, position.Y, nullptr); }

// ---- Shapes ----

void TCanvas::FillRect(const TRect& rect) {
  HDC dc = DC(kBrushValid);
  RECT area = ToRECT(rect);
  Changing();
  ::FillRect(dc, &area, brush_->Handle());
  Changed();
}

void TCanvas::FrameRect(const TRect& rect) {
  HDC dc = DC(kBrushValid);
  RECT area = ToRECT(rect);
  Changing();
  ::FrameRect(dc, &area, brush_->Handle());
  Changed();
}

void TCanvas::Rectangle(int x1, int y1, int x2, int y2) {
  HDC dc = DC(kPenValid | kBrushValid);
  Changing();
  ::Rectangle(dc, x1, y1, x2, y2);
  Changed();
}

void TCanvas::RoundRect(int x1, int y1, int x2, int y2, int cornerWidth, int cornerHeight) {
  HDC dc = DC(kPenValid | kBrushValid);
  Changing();
  ::RoundRect(dc, x1, y1, x2, y2, cornerWidth, cornerHeight);
  Changed();
}

void TCanvas::Ellipse(int x1, int y1, int x2, int y2) {
  HDC dc = DC(kPenValid | kBrushValid);
  Changing();
  ::Ellipse(dc, x1, y1, x2, y2);
  Changed();
}

void TCanvas::MoveTo(int x, int y) { ::MoveToEx(DC(0), x, y, nullptr); }

void TCanvas::LineTo(int x, int y) {
  HDC dc = DC(kPenValid | kBrushValid);
  Changing();
  ::LineTo(dc, x, y);
  Changed();
}

void TCanvas::Polyline(std::span<const TPoint> points) {
  std::vector<POINT> vertices;
  vertices.reserve(points.size());
  for (const TPoint& point : points) vertices.push_back({point.X, point.Y});
  HDC dc = DC(kPenValid | kBrushValid);
  Changing();
  ::Polyline(dc, vertices.data(), static_cast<int>(vertices.size()));
  Changed();
}

// ---- Text ----

void TCanvas::TextOut(int x, int y, const String& text) {
  const WideString wide = CP932ToWide(text);
  HDC dc = DC(kFontValid | kBrushValid);
  Changing();
  ::TextOutW(dc, x, y, wide.data(), static_cast<int>(wide.size()));
  Changed();
}

void TCanvas::TextRect(const TRect& rect, int x, int y, const String& text) {
  const WideString wide = CP932ToWide(text);
  HDC dc = DC(kFontValid | kBrushValid);
  RECT clip = ToRECT(rect);
  UINT options = ETO_CLIPPED | (brush_->Style() == bsSolid ? ETO_OPAQUE : 0);
  Changing();
  ::ExtTextOutW(dc, x, y, options, &clip, wide.data(), static_cast<UINT>(wide.size()), nullptr);
  Changed();
}

TSize TCanvas::TextExtent(const String& text) {
  const WideString wide = CP932ToWide(text);
  SIZE extent{};
  ::GetTextExtentPoint32W(DC(kFontValid), wide.data(), static_cast<int>(wide.size()), &extent);
  return {extent.cx, extent.cy};
}

int TCanvas::DrawText(const String& text, TRect& rect, unsigned format) {
  WideString wide = CP932ToWide(text);
  HDC dc = DC(kFontValid | kBrushValid);
  RECT area = ToRECT(rect);
  Changing();
  int height = ::DrawTextW(dc, wide.data(), static_cast<int>(wide.size()), &area, format);
  Changed();
  rect = FromRECT(area);
  return height;
}

// ---- Pictures and pixels ----

void TCanvas::Draw(int x, int y, TGraphic* graphic) {
  if (!graphic || graphic->Empty()) return;
  StretchDraw(Bounds(x, y, graphic->Width(), graphic->Height()), graphic);
}

void TCanvas::StretchDraw(const TRect& rect, TGraphic* graphic) {
  if (!graphic || graphic->Empty()) return;
  DC(kBrushValid);  // a copy mode may use the brush as its pattern
  Changing();
  graphic->Draw(*this, rect);
  Changed();
}

void TCanvas::CopyRect(const TRect& dest, TCanvas& source, const TRect& sourceRect) {
  HDC dc = DC(kBrushValid);
  HDC sourceDC = source.DC(0);
  Changing();
  ::StretchBlt(dc, dest.Left, dest.Top, dest.Width(), dest.Height(), sourceDC, sourceRect.Left, sourceRect.Top,
               sourceRect.Width(), sourceRect.Height(), copyMode_);
  Changed();
}

void TCanvas::BrushCopy(const TRect& dest, TBitmap* bitmap, const TRect& source, TColor color) {
  if (!bitmap || bitmap->Empty() || source.IsEmpty()) return;
  HDC dc = DC(kBrushValid);
  HDC bitmapDC = bitmap->Canvas()->Handle();
  const COLORREF key = ColorToColorRef(color);
  Changing();
  if (brush_->Style() == bsClear) {
    ::GdiTransparentBlt(dc, dest.Left, dest.Top, dest.Width(), dest.Height(), bitmapDC, source.Left, source.Top,
                        source.Width(), source.Height(), key);
    Changed();
    return;
  }
  const int width = source.Width();
  const int height = source.Height();
  // The mask is white where the bitmap has the key colour (a colour-to-mono copy turns the source
  // DC's background colour white).
  gdi::MemoryDC maskDC(dc);
  gdi::OwnedBitmap mask(::CreateBitmap(width, height, 1, 1, nullptr));
  gdi::Selection maskSelection(maskDC.Get(), mask.Get());
  COLORREF bitmapBackground = ::SetBkColor(bitmapDC, key);
  ::BitBlt(maskDC.Get(), 0, 0, width, height, bitmapDC, source.Left, source.Top, SRCCOPY);
  ::SetBkColor(bitmapDC, bitmapBackground);
  // A copy of the bitmap with the brush painted through the mask, then stretched into place.
  gdi::MemoryDC workDC(dc);
  gdi::OwnedBitmap work(::CreateCompatibleBitmap(dc, width, height));
  gdi::Selection workSelection(workDC.Get(), work.Get());
  ::BitBlt(workDC.Get(), 0, 0, width, height, bitmapDC, source.Left, source.Top, SRCCOPY);
  gdi::Selection brushSelection(workDC.Get(), brush_->Handle());
  ::SetTextColor(workDC.Get(), RGB(0, 0, 0));
  ::SetBkColor(workDC.Get(), RGB(255, 255, 255));
  ::BitBlt(workDC.Get(), 0, 0, width, height, maskDC.Get(), 0, 0, kPatternWhereSourceWhite);
  ::StretchBlt(dc, dest.Left, dest.Top, dest.Width(), dest.Height(), workDC.Get(), 0, 0, width, height, SRCCOPY);
  Changed();
}

TColor TCanvas::Pixels(int x, int y) { return static_cast<TColor>(::GetPixel(DC(0), x, y)); }

void TCanvas::SetPixels(int x, int y, TColor color) {
  HDC dc = DC(0);
  Changing();
  ::SetPixel(dc, x, y, ColorToColorRef(color));
  Changed();
}

// ---- Paths and clipping ----

void TCanvas::BeginPath() { ::BeginPath(DC(0)); }
void TCanvas::EndPath() { ::EndPath(DC(0)); }

void TCanvas::StrokePath() {
  HDC dc = DC(kPenValid);
  Changing();
  ::StrokePath(dc);
  Changed();
}

void TCanvas::SelectClipPath(int mode) { ::SelectClipPath(DC(0), mode); }
void TCanvas::ClearClipRegion() { ::SelectClipRgn(DC(0), nullptr); }

TRect TCanvas::ClipRect() {
  RECT box{};
  ::GetClipBox(DC(0), &box);
  return FromRECT(box);
}
