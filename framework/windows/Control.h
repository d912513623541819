/// @file
/// TControl: the base of everything shown on a form — bounds, alignment, parent, visibility, font,
/// colour, cursor, hint, messages (Perform, WindowProc, Dispatch) and mouse input. Windowless
/// controls are painted and fed input by their parent (TWinControl); windowed ones own a window.
///
/// Sections: enumerations and small types · events · size constraints · context menu base ·
/// TControl · capture · cursor change batches · accelerator test.
#pragma once

#include <cstdint>
#include <functional>
#include <memory>

#include "framework/core/Component.h"
#include "framework/core/ComponentLink.h"
#include "framework/graphics/Font.h"
#include "framework/graphics/Geometry.h"
#include "framework/windows/Cursors.h"
#include "framework/windows/Messages.h"

class TWinControl;
class TControl;

// ---------------------------------------------------------------------------------------------
// Enumerations and small types (stream names are the enumerators' names)

enum TAlign : std::uint8_t { alNone, alTop, alBottom, alLeft, alRight, alClient, alCustom };
enum TAnchorKind : std::uint8_t { akLeft, akTop, akRight, akBottom };
using TAnchors = TSet<TAnchorKind>;

enum TControlStyleFlag : std::uint8_t {
  csAcceptsControls,    ///< may be the parent of other controls (the designer pastes into it)
  csCaptureMouse,       ///< holds the mouse while the left button is down
  csDesignInteractive,  ///< takes right clicks in design state
  csClickEvents,        ///< a press and release inside raises Click
  csFramed,
  csSetCaption,         ///< the caption follows the name until it is set otherwise
  csOpaque,             ///< paints every pixel of its rectangle; the parent need not erase beneath
  csDoubleClicks,       ///< a double click raises DblClick; without it, it counts as another press
  csFixedWidth,
  csFixedHeight,
  csNoDesignVisible,
  csReplicatable,
  csNoStdEvents,        ///< no OnMouse… and OnKey… events
  csDisplayDragImage,
  csReflector,
  csActionClient,
  csMenuEvents,
};
using TControlStyle = TSet<TControlStyleFlag>;

enum TDragMode : std::uint8_t { dmManual, dmAutomatic };
enum TDragState : std::uint8_t { dsDragEnter, dsDragLeave, dsDragMove };
enum TBiDiMode : std::uint8_t { bdLeftToRight, bdRightToLeft, bdRightToLeftNoAlign, bdRightToLeftReadingOnly };

/// Border of a form; controls use the first two values (TBorderStyle, published with
/// BorderStyleTypeInfo so the stream knows only bsNone and bsSingle).
enum TFormBorderStyle : std::uint8_t { bsNone, bsSingle, bsSizeable, bsDialog, bsToolWindow, bsSizeToolWin };
using TBorderStyle = TFormBorderStyle;

/// The answer of a modal form or message box (the IDOK… numbers of Windows).
using TModalResult = int;
constexpr TModalResult mrNone = 0;
constexpr TModalResult mrOk = IDOK;
constexpr TModalResult mrCancel = IDCANCEL;
constexpr TModalResult mrAbort = IDABORT;
constexpr TModalResult mrRetry = IDRETRY;
constexpr TModalResult mrIgnore = IDIGNORE;
constexpr TModalResult mrYes = IDYES;
constexpr TModalResult mrNo = IDNO;
constexpr TModalResult mrAll = mrNo + 1;
constexpr TModalResult mrNoToAll = mrAll + 1;
constexpr TModalResult mrYesToAll = mrNoToAll + 1;

const TTypeInfo& TypeInfoOf(TypeTag<TAlign>);
const TTypeInfo& TypeInfoOf(TypeTag<TAnchorKind>);
const TTypeInfo& TypeInfoOf(TypeTag<TControlStyleFlag>);
const TTypeInfo& TypeInfoOf(TypeTag<TDragMode>);
const TTypeInfo& TypeInfoOf(TypeTag<TDragState>);
const TTypeInfo& TypeInfoOf(TypeTag<TBiDiMode>);
const TTypeInfo& TypeInfoOf(TypeTag<TFormBorderStyle>);
/// bsNone and bsSingle only: the type data of a control's BorderStyle.
const TTypeInfo& BorderStyleTypeInfo();

