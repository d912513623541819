// The shine button's state glyphs: each effect's arithmetic on small hand-made glyphs, pixel by
// pixel, the checkerboard parities, the glow, the edge mask's bits, transparency, odd input.
#include <gtest/gtest.h>

#include <cstdint>
#include <ostream>
#include <utility>
#include <vector>

#include "controls/ShineGlyph.h"
#include "framework/graphics/Canvas.h"

namespace {

struct TRgb {
  int R = 0;
  int G = 0;
  int B = 0;
  bool operator==(const TRgb&) const = default;
};

void PrintTo(const TRgb& rgb, std::ostream* out) { *out << "(" << rgb.R << ", " << rgb.G << ", " << rgb.B << ")"; }

// Top row first.
using TPixelTable = std::vector<std::vector<TRgb>>;

TColor ColorOf(TRgb rgb) { return rgb.R | rgb.G << 8 | rgb.B << 16; }
std::uint32_t WordOf(TRgb rgb) { return std::uint32_t(rgb.R << 16 | rgb.G << 8 | rgb.B); }

// The key: every glyph below has it in its bottom-left pixel.
constexpr TRgb K{0, 128, 128};

std::unique_ptr<TBitmap> MakeGlyph(const TPixelTable& table) {
  auto glyph = std::make_unique<TBitmap>();
  glyph->SetPixelFormat(pf32bit);
  glyph->SetSize(int(table[0].size()), int(table.size()));
  for (int y = 0; y < glyph->Height(); ++y) {
    auto* row = static_cast<std::uint32_t*>(glyph->ScanLine(y));
    for (int x = 0; x < glyph->Width(); ++x) row[x] = WordOf(table[y][x]);
  }
  return glyph;
}

TPixelTable PixelsOf(TBitmap& bitmap) {
  TPixelTable table(bitmap.Height(), std::vector<TRgb>(bitmap.Width()));
  for (int y = 0; y < bitmap.Height(); ++y)
    for (int x = 0; x < bitmap.Width(); ++x) {
      const TColor color = bitmap.Canvas()->Pixels(x, y);
      table[y][x] = {color & 0xFF, color >> 8 & 0xFF, color >> 16 & 0xFF};
    }
  return table;
}

// Effect settings whose other half is set to something visible, so a crossed wire shows.
TGlyphEffects Hot(TActiveImageType type, TColor shine) { return {type, shine, diGrayscale, clRed}; }
TGlyphEffects Disabled(TDisabledImageType type, TColor face) { return {aiXorLight, clBlue, type, face}; }

// The state glyph's pixels, which must be a device-dependent bitmap transparent in `transparent`.
TPixelTable StateGlyph(const TPixelTable& table, TShineState state, const TGlyphEffects& effects,
                       TColor transparent = ColorOf(K)) {
  auto glyph = MakeGlyph(table);
  auto result = CreateStateGlyph(*glyph, state, effects);
  if (!result) {
    ADD_FAILURE() << "no state glyph";
    return {};
  }
  EXPECT_EQ(result->HandleType(), bmDDB);
  EXPECT_TRUE(result->Transparent());
  EXPECT_EQ(result->TransparentColor(), transparent);
  return PixelsOf(*result);
}

TPixelTable HotGlyph(const TPixelTable& table, TActiveImageType type, TColor shine) {
  const TPixelTable active = StateGlyph(table, TShineState::stActive, Hot(type, shine));
  EXPECT_EQ(StateGlyph(table, TShineState::stActiveDown, Hot(type, shine)), active) << "pressed and hot differ";
  return active;
}

TPixelTable DisabledGlyph(const TPixelTable& table, TDisabledImageType type, TColor face) {
  return StateGlyph(table, TShineState::stDisabled, Disabled(type, face));
}

// Four glyph pixels and two background pixels; the values reach both ends of the channel range.
const TPixelTable kMixGlyph = {
    {{200, 100, 0}, {1, 2, 3}, K},
    {K, {255, 255, 255}, {0, 0, 0}},
};

}  // namespace

// ---- Arithmetic lights and fades ----

