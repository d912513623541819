// Colour conversions and the colour names of the component stream.
#include "framework/graphics/Color.h"

#include <windows.h>

#include <algorithm>
#include <iterator>
#include <string_view>

namespace {

struct ColorName {
  TColor color;
  std::string_view name;
};

constexpr ColorName kColorNames[] = {
    {clBlack, "clBlack"}, {clMaroon, "clMaroon"}, {clGreen, "clGreen"}, {clOlive, "clOlive"},
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
    {clInfoBk, "clInfoBk"}, {clNone, "clNone"}, {clDefault, "clDefault"},
};

bool SameAsciiText(std::string_view a, std::string_view b) {
  return std::equal(a.begin(), a.end(), b.begin(), b.end(), [](char x, char y) {
    auto lower = [](char c) { return c >= 'A' && c <= 'Z' ? char(c - 'A' + 'a') : c; };
    return lower(x) == lower(y);
  });
}

}  // namespace

TColor ColorToRGB(TColor color) {
  if (IsSystemColor(color)) return static_cast<TColor>(::GetSysColor(color & 0xFF));
  return color;
}

unsigned long ColorToColorRef(TColor color) { return static_cast<unsigned long>(ColorToRGB(color)) & 0xFFFFFF; }

bool ColorToIdent(TColor color, std::string& ident) {
  auto it = std::find_if(std::begin(kColorNames), std::end(kColorNames),
                         [color](const ColorName& entry) { return entry.color == color; });
  if (it == std::end(kColorNames)) return false;
  ident = it->name;
  return true;
}

bool IdentToColor(const std::string& ident, TColor& color) {
  auto it = std::find_if(std::begin(kColorNames), std::end(kColorNames),
                         [&ident](const ColorName& entry) { return SameAsciiText(entry.name, ident); });
  if (it == std::end(kColorNames)) return false;
  color = it->color;
  return true;
}
