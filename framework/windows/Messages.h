/// @file
/// Window messages as controls see them: the TMessage record, typed views of it, the framework's own
/// notification numbers (CM_*, CN_*), shift states and mouse buttons.
#pragma once

#include <windows.h>

#include <cstdint>

#include "framework/core/Set.h"
#include "framework/core/TypeInfo.h"
#include "framework/graphics/Geometry.h"

using Word = std::uint16_t;

/// One message on its way through a control: Windows' four values plus the answer.
struct TMessage {
  UINT Msg = 0;
  WPARAM WParam = 0;
  LPARAM LParam = 0;
  LRESULT Result = 0;
};

// ---- Framework notifications (CM_BASE + n); controls send them to each other with Perform ----
constexpr UINT CM_BASE = 0xB000;
constexpr UINT CM_ACTIVATE = CM_BASE + 0;
constexpr UINT CM_DEACTIVATE = CM_BASE + 1;
constexpr UINT CM_DIALOGKEY = CM_BASE + 5;
constexpr UINT CM_DIALOGCHAR = CM_BASE + 6;             ///< WParam the character, LParam the key data
constexpr UINT CM_PARENTFONTCHANGED = CM_BASE + 8;
constexpr UINT CM_PARENTCOLORCHANGED = CM_BASE + 9;
constexpr UINT CM_HITTEST = CM_BASE + 10;               ///< LParam the point (16-bit halves); answer HTCLIENT/HTNOWHERE
constexpr UINT CM_VISIBLECHANGED = CM_BASE + 11;        ///< WParam the new value
constexpr UINT CM_ENABLEDCHANGED = CM_BASE + 12;
constexpr UINT CM_COLORCHANGED = CM_BASE + 13;
constexpr UINT CM_FONTCHANGED = CM_BASE + 14;
constexpr UINT CM_CURSORCHANGED = CM_BASE + 15;
constexpr UINT CM_TEXTCHANGED = CM_BASE + 18;
constexpr UINT CM_MOUSEENTER = CM_BASE + 19;            ///< LParam the control the mouse entered
constexpr UINT CM_MOUSELEAVE = CM_BASE + 20;            ///< LParam the control the mouse left
constexpr UINT CM_BUTTONPRESSED = CM_BASE + 24;         ///< WParam the group index, LParam the button
constexpr UINT CM_SHOWINGCHANGED = CM_BASE + 25;
constexpr UINT CM_DESIGNHITTEST = CM_BASE + 28;         ///< as WM_MOUSEMOVE; answer 1 to take the press in design state
constexpr UINT CM_WANTSPECIALKEY = CM_BASE + 30;        ///< WParam the virtual key; answer 1 to keep Tab etc.
constexpr UINT CM_RELEASE = CM_BASE + 33;
constexpr UINT CM_SHOWHINTCHANGED = CM_BASE + 34;
constexpr UINT CM_PARENTSHOWHINTCHANGED = CM_BASE + 35;
constexpr UINT CM_SYSCOLORCHANGE = CM_BASE + 36;
constexpr UINT CM_TABSTOPCHANGED = CM_BASE + 40;
constexpr UINT CM_CONTROLLISTCHANGE = CM_BASE + 44;     ///< WParam the control, LParam 1 inserting / 0 removing
constexpr UINT CM_HINTSHOW = CM_BASE + 48;              ///< LParam a THintInfo*; answer non-zero to cancel the hint
constexpr UINT CM_RECREATEWND = CM_BASE + 51;
constexpr UINT CM_CONTROLCHANGE = CM_BASE + 54;         ///< as CM_CONTROLLISTCHANGE, sent after inserting, before removing
constexpr UINT CM_LAST = CM_BASE + 0x3FF;

// ---- Notifications reflected from a parent to the child window they concern (CN_BASE + WM_x) ----
constexpr UINT CN_BASE = 0xBC00;
constexpr UINT CN_COMMAND = CN_BASE + WM_COMMAND;
constexpr UINT CN_NOTIFY = CN_BASE + WM_NOTIFY;
constexpr UINT CN_DRAWITEM = CN_BASE + WM_DRAWITEM;
constexpr UINT CN_MEASUREITEM = CN_BASE + WM_MEASUREITEM;
constexpr UINT CN_HSCROLL = CN_BASE + WM_HSCROLL;
constexpr UINT CN_VSCROLL = CN_BASE + WM_VSCROLL;
constexpr UINT CN_CTLCOLOREDIT = CN_BASE + WM_CTLCOLOREDIT;
constexpr UINT CN_CTLCOLORLISTBOX = CN_BASE + WM_CTLCOLORLISTBOX;
constexpr UINT CN_CTLCOLORSTATIC = CN_BASE + WM_CTLCOLORSTATIC;
constexpr UINT CN_CTLCOLORBTN = CN_BASE + WM_CTLCOLORBTN;
constexpr UINT CN_LAST = CN_BASE + 0x3FF;

