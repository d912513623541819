/// @file
/// TJPEGImage: a JPEG picture that keeps its compressed bytes and decodes them, through libjpeg's DCT
/// scaling, only as large as it is drawn.
#pragma once

#include <cstdint>
#include <memory>
#include <vector>

#include "framework/graphics/Graphic.h"
#include "framework/graphics/JpegCodec.h"

class TBitmap;

/// A JPEG picture. Loaded data is kept as it is (saving writes it back unchanged) and decoded only
/// as large as it is drawn; the pixels of an assigned bitmap are compressed when saved. Its size
/// comes from the data and cannot be set.
class TJPEGImage : public TGraphic {
  TAVELKO_CLASS(TJPEGImage, TGraphic)

 public:
  /// An empty image.
  TJPEGImage();
  ~TJPEGImage() override;

  /// From another JPEG image: the same compressed data. From a bitmap (or a picture holding one):
  /// a copy of its pixels, compressed with CompressionQuality when saved; an empty bitmap empties
  /// the image.
  void Assign(TPersistent* source) override;

  bool Empty() const override { return !compressed_ && !source_; }
  /// The assigned pixels, or else the compressed data (with the pixels decoded from it).
  const void* SharedData() const override;
  std::size_t SharedDataSize() const override;
  int Width() const override;
  int Height() const override;
  /// A JPEG image takes its size from its data: EInvalidGraphicOperation.
  ///@{
  void SetWidth(int width) override;
  void SetHeight(int height) override;
  ///@}

  /// 1..100, the quality the pixels of an assigned bitmap are compressed with; 75 at first. Values
  /// outside are clamped.
  ///@{
  int CompressionQuality() const { return quality_; }
  void SetCompressionQuality(int quality);
  ///@}

  /// Application segments written into the file when the pixels of an assigned bitmap are
  /// compressed (data loaded as it is keeps its own).
  void SetAppSegments(std::vector<jpeg::AppSegment> segments);

  /// Baseline, progressive, grey or CMYK data. It is decoded completely (at the smallest scale
  /// that covers FirstDrawSize) before it is accepted, so damage anywhere raises EInvalidGraphic
  /// here and not when drawn.
  void LoadFromBytes(std::vector<std::uint8_t> data) override;
  /// The size the data loaded next is first drawn at: loading decodes it for that draw instead of
  /// at the smallest scale, so that the draw does not decode it again. None (0 x 0) at first.
  void SetFirstDrawSize(TSize size) { firstDrawSize_ = size; }
  /// The bytes loaded, unchanged; or the assigned bitmap compressed.
  std::vector<std::uint8_t> SaveToBytes() override;

  /// The size of the pixels decoded for display so far (0 x 0 when none are).
  TSize DecodedSize() const;

 protected:
  /// Decodes at the smallest DCT scale that covers rect, unless an image at least that large is
  /// already decoded, and stretches that onto the canvas.
  void Draw(TCanvas& canvas, const TRect& rect) override;

 private:
  using Bytes = std::shared_ptr<const std::vector<std::uint8_t>>;

  /// The compressed data decoded at eighths / 8 of its size; the header read on the way.
  static std::unique_ptr<TBitmap> DecodeToBitmap(const std::vector<std::uint8_t>& data, int eighths,
                                                 jpeg::Header& header);
  const std::vector<std::uint8_t>& Compressed();

  Bytes compressed_;                 ///< shared between images assigned from each other
  jpeg::Header header_;
  std::unique_ptr<TBitmap> source_;  ///< pixels of an assigned bitmap, compressed when saved
  int compressedQuality_ = 0;        ///< quality the compressed source was made with
  std::vector<jpeg::AppSegment> appSegments_;
  std::unique_ptr<TBitmap> decoded_;
  int decodedEighths_ = 0;
  TSize firstDrawSize_;
  int quality_ = 75;
};
