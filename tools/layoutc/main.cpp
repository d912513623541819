// layoutc: compiles a window layout text into its binary component stream at build time.
//   layoutc <layout file> <stream file> [<dependency file>]
// The dependency file lists the layout and every file it names, for the build to track.
#include <cstdio>

#include "framework/core/Stream.h"
#include "tools/layoutc/LayoutCompiler.h"

namespace {

void WriteFile(const String& fileName, const std::string& content) {
  TFileStream file(fileName, fmCreate);
  file.WriteBuffer(content.data(), static_cast<std::int64_t>(content.size()));
}

std::string MakeEscaped(const String& path) {
  std::string escaped;
  for (char c : path) {
    if (c == ' ' || c == '#') escaped += '\\';
    escaped += c;
  }
  return escaped;
}

}  // namespace

int main() {
  const String input = ParamStr(1);
  const String output = ParamStr(2);
  const String depFile = ParamStr(3);
  if (input.empty() || output.empty()) {
    std::fputs("usage: layoutc <layout file> <stream file> [<dependency file>]\n", stderr);
    return 2;
  }
  try {
    TMemoryStream source;
    source.LoadFromFile(input);
    const std::string text(reinterpret_cast<const char*>(source.Memory()), static_cast<std::size_t>(source.Size()));
    TLayoutCompiler compiler(ExtractFilePath(input));
    TMemoryStream stream;
    compiler.Compile(text, stream);
    stream.SaveToFile(output);
    if (!depFile.empty()) {
      std::string rule = MakeEscaped(output) + ": " + MakeEscaped(input);
      for (const String& file : compiler.FilesRead()) rule.append(" ").append(MakeEscaped(file));
      WriteFile(depFile, rule + "\n");
    }
  } catch (const Exception& e) {
    std::fprintf(stderr, "%s: error: %s\n", CP932ToUtf8(input).c_str(), CP932ToUtf8(e.Message()).c_str());
    return 1;
  }
  return 0;
}
