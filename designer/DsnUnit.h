// The run-time designer's controller and its visible side: TDsnRegister (the controller),
// TDsnStage (the panel the designed controls lie on, with its settings, events, keyboard commands
// and posted-message handlers), TDsnCtrl (the interceptor of one designed window), TDsnSwitch (the
// toggle that switches design mode), TDsnPartner (the base of the controller's partners),
// TRubberband (the stage's drag settings) and the unit's class registration. The definitions are
// in DsnUnit.cpp (the controller's life, mode and selection; switch; partner), DsnUnitStage.cpp,
// DsnUnitIntercept.cpp, DsnUnitMouse.cpp and DsnUnitTransfer.cpp (clipboard, delete, copies).
//
// Sections: messages and event types · TRubberband · TDsnStage · TDsnCtrl · TDsnSwitch ·
// TDsnPartner · TDsnMenuItem, TDsnList · TDsnGesture · TDsnRegister · registration.
#pragma once

#include <windows.h>

#include <cstdint>
#include <memory>
#include <vector>

#include "designer/DsnAgent.h"
#include "designer/DsnArrange.h"
#include "designer/DsnList.h"
#include "designer/DsnPanel.h"
#include "designer/DsnProp.h"
#include "designer/DsnShape.h"
#include "designer/DsnSnap.h"
#include "designer/Dsnfunc.h"
#include "designer/Dsnhandle.h"
#include "framework/core/ComponentLink.h"
#include "framework/core/Strings.h"
#include "framework/stdctrls/Menus.h"
#include "framework/stdctrls/Panel.h"
#include "framework/stdctrls/SpeedButton.h"
#include "streaming/ComponentWriter.h"
#include "streaming/DocumentRules.h"

class TDsnRegister;
class TDsnCtrl;
class TDsnList;
class TDsnPartner;
class TReader;
class TStream;

// ---------------------------------------------------------------------------------------------
// Messages posted to the stage (WParam the object concerned, LParam 0)

constexpr UINT DSNM_CLIENTDEATH = WM_USER + 576;     // an intercepted window is being destroyed
constexpr UINT DSNM_CONTROLCREATED = WM_USER + 580;  // a control was created by the designer
constexpr UINT DSNM_CONTROLLOADED = WM_USER + 581;   // a control was read from a stream

// ---------------------------------------------------------------------------------------------
// What the application answers while designing (a query's last argument starts permissive)

enum TCoverAccept : std::uint8_t { caAllAccept, caNoAccept, caChildrenAccept };
enum TSelectAcceptFlag : std::uint8_t { saCreate, saMove };
using TSelectAccept = TSet<TSelectAcceptFlag>;

using TDeleteQuery = TEvent<TObject*, TComponent*, bool&>;
using TCoverQuery = TEvent<TObject*, TComponent*, TCoverAccept&>;
using TSelectQuery = TEvent<TObject*, TComponent*, TSelectAccept&>;
using TMoveQuery = TEvent<TObject*, TComponent*, bool&>;
using TControlCreate = TEvent<TObject*, TComponent*>;
using TCallCompoEditor = TEvent<TObject*, TComponent*>;

// ---------------------------------------------------------------------------------------------
// TRubberband: the pen of drag outlines and the grid of moves

class TRubberband : public TPersistent {
  TAVELKO_CLASS(TRubberband, TPersistent)
  static void Publish(TPublisher<TRubberband>& p);

 public:
  explicit TRubberband(TPersistent* owner = nullptr) : owner_(owner) {}
  void Assign(TPersistent* source) override;
  TPersistent* GetOwner() override { return owner_; }

  TColor Color() const { return color_; }
  void SetColor(TColor value) { color_ = value; }
  int PenWidth() const { return penWidth_; }
  void SetPenWidth(int value) { penWidth_ = value; }
  // The grid of moves, creations and handle steps; 0 or less: no grid on that axis.
  int MoveWidth() const { return moveWidth_; }
  void SetMoveWidth(int value) { moveWidth_ = value; }
  int MoveHeight() const { return moveHeight_; }
  void SetMoveHeight(int value) { moveHeight_ = value; }

