// The designer controller, the design stage, the interceptor, the mode switch, the partner base
// and the unit's class registration.
//
// Sections: TRubberband · TDsnStage · TDsnCtrl · TDsnSwitch · TDsnPartner · TDsnRegister (life and
// references, design mode, interception, mouse, creating, context menu, selection) · registration.
#include "designer/DsnUnit.h"

#include <algorithm>
#include <cstdlib>
#include <utility>

#include "designer/DsnPanel.h"
#include "framework/windows/Forms.h"
#include "framework/windows/Services.h"

// windows.h names a window-property function SetProp; the property writer is meant here.
#undef SetProp
#include "designer/DsnInfo.h"

// ---------------------------------------------------------------------------------------------
// TRubberband

void TRubberband::Publish(TPublisher<TRubberband>& p) {
  p.Prop("Color", &TRubberband::Color, &TRubberband::SetColor).Type(ColorTypeInfo()).Default(clGray);
  p.Prop("PenWidth", &TRubberband::PenWidth, &TRubberband::SetPenWidth).Default(2);
  p.Prop("MoveWidth", &TRubberband::MoveWidth, &TRubberband::SetMoveWidth).Default(8);
  p.Prop("MoveHeight", &TRubberband::MoveHeight, &TRubberband::SetMoveHeight).Default(8);
}

void TRubberband::Assign(TPersistent* source) {
  auto* other = dynamic_cast<TRubberband*>(source);
  if (!other) {
    TPersistent::Assign(source);
    return;
  }
  color_ = other->color_;
  penWidth_ = other->penWidth_;
  moveWidth_ = other->moveWidth_;
  moveHeight_ = other->moveHeight_;
}

// ---------------------------------------------------------------------------------------------
// TDsnStage

void TDsnStage::Publish(TPublisher<TDsnStage>& p) {
  p.Prop("SelfProps", &TDsnStage::SelfProps, &TDsnStage::SetSelfProps);
  p.Prop("OutProps", &TDsnStage::OutProps, &TDsnStage::SetOutProps);
  p.Prop("Rubberband", &TDsnStage::Rubberband, &TDsnStage::SetRubberband);
  p.Prop("CoverMenu", &TDsnStage::CoverMenu, &TDsnStage::SetCoverMenu);
  p.Prop("FixPosition", &TDsnStage::FixPosition, &TDsnStage::SetFixPosition).Default(false);
  p.Prop("FixSize", &TDsnStage::FixSize, &TDsnStage::SetFixSize).Default(false);
  p.Prop("OnDeleteQuery", &TDsnStage::OnDeleteQuery);
  p.Prop("OnCoverQuery", &TDsnStage::OnCoverQuery);
  p.Prop("OnSelectQuery", &TDsnStage::OnSelectQuery);
  p.Prop("OnMoveQuery", &TDsnStage::OnMoveQuery);
  p.Prop("OnControlCreate", &TDsnStage::OnControlCreate);
  p.Prop("OnControlLoading", &TDsnStage::OnControlLoading);
  p.Prop("OnControlLoaded", &TDsnStage::OnControlLoaded);
  p.Prop("OnCoverDblClick", &TDsnStage::OnCoverDblClick);
  p.Prop("OnMenuClick", &TDsnStage::OnMenuClick);
  p.Prop("OnPopup", &TDsnStage::OnPopup);
}

TDsnStage::TDsnStage(TComponent* owner)
    : TPanel(owner),
      selfProps_(std::make_unique<TStringList>()),
      outProps_(std::make_unique<TStringList>()),
      rubberband_(std::make_unique<TRubberband>(this)) {}

TDsnStage::~TDsnStage() { BeforeDestruction(); }

void TDsnStage::SetCoverMenu(TPopupMenu* value) {
  coverMenu_ = value;
  if (value) value->FreeNotification(this);
}

void TDsnStage::SetController(TDsnRegister* value) {
  controller_ = value;
  if (value) value->FreeNotification(this);
}

void TDsnStage::Notification(TComponent* component, TOperation operation) {
  TPanel::Notification(component, operation);
  if (operation != opRemove) return;
  if (component == coverMenu_) coverMenu_ = nullptr;
  if (component == controller_) controller_ = nullptr;
  std::erase(pendingNotices_, component);
}

void TDsnStage::SetDesignig(bool) {}

