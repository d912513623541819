// TValueWriter: tag selection rules and little-endian encoding.
#include "streaming/ValueWriter.h"

#include <cstring>
#include <limits>
#include <type_traits>

#include "framework/core/Stream.h"
#include "streaming/StreamFormat.h"

namespace {

bool IsAscii(std::string_view bytes) {
  for (unsigned char c : bytes)
    if (c >= 0x80) return false;
  return true;
}

}  // namespace

TValueWriter::TValueWriter(TStream& stream, std::size_t bufferSize)
    : stream_(stream), bufferLimit_(bufferSize ? bufferSize : 1) {
  buffer_.reserve(bufferLimit_);
}

TValueWriter::~TValueWriter() {
  try {
    FlushBuffer();
  } catch (const std::exception&) {
    // Nothing can be reported from here; FlushBuffer's own caller sees such failures.
  }
}

void TValueWriter::FlushBuffer() {
  if (buffer_.empty()) return;
  // Cleared first: a failing stream must not see the same bytes again from the destructor.
  std::vector<std::uint8_t> pending;
  pending.swap(buffer_);
  buffer_.reserve(bufferLimit_);
  stream_.WriteBuffer(pending.data(), static_cast<std::int64_t>(pending.size()));
}

void TValueWriter::WriteBytes(const void* data, std::size_t size) {
  const auto* bytes = static_cast<const std::uint8_t*>(data);
  if (size >= bufferLimit_) {
    FlushBuffer();
    stream_.WriteBuffer(bytes, static_cast<std::int64_t>(size));
    return;
  }
  if (buffer_.size() + size > bufferLimit_) FlushBuffer();
  buffer_.insert(buffer_.end(), bytes, bytes + size);
}

void TValueWriter::WriteByte(std::uint8_t value) {
  if (buffer_.size() >= bufferLimit_) FlushBuffer();
  buffer_.push_back(value);
}

template <class T>
void TValueWriter::WriteLittleEndian(T value) {
  using U = std::make_unsigned_t<T>;
  auto bits = static_cast<U>(value);
  std::uint8_t bytes[sizeof(T)];
  for (std::size_t i = 0; i < sizeof(T); ++i) {
    bytes[i] = static_cast<std::uint8_t>(bits & 0xFF);
    bits = static_cast<U>(bits >> 8);
  }
  WriteBytes(bytes, sizeof(T));
}

void TValueWriter::WriteUInt32(std::uint32_t value) { WriteLittleEndian(value); }

// ---- Structure ----

void TValueWriter::WriteSignature() { WriteBytes(streamformat::Signature, sizeof streamformat::Signature); }

void TValueWriter::WritePrefix(std::uint8_t flags, int childPos) {
  flags &= streamformat::AllFilerFlags;
  if (flags == 0) return;
  WriteByte(static_cast<std::uint8_t>(streamformat::PrefixMark | flags));
  if (flags & streamformat::ffChildPos) WriteInteger(childPos);
}

void TValueWriter::WriteShortString(std::string_view text) {
  if (text.size() > 255) throw EWriteError(Format(streammessages::NameTooLong, String(text.substr(0, 40))));
  WriteByte(static_cast<std::uint8_t>(text.size()));
  WriteBytes(text.data(), text.size());
}

void TValueWriter::WriteValueType(TValueType type) { WriteByte(static_cast<std::uint8_t>(type)); }

void TValueWriter::WriteListEnd() { WriteByte(0); }

// ---- Values ----

void TValueWriter::WriteInteger(std::int64_t value) {
  if (value >= -128 && value <= 127) {
    WriteValueType(TValueType::vaInt8);
    WriteLittleEndian(static_cast<std::int8_t>(value));
  } else if (value >= -32768 && value <= 32767) {
    WriteValueType(TValueType::vaInt16);
    WriteLittleEndian(static_cast<std::int16_t>(value));
  } else if (value >= std::numeric_limits<std::int32_t>::min() && value <= std::numeric_limits<std::int32_t>::max()) {
    WriteValueType(TValueType::vaInt32);
    WriteLittleEndian(static_cast<std::int32_t>(value));
  } else {
    WriteValueType(TValueType::vaInt64);
    WriteLittleEndian(value);
  }
}

