// The rotated label: placement arithmetic, colours, effect copies, face styles and texture, drawn
// into the shared bitmap and compared with reference drawings; the TrueType check.
#include <windows.h>

#include <optional>

#include "controls/dxfLabel.h"
#include "controls/dxfRes.h"
#include "tests/support/ServiceDoubles.h"
#include "tests/support/StreamWriters.h"
#include "tests/controls/ControlsTestSupport.h"

using namespace controls_test;

namespace {

// A font without TrueType outlines: Windows has MS Sans Serif as a raster font; under Wine it is
// loaded from Wine's own font folder for this process.
bool RasterFontAvailable() {
  static const bool available = [] {
    ::AddFontResourceExW(L"Z:\\usr\\share\\wine\\fonts\\sserife.fon", FR_PRIVATE, nullptr);
    TFont font;
    font.SetName("MS Sans Serif");
    font.SetCharset(ANSI_CHARSET);
    gdi::MemoryDC dc(nullptr);
    gdi::Selection selection(dc.Get(), font.Handle());
    TEXTMETRICW metrics{};
    return ::GetTextMetricsW(dc.Get(), &metrics) && !(metrics.tmPitchAndFamily & TMPF_TRUETYPE);
  }();
  return available;
}

void UseRasterFont(TFont& font) {
  font.SetName("MS Sans Serif");
  font.SetCharset(ANSI_CHARSET);
  font.SetHeight(-13);
}

}  // namespace

// ---- Arithmetic ----

TEST(dxfArithmetic, TextOriginCentresTheTurnedCell) {
  // Angle 0: halves go to the even neighbour (12.5 -> 12, 13.5 -> 14).
  EXPECT_EQ(dxf::TextOrigin(200, 60, 0, {25, 16}), Point(88, 22));
  EXPECT_EQ(dxf::TextOrigin(200, 60, 0, {27, 15}), Point(86, 22));
  // The page's strip: 16 x 590 turned by 90 degrees; the text runs upward from y0.
  EXPECT_EQ(dxf::TextOrigin(16, 590, 90, {301, 13}), Point(2, 445));
  EXPECT_EQ(dxf::TextOrigin(16, 590, 90, {300, 14}), Point(1, 445));
  // A full turn places as 0.
  EXPECT_EQ(dxf::TextOrigin(200, 60, 360, {25, 16}), dxf::TextOrigin(200, 60, 0, {25, 16}));
  EXPECT_EQ(dxf::TextOrigin(200, 60, 180, {25, 16}), Point(112, 38));
  EXPECT_EQ(dxf::TextOrigin(200, 60, 270, {25, 16}), Point(108, 18));
  // Odd sizes centre on the truncated half.
  EXPECT_EQ(dxf::TextOrigin(201, 61, 0, {0, 0}), Point(100, 30));
}

TEST(dxfArithmetic, EscapementIsTheAngleInTenthsWithinOneTurn) {
  EXPECT_EQ(dxf::Escapement(0), 0);
  EXPECT_EQ(dxf::Escapement(90), 900);
  EXPECT_EQ(dxf::Escapement(360), 0);
  EXPECT_EQ(dxf::Escapement(450), 900);
  EXPECT_EQ(dxf::Escapement(-90), 2700);
}

TEST(dxfArithmetic, GetColorBlendsRawChannelsTruncated) {
  EXPECT_EQ(dxf::GetColor(0x000000, 0xFFFFFF, 1, 2), 0x7F7F7F);
  EXPECT_EQ(dxf::GetColor(0xFFFFFF, clBlack, 1, 3), 0xAAAAAA);
  EXPECT_EQ(dxf::GetColor(0x646464, clBlack, 1, 3), 0x424242);  // 66.67 -> 66
  EXPECT_EQ(dxf::GetColor(clRed, clBlue, 1, 4), 0x3F00BF);
  EXPECT_EQ(dxf::GetColor(clRed, clBlue, 0, 4), clRed);
  // A system colour code is not resolved: its low bytes are blended.
  EXPECT_EQ(dxf::GetColor(clBtnShadow, clSilver, 0, 2), 0x000010);
}

