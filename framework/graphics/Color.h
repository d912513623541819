/// @file
/// Colours as the framework stores them: RGB values, system colour codes and two special values.
#pragma once

#include <cstdint>

#include "framework/core/TypeInfo.h"

/// A colour: 0x00BBGGRR for an RGB colour; 0x80000000 + n for the system colour n (COLOR_ index
/// of GetSysColor; negative as a signed value); clNone and clDefault are markers, not colours.
using TColor = std::int32_t;

/// Part of the colour constants' implementation; not for use on its own.
namespace color_detail {
/// The TColor code of the system colour `index` (a COLOR_ index).
constexpr TColor SystemColor(int index) { return static_cast<TColor>(0x80000000u | unsigned(index)); }
}  // namespace color_detail

/// The sixteen colours of the standard VGA palette, as fixed RGB values.
///@{
constexpr TColor clBlack = 0x000000;
constexpr TColor clMaroon = 0x000080;
constexpr TColor clGreen = 0x008000;
constexpr TColor clOlive = 0x008080;
constexpr TColor clNavy = 0x800000;
constexpr TColor clPurple = 0x800080;
constexpr TColor clTeal = 0x808000;
constexpr TColor clGray = 0x808080;
constexpr TColor clSilver = 0xC0C0C0;
constexpr TColor clRed = 0x0000FF;
constexpr TColor clLime = 0x00FF00;
constexpr TColor clYellow = 0x00FFFF;
constexpr TColor clBlue = 0xFF0000;
constexpr TColor clFuchsia = 0xFF00FF;
constexpr TColor clAqua = 0xFFFF00;
constexpr TColor clWhite = 0xFFFFFF;
///@}

/// The colours of the user's Windows scheme (GetSysColor, COLOR_ names without the prefix); they
/// follow the scheme when it changes. Convert with ColorToRGB before doing arithmetic on them.
///@{
constexpr TColor clScrollBar = color_detail::SystemColor(0);
constexpr TColor clBackground = color_detail::SystemColor(1);
constexpr TColor clActiveCaption = color_detail::SystemColor(2);
constexpr TColor clInactiveCaption = color_detail::SystemColor(3);
constexpr TColor clMenu = color_detail::SystemColor(4);
constexpr TColor clWindow = color_detail::SystemColor(5);
constexpr TColor clWindowFrame = color_detail::SystemColor(6);
constexpr TColor clMenuText = color_detail::SystemColor(7);
constexpr TColor clWindowText = color_detail::SystemColor(8);
constexpr TColor clCaptionText = color_detail::SystemColor(9);
constexpr TColor clActiveBorder = color_detail::SystemColor(10);
constexpr TColor clInactiveBorder = color_detail::SystemColor(11);
constexpr TColor clAppWorkSpace = color_detail::SystemColor(12);
constexpr TColor clHighlight = color_detail::SystemColor(13);
constexpr TColor clHighlightText = color_detail::SystemColor(14);
constexpr TColor clBtnFace = color_detail::SystemColor(15);
constexpr TColor clBtnShadow = color_detail::SystemColor(16);
constexpr TColor clGrayText = color_detail::SystemColor(17);
constexpr TColor clBtnText = color_detail::SystemColor(18);
constexpr TColor clInactiveCaptionText = color_detail::SystemColor(19);
constexpr TColor clBtnHighlight = color_detail::SystemColor(20);
constexpr TColor cl3DDkShadow = color_detail::SystemColor(21);
constexpr TColor cl3DLight = color_detail::SystemColor(22);
constexpr TColor clInfoText = color_detail::SystemColor(23);
constexpr TColor clInfoBk = color_detail::SystemColor(24);
///@}

/// No colour: where a property accepts it, nothing is drawn in that colour.
constexpr TColor clNone = 0x1FFFFFFF;
/// Use the default: where a property accepts it, its owner chooses the colour (for example a
/// bitmap's transparent colour then is its bottom-left pixel).
constexpr TColor clDefault = 0x20000000;

/// True when `color` is a system colour code (clBtnFace...), not an RGB value or a marker.
constexpr bool IsSystemColor(TColor color) { return color < 0; }

/// A system colour code becomes its current RGB value (GetSysColor); any other value is returned
/// unchanged, clNone and clDefault included.
TColor ColorToRGB(TColor color);

/// The colour as GDI takes it: RGB only, never a palette-index or system code.
unsigned long ColorToColorRef(TColor color);

/// The type data of colour properties: an integer whose named values ("clWhite", "clBtnFace",
/// "clNone"...) the component stream writes and reads by name. Publish with .Type(ColorTypeInfo()).
const TTypeInfo& ColorTypeInfo();
