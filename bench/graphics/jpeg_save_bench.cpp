// Benchmark: saving the 400 x 600 page as a quality-100 JPEG file the way the save button does
// (bitmap assigned to a JPEG image, quality 100, saved to a file), against libjpeg's cjpeg
// -quality 100 on the same pixels. Our file is written safely (a temporary file, flushed, then
// renamed over the target); cjpeg writes in place.
#include <cstdio>

#include "BenchSupport.h"
#include "framework/graphics/Bitmap.h"
#include "framework/graphics/Canvas.h"
#include "framework/graphics/JpegImage.h"

namespace {

constexpr int kRuns = 41;

// A page like the one saved: white, four photographs, balloons with Japanese text.
void DrawPage(TBitmap& page, const WideString& photo) {
  page.SetSize(400, 600);
  TCanvas& canvas = *page.Canvas();
  TJPEGImage picture;
  picture.LoadFromBytes(bench::ReadFile(photo));
  for (int frame = 0; frame < 4; ++frame) canvas.StretchDraw(Bounds(100, frame * 150, 200, 150), &picture);
  canvas.Font()->SetHeight(-15);
  for (int balloon = 0; balloon < 8; ++balloon) {
    canvas.Ellipse(14 + (balloon % 2) * 250, 16 + balloon * 70, 164 + (balloon % 2) * 250, 56 + balloon * 70);
    canvas.TextOut(40 + (balloon % 2) * 250, 27 + balloon * 70, "台詞" + IntToStr(balloon + 1));
  }
}

}  // namespace

int main() {
  const WideString photo = bench::TempFile(L"tavelko-bench-small-photo.jpg");
  bench::MakePhoto(photo, 1600, 1200, 7);
  TBitmap page;
  DrawPage(page, photo);
  const WideString pageBmp = bench::TempFile(L"tavelko-bench-page.bmp");
  const WideString ourJpeg = bench::TempFile(L"tavelko-bench-page-ours.jpg");
  const WideString theirJpeg = bench::TempFile(L"tavelko-bench-page-cjpeg.jpg");
  bench::WriteFile(pageBmp, page.SaveToBytes());

  const bench::Timing ours = bench::Time(kRuns, [&] {
    TBitmap bitmap;
    bitmap.Assign(&page);
    TJPEGImage jpeg;
    jpeg.Assign(&bitmap);
    jpeg.SetCompressionQuality(100);
    jpeg.SaveToFile(WideToCP932(ourJpeg));
  });

  const bench::Timing compressOnly = bench::Time(kRuns, [&] {
    TBitmap bitmap;
    bitmap.Assign(&page);
    TJPEGImage jpeg;
    jpeg.Assign(&bitmap);
    jpeg.SetCompressionQuality(100);
    jpeg.SaveToBytes();
  });

  const WideString cjpeg = L"\"" + bench::WindowsPath(LIBJPEG_TOOLS) + L"\\cjpeg.exe\" ";
  const bench::Timing cjpegStart = bench::Time(kRuns, [&] { bench::RunProcess(cjpeg + L"-version", true); });
  const bench::Timing cjpegSave = bench::Time(kRuns, [&] {
    bench::RunProcess(cjpeg + L"-quality 100 -outfile \"" + theirJpeg + L"\" \"" + pageBmp + L"\"", true);
  });

  std::printf("page 400 x 600, quality 100: ours %zu bytes, cjpeg %zu bytes, %s\n", bench::ReadFile(ourJpeg).size(),
              bench::ReadFile(theirJpeg).size(),
              bench::ReadFile(ourJpeg) == bench::ReadFile(theirJpeg) ? "the same bytes" : "different bytes");
  bench::PrintTiming("save (ours: assign, compress, write file)", ours);
  bench::PrintTiming("of which assign and compress", compressOnly);
  bench::PrintTiming("cjpeg -quality 100, whole process", cjpegSave);
  bench::PrintTiming("cjpeg process start (cjpeg -version)", cjpegStart);
  bench::PrintTiming("cjpeg -quality 100, without the start", cjpegSave - cjpegStart);
  bench::PrintRatio("ours / cjpeg without the start", ours, cjpegSave - cjpegStart);
  bench::PrintRatio("ours / cjpeg whole process", ours, cjpegSave);
  return 0;
}
