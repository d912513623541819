/// @file
/// TValueReader: decodes the tagged values of the component stream from bytes in memory. Every
/// length and count is checked against the bytes actually present, and nesting is bounded, so a
/// damaged stream ends in EReadError, never in a crash, a hang or an oversized allocation.
#pragma once

#include <cstdint>
#include <functional>
#include <string_view>
#include <vector>

#include "framework/core/Filer.h"
#include "framework/core/Text.h"

/// The decoder of component stream values over bytes in memory. Reading past the end raises
/// EReadError "Stream read error".
class TValueReader {
 public:
  /// The bytes are not owned and must outlive the reader.
  TValueReader(const std::uint8_t* data, std::size_t size);

  std::size_t Position() const { return position_; }  ///< offset of the next byte to read
  void SetPosition(std::size_t position);  ///< EReadError beyond the end
  std::size_t Size() const { return size_; }  ///< number of bytes in all
  std::size_t Remaining() const { return size_ - position_; }  ///< bytes after the position

  // ---- Structure (EReadError "Invalid stream format" when the bytes do not fit) ----
  void ReadSignature();  ///< the four signature bytes
  std::uint8_t PeekByte() const;  ///< the next byte, not consumed
  std::uint8_t ReadByte();  ///< the next byte
  bool AtListEnd() const { return PeekByte() == 0; }  ///< whether the end marker (a zero byte) comes next
  void ReadListEnd();  ///< the end marker
  String ReadShortString();  ///< a length byte and that many bytes
  /// The optional record prefix: flags 0 when there is none; childPos only with ffChildPos.
  void ReadPrefix(std::uint8_t& flags, int& childPos);
  /// The tag ahead (NextValue leaves it, ReadValueType consumes it); a byte that is no tag is
  /// invalid format.
  ///@{
  TValueType NextValue() const;
  TValueType ReadValueType();
  ///@}

  // ---- Values of a requested kind ----
  /// A tag that cannot carry the kind raises EReadError "不正なプロパティの値です"; the tag
  /// has then been consumed (callers that go on restore the position themselves).
  std::int64_t ReadInt64();   ///< Int8, Int16, Int32, Int64
  int ReadInteger();          ///< the same, within 32 bits
  bool ReadBoolean();         ///< False, True
  String ReadText();          ///< String, LString, UTF8String, WString, as CP932
  WideString ReadWideText();  ///< the same four, as UTF-16
  String ReadIdent();         ///< Ident; False, True, Null and Nil give their names
  std::vector<String> ReadSet();  ///< Set: the names of its members
  long double ReadFloat();  ///< Extended, Single, Date, Currency, or an integer
  void ReadListBegin();     ///< List
  /// Binary: the payload as a view into the reader's bytes.
  std::string_view ReadBinary();

  // ---- Skipping ----
  /// One whole value of any tag, nested lists, sets, collections and payloads included.
  void SkipValue() { SkipValue(0); }
  /// Sees a record's class name, component name, prefix flags and nesting depth (0 for the
  /// record SkipRecord was asked to skip).
  using TRecordVisitor =
      std::function<void(const String& className, const String& name, std::uint8_t flags, int depth)>;
  /// One component record: prefix, names, property entries and child records. visitRecord, when
  /// given, sees each record's class name, component name, prefix flags and nesting depth (0 for
  /// this record).
  void SkipRecord(const TRecordVisitor& visitRecord = {}) { SkipRecord(0, visitRecord); }

  // ---- Raw little-endian pieces ----
  std::uint32_t ReadUInt32();  ///< four bytes, little-endian
  /// The next `count` bytes as a view into the reader's bytes.
  std::string_view ReadBytes(std::size_t count);

 private:
  void SkipValue(int depth);
  void SkipRecord(int depth, const TRecordVisitor& visitRecord);
  void SkipCollection(int depth);
  template <class T>
  T ReadLittleEndian();
  void Need(std::size_t count) const;
  /// A 4-byte length followed by that many units of unitSize bytes; returns the byte count.
  std::size_t ReadCountedLength(std::size_t unitSize);
  String ReadTextOfType(TValueType type);
  WideString ReadWideChars();

  const std::uint8_t* data_;
  std::size_t size_;
  std::size_t position_ = 0;
};

/// Raised for a value whose tag cannot carry the requested kind.
[[noreturn]] void RaisePropertyValueError();
