// Memory streams: growth and positions, exact reads, copying.
#include <gtest/gtest.h>

#include <cstring>

#include "framework/core/Stream.h"

TEST(MemoryStream, WritesGrowReadsStopAtTheEnd) {
  TMemoryStream s;
  s.WriteBuffer("abcdef", 6);
  EXPECT_EQ(s.Size(), 6);
  EXPECT_EQ(s.Position(), 6);
  s.SetPosition(2);
  char buffer[8] = {};
  EXPECT_EQ(s.Read(buffer, 8), 4);
  EXPECT_STREQ(buffer, "cdef");
  EXPECT_EQ(s.Read(buffer, 1), 0);
  s.Seek(-2, soEnd);
  s.WriteBuffer("XYZ", 3);
  EXPECT_EQ(s.Size(), 7);
  EXPECT_EQ(std::memcmp(s.Memory(), "abcdXYZ", 7), 0);
  s.Seek(10, soBeginning);  // past the end: the gap fills with zeros when written
  s.WriteBuffer("!", 1);
  EXPECT_EQ(s.Size(), 11);
  EXPECT_EQ(s.Memory()[8], 0);
  EXPECT_THROW(s.Seek(-1, soBeginning), EStreamError);
  EXPECT_THROW(s.Seek(0, static_cast<TSeekOrigin>(3)), EStreamError);
  EXPECT_EQ(s.Position(), 11);
  s.SetSize(3);
  EXPECT_EQ(s.Position(), 3);
  s.Clear();
  EXPECT_EQ(s.Size(), 0);
}

TEST(MemoryStream, ShortReadRaisesTheReadError) {
  TMemoryStream s;
  s.WriteBuffer("abc", 3);
  s.SetPosition(1);
  char buffer[4];
  try {
    s.ReadBuffer(buffer, 3);
    FAIL();
  } catch (const EReadError& e) {
    EXPECT_EQ(e.Message(), "Stream read error");
  }
  EXPECT_THROW(s.ReadBuffer(buffer, -1), EReadError);
  s.SetPosition(0);
  s.ReadBuffer(buffer, 0);
  s.ReadBuffer(buffer, 3);
  EXPECT_EQ(std::memcmp(buffer, "abc", 3), 0);
}

TEST(MemoryStream, CopyFromPartOrWhole) {
  TMemoryStream source, dest;
  std::vector<std::uint8_t> bytes(200000);
  for (std::size_t i = 0; i < bytes.size(); ++i) bytes[i] = static_cast<std::uint8_t>(i * 7);
  source.WriteBuffer(bytes.data(), static_cast<std::int64_t>(bytes.size()));
  EXPECT_EQ(dest.CopyFrom(source, 0), 200000);  // 0: the whole source from its start
  EXPECT_EQ(std::memcmp(dest.Memory(), bytes.data(), bytes.size()), 0);
  source.SetPosition(10);
  TMemoryStream part;
  part.CopyFrom(source, 5);
  EXPECT_EQ(part.Size(), 5);
  EXPECT_EQ(part.Memory()[0], bytes[10]);
  EXPECT_THROW(part.CopyFrom(source, -1), EReadError);  // a bad count copies nothing
  EXPECT_EQ(source.Position(), 15);
  source.SetPosition(199999);
  EXPECT_THROW(part.CopyFrom(source, 5), EReadError);
}

