// The gradient box: colour table, band geometry, outline and caption effects, painted into bitmaps.
#include <windows.h>

#include <optional>

#include "controls/GradBox.h"
#include "tests/controls/ControlsTestSupport.h"

using namespace controls_test;

namespace {

// The same value in all three channels.
constexpr TColor Grey(int level) { return level | level << 8 | level << 16; }

// A table whose every entry differs, so a pixel tells which band painted it.
TColArray NumberedTable() {
  TColArray colors{};
  for (int j = 0; j < 256; ++j) colors[j] = j | (255 - j) << 8 | 0x40 << 16;
  return colors;
}

// The band whose colour shows at `row` of a column painted with NumberedTable; -1 for another colour.
int BandShownAt(TBitmap& bitmap, int x, int y) {
  const TColor pixel = PixelOf(bitmap, x, y);
  const int j = pixel & 0xFF;
  return pixel == (j | (255 - j) << 8 | 0x40 << 16) ? j : -1;
}

}  // namespace

// ---- Colour table ----

TEST(GradBoxColours, ButtonPanelTableShowsTheExtendedPrecisionAtEntries85And170) {
  TColArray colors{};
  gradbox::SetColarray(colors, clWhite, clSilver, gsBottomTop);
  EXPECT_EQ(colors[0], clSilver);
  EXPECT_EQ(colors[255], clWhite);
  EXPECT_EQ(colors[85], Grey(212));
  EXPECT_EQ(colors[170], Grey(233));
  // Everywhere else the plain value: 192 + i * 63 / 255, truncated, in exact integers.
  for (int i = 1; i <= 254; ++i) {
    if (i == 85 || i == 170) continue;
    EXPECT_EQ(colors[i], Grey((192 * 255 + i * 63) / 255)) << "entry " << i;
  }
}

TEST(GradBoxColours, StyleChoosesWhichColourStarts) {
  TColArray down{}, up{}, across{}, back{};
  gradbox::SetColarray(down, clRed, clBlue, gsTopBottom);
  gradbox::SetColarray(up, clRed, clBlue, gsBottomTop);
  gradbox::SetColarray(across, clRed, clBlue, gsLeftRight);
  gradbox::SetColarray(back, clRed, clBlue, gsRightLeft);
  EXPECT_EQ(down[0], clRed);
  EXPECT_EQ(down[255], clBlue);
  EXPECT_EQ(up[0], clBlue);
  EXPECT_EQ(up[255], clRed);
  EXPECT_EQ(across, down);
  EXPECT_EQ(back, up);
  // Red falls by exactly one a step while blue rises: entry i is (255 - i, 0, i).
  EXPECT_EQ(down[100], 155 | 100 << 16);
}

TEST(GradBoxColours, EqualColoursGiveOnePlainColourBetweenTheUnchangedEnds) {
  TColArray colors{};
  gradbox::SetColarray(colors, clSilver, clSilver, gsBottomTop);
  for (int i = 0; i < 256; ++i) EXPECT_EQ(colors[i], clSilver) << "entry " << i;

  gradbox::SetColarray(colors, clBtnFace, clBtnFace, gsTopBottom);
  EXPECT_EQ(colors[0], clBtnFace);
  EXPECT_EQ(colors[255], clBtnFace);
  const TColor face = static_cast<TColor>(GetSysColor(COLOR_BTNFACE));
  for (int i = 1; i <= 254; ++i) EXPECT_EQ(colors[i], face) << "entry " << i;
}

TEST(GradBoxColours, NoneLeavesTheTableAsItWas) {
  TColArray colors = NumberedTable();
  gradbox::SetColarray(colors, clWhite, clBlack, gsNone);
  EXPECT_EQ(colors, NumberedTable());
}

TEST(GradBoxColours, GetRGBResolvesOnlySystemColoursUpToInfoBk) {
  const TColor infoBk = static_cast<TColor>(GetSysColor(COLOR_INFOBK));
  EXPECT_EQ(gradbox::GetRGB(clInfoBk), (TRGBChannels{std::uint8_t(infoBk), std::uint8_t(infoBk >> 8),
                                                      std::uint8_t(infoBk >> 16)}));
  // Code 25 and the markers are split as they are.
  EXPECT_EQ(gradbox::GetRGB(static_cast<TColor>(0x80000019)), (TRGBChannels{0x19, 0, 0}));
  EXPECT_EQ(gradbox::GetRGB(clNone), (TRGBChannels{0xFF, 0xFF, 0xFF}));
  EXPECT_EQ(gradbox::GetRGB(clDefault), (TRGBChannels{0, 0, 0}));
  EXPECT_EQ(gradbox::GetRGB(0x123456), (TRGBChannels{0x56, 0x34, 0x12}));
}