/// What CM_HINTSHOW hands a control before its hint appears; the control may change it.
struct THintInfo {
  TControl* HintControl = nullptr;
  TPoint CursorPos;  ///< in the control's client coordinates
  String HintStr;
  int HideTimeout = 0;  ///< milliseconds the hint stays; 0 keeps the application's setting
};

// ---------------------------------------------------------------------------------------------
// Events

using TMouseEvent = TEvent<TObject*, TMouseButton, TShiftState, int, int>;
using TMouseMoveEvent = TEvent<TObject*, TShiftState, int, int>;
using TKeyEvent = TEvent<TObject*, Word&, TShiftState>;
using TKeyPressEvent = TEvent<TObject*, char&>;
/// Sender, Source (the dragged object), X, Y. Also the end of a drag: Sender, Target, X, Y.
using TDragDropEvent = TEvent<TObject*, TObject*, int, int>;
using TEndDragEvent = TDragDropEvent;
using TDragOverEvent = TEvent<TObject*, TObject*, int, int, TDragState, bool&>;
using TStartDragEvent = TEvent<TObject*, TObject*&>;

// ---------------------------------------------------------------------------------------------
// Size constraints: 0 means no limit.

class TSizeConstraints : public TPersistent {
  TAVELKO_CLASS(TSizeConstraints, TPersistent)
  static void Publish(TPublisher<TSizeConstraints>& p);

 public:
  explicit TSizeConstraints(TControl* control = nullptr) : control_(control) {}
  void Assign(TPersistent* source) override;
  TPersistent* GetOwner() override;

  int MaxHeight() const { return maxHeight_; }
  void SetMaxHeight(int value);
  int MaxWidth() const { return maxWidth_; }
  void SetMaxWidth(int value);
  int MinHeight() const { return minHeight_; }
  void SetMinHeight(int value);
  int MinWidth() const { return minWidth_; }
  void SetMinWidth(int value);

  /// The size limited by the constraints.
  void Apply(int& width, int& height) const;

  TNotifyEvent OnChange;

 private:
  void Change(int& field, int value);

  TControl* control_;  ///< not owned
  int maxHeight_ = 0;
  int maxWidth_ = 0;
  int minHeight_ = 0;
  int minWidth_ = 0;
};

// ---------------------------------------------------------------------------------------------
// What a control needs of its context menu: the menus unit's popup menu derives from this.

class TCustomPopupMenu : public TComponent {
  TAVELKO_CLASS(TCustomPopupMenu, TComponent)

 public:
  using TComponent::TComponent;
  /// Shows the menu with its top-left corner at the screen point.
  virtual void Popup(int x, int y) = 0;
  /// The control whose right click opened the menu.
  TControl* PopupComponent() const { return popupComponent_; }
  void SetPopupComponent(TControl* control) { popupComponent_.Set(control); }

 private:
  TComponentLink<TControl> popupComponent_;
};

// ---------------------------------------------------------------------------------------------
// TControl

class TControl : public TComponent {
  TAVELKO_CLASS(TControl, TComponent)
  static void Publish(TPublisher<TControl>& p);

 public:
  using TWndMethod = std::function<void(TMessage&)>;

  explicit TControl(TComponent* owner);
  ~TControl() override;

  // ---- Messages ----
  /// Sends the message straight to WindowProc (never through Windows) and returns its Result.
  LRESULT Perform(UINT msg, WPARAM wParam = 0, LPARAM lParam = 0);
  void Perform(TMessage& message) { windowProc_(message); }
  /// The message entry of this control: WndProc unless replaced. Replacing it with an empty
  /// method restores WndProc.
  const TWndMethod& WindowProc() const { return windowProc_; }
  void SetWindowProc(TWndMethod method);

