// Dropped files through the shell's drop handle calls.
#include "framework/stdctrls/DroppedFiles.h"

#include "framework/core/Exception.h"

void AcceptDroppedFiles(HWND window, bool accept) { DragAcceptFiles(window, accept ? TRUE : FALSE); }

TDroppedFiles::~TDroppedFiles() {
  if (drop_) DragFinish(drop_);
}

int TDroppedFiles::Count() const { return static_cast<int>(DragQueryFileW(drop_, 0xFFFFFFFF, nullptr, 0)); }

WideString TDroppedFiles::WideFileName(int index) const {
  if (index < 0 || index >= Count()) throw EListError(Format(messages::ListIndexError, index));
  const auto i = static_cast<UINT>(index);
  const UINT length = DragQueryFileW(drop_, i, nullptr, 0);
  WideString name(length + 1, L'\0');
  const UINT copied = DragQueryFileW(drop_, i, name.data(), length + 1);
  name.resize(copied);
  return name;
}

TPoint TDroppedFiles::DropPoint() const {
  POINT point{};
  DragQueryPoint(drop_, &point);
  return {point.x, point.y};
}
