// Damaged and hostile component streams: truncated at every byte, bytes replaced, huge lengths,
// deep nesting, random data. Each must end in the framework's exception with nothing created,
// never a crash, a hang, a foreign exception or a leak.
#include <gtest/gtest.h>

#include <random>

#include "StreamTestSupport.h"
#include "streaming/ValueWriter.h"

namespace {

Bytes RichStream() {
  auto form = MakeSampleForm();
  FillEveryKind(*form);
  dynamic_cast<TSampleNonVisual*>(form->FindComponent("NonVisual1"))->SetDesignInfo((10 << 16) | 34);
  return WriteRoot(form.get());
}

enum class TOutcome { Read, Refused };

// Reads `bytes` into a fresh form. A refusal must leave the form without components; anything
// but the framework's exceptions escapes and fails the test.
TOutcome TryRead(const Bytes& bytes, bool skipBadProperties = false) {
  TSampleForm form(nullptr);
  auto stream = StreamOf(bytes);
  TComponentReader reader(*stream);
  if (skipBadProperties) reader.OnError = [](TReader*, const String&, bool& handled) { handled = true; };
  try {
    reader.ReadRootComponent(&form);
    return TOutcome::Read;
  } catch (const Exception&) {
    EXPECT_EQ(form.ComponentCount(), 0);
    EXPECT_EQ(stream->Position(), 0);
    return TOutcome::Refused;
  }
}

using DamagedStream = StreamTest;

TEST_F(DamagedStream, TruncatedAtEveryByteIsAReadError) {
  const Bytes bytes = RichStream();
  ASSERT_GT(bytes.size(), 500u);
  ASSERT_EQ(TryRead(bytes), TOutcome::Read);
  LoadedLog().clear();
  for (std::size_t length = 0; length < bytes.size(); ++length) {
    const Bytes cut(bytes.begin(), bytes.begin() + static_cast<std::ptrdiff_t>(length));
    TSampleForm form(nullptr);
    auto stream = StreamOf(cut);
    TComponentReader reader(*stream);
    EXPECT_THROW(reader.ReadRootComponent(&form), EReadError) << "cut at " << length;
    EXPECT_EQ(form.ComponentCount(), 0);
    EXPECT_TRUE(LoadedLog().empty());
  }
}

TEST_F(DamagedStream, EveryByteReplacedIsReadOrRefusedCleanly) {
  const Bytes original = RichStream();
  int refused = 0;
  for (std::size_t i = 0; i < original.size(); ++i) {
    for (std::uint8_t value : {0x00, 0x01, 0x0A, 0x0E, 0x12, 0x15, 0x7F, 0xF1, 0xFF}) {
      Bytes bytes = original;
      bytes[i] = value;
      if (TryRead(bytes) == TOutcome::Refused) ++refused;
      TryRead(bytes, true);
    }
    Bytes flipped = original;
    flipped[i] ^= 0x20;
    TryRead(flipped);
  }
  EXPECT_GT(refused, 0);
}

// One control whose only property is Caption, carrying `value` as raw bytes.
Bytes ControlWithRawValue(const Bytes& value) {
  return Encode([&](TValueWriter& w) {
    BeginStream(w, "TSampleForm", "Form1");
    w.WriteListEnd();
    w.WriteShortString("TSampleControl");
    w.WriteShortString("Box1");
    w.WriteShortString("Caption");
    w.WriteBytes(value.data(), value.size());
    w.WriteListEnd();
    w.WriteListEnd();
    w.WriteListEnd();
  });
}

TEST_F(DamagedStream, HugeLengthsAndCountsAreRefused) {
  for (const Bytes& value : {Bytes{12, 0xFF, 0xFF, 0xFF, 0x7F, 'a'}, Bytes{12, 0xFF, 0xFF, 0xFF, 0xFF},
                             Bytes{18, 0xFF, 0xFF, 0xFF, 0x7F, 'a', 0}, Bytes{20, 0xF0, 0xFF, 0xFF, 0xFF, 'a'},
                             Bytes{10, 0xFF, 0xFF, 0xFF, 0xFF, 1, 2, 3}, Bytes{6, 200, 'a'}}) {
    EXPECT_EQ(TryRead(ControlWithRawValue(value)), TOutcome::Refused);
    // Even with every property error skipped: a length beyond the data is no property error.
    EXPECT_EQ(TryRead(ControlWithRawValue(value), true), TOutcome::Refused);
  }
  EXPECT_EQ(TryRead(ControlWithRawValue(Bytes{6, 2, 'o', 'k'})), TOutcome::Read);
}

// A form whose first child holds a child holding a child ..., `depth` records below the form.
Bytes NestedRecords(int depth) {
  return Encode([&](TValueWriter& w) {
    BeginStream(w, "TSampleForm", "Form1");
    w.WriteListEnd();
    for (int i = 0; i < depth; ++i) {
      w.WriteShortString("TSampleControl");
      w.WriteShortString("");
      w.WriteListEnd();
    }
    for (int i = 0; i <= depth; ++i) w.WriteListEnd();
  });
}

TEST_F(DamagedStream, NestingIsBounded) {
  EXPECT_EQ(TryRead(NestedRecords(60)), TOutcome::Read);
  EXPECT_EQ(TryRead(NestedRecords(65)), TOutcome::Refused);
  EXPECT_EQ(TryRead(NestedRecords(100000)), TOutcome::Refused);

  Bytes deepList(200000, 0);  // lists inside lists, then their ends
  std::fill_n(deepList.begin(), 100000, 1);
  EXPECT_EQ(TryRead(ControlWithRawValue(deepList), true), TOutcome::Refused);
  Bytes deepCollection;
  for (int i = 0; i < 50000; ++i) deepCollection.insert(deepCollection.end(), {14, 1, 1, 'X'});
  EXPECT_EQ(TryRead(ControlWithRawValue(deepCollection), true), TOutcome::Refused);
}

TEST_F(DamagedStream, AForeignSignatureIsRefusedBeforeAnythingIsCreated) {
  Bytes bytes = RichStream();
  bytes[3] = '1';
  EXPECT_EQ(TryRead(bytes), TOutcome::Refused);
  EXPECT_EQ(TryRead(Bytes{'T', 'P', 'F'}), TOutcome::Refused);
}

TEST_F(DamagedStream, RandomBytesAfterTheSignatureAreRefusedCleanly) {
  std::mt19937 random(20240601);
  std::uniform_int_distribution<int> byte(0, 255);
  std::uniform_int_distribution<int> length(0, 300);
  for (int round = 0; round < 3000; ++round) {
    Bytes bytes{'T', 'P', 'F', '0'};
    if (round % 2) {
      // A plausible start: the form's class and name.
      const String head = "\x0BTSampleForm\x05""Form1";
      bytes.insert(bytes.end(), head.begin(), head.end());
    }
    for (int i = length(random); i > 0; --i) bytes.push_back(static_cast<std::uint8_t>(byte(random)));
    TryRead(bytes, round % 3 == 0);
  }
}

TEST_F(DamagedStream, ATruncatedListLeavesItsOwnerAsItWas) {
  auto source = MakeSampleForm();
  FillEveryKind(*source);
  const Bytes bytes = ComponentRecords(source.get(),
                                       {source->FindComponent("Label1"), source->FindComponent("Panel1"),
                                        source->FindComponent("NonVisual1")},
                                       1);
  for (std::size_t length = 0; length < bytes.size(); ++length) {
    auto target = MakeSampleForm();
    auto cut = StreamOf(Bytes(bytes.begin(), bytes.begin() + static_cast<std::ptrdiff_t>(length)));
    TComponentReader reader(*cut);
    reader.OnSetName = [](TReader*, TComponent*, String& name) { name.clear(); };
    EXPECT_THROW(reader.ReadComponents(target.get(), target.get()), EReadError) << "cut at " << length;
    EXPECT_EQ(target->ComponentCount(), 5);
  }
}

}  // namespace
