// TClipboard, the memory block helpers and the system clipboard service.
#include "framework/stdctrls/Clipboard.h"

#include <algorithm>
#include <cstring>
#include <memory>

#include "framework/core/ScopeGuard.h"
#include "framework/windows/UtilityWindow.h"

// ---------------------------------------------------------------------------------------------
// Global memory blocks

// An empty block would be a discarded one that cannot be locked: every block has a byte at least.
TGlobalMemory::TGlobalMemory(std::size_t size)
    : block_(GlobalAlloc(GMEM_MOVEABLE | GMEM_ZEROINIT, std::max<std::size_t>(size, 1))) {
  if (!block_) throw EOutOfResources("Out of global memory");
}

TGlobalMemory::~TGlobalMemory() {
  if (block_) GlobalFree(block_);
}

TGlobalLock::TGlobalLock(HGLOBAL block)
    : block_(block), data_(static_cast<std::uint8_t*>(GlobalLock(block))), size_(GlobalSize(block)) {
  if (!data_) throw EOutOfResources("Cannot lock a global memory block");
}

TGlobalLock::~TGlobalLock() { GlobalUnlock(block_); }

// ---------------------------------------------------------------------------------------------
// The system clipboard service

namespace {

class TSystemClipboard final : public TClipboardService {
 public:
  UINT RegisterFormat(const String& name) override { return RegisterClipboardFormatW(CP932ToWide(name).c_str()); }
  bool Open() override { return OpenClipboard(OwnerWindow()) != FALSE; }
  void Close() override { CloseClipboard(); }
  bool Empty() override { return EmptyClipboard() != FALSE; }
  bool SetData(UINT format, HANDLE data) override { return SetClipboardData(format, data) != nullptr; }
  HANDLE GetData(UINT format) override { return GetClipboardData(format); }
  bool IsFormatAvailable(UINT format) override { return IsClipboardFormatAvailable(format) != FALSE; }

 private:
  // The clipboard's owner: a hidden window of the framework's, made on first use.
  HWND OwnerWindow() {
    if (!window_) window_ = std::make_unique<TUtilityWindow>([](TMessage&) { return false; });
    return window_->Handle();
  }

  std::unique_ptr<TUtilityWindow> window_;
};

TClipboardService*& InstalledService() {
  static TClipboardService* service = nullptr;
  return service;
}

}  // namespace

TClipboardService& ClipboardService() {
  static TSystemClipboard real;
  TClipboardService* installed = InstalledService();
  return installed ? *installed : real;
}

TClipboardService* SetClipboardService(TClipboardService* service) {
  return std::exchange(InstalledService(), service);
}

// ---------------------------------------------------------------------------------------------
// TClipboard

class TClipboard::TOpenScope {
 public:
  explicit TOpenScope(TClipboard& clipboard) : clipboard_(clipboard) { clipboard_.Open(); }
  ~TOpenScope() { clipboard_.Close(); }
  TOpenScope(const TOpenScope&) = delete;
  TOpenScope& operator=(const TOpenScope&) = delete;

 private:
  TClipboard& clipboard_;
};

UINT TClipboard::RegisterFormat(const String& name) {
  const UINT format = ClipboardService().RegisterFormat(name);
  if (format == 0) throw EClipboardError("Cannot register the clipboard format " + name);
  return format;
}

void TClipboard::Open() {
  if (openCount_ == 0) {
    if (!ClipboardService().Open()) throw EClipboardError("Cannot open clipboard");
    emptied_ = false;
  }
  ++openCount_;
}

void TClipboard::Close() {
  if (openCount_ == 0) return;
  if (--openCount_ == 0) ClipboardService().Close();
}

void TClipboard::Adding() {
  if (emptied_) return;
  ClipboardService().Empty();
  emptied_ = true;
}

void TClipboard::Clear() {
  TOpenScope open(*this);
  ClipboardService().Empty();
  emptied_ = true;
}

bool TClipboard::HasFormat(UINT format) { return ClipboardService().IsFormatAvailable(format); }

void TClipboard::SetAsHandle(UINT format, HANDLE data) {
  // The clipboard owns the block only once it took it.
  TScopeGuard freeUnlessTaken([data] { GlobalFree(data); });
  TOpenScope open(*this);
  Adding();
  if (!ClipboardService().SetData(format, data)) throw EClipboardError("Cannot put the data on the clipboard");
  freeUnlessTaken.Dismiss();
}

HANDLE TClipboard::GetAsHandle(UINT format) {
  TOpenScope open(*this);
  return ClipboardService().GetData(format);
}

void TClipboard::SetAsBytes(UINT format, std::span<const std::uint8_t> bytes) {
  TGlobalMemory block(bytes.size());
  {
    TGlobalLock lock(block.Get());
    std::copy(bytes.begin(), bytes.end(), lock.Data());
  }
  SetAsHandle(format, block.Release());
}

std::vector<std::uint8_t> TClipboard::GetAsBytes(UINT format, std::size_t maxBytes) {
  TOpenScope open(*this);
  HANDLE data = ClipboardService().GetData(format);
  if (!data) return {};
  TGlobalLock lock(data);
  if (lock.Size() > maxBytes) throw EClipboardError("The clipboard holds more data than can be pasted");
  return std::vector<std::uint8_t>(lock.Data(), lock.Data() + lock.Size());
}

String TClipboard::AsText() {
  TOpenScope open(*this);
  HANDLE data = ClipboardService().GetData(CF_UNICODETEXT);
  if (!data) return {};
  TGlobalLock lock(data);
  // Up to the terminating zero, but never past the block's end.
  const auto* text = reinterpret_cast<const wchar_t*>(lock.Data());
  const std::size_t capacity = lock.Size() / sizeof(wchar_t);
  return WideToCP932(WideString(text, std::find(text, text + capacity, L'\0')));
}

void TClipboard::SetAsText(const String& text) {
  const WideString wide = CP932ToWide(text);
  TGlobalMemory block((wide.size() + 1) * sizeof(wchar_t));
  {
    TGlobalLock lock(block.Get());
    std::memcpy(lock.Data(), wide.c_str(), (wide.size() + 1) * sizeof(wchar_t));
  }
  SetAsHandle(CF_UNICODETEXT, block.Release());
}

TClipboard& Clipboard() {
  static TClipboard clipboard;
  return clipboard;
}
