// Benchmark: a page holding four 24-megapixel photographs saved as a comic (the file's size and
// the share of its editable page), saved at 4x against 1x (time, peak memory, size), the comic
// opened again, and the undo history's cost of a hundred layout steps on that page (memory and
// time per step).
#include <windows.h>

#include <cstdio>
#include <string>
#include <vector>

#include "../BenchTable.h"
#include "../graphics/BenchSupport.h"
#include "app/MainWindow1.h"
#include "app/PageClasses.h"
#include "app/comic/ComicSegments.h"
#include "designer/DsnHistory.h"
#include "designer/DsnSubMl.h"
#include "designer/DsnUnit.h"
#include "framework/core/Stream.h"
#include "framework/stdctrls/Image.h"
#include "framework/stdctrls/Memo.h"
#include "framework/windows/Application.h"
#include "framework/windows/Services.h"

namespace {

constexpr int kPhotoWidth = 6000;
constexpr int kPhotoHeight = 4000;
constexpr int kSteps = 100;
constexpr int kScaledSaves = 5;

// Answers the save dialog with one file name and file type.
class TAnsweringFileDialog : public TFileDialogService {
 public:
  TAnsweringFileDialog(String fileName, int fileType) : fileName_(std::move(fileName)), fileType_(fileType) {}
  bool Execute(TFileDialogRequest& request) override {
    request.FileName = fileName_;
    request.FilterIndex = fileType_;
    return true;
  }

 private:
  String fileName_;
  int fileType_;
};

double MB(std::size_t bytes) { return double(bytes) / (1024.0 * 1024.0); }

WideString PhotoPath(int index) {
  return bench::TempFile((L"tavelko-bench-photo-" + std::to_wstring(index) + L".jpg").c_str());
}

// The four photos, made once and kept in the temporary folder; true when any had to be made.
bool MakePhotos() {
  bool made = false;
  for (int i = 1; i <= 4; ++i) {
    if (::GetFileAttributesW(PhotoPath(i).c_str()) != INVALID_FILE_ATTRIBUTES) continue;
    bench::MakePhoto(PhotoPath(i), kPhotoWidth, kPhotoHeight, unsigned(i));
    made = true;
  }
  return made;
}

// Making a photo takes far more memory than the page ever does: a process that made one runs the
// benchmark again in a fresh process of its own, so that the peaks measured are the page's.
int RunAgain() {
  STARTUPINFOW startup{};
  startup.cb = sizeof startup;
  startup.dwFlags = STARTF_USESTDHANDLES;
  startup.hStdInput = ::GetStdHandle(STD_INPUT_HANDLE);
  startup.hStdOutput = ::GetStdHandle(STD_OUTPUT_HANDLE);
  startup.hStdError = ::GetStdHandle(STD_ERROR_HANDLE);
  PROCESS_INFORMATION process{};
  std::wstring commandLine = ::GetCommandLineW();
  std::fflush(stdout);
  if (!::CreateProcessW(nullptr, commandLine.data(), nullptr, nullptr, TRUE, 0, nullptr, nullptr, &startup, &process))
    return 1;
  ::WaitForSingleObject(process.hProcess, INFINITE);
  DWORD exitCode = 1;
  ::GetExitCodeProcess(process.hProcess, &exitCode);
  ::CloseHandle(process.hThread);
  ::CloseHandle(process.hProcess);
  return int(exitCode);
}

// The four frames take the four photos as drops do.
void FillFrames(TMainForm1& page) {
  TImage* const frames[4] = {page.Image1, page.Image2, page.Image3, page.Image4};
  for (int i = 0; i < 4; ++i) page.LoadFramePhoto(frames[i], WideToCP932(PhotoPath(i + 1)));
}

// The median of saving the page as `comic` with the dialog's file type `fileType`, each save to a
// new file.
double MedianSave(TMainForm1& page, const String& comic, int fileType) {
  TAnsweringFileDialog answer(comic, fileType);
  TFileDialogServiceScope scope(answer);
  std::vector<double> times;
  for (int i = 0; i < kScaledSaves; ++i) {
    DeleteFileW(CP932ToWide(comic).c_str());
    times.push_back(bench::Seconds([&] { page.SpeedButton1->Click(); }));
  }
  return bench::Median(times);
}

}  // namespace

