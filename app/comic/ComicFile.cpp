// The comic's editable page: reduced photos on the way out, every check on the way in.
#include "app/comic/ComicFile.h"

#include "app/comic/ComicSegments.h"
#include "app/comic/ReducedPhoto.h"
#include "designer/DsnUnit.h"
#include "framework/graphics/JpegImage.h"
#include "framework/graphics/Picture.h"
#include "framework/stdctrls/Image.h"

namespace {

// A stretched picture larger than its image is written at the image's size instead: drawn the
// way the screen draws it, then compressed.
bool WriteReducedPicture(TComponentWriter& writer, TComponent* component, TPersistent* instance, const String& path) {
  auto* image = dynamic_cast<TImage*>(component);
  if (!image || instance != image->Picture() || !image->Stretch()) return false;
  TGraphic* photo = image->Picture()->Graphic();
  const int width = image->Width(), height = image->Height();
  if (!photo || width <= 0 || height <= 0 || (photo->Width() <= width && photo->Height() <= height)) return false;

  TPicture picture;
  picture.SetGraphic(ReducedPhoto(*photo, {width, height}).get());
  TMemoryStream data;
  picture.WriteData(data);
  writer.Values().WriteShortString(path);
  writer.Values().WriteBinary(data.Memory(), static_cast<std::size_t>(data.Size()));
  return true;
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

std::vector<std::uint8_t> ComicStageStream(TDsnStage& stage) {
  TMemoryStream stream;
  stage.WriteDesign(stream, WriteReducedPicture);
  return {stream.Memory(), stream.Memory() + stream.Size()};
}

std::vector<jpeg::AppSegment> ComicSegments(TDsnStage& stage) {
  std::vector<jpeg::AppSegment> segments;
  for (std::vector<std::uint8_t>& payload : comic::SplitIntoSegments(ComicStageStream(stage)))
    segments.push_back({comic::kSegmentMarker, std::move(payload)});
  return segments;
}

void OpenComic(TDsnStage& stage, const String& fileName) {
  TMemoryStream file;
  try {
    file.LoadFromFile(fileName);
  } catch (const Exception&) {
    throw EComicOpen(fileName + " を読み込めません。");
  }
  TMemoryStream layout;
  try {
    const std::vector<std::uint8_t> stream =
        comic::ExtractStream({file.Memory(), static_cast<std::size_t>(file.Size())});
    layout.Write(stream.data(), static_cast<std::int64_t>(stream.size()));
  } catch (const comic::EComicSegments& error) {
    throw EComicOpen(OpenFailure(fileName, error.Fault()));
  }
  try {
    stage.LoadFromStream(&layout);
  } catch (const Exception&) {
    throw EComicOpen(OpenFailure(fileName, comic::TSegmentFault::Damaged));
  }
}
