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
///
/// Variants (TDsnClRegister, TDsnMlRegister) derive from it and override the virtual operations
/// and factories. Like the whole framework the designer is single-threaded: every call, the
/// intercepted windows' messages included, happens on the thread that runs the message loop.
class TDsnRegister : public TComponent {
  TAVELKO_CLASS(TDsnRegister, TComponent)
  static void Publish(TPublisher<TDsnRegister>& p);

 public:
  /// `owner` is normally the form that owns the designed controls: the controller hears of every
  /// component inserted under it or removed from it. Design mode starts off.
  explicit TDsnRegister(TComponent* owner);
  ~TDsnRegister() override;

  /// Hears of every component inserted under or removed from the owner it was made with: a
  /// removed control leaves the interceptors and the selection.
  void Notification(TComponent* component, TOperation operation) override;

  // ---- The designed stage and its helpers (not owned; cleared when they go) ----
  /// The stage whose controls are designed; may be null. Setting it makes this controller the
  /// stage's controller (a stage left behind loses it) and also takes the stage's rubber-band
  /// settings (later changes to them are not seen).
  ///@{
  TDsnStage* DsnStage() const { return dsnStage_; }
  void SetDsnStage(TDsnStage* value);
  ///@}
  /// The component palette: while it holds an armed template, a left press draws a copy of it
  /// instead of selecting. Switched on and off with design mode; may be null.
  ///@{
  TCustomCmpPlt* DsnPanel() const { return dsnPanel_; }
  void SetDsnPanel(TCustomCmpPlt* value) { dsnPanel_.Set(value); }
  ///@}

  // ---- Options ----
  /// A dragged selection, or an edge dragged by a grab handle, snaps to the edges and centres of
  /// its siblings, with a line showing the alignment while it holds (SnapMove, SnapEdge); Alt held
  /// drags without. Off unless set; a change reaches the current grab handles at once.
  ///@{
  bool SnapLines() const { return snapLines_; }
  void SetSnapLines(bool value);
  ///@}
  /// The alignment lines on the screen now, in screen coordinates; none outside a drag.
  std::vector<TSnapLine> SnapLinesShown() const { return gesture_.SnapLinesShown(); }
  /// The inspector that shows and edits the selection's properties; may be null. Switched on and
  /// off with design mode; each new selection gets a property model (Props) that feeds it. Set it
  /// before the selection it is to show is made.
  ///@{
  TCustomInspector* DsnInspector() const { return dsnInspector_; }
  void SetDsnInspector(TCustomInspector* value) { dsnInspector_.Set(value); }
  ///@}
  /// The palette's arrow button, which disarms the palette's template; handed to the palette
  /// (and the palette to it) when design mode is switched on. May be null.
  ///@{
  TArrowButton* ArrowButton() const { return arrowButton_; }
  void SetArrowButton(TArrowButton* value) { arrowButton_.Set(value); }
  ///@}

  // ---- Design mode ----
  /// On: intercepts the stage, makes the context menu, switches partners, palette and inspector
  /// on. Off: gives every window its procedure back and forgets the selection. Nothing when
  /// unchanged. Partners hear of the change first.
  ///@{
  virtual void SetDesigning(bool value);
  bool Designing() const { return designing_; }
  ///@}

  // ---- Hooks: nothing here ----
  /// An intercepted control is being destroyed.
  virtual void AlertClientDeath() {}
  /// A selected control is being destroyed.
  virtual void AlertTargetDeath() {}
  /// A control received a handle set (DSNM_SELECT).
  virtual void Selected(TControl* control, TMessage& message);

