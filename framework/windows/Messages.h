/// @file
/// Window messages as controls see them: the TMessage record, typed views of it, the framework's own
/// notification numbers (CM_*, CN_*), shift states and mouse buttons.
#pragma once

#include <windows.h>

#include <cstdint>

#include "framework/core/Set.h"
#include "framework/core/TypeInfo.h"
#include "framework/graphics/Geometry.h"

/// An unsigned 16-bit value: a virtual key or a UTF-16 code unit.
using Word = std::uint16_t;

/// One message on its way through a control: Windows' four values plus the answer.
struct TMessage {
  UINT Msg = 0;  ///< the message number (WM_x, CM_x, CN_x)
  WPARAM WParam = 0;  ///< first parameter, as the message defines it
  LPARAM LParam = 0;  ///< second parameter, as the message defines it
  LRESULT Result = 0;  ///< the answer, set by the handler; 0 when nobody answered
};

// ---- Framework notifications (CM_BASE + n); controls send them to each other with Perform ----
constexpr UINT CM_BASE = 0xB000;  ///< first framework notification (within WM_APP's range)
constexpr UINT CM_ACTIVATE = CM_BASE + 0;  ///< reserved: the framework sends it nowhere
constexpr UINT CM_DEACTIVATE = CM_BASE + 1;  ///< reserved: the framework sends it nowhere
/// To the focused control's form on Escape: WParam the virtual key, LParam the key data; answer
/// non-zero to take it (a modal form ends with mrCancel).
constexpr UINT CM_DIALOGKEY = CM_BASE + 5;
constexpr UINT CM_DIALOGCHAR = CM_BASE + 6;             ///< WParam the character, LParam the key data
/// To a child when its parent's font or colour changed, when it joins a parent and after
/// loading: a child that follows the parent takes the parent's value.
///@{
constexpr UINT CM_PARENTFONTCHANGED = CM_BASE + 8;
constexpr UINT CM_PARENTCOLORCHANGED = CM_BASE + 9;
///@}
constexpr UINT CM_HITTEST = CM_BASE + 10;               ///< LParam the point (16-bit halves); answer HTCLIENT/HTNOWHERE
constexpr UINT CM_VISIBLECHANGED = CM_BASE + 11;        ///< WParam the new value
/// To a control after its own Enabled, Color, Font, Cursor or text changed; no parameters.
///@{
constexpr UINT CM_ENABLEDCHANGED = CM_BASE + 12;
constexpr UINT CM_COLORCHANGED = CM_BASE + 13;
constexpr UINT CM_FONTCHANGED = CM_BASE + 14;
constexpr UINT CM_CURSORCHANGED = CM_BASE + 15;
constexpr UINT CM_TEXTCHANGED = CM_BASE + 18;
///@}
constexpr UINT CM_MOUSEENTER = CM_BASE + 19;            ///< LParam the control the mouse entered
constexpr UINT CM_MOUSELEAVE = CM_BASE + 20;            ///< LParam the control the mouse left
constexpr UINT CM_BUTTONPRESSED = CM_BASE + 24;         ///< WParam the group index, LParam the button
constexpr UINT CM_SHOWINGCHANGED = CM_BASE + 25;  ///< reserved: the framework sends it nowhere
constexpr UINT CM_DESIGNHITTEST = CM_BASE + 28;         ///< as WM_MOUSEMOVE; answer 1 to take the press in design state
constexpr UINT CM_WANTSPECIALKEY = CM_BASE + 30;        ///< WParam the virtual key; answer 1 to keep Tab etc.
constexpr UINT CM_RELEASE = CM_BASE + 33;  ///< posted to a form by Release: the form deletes itself
constexpr UINT CM_SHOWHINTCHANGED = CM_BASE + 34;  ///< to a control after its ShowHint changed
constexpr UINT CM_PARENTSHOWHINTCHANGED = CM_BASE + 35;  ///< like CM_PARENTFONTCHANGED, for ShowHint
constexpr UINT CM_SYSCOLORCHANGE = CM_BASE + 36;  ///< the system colours changed (from WM_SYSCOLORCHANGE, passed to children)
constexpr UINT CM_TABSTOPCHANGED = CM_BASE + 40;  ///< to a control after its TabStop changed
constexpr UINT CM_CONTROLLISTCHANGE = CM_BASE + 44;     ///< WParam the control, LParam 1 inserting / 0 removing
constexpr UINT CM_HINTSHOW = CM_BASE + 48;              ///< LParam a THintInfo*; answer non-zero to cancel the hint
constexpr UINT CM_RECREATEWND = CM_BASE + 51;  ///< reserved: the framework sends it nowhere
constexpr UINT CM_CONTROLCHANGE = CM_BASE + 54;         ///< as CM_CONTROLLISTCHANGE, sent after inserting, before removing
constexpr UINT CM_LAST = CM_BASE + 0x3FF;  ///< last number of the framework notifications

