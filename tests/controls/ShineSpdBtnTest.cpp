// The shine speed button: its properties and stream, the face, frames, layouts and caption copies
// painted into bitmaps, the disabled looks, and in a real window its groups with the framework's
// speed buttons, the accelerator, hot tracking and the leave timer.
#include <windows.h>

#include <algorithm>
#include <cstdint>
#include <optional>
#include <vector>

#include "controls/ShineSpdBtn.h"
#include "tests/controls/ControlsTestSupport.h"
#include "tests/support/FormFixture.h"
#include "tests/support/InputDrivers.h"
#include "tests/support/MessagePump.h"
#include "tests/support/StreamWriters.h"

using namespace controls_test;

namespace {

// Face colours that tell every stroke apart.
constexpr TColor kFace = clSilver;
constexpr TColor kLight = clWhite;
constexpr TColor kShade = clGray;
constexpr TColor kDark = clBlack;
constexpr TColor kPressedFace = clAqua;
constexpr TColor kPressedLight = clLime;
constexpr TColor kPressedShade = clMaroon;
constexpr TColor kPressedDark = clNavy;
// Around painted buttons, and the glyphs' background.
constexpr TColor kBehind = clPurple;
constexpr TColor kKey = clFuchsia;

constexpr TColor Colour(int r, int g, int b) { return r | g << 8 | b << 16; }

void UseTellingColours(TShineSpeedButton& button) {
  TShineBtnColors* up = button.Colors();
  up->SetColor(kFace);
  up->SetHighlight(kLight);
  up->SetShadow(kShade);
  up->SetDarkShadow(kDark);
  TShineBtnColors* down = button.PressedColors();
  down->SetColor(kPressedFace);
  down->SetHighlight(kPressedLight);
  down->SetShadow(kPressedShade);
  down->SetDarkShadow(kPressedDark);
}

// The button painted through WM_PAINT into a bitmap of its size that showed kBehind before.
std::unique_ptr<TBitmap> Painted(TShineSpeedButton& button) {
  auto bitmap = MakeBitmap(button.Width(), button.Height(), kBehind);
  button.Perform(WM_PAINT, reinterpret_cast<WPARAM>(bitmap->Canvas()->Handle()), 0);
  return bitmap;
}

// A w x h glyph of `ink` whose bottom-left pixel is the key, so all but that pixel is drawn.
std::unique_ptr<TBitmap> SolidGlyph(int w, int h, TColor ink) {
  auto glyph = MakeBitmap(w, h, ink);
  glyph->Canvas()->SetPixels(0, h - 1, kKey);
  return glyph;
}

// A button of the size with telling colours, a plain face and no frame.
std::unique_ptr<TShineSpeedButton> PlainButton(int width, int height) {
  auto button = std::make_unique<TShineSpeedButton>(nullptr);
  button->SetBounds(0, 0, width, height);
  UseTellingColours(*button);
  button->SetUpFrame(false);
  button->SetDownFrame(false);
  button->SetActiveFrame(false);
  return button;
}

void Latch(TShineSpeedButton& button) {
  button.SetGroupIndex(1);
  button.SetDown(true);
}

// The extent DrawText measures for `text` in `font`.
TSize CaptionExtent(TFont* font, const String& text) {
  auto scratch = MakeBitmap(1, 1);
  scratch->Canvas()->SetFont(font);
  TRect rect = Rect(0, 0, 200, 0);
  scratch->Canvas()->DrawText(text, rect, DT_CALCRECT);
  return {rect.Width(), rect.Height()};
}

struct TEventLog : TObject {
  int clicks = 0;
  int enters = 0;
  int leaves = 0;
  int doubleClicks = 0;
  std::vector<TShineState> statesInClick;
  void Clicked(TObject* sender) {
    ++clicks;
    statesInClick.push_back(static_cast<TShineSpeedButton*>(sender)->State());
  }
  void Entered(TObject*, TShiftState, int, int) { ++enters; }
  void Left(TObject*, TShiftState, int, int) { ++leaves; }
  void DoubleClicked(TObject*) { ++doubleClicks; }
};

bool Contains(const Bytes& bytes, const char* text) {
  const std::string needle(text);
  return std::search(bytes.begin(), bytes.end(), needle.begin(), needle.end()) != bytes.end();
}

}  // namespace

// ---- Properties and stream ----