bool TDsnStage::GetCanCopy() { return controller_ && controller_->CanCopy(); }

bool TDsnStage::GetCanPaste() { return controller_ && controller_->CanPaste(); }

void TDsnStage::Delete() {
  if (controller_) controller_->Delete();
}

void TDsnStage::Cut() {
  if (controller_) controller_->Cut();
}

void TDsnStage::Copy() {
  if (controller_) controller_->Copy();
}

void TDsnStage::Paste() {
  if (controller_) controller_->Paste();
}

int TDsnStage::TargetsCount() const {
  if (!controller_ || !controller_->TargetList()) return -1;
  return controller_->TargetList()->GetCount();
}

TControl* TDsnStage::GetControls(int index) const {
  if (!controller_ || !controller_->TargetList()) return nullptr;
  return controller_->TargetList()->GetItems(index);
}

void TDsnStage::UpdateControl() {
  if (controller_ && controller_->TargetList()) controller_->TargetList()->SetPosition();
}

void TDsnStage::KeyPress(char& key) {
  switch (key) {
    case 3:
      key = 0;
      Copy();
      break;
    case 24:
      key = 0;
      Cut();
      break;
    case 22:
      key = 0;
      Paste();
      break;
    default:
      break;
  }
  TPanel::KeyPress(key);
}

void TDsnStage::WMKeyUp(TWMKey& message) {
  if (message.CharCode() == VK_DELETE) {
    Delete();
    message.Message.Result = 1;
  }
  TPanel::WMKeyUp(message);
}

void TDsnStage::Dispatch(TMessage& message) {
  switch (message.Msg) {
    case DSNM_CLIENTDEATH: ClientDeth(message); return;
    case DSNM_PROPERTYCHANGED: UpdateControl(); return;
    case DSNM_CONTROLCREATED: ControlNotice(message, OnControlCreate); return;
    case DSNM_CONTROLLOADED: ControlNotice(message, OnControlLoaded); return;
    default: TPanel::Dispatch(message);
  }
}

void TDsnStage::CreateHandle() {
  TPanel::CreateHandle();
  if (controller_) controller_->ReattachInterceptors();
}

void TDsnStage::ClientDeth(TMessage& message) {
  if (controller_) controller_->ClientDeath(reinterpret_cast<TDsnCtrl*>(message.WParam));
}

void TDsnStage::PostControlCreated(TComponent* component) { PostNotice(DSNM_CONTROLCREATED, component); }

void TDsnStage::PostControlLoaded(TComponent* component) { PostNotice(DSNM_CONTROLLOADED, component); }

// The notice carries a pointer that must still name a live component when it arrives: the
// component is remembered, and forgotten when it is destroyed before that.
void TDsnStage::PostNotice(UINT msg, TComponent* component) {
  if (!component || !HandleAllocated()) return;
  pendingNotices_.push_back(component);
  component->FreeNotification(this);
  PostMessageW(Handle(), msg, reinterpret_cast<WPARAM>(component), 0);
}

void TDsnStage::ControlNotice(TMessage& message, const TControlCreate& event) {
  auto* component = reinterpret_cast<TComponent*>(message.WParam);
  auto pending = std::find(pendingNotices_.begin(), pendingNotices_.end(), component);
  if (pending == pendingNotices_.end()) return;
  pendingNotices_.erase(pending);
  event(this, component);
}

// ---------------------------------------------------------------------------------------------
// TDsnCtrl

void TDsnCtrl::ClientWndProc(TMessage& message) {
  TWMMouse mouse(message);
  switch (message.Msg) {
    case WM_DESTROY: ClientHandleChange(message); return;
    case WM_SETFOCUS: ClientSetFocus(message); return;
    case WM_PAINT: {
      TWMPaint paint(message);
      ClientPaint(paint);
      return;
    }
    case WM_NCHITTEST: message.Result = HTCLIENT; return;
    case WM_MOUSEMOVE: ClientMouseMove(mouse); return;
    case WM_LBUTTONDOWN:
      // A container that takes design presses itself gets this one as well.
      if (SendMessageW(Handle(), CM_DESIGNHITTEST, message.WParam, message.LParam) == 1) CallOldWndProc(message);
      ClientMouseDown(mouse);
      return;
    case WM_LBUTTONUP: ClientMouseUp(mouse); return;
    case WM_LBUTTONDBLCLK: ClientDbClick(mouse); return;
    case WM_RBUTTONDOWN: ClientContextMenu(mouse); return;
    case WM_RBUTTONUP: ReleaseRightCapture(message); return;
    case WM_CAPTURECHANGED: ClientCaptureChanged(message); return;
    case DSNM_PRERESIZE: ClientPreResize(message); return;
    case DSNM_RESIZE: {
      TResizeMessage resize = TResizeMessage::Unpack(message);
      ClientResize(resize);
      message.Result = resize.Result;
      return;
    }
    case DSNM_SELECT: ClientSelect(message); return;
    case DSNM_SELECTBYINSPECT: ClientSelectByInspect(message); return;
    default: CallOldWndProc(message);
  }
}

