/// @file
/// RAII types for GDI handles: an owned handle is released by its destructor, a borrowed one never.
#pragma once

#include <windows.h>

#include <cmath>
#include <utility>

/// Scope-bound ownership of GDI handles and DC state, used by the graphics classes and by drawing
/// code that calls GDI directly.
namespace gdi {

/// A pen, brush, font, bitmap, palette or region. Owned objects are deleted with DeleteObject;
/// borrowed ones (stock objects, handles selected out of a DC) are only looked at.
template <typename Handle, bool Owned>
class Object {
 public:
  Object() = default;
  /// Takes `handle` (may be null); an owned one is deleted by the destructor.
  explicit Object(Handle handle) : handle_(handle) {}
  ~Object() { Reset(); }

  /// Borrowed handles copy freely; an owned handle only moves, leaving the source empty (a move
  /// assignment first deletes the handle this object owned).
  ///@{
  Object(const Object& other) requires(!Owned) = default;
  Object& operator=(const Object& other) requires(!Owned) = default;
  Object(Object&& other) noexcept : handle_(std::exchange(other.handle_, nullptr)) {}
  Object& operator=(Object&& other) noexcept {
    if (this != &other) Reset(std::exchange(other.handle_, nullptr));
    return *this;
  }
  ///@}

  /// The handle, still owned by this object; null when empty.
  Handle Get() const { return handle_; }
  /// True when a handle is held (for example when the creating call succeeded).
  explicit operator bool() const { return handle_ != nullptr; }

  /// Gives up ownership without deleting; the caller owns the result.
  Handle Release() { return std::exchange(handle_, nullptr); }

  /// Holds `handle` instead, deleting the previous one when owned.
  void Reset(Handle handle = nullptr) {
    Handle old = std::exchange(handle_, handle);
    if constexpr (Owned) {
      if (old) ::DeleteObject(old);
    }
  }

 private:
  Handle handle_ = nullptr;
};

/// Owned GDI objects of each kind, deleted with DeleteObject at the end of their scope.
///@{
using OwnedPen = Object<HPEN, true>;
using OwnedBrush = Object<HBRUSH, true>;
using OwnedFont = Object<HFONT, true>;
using OwnedBitmap = Object<HBITMAP, true>;
using OwnedRegion = Object<HRGN, true>;
///@}

/// A memory DC from CreateCompatibleDC, deleted with DeleteDC.
class MemoryDC {
 public:
  /// Creates a DC compatible with `compatibleWith` (the screen for null); test with operator bool,
  /// creation may fail.
  explicit MemoryDC(HDC compatibleWith = nullptr) : dc_(::CreateCompatibleDC(compatibleWith)) {}
  ~MemoryDC() {
    if (dc_) ::DeleteDC(dc_);
  }
  MemoryDC(const MemoryDC&) = delete;
  MemoryDC& operator=(const MemoryDC&) = delete;

  /// The DC, owned by this object; null when creation failed.
  HDC Get() const { return dc_; }
  /// True when the DC was created.
  explicit operator bool() const { return dc_ != nullptr; }

 private:
  HDC dc_;
};

/// A window's DC (the screen's for a null window) from GetDC, given back with ReleaseDC.
class WindowDC {
 public:
  /// Gets the DC of `window`'s client area (of the screen for null); test with operator bool.
  explicit WindowDC(HWND window) : window_(window), dc_(::GetDC(window)) {}
  ~WindowDC() {
    if (dc_) ::ReleaseDC(window_, dc_);
  }
  WindowDC(const WindowDC&) = delete;
  WindowDC& operator=(const WindowDC&) = delete;

  /// The DC, valid for this object's lifetime; null when GetDC failed.
  HDC Get() const { return dc_; }
  /// True when the DC was obtained.
  explicit operator bool() const { return dc_ != nullptr; }

 private:
  HWND window_;
  HDC dc_;
};

/// Selects an object into a DC for one scope and puts the previous one back afterwards.
class Selection {
 public:
  /// Selects `object` (not owned; it must outlive this selection) into `dc`.
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


/// Saves a DC's state (clipping, origins, modes, selected objects) and restores it when the scope
/// ends.
class SavedDC {
 public:
  /// Saves the state of `dc` (SaveDC); the destructor restores exactly that state.
  explicit SavedDC(HDC dc) : dc_(dc), saved_(::SaveDC(dc)) {}
  ~SavedDC() { ::RestoreDC(dc_, saved_); }
  SavedDC(const SavedDC&) = delete;
  SavedDC& operator=(const SavedDC&) = delete;

