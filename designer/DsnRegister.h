/// @file
/// TDsnRegister: the designer controller of one stage, a façade over its parts: the interceptors
/// (TDsnInterceptors), the gesture under way (TDsnGestureState), the transfer through streams
/// (TDsnTransfer) and the context menu (TDsnContextMenu). Its virtual operations are what variants
/// override.
#pragma once

#include <memory>
#include <vector>

#include "designer/DsnArrange.h"
#include "designer/DsnContextMenu.h"
#include "designer/DsnEvents.h"
#include "designer/DsnGestureState.h"
#include "designer/DsnInterceptors.h"
#include "designer/DsnList.h"
#include "designer/DsnPanel.h"
#include "designer/DsnProp.h"
#include "designer/DsnRubberband.h"
#include "designer/DsnShape.h"
#include "designer/DsnSnap.h"
#include "designer/DsnStage.h"
#include "designer/DsnTransfer.h"
#include "designer/Dsnhandle.h"
#include "framework/core/ComponentLink.h"
#include "framework/stdctrls/Menus.h"

class TDsnPartner;
class TReader;

/// While design mode is on, the stage and every windowed control on it that the stage's owner owns
/// are intercepted (TDsnCtrl); their mouse input selects, drags outlines on the move grid and moves
/// the selection on release, or creates a copy of the palette's template. The selection (a target
/// list) drives the grab handles and the property model.
class TDsnRegister : public TComponent {
  TAVELKO_CLASS(TDsnRegister, TComponent)
  static void Publish(TPublisher<TDsnRegister>& p);

 public:
  explicit TDsnRegister(TComponent* owner);
  ~TDsnRegister() override;

  /// Hears of every component inserted under or removed from the owner it was made with: a
  /// removed control leaves the interceptors and the selection.
  void Notification(TComponent* component, TOperation operation) override;

  // ---- The designed stage and its helpers (not owned; cleared when they go) ----
  TDsnStage* DsnStage() const { return dsnStage_; }
  /// Also takes the stage's rubber-band settings (later changes to them are not seen).
  void SetDsnStage(TDsnStage* value);
  TCustomCmpPlt* DsnPanel() const { return dsnPanel_; }
  void SetDsnPanel(TCustomCmpPlt* value) { dsnPanel_.Set(value); }

  // ---- Options ----
  /// A dragged selection, or an edge dragged by a grab handle, snaps to the edges and centres of
  /// its siblings, with a line showing the alignment while it holds (SnapMove, SnapEdge); Alt held
  /// drags without. Off unless set.
  bool SnapLines() const { return snapLines_; }
  void SetSnapLines(bool value);
  /// The alignment lines on the screen now, in screen coordinates; none outside a drag.
  std::vector<TSnapLine> SnapLinesShown() const { return gesture_.SnapLinesShown(); }
  TCustomInspector* DsnInspector() const { return dsnInspector_; }
  void SetDsnInspector(TCustomInspector* value) { dsnInspector_.Set(value); }
  TArrowButton* ArrowButton() const { return arrowButton_; }
  void SetArrowButton(TArrowButton* value) { arrowButton_.Set(value); }

  // ---- Design mode ----
  /// On: intercepts the stage, makes the context menu, switches partners, palette and inspector
  /// on. Off: gives every window its procedure back and forgets the selection. Nothing when
  /// unchanged.
  virtual void SetDesigning(bool value);
  bool Designing() const { return designing_; }

  // ---- Hooks: nothing here ----
  /// An intercepted control is being destroyed.
  virtual void AlertClientDeath() {}
  /// A selected control is being destroyed.
  virtual void AlertTargetDeath() {}
  /// A control received a handle set (DSNM_SELECT).
  virtual void Selected(TControl* control, TMessage& message);

