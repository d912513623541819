// The editable page inside a saved comic: the stage written as application segments of the
// comic's JPEG file, and the stage restored from such a file.
#pragma once

#include <cstdint>
#include <vector>

#include "framework/core/Exception.h"
#include "framework/graphics/JpegCodec.h"

class TDsnStage;

// A comic file that cannot be opened; the message says why, in the page's words.
class EComicOpen : public Exception {
 public:
  using Exception::Exception;
};

// The stage as a comic carries it: the stage stream of every designed control, with each photo
// larger than its frame reduced to the frame's size, enough to redraw the page as it was saved.
std::vector<std::uint8_t> ComicStageStream(TDsnStage& stage);
// That stream cut into the application segments of the comic's JPEG file.
std::vector<jpeg::AppSegment> ComicSegments(TDsnStage& stage);
// A larger file is refused unread: the page lies in the JPEG's header, far smaller than this.
inline constexpr std::int64_t kMaxComicFileBytes = std::int64_t(128) << 20;

// Replaces the stage's controls with the ones a comic file carries, reading the file only as far
// as its header. A file that cannot be read, is too large, holds no comic, a damaged one or one
// the stage's document rules refuse, or that needs more memory than there is, raises EComicOpen
// (saying why) and leaves the stage as it was.
void OpenComic(TDsnStage& stage, const String& fileName);
