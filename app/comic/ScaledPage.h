// The page drawn at a whole-number scale from what it is made of, for a comic saved sharper than
// the screen shows it: photos from the pixels the page keeps, shapes, text and decorative controls
// rasterised at the scale by their own painting, never a copy of the screen enlarged.
#pragma once

#include <windows.h>

#include <memory>

#include "framework/graphics/Geometry.h"

class TBitmap;
class TComicPhotos;
class TControl;
class TCustomEdit;
class TImage;
class TWinControl;

class TScaledPagePainter {
 public:
  // `photos` gives the copies the comic keeps of the frames' photos (and their scale).
  TScaledPagePainter(TWinControl& stage, TComicPhotos& photos);

  // The stage's `page` rectangle (stage coordinates) at the photos' scale. Only the controls the
  // stage's owner made are drawn: grab handles and other designer marks never appear, and no
  // caret or selection does.
  std::unique_ptr<TBitmap> Paint(const TRect& page);

 private:
  // The children of `parent` whose client origin lies at `origin` (page pixels), windowless ones
  // under windowed ones, each group bottom to top, as the screen stacks them.
  void PaintChildren(TWinControl& parent, TPoint origin);
  void PaintControl(TControl& control, TPoint at);
  void PaintPhoto(TImage& image, TPoint at);
  // An edit's text in its font at the scale, line by line where the window broke it.
  void PaintEditText(TCustomEdit& edit, TPoint at);
  // The device rectangle of page pixels.
  RECT Device(const TRect& page) const;

  TWinControl& stage_;
  TComicPhotos& photos_;
  int scale_;
  HDC dc_ = nullptr;  // the bitmap being painted, while Paint runs
};
