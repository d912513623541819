// The editable page inside a saved comic: the stage written as application segments of the
// comic's JPEG file, and the stage restored from such a file.
#pragma once

#include <cstdint>
#include <map>
#include <memory>
#include <vector>

#include "framework/core/Exception.h"
#include "framework/graphics/JpegCodec.h"

class TDsnStage;
class TGraphic;
class TImage;
class TJPEGImage;

// A comic file that cannot be opened; the message says why, in the page's words.
class EComicOpen : public Exception {
 public:
  using Exception::Exception;
};

// The photos a comic keeps for a page saved at `scale`: a stretched frame's photo with more pixels
// than the frame has at that scale is kept reduced to them, and the saved picture is drawn from
// the same copy, so that the comic opened again redraws exactly that picture.
class TComicPhotos {
 public:
  explicit TComicPhotos(int scale);
  ~TComicPhotos();
  TComicPhotos(const TComicPhotos&) = delete;
  TComicPhotos& operator=(const TComicPhotos&) = delete;

  int Scale() const { return scale_; }
  // The reduced copy of the frame's photo, made on first ask and owned here; null when the
  // frame's own picture is kept as it is.
  TGraphic* ReducedFor(TImage& frame);

 private:
  int scale_;
  std::map<const TImage*, std::unique_ptr<TJPEGImage>> reduced_;  // null entries: kept as it is
};

// The stage as a comic carries it: the stage stream of every designed control, with the photos
// as `photos` keeps them, enough to redraw the page as it was saved.
std::vector<std::uint8_t> ComicStageStream(TDsnStage& stage, TComicPhotos& photos);
// That stream cut into the application segments of the comic's JPEG file.
std::vector<jpeg::AppSegment> ComicSegments(TDsnStage& stage, TComicPhotos& photos);
// A larger file is refused unread: the page lies in the JPEG's header, far smaller than this.
inline constexpr std::int64_t kMaxComicFileBytes = std::int64_t(128) << 20;

// Replaces the stage's controls with the ones a comic file carries, reading the file only as far
// as its header. A file that cannot be read, is too large, holds no comic, a damaged one or one
// the stage's document rules refuse, or that needs more memory than there is, raises EComicOpen
// (saying why) and leaves the stage as it was.
void OpenComic(TDsnStage& stage, const String& fileName);