 private:
  TPersistent* owner_;  // not owned
  TColor color_ = clGray;
  int penWidth_ = 2;
  int moveWidth_ = 8;
  int moveHeight_ = 8;
};

// ---------------------------------------------------------------------------------------------
// TDsnStage: the panel whose controls are designed

class TDsnStage : public TPanel {
  TAVELKO_CLASS(TDsnStage, TPanel)
  static void Publish(TPublisher<TDsnStage>& p);

 public:
  explicit TDsnStage(TComponent* owner);
  ~TDsnStage() override;

  // ---- What descendants override ----
  // Told by the controller when design mode ends; nothing here.
  virtual void SetDesignig(bool value);

  // ---- The controller's operations on its selection (nothing without a controller) ----
  bool GetCanCopy();
  bool GetCanPaste();
  void Delete();
  void Cut();
  void Copy();
  void Paste();
  // The number of selected controls; -1 without a controller or a selection.
  int TargetsCount() const;
  TControl* GetControls(int index) const;
  // The handles follow changed bounds.
  void UpdateControl();

  // ---- Stage files and streams ----
  // Every child control as the signature and its record, after the controller's selection was
  // cleared. A file ends with one zero byte per control written (an empty stage gives an empty
  // file), a stream with a single zero byte. A file is replaced only once fully written.
  void SaveToFile(const String& fileName);
  void SaveToStream(TStream* stream);
  // Replace the stage's controls with the ones read, with design mode off meanwhile. A file that
  // cannot be opened raises EFOpenError naming it; one that cannot be read raises EReadError
  // fileName + " can not be read: " and the reason (the damage, the document rules' refusal, a
  // lack of memory). A damaged or refused file or stream leaves the stage, its selection and the
  // design mode as they were.
  void LoadFromFile(const String& fileName);
  void LoadFromStream(TStream* stream);
  // Each top-level component loaded; nothing here.
  void ComponentsProc(TComponent*) {}
  // The stream SaveToStream writes, but with the selection left alone (grab handles belong to no
  // form and are passed over) and the controls as they are outside design mode; `property` may
  // replace or leave out properties.
  void WriteDesign(TStream& stream, const TComponentWriter::TPropertyHook& property = {});

  // ---- What stage files, streams and pasted blocks may make ----
  // The rules every stream the stage reads is held to, the controller's pastes included. By
  // default: any control class, no handler of the form, TDocumentRules' budgets with pictures
  // measured before they are decoded, and no control more than kMaxControlScale times as wide or
  // as high as the stage.
  TDocumentRules& DocumentRules() { return documentRules_; }
  static constexpr int kMaxControlScale = 16;

  // ---- Notices posted to the stage about components ----
  // OnControlCreate / OnControlLoaded follow once the current message is done, for a component
  // that still exists then.
  void PostControlCreated(TComponent* component);
  void PostControlLoaded(TComponent* component);

  // ---- Settings ----
  // "Name" or "Name|Caption" entries: the properties the context menu offers. Owned; copied in.
  TStrings* SelfProps() const { return selfProps_.get(); }
  void SetSelfProps(TStrings* value) { selfProps_->Assign(value); }
  // Property names the context menu withholds while more than one control is selected.
  TStrings* OutProps() const { return outProps_.get(); }
  void SetOutProps(TStrings* value) { outProps_->Assign(value); }
  TRubberband* Rubberband() const { return rubberband_.get(); }
  void SetRubberband(TRubberband* value) { rubberband_->Assign(value); }
  // A menu whose items the designer's context menu borrows while design mode is on; not owned.
  TPopupMenu* CoverMenu() const { return coverMenu_; }
  void SetCoverMenu(TPopupMenu* value) { coverMenu_.Set(value); }
  // Stored with the stage; no designer operation consults them.
  bool FixPosition() const { return fixPosition_; }
  void SetFixPosition(bool value) { fixPosition_ = value; }
  bool FixSize() const { return fixSize_; }
  void SetFixSize(bool value) { fixSize_ = value; }

  // The controller designing this stage; set by the controller.
  TDsnRegister* Controller() const { return controller_; }
  void SetController(TDsnRegister* value) { controller_.Set(value); }

