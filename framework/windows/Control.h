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

/// Where a control sits in its parent's client area. alNone: where its bounds put it, moved by
/// its anchors. alTop and alBottom: along that edge of what is left, full width; alLeft and
/// alRight: likewise, full height; alClient: all that the others left. The parent lays them out
/// in that order, controls of the same kind in the order of their current positions along their
/// edge. alCustom is kept for the stream: neither aligned nor anchored.
enum TAlign : std::uint8_t { alNone, alTop, alBottom, alLeft, alRight, alClient, alCustom };
/// An edge of the parent's client area whose distance a control keeps when the parent is resized.
enum TAnchorKind : std::uint8_t { akLeft, akTop, akRight, akBottom };
/// A control's anchors. Both of a pair (akLeft and akRight) stretch the control, one moves it
/// with that edge; they act only on children with Align alNone.
using TAnchors = TSet<TAnchorKind>;

/// What a control class can do and how it takes input; set in its ControlStyle, usually by its
/// constructor. Flags without a description are kept for the stream; the framework does not act
/// on them.
enum TControlStyleFlag : std::uint8_t {
  csAcceptsControls,    ///< may be the parent of other controls (the designer pastes into it)
  csCaptureMouse,       ///< holds the mouse while the left button is down
  csDesignInteractive,  ///< meant to take right clicks in design state; nothing reads it yet
  csClickEvents,        ///< a press and release inside raises Click
  csFramed,
  csSetCaption,         ///< the caption follows the name until it is set otherwise
  csOpaque,             ///< paints every pixel of its rectangle; the parent need not erase beneath
  csDoubleClicks,       ///< a double click raises DblClick; without it, it counts as another press
  csFixedWidth,
  csFixedHeight,
  csNoDesignVisible,    ///< hidden means hidden in design state too (otherwise a hidden control shows there)
  csReplicatable,
  csNoStdEvents,        ///< no OnMouse… and OnKey… events
  csDisplayDragImage,
  csReflector,
  csActionClient,
  csMenuEvents,
};
/// A control's style flags (TControl::ControlStyle).
using TControlStyle = TSet<TControlStyleFlag>;

/// How a drag would start (TControl::DragMode); stored only, the framework does no drag-and-drop.
enum TDragMode : std::uint8_t { dmManual, dmAutomatic };
/// Where a drag is relative to a control (TDragOverEvent); the framework raises no drag events.
enum TDragState : std::uint8_t { dsDragEnter, dsDragLeave, dsDragMove };
/// Reading order of a control (TControl::BiDiMode); stored only, all layout is left to right.
enum TBiDiMode : std::uint8_t { bdLeftToRight, bdRightToLeft, bdRightToLeftNoAlign, bdRightToLeftReadingOnly };

/// Border of a form; controls use the first two values (TBorderStyle, published with
/// BorderStyleTypeInfo so the stream knows only bsNone and bsSingle).
enum TFormBorderStyle : std::uint8_t { bsNone, bsSingle, bsSizeable, bsDialog, bsToolWindow, bsSizeToolWin };
/// A control's border: bsNone or bsSingle.
using TBorderStyle = TFormBorderStyle;

/// The answer of a modal form or message box (the IDOK… numbers of Windows).
using TModalResult = int;
constexpr TModalResult mrNone = 0;  ///< no answer yet: a modal form stays up
constexpr TModalResult mrOk = IDOK;  ///< OK
constexpr TModalResult mrCancel = IDCANCEL;  ///< Cancel, Escape or the close box
constexpr TModalResult mrAbort = IDABORT;  ///< Abort
constexpr TModalResult mrRetry = IDRETRY;  ///< Retry
constexpr TModalResult mrIgnore = IDIGNORE;  ///< Ignore
constexpr TModalResult mrYes = IDYES;  ///< Yes
constexpr TModalResult mrNo = IDNO;  ///< No
constexpr TModalResult mrAll = mrNo + 1;  ///< All (no system message box offers it)
constexpr TModalResult mrNoToAll = mrAll + 1;  ///< No to all (likewise)
constexpr TModalResult mrYesToAll = mrNoToAll + 1;  ///< Yes to all (likewise)

