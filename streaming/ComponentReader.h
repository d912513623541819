/// @file
/// TComponentReader: reads component records back into components, with the hooks through which
/// the designer renames, skips bad properties and binds event handlers.
///
/// Every read is all or nothing: the whole stream is checked (structure, nesting, lengths, that
/// every class is registered) before anything is created, and when reading still fails, every
/// component this read created is destroyed before the error passes on. References and event
/// bindings are resolved after the whole tree is read; then each component read gets Loaded, in
/// the order the records came.
#pragma once

#include <functional>
#include <optional>
#include <span>
#include <vector>

#include "framework/core/Component.h"
#include "framework/core/Filer.h"
#include "streaming/DocumentRules.h"
#include "streaming/ValueReader.h"

/// Reads component records from a stream into components: whole components, or the values a
/// DefineProperties callback asks for while a read is under way (outside a read, the TReader
/// functions raise EInvalidOperation). See the file documentation for what a failed read leaves
/// behind.
class TComponentReader : public TReader {
 public:
  /// May change `name` before the component takes it (a unique name for a pasted control).
  using TSetNameEvent = std::function<void(TReader* reader, TComponent* component, String& name)>;
  /// A property could not be read; setting `handled` skips it and reading goes on.
  using TReadErrorEvent = std::function<void(TReader* reader, const String& message, bool& handled)>;
  /// An event binding: `code` holds the root's published method of that name (null and `error`
  /// true when there is none); the hook may supply another, or clear both to leave it empty.
  using TFindMethodEvent =
      std::function<void(TReader* reader, const String& methodName, const TMethodCode*& code, bool& error)>;

  /// Reads from the stream's current position; afterwards the stream stands just after the bytes
  /// that were read (unchanged after a failure). The stream is not owned.
  explicit TComponentReader(TStream& stream);

  TSetNameEvent OnSetName;  ///< empty: components take the names read
  TReadErrorEvent OnError;  ///< empty: a property that cannot be read fails the whole read
  TFindMethodEvent OnFindMethod;  ///< empty: a handler the root does not publish fails the read (unless OnError handles it)
  /// Whose published methods events bind to; the root of the read when null.
  TComponent* MethodRoot = nullptr;

  /// Every read from now on is of a document under `rules` (not owned; they outlive the reader).
  /// What they refuse raises EDocumentRefused, which OnError never sees.
  void ReadAsDocument(const TDocumentRules& rules) { rules_ = &rules; }

  // ---- Whole components ----
  /// The signature and one record: a new component owned by `owner` and parented to `parent`.
  /// Without an owner the component is its own root, owns its children, and the caller owns it.
  TComponent* ReadComponent(TComponent* owner, TComponent* parent);
  /// The signature and one record read into `root` itself (a form reading its stored layout): the
  /// record's class must be root's; its children are created owned by root. Root takes the name
  /// read only when it has none. After a failure root keeps the property values read so far.
  void ReadRootComponent(TComponent* root);
  /// Signature and record after signature and record until a zero byte (stage files, the
  /// clipboard). `proc`, when given, sees each top-level component once all are loaded.
  void ReadComponents(TComponent* owner, TComponent* parent, const std::function<void(TComponent*)>& proc = {});
  /// Checks, from the current position, what ReadComponents would read — structure, lengths,
  /// nesting, registered classes — without creating anything or moving the stream.
  void CheckComponents();

  // ---- TFiler ----
  void DefineProperty(const String& name, const TReaderProc& readData, const TWriterProc& writeData,
                      bool hasData) override;
  void DefineBinaryProperty(const String& name, const TStreamProc& readData, const TStreamProc& writeData,
                            bool hasData) override;
  TComponent* Root() const override { return root_; }

  // ---- TReader: values for DefineProperties callbacks (only while a read is under way) ----
  TValueType NextValue() override { return Values().NextValue(); }
  bool ReadBoolean() override { return Values().ReadBoolean(); }
  int ReadInteger() override { return Values().ReadInteger(); }
  std::int64_t ReadInt64() override { return Values().ReadInt64(); }
  long double ReadFloat() override { return Values().ReadFloat(); }
  String ReadString() override { return Values().ReadText(); }
  WideString ReadWideString() override { return Values().ReadWideText(); }
  String ReadIdent() override { return Values().ReadIdent(); }
  void ReadListBegin() override { Values().ReadListBegin(); }
  bool EndOfList() override { return Values().AtListEnd(); }
  void ReadListEnd() override { Values().ReadListEnd(); }
  void SkipValue() override { Values().SkipValue(); }

 private:
  /// What a read call has found and must finish or undo.
  struct TReferenceFixup {
    TObject* Instance;
    const TPropInfo* Prop;
    String Name;
    TComponent* Root;
  };
  /// What a read call expects: one new component, one record read into an existing root, or a list.
  enum class TReadShape { Component, Root, List };

  /// Loads the bytes, checks them, runs `read`, resolves, calls Loaded; undoes on failure.
  void Transact(TReadShape shape, const std::function<void()>& read);
  void LoadBytes();
  void CheckShape(TReadShape shape) const;
  void Finish();
  void Rollback() noexcept;
  void Reset();

  TValueReader& Values();
  TComponent* ReadRecord(TComponent* owner, TComponent* parent);
  TComponent* CreateComponent(const String& className, TComponent* owner);
  void BeginLoading(TComponent* component);
  void NameComponent(TComponent* component, const String& name);
  void ReadRecordBody(TComponent* component);
  void ReadProperties(TComponent* component);
  void ReadProperty(TPersistent* instance, const String& path);
  void ReadPropValue(TPersistent* instance, const TPropInfo& prop);
  void SetOrdinal(TPersistent* instance, const TPropInfo& prop, std::int64_t value);
  String ReadReferenceName();
  /// Passes a property failure to OnError; true when the hook handled it.
  bool Handled(const Exception& error);
  /// A document's pictures may decode to so many pixels more.
  void ChargePixels(std::span<const std::uint8_t> data);
  TComponent* CreatedNamed(const String& name) const;
  void ResolveReferences();
  void BindEvents();

  TStream& stream_;
  const TDocumentRules* rules_ = nullptr;
  std::uint64_t pixelsCharged_ = 0;
  std::vector<std::uint8_t> ownBytes_;  ///< a copy of the stream's rest, unless it is in memory
  const std::uint8_t* bytes_ = nullptr;
  std::size_t byteCount_ = 0;
  std::optional<TValueReader> values_;

  TComponent* root_ = nullptr;
  std::vector<TComponent*> created_;  ///< by this read, in creation order
  std::vector<TComponent*> loading_;  ///< created or found, in record order; Loaded in this order
  std::vector<TReferenceFixup> references_;
  std::vector<TReferenceFixup> events_;
  const String* pendingName_ = nullptr;  ///< self-streamed property being looked for
  const TPersistent* pendingInstance_ = nullptr;  ///< and whose
  bool pendingFound_ = false;
};
