// TJPEGImage: compressed data kept as loaded, decoded lazily at the drawn scale.
#include "framework/graphics/JpegImage.h"

#include <algorithm>

#include "framework/graphics/Bitmap.h"
#include "framework/graphics/Canvas.h"
#include "framework/graphics/GraphicErrors.h"

TJPEGImage::TJPEGImage() = default;
TJPEGImage::~TJPEGImage() = default;

const void* TJPEGImage::SharedData() const {
  if (source_) return source_->SharedData();
  if (compressed_) return compressed_.get();
  return this;
}

std::size_t TJPEGImage::SharedDataSize() const {
  if (source_) return source_->SharedDataSize();
  return (compressed_ ? compressed_->size() : 0) + (decoded_ ? decoded_->SharedDataSize() : 0);
}

int TJPEGImage::Width() const { return source_ ? source_->Width() : header_.width; }
int TJPEGImage::Height() const { return source_ ? source_->Height() : header_.height; }

void TJPEGImage::SetWidth(int) { throw EInvalidGraphicOperation("Cannot change the size of a JPEG image"); }
void TJPEGImage::SetHeight(int) { throw EInvalidGraphicOperation("Cannot change the size of a JPEG image"); }

void TJPEGImage::SetCompressionQuality(int quality) {
  quality = std::clamp(quality, 1, 100);
  if (quality == quality_) return;
  quality_ = quality;
  Changed();
}

void TJPEGImage::SetAppSegments(std::vector<jpeg::AppSegment> segments) {
  appSegments_ = std::move(segments);
  if (source_) compressed_.reset();  // compressed again, with them
}

std::unique_ptr<TBitmap> TJPEGImage::DecodeToBitmap(const std::vector<std::uint8_t>& data, int eighths,
                                                    jpeg::Header& header) {
  auto bitmap = std::make_unique<TBitmap>();
  header = jpeg::Decode(data, eighths, [&bitmap](int width, int height) {
    bitmap->Replace(TBitmap::CreateDib({width, height, 24, {}}), false);  // no need to clear it first
    return bitmap->image_->bits;
  });
  return bitmap;
}

void TJPEGImage::Assign(TPersistent* source) {
  if (auto* image = dynamic_cast<TJPEGImage*>(source)) {
    if (image == this) return;
    compressed_ = image->compressed_;
    header_ = image->header_;
    source_.reset();
    if (image->source_) {
      source_ = std::make_unique<TBitmap>();
      source_->Assign(image->source_.get());
    }
    compressedQuality_ = image->compressedQuality_;
    appSegments_ = image->appSegments_;
    quality_ = image->quality_;
    decoded_.reset();
    if (image->decoded_) {  // bitmaps share their pixels: no need to decode again
      decoded_ = std::make_unique<TBitmap>();
      decoded_->Assign(image->decoded_.get());
    }
    decodedEighths_ = image->decodedEighths_;
    return Changed();
  }
  if (auto* bitmap = dynamic_cast<TBitmap*>(source)) {
    std::unique_ptr<TBitmap> pixels;
    if (!bitmap->Empty()) {  // an empty bitmap leaves no pixels to compress: the image is empty
      pixels = std::make_unique<TBitmap>();
      pixels->Assign(bitmap);
      if (pixels->PixelFormat() != pf32bit) pixels->SetPixelFormat(pf24bit);
      pixels->SetTransparent(false);
    }
    source_ = std::move(pixels);
    compressed_.reset();
    header_ = {};
    decoded_.reset();
    decodedEighths_ = 0;
    return Changed();
  }
  TGraphic::Assign(source);
}

void TJPEGImage::LoadFromBytes(std::vector<std::uint8_t> data) {
  auto bytes = std::make_shared<const std::vector<std::uint8_t>>(std::move(data));
  const int eighths = firstDrawSize_ == TSize{} ? 1
                                                : jpeg::ScaleToCover(jpeg::ReadHeader(*bytes), firstDrawSize_.cx,
                                                                     firstDrawSize_.cy);
  jpeg::Header header;
  std::unique_ptr<TBitmap> decoded = DecodeToBitmap(*bytes, eighths, header);
  compressed_ = std::move(bytes);
  header_ = header;
  source_.reset();
  decoded_ = std::move(decoded);
  decodedEighths_ = eighths;
  Changed();
}

const std::vector<std::uint8_t>& TJPEGImage::Compressed() {
  if (source_ && (!compressed_ || compressedQuality_ != quality_)) {
    // Read in place (ScanLine would take a copy of pixels shared with the assigned bitmap).
    const TBitmap::Image& image = *source_->image_;
    ::GdiFlush();
    jpeg::Pixels pixels{image.bits, image.format.width, image.format.height, image.format.bitCount,
                        image.format.Stride(), true};
    compressed_ = std::make_shared<const std::vector<std::uint8_t>>(jpeg::Encode(pixels, quality_, appSegments_));
    compressedQuality_ = quality_;
  }
  if (!compressed_) throw EInvalidGraphicOperation("Cannot save an empty JPEG image");
  return *compressed_;
}

std::vector<std::uint8_t> TJPEGImage::SaveToBytes() { return Compressed(); }

TSize TJPEGImage::DecodedSize() const {
  return decoded_ ? TSize{decoded_->Width(), decoded_->Height()} : TSize{};
}

void TJPEGImage::Draw(TCanvas& canvas, const TRect& rect) {
  if (source_) return canvas.StretchDraw(rect, source_.get());
  const int eighths = jpeg::ScaleToCover(header_, rect.Width(), rect.Height());
  if (!decoded_ || decodedEighths_ < eighths) {
    jpeg::Header header;
    decoded_ = DecodeToBitmap(*compressed_, eighths, header);
    decodedEighths_ = eighths;
  }
  canvas.StretchDraw(rect, decoded_.get());
}