TEST(ShineSpdBtnProperties, ConstructorValuesAndDeclaredDefaults) {
  TShineSpeedButton button(nullptr);
  EXPECT_EQ(button.Width(), 25);
  EXPECT_EQ(button.Height(), 25);
  EXPECT_EQ(button.ControlStyle(), (TControlStyle{csCaptureMouse, csOpaque, csDoubleClicks}));
  EXPECT_EQ(button.State(), TShineState::stUp);
  EXPECT_EQ(button.Caption(), "");
  EXPECT_EQ(button.Colors()->Color(), clBtnFace);
  EXPECT_EQ(button.PressedColors()->Color(), clBtnHighlight);
  EXPECT_EQ(button.Font()->Color(), clBtnText);
  EXPECT_EQ(button.ActiveFont()->Color(), clHighlight);
  EXPECT_TRUE(button.Glyph()->Empty());

  struct Row {
    const char* name;
    std::int64_t value;
  };
  const Row rows[] = {{"GroupIndex", 0},           {"Down", 0},
                      {"ClickDownHook", 0},        {"AccelCharDown", 0},
                      {"FrameType", ftNormalFrame}, {"Transparent", 0},
                      {"ActiveFrame", 1},          {"UpFrame", 1},
                      {"DownFrame", 1},            {"ActiveImage", aiFrameLight},
                      {"DisabledImage", diDefault}, {"DisabledHighlight", clBtnHighlight},
                      {"DisabledShadow", clBtnShadow}, {"ShineColor", 0x00FFFF},
                      {"FontHighlight", 0x1FFFFFFF}, {"FontShadow", 0x1FFFFFFF},
                      {"AllowAllUp", 0},           {"Layout", blGlyphLeft},
                      {"Margin", -1},              {"Spacing", 4}};
  for (const Row& row : rows) {
    const TPropInfo* info = GetPropInfo(&button, row.name);
    ASSERT_NE(info, nullptr) << row.name;
    EXPECT_EQ(info->Default, row.value) << row.name;
    EXPECT_EQ(GetOrdProp(&button, info), row.value) << row.name;
  }
  const Row colourRows[] = {{"Highlight", clBtnHighlight}, {"Shadow", clBtnShadow}, {"DarkShadow", clWindowFrame},
                            {"GradColor", clBlue},         {"GradVertical", 0},       {"Gradation", 0}};
  for (const Row& row : colourRows) {
    const TPropInfo* info = GetPropInfo(button.Colors(), row.name);
    ASSERT_NE(info, nullptr) << row.name;
    EXPECT_EQ(info->Default, row.value) << row.name;
    EXPECT_EQ(GetOrdProp(button.PressedColors(), info), row.value) << row.name;
  }
  EXPECT_FALSE(GetPropInfo(button.Colors(), "Color")->Default.has_value());
  for (const char* name : {"Action", "Align", "Anchors", "BiDiMode", "Caption", "Constraints", "Cursor", "Enabled",
                           "Height", "Hint", "Left", "Name", "ParentBiDiMode", "ParentShowHint", "ShowHint", "Tag",
                           "Top", "Visible", "Width", "OnClick", "OnDblClick", "OnMouseDown", "OnMouseMove",
                           "OnMouseUp", "Colors", "PressedColors", "Font", "ActiveFont", "Glyph", "OnMouseEnter",
                           "OnMouseLeave"})
    EXPECT_NE(GetPropInfo(&button, name), nullptr) << name;
  EXPECT_EQ(GetEnumName(*GetPropInfo(&button, "FrameType")->PropType, ftEnclosedFrame), "ftEnclosedFrame");
}

TEST(ShineSpdBtnProperties, ColourSetsCopyAllSevenValuesAndReport) {
  TShineBtnColors source(clRed);
  source.SetHighlight(clLime);
  source.SetShadow(clNavy);
  source.SetDarkShadow(clTeal);
  source.SetGradColor(clYellow);
  source.SetGradVertical(true);
  source.SetGradation(true);
  TShineBtnColors target;
  int changes = 0;
  struct TCounter : TObject {
    int* count;
    void Changed(TObject*) { ++*count; }
  } counter;
  counter.count = &changes;
  target.OnChange = TNotifyEvent(&counter, &TCounter::Changed);
  target.Assign(&source);
  EXPECT_EQ(changes, 1);
  EXPECT_EQ(target.Color(), clRed);
  EXPECT_EQ(target.Highlight(), clLime);
  EXPECT_EQ(target.Shadow(), clNavy);
  EXPECT_EQ(target.DarkShadow(), clTeal);
  EXPECT_EQ(target.GradColor(), clYellow);
  EXPECT_TRUE(target.GradVertical());
  EXPECT_TRUE(target.Gradation());
  target.SetShadow(clNavy);  // unchanged: no report
  EXPECT_EQ(changes, 1);
}