  // ---- Mouse input from the interceptors ----
  /// A left press, move and release that an interceptor received. The press decides the gesture
  /// (creating with an armed palette template, else moving); its moves and release follow it. A
  /// move without the left button held abandons a move gesture. `control` is the intercepted
  /// window that received the message, `component` the control under the mouse, `point` the mouse
  /// in control's client coordinates.
  ///@{
  virtual void MouseDown(TWinControl* control, TComponent* component, TShiftState shift, const TPoint& point);
  virtual void MoseMove(TWinControl* control, const TPoint& point, TShiftState shift);
  virtual void MoseUp(TWinControl* control, const TPoint& point, TShiftState shift);
  ///@}
  /// Drawing the rectangle of a new control from the palette's template. The press (when the
  /// stage's select query grants saCreate) starts an outline on the pressed container, or on the
  /// parent of a control that holds none; the release copies the template there, names the copy
  /// (GiveName), sizes it to the rectangle and selects it. A template that cannot be copied creates
  /// nothing. The palette's template is disarmed at the end either way.
  ///@{
  virtual void MouseDownCreate(TWinControl* control, TComponent* component, TShiftState shift, const TPoint& point);
  virtual void MouseMoveCreate(TWinControl* control, const TPoint& point, TShiftState shift);
  virtual void MouseUpCreate(TWinControl* control, const TPoint& point, TShiftState shift);
  ///@}
  /// Selecting and moving the selection: the press selects `component` (keeping a selection it
  /// already belongs to) and starts the outlines; moves drag them (MoveTarget); the release moves
  /// every selected control the stage's move query allows and reports a real move to Moved.
  ///@{
  virtual void MouseDownMove(TWinControl* control, TComponent* component, TShiftState shift, const TPoint& point);
  virtual void MouseMoveMove(TWinControl* control, const TPoint& point, TShiftState shift);
  virtual void MouseUpMove(TWinControl* control, const TPoint& point, TShiftState shift);
  ///@}
  /// Raises the stage's OnCoverDblClick.
  virtual void DbClick(TControl* control, TWMMouse& message);
  /// Selects as a left press does, without an outline; then the context menu when there is one.
  virtual void CallPopupMenu(TWinControl* control, TControl* component, int x, int y);
  /// The selecting part of a right press: `component` is selected as a left press selects it and
  /// the handles follow; `x` and `y` (control's client coordinates) are not used here.
  virtual void RButtonDown(TWinControl* control, TControl* component, int x, int y);
  /// A grab handle resized `control`; the message holds its old bounds.
  virtual void Resized(TControl* control, TResizeMessage& message);
  /// The selection was moved by a drag; `dx`, `dy` are start minus end, in pixels. Refreshes the
  /// property model's values.
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
  /// Raises OnDesignChange; variants call it after changing the design on their own.
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
  /// does not fit it, or whose streams are damaged, pastes nothing, leaves the selection as it was
  /// and raises EReadError.
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
  /// A partner follows the design mode from now on (added once); RemovePartners forgets it.
  /// TDsnPartner::SetDsnRegister and its destructor call these.
  ///@{
  virtual void AddPartners(TDsnPartner* partner);
  virtual void RemovePartners(TDsnPartner* partner);
  ///@}
  /// Linked to every target list made from now on, after the handles and the property model;
  /// RemoveNotifies stops that (a list already linked stays linked). A receiver must be removed
  /// before it is destroyed.
  ///@{
  virtual void AddNotifies(TReceiveTargets* receiver);
  void RemoveNotifies(TReceiveTargets* receiver);
  ///@}

