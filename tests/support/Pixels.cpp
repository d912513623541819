// Pixels for tests.
#include "tests/support/Pixels.h"

#include <algorithm>

#include "framework/graphics/Canvas.h"
#include "framework/graphics/GdiHandles.h"

namespace test_support {

std::unique_ptr<TBitmap> MakeBitmap(int width, int height, TColor color) {
  auto bitmap = std::make_unique<TBitmap>();
  bitmap->SetSize(width, height);
  bitmap->Canvas()->Brush()->SetColor(color);
  bitmap->Canvas()->FillRect(Rect(0, 0, width, height));
  return bitmap;
}

TColor PixelOf(TBitmap& bitmap, int x, int y) { return bitmap.Canvas()->Pixels(x, y); }

int CountColor(TBitmap& bitmap, TColor color, const TRect& area) {
  int count = 0;
  for (int y = area.Top; y < area.Bottom; ++y)
    for (int x = area.Left; x < area.Right; ++x) count += PixelOf(bitmap, x, y) == color;
  return count;
}

TRect InkBounds(TBitmap& bitmap, TColor color, const TRect& area) {
  TRect box{area.Right, area.Bottom, area.Left, area.Top};
  for (int y = area.Top; y < area.Bottom; ++y)
    for (int x = area.Left; x < area.Right; ++x)
      if (PixelOf(bitmap, x, y) == color) {
        box.Left = std::min(box.Left, x);
        box.Top = std::min(box.Top, y);
        box.Right = std::max(box.Right, x + 1);
        box.Bottom = std::max(box.Bottom, y + 1);
      }
  return box.IsEmpty() ? TRect{} : box;
}

TRect InkBounds(TBitmap& bitmap, TColor color) {
  return InkBounds(bitmap, color, Rect(0, 0, bitmap.Width(), bitmap.Height()));
}

int CountDifferences(TBitmap& a, TBitmap& b) {
  int count = 0;
  for (int y = 0; y < std::min(a.Height(), b.Height()); ++y)
    for (int x = 0; x < std::min(a.Width(), b.Width()); ++x) count += PixelOf(a, x, y) != PixelOf(b, x, y);
  return count;
}

COLORREF Rgb(TColor color) { return ColorToColorRef(color); }

TSnapshot::TSnapshot(TWinControl& window) : window_(window) {
  const TRect client = window.ClientRect();
  bitmap_.SetSize(client.Width(), client.Height());
  window.PaintTo(bitmap_.Canvas()->Handle(), 0, 0);
}

COLORREF TSnapshot::At(int x, int y) { return static_cast<COLORREF>(PixelOf(bitmap_, x, y)); }

COLORREF TSnapshot::At(TControl& control, int x, int y) {
  const TPoint p = window_.ScreenToClient(control.ClientToScreen({x, y}));
  return At(p.X, p.Y);
}

COLORREF PixelAt(HWND window, int x, int y) {
  gdi::WindowDC dc(window);
  return GetPixel(dc.Get(), x, y);
}

std::vector<std::uint32_t> ReadScreen(const TRect& rect) {
  const int w = rect.Width(), h = rect.Height();
  BITMAPINFO info{};
  info.bmiHeader.biSize = sizeof(info.bmiHeader);
  info.bmiHeader.biWidth = w;
  info.bmiHeader.biHeight = -h;
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 32;
  void* bits = nullptr;
  gdi::WindowDC screen(nullptr);
  gdi::OwnedBitmap bitmap(CreateDIBSection(screen.Get(), &info, DIB_RGB_COLORS, &bits, nullptr, 0));
  gdi::MemoryDC memory(screen.Get());
  {
    gdi::Selection select(memory.Get(), bitmap.Get());
    BitBlt(memory.Get(), 0, 0, w, h, screen.Get(), rect.Left, rect.Top, SRCCOPY);
  }
  GdiFlush();
  const auto* pixels = static_cast<const std::uint32_t*>(bits);
  return std::vector<std::uint32_t>(pixels, pixels + static_cast<std::size_t>(w) * h);
}

std::uint32_t ScreenPixel(int x, int y) { return ReadScreen(TRect{x, y, x + 1, y + 1})[0] & 0xFFFFFF; }

TRect ScreenRect() {
  const int x = GetSystemMetrics(SM_XVIRTUALSCREEN), y = GetSystemMetrics(SM_YVIRTUALSCREEN);
  return TRect{x, y, x + GetSystemMetrics(SM_CXVIRTUALSCREEN), y + GetSystemMetrics(SM_CYVIRTUALSCREEN)};
}

}  // namespace test_support