int wmain() {
  if (MakePhotos()) return RunAgain();
  RegisterPageClasses();
  Application->Initialize();
  auto* page = new TMainForm1(nullptr);
  page->SetSettingsFile(WideToCP932(bench::TempFile(L"tavelko-bench.ini")));  // it remembers the comic
  page->Show();
  FillFrames(*page);
  page->Memo0->SetText("おはよう！");
  Application->ProcessMessages();

  const String comic = WideToCP932(bench::TempFile(L"tavelko-bench-comic.jpg"));
  DeleteFileW(CP932ToWide(comic).c_str());
  double saving = 0;
  {
    TAnsweringFileDialog answer(comic, 1);
    TFileDialogServiceScope scope(answer);
    saving = bench::Seconds([&] { page->SpeedButton1->Click(); });
  }
  TMemoryStream file;
  file.LoadFromFile(comic);
  const std::vector<std::uint8_t> bytes(file.Memory(), file.Memory() + file.Size());
  const std::size_t pageBytes = comic::ExtractStream(bytes).size();
  std::printf("comic of four %d x %d photos: %.2f MB file, of which %.1f KB editable page; saved in %.0f ms\n",
              kPhotoWidth, kPhotoHeight, MB(bytes.size()), pageBytes / 1024.0, saving * 1000);

  const String large = WideToCP932(bench::TempFile(L"tavelko-bench-comic-4x.jpg"));
  const double once = MedianSave(*page, comic, 1);
  const bench::Memory beforeLarge = bench::ProcessMemory();
  const double fourTimes = MedianSave(*page, large, 3);
  const bench::Memory afterLarge = bench::ProcessMemory();
  TMemoryStream largeFile;
  largeFile.LoadFromFile(large);
  const std::vector<std::uint8_t> largeBytes(largeFile.Memory(), largeFile.Memory() + largeFile.Size());
  const std::size_t largePageBytes = comic::ExtractStream(largeBytes).size();
  std::printf("saved at 4x (1600 x 2400): %.0f ms against %.0f ms at 1x (medians of %d); peak working set %.1f MB "
              "(%.1f MB before); %.2f MB file, of which %.1f KB editable page\n",
              fourTimes * 1000, once * 1000, kScaledSaves, afterLarge.peakWorkingSetMB, beforeLarge.peakWorkingSetMB,
              MB(largeBytes.size()), largePageBytes / 1024.0);

  const double opening = bench::Seconds([&] { page->OpenComicFile(comic); });
  std::printf("opening it again: %.0f ms\n", opening * 1000);

  // The photos again (the opened comic holds reduced ones), then a hundred layout steps.
  FillFrames(*page);
  page->DsnSwitch1->DesignOn();
  page->DsnRegister1->SelectByInspect(page->Memo0);
  Application->ProcessMessages();
  const bench::Memory before = bench::ProcessMemory();
  const std::size_t ownBefore = page->History().OwnBytes();
  const double stepping = bench::Seconds([&] {
    for (int i = 0; i < kSteps; ++i) page->DsnRegister1->Nudge(i % 2 ? 1 : -1, 0, false, true);
  });
  const bench::Memory after = bench::ProcessMemory();
  std::printf("%d steps with four photos on the page: history %.1f KB of streams (%.1f KB before), working set "
              "%+.1f MB, private %+.1f MB; %.2f ms a step\n",
              kSteps, (page->History().OwnBytes()) / 1024.0, ownBefore / 1024.0,
              after.workingSetMB - before.workingSetMB, after.peakPrivateMB - before.peakPrivateMB,
              stepping * 1000 / kSteps);
  const double undoing = bench::Seconds([&] {
    for (int i = 0; i < 10; ++i) page->History().Undo();
  });
  std::printf("one undo (the stage read anew): %.1f ms\n", undoing * 100);
  bench::TableRow("a comic of four 24-MP photos, file size", MB(bytes.size()), "its editable page",
                  MB(pageBytes), "MB", "< 2 MB");
  bench::TableRow("100 undo steps on that page, memory added", after.peakPrivateMB - before.peakPrivateMB,
                  "their stored streams", (page->History().OwnBytes() - ownBefore) / (1024.0 * 1024.0), "MB", "bounded");
  bench::TableRow("the comic of four 24-MP photos saved at 4x (median)", fourTimes * 1000, "saving it at 1x", once * 1000, "ms",
                  "< 1000 ms");
  bench::TableRow("  peak memory of the page, saving at 4x", afterLarge.peakWorkingSetMB, "before saving at 4x",
                  beforeLarge.peakWorkingSetMB, "MB", "< 150 MB");
  bench::TableRow("  the comic saved at 4x, file size", MB(largeBytes.size()), "its editable page", MB(largePageBytes), "MB",
                  "-");
  page->DsnSwitch1->DesignOff();
  delete page;
  return 0;
}