  // ---- Events ----
  TDeleteQuery OnDeleteQuery;
  TCoverQuery OnCoverQuery;
  TSelectQuery OnSelectQuery;
  TMoveQuery OnMoveQuery;
  TControlCreate OnControlCreate;
  TControlCreate OnControlLoaded;
  TControlCreate OnControlLoading;
  TCallCompoEditor OnCoverDblClick;
  TCallPropEditor OnMenuClick;
  TNotifyEvent OnPopup;

 protected:
  // Ctrl+C, Ctrl+X and Ctrl+V copy, cut and paste; the character then reaches OnKeyPress as 0.
  void KeyPress(char& key) override;
  // Delete deletes the selection.
  void WMKeyUp(TWMKey& message) override;
  void Dispatch(TMessage& message) override;
  // After the stage's windows were made anew the interceptors take them over again.
  void CreateHandle() override;

  // ---- Hooks of stage files ----
  // A loaded component gets a name unique under the form; OnControlLoading hears of it at once,
  // OnControlLoaded once the current message is done.
  virtual void CheckName(TReader* reader, TComponent* component, String& name);
  // One control as the signature and its record, relative to the form.
  virtual void WriteComponents(TStream* stream, TControl* control);
  // Reads the whole stream from its start aside, then destroys the stage's controls and puts the
  // new ones in their place.
  virtual void ReadComponents(TStream* stream);
  // Every property that cannot be read is skipped.
  virtual void ReadError(TReader* reader, const String& message, bool& handled);
  // An event whose handler the form does not publish stays empty.
  virtual void FindMethod(TReader* reader, const String& methodName, const TMethodCode*& code, bool& error);

 private:
  // An interceptor's window was destroyed: the dying interceptor goes, a live one takes the new
  // window.
  void ClientDeth(TMessage& message);
  void ControlNotice(TMessage& message, const TControlCreate& event);
  void PostNotice(UINT msg, TComponent* component);
  // The records of every child control, then one zero byte per control or a single one.
  void WriteControls(TStream& stream, bool markEachControl);
  // Runs `load` with the controller's design mode off, and on again after a load that succeeded.
  template <class Load>
  void WithDesignModeOff(Load load);
  // What DocumentRules() refuses of each component a document makes.
  void CheckDocumentComponent(const TComponent& component) const;
  // The components `aside` owns take the place of the stage's controls, owned by the form;
  // `topLevel` are parented to the stage in their order.
  void Adopt(TComponent& aside, const std::vector<TComponent*>& topLevel, TReader* reader);

  TComponentLink<TDsnRegister> controller_;
  std::unique_ptr<TStringList> selfProps_;
  std::unique_ptr<TStringList> outProps_;
  std::unique_ptr<TRubberband> rubberband_;
  TComponentLink<TPopupMenu> coverMenu_;
  bool fixPosition_ = false;
  bool fixSize_ = false;
  // Components named in notices still waiting in the queue; each is dropped when it goes.
  TComponentLinkList<TComponent> pendingNotices_;
  TFreeNameHint freeNames_;  // of the load under way
  TDocumentRules documentRules_;
};

// ---------------------------------------------------------------------------------------------
// TDsnCtrl: the interceptor of one designed window. It swallows the window's mouse input and hands
// it to the controller; keyboard messages and everything else reach the control.

class TDsnCtrl : public TClientAgent {
  TAVELKO_CLASS(TDsnCtrl, TClientAgent)

 public:
  void ClientWndProc(TMessage& message) override;
  // Nothing: the control under the last press keeps holding the mouse across capture changes.
  void ClientCaptureChanged(TMessage& message) override;
  // The control shows the arrow while designed and is repainted; afterwards the default cursor
  // (unless dying). While the controller intercepts a whole tree it repaints the tree once.
  void TakeInstance() override;
  void ReleaseInstance() override;

  // ---- What variants override ----
  virtual void ClientMouseDown(TWMMouse& message);
  virtual void ClientMouseMove(TWMMouse& message);
  virtual void ClientMouseUp(TWMMouse& message);
  // The control paints itself as usual.
  virtual void ClientPaint(TWMPaint& message);
  virtual void ClientPreResize(TMessage& message);
  virtual void ClientResize(TResizeMessage& message);
  virtual void ClientSelect(TMessage& message);
  virtual void ClientSelectByInspect(TMessage& message);
  // Only the stage takes the keyboard focus while designing.
  virtual void ClientSetFocus(TMessage& message);
  virtual void ClientDbClick(TWMMouse& message);
  virtual void ClientContextMenu(TWMMouse& message);
  // WM_DESTROY: lets go of the window and tells the stage.
  virtual void ClientHandleChange(TMessage& message);