TEST(ShineSpdBtnStream, DefaultsAreLeftOutAndChangedValuesComeBack) {
  RegisterShineSpdBtnClasses();
  TShineSpeedButton plain(nullptr);
  plain.SetName("Plain");
  const Bytes defaults = WriteRoot(&plain);
  for (const char* name : {"GroupIndex", "FrameType", "ActiveFrame", "ShineColor", "FontShadow", "Margin", "Spacing",
                           "Colors.Highlight", "Colors.Gradation", "PressedColors.GradColor"})
    EXPECT_FALSE(Contains(defaults, name)) << name;
  EXPECT_TRUE(Contains(defaults, "Colors.Color"));  // no declared default: always written

  TShineSpeedButton button(nullptr);
  button.SetName("Shine1");
  button.SetBounds(3, 4, 70, 30);
  button.SetCaption("&Save");
  button.SetGroupIndex(5);
  button.SetAllowAllUp(true);
  button.SetDown(true);
  button.SetClickDownHook(true);
  button.SetAccelCharDown(true);
  button.SetFrameType(ftEnclosedFrame);
  button.SetTransparent(true);
  button.SetActiveFrame(false);
  button.SetUpFrame(false);
  button.SetDownFrame(false);
  button.SetActiveImage(aiMaskLight);
  button.SetDisabledImage(diGrayscale);
  button.SetDisabledHighlight(clLime);
  button.SetDisabledShadow(clNavy);
  button.Colors()->SetGradation(true);
  button.Colors()->SetGradColor(clRed);
  button.PressedColors()->SetGradVertical(true);
  button.PressedColors()->SetDarkShadow(clTeal);
  button.SetShineColor(clAqua);
  button.Font()->SetColor(clMaroon);
  button.SetFontHighlight(clWhite);
  button.SetFontShadow(clGray);
  button.ActiveFont()->SetStyle({fsBold});
  button.SetLayout(blGlyphBottom);
  button.SetMargin(2);
  button.SetSpacing(0);
  button.SetGlyph(SolidGlyph(6, 5, clGreen).get());

  auto copy = RoundTrip(button);
  ASSERT_NE(copy, nullptr);
  EXPECT_EQ(copy->BoundsRect(), Bounds(3, 4, 70, 30));
  EXPECT_EQ(copy->Caption(), "&Save");
  EXPECT_EQ(copy->GroupIndex(), 5);
  EXPECT_TRUE(copy->AllowAllUp());
  EXPECT_TRUE(copy->Down());
  EXPECT_TRUE(copy->ClickDownHook());
  EXPECT_TRUE(copy->AccelCharDown());
  EXPECT_EQ(copy->FrameType(), ftEnclosedFrame);
  EXPECT_TRUE(copy->Transparent());
  EXPECT_FALSE(copy->ActiveFrame());
  EXPECT_FALSE(copy->UpFrame());
  EXPECT_FALSE(copy->DownFrame());
  EXPECT_EQ(copy->ActiveImage(), aiMaskLight);
  EXPECT_EQ(copy->DisabledImage(), diGrayscale);
  EXPECT_EQ(copy->DisabledHighlight(), clLime);
  EXPECT_EQ(copy->DisabledShadow(), clNavy);
  EXPECT_TRUE(copy->Colors()->Gradation());
  EXPECT_EQ(copy->Colors()->GradColor(), clRed);
  EXPECT_EQ(copy->Colors()->Color(), clBtnFace);
  EXPECT_TRUE(copy->PressedColors()->GradVertical());
  EXPECT_EQ(copy->PressedColors()->DarkShadow(), clTeal);
  EXPECT_EQ(copy->PressedColors()->Color(), clBtnHighlight);
  EXPECT_EQ(copy->ShineColor(), clAqua);
  EXPECT_EQ(copy->Font()->Color(), clMaroon);
  EXPECT_EQ(copy->FontHighlight(), clWhite);
  EXPECT_EQ(copy->FontShadow(), clGray);
  EXPECT_EQ(copy->ActiveFont()->Style(), TFontStyles{fsBold});
  EXPECT_EQ(copy->ActiveFont()->Color(), clHighlight);
  EXPECT_EQ(copy->Layout(), blGlyphBottom);
  EXPECT_EQ(copy->Margin(), 2);
  EXPECT_EQ(copy->Spacing(), 0);
  ASSERT_EQ(copy->Glyph()->Width(), 6);
  EXPECT_EQ(copy->Glyph()->PixelFormat(), pf32bit);
  EXPECT_EQ(PixelOf(*copy->Glyph(), 3, 2), clGreen);
}

TEST(ShineSpdBtnProperties, GlyphIsKeptAs32BitAndNullEmptiesIt) {
  TShineSpeedButton button(nullptr);
  auto glyph = SolidGlyph(4, 3, clRed);
  ASSERT_NE(glyph->PixelFormat(), pf32bit);
  button.SetGlyph(glyph.get());
  EXPECT_EQ(button.Glyph()->PixelFormat(), pf32bit);
  EXPECT_EQ(button.Glyph()->HandleType(), bmDIB);
  // A change made on the glyph itself is converted too.
  button.Glyph()->SetPixelFormat(pf24bit);
  EXPECT_EQ(button.Glyph()->PixelFormat(), pf32bit);
  button.SetGlyph(nullptr);
  EXPECT_TRUE(button.Glyph()->Empty());
  EXPECT_EQ(button.Glyph()->Width(), 0);
}

// ---- Face ----

TEST(ShineSpdBtnFace, GradientStepsRunFromTheFaceColourToTheGradientColour) {
  auto steps = shine::GradientSteps(Colour(10, 200, 0), Colour(250, 100, 255), false);
  ASSERT_EQ(steps->Width(), 256);
  ASSERT_EQ(steps->Height(), 1);
  EXPECT_EQ(PixelOf(*steps, 0, 0), Colour(10, 200, 0));
  EXPECT_EQ(PixelOf(*steps, 255, 0), Colour(250, 100, 255));
  // (250 - 10) * 100 / 255 + 10 = 104; (100 - 200) * 100 / 255 truncates toward zero to -39.
  EXPECT_EQ(PixelOf(*steps, 100, 0), Colour(104, 161, 100));
  auto column = shine::GradientSteps(clBtnFace, clBlack, true);
  ASSERT_EQ(column->Width(), 1);
  ASSERT_EQ(column->Height(), 256);
  EXPECT_EQ(PixelOf(*column, 0, 0), Rgb(clBtnFace));
  EXPECT_EQ(PixelOf(*column, 0, 255), clBlack);
}

// Red to blue: step e is (255 - e, 0, e), so a pixel's blue tells its step.
class ShineSpdBtnGradient : public ::testing::Test {
 protected:
  std::unique_ptr<TShineSpeedButton> RedToBlue(int width, int height, bool vertical) {
    auto button = PlainButton(width, height);
    button->Colors()->SetGradation(true);
    button->Colors()->SetColor(clRed);
    button->Colors()->SetGradColor(clBlue);
    button->Colors()->SetGradVertical(vertical);
    return button;
  }
  static int StepOf(TColor pixel) { return pixel >> 16 & 0xFF; }
  static bool OnTheGradient(TColor pixel) { return (pixel & 0xFF) + StepOf(pixel) == 255 && (pixel & 0xFF00) == 0; }
};

