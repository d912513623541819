// Test helpers of the decorative controls: bitmaps to paint on and where a colour's pixels lie.
#pragma once

#include <gtest/gtest.h>

#include <algorithm>
#include <memory>

#include "framework/graphics/Bitmap.h"
#include "framework/graphics/Canvas.h"

namespace controls_test {

// A 24-bit bitmap of the size, filled with `color`.
inline std::unique_ptr<TBitmap> MakeBitmap(int width, int height, TColor color) {
  auto bitmap = std::make_unique<TBitmap>();
  bitmap->SetSize(width, height);
  bitmap->Canvas()->Brush()->SetColor(color);
  bitmap->Canvas()->FillRect(Rect(0, 0, width, height));
  return bitmap;
}

// The RGB value of a pixel as 0xBBGGRR.
inline TColor PixelOf(TBitmap& bitmap, int x, int y) { return bitmap.Canvas()->Pixels(x, y); }

// The smallest rectangle holding every pixel of exactly `color` within `area`; empty when none.
inline TRect InkBounds(TBitmap& bitmap, TColor color, const TRect& area) {
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

inline TRect InkBounds(TBitmap& bitmap, TColor color) {
  return InkBounds(bitmap, color, Rect(0, 0, bitmap.Width(), bitmap.Height()));
}

inline int CountColor(TBitmap& bitmap, TColor color, const TRect& area) {
  int count = 0;
  for (int y = area.Top; y < area.Bottom; ++y)
    for (int x = area.Left; x < area.Right; ++x) count += PixelOf(bitmap, x, y) == color;
  return count;
}

// How many pixels of the two bitmaps' common area differ.
inline int CountDifferences(TBitmap& a, TBitmap& b) {
  int count = 0;
  for (int y = 0; y < std::min(a.Height(), b.Height()); ++y)
    for (int x = 0; x < std::min(a.Width(), b.Width()); ++x) count += PixelOf(a, x, y) != PixelOf(b, x, y);
  return count;
}

// One copy of a text in a reference drawing: its offset and colour.
struct TTextCopy {
  int Dx = 0;
  int Dy = 0;
  TColor Color = clBlack;
};

}  // namespace controls_test

// Rectangles print as "(left, top)-(right, bottom)" in failure messages.
inline void PrintTo(const TRect& rect, std::ostream* out) {
  *out << "(" << rect.Left << ", " << rect.Top << ")-(" << rect.Right << ", " << rect.Bottom << ")";
}
