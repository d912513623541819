// TBitmap: DIB sections and device-dependent bitmaps, their conversions, canvas and BMP files.
#include "framework/graphics/Bitmap.h"

#include <algorithm>
#include <cstring>

#include "framework/graphics/Canvas.h"
#include "framework/graphics/GraphicErrors.h"

// The canvas of a bitmap: a memory DC with the bitmap selected, made on first use and let go
// whenever the bitmap changes its GDI bitmap (a bitmap can be selected into one DC only).
class TBitmapCanvas : public TCanvas {
  TAVELKO_CLASS(TBitmapCanvas, TCanvas)

 public:
  explicit TBitmapCanvas(TBitmap& bitmap) : bitmap_(bitmap) {}
  ~TBitmapCanvas() override { Release(); }

  void Release() {
    SetHandle(nullptr);
    selection_.reset();
    dc_.reset();
  }

 protected:
  void CreateHandle() override {
    auto dc = std::make_unique<gdi::MemoryDC>();
    if (!*dc) throw EOutOfResources("Cannot make a device context for a bitmap");
    if (bitmap_.image_.handle) selection_ = std::make_unique<gdi::Selection>(dc->Get(), bitmap_.image_.handle.Get());
    dc_ = std::move(dc);
    SetHandle(dc_->Get());
  }

 private:
  TBitmap& bitmap_;
  std::unique_ptr<gdi::MemoryDC> dc_;
  std::unique_ptr<gdi::Selection> selection_;
};

namespace {

int BitCountOf(TPixelFormat format) {
  switch (format) {
    case pf1bit: return 1;
    case pf4bit: return 4;
    case pf8bit: return 8;
    case pf32bit: return 32;
    default: return 24;
  }
}

// The colours a new indexed bitmap starts with: black and white, the 16 VGA colours, or a
// 6 x 6 x 6 colour cube followed by a grey ramp.
std::vector<RGBQUAD> DefaultPalette(int bitCount) {
  std::vector<RGBQUAD> palette;
  auto add = [&palette](int r, int g, int b) {
    palette.push_back(RGBQUAD{std::uint8_t(b), std::uint8_t(g), std::uint8_t(r), 0});
  };
  if (bitCount == 1) {
    add(0, 0, 0);
    add(255, 255, 255);
  } else if (bitCount == 4) {
    static constexpr std::uint32_t kVga[16] = {0x000000, 0x800000, 0x008000, 0x808000, 0x000080, 0x800080,
                                               0x008080, 0xC0C0C0, 0x808080, 0xFF0000, 0x00FF00, 0xFFFF00,
                                               0x0000FF, 0xFF00FF, 0x00FFFF, 0xFFFFFF};
    for (std::uint32_t rgb : kVga) add(int(rgb >> 16), int(rgb >> 8 & 0xFF), int(rgb & 0xFF));
  } else if (bitCount == 8) {
    for (int r = 0; r < 6; ++r)
      for (int g = 0; g < 6; ++g)
        for (int b = 0; b < 6; ++b) add(r * 51, g * 51, b * 51);
    for (int i = 0; i < 40; ++i) add(i * 255 / 39, i * 255 / 39, i * 255 / 39);
  }
  return palette;
}

int ScreenBitsPerPixel() {
  static const int bits = [] {
    gdi::WindowDC screen(nullptr);
    return screen ? ::GetDeviceCaps(screen.Get(), BITSPIXEL) * ::GetDeviceCaps(screen.Get(), PLANES) : 32;
  }();
  return bits;
}

[[noreturn]] void TooLarge(int width, int height) {
  throw EInvalidGraphicOperation("A bitmap of " + IntToStr(width) + " x " + IntToStr(height) + " pixels is too large");
}

}  // namespace

TBitmap::TBitmap() = default;
TBitmap::~TBitmap() = default;

// ---- Images ----

TBitmap::Image TBitmap::CreateDib(const bmp::DibFormat& format) {
  if (format.width > bmp::kMaxDimension || format.height > bmp::kMaxDimension ||
      format.ImageBytes() > bmp::kMaxPixelBytes)
    TooLarge(format.width, format.height);
  std::vector<std::uint8_t> info(sizeof(BITMAPINFOHEADER) + format.palette.size() * sizeof(RGBQUAD));
  auto* header = reinterpret_cast<BITMAPINFOHEADER*>(info.data());
  header->biSize = sizeof(BITMAPINFOHEADER);
  header->biWidth = format.width;
  header->biHeight = format.height;
  header->biPlanes = 1;
  header->biBitCount = WORD(format.bitCount);
  header->biCompression = BI_RGB;
  header->biClrUsed = DWORD(format.palette.size());
  if (!format.palette.empty())
    std::memcpy(info.data() + sizeof(BITMAPINFOHEADER), format.palette.data(), format.palette.size() * sizeof(RGBQUAD));
  void* bits = nullptr;
  HBITMAP handle =
      ::CreateDIBSection(nullptr, reinterpret_cast<BITMAPINFO*>(info.data()), DIB_RGB_COLORS, &bits, nullptr, 0);
  if (!handle)
    throw EOutOfResources("Cannot create a bitmap of " + IntToStr(format.width) + " x " + IntToStr(format.height) +
                          " pixels");
  Image image;
  image.handle.Reset(handle);
  image.bits = static_cast<std::uint8_t*>(bits);
  image.format = format;
  return image;
}