void TDsnCtrl::ClientCaptureChanged(TMessage&) {}

void TDsnCtrl::TakeInstance() {
  if (!Control()) return;
  Control()->SetCursor(crArrow);
  RepaintControl();
}

void TDsnCtrl::ReleaseInstance() {
  if (!Control() || dying_) return;
  Control()->SetCursor(crDefault);
  RepaintControl();
}

void TDsnCtrl::RepaintControl() {
  if (!controller_ || !controller_->RepaintDeferred()) Control()->Invalidate();
}

TShiftState TDsnCtrl::NoteMouse(TWMMouse& message) {
  mousePos_ = message.Pos();
  return KeysToShiftState(message.Keys());
}

TControl* TDsnCtrl::ControlUnderMouse() {
  TControl* found = Control()->ControlAtPos(mousePos_, true, false);
  if (!found || found->Owner() != Control()->Owner()) return Control();
  return found;
}

void TDsnCtrl::ClientMouseDown(TWMMouse& message) {
  const TShiftState shift = NoteMouse(message);
  SetCaptureControl(ControlUnderMouse());
  SetCapture(Handle());
  controller_->MouseDown(Control(), CaptureControl(), shift, mousePos_);
  controller_->FocusStage();
}

void TDsnCtrl::ClientMouseMove(TWMMouse& message) {
  const TShiftState shift = NoteMouse(message);
  if (CaptureControl()) controller_->MoseMove(Control(), mousePos_, shift);
}

void TDsnCtrl::ClientMouseUp(TWMMouse& message) {
  const TShiftState shift = NoteMouse(message);
  if (CaptureControl()) controller_->MoseUp(Control(), mousePos_, shift);
  ReleaseCapture();
}

void TDsnCtrl::ClientPaint(TWMPaint& message) { Control()->Perform(message.Message); }

void TDsnCtrl::ClientPreResize(TMessage& message) {
  SetCaptureControl(reinterpret_cast<TControl*>(message.WParam));
}

void TDsnCtrl::ClientResize(TResizeMessage& message) { controller_->Resized(CaptureControl(), message); }

void TDsnCtrl::ClientSelect(TMessage& message) { controller_->Selected(CaptureControl(), message); }

void TDsnCtrl::ClientSelectByInspect(TMessage& message) {
  controller_->SelectByInspect(reinterpret_cast<TControl*>(message.WParam));
}

void TDsnCtrl::ClientSetFocus(TMessage& message) {
  if (dynamic_cast<TDsnStage*>(Control())) CallOldWndProc(message);
  else controller_->FocusStage();
}

void TDsnCtrl::ClientDbClick(TWMMouse& message) { controller_->DbClick(CaptureControl(), message); }

void TDsnCtrl::ClientContextMenu(TWMMouse& message) {
  NoteMouse(message);
  SetCaptureControl(ControlUnderMouse());
  SetCapture(Handle());
  controller_->CallPopupMenu(Control(), CaptureControl(), message.XPos(), message.YPos());
  controller_->FocusStage();
}

// The right press took the mouse; without a menu to take it over it would stay with this window
// and the next press anywhere would come here.
void TDsnCtrl::ReleaseRightCapture(TMessage& message) {
  CallOldWndProc(message);
  if (GetCapture() == Handle()) ReleaseCapture();
}

void TDsnCtrl::ClientHandleChange(TMessage& message) {
  EndSubClassing();
  CallOldWndProc(message);
  TDsnStage* stage = controller_ ? controller_->DsnStage() : nullptr;
  if (stage && stage->HandleAllocated())
    PostMessageW(stage->Handle(), DSNM_CLIENTDEATH, reinterpret_cast<WPARAM>(this), 0);
}

