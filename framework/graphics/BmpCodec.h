/// @file
/// Reading and writing Windows BMP files held in memory, checking every size and offset first.
/// Plain bytes in and out, no GDI: the same code builds natively for the fuzz targets.
#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <vector>

/// The BMP file codec under TBitmap (which most programs use instead); plain bytes, no GDI.
namespace bmp {

/// Limits that keep a hostile header from making us allocate without bound.
constexpr int kMaxDimension = 65535;  ///< Pixels a side.
constexpr std::size_t kMaxPixelBytes = std::size_t(256) << 20;  ///< Bytes of the decoded rows.

/// Bytes of one DIB row: bitCount bits per pixel, padded to a 32-bit boundary.
constexpr std::size_t DibStride(int width, int bitCount) {
  return ((std::size_t(width) * std::size_t(bitCount) + 31) / 32) * 4;
}

/// One palette entry in a DIB's own layout (that of RGBQUAD).
struct PaletteEntry {
  std::uint8_t blue = 0;      ///< Blue, 0..255.
  std::uint8_t green = 0;     ///< Green, 0..255.
  std::uint8_t red = 0;       ///< Red, 0..255.
  std::uint8_t reserved = 0;  ///< Always 0.
};

/// The compression codes of the file format (BI_RGB ... BI_ALPHABITFIELDS).
enum Compression : std::uint32_t { kRgb = 0, kRle8 = 1, kRle4 = 2, kBitFields = 3, kAlphaBitFields = 6 };

/// The shape of a bottom-up DIB as a bitmap keeps it.
struct DibFormat {
  int width = 0;                 ///< pixels a row
  int height = 0;                ///< rows, bottom row first in memory
  int bitCount = 0;              ///< 1, 4, 8, 24 or 32
  std::vector<PaletteEntry> palette;  ///< 1 << bitCount entries for 1, 4 and 8 bits; empty otherwise

  std::size_t Stride() const { return DibStride(width, bitCount); }  ///< Bytes of one row, padded.
  std::size_t ImageBytes() const { return Stride() * std::size_t(height); }  ///< Bytes of all rows.
};

/// A BMP file checked as a whole on construction (throws EInvalidGraphic); ReadPixels then cannot
/// fail. Reads 1/4/8/16/24/32-bit files, RLE4 and RLE8, top-down rows, bit fields, OS/2 headers and
/// palettes of any length; 16-bit pixels become 24-bit, bit-field 32-bit pixels plain 32-bit.
class Decoder {
 public:
  /// Checks the whole file; `file` is not copied and must outlive the decoder.
  explicit Decoder(std::span<const std::uint8_t> file);

  /// The shape of the decoded image (what ReadPixels writes), palette included.
  const DibFormat& Format() const { return format_; }

  /// Writes Format().ImageBytes() bytes of bottom-up rows into dest.
  void ReadPixels(std::uint8_t* dest) const;

 private:
  struct ChannelMask {
    std::uint32_t mask = 0;
    int shift = 0;
    int bits = 0;
    std::uint8_t Extract(std::uint32_t pixel) const;
  };

  void ReadInfoHeader(std::uint32_t headerSize);
  void ReadCoreHeader();
  void ReadMasks(std::size_t at, bool withAlpha);
  void ReadPalette(std::size_t at, std::uint32_t colorsUsed, int entrySize);
  void LocatePixels(std::uint32_t offBits, std::uint32_t sizeImage);

  void CopyRows(std::uint8_t* dest) const;
  void ConvertMaskedRows(std::uint8_t* dest) const;
  void DecodeRle(std::uint8_t* dest) const;

  std::span<const std::uint8_t> file_;
  DibFormat format_;
  int sourceBitCount_ = 0;
  std::uint32_t compression_ = kRgb;
  bool topDown_ = false;
  std::size_t pixelsStart_ = 0;
  std::size_t pixelsEnd_ = 0;
  std::size_t paletteEnd_ = 0;
  ChannelMask red_, green_, blue_;
};

/// A complete BMP file (BITMAPFILEHEADER, BITMAPINFOHEADER, palette, rows) of the given pixels.
std::vector<std::uint8_t> Encode(const DibFormat& format, const std::uint8_t* bits);

}  // namespace bmp