TBitmap::Image TBitmap::CreateDdb(int width, int height, bool monochrome) {
  if (width > bmp::kMaxDimension || height > bmp::kMaxDimension ||
      bmp::DibStride(width, 32) * std::size_t(height) > bmp::kMaxPixelBytes)
    TooLarge(width, height);
  HBITMAP handle;
  if (monochrome) {
    handle = ::CreateBitmap(width, height, 1, 1, nullptr);
  } else {
    gdi::WindowDC screen(nullptr);
    handle = ::CreateCompatibleBitmap(screen.Get(), width, height);
  }
  if (!handle)
    throw EOutOfResources("Cannot create a bitmap of " + IntToStr(width) + " x " + IntToStr(height) + " pixels");
  Image image;
  image.handle.Reset(handle);
  image.format = {width, height, monochrome ? 1 : ScreenBitsPerPixel(), {}};
  image.ddb = true;
  return image;
}

TBitmap::Image TBitmap::CreateLike(const Image& model, int width, int height) {
  if (model.ddb) return CreateDdb(width, height, model.format.bitCount == 1);
  const int bitCount = model.format.bitCount ? model.format.bitCount : 24;
  return CreateDib({width, height, bitCount, model.format.palette.empty() ? DefaultPalette(bitCount) : model.format.palette});
}

void TBitmap::Replace(Image next, bool copyPixels) {
  if (canvas_) canvas_->Release();
  if (copyPixels && next.handle) {
    gdi::MemoryDC to;
    gdi::Selection toSelection(to.Get(), next.handle.Get());
    ::PatBlt(to.Get(), 0, 0, next.format.width, next.format.height, WHITENESS);
    if (image_.handle) {
      gdi::MemoryDC from;
      gdi::Selection fromSelection(from.Get(), image_.handle.Get());
      ::BitBlt(to.Get(), 0, 0, std::min(Width(), next.format.width), std::min(Height(), next.format.height), from.Get(),
               0, 0, SRCCOPY);
    }
  }
  image_ = std::move(next);
  Changed();
}

// ---- Size and format ----

void TBitmap::SetSize(int width, int height) {
  width = std::max(width, 0);
  height = std::max(height, 0);
  if (width == Width() && height == Height()) return;
  if (width == 0 || height == 0) {
    Image empty;
    empty.format = {width, height, image_.format.bitCount, image_.format.palette};
    empty.ddb = image_.ddb;
    Replace(std::move(empty), false);
    return;
  }
  Replace(CreateLike(image_, width, height), true);
}

TPixelFormat TBitmap::PixelFormat() const {
  if (image_.ddb) return pfDevice;
  switch (image_.format.bitCount) {
    case 1: return pf1bit;
    case 4: return pf4bit;
    case 8: return pf8bit;
    case 32: return pf32bit;
    default: return pf24bit;
  }
}

void TBitmap::SetPixelFormat(TPixelFormat format) {
  if (format == PixelFormat()) return;
  if (format == pfDevice) return SetHandleType(bmDDB);
  const int bitCount = BitCountOf(format);
  bmp::DibFormat dib{Width(), Height(), bitCount, DefaultPalette(bitCount)};
  if (Empty()) {
    Image empty;
    empty.format = dib;
    Replace(std::move(empty), false);
    return;
  }
  Replace(CreateDib(dib), true);
}

void TBitmap::SetHandleType(TBitmapHandleType type) {
  if (type == HandleType()) return;
  if (type == bmDDB) {
    if (Empty()) {
      image_.ddb = true;
      return Changed();
    }
    return Replace(CreateDdb(Width(), Height(), Monochrome()), true);
  }
  const int deviceBits = image_.format.bitCount;
  const int bitCount = deviceBits == 1 ? 1 : deviceBits == 32 ? 32 : 24;
  bmp::DibFormat dib{Width(), Height(), bitCount, DefaultPalette(bitCount)};
  if (Empty()) {
    image_.ddb = false;
    image_.format = dib;
    return Changed();
  }
  Replace(CreateDib(dib), true);
}