// ---- Bands ----

TEST(GradBoxBands, BandStartsFollowTheExtendedStep) {
  // Height 600: step about 2.353; bands 0 and 1 both start at 0.
  const int starts600[] = {0, 0, 2, 4, 7, 9};
  for (int j = 0; j < 6; ++j) EXPECT_EQ(gradbox::BandStart(j, 600), starts600[j]) << "band " << j;
  EXPECT_EQ(gradbox::BandStart(255, 600), 597);
  // Height 595: 27 x step lies just below 63, so band 28 starts at 62.
  EXPECT_EQ(gradbox::BandStart(28, 595), 62);
  // Height 72: bands 0-4 start at row 0, the last one at row 71.
  for (int j = 0; j <= 4; ++j) EXPECT_EQ(gradbox::BandStart(j, 72), 0) << "band " << j;
  EXPECT_EQ(gradbox::BandStart(5, 72), 1);
  EXPECT_EQ(gradbox::BandStart(255, 72), 71);
}

TEST(GradBoxBands, LaterBandsPaintOverEarlierOnes) {
  const TColArray colors = NumberedTable();
  auto tall = MakeBitmap(3, 600, clBlack);
  gradbox::PaintBands(*tall->Canvas(), colors, gsTopBottom, 3, 600);
  EXPECT_EQ(BandShownAt(*tall, 1, 0), 1);  // band 1 covers band 0 exactly
  EXPECT_EQ(BandShownAt(*tall, 1, 1), 1);
  EXPECT_EQ(BandShownAt(*tall, 1, 2), 2);
  for (int y = 597; y < 600; ++y) EXPECT_EQ(BandShownAt(*tall, 1, y), 255) << "row " << y;

  auto odd = MakeBitmap(3, 595, clBlack);
  gradbox::PaintBands(*odd->Canvas(), colors, gsBottomTop, 3, 595);
  EXPECT_EQ(BandShownAt(*odd, 0, 61), 27);
  EXPECT_EQ(BandShownAt(*odd, 0, 62), 28);

  auto panel = MakeBitmap(158, 72, clBlack);
  gradbox::PaintBands(*panel->Canvas(), colors, gsTopBottom, 158, 72);
  EXPECT_EQ(BandShownAt(*panel, 0, 0), 4);
  EXPECT_EQ(BandShownAt(*panel, 157, 0), 4);
  EXPECT_EQ(BandShownAt(*panel, 80, 71), 255);
}

TEST(GradBoxBands, HorizontalStylesPaintColumns) {
  const TColArray colors = NumberedTable();
  auto wide = MakeBitmap(595, 4, clBlack);
  gradbox::PaintBands(*wide->Canvas(), colors, gsLeftRight, 595, 4);
  EXPECT_EQ(BandShownAt(*wide, 61, 3), 27);
  EXPECT_EQ(BandShownAt(*wide, 62, 0), 28);
  EXPECT_EQ(BandShownAt(*wide, 594, 2), 255);
}

TEST(GradBoxBands, NonePaintsNothing) {
  auto bitmap = MakeBitmap(40, 30, clFuchsia);
  gradbox::PaintBands(*bitmap->Canvas(), NumberedTable(), gsNone, 40, 30);
  EXPECT_EQ(CountColor(*bitmap, clFuchsia, Rect(0, 0, 40, 30)), 40 * 30);
}

// ---- Caption effects ----

// The caption drawn with each effect equals the plain caption drawn at the expected offsets in the
// expected colours, in the expected order (a later copy covers an earlier one; the glyphs' soft
// edges make the order visible).
class GradBoxCaption : public ::testing::Test {
 protected:
  void SetUp() override {
    font.SetHeight(-40);
    font.SetColor(clBlue);
  }

  std::unique_ptr<TBitmap> Drawn(const TCaptionEffect& effect, TColor background = clWhite) {
    auto bitmap = MakeBitmap(140, 100, background);
    gradbox::DrawCaptionText(*bitmap->Canvas(), kText, &font, kArea, effect);
    return bitmap;
  }

  std::unique_ptr<TBitmap> Expected(std::initializer_list<TTextCopy> copies, TColor background = clWhite) {
    return DrawCopies(140, 100, background, &font, copies, [](TCanvas& canvas, const TTextCopy& copy) {
      TRect area{kArea.Left + copy.Dx, kArea.Top + copy.Dy, kArea.Right + copy.Dx, kArea.Bottom + copy.Dy};
      canvas.DrawText(kText, area, DT_WORDBREAK | DT_EXPANDTABS);
    });
  }

  static constexpr char kText[] = "■A";
  static constexpr TRect kArea{30, 20, 140, 100};
  TFont font;
};