/// Type data of the enumerations above: the enumerators' names for the stream and the inspector.
///@{
const TTypeInfo& TypeInfoOf(TypeTag<TAlign>);
const TTypeInfo& TypeInfoOf(TypeTag<TAnchorKind>);
const TTypeInfo& TypeInfoOf(TypeTag<TControlStyleFlag>);
const TTypeInfo& TypeInfoOf(TypeTag<TDragMode>);
const TTypeInfo& TypeInfoOf(TypeTag<TDragState>);
const TTypeInfo& TypeInfoOf(TypeTag<TBiDiMode>);
const TTypeInfo& TypeInfoOf(TypeTag<TFormBorderStyle>);
///@}
/// bsNone and bsSingle only: the type data of a control's BorderStyle.
const TTypeInfo& BorderStyleTypeInfo();

/// What CM_HINTSHOW hands a control before its hint appears; the control may change it.
struct THintInfo {
  TControl* HintControl = nullptr;  ///< the control whose hint is about to show
  TPoint CursorPos;  ///< in the control's client coordinates
  String HintStr;  ///< the text to show (CP932); emptying it shows nothing
  int HideTimeout = 0;  ///< milliseconds the hint stays; 0 keeps the application's setting
};

// ---------------------------------------------------------------------------------------------
// Events

/// Sender, the button, the keys and buttons held, X and Y in the sender's client coordinates.
using TMouseEvent = TEvent<TObject*, TMouseButton, TShiftState, int, int>;
/// Sender, the keys and buttons held, X and Y in the sender's client coordinates.
using TMouseMoveEvent = TEvent<TObject*, TShiftState, int, int>;
/// Sender, the virtual key (set it to 0 to swallow the key), the keys held.
using TKeyEvent = TEvent<TObject*, Word&, TShiftState>;
/// Sender, the typed character as a CP932 byte (set it to 0 to swallow it; a double-byte
/// character comes as two calls).
using TKeyPressEvent = TEvent<TObject*, char&>;
/// Sender, Source (the dragged object), X, Y. Also the end of a drag: Sender, Target, X, Y.
using TDragDropEvent = TEvent<TObject*, TObject*, int, int>;
/// Sender, Target, X, Y: a drag ended.
using TEndDragEvent = TDragDropEvent;
/// Sender, Source, X, Y, the drag state, and whether the sender accepts the drop (to be set).
using TDragOverEvent = TEvent<TObject*, TObject*, int, int, TDragState, bool&>;
/// Sender, the object to drag (to be set).
using TStartDragEvent = TEvent<TObject*, TObject*&>;

// ---------------------------------------------------------------------------------------------
// Size constraints: 0 means no limit.

/// Limits of a control's size in pixels (TControl::Constraints), applied by every SetBounds.
/// 0 means no limit; a negative value is stored as 0. Owned by its control.
class TSizeConstraints : public TPersistent {
  TAVELKO_CLASS(TSizeConstraints, TPersistent)
  static void Publish(TPublisher<TSizeConstraints>& p);

 public:
  /// `control` (not owned; may be null) is the owner the stream and the inspector see.
  explicit TSizeConstraints(TControl* control = nullptr) : control_(control) {}
  void Assign(TPersistent* source) override;
  TPersistent* GetOwner() override;

  /// Largest height; 0 for no limit.
  ///@{
  int MaxHeight() const { return maxHeight_; }
  void SetMaxHeight(int value);
  ///@}
  /// Largest width; 0 for no limit.
  ///@{
  int MaxWidth() const { return maxWidth_; }
  void SetMaxWidth(int value);
  ///@}
  /// Smallest height; 0 for no limit.
  ///@{
  int MinHeight() const { return minHeight_; }
  void SetMinHeight(int value);
  ///@}
  /// Smallest width; 0 for no limit.
  ///@{
  int MinWidth() const { return minWidth_; }
  void SetMinWidth(int value);
  ///@}

  /// The size limited by the constraints.
  void Apply(int& width, int& height) const;

