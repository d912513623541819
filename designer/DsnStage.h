/// @file
/// TDsnStage: the panel whose controls are designed, with its settings, events, keyboard commands,
/// posted notices and files.
#pragma once

#include <memory>
#include <vector>

#include "designer/DsnEvents.h"
#include "designer/DsnProp.h"
#include "designer/DsnRubberband.h"
#include "designer/Dsnfunc.h"
#include "framework/core/ComponentLink.h"
#include "framework/core/Strings.h"
#include "framework/stdctrls/Menus.h"
#include "framework/stdctrls/Panel.h"
#include "streaming/ComponentWriter.h"
#include "streaming/DocumentRules.h"

class TDsnRegister;
class TReader;
class TStream;

/// The panel whose child controls a TDsnRegister designs. It holds what the controller takes from
/// it (the rubber band, the context menu's properties and cover menu), the queries and events
/// through which the application takes part, and it saves and loads its controls as stage files.
/// In design mode only the stage takes the keyboard focus: Ctrl+C, Ctrl+X, Ctrl+V and Delete act
/// on the selection. The designed controls are owned by the stage's owner (the form), not by the
/// stage.
class TDsnStage : public TPanel {
  TAVELKO_CLASS(TDsnStage, TPanel)
  static void Publish(TPublisher<TDsnStage>& p);

 public:
  /// `owner` is the form that owns the designed controls. Documents may make any control class
  /// (DocumentRules).
  explicit TDsnStage(TComponent* owner);
  ~TDsnStage() override;

  // ---- What descendants override ----
  /// Told by the controller when design mode ends; nothing here.
  virtual void SetDesignig(bool value);

  // ---- The controller's operations on its selection (nothing without a controller) ----
  /// The controller's CanCopy, CanPaste, Delete, Cut, Copy and Paste (see TDsnRegister); false
  /// or nothing without a controller. Paste raises what the controller's Paste raises.
  ///@{
  bool GetCanCopy();
  bool GetCanPaste();
  void Delete();
  void Cut();
  void Copy();
  void Paste();
  ///@}
  /// The number of selected controls; -1 without a controller or a selection.
  int TargetsCount() const;
  /// The selected control at `index` in selection order; null without a controller or a
  /// selection, outside it, or for a control being destroyed.
  TControl* GetControls(int index) const;
  /// The handles follow changed bounds.
  void UpdateControl();

  // ---- Stage files and streams ----
  /// Every child control as the signature and its record, after the controller's selection was
  /// cleared. A file ends with one zero byte per control written (an empty stage with a single
  /// one, so that it reads again), a stream with a single zero byte. A file is replaced only once
  /// fully written; a failure to write raises and leaves the old file as it was. A stream is
  /// written at its position.
  ///@{
  void SaveToFile(const String& fileName);
  void SaveToStream(TStream* stream);
  ///@}
  /// Destroys every control on the stage, with design mode off meanwhile (the controller lets go
  /// of them first) and on again afterwards when it was on.
  void Clear();
  /// Replace the stage's controls with the ones read, with design mode off meanwhile. A file that
  /// cannot be opened raises EFOpenError naming it; one that cannot be read raises EReadError
  /// fileName + " can not be read: " and the reason (the damage, the document rules' refusal, a
  /// lack of memory). A damaged or refused file or stream leaves the stage, its selection and the
  /// design mode as they were. A stream is read from its start, and raises the reader's error
  /// (EReadError, or the document rules' refusal) as it is. The selection does not survive a
  /// load.
  ///@{
  void LoadFromFile(const String& fileName);
  void LoadFromStream(TStream* stream);
  ///@}
  /// Each top-level component loaded; nothing here.
  void ComponentsProc(TComponent*) {}
  /// The stream SaveToStream writes, but with the selection left alone (grab handles belong to no
  /// form and are passed over) and the controls as they are outside design mode; `property` may
  /// replace or leave out properties.
  void WriteDesign(TStream& stream, const TComponentWriter::TPropertyHook& property = {});

