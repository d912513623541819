// The inspector's window driven as a user drives it: presses on value cells, digits typed into
// the text box, the "..." button; and what its grid shows. A test fixture derives from it and
// names the inspector.
#pragma once

#include "designer/DsnSpctr.h"
#include "designer/InspectorFm.h"
#include "framework/stdctrls/Edit.h"
#include "framework/stdctrls/Grids.h"

class TInspectorDriver {
 public:
  virtual ~TInspectorDriver() = default;

  TInspectorFm* Window() const { return Inspected()->Form(); }
  TStringGrid* Grid() const { return Window()->StringGrid1; }
  // The row showing the property `name`; -1 when none does.
  int RowOf(const String& name) const;
  // The shown value of the property `name`, "<no row>" when it is not shown.
  String ValueOf(const String& name) const;
  // The screen point in the middle of `row`'s value cell.
  TPoint ValueCellOf(int row) const;
  void ClickRow(const String& name);
  // Digits: their keys are their characters.
  void Type(const char* digits);
  void ClickEllipsis();
  // The enumeration list's edit field after a press on it.
  HWND FocusedList();
  bool EditorParked() const { return Window()->Edit1->Left() < 0; }

 protected:
  virtual TDsnInspector* Inspected() const = 0;
};
