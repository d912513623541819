// Benchmark: saving the 400 x 600 page as a quality-100 JPEG file the way the save button does
// (bitmap assigned to a JPEG image, quality 100, saved to a file), against libjpeg's cjpeg
// -quality 100 on the same pixels, both as a process of its own and as libjpeg called in this
// process; the safe file replacement is timed apart from the compression.
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include <jpeglib.h>

#include "BenchSupport.h"
#include "bench/BenchTable.h"
#include "framework/core/Stream.h"
#include "framework/graphics/Bitmap.h"
#include "framework/graphics/Canvas.h"
#include "framework/graphics/JpegImage.h"

namespace {

constexpr int kRounds = 41;

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

// The page's 24-bit rows, top first, in memory of their own.
struct Rows {
  std::vector<std::uint8_t> bytes;
  int width = 0;
  int height = 0;
  std::size_t stride = 0;
};

Rows CopyRows(TBitmap& page) {
  Rows rows{{}, page.Width(), page.Height(), bmp::DibStride(page.Width(), 24)};
  rows.bytes.resize(rows.stride * std::size_t(rows.height));
  for (int y = 0; y < rows.height; ++y)
    std::memcpy(rows.bytes.data() + rows.stride * std::size_t(y), page.ScanLine(y), std::size_t(rows.width) * 3);
  return rows;
}

// libjpeg called directly with cjpeg's settings for -quality 100, written the way cjpeg writes
// (stdio, libjpeg's own destination). The bench's input is valid: libjpeg's standard error
// handler is enough.
void CompressDirectly(const Rows& rows, jpeg_compress_struct& info) {
  info.image_width = JDIMENSION(rows.width);
  info.image_height = JDIMENSION(rows.height);
  info.input_components = 3;
  info.in_color_space = JCS_EXT_BGR;
  jpeg_set_defaults(&info);
  jpeg_set_quality(&info, 100, TRUE);
  jpeg_start_compress(&info, TRUE);
  while (info.next_scanline < info.image_height) {
    JSAMPROW row = const_cast<JSAMPROW>(rows.bytes.data() + rows.stride * info.next_scanline);
    jpeg_write_scanlines(&info, &row, 1);
  }
  jpeg_finish_compress(&info);
}

void CompressToFile(const Rows& rows, const WideString& path) {
  jpeg_compress_struct info;
  jpeg_error_mgr errors;
  info.err = jpeg_std_error(&errors);
  jpeg_create_compress(&info);
  FILE* file = ::_wfopen(path.c_str(), L"wb");
  jpeg_stdio_dest(&info, file);
  CompressDirectly(rows, info);
  std::fclose(file);
  jpeg_destroy_compress(&info);
}

void CompressToMemory(const Rows& rows) {
  jpeg_compress_struct info;
  jpeg_error_mgr errors;
  info.err = jpeg_std_error(&errors);
  jpeg_create_compress(&info);
  unsigned char* buffer = nullptr;
  unsigned long size = 0;
  jpeg_mem_dest(&info, &buffer, &size);
  CompressDirectly(rows, info);
  jpeg_destroy_compress(&info);
  std::free(buffer);
}

// The save button's work: a copy of the page compressed at quality 100 and saved to path; with
// no path, compressed only.
void SavePage(TBitmap& page, const WideString& path) {
  TBitmap bitmap;
  bitmap.Assign(&page);
  TJPEGImage jpeg;
  jpeg.Assign(&bitmap);
  jpeg.SetCompressionQuality(100);
  if (path.empty()) jpeg.SaveToBytes();
  else jpeg.SaveToFile(WideToCP932(path));
}

// Writing through a temporary file renamed over the target, without flushing it to the disk
// first: the replacement's cost less the flush.
void ReplaceWithoutFlush(const WideString& path, const std::vector<std::uint8_t>& bytes) {
  const WideString temporary = path + L".saving";
  bench::WriteFile(temporary, bytes);
  ::MoveFileExW(temporary.c_str(), path.c_str(), MOVEFILE_REPLACE_EXISTING);
}

WideString Folder(const WideString& path) { return path.substr(0, path.find_last_of(L'\\') + 1); }

}  // namespace

