// The comic's editable page: reduced photos on the way out, every check on the way in.
#include "app/comic/ComicFile.h"

#include <new>

#include "app/comic/ComicSegments.h"
#include "app/comic/ReducedPhoto.h"
#include "designer/DsnUnit.h"
#include "framework/core/Stream.h"
#include "framework/graphics/JpegImage.h"
#include "framework/graphics/Picture.h"
#include "framework/stdctrls/Image.h"

namespace {

// A picture the comic keeps reduced is written as its reduced copy.
bool WriteKeptPicture(TComicPhotos& photos, TComponentWriter& writer, TComponent* component, TPersistent* instance,
                      const String& path) {
  auto* image = dynamic_cast<TImage*>(component);
  if (!image || instance != image->Picture()) return false;
  TGraphic* reduced = photos.ReducedFor(*image);
  if (!reduced) return false;
  TPicture picture;
  picture.SetGraphic(reduced);
  TMemoryStream data;
  picture.WriteData(data);
  writer.Values().WriteShortString(path);
  writer.Values().WriteBinary(data.Memory(), static_cast<std::size_t>(data.Size()));
  return true;
}

// The file up to its image data: the comic's segments lie in front of it, and the photo behind it
// is never read. A file cut short gives what it has, for the segments' reader to judge.
std::vector<std::uint8_t> JpegHeaderOf(TStream& file) {
  std::vector<std::uint8_t> header;
  const auto take = [&](std::size_t count) {
    const std::size_t at = header.size();
    header.resize(at + count);
    const auto got = static_cast<std::size_t>(file.Read(header.data() + at, static_cast<std::int64_t>(count)));
    header.resize(at + got);
    return got == count;
  };
  if (!take(2)) return header;
  for (;;) {
    if (!take(1) || header.back() != 0xFF) return header;
    do {
      if (!take(1)) return header;
    } while (header.back() == 0xFF);  // fill bytes
    const std::uint8_t marker = header.back();
    if (marker == 0xDA || marker == 0xD9) return header;                 // image data, end of image
    if (marker == 0x01 || (marker >= 0xD0 && marker <= 0xD7)) continue;  // markers without a length
    if (!take(2)) return header;
    const std::size_t length = std::size_t(header[header.size() - 2]) << 8 | header.back();
    if (length < 2 || !take(length - 2)) return header;
  }
}

String OpenFailure(const String& fileName, comic::TSegmentFault fault) {
  switch (fault) {
    case comic::TSegmentFault::NotJpeg: return fileName + " はJPEGファイルではありません。";
    case comic::TSegmentFault::Missing: return fileName + " には編集できる漫画が入っていません。";
    case comic::TSegmentFault::NewerVersion: return fileName + " は新しい版のTavelkoで保存された漫画です。";
    case comic::TSegmentFault::Damaged: break;
  }
  return fileName + " の漫画のデータが壊れています。";
}

}  // namespace

TComicPhotos::TComicPhotos(int scale) : scale_(scale) {}

TComicPhotos::~TComicPhotos() = default;

TGraphic* TComicPhotos::ReducedFor(TImage& frame) {
  const auto [entry, made] = reduced_.try_emplace(&frame);
  if (!made) return entry->second.get();
  // A stretched photo larger than its frame at the scale: drawn the way the screen draws it,
  // then compressed.
  TGraphic* photo = frame.Picture()->Graphic();
  const int width = frame.Width() * scale_, height = frame.Height() * scale_;
  if (frame.Stretch() && photo && width > 0 && height > 0 && (photo->Width() > width || photo->Height() > height))
    entry->second = ReducedPhoto(*photo, {width, height});
  return entry->second.get();
}

std::vector<std::uint8_t> ComicStageStream(TDsnStage& stage, TComicPhotos& photos) {
  TMemoryStream stream;
  stage.WriteDesign(stream, [&photos](TComponentWriter& writer, TComponent* component, TPersistent* instance,
                                      const String& path) {
    return WriteKeptPicture(photos, writer, component, instance, path);
  });
  return {stream.Memory(), stream.Memory() + stream.Size()};
}

std::vector<jpeg::AppSegment> ComicSegments(TDsnStage& stage, TComicPhotos& photos) {
  std::vector<jpeg::AppSegment> segments;
  for (std::vector<std::uint8_t>& payload : comic::SplitIntoSegments(ComicStageStream(stage, photos)))
    segments.push_back({comic::kSegmentMarker, std::move(payload)});
  return segments;
}

void OpenComic(TDsnStage& stage, const String& fileName) {
  try {
    std::vector<std::uint8_t> header;
    try {
      TFileStream file(fileName, fmOpenRead | fmShareDenyWrite);
      if (file.Size() > kMaxComicFileBytes) throw EComicOpen(fileName + " は大きすぎるため、漫画として開けません。");
      header = JpegHeaderOf(file);
    } catch (const EStreamError&) {
      throw EComicOpen(fileName + " を読み込めません。");
    }
    TMemoryStream layout;
    try {
      const std::vector<std::uint8_t> stream = comic::ExtractStream(header);
      layout.Write(stream.data(), static_cast<std::int64_t>(stream.size()));
    } catch (const comic::EComicSegments& error) {
      throw EComicOpen(OpenFailure(fileName, error.Fault()));
    }
    try {
      stage.LoadFromStream(&layout);
    } catch (const EDocumentRefused& refusal) {
      throw EComicOpen(fileName + " の漫画には、開けないものが入っています: " + refusal.Message());
    } catch (const Exception&) {
      throw EComicOpen(OpenFailure(fileName, comic::TSegmentFault::Damaged));
    }
  } catch (const std::bad_alloc&) {
    throw EComicOpen(fileName + " を開くにはメモリが足りません。");
  }
}
