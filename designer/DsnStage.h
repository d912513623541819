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

class TDsnStage : public TPanel {
  TAVELKO_CLASS(TDsnStage, TPanel)
  static void Publish(TPublisher<TDsnStage>& p);

 public:
  explicit TDsnStage(TComponent* owner);
  ~TDsnStage() override;

  // ---- What descendants override ----
  /// Told by the controller when design mode ends; nothing here.
  virtual void SetDesignig(bool value);

  // ---- The controller's operations on its selection (nothing without a controller) ----
  bool GetCanCopy();
  bool GetCanPaste();
  void Delete();
  void Cut();
  void Copy();
  void Paste();
  /// The number of selected controls; -1 without a controller or a selection.
  int TargetsCount() const;
  TControl* GetControls(int index) const;
  /// The handles follow changed bounds.
  void UpdateControl();

  // ---- Stage files and streams ----
  /// Every child control as the signature and its record, after the controller's selection was
  /// cleared. A file ends with one zero byte per control written (an empty stage gives an empty
  /// file), a stream with a single zero byte. A file is replaced only once fully written.
  void SaveToFile(const String& fileName);
  void SaveToStream(TStream* stream);
  /// Replace the stage's controls with the ones read, with design mode off meanwhile. A file that
  /// cannot be opened raises EFOpenError naming it; one that cannot be read raises EReadError
  /// fileName + " can not be read: " and the reason (the damage, the document rules' refusal, a
  /// lack of memory). A damaged or refused file or stream leaves the stage, its selection and the
  /// design mode as they were.
  void LoadFromFile(const String& fileName);
  void LoadFromStream(TStream* stream);
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
  static constexpr int kMaxControlScale = 16;

  // ---- The queries of the events below (each permissive when not assigned) ----
  TCoverAccept AskCover(TObject* sender, TComponent* component);
  TSelectAccept AskSelect(TObject* sender, TComponent* component);
  /// OnMoveQuery with the stage as the sender.
  bool AskMove(TComponent* component);

  // ---- Notices posted to the stage about components ----
  /// OnControlCreate / OnControlLoaded follow once the current message is done, for a component
  /// that still exists then.
  void PostControlCreated(TComponent* component);
  void PostControlLoaded(TComponent* component);

  // ---- Settings ----
  /// "Name" or "Name|Caption" entries: the properties the context menu offers. Owned; copied in.
  TStrings* SelfProps() const { return selfProps_.get(); }
  void SetSelfProps(TStrings* value) { selfProps_->Assign(value); }
  /// Property names the context menu withholds while more than one control is selected.
  TStrings* OutProps() const { return outProps_.get(); }
  void SetOutProps(TStrings* value) { outProps_->Assign(value); }
  TRubberband* Rubberband() const { return rubberband_.get(); }
  void SetRubberband(TRubberband* value) { rubberband_->Assign(value); }
  /// A menu whose items the designer's context menu borrows while design mode is on; not owned.
  TPopupMenu* CoverMenu() const { return coverMenu_; }
  void SetCoverMenu(TPopupMenu* value) { coverMenu_.Set(value); }
  /// Stored with the stage; no designer operation consults them.
  bool FixPosition() const { return fixPosition_; }
  void SetFixPosition(bool value) { fixPosition_ = value; }
  bool FixSize() const { return fixSize_; }
  void SetFixSize(bool value) { fixSize_ = value; }

  /// The controller designing this stage; set by the controller.
  TDsnRegister* Controller() const { return controller_; }
  void SetController(TDsnRegister* value);

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
  /// Ctrl+C, Ctrl+X and Ctrl+V copy, cut and paste; the character then reaches OnKeyPress as 0.
  void KeyPress(char& key) override;
  /// Delete deletes the selection.
  void WMKeyUp(TWMKey& message) override;
  void Dispatch(TMessage& message) override;
  /// After the stage's windows were made anew the interceptors take them over again.
  void CreateHandle() override;

  // ---- Hooks of stage files ----
  /// A loaded component gets a name unique under the form; OnControlLoading hears of it at once,
  /// OnControlLoaded once the current message is done.
  virtual void CheckName(TReader* reader, TComponent* component, String& name);
  /// One control as the signature and its record, relative to the form.
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
  /// The records of every child control, then one zero byte per control or a single one.
  void WriteControls(TStream& stream, bool markEachControl);
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