  // ---- Bounds (in the parent's client coordinates) ----
  int Left() const { return left_; }
  void SetLeft(int value) { SetBounds(value, top_, width_, height_); }
  int Top() const { return top_; }
  void SetTop(int value) { SetBounds(left_, value, width_, height_); }
  int Width() const { return width_; }
  void SetWidth(int value) { SetBounds(left_, top_, value, height_); }
  int Height() const { return height_; }
  void SetHeight(int value) { SetBounds(left_, top_, width_, value); }
  /// Moves and sizes in one step: one repaint, one realignment, one Resize.
  virtual void SetBounds(int left, int top, int width, int height);
  TRect BoundsRect() const { return Bounds(left_, top_, width_, height_); }
  void SetBoundsRect(const TRect& rect) { SetBounds(rect.Left, rect.Top, rect.Width(), rect.Height()); }
  virtual TRect ClientRect();
  int ClientWidth() { return ClientRect().Width(); }
  void SetClientWidth(int value);
  int ClientHeight() { return ClientRect().Height(); }
  void SetClientHeight(int value);
  /// Screen position of the client area's top-left pixel.
  virtual TPoint ClientOrigin();
  TPoint ClientToScreen(const TPoint& point);
  TPoint ScreenToClient(const TPoint& point);

  TAlign Align() const { return align_; }
  void SetAlign(TAlign value);
  TAnchors Anchors() const { return anchors_; }
  void SetAnchors(TAnchors value) { anchors_ = value; }
  TSizeConstraints* Constraints() const { return constraints_.get(); }
  void SetConstraints(TSizeConstraints* value) { constraints_->Assign(value); }

  // ---- Parent and stacking ----
  TWinControl* Parent() const { return parent_; }
  /// Leaves the old parent's child list and joins the new one's on top.
  virtual void SetParent(TWinControl* parent);
  /// Windowed and drawn-only controls each stack among their own kind (the windows above).
  void BringToFront();
  void SendToBack();
  /// One place up or down among the siblings of its kind; nothing at the top or the bottom.
  void BringForward();
  void SendBackward();

  // ---- State ----
  bool Visible() const { return visible_; }
  void SetVisible(bool value);
  void Show() { SetVisible(true); }
  void Hide() { SetVisible(false); }
  bool Enabled() const { return enabled_; }
  void SetEnabled(bool value);
  /// Visible here and in every parent up to a shown window.
  virtual bool Showing();

  // ---- Appearance ----
  TCursor Cursor() const { return cursor_; }
  void SetCursor(TCursor value);
  /// When the mouse is over the control, its window chooses the cursor shown again.
  void RefreshCursorUnderMouse();
  const String& Hint() const { return hint_; }
  void SetHint(const String& value) { hint_ = value; }
  bool ShowHint() const { return showHint_; }
  void SetShowHint(bool value);
  bool ParentShowHint() const { return parentShowHint_; }
  void SetParentShowHint(bool value);
  TFont* Font() const { return font_.get(); }
  void SetFont(TFont* value) { font_->Assign(value); }
  bool ParentFont() const { return parentFont_; }
  void SetParentFont(bool value);
  TColor Color() const { return color_; }
  void SetColor(TColor value);
  bool ParentColor() const { return parentColor_; }
  void SetParentColor(bool value);
  /// Caption and Text are the same text (CP932); windowed controls keep it in their window.
  String Caption() { return ReadText(); }
  void SetCaption(const String& value) { WriteText(value); }
  String Text() { return ReadText(); }
  void SetText(const String& value) { WriteText(value); }
  TControlStyle ControlStyle() const { return controlStyle_; }
  void SetControlStyle(TControlStyle value) { controlStyle_ = value; }
  /// Whether the control paints every pixel of itself (csOpaque); beneath one that does not, the
  /// parent paints first. Repaints when it changes.
  void SetOpaque(bool value);
  TCustomPopupMenu* PopupMenu() const { return popupMenu_; }
  void SetPopupMenu(TCustomPopupMenu* value) { popupMenu_.Set(value); }

