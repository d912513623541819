// The page at a scale: each control painted by its own code into a magnified DC, except what its
// own painting would only enlarge: photos (drawn from their pixels) and the text of edit windows.
#include "app/comic/ScaledPage.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <string>
#include <vector>

#include "app/comic/ComicFile.h"
#include "framework/graphics/Bitmap.h"
#include "framework/graphics/Canvas.h"
#include "framework/graphics/Color.h"
#include "framework/graphics/GdiHandles.h"
#include "framework/graphics/Picture.h"
#include "framework/stdctrls/Edit.h"
#include "framework/stdctrls/Image.h"

namespace {

// Where one target pixel samples its source along an axis: the two neighbours and the weight of
// the second, in 1/256.
struct TSample {
  int first;
  int second;
  int weight;
};

std::vector<TSample> Samples(int source, int target) {
  std::vector<TSample> samples(static_cast<std::size_t>(target));
  for (int i = 0; i < target; ++i) {
    const double at = std::clamp((i + 0.5) * source / target - 0.5, 0.0, double(source - 1));
    const int first = int(at);
    samples[std::size_t(i)] = {first, std::min(first + 1, source - 1), int((at - first) * 256)};
  }
  return samples;
}

// The photo enlarged to `size` by bilinear interpolation: a photo that holds fewer pixels than
// its place at the scale is stretched smoothly instead of in blocks.
std::unique_ptr<TBitmap> SmoothlyEnlarged(TGraphic& photo, TSize size) {
  TBitmap source;
  source.SetSize(photo.Width(), photo.Height());
  source.SetPixelFormat(pf32bit);
  source.Canvas()->Draw(0, 0, &photo);
  auto target = std::make_unique<TBitmap>();
  target->SetSize(size.cx, size.cy);
  target->SetPixelFormat(pf32bit);
  const std::vector<TSample> columns = Samples(source.Width(), size.cx);
  const std::vector<TSample> rows = Samples(source.Height(), size.cy);
  for (int y = 0; y < size.cy; ++y) {
    const TSample& row = rows[std::size_t(y)];
    const auto* upper = static_cast<const std::uint8_t*>(source.ScanLine(row.first));
    const auto* lower = static_cast<const std::uint8_t*>(source.ScanLine(row.second));
    auto* out = static_cast<std::uint8_t*>(target->ScanLine(y));
    for (int x = 0; x < size.cx; ++x) {
      const TSample& column = columns[std::size_t(x)];
      for (int channel = 0; channel < 4; ++channel) {
        const auto pixel = [&](const std::uint8_t* line, int at) { return int(line[at * 4 + channel]); };
        const int top = pixel(upper, column.first) * (256 - column.weight) + pixel(upper, column.second) * column.weight;
        const int bottom = pixel(lower, column.first) * (256 - column.weight) + pixel(lower, column.second) * column.weight;
        out[x * 4 + channel] = std::uint8_t((top * (256 - row.weight) + bottom * row.weight + (1 << 15)) >> 16);
      }
    }
  }
  return target;
}

std::wstring WindowText(HWND window) {
  std::wstring text(static_cast<std::size_t>(::GetWindowTextLengthW(window)) + 1, L'\0');
  text.resize(static_cast<std::size_t>(::GetWindowTextW(window, text.data(), int(text.size()))));
  return text;
}

}  // namespace

TScaledPagePainter::TScaledPagePainter(TWinControl& stage, TComicPhotos& photos)
    : stage_(stage), photos_(photos), scale_(photos.Scale()) {}

RECT TScaledPagePainter::Device(const TRect& page) const {
  return {page.Left * scale_, page.Top * scale_, page.Right * scale_, page.Bottom * scale_};
}

std::unique_ptr<TBitmap> TScaledPagePainter::Paint(const TRect& page) {
  auto bitmap = std::make_unique<TBitmap>();
  bitmap->SetSize(page.Width() * scale_, page.Height() * scale_);
  dc_ = bitmap->Canvas()->Handle();
  {
    const gdi::SavedDC whole(dc_);
    const TPoint origin{-page.Left, -page.Top};
    {
      const gdi::ScaledDrawing scaled(dc_, scale_, {origin.X * scale_, origin.Y * scale_});
      stage_.PaintFace(dc_);
    }
    PaintChildren(stage_, origin);
  }
  dc_ = nullptr;
  return bitmap;
}

void TScaledPagePainter::PaintChildren(TWinControl& parent, TPoint origin) {
  for (int i = 0; i < parent.ControlCount(); ++i) {
    TControl* child = parent.Controls(i);
    if (child->Owner() == stage_.Owner()) PaintControl(*child, {origin.X + child->Left(), origin.Y + child->Top()});
  }
}