void TBitmap::SetMonochrome(bool monochrome) {
  if (monochrome == Monochrome()) return;
  if (!image_.ddb) return SetPixelFormat(monochrome ? pf1bit : pf24bit);
  if (Empty()) {
    image_.format.bitCount = monochrome ? 1 : ScreenBitsPerPixel();
    return Changed();
  }
  Replace(CreateDdb(Width(), Height(), monochrome), true);
}

// ---- Transparency, rows, canvas ----

TColor TBitmap::TransparentColor() {
  if (transparentColor_ != clDefault || Empty()) return transparentColor_;
  return Canvas()->Pixels(0, Height() - 1);
}

void TBitmap::SetTransparentColor(TColor color) {
  if (color == transparentColor_) return;
  transparentColor_ = color;
  Changed();
}

void* TBitmap::ScanLine(int row) {
  if (Empty() || row < 0 || row >= Height())
    throw EInvalidGraphicOperation("Scan line index " + IntToStr(row) + " out of range");
  if (image_.ddb) SetHandleType(bmDIB);
  ::GdiFlush();
  return image_.bits + image_.format.Stride() * std::size_t(Height() - 1 - row);
}

TCanvas* TBitmap::Canvas() {
  if (!canvas_) {
    canvas_ = std::make_unique<TBitmapCanvas>(*this);
    canvas_->SetOnChange(TNotifyEvent(this, &TBitmap::CanvasChanged));
  }
  return canvas_.get();
}

void TBitmap::CanvasChanged(TObject*) { Changed(); }

// ---- Copies ----

void TBitmap::Assign(TPersistent* source) {
  if (!source) {
    SetSize(0, 0);
    return;
  }
  if (auto* bitmap = dynamic_cast<TBitmap*>(source)) {
    if (bitmap == this) return;
    transparentColor_ = bitmap->transparentColor_;
    SetTransparent(bitmap->Transparent());
    if (bitmap->Empty()) {
      Image empty;
      empty.format = bitmap->image_.format;
      empty.ddb = bitmap->image_.ddb;
      return Replace(std::move(empty), false);
    }
    Image copy = CreateLike(bitmap->image_, bitmap->Width(), bitmap->Height());
    if (copy.ddb) {
      gdi::MemoryDC to;
      gdi::Selection toSelection(to.Get(), copy.handle.Get());
      ::BitBlt(to.Get(), 0, 0, bitmap->Width(), bitmap->Height(), bitmap->Canvas()->Handle(), 0, 0, SRCCOPY);
    } else {
      ::GdiFlush();
      std::memcpy(copy.bits, bitmap->image_.bits, copy.format.ImageBytes());
    }
    return Replace(std::move(copy), false);
  }
  if (auto* graphic = dynamic_cast<TGraphic*>(source)) {
    if (graphic->Empty()) return SetSize(0, 0);
    Replace(CreateDib({graphic->Width(), graphic->Height(), 24, {}}), false);
    ::PatBlt(Canvas()->Handle(), 0, 0, Width(), Height(), WHITENESS);
    Canvas()->Draw(0, 0, graphic);
    return;
  }
  TGraphic::Assign(source);
}

// ---- Files ----

void TBitmap::LoadFromBytes(std::span<const std::uint8_t> data) {
  bmp::Decoder decoder(data);
  Image next = CreateDib(decoder.Format());
  decoder.ReadPixels(next.bits);
  Replace(std::move(next), false);
}

std::vector<std::uint8_t> TBitmap::SaveToBytes() {
  if (Empty()) throw EInvalidGraphicOperation("Cannot save an empty bitmap");
  if (image_.ddb) {
    TBitmap dib;
    dib.Assign(this);
    dib.SetHandleType(bmDIB);
    return dib.SaveToBytes();
  }
  ::GdiFlush();
  return bmp::Encode(image_.format, image_.bits);
}

// ---- Drawing ----

void TBitmap::Draw(TCanvas& canvas, const TRect& rect) {
  HDC dest = canvas.Handle();
  HDC source = Canvas()->Handle();
  if (Transparent()) {
    ::GdiTransparentBlt(dest, rect.Left, rect.Top, rect.Width(), rect.Height(), source, 0, 0, Width(), Height(),
                        ColorToColorRef(TransparentColor()));
    return;
  }
  // Stretching samples pixels (never blends them) unless the screen has a palette to match.
  const bool halftone = ScreenBitsPerPixel() <= 8;
  const int oldMode = ::SetStretchBltMode(dest, halftone ? HALFTONE : COLORONCOLOR);
  if (halftone) ::SetBrushOrgEx(dest, 0, 0, nullptr);
  ::StretchBlt(dest, rect.Left, rect.Top, rect.Width(), rect.Height(), source, 0, 0, Width(), Height(),
               canvas.CopyMode());
  ::SetStretchBltMode(dest, oldMode);
}
