// TValueReader: bounded decoding of tags, payloads and whole records.
#include "streaming/ValueReader.h"

#include <cstring>
#include <limits>
#include <type_traits>

#include "streaming/StreamFormat.h"

namespace {

[[noreturn]] void RaiseTruncated() { throw EReadError(messages::ReadError); }
[[noreturn]] void RaiseInvalidFormat() { throw EReadError(streammessages::InvalidFormat); }

bool IsIntegerType(TValueType type) {
  return type == TValueType::vaInt8 || type == TValueType::vaInt16 || type == TValueType::vaInt32 ||
         type == TValueType::vaInt64;
}

}  // namespace

void RaisePropertyValueError() { throw EReadError(messages::InvalidPropertyValue); }

TValueReader::TValueReader(const std::uint8_t* data, std::size_t size) : data_(data), size_(size) {}

void TValueReader::SetPosition(std::size_t position) {
  if (position > size_) RaiseTruncated();
  position_ = position;
}

void TValueReader::Need(std::size_t count) const {
  if (count > Remaining()) RaiseTruncated();
}

std::uint8_t TValueReader::PeekByte() const {
  Need(1);
  return data_[position_];
}

std::uint8_t TValueReader::ReadByte() {
  Need(1);
  return data_[position_++];
}

std::string_view TValueReader::ReadBytes(std::size_t count) {
  Need(count);
  std::string_view bytes(reinterpret_cast<const char*>(data_ + position_), count);
  position_ += count;
  return bytes;
}

template <class T>
T TValueReader::ReadLittleEndian() {
  using U = std::make_unsigned_t<T>;
  Need(sizeof(T));
  U bits = 0;
  for (std::size_t i = sizeof(T); i-- > 0;) bits = static_cast<U>((bits << 8) | data_[position_ + i]);
  position_ += sizeof(T);
  return static_cast<T>(bits);
}

std::uint32_t TValueReader::ReadUInt32() { return ReadLittleEndian<std::uint32_t>(); }

std::size_t TValueReader::ReadCountedLength(std::size_t unitSize) {
  const std::uint64_t bytes = std::uint64_t{ReadUInt32()} * unitSize;
  if (bytes > Remaining()) RaiseTruncated();
  return static_cast<std::size_t>(bytes);
}

// ---- Structure ----

void TValueReader::ReadSignature() {
  if (Remaining() < sizeof streamformat::Signature ||
      std::memcmp(data_ + position_, streamformat::Signature, sizeof streamformat::Signature) != 0)
    RaiseInvalidFormat();
  position_ += sizeof streamformat::Signature;
}

void TValueReader::ReadListEnd() {
  if (ReadByte() != 0) RaiseInvalidFormat();
}

String TValueReader::ReadShortString() {
  const std::size_t length = ReadByte();
  return String(ReadBytes(length));
}

void TValueReader::ReadPrefix(std::uint8_t& flags, int& childPos) {
  flags = 0;
  childPos = -1;
  if (PeekByte() < streamformat::PrefixMark) return;
  flags = ReadByte() & 0x0F;
  if ((flags & ~streamformat::AllFilerFlags) != 0) RaiseInvalidFormat();
  if (flags & streamformat::ffChildPos) {
    if (!IsIntegerType(NextValue())) RaiseInvalidFormat();
    const std::int64_t position = ReadInt64();
    if (position < 0 || position > std::numeric_limits<int>::max()) RaiseInvalidFormat();
    childPos = static_cast<int>(position);
  }
}

TValueType TValueReader::NextValue() const {
  const std::uint8_t tag = PeekByte();
  if (tag > streamformat::LastValueType) RaiseInvalidFormat();
  return static_cast<TValueType>(tag);
}

TValueType TValueReader::ReadValueType() {
  const TValueType type = NextValue();
  ++position_;
  return type;
}

// ---- Values ----

std::int64_t TValueReader::ReadInt64() {
  switch (ReadValueType()) {
    case TValueType::vaInt8: return ReadLittleEndian<std::int8_t>();
    case TValueType::vaInt16: return ReadLittleEndian<std::int16_t>();
    case TValueType::vaInt32: return ReadLittleEndian<std::int32_t>();
    case TValueType::vaInt64: return ReadLittleEndian<std::int64_t>();
    default: RaisePropertyValueError();
  }
}

int TValueReader::ReadInteger() {
  const std::int64_t value = ReadInt64();
  if (value < std::numeric_limits<int>::min() || value > std::numeric_limits<int>::max()) RaisePropertyValueError();
  return static_cast<int>(value);
}

bool TValueReader::ReadBoolean() {
  switch (ReadValueType()) {
    case TValueType::vaFalse: return false;
    case TValueType::vaTrue: return true;
    default: RaisePropertyValueError();
  }
}

WideString TValueReader::ReadWideChars() {
  const std::size_t bytes = ReadCountedLength(2);
  WideString text(bytes / 2, L'\0');
  for (wchar_t& c : text) c = static_cast<wchar_t>(ReadLittleEndian<std::uint16_t>());
  return text;
}

String TValueReader::ReadTextOfType(TValueType type) {
  switch (type) {
    case TValueType::vaString: return ReadShortString();
    case TValueType::vaLString: return String(ReadBytes(ReadCountedLength(1)));
    case TValueType::vaUTF8String: return Utf8ToCP932(std::string(ReadBytes(ReadCountedLength(1))));
    case TValueType::vaWString: return WideToCP932(ReadWideChars());
    default: RaisePropertyValueError();
  }
}

