// What the decorative controls' tests share: the shared pixel helpers, and reference drawings of
// a text in several copies to compare with what a control drew.
#pragma once

#include <gtest/gtest.h>

#include <functional>
#include <initializer_list>
#include <memory>

#include "framework/graphics/Bitmap.h"
#include "framework/graphics/Canvas.h"
#include "framework/graphics/Font.h"
#include "tests/support/Pixels.h"

namespace controls_test {

using namespace test_support;

// One copy of a text in a reference drawing: its offset and colour.
struct TTextCopy {
  int Dx = 0;
  int Dy = 0;
  TColor Color = clBlack;
};

// A `width` x `height` bitmap of `background` with `copies` of a text drawn over it in `font`
// (each in its colour, with a clear brush); `draw` puts one copy at its offset.
inline std::unique_ptr<TBitmap> DrawCopies(int width, int height, TColor background, TFont* font,
                                           std::initializer_list<TTextCopy> copies,
                                           const std::function<void(TCanvas&, const TTextCopy&)>& draw) {
  auto bitmap = MakeBitmap(width, height, background);
  TCanvas& canvas = *bitmap->Canvas();
  canvas.SetFont(font);
  canvas.Brush()->SetStyle(bsClear);
  for (const TTextCopy& copy : copies) {
    canvas.Font()->SetColor(copy.Color);
    draw(canvas, copy);
  }
  return bitmap;
}

}  // namespace controls_test
