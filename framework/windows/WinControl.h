/// @file
/// TWinControl: a control with a window of its own. It makes the window on first use of Handle
/// (its own window class, or a system class such as EDIT subclassed at creation), keeps its child
/// controls in stacking order, aligns them, paints and feeds its windowless children, and handles
/// keyboard focus.
///
/// Sections: creation parameters · TWinControl (window, children, alignment, focus, keyboard,
/// painting, handlers) · lookups from window handles.
#pragma once

#include <windows.h>

#include <memory>
#include <vector>

#include "framework/graphics/Brush.h"
#include "framework/windows/Control.h"

/// What CreateWnd passes to CreateWindowExW; CreateParams overrides adjust it.
struct TCreateParams {
  WideString Caption;  ///< the window text
  DWORD Style = 0;  ///< WS_ styles
  DWORD ExStyle = 0;  ///< WS_EX_ styles
  int X = 0;  ///< left in the parent window's client coordinates (screen for a top-level window)
  int Y = 0;  ///< top, likewise
  int Width = 0;  ///< outer width in pixels
  int Height = 0;  ///< outer height in pixels
  HWND WndParent = nullptr;  ///< the parent window (or the owner of a top-level one)
  /// The framework's own window class (registered once per name) ...
  WideString WinClassName;
  UINT ClassStyle = CS_DBLCLKS;  ///< CS_ styles of a class registered here
  HCURSOR ClassCursor = nullptr;  ///< null: the arrow
  HICON ClassIcon = nullptr;  ///< the class's icon; null for none
  /// ... or a system class (CreateSubClass), whose procedure then answers DefaultHandler.
  WideString SystemClass;
};

/// Whether the control shows: visible, or hidden but shown while it is being designed.
bool IsDesignVisible(TControl* control);

/// A control with a window of its own; the parent of other controls. See the file documentation.
class TWinControl : public TControl {
  TAVELKO_CLASS(TWinControl, TControl)

 public:
  /// A control owned by `owner` (null: the caller deletes it); its window is made on first use
  /// of Handle, once it has a parent with a window (a form needs none).
  explicit TWinControl(TComponent* owner);
  /// Destroys the child controls that are still parented here (the ones this control's owner did
  /// not destroy), then the window.
  ~TWinControl() override;

  // ---- The window ----
  /// The window, made (with the parents' and the children's) when first asked for. Owned by the
  /// control: do not destroy it. Raises EInvalidOperation for a child control without a parent,
  /// EWin32Error when Windows cannot make it.
  HWND Handle();
  /// Whether the window exists now; never makes it.
  bool HandleAllocated() const { return handle_ != nullptr; }
  /// Makes the window now if it does not exist (Handle without the result).
  void HandleNeeded() { Handle(); }
  /// Destroys the window and the children's windows; the controls stay and make new windows on
  /// the next use of Handle. The text of system windows is kept.
  void DestroyHandle();
  /// Destroys and makes again the window and every child window, keeping focus.
  void RecreateWnd();

  // ---- Child controls: windowless ones below windowed ones, each group bottom to top ----
  /// Number of child controls (windowless and windowed); Controls(0 … ControlCount() - 1).
  int ControlCount() const { return static_cast<int>(controls_.size() + winControls_.size()); }
  TControl* Controls(int index) const;  ///< EListError when out of bounds
  /// Makes `control` a child on top of its group. Takes no ownership.
  void InsertControl(TControl* control);
  /// Takes `control` out of the children (its window is destroyed, the control stays); nothing
  /// when it is not a child here. Takes no ownership and deletes nothing.
  void RemoveControl(TControl* control);
  /// Whether `control` is this control or inside it, at any depth.
  bool ContainsControl(TControl* control) const;
  /// The topmost visible child at `pos` (client coordinates): windowed ones only when asked for,
  /// disabled ones only when asked for; null when none.
  TControl* ControlAtPos(const TPoint& pos, bool allowDisabled, bool allowWinControls = false);
  /// Sends `message` to every child until one answers non-zero.
  void Broadcast(TMessage& message);
  /// Sends the message to every child.
  void NotifyControls(UINT msg, WPARAM wParam = 0, LPARAM lParam = 0);
  /// The children owned by `root`, in stacking order (windowless ones first): what the stream
  /// writes inside this control.
  void GetChildren(const std::function<void(TComponent*)>& proc, TComponent* root) override;