TEST(dxfArithmetic, EffectOffsetsByOrientation) {
  EXPECT_EQ(dxf::EffectOffset(dxfLeft, 3), Point(-3, 0));
  EXPECT_EQ(dxf::EffectOffset(dxfRight, 3), Point(3, 0));
  EXPECT_EQ(dxf::EffectOffset(dxfTop, 3), Point(0, -3));
  EXPECT_EQ(dxf::EffectOffset(dxfBottom, 3), Point(0, 3));
  EXPECT_EQ(dxf::EffectOffset(dxfLeftTop, 3), Point(-3, -3));
  EXPECT_EQ(dxf::EffectOffset(dxfLeftBottom, 3), Point(-3, 3));
  EXPECT_EQ(dxf::EffectOffset(dxfRightTop, 3), Point(3, -3));
  EXPECT_EQ(dxf::EffectOffset(dxfRightBottom, 3), Point(3, 3));
}

// ---- Effect copies ----

class dxfEffectCopies : public ::testing::Test {
 protected:
  void SetUp() override {
    font.SetHeight(-40);
    effect.SetDepth(3);
  }

  std::unique_ptr<TBitmap> Drawn(TColor background = clWhite) {
    auto bitmap = MakeBitmap(140, 100, background);
    bitmap->Canvas()->SetFont(&font);
    bitmap->Canvas()->Brush()->SetStyle(bsClear);
    effect.DrawCopies(*bitmap->Canvas(), kX, kY, kText, background);
    return bitmap;
  }

  std::unique_ptr<TBitmap> Expected(std::initializer_list<TTextCopy> copies, TColor background = clWhite) {
    return DrawCopies(140, 100, background, &font, copies, [](TCanvas& canvas, const TTextCopy& copy) {
      canvas.TextOut(kX + copy.Dx, kY + copy.Dy, kText);
    });
  }

  static constexpr int kX = 50;
  static constexpr int kY = 30;
  static constexpr char kText[] = "■A";
  TFont font;
  Tdxf3DEffect effect;
};

TEST_F(dxfEffectCopies, ExtrusionRunsFromTheFarthestCopyToTheNearest) {
  effect.SetStyle(dxfExtrude);
  effect.SetOrientation(dxfLeftBottom);
  effect.SetShadowedColor(clRed);
  EXPECT_EQ(CountDifferences(*Drawn(), *Expected({{-3, 3, clRed}, {-2, 2, clRed}, {-1, 1, clRed}})), 0);
  effect.SetOrientation(dxfTop);
  EXPECT_EQ(CountDifferences(*Drawn(), *Expected({{0, -3, clRed}, {0, -2, clRed}, {0, -1, clRed}})), 0);
}

TEST_F(dxfEffectCopies, FunFadesFromTheBackgroundToTheShadowColour) {
  effect.SetStyle(dxfFun);
  effect.SetDepth(2);
  effect.SetShadowedColor(clBlack);
  effect.SetOrientation(dxfRightBottom);
  // Distance 2: 255 x 1/2 truncated; distance 1: the shadow colour itself, drawn last.
  EXPECT_EQ(CountDifferences(*Drawn(clWhite), *Expected({{2, 2, 0x7F7F7F}, {1, 1, clBlack}}, clWhite)), 0);
  EXPECT_GT(CountDifferences(*Drawn(clWhite), *Expected({{1, 1, clBlack}, {2, 2, 0x7F7F7F}}, clWhite)), 0);
}

TEST_F(dxfEffectCopies, CoolDrawsOneCopyAtFullDepth) {
  effect.SetStyle(dxfCool);
  effect.SetOrientation(dxfRight);
  effect.SetShadowedColor(clGreen);
  EXPECT_EQ(CountDifferences(*Drawn(), *Expected({{3, 0, clGreen}})), 0);
}