  // ---- Selection ----
  /// Empties the selection; its grab handles go. Nothing without a target list.
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
  /// Intercepts the stage and the windows below it (SetSubClass); nothing but the interceptor list
  /// without a stage. Design mode calls it.
  void CreateSubClass();
  /// Intercepts `control` and the windows below it as the stage's cover query allows.
  void SetSubClass(TWinControl* control);
  /// Destroys every interceptor, giving each window its procedure back, and repaints the stage
  /// once.
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
  // The objects returned here are owned by the controller unless said otherwise; keep no pointer
  // to them across a change of the selection or of design mode.
  /// The mouse gesture under way (TDsnGesture::Idle between gestures).
  TDsnGesture Gesture() const { return gesture_.Kind(); }
  /// The interceptors; null until design mode was first switched on.
  TDsnList* DsnList() const { return interceptors_.List(); }
  /// The selection; null before the first selection and after design mode ends. Replaced by
  /// NewTargetList, which destroys the old one.
  TTargetList* TargetList() const { return targetList_.get(); }
  /// The grab handles of the current selection; null when it was made without a stage.
  TMultiHandler* Handler() const { return handler_.get(); }
  /// The property model that feeds the inspector; null when the selection was made without one.
  TMultiProps* Props() const { return props_.get(); }
  /// The context menu of design mode, owned by the controller's owner and destroyed by the
  /// controller; null outside design mode or when the stage offers no menu.
  TPopupMenu* ContextMenu() const { return contextMenu_.Menu(); }
  /// The outlines the gesture under way draws; null when it draws none.
  TMultiShape* Shape() const { return gesture_.Shape(); }
  /// The control the gesture draws on and moves in; null when none (cleared when it goes).
  TWinControl* DrawParent() const { return gesture_.DrawParent(); }
  /// The gesture's snapped start point, in DrawParent's client coordinates.
  ///@{
  int StartX() const { return gesture_.Start().X; }
  int StartY() const { return gesture_.Start().Y; }
  ///@}
  /// What the palette copy under way made; null outside a creation (cleared when it goes).
  TComponent* NewComponent() const { return gesture_.NewComponent(); }
  /// Settings taken from the stage's rubber band when the stage was set. The move grid in pixels
  /// (0 or less: none on that axis), and the colour and width of the outlines' pen.
  ///@{
  int MoveWidth() const { return band_.MoveWidth(); }
  int MoveHeight() const { return band_.MoveHeight(); }
  TColor Color() const { return band_.Color(); }
  int PenWidth() const { return band_.PenWidth(); }
  ///@}

 protected:
  // ---- Factories that variants replace ----
  /// The grab handles of a new selection (made when a stage is set); the controller then gives
  /// them the rubber band's steps and pen and the snap-line setting.
  virtual std::unique_ptr<TMultiHandler> CreateHandler();
  /// The outlines drawn while a new control is drawn from the palette's template.
  virtual std::unique_ptr<TMultiShape> CreateCopyShape();
  /// The outlines drawn while the selection is dragged.
  virtual std::unique_ptr<TMultiShape> CreateMoveShape();
  /// The interceptor of `control`, made with TClientAgent::Create; the controller sets itself as
  /// its controller afterwards.
  virtual std::unique_ptr<TDsnCtrl> CreateSubCtrl(TWinControl* control);
  /// A new selection with the handles, the property model and the receivers linked to it. The
  /// previous handles and property model are destroyed first.
  virtual std::unique_ptr<TTargetList> CreateList();
  /// The list that will own the interceptors; made once.
  virtual std::unique_ptr<TDsnList> CreateDsnList();
  /// The property model of a new selection, made when an inspector is set.
  std::unique_ptr<TMultiProps> CreateProps();

  // ---- For variants: the state of a gesture ----
  /// Sets the kind of the gesture under way; a variant's own gestures set theirs at the press.
  void SetGesture(TDsnGesture value) { gesture_.SetKind(value); }
  /// Sets the control the gesture draws on; not owned. Should it be destroyed during the
  /// gesture, AbandonGesture runs.
  void SetDrawParent(TWinControl* value) { gesture_.SetDrawParent(value); }
  /// The snapped start point of the gesture.
  void SetStartPoint(const TPoint& point) { gesture_.SetStart(point); }
  /// The stage's select query for `component` (all accepted without a stage or handler).
  TSelectAccept AskSelect(TObject* sender, TComponent* component);
  /// The target list, made when there is none.
  TTargetList* EnsureTargetList();
  /// What a drawing gesture pressed on `control` is drawn on: the control itself when it holds
  /// controls, else its parent; and a point of `control` in that one's coordinates.
  ///@{
  static TWinControl* DrawingParentOf(TWinControl* control);
  static TPoint InDrawingParent(TWinControl* control, TPoint point);
  ///@}
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

