// Photos at the size the page shows them.
#include "app/comic/ReducedPhoto.h"

#include <algorithm>
#include <cmath>

#include "framework/graphics/Bitmap.h"
#include "framework/graphics/Canvas.h"
#include "framework/graphics/JpegImage.h"
#include "framework/graphics/Picture.h"

namespace {
// Plenty for a photo drawn at most at its own size; the page itself is saved at quality 100.
constexpr int ReducedPhotoQuality = 92;
}  // namespace

TSize CoverSize(const TGraphic& photo, TSize area) {
  const int width = photo.Width(), height = photo.Height();
  if (width <= 0 || height <= 0) return {width, height};
  const double scale = std::max(double(area.cx) / width, double(area.cy) / height);
  if (scale >= 1) return {width, height};
  return {std::max(1, int(std::ceil(width * scale))), std::max(1, int(std::ceil(height * scale)))};
}

std::unique_ptr<TJPEGImage> ReducedPhoto(TGraphic& photo, TSize size) {
  TBitmap reduced;
  reduced.SetSize(size.cx, size.cy);
  reduced.Canvas()->StretchDraw({0, 0, size.cx, size.cy}, &photo);
  TJPEGImage compressing;
  compressing.Assign(&reduced);
  compressing.SetCompressionQuality(ReducedPhotoQuality);
  // Loaded back from its bytes, the image keeps only them, not the reduced pixels as well.
  auto jpeg = std::make_unique<TJPEGImage>();
  jpeg->LoadFromBytes(compressing.SaveToBytes());
  return jpeg;
}

void LoadPagePhoto(TPicture& picture, const String& fileName, TSize area) {
  std::unique_ptr<TGraphic> photo = NewGraphicFor(fileName);
  // Checked by decoding it at the scale the reduction draws from, so that it is decoded only once.
  if (auto* jpeg = dynamic_cast<TJPEGImage*>(photo.get())) jpeg->SetFirstDrawSize(area);
  photo->LoadFromFile(fileName);
  const TSize cover = CoverSize(*photo, area);
  if (cover == TSize{photo->Width(), photo->Height()}) return picture.SetGraphic(photo.get());
  picture.SetGraphic(ReducedPhoto(*photo, cover).get());
}
