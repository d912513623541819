// Pixels for tests: bitmaps to draw on and their pixels, controls painted into memory, and what
// windows and the screen show.
#pragma once

#include <windows.h>

#include <cstdint>
#include <memory>
#include <ostream>
#include <vector>

#include "framework/graphics/Bitmap.h"
#include "framework/windows/WinControl.h"

namespace test_support {

// ---- Bitmaps in memory ----

// A 24-bit bitmap of the size, filled with `color`.
std::unique_ptr<TBitmap> MakeBitmap(int width, int height, TColor color = clWhite);
// The pixel as 0xBBGGRR, read through GDI (any pixel format).
TColor PixelOf(TBitmap& bitmap, int x, int y);
// How many pixels of `area` have exactly `color`.
int CountColor(TBitmap& bitmap, TColor color, const TRect& area);
// The smallest rectangle holding every pixel of exactly `color` within `area` (the whole bitmap
// when not given); empty when there is none.
TRect InkBounds(TBitmap& bitmap, TColor color, const TRect& area);
TRect InkBounds(TBitmap& bitmap, TColor color);
// How many pixels of the two bitmaps' common area differ.
int CountDifferences(TBitmap& a, TBitmap& b);

// The colour as Windows draws it, 0xBBGGRR (system colours as they are now).
COLORREF Rgb(TColor color);

// The client area of a window as it paints itself and its children with PaintTo, read whatever
// covers the screen.
class TSnapshot {
 public:
  explicit TSnapshot(TWinControl& window);
  // A pixel in the window's client coordinates ...
  COLORREF At(int x, int y);
  // ... or in the client coordinates of a control inside it.
  COLORREF At(TControl& control, int x, int y);

 private:
  TWinControl& window_;
  TBitmap bitmap_;
};

// ---- Windows and the screen ----

// A client pixel of `window` as its surface shows it, 0xBBGGRR.
COLORREF PixelAt(HWND window, int x, int y);
// The pixels of a screen rectangle row by row, read back through the screen DC, each 0x00RRGGBB
// as a 32-bit DIB holds them.
std::vector<std::uint32_t> ReadScreen(const TRect& rect);
// One screen pixel, 0x00RRGGBB.
std::uint32_t ScreenPixel(int x, int y);
// The virtual screen.
TRect ScreenRect();

}  // namespace test_support

// Rectangles print as "(left, top)-(right, bottom)" in failure messages.
inline void PrintTo(const TRect& rect, std::ostream* out) {
  *out << "(" << rect.Left << ", " << rect.Top << ")-(" << rect.Right << ", " << rect.Bottom << ")";
}
