// Code page 932 conversion with Japanese round trips, the same through Windows and through the
// host build's iconv (the native tools and fuzz targets).
#include <gtest/gtest.h>

#include "framework/core/Text.h"

TEST(Conversion, JapaneseRoundTripsThroughUtf16AndUtf8) {
  const String text = "４コマ漫画の台詞です。ｶﾀｶﾅ and ASCII ～";
  const WideString wide = CP932ToWide(text);
  EXPECT_EQ(wide, L"４コマ漫画の台詞です。ｶﾀｶﾅ and ASCII ～");
  EXPECT_EQ(WideToCP932(wide), text);
  const std::string utf8 = CP932ToUtf8(text);
  EXPECT_EQ(utf8, reinterpret_cast<const char*>(u8"４コマ漫画の台詞です。ｶﾀｶﾅ and ASCII ～"));
  EXPECT_EQ(Utf8ToCP932(utf8), text);
  EXPECT_EQ(Utf8ToWide(utf8), wide);
  EXPECT_EQ(WideToUtf8(wide), utf8);
  EXPECT_EQ(CP932ToWide(""), L"");
  EXPECT_EQ(CP932ToUtf8("abc"), "abc");
}

TEST(Conversion, CharactersCP932LacksBecomeQuestionMarks) {
  EXPECT_EQ(WideToCP932(L"a\u00E9b"), "a?b");  // no best-fit "e"
  EXPECT_EQ(WideToCP932(L"\u2215"), "?");       // no look-alike of a path separator
  const String emoji = WideToCP932(L"\U0001F600");
  EXPECT_EQ(emoji.find_first_not_of('?'), String::npos);
}
