// Events: assignment, invocation with the sender first, answers by reference, binding by name to
// published methods, signature checks and MethodName.
#include <gtest/gtest.h>

#include "TestClasses.h"

TEST(Event, EmptyUntilAssignedAndCallsTheBoundMethodWithTheSender) {
  TTestForm form(nullptr);
  TTestBase button(&form);
  EXPECT_FALSE(button.FOnClick.Assigned());
  EXPECT_FALSE(static_cast<bool>(button.FOnClick));
  button.FOnClick(&button);  // an empty event does nothing
  button.FOnClick = TNotifyEvent(&form, &TTestForm::Button1Click);
  EXPECT_TRUE(button.FOnClick.Assigned());
  button.FOnClick(&button);
  EXPECT_EQ(form.clicks, 1);
  EXPECT_EQ(form.lastSender, &button);
  button.FOnClick = nullptr;
  EXPECT_FALSE(button.FOnClick);
}

TEST(Event, QueryEventAnswersByReference) {
  TTestForm form(nullptr);
  TTestDerived d(&form);
  d.FOnQuery = {&form, &TTestForm::AskQuery};
  bool accept = true;
  d.FOnQuery(&d, -5, accept);
  EXPECT_FALSE(accept);
  d.FOnQuery(&d, 5, accept);
  EXPECT_TRUE(accept);
}

TEST(Event, SameMethodSameCodeAndEquality) {
  TTestForm a(nullptr), b(nullptr);
  TNotifyEvent e1(&a, &TTestForm::Button1Click);
  TNotifyEvent e2(&a, &TTestForm::Button1Click);
  TNotifyEvent e3(&b, &TTestForm::Button1Click);
  TNotifyEvent e4(&a, &TTestForm::OtherClick);
  EXPECT_EQ(e1, e2);
  EXPECT_NE(e1, e3);
  EXPECT_EQ(e1.Method().Code, e3.Method().Code);
  EXPECT_NE(e1.Method().Code, e4.Method().Code);
  EXPECT_EQ(e1.Method().Data, &a);
}

TEST(Event, BindByNameToPublishedMethodOfTheForm) {
  TTestForm2 form(nullptr);
  TTestBase* button = new TTestBase(&form);
  TMethod m = MethodAddress(&form, "button1click");  // names compare without case
  ASSERT_TRUE(m.Assigned());
  SetMethodProp(button, GetPropInfo(button, "OnClick"), m);
  button->FOnClick(button);
  EXPECT_EQ(form.clicks, 1);
  EXPECT_TRUE(MethodAddress(&form, "Extra").Assigned());       // the form's own class
  EXPECT_FALSE(MethodAddress(&form, "Unpublished").Assigned());
  EXPECT_FALSE(MethodAddress(&form, "NoSuchHandler").Assigned());
}

TEST(Event, MethodNameGivesThePublishedNameBack) {
  TTestForm2 form(nullptr);
  TTestBase button(&form);
  button.FOnClick = {&form, &TTestForm::OtherClick};  // bound in code, not by name
  const TMethod m = GetMethodProp(&button, GetPropInfo(&button, "OnClick"));
  EXPECT_EQ(MethodName(form.ClassInfo(), m), "OtherClick");
  EXPECT_EQ(MethodName(TTestForm::StaticClassInfo(), m), "OtherClick");
  // Not published in the class asked, nor a method at all.
  EXPECT_EQ(MethodName(TTestBase::StaticClassInfo(), m), "");
  EXPECT_EQ(MethodName(form.ClassInfo(), TNotifyEvent(&form, &TTestForm::Unpublished).Method()), "");
  EXPECT_EQ(MethodName(form.ClassInfo(), TMethod{}), "");
}

TEST(Event, MethodOfAnotherSignatureIsRefusedAndChangesNothing) {
  TTestForm form(nullptr);
  TTestDerived d(&form);
  d.FOnClick = {&form, &TTestForm::Button1Click};
  const TMethod query = MethodAddress(&form, "AskQuery");
  EXPECT_THROW(SetMethodProp(&d, GetPropInfo(&d, "OnClick"), query), EPropertyConvertError);
  EXPECT_EQ(d.FOnClick, TNotifyEvent(&form, &TTestForm::Button1Click));
  EXPECT_THROW(TNotifyEvent::FromMethod(query), EInvalidCast);
  // The right signature, but an object that is not of the method's class.
  TMethod wrongObject = MethodAddress(&form, "Button1Click");
  wrongObject.Data = &d;
  EXPECT_THROW(SetMethodProp(&d, GetPropInfo(&d, "OnClick"), wrongObject), EPropertyConvertError);
  // An empty method clears the event.
  SetMethodProp(&d, GetPropInfo(&d, "OnClick"), TMethod{});
  EXPECT_FALSE(d.FOnClick.Assigned());
}
