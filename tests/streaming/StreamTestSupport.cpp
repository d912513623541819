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

Bytes WriteRoot(TComponent* root) {
  TMemoryStream stream;
  TComponentWriter writer(stream);
  writer.WriteRootComponent(root);
  writer.FlushBuffer();
  return StreamBytes(stream);
}

std::unique_ptr<TMemoryStream> StreamOf(const Bytes& bytes) {
  auto stream = std::make_unique<TMemoryStream>();
  stream->WriteBuffer(bytes.data(), static_cast<std::int64_t>(bytes.size()));
  stream->SetPosition(0);
  return stream;
}

std::unique_ptr<TSampleForm> ReadForm(const Bytes& bytes, const std::function<void(TComponentReader&)>& setUp) {
  auto form = std::make_unique<TSampleForm>(nullptr);
  auto stream = StreamOf(bytes);
  TComponentReader reader(*stream);
  if (setUp) setUp(reader);
  reader.ReadRootComponent(form.get());
  return form;
}