 private:
  HDC dc_;
  int saved_;
};

/// Magnifies a DC by a whole number through its world transform for one scope: what is drawn in
/// logical units lands `scale` times larger at `origin` (device pixels), rasterised at the device's
/// resolution, pens and fonts included. The DC's mode and transform come back afterwards; what is
/// selected into it stays, so a canvas drawing on the DC keeps its tools. Scale 1 at (0, 0) leaves
/// the DC alone: the advanced mode would turn rotated text differently.
class ScaledDrawing {
 public:
  /// Magnifies `dc` by `scale` (1 or more) with the logical origin at `origin`.
  ScaledDrawing(HDC dc, int scale, POINT origin)
      : dc_(scale != 1 || origin.x != 0 || origin.y != 0 ? dc : nullptr), mode_(dc_ ? ::GetGraphicsMode(dc) : 0) {
    if (!dc_) return;
    ::GetWorldTransform(dc, &previous_);
    ::SetGraphicsMode(dc, GM_ADVANCED);
    const XFORM magnify{float(scale), 0, 0, float(scale), float(origin.x), float(origin.y)};
    ::SetWorldTransform(dc, &magnify);
  }
  ~ScaledDrawing() {
    if (!dc_) return;
    ::SetWorldTransform(dc_, &previous_);
    if (mode_ != GM_ADVANCED) {
      ::ModifyWorldTransform(dc_, nullptr, MWT_IDENTITY);  // the compatible mode takes no other
      ::SetGraphicsMode(dc_, mode_);
    }
  }
  ScaledDrawing(const ScaledDrawing&) = delete;
  ScaledDrawing& operator=(const ScaledDrawing&) = delete;

 private:
  HDC dc_;  ///< null when nothing was changed
  int mode_;
  XFORM previous_{1, 0, 0, 1, 0, 0};
};

/// The whole-number magnification of a DC's world transform (ScaledDrawing's); 1 for any other.
inline int DrawingScale(HDC dc) {
  XFORM transform{};
  if (::GetGraphicsMode(dc) != GM_ADVANCED || !::GetWorldTransform(dc, &transform)) return 1;
  if (transform.eM12 != 0 || transform.eM21 != 0 || transform.eM11 != transform.eM22) return 1;
  const float scale = std::round(transform.eM11);
  return scale >= 1 && scale == transform.eM11 ? int(scale) : 1;
}

/// Takes a DC's magnification away for one scope, keeping where its origin lies, for drawing that
/// lays itself out in device pixels (DrawingScale says how many make one logical pixel) with the
/// plain mode's rasterisation. Nothing on a DC that is not magnified.
class DeviceDrawing {
 public:
  /// Takes the world transform of `dc` away until the destructor puts it back.
  explicit DeviceDrawing(HDC dc) : dc_(::GetGraphicsMode(dc) == GM_ADVANCED ? dc : nullptr) {
    if (!dc_ || !::GetWorldTransform(dc_, &transform_)) {
      dc_ = nullptr;
      return;
    }
    ::ModifyWorldTransform(dc_, nullptr, MWT_IDENTITY);
    ::SetGraphicsMode(dc_, GM_COMPATIBLE);
    ::OffsetViewportOrgEx(dc_, int(transform_.eDx), int(transform_.eDy), &viewport_);
  }
  ~DeviceDrawing() {
    if (!dc_) return;
    ::SetViewportOrgEx(dc_, viewport_.x, viewport_.y, nullptr);
    ::SetGraphicsMode(dc_, GM_ADVANCED);
    ::SetWorldTransform(dc_, &transform_);
  }
  DeviceDrawing(const DeviceDrawing&) = delete;
  DeviceDrawing& operator=(const DeviceDrawing&) = delete;

 private:
  HDC dc_;  ///< null when nothing was changed
  XFORM transform_{};
  POINT viewport_{};
};

}  // namespace gdi