  // ---- Alignment ----
  /// Lays out the aligned and anchored children again (nothing while already aligning).
  void Realign();

  // ---- Focus ----
  /// Whether Tab stops at the control (WS_TABSTOP). Default false.
  ///@{
  bool TabStop() const { return tabStop_; }
  void SetTabStop(bool value);
  ///@}
  /// Position among the parent's windowed children in tab order; -1 without a parent. Setting
  /// it moves the control there (out of range: last); set before the control has a parent, it
  /// applies when the control joins one.
  ///@{
  int TabOrder() const;
  void SetTabOrder(int value);
  ///@}
  /// Whether the control can take the focus: it and every parent are visible and enabled.
  virtual bool CanFocus();
  /// Whether the control's window has the keyboard focus.
  bool Focused();
  /// Gives the control the keyboard focus (making its window). On a form not yet shown it
  /// becomes the form's ActiveControl and takes the focus when the form shows.
  virtual void SetFocus();
  /// The windowed controls inside this one in tab order, depth first.
  void GetTabOrderList(std::vector<TWinControl*>& list);
  /// The control after (or before) `current` in GetTabOrderList, wrapping around: one that can
  /// take the focus and, with `checkTabStop`, has TabStop. `current` may be null or outside this
  /// control (the search then starts at the first or the last). Null when there is none.
  TWinControl* FindNextControl(TWinControl* current, bool goForward, bool checkTabStop);
  /// Focuses FindNextControl's answer; nothing when there is none.
  void SelectNext(TWinControl* current, bool goForward, bool checkTabStop);

  // ---- Appearance ----
  /// The brush of Color, as system windows get it for their background.
  TBrush* Brush() const { return brush_.get(); }
  /// Whether WM_PAINT composes the window and its windowless children off screen and copies them
  /// in one step (no flicker; costs a bitmap of the client size per paint). Default false.
  ///@{
  bool DoubleBuffered() const { return doubleBuffered_; }
  void SetDoubleBuffered(bool value) { doubleBuffered_ = value; }
  ///@}
  /// Stored only: the framework does no docking.
  ///@{
  bool UseDockManager() const { return useDockManager_; }  ///< stored only
  void SetUseDockManager(bool value) { useDockManager_ = value; }
  ///@}
  /// Paints this control and its children into `dc` with its top-left at (x, y).
  void PaintTo(HDC dc, int x, int y);
  /// Paints this control's background and its own drawing, none of its children, into `dc` as
  /// it stands (moved, clipped or magnified by the caller).
  void PaintFace(HDC dc);

  // ---- TControl ----
  /// With a window, moves the window and takes the bounds it got. A minimised window is not
  /// moved: the bounds are only recorded.
  void SetBounds(int left, int top, int width, int height) override;
  TRect ClientRect() override;
  TPoint ClientOrigin() override;
  /// Whether the window exists and Windows shows it (it and every parent window visible).
  bool Showing() override;
  void Invalidate() override;
  void Update() override;
  /// After loading: makes the window when the parent has one, and aligns the children.
  void Loaded() override;

  // ---- Events ----
  /// Raised by DoEnter and DoExit when the control's window receives and loses the focus.
  ///@{
  TNotifyEvent OnEnter;
  TNotifyEvent OnExit;
  ///@}
  /// Raised by KeyDown, KeyPress and KeyUp for keys typed while the control has the focus (after
  /// the form's, when the form has KeyPreview). Not raised for controls with csNoStdEvents.
  ///@{
  TKeyEvent OnKeyDown;
  TKeyPressEvent OnKeyPress;
  TKeyEvent OnKeyUp;
  ///@}

