// Fuzz target: the layout compiler's input text. What it compiles must be a stream the readers
// take: a signature and one well-formed record. Files a layout names come from memory: a small
// BMP file for any name, so that the fuzzer never reaches the disk.
#include <vector>

#include "framework/core/Stream.h"
#include "framework/graphics/BmpCodec.h"
#include "fuzz/support/FuzzChecks.h"
#include "streaming/ValueReader.h"
#include "tools/layoutc/LayoutCompiler.h"

namespace {

const std::vector<std::uint8_t>& SmallBmpFile() {
  static const std::vector<std::uint8_t> file = [] {
    const bmp::DibFormat format{2, 2, 24, {}};
    const std::vector<std::uint8_t> pixels(format.ImageBytes(), 0x80);
    return bmp::Encode(format, pixels.data());
  }();
  return file;
}

void LoadFromMemory(const String&, TMemoryStream& contents) {
  const std::vector<std::uint8_t>& file = SmallBmpFile();
  contents.WriteBuffer(file.data(), static_cast<std::int64_t>(file.size()));
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  TLayoutCompiler compiler("pictures/", LoadFromMemory);
  TMemoryStream stream;
  try {
    compiler.Compile(std::string(reinterpret_cast<const char*>(data), size), stream);
  } catch (const Exception&) {
    return 0;
  }
  TValueReader compiled(stream.Memory(), static_cast<std::size_t>(stream.Size()));
  try {
    compiled.ReadSignature();
    compiled.SkipRecord();
  } catch (const Exception&) {
    fuzz_support::Require(false, "a compiled layout is a well-formed stream");
  }
  fuzz_support::Require(compiled.Remaining() == 0, "a compiled layout holds one record and nothing after it");
  return 0;
}