TEST_F(GradBoxCaption, ShadowsSitOneDepthAway) {
  EXPECT_EQ(CountDifferences(*Drawn({true, true, fsLowShadow, 3, clRed}), *Expected({{3, 3, clRed}, {0, 0, clBlue}})), 0);
  EXPECT_EQ(CountDifferences(*Drawn({true, true, fsRaiseShadow, 3, clRed}), *Expected({{-3, -3, clRed}, {0, 0, clBlue}})),
            0);
}

TEST_F(GradBoxCaption, ExtrusionsDrawEveryStep) {
  EXPECT_EQ(CountDifferences(*Drawn({true, true, fsLow3D, 3, clRed}),
                             *Expected({{1, 1, clRed}, {2, 2, clRed}, {3, 3, clRed}, {0, 0, clBlue}})),
            0);
  EXPECT_EQ(CountDifferences(*Drawn({true, true, fsRaise3D, 2, clRed}),
                             *Expected({{-1, -1, clRed}, {-2, -2, clRed}, {0, 0, clBlue}})),
            0);
  // The copies really differ from a single shadow.
  EXPECT_GT(CountDifferences(*Drawn({true, true, fsLow3D, 3, clRed}), *Expected({{3, 3, clRed}, {0, 0, clBlue}})), 0);
}

TEST_F(GradBoxCaption, DepthZeroLeavesOnlyTheFace) {
  auto face = Expected({{0, 0, clBlue}});
  EXPECT_EQ(CountDifferences(*Drawn({true, true, fsLow3D, 0, clRed}), *face), 0);
  EXPECT_EQ(CountDifferences(*Drawn({true, true, fsRaise3D, 0, clRed}), *face), 0);
  // A shadow at depth 0 lies exactly under the face.
  EXPECT_EQ(CountDifferences(*Drawn({true, true, fsLowShadow, 0, clRed}), *Expected({{0, 0, clRed}, {0, 0, clBlue}})), 0);
}

TEST_F(GradBoxCaption, FlatWhenFont3DIsOff) {
  EXPECT_EQ(CountDifferences(*Drawn({true, false, fsLow3D, 3, clRed}), *Expected({{0, 0, clBlue}})), 0);
}

TEST_F(GradBoxCaption, DisabledIsEmbossedWhateverThe3DSettings) {
  EXPECT_EQ(CountDifferences(*Drawn({false, true, fsRaise3D, 4, clRed}, clBlack),
                             *Expected({{1, 1, clWhite}, {0, 0, clGray}}, clBlack)),
            0);
}

TEST_F(GradBoxCaption, WrapsAtTheRightEdgeOfTheRectangle) {
  TFont big;
  big.SetHeight(-40);
  auto narrow = MakeBitmap(200, 200, clWhite);
  gradbox::DrawCaptionText(*narrow->Canvas(), "■ ■", &big, Rect(0, 0, 60, 200), TCaptionEffect{});
  auto wide = MakeBitmap(200, 200, clWhite);
  gradbox::DrawCaptionText(*wide->Canvas(), "■ ■", &big, Rect(0, 0, 200, 200), TCaptionEffect{});
  const TColor ink = ColorToRGB(big.Color());
  EXPECT_GT(InkBounds(*narrow, ink).Height(), 70);  // two lines
  EXPECT_LT(InkBounds(*wide, ink).Height(), 45);    // one line
}

// ---- The box ----

TEST(GradBoxControl, ConstructorValuesAndDeclaredDefaults) {
  TGradBox box(nullptr);
  EXPECT_EQ(box.Width(), 200);
  EXPECT_EQ(box.Height(), 100);
  EXPECT_TRUE(box.ControlStyle().Contains(csReplicatable));
  EXPECT_EQ(box.TopColor(), clGreen);
  EXPECT_EQ(box.LastColor(), clLime);
  EXPECT_EQ(box.Style3D(), fsRaise3D);
  EXPECT_EQ(box.BackFont(), clYellow);

  // What the stream leaves out: each property at its constructor value, except the two booleans
  // without a declared default, which are always written.
  struct Row {
    const char* name;
    std::optional<std::int64_t> defaultValue;
  };
  const Row rows[] = {{"CaptionLeft", 10},       {"CaptionTop", 10},   {"TopColor", 0x008000},
                      {"LastColor", 0x00FF00},   {"OutLineColor", 0},  {"DrawOutLine", std::nullopt},
                      {"GradStyle", gsTopBottom}, {"Font3D", std::nullopt}, {"FontDepth", 1},
                      {"Style3D", fsRaise3D},    {"BackFont", 0x00FFFF}};
  for (const Row& row : rows) {
    const TPropInfo* info = GetPropInfo(&box, row.name);
    ASSERT_NE(info, nullptr) << row.name;
    EXPECT_EQ(info->Default, row.defaultValue) << row.name;
    if (row.defaultValue) {
      EXPECT_EQ(GetOrdProp(&box, info), *row.defaultValue) << row.name;
    }
  }
  for (const char* name : {"Align", "Caption", "DragCursor", "DragMode", "Enabled", "Font", "ParentFont",
                           "ParentShowHint", "PopupMenu", "ShowHint", "Visible", "OnClick", "OnDblClick",
                           "OnDragDrop", "OnDragOver", "OnEndDrag", "OnMouseDown", "OnMouseMove", "OnMouseUp",
                           "OnStartDrag", "OnPaint"})
    EXPECT_NE(GetPropInfo(&box, name), nullptr) << name;
  EXPECT_EQ(GetEnumName(*GetPropInfo(&box, "GradStyle")->PropType, gsNone), "gsNone");
  EXPECT_EQ(GetEnumName(*GetPropInfo(&box, "Style3D")->PropType, fsLowShadow), "fsLowShadow");
}