/// The framework's own message numbers never reach a system window procedure.
constexpr bool IsFrameworkMessage(UINT msg) { return msg >= CM_BASE && msg <= CN_LAST; }

// ---- Shift state and mouse buttons ----
enum TShiftStateFlag : std::uint8_t { ssShift, ssAlt, ssCtrl, ssLeft, ssRight, ssMiddle, ssDouble };
using TShiftState = TSet<TShiftStateFlag>;
enum TMouseButton : std::uint8_t { mbLeft, mbRight, mbMiddle };

const TTypeInfo& TypeInfoOf(TypeTag<TShiftStateFlag>);
const TTypeInfo& TypeInfoOf(TypeTag<TMouseButton>);

/// From the MK_ flags of a mouse message (Alt is read from the keyboard, the flags lack it).
TShiftState KeysToShiftState(WPARAM keys);
/// From the key data of a keyboard message and the keyboard's state now.
TShiftState KeyDataToShiftState(LPARAM keyData);
/// The keyboard's and the mouse buttons' state now.
TShiftState CurrentShiftState();

// ---- Typed views: they read the packed fields of a TMessage and write through to it ----

/// WM_xBUTTONx and WM_MOUSEMOVE; the point is in client coordinates.
struct TWMMouse {
  explicit TWMMouse(TMessage& message) : Message(message) {}
  TMessage& Message;
  UINT Msg() const { return Message.Msg; }
  WPARAM Keys() const { return Message.WParam; }
  int XPos() const { return static_cast<std::int16_t>(LOWORD(Message.LParam)); }
  int YPos() const { return static_cast<std::int16_t>(HIWORD(Message.LParam)); }
  TPoint Pos() const { return {XPos(), YPos()}; }
  void SetPos(const TPoint& p) { Message.LParam = MAKELPARAM(static_cast<Word>(p.X), static_cast<Word>(p.Y)); }
};

/// WM_KEYDOWN, WM_KEYUP, WM_CHAR and their system forms; CM_DIALOGCHAR.
struct TWMKey {
  explicit TWMKey(TMessage& message) : Message(message) {}
  TMessage& Message;
  Word CharCode() const { return static_cast<Word>(Message.WParam); }
  void SetCharCode(Word code) { Message.WParam = code; }
  LPARAM KeyData() const { return Message.LParam; }
};

/// WM_PAINT and WM_ERASEBKGND. A non-zero DC means: paint into it, not through BeginPaint.
struct TWMPaint {
  explicit TWMPaint(TMessage& message) : Message(message) {}
  TMessage& Message;
  HDC DC() const { return reinterpret_cast<HDC>(Message.WParam); }
};

struct TWMSize {
  explicit TWMSize(TMessage& message) : Message(message) {}
  TMessage& Message;
  WPARAM SizeType() const { return Message.WParam; }
  int Width() const { return LOWORD(Message.LParam); }
  int Height() const { return HIWORD(Message.LParam); }
};

struct TWMSetCursor {
  explicit TWMSetCursor(TMessage& message) : Message(message) {}
  TMessage& Message;
  HWND CursorWnd() const { return reinterpret_cast<HWND>(Message.WParam); }
  int HitTest() const { return static_cast<std::int16_t>(LOWORD(Message.LParam)); }
  UINT MouseMsg() const { return HIWORD(Message.LParam); }
};

/// WM_NCHITTEST and WM_CONTEXTMENU: the point is in screen coordinates.
struct TWMScreenPoint {
  explicit TWMScreenPoint(TMessage& message) : Message(message) {}
  TMessage& Message;
  int XPos() const { return static_cast<std::int16_t>(LOWORD(Message.LParam)); }
  int YPos() const { return static_cast<std::int16_t>(HIWORD(Message.LParam)); }
  TPoint Pos() const { return {XPos(), YPos()}; }
};

struct TWMCommand {
  explicit TWMCommand(TMessage& message) : Message(message) {}
  TMessage& Message;
  Word ItemID() const { return LOWORD(Message.WParam); }
  Word NotifyCode() const { return HIWORD(Message.WParam); }
  HWND Ctl() const { return reinterpret_cast<HWND>(Message.LParam); }
};