// ---------------------------------------------------------------------------------------------
// TDsnSwitch

void TDsnSwitch::Publish(TPublisher<TDsnSwitch>& p) {
  p.Prop("DsnRegister", &TDsnSwitch::DsnRegister, &TDsnSwitch::SetDsnRegister);
  p.Prop("DsnMessageFlg", &TDsnSwitch::DsnMessageFlg, &TDsnSwitch::SetDsnMessageFlg).Default(false);
  p.Prop("DsnMessage", &TDsnSwitch::DsnMessage, &TDsnSwitch::SetDsnMessage);
}

TDsnSwitch::TDsnSwitch(TComponent* owner) : TSpeedButton(owner), dsnMessage_("Now, Starting Design") {}

void TDsnSwitch::Loaded() {
  TSpeedButton::Loaded();
  SetGroupIndex(kGroupIndex);
  SetAllowAllUp(true);
}

void TDsnSwitch::SetDsnRegister(TDsnRegister* value) {
  dsnRegister_ = value;
  if (value) value->FreeNotification(this);
}

void TDsnSwitch::Notification(TComponent* component, TOperation operation) {
  TSpeedButton::Notification(component, operation);
  if (operation == opRemove && component == dsnRegister_) dsnRegister_ = nullptr;
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
  dsnRegister_ = value;
  if (!value) return;
  value->FreeNotification(this);
  value->AddPartners(this);
}

void TDsnPartner::Notification(TComponent* component, TOperation operation) {
  TComponent::Notification(component, operation);
  if (operation == opRemove && component == dsnRegister_) dsnRegister_ = nullptr;
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
}

TDsnRegister::TDsnRegister(TComponent* owner) : TComponent(owner) {}

TDsnRegister::~TDsnRegister() {
  BeforeDestruction();
  DropShape();
  handler_.reset();
  for (int i = 0; dsnList_ && i < dsnList_->Count(); ++i) dsnList_->Interceptors(i)->SetDying(true);
  DestroyInterceptors();
  dsnList_.reset();
  if (targetList_) targetList_->Clear();
  targetList_.reset();
  props_.reset();
  // The stage's cover menu gets its items back even when design mode never ended.
  DropContextMenu();
  if (dsnStage_ && dsnStage_->Controller() == this) dsnStage_->SetController(nullptr);
}

void TDsnRegister::Follow(TComponent* component) {
  if (component) component->FreeNotification(this);
}

void TDsnRegister::SetDsnStage(TDsnStage* value) {
  Follow(value);
  dsnStage_ = value;
  if (!value) return;
  const TRubberband* band = value->Rubberband();
  moveWidth_ = band->MoveWidth();
  moveHeight_ = band->MoveHeight();
  color_ = band->Color();
  penWidth_ = band->PenWidth();
  value->SetController(this);
}

void TDsnRegister::SetDsnPanel(TCustomCmpPlt* value) {
  Follow(value);
  dsnPanel_ = value;
}

void TDsnRegister::SetDsnInspector(TCustomInspector* value) {
  Follow(value);
  dsnInspector_ = value;
}

void TDsnRegister::SetArrowButton(TArrowButton* value) {
  Follow(value);
  arrowButton_ = value;
}