  // ---- Mouse input from the interceptors ----
  /// `control` is the intercepted window that received the message, `component` the control under
  /// the mouse, `point` the mouse in control's client coordinates. The press decides the gesture
  /// (creating with an armed palette template, else moving); its moves and release follow it.
  virtual void MouseDown(TWinControl* control, TComponent* component, TShiftState shift, const TPoint& point);
  virtual void MoseMove(TWinControl* control, const TPoint& point, TShiftState shift);
  virtual void MoseUp(TWinControl* control, const TPoint& point, TShiftState shift);
  /// Drawing the rectangle of a new control from the palette's template.
  virtual void MouseDownCreate(TWinControl* control, TComponent* component, TShiftState shift, const TPoint& point);
  virtual void MouseMoveCreate(TWinControl* control, const TPoint& point, TShiftState shift);
  virtual void MouseUpCreate(TWinControl* control, const TPoint& point, TShiftState shift);
  /// Selecting and moving the selection.
  virtual void MouseDownMove(TWinControl* control, TComponent* component, TShiftState shift, const TPoint& point);
  virtual void MouseMoveMove(TWinControl* control, const TPoint& point, TShiftState shift);
  virtual void MouseUpMove(TWinControl* control, const TPoint& point, TShiftState shift);
  /// Raises the stage's OnCoverDblClick.
  virtual void DbClick(TControl* control, TWMMouse& message);
  /// Selects as a left press does, without an outline; then the context menu when there is one.
  virtual void CallPopupMenu(TWinControl* control, TControl* component, int x, int y);
  virtual void RButtonDown(TWinControl* control, TControl* component, int x, int y);
  /// A grab handle resized `control`; the message holds its old bounds.
  virtual void Resized(TControl* control, TResizeMessage& message);
  /// The selection was moved by start minus end.
  virtual void Moved(int dx, int dy);
  /// The inspector asks for `control` to be the selection.
  void SelectByInspect(TControl* control);

  // ---- Keyboard moves ----
  /// Moves the selection one step in the direction (dx, dy), each -1, 0 or 1, or with `resize`
  /// widens or narrows it, heightens or lowers it by one step; a step is the move grid, or one
  /// pixel when `fine`. Only a selection sharing one parent is nudged, never the stage itself,
  /// and never further out of its parent's client area than it already was.
  void Nudge(int dx, int dy, bool resize, bool fine);

  // ---- Arranging ----
  /// Whether the selection can be arranged so: enough controls, all of one parent, not the stage.
  bool CanArrange(TDsnArrangement what) const;
  /// Stacks, lines up, sizes or spaces the selection (ArrangeControls, the first selected control
  /// the one the others follow, on the move grid); one design change when anything changed.
  void Arrange(TDsnArrangement what);

  // ---- Changes ----
  /// Raised after the designer may have changed the design: a drag or creation ended, a grab
  /// handle resized, a paste, a delete, a value from the context menu, a nudge. Not stored.
  TNotifyEvent OnDesignChange;
  void DesignChanged() { OnDesignChange(this); }

  // ---- Clipboard and delete ----
  /// The name of the designer's clipboard format.
  static constexpr const char* kClipboardFormatName = TDsnTransfer::kClipboardFormatName;
  /// A selection exists and shares one parent.
  virtual bool CanCopy();
  /// At most one control is selected, that one holds controls, and the clipboard has the
  /// designer's format.
  virtual bool CanPaste();
  /// The container of a paste while nothing is selected: the stage.
  virtual TWinControl* PasteZero();
  /// Copy, then Delete, when the selection can be copied.
  virtual void Cut();
  /// The selected controls, in selection order, as one block of component streams on the
  /// clipboard: the stream's length (32 bits), the records, a zero byte.
  virtual void Copy();
  /// The clipboard's controls into the selected container, or PasteZero() without a selection, at
  /// their copied positions and with free names; they become the selection. A block whose length
  /// does not fit it, or whose streams are damaged, pastes nothing and raises EReadError.
  virtual void Paste();
  /// Destroys the selected controls that the stage's delete query allows, deepest first. The stage
  /// itself is never destroyed.
  virtual void Delete();
  /// Each top-level component of a paste: intercepted, moved back inside its parent, selected.
  void ComponentsProcClipbrd(TComponent* component);
  /// Sorts controls by depth below the stage, shallowest first (equal depths keep their order).
  void SortForDelete(TList* controls) const;

