// TPicture: the graphic of an image control, loaded by file extension and streamed with its class.
#include "framework/graphics/Picture.h"

#include "framework/core/Filer.h"
#include "framework/graphics/Bitmap.h"
#include "framework/graphics/BmpCodec.h"
#include "framework/graphics/GraphicErrors.h"
#include "framework/graphics/JpegCodec.h"
#include "framework/graphics/JpegImage.h"

namespace {

// The graphic classes a picture can hold, by the class name its stream data carries.
std::unique_ptr<TGraphic> NewGraphic(const String& className) {
  if (className == "TBitmap") return std::make_unique<TBitmap>();
  if (className == "TJPEGImage") return std::make_unique<TJPEGImage>();
  throw EInvalidGraphic("Unsupported picture format " + className);
}

[[noreturn]] void RaiseTruncated() { throw EInvalidGraphic("The picture data is truncated"); }

// A graphic's stored data: its file's length in four bytes, then the file.
std::uint64_t StoredGraphicPixels(const String& className, std::span<const std::uint8_t> data) {
  if (data.size() < 4) RaiseTruncated();
  const std::size_t size = data[0] | data[1] << 8 | data[2] << 16 | std::size_t(data[3]) << 24;
  if (size > data.size() - 4) RaiseTruncated();
  const std::span<const std::uint8_t> file = data.subspan(4, size);
  if (className == "TBitmap") {
    const bmp::Decoder decoder(file);
    return std::uint64_t(decoder.Format().width) * std::uint64_t(decoder.Format().height);
  }
  if (className == "TJPEGImage") {
    const jpeg::Header header = jpeg::ReadHeader(file);
    return std::uint64_t(header.width) * std::uint64_t(header.height);
  }
  throw EInvalidGraphic("Unsupported picture format " + className);
}

}  // namespace

std::uint64_t StoredPicturePixels(const TPersistent& holder, std::span<const std::uint8_t> data) {
  if (const auto* graphic = dynamic_cast<const TGraphic*>(&holder)) return StoredGraphicPixels(graphic->ClassName(), data);
  if (!dynamic_cast<const TPicture*>(&holder)) return 0;
  if (data.empty() || data.size() - 1 < data[0]) RaiseTruncated();
  const String className(reinterpret_cast<const char*>(data.data()) + 1, data[0]);
  return StoredGraphicPixels(className, data.subspan(1 + data[0]));
}

std::unique_ptr<TGraphic> NewGraphicFor(const String& fileName) {
  const String extension = LowerCase(ExtractFileExt(fileName));
  if (extension == ".bmp") return std::make_unique<TBitmap>();
  if (extension == ".jpg" || extension == ".jpeg") return std::make_unique<TJPEGImage>();
  throw EInvalidGraphic("Unknown picture file extension (" + extension + ")");
}

TPicture::TPicture() = default;
TPicture::~TPicture() = default;

void TPicture::Take(std::unique_ptr<TGraphic> graphic) {
  graphic_ = std::move(graphic);
  if (graphic_) graphic_->SetOnChange(TNotifyEvent(this, &TPicture::GraphicChanged));
  onChange_(this);
}

void TPicture::GraphicChanged(TObject*) { onChange_(this); }

void TPicture::SetGraphic(TGraphic* graphic) {
  if (graphic == graphic_.get()) return;
  if (!graphic) return Take(nullptr);
  std::unique_ptr<TGraphic> copy = NewGraphic(graphic->ClassName());
  copy->Assign(graphic);
  Take(std::move(copy));
}

void TPicture::Assign(TPersistent* source) {
  if (!source) return SetGraphic(nullptr);
  if (auto* picture = dynamic_cast<TPicture*>(source)) return SetGraphic(picture->Graphic());
  if (auto* graphic = dynamic_cast<TGraphic*>(source)) return SetGraphic(graphic);
  TPersistent::Assign(source);
}

void TPicture::AssignTo(TPersistent* dest) {
  auto* graphic = dynamic_cast<TGraphic*>(dest);
  if (!graphic) return TPersistent::AssignTo(dest);
  graphic->Assign(graphic_.get());
}

TBitmap* TPicture::Bitmap() {
  if (!dynamic_cast<TBitmap*>(graphic_.get())) Take(std::make_unique<TBitmap>());
  return static_cast<TBitmap*>(graphic_.get());
}

int TPicture::Width() const { return graphic_ ? graphic_->Width() : 0; }
int TPicture::Height() const { return graphic_ ? graphic_->Height() : 0; }

void TPicture::LoadFromFile(const String& fileName) {
  std::unique_ptr<TGraphic> graphic = NewGraphicFor(fileName);
  graphic->LoadFromFile(fileName);
  Take(std::move(graphic));
}

void TPicture::SaveToFile(const String& fileName) {
  if (!graphic_ || graphic_->Empty()) throw EInvalidGraphicOperation("Cannot save an empty picture");
  graphic_->SaveToFile(fileName);
}

void TPicture::ReadData(TStream& stream) {
  std::uint8_t length = 0;
  if (stream.Read(&length, 1) != 1) throw EInvalidGraphic("The picture data is truncated");
  String className(length, '\0');
  if (stream.Read(className.data(), length) != length) throw EInvalidGraphic("The picture data is truncated");
  std::unique_ptr<TGraphic> graphic = NewGraphic(className);
  graphic->ReadData(stream);
  Take(std::move(graphic));
}

void TPicture::WriteData(TStream& stream) {
  // Checked before the class name goes out, so that the stream gets nothing.
  if (!graphic_ || graphic_->Empty()) throw EInvalidGraphicOperation("Cannot write an empty picture");
  const String& className = graphic_->ClassName();
  const auto length = static_cast<std::uint8_t>(className.size());
  stream.WriteBuffer(&length, 1);
  stream.WriteBuffer(className.data(), length);
  graphic_->WriteData(stream);
}

void TPicture::DefineProperties(TFiler& filer) {
  filer.DefineBinaryProperty(
      "Data", [this](TStream& stream) { ReadData(stream); }, [this](TStream& stream) { WriteData(stream); },
      graphic_ && !graphic_->Empty());
}
