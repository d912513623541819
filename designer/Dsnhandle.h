/// @file
/// Grab handles: the small squares around every selected control. TMultiHandler follows the
/// selection and keeps one handle set (THandlerRect) per selected control; a set owns its handles
/// (TSmallRect), each a windowed control on the selected control's parent. Dragging the handle of
/// a lone selected control draws an outline and resizes the control on release. This unit holds
/// the four corner handles; the edge-middle ones are in DsnSub8.
///
/// Sections: messages · placement · TSmallRect · corner handles · THandlerRect · TMultiHandler.
#pragma once

#include <windows.h>

#include <memory>
#include <utility>
#include <vector>

#include "designer/DsnList.h"
#include "designer/DsnShape.h"
#include "designer/DsnSnap.h"
#include "framework/windows/CustomControl.h"

class THandlerRect;

// ---------------------------------------------------------------------------------------------
// Messages, sent to the resized control's window (a windowless control: its parent's window)

constexpr UINT DSNM_PRERESIZE = WM_USER + 573;  ///< WParam: the TControl* about to be resized
constexpr UINT DSNM_RESIZE = WM_USER + 574;     ///< the old bounds, see TResizeMessage
constexpr UINT DSNM_SELECT = WM_USER + 575;     ///< the control got a handle set; its saved bounds (0 when new)

/// Two values as the 16-bit halves of one message parameter (low first).
inline LPARAM PackHalves(int low, int high) {
  return static_cast<LPARAM>(MAKELONG(static_cast<WORD>(low), static_cast<WORD>(high)));
}

/// The old bounds a DSNM_RESIZE carries: Left and Top in WParam, Width and Height in LParam,
/// each a signed 16-bit half.
struct TResizeMessage {
  UINT Msg = DSNM_RESIZE;  ///< the message number
  int Left = 0;            ///< the old left, in the parent's client coordinates
  int Top = 0;             ///< the old top, in the parent's client coordinates
  int Width = 0;           ///< the old width in pixels
  int Height = 0;          ///< the old height in pixels
  LRESULT Result = 0;      ///< the answer, given back to the sender

  /// Reads the bounds from a message, and writes them into one; values outside 16 bits do not
  /// survive the trip.
  ///@{
  static TResizeMessage Unpack(const TMessage& message);
  TMessage Pack() const;
  ///@}
};

/// The window that takes the designer's messages about `control`: its own, or its Parent's for a
/// windowless control. Null when there is none (no parent, or the window cannot be made).
HWND DesignMessageWindow(TControl* control) noexcept;

// ---------------------------------------------------------------------------------------------
// Where a handle sits on its control; the edges of its column and row are the ones it moves.

/// The column of a handle: at the control's left edge, its middle or its right edge.
enum class THandleColumn { Left, Middle, Right };
/// The row of a handle: at the control's top edge, its middle or its bottom edge.
enum class THandleRow { Top, Middle, Bottom };

/// The place of a handle; a handle in the middle on both is not used.
struct THandlePlace {
  THandleColumn Column;  ///< which vertical edge the handle moves (none in the middle)
  THandleRow Row;        ///< which horizontal edge the handle moves (none in the middle)
};

// ---------------------------------------------------------------------------------------------
// TSmallRect: one grab handle

/// One grab handle: a small windowed control on the parent of the control it resizes, owned by
/// its handle set. An active handle (a lone selected control) draws an outline while dragged and
/// resizes the control on release; a passive one (one of several selected controls) ignores the
/// mouse. Concrete handles say where they sit (TPlacedRect).
class TSmallRect : public TCustomControl {
  TAVELKO_CLASS(TSmallRect, TCustomControl)

 public:
  /// A handle with no owner and no parent yet, active (in the single colour).
  TSmallRect(TControl* control, int handleSize, int stepX, int stepY, TColor multiColor, TColor singleColor);
  /// A handle destroyed from outside its set (with its parent window) marks the set dying.
  ~TSmallRect() override;

