// The canvas: shapes, lines, text, copies, transparency and paths drawn into bitmaps (and once onto
// the screen) and read back pixel by pixel; the DC it borrowed is handed back as it was.
#include <gtest/gtest.h>

#include "framework/graphics/Canvas.h"
#include "framework/graphics/GraphicErrors.h"
#include "tests/support/Pixels.h"

namespace {

using test_support::CountColor;
using test_support::MakeBitmap;
using test_support::PixelOf;

TEST(Canvas, FillRectLeavesTheRightAndBottomEdgesOut) {
  auto bitmap = MakeBitmap(10, 10);
  TCanvas& canvas = *bitmap->Canvas();
  canvas.Brush()->SetColor(clRed);
  canvas.FillRect(Rect(2, 2, 6, 6));
  EXPECT_EQ(PixelOf(*bitmap, 2, 2), clRed);
  EXPECT_EQ(PixelOf(*bitmap, 5, 5), clRed);
  EXPECT_EQ(PixelOf(*bitmap, 6, 5), clWhite);
  EXPECT_EQ(PixelOf(*bitmap, 5, 6), clWhite);
  EXPECT_EQ(CountColor(*bitmap, clRed, Rect(0, 0, 10, 10)), 16);
}

TEST(Canvas, RectangleDrawsItsBorderInsideAndFillsWithTheBrush) {
  auto bitmap = MakeBitmap(10, 10, clLime);
  TCanvas& canvas = *bitmap->Canvas();
  canvas.Brush()->SetColor(clBlue);
  canvas.Rectangle(1, 1, 8, 8);
  EXPECT_EQ(PixelOf(*bitmap, 1, 1), clBlack);
  EXPECT_EQ(PixelOf(*bitmap, 7, 7), clBlack);
  EXPECT_EQ(PixelOf(*bitmap, 8, 8), clLime);
  EXPECT_EQ(PixelOf(*bitmap, 4, 4), clBlue);

  canvas.Brush()->SetStyle(bsClear);
  canvas.Pen()->SetColor(clRed);
  canvas.Rectangle(3, 3, 6, 6);
  EXPECT_EQ(PixelOf(*bitmap, 3, 3), clRed);
  EXPECT_EQ(PixelOf(*bitmap, 4, 4), clBlue) << "a clear brush leaves the inside alone";

  canvas.Pen()->SetStyle(psClear);
  canvas.Brush()->SetStyle(bsSolid);
  canvas.Brush()->SetColor(clYellow);
  canvas.Rectangle(0, 0, 10, 10);
  EXPECT_EQ(PixelOf(*bitmap, 1, 1), clYellow) << "a clear pen draws no border";
}

TEST(Canvas, LinesLeaveOutTheirEndPointAndFollowPenChanges) {
  auto bitmap = MakeBitmap(10, 10);
  TCanvas& canvas = *bitmap->Canvas();
  canvas.Pen()->SetColor(clRed);
  canvas.MoveTo(0, 2);
  canvas.LineTo(9, 2);
  EXPECT_EQ(PixelOf(*bitmap, 8, 2), clRed);
  EXPECT_EQ(PixelOf(*bitmap, 9, 2), clWhite);
  EXPECT_EQ(canvas.PenPos(), Point(9, 2));

  canvas.Pen()->SetColor(clBlue);  // must reach the DC although the canvas already has a pen
  const TPoint zigzag[] = {{0, 5}, {4, 5}, {4, 9}};
  canvas.Polyline(zigzag);
  EXPECT_EQ(PixelOf(*bitmap, 2, 5), clBlue);
  EXPECT_EQ(PixelOf(*bitmap, 4, 7), clBlue);
  EXPECT_EQ(PixelOf(*bitmap, 4, 9), clWhite);
  EXPECT_EQ(PixelOf(*bitmap, 5, 2), clRed);
}

TEST(Canvas, ExclusiveOrPenDrawnTwiceRestoresThePixels) {
  auto bitmap = MakeBitmap(16, 16);
  TCanvas& canvas = *bitmap->Canvas();
  for (int i = 0; i < 16; ++i) canvas.SetPixels(i, 4, TColor(0x102030 * i & 0xFFFFFF));
  canvas.Pen()->SetColor(clGray);
  canvas.Pen()->SetWidth(2);
  canvas.Pen()->SetMode(pmXor);
  canvas.MoveTo(0, 4);
  canvas.LineTo(16, 4);
  EXPECT_EQ(PixelOf(*bitmap, 5, 4), TColor((0x102030 * 5 & 0xFFFFFF) ^ 0x808080));
  canvas.MoveTo(0, 4);
  canvas.LineTo(16, 4);
  for (int i = 0; i < 16; ++i) EXPECT_EQ(PixelOf(*bitmap, i, 4), TColor(0x102030 * i & 0xFFFFFF)) << i;
}

TEST(Canvas, ExclusiveOrOnTheScreenDCReadsBack) {
  gdi::WindowDC screen(nullptr);
  ASSERT_TRUE(screen);
  TCanvas canvas;
  canvas.SetHandle(screen.Get());
  const int x = ::GetSystemMetrics(SM_CXSCREEN) - 40, y = ::GetSystemMetrics(SM_CYSCREEN) - 40;
  const TColor before = canvas.Pixels(x + 5, y);
  canvas.Pen()->SetColor(clGray);
  canvas.Pen()->SetMode(pmXor);
  canvas.MoveTo(x, y);
  canvas.LineTo(x + 20, y);
  EXPECT_EQ(canvas.Pixels(x + 5, y), before ^ 0x808080);
  canvas.MoveTo(x, y);
  canvas.LineTo(x + 20, y);
  EXPECT_EQ(canvas.Pixels(x + 5, y), before);
  canvas.SetHandle(nullptr);
}

TEST(Canvas, GivesTheBorrowedDCBackWithItsOwnObjects) {
  gdi::MemoryDC dc;
  gdi::OwnedBitmap pixels(::CreateBitmap(8, 8, 1, 32, nullptr));
  gdi::Selection selection(dc.Get(), pixels.Get());
  HGDIOBJ pen = ::GetCurrentObject(dc.Get(), OBJ_PEN);
  HGDIOBJ brush = ::GetCurrentObject(dc.Get(), OBJ_BRUSH);
  HGDIOBJ font = ::GetCurrentObject(dc.Get(), OBJ_FONT);
  {
    TCanvas canvas;
    canvas.SetHandle(dc.Get());
    canvas.Pen()->SetMode(pmXor);
    canvas.Brush()->SetColor(clRed);
    canvas.Rectangle(0, 0, 8, 8);
    canvas.TextOut(0, 0, "あ");
    EXPECT_NE(::GetCurrentObject(dc.Get(), OBJ_PEN), pen);
  }
  EXPECT_EQ(::GetCurrentObject(dc.Get(), OBJ_PEN), pen);
  EXPECT_EQ(::GetCurrentObject(dc.Get(), OBJ_BRUSH), brush);
  EXPECT_EQ(::GetCurrentObject(dc.Get(), OBJ_FONT), font);
  EXPECT_EQ(::GetROP2(dc.Get()), R2_COPYPEN);
}

TEST(Canvas, HandleHasTheToolsSelectedForDirectPlatformCalls) {
  auto bitmap = MakeBitmap(60, 30);
  TCanvas& canvas = *bitmap->Canvas();
  canvas.Font()->SetHeight(-20);
  canvas.Font()->SetColor(clRed);
  canvas.Brush()->SetStyle(bsClear);
  canvas.Pen()->SetMode(pmXor);
  HDC dc = canvas.Handle();
  TEXTMETRICW metrics{};
  ASSERT_TRUE(::GetTextMetricsW(dc, &metrics));
  EXPECT_EQ(metrics.tmHeight - metrics.tmInternalLeading, 20);
  EXPECT_EQ(::GetTextColor(dc), COLORREF(0x0000FF));
  EXPECT_EQ(::GetBkMode(dc), TRANSPARENT);
  EXPECT_EQ(::GetROP2(dc), R2_XORPEN);
  canvas.Font()->SetHeight(-10);  // a change after the handle was taken reaches the next one
  ::GetTextMetricsW(canvas.Handle(), &metrics);
  EXPECT_EQ(metrics.tmHeight - metrics.tmInternalLeading, 10);
}

TEST(Canvas, WithoutADeviceContextRefusesToDraw) {
  TCanvas canvas;
  EXPECT_FALSE(canvas.HandleAllocated());
  EXPECT_THROW(canvas.FillRect(Rect(0, 0, 1, 1)), EInvalidGraphicOperation);
}

TEST(Canvas, TextIsMeasuredAndDrawnFromCp932) {
  auto bitmap = MakeBitmap(120, 40);
  TCanvas& canvas = *bitmap->Canvas();
  canvas.Font()->SetName("ＭＳ Ｐゴシック");
  canvas.Font()->SetHeight(-15);
  canvas.Font()->SetColor(clBlack);
  const TSize measured = canvas.TextExtent("台詞1");  // selects the font into the DC
  const WideString wide = L"\x53F0\x8A5E" L"1";       // 台詞1
  SIZE expected{};
  ::GetTextExtentPoint32W(canvas.Handle(), wide.data(), int(wide.size()), &expected);
  EXPECT_EQ(measured, (TSize{expected.cx, expected.cy}));
  EXPECT_GT(canvas.TextWidth("台詞1"), canvas.TextWidth("1") * 2);

  canvas.Brush()->SetStyle(bsClear);
  canvas.TextOut(2, 2, "台詞1");
  const TRect cell = Bounds(2, 2, expected.cx, expected.cy);
  EXPECT_GT(CountColor(*bitmap, clBlack, cell), 10);

  canvas.Brush()->SetStyle(bsSolid);
  canvas.Brush()->SetColor(clYellow);
  canvas.TextOut(2, 20, "1");
  EXPECT_GT(CountColor(*bitmap, clYellow, Bounds(2, 20, canvas.TextWidth("1"), canvas.TextHeight("1"))), 0)
      << "a solid brush fills the text cell";
}

TEST(Canvas, DrawTextMeasuresAndCentres) {
  auto bitmap = MakeBitmap(100, 30);
  TCanvas& canvas = *bitmap->Canvas();
  canvas.Font()->SetColor(clRed);
  TRect extent = Rect(0, 0, 100, 0);
  int height = canvas.DrawText("Save", extent, DT_CALCRECT | DT_SINGLELINE);
  EXPECT_EQ(extent.Width(), canvas.TextWidth("Save"));
  EXPECT_EQ(extent.Height(), height);

  canvas.Brush()->SetStyle(bsClear);
  TRect box = Rect(0, 0, 100, 30);
  canvas.DrawText("Save", box, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
  const int left = (100 - extent.Width()) / 2;
  EXPECT_EQ(CountColor(*bitmap, clRed, Rect(0, 0, left - 1, 30)), 0);
  EXPECT_GT(CountColor(*bitmap, clRed, Rect(left, 0, left + extent.Width(), 30)), 0);
}

TEST(Canvas, TurnedFontDrawsUpwardsFromTheTextOrigin) {
  auto bitmap = MakeBitmap(40, 120);
  TCanvas& canvas = *bitmap->Canvas();
  canvas.Font()->SetName("IPAPGothic");
  canvas.Font()->SetHeight(-13);
  canvas.Font()->SetColor(clBlack);
  LOGFONTW logFont{};
  ::GetObjectW(canvas.Font()->Handle(), sizeof logFont, &logFont);
  logFont.lfEscapement = 900;
  canvas.Font()->SetHandle(::CreateFontIndirectW(&logFont));
  canvas.Brush()->SetStyle(bsClear);
  canvas.TextOut(10, 100, "ABCDEF");
  EXPECT_GT(CountColor(*bitmap, clBlack, Rect(0, 40, 40, 100)), 10);
  EXPECT_EQ(CountColor(*bitmap, clBlack, Rect(0, 101, 40, 120)), 0);
}

TEST(Canvas, CopyRectCopiesAndStretchesWithTheCopyMode) {
  auto source = MakeBitmap(4, 4, clBlue);
  source->Canvas()->SetPixels(0, 0, clRed);
  auto target = MakeBitmap(8, 8);
  target->Canvas()->CopyRect(Rect(0, 0, 8, 8), *source->Canvas(), Rect(0, 0, 4, 4));
  EXPECT_EQ(PixelOf(*target, 1, 1), clRed);
  EXPECT_EQ(PixelOf(*target, 2, 2), clBlue);
  target->Canvas()->SetCopyMode(cmSrcInvert);
  target->Canvas()->CopyRect(Rect(0, 0, 4, 4), *source->Canvas(), Rect(0, 0, 4, 4));
  EXPECT_EQ(PixelOf(*target, 0, 0), clBlack);  // red xor red
}

TEST(Canvas, DrawLeavesTheTransparentColourOut) {
  auto glyph = MakeBitmap(4, 4, clFuchsia);  // the bottom-left pixel gives the transparent colour
  glyph->Canvas()->SetPixels(1, 1, clRed);
  glyph->Canvas()->SetPixels(2, 2, clBlue);
  auto target = MakeBitmap(6, 6, clLime);
  target->Canvas()->Draw(1, 1, glyph.get());
  EXPECT_EQ(PixelOf(*target, 1, 1), clFuchsia) << "opaque at first";

  target->Canvas()->Brush()->SetColor(clLime);
  target->Canvas()->FillRect(Rect(0, 0, 6, 6));
  glyph->SetTransparent(true);
  target->Canvas()->Draw(1, 1, glyph.get());
  EXPECT_EQ(PixelOf(*target, 1, 1), clLime);
  EXPECT_EQ(PixelOf(*target, 2, 2), clRed);
  EXPECT_EQ(PixelOf(*target, 3, 3), clBlue);

  glyph->SetTransparentColor(clRed);
  target->Canvas()->Draw(1, 1, glyph.get());
  EXPECT_EQ(PixelOf(*target, 1, 1), clFuchsia);
  EXPECT_EQ(PixelOf(*target, 2, 2), clRed) << "left as it was";
}

TEST(Canvas, StretchDrawSamplesWithoutBlending) {
  auto quad = MakeBitmap(2, 2, clRed);
  quad->Canvas()->SetPixels(1, 1, clBlue);
  auto target = MakeBitmap(8, 8);
  target->Canvas()->StretchDraw(Rect(0, 0, 8, 8), quad.get());
  EXPECT_EQ(CountColor(*target, clRed, Rect(0, 0, 8, 8)), 48);
  EXPECT_EQ(CountColor(*target, clBlue, Rect(4, 4, 8, 8)), 16);
}

TEST(Canvas, BrushCopyKeysOutOrRecoloursOneColour) {
  auto picture = MakeBitmap(4, 4, clBlack);  // the key colour, with a white pixel on it
  picture->Canvas()->SetPixels(1, 1, clWhite);
  auto target = MakeBitmap(4, 4, clLime);
  target->Canvas()->Brush()->SetStyle(bsClear);
  target->Canvas()->BrushCopy(Rect(0, 0, 4, 4), picture.get(), Rect(0, 0, 4, 4), clBlack);
  EXPECT_EQ(CountColor(*target, clLime, Rect(0, 0, 4, 4)), 15);
  EXPECT_EQ(PixelOf(*target, 1, 1), clWhite);

  target->Canvas()->Brush()->SetStyle(bsSolid);
  target->Canvas()->Brush()->SetColor(clYellow);
  target->Canvas()->BrushCopy(Rect(0, 0, 4, 4), picture.get(), Rect(0, 0, 4, 4), clBlack);
  EXPECT_EQ(CountColor(*target, clYellow, Rect(0, 0, 4, 4)), 15);
  EXPECT_EQ(PixelOf(*target, 1, 1), clWhite);
}

TEST(Canvas, PathsStrokeAndClip) {
  auto bitmap = MakeBitmap(10, 10);
  TCanvas& canvas = *bitmap->Canvas();
  canvas.BeginPath();
  canvas.Rectangle(2, 2, 6, 6);
  canvas.EndPath();
  EXPECT_EQ(CountColor(*bitmap, clWhite, Rect(0, 0, 10, 10)), 100) << "a path draws nothing by itself";
  canvas.SelectClipPath(RGN_COPY);
  canvas.Brush()->SetColor(clRed);
  canvas.FillRect(Rect(0, 0, 10, 10));
  EXPECT_EQ(PixelOf(*bitmap, 3, 3), clRed);
  EXPECT_EQ(PixelOf(*bitmap, 8, 8), clWhite);
  const TRect clip = canvas.ClipRect();
  EXPECT_TRUE(clip.Left >= 2 && clip.Top >= 2 && clip.Right <= 6 && clip.Bottom <= 6 && !clip.IsEmpty());

  canvas.ClearClipRegion();
  EXPECT_EQ(canvas.ClipRect(), Rect(0, 0, 10, 10));
  canvas.BeginPath();
  canvas.MoveTo(0, 8);
  canvas.LineTo(9, 8);
  canvas.EndPath();
  canvas.Pen()->SetColor(clBlue);
  canvas.StrokePath();
  EXPECT_EQ(PixelOf(*bitmap, 4, 8), clBlue);
}

TEST(Canvas, ReportsEveryDrawingCall) {
  struct Observer : TObject {
    int changing = 0, changed = 0;
    void Changing(TObject*) { ++changing; }
    void Changed(TObject*) { ++changed; }
  } observer;
  auto bitmap = MakeBitmap(4, 4);
  TCanvas& canvas = *bitmap->Canvas();
  canvas.SetOnChanging(TNotifyEvent(&observer, &Observer::Changing));
  canvas.SetOnChange(TNotifyEvent(&observer, &Observer::Changed));
  canvas.FillRect(Rect(0, 0, 2, 2));
  canvas.LineTo(3, 3);
  canvas.SetPixels(0, 0, clRed);
  EXPECT_EQ(observer.changing, 3);
  EXPECT_EQ(observer.changed, 3);
}

}  // namespace