  // ---- What stage files, streams and pasted blocks may make ----
  /// The rules every stream the stage reads is held to, the controller's pastes included. By
  /// default: any control class, no handler of the form, TDocumentRules' budgets with pictures
  /// measured before they are decoded, and no control more than kMaxControlScale times as wide or
  /// as high as the stage.
  TDocumentRules& DocumentRules() { return documentRules_; }
  /// How many times the stage's width or height a control read from a document may be.
  static constexpr int kMaxControlScale = 16;

  // ---- The queries of the events below (each permissive when not assigned) ----
  /// OnCoverQuery and OnSelectQuery about `component`, with `sender` passed on: caAllAccept and
  /// both saCreate and saMove unless the handler says otherwise.
  ///@{
  TCoverAccept AskCover(TObject* sender, TComponent* component);
  TSelectAccept AskSelect(TObject* sender, TComponent* component);
  ///@}
  /// OnMoveQuery with the stage as the sender.
  bool AskMove(TComponent* component);

  // ---- Notices posted to the stage about components ----
  /// OnControlCreate / OnControlLoaded follow once the current message is done, for a component
  /// that still exists then. Nothing for null or while the stage has no window.
  ///@{
  void PostControlCreated(TComponent* component);
  void PostControlLoaded(TComponent* component);
  ///@}

  // ---- Settings ----
  /// "Name" or "Name|Caption" entries: the properties the context menu offers. Owned; copied in.
  ///@{
  TStrings* SelfProps() const { return selfProps_.get(); }
  void SetSelfProps(TStrings* value) { selfProps_->Assign(value); }
  ///@}
  /// Property names the context menu withholds while more than one control is selected. Owned;
  /// copied in.
  ///@{
  TStrings* OutProps() const { return outProps_.get(); }
  void SetOutProps(TStrings* value) { outProps_->Assign(value); }
  ///@}
  /// The pen of the drag outlines and the move grid. Owned; copied in. A controller takes a copy
  /// when the stage is set (TDsnRegister::SetDsnStage).
  ///@{
  TRubberband* Rubberband() const { return rubberband_.get(); }
  void SetRubberband(TRubberband* value) { rubberband_->Assign(value); }
  ///@}
  /// A menu whose items the designer's context menu borrows while design mode is on; not owned.
  ///@{
  TPopupMenu* CoverMenu() const { return coverMenu_; }
  void SetCoverMenu(TPopupMenu* value) { coverMenu_.Set(value); }
  ///@}
  /// Stored with the stage; no designer operation consults them.
  ///@{
  bool FixPosition() const { return fixPosition_; }
  void SetFixPosition(bool value) { fixPosition_ = value; }
  bool FixSize() const { return fixSize_; }
  void SetFixSize(bool value) { fixSize_ = value; }
  ///@}

  /// The controller designing this stage; set by the controller; not owned, cleared when it goes.
  ///@{
  TDsnRegister* Controller() const { return controller_; }
  void SetController(TDsnRegister* value);
  ///@}

  // ---- Events ----
  /// (stage, control, canDelete): asked for each selected control a delete would destroy; clear
  /// `canDelete` to keep it. The stage itself is never deleted.
  TDeleteQuery OnDeleteQuery;
  /// (sender, windowed control, accept): whether design mode intercepts the control: caAllAccept
  /// intercepts it and looks at its children, caChildrenAccept only looks at its children,
  /// caNoAccept leaves it and everything in it alone. A control is selectable only when it (or, for
  /// a windowless one, its parent) is fully accepted.
  TCoverQuery OnCoverQuery;
  /// (sender, control, accept): remove saMove to keep a press from selecting and moving the
  /// control, saCreate to keep the palette's template from being drawn from a press on it.
  TSelectQuery OnSelectQuery;
  /// (stage, control, canMove): clear `canMove` to keep the control where it is when a drag or a
  /// key moves the selection; it stays selected.
  TMoveQuery OnMoveQuery;
  /// (stage, component): a component made by a palette copy or a paste, once the message that
  /// made it is done.
  TControlCreate OnControlCreate;
  /// (stage, component): a component read from a stage file or stream, once the message that
  /// read it is done.
  TControlCreate OnControlLoaded;
  /// (stage, component): a component read from a stage file or stream, at once, while it gets its
  /// name and before the form owns it.
  TControlCreate OnControlLoading;
  /// (stage, control): a control was double-clicked in design mode.
  TCallCompoEditor OnCoverDblClick;
  /// (stage, selection, property name, value): a property item of the context menu was clicked.
  /// The handler may change `value`, which is then written to every selected control. The
  /// selection lives for the call only.
  TCallPropEditor OnMenuClick;
  /// (menu): the context menu is about to open, its items filled for the selection.
  TNotifyEvent OnPopup;

