/// @file
/// Files dropped from the shell: registering a window as a drop target, and the drop handle of
/// WM_DROPFILES with each file name read at its real length (no fixed 260-character buffer).
#pragma once

#include <windows.h>
#include <shellapi.h>

#include "framework/core/Text.h"
#include "framework/graphics/Geometry.h"

/// Makes `window` accept files dropped from the shell (WM_DROPFILES), or stop accepting them.
void AcceptDroppedFiles(HWND window, bool accept);

/// The drop handle of one WM_DROPFILES; the drop is finished (DragFinish) when this object goes.
class TDroppedFiles {
 public:
  /// Takes over `drop`, the WParam of WM_DROPFILES; null is allowed and finishes nothing.
  explicit TDroppedFiles(HDROP drop) : drop_(drop) {}
  ~TDroppedFiles();
  TDroppedFiles(const TDroppedFiles&) = delete;
  TDroppedFiles& operator=(const TDroppedFiles&) = delete;

  int Count() const;  ///< how many files were dropped
  /// The full path of file `index` (from 0); EListError when there is no such file.
  WideString WideFileName(int index) const;
  /// The same in CP932 (characters CP932 lacks become '?').
  String FileName(int index) const { return WideToCP932(WideFileName(index)); }
  /// Where the files were dropped, in the client coordinates of the window that got them.
  TPoint DropPoint() const;

 private:
  HDROP drop_;
};