 protected:
  // ---- What descendants override ----
  /// Fills `params` for CreateWnd: text, styles from Visible, Enabled, TabStop and
  /// csAcceptsControls, bounds, the parent's window (made if needed) and the class named after
  /// the control's class. Overrides call the inherited one, then adjust.
  virtual void CreateParams(TCreateParams& params);
  /// Makes the window a window of the system class `className`, subclassed by the framework.
  void CreateSubClass(TCreateParams& params, const wchar_t* className);
  /// Makes the window from CreateParams (children are made by CreateHandle).
  virtual void CreateWnd();
  /// Keeps what the window holds (its text), then destroys it.
  virtual void DestroyWnd();
  /// CreateWnd, then the children's windows in stacking order.
  virtual void CreateHandle();
  /// Draws the window's own content into `dc` (windowless children come after): a system
  /// window paints itself; a framework window has only its erased background.
  virtual void PaintWindow(HDC dc);
  /// The client area left for aligned children (panels take off their bevels).
  virtual void AdjustClientRect(TRect& rect);
  /// Lays out the children in `rect` (the adjusted client area): anchored ones follow a change
  /// of its size, then the aligned ones take their edges (see TAlign). `rect` is left with what
  /// alClient children did not fill.
  virtual void AlignControls(TRect& rect);
  /// A key went down or up: raise OnKeyDown and OnKeyUp. Setting `key` to 0 swallows it.
  ///@{
  virtual void KeyDown(Word& key, TShiftState shift);
  virtual void KeyUp(Word& key, TShiftState shift);
  ///@}
  /// `key` is a CP932 byte; setting it to 0 swallows the character.
  virtual void KeyPress(char& key);
  /// The window received or lost the focus: raise OnEnter and OnExit.
  ///@{
  virtual void DoEnter();
  virtual void DoExit();
  ///@}

  /// Before TControl's bookkeeping, mouse messages over a windowless child (or for the
  /// windowless control holding the mouse) go to that child in its own coordinates.
  void WndProc(TMessage& message) override;
  /// Also reflects WM_COMMAND, WM_NOTIFY, WM_DRAWITEM, WM_xSCROLL and WM_CTLCOLORx to the child
  /// window they concern as CN_x.
  void Dispatch(TMessage& message) override;
  /// The window's own procedure (DefWindowProcW, or the system class's); nothing for framework
  /// messages or without a window.
  void DefaultHandler(TMessage& message) override;
  /// The window's text while it has one (in UTF-16 through its own procedure, converted to CP932).
  ///@{
  String ReadText() override;
  void WriteText(const String& value) override;
  ///@}
  /// A DC of the control's own window (made if needed).
  HDC GetDeviceContext(HWND& window) override;

  /// Handlers of the messages their names say; override to change the reaction and call the
  /// inherited one. WMPaint paints through PaintHandler; WMEraseBkgnd fills with Brush (not for
  /// csOpaque, nor beneath opaque windowless children); WMSize and WMWindowPosChanged take the new
  /// bounds from the window, and WMSize also realigns the children and raises Resize (not while
  /// minimised or loading); WMSetCursor shows the Cursor of the child under the mouse,
  /// else the control's; WMNCHitTest makes a designed child window all client area; the key
  /// handlers call KeyDown, KeyPress and KeyUp; the focus handlers DoEnter and DoExit.
  ///@{
  virtual void WMPaint(TWMPaint& message);
  virtual void WMEraseBkgnd(TWMPaint& message);
  virtual void WMSize(TWMSize& message);
  virtual void WMWindowPosChanged(TMessage& message);
  virtual void WMSetCursor(TWMSetCursor& message);
  virtual void WMNCHitTest(TWMScreenPoint& message);
  virtual void WMKeyDown(TWMKey& message);
  virtual void WMKeyUp(TWMKey& message);
  virtual void WMChar(TWMKey& message);
  virtual void WMSetFocus(TMessage& message);
  virtual void WMKillFocus(TMessage& message);
  virtual void WMDestroy(TMessage& message);
  virtual void WMCaptureChanged(TMessage& message);
  virtual void WMMouseLeave(TMessage& message);
  ///@}
  /// WM_CTLCOLOR… reflected by the parent: text and background in Font.Color and Color.
  virtual void CNCtlColor(TMessage& message);
  /// Also pass the change on to the window and the children (enabling, showing, the window's
  /// font, the brush, the parent-following children).
  ///@{
  void CMEnabledChanged(TMessage& message) override;
  void CMVisibleChanged(TMessage& message) override;
  void CMFontChanged(TMessage& message) override;
  void CMColorChanged(TMessage& message) override;
  void CMShowHintChanged(TMessage& message) override;
  ///@}
  /// Passes the accelerator on to the children until one takes it.
  void CMDialogChar(TWMKey& message) override;
  /// The system colours changed: a new brush, the children told, a repaint.
  void CMSysColorChange(TMessage& message) override;

