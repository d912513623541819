// Text services that ask Windows: the locale's comparison, the program path, wide string
// properties; and the core's names next to windows.h and its macros.
#include <gtest/gtest.h>
#include <windows.h>

#include "TestClasses.h"
#include "framework/core/Strings.h"

TEST(Case, LocaleComparisonIgnoresCaseIncludingFullWidthLetters) {
  EXPECT_EQ(AnsiCompareText("Image1", "IMAGE1"), 0);
  EXPECT_TRUE(AnsiSameText("ＡＢＣ", "ａｂｃ"));
  EXPECT_LT(AnsiCompareText("apple", "Banana"), 0);
  EXPECT_NE(AnsiCompareStr("a", "A"), 0);
  EXPECT_NE(AnsiCompareText("ア", "ッ"), 0);
}

TEST(Process, ParamStrZeroIsTheProgramPath) {
  const String path = ParamStr(0);
  EXPECT_EQ(UpperCase(ExtractFileExt(path)), ".EXE");
  EXPECT_EQ(ChangeFileExt(ExtractFileName(path), ""), "core_tests");
  EXPECT_EQ(ParamStr(100), "");
}
TEST(Conversion, WideStringPropertiesReadAndWriteJapaneseText) {
  TTestDerived d(nullptr);
  const TPropInfo* wide = GetPropInfo(&d, "Wide");
  SetStrProp(&d, wide, "台詞");
  EXPECT_EQ(d.Wide(), L"台詞");
  EXPECT_EQ(GetStrProp(&d, wide), "台詞");
  SetWideStrProp(&d, GetPropInfo(&d, "Caption"), L"吹き出し");
  EXPECT_EQ(d.Caption(), "吹き出し");
}

TEST(Case, StringListsFindLinesInTheLocaleIgnoringCase) {
  TStringList list;
  list.SetText("Width\r\nＦｏｎｔ\r\n");
  EXPECT_EQ(list.IndexOf("ｆｏｎｔ"), 1);
}

TEST(WindowsHeader, RegisterClassMacroStillReachesTheClassRegistry) {
  UnRegisterClass(TTestBase::StaticClassInfo());
  RegisterClass(TTestBase::StaticClassInfo());  // spelled RegisterClassW by the macro here
  EXPECT_EQ(GetClass("TTestBase"), &TTestBase::StaticClassInfo());
  TStringList list;
  TObject tag;
  list.AddObject("x", &tag);
  EXPECT_EQ(list.Objects(0), &tag);
}
