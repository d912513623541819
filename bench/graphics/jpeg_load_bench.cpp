// Benchmark: loading a 24-megapixel JPEG and drawing it stretched into a 200 x 150 frame, against
// libjpeg's own djpeg -scale 1/8 on the same file and against a full-size decode through the same
// code; the floor that entropy decoding alone sets.
#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <memory>

#include <jpeglib.h>

#include "BenchSupport.h"
#include "bench/BenchTable.h"
#include "framework/graphics/Bitmap.h"
#include "framework/graphics/Canvas.h"
#include "framework/graphics/Picture.h"

namespace {

constexpr int kPhotoWidth = 6000;
constexpr int kPhotoHeight = 4000;
constexpr int kRounds = 9;

void LoadAndDraw(const WideString& photo, TPicture& picture, TBitmap& frame) {
  picture.LoadFromFile(WideToCP932(photo));
  frame.SetSize(200, 150);
  frame.Canvas()->StretchDraw(Rect(0, 0, 200, 150), picture.Graphic());
}

// libjpeg called directly, without our error handling or destination: what the library alone
// costs with a given set of decoding parameters. The bench's own files are valid, so libjpeg's
// standard error handler (which ends the process) is enough here.
struct Libjpeg {
  jpeg_decompress_struct info;
  jpeg_error_mgr errors;