TEST_F(dxfEffectCopies, DepthZeroDrawsNothing) {
  effect.SetDepth(0);
  for (TdxfEffectStyle style : {dxfFun, dxfExtrude, dxfCool}) {
    effect.SetStyle(style);
    EXPECT_EQ(CountColor(*Drawn(), clWhite, Rect(0, 0, 140, 100)), 140 * 100) << "style " << int(style);
  }
}

TEST_F(dxfEffectCopies, SystemShadowColourIsResolvedExceptWhenFading) {
  effect.SetShadowedColor(clBtnShadow);
  effect.SetDepth(1);
  effect.SetStyle(dxfCool);
  EXPECT_EQ(CountDifferences(*Drawn(), *Expected({{1, 1, ColorToRGB(clBtnShadow)}})), 0);
  effect.SetStyle(dxfFun);
  EXPECT_EQ(CountDifferences(*Drawn(), *Expected({{1, 1, 0x000010}})), 0);
}

// ---- The label drawn into DrawBmp ----

class dxfLabelRender : public ::testing::Test {
 protected:
  void SetUp() override {
    label.SetBounds(0, 0, 200, 90);
    label.SetCaption("■A&");
    label.Font()->SetHeight(-40);
    label.Font()->SetColor(clWhite);
    label.SetColor(clBlack);
  }

  // The label's area of DrawBmp after Render.
  std::unique_ptr<TBitmap> Rendered() {
    label.Render();
    auto copy = MakeBitmap(label.Width(), label.Height(), clFuchsia);
    copy->Canvas()->CopyRect(Rect(0, 0, label.Width(), label.Height()), *DrawBmp().Canvas(),
                             Rect(0, 0, label.Width(), label.Height()));
    return copy;
  }

  // The background, then the caption at origin + offset in each colour, in the label's font turned
  // by its angle.
  std::unique_ptr<TBitmap> Expected(std::initializer_list<TTextCopy> copies) {
    auto bitmap = MakeBitmap(label.Width(), label.Height(), label.Color());
    TCanvas& canvas = *bitmap->Canvas();
    canvas.SetFont(label.Font());
    const TSize extent = canvas.TextExtent(label.Caption());
    LOGFONTW turned{};
    ::GetObjectW(canvas.Font()->Handle(), sizeof turned, &turned);
    turned.lfEscapement = ((label.Angle() % 360) * 10);
    canvas.Font()->SetHandle(::CreateFontIndirectW(&turned));
    origin = dxf::TextOrigin(label.Width(), label.Height(), label.Angle(), extent);
    canvas.Brush()->SetStyle(bsClear);
    for (const TTextCopy& copy : copies) {
      canvas.Font()->SetColor(copy.Color);
      canvas.TextOut(origin.X + copy.Dx, origin.Y + copy.Dy, label.Caption());
    }
    return bitmap;
  }

  TdxfLabel label{nullptr};
  TPoint origin;
};

TEST_F(dxfLabelRender, AngleZeroCentresTheCaptionAndDrawsTheAmpersand) {
  auto drawn = Rendered();
  EXPECT_EQ(CountDifferences(*drawn, *Expected({{0, 0, clWhite}})), 0);
  const TRect ink = InkBounds(*drawn, clWhite);
  EXPECT_NEAR((ink.Left + ink.Right) / 2.0, 100, 3);
  EXPECT_GT(ink.Width(), ink.Height());
}

TEST_F(dxfLabelRender, FullTurnDrawsAsAngleZero) {
  auto flat = Rendered();
  label.SetAngle(360);
  ASSERT_EQ(label.Angle(), 360);
  EXPECT_EQ(CountDifferences(*Rendered(), *flat), 0);
}

