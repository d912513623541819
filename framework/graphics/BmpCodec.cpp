// Reading and writing Windows BMP files held in memory.
#include "framework/graphics/BmpCodec.h"

#include <algorithm>
#include <cstring>
#include <string>

#include "framework/graphics/GraphicErrors.h"

namespace bmp {
namespace {

constexpr std::size_t kFileHeaderSize = 14;
constexpr std::uint32_t kCoreHeaderSize = 12;
constexpr std::uint32_t kInfoHeaderSize = 40;

[[noreturn]] void Fail(const std::string& reason) { throw EInvalidGraphic("Invalid BMP image: " + reason); }

std::uint16_t U16(std::span<const std::uint8_t> file, std::size_t at) {
  if (at > file.size() || file.size() - at < 2) Fail("the file is truncated");
  return std::uint16_t(file[at] | file[at + 1] << 8);
}

std::uint32_t U32(std::span<const std::uint8_t> file, std::size_t at) {
  if (at > file.size() || file.size() - at < 4) Fail("the file is truncated");
  return std::uint32_t(file[at]) | std::uint32_t(file[at + 1]) << 8 | std::uint32_t(file[at + 2]) << 16 |
         std::uint32_t(file[at + 3]) << 24;
}

void Put16(std::vector<std::uint8_t>& out, std::uint16_t value) {
  out.push_back(std::uint8_t(value));
  out.push_back(std::uint8_t(value >> 8));
}

void Put32(std::vector<std::uint8_t>& out, std::uint32_t value) {
  Put16(out, std::uint16_t(value));
  Put16(out, std::uint16_t(value >> 16));
}

int OutputBitCount(int sourceBitCount) { return sourceBitCount == 16 ? 24 : sourceBitCount; }

}  // namespace

std::uint8_t Decoder::ChannelMask::Extract(std::uint32_t pixel) const {
  if (bits == 0) return 0;
  std::uint32_t value = (pixel & mask) >> shift;
  if (bits >= 8) return std::uint8_t(value >> (bits - 8));
  // Spread a narrow channel over 0..255 so that its largest value is white.
  return std::uint8_t(value * 255 / ((1u << bits) - 1));
}

Decoder::Decoder(std::span<const std::uint8_t> file) : file_(file) {
  if (file.size() < kFileHeaderSize + kCoreHeaderSize) Fail("the file is too short to hold its headers");
  if (file[0] != 'B' || file[1] != 'M') Fail("the file does not start with \"BM\"");
  std::uint32_t offBits = U32(file, 10);
  std::uint32_t headerSize = U32(file, 14);
  if (headerSize == kCoreHeaderSize) {
    ReadCoreHeader();
  } else if (headerSize >= kInfoHeaderSize && headerSize <= 1024) {
    if (file.size() - kFileHeaderSize < headerSize) Fail("the file is truncated inside its header");
    ReadInfoHeader(headerSize);
  } else {
    Fail("unknown header size " + std::to_string(headerSize));
  }
  LocatePixels(offBits, headerSize == kCoreHeaderSize ? 0 : U32(file, 34));
}

void Decoder::ReadCoreHeader() {
  format_.width = U16(file_, 18);
  int height = U16(file_, 20);
  if (U16(file_, 22) != 1) Fail("the plane count is not 1");
  sourceBitCount_ = U16(file_, 24);
  if (sourceBitCount_ != 1 && sourceBitCount_ != 4 && sourceBitCount_ != 8 && sourceBitCount_ != 24)
    Fail("unsupported bit count " + std::to_string(sourceBitCount_));
  if (format_.width == 0 || height == 0) Fail("the image has no pixels");
  format_.height = height;
  format_.bitCount = sourceBitCount_;
  ReadPalette(kFileHeaderSize + kCoreHeaderSize, 0, 3);
}

void Decoder::ReadInfoHeader(std::uint32_t headerSize) {
  std::int32_t width = std::int32_t(U32(file_, 18));
  std::int32_t height = std::int32_t(U32(file_, 22));
  if (U16(file_, 26) != 1) Fail("the plane count is not 1");
  sourceBitCount_ = U16(file_, 28);
  compression_ = U32(file_, 30);
  std::uint32_t colorsUsed = U32(file_, 46);

  if (width <= 0 || height == 0) Fail("the image has no pixels");
  if (height == INT32_MIN) Fail("the height is out of range");
  topDown_ = height < 0;
  height = topDown_ ? -height : height;
  if (width > kMaxDimension || height > kMaxDimension)
    Fail("the image of " + std::to_string(width) + " x " + std::to_string(height) + " pixels is too large");
  format_.width = width;
  format_.height = height;

  bool supported = false;
  switch (compression_) {
    case kRgb:
      supported = sourceBitCount_ == 1 || sourceBitCount_ == 4 || sourceBitCount_ == 8 ||
                  sourceBitCount_ == 16 || sourceBitCount_ == 24 || sourceBitCount_ == 32;
      break;
    case kRle8: supported = sourceBitCount_ == 8; break;
    case kRle4: supported = sourceBitCount_ == 4; break;
    case kBitFields:
    case kAlphaBitFields: supported = sourceBitCount_ == 16 || sourceBitCount_ == 32; break;
    default:
      Fail("unsupported compression " + std::to_string(compression_));
  }
  if (!supported)
    Fail("compression " + std::to_string(compression_) + " with " + std::to_string(sourceBitCount_) +
         " bits per pixel is not valid");
  if (topDown_ && (compression_ == kRle8 || compression_ == kRle4)) Fail("compressed rows cannot be top-down");
  format_.bitCount = OutputBitCount(sourceBitCount_);

  std::size_t paletteAt = kFileHeaderSize + headerSize;
  if (compression_ == kBitFields || compression_ == kAlphaBitFields) {
    bool masksInHeader = headerSize >= 52;
    ReadMasks(masksInHeader ? kFileHeaderSize + kInfoHeaderSize : paletteAt, compression_ == kAlphaBitFields);
    if (!masksInHeader) paletteAt += compression_ == kAlphaBitFields ? 16 : 12;
  } else if (sourceBitCount_ == 16) {
    red_ = {0x7C00, 10, 5};
    green_ = {0x03E0, 5, 5};
    blue_ = {0x001F, 0, 5};
  }
  ReadPalette(paletteAt, colorsUsed, 4);
}

void Decoder::ReadMasks(std::size_t at, bool withAlpha) {
  ChannelMask* channels[] = {&red_, &green_, &blue_};
  for (ChannelMask* channel : channels) {
    std::uint32_t mask = U32(file_, at);
    at += 4;
    if (sourceBitCount_ == 16 && mask > 0xFFFF) Fail("a colour mask is wider than the pixel");
    if (mask != 0) {
      int shift = 0;
      while (!((mask >> shift) & 1)) ++shift;
      std::uint32_t bits = mask >> shift;
      if (bits & (bits + 1)) Fail("a colour mask is not one run of bits");
      int width = 0;
      while (bits) ++width, bits >>= 1;
      *channel = {mask, shift, width};
    }
  }
  if (withAlpha) U32(file_, at);  // present, but a bitmap keeps no alpha of a bit-field file
  if (red_.bits == 0 && green_.bits == 0 && blue_.bits == 0) Fail("all colour masks are empty");
}

void Decoder::ReadPalette(std::size_t at, std::uint32_t colorsUsed, int entrySize) {
  paletteEnd_ = at;
  if (sourceBitCount_ > 8) return;
  std::size_t fullSize = std::size_t(1) << sourceBitCount_;
  std::size_t count = colorsUsed == 0 ? fullSize : std::min<std::size_t>(colorsUsed, fullSize);
  // Some writers claim more colours than they store before the pixels: keep what is there.
  std::uint32_t offBits = U32(file_, 10);
  if (offBits > at) count = std::min<std::size_t>(count, (offBits - at) / entrySize);
  if (at > file_.size() || (file_.size() - at) / entrySize < count) Fail("the palette runs past the end of the file");
  format_.palette.assign(fullSize, PaletteEntry{});  // indices past a short palette show black
  for (std::size_t i = 0; i < count; ++i) {
    const std::uint8_t* entry = file_.data() + at + i * entrySize;
    format_.palette[i] = PaletteEntry{entry[0], entry[1], entry[2], 0};
  }
  paletteEnd_ = at + count * entrySize;
}

void Decoder::LocatePixels(std::uint32_t offBits, std::uint32_t sizeImage) {
  if (format_.ImageBytes() > kMaxPixelBytes)
    Fail("the image of " + std::to_string(format_.width) + " x " + std::to_string(format_.height) +
         " pixels is too large");
  if (offBits == 0) offBits = std::uint32_t(paletteEnd_);
  if (offBits < paletteEnd_) Fail("the pixel data offset points into the headers");
  if (offBits >= file_.size()) Fail("the pixel data offset lies past the end of the file");
  pixelsStart_ = offBits;
  pixelsEnd_ = file_.size();
  if (compression_ == kRle8 || compression_ == kRle4) {
    if (sizeImage != 0 && sizeImage <= file_.size() - pixelsStart_) pixelsEnd_ = pixelsStart_ + sizeImage;
    return;
  }
  std::size_t needed = DibStride(format_.width, sourceBitCount_) * std::size_t(format_.height);
  if (file_.size() - pixelsStart_ < needed)
    Fail("the pixel data is truncated (" + std::to_string(needed) + " bytes needed, " +
         std::to_string(file_.size() - pixelsStart_) + " present)");
}

void Decoder::ReadPixels(std::uint8_t* dest) const {
  if (compression_ == kRle8 || compression_ == kRle4)
    DecodeRle(dest);
  else if (sourceBitCount_ == 16 || compression_ != kRgb)
    ConvertMaskedRows(dest);
  else
    CopyRows(dest);
}

void Decoder::CopyRows(std::uint8_t* dest) const {
  std::size_t stride = format_.Stride();
  for (int row = 0; row < format_.height; ++row) {
    int sourceRow = topDown_ ? format_.height - 1 - row : row;
    std::memcpy(dest + stride * row, file_.data() + pixelsStart_ + stride * sourceRow, stride);
  }
}

void Decoder::ConvertMaskedRows(std::uint8_t* dest) const {
  std::size_t sourceStride = DibStride(format_.width, sourceBitCount_);
  std::size_t stride = format_.Stride();
  int pixelBytes = sourceBitCount_ / 8;
  int outBytes = format_.bitCount / 8;
  for (int row = 0; row < format_.height; ++row) {
    int sourceRow = topDown_ ? format_.height - 1 - row : row;
    const std::uint8_t* in = file_.data() + pixelsStart_ + sourceStride * sourceRow;
    std::uint8_t* out = dest + stride * row;
    std::memset(out, 0, stride);
    for (int x = 0; x < format_.width; ++x, in += pixelBytes, out += outBytes) {
      std::uint32_t pixel = in[0] | in[1] << 8;
      if (pixelBytes == 4) pixel |= std::uint32_t(in[2]) << 16 | std::uint32_t(in[3]) << 24;
      out[0] = blue_.Extract(pixel);
      out[1] = green_.Extract(pixel);
      out[2] = red_.Extract(pixel);
    }
  }
}

// Run-length rows, bottom row first: a count with a colour, or an escape (end of line, end of
// bitmap, delta, literal run). Pixels past the right edge are dropped; anything that would land
// above the last row or run past the data is an error.
void Decoder::DecodeRle(std::uint8_t* dest) const {
  const bool fourBit = compression_ == kRle4;
  const std::size_t stride = format_.Stride();
  const int width = format_.width;
  const int height = format_.height;
  std::memset(dest, 0, format_.ImageBytes());

  int x = 0;
  int y = 0;
  auto put = [&](std::uint8_t index) {
    if (y >= height) Fail("run-length data continues past the last row");
    if (x < width) {
      std::uint8_t* row = dest + stride * y;
      if (!fourBit)
        row[x] = index;
      else if (x % 2 == 0)
        row[x / 2] = std::uint8_t((row[x / 2] & 0x0F) | index << 4);
      else
        row[x / 2] = std::uint8_t((row[x / 2] & 0xF0) | (index & 0x0F));
    }
    ++x;
  };

  std::size_t at = pixelsStart_;
  auto take = [&](std::size_t count) {
    if (pixelsEnd_ - at < count) Fail("run-length data ends without an end-of-bitmap mark");
    const std::uint8_t* bytes = file_.data() + at;
    at += count;
    return bytes;
  };

  for (;;) {
    const std::uint8_t* code = take(2);
    int count = code[0];
    std::uint8_t value = code[1];
    if (count > 0) {
      for (int i = 0; i < count; ++i) put(fourBit ? (i % 2 == 0 ? value >> 4 : value & 0x0F) : value);
      x = std::min(x, width);
      continue;
    }
    switch (value) {
      case 0:  // end of line
        x = 0;
        ++y;
        break;
      case 1:  // end of bitmap
        return;
      case 2: {  // delta
        const std::uint8_t* delta = take(2);
        x += delta[0];
        y += delta[1];
        if (x > width || y > height) Fail("a run-length delta moves outside the image");
        break;
      }
      default: {  // literal run of value pixels, padded to a 16-bit boundary
        int bytes = fourBit ? (value + 1) / 2 : value;
        const std::uint8_t* literal = take(std::size_t(bytes + (bytes & 1)));
        for (int i = 0; i < value; ++i)
          put(fourBit ? (i % 2 == 0 ? literal[i / 2] >> 4 : literal[i / 2] & 0x0F) : literal[i]);
        x = std::min(x, width);
        break;
      }
    }
  }
}

std::vector<std::uint8_t> Encode(const DibFormat& format, const std::uint8_t* bits) {
  const std::size_t paletteBytes = format.palette.size() * 4;
  const std::size_t offBits = kFileHeaderSize + kInfoHeaderSize + paletteBytes;
  const std::size_t imageBytes = format.ImageBytes();
  std::vector<std::uint8_t> out;
  out.reserve(offBits + imageBytes);

  out.push_back('B');
  out.push_back('M');
  Put32(out, std::uint32_t(offBits + imageBytes));
  Put32(out, 0);
  Put32(out, std::uint32_t(offBits));

  Put32(out, kInfoHeaderSize);
  Put32(out, std::uint32_t(format.width));
  Put32(out, std::uint32_t(format.height));
  Put16(out, 1);
  Put16(out, std::uint16_t(format.bitCount));
  Put32(out, kRgb);
  Put32(out, std::uint32_t(imageBytes));
  Put32(out, 0);
  Put32(out, 0);
  bool fullPalette = format.bitCount <= 8 && format.palette.size() == (std::size_t(1) << format.bitCount);
  Put32(out, fullPalette ? 0 : std::uint32_t(format.palette.size()));
  Put32(out, 0);

  for (const PaletteEntry& entry : format.palette) {
    out.push_back(entry.blue);
    out.push_back(entry.green);
    out.push_back(entry.red);
    out.push_back(0);
  }
  out.insert(out.end(), bits, bits + imageBytes);
  return out;
}

}  // namespace bmp
