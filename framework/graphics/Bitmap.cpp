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
    bitmap_.Unshare();
    if (bitmap_.image_->handle) selection_ = std::make_unique<gdi::Selection>(dc->Get(), bitmap_.image_->handle.Get());
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
std::vector<bmp::PaletteEntry> DefaultPalette(int bitCount) {
  std::vector<bmp::PaletteEntry> palette;
  auto add = [&palette](int r, int g, int b) {
    palette.push_back(bmp::PaletteEntry{std::uint8_t(b), std::uint8_t(g), std::uint8_t(r), 0});
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

// The BITMAPINFO of a DIB, palette included.
static_assert(sizeof(bmp::PaletteEntry) == sizeof(RGBQUAD), "DIB palettes are copied as they are");
std::vector<std::uint8_t> BitmapInfo(const bmp::DibFormat& format) {
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
  return info;
}

[[noreturn]] void TooLarge(int width, int height) {
  throw EInvalidGraphicOperation("A bitmap of " + IntToStr(width) + " x " + IntToStr(height) + " pixels is too large");
}

}  // namespace

TBitmap::TBitmap() : image_(std::make_shared<Image>()) {}
TBitmap::~TBitmap() = default;

// ---- Images ----

TBitmap::SharedImage TBitmap::CreateDib(const bmp::DibFormat& format) {
  if (format.width > bmp::kMaxDimension || format.height > bmp::kMaxDimension ||
      format.ImageBytes() > bmp::kMaxPixelBytes)
    TooLarge(format.width, format.height);
  std::vector<std::uint8_t> info = BitmapInfo(format);
  void* bits = nullptr;
  HBITMAP handle =
      ::CreateDIBSection(nullptr, reinterpret_cast<BITMAPINFO*>(info.data()), DIB_RGB_COLORS, &bits, nullptr, 0);
  if (!handle)
    throw EOutOfResources("Cannot create a bitmap of " + IntToStr(format.width) + " x " + IntToStr(format.height) +
                          " pixels");
  auto image = std::make_shared<Image>();
  image->handle.Reset(handle);
  image->bits = static_cast<std::uint8_t*>(bits);
  image->format = format;
  return image;
}

TBitmap::SharedImage TBitmap::CreateDdb(int width, int height, bool monochrome) {
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
  auto image = std::make_shared<Image>();
  image->handle.Reset(handle);
  image->format = {width, height, monochrome ? 1 : ScreenBitsPerPixel(), {}};
  image->ddb = true;
  return image;
}

TBitmap::SharedImage TBitmap::CreateLike(const Image& model, int width, int height) {
  if (model.ddb) return CreateDdb(width, height, model.format.bitCount == 1);
  const int bitCount = model.format.bitCount ? model.format.bitCount : 24;
  const bool ownPalette = !model.format.palette.empty();
  return CreateDib({width, height, bitCount, ownPalette ? model.format.palette : DefaultPalette(bitCount)});
}

TBitmap::SharedImage TBitmap::EmptyLike(const Image& model, int width, int height) {
  auto image = std::make_shared<Image>();
  image->format = {width, height, model.format.bitCount, model.format.palette};
  image->ddb = model.ddb;
  return image;
}

void TBitmap::ReleaseDC() {
  if (canvas_) canvas_->Release();
}

void TBitmap::Replace(SharedImage next, bool copyPixels) {
  ReleaseDC();
  if (copyPixels && next->handle) {
    gdi::MemoryDC to;
    gdi::Selection toSelection(to.Get(), next->handle.Get());
    ::PatBlt(to.Get(), 0, 0, next->format.width, next->format.height, WHITENESS);
    if (image_->handle) {  // selected nowhere now: not in our DC, and a shared image never is
      gdi::MemoryDC from;
      gdi::Selection fromSelection(from.Get(), image_->handle.Get());
      ::BitBlt(to.Get(), 0, 0, std::min(Width(), next->format.width), std::min(Height(), next->format.height),
               from.Get(), 0, 0, SRCCOPY);
    }
  }
  image_ = std::move(next);
  Changed();
}

void TBitmap::Unshare() {
  if (image_.use_count() <= 1 || !image_->handle) return;
  ::GdiFlush();
  SharedImage copy = CreateDib(image_->format);  // only DIBs are shared
  std::memcpy(copy->bits, image_->bits, image_->format.ImageBytes());
  image_ = std::move(copy);
}

HBITMAP TBitmap::Handle() {
  Unshare();
  return image_->handle.Get();
}

// ---- Size and format ----

void TBitmap::SetSize(int width, int height) {
  width = std::max(width, 0);
  height = std::max(height, 0);
  if (width == Width() && height == Height()) return;
  if (width == 0 || height == 0) return Replace(EmptyLike(*image_, width, height), false);
  Replace(CreateLike(*image_, width, height), true);
}

TPixelFormat TBitmap::PixelFormat() const {
  if (image_->ddb) return pfDevice;
  switch (image_->format.bitCount) {
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
  const bmp::DibFormat dib{Width(), Height(), bitCount, DefaultPalette(bitCount)};
  if (!Empty()) return Replace(CreateDib(dib), true);
  auto empty = std::make_shared<Image>();
  empty->format = dib;
  Replace(std::move(empty), false);
}

void TBitmap::SetHandleType(TBitmapHandleType type) {
  if (type == HandleType()) return;
  if (type == bmDDB) {
    if (!Empty()) return Replace(CreateDdb(Width(), Height(), Monochrome()), true);
    SharedImage empty = EmptyLike(*image_, Width(), Height());
    empty->ddb = true;
    return Replace(std::move(empty), false);
  }
  const int deviceBits = image_->format.bitCount;
  const int bitCount = deviceBits == 1 ? 1 : deviceBits == 32 ? 32 : 24;
  const bmp::DibFormat dib{Width(), Height(), bitCount, DefaultPalette(bitCount)};
  if (!Empty()) return Replace(CreateDib(dib), true);
  auto empty = std::make_shared<Image>();
  empty->format = dib;
  Replace(std::move(empty), false);
}

void TBitmap::SetMonochrome(bool monochrome) {
  if (monochrome == Monochrome()) return;
  if (!image_->ddb) return SetPixelFormat(monochrome ? pf1bit : pf24bit);
  if (!Empty()) return Replace(CreateDdb(Width(), Height(), monochrome), true);
  SharedImage empty = EmptyLike(*image_, Width(), Height());
  empty->format.bitCount = monochrome ? 1 : ScreenBitsPerPixel();
  Replace(std::move(empty), false);
}

// ---- Transparency, rows, canvas ----

TColor TBitmap::TransparentColor() {
  if (transparentColor_ != clDefault || Empty()) return transparentColor_;
  return image_->ddb ? Canvas()->Pixels(0, Height() - 1) : DibPixel(0, Height() - 1);
}

TColor TBitmap::DibPixel(int x, int y) const {
  ::GdiFlush();
  const bmp::DibFormat& format = image_->format;
  const std::uint8_t* row = image_->bits + format.Stride() * std::size_t(format.height - 1 - y);
  std::uint8_t blue, green, red;
  if (format.bitCount >= 24) {
    const std::uint8_t* pixel = row + x * (format.bitCount / 8);
    blue = pixel[0], green = pixel[1], red = pixel[2];
  } else {
    const int bit = x * format.bitCount;
    const int index = (row[bit / 8] >> (8 - format.bitCount - bit % 8)) & ((1 << format.bitCount) - 1);
    const bmp::PaletteEntry& entry = format.palette[index];
    blue = entry.blue, green = entry.green, red = entry.red;
  }
  return TColor(red | green << 8 | blue << 16);
}

void TBitmap::SetTransparentColor(TColor color) {
  if (color == transparentColor_) return;
  transparentColor_ = color;
  Changed();
}

void* TBitmap::ScanLine(int row) {
  if (Empty() || row < 0 || row >= Height())
    throw EInvalidGraphicOperation("Scan line index " + IntToStr(row) + " out of range");
  if (image_->ddb) SetHandleType(bmDIB);
  Unshare();
  ::GdiFlush();
  return image_->bits + image_->format.Stride() * std::size_t(Height() - 1 - row);
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
  if (!source) return SetSize(0, 0);
  if (auto* bitmap = dynamic_cast<TBitmap*>(source)) {
    if (bitmap == this) return;
    transparentColor_ = bitmap->transparentColor_;
    SetTransparent(bitmap->Transparent());
    const Image& other = *bitmap->image_;
    if (!other.handle) return Replace(EmptyLike(other, other.format.width, other.format.height), false);
    if (!other.ddb) {
      bitmap->ReleaseDC();  // a shared image is selected into no DC
      return Replace(bitmap->image_, false);
    }
    SharedImage copy = CreateDdb(other.format.width, other.format.height, other.format.bitCount == 1);
    gdi::MemoryDC to;
    gdi::Selection toSelection(to.Get(), copy->handle.Get());
    ::BitBlt(to.Get(), 0, 0, other.format.width, other.format.height, bitmap->Canvas()->Handle(), 0, 0, SRCCOPY);
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

void TBitmap::LoadFromBytes(std::vector<std::uint8_t> data) {
  bmp::Decoder decoder(data);
  SharedImage next = CreateDib(decoder.Format());
  decoder.ReadPixels(next->bits);
  Replace(std::move(next), false);
}

std::vector<std::uint8_t> TBitmap::SaveToBytes() {
  if (Empty()) throw EInvalidGraphicOperation("Cannot save an empty bitmap");
  if (image_->ddb) {
    TBitmap dib;
    dib.Assign(this);
    dib.SetHandleType(bmDIB);
    return dib.SaveToBytes();
  }
  ::GdiFlush();
  return bmp::Encode(image_->format, image_->bits);
}

// ---- Drawing ----

void TBitmap::Draw(TCanvas& canvas, const TRect& rect) {
  HDC dest = canvas.Handle();
  if (Transparent()) {
    ::GdiTransparentBlt(dest, rect.Left, rect.Top, rect.Width(), rect.Height(), Canvas()->Handle(), 0, 0, Width(),
                        Height(), ColorToColorRef(TransparentColor()));
    return;
  }
  // Stretching samples pixels (never blends them) unless the screen has a palette to match.
  const bool halftone = ScreenBitsPerPixel() <= 8;
  const int oldMode = ::SetStretchBltMode(dest, halftone ? HALFTONE : COLORONCOLOR);
  if (halftone) ::SetBrushOrgEx(dest, 0, 0, nullptr);
  if (image_->ddb) {
    ::StretchBlt(dest, rect.Left, rect.Top, rect.Width(), rect.Height(), Canvas()->Handle(), 0, 0, Width(), Height(),
                 canvas.CopyMode());
  } else {  // straight from memory: no DC of our own needed, a shared image stays shared
    ::GdiFlush();
    const std::vector<std::uint8_t> info = BitmapInfo(image_->format);
    ::StretchDIBits(dest, rect.Left, rect.Top, rect.Width(), rect.Height(), 0, 0, Width(), Height(), image_->bits,
                    reinterpret_cast<const BITMAPINFO*>(info.data()), DIB_RGB_COLORS, canvas.CopyMode());
  }
  ::SetStretchBltMode(dest, oldMode);
}