TEST_F(ShineSpdBtnGradient, FaceOf256PixelsShowsEveryStepFromEndToEnd) {
  auto across = Painted(*RedToBlue(256, 20, false));
  EXPECT_EQ(PixelOf(*across, 0, 0), clRed);
  EXPECT_EQ(PixelOf(*across, 0, 19), clRed);
  EXPECT_EQ(PixelOf(*across, 255, 10), clBlue);
  for (int x = 0; x < 256; ++x) EXPECT_EQ(StepOf(PixelOf(*across, x, 7)), x) << "column " << x;

  auto down = Painted(*RedToBlue(20, 256, true));
  EXPECT_EQ(PixelOf(*down, 19, 0), clRed);
  EXPECT_EQ(PixelOf(*down, 0, 255), clBlue);
  EXPECT_EQ(StepOf(PixelOf(*down, 10, 100)), 100);
}

TEST_F(ShineSpdBtnGradient, SmallerFacesSampleTheStepsInOrder) {
  auto across = Painted(*RedToBlue(40, 30, false));
  int previous = -1;
  for (int x = 0; x < 40; ++x) {
    const TColor pixel = PixelOf(*across, x, 15);
    EXPECT_TRUE(OnTheGradient(pixel)) << "column " << x;
    EXPECT_GT(StepOf(pixel), previous) << "column " << x;
    EXPECT_EQ(PixelOf(*across, x, 0), pixel) << "column " << x;
    previous = StepOf(pixel);
  }
  // 6.4 steps a pixel: the end columns show steps of the first and the last pixel's share.
  EXPECT_LE(StepOf(PixelOf(*across, 0, 0)), 6);
  EXPECT_GE(StepOf(PixelOf(*across, 39, 0)), 249);
}

TEST_F(ShineSpdBtnGradient, PressedFaceIsThePressedSets) {
  auto button = RedToBlue(40, 30, false);
  Latch(*button);
  EXPECT_EQ(PixelOf(*Painted(*button), 20, 15), kPressedFace);
}

TEST(ShineSpdBtnFace, TransparentButtonLeavesWhatWasBeneathAndKeepsItsFrame) {
  auto button = PlainButton(30, 20);
  button->SetUpFrame(true);
  button->SetTransparent(true);
  EXPECT_FALSE(button->ControlStyle().Contains(csOpaque));
  auto bitmap = Painted(*button);
  EXPECT_EQ(PixelOf(*bitmap, 15, 10), kBehind);
  EXPECT_EQ(PixelOf(*bitmap, 0, 0), kLight);
  button->SetTransparent(false);
  EXPECT_TRUE(button->ControlStyle().Contains(csOpaque));
  EXPECT_EQ(PixelOf(*Painted(*button), 15, 10), kFace);
}

// ---- Frames: a 30 x 20 button, the table's strokes pixel by pixel ----

class ShineSpdBtnFrame : public ::testing::Test {
 protected:
  void SetUp() override {
    button = PlainButton(30, 20);
    button->SetUpFrame(true);
    button->SetDownFrame(true);
  }
  TColor At(int x, int y) { return PixelOf(*bitmap, x, y); }
  void Paint(TFrameType type, bool down) {
    button->SetFrameType(type);
    if (down) Latch(*button);
    bitmap = Painted(*button);
  }

  std::unique_ptr<TShineSpeedButton> button;
  std::unique_ptr<TBitmap> bitmap;
};

TEST_F(ShineSpdBtnFrame, NormalUp) {
  Paint(ftNormalFrame, false);
  EXPECT_EQ(At(0, 0), kLight);
  EXPECT_EQ(At(28, 0), kLight);
  EXPECT_EQ(At(29, 0), kFace);  // the end points are not drawn
  EXPECT_EQ(At(0, 18), kLight);
  EXPECT_EQ(At(0, 19), kFace);
  EXPECT_EQ(At(15, 19), kDark);
  EXPECT_EQ(At(29, 19), kDark);
  EXPECT_EQ(At(29, 1), kDark);
  EXPECT_EQ(At(15, 18), kShade);
  EXPECT_EQ(At(28, 10), kShade);
  EXPECT_EQ(At(1, 18), kShade);
  EXPECT_EQ(At(1, 1), kFace);
}

TEST_F(ShineSpdBtnFrame, NormalDown) {
  Paint(ftNormalFrame, true);
  EXPECT_EQ(At(0, 0), kPressedDark);
  EXPECT_EQ(At(28, 0), kPressedDark);
  EXPECT_EQ(At(0, 18), kPressedDark);
  EXPECT_EQ(At(1, 1), kPressedShade);
  EXPECT_EQ(At(28, 1), kPressedShade);
  EXPECT_EQ(At(1, 18), kPressedShade);
  EXPECT_EQ(At(15, 19), kPressedLight);
  EXPECT_EQ(At(29, 10), kPressedLight);
  EXPECT_EQ(At(15, 10), kPressedFace);
}

TEST_F(ShineSpdBtnFrame, FlatUpAndDown) {
  Paint(ftFlatFrame, false);
  EXPECT_EQ(At(0, 0), kLight);
  EXPECT_EQ(At(0, 18), kLight);
  EXPECT_EQ(At(15, 19), kShade);
  EXPECT_EQ(At(29, 5), kShade);
  EXPECT_EQ(At(1, 1), kFace);
  Paint(ftFlatFrame, true);
  EXPECT_EQ(At(0, 0), kPressedShade);
  EXPECT_EQ(At(15, 19), kPressedLight);
  EXPECT_EQ(At(1, 1), kPressedFace);
}

