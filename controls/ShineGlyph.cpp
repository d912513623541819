// The shine button's glyph effects, worked directly on 32-bit pixel rows.
#include "controls/ShineGlyph.h"

#include <algorithm>
#include <array>
#include <vector>

const TTypeInfo& TypeInfoOf(TypeTag<TActiveImageType>) {
  static const TTypeInfo info = MakeEnumType(
      "TActiveImageType", {"aiNormal", "aiXorLight", "aiHalfLight", "aiQuaterLight", "aiAddLight", "aiFrameLight",
                           "aiFrameLight2", "aiMaskLight"});
  return info;
}

const TTypeInfo& TypeInfoOf(TypeTag<TDisabledImageType>) {
  static const TTypeInfo info = MakeEnumType(
      "TDisabledImageType", {"diDefault", "diGrayscale", "diAlphaHalfTrans", "diAlphaQuaterTrans", "diMaskTrans"});
  return info;
}

namespace {

// A 32-bit DIB pixel: 0x00RRGGBB, blue in the low byte. Colours compare on the low 24 bits.
using Pixel = std::uint32_t;
constexpr Pixel kRgbMask = 0xFFFFFF;

// TColor (0x00BBGGRR) and Pixel differ only in the order of red and blue, both ways.
std::uint32_t SwapRedAndBlue(std::uint32_t value) {
  return (value & 0xFF) << 16 | (value & 0xFF00) | (value >> 16 & 0xFF);
}

Pixel PixelOf(TColor color) { return SwapRedAndBlue(static_cast<std::uint32_t>(ColorToRGB(color)) & kRgbMask); }
TColor ColorOf(Pixel pixel) { return static_cast<TColor>(SwapRedAndBlue(pixel & kRgbMask)); }

// The rows of a 32-bit DIB, row 0 at the top. Valid while the bitmap keeps its pixels.
class TPixelRows {
 public:
  explicit TPixelRows(TBitmap& bitmap) : width_(bitmap.Width()) {
    rows_.reserve(bitmap.Height());
    for (int y = 0; y < bitmap.Height(); ++y) rows_.push_back(static_cast<Pixel*>(bitmap.ScanLine(y)));
  }

  int Width() const { return width_; }
  int Height() const { return static_cast<int>(rows_.size()); }
  bool Contains(int x, int y) const { return x >= 0 && x < Width() && y >= 0 && y < Height(); }
  Pixel* operator[](int y) const { return rows_[y]; }
  Pixel Rgb(int x, int y) const { return rows_[y][x] & kRgbMask; }

 private:
  int width_;
  std::vector<Pixel*> rows_;
};

// Replaces every glyph pixel (any colour but key) with change(rgb, x, y): one pass over the rows.
template <class Change>
void ChangeGlyphPixels(const TPixelRows& rows, Pixel key, Change change) {
  for (int y = 0; y < rows.Height(); ++y) {
    Pixel* row = rows[y];
    for (int x = 0; x < rows.Width(); ++x)
      if ((row[x] & kRgbMask) != key) row[x] = change(row[x] & kRgbMask, x, y);
  }
}

// ---- Channel mixes: c is the pixel's channel, m the same channel of the colour mixed in ----

using ChannelFormula = int (*)(int c, int m);

int XorChannel(int c, int m) { return c ^ m; }
int HalfChannel(int c, int m) { return (c + m) / 2; }
int QuarterChannel(int c, int m) { return (3 * m + c) / 4; }
int AddChannel(int c, int m) { return std::min(c + m, 255); }

void MixGlyph(const TPixelRows& rows, Pixel key, Pixel colour, ChannelFormula formula) {
  ChangeGlyphPixels(rows, key, [colour, formula](Pixel rgb, int, int) {
    Pixel mixed = 0;
    for (int shift : {0, 8, 16})
      mixed |= static_cast<Pixel>(formula(int(rgb >> shift & 0xFF), int(colour >> shift & 0xFF))) << shift;
    return mixed;
  });
}

void GreyGlyph(const TPixelRows& rows, Pixel key) {
  ChangeGlyphPixels(rows, key, [](Pixel rgb, int, int) {
    const Pixel v = ((rgb & 0xFF) + (rgb >> 8 & 0xFF) + (rgb >> 16)) / 3;
    return v << 16 | v << 8 | v;
  });
}

// ---- Checkerboard ----

// Whether a counter that steps once per pixel, row by row from the top-left, is odd at (x, y). It
// steps once more after each row when the height (not the width) is even, so a square glyph gets a
// true checkerboard and some others get stripes.
bool CounterIsOdd(int x, int y, int width, int height) {
  const long long count = static_cast<long long>(y) * width + x + (height % 2 == 0 ? y : 0);
  return count % 2 != 0;
}

void Checkerboard(const TPixelRows& rows, Pixel key, Pixel colour) {
  const int width = rows.Width();
  const int height = rows.Height();
  ChangeGlyphPixels(rows, key, [=](Pixel rgb, int x, int y) {
    return CounterIsOdd(x, y, width, height) ? colour : rgb;
  });
}

// ---- Glow ----

constexpr std::array<std::array<int, 2>, 4> kSideNeighbours{{{-1, 0}, {1, 0}, {0, -1}, {0, 1}}};

// Which pixels of the unchanged glyph are background, so the glow can read them while it writes.
class TBackgroundMap {
 public:
  TBackgroundMap(const TPixelRows& rows, Pixel key) : width_(rows.Width()), height_(rows.Height()) {
    background_.reserve(std::size_t(width_) * height_);
    for (int y = 0; y < height_; ++y)
      for (int x = 0; x < width_; ++x) background_.push_back(rows.Rgb(x, y) == key);
  }

