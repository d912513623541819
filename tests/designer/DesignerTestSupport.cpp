// Helpers of the designer's window tests.
#include "DesignerTestSupport.h"

#include <winternl.h>

#include "designer/Dsnhandle.h"
#include "framework/graphics/GdiHandles.h"

namespace dsntest {

void PumpWaiting() {
  MSG msg;
  while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
    TranslateMessage(&msg);
    DispatchMessageW(&msg);
  }
}

bool PumpUntil(const std::function<bool()>& done, int rounds) {
  for (int i = 0; i < rounds; ++i) {
    if (done()) return true;
    PumpWaiting();
    MsgWaitForMultipleObjects(0, nullptr, FALSE, 10, QS_ALLINPUT);
  }
  return done();
}

namespace {

BOOL CALLBACK CountChild(HWND, LPARAM count) {
  ++*reinterpret_cast<int*>(count);
  return TRUE;
}

BOOL CALLBACK CountTopLevel(HWND window, LPARAM count) {
  ++*reinterpret_cast<int*>(count);
  EnumChildWindows(window, CountChild, count);
  return TRUE;
}

// One entry of the GDI handle table the process environment block points at; Wine keeps the
// table in the layout of 64-bit Windows, with a non-zero object address for a used entry.
struct GdiHandleEntry {
  std::uint64_t Object;
  std::uint32_t Owner;
  std::uint16_t Type;
  std::uint16_t Unique;
  std::uint64_t UserPointer;
};
constexpr std::size_t kGdiTableOffsetInPeb = 0xF8;
constexpr int kGdiTableEntries = 0x10000;

}  // namespace

int ThreadWindowCount() {
  int count = 0;
  EnumThreadWindows(GetCurrentThreadId(), CountTopLevel, reinterpret_cast<LPARAM>(&count));
  return count;
}

long GdiObjectCount() {
  if (DWORD count = GetGuiResources(GetCurrentProcess(), GR_GDIOBJECTS)) return static_cast<long>(count);
  PROCESS_BASIC_INFORMATION info{};
  if (NtQueryInformationProcess(GetCurrentProcess(), ProcessBasicInformation, &info, sizeof(info), nullptr) != 0)
    return -1;
  const auto* peb = reinterpret_cast<const std::uint8_t*>(info.PebBaseAddress);
  const auto* table = *reinterpret_cast<const GdiHandleEntry* const*>(peb + kGdiTableOffsetInPeb);
  if (!table) return -1;
  long used = 0;
  for (int i = 0; i < kGdiTableEntries; ++i)
    if (table[i].Object) ++used;
  return used;
}

std::vector<std::uint32_t> ReadScreen(const TRect& rect) {
  const int w = rect.Width(), h = rect.Height();
  BITMAPINFO info{};
  info.bmiHeader.biSize = sizeof(info.bmiHeader);
  info.bmiHeader.biWidth = w;
  info.bmiHeader.biHeight = -h;
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 32;
  void* bits = nullptr;
  gdi::WindowDC screen(nullptr);
  gdi::OwnedBitmap bitmap(CreateDIBSection(screen.Get(), &info, DIB_RGB_COLORS, &bits, nullptr, 0));
  gdi::MemoryDC memory(screen.Get());
  {
    gdi::Selection select(memory.Get(), bitmap.Get());
    BitBlt(memory.Get(), 0, 0, w, h, screen.Get(), rect.Left, rect.Top, SRCCOPY);
  }
  GdiFlush();
  const auto* pixels = static_cast<const std::uint32_t*>(bits);
  return std::vector<std::uint32_t>(pixels, pixels + static_cast<std::size_t>(w) * h);
}

std::uint32_t ScreenPixel(int x, int y) { return ReadScreen(TRect{x, y, x + 1, y + 1})[0] & 0xFFFFFF; }

TRect CursorClip() {
  RECT r;
  GetClipCursor(&r);
  return TRect{r.left, r.top, r.right, r.bottom};
}

TRect ScreenRect() {
  const int x = GetSystemMetrics(SM_XVIRTUALSCREEN), y = GetSystemMetrics(SM_YVIRTUALSCREEN);
  return TRect{x, y, x + GetSystemMetrics(SM_CXVIRTUALSCREEN), y + GetSystemMetrics(SM_CYVIRTUALSCREEN)};
}

bool HoldsInForeground(TForm* form, const std::function<bool()>& check, int attempts) {
  for (int i = 0; i < attempts; ++i) {
    SetForegroundWindow(form->Handle());
    PumpWaiting();
    if (check()) return true;
    MsgWaitForMultipleObjects(0, nullptr, FALSE, 50, QS_ALLINPUT);
  }
  return false;
}

bool SystemConfinesThePointer(TForm* form, const TRect& rect) {
  return HoldsInForeground(form, [&] {
    const RECT clip{rect.Left, rect.Top, rect.Right, rect.Bottom};
    ClipCursor(&clip);
    const bool confined = CursorClip() == rect;
    ClipCursor(nullptr);
    return confined;
  });
}

std::vector<TMessage> TProbe::Received(UINT msg) const {
  std::vector<TMessage> result;
  for (const TMessage& m : received)
    if (m.Msg == msg) result.push_back(m);
  return result;
}

void TProbe::WndProc(TMessage& message) {
  if (message.Msg >= DSNM_PRERESIZE && message.Msg <= DSNM_SELECT) received.push_back(message);
  TCustomControl::WndProc(message);
}

TStageForm::TStageForm() : form(new TForm(nullptr)) {
  // On top, in a corner the program's own page window does not use: other test processes share
  // the virtual desktop, and the screen is read back.
  form->SetBorderStyle(bsNone);
  form->SetFormStyle(fsStayOnTop);
  form->SetBounds(kFormLeft, kFormTop, 400, 300);
  host = new TProbe(form);
  host->SetParent(form);
  host->SetBounds(10, 10, 300, 200);
  host->SetColor(clWhite);
  form->Show();
  UpdateWindow(form->Handle());
  PumpWaiting();
}

TStageForm::~TStageForm() {
  delete form;
  PumpWaiting();
}

}  // namespace dsntest
