/// @file
/// The abstract filer interface: what a class's DefineProperties and the framework need of the
/// component stream reader and writer. The binary implementations live in the streaming library.
#pragma once

#include <cstdint>
#include <functional>

#include "framework/core/Text.h"

class TStream;
class TReader;
class TWriter;
class TComponent;

/// The one-byte value tags of the component stream.
enum class TValueType : std::uint8_t {
  vaNull = 0,
  vaList = 1,
  vaInt8 = 2,
  vaInt16 = 3,
  vaInt32 = 4,
  vaExtended = 5,
  vaString = 6,
  vaIdent = 7,
  vaFalse = 8,
  vaTrue = 9,
  vaBinary = 10,
  vaSet = 11,
  vaLString = 12,
  vaNil = 13,
  vaCollection = 14,
  vaSingle = 15,
  vaCurrency = 16,
  vaDate = 17,
  vaWString = 18,
  vaInt64 = 19,
  vaUTF8String = 20,
};

/// What a class's DefineProperties sees of the component stream reader or writer at work.
class TFiler {
 public:
  using TReaderProc = std::function<void(TReader&)>;  ///< reads a self-streamed property's value
  using TWriterProc = std::function<void(TWriter&)>;  ///< writes a self-streamed property's value
  using TStreamProc = std::function<void(TStream&)>;  ///< reads or writes a binary property's bytes

  virtual ~TFiler() = default;

  /// A property the object streams itself under `name`. A reader calls readData when it meets the
  /// name; a writer calls writeData when hasData is true. The unused side may be empty.
  virtual void DefineProperty(const String& name, const TReaderProc& readData, const TWriterProc& writeData,
                              bool hasData) = 0;
  /// The same for a binary block: the callbacks see a stream holding just the block.
  virtual void DefineBinaryProperty(const String& name, const TStreamProc& readData, const TStreamProc& writeData,
                                    bool hasData) = 0;

  /// The component whose tree is being read or written (method names are those of its class).
  virtual TComponent* Root() const = 0;
};

/// The reading side, for the read callbacks of DefineProperty. Each Read consumes one value; a
/// value of another kind than asked for, or damaged bytes, raise EReadError. The stream is
/// untrusted: a callback checks what it reads before it uses it.
class TReader : public TFiler {
 public:
  virtual TValueType NextValue() = 0;  ///< the tag ahead, not consumed
  virtual bool ReadBoolean() = 0;  ///< a False or True tag
  virtual int ReadInteger() = 0;  ///< an integer of any width that fits 32 bits
  virtual std::int64_t ReadInt64() = 0;  ///< an integer of any width
  virtual long double ReadFloat() = 0;  ///< any floating-point tag, or an integer
  virtual String ReadString() = 0;  ///< any text tag, converted to CP932
  virtual WideString ReadWideString() = 0;  ///< any text tag, converted to UTF-16
  /// An identifier (an enumeration's or a value's name); the tags False, True, Null and Nil read
  /// as those names.
  virtual String ReadIdent() = 0;
  /// A list: ReadListBegin consumes its opening tag, EndOfList tells whether the end marker comes
  /// next, ReadListEnd consumes that marker.
  ///@{
  virtual void ReadListBegin() = 0;
  virtual bool EndOfList() = 0;
  virtual void ReadListEnd() = 0;
  ///@}
  virtual void SkipValue() = 0;  ///< passes over one whole value of any kind, nested ones included
};

/// The writing side, for the write callbacks of DefineProperty: each Write appends one value.
/// EWriteError when the stream cannot take the bytes.
class TWriter : public TFiler {
 public:
  virtual void WriteBoolean(bool value) = 0;  ///< as the False or True tag
  virtual void WriteInteger(std::int64_t value) = 0;  ///< smallest tag that holds the value
  virtual void WriteFloat(long double value) = 0;  ///< as an 80-bit Extended
  virtual void WriteString(const String& value) = 0;  ///< CP932 text
  virtual void WriteWideString(const WideString& value) = 0;  ///< UTF-16 text
  virtual void WriteIdent(const String& ident) = 0;  ///< an identifier (see TReader::ReadIdent)
  /// Opens a list, whose values follow; WriteListEnd closes it.
  ///@{
  virtual void WriteListBegin() = 0;
  virtual void WriteListEnd() = 0;
  ///@}
};