  /// Stored for the stream and the inspector; no drag-and-drop or right-to-left layout is done.
  TDragMode DragMode() const { return dragMode_; }
  void SetDragMode(TDragMode value) { dragMode_ = value; }
  TCursor DragCursor() const { return dragCursor_; }
  void SetDragCursor(TCursor value) { dragCursor_ = value; }
  TBiDiMode BiDiMode() const { return biDiMode_; }
  void SetBiDiMode(TBiDiMode value);
  bool ParentBiDiMode() const { return parentBiDiMode_; }
  void SetParentBiDiMode(bool value);
  TComponent* Action() const { return action_; }
  void SetAction(TComponent* value) { action_.Set(value); }
  int HelpContext() const { return helpContext_; }
  void SetHelpContext(int value) { helpContext_ = value; }

  /// Stored-property tests of the stream: a value taken from the parent is not written.
  bool IsFontStored() const { return !parentFont_; }
  bool IsColorStored() const { return !parentColor_; }
  bool IsShowHintStored() const { return !parentShowHint_; }
  bool IsBiDiModeStored() const { return !parentBiDiMode_; }

  // ---- Painting ----
  virtual void Invalidate();
  /// Paints what is invalid now, synchronously.
  virtual void Update();
  void Repaint();
  void Refresh() { Repaint(); }

  // ---- Mouse ----
  bool MouseCapture();
  void SetMouseCapture(bool value);
  virtual void Click();
  virtual void DblClick();

  // ---- Streaming hooks ----
  bool HasParent() const override { return true; }
  TComponent* GetParentComponent() const override;
  void SetParentComponent(TComponent* parent) override;
  void SetName(const String& newName) override;
  void Loaded() override;

  // ---- Events ----
  TNotifyEvent OnClick;
  TNotifyEvent OnDblClick;
  TNotifyEvent OnResize;
  TMouseEvent OnMouseDown;
  TMouseMoveEvent OnMouseMove;
  TMouseEvent OnMouseUp;
  TDragDropEvent OnDragDrop;
  TDragOverEvent OnDragOver;
  TEndDragEvent OnEndDrag;
  TStartDragEvent OnStartDrag;

 protected:
  // ---- What descendants override ----
  /// The default WindowProc: mouse bookkeeping (double clicks without csDoubleClicks become
  /// presses, hover and hint tracking), then Dispatch.
  virtual void WndProc(TMessage& message);
  /// Hands the message to its typed handler below; everything else goes to DefaultHandler.
  virtual void Dispatch(TMessage& message);
  /// What happens to a message nobody handled: nothing for a windowless control; the window's
  /// own procedure for a windowed one.
  virtual void DefaultHandler(TMessage& message);
  /// The text behind Caption and Text; a change raises CM_TEXTCHANGED.
  virtual String ReadText();
  virtual void WriteText(const String& value);
  virtual void MouseDown(TMouseButton button, TShiftState shift, int x, int y);
  virtual void MouseMove(TShiftState shift, int x, int y);
  virtual void MouseUp(TMouseButton button, TShiftState shift, int x, int y);
  /// After the size changed (not while loading): raises OnResize.
  virtual void Resize();

  virtual void WMLButtonDown(TWMMouse& message);
  virtual void WMLButtonDblClk(TWMMouse& message);
  virtual void WMLButtonUp(TWMMouse& message);
  virtual void WMRButtonDown(TWMMouse& message);
  virtual void WMRButtonDblClk(TWMMouse& message);
  virtual void WMRButtonUp(TWMMouse& message);
  virtual void WMMButtonDown(TWMMouse& message);
  virtual void WMMButtonDblClk(TWMMouse& message);
  virtual void WMMButtonUp(TWMMouse& message);
  virtual void WMMouseMove(TWMMouse& message);
  virtual void WMContextMenu(TWMScreenPoint& message);
  virtual void WMCancelMode(TMessage& message);
  virtual void CMEnabledChanged(TMessage& message);
  virtual void CMVisibleChanged(TMessage& message);
  virtual void CMFontChanged(TMessage& message);
  virtual void CMColorChanged(TMessage& message);
  virtual void CMTextChanged(TMessage& message);
  virtual void CMCursorChanged(TMessage& message);
  virtual void CMParentFontChanged(TMessage& message);
  virtual void CMParentColorChanged(TMessage& message);
  virtual void CMParentShowHintChanged(TMessage& message);
  virtual void CMShowHintChanged(TMessage& message);
  virtual void CMMouseEnter(TMessage& message);
  virtual void CMMouseLeave(TMessage& message);
  virtual void CMHitTest(TMessage& message);
  virtual void CMDesignHitTest(TMessage& message);
  virtual void CMHintShow(TMessage& message);
  virtual void CMDialogChar(TWMKey& message);
  virtual void CMSysColorChange(TMessage& message);