  // ---- Creating ----
  /// Each top-level component read by a palette copy: remembered as the new component.
  virtual void ComponentsProc(TComponent* component) { gesture_.SetNewComponent(component); }
  /// The class name without its first letter and the first free number: Shape1, Shape2, ...
  virtual void GiveName(TComponent* component);
  /// A copy of `source` inside `parent`, through a component stream; each top-level component read
  /// goes to ComponentsProc. `source` keeps its name.
  void CopyPaste(TControl* source, TWinControl* parent);
  /// The name hook of reading: a unique name, and the stage hears of the new component.
  void CheckName(TReader* reader, TComponent* component, String& name);

  // ---- The context menu ----
  /// Borrows the items of the stage's cover menu; nothing when the stage offers no menu.
  virtual void CreateContextMenu();
  /// OnClick of a property item: the stage's OnMenuClick may change the value, which is then
  /// written to every selected control.
  virtual void MenuMethod(TObject* sender);

  // ---- Partners and extra selection receivers (not owned) ----
  virtual void AddPartners(TDsnPartner* partner);
  virtual void RemovePartners(TDsnPartner* partner);
  /// Linked to every target list made from now on, after the handles and the property model.
  virtual void AddNotifies(TReceiveTargets* receiver);
  void RemoveNotifies(TReceiveTargets* receiver);

  // ---- Selection ----
  void ClearSelect();
  /// Whether `control` lies on the stage and the stage's queries let it be covered and moved.
  bool CheckCanSelect(TControl* control);
  /// True without a selection, else when every selected control has the first one's parent.
  bool SameParent() const;
  /// Snaps toward 0 to the move grid; a grid of 0 or less leaves that coordinate.
  void Cutting(int& x, int& y) const;
  /// Replaces the selection with a new, empty one linked to the handles, the model and the
  /// receivers.
  TTargetList* NewTargetList();

  // ---- Interception ----
  void CreateSubClass();
  /// Intercepts `control` and the windows below it as the stage's cover query allows.
  void SetSubClass(TWinControl* control);
  void DestroySubClass();
  /// The stage's handling of DSNM_CLIENTDEATH: a dropped interceptor is destroyed; a live one
  /// whose window was made anew takes the new window. Unknown interceptors are ignored.
  void ClientDeath(TDsnCtrl* interceptor);
  /// Every live interceptor whose window was destroyed takes its control's window again.
  void ReattachInterceptors();
  /// The outline set of moving the selection, with one outline per selected control.
  TMultiShape* StartMoveShape();
  /// Gives the stage the keyboard focus: in design mode only the stage takes keys.
  void FocusStage();
  /// True while a whole tree of windows is intercepted or released: its interceptors leave the
  /// repainting to one repaint of the tree at the end.
  bool RepaintDeferred() const { return interceptors_.RepaintDeferred(); }

  // ---- State ----
  TDsnGesture Gesture() const { return gesture_.Kind(); }
  TDsnList* DsnList() const { return interceptors_.List(); }
  TTargetList* TargetList() const { return targetList_.get(); }
  TMultiHandler* Handler() const { return handler_.get(); }
  TMultiProps* Props() const { return props_.get(); }
  TPopupMenu* ContextMenu() const { return contextMenu_.Menu(); }
  TMultiShape* Shape() const { return gesture_.Shape(); }
  TWinControl* DrawParent() const { return gesture_.DrawParent(); }
  int StartX() const { return gesture_.Start().X; }
  int StartY() const { return gesture_.Start().Y; }
  TComponent* NewComponent() const { return gesture_.NewComponent(); }
  /// Settings taken from the stage's rubber band.
  int MoveWidth() const { return band_.MoveWidth(); }
  int MoveHeight() const { return band_.MoveHeight(); }
  TColor Color() const { return band_.Color(); }
  int PenWidth() const { return band_.PenWidth(); }

