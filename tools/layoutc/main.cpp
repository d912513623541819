// layoutc: compiles a window layout text at build time, on the build machine.
//   layoutc <layout file> <stream file> [<dependency file>]   its binary component stream; the
//                                      dependency file lists the layout and every file it names
//   layoutc --fields <layout file> <header file>   the form's fields and their binding
#include <cstdio>
#include <fstream>
#include <iterator>
#include <string_view>

#include "framework/core/Stream.h"
#include "tools/layoutc/FormFields.h"
#include "tools/layoutc/LayoutCompiler.h"

namespace {

// Paths are the build machine's (UTF-8); the compiler forms the names a layout gives in CP932.
std::string ReadFile(const std::string& path) {
  std::ifstream file(path, std::ios::binary);
  if (!file) throw Exception(Utf8ToCP932("Cannot open file \"" + path + "\""));
  return {std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>()};
}

void WriteFile(const std::string& path, std::string_view content) {
  std::ofstream file(path, std::ios::binary | std::ios::trunc);
  file.write(content.data(), static_cast<std::streamsize>(content.size()));
  if (!file.flush()) throw Exception(Utf8ToCP932("Cannot write file \"" + path + "\""));
}

std::string MakeEscaped(const std::string& path) {
  std::string escaped;
  for (char c : path) {
    if (c == ' ' || c == '#') escaped += '\\';
    escaped += c;
  }
  return escaped;
}

std::string Directory(const std::string& path) {
  const std::size_t slash = path.rfind('/');
  return slash == std::string::npos ? std::string() : path.substr(0, slash + 1);
}

TLayoutCompiler CompileFile(const std::string& layout, TMemoryStream& stream) {
  TLayoutCompiler compiler(Utf8ToCP932(Directory(layout)), [](const String& path, TMemoryStream& contents) {
    const std::string bytes = ReadFile(CP932ToUtf8(path));
    contents.WriteBuffer(bytes.data(), static_cast<std::int64_t>(bytes.size()));
  });
  compiler.Compile(ReadFile(layout), stream);
  return compiler;
}

void CompileStream(const std::string& layout, const std::string& output, const std::string& depFile) {
  TMemoryStream stream;
  const TLayoutCompiler compiler = CompileFile(layout, stream);
  WriteFile(output, {reinterpret_cast<const char*>(stream.Memory()), static_cast<std::size_t>(stream.Size())});
  if (depFile.empty()) return;
  std::string rule = MakeEscaped(output) + ": " + MakeEscaped(layout);
  for (const String& file : compiler.FilesRead()) rule.append(" ").append(MakeEscaped(CP932ToUtf8(file)));
  WriteFile(depFile, rule + "\n");
}

void WriteFields(const std::string& layout, const std::string& header) {
  TMemoryStream stream;
  const TLayoutCompiler compiler = CompileFile(layout, stream);
  WriteFile(header, FormFieldsHeader(compiler.Objects(), layout.substr(Directory(layout).size())));
}

}  // namespace

int main(int argc, char** argv) {
  const bool fields = argc == 4 && std::string_view(argv[1]) == "--fields";
  if (!fields && (argc < 3 || argc > 4)) {
    std::fputs("usage: layoutc <layout file> <stream file> [<dependency file>]\n"
                "       layoutc --fields <layout file> <header file>\n", stderr);
    return 2;
  }
  const std::string layout = argv[fields ? 2 : 1];
  try {
    if (fields) WriteFields(layout, argv[3]);
    else CompileStream(layout, argv[2], argc == 4 ? argv[3] : "");
  } catch (const Exception& e) {
    std::fprintf(stderr, "%s: error: %s\n", layout.c_str(), CP932ToUtf8(e.Message()).c_str());
    return 1;
  }
  return 0;
}