  // ---- What variants override ----
  /// The outline set of a resize.
  virtual std::unique_ptr<TMultiShape> CreateRectShape();
  /// Places the handle next to its corner or edge of Control.
  virtual void SetControl() = 0;

  // ---- Operations ----
  /// Snaps toward 0 to the steps; a step of 0 or less leaves that coordinate.
  void Cutting(int& x, int& y) const;
  /// Turns the handle passive: the multi colour, the default cursor.
  void ChangeColorMulti();
  /// The handle of the first control of a selection of several: drawn hollow while passive, so
  /// the user sees which control the others line up with and take their size from.
  ///@{
  bool Primary() const { return primary_; }
  void SetPrimary(bool value);
  ///@}
  /// Active handles resize; passive ones (the multi colour) ignore the mouse.
  bool Active() const { return Color() == singleColor_; }
  /// True from the press on an active handle to the release.
  bool Resizing() const { return shape_ != nullptr; }

  /// The set the handle belongs to; not owned; set by the set, null outside one.
  ///@{
  THandlerRect* HandlerRect() const { return handlerRect_; }
  void SetHandlerRect(THandlerRect* value) { handlerRect_ = value; }
  ///@}
  /// The outline of the resize under way; owned; null when idle.
  TMultiShape* Shape() const { return shape_.get(); }
  /// The press that started the resize, in the handle's client coordinates, snapped to the steps.
  ///@{
  int StartX() const { return startX_; }
  int StartY() const { return startY_; }
  ///@}
  /// The control resized; not owned; null once it is dying.
  TControl* Control() const { return control_; }
  /// The control is dying: the handle no longer touches it.
  void ForgetControl() { control_ = nullptr; }
  /// The side of the handle in pixels.
  int HandleSize() const { return handleSize_; }
  /// The grid a resize snaps to, in pixels; 0 or less: none on that axis.
  ///@{
  int StepX() const { return stepX_; }
  int StepY() const { return stepY_; }
  ///@}
  /// The colour of an active handle, which also marks it active.
  TColor SingleColor() const { return singleColor_; }
  /// The colour of a passive handle; a change shows at the next ChangeColorMulti.
  ///@{
  TColor MultiColor() const { return multiColor_; }
  void SetMultiColor(TColor value) { multiColor_ = value; }
  ///@}
  /// The colour and width (pixels) of the pen the resize outline is drawn with, from the next
  /// resize on.
  ///@{
  TColor ShapeColor() const { return shapeColor_; }
  void SetShapeColor(TColor value) { shapeColor_ = value; }
  int ShapeWidth() const { return shapeWidth_; }
  void SetShapeWidth(int value) { shapeWidth_ = value; }
  ///@}

 protected:
  void Paint() override;
  /// Starts a resize (any button) on an active handle.
  void MouseDown(TMouseButton button, TShiftState shift, int x, int y) override;
  /// The common end of a resize: erases the outline, sends DSNM_RESIZE with the old bounds, moves
  /// the set's handles and remembers the new bounds. Nothing when no resize is under way.
  void MouseUp(TMouseButton button, TShiftState shift, int x, int y) override;

  // ---- For the concrete handles ----
  /// Puts the handle at `place` around Control.
  void Place(THandlePlace place);
  /// A move: the resize cursor on an active handle; during a resize the outline follows.
  void TrackResize(THandlePlace place, int x, int y);
  /// The release: resizes Control (a negative size flips across the edge that stayed), then
  /// finishes with TSmallRect::MouseUp.
  void EndResize(THandlePlace place, TMouseButton button, TShiftState shift, int x, int y);

