#include "framework/stdctrls/ScrollStyle.h"

const TTypeInfo& TypeInfoOf(TypeTag<TScrollStyle>) {
  static const TTypeInfo info = MakeEnumType("TScrollStyle", {"ssNone", "ssHorizontal", "ssVertical", "ssBoth"});
  return info;
}