int main() {
  const WideString photo = bench::TempFile(L"tavelko-bench-small-photo.jpg");
  bench::MakePhoto(photo, 1600, 1200, 7);
  TBitmap page;
  DrawPage(page, photo);
  const Rows rows = CopyRows(page);
  const WideString pageBmp = bench::TempFile(L"tavelko-bench-page.bmp");
  const WideString ourJpeg = bench::TempFile(L"tavelko-bench-page-ours.jpg");
  const WideString directJpeg = bench::TempFile(L"tavelko-bench-page-libjpeg.jpg");
  const WideString theirJpeg = bench::TempFile(L"tavelko-bench-page-cjpeg.jpg");
  const WideString plainJpeg = bench::TempFile(L"tavelko-bench-page-plain.jpg");
  bench::WriteFile(pageBmp, page.SaveToBytes());
  SavePage(page, ourJpeg);
  const std::vector<std::uint8_t> compressed = bench::ReadFile(ourJpeg);
  auto newFile = [](const wchar_t* whose, int round) {
    return bench::TempFile((L"tavelko-bench-new-" + WideString(whose) + std::to_wstring(round) + L".jpg").c_str());
  };
  int ourNewFiles = 0, directNewFiles = 0;

  enum { Save, SaveNew, Compress, Direct, DirectToFile, DirectToNewFile, Replace, ReplaceNoFlush, Plain };
  const auto samples = bench::SampleInterleaved(
      kRounds, {[&] { SavePage(page, ourJpeg); },
                [&] { SavePage(page, newFile(L"ours-", ourNewFiles++)); },
                [&] { SavePage(page, L""); },
                [&] { CompressToMemory(rows); },
                [&] { CompressToFile(rows, directJpeg); },
                [&] { CompressToFile(rows, newFile(L"libjpeg-", directNewFiles++)); },
                [&] { ReplaceFileContents(WideToCP932(ourJpeg), compressed.data(), compressed.size()); },
                [&] { ReplaceWithoutFlush(ourJpeg, compressed); },
                [&] { bench::WriteFile(plainJpeg, compressed); }});
  for (int round = 0; round < kRounds; ++round) {
    ::DeleteFileW(newFile(L"ours-", round).c_str());
    ::DeleteFileW(newFile(L"libjpeg-", round).c_str());
  }

  char self[MAX_PATH];
  ::GetModuleFileNameA(nullptr, self, MAX_PATH);
  const WideString nothing = L"\"" + Folder(CP932ToWide(self)) + L"do_nothing.exe\"";
  const WideString cjpeg = L"\"" + bench::WindowsPath(LIBJPEG_TOOLS) + L"\\cjpeg.exe\" ";
  const auto processes = bench::SampleInterleaved(
      kRounds, {[&] { bench::RunProcess(nothing, true); }, [&] { bench::RunProcess(cjpeg + L"-version", true); },
                [&] {
                  bench::RunProcess(cjpeg + L"-quality 100 -outfile \"" + theirJpeg + L"\" \"" + pageBmp + L"\"", true);
                }});
  const bench::Timing cjpegWork = bench::Less(processes[2], processes[1]);
  auto timing = [&samples](int which) { return bench::Summary(samples[std::size_t(which)]); };

  const std::vector<std::uint8_t> theirs = bench::ReadFile(theirJpeg);
  std::printf("page 400 x 600, quality 100, %d rounds: ours %zu bytes, cjpeg %zu bytes, %s; libjpeg here %s\n",
              kRounds, compressed.size(), theirs.size(), compressed == theirs ? "the same bytes" : "different bytes",
              bench::ReadFile(directJpeg) == theirs ? "the same bytes" : "different bytes");
  bench::PrintTiming("save over the file (ours: assign, compress, write)", timing(Save));
  bench::PrintTiming("save as a new file (ours)", timing(SaveNew));
  bench::PrintTiming("  assign and compress (ours)", timing(Compress));
  bench::PrintTiming("  compress with libjpeg alone, into memory", timing(Direct));
  bench::PrintTiming("  replace the file (ours, flushed)", timing(Replace));
  bench::PrintTiming("  replace through a temporary, no flush", timing(ReplaceNoFlush));
  bench::PrintTiming("  plain write of the same bytes", timing(Plain));
  bench::PrintTiming("libjpeg compress + write over, in this process", timing(DirectToFile));
  bench::PrintTiming("libjpeg compress + write new, in this process", timing(DirectToNewFile));
  bench::PrintTiming("a process that does nothing", bench::Summary(processes[0]));
  bench::PrintTiming("cjpeg process start (cjpeg -version)", bench::Summary(processes[1]));
  bench::PrintTiming("cjpeg -quality 100, whole process", bench::Summary(processes[2]));
  bench::PrintTiming("cjpeg -quality 100 less the start", cjpegWork);

  bench::PrintRatio("save over / cjpeg whole process", samples[Save], processes[2]);
  bench::PrintRatio("save over / cjpeg less the start", timing(Save), cjpegWork);
  bench::PrintRatio("save new / cjpeg less the start", timing(SaveNew), cjpegWork);
  bench::PrintRatio("save over / libjpeg compress + write over here", samples[Save], samples[DirectToFile]);
  bench::PrintRatio("save new / libjpeg compress + write new here", samples[SaveNew], samples[DirectToNewFile]);
  bench::PrintRatio("compression: ours / libjpeg alone", samples[Compress], samples[Direct]);
  bench::PrintRatio("cjpeg -version / a process doing nothing", processes[1], processes[0]);
  bench::TableRow("saving the page (median)", timing(Save).median * 1e3, "cjpeg -quality 100 less its start",
                  cjpegWork.median * 1e3, "ms", "-");
  return 0;
}