TEST(ShineGlyphMix, XorLightInvertsTheChannelsSetInTheShineColour) {
  EXPECT_EQ(HotGlyph(kMixGlyph, aiXorLight, clYellow), (TPixelTable{
                                                            {{55, 155, 0}, {254, 253, 3}, K},
                                                            {K, {0, 0, 255}, {255, 255, 0}},
                                                        }));
}

TEST(ShineGlyphMix, HalfLightAndHalfFadeTruncateTheMean) {
  const TPixelTable expected = {
      {{150, 50, 127}, {51, 1, 129}, K},
      {K, {178, 127, 255}, {50, 0, 127}},
  };
  EXPECT_EQ(HotGlyph(kMixGlyph, aiHalfLight, ColorOf({101, 0, 255})), expected);
  EXPECT_EQ(DisabledGlyph(kMixGlyph, diAlphaHalfTrans, ColorOf({101, 0, 255})), expected);
}

TEST(ShineGlyphMix, QuarterLightAndQuarterFadeWeighTheColourThreeToOne) {
  const TPixelTable expected = {
      {{125, 25, 191}, {76, 0, 192}, K},
      {K, {139, 63, 255}, {75, 0, 191}},
  };
  EXPECT_EQ(HotGlyph(kMixGlyph, aiQuaterLight, ColorOf({101, 0, 255})), expected);
  EXPECT_EQ(DisabledGlyph(kMixGlyph, diAlphaQuaterTrans, ColorOf({101, 0, 255})), expected);
}

TEST(ShineGlyphMix, AddLightSaturatesAt255) {
  const TPixelTable glyph = {
      {{200, 100, 0}, {155, 156, 154}, K},
      {K, {255, 255, 255}, {0, 0, 0}},
  };
  EXPECT_EQ(HotGlyph(glyph, aiAddLight, ColorOf({100, 100, 100})), (TPixelTable{
                                                                       {{255, 200, 100}, {255, 255, 254}, K},
                                                                       {K, {255, 255, 255}, {100, 100, 100}},
                                                                   }));
}

TEST(ShineGlyphMix, GrayscaleTruncatesTheMeanOfTheChannels) {
  const TPixelTable glyph = {
      {{10, 20, 31}, {255, 255, 254}, K},
      {K, {0, 0, 2}, {1, 1, 1}},
  };
  EXPECT_EQ(DisabledGlyph(glyph, diGrayscale, clRed), (TPixelTable{
                                                          {{20, 20, 20}, {254, 254, 254}, K},
                                                          {K, {0, 0, 0}, {1, 1, 1}},
                                                      }));
}

TEST(ShineGlyphMix, SystemColoursAreResolved) {
  EXPECT_EQ(HotGlyph(kMixGlyph, aiXorLight, clBtnShadow), HotGlyph(kMixGlyph, aiXorLight, ColorToRGB(clBtnShadow)));
  EXPECT_EQ(DisabledGlyph(kMixGlyph, diAlphaHalfTrans, clBtnFace),
            DisabledGlyph(kMixGlyph, diAlphaHalfTrans, ColorToRGB(clBtnFace)));
}

TEST(ShineGlyphMix, TheKeyComparesOnItsLow24Bits) {
  auto glyph = MakeGlyph(kMixGlyph);
  static_cast<std::uint32_t*>(glyph->ScanLine(1))[0] |= 0xAB000000;  // the bottom-left pixel
  static_cast<std::uint32_t*>(glyph->ScanLine(0))[2] |= 0x01000000;
  auto result = CreateStateGlyph(*glyph, TShineState::stActive, Hot(aiXorLight, clYellow));
  ASSERT_TRUE(result);
  EXPECT_EQ(result->TransparentColor(), ColorOf(K));
  const TPixelTable pixels = PixelsOf(*result);
  EXPECT_EQ(pixels[0][2], K);
  EXPECT_EQ(pixels[1][0], K);
  EXPECT_EQ(pixels[0][0], (TRgb{55, 155, 0}));
}

// ---- Checkerboards ----

namespace {
constexpr TRgb G{40, 50, 60};
constexpr TRgb S{255, 255, 0};  // clYellow
}  // namespace

