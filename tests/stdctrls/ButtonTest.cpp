// Speed buttons and glyph buttons: glyph cells and their transparent colour, the pushed-in look
// of a down button, radio grouping through CM_BUTTONPRESSED, clicks only on a release inside,
// hot tracking of flat buttons, accelerators, and stored glyphs.
#include "TestSupport.h"

#include "framework/stdctrls/BitBtn.h"
#include "framework/stdctrls/Panel.h"
#include "framework/stdctrls/SpeedButton.h"

namespace {

using SpeedButtonTest = StdCtrlsTest;
using BitBtnTest = StdCtrlsTest;

constexpr TColor kKey = clFuchsia;  // the glyph's transparent colour (its bottom-left pixel)

// Two 16 x 16 cells: a red 8 x 8 square (normal), then a blue one (disabled), on the key colour.
std::unique_ptr<TBitmap> TwoCellGlyph() {
  auto glyph = MakeBitmap(32, 16, kKey);
  TCanvas* canvas = glyph->Canvas();
  canvas->Brush()->SetColor(clRed);
  canvas->FillRect(Bounds(4, 4, 8, 8));
  canvas->Brush()->SetColor(clBlue);
  canvas->FillRect(Bounds(20, 4, 8, 8));
  return glyph;
}

struct TClickCounter : TObject {
  int clicks = 0;
  void Clicked(TObject*) { ++clicks; }
};

class ButtonHost : public StdCtrlsTest {
 protected:
  TSpeedButton* AddButton(int left, int groupIndex = 0) {
    auto* button = new TSpeedButton(form.get());
    button->SetParent(form.get());
    button->SetBounds(left, 10, 30, 30);
    button->SetGroupIndex(groupIndex);
    button->OnClick = TNotifyEvent(&counter, &TClickCounter::Clicked);
    return button;
  }
  void Click(TSpeedButton& button) { ClickAt(form->Handle(), button.Left() + 15, button.Top() + 15); }

