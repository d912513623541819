// The tagged values of the component stream: tag choice, byte layout, reading back, skipping.
#include <gtest/gtest.h>

#include <cstring>
#include <functional>

#include "framework/core/Stream.h"
#include "streaming/ValueReader.h"
#include "streaming/ValueWriter.h"
#include "tests/support/StreamWriters.h"

namespace {

using test_support::Bytes;
using test_support::Encode;

std::string Utf8(const char8_t* text) { return std::string(reinterpret_cast<const char*>(text)); }

TEST(ValueCoding, IntegersTakeTheSmallestTagThatHoldsThem) {
  EXPECT_EQ(Encode([](TValueWriter& w) { w.WriteInteger(127); }), (Bytes{2, 0x7F}));
  EXPECT_EQ(Encode([](TValueWriter& w) { w.WriteInteger(128); }), (Bytes{3, 0x80, 0x00}));
  EXPECT_EQ(Encode([](TValueWriter& w) { w.WriteInteger(32768); }), (Bytes{4, 0x00, 0x80, 0x00, 0x00}));
  EXPECT_EQ(Encode([](TValueWriter& w) { w.WriteInteger(-129); }), (Bytes{3, 0x7F, 0xFF}));
  EXPECT_EQ(Encode([](TValueWriter& w) { w.WriteInteger(-128); }), (Bytes{2, 0x80}));
  EXPECT_EQ(Encode([](TValueWriter& w) { w.WriteInteger(-32769); }).front(), 4);
  EXPECT_EQ(Encode([](TValueWriter& w) { w.WriteInteger(2147483648LL); }).size(), 9u);
  EXPECT_EQ(Encode([](TValueWriter& w) { w.WriteInteger(2147483648LL); }).front(), 19);
}

TEST(ValueCoding, IntegersReadBackFromEveryWidth) {
  for (std::int64_t value : {0LL, 127LL, 128LL, -128LL, -129LL, 32767LL, 32768LL, -32768LL, -32769LL, 2147483647LL,
                             -2147483648LL, 2147483648LL, -9000000000LL}) {
    const Bytes bytes = Encode([&](TValueWriter& w) { w.WriteInteger(value); });
    TValueReader reader(bytes.data(), bytes.size());
    EXPECT_EQ(reader.ReadInt64(), value);
    EXPECT_EQ(reader.Remaining(), 0u);
  }
  const Bytes big = Encode([](TValueWriter& w) { w.WriteInteger(2147483648LL); });
  TValueReader reader(big.data(), big.size());
  EXPECT_THROW(reader.ReadInteger(), EReadError);  // beyond 32 bits
}

TEST(ValueCoding, TextTakesStringLStringOrUtf8AndAllReadBackAlike) {
  const Bytes abc = Encode([](TValueWriter& w) { w.WriteText("abc"); });
  EXPECT_EQ(abc, (Bytes{6, 3, 'a', 'b', 'c'}));

  const String ascii256(256, 'x');
  const Bytes longText = Encode([&](TValueWriter& w) { w.WriteText(ascii256); });
  ASSERT_EQ(longText.size(), 1u + 4 + 256);
  EXPECT_EQ(longText[0], 12);
  EXPECT_EQ(longText[1] | longText[2] << 8, 256);
  EXPECT_EQ(Encode([&](TValueWriter& w) { w.WriteText(String(255, 'x')); })[0], 6);

  const String line = "台詞1";  // CP932 in the program
  const std::string utf8 = Utf8(u8"台詞1");
  const Bytes japanese = Encode([&](TValueWriter& w) { w.WriteText(line); });
  ASSERT_EQ(japanese[0], 20);
  EXPECT_EQ(japanese[1], utf8.size());
  EXPECT_EQ(std::string(japanese.begin() + 5, japanese.end()), utf8);

  for (const Bytes& bytes : {abc, longText, japanese}) {
    TValueReader reader(bytes.data(), bytes.size());
    const String text = reader.ReadText();
    EXPECT_TRUE(text == "abc" || text == ascii256 || text == line) << text;
    EXPECT_EQ(reader.Remaining(), 0u);
  }
}

TEST(ValueCoding, TheSameEightBitTextInAllThreeFormsReadsTheSame) {
  const String text = "漫画 abc";
  const std::string utf8 = CP932ToUtf8(text);
  Bytes asString{6, static_cast<std::uint8_t>(text.size())};
  asString.insert(asString.end(), text.begin(), text.end());
  Bytes asLString{12, static_cast<std::uint8_t>(text.size()), 0, 0, 0};
  asLString.insert(asLString.end(), text.begin(), text.end());
  Bytes asUtf8{20, static_cast<std::uint8_t>(utf8.size()), 0, 0, 0};
  asUtf8.insert(asUtf8.end(), utf8.begin(), utf8.end());
  const WideString wide = CP932ToWide(text);
  Bytes asWide{18, static_cast<std::uint8_t>(wide.size()), 0, 0, 0};
  for (wchar_t c : wide) {
    asWide.push_back(static_cast<std::uint8_t>(c & 0xFF));
    asWide.push_back(static_cast<std::uint8_t>(c >> 8));
  }
  for (const Bytes& bytes : {asString, asLString, asUtf8, asWide}) {
    TValueReader reader(bytes.data(), bytes.size());
    EXPECT_EQ(reader.ReadText(), text);
    TValueReader wideReader(bytes.data(), bytes.size());
    EXPECT_EQ(wideReader.ReadWideText(), wide);
  }
}

TEST(ValueCoding, BytesThatAreNoCP932TextKeepTheirEightBitForm) {
  const String broken = "ab\x82";  // a lead byte without its trail byte
  const Bytes bytes = Encode([&](TValueWriter& w) { w.WriteText(broken); });
  EXPECT_EQ(bytes[0], 6);
  TValueReader reader(bytes.data(), bytes.size());
  EXPECT_EQ(reader.ReadText(), broken);
}

TEST(ValueCoding, WideTextFollowsTheUtf8LengthRule) {
  EXPECT_EQ(Encode([](TValueWriter& w) { w.WriteWideText(L"abc"); }), (Bytes{6, 3, 'a', 'b', 'c'}));
  // Two bytes of UTF-8 for one character: not shorter than two a character.
  EXPECT_EQ(Encode([](TValueWriter& w) { w.WriteWideText(L"\u00E9"); }), (Bytes{18, 1, 0, 0, 0, 0xE9, 0x00}));
  // "aé": three bytes for two characters.
  EXPECT_EQ(Encode([](TValueWriter& w) { w.WriteWideText(L"a\u00E9"); }), (Bytes{20, 3, 0, 0, 0, 'a', 0xC3, 0xA9}));
  const Bytes japanese = Encode([](TValueWriter& w) { w.WriteWideText(L"\u53F0\u8A5E"); });
  EXPECT_EQ(japanese, (Bytes{18, 2, 0, 0, 0, 0xF0, 0x53, 0x5E, 0x8A}));
}

TEST(ValueCoding, SpecialIdentifiersBecomeTheirTags) {
  EXPECT_EQ(Encode([](TValueWriter& w) { w.WriteIdent("True"); }), (Bytes{9}));
  EXPECT_EQ(Encode([](TValueWriter& w) { w.WriteIdent("false"); }), (Bytes{8}));
  EXPECT_EQ(Encode([](TValueWriter& w) { w.WriteIdent("NULL"); }), (Bytes{0}));
  EXPECT_EQ(Encode([](TValueWriter& w) { w.WriteIdent("Nil"); }), (Bytes{13}));
  EXPECT_EQ(Encode([](TValueWriter& w) { w.WriteIdent("clWhite"); }),
            (Bytes{7, 7, 'c', 'l', 'W', 'h', 'i', 't', 'e'}));
  const Bytes tags{9, 8, 0, 13};
  TValueReader reader(tags.data(), tags.size());
  EXPECT_EQ(reader.ReadIdent(), "True");
  EXPECT_EQ(reader.ReadIdent(), "False");
  EXPECT_EQ(reader.ReadIdent(), "Null");
  EXPECT_EQ(reader.ReadIdent(), "nil");
}

TEST(ValueCoding, SetsListTheirMembersAndEndWithAnEmptyName) {
  const Bytes bytes = Encode([](TValueWriter& w) {
    w.WriteSet({"biSystemMenu", "biMinimize"});
    w.WriteSet({});
  });
  Bytes expected{11, 12};
  for (char c : std::string("biSystemMenu")) expected.push_back(static_cast<std::uint8_t>(c));
  expected.push_back(10);
  for (char c : std::string("biMinimize")) expected.push_back(static_cast<std::uint8_t>(c));
  expected.insert(expected.end(), {0, 11, 0});
  EXPECT_EQ(bytes, expected);
  TValueReader reader(bytes.data(), bytes.size());
  EXPECT_EQ(reader.ReadSet(), (std::vector<String>{"biSystemMenu", "biMinimize"}));
  EXPECT_TRUE(reader.ReadSet().empty());
}

TEST(ValueCoding, FloatingPointFormsReadBack) {
  const Bytes bytes = Encode([](TValueWriter& w) {
    w.WriteFloat(0.1L);
    w.WriteSingle(2.5f);
    w.WriteCurrency(123456);  // 12.3456
    w.WriteDate(45000.5);
    w.WriteInteger(-7);
  });
  EXPECT_EQ(bytes[0], 5);
  EXPECT_EQ(bytes[11], 15);
  TValueReader reader(bytes.data(), bytes.size());
  EXPECT_EQ(reader.ReadFloat(), 0.1L);  // all 80 bits kept
  EXPECT_EQ(reader.ReadFloat(), 2.5L);
  EXPECT_EQ(reader.ReadFloat(), 123456.0L / 10000);
  EXPECT_EQ(reader.ReadFloat(), 45000.5L);
  EXPECT_EQ(reader.ReadFloat(), -7.0L);
}

TEST(ValueCoding, BinaryHasAFourByteLength) {
  const char data[] = {'B', 'M', 0, 1};
  const Bytes bytes = Encode([&](TValueWriter& w) { w.WriteBinary(data, sizeof data); });
  EXPECT_EQ(bytes, (Bytes{10, 4, 0, 0, 0, 'B', 'M', 0, 1}));
  TValueReader reader(bytes.data(), bytes.size());
  EXPECT_EQ(reader.ReadBinary(), std::string_view(data, sizeof data));
}

TEST(ValueCoding, PrefixCarriesFlagsAndChildPosition) {
  EXPECT_TRUE(Encode([](TValueWriter& w) { w.WritePrefix(0, 5); }).empty());
  const Bytes bytes = Encode([](TValueWriter& w) { w.WritePrefix(3, 200); });
  EXPECT_EQ(bytes, (Bytes{0xF3, 3, 200, 0}));
  TValueReader reader(bytes.data(), bytes.size());
  std::uint8_t flags;
  int position;
  reader.ReadPrefix(flags, position);
  EXPECT_EQ(flags, 3);
  EXPECT_EQ(position, 200);
}

TEST(ValueCoding, AValueOfTheWrongTagIsAPropertyValueError) {
  const Bytes bytes = Encode([](TValueWriter& w) { w.WriteInteger(5); });
  TValueReader reader(bytes.data(), bytes.size());
  try {
    reader.ReadText();
    FAIL();
  } catch (const EReadError& e) {
    EXPECT_EQ(e.Message(), "不正なプロパティの値です");
  }
  for (auto read : std::initializer_list<std::function<void(TValueReader&)>>{
           [](TValueReader& r) { r.ReadIdent(); }, [](TValueReader& r) { r.ReadSet(); },
           [](TValueReader& r) { r.ReadBoolean(); }, [](TValueReader& r) { r.ReadBinary(); },
           [](TValueReader& r) { r.ReadListBegin(); }}) {
    TValueReader again(bytes.data(), bytes.size());
    EXPECT_THROW(read(again), EReadError);
  }
}

// A value holding every tag, lists and a collection nested inside one another (Null only inside
// the collection's items: in a list its zero byte would end the list).
Bytes EveryTag() {
  return Encode([](TValueWriter& w) {
    w.WriteListBegin();
    w.WriteInteger(1);
    w.WriteInteger(1000);
    w.WriteInteger(100000);
    w.WriteInteger(1LL << 40);
    w.WriteFloat(1.5L);
    w.WriteText("s");
    w.WriteText(String(300, 'l'));
    w.WriteText("台");
    w.WriteWString(L"w");
    w.WriteIdent("ident");
    w.WriteBoolean(false);
    w.WriteBoolean(true);
    w.WriteNil();
    w.WriteBinary("xyz", 3);
    w.WriteSet({"a", "b"});
    w.WriteSingle(1);
    w.WriteCurrency(1);
    w.WriteDate(1);
    w.WriteCollectionBegin();
    w.WriteInteger(0);  // order index
    w.WriteListBegin();
    w.WriteShortString("Name");
    w.WriteText("item");
    w.WriteShortString("Empty");
    w.WriteNull();
    w.WriteListEnd();
    w.WriteListBegin();  // an item without an index
    w.WriteShortString("Sub");
    w.WriteListBegin();
    w.WriteInteger(7);
    w.WriteListEnd();
    w.WriteListEnd();
    w.WriteListEnd();
    w.WriteListEnd();
  });
}

TEST(ValueCoding, SkippingPassesOneWholeValueOfAnyTag) {
  Bytes bytes = EveryTag();
  const std::size_t valueSize = bytes.size();
  bytes.push_back(0x42);  // what follows the value
  TValueReader reader(bytes.data(), bytes.size());
  reader.SkipValue();
  EXPECT_EQ(reader.Position(), valueSize);
}

TEST(ValueCoding, SkippingRefusesUnknownTagsAndDeepNesting) {
  const Bytes unknown{21};
  TValueReader reader(unknown.data(), unknown.size());
  EXPECT_THROW(reader.SkipValue(), EReadError);

  Bytes deep(200, 1);  // lists inside lists
  deep.insert(deep.end(), 200, 0);
  TValueReader deepReader(deep.data(), deep.size());
  EXPECT_THROW(deepReader.SkipValue(), EReadError);

  Bytes fine(30, 1);
  fine.insert(fine.end(), 30, 0);
  TValueReader fineReader(fine.data(), fine.size());
  fineReader.SkipValue();
  EXPECT_EQ(fineReader.Remaining(), 0u);
}

TEST(ValueCoding, LengthsBeyondTheDataAreRefusedBeforeAnyAllocation) {
  for (const Bytes& bytes : {Bytes{12, 0xFF, 0xFF, 0xFF, 0x7F, 'a'}, Bytes{10, 0xFF, 0xFF, 0xFF, 0xFF},
                             Bytes{18, 0x00, 0x00, 0x00, 0x80, 'a', 0}, Bytes{20, 5, 0, 0, 0, 'a'},
                             Bytes{6, 10, 'a'}}) {
    TValueReader reader(bytes.data(), bytes.size());
    EXPECT_THROW(reader.ReadText(), EReadError);
    TValueReader skipper(bytes.data(), bytes.size());
    EXPECT_THROW(skipper.SkipValue(), EReadError);
  }
}

TEST(ValueCoding, TheWriterBuffersAndFlushesInOrder) {
  TMemoryStream stream;
  {
    TValueWriter writer(stream, 8);
    writer.WriteText("0123456789");  // longer than the buffer
    writer.WriteInteger(1);
    EXPECT_LT(stream.Size(), 14);  // the last value is still buffered
  }
  const Bytes expected{6, 10, '0', '1', '2', '3', '4', '5', '6', '7', '8', '9', 2, 1};
  EXPECT_EQ(Bytes(stream.Memory(), stream.Memory() + stream.Size()), expected);
}

}  // namespace