void TValueWriter::WriteBoolean(bool value) { WriteValueType(value ? TValueType::vaTrue : TValueType::vaFalse); }

void TValueWriter::WriteCountedBytes(TValueType type, std::string_view bytes) {
  if (bytes.size() > static_cast<std::size_t>(std::numeric_limits<std::int32_t>::max()))
    throw EWriteError(streammessages::ValueTooLarge);
  WriteValueType(type);
  WriteLittleEndian(static_cast<std::uint32_t>(bytes.size()));
  WriteBytes(bytes.data(), bytes.size());
}

void TValueWriter::WriteEightBitText(std::string_view bytes) {
  if (bytes.size() < 256) {
    WriteValueType(TValueType::vaString);
    WriteShortString(bytes);
  } else {
    WriteCountedBytes(TValueType::vaLString, bytes);
  }
}

void TValueWriter::WriteText(const String& text) {
  if (IsAscii(text)) {
    WriteEightBitText(text);
    return;
  }
  // Bytes that are no valid CP932 text would not survive the trip through UTF-8: they keep
  // their 8-bit form, so what was written is what is read back.
  const WideString wide = CP932ToWide(text);
  if (WideToCP932(wide) != text) {
    WriteEightBitText(text);
    return;
  }
  WriteCountedBytes(TValueType::vaUTF8String, WideToUtf8(wide));
}

void TValueWriter::WriteWideText(const WideString& text) {
  const std::string utf8 = WideToUtf8(text);
  if (utf8.size() >= 2 * text.size()) {
    WriteWString(text);
  } else if (IsAscii(utf8)) {
    WriteEightBitText(utf8);
  } else {
    WriteCountedBytes(TValueType::vaUTF8String, utf8);
  }
}

void TValueWriter::WriteWString(const WideString& text) {
  if (text.size() > static_cast<std::size_t>(std::numeric_limits<std::int32_t>::max() / 2))
    throw EWriteError(streammessages::ValueTooLarge);
  WriteValueType(TValueType::vaWString);
  WriteLittleEndian(static_cast<std::uint32_t>(text.size()));
  for (wchar_t c : text) WriteLittleEndian(static_cast<std::uint16_t>(c));
}

void TValueWriter::WriteIdent(std::string_view ident) {
  const String name(ident);
  if (SameText(name, "False")) WriteValueType(TValueType::vaFalse);
  else if (SameText(name, "True")) WriteValueType(TValueType::vaTrue);
  else if (SameText(name, "Null")) WriteValueType(TValueType::vaNull);
  else if (SameText(name, "nil")) WriteValueType(TValueType::vaNil);
  else {
    WriteValueType(TValueType::vaIdent);
    WriteShortString(ident);
  }
}

void TValueWriter::WriteSet(const std::vector<String>& members) {
  WriteValueType(TValueType::vaSet);
  for (const String& member : members)
    if (!member.empty()) WriteShortString(member);
  WriteListEnd();
}

void TValueWriter::WriteFloat(long double value) {
  static_assert(std::numeric_limits<long double>::digits == 64 && sizeof(long double) >= 10,
                "the Extended tag stores the x87 80-bit format");
  std::uint8_t bytes[sizeof(long double)] = {};
  std::memcpy(bytes, &value, sizeof value);
  WriteValueType(TValueType::vaExtended);
  WriteBytes(bytes, 10);
}

void TValueWriter::WriteSingle(float value) {
  std::uint32_t bits;
  std::memcpy(&bits, &value, sizeof bits);
  WriteValueType(TValueType::vaSingle);
  WriteLittleEndian(bits);
}

void TValueWriter::WriteCurrency(std::int64_t tenThousandths) {
  WriteValueType(TValueType::vaCurrency);
  WriteLittleEndian(tenThousandths);
}

void TValueWriter::WriteDate(double days) {
  std::uint64_t bits;
  std::memcpy(&bits, &days, sizeof bits);
  WriteValueType(TValueType::vaDate);
  WriteLittleEndian(bits);
}

void TValueWriter::WriteBinary(const void* data, std::size_t size) {
  WriteCountedBytes(TValueType::vaBinary, std::string_view(static_cast<const char*>(data), size));
}
