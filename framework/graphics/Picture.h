/// @file
/// TPicture: holds one graphic of any kind, chooses the kind by file extension when loading, and
/// streams it as its class name followed by the graphic's data.
#pragma once

#include <cstdint>
#include <memory>
#include <span>

#include "framework/graphics/Graphic.h"

class TBitmap;

/// A new empty graphic of the class a picture file's name stands for: a bitmap for ".bmp", a JPEG
/// image for ".jpg" and ".jpeg", letter case ignored; EInvalidGraphic for other extensions.
std::unique_ptr<TGraphic> NewGraphicFor(const String& fileName);

/// The pixels that the stored "Data" of `holder`, a picture or a graphic, decodes to, read from the
/// image's headers without decoding it; 0 for any other holder. EInvalidGraphic when the data is
/// damaged or of an unknown kind.
std::uint64_t StoredPicturePixels(const TPersistent& holder, std::span<const std::uint8_t> data);

/// The picture property of a control: holds one graphic of any kind (or none), loads it by file
/// extension and stores it in the component stream as "Data" with its class name. Raises OnChange
/// when the graphic is replaced or changes. The graphic classes it can hold are TBitmap and
/// TJPEGImage.
class TPicture : public TPersistent {
  TAVELKO_CLASS(TPicture, TPersistent)

 public:
  /// An empty picture.
  TPicture();
  ~TPicture() override;

  /// Null empties the picture; another picture or a graphic is copied.
  void Assign(TPersistent* source) override;

  /// Owned; null when the picture is empty. The pointer is valid until the graphic is replaced
  /// (SetGraphic, Assign, Bitmap, LoadFromFile, reading "Data") or the picture is destroyed.
  TGraphic* Graphic() const { return graphic_.get(); }
  /// A copy of `graphic` (of the same class) becomes the picture's; null empties it. The caller
  /// keeps `graphic`. EInvalidGraphic for a class the picture cannot hold.
  void SetGraphic(TGraphic* graphic);
  /// The graphic as a bitmap: any other graphic is first replaced by a new empty bitmap.
  TBitmap* Bitmap();
  /// The graphic's size in pixels; 0 for an empty picture.
  ///@{
  int Width() const;
  int Height() const;
  ///@}

  /// A graphic of the class NewGraphicFor chooses. A file that cannot be read raises and leaves the
  /// picture unchanged.
  void LoadFromFile(const String& fileName);
  /// EInvalidGraphicOperation for an empty picture.
  void SaveToFile(const String& fileName);

  /// "Data": the graphic's class name as a short string, then the graphic's own data.
  void DefineProperties(TFiler& filer) override;
  /// The two halves of "Data". ReadData raises EInvalidGraphic for truncated data or an unknown
  /// class and then leaves the picture as it was; WriteData raises EInvalidGraphicOperation for an
  /// empty picture and then writes nothing (the filer calls it only for a picture with a graphic).
  ///@{
  void ReadData(TStream& stream);
  void WriteData(TStream& stream);
  ///@}

  /// Raised with the picture as the sender when the graphic is replaced or emptied, or raises its
  /// own OnChange; a single handler, usually the control showing the picture.
  ///@{
  const TNotifyEvent& OnChange() const { return onChange_; }
  void SetOnChange(const TNotifyEvent& handler) { onChange_ = handler; }
  ///@}

 protected:
  /// Into a graphic: the picture's graphic is assigned to it.
  void AssignTo(TPersistent* dest) override;

 private:
  void Take(std::unique_ptr<TGraphic> graphic);
  void GraphicChanged(TObject* sender);

  std::unique_ptr<TGraphic> graphic_;
  TNotifyEvent onChange_;
};