  TClickCounter counter;
};

using SpeedButtonGroupTest = ButtonHost;
using SpeedButtonLookTest = ButtonHost;

TEST_F(SpeedButtonLookTest, GlyphIsCentredWithItsKeyColourLeftOut) {
  TSpeedButton* button = AddButton(10);
  button->SetGlyph(TwoCellGlyph().get());
  button->SetNumGlyphs(2);
  button->SetTransparent(false);
  TSnapshot shot(*form);
  // The 16 x 16 cell sits at 7, 7; its red square at 11..18.
  EXPECT_EQ(shot.At(*button, 11, 11), Rgb(clRed));
  EXPECT_EQ(shot.At(*button, 18, 18), Rgb(clRed));
  EXPECT_EQ(shot.At(*button, 19, 19), Rgb(clBtnFace));  // key colour: the face shows
  EXPECT_EQ(shot.At(*button, 8, 8), Rgb(clBtnFace));

  button->SetTransparent(true);
  EXPECT_EQ(TSnapshot(*form).At(*button, 8, 8), Rgb(clAqua));  // now the parent shows
}

TEST_F(SpeedButtonLookTest, DisabledButtonShowsItsSecondCell) {
  TSpeedButton* button = AddButton(10);
  button->SetGlyph(TwoCellGlyph().get());
  button->SetNumGlyphs(2);
  button->SetEnabled(false);
  EXPECT_EQ(TSnapshot(*form).At(*button, 15, 15), Rgb(clBlue));
}

TEST_F(SpeedButtonLookTest, DisabledWithoutACellIsEmbossed) {
  TSpeedButton* button = AddButton(10);
  button->SetGlyph(TwoCellGlyph().get());  // one cell of 32 x 16 now
  button->SetEnabled(false);
  TSnapshot shot(*form);
  EXPECT_EQ(shot.At(*button, 4 + 2, 11 + 3), Rgb(clBtnShadow));
  EXPECT_NE(shot.At(*button, 4 + 2, 11 + 3), Rgb(clRed));
}

TEST_F(SpeedButtonLookTest, DownButtonIsSunkenWithItsGlyphMoved) {
  TSpeedButton* button = AddButton(10, 1);
  button->SetGlyph(TwoCellGlyph().get());
  button->SetNumGlyphs(2);
  button->SetTransparent(false);
  TSnapshot up(*form);
  EXPECT_NE(up.At(*button, 0, 0), Rgb(clBtnShadow));
  EXPECT_EQ(up.At(*button, 19, 19), Rgb(clBtnFace));

  button->SetDown(true);
  TSnapshot down(*form);
  EXPECT_EQ(down.At(*button, 0, 0), Rgb(clBtnShadow));
  EXPECT_EQ(down.At(*button, 19, 19), Rgb(clRed));  // one pixel right and down
  EXPECT_EQ(down.At(*button, 11, 11), Rgb(clBtnFace));
}

TEST_F(SpeedButtonLookTest, FlatButtonShowsAnEdgeOnlyWhileTheMouseIsOver) {
  TSpeedButton* button = AddButton(10);
  button->SetFlat(true);
  button->SetTransparent(false);
  EXPECT_EQ(TSnapshot(*form).At(*button, 0, 0), Rgb(clBtnFace));
  SendMouse(form->Handle(), WM_MOUSEMOVE, 25, 25);
  EXPECT_TRUE(button->MouseInControl());
  EXPECT_EQ(TSnapshot(*form).At(*button, 0, 0), Rgb(clBtnHighlight));
  SendMouse(form->Handle(), WM_MOUSEMOVE, 200, 200);
  EXPECT_FALSE(button->MouseInControl());
  EXPECT_EQ(TSnapshot(*form).At(*button, 0, 0), Rgb(clBtnFace));
}

TEST_F(SpeedButtonGroupTest, PressingOneButtonOfAGroupRaisesTheOther) {
  TSpeedButton* first = AddButton(10, 7);
  TSpeedButton* second = AddButton(50, 7);
  TSpeedButton* other = AddButton(90, 8);
  other->SetDown(true);
  first->SetDown(true);
  Click(*second);
  EXPECT_TRUE(second->Down());
  EXPECT_FALSE(first->Down());
  EXPECT_TRUE(other->Down());  // another group
  EXPECT_EQ(counter.clicks, 1);

  Click(*second);  // without AllowAllUp the down button stays down
  EXPECT_TRUE(second->Down());
  EXPECT_EQ(counter.clicks, 2);
}

TEST_F(SpeedButtonGroupTest, AllowAllUpIsSharedByTheGroupAndLetsTheDownButtonRise) {
  TSpeedButton* first = AddButton(10, 7);
  TSpeedButton* second = AddButton(50, 7);
  first->SetAllowAllUp(true);
  EXPECT_TRUE(second->AllowAllUp());
  Click(*second);
  Click(*second);
  EXPECT_FALSE(second->Down());
  EXPECT_FALSE(first->Down());
}

TEST_F(SpeedButtonGroupTest, GroupIndexZeroNeverStaysDown) {
  TSpeedButton* button = AddButton(10);
  button->SetDown(true);
  EXPECT_FALSE(button->Down());
  Click(*button);
  EXPECT_FALSE(button->Down());
  EXPECT_EQ(counter.clicks, 1);
}

TEST_F(SpeedButtonGroupTest, ReleaseOutsideIsNoClickAndKeepsTheState) {
  TSpeedButton* button = AddButton(10, 3);
  SendMouse(form->Handle(), WM_LBUTTONDOWN, 25, 25, MK_LBUTTON);
  EXPECT_EQ(button->State(), TButtonState::Pressed);
  SendMouse(form->Handle(), WM_MOUSEMOVE, 200, 200, MK_LBUTTON);
  EXPECT_EQ(button->State(), TButtonState::Up);
  SendMouse(form->Handle(), WM_LBUTTONUP, 200, 200);
  EXPECT_EQ(counter.clicks, 0);
  EXPECT_FALSE(button->Down());
}

TEST_F(SpeedButtonGroupTest, ButtonsOnAnotherParentAreNotTheGroup) {
  TSpeedButton* first = AddButton(10, 7);
  auto* panel = new TPanel(form.get());
  panel->SetParent(form.get());
  panel->SetBounds(0, 100, 200, 60);
  TSpeedButton* elsewhere = AddButton(10, 7);
  elsewhere->SetParent(panel);
  first->SetDown(true);
  elsewhere->SetDown(true);
  EXPECT_TRUE(first->Down());
}

TEST_F(SpeedButtonGroupTest, AcceleratorClicks) {
  TSpeedButton* button = AddButton(10);
  button->SetCaption("&Save");
  EXPECT_NE(form->Perform(CM_DIALOGCHAR, 's'), 0);
  EXPECT_EQ(counter.clicks, 1);
  EXPECT_EQ(form->Perform(CM_DIALOGCHAR, 'a'), 0);
  EXPECT_EQ(counter.clicks, 1);
}

TEST_F(SpeedButtonGroupTest, StoredGlyphAndGroupComeBack) {
  TSpeedButton* button = AddButton(10, 2302);
  button->SetAllowAllUp(true);
  button->SetGlyph(TwoCellGlyph().get());
  button->SetNumGlyphs(2);
  button->SetFlat(true);
  button->SetTransparent(false);
  button->SetCaption("[レイアウトモード]へ");
  auto copy = RoundTrip(*button);
  ASSERT_NE(copy, nullptr);
  EXPECT_EQ(copy->GroupIndex(), 2302);
  EXPECT_TRUE(copy->AllowAllUp());
  EXPECT_EQ(copy->NumGlyphs(), 2);
  EXPECT_EQ(copy->Glyph()->Width(), 32);
  EXPECT_EQ(copy->Glyph()->Canvas()->Pixels(24, 8), Rgb(clBlue));
  EXPECT_TRUE(copy->Flat());
  EXPECT_FALSE(copy->Transparent());
  EXPECT_EQ(copy->Caption(), "[レイアウトモード]へ");
}

TEST_F(BitBtnTest, KindGivesCaptionAndModalResultToTheForm) {
  auto* button = new TBitBtn(form.get());
  button->SetParent(form.get());
  button->SetKind(bkOK);
  EXPECT_EQ(button->Caption(), "OK");
  EXPECT_EQ(button->ModalResult(), mrOk);
  TClickCounter counter;
  button->OnClick = TNotifyEvent(&counter, &TClickCounter::Clicked);
  ClickAt(button->Handle(), 10, 10);
  EXPECT_EQ(counter.clicks, 1);
  EXPECT_EQ(form->ModalResult(), mrOk);
}

TEST_F(BitBtnTest, SpaceBarClicksAndTheGlyphIsDrawn) {
  auto* button = new TBitBtn(form.get());
  button->SetParent(form.get());
  button->SetBounds(10, 10, 105, 25);
  button->SetCaption("&Help");
  button->SetGlyph(TwoCellGlyph().get());
  button->SetNumGlyphs(2);
  button->SetMargin(4);
  TClickCounter counter;
  button->OnClick = TNotifyEvent(&counter, &TClickCounter::Clicked);
  SendMessageW(button->Handle(), WM_KEYDOWN, VK_SPACE, 1);
  EXPECT_EQ(counter.clicks, 0);
  SendMessageW(button->Handle(), WM_KEYUP, VK_SPACE, 1 | (3u << 30));
  EXPECT_EQ(counter.clicks, 1);
  // Margin 4 from the left, the 16-pixel cell centred in 25: its red square at 8..15, 8..15.
  EXPECT_EQ(TSnapshot(*form).At(*button, 10, 10), Rgb(clRed));
}

}  // namespace
