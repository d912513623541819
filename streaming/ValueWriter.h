/// @file
/// TValueWriter: encodes the tagged values of the component stream into a buffer that goes to a
/// TStream. The component writer and the build-time layout compiler both write through it.
#pragma once

#include <cstdint>
#include <string_view>
#include <vector>

#include "framework/core/Exception.h"
#include "framework/core/Filer.h"
#include "framework/core/Text.h"

class TStream;

/// The encoder of component stream values. Bytes are collected in a buffer of about bufferSize
/// bytes and passed on to the stream when it is full, by FlushBuffer and by the destructor.
class TValueWriter {
 public:
  /// Writes at the stream's current position; the stream is not owned.
  explicit TValueWriter(TStream& stream, std::size_t bufferSize = 4096);
  /// Passes what is still buffered on to the stream. A failure there cannot be reported from a
  /// destructor: call FlushBuffer first whenever a failed write matters.
  ~TValueWriter();
  TValueWriter(const TValueWriter&) = delete;
  TValueWriter& operator=(const TValueWriter&) = delete;

  /// EWriteError when the stream takes fewer bytes.
  void FlushBuffer();
  /// The stream written to; flush before using it directly.
  TStream& Stream() { return stream_; }

  // ---- Structure ----
  void WriteSignature();  ///< the four signature bytes
  /// The record prefix byte, and the child position after it when ffChildPos is among flags.
  void WritePrefix(std::uint8_t flags, int childPos);
  /// One length byte and the bytes; EWriteError over 255 bytes.
  void WriteShortString(std::string_view text);
  void WriteValueType(TValueType type);  ///< one tag byte; the value's bytes are the caller's
  /// The zero byte that ends property entries, child records, lists, sets and collections.
  void WriteListEnd();
  /// The tag that opens a list or a collection; WriteListEnd closes it.
  ///@{
  void WriteListBegin() { WriteValueType(TValueType::vaList); }
  void WriteCollectionBegin() { WriteValueType(TValueType::vaCollection); }
  ///@}

  // ---- Values ----
  void WriteInteger(std::int64_t value);  ///< Int8, Int16, Int32 or Int64: the smallest that holds it
  void WriteBoolean(bool value);  ///< the tag False or True
  /// 8-bit text: String or LString when it is plain ASCII, UTF8String otherwise.
  void WriteText(const String& text);
  /// Wide text: as 8-bit text when its UTF-8 form is shorter than two bytes a character,
  /// otherwise WString.
  void WriteWideText(const WideString& text);
  void WriteWString(const WideString& text);  ///< always WString
  /// Ident, or the tags False, True, Null and Nil for those four names (any letter case).
  void WriteIdent(std::string_view ident);
  /// Set: the names of its members (empty names are left out); EWriteError for a name over 255 bytes.
  void WriteSet(const std::vector<String>& members);
  void WriteFloat(long double value);  ///< Extended, 80 bits
  void WriteSingle(float value);  ///< Single, 32 bits
  void WriteCurrency(std::int64_t tenThousandths);  ///< Currency: a fixed-point amount in units of 1/10000
  void WriteDate(double days);  ///< Date: a number of days as a 64-bit double
  /// Binary: a 4-byte length and the bytes; EWriteError over 2 GB.
  void WriteBinary(const void* data, std::size_t size);
  void WriteNil() { WriteValueType(TValueType::vaNil); }  ///< Nil: no object
  void WriteNull() { WriteValueType(TValueType::vaNull); }  ///< Null: no value

  /// Raw little-endian pieces, for payloads whose inner layout the caller knows.
  ///@{
  void WriteBytes(const void* data, std::size_t size);
  void WriteUInt32(std::uint32_t value);
  ///@}

 private:
  void WriteByte(std::uint8_t value);
  template <class T>
  void WriteLittleEndian(T value);
  void WriteCountedBytes(TValueType type, std::string_view bytes);  ///< 4-byte length form
  void WriteEightBitText(std::string_view bytes);                    ///< String or LString

  TStream& stream_;
  std::vector<std::uint8_t> buffer_;
  std::size_t bufferLimit_;
};
