/// @file
/// Mouse cursors: the cr… numbers that controls store, their names in the component stream, and the
/// system cursor each one shows.
#pragma once

#include <windows.h>

#include "framework/core/TypeInfo.h"

/// A cursor number: 0 and the negative cr… constants name system cursors (see CursorHandle);
/// a number without a cursor shows none, like crNone.
using TCursor = int;

constexpr TCursor crDefault = 0;  ///< the window class's cursor (or whatever the parent window decides)
constexpr TCursor crNone = -1;    ///< no cursor at all
constexpr TCursor crArrow = -2;  ///< the standard arrow
constexpr TCursor crCross = -3;  ///< crosshair
constexpr TCursor crIBeam = -4;  ///< text I-beam
constexpr TCursor crSizeNESW = -6;  ///< diagonal resize, north-east to south-west
constexpr TCursor crSizeNS = -7;  ///< vertical resize
constexpr TCursor crSizeNWSE = -8;  ///< diagonal resize, north-west to south-east
constexpr TCursor crSizeWE = -9;  ///< horizontal resize
constexpr TCursor crUpArrow = -10;  ///< vertical arrow
constexpr TCursor crHourGlass = -11;  ///< busy (the system's wait cursor)
constexpr TCursor crDrag = -12;  ///< dragging (shows the arrow)
constexpr TCursor crNoDrop = -13;  ///< no drop here (the system's "no" cursor)
constexpr TCursor crHSplit = -14;  ///< splitter moved sideways (shows horizontal resize)
constexpr TCursor crVSplit = -15;  ///< splitter moved up and down (shows vertical resize)
constexpr TCursor crMultiDrag = -16;  ///< dragging several (shows the arrow)
constexpr TCursor crSQLWait = -17;  ///< waiting for data (shows the wait cursor)
constexpr TCursor crNo = -18;  ///< not allowed
constexpr TCursor crAppStart = -19;  ///< arrow with busy sign
constexpr TCursor crHelp = -20;  ///< arrow with question mark
constexpr TCursor crHandPoint = -21;  ///< pointing hand, for links
constexpr TCursor crSizeAll = -22;  ///< move in any direction

/// Integer type data whose named values ("crHandPoint") the stream writes and reads by name.
const TTypeInfo& CursorTypeInfo();

/// The shared system cursor shown for `cursor`; null for crNone and for numbers with no cursor.
/// Cursors the system lacks (the drag and split shapes) show their nearest system relative.
HCURSOR CursorHandle(TCursor cursor);