  TDsnRegister* Controller() const { return controller_; }
  void SetController(TDsnRegister* value) { controller_ = value; }
  // Set by the controller before it drops or destroys the interceptor: the control is going.
  bool Dying() const { return dying_; }
  void SetDying(bool value) { dying_ = value; }
  // Position of the last mouse message in the control's client coordinates.
  const TPoint& MousePos() const { return mousePos_; }

 protected:
  // Made by the controller through TClientAgent::Create.
  explicit TDsnCtrl(TWinControl* control, TDsnRegister* controller = nullptr)
      : TClientAgent(control), controller_(controller) {}

 private:
  // Notes the position and returns the shift state of a mouse message.
  TShiftState NoteMouse(TWMMouse& message);
  // The designable windowless control under MousePos, or the control itself.
  TControl* ControlUnderMouse();
  void ReleaseRightCapture(TMessage& message);
  void RepaintControl();

  TDsnRegister* controller_ = nullptr;  // not owned
  bool dying_ = false;
  TPoint mousePos_;
};

// ---------------------------------------------------------------------------------------------
// TDsnSwitch: the toggle button of design mode (down = on)

class TDsnSwitch : public TSpeedButton {
  TAVELKO_CLASS(TDsnSwitch, TSpeedButton)
  static void Publish(TPublisher<TDsnSwitch>& p);

 public:
  // The group index every switch takes when loaded, whatever was stored.
  static constexpr int kGroupIndex = 2302;

  explicit TDsnSwitch(TComponent* owner);

  // A toggle whatever the stored group settings said.
  void Loaded() override;
  // After the toggle changed Down: the optional message, the controller's design mode, OnClick.
  void Click() override;
  void DesignOn();
  void DesignOff();

  // The controller switched.
  TDsnRegister* DsnRegister() const { return dsnRegister_; }
  void SetDsnRegister(TDsnRegister* value) { dsnRegister_.Set(value); }
  // Show DsnMessage when design mode is switched on.
  bool DsnMessageFlg() const { return dsnMessageFlg_; }
  void SetDsnMessageFlg(bool value) { dsnMessageFlg_ = value; }
  const String& DsnMessage() const { return dsnMessage_; }
  void SetDsnMessage(const String& value) { dsnMessage_ = value; }

 private:
  TComponentLink<TDsnRegister> dsnRegister_;
  bool dsnMessageFlg_ = false;
  String dsnMessage_;
};

// The switch under its other name, for streams that name it so.
class TDsnSwich : public TDsnSwitch {
  TAVELKO_CLASS(TDsnSwich, TDsnSwitch)

 public:
  using TDsnSwitch::TDsnSwitch;
};


// ---------------------------------------------------------------------------------------------
// TDsnPartner: a component that cooperates with a controller and follows its design mode

class TDsnPartner : public TComponent {
  TAVELKO_CLASS(TDsnPartner, TComponent)

 public:
  using TComponent::TComponent;
  ~TDsnPartner() override;

  // Told by the controller when design mode changes.
  virtual void SetDesigning(bool value) { designing_ = value; }
  // Designing as its controller is: never without one.
  bool Designing() const { return designing_ && dsnRegister_; }

  // The controller followed; registers this partner with it and takes on its design mode.
  TDsnRegister* DsnRegister() const { return dsnRegister_; }
  void SetDsnRegister(TDsnRegister* value);

  // ---- The controller's services (nothing, or false and null, without a controller) ----
  bool CheckCanSelect(TControl* control);
  // A new move outline set with one outline per selected control.
  void CreateMoveShape();
  // A new, empty selection.
  void CreateTargetList();
  TDsnList* GetDsnList() const;
  TTargetList* GetTargetList() const;

 private:
  TComponentLink<TDsnRegister> dsnRegister_;
  bool designing_ = false;
};

