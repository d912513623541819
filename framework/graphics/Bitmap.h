/// @file
/// TBitmap: a picture held as a DIB section (rows directly accessible) or as a device-dependent
/// bitmap, with its own canvas, and read from and written to BMP files.
#pragma once

#include <windows.h>

#include <cstdint>
#include <memory>

#include "framework/graphics/BmpCodec.h"
#include "framework/graphics/Color.h"
#include "framework/graphics/GdiHandles.h"
#include "framework/graphics/Graphic.h"

class TCanvas;
class TBitmapCanvas;

/// pfDevice is a device-dependent bitmap; the others are DIB sections of that many bits a pixel.
enum TPixelFormat : std::uint8_t { pfDevice, pf1bit, pf4bit, pf8bit, pf24bit, pf32bit };
/// Whether a bitmap is a DIB section (pixels in memory, ScanLine) or a device-dependent bitmap.
enum TBitmapHandleType : std::uint8_t { bmDIB, bmDDB };

/// A picture of pixels: a DIB section (24-bit at first) or a device-dependent bitmap, with a canvas
/// that draws on it, read from and written to BMP files (see bmp::Decoder for what is read).
/// Bitmaps assigned from each other share a DIB's pixels until one of them changes or draws on them.
/// Sizes are limited (65535 pixels a side, 256 MB of pixels); larger ones raise
/// EInvalidGraphicOperation, and a failing GDI allocation raises EOutOfResources.
class TBitmap : public TGraphic {
  TAVELKO_CLASS(TBitmap, TGraphic)

 public:
  /// An empty bitmap (0 x 0, 24-bit DIB when it gets a size).
  TBitmap();
  ~TBitmap() override;

  /// From another bitmap: its pixels (a DIB's are shared until either bitmap changes them), format
  /// and transparency. From another graphic: a 24-bit bitmap of its size with the graphic drawn on
  /// it. Null: empty.
  void Assign(TPersistent* source) override;

  bool Empty() const override { return !image_->handle; }
  const void* SharedData() const override { return image_.get(); }
  std::size_t SharedDataSize() const override { return image_->format.ImageBytes(); }
  int Width() const override { return image_->format.width; }
  int Height() const override { return image_->format.height; }
  void SetWidth(int width) override { SetSize(width, Height()); }
  void SetHeight(int height) override { SetSize(Width(), height); }
  /// Keeps the pixels of the old top-left area; new pixels are white. A new bitmap is 24-bit.
  /// Negative sizes count as 0, and a 0 width or height empties the bitmap but keeps its format.
  void SetSize(int width, int height);

  /// Changing the format or the handle type converts the pixels. An indexed format gets a standard
  /// palette (black and white, the 16 VGA colours, or a colour cube and a grey ramp for 8 bits).
  ///@{
  TPixelFormat PixelFormat() const;
  void SetPixelFormat(TPixelFormat format);
  ///@}
  /// DIB section or device-dependent bitmap; switching converts the pixels (a device-dependent
  /// bitmap becomes a 1-, 24- or 32-bit DIB after its bit count).
  ///@{
  TBitmapHandleType HandleType() const { return image_->ddb ? bmDDB : bmDIB; }
  void SetHandleType(TBitmapHandleType type);
  ///@}
  /// One bit a pixel; switching on converts to 1 bit (pf1bit for a DIB), off to 24 bits or the
  /// screen's format.
  ///@{
  bool Monochrome() const { return image_->format.bitCount == 1; }
  void SetMonochrome(bool monochrome);
  ///@}

  /// The colour a transparent bitmap does not draw: the bottom-left pixel's unless set; setting
  /// clDefault goes back to that (and an empty bitmap's is clDefault).
  ///@{
  TColor TransparentColor();
  void SetTransparentColor(TColor color);
  ///@}

  /// Row `row` (0 is the top) of the DIB, in PixelFormat's layout; a device-dependent bitmap is
  /// made a DIB first. Pending GDI drawing is flushed. Writing through it raises no OnChange.
  /// The pointer stays valid until the bitmap's size, format or handle type changes, it is assigned
  /// or loaded, or assigned to another bitmap (then ask again: the copy shares the pixels).
  /// EInvalidGraphicOperation for a row outside or an empty bitmap.
  void* ScanLine(int row);
  /// The bitmap's own canvas, drawing on the pixels; owned by the bitmap, never null, lives as long
  /// as it. Its DC is made on first use and given up whenever the bitmap changes its GDI bitmap.
  TCanvas* Canvas();
  /// The GDI bitmap, owned by this object (it stops sharing it); null when empty.
  HBITMAP Handle();

  void LoadFromBytes(std::vector<std::uint8_t> data) override;
  std::vector<std::uint8_t> SaveToBytes() override;

 protected:
  void Draw(TCanvas& canvas, const TRect& rect) override;

 private:
  friend class TBitmapCanvas;
  friend class TJPEGImage;  ///< decodes into a new DIB's rows and compresses from them in place

  /// One GDI bitmap and its shape. A DIB may be shared by bitmaps assigned from each other; a
  /// shared image is never selected into a DC, so any of them can read it or take a copy.
  struct Image {
    gdi::OwnedBitmap handle;
    std::uint8_t* bits = nullptr;  ///< DIB rows, bottom-up; null for a device-dependent bitmap
    bmp::DibFormat format;         ///< for a device-dependent bitmap: size and the device's bit count
    bool ddb = false;
  };
  using SharedImage = std::shared_ptr<Image>;

  static SharedImage CreateDib(const bmp::DibFormat& format);
  static SharedImage CreateDdb(int width, int height, bool monochrome);
  static SharedImage CreateLike(const Image& model, int width, int height);
  static SharedImage EmptyLike(const Image& model, int width, int height);
  /// Makes `next` the bitmap, first copying as much of the present pixels into it as fits when
  /// copyPixels is set; the canvas lets go of the old bitmap.
  void Replace(SharedImage next, bool copyPixels);
  /// Takes a copy of a shared image before the pixels change or get selected into a DC.
  void Unshare();
  /// The canvas lets go of its DC, so that the image is selected nowhere.
  void ReleaseDC();
  /// A DIB's pixel, read from memory.
  TColor DibPixel(int x, int y) const;
  void CanvasChanged(TObject* sender);

  SharedImage image_;
  TColor transparentColor_ = clDefault;
  std::unique_ptr<TBitmapCanvas> canvas_;
};
