// What Windows holds for a test's windows.
#include "tests/support/WindowState.h"

#include <winternl.h>

#include <cstdint>

namespace test_support {

namespace {

BOOL CALLBACK NoteProcedure(HWND window, LPARAM list) {
  reinterpret_cast<std::vector<std::pair<HWND, LONG_PTR>>*>(list)->emplace_back(window,
                                                                                GetWindowLongPtrW(window, GWLP_WNDPROC));
  return TRUE;
}

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

WideString WindowText(HWND window) {
  WideString text(static_cast<std::size_t>(GetWindowTextLengthW(window)) + 1, L'\0');
  text.resize(static_cast<std::size_t>(GetWindowTextW(window, text.data(), static_cast<int>(text.size()))));
  return text;
}

std::vector<std::pair<HWND, LONG_PTR>> WindowProcedures(HWND root) {
  std::vector<std::pair<HWND, LONG_PTR>> procedures{{root, GetWindowLongPtrW(root, GWLP_WNDPROC)}};
  EnumChildWindows(root, NoteProcedure, reinterpret_cast<LPARAM>(&procedures));
  return procedures;
}

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

}  // namespace test_support
