// Type data of the text alignment enumerations.
#include "framework/stdctrls/Alignment.h"

#include <windows.h>

const TTypeInfo& TypeInfoOf(TypeTag<TAlignment>) {
  static const TTypeInfo info = MakeEnumType("TAlignment", {"taLeftJustify", "taRightJustify", "taCenter"});
  return info;
}

const TTypeInfo& TypeInfoOf(TypeTag<TTextLayout>) {
  static const TTypeInfo info = MakeEnumType("TTextLayout", {"tlTop", "tlCenter", "tlBottom"});
  return info;
}

unsigned DrawTextAlignment(TAlignment alignment) {
  switch (alignment) {
    case taRightJustify: return DT_RIGHT;
    case taCenter: return DT_CENTER;
    default: return DT_LEFT;
  }
}