 protected:
  // ---- Factories that variants replace ----
  virtual std::unique_ptr<TMultiHandler> CreateHandler();
  virtual std::unique_ptr<TMultiShape> CreateCopyShape();
  virtual std::unique_ptr<TMultiShape> CreateMoveShape();
  virtual std::unique_ptr<TDsnCtrl> CreateSubCtrl(TWinControl* control);
  /// A new selection with the handles, the property model and the receivers linked to it.
  virtual std::unique_ptr<TTargetList> CreateList();
  virtual std::unique_ptr<TDsnList> CreateDsnList();
  std::unique_ptr<TMultiProps> CreateProps();

  // ---- For variants: the state of a gesture ----
  void SetGesture(TDsnGesture value) { gesture_.SetKind(value); }
  void SetDrawParent(TWinControl* value) { gesture_.SetDrawParent(value); }
  /// The snapped start point of the gesture.
  void SetStartPoint(const TPoint& point) { gesture_.SetStart(point); }
  /// The stage's select query for `component` (all accepted without a stage or handler).
  TSelectAccept AskSelect(TObject* sender, TComponent* component);
  /// The target list, made when there is none.
  TTargetList* EnsureTargetList();
  /// What a drawing gesture pressed on `control` is drawn on: the control itself when it holds
  /// controls, else its parent; and a point of `control` in that one's coordinates.
  static TWinControl* DrawingParentOf(TWinControl* control);
  static TPoint InDrawingParent(TWinControl* control, TPoint point);
  /// Replaces the outline set (the old one is erased) and gives the new one the controller's pen.
  TMultiShape* TakeShape(std::unique_ptr<TMultiShape> shape);
  /// Erases and destroys the outline set, and the snap lines, if any.
  void DropShape() { gesture_.DropShape(); }
  /// Where a move takes the selection for the pointer at `point` (the drawing parent's client
  /// coordinates): on the move grid, or, with snap lines on and Alt up, lined up with a sibling on
  /// an axis where one is near; the snap lines shown follow.
  TPoint MoveTarget(const TPoint& point, TShiftState shift);
  /// The parent a gesture draws on went away in the middle of it: whatever the gesture drew is
  /// erased, the pointer freed, and the gesture ends. Variants with outlines of their own drop them
  /// too.
  virtual void AbandonGesture();
  /// The press's selecting steps shared by left and right presses: false when the press selects
  /// nothing (the stage's select query refused).
  bool SelectForPress(TWinControl* control, TComponent* component);

 private:
  /// InDrawingParent with the grid snap before or after the move.
  TPoint CreationPoint(TWinControl* control, TPoint point, bool snapFirst);
  /// The stage's move query for `control` (allowed without a stage).
  bool AskMove(TControl* control);

  bool designing_ = false;
  TComponentLink<TCustomCmpPlt> dsnPanel_;
  TComponentLink<TDsnStage> dsnStage_;
  TComponentLink<TCustomInspector> dsnInspector_;
  TComponentLink<TArrowButton> arrowButton_;
  /// The stage's rubber band as it was when the stage was assigned.
  TRubberband band_;
  bool snapLines_ = false;
  std::vector<TReceiveTargets*> notifies_;  ///< not owned; each removes itself
  TComponentLinkList<TDsnPartner> partners_;
  std::unique_ptr<TTargetList> targetList_;
  std::unique_ptr<TMultiHandler> handler_;
  std::unique_ptr<TMultiProps> props_;
  TDsnContextMenu contextMenu_;
  TDsnGestureState gesture_;
  TDsnInterceptors interceptors_;
  TDsnTransfer transfer_;
};

