// Test helper: JPEG files of every kind the program must read, made with libjpeg directly.
#pragma once

#include <cstdio>
#include <cstdlib>
#include <cstdint>
#include <vector>

#include <jpeglib.h>

namespace test_images {

// ComponentScans: sequential, but each component in a scan of its own.
enum class JpegKind { Colour, Progressive, Grey, Cmyk, Ycck, ManyScans, ComponentScans };

// Halves: flat areas (see MakeJpeg). Detailed: grain over gradients, so that every block has
// coefficients of every frequency.
enum class JpegPicture { Halves, Detailed };

// A valid progressive script of 190 scans per bit level: every AC coefficient of every component
// in a scan of its own, first at `firstBits` bits of precision lost, then refined bit by bit.
inline std::vector<jpeg_scan_info> SlowScript(int firstBits) {
  std::vector<jpeg_scan_info> scans;
  auto add = [&scans](int components, int component, int first, int last, int high, int low) {
    jpeg_scan_info scan{};
    scan.comps_in_scan = components;
    for (int c = 0; c < components; ++c) scan.component_index[c] = components == 1 ? component : c;
    scan.Ss = first, scan.Se = last, scan.Ah = high, scan.Al = low;
    scans.push_back(scan);
  };
  for (int level = firstBits; level >= 0; --level) {
    const bool first = level == firstBits;
    add(3, 0, 0, 0, first ? 0 : level + 1, level);
    for (int c = 0; c < 3; ++c)
      for (int k = 1; k < 64; ++k) add(1, c, k, k, first ? 0 : level + 1, level);
  }
  return scans;
}

// A w x h picture: the top half red, the bottom half blue, a white column at x = 0, so that
// orientation and channel order both show. CMYK kinds store Adobe's inverted values.
inline std::vector<std::uint8_t> MakeJpeg(int width, int height, JpegKind kind, int quality = 95,
                                          int slowScriptBits = 5, JpegPicture picture = JpegPicture::Halves) {
  jpeg_compress_struct info;
  jpeg_error_mgr errors;
  info.err = jpeg_std_error(&errors);
  jpeg_create_compress(&info);
  unsigned char* buffer = nullptr;
  unsigned long size = 0;
  jpeg_mem_dest(&info, &buffer, &size);
  info.image_width = JDIMENSION(width);
  info.image_height = JDIMENSION(height);
  const bool grey = kind == JpegKind::Grey;
  const bool cmyk = kind == JpegKind::Cmyk || kind == JpegKind::Ycck;
  info.input_components = grey ? 1 : cmyk ? 4 : 3;
  info.in_color_space = grey ? JCS_GRAYSCALE : cmyk ? JCS_CMYK : JCS_RGB;
  jpeg_set_defaults(&info);
  if (kind == JpegKind::Ycck) jpeg_set_colorspace(&info, JCS_YCCK);
  jpeg_set_quality(&info, quality, TRUE);
  if (kind == JpegKind::Progressive) jpeg_simple_progression(&info);
  std::vector<jpeg_scan_info> script;
  if (kind == JpegKind::ComponentScans) {
    for (int c = 0; c < 3; ++c) {
      jpeg_scan_info scan{};
      scan.comps_in_scan = 1;
      scan.component_index[0] = c;
      scan.Se = 63;
      script.push_back(scan);
    }
    info.scan_info = script.data();
    info.num_scans = int(script.size());
  }
  if (kind == JpegKind::ManyScans) {
    script = SlowScript(slowScriptBits);
    info.scan_info = script.data();
    info.num_scans = int(script.size());
  }
  jpeg_start_compress(&info, TRUE);
  std::vector<std::uint8_t> row(std::size_t(width) * 4);
  while (int(info.next_scanline) < height) {
    const int y = int(info.next_scanline);
    for (int x = 0; x < width; ++x) {
      bool white = x == 0;
      bool top = y < height / 2;
      std::uint8_t r = white || top ? 255 : 0, g = white ? 255 : 0, b = white || !top ? 255 : 0;
      if (picture == JpegPicture::Detailed) {
        const unsigned grain = (unsigned(x) * 2654435761u ^ unsigned(y) * 40503u) >> 24;
        r = std::uint8_t(x * 255 / width ^ grain), g = std::uint8_t(y * 255 / height + grain / 2),
        b = std::uint8_t((x + y) * 3 ^ grain);
      }
      if (grey) {
        row[x] = white ? 255 : top ? 200 : 40;
      } else if (cmyk) {  // inverted: 255 means no ink
        row[4 * x] = r, row[4 * x + 1] = g, row[4 * x + 2] = b, row[4 * x + 3] = 255;
      } else {
        row[3 * x] = r, row[3 * x + 1] = g, row[3 * x + 2] = b;
      }
    }
    JSAMPROW rows[1] = {row.data()};
    jpeg_write_scanlines(&info, rows, 1);
  }
  jpeg_finish_compress(&info);
  jpeg_destroy_compress(&info);
  std::vector<std::uint8_t> file(buffer, buffer + size);
  std::free(buffer);
  return file;
}

}  // namespace test_images