TEST_F(dxfLabelRender, AngleNinetyReadsFromBottomToTop) {
  label.SetBounds(0, 0, 60, 200);
  label.SetCaption("■□");
  label.SetAngle(90);
  auto drawn = Rendered();
  EXPECT_EQ(CountDifferences(*drawn, *Expected({{0, 0, clWhite}})), 0);
  const TRect ink = InkBounds(*drawn, clWhite);
  EXPECT_GT(ink.Height(), ink.Width());
  EXPECT_NEAR((ink.Top + ink.Bottom) / 2.0, 100, 3);
  EXPECT_NEAR((ink.Left + ink.Right) / 2.0, 30, 6);
  // The filled square comes first, so it is at the bottom.
  const int middle = (ink.Top + ink.Bottom) / 2;
  EXPECT_GT(CountColor(*drawn, clWhite, Rect(0, middle, 60, 200)), 2 * CountColor(*drawn, clWhite, Rect(0, 0, 60, middle)));
}

TEST_F(dxfLabelRender, EffectCopiesPerOrientationInScreenPixelsWhateverTheAngle) {
  label.Effect3D()->SetStyle(dxfExtrude);
  label.Effect3D()->SetDepth(2);
  label.Effect3D()->SetShadowedColor(clGray);
  for (int angle : {0, 90}) {
    label.SetAngle(angle);
    for (int o = dxfLeft; o <= dxfRightBottom; ++o) {
      const auto orientation = static_cast<TdxfOrientation>(o);
      label.Effect3D()->SetOrientation(orientation);
      const TPoint farthest = dxf::EffectOffset(orientation, 2);
      const TPoint nearest{farthest.X / 2, farthest.Y / 2};
      EXPECT_EQ(CountDifferences(*Rendered(),
                                 *Expected({{farthest.X, farthest.Y, clGray}, {nearest.X, nearest.Y, clGray}, {0, 0, clWhite}})),
                0)
          << "angle " << angle << ", orientation " << o;
    }
  }
}

TEST_F(dxfLabelRender, RaisedAddsTheDeepShadowFromTwelvePoints) {
  label.SetStyle(dxfRaised);
  label.Font()->SetSize(10);
  EXPECT_EQ(CountDifferences(*Rendered(), *Expected({{0, 0, ColorToRGB(clBtnHighlight)}, {1, 1, clWhite}})), 0);
  label.Font()->SetSize(12);
  EXPECT_EQ(CountDifferences(*Rendered(), *Expected({{0, 0, ColorToRGB(clBtnHighlight)},
                                                     {2, 2, ColorToRGB(clBtnShadow)},
                                                     {1, 1, clWhite}})),
            0);
}

TEST_F(dxfLabelRender, LoweredTakesTheParentColourForItsShade) {
  label.SetStyle(dxfLowered);
  label.SetColor(0x646464);
  ASSERT_FALSE(label.ParentColor());
  // Without a parent the colour stays, and the shade is two thirds of it.
  EXPECT_EQ(CountDifferences(*Rendered(), *Expected({{2, 2, ColorToRGB(clBtnHighlight)}, {1, 1, 0x424242}})), 0);
  EXPECT_TRUE(label.ParentColor());
}

TEST_F(dxfLabelRender, OutlineStrokesTheLettersWithThePenWidth) {
  label.SetCaption("■");
  auto filled = Rendered();
  const TRect square = InkBounds(*filled, clWhite);
  const TPoint centre{(square.Left + square.Right) / 2, (square.Top + square.Bottom) / 2};
  label.SetStyle(dxfOutLine);
  auto thin = Rendered();
  EXPECT_EQ(PixelOf(*thin, centre.X, centre.Y), clBlack);
  EXPECT_GT(CountColor(*thin, clWhite, square), 0);
  label.SetPenWidth(5);
  EXPECT_GT(CountColor(*Rendered(), clWhite, square), CountColor(*thin, clWhite, square) * 2);
}