TEST_F(ShineSpdBtnFrame, EnclosedUp) {
  Paint(ftEnclosedFrame, false);
  for (TPoint p : {TPoint{0, 0}, TPoint{29, 0}, TPoint{0, 19}, TPoint{29, 19}, TPoint{15, 0}, TPoint{15, 19}})
    EXPECT_EQ(At(p.X, p.Y), kDark) << p.X << ", " << p.Y;
  EXPECT_EQ(At(1, 1), kLight);
  EXPECT_EQ(At(27, 1), kLight);
  EXPECT_EQ(At(28, 1), kFace);
  EXPECT_EQ(At(1, 17), kLight);
  EXPECT_EQ(At(28, 18), kShade);
  EXPECT_EQ(At(2, 18), kShade);
  EXPECT_EQ(At(28, 2), kShade);
  EXPECT_EQ(At(15, 10), kFace);
}

TEST_F(ShineSpdBtnFrame, EnclosedDownKeepsTheUpOutline) {
  Paint(ftEnclosedFrame, true);
  EXPECT_EQ(At(0, 0), kDark);
  EXPECT_EQ(At(15, 19), kDark);
  EXPECT_EQ(At(1, 1), kPressedShade);
  EXPECT_EQ(At(28, 18), kPressedLight);
  EXPECT_EQ(At(15, 10), kPressedFace);
}

TEST_F(ShineSpdBtnFrame, EachStateAsksForItsOwnFrameSwitch) {
  button->SetUpFrame(false);
  Paint(ftNormalFrame, false);
  EXPECT_EQ(At(0, 0), kFace);
  button->SetUpFrame(true);
  button->SetDownFrame(false);
  Paint(ftNormalFrame, true);
  EXPECT_EQ(At(0, 0), kPressedFace);
  // The up frame also frames the disabled button.
  button->SetEnabled(false);
  bitmap = Painted(*button);
  EXPECT_EQ(button->State(), TShineState::stDisabled);
  EXPECT_EQ(At(0, 0), kLight);
}

// ---- Layout ----

TEST(ShineSpdBtnLayout, GlyphAndCaptionSideBySide) {
  const TSize glyph{8, 6};
  const TSize caption{20, 10};
  const TSize client{60, 30};
  auto left = shine::PlaceContent(glyph, caption, client, blGlyphLeft, 5, 3);
  EXPECT_EQ(left.Glyph, (TPoint{5, 12}));  // block 31 x 10 at (5, 10)
  EXPECT_EQ(left.Caption, Bounds(16, 10, 20, 10));
  auto right = shine::PlaceContent(glyph, caption, client, blGlyphRight, 5, 3);
  EXPECT_EQ(right.Caption, Bounds(24, 10, 20, 10));  // block at 60 - 31 - 5
  EXPECT_EQ(right.Glyph, (TPoint{47, 12}));
  auto centred = shine::PlaceContent(glyph, caption, client, blGlyphRight, -1, 3);
  EXPECT_EQ(centred.Caption, Bounds(14, 10, 20, 10));  // (60 - 31) / 2 truncated
}

TEST(ShineSpdBtnLayout, GlyphAndCaptionStacked) {
  const TSize glyph{8, 6};
  const TSize caption{20, 10};
  const TSize client{60, 40};
  auto top = shine::PlaceContent(glyph, caption, client, blGlyphTop, 2, 4);
  EXPECT_EQ(top.Glyph, (TPoint{26, 2}));  // block 20 x 20 at (20, 2)
  EXPECT_EQ(top.Caption, Bounds(20, 12, 20, 10));
  auto bottom = shine::PlaceContent(glyph, caption, client, blGlyphBottom, 2, 4);
  EXPECT_EQ(bottom.Caption, Bounds(20, 18, 20, 10));  // block at 40 - 20 - 2
  EXPECT_EQ(bottom.Glyph, (TPoint{26, 32}));
}

TEST(ShineSpdBtnLayout, WithoutAGlyphThereIsNoSpacingAndTheCaptionIsCentred) {
  auto top = shine::PlaceContent(std::nullopt, TSize{20, 10}, {60, 40}, blGlyphTop, -1, 4);
  EXPECT_EQ(top.Caption, Bounds(20, 15, 20, 10));
  auto left = shine::PlaceContent(TSize{8, 6}, std::nullopt, {60, 40}, blGlyphLeft, -1, 4);
  EXPECT_EQ(left.Glyph, (TPoint{26, 17}));
}

// The painted button puts glyph and caption where the layout says, measured with its font.
TEST(ShineSpdBtnLayout, PaintedGlyphAndCaptionFollowTheLayout) {
  auto button = PlainButton(80, 40);
  button->SetGlyph(SolidGlyph(8, 8, clRed).get());
  button->SetCaption("Ab");
  button->Font()->SetColor(clBlue);
  button->SetMargin(5);
  button->SetSpacing(3);
  const TSize text = CaptionExtent(button->Font(), "Ab");
  const int blockHeight = std::max(8, text.cy);
  const int top = (40 - blockHeight) / 2;

  auto left = Painted(*button);
  EXPECT_EQ(InkBounds(*left, clRed), Bounds(5, top + (blockHeight - 8) / 2, 8, 8));
  const TRect textInk = InkBounds(*left, clBlue);
  ASSERT_FALSE(textInk.IsEmpty()) << "no caption drawn";
  EXPECT_GE(textInk.Left, 16);
  EXPECT_LE(textInk.Right, 16 + text.cx);

  button->SetLayout(blGlyphRight);
  auto right = Painted(*button);
  EXPECT_EQ(InkBounds(*right, clRed).Left, 80 - 5 - 8);
  ASSERT_FALSE(InkBounds(*right, clBlue).IsEmpty()) << "no caption drawn";
  EXPECT_LE(InkBounds(*right, clBlue).Right, 80 - 5 - 8 - 3);

  // Pressed, both move one pixel right and down.
  Latch(*button);
  auto pressed = Painted(*button);
  EXPECT_EQ(InkBounds(*pressed, clRed), Bounds(80 - 5 - 8 + 1, top + (blockHeight - 8) / 2 + 1, 8, 8));
}

