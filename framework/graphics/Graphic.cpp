// TGraphic: loading and saving through files, streams and the component stream's "Data".
#include "framework/graphics/Graphic.h"
#include "framework/core/Filer.h"
#include "framework/graphics/GraphicErrors.h"

namespace {

// No picture file of ours comes near this; a bigger one is refused before it is read.
constexpr std::int64_t kMaxFileBytes = std::int64_t(1) << 30;

std::vector<std::uint8_t> ReadRest(TStream& stream) {
  const std::int64_t size = stream.Size() - stream.Position();
  if (size > kMaxFileBytes) throw EInvalidGraphic("The picture file is too large (" + IntToStr(size) + " bytes)");
  std::vector<std::uint8_t> bytes(static_cast<std::size_t>(size < 0 ? 0 : size));
  stream.ReadBuffer(bytes.data(), static_cast<std::int64_t>(bytes.size()));
  return bytes;
}

}  // namespace

void TGraphic::SetTransparent(bool transparent) {
  if (transparent_ == transparent) return;
  transparent_ = transparent;
  Changed();
}

void TGraphic::LoadFromStream(TStream& stream) { LoadFromBytes(ReadRest(stream)); }

void TGraphic::SaveToStream(TStream& stream) {
  const std::vector<std::uint8_t> bytes = SaveToBytes();
  stream.WriteBuffer(bytes.data(), static_cast<std::int64_t>(bytes.size()));
}

void TGraphic::LoadFromFile(const String& fileName) {
  TFileStream file(fileName, fmOpenRead | fmShareDenyWrite);
  LoadFromStream(file);
}

void TGraphic::SaveToFile(const String& fileName) {
  const std::vector<std::uint8_t> bytes = SaveToBytes();
  ReplaceFileContents(fileName, bytes.data(), bytes.size());
}

void TGraphic::ReadData(TStream& stream) {
  std::uint8_t count[4];
  if (stream.Read(count, 4) != 4) throw EInvalidGraphic("The picture data is truncated");
  const std::int64_t size = count[0] | count[1] << 8 | count[2] << 16 | std::int64_t(count[3]) << 24;
  const std::int64_t available = stream.Size() - stream.Position();
  if (size > available)
    throw EInvalidGraphic("The picture data claims " + IntToStr(size) + " bytes but holds " + IntToStr(available));
  std::vector<std::uint8_t> bytes(static_cast<std::size_t>(size));
  stream.ReadBuffer(bytes.data(), size);
  LoadFromBytes(std::move(bytes));
}

void TGraphic::WriteData(TStream& stream) {
  const std::vector<std::uint8_t> bytes = SaveToBytes();
  const auto size = static_cast<std::uint32_t>(bytes.size());
  const std::uint8_t count[4] = {std::uint8_t(size), std::uint8_t(size >> 8), std::uint8_t(size >> 16),
                                 std::uint8_t(size >> 24)};
  stream.WriteBuffer(count, 4);
  stream.WriteBuffer(bytes.data(), size);
}

void TGraphic::DefineProperties(TFiler& filer) {
  filer.DefineBinaryProperty(
      "Data", [this](TStream& stream) { ReadData(stream); }, [this](TStream& stream) { WriteData(stream); },
      !Empty());
}
