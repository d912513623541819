// Pens, brushes and fonts: change notification, copying, the GDI objects made from them, the font
// handle taken over, and the published properties the component stream sees.
#include <gtest/gtest.h>

#include <vector>

#include "framework/graphics/Brush.h"
#include "framework/graphics/Font.h"
#include "framework/graphics/GraphicErrors.h"
#include "framework/graphics/Pen.h"
#include "tests/support/ChangeCounter.h"

namespace {

using test_support::TChangeCounter;

std::vector<String> PropertyNames(const TClassInfo& info) {
  std::vector<String> names;
  for (const TPropInfo* property : info.Properties()) names.push_back(property->Name);
  return names;
}

TEST(Pen, NotifiesEachRealChangeOnceAndRemakesItsPen) {
  TPen pen;
  TChangeCounter changes(pen);
  HPEN first = pen.Handle();
  pen.SetColor(clBlack);  // unchanged
  pen.SetWidth(1);
  EXPECT_EQ(changes.count, 0);
  EXPECT_EQ(pen.Handle(), first);

  pen.SetColor(clRed);
  pen.SetStyle(psDot);
  pen.SetWidth(3);
  EXPECT_EQ(changes.count, 3);
  LOGPEN made{};
  ASSERT_EQ(::GetObjectW(pen.Handle(), sizeof made, &made), int(sizeof made));
  EXPECT_EQ(made.lopnColor, COLORREF(0x0000FF));
  EXPECT_EQ(made.lopnStyle, UINT(PS_DOT));
  EXPECT_EQ(made.lopnWidth.x, 3);

  pen.SetMode(pmXor);
  EXPECT_EQ(changes.count, 4);
  EXPECT_EQ(pen.Rop2(), R2_XORPEN);
  pen.SetStyle(psClear);
  ASSERT_EQ(::GetObjectW(pen.Handle(), sizeof made, &made), int(sizeof made));
  EXPECT_EQ(made.lopnStyle, UINT(PS_NULL));
}

TEST(Pen, AssignCopiesAllFourAndRefusesABrush) {
  TPen source, pen;
  source.SetColor(clGray);
  source.SetWidth(2);
  source.SetStyle(psDash);
  source.SetMode(pmNot);
  TChangeCounter changes(pen);
  pen.Assign(&source);
  EXPECT_EQ(changes.count, 1);
  EXPECT_EQ(pen.Color(), clGray);
  EXPECT_EQ(pen.Width(), 2);
  EXPECT_EQ(pen.Style(), psDash);
  EXPECT_EQ(pen.Mode(), pmNot);
  EXPECT_EQ(pen.Rop2(), R2_NOT);
  pen.Assign(&source);
  EXPECT_EQ(changes.count, 1);

  TBrush brush;
  EXPECT_THROW(pen.Assign(&brush), EConvertError);
}

TEST(Brush, ClearStyleUsesTheHollowStockBrush) {
  TBrush brush;
  TChangeCounter changes(brush);
  EXPECT_EQ(brush.Color(), clWhite);
  LOGBRUSH made{};
  ASSERT_EQ(::GetObjectW(brush.Handle(), sizeof made, &made), int(sizeof made));
  EXPECT_EQ(made.lbStyle, UINT(BS_SOLID));
  EXPECT_EQ(made.lbColor, COLORREF(0xFFFFFF));

  brush.SetStyle(bsClear);
  EXPECT_EQ(brush.Handle(), ::GetStockObject(NULL_BRUSH));
  EXPECT_EQ(brush.SharedHandle(), nullptr);
  brush.SetColor(clBtnFace);
  brush.SetStyle(bsSolid);
  ASSERT_EQ(::GetObjectW(brush.Handle(), sizeof made, &made), int(sizeof made));
  EXPECT_EQ(made.lbColor, ::GetSysColor(COLOR_BTNFACE));
  EXPECT_EQ(changes.count, 3);
}

TEST(Font, MakesItsFontFromAJapaneseNameWhateverTheAnsiCodePage) {
  TFont font;
  font.SetName("ＭＳ Ｐゴシック");
  font.SetHeight(-13);
  font.SetStyle({fsBold, fsUnderline});
  font.SetCharset(SHIFTJIS_CHARSET);
  LOGFONTW made{};
  ASSERT_EQ(::GetObjectW(font.Handle(), sizeof made, &made), int(sizeof made));
  EXPECT_EQ(WideString(made.lfFaceName), L"\xFF2D\xFF33 \xFF30\x30B4\x30B7\x30C3\x30AF");
  EXPECT_EQ(made.lfHeight, -13);
  EXPECT_EQ(made.lfWeight, FW_BOLD);
  EXPECT_TRUE(made.lfUnderline);
  EXPECT_FALSE(made.lfItalic);
  EXPECT_EQ(made.lfCharSet, SHIFTJIS_CHARSET);
}

TEST(Font, SizeAndHeightFollowEachOther) {
  TFont font;
  ASSERT_GT(font.PixelsPerInch(), 0);
  font.SetSize(12);
  EXPECT_EQ(font.Height(), -::MulDiv(12, font.PixelsPerInch(), 72));
  EXPECT_EQ(font.Size(), 12);
  font.SetHeight(-13);
  EXPECT_EQ(font.Size(), ::MulDiv(13, 72, font.PixelsPerInch()));
}

TEST(Font, TakesOverAGivenHandleAndReadsItsProperties) {
  TFont font;
  LOGFONTW turned{};
  turned.lfHeight = -20;
  turned.lfEscapement = 900;
  turned.lfWeight = FW_BOLD;
  turned.lfItalic = TRUE;
  turned.lfCharSet = SHIFTJIS_CHARSET;
  turned.lfPitchAndFamily = VARIABLE_PITCH;
  wcscpy(turned.lfFaceName, L"\x30C6\x30B9\x30C8");  // テスト
  HFONT given = ::CreateFontIndirectW(&turned);
  TChangeCounter changes(font);
  font.SetHandle(given);

  EXPECT_EQ(font.Handle(), given);
  EXPECT_EQ(changes.count, 1);
  EXPECT_EQ(font.Name(), "テスト");
  EXPECT_EQ(font.Height(), -20);
  EXPECT_EQ(font.Style(), (TFontStyles{fsBold, fsItalic}));
  EXPECT_EQ(font.Charset(), SHIFTJIS_CHARSET);
  EXPECT_EQ(font.Pitch(), fpVariable);

  // Assigning a font with the very same properties must still drop the turned font.
  TFont plain;
  plain.Assign(&font);
  font.Assign(&plain);
  LOGFONTW now{};
  ::GetObjectW(font.Handle(), sizeof now, &now);
  EXPECT_EQ(now.lfEscapement, 0);
  EXPECT_EQ(::GetObjectType(given), 0u) << "the given font was not deleted";
}

TEST(Font, RefusesAHandleThatIsNoFont) {
  TFont font;
  HPEN pen = ::CreatePen(PS_SOLID, 1, 0);
  EXPECT_THROW(font.SetHandle(reinterpret_cast<HFONT>(pen)), EInvalidGraphicOperation);
  EXPECT_NE(::GetObjectType(pen), 0u) << "a refused handle stays the caller's";
  ::DeleteObject(pen);
}

TEST(Font, AssigningTheSameFontKeepsItsHandle) {
  TFont source, font;
  source.SetName("Arial");
  source.SetColor(clRed);
  font.Assign(&source);
  HFONT made = font.Handle();
  TChangeCounter changes(font);
  font.Assign(&source);
  EXPECT_EQ(font.Handle(), made);
  EXPECT_EQ(changes.count, 0);
  source.SetColor(clBlue);  // a colour change does not remake the GDI font
  font.Assign(&source);
  EXPECT_EQ(changes.count, 1);
  EXPECT_EQ(font.Color(), clBlue);
}

TEST(PublishedProperties, ListNamesDefaultsAndValueNamesForTheStream) {
  EXPECT_EQ(PropertyNames(TPen::StaticClassInfo()), (std::vector<String>{"Color", "Mode", "Style", "Width"}));
  EXPECT_EQ(PropertyNames(TBrush::StaticClassInfo()), (std::vector<String>{"Color", "Style"}));
  EXPECT_EQ(PropertyNames(TFont::StaticClassInfo()),
            (std::vector<String>{"Charset", "Color", "Height", "Name", "Pitch", "Size", "Style"}));

  const TPropInfo* penStyle = TPen::StaticClassInfo().FindProperty("Style");
  ASSERT_TRUE(penStyle);
  EXPECT_EQ(penStyle->Default.value_or(-1), psSolid);
  EXPECT_EQ(GetEnumName(*penStyle->PropType, psClear), "psClear");
  const TPropInfo* fontStyle = TFont::StaticClassInfo().FindProperty("Style");
  ASSERT_TRUE(fontStyle);
  EXPECT_EQ(fontStyle->Kind(), tkSet);
  EXPECT_FALSE(fontStyle->Default.has_value()) << "a font's style is always written";
  EXPECT_FALSE(TFont::StaticClassInfo().FindProperty("Size")->IsStored(nullptr));

  String name;
  const TPropInfo* charset = TFont::StaticClassInfo().FindProperty("Charset");
  ASSERT_TRUE(IntToIdent(*charset->PropType, SHIFTJIS_CHARSET, name));
  EXPECT_EQ(name, "SHIFTJIS_CHARSET");
  const TPropInfo* color = TBrush::StaticClassInfo().FindProperty("Color");
  ASSERT_TRUE(IntToIdent(*color->PropType, clBtnFace, name));
  EXPECT_EQ(name, "clBtnFace");
  std::int64_t value = 0;
  ASSERT_TRUE(IdentToInt(*color->PropType, "clwhite", value));
  EXPECT_EQ(value, clWhite);
  EXPECT_FALSE(IntToIdent(*color->PropType, 0x123456, name));

  TFont font;
  SetOrdProp(&font, "Style", TFontStyles{fsItalic}.Bits());
  SetStrProp(&font, "Name", "HGS創英角ﾎﾟｯﾌﾟ体");
  EXPECT_EQ(font.Style(), TFontStyles{fsItalic});
  EXPECT_EQ(font.Name(), "HGS創英角ﾎﾟｯﾌﾟ体");
}

TEST(Color, SystemCodesBecomeTheirCurrentRgbAndMarkersStay) {
  EXPECT_EQ(ColorToRGB(clBtnFace), TColor(::GetSysColor(COLOR_BTNFACE)));
  EXPECT_EQ(ColorToRGB(clWindowText), TColor(::GetSysColor(COLOR_WINDOWTEXT)));
  EXPECT_EQ(ColorToRGB(clRed), clRed);
  EXPECT_EQ(ColorToRGB(clNone), clNone);
  EXPECT_EQ(ColorToRGB(clDefault), clDefault);
  EXPECT_EQ(ColorToColorRef(clDefault), 0u) << "no palette-index flags reach GDI";
  EXPECT_TRUE(IsSystemColor(clBtnHighlight));
  EXPECT_EQ(clBtnHighlight, TColor(0x80000014));
  EXPECT_FALSE(IsSystemColor(clNone));
}

}  // namespace
