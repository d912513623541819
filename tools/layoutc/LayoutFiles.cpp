// TLayoutCompiler reading the files a layout names from disk (kept apart: the native fuzz build
// has no file streams).
#include "framework/core/Stream.h"
#include "tools/layoutc/LayoutCompiler.h"

TLayoutCompiler::TLayoutCompiler(String baseDir)
    : TLayoutCompiler(std::move(baseDir), [](const String& path, TMemoryStream& contents) {
        contents.LoadFromFile(path);
      }) {}
