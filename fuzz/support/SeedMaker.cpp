// seed_maker: the seed corpora of the stream fuzz targets, made from the project's real layouts.
//   seed_maker <source root> <seed folder> <layout file>...
// Each layout compiled is a component stream; the page's stage children become a stage file, a
// stage stream and a clipboard block, framed as the designer writes them. The page's stage with
// each hostile document added is a stage stream and a clipboard block as well.
#include <filesystem>
#include <fstream>
#include <iostream>
#include <iterator>
#include <vector>

#include "framework/core/Stream.h"
#include "fuzz/support/ComicFiles.h"
#include "streaming/ClipboardBlock.h"
#include "streaming/ValueReader.h"
#include "tests/support/HostileDocuments.h"
#include "tools/layoutc/LayoutCompiler.h"

namespace {

namespace fs = std::filesystem;
using Bytes = std::vector<std::uint8_t>;

Bytes ReadFile(const fs::path& path) {
  std::ifstream in(path, std::ios::binary);
  if (!in) throw Exception("cannot read " + path.string());
  return Bytes(std::istreambuf_iterator<char>(in), {});
}

void WriteFile(const fs::path& path, const Bytes& bytes) {
  fs::create_directories(path.parent_path());
  std::ofstream out(path, std::ios::binary);
  out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
  if (!out) throw Exception("cannot write " + path.string());
}

Bytes Compile(const fs::path& layout) {
  const Bytes text = ReadFile(layout);
  TLayoutCompiler compiler(layout.parent_path().string() + "/", [](const String& path, TMemoryStream& contents) {
    const Bytes file = ReadFile(path);
    contents.WriteBuffer(file.data(), static_cast<std::int64_t>(file.size()));
  });
  TMemoryStream stream;
  compiler.Compile(std::string(text.begin(), text.end()), stream);
  return Bytes(stream.Memory(), stream.Memory() + stream.Size());
}

// The child records of the record at the reader's position, each as its bytes; `name` and
// `className` of that record are returned too. Leaves the reader after the record.
std::vector<Bytes> ChildRecords(const Bytes& stream, TValueReader& reader, String& name) {
  std::uint8_t flags;
  int childPos;
  reader.ReadPrefix(flags, childPos);
  reader.ReadShortString();
  name = reader.ReadShortString();
  while (!reader.AtListEnd()) {
    reader.ReadShortString();
    reader.SkipValue();
  }
  reader.ReadListEnd();
  std::vector<Bytes> children;
  while (!reader.AtListEnd()) {
    const std::size_t start = reader.Position();
    reader.SkipRecord();
    children.emplace_back(stream.begin() + static_cast<std::ptrdiff_t>(start),
                          stream.begin() + static_cast<std::ptrdiff_t>(reader.Position()));
  }
  reader.ReadListEnd();
  return children;
}

// The records of the page's stage (the form's child named DsnStage1).
std::vector<Bytes> StageRecords(const Bytes& page) {
  TValueReader reader(page.data(), page.size());
  reader.ReadSignature();
  String name;
  for (const Bytes& child : ChildRecords(page, reader, name)) {
    TValueReader childReader(child.data(), child.size());
    std::vector<Bytes> records = ChildRecords(child, childReader, name);
    if (name == "DsnStage1") return records;
  }
  throw Exception("the page has no DsnStage1");
}

// Signature and record for each of `records`, then `ends` list-end bytes.
Bytes Framed(const std::vector<Bytes>& records, std::size_t ends) {
  Bytes out;
  for (const Bytes& record : records) {
    out.insert(out.end(), {'T', 'P', 'F', '0'});
    out.insert(out.end(), record.begin(), record.end());
  }
  out.insert(out.end(), ends, 0);
  return out;
}

Bytes ClipboardBlock(const Bytes& stream) {
  const auto length = static_cast<std::uint32_t>(stream.size());
  Bytes block(clipboard_block::kHeaderSize);
  for (std::size_t i = 0; i < block.size(); ++i) block[i] = std::uint8_t(length >> (8 * i));
  block.insert(block.end(), stream.begin(), stream.end());
  return block;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 4) {
    std::cerr << "usage: seed_maker <source root> <seed folder> <layout file>...\n";
    return 2;
  }
  try {
    const fs::path seeds = argv[2];
    for (int i = 3; i < argc; ++i) {
      const fs::path layout = fs::path(argv[1]) / argv[i];
      const Bytes page = Compile(layout);
      WriteFile(seeds / "component_stream" / (layout.stem().string() + ".stream"), page);
      if (layout.stem() != "MainForm1") continue;
      const std::vector<Bytes> stage = StageRecords(page);
      WriteFile(seeds / "stage_file" / "page-stage.file", Framed(stage, stage.size()));
      WriteFile(seeds / "stage_file" / "page-stage.stream", Framed(stage, 1));
      WriteFile(seeds / "clipboard_block" / "page-stage.block", ClipboardBlock(Framed(stage, 1)));
      const std::vector<Bytes> first(stage.begin(), stage.begin() + std::min<std::ptrdiff_t>(3, stage.size()));
      WriteFile(seeds / "clipboard_block" / "three-controls.block", ClipboardBlock(Framed(first, 1)));
      WriteFile(seeds / "comic_segments" / "page-stage.jpg", fuzz_support::HeaderWithSegments(Framed(stage, 1)));
      int n = 0;
      for (const test_support::THostileDocument& hostile : test_support::HostileDocuments("Software\\Run", "a.ini")) {
        Bytes stream = Framed(stage, 0);
        for (const Bytes& record : hostile.records) stream.insert(stream.end(), record.begin(), record.end());
        stream.push_back(0);
        const std::string name = "hostile-" + std::to_string(++n);
        WriteFile(seeds / "stage_file" / (name + ".stream"), stream);
        WriteFile(seeds / "clipboard_block" / (name + ".block"), ClipboardBlock(stream));
      }
    }
  } catch (const std::exception& e) {
    std::cerr << "seed_maker: " << e.what() << "\n";
    return 1;
  }
  return 0;
}