// ---- Notifications reflected from a parent to the child window they concern (CN_BASE + WM_x) ----
constexpr UINT CN_BASE = 0xBC00;  ///< CN_x = CN_BASE + WM_x
/// A parent window's WM_x passed to the framework child window it concerns, with the same
/// parameters; the child's answer is the parent's. CN_MEASUREITEM is never sent (WM_MEASUREITEM
/// is not reflected).
///@{
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
///@}
constexpr UINT CN_LAST = CN_BASE + 0x3FF;  ///< last number of the reflected notifications

/// The framework's own message numbers never reach a system window procedure.
constexpr bool IsFrameworkMessage(UINT msg) { return msg >= CM_BASE && msg <= CN_LAST; }

// ---- Shift state and mouse buttons ----
/// A key or mouse button held during an input event; ssDouble marks the press of a double click.
enum TShiftStateFlag : std::uint8_t { ssShift, ssAlt, ssCtrl, ssLeft, ssRight, ssMiddle, ssDouble };
/// The keys and buttons held during an input event.
using TShiftState = TSet<TShiftStateFlag>;
/// The mouse button of a press or release.
enum TMouseButton : std::uint8_t { mbLeft, mbRight, mbMiddle };

/// Type data of the enumerations above: the enumerators' names for the stream and the inspector.
///@{
const TTypeInfo& TypeInfoOf(TypeTag<TShiftStateFlag>);
const TTypeInfo& TypeInfoOf(TypeTag<TMouseButton>);
///@}

/// From the MK_ flags of a mouse message (Alt is read from the keyboard, the flags lack it).
TShiftState KeysToShiftState(WPARAM keys);
/// From the key data of a keyboard message and the keyboard's state now.
TShiftState KeyDataToShiftState(LPARAM keyData);
/// The keyboard's and the mouse buttons' state now.
TShiftState CurrentShiftState();

// ---- Typed views: they read the packed fields of a TMessage and write through to it ----

/// WM_xBUTTONx and WM_MOUSEMOVE; the point is in client coordinates.
struct TWMMouse {
  /// A view of `message`, which must outlive it.
  explicit TWMMouse(TMessage& message) : Message(message) {}
  TMessage& Message;  ///< the message viewed; setters and Message.Result write to it
  UINT Msg() const { return Message.Msg; }  ///< which button message
  WPARAM Keys() const { return Message.WParam; }  ///< MK_ flags of the keys and buttons held
  /// The point, from signed 16-bit halves (negative left of or above the client area).
  ///@{
  int XPos() const { return static_cast<std::int16_t>(LOWORD(Message.LParam)); }
  int YPos() const { return static_cast<std::int16_t>(HIWORD(Message.LParam)); }
  TPoint Pos() const { return {XPos(), YPos()}; }
  ///@}
  /// Replaces the point (each coordinate kept to 16 bits).
  void SetPos(const TPoint& p) { Message.LParam = MAKELPARAM(static_cast<Word>(p.X), static_cast<Word>(p.Y)); }
};

