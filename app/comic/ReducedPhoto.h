// Photos at the size the page shows them. A frame stretches its photo over itself and shows no
// more than the stage it stands on, so a photo with more pixels than that would only cost memory:
// kept in a frame, in every undo step and in every copy of the frame.
#pragma once

#include <memory>

#include "framework/core/Text.h"
#include "framework/graphics/Geometry.h"

class TGraphic;
class TJPEGImage;
class TPicture;

// The smallest size with the photo's proportions that covers `area`; the photo's own size when
// that is not larger.
TSize CoverSize(const TGraphic& photo, TSize area);

// `photo` drawn at `size` the way a stretched frame draws it, as a JPEG image of quality 92 that
// holds only its compressed bytes.
std::unique_ptr<TJPEGImage> ReducedPhoto(TGraphic& photo, TSize size);

// Loads the picture file into `picture`, reduced to cover `area` when it is larger. A file that
// cannot be loaded raises and leaves `picture` as it was.
void LoadPagePhoto(TPicture& picture, const String& fileName, TSize area);
