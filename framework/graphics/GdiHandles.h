// RAII types for GDI handles: an owned handle is released by its destructor, a borrowed one never.
#pragma once

#include <windows.h>

#include <utility>

namespace gdi {

// A pen, brush, font, bitmap, palette or region. Owned objects are deleted with DeleteObject;
// borrowed ones (stock objects, handles selected out of a DC) are only looked at.
template <typename Handle, bool Owned>
class Object {
 public:
  Object() = default;
  explicit Object(Handle handle) : handle_(handle) {}
  ~Object() { Reset(); }

  Object(const Object& other) requires(!Owned) = default;
  Object& operator=(const Object& other) requires(!Owned) = default;
  Object(Object&& other) noexcept : handle_(std::exchange(other.handle_, nullptr)) {}
  Object& operator=(Object&& other) noexcept {
    if (this != &other) Reset(std::exchange(other.handle_, nullptr));
    return *this;
  }

  Handle Get() const { return handle_; }
  explicit operator bool() const { return handle_ != nullptr; }

  // Gives up ownership without deleting; the caller owns the result.
  Handle Release() { return std::exchange(handle_, nullptr); }

  void Reset(Handle handle = nullptr) {
    Handle old = std::exchange(handle_, handle);
    if constexpr (Owned) {
      if (old) ::DeleteObject(old);
    }
  }

 private:
  Handle handle_ = nullptr;
};

using OwnedPen = Object<HPEN, true>;
using OwnedBrush = Object<HBRUSH, true>;
using OwnedFont = Object<HFONT, true>;
using OwnedBitmap = Object<HBITMAP, true>;
using OwnedRegion = Object<HRGN, true>;

// A memory DC from CreateCompatibleDC, deleted with DeleteDC.
class MemoryDC {
 public:
  explicit MemoryDC(HDC compatibleWith = nullptr) : dc_(::CreateCompatibleDC(compatibleWith)) {}
  ~MemoryDC() {
    if (dc_) ::DeleteDC(dc_);
  }
  MemoryDC(const MemoryDC&) = delete;
  MemoryDC& operator=(const MemoryDC&) = delete;

  HDC Get() const { return dc_; }
  explicit operator bool() const { return dc_ != nullptr; }

 private:
  HDC dc_;
};

// A window's DC (the screen's for a null window) from GetDC, given back with ReleaseDC.
class WindowDC {
 public:
  explicit WindowDC(HWND window) : window_(window), dc_(::GetDC(window)) {}
  ~WindowDC() {
    if (dc_) ::ReleaseDC(window_, dc_);
  }
  WindowDC(const WindowDC&) = delete;
  WindowDC& operator=(const WindowDC&) = delete;

  HDC Get() const { return dc_; }
  explicit operator bool() const { return dc_ != nullptr; }

 private:
  HWND window_;
  HDC dc_;
};

// Selects an object into a DC for one scope and puts the previous one back afterwards.
class Selection {
 public:
  Selection(HDC dc, HGDIOBJ object) : dc_(dc), previous_(::SelectObject(dc, object)) {}
  ~Selection() {
    if (previous_ && previous_ != HGDI_ERROR) ::SelectObject(dc_, previous_);
  }
  Selection(const Selection&) = delete;
  Selection& operator=(const Selection&) = delete;

 private:
  HDC dc_;
  HGDIOBJ previous_;
};

}  // namespace gdi
