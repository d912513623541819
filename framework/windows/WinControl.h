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

// What CreateWnd passes to CreateWindowExW; CreateParams overrides adjust it.
struct TCreateParams {
  WideString Caption;
  DWORD Style = 0;
  DWORD ExStyle = 0;
  int X = 0;
  int Y = 0;
  int Width = 0;
  int Height = 0;
  HWND WndParent = nullptr;
  /// The framework's own window class (registered once per name) ...
  WideString WinClassName;
  UINT ClassStyle = CS_DBLCLKS;
  HCURSOR ClassCursor = nullptr;  ///< null: the arrow
  HICON ClassIcon = nullptr;
  /// ... or a system class (CreateSubClass), whose procedure then answers DefaultHandler.
  WideString SystemClass;
};

/// Whether the control shows: visible, or hidden but shown while it is being designed.
bool IsDesignVisible(TControl* control);

class TWinControl : public TControl {
  TAVELKO_CLASS(TWinControl, TControl)

 public:
  explicit TWinControl(TComponent* owner);
  /// Destroys the child controls that are still parented here (the ones this control's owner did
  /// not destroy), then the window.
  ~TWinControl() override;

  // ---- The window ----
  /// The window, made (with the parents' and the children's) when first asked for.
  HWND Handle();
  bool HandleAllocated() const { return handle_ != nullptr; }
  void HandleNeeded() { Handle(); }
  /// Destroys the window and the children's windows; the controls stay and make new windows on
  /// the next use of Handle. The text of system windows is kept.
  void DestroyHandle();
  /// Destroys and makes again the window and every child window, keeping focus.
  void RecreateWnd();

  // ---- Child controls: windowless ones below windowed ones, each group bottom to top ----
  int ControlCount() const { return static_cast<int>(controls_.size() + winControls_.size()); }
  TControl* Controls(int index) const;  ///< EListError when out of bounds
  /// Makes `control` a child on top of its group. Takes no ownership.
  void InsertControl(TControl* control);
  void RemoveControl(TControl* control);
  bool ContainsControl(TControl* control) const;
  /// The topmost visible child at `pos` (client coordinates): windowed ones only when asked for,
  /// disabled ones only when asked for; null when none.
  TControl* ControlAtPos(const TPoint& pos, bool allowDisabled, bool allowWinControls = false);
  /// Sends `message` to every child until one answers non-zero.
  void Broadcast(TMessage& message);
  /// Sends the message to every child.
  void NotifyControls(UINT msg, WPARAM wParam = 0, LPARAM lParam = 0);
  void GetChildren(const std::function<void(TComponent*)>& proc, TComponent* root) override;

  // ---- Alignment ----
  /// Lays out the aligned and anchored children again (nothing while already aligning).
  void Realign();

  // ---- Focus ----
  bool TabStop() const { return tabStop_; }
  void SetTabStop(bool value);
  /// Position among the parent's windowed children in tab order; -1 without a parent.
  int TabOrder() const;
  void SetTabOrder(int value);
  virtual bool CanFocus();
  bool Focused();
  virtual void SetFocus();
  /// The windowed controls inside this one in tab order, depth first.
  void GetTabOrderList(std::vector<TWinControl*>& list);
  TWinControl* FindNextControl(TWinControl* current, bool goForward, bool checkTabStop);
  void SelectNext(TWinControl* current, bool goForward, bool checkTabStop);

  // ---- Appearance ----
  /// The brush of Color, as system windows get it for their background.
  TBrush* Brush() const { return brush_.get(); }
  bool DoubleBuffered() const { return doubleBuffered_; }
  void SetDoubleBuffered(bool value) { doubleBuffered_ = value; }
  bool UseDockManager() const { return useDockManager_; }  ///< stored only
  void SetUseDockManager(bool value) { useDockManager_ = value; }
  /// Paints this control and its children into `dc` with its top-left at (x, y).
  void PaintTo(HDC dc, int x, int y);
  /// Paints this control's background and its own drawing, none of its children, into `dc` as
  /// it stands (moved, clipped or magnified by the caller).
  void PaintFace(HDC dc);

  // ---- TControl ----
  void SetBounds(int left, int top, int width, int height) override;
  TRect ClientRect() override;
  TPoint ClientOrigin() override;
  bool Showing() override;
  void Invalidate() override;
  void Update() override;
  void Loaded() override;

  // ---- Events ----
  TNotifyEvent OnEnter;
  TNotifyEvent OnExit;
  TKeyEvent OnKeyDown;
  TKeyPressEvent OnKeyPress;
  TKeyEvent OnKeyUp;

 protected:
  // ---- What descendants override ----
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
  virtual void AlignControls(TRect& rect);
  virtual void KeyDown(Word& key, TShiftState shift);
  virtual void KeyUp(Word& key, TShiftState shift);
  /// `key` is a CP932 byte; setting it to 0 swallows the character.
  virtual void KeyPress(char& key);
  virtual void DoEnter();
  virtual void DoExit();

  void WndProc(TMessage& message) override;
  void Dispatch(TMessage& message) override;
  void DefaultHandler(TMessage& message) override;
  String ReadText() override;
  void WriteText(const String& value) override;
  HDC GetDeviceContext(HWND& window) override;

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
  /// WM_CTLCOLOR… reflected by the parent: text and background in Font.Color and Color.
  virtual void CNCtlColor(TMessage& message);
  void CMEnabledChanged(TMessage& message) override;
  void CMVisibleChanged(TMessage& message) override;
  void CMFontChanged(TMessage& message) override;
  void CMColorChanged(TMessage& message) override;
  void CMShowHintChanged(TMessage& message) override;
  /// Passes the accelerator on to the children until one takes it.
  void CMDialogChar(TWMKey& message) override;
  void CMSysColorChange(TMessage& message) override;

  /// WM_PAINT with BeginPaint (or into the message's DC): the window, then the windowless children.
  void PaintHandler(TWMPaint& message);
  /// Paints the visible windowless children that intersect the clipping region, bottom to top.
  void PaintControls(HDC dc);
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