 private:
  struct TBounds {
    int Left, Top, Width, Height;
  };
  /// Control's bounds for the mouse at (x, y) of this handle, before flipping: on the grid, or with
  /// a moved edge on a sibling's edge or centre where the set snaps and Alt is up (the snap lines
  /// shown follow).
  TBounds ResizedBounds(THandlePlace place, int x, int y);
  /// Sends `msg` about Control to its window.
  void SendToControl(UINT msg, WPARAM wParam, LPARAM lParam) const;

  THandlerRect* handlerRect_ = nullptr;  ///< not owned
  std::unique_ptr<TMultiShape> shape_;
  std::unique_ptr<TSnapGuides> guides_;  ///< of the resize under way
  bool primary_ = false;
  int startX_ = 0;
  int startY_ = 0;
  TControl* control_;  ///< not owned
  int handleSize_;
  int stepX_;
  int stepY_;
  TColor singleColor_;
  TColor multiColor_;
  TColor shapeColor_ = clGray;
  int shapeWidth_ = 2;
};

// ---------------------------------------------------------------------------------------------
// The handles, each a class of its own at its place (Migi right, Hidari left, ue upper, shita
// lower; the edge-middle ones are in DsnSub8)

/// A handle at a fixed place, with the class name `HandleName`; the aliases below are the
/// concrete handles.
template <TClassNameLiteral HandleName, THandleColumn Column, THandleRow Row>
class TPlacedRect : public TSmallRect {
  TAVELKO_NAMED_CLASS(TPlacedRect, TSmallRect, HandleName.Text)

 public:
  using TSmallRect::TSmallRect;
  void SetControl() override { Place(kPlace); }

 protected:
  /// The resize cursor on an active handle; during a resize the outline follows (TrackResize).
  void MouseMove(TShiftState, int x, int y) override { TrackResize(kPlace, x, y); }
  /// Ends a resize: the control takes the outline's bounds (EndResize).
  void MouseUp(TMouseButton button, TShiftState shift, int x, int y) override {
    EndResize(kPlace, button, shift, x, y);
  }

 private:
  static constexpr THandlePlace kPlace{Column, Row};
};

/// The handle at the upper right corner.
using TMigiueRect = TPlacedRect<"TMigiueRect", THandleColumn::Right, THandleRow::Top>;
/// The handle at the lower right corner.
using TMigishitaRect = TPlacedRect<"TMigishitaRect", THandleColumn::Right, THandleRow::Bottom>;
/// The handle at the upper left corner.
using THidariueRect = TPlacedRect<"THidariueRect", THandleColumn::Left, THandleRow::Top>;
/// The handle at the lower left corner.
using THidarishitaRect = TPlacedRect<"THidarishitaRect", THandleColumn::Left, THandleRow::Bottom>;

// ---------------------------------------------------------------------------------------------
// THandlerRect: the handles of one selected control

/// The handle set of one selected control: it owns its handles, and the selection's TMultiHandler
/// owns the sets. Variants add handles by overriding CreateSmallRect.
class THandlerRect : public TObject {
  TAVELKO_CLASS(THandlerRect, TObject)

 public:
  /// Makes a set and its handles (CreateSmallRect runs once the whole set exists). Sets with
  /// handles keep their constructors protected so that only Create makes them.
  template <class Set, class... Args>
  static std::unique_ptr<Set> Create(Args&&... args);
  /// Destroys the handles unless the set is dying (then their parent window destroys them).
  ~THandlerRect() override;

  // ---- What variants override ----
  /// Appends the handles: lower right, upper right, upper left, lower left.
  virtual void CreateSmallRect();
  /// Places every handle around the control, unless dying.
  virtual void SetControl();

  // ---- Operations ----
  /// Turns every handle passive (TSmallRect::ChangeColorMulti).
  void ChangeColorMulti();
  /// Marks the handles as those of the first of several selected controls (TSmallRect::Primary).
  void SetPrimary(bool value);
  /// The control is dying: the set and its handles forget it.
  void ForgetControl();

