// The published-property lister and the value text in both directions.
#include <gtest/gtest.h>

#include <memory>

#include "SampleComponents.h"
#include "designer/DsnInfo.h"
#include "framework/core/List.h"
#include "tests/support/Raised.h"

// Stand-ins for the windows layer's form: the method texts look for a class named TForm. (At
// namespace scope: the class macro's friend declaration must name the global TClassInfo.)
class TForm : public TSampleControl {
  TAVELKO_CLASS(TForm, TSampleControl)

 public:
  explicit TForm(TComponent* owner) : TSampleControl(owner) {}
};

class TPageForm : public TForm {
  TAVELKO_CLASS(TPageForm, TForm)
  static void Publish(TPublisher<TPageForm>& p) { p.Method("PageClick", &TPageForm::PageClick); }

 public:
  explicit TPageForm(TComponent* owner) : TForm(owner) {}
  void PageClick(TObject*) {}
  void UnpublishedClick(TObject*) {}
};

namespace {

String ValueText(TObject* object, const String& property) {
  TObjInfo info(object);
  const int index = info.IndexOfProp(property);
  EXPECT_GE(index, 0) << property;
  return index < 0 ? String() : info.GetItems(index).Value;
}

String IllegalMessage(TList& targets, const String& property, const String& value) {
  return test_support::MessageRaised<Exception>([&] { SetProp(&targets, property, value); }, "(no failure)");
}

class ObjInfo : public ::testing::Test {
 protected:
  ObjInfo() : form_(std::make_unique<TSampleForm>(nullptr)) {
    form_->SetName("Form1");
    button_ = new TSampleControl(form_.get());
    button_->SetName("Button1");
    other_ = new TSampleControl(form_.get());
    other_->SetName("Button2");
  }