TEST(ShineGlyphCheckerboard, OddHeightAlternatesWithTheRunningCount) {
  // 3 x 3: the count runs on across rows, so the odd counts form a checkerboard. A background
  // pixel at an odd count stays.
  const TPixelTable glyph = {
      {G, K, G},
      {G, G, G},
      {K, G, G},
  };
  EXPECT_EQ(HotGlyph(glyph, aiMaskLight, clYellow), (TPixelTable{
                                                        {G, K, G},
                                                        {S, G, S},
                                                        {K, S, G},
                                                    }));
  // 2 wide, 3 high: an even width keeps the parity of each column: stripes.
  EXPECT_EQ(HotGlyph({{G, G}, {G, G}, {K, G}}, aiMaskLight, clYellow), (TPixelTable{{G, S}, {G, S}, {K, S}}));
}

TEST(ShineGlyphCheckerboard, EvenHeightStepsOnceMoreAfterEachRow) {
  // 3 wide, 2 high: counts 0 1 2, then 4 5 6: stripes, where a plain running count would alternate.
  EXPECT_EQ(HotGlyph({{G, G, G}, {K, G, G}}, aiMaskLight, clYellow), (TPixelTable{{G, S, G}, {K, S, G}}));
  // 2 x 2: counts 0 1, then 3 4: a checkerboard.
  EXPECT_EQ(HotGlyph({{G, G}, {K, G}}, aiMaskLight, clYellow), (TPixelTable{{G, S}, {K, G}}));
}

TEST(ShineGlyphCheckerboard, SquareGlyphsAreCheckeredAndSixteenByFifteenIsStriped) {
  auto expectPattern = [](int width, int height, auto lit) {
    TPixelTable glyph(height, std::vector<TRgb>(width, G));
    glyph[height - 1][0] = K;
    const TPixelTable result = HotGlyph(glyph, aiMaskLight, clYellow);
    ASSERT_EQ(int(result.size()), height);
    for (int y = 0; y < height; ++y)
      for (int x = 0; x < width; ++x)
        if (x != 0 || y != height - 1) {
          EXPECT_EQ(result[y][x], lit(x, y) ? S : G) << width << " x " << height << " at " << x << ", " << y;
        }
  };
  expectPattern(16, 16, [](int x, int y) { return (x + y) % 2 == 1; });
  expectPattern(16, 15, [](int x, int) { return x % 2 == 1; });
}

TEST(ShineGlyphCheckerboard, MaskTransparencyTurnsGlyphPixelsIntoTheKey) {
  const TPixelTable glyph = {
      {G, G, G},
      {G, G, G},
      {K, G, G},
  };
  EXPECT_EQ(DisabledGlyph(glyph, diMaskTrans, clRed), (TPixelTable{
                                                          {G, K, G},
                                                          {K, G, K},
                                                          {K, K, G},
                                                      }));
  EXPECT_EQ(DisabledGlyph({{G, G, G}, {K, G, G}}, diMaskTrans, clRed), (TPixelTable{{G, K, G}, {K, K, G}}));
}

// ---- Glow ----

TEST(ShineGlyphGlow, FrameLightOutlinesWithSideNeighboursOnly) {
  const TPixelTable dot = {
      {K, K, K, K, K},
      {K, K, K, K, K},
      {K, K, G, K, K},
      {K, K, K, K, K},
      {K, K, K, K, K},
  };
  EXPECT_EQ(HotGlyph(dot, aiFrameLight, clYellow), (TPixelTable{
                                                       {K, K, K, K, K},
                                                       {K, K, S, K, K},
                                                       {K, S, G, S, K},
                                                       {K, K, S, K, K},
                                                       {K, K, K, K, K},
                                                   }));
  // The outline's neighbours come from the unchanged glyph, so the thick glow stops one further.
  EXPECT_EQ(HotGlyph(dot, aiFrameLight2, clYellow), (TPixelTable{
                                                        {K, K, S, K, K},
                                                        {K, S, S, S, K},
                                                        {S, S, G, S, S},
                                                        {K, S, S, S, K},
                                                        {K, K, S, K, K},
                                                    }));
}

