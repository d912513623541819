// What Windows holds for a test's windows: their text and procedures, and how many windows and
// GDI objects there are, to find leaks.
#pragma once

#include <windows.h>

#include <utility>
#include <vector>

#include "framework/core/Text.h"

namespace test_support {

// The window's text as the window holds it (UTF-16).
WideString WindowText(HWND window);
// Window procedures of `root`'s window and of every window below it.
std::vector<std::pair<HWND, LONG_PTR>> WindowProcedures(HWND root);
// Windows of this thread, top-level and child.
int ThreadWindowCount();
// GDI objects of this process: GetGuiResources, or, where that is not implemented (Wine), the
// used entries of the process's GDI handle table.
long GdiObjectCount();

}  // namespace test_support