void TDsnRegister::Notification(TComponent* component, TOperation operation) {
  TComponent::Notification(component, operation);
  if (operation != opRemove) return;
  if (component == dsnStage_) dsnStage_ = nullptr;
  if (component == dsnPanel_) dsnPanel_ = nullptr;
  if (component == dsnInspector_) dsnInspector_ = nullptr;
  if (component == arrowButton_) arrowButton_ = nullptr;
  if (component == contextMenu_) contextMenu_ = nullptr;
  if (component == drawParent_) {
    DropShape();
    drawParent_ = nullptr;
  }
  if (component == newComponent_) newComponent_ = nullptr;
  if (partners_) partners_->Remove(component);

  // The interceptors of the dying control leave the list; the stage destroys them when their
  // window's death notice arrives.
  for (int i = dsnList_ ? dsnList_->Count() - 1 : -1; i >= 0; --i) {
    TDsnCtrl* interceptor = dsnList_->Interceptors(i);
    if (interceptor->Control() != component) continue;
    AlertClientDeath();
    interceptor->SetDying(true);
    dsnList_->Delete(i);
    departed_.emplace_back(interceptor);
  }

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
  if (partners_) {
    for (int i = 0; i < partners_->Count(); ++i) static_cast<TDsnPartner*>(partners_->Items(i))->SetDesigning(value);
  }
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
  DropShape();
  if (dsnStage_) {
    DestroySubClass();
    dsnStage_->SetDesignig(false);
  }
  DropContextMenu();
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
// TDsnRegister: interception

void TDsnRegister::CreateSubClass() {
  if (!dsnList_) dsnList_ = CreateDsnList();
  if (dsnStage_) SetSubClass(dsnStage_);
}

// The interceptors of a whole tree change their controls' cursors and ask for repaints at once:
// one repaint of the tree, and one look at the cursor under the mouse, instead of one per control.
template <class Work>
void TDsnRegister::WithOneRepaint(TWinControl* root, Work work) {
  TCursorChangeBatch cursors;
  ++repaintDeferred_;
  try {
    work();
  } catch (...) {
    --repaintDeferred_;
    throw;
  }
  --repaintDeferred_;
  if (root && root->HandleAllocated())
    RedrawWindow(root->Handle(), nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN);
}

void TDsnRegister::SetSubClass(TWinControl* control) {
  if (!dsnList_) dsnList_ = CreateDsnList();
  WithOneRepaint(control, [&] { Cover(control, nullptr); });
}

TCoverAccept TDsnRegister::AskCover(TObject* sender, TComponent* component) {
  TCoverAccept canCover = caAllAccept;
  if (dsnStage_ && dsnStage_->OnCoverQuery) dsnStage_->OnCoverQuery(sender, component, canCover);
  return canCover;
}

// `current` is the interceptor of the nearest intercepted window above: it holds the transparent
// agents of foreign windows met below it.
void TDsnRegister::Cover(TWinControl* control, TDsnCtrl* current) {
  const TCoverAccept canCover = AskCover(dsnStage_, control);
  if (canCover == caNoAccept) return;
  if (canCover == caAllAccept) {
    std::unique_ptr<TDsnCtrl> interceptor = CreateSubCtrl(control);
    interceptor->SetController(this);
    current = interceptor.get();
    dsnList_->Add(interceptor.release());
  }
  TComponent* designOwner = dsnStage_ ? dsnStage_->Owner() : control->Owner();
  TChildList children(control, control->Handle());
  for (int i = 0; i < children.Count(); ++i) {
    const TChildItem child = children.GetItems(i);
    if (child.Control && child.Control->Owner() == designOwner)
      Cover(child.Control, current);
    else if (current)
      current->Agents()->AddSubtree(child);
  }
}

void TDsnRegister::DestroyInterceptors() {
  for (int i = 0; dsnList_ && i < dsnList_->Count(); ++i) delete dsnList_->Interceptors(i);
  if (dsnList_) dsnList_->Clear();
  departed_.clear();
}

void TDsnRegister::DestroySubClass() {
  WithOneRepaint(dsnStage_, [&] { DestroyInterceptors(); });
}

void TDsnRegister::ClientDeath(TDsnCtrl* interceptor) {
  auto departed = std::find_if(departed_.begin(), departed_.end(), [&](const auto& d) { return d.get() == interceptor; });
  if (departed != departed_.end()) {
    departed_.erase(departed);
    return;
  }
  // A live interceptor that still has its window is a stale notice about a reused address.
  if (!dsnList_ || dsnList_->IndexOf(interceptor) < 0 || interceptor->Subclassed()) return;
  TWinControl* control = interceptor->Control();
  if (control && control->Parent()) interceptor->ChangeHandele(control->Handle());
}

void TDsnRegister::ReattachInterceptors() {
  for (int i = 0; dsnList_ && i < dsnList_->Count(); ++i) {
    TDsnCtrl* interceptor = dsnList_->Interceptors(i);
    TWinControl* control = interceptor->Control();
    if (!interceptor->Subclassed() && control && control->HandleAllocated()) interceptor->ChangeHandele(control->Handle());
  }
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
    handler_->SetStepX(moveWidth_);
    handler_->SetStepY(moveHeight_);
    handler_->SetShapeColor(color_);
    handler_->SetShapeWidth(penWidth_);
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
  for (int i = 0; notifies_ && i < notifies_->Count(); ++i)
    list->SelectNotification(static_cast<TReceiveTargets*>(notifies_->Items(i)));
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
  DropShape();
  shape_ = std::move(shape);
  shape_->SetPenColor(color_);
  shape_->SetPenWidth(penWidth_);
  return shape_.get();
}

void TDsnRegister::DropShape() {
  if (!shape_) return;
  shape_->DrowUp();
  shape_.reset();
}

TMultiShape* TDsnRegister::StartMoveShape() {
  TMultiShape* shape = TakeShape(CreateMoveShape());
  for (int i = 0; targetList_ && i < targetList_->GetCount(); ++i) shape->Add(targetList_->GetItems(i));
  return shape;
}

// ---------------------------------------------------------------------------------------------
// TDsnRegister: mouse

void TDsnRegister::Cutting(int& x, int& y) const {
  if (moveWidth_ > 0) x = x / moveWidth_ * moveWidth_;
  if (moveHeight_ > 0) y = y / moveHeight_ * moveHeight_;
}

TSelectAccept TDsnRegister::AskSelect(TObject* sender, TComponent* component) {
  TSelectAccept canSelect{saCreate, saMove};
  if (dsnStage_ && dsnStage_->OnSelectQuery) dsnStage_->OnSelectQuery(sender, component, canSelect);
  return canSelect;
}

void TDsnRegister::MouseDown(TWinControl* control, TComponent* component, TShiftState shift, const TPoint& point) {
  if (dsnPanel_ && dsnPanel_->GetTemplate()) MouseDownCreate(control, component, shift, point);
  else MouseDownMove(control, component, shift, point);
}

void TDsnRegister::MoseMove(TWinControl* control, const TPoint& point, TShiftState shift) {
  if (dsnPanel_ && dsnPanel_->GetTemplate()) MouseMoveCreate(control, point, shift);
  else if (shift.Contains(ssLeft)) MouseMoveMove(control, point, shift);
  else DropShape();
}

void TDsnRegister::MoseUp(TWinControl* control, const TPoint& point, TShiftState shift) {
  if (dsnPanel_ && dsnPanel_->GetTemplate()) MouseUpCreate(control, point, shift);
  else MouseUpMove(control, point, shift);
}

bool TDsnRegister::SelectForPress(TWinControl* control, TComponent* component) {
  if (!AskSelect(dsnStage_, component).Contains(saMove)) return false;
  drawParent_ = component == control ? control->Parent() : control;
  TTargetList* targets = EnsureTargetList();
  if (targets->GetCount() == 0) {
    targets->Add(component);
  } else if (targets->IndexOf(component) < 0 || !SameParent()) {
    targets->Clear();
    targets->Add(component);
  }
  return true;
}

void TDsnRegister::MouseDownMove(TWinControl* control, TComponent* component, TShiftState, const TPoint& point) {
  if (!SelectForPress(control, component) || !SameParent() || !drawParent_) return;
  TakeShape(CreateMoveShape());
  int x = point.X, y = point.Y;
  Cutting(x, y);
  startX_ = x;
  startY_ = y;
  shape_->SetOffset(drawParent_->ClientToScreen({x, y}));
  for (int i = 0; i < targetList_->GetCount(); ++i) shape_->Add(targetList_->GetItems(i));
  shape_->DrowOn(drawParent_);
}

void TDsnRegister::MouseMoveMove(TWinControl*, const TPoint& point, TShiftState) {
  if (!shape_ || !drawParent_) return;
  int x = point.X, y = point.Y;
  Cutting(x, y);
  if (SameParent()) shape_->Drow(drawParent_->ClientToScreen({x, y}));
}

void TDsnRegister::MouseUpMove(TWinControl*, const TPoint& point, TShiftState) {
  int x = point.X, y = point.Y;
  Cutting(x, y);
  if (SameParent() && shape_) {
    DropShape();
    for (int i = 0; targetList_ && i < targetList_->GetCount(); ++i) {
      TControl* target = targetList_->GetItems(i);
      if (!target) continue;
      bool canMove = true;
      if (dsnStage_ && dsnStage_->OnMoveQuery) dsnStage_->OnMoveQuery(dsnStage_, target, canMove);
      if (!canMove) continue;
      target->SetLeft(target->Left() + (x - startX_));
      target->SetTop(target->Top() + (y - startY_));
    }
  }
  const int dx = startX_ - x, dy = startY_ - y;
  if (dx != 0 || dy != 0) Moved(dx, dy);
  if (targetList_) targetList_->SetPosition();
}

void TDsnRegister::DbClick(TControl* control, TWMMouse&) {
  if (dsnStage_ && dsnStage_->OnCoverDblClick) dsnStage_->OnCoverDblClick(dsnStage_, control);
}

void TDsnRegister::RButtonDown(TWinControl* control, TControl* component, int, int) {
  if (!SelectForPress(control, component)) return;
  targetList_->SetPosition();
}

void TDsnRegister::Resized(TControl*, TResizeMessage&) {
  if (!props_) return;
  props_->GetValues();
  props_->SetPosition();
}

void TDsnRegister::Moved(int, int) {
  if (props_) props_->GetValues();
}

void TDsnRegister::SelectByInspect(TControl* control) {
  TTargetList* targets = EnsureTargetList();
  targets->Clear();
  targets->Add(control);
  targets->SetPosition();
}

// ---------------------------------------------------------------------------------------------
// TDsnRegister: creating from the palette's template

TPoint TDsnRegister::CreationPoint(TWinControl* control, TPoint point, bool snapFirst) {
  if (snapFirst) Cutting(point.X, point.Y);
  if (!control->ControlStyle().Contains(csAcceptsControls)) {
    point.X += control->Left();
    point.Y += control->Top();
  }
  if (!snapFirst) Cutting(point.X, point.Y);
  return point;
}

void TDsnRegister::MouseDownCreate(TWinControl* control, TComponent* component, TShiftState, const TPoint& point) {
  if (!AskSelect(dsnStage_, component).Contains(saCreate)) return;
  drawParent_ = control->ControlStyle().Contains(csAcceptsControls) ? control : control->Parent();
  if (!drawParent_) return;
  TakeShape(CreateCopyShape());
  const TPoint start = CreationPoint(control, point, false);
  startX_ = start.X;
  startY_ = start.Y;
  shape_->SetOffset(start);
  shape_->AddNew();
  shape_->DrowOn(drawParent_);
}

void TDsnRegister::MouseMoveCreate(TWinControl* control, const TPoint& point, TShiftState) {
  if (!shape_ || !drawParent_) return;
  const TPoint p = CreationPoint(control, point, true);
  shape_->SetWidth(p.X - startX_);
  shape_->SetHeight(p.Y - startY_);
  shape_->Drow(drawParent_->ClientToScreen({startX_, startY_}));
}

void TDsnRegister::MouseUpCreate(TWinControl* control, const TPoint& point, TShiftState) {
  if (shape_ && drawParent_) {
    const TPoint end = CreationPoint(control, point, true);
    DropShape();
    const int w = end.X - startX_, h = end.Y - startY_;
    try {
      auto* source = dynamic_cast<TControl*>(dsnPanel_->GetTemplate());
      if (!source) throw EInvalidOperation("The template is no control");
      CopyPaste(source, drawParent_);
    } catch (...) {
      // A template that cannot be copied creates nothing; the creation still ends normally.
    }
    if (newComponent_) {
      GiveName(newComponent_);
      if (auto* created = dynamic_cast<TControl*>(newComponent_)) {
        created->SetBounds(startX_ + std::min(w, 0), startY_ + std::min(h, 0), std::abs(w), std::abs(h));
        TTargetList* targets = EnsureTargetList();
        if (auto* windowed = dynamic_cast<TWinControl*>(created)) SetSubClass(windowed);
        targets->Clear();
        targets->Add(created);
        targets->SetPosition();
      }
    }
  }
  if (dsnPanel_) {
    dsnPanel_->EndCreating();
    dsnPanel_->SetTemplate(nullptr);
  }
  newComponent_ = nullptr;
}

void TDsnRegister::GiveName(TComponent* component) {
  TComponent* owner = Owner() ? Owner() : component->Owner();
  const String base = component->ClassName().substr(1);
  String name;
  for (int n = 1;; ++n) {
    name = base + IntToStr(n);
    if (!owner || !owner->FindComponent(name)) break;
  }
  component->SetName(name);
}

// ---------------------------------------------------------------------------------------------
// TDsnRegister: the context menu

void TDsnRegister::CreateContextMenu() {
  if (!dsnStage_) return;
  TPopupMenu* cover = dsnStage_->CoverMenu();
  if (!cover && dsnStage_->SelfProps()->Count() == 0) return;
  DropContextMenu();
  contextMenu_ = new TPopupMenu(Owner());
  contextMenu_->FreeNotification(this);
  if (cover) {
    contextMenu_->OnPopup = cover->OnPopup;
    while (cover->Items()->Count() > 0) contextMenu_->Items()->Add(cover->Items()->Items(0));
  }
  contextMenu_->SetTag(contextMenu_->Items()->Count());
}

void TDsnRegister::DropContextMenu() {
  if (!contextMenu_) return;
  TPopupMenu* cover = dsnStage_ ? dsnStage_->CoverMenu() : nullptr;
  const int borrowed = std::min(contextMenu_->Tag(), contextMenu_->Items()->Count());
  for (int i = 0; cover && i < borrowed; ++i) cover->Items()->Add(contextMenu_->Items()->Items(0));
  delete std::exchange(contextMenu_, nullptr);
}

void TDsnRegister::CallPopupMenu(TWinControl* control, TControl* component, int x, int y) {
  RButtonDown(control, component, x, y);
  if (!contextMenu_ || !targetList_ || !dsnStage_) return;
  TContextProps table;
  table.CreateTable(dsnStage_->SelfProps(), dsnStage_->OutProps(), targetList_->Items());
  TMenuItem* items = contextMenu_->Items();
  while (items->Count() > contextMenu_->Tag()) delete items->Items(items->Count() - 1);
  if (items->Count() > 0) {
    auto* separator = new TDsnMenuItem(Owner());
    separator->SetCaption("-");
    items->Add(separator);
  }
  for (int i = 0; i < table.Names()->Count(); ++i) {
    auto* item = new TDsnMenuItem(Owner());
    item->SetCaption(table.GetCaption(i));
    item->OnClick = TNotifyEvent(this, &TDsnRegister::MenuMethod);
    item->SetPropName(table.Names()->Get(i));
    item->SetValue(table.Values()->Get(i));
    items->Add(item);
  }
  if (dsnStage_->OnPopup) dsnStage_->OnPopup(contextMenu_);
  TPoint at{control->Left(), control->Top()};
  if (control->Parent()) at = control->Parent()->ClientToScreen(at);
  contextMenu_->Popup(at.X + x, at.Y + y);
}

void TDsnRegister::MenuMethod(TObject* sender) {
  auto* item = dynamic_cast<TDsnMenuItem*>(sender);
  if (!item || !dsnStage_ || !dsnStage_->OnMenuClick) return;
  TSelectedComponents snapshot;
  if (targetList_) snapshot.AssignList(targetList_->Items());
  String value = item->Value();
  dsnStage_->OnMenuClick(dsnStage_, &snapshot, item->PropName(), value);
  item->SetValue(value);
  if (!targetList_) return;
  SetProp(targetList_->Items(), item->PropName(), value);
  targetList_->SetPosition();
}

// ---------------------------------------------------------------------------------------------
// TDsnRegister: partners, receivers and the selection

void TDsnRegister::AddPartners(TDsnPartner* partner) {
  if (!partners_) partners_ = std::make_unique<TList>();
  if (partners_->IndexOf(partner) < 0) partners_->Add(partner);
}

void TDsnRegister::RemovePartners(TDsnPartner* partner) {
  if (partners_) partners_->Remove(partner);
}

void TDsnRegister::AddNotifies(TReceiveTargets* receiver) {
  if (!notifies_) notifies_ = std::make_unique<TList>();
  notifies_->Add(receiver);
}

void TDsnRegister::RemoveNotifies(TReceiveTargets* receiver) {
  if (notifies_) notifies_->Remove(receiver);
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
  if (AskCover(this, covered) != caAllAccept) return false;
  return AskSelect(this, control).Contains(saMove);
}

// ---------------------------------------------------------------------------------------------
// Registration

void RegisterDsnUnitClasses() {
  RegisterClasses({&TDsnStage::StaticClassInfo(), &TDsnSwitch::StaticClassInfo(), &TDsnSwich::StaticClassInfo(),
                   &TDsnRegister::StaticClassInfo(), &TArrowButton::StaticClassInfo()});
}