TEST(ShineGlyphGlow, EdgesOfTheGlyphBoundTheGlow) {
  const TPixelTable corner = {
      {K, K, G},
      {K, K, K},
      {K, K, K},
  };
  EXPECT_EQ(HotGlyph(corner, aiFrameLight, clYellow), (TPixelTable{{K, S, G}, {K, K, S}, {K, K, K}}));
  EXPECT_EQ(HotGlyph(corner, aiFrameLight2, clYellow), (TPixelTable{{S, S, G}, {K, S, S}, {K, K, S}}));
  // Glyph pixels never glow, whatever touches them.
  EXPECT_EQ(HotGlyph({{G, G}, {K, G}}, aiFrameLight2, clYellow), (TPixelTable{{G, G}, {S, G}}));
}

TEST(ShineGlyphGlow, AGlowingBottomLeftPixelKeepsTheBackgroundTransparent) {
  // The corner takes the shine colour; the result stays transparent in the key, so the rest of the
  // background is not drawn and the glow is.
  EXPECT_EQ(HotGlyph({{K, K, K}, {K, G, K}}, aiFrameLight, clYellow), (TPixelTable{{K, S, K}, {S, G, S}}));
}

// ---- Edge mask ----

namespace {
constexpr TRgb W{255, 255, 255};
constexpr TRgb B{0, 0, 0};
constexpr TRgb A{10, 20, 30};
constexpr TRgb C{10, 20, 31};

TPixelTable EdgeMask(const TPixelTable& table) {
  auto glyph = MakeGlyph(table);
  auto mask = CreateStateGlyph(*glyph, TShineState::stDisabled, Disabled(diDefault, clRed));
  if (!mask) {
    ADD_FAILURE() << "no mask";
    return {};
  }
  EXPECT_TRUE(mask->Monochrome());
  EXPECT_EQ(mask->HandleType(), bmDDB);
  EXPECT_TRUE(mask->Transparent());
  EXPECT_EQ(mask->TransparentColor(), clBlack);
  return PixelsOf(*mask);
}
}  // namespace

TEST(ShineGlyphEdgeMask, ABlockIsWhiteAtItsTopLeftWhenEitherDiagonalChanges) {
  EXPECT_EQ(EdgeMask({{A, A}, {A, C}}), (TPixelTable{{W, B}, {B, B}}));  // one blue step apart
  EXPECT_EQ(EdgeMask({{A, C}, {A, A}}), (TPixelTable{{W, B}, {B, B}}));
  EXPECT_EQ(EdgeMask({{A, A}, {A, A}}), (TPixelTable{{B, B}, {B, B}}));
  // Both diagonals even: no diagonal edge, though every side changes.
  EXPECT_EQ(EdgeMask({{A, C}, {C, A}}), (TPixelTable{{B, B}, {B, B}}));
  // The anti-diagonal from (2, 0) to (1, 1) marks (1, 0), as does the diagonal from (1, 0) to (2, 1).
  EXPECT_EQ(EdgeMask({{A, A, C}, {A, A, A}}), (TPixelTable{{B, W, B}, {B, B, B}}));
  EXPECT_EQ(EdgeMask({{A, A, A}, {A, A, C}}), (TPixelTable{{B, W, B}, {B, B, B}}));
}

TEST(ShineGlyphEdgeMask, AFlatShapeShowsItsDiagonalEdges) {
  EXPECT_EQ(EdgeMask({
                {K, K, K, K},
                {K, G, G, K},
                {K, G, G, K},
                {K, K, K, K},
            }),
            (TPixelTable{
                {W, W, W, B},
                {W, B, W, B},
                {W, W, W, B},
                {B, B, B, B},
            }));
}

TEST(ShineGlyphEdgeMask, ColoursCompareOnTheirLow24BitsAndBitsPackPastOneByte) {
  TPixelTable wide(2, std::vector<TRgb>(10, A));
  wide[1][9] = C;
  TPixelTable expected(2, std::vector<TRgb>(10, B));
  expected[0][8] = W;
  EXPECT_EQ(EdgeMask(wide), expected);

  auto glyph = MakeGlyph({{A, A}, {A, A}});
  static_cast<std::uint32_t*>(glyph->ScanLine(1))[1] |= 0xFF000000;
  auto mask = CreateStateGlyph(*glyph, TShineState::stDisabled, Disabled(diDefault, clRed));
  ASSERT_TRUE(mask);
  EXPECT_EQ(PixelsOf(*mask), (TPixelTable{{B, B}, {B, B}}));
}

