// The inspector component and its settings objects.
#include "designer/DsnSpctr.h"

#include "designer/Dsnfunc.h"
#include "designer/InspectorFm.h"
#include "framework/stdctrls/BitBtn.h"
#include "framework/stdctrls/Grids.h"
#include "framework/stdctrls/Panel.h"
#include "framework/stdctrls/SpeedButton.h"

// ---------------------------------------------------------------------------------------------
// TShowProps

const char* const TShowProps::PropNames[spCount] = {"Caption", "Color", "Font", "Height",
                                                    "Left",    "Name",  "Top",  "Width"};

void TShowProps::Publish(TPublisher<TShowProps>& p) {
  p.Prop("aName", &TShowProps::aName, &TShowProps::SetaName).Default(false);
  p.Prop("aCaption", &TShowProps::aCaption, &TShowProps::SetaCaption).Default(false);
  p.Prop("aColor", &TShowProps::aColor, &TShowProps::SetaColor).Default(false);
  p.Prop("aTop", &TShowProps::aTop, &TShowProps::SetaTop).Default(false);
  p.Prop("aLeft", &TShowProps::aLeft, &TShowProps::SetaLeft).Default(false);
  p.Prop("aWidth", &TShowProps::aWidth, &TShowProps::SetaWidth).Default(false);
  p.Prop("aHeight", &TShowProps::aHeight, &TShowProps::SetaHeight).Default(false);
  p.Prop("aFont", &TShowProps::aFont, &TShowProps::SetaFont).Default(false);
  p.Prop("aNameCp", &TShowProps::aNameCp, &TShowProps::SetaNameCp);
  p.Prop("aCaptionCp", &TShowProps::aCaptionCp, &TShowProps::SetaCaptionCp);
  p.Prop("aColorCp", &TShowProps::aColorCp, &TShowProps::SetaColorCp);
  p.Prop("aTopCp", &TShowProps::aTopCp, &TShowProps::SetaTopCp);
  p.Prop("aLeftCp", &TShowProps::aLeftCp, &TShowProps::SetaLeftCp);
  p.Prop("aWidthCp", &TShowProps::aWidthCp, &TShowProps::SetaWidthCp);
  p.Prop("aHeightCp", &TShowProps::aHeightCp, &TShowProps::SetaHeightCp);
  p.Prop("aFontCp", &TShowProps::aFontCp, &TShowProps::SetaFontCp);
}

void TShowProps::Assign(TPersistent* source) {
  auto* other = dynamic_cast<TShowProps*>(source);
  if (!other) return TPersistent::Assign(source);
  for (int i = 0; i < spCount; ++i) entries_[i] = other->entries_[i];
}

// ---------------------------------------------------------------------------------------------
// TInspectorPos

void TInspectorPos::Publish(TPublisher<TInspectorPos>& p) {
  p.Prop("Top", &TInspectorPos::Top, &TInspectorPos::SetTop).Default(50);
  p.Prop("Left", &TInspectorPos::Left, &TInspectorPos::SetLeft).Default(15);
  p.Prop("Width", &TInspectorPos::Width, &TInspectorPos::SetWidth).Default(230);
  p.Prop("Height", &TInspectorPos::Height, &TInspectorPos::SetHeight).Default(400);
}

void TInspectorPos::Assign(TPersistent* source) {
  auto* other = dynamic_cast<TInspectorPos*>(source);
  if (!other) return TPersistent::Assign(source);
  left_ = other->left_;
  top_ = other->top_;
  width_ = other->width_;
  height_ = other->height_;
}

// ---------------------------------------------------------------------------------------------
// TGridCp

void TGridCp::Publish(TPublisher<TGridCp>& p) {
  p.Prop("PropCp", &TGridCp::PropCp, &TGridCp::SetPropCp).Stored(&TGridCp::IsPropCpStored);
  p.Prop("ValueCp", &TGridCp::ValueCp, &TGridCp::SetValueCp).Stored(&TGridCp::IsValueCpStored);
  p.Prop("PropWid", &TGridCp::PropWid, &TGridCp::SetPropWid).Default(80);
  p.Prop("ValueWid", &TGridCp::ValueWid, &TGridCp::SetValueWid).Default(100);
}

void TGridCp::Assign(TPersistent* source) {
  auto* other = dynamic_cast<TGridCp*>(source);
  if (!other) return TPersistent::Assign(source);
  propCp_ = other->propCp_;
  valueCp_ = other->valueCp_;
  propWid_ = other->propWid_;
  valueWid_ = other->valueWid_;
}

// ---------------------------------------------------------------------------------------------
// TInspctHlpBtn

void TInspctHlpBtn::Publish(TPublisher<TInspctHlpBtn>& p) {
  p.Prop("Visible", &TInspctHlpBtn::Visible, &TInspctHlpBtn::SetVisible).Default(false);
  p.Prop("HelpContext", &TInspctHlpBtn::HelpContext, &TInspctHlpBtn::SetHelpContext).Default(0);
  p.Prop("Caption", &TInspctHlpBtn::Caption, &TInspctHlpBtn::SetCaption).Stored(&TInspctHlpBtn::IsCaptionStored);
}