  /// Set when the handles are being destroyed with their parent window (a handle destroyed from
  /// outside sets it): the set then neither places nor deletes them.
  ///@{
  bool Dying() const { return dying_; }
  void SetDying(bool value) { dying_ = value; }
  ///@}
  /// The number of handles: four here, more in variants.
  int Count() const { return static_cast<int>(items_.size()); }
  TSmallRect* Items(int index) const;  ///< EListError outside the list
  /// The control's bounds SaveBounds remembered, in its parent's client coordinates; 0 before the
  /// first resize.
  ///@{
  int SavedWidth() const { return savedWidth_; }
  int SavedHeight() const { return savedHeight_; }
  int SavedLeft() const { return savedLeft_; }
  int SavedTop() const { return savedTop_; }
  ///@}
  /// The bounds remembered at the start of a resize and after it.
  void SaveBounds(const TRect& bounds);
  /// The control the handles surround; not owned; null once it is dying.
  TControl* Control() const { return control_; }
  /// What the set was made with and hands to its handles: their side and resize steps in pixels,
  /// the active and passive colours, the pen of the resize outline (see TSmallRect).
  ///@{
  int HandleSize() const { return handleSize_; }
  int StepX() const { return stepX_; }
  int StepY() const { return stepY_; }
  TColor SingleColor() const { return singleColor_; }
  TColor MultiColor() const { return multiColor_; }
  TColor ShapeColor() const { return shapeColor_; }
  int ShapeWidth() const { return shapeWidth_; }
  ///@}
  /// Resized edges snap to the siblings' edges and centres (SnapEdge).
  ///@{
  bool SnapLines() const { return snapLines_; }
  void SetSnapLines(bool value) { snapLines_ = value; }
  ///@}

 protected:
  /// A set for `control` (not owned) without handles yet; made only through Create.
  THandlerRect(TControl* control, int handleSize, int stepX, int stepY, int shapeWidth, TColor multiColor,
               TColor singleColor, TColor shapeColor);
  /// Appends a handle of class Handle made with this set's control, size, steps and colours.
  template <class Handle>
  Handle* AddHandle();

 private:
  friend class TSmallRect;
  template <class Set>
  class TMade;

  /// CreateSmallRect, then every handle joins the control's parent and this set.
  void MakeHandles();
  /// A handle is being destroyed from outside: the set stops touching its handles.
  void HandleDestroyed(TSmallRect* handle);

  bool dying_ = false;
  std::vector<std::unique_ptr<TSmallRect>> items_;
  int savedWidth_ = 0;
  int savedHeight_ = 0;
  int savedLeft_ = 0;
  int savedTop_ = 0;
  TControl* control_;  ///< not owned
  int handleSize_;
  int stepX_;
  int stepY_;
  TColor singleColor_;
  TColor multiColor_;
  TColor shapeColor_;
  int shapeWidth_;
  bool snapLines_ = false;
};

/// Runs MakeHandles after the most derived constructor, so that CreateSmallRect reaches the
/// variant. Part of Create's implementation; not for use on its own.
template <class Set>
class THandlerRect::TMade final : public Set {
 public:
  template <class... Args>
  explicit TMade(Args&&... args) : Set(std::forward<Args>(args)...) {
    this->MakeHandles();
  }
};

template <class Set, class... Args>
std::unique_ptr<Set> THandlerRect::Create(Args&&... args) {
  return std::make_unique<TMade<Set>>(std::forward<Args>(args)...);
}

template <class Handle>
Handle* THandlerRect::AddHandle() {
  auto handle = std::make_unique<Handle>(control_, handleSize_, stepX_, stepY_, multiColor_, singleColor_);
  Handle* result = handle.get();
  items_.push_back(std::move(handle));
  return result;
}

// ---------------------------------------------------------------------------------------------
// TMultiHandler: the handle sets of the selection

