// Benchmark: loading a 24-megapixel JPEG and drawing it stretched into a 200 x 150 frame, against
// libjpeg's own djpeg -scale 1/8 on the same file and against a full-size decode; then the peak
// memory of a process that shows four such photographs in four frames.
#include <cstdio>
#include <memory>

#include "BenchSupport.h"
#include "framework/graphics/Bitmap.h"
#include "framework/graphics/Canvas.h"
#include "framework/graphics/Picture.h"

namespace {

constexpr int kPhotoWidth = 6000;
constexpr int kPhotoHeight = 4000;
constexpr int kRuns = 5;

WideString PhotoPath(int index) {
  return bench::TempFile((L"tavelko-bench-photo-" + std::to_wstring(index) + L".jpg").c_str());
}

void LoadAndDraw(const WideString& photo, TPicture& picture, TBitmap& frame) {
  picture.LoadFromFile(WideToCP932(photo));
  frame.SetSize(200, 150);
  frame.Canvas()->StretchDraw(Rect(0, 0, 200, 150), picture.Graphic());
}

// Run in a process of its own, so that its peak is only that of the four frames.
int FourFrames() {
  const bench::Memory before = bench::ProcessMemory();
  TPicture pictures[4];
  TBitmap frames[4];
  for (int i = 0; i < 4; ++i) LoadAndDraw(PhotoPath(i + 1), pictures[i], frames[i]);
  const bench::Memory after = bench::ProcessMemory();
  std::printf("four photos in four frames: peak working set %.1f MB (%.1f MB before loading), peak private "
              "%.1f MB (%.1f MB before), working set now %.1f MB\n",
              after.peakWorkingSetMB, before.peakWorkingSetMB, after.peakPrivateMB, before.peakPrivateMB,
              after.workingSetMB);
  return 0;
}

// Our load and draw against djpeg -scale 1/8 and against a full-size decode, on one photo.
void Compare(const WideString& photo, const char* kind) {
  const std::vector<std::uint8_t> bytes = bench::ReadFile(photo);
  std::printf("\n%s photo: %d x %d, %.1f MB (quality 92)\n", kind, kPhotoWidth, kPhotoHeight,
              bytes.size() / 1048576.0);

  const bench::Timing ours = bench::Time(kRuns, [&] {
    TPicture picture;
    TBitmap frame;
    LoadAndDraw(photo, picture, frame);
  });
  const bench::Timing fullDecode = bench::Time(kRuns, [&] {
    std::unique_ptr<std::uint8_t[]> pixels;
    jpeg::Decode(bench::ReadFile(photo), 8, [&pixels](int width, int height) {
      pixels.reset(new std::uint8_t[bmp::DibStride(width, 24) * std::size_t(height)]);
      return pixels.get();
    });
  });

  const WideString djpeg = L"\"" + bench::WindowsPath(LIBJPEG_TOOLS) + L"\\djpeg.exe\" ";
  const bench::Timing djpegStart = bench::Time(kRuns, [&] { bench::RunProcess(djpeg + L"-version", true); });
  const bench::Timing djpegEighth =
      bench::Time(kRuns, [&] { bench::RunProcess(djpeg + L"-scale 1/8 -outfile NUL \"" + photo + L"\"", true); });
  const bench::Timing djpegFull =
      bench::Time(kRuns, [&] { bench::RunProcess(djpeg + L"-outfile NUL \"" + photo + L"\"", true); });

  bench::PrintTiming("load + draw into 200 x 150 (ours)", ours);
  bench::PrintTiming("djpeg -scale 1/8, whole process", djpegEighth);
  bench::PrintTiming("djpeg process start (djpeg -version)", djpegStart);
  bench::PrintTiming("djpeg -scale 1/8, without the start", djpegEighth - djpegStart);
  bench::PrintTiming("full-size decode (ours, in the process)", fullDecode);
  bench::PrintTiming("djpeg full size, without the start", djpegFull - djpegStart);
  bench::PrintRatio("ours / djpeg -scale 1/8 without the start", ours, djpegEighth - djpegStart);
  bench::PrintRatio("ours / djpeg -scale 1/8 whole process", ours, djpegEighth);
  bench::PrintRatio("ours / full-size decode", ours, fullDecode);
  bench::PrintRatio("djpeg: 1/8 / full size (both without start)", djpegEighth - djpegStart, djpegFull - djpegStart);
}

}  // namespace

int main(int argc, char** argv) {
  if (argc > 1 && std::string(argv[1]) == "--four-frames") return FourFrames();

  for (int i = 1; i <= 4; ++i) bench::MakePhoto(PhotoPath(i), kPhotoWidth, kPhotoHeight, unsigned(i));
  const WideString smooth = bench::TempFile(L"tavelko-bench-photo-smooth.jpg");
  bench::MakePhoto(smooth, kPhotoWidth, kPhotoHeight, 5, 4);
  Compare(PhotoPath(1), "Detailed");
  Compare(smooth, "Smooth");

  char self[MAX_PATH];
  ::GetModuleFileNameA(nullptr, self, MAX_PATH);
  std::printf("\n");
  std::fflush(stdout);
  bench::RunProcess(L"\"" + CP932ToWide(self) + L"\" --four-frames", false);
  return 0;
}