void TScaledPagePainter::PaintControl(TControl& control, TPoint at) {
  if (!IsDesignVisible(&control)) return;
  const RECT bounds = Device(Bounds(at.X, at.Y, control.Width(), control.Height()));
  const gdi::SavedDC clip(dc_);
  ::IntersectClipRect(dc_, bounds.left, bounds.top, bounds.right, bounds.bottom);
  auto* image = dynamic_cast<TImage*>(&control);
  if (image && image->Picture()->Graphic() && !image->Picture()->Graphic()->Empty()) return PaintPhoto(*image, at);
  if (auto* edit = dynamic_cast<TCustomEdit*>(&control)) {
    const gdi::OwnedBrush background(::CreateSolidBrush(ColorToColorRef(edit->Color())));
    ::FillRect(dc_, &bounds, background.Get());
    return PaintEditText(*edit, at);
  }
  auto* windowed = dynamic_cast<TWinControl*>(&control);
  {
    const gdi::ScaledDrawing scaled(dc_, scale_, {at.X * scale_, at.Y * scale_});
    if (windowed)
      windowed->PaintFace(dc_);
    else
      control.Perform(WM_PAINT, reinterpret_cast<WPARAM>(dc_));
  }
  if (windowed) PaintChildren(*windowed, at);
}

void TScaledPagePainter::PaintPhoto(TImage& image, TPoint at) {
  TGraphic* photo = photos_.ReducedFor(image);
  if (!photo) photo = image.Picture()->Graphic();
  const TRect dest = image.DestRect();
  const RECT place = Device(Bounds(at.X + dest.Left, at.Y + dest.Top, dest.Width(), dest.Height()));
  const TSize size{place.right - place.left, place.bottom - place.top};
  TCanvas canvas;
  canvas.SetHandle(dc_);
  if (photo->Width() >= size.cx && photo->Height() >= size.cy) {
    canvas.StretchDraw(Bounds(place.left, place.top, size.cx, size.cy), photo);
  } else {
    canvas.Draw(place.left, place.top, SmoothlyEnlarged(*photo, size).get());
  }
  canvas.SetHandle(nullptr);
}

void TScaledPagePainter::PaintEditText(TCustomEdit& edit, TPoint at) {
  HWND window = edit.Handle();
  // Where the client area and the text's formatting rectangle lie in the control.
  RECT outer{}, format{};
  ::GetWindowRect(window, &outer);
  POINT client{0, 0};
  ::ClientToScreen(window, &client);
  ::SendMessageW(window, EM_GETRECT, 0, reinterpret_cast<LPARAM>(&format));
  const TPoint origin{at.X + client.x - outer.left, at.Y + client.y - outer.top};
  const RECT area = Device(TRect{origin.X + format.left, origin.Y + format.top, origin.X + format.right,
                                 origin.Y + format.bottom});
  ::IntersectClipRect(dc_, area.left, area.top, area.right, area.bottom);

  // The window's font sets the lines' pitch on screen; the same font at the scale draws them.
  auto font = reinterpret_cast<HFONT>(::SendMessageW(window, WM_GETFONT, 0, 0));
  LOGFONTW logFont{};
  ::GetObjectW(font ? font : ::GetStockObject(DEFAULT_GUI_FONT), sizeof logFont, &logFont);
  TEXTMETRICW metrics{};
  {
    const gdi::WindowDC screen(nullptr);
    const gdi::Selection selected(screen.Get(), font);
    ::GetTextMetricsW(screen.Get(), &metrics);
  }
  logFont.lfHeight *= scale_;
  logFont.lfWidth *= scale_;
  const gdi::OwnedFont scaled(::CreateFontIndirectW(&logFont));
  const gdi::Selection selected(dc_, scaled.Get());
  ::SetBkMode(dc_, TRANSPARENT);
  ::SetTextColor(dc_, ColorToColorRef(edit.Font()->Color()));
  ::SetTextAlign(dc_, TA_LEFT | TA_TOP | TA_NOUPDATECP);

  const std::wstring text = WindowText(window);
  const int count = int(::SendMessageW(window, EM_GETLINECOUNT, 0, 0));
  const int first = int(::SendMessageW(window, EM_GETFIRSTVISIBLELINE, 0, 0));
  for (int line = first; line < count; ++line) {
    const int top = format.top + (line - first) * metrics.tmHeight;
    if (top >= format.bottom) break;
    const auto start = static_cast<std::size_t>(::SendMessageW(window, EM_LINEINDEX, line, 0));
    if (start > text.size()) break;
    const auto length = std::min(static_cast<std::size_t>(::SendMessageW(window, EM_LINELENGTH, start, 0)),
                                 text.size() - start);
    const wchar_t* piece = text.data() + start;
    SIZE extent{};
    ::GetTextExtentPoint32W(dc_, piece, int(length), &extent);
    int x = area.left;
    if (edit.Alignment() == taCenter) x = (area.left + area.right - extent.cx) / 2;
    if (edit.Alignment() == taRightJustify) x = area.right - extent.cx;
    ::TextOutW(dc_, x, (origin.Y + top) * scale_, piece, int(length));
  }
}
