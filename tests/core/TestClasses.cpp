// Published properties and methods of the shared test classes.
#include "TestClasses.h"

const TTypeInfo& TypeInfoOf(TypeTag<TTestAlign>) {
  static const TTypeInfo info = MakeEnumType("TTestAlign", {"taNone", "taTop", "taBottom", "taClient"});
  return info;
}

const TTypeInfo& TypeInfoOf(TypeTag<TTestStyle>);
const TTypeInfo& TypeInfoOf(TypeTag<TTestStyle>) {
  static const TTypeInfo info = MakeEnumType("TTestStyle", {"tsBold", "tsItalic", "tsUnderline", "tsStrikeOut"});
  return info;
}

const TTypeInfo& TestColorType() {
  static const TTypeInfo info =
      MakeIntegerType("TTestColor", INT32_MIN, INT32_MAX, {{tcWhite, "tcWhite"}, {tcSilver, "tcSilver"}});
  return info;
}

void TTestFont::Publish(TPublisher<TTestFont>& p) { p.Prop("Size", &TTestFont::Size, &TTestFont::SetSize).Default(9); }

void TTestFont::Assign(TPersistent* source) {
  if (auto* font = dynamic_cast<TTestFont*>(source)) {
    size_ = font->size_;
    return;
  }
  TPersistent::Assign(source);
}

void TTestBase::Publish(TPublisher<TTestBase>& p) {
  p.Prop("Left", &TTestBase::Left, &TTestBase::SetLeft);
  p.Prop("Align", &TTestBase::Align, &TTestBase::SetAlign).Default(taNone);
  p.Prop("Color", &TTestBase::Color, &TTestBase::SetColor).Type(TestColorType()).Default(tcSilver);
  p.Prop("Caption", &TTestBase::Caption, &TTestBase::SetCaption);
  p.Prop("Font", &TTestBase::Font, &TTestBase::SetFont);
  p.Prop("OnClick", &TTestBase::FOnClick);
}

TTestBase::TTestBase(TComponent* owner) : TComponent(owner), font_(new TTestFont) {}
TTestBase::~TTestBase() { delete font_; }

void TTestDerived::Publish(TPublisher<TTestDerived>& p) {
  p.Prop("Ratio", &TTestDerived::Ratio, &TTestDerived::SetRatio);
  p.Republish("Color").Default(tcWhite);
  p.Prop("Align", &TTestDerived::Align, &TTestDerived::SetAlign).Default(taClient);
  p.Prop("Precise", &TTestDerived::Precise, &TTestDerived::SetPrecise);
  p.Prop("Wide", &TTestDerived::Wide, &TTestDerived::SetWide);
  p.Prop("Letter", &TTestDerived::Letter, &TTestDerived::SetLetter);
  p.Prop("Styles", &TTestDerived::Styles, &TTestDerived::SetStyles).Default(TTestStyles{});
  p.Prop("Raised", &TTestDerived::Raised, &TTestDerived::SetRaised).Default(false);
  p.Prop("Depth", &TTestDerived::Depth, &TTestDerived::SetDepth).Default(1).Stored(&TTestDerived::IsDepthStored);
  p.Prop("Small", &TTestDerived::Small, &TTestDerived::SetSmall).Default(0);
  p.Prop("Link", &TTestDerived::Link, &TTestDerived::SetLink);
  p.Prop("Count", &TTestDerived::Count, nullptr);
  p.Prop("OnQuery", &TTestDerived::FOnQuery);
}

void TTestDerived::SetLink(TTestBase* link) {
  if (link_) link_->RemoveFreeNotification(this);
  link_ = link;
  if (link_) link_->FreeNotification(this);
}

void TTestDerived::Notification(TComponent* component, TOperation operation) {
  TTestBase::Notification(component, operation);
  if (operation == opRemove && component == link_) link_ = nullptr;
}

void TTestForm::Publish(TPublisher<TTestForm>& p) {
  p.Method("Button1Click", &TTestForm::Button1Click);
  p.Method("OtherClick", &TTestForm::OtherClick);
  p.Method("AskQuery", &TTestForm::AskQuery);
}

void TTestForm2::Publish(TPublisher<TTestForm2>& p) { p.Method("Extra", &TTestForm2::Extra); }
