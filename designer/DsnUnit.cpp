// The designer controller's life: its references, design mode, factories, partners and selection,
// and its clipboard operations as its transfer carries them out; the mode switch, the partner base
// and the unit's class registration.
#include <algorithm>
#include <utility>

#include "designer/DsnSpctr.h"
#include "designer/DsnUnit.h"
#include "framework/windows/Forms.h"
#include "framework/windows/Services.h"

// ---------------------------------------------------------------------------------------------
// TDsnSwitch

void TDsnSwitch::Publish(TPublisher<TDsnSwitch>& p) {
  p.Prop("DsnRegister", &TDsnSwitch::DsnRegister, &TDsnSwitch::SetDsnRegister);
  p.Prop("DsnMessageFlg", &TDsnSwitch::DsnMessageFlg, &TDsnSwitch::SetDsnMessageFlg).Default(false);
  p.Prop("DsnMessage", &TDsnSwitch::DsnMessage, &TDsnSwitch::SetDsnMessage);
}

TDsnSwitch::TDsnSwitch(TComponent* owner) : TSpeedButton(owner), dsnMessage_("Now, Starting Design") {}

void TDsnSwitch::SetDsnRegister(TDsnRegister* value) { dsnRegister_.Set(value); }

void TDsnSwitch::Loaded() {
  TSpeedButton::Loaded();
  SetGroupIndex(kGroupIndex);
  SetAllowAllUp(true);
}

void TDsnSwitch::Click() {
  if (Down() && dsnMessageFlg_) ShowMessage(dsnMessage_);
  if (dsnRegister_) dsnRegister_->SetDesigning(Down());
  TSpeedButton::Click();
}

void TDsnSwitch::DesignOn() {
  if (Down()) return;
  SetDown(true);
  Click();
}

void TDsnSwitch::DesignOff() {
  if (!Down()) return;
  SetDown(false);
  Click();
}

// ---------------------------------------------------------------------------------------------
// TDsnPartner

TDsnPartner::~TDsnPartner() {
  BeforeDestruction();
  if (dsnRegister_) dsnRegister_->RemovePartners(this);
}

void TDsnPartner::SetDsnRegister(TDsnRegister* value) {
  if (dsnRegister_ && dsnRegister_ != value) dsnRegister_->RemovePartners(this);
  dsnRegister_.Set(value);
  if (dsnRegister_) dsnRegister_->AddPartners(this);
  if (const bool designing = dsnRegister_ && dsnRegister_->Designing(); designing != designing_) SetDesigning(designing);
}

bool TDsnPartner::CheckCanSelect(TControl* control) { return dsnRegister_ && dsnRegister_->CheckCanSelect(control); }

void TDsnPartner::CreateMoveShape() {
  if (dsnRegister_) dsnRegister_->StartMoveShape();
}

void TDsnPartner::CreateTargetList() {
  if (dsnRegister_) dsnRegister_->NewTargetList();
}

TDsnList* TDsnPartner::GetDsnList() const { return dsnRegister_ ? dsnRegister_->DsnList() : nullptr; }

TTargetList* TDsnPartner::GetTargetList() const { return dsnRegister_ ? dsnRegister_->TargetList() : nullptr; }

// ---------------------------------------------------------------------------------------------
// TDsnRegister: life and references

void TDsnRegister::Publish(TPublisher<TDsnRegister>& p) {
  p.Prop("DsnStage", &TDsnRegister::DsnStage, &TDsnRegister::SetDsnStage);
  p.Prop("DsnPanel", &TDsnRegister::DsnPanel, &TDsnRegister::SetDsnPanel);
  p.Prop("DsnInspector", &TDsnRegister::DsnInspector, &TDsnRegister::SetDsnInspector);
  p.Prop("ArrowButton", &TDsnRegister::ArrowButton, &TDsnRegister::SetArrowButton);
  p.Prop("SnapLines", &TDsnRegister::SnapLines, &TDsnRegister::SetSnapLines).Default(false);
}

TDsnRegister::TDsnRegister(TComponent* owner)
    : TComponent(owner),
      gesture_([this] { AbandonGesture(); }),
      interceptors_(*this, {[this] { return CreateDsnList(); },
                            [this](TWinControl* control) { return CreateSubCtrl(control); }}),
      transfer_(*this) {
  // The designed controls are the owner's: their removal has to reach the interceptors and the
  // selection.
  if (owner) owner->AddOwnedWatcher(this);
}

void TDsnRegister::AbandonGesture() { gesture_.End(); }