TEST_F(dxfLabelRender, GlyphFillsTheLettersInsteadOfTheFace) {
  label.SetCaption("■");
  const TRect square = InkBounds(*Rendered(), clWhite);
  auto tile = MakeBitmap(4, 4, clLime);
  label.SetGlyph(tile.get());
  auto textured = Rendered();
  EXPECT_EQ(PixelOf(*textured, (square.Left + square.Right) / 2, (square.Top + square.Bottom) / 2), clLime);
  EXPECT_EQ(CountColor(*textured, clWhite, Rect(0, 0, label.Width(), label.Height())), 0);
  EXPECT_EQ(CountColor(*textured, clLime, Rect(0, 0, square.Left - 2, label.Height())), 0);
}

TEST_F(dxfLabelRender, SharedBitmapOnlyGrows) {
  label.SetBounds(0, 0, 320, 140);
  label.Render();
  const int width = DrawBmp().Width();
  const int height = DrawBmp().Height();
  EXPECT_GE(width, 320);
  EXPECT_GE(height, 140);
  TdxfLabel small(nullptr);
  small.SetBounds(0, 0, 30, 20);
  small.Render();
  EXPECT_EQ(DrawBmp().Width(), width);
  EXPECT_EQ(DrawBmp().Height(), height);
  // The whole bitmap is scratch: the small label's colour fills it all.
  EXPECT_EQ(PixelOf(DrawBmp(), width - 1, height - 1), ColorToRGB(small.Color()));
}

// ---- Properties and the TrueType check ----

TEST(dxfLabelProperties, ConstructorValuesAndNoDeclaredDefaults) {
  TdxfLabel label(nullptr);
  EXPECT_FALSE(label.AutoSize());
  EXPECT_FALSE(label.ParentFont());
  EXPECT_FALSE(label.Transparent());
  EXPECT_EQ(label.Style(), dxfNormal);
  EXPECT_EQ(label.Angle(), 0);
  EXPECT_EQ(label.PenWidth(), 1);
  EXPECT_TRUE(label.Glyph()->Empty());
  EXPECT_EQ(label.Effect3D()->Style(), dxfCool);
  EXPECT_EQ(label.Effect3D()->Orientation(), dxfRightBottom);
  EXPECT_EQ(label.Effect3D()->Depth(), 0);
  EXPECT_EQ(label.Effect3D()->ShadowedColor(), clGray);
  for (const char* name : {"Style", "Angle", "Effect3D", "Glyph", "PenWidth"}) {
    const TPropInfo* info = GetPropInfo(&label, name);
    ASSERT_NE(info, nullptr) << name;
    EXPECT_FALSE(info->Default.has_value()) << name;
  }
  for (const char* name : {"Style", "Orientation", "Depth", "ShadowedColor"}) {
    const TPropInfo* info = GetPropInfo(label.Effect3D(), name);
    ASSERT_NE(info, nullptr) << name;
    EXPECT_FALSE(info->Default.has_value()) << name;
  }
  for (const char* name : {"Align", "AutoSize", "Caption", "Color", "DragCursor", "DragMode", "Enabled",
                           "FocusControl", "Font", "ParentColor", "ParentFont", "ParentShowHint", "PopupMenu",
                           "ShowHint", "Transparent", "Visible", "OnClick", "OnDblClick", "OnDragDrop",
                           "OnDragOver", "OnEndDrag", "OnMouseDown", "OnMouseMove", "OnMouseUp"})
    EXPECT_NE(GetPropInfo(&label, name), nullptr) << name;
  EXPECT_EQ(GetEnumName(*GetPropInfo(label.Effect3D(), "Orientation")->PropType, dxfRightBottom), "dxfRightBottom");
}

