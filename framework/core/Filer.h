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

class TFiler {
 public:
  using TReaderProc = std::function<void(TReader&)>;
  using TWriterProc = std::function<void(TWriter&)>;
  using TStreamProc = std::function<void(TStream&)>;

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

class TReader : public TFiler {
 public:
  virtual TValueType NextValue() = 0;  ///< the tag ahead, not consumed
  virtual bool ReadBoolean() = 0;
  virtual int ReadInteger() = 0;
  virtual std::int64_t ReadInt64() = 0;
  virtual long double ReadFloat() = 0;
  virtual String ReadString() = 0;  ///< any text tag, converted to CP932
  virtual WideString ReadWideString() = 0;
  virtual String ReadIdent() = 0;
  virtual void ReadListBegin() = 0;
  virtual bool EndOfList() = 0;
  virtual void ReadListEnd() = 0;
  virtual void SkipValue() = 0;
};

class TWriter : public TFiler {
 public:
  virtual void WriteBoolean(bool value) = 0;
  virtual void WriteInteger(std::int64_t value) = 0;  ///< smallest tag that holds the value
  virtual void WriteFloat(long double value) = 0;
  virtual void WriteString(const String& value) = 0;
  virtual void WriteWideString(const WideString& value) = 0;
  virtual void WriteIdent(const String& ident) = 0;
  virtual void WriteListBegin() = 0;
  virtual void WriteListEnd() = 0;
};
