/// @file
/// TImage: shows a picture (bitmap or JPEG), at its own size, centred, stretched or scaled in
/// proportion; its canvas draws on the picture's bitmap.
#pragma once

#include <memory>

#include "framework/graphics/Picture.h"
#include "framework/windows/CustomControl.h"

/// A windowless control that shows a picture. It is opaque (the parent does not paint beneath it)
/// only while a picture that is not transparent covers it wholly.
class TImage : public TGraphicControl {
  TAVELKO_CLASS(TImage, TGraphicControl)
  static void Publish(TPublisher<TImage>& p);

 public:
  /// The image belongs to `owner`, as any component; it is 105 x 105 pixels and empty.
  explicit TImage(TComponent* owner);

  /// The picture shown; changes to it repaint the image. Owned and never null; the setter copies
  /// (null empties the picture).
  ///@{
  TPicture* Picture() const { return picture_.get(); }
  void SetPicture(TPicture* value) { picture_->Assign(value); }
  ///@}
  /// The canvas of the picture's bitmap. An empty picture first becomes a white bitmap of the
  /// control's size; a picture of another kind raises EInvalidOperation.
  TCanvas* Canvas();

  /// When set the control takes the picture's size whenever the picture changes (not while loading).
  ///@{
  bool AutoSize() const { return autoSize_; }
  void SetAutoSize(bool value);
  ///@}
  /// When set the picture is centred in the control; otherwise its top-left corner is the control's.
  ///@{
  bool Center() const { return center_; }
  void SetCenter(bool value);
  ///@}
  /// When set the picture is scaled to the control's size (in proportion with Proportional).
  ///@{
  bool Stretch() const { return stretch_; }
  void SetStretch(bool value);
  ///@}
  /// Scales a picture larger than the control (or, with Stretch, any picture) to fit while
  /// keeping its proportions.
  ///@{
  bool Proportional() const { return proportional_; }
  void SetProportional(bool value);
  ///@}
  /// The picture's transparent colour shows what lies beneath. Setting it sets the picture's own
  /// Transparent, now and for every picture it holds later.
  ///@{
  bool Transparent() const { return transparent_; }
  void SetTransparent(bool value);
  ///@}

  /// Where the picture is drawn, in client coordinates.
  TRect DestRect();

 protected:
  void Paint() override;

 private:
  void PictureChanged(TObject* sender);
  void Changed();

  std::unique_ptr<TPicture> picture_;
  bool autoSize_ = false;
  bool center_ = false;
  bool stretch_ = false;
  bool proportional_ = false;
  bool transparent_ = false;
};