  /// Raised when a limit changed or after Assign. The owning control sets it to apply the new
  /// limits to its bounds; replacing it ends that.
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

/// The context menu of a control (TControl::PopupMenu): shown on a right click or the menu key.
class TCustomPopupMenu : public TComponent {
  TAVELKO_CLASS(TCustomPopupMenu, TComponent)

 public:
  /// A menu owned by `owner` (null: the caller deletes it).
  using TComponent::TComponent;
  /// Shows the menu with its top-left corner at the screen point.
  virtual void Popup(int x, int y) = 0;
  /// The control whose right click opened the menu; set by that control just before Popup. Not
  /// owned; null once that control is destroyed.
  ///@{
  TControl* PopupComponent() const { return popupComponent_; }
  void SetPopupComponent(TControl* control) { popupComponent_.Set(control); }
  ///@}

 private:
  TComponentLink<TControl> popupComponent_;
};

// ---------------------------------------------------------------------------------------------
// TControl

/// The base of every control: bounds in its parent, alignment, visibility, font, colour, cursor,
/// hint, text, and the path of its messages (Perform → WindowProc → WndProc → Dispatch → typed
/// handlers → DefaultHandler). A windowless control (TGraphicControl) is painted and fed mouse
/// input by its parent's window; a windowed one is a TWinControl.
///
/// Ownership: the Owner (a TComponent) destroys the control; the Parent only shows it, though a
/// parent destroys the children still parented to it when it goes. Every other pointer a control
/// holds (popup menu, action) is an observer link cleared when its target is destroyed.
///
/// Threading: the framework is single-threaded. Controls, forms, the application and the services
/// may be used only on the thread that runs the message loop.
class TControl : public TComponent {
  TAVELKO_CLASS(TControl, TComponent)
  static void Publish(TPublisher<TControl>& p);

 public:
  /// A method that takes a message: what WindowProc holds.
  using TWndMethod = std::function<void(TMessage&)>;

  /// A control owned by `owner` (null: the caller deletes it), with no parent until SetParent.
  explicit TControl(TComponent* owner);
  ~TControl() override;

  // ---- Messages ----
  /// Sends the message straight to WindowProc (never through Windows) and returns its Result.
  LRESULT Perform(UINT msg, WPARAM wParam = 0, LPARAM lParam = 0);
  /// The same with a message record; the answer is left in message.Result.
  void Perform(TMessage& message) { windowProc_(message); }
  /// The message entry of this control: WndProc unless replaced. A replacement usually keeps the
  /// method it read here and passes on what it does not handle. Replacing it with an empty
  /// method restores WndProc.
  ///@{
  const TWndMethod& WindowProc() const { return windowProc_; }
  void SetWindowProc(TWndMethod method);
  ///@}

  // ---- Bounds (in the parent's client coordinates) ----
  /// Position of the left edge in pixels, in the parent's client coordinates (a form without a
  /// parent: screen coordinates). Setting it goes through SetBounds.
  ///@{
  int Left() const { return left_; }
  void SetLeft(int value) { SetBounds(value, top_, width_, height_); }
  ///@}
  /// Position of the top edge in pixels, like Left.
  ///@{
  int Top() const { return top_; }
  void SetTop(int value) { SetBounds(left_, value, width_, height_); }
  ///@}
  /// Outer width in pixels, within Constraints. Setting it goes through SetBounds.
  ///@{
  int Width() const { return width_; }
  void SetWidth(int value) { SetBounds(left_, top_, value, height_); }
  ///@}
  /// Outer height in pixels, within Constraints. Setting it goes through SetBounds.
  ///@{
  int Height() const { return height_; }
  void SetHeight(int value) { SetBounds(left_, top_, width_, value); }
  ///@}
  /// Moves and sizes in one step: one repaint, one realignment, one Resize. The size is limited
  /// by Constraints first; nothing happens when the bounds stay the same.
  virtual void SetBounds(int left, int top, int width, int height);
  /// Left, Top, Width and Height as one rectangle in the parent's client coordinates.
  ///@{
  TRect BoundsRect() const { return Bounds(left_, top_, width_, height_); }
  void SetBoundsRect(const TRect& rect) { SetBounds(rect.Left, rect.Top, rect.Width(), rect.Height()); }
  ///@}
  /// The client area in the control's own coordinates, so its top-left is (0, 0): the whole
  /// control for a windowless one, the window's client area for a windowed one.
  virtual TRect ClientRect();
  /// Width of the client area in pixels; setting it changes Width by the difference.
  ///@{
  int ClientWidth() { return ClientRect().Width(); }
  void SetClientWidth(int value);
  ///@}
  /// Height of the client area in pixels; setting it changes Height by the difference.
  ///@{
  int ClientHeight() { return ClientRect().Height(); }
  void SetClientHeight(int value);
  ///@}
  /// Screen position of the client area's top-left pixel.
  virtual TPoint ClientOrigin();
  /// Converts between the control's client coordinates and the screen's (through ClientOrigin).
  ///@{
  TPoint ClientToScreen(const TPoint& point);
  TPoint ScreenToClient(const TPoint& point);
  ///@}

