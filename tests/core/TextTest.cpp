// Text services that need no operating system: number conversion, Format, case handling that
// respects CP932 pairs, file-name parts, UTF-8 <-> UTF-16.
#include <gtest/gtest.h>

#include <cmath>

#include "framework/core/Exception.h"
#include "framework/core/Text.h"
#include "tests/support/Raised.h"

namespace {

std::string Bytes(std::initializer_list<unsigned char> bytes) { return std::string(bytes.begin(), bytes.end()); }

template <class F>
String ConvertErrorOf(F f) {
  return test_support::MessageRaised<EConvertError>(f, "no error");
}

}  // namespace

TEST(Numbers, IntToStrAndStrToInt) {
  EXPECT_EQ(IntToStr(120), "120");
  EXPECT_EQ(IntToStr(-3), "-3");
  EXPECT_EQ(IntToStr(INT64_MIN), "-9223372036854775808");
  EXPECT_EQ(StrToInt("  42"), 42);
  EXPECT_EQ(StrToInt("-2147483648"), INT32_MIN);
  EXPECT_EQ(StrToInt("$FF"), 255);
  EXPECT_EQ(StrToInt("0x10"), 16);
  EXPECT_EQ(StrToInt("$FFFFFFFF"), -1);
  EXPECT_EQ(StrToInt("+7"), 7);
  EXPECT_EQ(ConvertErrorOf([] { StrToInt("12x"); }), "'12x' is not a valid integer value");
  for (const char* bad : {"", " ", "-", "12 ", "2147483648", "1e3", "$", "0x", "１２"})
    EXPECT_THROW(StrToInt(bad), EConvertError) << bad;
  EXPECT_EQ(StrToIntDef("abc", -1), -1);
  EXPECT_EQ(StrToInt64("9223372036854775807"), INT64_MAX);
}

TEST(Numbers, FloatToStrGeneralForm) {
  EXPECT_EQ(FloatToStr(1.5L), "1.5");
  EXPECT_EQ(FloatToStr(0.1L), "0.1");
  EXPECT_EQ(FloatToStr(-3), "-3");
  EXPECT_EQ(FloatToStr(0), "0");
  EXPECT_EQ(FloatToStr(1e20L), "1E20");
  EXPECT_EQ(FloatToStr(-2.5e-5L), "-2.5E-5");
  EXPECT_EQ(FloatToStr(123456789012345.0L), "123456789012345");
  EXPECT_EQ(FloatToStr(1234567890123456.0L), "1.23456789012346E15");
  EXPECT_EQ(FloatToStr(1.0L / 3.0L), "0.333333333333333");
}

TEST(Numbers, StrToFloat) {
  EXPECT_EQ(StrToFloat("1.5"), 1.5L);
  EXPECT_EQ(StrToFloat(" -2.5E-5 "), -2.5e-5L);
  EXPECT_EQ(StrToFloat("3"), 3.0L);
  EXPECT_EQ(StrToFloat(".5"), 0.5L);
  // Extended precision survives the text round trip of 1/3 written with 19 digits.
  EXPECT_EQ(StrToFloat("0.3333333333333333333"), 0.3333333333333333333L);
  EXPECT_EQ(ConvertErrorOf([] { StrToFloat("1,5"); }), "'1,5' is not a valid floating point value");
  for (const char* bad : {"", "abc", "1e", "--1", "0x10", "inf", "nan", "1.2.3", "1e99999"})
    EXPECT_THROW(StrToFloat(bad), EConvertError) << bad;
}

TEST(FormatText, TypedArguments) {
  const String base = "Shape";
  EXPECT_EQ(Format("%s%d", base, 3), "Shape3");
  EXPECT_EQ(Format("(%s)", "TFont"), "(TFont)");
  EXPECT_EQ(Format("%5d|%-4d|%04d", 42, 7, 9), "   42|7   |0009");
  EXPECT_EQ(Format("%d %u", INT64_MIN, UINT64_MAX), "-9223372036854775808 18446744073709551615");
  EXPECT_EQ(Format("%x %X %c", 255, 255u, 'A'), "ff FF A");
  EXPECT_EQ(Format("%.2f %g", 3.14159, 0.5), "3.14 0.5");
  EXPECT_EQ(Format("%*d", 4, 1), "   1");
  EXPECT_EQ(Format("100%%"), "100%");
  EXPECT_EQ(Format("%s", String(600, 'x')).size(), 600u);
  EXPECT_EQ(Format("コンポーネント名 %s はすでに使われています", "Image1"), "コンポーネント名 Image1 はすでに使われています");
}

TEST(FormatText, MismatchedOrMissingArgumentsRaise) {
  EXPECT_THROW(Format("%d", "text"), EConvertError);
  EXPECT_THROW(Format("%s", 5), EConvertError);
  EXPECT_THROW(Format("%d %d", 5), EConvertError);
  EXPECT_THROW(Format("%f", 5), EConvertError);
  EXPECT_THROW(Format("%q", 5), EConvertError);
  EXPECT_THROW(Format("50%"), EConvertError);
}