  /// Repaints the control's rectangle on the parent (erasing beneath unless opaque).
  void InvalidateControl();
  /// A device context for drawing outside WM_PAINT: the window's own, or the parent's moved to
  /// this control's origin and clipped to its rectangle. Give it back with ReleaseDeviceContext.
  virtual HDC GetDeviceContext(HWND& window);

 private:
  friend class TWinControl;
  friend class TControlCanvas;

  void DoMouseDown(TWMMouse& message, TMouseButton button, TShiftState extra);
  void DoMouseUp(TWMMouse& message, TMouseButton button);
  void FontChanged(TObject* sender);
  void ConstraintsChanged(TObject* sender);
  /// The window to which a cursor refresh is sent: this control's or its parent's.
  HWND CursorWindow();

  TWndMethod windowProc_;
  TWinControl* parent_ = nullptr;
  int left_ = 0;
  int top_ = 0;
  int width_ = 0;
  int height_ = 0;
  TAlign align_ = alNone;
  TAnchors anchors_{akLeft, akTop};
  std::unique_ptr<TSizeConstraints> constraints_;
  bool visible_ = true;
  bool enabled_ = true;
  TCursor cursor_ = crDefault;
  String hint_;
  bool showHint_ = false;
  bool parentShowHint_ = true;
  std::unique_ptr<TFont> font_;
  bool parentFont_ = true;
  bool takingParentFont_ = false;  ///< the font change comes from the parent: ParentFont stays
  TColor color_ = clWindow;
  bool parentColor_ = true;
  String text_;
  TControlStyle controlStyle_{csCaptureMouse, csClickEvents, csSetCaption, csDoubleClicks};
  TComponentLink<TCustomPopupMenu> popupMenu_;
  TDragMode dragMode_ = dmManual;
  TCursor dragCursor_ = crDrag;
  TBiDiMode biDiMode_ = bdLeftToRight;
  bool parentBiDiMode_ = true;
  TComponentLink<TComponent> action_;
  int helpContext_ = 0;
  bool clicked_ = false;  ///< the left button went down here with csClickEvents
};

// ---------------------------------------------------------------------------------------------
/// Mouse capture across windowless controls: a windowless control captures through its parent's
/// window. Null when nothing of this framework holds the mouse.
TControl* GetCaptureControl();
void SetCaptureControl(TControl* control);
/// A windowless capture through `window` ends (the window lost the mouse to another).
void WindowLostCapture(TWinControl* window);

// ---------------------------------------------------------------------------------------------
/// Many cursor changes at once: while a batch lives, a control whose Cursor changes does not look
/// for the mouse itself (which asks Windows several questions); when the outermost batch ends, the
/// control under the mouse refreshes its cursor once, if the change of the control or of one around
/// it can show there.
class TCursorChangeBatch {
 public:
  TCursorChangeBatch();
  ~TCursorChangeBatch();
  TCursorChangeBatch(const TCursorChangeBatch&) = delete;
  TCursorChangeBatch& operator=(const TCursorChangeBatch&) = delete;

  static bool Active();
  /// `control`'s Cursor changed while a batch lives.
  static void NoteChange(TControl* control);
};

/// True when `caption` marks `key` as its accelerator ("&Save" for S or s; "&&" is a plain "&").
bool IsAccel(Word key, const String& caption);