TEST(ShineGlyphEdgeMask, OneRowOrOneColumnHasNoEdges) {
  EXPECT_EQ(EdgeMask({{A, C, A}}), (TPixelTable{{B, B, B}}));
  EXPECT_EQ(EdgeMask({{A}, {C}, {A}}), (TPixelTable{{B}, {B}, {B}}));
}

// ---- States, input and ownership ----

TEST(ShineGlyphStates, UpAndDownGiveAnUnchangedCopy) {
  for (TShineState state : {TShineState::stUp, TShineState::stDown})
    EXPECT_EQ(StateGlyph(kMixGlyph, state, Hot(aiXorLight, clYellow)), kMixGlyph) << int(state);
  EXPECT_EQ(HotGlyph(kMixGlyph, aiNormal, clYellow), kMixGlyph);
}

TEST(ShineGlyphStates, TheGlyphIsLeftAsItWas) {
  for (TShineState state : {TShineState::stActiveDown, TShineState::stDown, TShineState::stActive, TShineState::stUp,
                            TShineState::stDisabled})
    for (int type = 0; type <= aiMaskLight; ++type) {
      auto glyph = MakeGlyph(kMixGlyph);
      const TGlyphEffects effects{TActiveImageType(type), clYellow, TDisabledImageType(type % (diMaskTrans + 1)),
                                  clRed};
      auto result = CreateStateGlyph(*glyph, state, effects);
      ASSERT_TRUE(result);
      EXPECT_EQ(PixelsOf(*glyph), kMixGlyph) << int(state) << " " << type;
      EXPECT_EQ(glyph->PixelFormat(), pf32bit);
      EXPECT_FALSE(glyph->Transparent());
    }
}

TEST(ShineGlyphStates, AnEmptyGlyphGivesNoBitmap) {
  TBitmap empty;
  EXPECT_FALSE(CreateStateGlyph(empty, TShineState::stActive, Hot(aiXorLight, clYellow)));
  for (auto [width, height] : {std::pair{0, 3}, std::pair{3, 0}}) {
    TBitmap glyph;
    glyph.SetPixelFormat(pf32bit);
    glyph.SetSize(width, height);
    for (TShineState state : {TShineState::stActive, TShineState::stUp, TShineState::stDisabled})
      EXPECT_FALSE(CreateStateGlyph(glyph, state, Disabled(diDefault, clRed))) << width << " x " << height;
  }
}

TEST(ShineGlyphStates, OtherPixelFormatsAreWorkedOnAsA32BitCopy) {
  const TPixelTable expected = HotGlyph(kMixGlyph, aiXorLight, clYellow);
  auto source = MakeGlyph(kMixGlyph);
  TBitmap rgb24;
  rgb24.Assign(source.get());
  rgb24.SetPixelFormat(pf24bit);
  TBitmap device;
  device.Assign(source.get());
  device.SetHandleType(bmDDB);
  for (TBitmap* glyph : {&rgb24, &device}) {
    const TPixelFormat format = glyph->PixelFormat();
    auto result = CreateStateGlyph(*glyph, TShineState::stActive, Hot(aiXorLight, clYellow));
    ASSERT_TRUE(result);
    EXPECT_EQ(PixelsOf(*result), expected);
    EXPECT_EQ(result->TransparentColor(), ColorOf(K));
    EXPECT_EQ(glyph->PixelFormat(), format);
    EXPECT_EQ(PixelsOf(*glyph), kMixGlyph);
  }
}

TEST(ShineGlyphStates, EffectNamesKeepTheirPublishedOrder) {
  EXPECT_EQ(GetEnumName(TypeInfoOf(TypeTag<TActiveImageType>{}), aiMaskLight), "aiMaskLight");
  EXPECT_EQ(GetEnumName(TypeInfoOf(TypeTag<TActiveImageType>{}), aiQuaterLight), "aiQuaterLight");
  EXPECT_EQ(GetEnumName(TypeInfoOf(TypeTag<TDisabledImageType>{}), diMaskTrans), "diMaskTrans");
  EXPECT_EQ(GetEnumName(TypeInfoOf(TypeTag<TDisabledImageType>{}), diAlphaQuaterTrans), "diAlphaQuaterTrans");
}
