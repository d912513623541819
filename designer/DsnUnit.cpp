// The designer controller, the design stage, the mode switch and the unit's class registration.
#include "designer/DsnUnit.h"

#include "designer/DsnPanel.h"
#include "framework/stdctrls/Menus.h"

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

// ---------------------------------------------------------------------------------------------
// TDsnRegister

void TDsnRegister::Publish(TPublisher<TDsnRegister>& p) {
  p.Prop("DsnStage", &TDsnRegister::DsnStage, &TDsnRegister::SetDsnStage);
  p.Prop("DsnPanel", &TDsnRegister::DsnPanel, &TDsnRegister::SetDsnPanel);
  p.Prop("DsnInspector", &TDsnRegister::DsnInspector, &TDsnRegister::SetDsnInspector);
  p.Prop("ArrowButton", &TDsnRegister::ArrowButton, &TDsnRegister::SetArrowButton);
}

TDsnRegister::TDsnRegister(TComponent* owner) : TComponent(owner) {}

TDsnRegister::~TDsnRegister() {
  BeforeDestruction();
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
}

// ---------------------------------------------------------------------------------------------
// Registration

void RegisterDsnUnitClasses() {
  RegisterClasses({&TDsnStage::StaticClassInfo(), &TDsnSwitch::StaticClassInfo(), &TDsnSwich::StaticClassInfo(),
                   &TDsnRegister::StaticClassInfo(), &TArrowButton::StaticClassInfo()});
}
