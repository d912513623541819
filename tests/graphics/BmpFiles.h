// Test helper: BMP files of one small reference picture in every common variant, built byte by byte.
#pragma once

#include <windows.h>

#include <cstdint>
#include <cstring>
#include <vector>

#include "framework/graphics/BmpCodec.h"

namespace test_images {

struct Rgb {
  std::uint8_t r, g, b;
  bool operator==(const Rgb&) const = default;
};

inline std::ostream& operator<<(std::ostream& out, const Rgb& c) {
  return out << "rgb(" << int(c.r) << "," << int(c.g) << "," << int(c.b) << ")";
}

// 5 x 3 (an odd width, so every row format needs padding), top row first. Channel values are 0
// or 255 so that 5- and 6-bit channels hold them exactly; no two neighbours are alike.
constexpr int kWidth = 5;
constexpr int kHeight = 3;
constexpr Rgb kColors[8] = {{0, 0, 0},     {255, 0, 0},   {0, 255, 0},   {0, 0, 255},
                            {255, 255, 0}, {0, 255, 255}, {255, 0, 255}, {255, 255, 255}};
constexpr int kIndices[kHeight][kWidth] = {{1, 2, 3, 4, 5}, {6, 7, 0, 1, 2}, {3, 3, 3, 6, 6}};
inline Rgb ReferenceAt(int x, int y) { return kColors[kIndices[y][x]]; }

// The colour at (x, y), y counted from the top, of decoded bottom-up rows.
inline Rgb ColorAt(const bmp::DibFormat& format, const std::uint8_t* bits, int x, int y) {
  const std::uint8_t* row = bits + format.Stride() * std::size_t(format.height - 1 - y);
  if (format.bitCount >= 24) {
    const std::uint8_t* pixel = row + x * (format.bitCount / 8);
    return {pixel[2], pixel[1], pixel[0]};
  }
  int bitOffset = x * format.bitCount;
  int index = (row[bitOffset / 8] >> (8 - format.bitCount - bitOffset % 8)) & ((1 << format.bitCount) - 1);
  const bmp::PaletteEntry& entry = format.palette[index];
  return {entry.red, entry.green, entry.blue};
}

inline std::vector<bmp::PaletteEntry> Greys(int bitCount) {
  std::vector<bmp::PaletteEntry> palette(std::size_t(1) << bitCount);
  for (std::size_t i = 0; i < palette.size(); ++i) {
    auto level = std::uint8_t(i * 255 / (palette.size() - 1));
    palette[i] = bmp::PaletteEntry{level, level, level, 0};
  }
  return palette;
}

// The headers of a BMP file with fields that tests may spoil.
struct BmpFile {
  std::int32_t width;
  std::int32_t height;
  std::uint16_t bitCount;
  std::uint16_t planes = 1;
  std::uint32_t compression = BI_RGB;
  std::uint32_t headerSize = 40;
  std::uint32_t colorsUsed = 0;
  std::vector<bmp::PaletteEntry> palette;
  std::vector<std::uint32_t> masks;  // after the header, or inside one of 52 bytes or more

  BmpFile(int w, int h, int bits) : width(w), height(h), bitCount(std::uint16_t(bits)) {}