class GradBoxOutline : public ::testing::Test {
 protected:
  void SetUp() override {
    box.SetBounds(0, 0, 60, 40);
    box.SetTopColor(clSilver);
    box.SetLastColor(clSilver);
    box.SetOutLineColor(clRed);
  }
  int RedOnBorder() {
    auto bitmap = MakeBitmap(60, 40, clBlack);
    box.PaintTo(*bitmap->Canvas());
    return CountColor(*bitmap, clRed, Rect(0, 0, 60, 1)) + CountColor(*bitmap, clRed, Rect(0, 39, 60, 40)) +
           CountColor(*bitmap, clRed, Rect(0, 1, 1, 39)) + CountColor(*bitmap, clRed, Rect(59, 1, 60, 39));
  }
  static constexpr int kBorder = 2 * 60 + 2 * 38;
  TGradBox box{nullptr};
};

TEST_F(GradBoxOutline, SolidWhenAskedForNoneOtherwise) {
  EXPECT_EQ(RedOnBorder(), 0);
  box.SetDrawOutLine(true);
  EXPECT_EQ(RedOnBorder(), kBorder);
}

TEST_F(GradBoxOutline, DashedWhileDesigningEvenWhenNotAskedFor) {
  box.SetDesigning(true);
  const int red = RedOnBorder();
  EXPECT_GT(red, kBorder / 4);
  EXPECT_LT(red, kBorder);
  box.SetDrawOutLine(true);
  EXPECT_LT(RedOnBorder(), kBorder);
}

TEST_F(GradBoxOutline, NoneStyleKeepsWhatLiesBelowButDrawsTheOutline) {
  box.SetGradStyle(gsNone);
  box.SetDrawOutLine(true);
  auto bitmap = MakeBitmap(60, 40, clFuchsia);
  box.PaintTo(*bitmap->Canvas());
  EXPECT_EQ(CountColor(*bitmap, clFuchsia, Rect(1, 1, 59, 39)), 58 * 38);
  EXPECT_EQ(PixelOf(*bitmap, 0, 0), clRed);
}

TEST(GradBoxControl, CaptionWrapsAtTheBoxsOuterEdgeInItsParent) {
  // The wrapping width is Left + Width, so the same box wraps its caption at the parent's origin
  // and not when moved right.
  TGradBox box(nullptr);
  box.SetCaption("■ ■");
  box.Font()->SetHeight(-40);
  box.SetGradStyle(gsNone);
  const TColor ink = ColorToRGB(box.Font()->Color());
  box.SetBounds(0, 0, 70, 150);
  auto atOrigin = MakeBitmap(300, 150, clWhite);
  box.PaintTo(*atOrigin->Canvas());
  box.SetBounds(100, 0, 70, 150);
  auto movedRight = MakeBitmap(300, 150, clWhite);
  box.PaintTo(*movedRight->Canvas());
  EXPECT_GT(InkBounds(*atOrigin, ink).Height(), 70);
  const TRect oneLine = InkBounds(*movedRight, ink);
  EXPECT_LT(oneLine.Height(), 45);
  EXPECT_GT(oneLine.Right, 70);
  EXPECT_GE(oneLine.Left, 10);  // CaptionLeft
  EXPECT_GE(oneLine.Top, 10);   // CaptionTop
}

TEST(GradBoxControl, RegisteredForTheStream) {
  RegisterGradBoxClasses();
  ASSERT_NE(GetClass("TGradBox"), nullptr);
  TComponent owner(nullptr);
  TComponent* made = GetClass("TGradBox")->Create(&owner);
  EXPECT_NE(dynamic_cast<TGradBox*>(made), nullptr);
}
