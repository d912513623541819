// Shared helpers of the component stream tests.
#include "StreamTestSupport.h"

void StreamTest::SetUp() {
  RegisterSampleClasses();
  LoadedLog().clear();
  liveAtStart_ = TObject::LiveCount();
}

void StreamTest::TearDown() { EXPECT_EQ(TObject::LiveCount(), liveAtStart_) << "objects leaked or freed twice"; }

TSampleControl* AddControl(TComponent* owner, TSampleControl* parent, const String& name) {
  auto* control = new TSampleControl(owner);
  control->SetName(name);
  control->SetParent(parent);
  return control;
}

std::unique_ptr<TSampleForm> MakeSampleForm() {
  auto form = std::make_unique<TSampleForm>(nullptr);
  form->SetName("Form1");
  TSampleControl* panel = AddControl(form.get(), form.get(), "Panel1");
  AddControl(form.get(), panel, "Button1");
  AddControl(form.get(), panel, "Button2");
  AddControl(form.get(), form.get(), "Label1");
  (new TSampleNonVisual(form.get()))->SetName("NonVisual1");
  return form;
}

std::unique_ptr<TSampleForm> ReadForm(const Bytes& bytes, const std::function<void(TComponentReader&)>& setUp) {
  auto form = std::make_unique<TSampleForm>(nullptr);
  auto stream = StreamOf(bytes);
  TComponentReader reader(*stream);
  if (setUp) setUp(reader);
  reader.ReadRootComponent(form.get());
  return form;
}

// Button1 with a non-default value in every property kind.
void FillEveryKind(TSampleForm& form) {
  auto* b = dynamic_cast<TSampleControl*>(form.FindComponent("Button1"));
  b->Left = -129;
  b->Top = 32768;
  b->Width = 128;
  b->Count = 127;
  b->Color = clWhite;
  b->Hidden = 9;
  b->Conditional = 4;
  b->Letter = 'z';
  b->WideLetter = L'\u53F0';
  b->Align = saClient;
  b->Visible = false;
  b->Style = {ssBold, ssUnderline};
  b->Ratio = 0.1;
  b->Scale = 2.5f;
  b->Caption = "台詞1";
  b->WideCaption = L"\u00E9\u53F0 \u00E9";  // é has no CP932 form
  b->Font()->Name = "ＭＳ Ｐゴシック";
  b->Font()->Height = -13;
  b->Font()->Color = clGray;
  b->Font()->Charset = SHIFTJIS_CHARSET;
  b->Font()->Style = {ssBold};
  b->Effect3D()->Depth = 1;
  b->Effect3D()->ShadowedColor = clGray;
  b->Effect3D()->Pen()->Style = psClear;
  b->Effect3D()->Pen()->Width = 3;
  b->Lines()->Add("one");
  b->Lines()->Add("二行目");
  b->Lines()->Add("");
  b->Lines()->Add(String(300, 'L'));
  b->SetBuddy(dynamic_cast<TSampleControl*>(form.FindComponent("Button2")));  // a forward reference: Button2 comes later
  b->SetPartner(form.FindComponent("NonVisual1"));
  b->OnClick = TNotifyEvent(&form, &TSampleForm::ButtonClick);
  b->OnChange = TNotifyEvent(&form, &TSampleForm::OtherClick);
  b->GeneName = "Memo3";
  b->Blob = std::string("BM\0\x01\xFF", 5);
  b->SetFragile(5);
}
