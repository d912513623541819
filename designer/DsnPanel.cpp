// The component palette: TDsnPanel with its palette buttons and its arrow button.
#include "designer/DsnPanel.h"

#include "framework/core/Filer.h"

namespace {

// Names of stored templates are short strings.
constexpr std::size_t kMaxGeneNameLength = 255;

}  // namespace

// ---------------------------------------------------------------------------------------------
// TArrowButton

void TArrowButton::Loaded() {
  TSpeedButton::Loaded();
  SetAllowAllUp(false);
  SetEnabled(false);
}

void TArrowButton::Click() {
  TSpeedButton::Click();
  if (Down() && palette_) palette_->SetTemplate(this);
}

void TArrowButton::SetDsnPanel(TCustomCmpPlt* palette) {
  if (palette) palette_.Set(palette);
}

// ---------------------------------------------------------------------------------------------
// TDsnButton

void TDsnButton::Loaded() {
  TSpeedButton::Loaded();
  SetEnabled(false);
  palette_.Set(dynamic_cast<TDsnPanel*>(Parent()));
}

void TDsnButton::Click() {
  TSpeedButton::Click();
  if (!Down() || !palette_) return;
  if (template_) palette_->SetTemplate(template_);
  else palette_->PressArrowButton();
}

void TDsnButton::SetGeneName(const String& value) { geneName_ = value.substr(0, kMaxGeneNameLength); }

void TDsnButton::Link(TDsnPanel* palette, TComponent* component) {
  palette_.Set(palette);
  template_.Set(component);
}

void TDsnButton::DefineProperties(TFiler& filer) {
  TSpeedButton::DefineProperties(filer);
  filer.DefineProperty(
      "GeneName", [this](TReader& reader) { SetGeneName(reader.ReadString()); },
      [this](TWriter& writer) { writer.WriteString(geneName_); }, true);
}

// ---------------------------------------------------------------------------------------------
// TDsnPanel: the run-time side

void TDsnPanel::Publish(TPublisher<TDsnPanel>& p) {
  p.Prop("BtnWidth", &TDsnPanel::BtnWidth, &TDsnPanel::SetBtnWidth).Default(90);
  p.Prop("BtnHeight", &TDsnPanel::BtnHeight, &TDsnPanel::SetBtnHeight).Default(50);
  p.Prop("BtnCaption", &TDsnPanel::BtnCaption, &TDsnPanel::SetBtnCaption).Default(true);
}

void TDsnPanel::SetDesigning(bool value) {
  StoreDesigning(value);
  if (value && arrowButton_) arrowButton_->SetDown(true);
  if (arrowButton_) arrowButton_->SetEnabled(value);
  for (TDsnButton* button : Buttons()) {
    // Templates are found anew each time: the layout may have been read since.
    if (value) button->Link(this, Owner() ? Owner()->FindComponent(button->GeneName()) : nullptr);
    button->SetEnabled(value);
  }
}

void TDsnPanel::SetTemplate(TComponent* component) {
  template_.Set(dynamic_cast<TArrowButton*>(component) ? nullptr : component);
}

void TDsnPanel::SetArrowButton(TArrowButton* button) {
  if (button) arrowButton_.Set(button);
}

void TDsnPanel::EndCreating() { PressArrowButton(); }

void TDsnPanel::PressArrowButton() {
  template_.Set(nullptr);
  if (arrowButton_) arrowButton_->SetDown(true);
}

std::vector<TDsnButton*> TDsnPanel::Buttons() const {
  std::vector<TDsnButton*> buttons;
  for (int i = 0; i < ControlCount(); ++i)
    if (auto* button = dynamic_cast<TDsnButton*>(Controls(i))) buttons.push_back(button);
  return buttons;
}

// ---------------------------------------------------------------------------------------------
// Registration

void RegisterDsnPanelClasses() {
  RegisterClasses({&TDsnPanel::StaticClassInfo(), &TDsnButton::StaticClassInfo(), &TArrowButton::StaticClassInfo()});
}
