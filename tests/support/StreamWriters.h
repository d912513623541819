// Component streams for tests: bytes of memory streams, streams made by hand value by value, the
// records of components, and components written and read back.
#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <vector>

#include "framework/core/Component.h"
#include "framework/core/Stream.h"
#include "streaming/ComponentReader.h"
#include "streaming/ValueWriter.h"

namespace test_support {

using Bytes = std::vector<std::uint8_t>;

Bytes StreamBytes(TMemoryStream& stream);
// A memory stream holding `bytes`, at position 0.
std::unique_ptr<TMemoryStream> StreamOf(const Bytes& bytes);

// What `write` puts into a fresh stream through a value writer.
Bytes Encode(const std::function<void(TValueWriter&)>& write);
// The start of a stream made by hand: the signature, then the class and the name of its first
// record, whose properties follow.
void BeginStream(TValueWriter& writer, const String& className, const String& name);

// A record made by hand, as a document someone else wrote may hold one: the signature, the
// prefix when `flags` has any, class and name, the properties `properties` writes, no children.
Bytes HandMadeRecord(const String& className, const String& name,
                     const std::function<void(TValueWriter&)>& properties = {}, std::uint8_t flags = 0);

// `root` written as a root component: the signature and its record.
Bytes WriteRoot(TComponent* root);
// As a stage saves its controls: a signature and a record per component, written relative to
// `root`, then `listEnds` zero bytes.
Bytes ComponentRecords(TComponent* root, const std::vector<TComponent*>& components, int listEnds = 0);

// Writes `component` as a root and reads it back as a new component (its children too); null
// when what comes back is no T.
template <class T>
std::unique_ptr<T> RoundTrip(T& component) {
  auto stream = StreamOf(WriteRoot(&component));
  TComponentReader reader(*stream);
  std::unique_ptr<TComponent> copy(reader.ReadComponent(nullptr, nullptr));
  auto* typed = dynamic_cast<T*>(copy.get());
  if (!typed) return nullptr;
  copy.release();
  return std::unique_ptr<T>(typed);
}

}  // namespace test_support
