/// @file
/// Mouse cursors: the cr… numbers that controls store, their names in the component stream, and the
/// system cursor each one shows.
#pragma once

#include <windows.h>

#include "framework/core/TypeInfo.h"

using TCursor = int;

constexpr TCursor crDefault = 0;  ///< the window class's cursor (or whatever the parent window decides)
constexpr TCursor crNone = -1;    ///< no cursor at all
constexpr TCursor crArrow = -2;
constexpr TCursor crCross = -3;
constexpr TCursor crIBeam = -4;
constexpr TCursor crSizeNESW = -6;
constexpr TCursor crSizeNS = -7;
constexpr TCursor crSizeNWSE = -8;
constexpr TCursor crSizeWE = -9;
constexpr TCursor crUpArrow = -10;
constexpr TCursor crHourGlass = -11;
constexpr TCursor crDrag = -12;
constexpr TCursor crNoDrop = -13;
constexpr TCursor crHSplit = -14;
constexpr TCursor crVSplit = -15;
constexpr TCursor crMultiDrag = -16;
constexpr TCursor crSQLWait = -17;
constexpr TCursor crNo = -18;
constexpr TCursor crAppStart = -19;
constexpr TCursor crHelp = -20;
constexpr TCursor crHandPoint = -21;
constexpr TCursor crSizeAll = -22;

/// Integer type data whose named values ("crHandPoint") the stream writes and reads by name.
const TTypeInfo& CursorTypeInfo();

/// The shared system cursor shown for `cursor`; null for crNone and for numbers with no cursor.
/// Cursors the system lacks (the drag and split shapes) show their nearest system relative.
HCURSOR CursorHandle(TCursor cursor);