// ---- Caption copies ----

class ShineSpdBtnCaption : public ::testing::Test {
 protected:
  void SetUp() override {
    button = PlainButton(60, 30);
    button->SetCaption("Shine");
    button->Font()->SetColor(clBlack);
    button->Font()->SetHeight(-16);
    extent = CaptionExtent(button->Font(), "Shine");
    place = shine::PlaceContent(std::nullopt, extent, {60, 30}, blGlyphLeft, -1, 4).Caption;
  }
  // The caption drawn by hand in `copies` on the face.
  std::unique_ptr<TBitmap> Expected(std::initializer_list<TTextCopy> copies) {
    return DrawCopies(60, 30, kFace, button->Font(), copies, [this](TCanvas& canvas, const TTextCopy& copy) {
      TRect rect = Bounds(place.Left + copy.Dx, place.Top + copy.Dy, extent.cx, extent.cy);
      canvas.DrawText("Shine", rect, DT_CENTER | DT_VCENTER);
    });
  }

  std::unique_ptr<TShineSpeedButton> button;
  TSize extent;
  TRect place;
};

TEST_F(ShineSpdBtnCaption, OnlyTheShadowCopyWhenTheHighlightIsNone) {
  button->SetFontShadow(clRed);
  auto painted = Painted(*button);
  EXPECT_EQ(CountDifferences(*painted, *Expected({{1, 1, clRed}, {0, 0, clBlack}})), 0);
  EXPECT_GT(CountColor(*painted, clRed, Rect(0, 0, 60, 30)), 0);
}

TEST_F(ShineSpdBtnCaption, ShadowThenHighlightThenTheFace) {
  button->SetFontShadow(clRed);
  button->SetFontHighlight(clLime);
  auto painted = Painted(*button);
  EXPECT_EQ(CountDifferences(*painted, *Expected({{1, 1, clRed}, {-1, -1, clLime}, {0, 0, clBlack}})), 0);
}

TEST_F(ShineSpdBtnCaption, DisabledCaptionIsTheHighlightUnderTheShadow) {
  button->SetDisabledHighlight(clYellow);
  button->SetDisabledShadow(clTeal);
  button->SetFontShadow(clRed);  // not drawn while disabled
  button->SetEnabled(false);
  auto painted = Painted(*button);
  EXPECT_EQ(CountDifferences(*painted, *Expected({{1, 1, clYellow}, {0, 0, clTeal}})), 0);
}

// ---- Disabled glyphs ----

TEST(ShineSpdBtnDisabled, DefaultStampsTheEdgeMaskInHighlightUnderShadow) {
  auto button = PlainButton(20, 20);
  auto glyph = MakeBitmap(8, 8, kKey);
  glyph->Canvas()->Brush()->SetColor(clRed);
  glyph->Canvas()->FillRect(Bounds(2, 2, 4, 4));
  button->SetGlyph(glyph.get());
  button->SetDisabledHighlight(clYellow);
  button->SetDisabledShadow(clNavy);
  button->SetEnabled(false);
  auto painted = Painted(*button);
  auto mask = button->CreateStateGlyph();
  ASSERT_NE(mask, nullptr);
  ASSERT_TRUE(mask->Monochrome());

  // The glyph's 8 x 8 is centred at (6, 6).
  auto expected = MakeBitmap(20, 20, kFace);
  for (TColor ink : {clYellow, clNavy}) {
    const int shift = ink == clYellow ? 1 : 0;
    for (int y = 0; y < 8; ++y)
      for (int x = 0; x < 8; ++x)
        if (mask->Canvas()->Pixels(x, y) == clWhite) expected->Canvas()->SetPixels(6 + x + shift, 6 + y + shift, ink);
  }
  EXPECT_EQ(CountDifferences(*painted, *expected), 0);
  EXPECT_GT(CountColor(*painted, clNavy, Rect(0, 0, 20, 20)), 0);
  EXPECT_GT(CountColor(*painted, clYellow, Rect(0, 0, 20, 20)), 0);
  EXPECT_EQ(CountColor(*painted, clRed, Rect(0, 0, 20, 20)), 0);
}

TEST(ShineSpdBtnDisabled, OtherLooksDrawTheChangedGlyphTransparently) {
  auto button = PlainButton(20, 20);
  button->SetGlyph(SolidGlyph(8, 8, Colour(90, 30, 0)).get());
  button->SetDisabledImage(diGrayscale);
  button->SetEnabled(false);
  auto painted = Painted(*button);
  EXPECT_EQ(PixelOf(*painted, 6, 6), Colour(40, 40, 40));
  EXPECT_EQ(PixelOf(*painted, 6, 13), kFace);  // the key pixel
  EXPECT_EQ(PixelOf(*painted, 5, 6), kFace);
}

TEST(ShineSpdBtnDisabled, EnablingAgainRaisesTheButtonAndGivesUpTheDisabledLook) {
  auto button = PlainButton(20, 20);
  Latch(*button);
  button->SetEnabled(false);
  EXPECT_EQ(button->State(), TShineState::stDisabled);
  EXPECT_FALSE(button->Down());
  button->SetEnabled(true);
  EXPECT_EQ(button->State(), TShineState::stUp);
  EXPECT_EQ(PixelOf(*Painted(*button), 10, 10), kFace);
}