String TValueReader::ReadText() { return ReadTextOfType(ReadValueType()); }

WideString TValueReader::ReadWideText() {
  switch (const TValueType type = ReadValueType()) {
    case TValueType::vaWString: return ReadWideChars();
    case TValueType::vaUTF8String: return Utf8ToWide(std::string(ReadBytes(ReadCountedLength(1))));
    default: return CP932ToWide(ReadTextOfType(type));
  }
}

String TValueReader::ReadIdent() {
  switch (ReadValueType()) {
    case TValueType::vaIdent: return ReadShortString();
    case TValueType::vaFalse: return "False";
    case TValueType::vaTrue: return "True";
    case TValueType::vaNull: return "Null";
    case TValueType::vaNil: return "nil";
    default: RaisePropertyValueError();
  }
}

std::vector<String> TValueReader::ReadSet() {
  if (ReadValueType() != TValueType::vaSet) RaisePropertyValueError();
  std::vector<String> members;
  for (String member = ReadShortString(); !member.empty(); member = ReadShortString()) members.push_back(member);
  return members;
}

long double TValueReader::ReadFloat() {
  switch (const TValueType type = NextValue()) {
    case TValueType::vaExtended: {
      ++position_;
      const std::string_view bytes = ReadBytes(10);
      long double value = 0;
      std::memcpy(&value, bytes.data(), bytes.size());
      return value;
    }
    case TValueType::vaSingle: {
      ++position_;
      const std::uint32_t bits = ReadLittleEndian<std::uint32_t>();
      float value;
      std::memcpy(&value, &bits, sizeof value);
      return value;
    }
    case TValueType::vaDate: {
      ++position_;
      const std::uint64_t bits = ReadLittleEndian<std::uint64_t>();
      double value;
      std::memcpy(&value, &bits, sizeof value);
      return value;
    }
    case TValueType::vaCurrency:
      ++position_;
      return static_cast<long double>(ReadLittleEndian<std::int64_t>()) / 10000;
    default:
      if (IsIntegerType(type)) return static_cast<long double>(ReadInt64());
      ++position_;
      RaisePropertyValueError();
  }
}

void TValueReader::ReadListBegin() {
  if (ReadValueType() != TValueType::vaList) RaisePropertyValueError();
}

std::string_view TValueReader::ReadBinary() {
  if (ReadValueType() != TValueType::vaBinary) RaisePropertyValueError();
  return ReadBytes(ReadCountedLength(1));
}

// ---- Skipping ----

void TValueReader::SkipValue(int depth) {
  if (depth > streamformat::MaxValueDepth) throw EReadError(Format(streammessages::TooDeep, streamformat::MaxValueDepth));
  switch (ReadValueType()) {
    case TValueType::vaNull:
    case TValueType::vaFalse:
    case TValueType::vaTrue:
    case TValueType::vaNil:
      return;
    case TValueType::vaList:
      while (!AtListEnd()) SkipValue(depth + 1);
      ReadListEnd();
      return;
    case TValueType::vaInt8: ReadBytes(1); return;
    case TValueType::vaInt16: ReadBytes(2); return;
    case TValueType::vaInt32:
    case TValueType::vaSingle:
      ReadBytes(4);
      return;
    case TValueType::vaInt64:
    case TValueType::vaCurrency:
    case TValueType::vaDate:
      ReadBytes(8);
      return;
    case TValueType::vaExtended: ReadBytes(10); return;
    case TValueType::vaString:
    case TValueType::vaIdent:
      ReadShortString();
      return;
    case TValueType::vaBinary:
    case TValueType::vaLString:
    case TValueType::vaUTF8String:
      ReadBytes(ReadCountedLength(1));
      return;
    case TValueType::vaWString: ReadBytes(ReadCountedLength(2)); return;
    case TValueType::vaSet:
      while (!ReadShortString().empty()) {
      }
      return;
    case TValueType::vaCollection: SkipCollection(depth + 1); return;
  }
}

// Each item: an optional order index, then its property entries as a list.
void TValueReader::SkipCollection(int depth) {
  while (!AtListEnd()) {
    if (IsIntegerType(NextValue())) ReadInt64();
    if (ReadValueType() != TValueType::vaList) RaiseInvalidFormat();
    while (!AtListEnd()) {
      ReadShortString();
      SkipValue(depth + 1);
    }
    ReadListEnd();
  }
  ReadListEnd();
}

void TValueReader::SkipRecord(int depth, const TRecordVisitor& visitRecord) {
  if (depth > streamformat::MaxRecordDepth)
    throw EReadError(Format(streammessages::TooDeep, streamformat::MaxRecordDepth));
  std::uint8_t flags;
  int childPos;
  ReadPrefix(flags, childPos);
  const String className = ReadShortString();
  if (className.empty()) RaiseInvalidFormat();
  const String name = ReadShortString();
  if (visitRecord) visitRecord(className, name, flags, depth);
  while (!AtListEnd()) {
    ReadShortString();
    SkipValue(0);
  }
  ReadListEnd();
  while (!AtListEnd()) SkipRecord(depth + 1, visitRecord);
  ReadListEnd();
}