  std::unique_ptr<TSampleForm> form_;
  TSampleControl* button_;
  TSampleControl* other_;
};

TEST_F(ObjInfo, NoObjectHasNoProperties) {
  TObjInfo info(nullptr);
  EXPECT_EQ(info.Count(), 0);
  EXPECT_EQ(info.ObjClassName(), "");
  EXPECT_FALSE(info.OwnsList());
  EXPECT_EQ(info.IndexOfProp("Caption"), -1);
  EXPECT_THROW(info.GetItems(0), Exception);
}

TEST_F(ObjInfo, ListsInheritedPropertiesFirstInDeclarationOrder) {
  TObjInfo info(button_);
  EXPECT_EQ(info.ObjClassName(), "TSampleControl");
  EXPECT_TRUE(info.OwnsList());
  ASSERT_EQ(info.Count(), TSampleControl::StaticClassInfo().PropCount());
  EXPECT_EQ(info.GetItems(0).Name, "Name");
  EXPECT_EQ(info.GetItems(1).Name, "Tag");
  EXPECT_EQ(info.GetItems(2).Name, "Left");
  EXPECT_EQ(info.GetItems(info.Count() - 1).Name, "OnChange");
  const int caption = info.IndexOfProp("caption");
  ASSERT_GE(caption, 0);
  EXPECT_EQ(info.GetItems(caption).Name, "Caption");
  EXPECT_EQ(info.GetItems(caption).Kind, tkLString);
  EXPECT_EQ(info.IndexOfProp("NoSuch"), -1);
  try {
    info.GetItems(info.Count());
    FAIL();
  } catch (const Exception& e) {
    EXPECT_EQ(e.Message(), "Invalid Index");
  }
}

TEST_F(ObjInfo, ValuesReadAnewOnEveryCall) {
  TObjInfo info(button_);
  const int left = info.IndexOfProp("Left");
  button_->Left = -3;
  EXPECT_EQ(info.GetItems(left).Value, "-3");
  button_->Left = 120;
  EXPECT_EQ(info.GetItems(left).Value, "120");
  EXPECT_EQ(info.GetItems(left).Kind, tkInteger);
}

TEST_F(ObjInfo, ValueTextsByKind) {
  button_->Letter = 'z';
  button_->Align = saClient;
  button_->Ratio = 1.5;
  button_->Caption = "台詞1";
  button_->WideCaption = L"wide";
  EXPECT_EQ(ValueText(button_, "Letter"), "z");
  EXPECT_EQ(ValueText(button_, "Align"), "saClient");
  EXPECT_EQ(ValueText(button_, "Visible"), "True");
  EXPECT_EQ(ValueText(button_, "Ratio"), "1.5");
  EXPECT_EQ(ValueText(button_, "Caption"), "台詞1");
  EXPECT_EQ(ValueText(button_, "Color"), IntToStr(clBtnFace));
  EXPECT_EQ(ValueText(button_, "WideCaption"), "Unknown");
  EXPECT_EQ(ValueText(button_, "WideLetter"), "Unknown");
}

TEST_F(ObjInfo, SetTextsNameTheMembersOfTheFirstSixteenBits) {
  EXPECT_EQ(ValueText(button_, "Style"), "[]");
  button_->Style = {ssBold, ssUnderline};
  EXPECT_EQ(ValueText(button_, "Style"), "[ssBold,ssUnderline]");
  button_->Style = {ssItalic, ss15, ss16, ss17};
  EXPECT_EQ(ValueText(button_, "Style"), "[ssItalic,ss15]");
}

TEST_F(ObjInfo, ObjectTextsAreTheClassOrTheComponentName) {
  EXPECT_EQ(ValueText(button_, "Font"), "(TSampleFont)");
  EXPECT_EQ(ValueText(button_, "Lines"), "(TStrings)");  // the declared class
  EXPECT_EQ(ValueText(button_, "Buddy"), "");
  button_->SetBuddy(other_);
  EXPECT_EQ(ValueText(button_, "Buddy"), "Button2");
  button_->SetPartner(form_.get());
  EXPECT_EQ(ValueText(button_, "Partner"), "Form1");
}

TEST_F(ObjInfo, MethodTextsNameTheHandlerInItsHomeClass) {
  EXPECT_EQ(ValueText(button_, "OnClick"), "");
  button_->OnClick = TNotifyEvent(form_.get(), &TSampleForm::ButtonClick);
  EXPECT_EQ(ValueText(button_, "OnClick"), "ButtonClick");  // looked up in the owner's class

  // A form is its own home.
  TPageForm page(nullptr);
  page.OnClick = TNotifyEvent(&page, &TPageForm::PageClick);
  EXPECT_EQ(ValueText(&page, "OnClick"), "PageClick");
  page.OnClick = TNotifyEvent(&page, &TPageForm::UnpublishedClick);
  EXPECT_EQ(ValueText(&page, "OnClick"), "");

  // Neither a form nor owned: no home class, an empty text rather than a failure.
  form_->OnClick = TNotifyEvent(form_.get(), &TSampleForm::ButtonClick);
  EXPECT_EQ(ValueText(form_.get(), "OnClick"), "");
}

TEST_F(ObjInfo, SetPropWritesTextToEveryTarget) {
  TList targets;
  targets.Add(button_);
  targets.Add(other_);
  SetProp(&targets, "Width", "40");
  EXPECT_EQ(button_->Width, 40);
  EXPECT_EQ(other_->Width, 40);
  SetProp(&targets, "Align", "saclient");
  EXPECT_EQ(other_->Align, saClient);
  SetProp(&targets, "Letter", "xyz");
  EXPECT_EQ(button_->Letter, 'x');
  SetProp(&targets, "Ratio", "2.5");
  EXPECT_EQ(other_->Ratio, 2.5);
  SetProp(&targets, "WideCaption", "台詞");
  EXPECT_EQ(button_->WideCaption, L"\u53F0\u8A5E");
  SetProp(&targets, "", "1");  // no property: nothing
}

TEST_F(ObjInfo, AnEmptyValueClearsTextAndLeavesOtherKinds) {
  TList targets;
  targets.Add(button_);
  button_->Caption = "text";
  button_->Width = 12;
  button_->Color = clWhite;
  SetProp(&targets, "Caption", "");
  SetProp(&targets, "Width", "");
  SetProp(&targets, "Color", "");
  EXPECT_EQ(button_->Caption, "");
  EXPECT_EQ(button_->Width, 12);
  EXPECT_EQ(button_->Color, clWhite);
}

TEST_F(ObjInfo, SetsObjectsAndEventsAreNotWrittenFromText) {
  TList targets;
  targets.Add(button_);
  SetProp(&targets, "Style", "[ssBold]");
  SetProp(&targets, "Font", "(TSampleFont)");
  SetProp(&targets, "Buddy", "Button2");
  SetProp(&targets, "OnClick", "ButtonClick");
  EXPECT_TRUE(button_->Style.Empty());
  EXPECT_EQ(button_->Buddy(), nullptr);
  EXPECT_FALSE(button_->OnClick.Assigned());
}

TEST_F(ObjInfo, AFailureNamesValueAndPropertyAndStopsAtTheFailingTarget) {
  auto* third = new TSampleControl(form_.get());
  TList targets;
  targets.Add(button_);
  targets.Add(other_);
  targets.Add(third);
  EXPECT_EQ(IllegalMessage(targets, "Width", "12x"), "12x is illegal (Width)");
  EXPECT_EQ(button_->Width, 0);

  // The second target has no such property: the first keeps its new value.
  auto* nonVisual = new TSampleNonVisual(form_.get());
  TList mixed;
  mixed.Add(button_);
  mixed.Add(nonVisual);
  mixed.Add(other_);
  EXPECT_EQ(IllegalMessage(mixed, "Width", "40"), "40 is illegal (Width)");
  EXPECT_EQ(button_->Width, 40);
  EXPECT_EQ(other_->Width, 0);

  EXPECT_EQ(IllegalMessage(targets, "Ratio", "abc"), "abc is illegal (Ratio)");
  EXPECT_EQ(IllegalMessage(targets, "Fragile", "-1"), "-1 is illegal (Fragile)");
}

TEST_F(ObjInfo, AnEnumerationTextThatNamesNoValueStoresNothing) {
  TList targets;
  targets.Add(button_);
  button_->Align = saLeft;
  EXPECT_EQ(IllegalMessage(targets, "Align", "saRight"), "saRight is illegal (Align)");
  EXPECT_EQ(button_->Align, saLeft);
  EXPECT_EQ(ValueText(button_, "Align"), "saLeft");
}

}  // namespace