TEST(Case, AsciiOnlyAndTrailBytesUntouched) {
  EXPECT_EQ(UpperCase("alClient"), "ALCLIENT");
  EXPECT_EQ(LowerCase("ALCLIENT"), "alclient");
  // ア (83 41) and ッ (83 62) differ only in the case of their trail byte.
  const String a = Bytes({0x83, 0x41});
  const String small = Bytes({0x83, 0x61});
  EXPECT_EQ(UpperCase(small), small);
  EXPECT_EQ(LowerCase(a), a);
  EXPECT_FALSE(SameText(a, small));
  EXPECT_NE(CompareText(a, small), 0);
  EXPECT_EQ(UpperCase("aア" "b"), "Aア" "B");
  EXPECT_TRUE(SameText("Caption", "caption"));
  EXPECT_FALSE(SameText("Caption", "Captions"));
  EXPECT_LT(CompareText("abc", "ABD"), 0);
  EXPECT_GT(CompareText("b", "A"), 0);
  EXPECT_LT(CompareText("ab", "ABC"), 0);
  EXPECT_LT(CompareStr("B", "a"), 0);
  EXPECT_EQ(Trim("  x y\t\r\n"), "x y");
}

TEST(FileNames, PartsOfAPath) {
  EXPECT_EQ(ExtractFilePath("C:\\Pictures\\frame.jpg"), "C:\\Pictures\\");
  EXPECT_EQ(ExtractFileName("C:\\Pictures\\frame.jpg"), "frame.jpg");
  EXPECT_EQ(ExtractFileExt("C:\\Pictures\\frame.jpg"), ".jpg");
  EXPECT_EQ(ExtractFileExt("C:\\dir.d\\noext"), "");
  EXPECT_EQ(ExtractFileExt("archive.tar.gz"), ".gz");
  EXPECT_EQ(ExtractFileName("D:name.txt"), "name.txt");
  EXPECT_EQ(ExtractFilePath("name.txt"), "");
  EXPECT_EQ(ChangeFileExt("Z:\\bin\\Tavelko.exe", ""), "Z:\\bin\\Tavelko");
  EXPECT_EQ(ChangeFileExt("history", ".ini"), "history.ini");
  EXPECT_EQ(ChangeFileExt("C:\\a.b\\c", ".x"), "C:\\a.b\\c.x");
  EXPECT_EQ(ExtractFileName("Z:/tmp/x.bmp"), "x.bmp");
  EXPECT_EQ(IncludeTrailingPathDelimiter("C:\\dir"), "C:\\dir\\");
  EXPECT_EQ(IncludeTrailingPathDelimiter("C:\\dir\\"), "C:\\dir\\");
}

TEST(FileNames, TrailByte5CIsNoSeparator) {
  // 表 is 95 5C and ソ is 83 5C: their second byte is the backslash code.
  const String dir = "C:\\表示\\ソフト";
  EXPECT_EQ(ExtractFileName(dir + "\\絵.jpg"), "絵.jpg");
  EXPECT_EQ(ExtractFileName("C:\\表"), "表");
  EXPECT_EQ(ExtractFilePath("C:\\ソ"), "C:\\");
  EXPECT_EQ(ChangeFileExt("ソ", ".bmp"), "ソ.bmp");
  EXPECT_EQ(IncludeTrailingPathDelimiter("C:\\ソ"), "C:\\ソ\\");
  EXPECT_EQ(ExtractFileExt("C:\\表.jpeg"), ".jpeg");
}

TEST(Utf8, MalformedAndAstralText) {
  const WideString smile{static_cast<wchar_t>(0xD83D), static_cast<wchar_t>(0xDE00)};  // U+1F600 in UTF-16
  EXPECT_EQ(WideToUtf8(smile), Bytes({0xF0, 0x9F, 0x98, 0x80}));
  EXPECT_EQ(Utf8ToWide(Bytes({0xF0, 0x9F, 0x98, 0x80})), smile);
  EXPECT_EQ(Utf8ToWide(Bytes({'a', 0xC3})), L"a\uFFFD");            // cut short
  EXPECT_EQ(Utf8ToWide(Bytes({0xC0, 0xAF})), L"\uFFFD");           // overlong
  EXPECT_EQ(Utf8ToWide(Bytes({0xED, 0xA0, 0x80})), L"\uFFFD");     // surrogate
  EXPECT_EQ(Utf8ToWide(Bytes({0xFF, 'x'})), L"\uFFFDx");
  EXPECT_EQ(WideToUtf8(WideString(1, static_cast<wchar_t>(0xD800))), Bytes({0xEF, 0xBF, 0xBD}));
}