TEST(dxfLabelProperties, AssigningAnEffectCopiesItsSettings) {
  TdxfLabel label(nullptr);
  Tdxf3DEffect settings;
  settings.SetStyle(dxfFun);
  settings.SetOrientation(dxfTop);
  settings.SetDepth(4);
  settings.SetShadowedColor(clRed);
  Tdxf3DEffect* own = label.Effect3D();
  label.SetEffect3D(&settings);
  EXPECT_EQ(label.Effect3D(), own);
  EXPECT_EQ(own->Style(), dxfFun);
  EXPECT_EQ(own->Orientation(), dxfTop);
  EXPECT_EQ(own->Depth(), 4);
  EXPECT_EQ(own->ShadowedColor(), clRed);
}

TEST(dxfLabelProperties, AnglesOutsideOneTurnAreIgnored) {
  TScriptedDialogs dialogs;
  TDialogServiceScope scope(dialogs);
  TdxfLabel label(nullptr);
  label.SetAngle(90);
  label.SetAngle(361);
  EXPECT_EQ(label.Angle(), 90);
  label.SetAngle(-1);
  EXPECT_EQ(label.Angle(), 90);
  label.SetAngle(360);
  EXPECT_EQ(label.Angle(), 360);
  EXPECT_TRUE(dialogs.Requests.empty());
}

TEST(dxfLabelProperties, TurningARasterFontIsRefusedWithAMessage) {
  if (!RasterFontAvailable()) GTEST_SKIP() << "no raster font on this system";
  TScriptedDialogs dialogs;
  TDialogServiceScope scope(dialogs);
  TdxfLabel label(nullptr);
  UseRasterFont(*label.Font());
  label.SetAngle(90);
  EXPECT_EQ(label.Angle(), 0);
  ASSERT_EQ(dialogs.Requests.size(), 1u);
  EXPECT_EQ(dialogs.Requests[0].Text, "The Angle property is applicable for the TrueType fonts only");
  for (int unchangedOrOutOfRange : {0, 361, -1}) label.SetAngle(unchangedOrOutOfRange);
  // Read from a layout, a turned raster font is refused without a word.
  RegisterDxfLabelClasses();
  TdxfLabel turned(nullptr);
  turned.SetAngle(90);
  UseRasterFont(*turned.Font());
  turned.SetAngle(90);  // unchanged
  const auto copy = test_support::RoundTrip(turned);
  ASSERT_NE(copy, nullptr);
  EXPECT_EQ(copy->Angle(), 0);
  EXPECT_EQ(dialogs.Requests.size(), 1u);
}

TEST(dxfLabelProperties, RasterFontSetAfterTheAngleDrawsPlainWithoutTexture) {
  if (!RasterFontAvailable()) GTEST_SKIP() << "no raster font on this system";
  TdxfLabel label(nullptr);
  label.SetBounds(0, 0, 120, 40);
  label.SetCaption("Tavelko");
  label.SetColor(clBlack);
  auto tile = MakeBitmap(4, 4, clLime);
  label.SetGlyph(tile.get());
  UseRasterFont(*label.Font());
  label.Font()->SetColor(clWhite);
  label.SetStyle(dxfOutLine);
  label.Render();
  auto area = MakeBitmap(120, 40, clFuchsia);
  area->Canvas()->CopyRect(Rect(0, 0, 120, 40), *DrawBmp().Canvas(), Rect(0, 0, 120, 40));
  EXPECT_GT(CountColor(*area, clWhite, Rect(0, 0, 120, 40)), 20);
  EXPECT_EQ(CountColor(*area, clLime, Rect(0, 0, 120, 40)), 0);
}

TEST(dxfLabelProperties, RegisteredForTheStream) {
  RegisterDxfLabelClasses();
  ASSERT_NE(GetClass("TdxfLabel"), nullptr);
  TComponent owner(nullptr);
  EXPECT_NE(dynamic_cast<TdxfLabel*>(GetClass("TdxfLabel")->Create(&owner)), nullptr);
}