  /// Where the control sits in its parent; a change realigns the parent's children.
  ///@{
  TAlign Align() const { return align_; }
  void SetAlign(TAlign value);
  ///@}
  /// Edges of the parent the control follows when the parent's client area changes size (Align
  /// alNone only). Default {akLeft, akTop}. Setting them moves nothing by itself.
  ///@{
  TAnchors Anchors() const { return anchors_; }
  void SetAnchors(TAnchors value) { anchors_ = value; }
  ///@}
  /// The size limits; owned by the control, never null. Setting copies the limits of `value`.
  ///@{
  TSizeConstraints* Constraints() const { return constraints_.get(); }
  void SetConstraints(TSizeConstraints* value) { constraints_->Assign(value); }
  ///@}

  // ---- Parent and stacking ----
  /// The windowed control the control is shown in; null for none. Not the owner.
  TWinControl* Parent() const { return parent_; }
  /// Leaves the old parent's child list and joins the new one's on top; null leaves the parent.
  /// Takes the parent's font, colour and hint setting where the control follows them. Raises
  /// EInvalidOperation when `parent` is the control itself.
  virtual void SetParent(TWinControl* parent);
  /// To the top or the bottom of the stack. Windowed and drawn-only controls each stack among
  /// their own kind (the windows above). Nothing without a parent.
  ///@{
  void BringToFront();
  void SendToBack();
  ///@}
  /// One place up or down among the siblings of its kind; nothing at the top or the bottom.
  ///@{
  void BringForward();
  void SendBackward();
  ///@}

  // ---- State ----
  /// Whether the control is shown where its parent is shown. A change sends CM_VISIBLECHANGED
  /// and realigns the parent. While being designed, a hidden windowless control still shows
  /// unless it has csNoDesignVisible.
  ///@{
  bool Visible() const { return visible_; }
  void SetVisible(bool value);
  ///@}
  /// SetVisible(true) and SetVisible(false).
  ///@{
  void Show() { SetVisible(true); }
  void Hide() { SetVisible(false); }
  ///@}
  /// Whether the control takes input; a change sends CM_ENABLEDCHANGED and repaints. A disabled
  /// window's children get no input either (Windows' rule); a disabled windowless control's
  /// mouse input goes to its parent.
  ///@{
  bool Enabled() const { return enabled_; }
  void SetEnabled(bool value);
  ///@}
  /// Visible here and in every parent up to a shown window.
  virtual bool Showing();

