#include "tests/designer/InspectorDriver.h"

#include "framework/stdctrls/ComboBox.h"
#include "framework/stdctrls/SpeedButton.h"
#include "tests/support/InputDrivers.h"
#include "tests/support/MessagePump.h"

using namespace test_support;

int TInspectorDriver::RowOf(const String& name) const {
  for (int r = 1; r < Grid()->RowCount(); ++r)
    if (Grid()->Cells(TInspectorFm::NameCol, r) == name) return r;
  return -1;
}

String TInspectorDriver::ValueOf(const String& name) const {
  const int row = RowOf(name);
  return row < 0 ? String("<no row>") : Grid()->Cells(TInspectorFm::ValueCol, row);
}

TPoint TInspectorDriver::ValueCellOf(int row) const {
  const TRect cell = Grid()->CellRect(TInspectorFm::ValueCol, row);
  return Grid()->ClientToScreen({(cell.Left + cell.Right) / 2, (cell.Top + cell.Bottom) / 2});
}

void TInspectorDriver::ClickRow(const String& name) {
  TMouseDriver(Window()).Click(ValueCellOf(RowOf(name)));
  Pump(TPumpMode::DispatchWithoutRealInput);
}

void TInspectorDriver::Type(const char* digits) {
  for (const char* c = digits; *c; ++c) TypeKey(KeyboardWindow(Window()->Edit1), static_cast<WORD>(*c));
}

void TInspectorDriver::ClickEllipsis() {
  TMouseDriver(Window()).Click(Window()->SpeedButton1->Parent()->ClientToScreen({12, 12}));
  Pump(TPumpMode::DispatchWithoutRealInput);
}

HWND TInspectorDriver::FocusedList() {
  TMouseDriver(Window()).Click(Window()->ComboBox2->ClientToScreen({8, 8}));
  return KeyboardWindow(Window()->ComboBox2);
}