/// WM_KEYDOWN, WM_KEYUP, WM_CHAR and their system forms; CM_DIALOGCHAR.
struct TWMKey {
  /// A view of `message`, which must outlive it.
  explicit TWMKey(TMessage& message) : Message(message) {}
  TMessage& Message;  ///< the message viewed; setters and Message.Result write to it
  /// The virtual key (key messages) or the UTF-16 character (WM_CHAR, CM_DIALOGCHAR); setting it
  /// changes what the rest of the chain sees.
  ///@{
  Word CharCode() const { return static_cast<Word>(Message.WParam); }
  void SetCharCode(Word code) { Message.WParam = code; }
  ///@}
  LPARAM KeyData() const { return Message.LParam; }  ///< repeat count, scan code and flags (bit 29: Alt held)
};

/// WM_PAINT and WM_ERASEBKGND. A non-zero DC means: paint into it, not through BeginPaint.
struct TWMPaint {
  /// A view of `message`, which must outlive it.
  explicit TWMPaint(TMessage& message) : Message(message) {}
  TMessage& Message;  ///< the message viewed; setters and Message.Result write to it
  HDC DC() const { return reinterpret_cast<HDC>(Message.WParam); }  ///< the DC to paint into; null for BeginPaint
};

/// WM_SIZE: the new client size.
struct TWMSize {
  /// A view of `message`, which must outlive it.
  explicit TWMSize(TMessage& message) : Message(message) {}
  TMessage& Message;  ///< the message viewed; setters and Message.Result write to it
  WPARAM SizeType() const { return Message.WParam; }  ///< SIZE_RESTORED, SIZE_MINIMIZED, SIZE_MAXIMIZED…
  /// The new client size in pixels.
  ///@{
  int Width() const { return LOWORD(Message.LParam); }
  int Height() const { return HIWORD(Message.LParam); }
  ///@}
};

/// WM_SETCURSOR: which window is under the mouse and where; answer 1 when the cursor was set.
struct TWMSetCursor {
  /// A view of `message`, which must outlive it.
  explicit TWMSetCursor(TMessage& message) : Message(message) {}
  TMessage& Message;  ///< the message viewed; setters and Message.Result write to it
  HWND CursorWnd() const { return reinterpret_cast<HWND>(Message.WParam); }  ///< the window under the mouse
  int HitTest() const { return static_cast<std::int16_t>(LOWORD(Message.LParam)); }  ///< HTCLIENT, HTCAPTION…
  UINT MouseMsg() const { return HIWORD(Message.LParam); }  ///< the mouse message that asked; 0 in menu mode
};

/// WM_NCHITTEST and WM_CONTEXTMENU: the point is in screen coordinates.
struct TWMScreenPoint {
  /// A view of `message`, which must outlive it.
  explicit TWMScreenPoint(TMessage& message) : Message(message) {}
  TMessage& Message;  ///< the message viewed; setters and Message.Result write to it
  /// The screen point, from signed 16-bit halves; (-1, -1) for a context menu asked for from the
  /// keyboard.
  ///@{
  int XPos() const { return static_cast<std::int16_t>(LOWORD(Message.LParam)); }
  int YPos() const { return static_cast<std::int16_t>(HIWORD(Message.LParam)); }
  TPoint Pos() const { return {XPos(), YPos()}; }
  ///@}
};

/// WM_COMMAND and CN_COMMAND: a menu item, accelerator or child control's notification.
struct TWMCommand {
  /// A view of `message`, which must outlive it.
  explicit TWMCommand(TMessage& message) : Message(message) {}
  TMessage& Message;  ///< the message viewed; setters and Message.Result write to it
  Word ItemID() const { return LOWORD(Message.WParam); }  ///< the menu item's or control's identifier
  Word NotifyCode() const { return HIWORD(Message.WParam); }  ///< the control's notification (0 for a menu, 1 for an accelerator)
  HWND Ctl() const { return reinterpret_cast<HWND>(Message.LParam); }  ///< the control's window; null for a menu or an accelerator
};
