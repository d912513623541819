// The decorative controls in a real window: the page's button panel, side bar and instruction
// strip read back from the screen, and which property changes repaint.
#include <windows.h>

#include <algorithm>
#include <climits>
#include <vector>

#include "controls/GradBox.h"
#include "controls/dxfLabel.h"
#include "controls/dxfRes.h"
#include "tests/support/FormFixture.h"
#include "tests/support/Pixels.h"

using namespace test_support;

namespace {

constexpr COLORREF Grey(int level) { return RGB(level, level, level); }

// Counts of the screen pixels of a client rectangle by colour.
struct TScreenArea {
  TScreenArea(HWND window, const TRect& area) {
    HDC dc = GetDC(window);
    for (int y = area.Top; y < area.Bottom; ++y)
      for (int x = area.Left; x < area.Right; ++x) pixels.push_back({x, y, GetPixel(dc, x, y)});
    ReleaseDC(window, dc);
  }
  int Count(COLORREF color) const {
    int count = 0;
    for (const Pixel& p : pixels) count += p.color == color;
    return count;
  }
  // The bounds of the pixels that are not `background`.
  TRect InkOtherThan(COLORREF background) const {
    TRect box{INT_MAX, INT_MAX, INT_MIN, INT_MIN};
    for (const Pixel& p : pixels)
      if (p.color != background) {
        box.Left = std::min(box.Left, p.x);
        box.Top = std::min(box.Top, p.y);
        box.Right = std::max(box.Right, p.x + 1);
        box.Bottom = std::max(box.Bottom, p.y + 1);
      }
    return box;
  }
  struct Pixel {
    int x, y;
    COLORREF color;
  };
  std::vector<Pixel> pixels;
};

class PageControls : public TFormFixture {
 protected:
  void SetUp() override {
    TFormFixture::SetUp();
    form->SetBounds(20, 20, 300, 620);
    form->SetColor(clWhite);
  }

  // Paints everything pending and says whether the form's window is clean again.
  void Settle() {
    form->Update();
    ASSERT_FALSE(NeedsPaint());
  }
  bool NeedsPaint() { return GetUpdateRect(form->Handle(), nullptr, FALSE) != 0; }

  TGradBox* AddButtonPanel() {
    auto* box = new TGradBox(form);
    box->SetBounds(100, 20, 158, 72);
    box->SetTopColor(clWhite);
    box->SetLastColor(clSilver);
    box->SetDrawOutLine(true);
    box->SetGradStyle(gsBottomTop);
    box->SetParent(form);
    return box;
  }

  TGradBox* AddSideBar() {
    auto* bar = new TGradBox(form);
    bar->SetBounds(0, 0, 22, 600);
    bar->SetAlign(alLeft);
    bar->SetTopColor(clSilver);
    bar->SetLastColor(clSilver);
    bar->SetDrawOutLine(true);
    bar->SetGradStyle(gsBottomTop);
    bar->SetParent(form);
    return bar;
  }

  TdxfLabel* AddInstructionStrip() {
    auto* label = new TdxfLabel(form);
    label->SetBounds(2, 5, 16, 590);
    label->SetCaption("各コマに画像ファイルをドロップします。");
    label->SetColor(clBlack);
    label->Font()->SetCharset(SHIFTJIS_CHARSET);
    label->Font()->SetColor(clWhite);
    label->Font()->SetHeight(-13);
    label->Font()->SetStyle({fsBold});
    label->SetTransparent(true);
    label->SetAngle(90);
    label->Effect3D()->SetStyle(dxfExtrude);
    label->Effect3D()->SetOrientation(dxfRightBottom);
    label->Effect3D()->SetDepth(1);
    label->Effect3D()->SetShadowedColor(clGray);
    label->SetParent(form);
    return label;
  }
};

}  // namespace

TEST_F(PageControls, ButtonPanelGradientFromSilverToWhiteInsideItsOutline) {
  AddButtonPanel();
  form->Update();
  HWND window = form->Handle();
  for (int x : {100, 150, 257}) EXPECT_EQ(PixelAt(window, x, 20), Rgb(clBlack)) << "top edge at " << x;
  EXPECT_EQ(PixelAt(window, 150, 91), Rgb(clBlack));
  EXPECT_EQ(PixelAt(window, 100, 50), Rgb(clBlack));
  EXPECT_EQ(PixelAt(window, 257, 50), Rgb(clBlack));
  // Row 1 shows entry 8 (193), row 70 entry 252 (254); a row's colour is the same all across.
  EXPECT_EQ(PixelAt(window, 101, 21), Grey(193));
  EXPECT_EQ(PixelAt(window, 256, 21), Grey(193));
  EXPECT_EQ(PixelAt(window, 150, 90), Grey(254));
}

TEST_F(PageControls, ButtonPanelWithoutOutlineEndsInWhite) {
  TGradBox* box = AddButtonPanel();
  box->SetDrawOutLine(false);
  form->Update();
  EXPECT_EQ(PixelAt(form->Handle(), 150, 91), Grey(255));
  EXPECT_EQ(PixelAt(form->Handle(), 150, 20), Grey(192));
}