TDsnRegister::~TDsnRegister() {
  BeforeDestruction();
  DropShape();
  handler_.reset();
  interceptors_.DestroyOnExit();
  if (targetList_) targetList_->Clear();
  targetList_.reset();
  props_.reset();
  // The stage's cover menu gets its items back even when design mode never ended.
  contextMenu_.Drop(dsnStage_);
  if (dsnStage_ && dsnStage_->Controller() == this) dsnStage_->SetController(nullptr);
}

void TDsnRegister::SetDsnStage(TDsnStage* value) {
  // A stage left behind is no longer designed from here.
  if (dsnStage_ && dsnStage_ != value && dsnStage_->Controller() == this) dsnStage_->SetController(nullptr);
  dsnStage_.Set(value);
  if (!value) return;
  band_.Assign(value->Rubberband());
  value->SetController(this);
}

void TDsnRegister::SetSnapLines(bool value) {
  snapLines_ = value;
  if (handler_) handler_->SetSnapLines(value);
}

void TDsnRegister::Notification(TComponent* component, TOperation operation) {
  TComponent::Notification(component, operation);
  if (operation != opRemove) return;

  interceptors_.Depart(component);

  const int index = targetList_ ? targetList_->IndexOf(component) : -1;
  if (index < 0) return;
  targetList_->ItemDeath(index);
  AlertTargetDeath();
  targetList_->Delete(index);
  if (!SameParent()) targetList_->Clear();
  targetList_->SetPosition();
}

void TDsnRegister::Selected(TControl*, TMessage&) {}

// ---------------------------------------------------------------------------------------------
// TDsnRegister: design mode

void TDsnRegister::SetDesigning(bool value) {
  if (value == designing_) return;
  designing_ = value;
  for (TDsnPartner* partner : partners_.Snapshot()) partner->SetDesigning(value);
  if (value) {
    if (dsnStage_) {
      dsnStage_->SetController(this);
      CreateSubClass();
      CreateContextMenu();
      FocusStage();
      dsnStage_->SetDesigning(true);
    }
    if (dsnPanel_) {
      if (arrowButton_) {
        dsnPanel_->SetArrowButton(arrowButton_);
        arrowButton_->SetDsnPanel(dsnPanel_);
      }
      dsnPanel_->SetDesigning(true);
    }
    if (dsnInspector_) {
      dsnInspector_->SetDesigning(true);
      if (dsnStage_) dsnInspector_->SetStageHandle(dsnStage_->Handle());
    }
    return;
  }
  gesture_.End();
  if (dsnStage_) {
    DestroySubClass();
    dsnStage_->SetDesignig(false);
  }
  contextMenu_.Drop(dsnStage_);
  if (dsnPanel_) {
    dsnPanel_->SetDesigning(false);
    dsnPanel_->SetTemplate(nullptr);
  }
  if (dsnInspector_) dsnInspector_->SetDesigning(false);
  props_.reset();
  handler_.reset();
  targetList_.reset();
}

void TDsnRegister::FocusStage() {
  if (dsnStage_ && dsnStage_->CanFocus()) dsnStage_->SetFocus();
}

// ---------------------------------------------------------------------------------------------
// TDsnRegister: factories

std::unique_ptr<TMultiHandler> TDsnRegister::CreateHandler() { return std::make_unique<TMultiHandler>(); }

std::unique_ptr<TMultiShape> TDsnRegister::CreateCopyShape() { return std::make_unique<TMultiShape>(); }

std::unique_ptr<TMultiShape> TDsnRegister::CreateMoveShape() { return std::make_unique<TMultiShape>(); }

std::unique_ptr<TDsnCtrl> TDsnRegister::CreateSubCtrl(TWinControl* control) {
  return TClientAgent::Create<TDsnCtrl>(control, this);
}

std::unique_ptr<TDsnList> TDsnRegister::CreateDsnList() { return std::make_unique<TDsnList>(); }

std::unique_ptr<TMultiProps> TDsnRegister::CreateProps() { return std::make_unique<TMultiProps>(); }

std::unique_ptr<TTargetList> TDsnRegister::CreateList() {
  auto list = std::make_unique<TTargetList>();
  handler_.reset();
  props_.reset();
  if (dsnStage_) {
    handler_ = CreateHandler();
    handler_->SetStepX(band_.MoveWidth());
    handler_->SetStepY(band_.MoveHeight());
    handler_->SetShapeColor(band_.Color());
    handler_->SetShapeWidth(band_.PenWidth());
    handler_->SetSnapLines(snapLines_);
    list->SelectNotification(handler_.get());
  }
  if (dsnInspector_) {
    props_ = CreateProps();
    list->SelectNotification(props_.get());
    props_->SetInspector(dsnInspector_);
    TStringList names, captions;
    dsnInspector_->GetPropLists(&names, &captions);
    props_->SetInspectList(&names);
    props_->SetCaptionList(&captions);
    props_->SetOutList(dsnInspector_->GetOutProps());
  }
  for (TReceiveTargets* receiver : notifies_) list->SelectNotification(receiver);
  return list;
}