void TInspctHlpBtn::Assign(TPersistent* source) {
  auto* other = dynamic_cast<TInspctHlpBtn*>(source);
  if (!other) return TPersistent::Assign(source);
  visible_ = other->visible_;
  helpContext_ = other->helpContext_;
  caption_ = other->caption_;
}

// ---------------------------------------------------------------------------------------------
// TDsnInspector

void TDsnInspector::Publish(TPublisher<TDsnInspector>& p) {
  p.Prop("SelfProps", &TDsnInspector::SelfProps, &TDsnInspector::SetSelfProps);
  p.Prop("BtnProps", &TDsnInspector::BtnProps, &TDsnInspector::SetBtnProps);
  p.Prop("OutProps", &TDsnInspector::GetOutProps, &TDsnInspector::SetOutProps);
  p.Prop("OnBtnClick", &TDsnInspector::OnBtnClick);
  p.Prop("ShowProps", &TDsnInspector::ShowProps, &TDsnInspector::SetShowProps);
  p.Prop("ShowCombo", &TDsnInspector::ShowCombo, &TDsnInspector::SetShowCombo).Default(false);
  p.Prop("StayOnTop", &TDsnInspector::StayOnTop, &TDsnInspector::SetStayOnTop).Default(false);
  p.Prop("HelpButton", &TDsnInspector::HelpButton, &TDsnInspector::SetHelpButton);
  p.Prop("Position", &TDsnInspector::Position,
         static_cast<void (TDsnInspector::*)(TInspectorPos*)>(&TDsnInspector::SetPosition));
  p.Prop("BtnGlyph", &TDsnInspector::GetGlyph, &TDsnInspector::SetGlyph);
  p.Prop("Caption", &TDsnInspector::Caption, &TDsnInspector::SetCaption).Stored(&TDsnInspector::IsCaptionStored);
  p.Prop("Grid", &TDsnInspector::Grid, &TDsnInspector::SetGrid);
}

TDsnInspector::TDsnInspector(TComponent* owner)
    : TCustomInspector(owner),
      showProps_(std::make_unique<TShowProps>()),
      position_(std::make_unique<TInspectorPos>()),
      grid_(std::make_unique<TGridCp>()),
      btnGlyph_(std::make_unique<TBitmap>()),
      helpButton_(std::make_unique<TInspctHlpBtn>()) {}

TDsnInspector::~TDsnInspector() { Hide(); }

void TDsnInspector::Show() {
  auto form = std::make_unique<TInspectorFm>(nullptr);
  form->SetBtnProps(BtnProps());
  formButton_ = form->SpeedButton1;
  formGrid_ = form->StringGrid1;
  form->SetBounds(position_->Left(), position_->Top(), position_->Width(), position_->Height());
  formGrid_->SetColWidths(1, grid_->PropWid());
  formGrid_->SetColWidths(2, grid_->ValueWid());
  form->SetFormStyle(stayOnTop_ ? fsStayOnTop : fsNormal);
  form->SetInspector(this);
  formGrid_->SetCells(1, 0, grid_->PropCp());
  formGrid_->SetCells(2, 0, grid_->ValueCp());
  // One row leaves the grid without fixed rows: the heading scrolls and is clicked like the others.
  formGrid_->SetRowCount(1);
  formButton_->SetGlyph(btnGlyph_.get());
  form->Panel3->SetVisible(false);
  if (helpButton_->Visible()) {
    form->Panel1->SetVisible(true);
    form->HelpBtn->SetHelpContext(helpButton_->HelpContext());
    form->HelpBtn->SetCaption(helpButton_->Caption());
  }
  form->SetCaption(caption_);
  form_ = std::move(form);
  // Beside the stage, which keeps the keyboard: keys go on working the selection.
  form_->ShowInactive();
}

void TDsnInspector::Hide() {
  formButton_ = nullptr;
  formGrid_ = nullptr;
  form_.reset();
}

void TDsnInspector::BtnClick(const String& propName, String& value) {
  TSelectedComponents targets;
  if (MultiProps()) targets.AssignList(MultiProps()->Items());
  OnBtnClick(this, &targets, propName, value);
}

void TDsnInspector::SetPosition() {
  if (form_ && MultiProps()) form_->Fill(*MultiProps());
}

void TDsnInspector::GetPropLists(TStrings* names, TStrings* captions) {
  TStringList offered;
  for (int i = 0; i < TShowProps::spCount; ++i) {
    const auto prop = static_cast<TShowProps::TProp>(i);
    const TShowProps::TEntry& entry = showProps_->Entry(prop);
    if (!entry.Shown) continue;
    const String name = TShowProps::PropNames[prop];
    offered.Add(entry.Caption.empty() ? name : name + "|" + entry.Caption);
  }
  offered.AddStrings(SelfProps());
  // An entry holding line breaks becomes several entries.
  offered.SetText(offered.Text());
  SepareteStringsByBar(&offered, names, captions);
}

void TDsnInspector::SetComponent(TComponent* component) {
  if (auto* control = dynamic_cast<TControl*>(component)) ChangeTarget(control);
}

void TDsnInspector::SetBounds(int left, int top, int width, int height) {
  if (form_) form_->SetBounds(left, top, width, height);
}

// ---------------------------------------------------------------------------------------------
// Registration

void RegisterDsnSpctrClasses() {
  RegisterClasses({&TDsnInspector::StaticClassInfo(), &TInspectorFm::StaticClassInfo()});
}
