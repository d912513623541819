// Benchmark: the peak memory of the page with a 24-megapixel photo in each of its four frames,
// loaded as a drop loads them, for baseline photos and for progressive ones (made by jpegtran).
// Each kind runs in a process of its own, so that its peak is only that of the page and its photos.
#include <windows.h>

#include <cstdio>
#include <string>

#include "../BenchTable.h"
#include "../graphics/BenchSupport.h"
#include "app/MainWindow1.h"
#include "app/PageClasses.h"
#include "framework/stdctrls/Image.h"
#include "framework/windows/Application.h"

namespace {

constexpr int kPhotoWidth = 6000;
constexpr int kPhotoHeight = 4000;

WideString PhotoPath(int index, bool progressive) {
  return bench::TempFile(
      (L"tavelko-bench-photo-" + std::to_wstring(index) + (progressive ? L"-progressive" : L"") + L".jpg").c_str());
}

int FourFrames(bool progressive) {
  const char* kind = progressive ? "progressive" : "baseline";
  RegisterPageClasses();
  Application->Initialize();
  auto* page = new TMainForm1(nullptr);
  page->Show();
  Application->ProcessMessages();
  const bench::Memory before = bench::ProcessMemory();
  TImage* const frames[4] = {page->Image1, page->Image2, page->Image3, page->Image4};
  const double loading = bench::Seconds([&] {
    for (int i = 0; i < 4; ++i) page->LoadFramePhoto(frames[i], WideToCP932(PhotoPath(i + 1, progressive)));
    UpdateWindow(page->Handle());  // the frames drawn
  });
  const bench::Memory after = bench::ProcessMemory();
  std::printf("four %s photos loaded into the page's frames and drawn in %.0f ms\n", kind, loading * 1000);
  std::printf("four %s photos in the page's frames: peak working set %.1f MB (%.1f MB before loading), peak "
              "private %.1f MB (%.1f MB before), working set now %.1f MB\n",
              kind, after.peakWorkingSetMB, before.peakWorkingSetMB, after.peakPrivateMB, before.peakPrivateMB,
              after.workingSetMB);
  const String measure = String("peak memory, four ") + kind + " 24-MP photos in the frames";
  bench::TableRow(measure.c_str(), after.peakWorkingSetMB, "the page before loading", before.peakWorkingSetMB,
                  "MB", "< 100 MB");
  return 0;
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
  if (argc > 1 && std::wstring(argv[1]) == L"--baseline") return FourFrames(false);
  if (argc > 1 && std::wstring(argv[1]) == L"--progressive") return FourFrames(true);

  const WideString jpegtran = L"\"" + bench::WindowsPath(LIBJPEG_TOOLS) + L"\\jpegtran.exe\" -progressive -outfile \"";
  for (int i = 1; i <= 4; ++i) {
    bench::MakePhoto(PhotoPath(i, false), kPhotoWidth, kPhotoHeight, unsigned(i));
    bench::RunProcess(jpegtran + PhotoPath(i, true) + L"\" \"" + PhotoPath(i, false) + L"\"", true);
  }
  wchar_t self[MAX_PATH];
  ::GetModuleFileNameW(nullptr, self, MAX_PATH);
  std::fflush(stdout);
  for (const wchar_t* kind : {L" --baseline", L" --progressive"})
    bench::RunProcess(L"\"" + WideString(self) + L"\"" + kind, false);
  return 0;
}