// ---------------------------------------------------------------------------------------------
// Context-menu items for property values, and the controller's list of interceptors

class TDsnMenuItem : public TMenuItem {
  TAVELKO_CLASS(TDsnMenuItem, TMenuItem)

 public:
  using TMenuItem::TMenuItem;
  // The property the item stands for and the value it sets.
  const String& PropName() const { return propName_; }
  void SetPropName(const String& value) { propName_ = value; }
  const String& Value() const { return value_; }
  void SetValue(const String& value) { value_ = value; }

 private:
  String propName_;
  String value_;
};

// The controller's interceptors (TDsnCtrl*); the controller owns them.
class TDsnList : public TList {
  TAVELKO_CLASS(TDsnList, TList)

 public:
  TDsnCtrl* Interceptors(int index) const { return static_cast<TDsnCtrl*>(Items(index)); }
};

// ---------------------------------------------------------------------------------------------
// The mouse gesture a controller is in, decided by the left press that began it.

enum class TDsnGesture {
  Idle,           // no left-button gesture under way
  Moving,         // selecting, and dragging the selection's outlines
  Creating,       // drawing the rectangle of a new control from the palette's template
  AreaSelecting,  // drawing an area whose controls become the selection
};

// ---------------------------------------------------------------------------------------------
// TDsnRegister: the designer controller of one stage
//
// While design mode is on, the stage and every windowed control on it that the stage's owner owns
// are intercepted (TDsnCtrl); their mouse input selects, drags outlines on the move grid and moves
// the selection on release, or creates a copy of the palette's template. The selection (a target
// list) drives the grab handles and the property model.

class TDsnRegister : public TComponent {
  TAVELKO_CLASS(TDsnRegister, TComponent)
  static void Publish(TPublisher<TDsnRegister>& p);

 public:
  explicit TDsnRegister(TComponent* owner);
  ~TDsnRegister() override;

  // Hears of every component inserted under or removed from the owner it was made with: a
  // removed control leaves the interceptors and the selection.
  void Notification(TComponent* component, TOperation operation) override;

  // ---- The designed stage and its helpers (not owned; cleared when they go) ----
  TDsnStage* DsnStage() const { return dsnStage_; }
  // Also takes the stage's rubber-band settings (later changes to them are not seen).
  void SetDsnStage(TDsnStage* value);
  TCustomCmpPlt* DsnPanel() const { return dsnPanel_; }
  void SetDsnPanel(TCustomCmpPlt* value) { dsnPanel_.Set(value); }

  // ---- Options ----
  // A dragged selection, or an edge dragged by a grab handle, snaps to the edges and centres of
  // its siblings, with a line showing the alignment while it holds (SnapMove, SnapEdge); Alt held
  // drags without. Off unless set.
  bool SnapLines() const { return snapLines_; }
  void SetSnapLines(bool value) {
    snapLines_ = value;
    if (handler_) handler_->SetSnapLines(value);
  }
  // The alignment lines on the screen now, in screen coordinates; none outside a drag.
  std::vector<TSnapLine> SnapLinesShown() const { return guides_ ? guides_->Shown() : std::vector<TSnapLine>{}; }
  TCustomInspector* DsnInspector() const { return dsnInspector_; }
  void SetDsnInspector(TCustomInspector* value) { dsnInspector_.Set(value); }
  TArrowButton* ArrowButton() const { return arrowButton_; }
  void SetArrowButton(TArrowButton* value) { arrowButton_.Set(value); }

  // ---- Design mode ----
  // On: intercepts the stage, makes the context menu, switches partners, palette and inspector
  // on. Off: gives every window its procedure back and forgets the selection. Nothing when
  // unchanged.
  virtual void SetDesigning(bool value);
  bool Designing() const { return designing_; }

  // ---- Hooks: nothing here ----
  // An intercepted control is being destroyed.
  virtual void AlertClientDeath() {}
  // A selected control is being destroyed.
  virtual void AlertTargetDeath() {}
  // A control received a handle set (DSNM_SELECT).
  virtual void Selected(TControl* control, TMessage& message);

