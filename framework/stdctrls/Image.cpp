// TImage: placement and painting of the picture; the bitmap canvas made on first use.
#include "framework/stdctrls/Image.h"

#include "framework/graphics/Bitmap.h"
#include "framework/stdctrls/PublishGroups.h"

void TImage::Publish(TPublisher<TImage>& p) {
  publish_groups::Placement(p);
  p.Prop("AutoSize", &TImage::AutoSize, &TImage::SetAutoSize).Default(false);
  p.Prop("Center", &TImage::Center, &TImage::SetCenter).Default(false);
  p.Prop("DragMode", &TImage::DragMode, &TImage::SetDragMode).Default(dmManual);
  p.Prop("Enabled", &TImage::Enabled, &TImage::SetEnabled).Default(true);
  publish_groups::Hints(p);
  p.Prop("Picture", &TImage::Picture, &TImage::SetPicture);
  p.Prop("PopupMenu", &TImage::PopupMenu, &TImage::SetPopupMenu);
  p.Prop("Proportional", &TImage::Proportional, &TImage::SetProportional).Default(false);
  p.Prop("Stretch", &TImage::Stretch, &TImage::SetStretch).Default(false);
  p.Prop("Transparent", &TImage::Transparent, &TImage::SetTransparent).Default(false);
  p.Prop("Visible", &TImage::Visible, &TImage::SetVisible).Default(true);
  publish_groups::MouseEvents(p);
}

TImage::TImage(TComponent* owner) : TGraphicControl(owner), picture_(std::make_unique<TPicture>()) {
  TControlStyle style = ControlStyle();
  style += csReplicatable;
  SetControlStyle(style);
  SetBounds(0, 0, 105, 105);
  picture_->SetOnChange(TNotifyEvent(this, &TImage::PictureChanged));
}

TCanvas* TImage::Canvas() {
  if (!picture_->Graphic()) {
    TBitmap blank;
    blank.SetSize(Width(), Height());
    picture_->SetGraphic(&blank);
  }
  auto* bitmap = dynamic_cast<TBitmap*>(picture_->Graphic());
  if (!bitmap) throw EInvalidOperation("Can only modify an image if it contains a bitmap");
  return bitmap->Canvas();
}

void TImage::SetAutoSize(bool value) {
  if (autoSize_ == value) return;
  autoSize_ = value;
  Changed();
}

void TImage::SetCenter(bool value) {
  if (center_ == value) return;
  center_ = value;
  Changed();
}

void TImage::SetStretch(bool value) {
  if (stretch_ == value) return;
  stretch_ = value;
  Changed();
}

void TImage::SetProportional(bool value) {
  if (proportional_ == value) return;
  proportional_ = value;
  Changed();
}

void TImage::SetTransparent(bool value) {
  if (transparent_ == value) return;
  transparent_ = value;
  Changed();
}

void TImage::Changed() { PictureChanged(picture_.get()); }

void TImage::PictureChanged(TObject*) {
  TGraphic* graphic = picture_->Graphic();
  if (graphic && graphic->Transparent() != transparent_) {
    graphic->SetTransparent(transparent_);  // raises the picture's change again, which ends here
    return;
  }
  if (autoSize_ && graphic && !graphic->Empty() && !ComponentState().Contains(csLoading))
    SetBounds(Left(), Top(), graphic->Width(), graphic->Height());
  // Opaque only while the picture covers every pixel: otherwise the parent erases beneath.
  const TRect dest = DestRect();
  SetOpaque(graphic && !graphic->Empty() && !transparent_ && dest.Left <= 0 && dest.Top <= 0 &&
            dest.Right >= Width() && dest.Bottom >= Height());
  Invalidate();
}

TRect TImage::DestRect() {
  const int clientWidth = Width();
  const int clientHeight = Height();
  int width = picture_->Width();
  int height = picture_->Height();
  if (width <= 0 || height <= 0) return Rect(0, 0, 0, 0);
  const bool larger = width > clientWidth || height > clientHeight;
  if (stretch_ || (proportional_ && larger)) {
    if (proportional_) {
      // The smaller of the two scales keeps the whole picture inside; in 64 bits, nothing overflows.
      if (static_cast<long long>(clientWidth) * height <= static_cast<long long>(clientHeight) * width) {
        height = static_cast<int>(static_cast<long long>(height) * clientWidth / width);
        width = clientWidth;
      } else {
        width = static_cast<int>(static_cast<long long>(width) * clientHeight / height);
        height = clientHeight;
      }
    } else {
      width = clientWidth;
      height = clientHeight;
    }
  }
  const int left = center_ ? (clientWidth - width) / 2 : 0;
  const int top = center_ ? (clientHeight - height) / 2 : 0;
  return Bounds(left, top, width, height);
}

void TImage::Paint() {
  TGraphic* graphic = picture_->Graphic();
  if (!graphic || graphic->Empty()) return;
  TGraphicControl::Canvas()->StretchDraw(DestRect(), graphic);
}