  /// WM_PAINT with BeginPaint (or into the message's DC): the window, then the windowless children.
  void PaintHandler(TWMPaint& message);
  /// Paints the visible windowless children that intersect the clipping region, bottom to top.
  void PaintControls(HDC dc);
  /// Whether the window is of a system class (CreateSubClass) rather than the framework's own.
  bool IsSystemWindow() const { return !systemClass_.empty(); }

 private:
  friend class TControl;
  /// The one window procedure of all framework windows: finds the control from the window.
  static LRESULT CALLBACK StandardWindowProc(HWND window, UINT msg, WPARAM wParam, LPARAM lParam);

  /// BringToFront and SendToBack: to the top or the bottom of its group.
  void MoveInStack(TControl* control, bool toTop);
  /// BringForward and SendBackward: one place within its group.
  void StepInStack(TControl* control, bool up);
  /// The window of a child just moved in winControls_ goes where the list says.
  void RestackWindow(std::size_t index);
  void AttachWindow(HWND window);
  void WindowGone(HWND window);
  bool IsControlMouseMsg(TMessage& message);
  /// Asks Windows for WM_MOUSELEAVE when the pointer leaves the client area.
  void TrackMouseLeave();
  bool DoKeyDown(TWMKey& message);
  bool DoKeyUp(TWMKey& message);
  bool DoKeyPress(TWMKey& message);
  bool ReflectToChild(TMessage& message);
  void UpdateBoundsFromWindow();
  void ApplyAnchors(const TRect& client);
  void RemoveFromLists(TControl* control);
  void ExcludeOpaqueChildren(HDC dc);
  void SetWindowStyleBit(DWORD bit, bool on);

  HWND handle_ = nullptr;
  WNDPROC defWndProc_ = nullptr;  ///< what DefaultHandler calls: DefWindowProcW or the system class's
  WideString systemClass_;        ///< non-empty for a subclassed system window
  std::vector<TControl*> controls_;        ///< windowless children, bottom to top
  std::vector<TWinControl*> winControls_;  ///< windowed children, bottom to top
  std::vector<TWinControl*> tabList_;      ///< windowed children in tab order
  int wantedTabOrder_ = -1;                ///< TabOrder set before the control had a parent
  bool tabStop_ = false;
  bool aligning_ = false;
  TSize alignedClientSize_{-1, -1};  // the client size of the last alignment (anchors follow changes)
  std::unique_ptr<TBrush> brush_;
  SharedGdiObject<HFONT> windowFont_;  ///< the font given to the window, kept alive while it has it
  bool doubleBuffered_ = false;
  bool paintingBuffered_ = false;  ///< the erase goes into the off-screen bitmap
  bool useDockManager_ = false;
  bool trackingLeave_ = false;  ///< WM_MOUSELEAVE has been asked for
};

/// The framework control that owns `window`; null for other windows.
TWinControl* FindControl(HWND window);
/// The framework control under a screen point: a windowless child where there is one.
TControl* FindDragTarget(const TPoint& screenPos, bool allowDisabled);
