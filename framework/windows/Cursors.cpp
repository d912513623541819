// The cursor names and the system cursor behind each cr… number.
#include "framework/windows/Cursors.h"

#include <vector>

namespace {

struct TCursorEntry {
  TCursor Cursor;
  const char* Name;
  const wchar_t* SystemCursor;  // an IDC_ resource of the system, or null for none
};

const TCursorEntry kCursors[] = {
    {crDefault, "crDefault", IDC_ARROW},
    {crNone, "crNone", nullptr},
    {crArrow, "crArrow", IDC_ARROW},
    {crCross, "crCross", IDC_CROSS},
    {crIBeam, "crIBeam", IDC_IBEAM},
    {crSizeNESW, "crSizeNESW", IDC_SIZENESW},
    {crSizeNS, "crSizeNS", IDC_SIZENS},
    {crSizeNWSE, "crSizeNWSE", IDC_SIZENWSE},
    {crSizeWE, "crSizeWE", IDC_SIZEWE},
    {crUpArrow, "crUpArrow", IDC_UPARROW},
    {crHourGlass, "crHourGlass", IDC_WAIT},
    {crDrag, "crDrag", IDC_ARROW},
    {crNoDrop, "crNoDrop", IDC_NO},
    {crHSplit, "crHSplit", IDC_SIZEWE},
    {crVSplit, "crVSplit", IDC_SIZENS},
    {crMultiDrag, "crMultiDrag", IDC_ARROW},
    {crSQLWait, "crSQLWait", IDC_WAIT},
    {crNo, "crNo", IDC_NO},
    {crAppStart, "crAppStart", IDC_APPSTARTING},
    {crHelp, "crHelp", IDC_HELP},
    {crHandPoint, "crHandPoint", IDC_HAND},
    {crSizeAll, "crSizeAll", IDC_SIZEALL},
};

}  // namespace

const TTypeInfo& CursorTypeInfo() {
  static const TTypeInfo info = [] {
    std::vector<TIdentMapEntry> idents;
    for (const TCursorEntry& entry : kCursors) idents.push_back({entry.Cursor, entry.Name});
    return MakeIntegerType("TCursor", -32768, 32767, std::move(idents));
  }();
  return info;
}

HCURSOR CursorHandle(TCursor cursor) {
  for (const TCursorEntry& entry : kCursors)
    if (entry.Cursor == cursor) return entry.SystemCursor ? LoadCursorW(nullptr, entry.SystemCursor) : nullptr;
  return nullptr;
}