  // ---- Appearance ----
  /// The mouse cursor over the control (a cr… number). crDefault: a windowless control shows its
  /// parent's, a windowed one its window class's. A change shows at once when the mouse is over
  /// the control (see TCursorChangeBatch).
  ///@{
  TCursor Cursor() const { return cursor_; }
  void SetCursor(TCursor value);
  ///@}
  /// When the mouse is over the control, its window chooses the cursor shown again.
  void RefreshCursorUnderMouse();
  /// The hint text (CP932) shown in a tooltip when the mouse rests on the control and ShowHint
  /// is on; a control without one shows its nearest parent's.
  ///@{
  const String& Hint() const { return hint_; }
  void SetHint(const String& value) { hint_ = value; }
  ///@}
  /// Whether the control shows hints. Setting it stops following the parent (ParentShowHint).
  ///@{
  bool ShowHint() const { return showHint_; }
  void SetShowHint(bool value);
  ///@}
  /// Whether ShowHint follows the parent's (default true); turning it on takes the parent's value now.
  ///@{
  bool ParentShowHint() const { return parentShowHint_; }
  void SetParentShowHint(bool value);
  ///@}
  /// The font of the control's text; owned by the control, never null. Setting copies `value`'s
  /// attributes. Any change but one coming from the parent turns ParentFont off.
  ///@{
  TFont* Font() const { return font_.get(); }
  void SetFont(TFont* value) { font_->Assign(value); }
  ///@}
  /// Whether Font follows the parent's (default true); turning it on takes the parent's font now.
  ///@{
  bool ParentFont() const { return parentFont_; }
  void SetParentFont(bool value);
  ///@}
  /// The background colour (default clWindow). Setting it turns ParentColor off and repaints.
  ///@{
  TColor Color() const { return color_; }
  void SetColor(TColor value);
  ///@}
  /// Whether Color follows the parent's (default true); turning it on takes the parent's colour now.
  ///@{
  bool ParentColor() const { return parentColor_; }
  void SetParentColor(bool value);
  ///@}
  /// Caption and Text are the same text (CP932); windowed controls keep it in their window.
  ///@{
  String Caption() { return ReadText(); }
  void SetCaption(const String& value) { WriteText(value); }
  String Text() { return ReadText(); }
  void SetText(const String& value) { WriteText(value); }
  ///@}
  /// What the control does with input and painting (TControlStyleFlag); set by the control
  /// class, usually in its constructor. Setting it repaints nothing.
  ///@{
  TControlStyle ControlStyle() const { return controlStyle_; }
  void SetControlStyle(TControlStyle value) { controlStyle_ = value; }
  ///@}
  /// Whether the control paints every pixel of itself (csOpaque); beneath one that does not, the
  /// parent paints first. Repaints when it changes.
  void SetOpaque(bool value);
  /// The context menu shown on a right click (or the menu key) while the control is enabled;
  /// null for none. Not owned; null once the menu is destroyed.
  ///@{
  TCustomPopupMenu* PopupMenu() const { return popupMenu_; }
  void SetPopupMenu(TCustomPopupMenu* value) { popupMenu_.Set(value); }
  ///@}

  /// Stored for the stream and the inspector; no drag-and-drop or right-to-left layout is done.
  /// BiDiMode follows the parent's while ParentBiDiMode is on; setting BiDiMode turns it off.
  ///@{
  TDragMode DragMode() const { return dragMode_; }
  void SetDragMode(TDragMode value) { dragMode_ = value; }
  TCursor DragCursor() const { return dragCursor_; }
  void SetDragCursor(TCursor value) { dragCursor_ = value; }
  TBiDiMode BiDiMode() const { return biDiMode_; }
  void SetBiDiMode(TBiDiMode value);
  bool ParentBiDiMode() const { return parentBiDiMode_; }
  void SetParentBiDiMode(bool value);
  ///@}
  /// The action component linked to the control: stored only, nothing executes it. Not owned;
  /// null once the action is destroyed.
  ///@{
  TComponent* Action() const { return action_; }
  void SetAction(TComponent* value) { action_.Set(value); }
  ///@}
  /// Help topic number: stored only, the framework shows no help.
  ///@{
  int HelpContext() const { return helpContext_; }
  void SetHelpContext(int value) { helpContext_ = value; }
  ///@}

  /// Stored-property tests of the stream: a value taken from the parent is not written.
  ///@{
  bool IsFontStored() const { return !parentFont_; }
  bool IsColorStored() const { return !parentColor_; }
  bool IsShowHintStored() const { return !parentShowHint_; }
  bool IsBiDiModeStored() const { return !parentBiDiMode_; }
  ///@}

  // ---- Painting ----
  /// Asks for a repaint when the messages are next handled: a windowless control's rectangle on
  /// its parent's window (erased beneath unless csOpaque), a windowed control's window. Nothing
  /// without a window to paint on, nor for a hidden control outside design state.
  virtual void Invalidate();
  /// Paints what is invalid now, synchronously.
  virtual void Update();
  /// Invalidate, then Update: the control is painted anew before the call returns.
  ///@{
  void Repaint();
  void Refresh() { Repaint(); }
  ///@}