  // ---- Mouse input from the interceptors ----
  // `control` is the intercepted window that received the message, `component` the control under
  // the mouse, `point` the mouse in control's client coordinates. The press decides the gesture
  // (creating with an armed palette template, else moving); its moves and release follow it.
  virtual void MouseDown(TWinControl* control, TComponent* component, TShiftState shift, const TPoint& point);
  virtual void MoseMove(TWinControl* control, const TPoint& point, TShiftState shift);
  virtual void MoseUp(TWinControl* control, const TPoint& point, TShiftState shift);
  // Drawing the rectangle of a new control from the palette's template.
  virtual void MouseDownCreate(TWinControl* control, TComponent* component, TShiftState shift, const TPoint& point);
  virtual void MouseMoveCreate(TWinControl* control, const TPoint& point, TShiftState shift);
  virtual void MouseUpCreate(TWinControl* control, const TPoint& point, TShiftState shift);
  // Selecting and moving the selection.
  virtual void MouseDownMove(TWinControl* control, TComponent* component, TShiftState shift, const TPoint& point);
  virtual void MouseMoveMove(TWinControl* control, const TPoint& point, TShiftState shift);
  virtual void MouseUpMove(TWinControl* control, const TPoint& point, TShiftState shift);
  // Raises the stage's OnCoverDblClick.
  virtual void DbClick(TControl* control, TWMMouse& message);
  // Selects as a left press does, without an outline; then the context menu when there is one.
  virtual void CallPopupMenu(TWinControl* control, TControl* component, int x, int y);
  virtual void RButtonDown(TWinControl* control, TControl* component, int x, int y);
  // A grab handle resized `control`; the message holds its old bounds.
  virtual void Resized(TControl* control, TResizeMessage& message);
  // The selection was moved by start minus end.
  virtual void Moved(int dx, int dy);
  // The inspector asks for `control` to be the selection.
  void SelectByInspect(TControl* control);

  // ---- Keyboard moves ----
  // Moves the selection one step in the direction (dx, dy), each -1, 0 or 1, or with `resize`
  // widens or narrows it, heightens or lowers it by one step; a step is the move grid, or one
  // pixel when `fine`. Only a selection sharing one parent is nudged, never the stage itself,
  // and never further out of its parent's client area than it already was.
  void Nudge(int dx, int dy, bool resize, bool fine);

  // ---- Arranging ----
  // Whether the selection can be arranged so: enough controls, all of one parent, not the stage.
  bool CanArrange(TDsnArrangement what) const;
  // Stacks, lines up, sizes or spaces the selection (ArrangeControls, the first selected control
  // the one the others follow, on the move grid); one design change when anything changed.
  void Arrange(TDsnArrangement what);

  // ---- Changes ----
  // Raised after the designer may have changed the design: a drag or creation ended, a grab
  // handle resized, a paste, a delete, a value from the context menu, a nudge. Not stored.
  TNotifyEvent OnDesignChange;
  void DesignChanged() { OnDesignChange(this); }

  // ---- Clipboard and delete ----
  // The name of the designer's clipboard format.
  static constexpr const char* kClipboardFormatName = "Dsn_ClipboardFormat";
  // A selection exists and shares one parent.
  virtual bool CanCopy();
  // At most one control is selected, that one holds controls, and the clipboard has the
  // designer's format.
  virtual bool CanPaste();
  // The container of a paste while nothing is selected: the stage.
  virtual TWinControl* PasteZero();
  // Copy, then Delete, when the selection can be copied.
  virtual void Cut();
  // The selected controls, in selection order, as one block of component streams on the
  // clipboard: the stream's length (32 bits), the records, a zero byte.
  virtual void Copy();
  // The clipboard's controls into the selected container, or PasteZero() without a selection, at
  // their copied positions and with free names; they become the selection. A block whose length
  // does not fit it, or whose streams are damaged, pastes nothing and raises EReadError.
  virtual void Paste();
  // Destroys the selected controls that the stage's delete query allows, deepest first. The stage
  // itself is never destroyed.
  virtual void Delete();
  // Each top-level component of a paste: intercepted, moved back inside its parent, selected.
  void ComponentsProcClipbrd(TComponent* component);
  // Sorts controls by depth below the stage, shallowest first (equal depths keep their order).
  void SortForDelete(TList* controls) const;