  std::vector<std::uint8_t> Build(const std::vector<std::uint8_t>& pixels) const {
    std::vector<std::uint8_t> out;
    auto put = [&out](std::uint32_t value, int bytes) {
      for (int i = 0; i < bytes; ++i) out.push_back(std::uint8_t(value >> (8 * i)));
    };
    bool masksInHeader = headerSize >= 52;
    std::size_t offBits = 14 + headerSize + (masksInHeader ? 0 : masks.size() * 4) + palette.size() * 4;
    out.push_back('B');
    out.push_back('M');
    put(std::uint32_t(offBits + pixels.size()), 4);
    put(0, 4);
    put(std::uint32_t(offBits), 4);
    put(headerSize, 4);
    put(std::uint32_t(width), 4);
    put(std::uint32_t(height), 4);
    put(planes, 2);
    put(bitCount, 2);
    put(compression, 4);
    put(std::uint32_t(pixels.size()), 4);
    put(2835, 4);
    put(2835, 4);
    std::uint32_t used = colorsUsed;
    const bool shortPalette = !palette.empty() && palette.size() != (std::size_t(1) << bitCount);
    if (used == 0 && shortPalette) used = std::uint32_t(palette.size());
    put(used, 4);
    put(0, 4);
    std::vector<std::uint32_t> headerMasks = masks;
    if (masksInHeader) headerMasks.resize(4);
    for (std::uint32_t mask : headerMasks) put(mask, 4);
    out.resize(14 + headerSize + (masksInHeader ? 0 : masks.size() * 4), 0);
    for (const bmp::PaletteEntry& entry : palette) put(entry.blue | entry.green << 8 | entry.red << 16, 4);
    out.insert(out.end(), pixels.begin(), pixels.end());
    return out;
  }
};

inline std::vector<bmp::PaletteEntry> ReferencePalette(int bitCount) {
  std::vector<bmp::PaletteEntry> palette(std::size_t(1) << bitCount, bmp::PaletteEntry{0, 0, 0, 0});
  for (int i = 0; i < 8 && i < int(palette.size()); ++i)
    palette[i] = bmp::PaletteEntry{kColors[i].b, kColors[i].g, kColors[i].r, 0};
  return palette;
}

// The reference rows packed by `pixel(x, y, out)` with pixelBits bits each, padded to 4 bytes.
template <typename PixelWriter>
std::vector<std::uint8_t> PackRows(int pixelBits, bool topDown, PixelWriter pixel) {
  std::size_t stride = bmp::DibStride(kWidth, pixelBits);
  std::vector<std::uint8_t> rows(stride * kHeight, 0);
  for (int stored = 0; stored < kHeight; ++stored) {
    int y = topDown ? stored : kHeight - 1 - stored;
    for (int x = 0; x < kWidth; ++x) pixel(x, y, rows.data() + stride * stored);
  }
  return rows;
}

inline std::vector<std::uint8_t> Indexed(int bitCount, std::uint32_t colorsUsed = 0, bool topDown = false) {
  BmpFile file(kWidth, topDown ? -kHeight : kHeight, bitCount);
  file.palette = ReferencePalette(bitCount);
  if (colorsUsed) file.palette.resize(colorsUsed);
  return file.Build(PackRows(bitCount, topDown, [bitCount](int x, int y, std::uint8_t* row) {
    int bit = x * bitCount;
    row[bit / 8] |= std::uint8_t(kIndices[y][x] << (8 - bitCount - bit % 8));
  }));
}

// 1-bit files hold two colours: the reference's odd indices in red, even ones in green.
inline Rgb OneBitAt(int x, int y) { return kIndices[y][x] % 2 ? Rgb{255, 0, 0} : Rgb{0, 255, 0}; }

inline std::vector<std::uint8_t> OneBit() {
  BmpFile file(kWidth, kHeight, 1);
  file.palette = {bmp::PaletteEntry{0, 0, 255, 0}, bmp::PaletteEntry{0, 255, 0, 0}};
  return file.Build(PackRows(1, false, [](int x, int y, std::uint8_t* row) {
    if (kIndices[y][x] % 2 == 0) row[x / 8] |= std::uint8_t(0x80 >> (x % 8));
  }));
}

inline std::vector<std::uint8_t> Direct24(bool topDown) {
  BmpFile file(kWidth, topDown ? -kHeight : kHeight, 24);
  return file.Build(PackRows(24, topDown, [](int x, int y, std::uint8_t* row) {
    Rgb c = ReferenceAt(x, y);
    row[3 * x] = c.b, row[3 * x + 1] = c.g, row[3 * x + 2] = c.r;
  }));
}

inline std::vector<std::uint8_t> Direct16(bool bitFields565) {
  BmpFile file(kWidth, kHeight, 16);
  if (bitFields565) {
    file.compression = BI_BITFIELDS;
    file.masks = {0xF800, 0x07E0, 0x001F};
  }
  return file.Build(PackRows(16, false, [bitFields565](int x, int y, std::uint8_t* row) {
    Rgb c = ReferenceAt(x, y);
    std::uint16_t value = bitFields565 ? std::uint16_t((c.r >> 3) << 11 | (c.g >> 2) << 5 | c.b >> 3)
                                       : std::uint16_t((c.r >> 3) << 10 | (c.g >> 3) << 5 | c.b >> 3);
    row[2 * x] = std::uint8_t(value), row[2 * x + 1] = std::uint8_t(value >> 8);
  }));
}

enum class Masks { None, AfterHeader, InV5Header };

inline std::vector<std::uint8_t> Direct32(Masks masks) {
  BmpFile file(kWidth, kHeight, 32);
  std::uint32_t red = 0xFF0000, green = 0xFF00, blue = 0xFF;
  switch (masks) {
    case Masks::None: break;
    case Masks::AfterHeader:  // an unusual layout: red in the top byte
      red = 0xFF000000, green = 0xFF0000, blue = 0xFF00;
      file.compression = BI_BITFIELDS;
      file.masks = {red, green, blue};
      break;
    case Masks::InV5Header:
      file.headerSize = 124;
      file.compression = BI_BITFIELDS;
      file.masks = {red, green, blue, 0xFF000000};
      break;
  }
  auto shiftOf = [](std::uint32_t mask) { int s = 0; while (mask && !((mask >> s) & 1)) ++s; return s; };
  return file.Build(PackRows(32, false, [&](int x, int y, std::uint8_t* row) {
    Rgb c = ReferenceAt(x, y);
    std::uint32_t value = std::uint32_t(c.r) << shiftOf(red) | std::uint32_t(c.g) << shiftOf(green) |
                          std::uint32_t(c.b) << shiftOf(blue);
    std::memcpy(row + 4 * x, &value, 4);
  }));
}

// Bottom row first; the first row coded as a literal run, the others as runs of equal pixels.
inline std::vector<std::uint8_t> RunLengthData(bool fourBit) {
  std::vector<std::uint8_t> data;
  for (int stored = 0; stored < kHeight; ++stored) {
    int y = kHeight - 1 - stored;
    const int* row = kIndices[y];
    if (stored == 0) {
      data.push_back(0);
      data.push_back(kWidth);
      std::size_t bytes = fourBit ? (kWidth + 1) / 2 : kWidth;
      for (int x = 0; x < kWidth; x += fourBit ? 2 : 1)
        data.push_back(fourBit ? std::uint8_t(row[x] << 4 | (x + 1 < kWidth ? row[x + 1] : 0)) : std::uint8_t(row[x]));
      if (bytes % 2) data.push_back(0);
    } else {
      for (int x = 0; x < kWidth;) {
        int run = 1;
        while (x + run < kWidth && row[x + run] == row[x]) ++run;
        data.push_back(std::uint8_t(run));
        data.push_back(fourBit ? std::uint8_t(row[x] << 4 | row[x]) : std::uint8_t(row[x]));
        x += run;
      }
    }
    data.push_back(0);
    data.push_back(0);
  }
  data.push_back(0);
  data.push_back(1);
  return data;
}

inline std::vector<std::uint8_t> Rle8() {
  BmpFile file(kWidth, kHeight, 8);
  file.compression = BI_RLE8;
  file.palette = ReferencePalette(8);
  return file.Build(RunLengthData(false));
}

inline std::vector<std::uint8_t> Rle4() {
  BmpFile file(kWidth, kHeight, 4);
  file.compression = BI_RLE4;
  file.palette = ReferencePalette(4);
  return file.Build(RunLengthData(true));
}

// An OS/2 file: 12-byte header and a palette of 3-byte entries.
inline std::vector<std::uint8_t> Core8() {
  auto rows = PackRows(8, false, [](int x, int y, std::uint8_t* row) { row[x] = std::uint8_t(kIndices[y][x]); });
  std::vector<std::uint8_t> out = {'B', 'M', 0, 0, 0, 0, 0, 0, 0, 0};
  std::uint32_t offBits = 14 + 12 + 256 * 3;
  for (int i = 0; i < 4; ++i) out.push_back(std::uint8_t(offBits >> (8 * i)));
  const std::uint8_t header[12] = {12, 0, 0, 0, kWidth, 0, kHeight, 0, 1, 0, 8, 0};
  out.insert(out.end(), header, header + 12);
  for (int i = 0; i < 256; ++i) {
    Rgb c = i < 8 ? kColors[i] : Rgb{0, 0, 0};
    out.insert(out.end(), {c.b, c.g, c.r});
  }
  out.insert(out.end(), rows.begin(), rows.end());
  return out;
}

}  // namespace test_images
