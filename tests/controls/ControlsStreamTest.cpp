// The decorative controls through the component stream: every setting survives a write and a read.
#include <gtest/gtest.h>
#include <windows.h>

#include "controls/GradBox.h"
#include "controls/dxfLabel.h"
#include "framework/windows/Forms.h"
#include "streaming/ComponentReader.h"
#include "tests/support/Pixels.h"
#include "tests/support/StreamWriters.h"

namespace {

// `component` written as one record and read back under `owner`, parented to it.
template <class T>
T* RoundTrip(TComponent* component, TForm& owner) {
  auto stream = test_support::StreamOf(test_support::ComponentRecords(component->Owner(), {component}));
  TComponentReader reader(*stream);
  return dynamic_cast<T*>(reader.ReadComponent(&owner, &owner));
}

}  // namespace

TEST(ControlsStream, GradBoxKeepsEverySetting) {
  RegisterGradBoxClasses();
  TForm source(nullptr);
  auto* box = new TGradBox(&source);
  box->SetName("GradBox1");
  box->SetParent(&source);
  box->SetBounds(1, 1, 158, 72);
  box->SetAlign(alClient);
  box->SetTopColor(clWhite);
  box->SetLastColor(clBtnFace);
  box->SetOutLineColor(clRed);
  box->SetDrawOutLine(true);
  box->SetGradStyle(gsRightLeft);
  box->SetFont3D(true);
  box->SetFontDepth(5);
  box->SetStyle3D(fsLowShadow);
  box->SetBackFont(clNavy);
  box->SetCaptionLeft(3);
  box->SetCaptionTop(-4);
  box->SetCaption("漫画");

  TForm target(nullptr);
  auto* copy = RoundTrip<TGradBox>(box, target);
  ASSERT_NE(copy, nullptr);
  EXPECT_EQ(copy->Name(), "GradBox1");
  EXPECT_EQ(copy->Align(), alClient);
  EXPECT_EQ(copy->TopColor(), clWhite);
  EXPECT_EQ(copy->LastColor(), clBtnFace);
  EXPECT_EQ(copy->OutLineColor(), clRed);
  EXPECT_TRUE(copy->DrawOutLine());
  EXPECT_EQ(copy->GradStyle(), gsRightLeft);
  EXPECT_TRUE(copy->Font3D());
  EXPECT_EQ(copy->FontDepth(), 5);
  EXPECT_EQ(copy->Style3D(), fsLowShadow);
  EXPECT_EQ(copy->BackFont(), clNavy);
  EXPECT_EQ(copy->CaptionLeft(), 3);
  EXPECT_EQ(copy->CaptionTop(), -4);
  EXPECT_EQ(copy->Caption(), "漫画");
}

TEST(ControlsStream, LabelKeepsEverySettingAndItsEffect) {
  RegisterDxfLabelClasses();
  TForm source(nullptr);
  auto* label = new TdxfLabel(&source);
  label->SetName("dxfLabel0");
  label->SetParent(&source);
  label->SetBounds(2, 5, 16, 590);
  label->SetCaption("各コマに画像ファイルをドロップします。");
  label->SetColor(clBlack);
  label->Font()->SetColor(clWhite);
  label->Font()->SetStyle({fsBold});
  label->SetTransparent(true);
  label->SetStyle(dxfOutLine);
  label->SetAngle(90);
  label->SetPenWidth(3);
  label->Effect3D()->SetStyle(dxfExtrude);
  label->Effect3D()->SetOrientation(dxfLeftTop);
  label->Effect3D()->SetDepth(2);
  label->Effect3D()->SetShadowedColor(clGray);
  auto tile = test_support::MakeBitmap(4, 3, clLime);
  label->SetGlyph(tile.get());

  TForm target(nullptr);
  auto* copy = RoundTrip<TdxfLabel>(label, target);
  ASSERT_NE(copy, nullptr);
  EXPECT_EQ(copy->Caption(), label->Caption());
  EXPECT_FALSE(copy->AutoSize());
  EXPECT_TRUE(copy->Transparent());
  EXPECT_FALSE(copy->ParentColor());
  EXPECT_EQ(copy->Color(), clBlack);
  EXPECT_EQ(copy->Font()->Color(), clWhite);
  EXPECT_EQ(copy->Style(), dxfOutLine);
  EXPECT_EQ(copy->Angle(), 90);
  EXPECT_EQ(copy->PenWidth(), 3);
  EXPECT_EQ(copy->Effect3D()->Style(), dxfExtrude);
  EXPECT_EQ(copy->Effect3D()->Orientation(), dxfLeftTop);
  EXPECT_EQ(copy->Effect3D()->Depth(), 2);
  EXPECT_EQ(copy->Effect3D()->ShadowedColor(), clGray);
  EXPECT_EQ(copy->Glyph()->Width(), 4);
  EXPECT_EQ(copy->Glyph()->Height(), 3);
  EXPECT_EQ(test_support::PixelOf(*copy->Glyph(), 1, 1), clLime);
  EXPECT_EQ(copy->BoundsRect(), Bounds(2, 5, 16, 590));
}
