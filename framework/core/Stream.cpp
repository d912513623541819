// TStream helpers and TMemoryStream.
#include "framework/core/Stream.h"

#include <algorithm>
#include <cstring>

std::int64_t TStream::Size() {
  const std::int64_t position = Seek(0, soCurrent);
  const std::int64_t size = Seek(0, soEnd);
  Seek(position, soBeginning);
  return size;
}

void TStream::ReadBuffer(void* buffer, std::int64_t count) {
  if (count < 0 || (count > 0 && Read(buffer, count) != count)) throw EReadError(messages::ReadError);
}

void TStream::WriteBuffer(const void* buffer, std::int64_t count) {
  if (count < 0 || (count > 0 && Write(buffer, count) != count)) throw EWriteError(messages::WriteError);
}

std::int64_t TStream::CopyFrom(TStream& source, std::int64_t count) {
  if (count < 0) throw EReadError(messages::ReadError);
  if (count == 0) {
    source.SetPosition(0);
    count = source.Size();
  }
  const std::int64_t total = count;
  std::vector<std::uint8_t> buffer(static_cast<std::size_t>(std::min<std::int64_t>(count, 0xF000)));
  while (count > 0) {
    const std::int64_t n = std::min<std::int64_t>(count, static_cast<std::int64_t>(buffer.size()));
    source.ReadBuffer(buffer.data(), n);
    WriteBuffer(buffer.data(), n);
    count -= n;
  }
  return total;
}

void TStream::CheckSeekOrigin(TSeekOrigin origin) {
  if (origin != soBeginning && origin != soCurrent && origin != soEnd) throw EStreamError("Invalid seek origin");
}

// ---- TMemoryStream ----

std::int64_t TMemoryStream::Read(void* buffer, std::int64_t count) {
  const std::int64_t available = Size() - position_;
  const std::int64_t n = std::clamp<std::int64_t>(count, 0, std::max<std::int64_t>(available, 0));
  if (n > 0) std::memcpy(buffer, data_.data() + position_, static_cast<std::size_t>(n));
  position_ += n;
  return n;
}

std::int64_t TMemoryStream::Write(const void* buffer, std::int64_t count) {
  if (count <= 0) return 0;
  const std::int64_t end = position_ + count;
  if (end > Size()) data_.resize(static_cast<std::size_t>(end));
  std::memcpy(data_.data() + position_, buffer, static_cast<std::size_t>(count));
  position_ = end;
  return count;
}

std::int64_t TMemoryStream::Seek(std::int64_t offset, TSeekOrigin origin) {
  CheckSeekOrigin(origin);
  std::int64_t base = 0;
  if (origin == soCurrent) base = position_;
  else if (origin == soEnd) base = Size();
  const std::int64_t target = base + offset;
  if (target < 0) throw EStreamError("Invalid stream position");
  position_ = target;
  return position_;
}

void TMemoryStream::SetSize(std::int64_t size) {
  if (size < 0) throw EStreamError("Invalid stream size");
  data_.resize(static_cast<std::size_t>(size));
  position_ = std::min(position_, size);
}

void TMemoryStream::Clear() {
  data_.clear();
  data_.shrink_to_fit();
  position_ = 0;
}

void TMemoryStream::LoadFromStream(TStream& stream) {
  stream.SetPosition(0);
  const std::int64_t size = stream.Size();
  std::vector<std::uint8_t> data(static_cast<std::size_t>(size));
  stream.ReadBuffer(data.data(), size);
  data_.swap(data);
  position_ = 0;
}

void TMemoryStream::SaveToStream(TStream& stream) const {
  stream.WriteBuffer(data_.data(), static_cast<std::int64_t>(data_.size()));
}
