/// @file
/// TComponentWriter: writes components with their published and self-streamed properties and
/// their children as records of the component stream.
#pragma once

#include <functional>

#include "framework/core/Component.h"
#include "framework/core/Filer.h"
#include "streaming/ValueWriter.h"

/// Writes components as records of the component stream, through a buffer (see TValueWriter).
/// Failures of the stream raise EWriteError.
class TComponentWriter : public TWriter {
 public:
  /// References and event names are written relative to `root` (the form). Without a root, each
  /// component written is the root of its own record. Neither the stream nor the root is owned.
  explicit TComponentWriter(TStream& stream, TComponent* root = nullptr, std::size_t bufferSize = 4096);
  /// Flushes what is still buffered; see TValueWriter::~TValueWriter.
  ~TComponentWriter() override = default;

  // ---- Whole components ----
  /// The signature, then the record of `root`, which becomes the writer's root.
  void WriteRootComponent(TComponent* root);
  void WriteSignature() { values_.WriteSignature(); }  ///< the stream's signature, before the first record
  /// One record: class name, name, non-default properties, then the children the component
  /// reports (GetChildren), each a record of its own.
  void WriteComponent(TComponent* component);
  /// Passes the buffered bytes on to the stream; EWriteError when it takes fewer.
  void FlushBuffer() { values_.FlushBuffer(); }
  /// The encoder, for writing values no component holds.
  TValueWriter& Values() { return values_; }

  /// Asked before each property that has something to write, with the component being written,
  /// the object that holds or streams the property and the property's path ("Left", "Font.Name",
  /// "Picture.Data"): it may write the entry itself through Values(), or leave it out, and then
  /// returns true.
  using TPropertyHook =
      std::function<bool(TComponentWriter& writer, TComponent* component, TPersistent* instance, const String& path)>;
  TPropertyHook OnProperty;  ///< empty: every property is written as usual

  // ---- TFiler ----
  void DefineProperty(const String& name, const TReaderProc& readData, const TWriterProc& writeData,
                      bool hasData) override;
  void DefineBinaryProperty(const String& name, const TStreamProc& readData, const TStreamProc& writeData,
                            bool hasData) override;
  TComponent* Root() const override { return root_; }

  // ---- TWriter ----
  void WriteBoolean(bool value) override { values_.WriteBoolean(value); }
  void WriteInteger(std::int64_t value) override { values_.WriteInteger(value); }
  void WriteFloat(long double value) override { values_.WriteFloat(value); }
  void WriteString(const String& value) override { values_.WriteText(value); }
  void WriteWideString(const WideString& value) override { values_.WriteWideText(value); }
  void WriteIdent(const String& ident) override { values_.WriteIdent(ident); }
  void WriteListBegin() override { values_.WriteListBegin(); }
  void WriteListEnd() override { values_.WriteListEnd(); }

 private:
  void WriteRecord(TComponent* component, int depth);
  /// Published properties of `instance`, then the ones it streams itself; names get `prefix`
  /// ("Font." for the properties of a font).
  void WriteProperties(TPersistent* instance, const String& prefix, int depth);
  void WriteProperty(TPersistent* instance, const TPropInfo& prop, const String& prefix, int depth);
  void WriteOrdinal(const TTypeInfo& type, std::int64_t value);
  /// How a reference to `component` is named from the root; empty when it cannot be named.
  String ReferenceName(TComponent* component) const;

  TValueWriter values_;
  TComponent* root_;
  String definePrefix_;  ///< name prefix for DefineProperties of the object being written
  TPersistent* defineInstance_ = nullptr;  ///< the object whose DefineProperties is running
  TComponent* component_ = nullptr;        ///< the record being written
};