  // ---- Creating ----
  // Each top-level component read by a palette copy: remembered as the new component.
  virtual void ComponentsProc(TComponent* component) { newComponent_.Set(component); }
  // The class name without its first letter and the first free number: Shape1, Shape2, ...
  virtual void GiveName(TComponent* component);
  // A copy of `source` inside `parent`, through a component stream; each top-level component read
  // goes to ComponentsProc. `source` keeps its name.
  void CopyPaste(TControl* source, TWinControl* parent);
  // The name hook of reading: a unique name, and the stage hears of the new component.
  void CheckName(TReader* reader, TComponent* component, String& name);

  // ---- The context menu ----
  // Borrows the items of the stage's cover menu; nothing when the stage offers no menu.
  virtual void CreateContextMenu();
  // OnClick of a property item: the stage's OnMenuClick may change the value, which is then
  // written to every selected control.
  virtual void MenuMethod(TObject* sender);

  // ---- Partners and extra selection receivers (not owned) ----
  virtual void AddPartners(TDsnPartner* partner);
  virtual void RemovePartners(TDsnPartner* partner);
  // Linked to every target list made from now on, after the handles and the property model.
  virtual void AddNotifies(TReceiveTargets* receiver);
  void RemoveNotifies(TReceiveTargets* receiver);

  // ---- Selection ----
  void ClearSelect();
  // Whether `control` lies on the stage and the stage's queries let it be covered and moved.
  bool CheckCanSelect(TControl* control);
  // True without a selection, else when every selected control has the first one's parent.
  bool SameParent() const;
  // Snaps toward 0 to the move grid; a grid of 0 or less leaves that coordinate.
  void Cutting(int& x, int& y) const;
  // Replaces the selection with a new, empty one linked to the handles, the model and the
  // receivers.
  TTargetList* NewTargetList();

  // ---- Interception ----
  void CreateSubClass();
  // Intercepts `control` and the windows below it as the stage's cover query allows.
  void SetSubClass(TWinControl* control);
  void DestroySubClass();
  // The stage's handling of DSNM_CLIENTDEATH: a dropped interceptor is destroyed; a live one
  // whose window was made anew takes the new window. Unknown interceptors are ignored.
  void ClientDeath(TDsnCtrl* interceptor);
  // Every live interceptor whose window was destroyed takes its control's window again.
  void ReattachInterceptors();
  // The outline set of moving the selection, with one outline per selected control.
  TMultiShape* StartMoveShape();
  // Gives the stage the keyboard focus: in design mode only the stage takes keys.
  void FocusStage();
  // True while a whole tree of windows is intercepted or released: its interceptors leave the
  // repainting to one repaint of the tree at the end.
  bool RepaintDeferred() const { return repaintDeferred_ > 0; }

  // ---- State ----
  TDsnGesture Gesture() const { return gesture_; }
  TDsnList* DsnList() const { return dsnList_.get(); }
  TTargetList* TargetList() const { return targetList_.get(); }
  TMultiHandler* Handler() const { return handler_.get(); }
  TMultiProps* Props() const { return props_.get(); }
  TPopupMenu* ContextMenu() const { return contextMenu_; }
  TMultiShape* Shape() const { return shape_.get(); }
  TWinControl* DrawParent() const { return drawParent_; }
  int StartX() const { return startX_; }
  int StartY() const { return startY_; }
  TComponent* NewComponent() const { return newComponent_; }
  // Settings taken from the stage's rubber band.
  int MoveWidth() const { return moveWidth_; }
  int MoveHeight() const { return moveHeight_; }
  TColor Color() const { return color_; }
  int PenWidth() const { return penWidth_; }

 protected:
  // ---- Factories that variants replace ----
  virtual std::unique_ptr<TMultiHandler> CreateHandler();
  virtual std::unique_ptr<TMultiShape> CreateCopyShape();
  virtual std::unique_ptr<TMultiShape> CreateMoveShape();
  virtual std::unique_ptr<TDsnCtrl> CreateSubCtrl(TWinControl* control);
  // A new selection with the handles, the property model and the receivers linked to it.
  virtual std::unique_ptr<TTargetList> CreateList();
  virtual std::unique_ptr<TDsnList> CreateDsnList();
  std::unique_ptr<TMultiProps> CreateProps();