 protected:
  /// Ctrl+C, Ctrl+X and Ctrl+V copy, cut and paste; the character then reaches OnKeyPress as 0.
  void KeyPress(char& key) override;
  /// Delete deletes the selection.
  void WMKeyUp(TWMKey& message) override;
  /// The designer's notices posted to the stage (DSNM_CLIENTDEATH, DSNM_PROPERTYCHANGED,
  /// DSNM_CONTROLCREATED, DSNM_CONTROLLOADED) are handled here; everything else goes on.
  void Dispatch(TMessage& message) override;
  /// After the stage's windows were made anew the interceptors take them over again.
  void CreateHandle() override;

  // ---- Hooks of stage files ----
  /// A loaded component gets a name unique under the form; OnControlLoading hears of it at once,
  /// OnControlLoaded once the current message is done.
  virtual void CheckName(TReader* reader, TComponent* component, String& name);
  /// One control as the signature and its record, relative to the form, as it is outside design
  /// mode.
  virtual void WriteComponents(TStream* stream, TControl* control);
  /// Reads the whole stream from its start aside, then destroys the stage's controls and puts the
  /// new ones in their place.
  virtual void ReadComponents(TStream* stream);
  /// Every property that cannot be read is skipped.
  virtual void ReadError(TReader* reader, const String& message, bool& handled);
  /// An event whose handler the form does not publish stays empty.
  virtual void FindMethod(TReader* reader, const String& methodName, const TMethodCode*& code, bool& error);

 private:
  /// An interceptor's window was destroyed: the dying interceptor goes, a live one takes the new
  /// window.
  void ClientDeth(TMessage& message);
  void ControlNotice(TMessage& message, const TControlCreate& event);
  void PostNotice(UINT msg, TComponent* component);
  /// The records of every child control, then one zero byte per control (at least one) or a
  /// single one.
  void WriteControls(TStream& stream, bool markEachControl);
  /// Makes `writer` leave out what design mode changed of the controls (the arrow it gives every
  /// intercepted window); `property` may replace or leave out further properties.
  void LeaveOutDesignState(TComponentWriter& writer, const TComponentWriter::TPropertyHook& property = {}) const;
  /// Runs `load` with the controller's design mode off, and on again after a load that succeeded.
  template <class Load>
  void WithDesignModeOff(Load load);
  /// What DocumentRules() refuses of each component a document makes.
  void CheckDocumentComponent(const TComponent& component) const;
  /// The components `aside` owns take the place of the stage's controls, owned by the form;
  /// `topLevel` are parented to the stage in their order.
  void Adopt(TComponent& aside, const std::vector<TComponent*>& topLevel, TReader* reader);

  TComponentLink<TDsnRegister> controller_;
  std::unique_ptr<TStringList> selfProps_;
  std::unique_ptr<TStringList> outProps_;
  std::unique_ptr<TRubberband> rubberband_;
  TComponentLink<TPopupMenu> coverMenu_;
  bool fixPosition_ = false;
  bool fixSize_ = false;
  /// Components named in notices still waiting in the queue; each is dropped when it goes.
  TComponentLinkList<TComponent> pendingNotices_;
  TFreeNameHint freeNames_;  ///< of the load under way
  TDocumentRules documentRules_;
};
