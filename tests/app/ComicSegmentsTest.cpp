// The comic segments of a JPEG file: a stream of any size survives the trip through libjpeg's
// writer, other programs' segments are skipped, and every damaged copy is refused as a whole.
#include <gtest/gtest.h>

#include <numeric>

#include "app/comic/ComicSegments.h"
#include "framework/graphics/JpegCodec.h"
#include "tests/app/ComicCorpus.h"

namespace {

using comic_corpus::Bytes;

// A small grey JPEG carrying `segments` after its JFIF header.
Bytes JpegWith(const std::vector<jpeg::AppSegment>& segments) {
  const std::vector<std::uint8_t> grey(8 * 24, 128);
  return jpeg::Encode({grey.data(), 8, 8, 24, 24, true}, 90, segments);
}

std::vector<jpeg::AppSegment> ComicSegmentsOf(const Bytes& stream) {
  std::vector<jpeg::AppSegment> segments;
  for (Bytes& payload : comic::SplitIntoSegments(stream)) segments.push_back({comic::kSegmentMarker, payload});
  return segments;
}

Bytes StreamOf(std::size_t size) {
  Bytes stream(size);
  std::iota(stream.begin(), stream.end(), std::uint8_t(7));
  return stream;
}

comic::TSegmentFault FaultOf(const Bytes& file) {
  try {
    comic::ExtractStream(file);
  } catch (const comic::EComicSegments& error) {
    return error.Fault();
  }
  ADD_FAILURE() << "the file was read";
  return comic::TSegmentFault::Damaged;
}

}  // namespace

TEST(ComicSegments, StreamsOfEverySizeComeBackFromTheJpegFile) {
  for (std::size_t size : {std::size_t(0), std::size_t(1), comic::kMaxChunk, comic::kMaxChunk + 1, 3 * comic::kMaxChunk + 5}) {
    SCOPED_TRACE(size);
    const Bytes stream = StreamOf(size);
    const std::vector<jpeg::AppSegment> segments = ComicSegmentsOf(stream);
    EXPECT_EQ(segments.size(), std::max<std::size_t>(1, (size + comic::kMaxChunk - 1) / comic::kMaxChunk));
    for (const jpeg::AppSegment& segment : segments) EXPECT_LE(segment.payload.size(), comic::kMaxSegmentPayload);
    EXPECT_EQ(comic::ExtractStream(JpegWith(segments)), stream);
  }
}

TEST(ComicSegments, OtherProgramsSegmentsAreSkipped) {
  const Bytes stream = StreamOf(1000);
  std::vector<jpeg::AppSegment> segments{{comic::kSegmentMarker, {'O', 't', 'h', 'e', 'r', 0, 1, 2, 3}}};
  for (const jpeg::AppSegment& ours : ComicSegmentsOf(stream)) segments.push_back(ours);
  segments.push_back({0xE1, {'E', 'x', 'i', 'f', 0, 0}});
  EXPECT_EQ(comic::ExtractStream(JpegWith(segments)), stream);

  EXPECT_EQ(FaultOf(JpegWith({{comic::kSegmentMarker, {'O', 't', 'h', 'e', 'r'}}})), comic::TSegmentFault::Missing);
  EXPECT_EQ(FaultOf(JpegWith({})), comic::TSegmentFault::Missing);
  EXPECT_EQ(FaultOf({'G', 'I', 'F', '8', '9', 'a'}), comic::TSegmentFault::NotJpeg);
  EXPECT_EQ(FaultOf({}), comic::TSegmentFault::NotJpeg);
}

TEST(ComicSegments, AComicFromANewerVersionIsToldApart) {
  std::vector<jpeg::AppSegment> segments = ComicSegmentsOf(StreamOf(100));
  segments[0].payload[8] = comic::kVersion + 1;
  EXPECT_EQ(FaultOf(JpegWith(segments)), comic::TSegmentFault::NewerVersion);
}

TEST(ComicSegments, EveryDamagedCopyIsRefused) {
  const Bytes file = JpegWith(ComicSegmentsOf(StreamOf(2 * comic::kMaxChunk + 300)));
  ASSERT_EQ(comic_corpus::ComicSegmentSpans(file).size(), 3u);
  const std::vector<comic_corpus::TDamaged> copies = comic_corpus::DamagedCopies(file);
  ASSERT_GT(copies.size(), 100u);
  for (const comic_corpus::TDamaged& copy : copies) {
    SCOPED_TRACE(copy.what);
    EXPECT_THROW(comic::ExtractStream(copy.file), comic::EComicSegments);
  }
}

TEST(ComicSegments, AStreamTooLargeForTheFileIsRefusedWhenSaving) {
  EXPECT_THROW(comic::SplitIntoSegments(Bytes(comic::kMaxStreamSize + 1)), comic::EComicSegments);
}