  // ---- Mouse ----
  /// Whether the control holds the mouse: all mouse input goes to it, even outside it. A
  /// windowless control holds it through its parent's window. Controls with csCaptureMouse take
  /// it while the left button is down.
  ///@{
  bool MouseCapture();
  void SetMouseCapture(bool value);
  ///@}
  /// A click: the left button went down and up inside a control with csClickEvents. Raises
  /// OnClick; override to react first, and call the inherited one to keep the event.
  virtual void Click();
  /// A double click of the left button on a control with csClickEvents and csDoubleClicks.
  /// Raises OnDblClick; override like Click.
  virtual void DblClick();

  // ---- Streaming hooks ----
  /// Controls are written inside their parent in the stream, not only inside their owner.
  bool HasParent() const override { return true; }
  /// The parent (TWinControl); null for none.
  TComponent* GetParentComponent() const override;
  /// Makes `parent` the Parent when it is a TWinControl; does nothing otherwise.
  void SetParentComponent(TComponent* parent) override;
  /// With csSetCaption, a caption still equal to the old name follows the new name (not while
  /// the control or its owning control is being loaded).
  void SetName(const String& newName) override;
  /// After loading: takes the parent's colour, font, hint setting and reading order where the
  /// control follows them.
  void Loaded() override;

  // ---- Events ----
  /// Raised by Click and DblClick (Sender: the control).
  ///@{
  TNotifyEvent OnClick;
  TNotifyEvent OnDblClick;
  ///@}
  /// Raised by Resize after the size changed (not while loading).
  TNotifyEvent OnResize;
  /// Raised by MouseDown, MouseMove and MouseUp: coordinates in the control's client area. Not
  /// raised for controls with csNoStdEvents.
  ///@{
  TMouseEvent OnMouseDown;
  TMouseMoveEvent OnMouseMove;
  TMouseEvent OnMouseUp;
  ///@}
  /// Drag events: stored and bound by the stream, never raised (the framework does no
  /// drag-and-drop).
  ///@{
  TDragDropEvent OnDragDrop;
  TDragOverEvent OnDragOver;
  TEndDragEvent OnEndDrag;
  TStartDragEvent OnStartDrag;
  ///@}

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
  ///@{
  virtual String ReadText();
  virtual void WriteText(const String& value);
  ///@}
  /// Mouse input in the control's client coordinates (not for controls with csNoStdEvents);
  /// raise OnMouseDown, OnMouseMove and OnMouseUp. Override to react, and call the inherited one
  /// to keep the events.
  ///@{
  virtual void MouseDown(TMouseButton button, TShiftState shift, int x, int y);
  virtual void MouseMove(TShiftState shift, int x, int y);
  virtual void MouseUp(TMouseButton button, TShiftState shift, int x, int y);
  ///@}
  /// After the size changed (not while loading): raises OnResize.
  virtual void Resize();

  /// Handlers of the messages their names say (WM_x from Windows, CM_x from the framework);
  /// override to change the reaction and call the inherited one. The mouse handlers raise the
  /// mouse events, capture the mouse and detect clicks; a right button released on a windowless
  /// control asks it, then its parent, for WM_CONTEXTMENU. CMHitTest answers HTCLIENT (0 lets the
  /// mouse through to what is below), CMDesignHitTest 0 (non-zero takes the mouse in design
  /// state), CMHintShow 0 (non-zero cancels the hint); CMDialogChar sets a non-zero Result to
  /// take the accelerator.
  ///@{
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
  ///@}

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
///@{
TControl* GetCaptureControl();
void SetCaptureControl(TControl* control);
///@}
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

  /// Whether a batch lives now.
  static bool Active();
  /// `control`'s Cursor changed while a batch lives.
  static void NoteChange(TControl* control);
};

/// True when `caption` marks `key` as its accelerator ("&Save" for S or s; "&&" is a plain "&").
bool IsAccel(Word key, const String& caption);
