// Component streams for tests.
#include "tests/support/StreamWriters.h"

#include "streaming/ComponentWriter.h"

namespace test_support {

Bytes StreamBytes(TMemoryStream& stream) { return Bytes(stream.Memory(), stream.Memory() + stream.Size()); }

std::unique_ptr<TMemoryStream> StreamOf(const Bytes& bytes) {
  auto stream = std::make_unique<TMemoryStream>();
  stream->WriteBuffer(bytes.data(), static_cast<std::int64_t>(bytes.size()));
  stream->SetPosition(0);
  return stream;
}

Bytes Encode(const std::function<void(TValueWriter&)>& write) {
  TMemoryStream stream;
  {
    TValueWriter writer(stream);
    write(writer);
    writer.FlushBuffer();
  }
  return StreamBytes(stream);
}

void BeginStream(TValueWriter& writer, const String& className, const String& name) {
  writer.WriteSignature();
  writer.WriteShortString(className);
  writer.WriteShortString(name);
}

Bytes HandMadeRecord(const String& className, const String& name,
                     const std::function<void(TValueWriter&)>& properties, std::uint8_t flags) {
  return Encode([&](TValueWriter& writer) {
    writer.WriteSignature();
    if (flags) writer.WritePrefix(flags, 0);
    writer.WriteShortString(className);
    writer.WriteShortString(name);
    if (properties) properties(writer);
    writer.WriteListEnd();  // properties
    writer.WriteListEnd();  // children
  });
}

Bytes WriteRoot(TComponent* root) {
  TMemoryStream stream;
  TComponentWriter writer(stream);
  writer.WriteRootComponent(root);
  writer.FlushBuffer();
  return StreamBytes(stream);
}

Bytes ComponentRecords(TComponent* root, const std::vector<TComponent*>& components, int listEnds) {
  TMemoryStream stream;
  TComponentWriter writer(stream, root);
  for (TComponent* component : components) {
    writer.WriteSignature();
    writer.WriteComponent(component);
  }
  for (int i = 0; i < listEnds; ++i) writer.WriteListEnd();
  writer.FlushBuffer();
  return StreamBytes(stream);
}

}  // namespace test_support