  // ---- For variants: the state of a gesture ----
  void SetGesture(TDsnGesture value) { gesture_ = value; }
  void SetDrawParent(TWinControl* value) { drawParent_.Set(value); }
  // The snapped start point of the gesture.
  void SetStartPoint(const TPoint& point) {
    startX_ = point.X;
    startY_ = point.Y;
  }
  // The stage's select query for `component` (all accepted without a stage or handler).
  TSelectAccept AskSelect(TObject* sender, TComponent* component);
  // The target list, made when there is none.
  TTargetList* EnsureTargetList();
  // What a drawing gesture pressed on `control` is drawn on: the control itself when it holds
  // controls, else its parent; and a point of `control` in that one's coordinates.
  static TWinControl* DrawingParentOf(TWinControl* control);
  static TPoint InDrawingParent(TWinControl* control, TPoint point);
  // Replaces the outline set (the old one is erased) and gives the new one the controller's pen.
  TMultiShape* TakeShape(std::unique_ptr<TMultiShape> shape);
  // Erases and destroys the outline set, and the snap lines, if any.
  void DropShape();
  // Where a move takes the selection for the pointer at `point` (the drawing parent's client
  // coordinates): on the move grid, or, with snap lines on and Alt up, lined up with a sibling on
  // an axis where one is near; the snap lines shown follow.
  TPoint MoveTarget(const TPoint& point, TShiftState shift);
  // The parent a gesture draws on went away in the middle of it: whatever the gesture drew is
  // erased, the pointer freed, and the gesture ends. Variants with outlines of their own drop them
  // too.
  virtual void AbandonGesture();
  // The press's selecting steps shared by left and right presses: false when the press selects
  // nothing (the stage's select query refused).
  bool SelectForPress(TWinControl* control, TComponent* component);

 private:
  void Cover(TWinControl* control, TDsnCtrl* current);
  void DestroyInterceptors();
  // Moves the borrowed cover-menu items back and destroys the context menu.
  void DropContextMenu();
  TCoverAccept AskCover(TObject* sender, TComponent* component);
  // InDrawingParent with the grid snap before or after the move.
  TPoint CreationPoint(TWinControl* control, TPoint point, bool snapFirst);
  // Runs `work` with the interceptors' repaints deferred, then repaints `root` and everything in it.
  template <class Work>
  void WithOneRepaint(TWinControl* root, Work work);

  bool designing_ = false;
  TDsnGesture gesture_ = TDsnGesture::Idle;
  TComponentLink<TCustomCmpPlt> dsnPanel_;
  TComponentLink<TDsnStage> dsnStage_;
  TComponentLink<TCustomInspector> dsnInspector_;
  TComponentLink<TArrowButton> arrowButton_;
  std::unique_ptr<TMultiProps> props_;
  // Owned by the controller's owner (so menu items find it); destroyed here at switch-off.
  TComponentLink<TPopupMenu> contextMenu_;
  std::unique_ptr<TDsnList> dsnList_;
  // Interceptors of destroyed controls, waiting for their window's death notice.
  std::vector<std::unique_ptr<TDsnCtrl>> departed_;
  std::vector<TReceiveTargets*> notifies_;  // not owned; each removes itself
  TComponentLinkList<TDsnPartner> partners_;
  std::unique_ptr<TTargetList> targetList_;
  TComponentLink<TWinControl> drawParent_;
  int startX_ = 0;
  int startY_ = 0;
  int moveWidth_ = 8;
  int moveHeight_ = 8;
  TColor color_ = clGray;
  int penWidth_ = 2;
  TComponentLink<TComponent> newComponent_;
  std::unique_ptr<TMultiHandler> handler_;
  std::unique_ptr<TMultiShape> shape_;
  bool snapLines_ = false;
  std::unique_ptr<TSnapGuides> guides_;  // of the move under way
  int repaintDeferred_ = 0;
  TFreeNameHint freeNames_;  // of the paste or palette copy under way
};

// ---------------------------------------------------------------------------------------------
// Registration

// Registers the designer's streamable classes, so that layouts naming them can be read. A program
// calls it once at start, before it reads its first layout.
void RegisterDsnUnitClasses();