TEST_F(PageControls, InstructionStripShowsWhiteTextWithItsGreyCopyOverTheSideBar) {
  AddSideBar();
  AddInstructionStrip();
  form->Update();
  const TScreenArea strip(form->Handle(), Rect(2, 5, 18, 595));
  // The black background is keyed out: the silver bar shows through, never black.
  EXPECT_EQ(strip.Count(Rgb(clBlack)), 0);
  EXPECT_EQ(TScreenArea(form->Handle(), Rect(2, 5, 18, 60)).Count(Rgb(clSilver)), 16 * 55);
  EXPECT_GT(strip.Count(Rgb(clWhite)), 200);
  EXPECT_GT(strip.Count(Rgb(clGray)), 50);
  // The text is centred in the strip both ways and runs along it.
  const TRect ink = strip.InkOtherThan(Rgb(clSilver));
  EXPECT_NEAR((ink.Left + ink.Right) / 2.0, 10, 2);
  EXPECT_NEAR((ink.Top + ink.Bottom) / 2.0, 300, 4);
  EXPECT_GT(ink.Height(), 200);
  // The bar's outline and its silver beside the strip are untouched.
  EXPECT_EQ(PixelAt(form->Handle(), 0, 300), Rgb(clBlack));
  EXPECT_EQ(PixelAt(form->Handle(), 20, 300), Rgb(clSilver));
}

TEST_F(PageControls, OpaqueStripShowsItsBackground) {
  AddSideBar();
  TdxfLabel* label = AddInstructionStrip();
  label->SetTransparent(false);
  form->Update();
  const TScreenArea strip(form->Handle(), Rect(2, 5, 18, 595));
  EXPECT_GT(strip.Count(Rgb(clBlack)), 16 * 590 / 2);
  EXPECT_GT(strip.Count(Rgb(clWhite)), 200);
  // Beyond the ends of the text only the background.
  EXPECT_EQ(TScreenArea(form->Handle(), Rect(2, 5, 18, 60)).Count(Rgb(clBlack)), 16 * 55);
}

TEST_F(PageControls, AStripFarWiderThanTheScreenPaintsWhatShowsOfIt) {
  TdxfLabel* label = AddInstructionStrip();
  label->SetAngle(0);
  label->SetCaption("HHHH");
  label->SetTransparent(false);
  // 70,000 pixels wide, centred on x = 100 of the form.
  label->SetBounds(100 - 35000, 5, 70000, 40);
  form->Update();
  EXPECT_LT(DrawBmp().Width(), 4000);
  const TRect ink = TScreenArea(form->Handle(), Rect(0, 5, 280, 45)).InkOtherThan(Rgb(clBlack));
  EXPECT_NEAR((ink.Left + ink.Right) / 2.0, 100, 4);
}

TEST_F(PageControls, GradBoxRepaintsOnlyWhereItsSettingsShow) {
  TGradBox* box = AddButtonPanel();
  box->SetDrawOutLine(false);
  Settle();
  box->SetOutLineColor(clRed);  // no outline: nothing to repaint
  EXPECT_FALSE(NeedsPaint());
  box->SetFontDepth(4);  // no 3D caption
  box->SetBackFont(clRed);
  EXPECT_FALSE(NeedsPaint());
  box->SetTopColor(clWhite);  // unchanged value
  EXPECT_FALSE(NeedsPaint());
  box->SetDrawOutLine(true);
  EXPECT_TRUE(NeedsPaint());
  Settle();
  EXPECT_EQ(PixelAt(form->Handle(), 150, 20), Rgb(clRed));
  box->SetOutLineColor(clBlue);
  EXPECT_TRUE(NeedsPaint());
  Settle();
  box->SetCaption("Tavelko");
  EXPECT_TRUE(NeedsPaint());
  Settle();
  box->SetFont3D(true);
  EXPECT_TRUE(NeedsPaint());
  Settle();
  box->SetFontDepth(2);
  EXPECT_TRUE(NeedsPaint());
}

TEST_F(PageControls, GradBoxRaisesOnPaintAfterDrawing) {
  // The handler marks a pixel of the box; it stays marked because the bands came before.
  struct Listener : TObject {
    void Painted(TObject* sender) {
      this->sender = sender;
      auto* box = static_cast<TGradBox*>(sender);
      box->Canvas()->Brush()->SetColor(clRed);
      box->Canvas()->Brush()->SetStyle(bsSolid);
      box->Canvas()->FillRect(Rect(10, 10, 11, 11));
    }
    TObject* sender = nullptr;
  } listener;
  TGradBox* box = AddButtonPanel();
  box->OnPaint = TNotifyEvent(&listener, &Listener::Painted);
  form->Update();
  EXPECT_EQ(listener.sender, box);
  EXPECT_EQ(PixelAt(form->Handle(), 110, 30), Rgb(clRed));
}

TEST_F(PageControls, LabelRepaintRules) {
  TdxfLabel* label = AddInstructionStrip();
  Settle();
  label->SetPenWidth(3);  // the face is not outlined
  EXPECT_FALSE(NeedsPaint());
  label->SetStyle(dxfNormal);  // the same style still repaints
  EXPECT_TRUE(NeedsPaint());
  Settle();
  label->SetStyle(dxfOutLine);
  Settle();
  label->SetPenWidth(2);
  EXPECT_TRUE(NeedsPaint());
  Settle();
  label->Effect3D()->SetDepth(2);
  EXPECT_TRUE(NeedsPaint());
  Settle();
  label->Effect3D()->SetDepth(2);
  EXPECT_FALSE(NeedsPaint());
  label->SetAngle(90);
  EXPECT_FALSE(NeedsPaint());
  label->SetAngle(270);
  EXPECT_TRUE(NeedsPaint());
  Settle();
  label->SetCaption("Tavelko");
  EXPECT_TRUE(NeedsPaint());
}

TEST_F(PageControls, LoweredLabelTakesItsParentsColourOnFirstPaint) {
  TdxfLabel* label = AddInstructionStrip();
  label->SetStyle(dxfLowered);
  label->SetColor(clRed);
  ASSERT_FALSE(label->ParentColor());
  form->Update();
  EXPECT_TRUE(label->ParentColor());
  EXPECT_EQ(label->Color(), clWhite);
}
