// Colour conversions and the colour names of the component stream.
#include "framework/graphics/Color.h"

#include <windows.h>

#include <cstdint>

const TTypeInfo& ColorTypeInfo() {
  static const TTypeInfo info = MakeIntegerType(
      "TColor", INT32_MIN, INT32_MAX,
      {{clBlack, "clBlack"}, {clMaroon, "clMaroon"}, {clGreen, "clGreen"}, {clOlive, "clOlive"},
       {clNavy, "clNavy"}, {clPurple, "clPurple"}, {clTeal, "clTeal"}, {clGray, "clGray"},
       {clSilver, "clSilver"}, {clRed, "clRed"}, {clLime, "clLime"}, {clYellow, "clYellow"},
       {clBlue, "clBlue"}, {clFuchsia, "clFuchsia"}, {clAqua, "clAqua"}, {clWhite, "clWhite"},
       {clScrollBar, "clScrollBar"}, {clBackground, "clBackground"},
       {clActiveCaption, "clActiveCaption"}, {clInactiveCaption, "clInactiveCaption"},
       {clMenu, "clMenu"}, {clWindow, "clWindow"}, {clWindowFrame, "clWindowFrame"},
       {clMenuText, "clMenuText"}, {clWindowText, "clWindowText"}, {clCaptionText, "clCaptionText"},
       {clActiveBorder, "clActiveBorder"}, {clInactiveBorder, "clInactiveBorder"},
       {clAppWorkSpace, "clAppWorkSpace"}, {clHighlight, "clHighlight"},
       {clHighlightText, "clHighlightText"}, {clBtnFace, "clBtnFace"}, {clBtnShadow, "clBtnShadow"},
       {clGrayText, "clGrayText"}, {clBtnText, "clBtnText"},
       {clInactiveCaptionText, "clInactiveCaptionText"}, {clBtnHighlight, "clBtnHighlight"},
       {cl3DDkShadow, "cl3DDkShadow"}, {cl3DLight, "cl3DLight"}, {clInfoText, "clInfoText"},
       {clInfoBk, "clInfoBk"}, {clNone, "clNone"}, {clDefault, "clDefault"}});
  return info;
}

TColor ColorToRGB(TColor color) {
  if (IsSystemColor(color)) return static_cast<TColor>(::GetSysColor(color & 0xFF));
  return color;
}

unsigned long ColorToColorRef(TColor color) { return static_cast<unsigned long>(ColorToRGB(color)) & 0xFFFFFF; }