/// The grab handles of the selection: a receiver linked to the target list that keeps one handle
/// set per selected control, in selection order. A lone selected control has active handles;
/// with several, all are passive and the first control's are marked primary.
class TMultiHandler : public TReceiveTargets {
  TAVELKO_CLASS(TMultiHandler, TReceiveTargets)

 public:
  TMultiHandler();
  ~TMultiHandler() override;

  // ---- The selection ----
  void ItemDeath(int index) override;  ///< the set and its handles forget the control
  /// A set for a new control; with two or more sets all turn passive. Sends DSNM_SELECT.
  void Add(void* item) override;
  void Clear() override;
  /// Destroys the set; a lone remaining set is made anew, active.
  void Delete(int index) override;
  void SetPosition() override;

  // ---- What variants override ----
  /// The handle set of a newly selected control; variants return their own sets through MakeSet.
  virtual std::unique_ptr<THandlerRect> CreateHandlerRect(TControl* control);

  /// The number of handle sets.
  int Count() const { return static_cast<int>(items_.size()); }
  THandlerRect* Items(int index) const;  ///< EListError outside the list
  /// The set of `control`; null when it has none.
  THandlerRect* FindSet(TControl* control) const;

  /// What the sets made from now on take (see TSmallRect): the handles' side (6) and resize steps
  /// (6, 6) in pixels, the active colour (black), the passive colour (gray), and the colour (gray)
  /// and width (2 pixels) of the resize outline's pen. Sets already made keep theirs.
  ///@{
  int HandleSize() const { return handleSize_; }
  void SetHandleSize(int value) { handleSize_ = value; }
  int StepX() const { return stepX_; }
  void SetStepX(int value) { stepX_ = value; }
  int StepY() const { return stepY_; }
  void SetStepY(int value) { stepY_ = value; }
  TColor SingleColor() const { return singleColor_; }
  void SetSingleColor(TColor value) { singleColor_ = value; }
  TColor MultiColor() const { return multiColor_; }
  void SetMultiColor(TColor value) { multiColor_ = value; }
  TColor ShapeColor() const { return shapeColor_; }
  void SetShapeColor(TColor value) { shapeColor_ = value; }
  int ShapeWidth() const { return shapeWidth_; }
  void SetShapeWidth(int value) { shapeWidth_ = value; }
  ///@}
  /// The sets made from now on snap resized edges (THandlerRect::SnapLines).
  ///@{
  bool SnapLines() const { return snapLines_; }
  void SetSnapLines(bool value) { snapLines_ = value; }
  ///@}

 protected:
  /// A set of class Set for `control` with this handler's size, steps, colours and snapping.
  template <class Set>
  std::unique_ptr<THandlerRect> MakeSet(TControl* control) const {
    std::unique_ptr<THandlerRect> set = THandlerRect::Create<Set>(control, handleSize_, stepX_, stepY_, shapeWidth_,
                                                                   multiColor_, singleColor_, shapeColor_);
    set->SetSnapLines(snapLines_);
    return set;
  }
  /// For variants that decide themselves which sets to keep: appends a set (and returns it), puts
  /// a set in place of the one at `index` (destroyed; EListError outside the list), destroys
  /// every set.
  ///@{
  THandlerRect* AppendSet(std::unique_ptr<THandlerRect> set);
  void ReplaceSet(int index, std::unique_ptr<THandlerRect> set);
  void DestroySets();
  ///@}
  /// Whether `item` may get a set at all: not null, not a handle.
  static bool Selectable(void* item);
  /// Only the first of several sets shows hollow handles.
  void MarkPrimary();

 private:
  std::vector<std::unique_ptr<THandlerRect>> items_;  ///< empty when nothing is selected
  bool snapLines_ = false;
  int handleSize_ = 6;
  int stepX_ = 6;
  int stepY_ = 6;
  TColor singleColor_ = clBlack;
  TColor multiColor_ = clGray;
  TColor shapeColor_ = clGray;
  int shapeWidth_ = 2;
};