// ---- In a window: groups, accelerator, hot tracking ----

class ShineSpdBtnWindow : public TFormFixture {
 protected:
  TShineSpeedButton* AddShine(int left, int groupIndex) {
    auto* button = new TShineSpeedButton(form);
    button->SetBounds(left, 10, 30, 30);
    button->SetGroupIndex(groupIndex);
    button->SetParent(form);
    button->OnClick = TNotifyEvent(&log, &TEventLog::Clicked);
    return button;
  }
  TSpeedButton* AddSpeed(int left, int groupIndex) {
    auto* button = new TSpeedButton(form);
    button->SetBounds(left, 10, 30, 30);
    button->SetGroupIndex(groupIndex);
    button->SetParent(form);
    return button;
  }
  void Click(TControl& button) { ClickAt(form->Handle(), button.Left() + 15, button.Top() + 15); }
  void MoveOver(TControl& button) { SendMouse(form->Handle(), WM_MOUSEMOVE, button.Left() + 15, button.Top() + 15); }
  void MoveAway() { SendMouse(form->Handle(), WM_MOUSEMOVE, 150, 120); }

  TEventLog log;
};

TEST_F(ShineSpdBtnWindow, AShineAndAFrameworkSpeedButtonShareTheirGroup) {
  TShineSpeedButton* shine = AddShine(10, 3);
  TSpeedButton* speed = AddSpeed(50, 3);
  TSpeedButton* stranger = AddSpeed(90, 4);
  stranger->SetDown(true);
  const int controls = form->ControlCount();

  Click(*speed);
  EXPECT_TRUE(speed->Down());
  Click(*shine);
  EXPECT_TRUE(shine->Down());
  EXPECT_FALSE(speed->Down());
  EXPECT_TRUE(stranger->Down());
  EXPECT_EQ(form->ControlCount(), controls);  // the stand-in is gone again

  Click(*speed);
  EXPECT_TRUE(speed->Down());
  EXPECT_FALSE(shine->Down());
  EXPECT_EQ(shine->State(), TShineState::stUp);
  EXPECT_EQ(log.clicks, 1);
}

TEST_F(ShineSpdBtnWindow, AllowAllUpTravelsBothWays) {
  TShineSpeedButton* shine = AddShine(10, 3);
  TSpeedButton* speed = AddSpeed(50, 3);
  shine->SetAllowAllUp(true);
  EXPECT_TRUE(speed->AllowAllUp());
  speed->SetAllowAllUp(false);
  EXPECT_FALSE(shine->AllowAllUp());
}

TEST_F(ShineSpdBtnWindow, WithoutAllowAllUpTheDownButtonStaysDown) {
  TShineSpeedButton* first = AddShine(10, 2);
  TShineSpeedButton* second = AddShine(50, 2);
  Click(*first);
  EXPECT_TRUE(first->Down());
  Click(*first);
  EXPECT_TRUE(first->Down());
  Click(*second);
  EXPECT_TRUE(second->Down());
  EXPECT_FALSE(first->Down());
  EXPECT_EQ(log.clicks, 3);
}

TEST_F(ShineSpdBtnWindow, WithAllowAllUpClickingTheDownButtonRaisesIt) {
  TShineSpeedButton* button = AddShine(10, 2);
  button->SetAllowAllUp(true);
  Click(*button);
  EXPECT_TRUE(button->Down());
  Click(*button);
  EXPECT_FALSE(button->Down());
}

TEST_F(ShineSpdBtnWindow, UngroupedButtonsNeitherLatchNorTakeDown) {
  TShineSpeedButton* button = AddShine(10, 0);
  button->SetDown(true);
  EXPECT_FALSE(button->Down());
  Click(*button);
  EXPECT_FALSE(button->Down());
  EXPECT_EQ(log.clicks, 1);
}

TEST_F(ShineSpdBtnWindow, ReleasingOutsideIsNoClickAndKeepsDown) {
  TShineSpeedButton* button = AddShine(10, 2);
  Click(*button);
  SendMouse(form->Handle(), WM_LBUTTONDOWN, 25, 25, MK_LBUTTON);
  EXPECT_EQ(button->State(), TShineState::stActiveDown);
  SendMouse(form->Handle(), WM_MOUSEMOVE, 120, 25, MK_LBUTTON);
  EXPECT_EQ(button->State(), TShineState::stDown);
  SendMouse(form->Handle(), WM_LBUTTONUP, 120, 25);
  EXPECT_TRUE(button->Down());
  EXPECT_EQ(log.clicks, 1);
}

TEST_F(ShineSpdBtnWindow, ClickDownHookShowsThePressedLookWhileTheClickRuns) {
  TShineSpeedButton* button = AddShine(10, 0);
  button->SetClickDownHook(true);
  Click(*button);
  ASSERT_EQ(log.statesInClick.size(), 1u);
  EXPECT_EQ(log.statesInClick[0], TShineState::stActiveDown);
  EXPECT_NE(button->State(), TShineState::stActiveDown);
}