  explicit Libjpeg(const std::vector<std::uint8_t>& bytes) {
    info.err = jpeg_std_error(&errors);
    jpeg_create_decompress(&info);
    jpeg_mem_src(&info, bytes.data(), static_cast<unsigned long>(bytes.size()));
    jpeg_read_header(&info, TRUE);
  }
  ~Libjpeg() { jpeg_destroy_decompress(&info); }
};

enum class Parameters { Defaults, Cheapest };

// Decodes into rows of `buffer`, which must be large enough.
void DecodeDirectly(const std::vector<std::uint8_t>& bytes, int eighths, Parameters parameters, std::uint8_t* buffer) {
  Libjpeg jpeg(bytes);
  jpeg.info.scale_num = unsigned(eighths);
  jpeg.info.scale_denom = 8;
  jpeg.info.out_color_space = JCS_EXT_BGR;
  if (parameters == Parameters::Cheapest) {
    jpeg.info.dct_method = JDCT_IFAST;
    jpeg.info.do_fancy_upsampling = FALSE;
    jpeg.info.do_block_smoothing = FALSE;
  }
  jpeg_start_decompress(&jpeg.info);
  const std::size_t stride = bmp::DibStride(int(jpeg.info.output_width), 24);
  constexpr int kBatch = 16;
  JSAMPROW rows[kBatch];
  while (jpeg.info.output_scanline < jpeg.info.output_height) {
    for (int i = 0; i < kBatch; ++i)
      rows[i] = buffer + stride * std::min<std::size_t>(jpeg.info.output_scanline + i, jpeg.info.output_height - 1);
    jpeg_read_scanlines(&jpeg.info, rows, kBatch);
  }
  jpeg_finish_decompress(&jpeg.info);
}

// Huffman decoding of every coefficient into libjpeg's whole-image arrays, no inverse DCT, no
// colour conversion: all a sequential decoder must do whatever the output scale. Returns the
// bytes of those arrays.
std::size_t ReadCoefficients(const std::vector<std::uint8_t>& bytes) {
  Libjpeg jpeg(bytes);
  jpeg_read_coefficients(&jpeg.info);
  std::size_t arrays = 0;
  for (int c = 0; c < jpeg.info.num_components; ++c) {
    const jpeg_component_info& component = jpeg.info.comp_info[c];
    const std::size_t rows = (component.height_in_blocks + component.v_samp_factor - 1) / component.v_samp_factor *
                             component.v_samp_factor;
    arrays += rows * component.width_in_blocks * sizeof(JBLOCK);
  }
  jpeg_finish_decompress(&jpeg.info);
  return arrays;
}

// What jpeg_read_coefficients pays besides decoding: new memory of that size, touched page by page.
void TouchNewMemory(std::size_t size) {
  std::unique_ptr<std::uint8_t[]> memory(new std::uint8_t[size]);
  for (std::size_t offset = 0; offset < size; offset += 4096) memory[offset] = std::uint8_t(offset);
  volatile std::uint8_t sink = memory[size / 2];
  (void)sink;
}

std::unique_ptr<std::uint8_t[]> NewPixels(int width, int height) {
  return std::unique_ptr<std::uint8_t[]>(new std::uint8_t[bmp::DibStride(width, 24) * std::size_t(height)]);
}

// Our load and draw against full-size decoding, entropy decoding and djpeg, on one photo.
void Compare(const WideString& photo, const char* kind) {
  const std::vector<std::uint8_t> bytes = bench::ReadFile(photo);
  std::printf("\n%s photo: %d x %d, %.1f MB (quality 92), %d rounds\n", kind, kPhotoWidth, kPhotoHeight,
              bytes.size() / 1048576.0, kRounds);

  const std::unique_ptr<std::uint8_t[]> warmFull = NewPixels(kPhotoWidth, kPhotoHeight);
  const std::unique_ptr<std::uint8_t[]> warmEighth = NewPixels(kPhotoWidth / 8 + 1, kPhotoHeight / 8 + 1);
  std::memset(warmFull.get(), 0, bmp::DibStride(kPhotoWidth, 24) * kPhotoHeight);
  std::size_t coefficientBytes = ReadCoefficients(bytes);
  auto intoWarm = [](std::uint8_t* buffer) { return [buffer](int, int) { return buffer; }; };

  enum { Ours, ReadOnly, OursEighth, LibEighth, LibEighthCheap, FullFromFile, FullWarm, LibFull, Entropy, Touch };
  const auto samples = bench::SampleInterleaved(
      kRounds,
      {[&] {
         TPicture picture;
         TBitmap frame;
         LoadAndDraw(photo, picture, frame);
       },
       [&] { bench::ReadFile(photo); },
       [&] {
         std::unique_ptr<std::uint8_t[]> pixels;
         jpeg::Decode(bytes, 1, [&pixels](int width, int height) { return (pixels = NewPixels(width, height)).get(); });
       },
       [&] { DecodeDirectly(bytes, 1, Parameters::Defaults, warmEighth.get()); },
       [&] { DecodeDirectly(bytes, 1, Parameters::Cheapest, warmEighth.get()); },
       [&] {
         std::unique_ptr<std::uint8_t[]> pixels;
         jpeg::Decode(bench::ReadFile(photo), 8,
                      [&pixels](int width, int height) { return (pixels = NewPixels(width, height)).get(); });
       },
       [&] { jpeg::Decode(bytes, 8, intoWarm(warmFull.get())); },
       [&] { DecodeDirectly(bytes, 8, Parameters::Defaults, warmFull.get()); },
       [&] { coefficientBytes = ReadCoefficients(bytes); },
       [&] { TouchNewMemory(coefficientBytes); }});

  const WideString djpeg = L"\"" + bench::WindowsPath(LIBJPEG_TOOLS) + L"\\djpeg.exe\" ";
  const auto processes = bench::SampleInterleaved(
      kRounds, {[&] { bench::RunProcess(djpeg + L"-version", true); },
                [&] { bench::RunProcess(djpeg + L"-scale 1/8 -outfile NUL \"" + photo + L"\"", true); },
                [&] { bench::RunProcess(djpeg + L"-outfile NUL \"" + photo + L"\"", true); }});
  const bench::Timing djpegEighth = bench::Less(processes[1], processes[0]);
  const bench::Timing djpegFull = bench::Less(processes[2], processes[0]);
  auto timing = [&samples](int which) { return bench::Summary(samples[std::size_t(which)]); };

  bench::PrintTiming("load + draw into 200 x 150 (ours, from the file)", timing(Ours));
  bench::PrintTiming("  reading the file alone", timing(ReadOnly));
  bench::PrintTiming("  decode at 1/8 (ours, from memory)", timing(OursEighth));
  bench::PrintTiming("  libjpeg alone at 1/8, default parameters", timing(LibEighth));
  bench::PrintTiming("  libjpeg alone at 1/8, ifast, no fancy, no smooth", timing(LibEighthCheap));
  bench::PrintTiming("full decode (ours, from the file into new memory)", timing(FullFromFile));
  bench::PrintTiming("full decode (ours, from memory into warm memory)", timing(FullWarm));
  bench::PrintTiming("  libjpeg alone, full size into warm memory", timing(LibFull));
  auto quarter = [](bench::Timing t) { return bench::Timing{t.fastest / 4, t.median / 4}; };
  bench::PrintTiming("  a quarter of the full decode from the file", quarter(timing(FullFromFile)));
  bench::PrintTiming("  a quarter of the full decode into warm memory", quarter(timing(FullWarm)));
  bench::PrintTiming("entropy decoding alone (jpeg_read_coefficients)", timing(Entropy));
  std::printf("  of which new memory for %.0f MB of coefficients:\n", coefficientBytes / 1048576.0);
  bench::PrintTiming("  touching that much new memory", timing(Touch));
  const bench::Timing entropyLessMemory = bench::Less(samples[Entropy], samples[Touch]);
  bench::PrintTiming("entropy decoding less that memory", entropyLessMemory);
  bench::PrintTiming("djpeg process start (djpeg -version)", bench::Summary(processes[0]));
  bench::PrintTiming("djpeg -scale 1/8, whole process", bench::Summary(processes[1]));
  bench::PrintTiming("djpeg -scale 1/8 less the start", djpegEighth);
  bench::PrintTiming("djpeg full size less the start", djpegFull);

  bench::PrintRatio("ours / djpeg -scale 1/8 less the start", timing(Ours), djpegEighth);
  bench::PrintRatio("ours / djpeg -scale 1/8 whole process", samples[Ours], processes[1]);
  bench::PrintRatio("ours / full decode from the file", samples[Ours], samples[FullFromFile]);
  bench::PrintRatio("ours / full decode into warm memory", samples[Ours], samples[FullWarm]);
  bench::PrintRatio("1/8 decode / full decode, both from memory", samples[OursEighth], samples[FullWarm]);
  bench::PrintRatio("entropy decoding / full decode into warm mem.", samples[Entropy], samples[FullWarm]);
  bench::PrintRatio("entropy less its memory / full decode (warm)", entropyLessMemory, timing(FullWarm));
  bench::PrintRatio("djpeg: 1/8 / full size, both less the start", djpegEighth, djpegFull);
  const String measure = String("a ") + kind + " photo into a frame (median)";
  bench::TableRow(measure.c_str(), timing(Ours).median * 1e3, "djpeg -scale 1/8 less its start",
                  djpegEighth.median * 1e3, "ms", "-");
}

}  // namespace

int main() {
  const WideString detailed = bench::TempFile(L"tavelko-bench-photo-1.jpg");
  bench::MakePhoto(detailed, kPhotoWidth, kPhotoHeight, 1);
  const WideString smooth = bench::TempFile(L"tavelko-bench-photo-smooth.jpg");
  bench::MakePhoto(smooth, kPhotoWidth, kPhotoHeight, 5, 4);
  Compare(detailed, "Detailed");
  Compare(smooth, "Smooth");
  return 0;
}