  // Outside the glyph is neither background nor glyph.
  bool IsBackground(int x, int y) const { return Inside(x, y) && background_[Index(x, y)]; }
  bool IsGlyph(int x, int y) const { return Inside(x, y) && !background_[Index(x, y)]; }
  bool TouchesGlyph(int x, int y) const {
    return std::any_of(kSideNeighbours.begin(), kSideNeighbours.end(),
                       [&](const auto& d) { return IsGlyph(x + d[0], y + d[1]); });
  }

 private:
  bool Inside(int x, int y) const { return x >= 0 && x < width_ && y >= 0 && y < height_; }
  std::size_t Index(int x, int y) const { return std::size_t(y) * width_ + x; }

  int width_;
  int height_;
  std::vector<bool> background_;
};

// Every background pixel beside a glyph pixel takes the shine colour; a thick glow also gives it
// to the background pixels beside those.
void Glow(const TPixelRows& rows, Pixel key, Pixel shine, bool thick) {
  const TBackgroundMap map(rows, key);
  for (int y = 0; y < rows.Height(); ++y)
    for (int x = 0; x < rows.Width(); ++x) {
      if (!map.IsBackground(x, y) || !map.TouchesGlyph(x, y)) continue;
      rows[y][x] = shine;
      if (!thick) continue;
      for (const auto& d : kSideNeighbours)
        if (map.IsBackground(x + d[0], y + d[1])) rows[y + d[1]][x + d[0]] = shine;
    }
}

// ---- Edge mask ----

// Whether the colour changes along either diagonal of the 2 x 2 block whose top-left is (x, y).
bool DiagonalChanges(const TPixelRows& rows, int x, int y) {
  return rows.Rgb(x, y) != rows.Rgb(x + 1, y + 1) || rows.Rgb(x + 1, y) != rows.Rgb(x, y + 1);
}

// One bit per pixel, white where a diagonal changes colour; the last row and column stay black.
std::unique_ptr<TBitmap> EdgeMask(const TPixelRows& rows) {
  auto mask = std::make_unique<TBitmap>();
  mask->SetPixelFormat(pf1bit);  // palette entry 0 black, 1 white
  mask->SetSize(rows.Width(), rows.Height());
  for (int y = 0; y < rows.Height(); ++y) {
    auto* bits = static_cast<std::uint8_t*>(mask->ScanLine(y));
    std::fill_n(bits, (rows.Width() + 7) / 8, std::uint8_t(0));
    if (y == rows.Height() - 1) continue;
    for (int x = 0; x + 1 < rows.Width(); ++x)
      if (DiagonalChanges(rows, x, y)) bits[x / 8] |= std::uint8_t(0x80 >> (x % 8));
  }
  return mask;
}

// ---- The effects of each state ----

void ApplyHotEffect(const TPixelRows& rows, Pixel key, TActiveImageType type, Pixel shine) {
  switch (type) {
    case aiNormal: return;
    case aiXorLight: return MixGlyph(rows, key, shine, XorChannel);
    case aiHalfLight: return MixGlyph(rows, key, shine, HalfChannel);
    case aiQuaterLight: return MixGlyph(rows, key, shine, QuarterChannel);
    case aiAddLight: return MixGlyph(rows, key, shine, AddChannel);
    case aiFrameLight: return Glow(rows, key, shine, false);
    case aiFrameLight2: return Glow(rows, key, shine, true);
    case aiMaskLight: return Checkerboard(rows, key, shine);
  }
}

// Every disabled effect but the edge mask, which makes a bitmap of its own.
void ApplyDisabledEffect(const TPixelRows& rows, Pixel key, TDisabledImageType type, Pixel face) {
  switch (type) {
    case diDefault: return;
    case diGrayscale: return GreyGlyph(rows, key);
    case diAlphaHalfTrans: return MixGlyph(rows, key, face, HalfChannel);
    case diAlphaQuaterTrans: return MixGlyph(rows, key, face, QuarterChannel);
    case diMaskTrans: return Checkerboard(rows, key, key);
  }
}

std::unique_ptr<TBitmap> TransparentDdb(std::unique_ptr<TBitmap> bitmap, TColor transparentColor) {
  bitmap->SetHandleType(bmDDB);
  bitmap->SetTransparentColor(transparentColor);
  bitmap->SetTransparent(true);
  return bitmap;
}

}  // namespace

std::unique_ptr<TBitmap> CreateStateGlyph(TBitmap& glyph, TShineState state, const TGlyphEffects& effects) {
  if (glyph.Empty() || glyph.Width() <= 0 || glyph.Height() <= 0) return nullptr;
  auto result = std::make_unique<TBitmap>();
  result->Assign(&glyph);
  result->SetPixelFormat(pf32bit);
  const TPixelRows rows(*result);  // the first row taken unshares the copy: the glyph stays as it was
  const Pixel key = rows.Rgb(0, rows.Height() - 1);

  switch (state) {
    case TShineState::stActiveDown:
    case TShineState::stActive:
      ApplyHotEffect(rows, key, effects.ActiveImage, PixelOf(effects.ShineColor));
      break;
    case TShineState::stDisabled:
      if (effects.DisabledImage == diDefault) return TransparentDdb(EdgeMask(rows), clBlack);
      ApplyDisabledEffect(rows, key, effects.DisabledImage, PixelOf(effects.FaceColor));
      break;
    case TShineState::stDown:
    case TShineState::stUp:
      break;
  }
  // The background's own colour, not whatever a glow left in the corner: a shine-coloured corner
  // would make the background opaque and the glow vanish.
  return TransparentDdb(std::move(result), ColorOf(key));
}