TEST_F(ShineSpdBtnWindow, AltSTogglesDownAndClicks) {
  TShineSpeedButton* button = AddShine(10, 6);
  button->SetCaption("&Save");
  button->SetAccelCharDown(true);
  button->SetAllowAllUp(true);
  auto altKey = [this](char key) {
    PostMessageW(form->Handle(), WM_SYSCHAR, key, 1 << 29);
    Pump();
  };
  altKey('s');
  EXPECT_TRUE(button->Down());
  EXPECT_EQ(log.clicks, 1);
  altKey('S');
  EXPECT_FALSE(button->Down());
  EXPECT_EQ(log.clicks, 2);
  altKey('a');
  EXPECT_EQ(log.clicks, 2);

  button->SetAccelCharDown(false);
  altKey('s');
  EXPECT_FALSE(button->Down());
  EXPECT_EQ(log.clicks, 3);
  button->SetEnabled(false);
  altKey('s');
  EXPECT_EQ(log.clicks, 3);
}

TEST_F(ShineSpdBtnWindow, HotWhileTheMouseIsOverWithTheActiveFontAndShine) {
  TShineSpeedButton* button = AddShine(10, 0);
  UseTellingColours(*button);
  button->SetBounds(10, 10, 60, 30);
  button->SetGlyph(SolidGlyph(8, 8, Colour(0, 0, 255)).get());
  button->SetActiveImage(aiXorLight);
  button->SetShineColor(clYellow);
  button->SetCaption("Hot");
  button->Font()->SetColor(clGreen);
  button->ActiveFont()->SetColor(clRed);
  button->OnMouseEnter = TMouseMoveEvent(&log, &TEventLog::Entered);
  button->OnMouseLeave = TMouseMoveEvent(&log, &TEventLog::Left);
  auto up = Painted(*button);
  EXPECT_GT(CountColor(*up, clGreen, Rect(0, 0, 60, 30)), 0);
  EXPECT_GT(CountColor(*up, Colour(0, 0, 255), Rect(0, 0, 60, 30)), 0);

  MoveOver(*button);
  EXPECT_EQ(log.enters, 1);
  EXPECT_TRUE(button->MouseInControl());
  EXPECT_EQ(button->State(), TShineState::stActive);
  auto hot = Painted(*button);
  EXPECT_EQ(CountColor(*hot, clGreen, Rect(0, 0, 60, 30)), 0);
  EXPECT_GT(CountColor(*hot, clRed, Rect(0, 0, 60, 30)), 0);
  EXPECT_EQ(CountColor(*hot, Colour(0, 0, 255), Rect(0, 0, 60, 30)), 0);
  EXPECT_GE(CountColor(*hot, clWhite, Rect(2, 2, 58, 28)), 63);  // blue XOR yellow, inside the frame

  MoveAway();
  EXPECT_EQ(log.leaves, 1);
  EXPECT_FALSE(button->MouseInControl());
  EXPECT_EQ(button->State(), TShineState::stUp);
}

TEST_F(ShineSpdBtnWindow, ALatchedButtonIsHotDownAndADisabledOneNeverHot) {
  TShineSpeedButton* button = AddShine(10, 2);
  button->SetDown(true);
  MoveOver(*button);
  EXPECT_EQ(button->State(), TShineState::stActiveDown);
  MoveAway();
  EXPECT_EQ(button->State(), TShineState::stDown);

  TShineSpeedButton* disabled = AddShine(50, 0);
  disabled->SetEnabled(false);
  MoveOver(*disabled);
  EXPECT_FALSE(disabled->MouseInControl());
  EXPECT_EQ(disabled->State(), TShineState::stDisabled);
}

TEST_F(ShineSpdBtnWindow, NeverHotUnderAnothersCaptureAndNoWatchOnceDisabled) {
  TShineSpeedButton* button = AddShine(10, 0);
  SetCapture(form->Handle());
  MoveOver(*button);
  EXPECT_FALSE(button->MouseInControl());
  ReleaseCapture();
  MoveOver(*button);
  ASSERT_TRUE(button->WatchesForLeaving());
  button->SetEnabled(false);
  EXPECT_FALSE(button->WatchesForLeaving());
  EXPECT_FALSE(button->MouseInControl());
}

TEST_F(ShineSpdBtnWindow, ADoubleClickIsReportedOnlyWhileDown) {
  TShineSpeedButton* button = AddShine(10, 5);
  button->OnDblClick = TNotifyEvent(&log, &TEventLog::DoubleClicked);
  SendMouse(form->Handle(), WM_LBUTTONDBLCLK, 25, 25, MK_LBUTTON);
  SendMouse(form->Handle(), WM_LBUTTONUP, 25, 25);
  EXPECT_EQ(log.doubleClicks, 0);
  button->SetDown(true);
  SendMouse(form->Handle(), WM_LBUTTONDBLCLK, 25, 25, MK_LBUTTON);
  SendMouse(form->Handle(), WM_LBUTTONUP, 25, 25);
  EXPECT_EQ(log.doubleClicks, 1);
}

TEST_F(ShineSpdBtnWindow, TheTimerEndsTheHotLookOfAPointerThatLeftUnannounced) {
  TShineSpeedButton* button = AddShine(10, 0);
  button->OnMouseLeave = TMouseMoveEvent(&log, &TEventLog::Left);
  // The real pointer rests on the form beside the button; its own moves are never delivered.
  const TPoint beside = form->ClientToScreen({150, 100});
  if (!MoveCursorTo(beside)) GTEST_SKIP() << "the shared pointer would not stay on the form";
  Pump(TPumpMode::DispatchWithoutRealInput);
  MoveOver(*button);
  ASSERT_TRUE(button->MouseInControl());
  EXPECT_TRUE(PumpUntil([button] { return !button->MouseInControl(); }, TPumpMode::DispatchWithoutRealInput));
  EXPECT_EQ(button->State(), TShineState::stUp);
  EXPECT_EQ(log.leaves, 1);
}
