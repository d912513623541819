// Shift states from mouse flags, key data and the keyboard; type data of the input enumerations.
#include "framework/windows/Messages.h"

namespace {

bool KeyDown(int virtualKey) { return GetKeyState(virtualKey) < 0; }

}  // namespace

const TTypeInfo& TypeInfoOf(TypeTag<TShiftStateFlag>) {
  static const TTypeInfo info =
      MakeEnumType("TShiftStateFlag", {"ssShift", "ssAlt", "ssCtrl", "ssLeft", "ssRight", "ssMiddle", "ssDouble"});
  return info;
}

const TTypeInfo& TypeInfoOf(TypeTag<TMouseButton>) {
  static const TTypeInfo info = MakeEnumType("TMouseButton", {"mbLeft", "mbRight", "mbMiddle"});
  return info;
}

TShiftState KeysToShiftState(WPARAM keys) {
  TShiftState state;
  if (keys & MK_SHIFT) state += ssShift;
  if (keys & MK_CONTROL) state += ssCtrl;
  if (keys & MK_LBUTTON) state += ssLeft;
  if (keys & MK_RBUTTON) state += ssRight;
  if (keys & MK_MBUTTON) state += ssMiddle;
  if (KeyDown(VK_MENU)) state += ssAlt;
  return state;
}

TShiftState KeyDataToShiftState(LPARAM keyData) {
  TShiftState state;
  if (KeyDown(VK_SHIFT)) state += ssShift;
  if (KeyDown(VK_CONTROL)) state += ssCtrl;
  // Bit 29 is the context code: Alt was held when the key went down.
  if (keyData & (LPARAM{1} << 29)) state += ssAlt;
  return state;
}

TShiftState CurrentShiftState() {
  TShiftState state;
  if (KeyDown(VK_SHIFT)) state += ssShift;
  if (KeyDown(VK_CONTROL)) state += ssCtrl;
  if (KeyDown(VK_MENU)) state += ssAlt;
  if (KeyDown(VK_LBUTTON)) state += ssLeft;
  if (KeyDown(VK_RBUTTON)) state += ssRight;
  if (KeyDown(VK_MBUTTON)) state += ssMiddle;
  return state;
}