TTargetList* TDsnRegister::NewTargetList() {
  targetList_ = CreateList();
  return targetList_.get();
}

TTargetList* TDsnRegister::EnsureTargetList() {
  if (!targetList_) targetList_ = CreateList();
  return targetList_.get();
}

TMultiShape* TDsnRegister::TakeShape(std::unique_ptr<TMultiShape> shape) {
  return gesture_.TakeShape(std::move(shape), band_.Color(), band_.PenWidth());
}

TMultiShape* TDsnRegister::StartMoveShape() {
  TMultiShape* shape = TakeShape(CreateMoveShape());
  for (int i = 0; targetList_ && i < targetList_->GetCount(); ++i) shape->Add(targetList_->GetItems(i));
  return shape;
}

// ---------------------------------------------------------------------------------------------
// TDsnRegister: partners, receivers and the selection

void TDsnRegister::AddPartners(TDsnPartner* partner) {
  if (!partners_.Contains(partner)) partners_.Add(partner);
}

void TDsnRegister::RemovePartners(TDsnPartner* partner) { partners_.Remove(partner); }

void TDsnRegister::AddNotifies(TReceiveTargets* receiver) { notifies_.push_back(receiver); }

void TDsnRegister::RemoveNotifies(TReceiveTargets* receiver) {
  if (auto it = std::find(notifies_.begin(), notifies_.end(), receiver); it != notifies_.end()) notifies_.erase(it);
}

void TDsnRegister::ClearSelect() {
  if (targetList_) targetList_->Clear();
}

bool TDsnRegister::SameParent() const {
  if (!targetList_ || targetList_->GetCount() <= 0) return true;
  const TControl* first = targetList_->GetItems(0);
  for (int i = 1; i < targetList_->GetCount(); ++i) {
    const TControl* item = targetList_->GetItems(i);
    if (!first || !item || item->Parent() != first->Parent()) return false;
  }
  return true;
}

bool TDsnRegister::CheckCanSelect(TControl* control) {
  if (!dsnStage_ || !control) return false;
  bool onStage = false;
  for (TWinControl* p = control->Parent(); p && !onStage; p = p->Parent()) {
    if (p == dsnStage_) onStage = true;
    else if (dynamic_cast<TCustomForm*>(p)) break;
  }
  if (!onStage) return false;
  TComponent* covered = dynamic_cast<TWinControl*>(control) ? control : control->Parent();
  if (dsnStage_->AskCover(this, covered) != caAllAccept) return false;
  return AskSelect(this, control).Contains(saMove);
}

// ---------------------------------------------------------------------------------------------
// TDsnRegister: clipboard, delete and copies, as the transfer carries them out

bool TDsnRegister::CanCopy() { return transfer_.CanCopy(); }

bool TDsnRegister::CanPaste() { return transfer_.CanPaste(); }

TWinControl* TDsnRegister::PasteZero() { return dsnStage_; }

void TDsnRegister::Cut() {
  if (!CanCopy()) return;
  Copy();
  Delete();
}

void TDsnRegister::Copy() {
  if (CanCopy()) transfer_.Copy();
}

void TDsnRegister::Paste() {
  if (!CanPaste() || !Owner() || !dsnStage_) return;
  TWinControl* container = targetList_->GetCount() == 1 ? dynamic_cast<TWinControl*>(targetList_->GetItems(0))
                                                         : PasteZero();
  if (container) transfer_.Paste(container);
}

void TDsnRegister::ComponentsProcClipbrd(TComponent* component) { transfer_.Adopt(component); }

void TDsnRegister::Delete() { transfer_.Delete(); }

void TDsnRegister::SortForDelete(TList* controls) const { transfer_.SortForDelete(controls); }

void TDsnRegister::CopyPaste(TControl* source, TWinControl* parent) { transfer_.CopyPaste(source, parent); }

void TDsnRegister::CheckName(TReader* reader, TComponent* component, String& name) {
  transfer_.CheckName(reader, component, name);
}

// ---------------------------------------------------------------------------------------------
// Registration

void RegisterDsnUnitClasses() {
  RegisterClasses({&TDsnStage::StaticClassInfo(), &TDsnSwitch::StaticClassInfo(), &TDsnSwich::StaticClassInfo(),
                   &TDsnRegister::StaticClassInfo()});
  RegisterDsnPanelClasses();
  RegisterDsnSpctrClasses();
}
