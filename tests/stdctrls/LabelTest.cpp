// Labels: sizing to the caption, painting text over an opaque or transparent background, and the
// accelerator that hands the focus to another control.
#include "TestSupport.h"

#include "framework/stdctrls/Edit.h"
#include "framework/stdctrls/Label.h"

namespace {

using LabelTest = StdCtrlsTest;

TLabel* AddLabel(TForm& form, const String& caption) {
  auto* label = new TLabel(&form);
  label->SetParent(&form);
  label->SetBounds(10, 10, 65, 17);
  label->Font()->SetColor(clBlack);
  label->Font()->SetHeight(-16);
  label->SetColor(clWhite);
  label->SetCaption(caption);
  return label;
}

// Pixels of `color` inside the control's rectangle.
int CountPixels(TSnapshot& shot, TControl& control, COLORREF color) {
  int count = 0;
  for (int y = 0; y < control.Height(); ++y)
    for (int x = 0; x < control.Width(); ++x)
      if (shot.At(control, x, y) == color) ++count;
  return count;
}

TEST_F(LabelTest, AutoSizeFollowsTheCaption) {
  TLabel* label = AddLabel(*form, "Hello");
  const int shortWidth = label->Width();
  EXPECT_GT(shortWidth, 0);
  EXPECT_GT(label->Height(), 0);
  label->SetCaption("Hello, world");
  EXPECT_GT(label->Width(), shortWidth);
  label->SetCaption("");
  EXPECT_LT(label->Width(), shortWidth);
  EXPECT_GT(label->Height(), 0);  // an empty caption is still one line high
}

TEST_F(LabelTest, RightAlignedAutoSizeKeepsTheRightEdge) {
  TLabel* label = AddLabel(*form, "Hello");
  label->SetAlignment(taRightJustify);
  const int right = label->Left() + label->Width();
  label->SetCaption("Hello, world");
  EXPECT_EQ(label->Left() + label->Width(), right);
}

TEST_F(LabelTest, TextIsPaintedOnTheLabelColourUnlessTransparent) {
  TLabel* label = AddLabel(*form, "漫画");
  TSnapshot opaque(*form);
  EXPECT_GT(CountPixels(opaque, *label, Rgb(clBlack)), 10);
  EXPECT_EQ(CountPixels(opaque, *label, Rgb(clAqua)), 0);

  label->SetTransparent(true);
  EXPECT_FALSE(label->ControlStyle().Contains(csOpaque));
  TSnapshot transparent(*form);
  EXPECT_GT(CountPixels(transparent, *label, Rgb(clAqua)), 10);
  EXPECT_EQ(CountPixels(transparent, *label, Rgb(clWhite)), 0);
}

TEST_F(LabelTest, DisabledTextIsEmbossed) {
  TLabel* label = AddLabel(*form, "Hello");
  label->SetEnabled(false);
  TSnapshot shot(*form);
  EXPECT_EQ(CountPixels(shot, *label, Rgb(clBlack)), 0);
  EXPECT_GT(CountPixels(shot, *label, Rgb(clBtnShadow)), 10);
}

TEST_F(LabelTest, AcceleratorFocusesTheFocusControl) {
  auto* edit = new TEdit(form.get());
  edit->SetParent(form.get());
  edit->SetTop(100);
  auto* other = new TEdit(form.get());
  other->SetParent(form.get());
  other->SetTop(150);
  TLabel* label = AddLabel(*form, "&Name");
  label->SetFocusControl(edit);
  other->SetFocus();
  ASSERT_TRUE(other->Focused());

  EXPECT_EQ(form->Perform(CM_DIALOGCHAR, 'x'), 0);
  EXPECT_TRUE(other->Focused());
  EXPECT_NE(form->Perform(CM_DIALOGCHAR, 'n'), 0);
  EXPECT_TRUE(edit->Focused());

  label->SetShowAccelChar(false);
  other->SetFocus();
  EXPECT_EQ(form->Perform(CM_DIALOGCHAR, 'n'), 0);
  EXPECT_TRUE(other->Focused());
}

TEST_F(LabelTest, FocusControlIsClearedWhenItGoes) {
  auto* edit = new TEdit(form.get());
  edit->SetParent(form.get());
  TLabel* label = AddLabel(*form, "&Name");
  label->SetFocusControl(edit);
  delete edit;
  EXPECT_EQ(label->FocusControl(), nullptr);
  EXPECT_EQ(form->Perform(CM_DIALOGCHAR, 'n'), 0);
}

TEST_F(LabelTest, StoredSettingsComeBack) {
  TLabel* label = AddLabel(*form, "各コマ");
  label->SetAutoSize(false);
  label->SetWidth(16);
  label->SetTransparent(true);
  label->SetLayout(tlCenter);
  label->SetWordWrap(true);
  label->SetParentColor(false);
  label->SetColor(clBlack);
  auto copy = RoundTrip(*label);
  ASSERT_NE(copy, nullptr);
  EXPECT_EQ(copy->Caption(), "各コマ");
  EXPECT_FALSE(copy->AutoSize());
  EXPECT_EQ(copy->Width(), 16);
  EXPECT_TRUE(copy->Transparent());
  EXPECT_EQ(copy->Layout(), tlCenter);
  EXPECT_TRUE(copy->WordWrap());
  EXPECT_EQ(copy->Color(), clBlack);
}

}  // namespace
