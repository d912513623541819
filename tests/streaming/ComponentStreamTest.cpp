// Writing components and reading them back: every property kind, the byte forms the writer
// chooses, children, references, events, the reader's hooks, Loaded, lists and failures.
#include <gtest/gtest.h>

#include <algorithm>

#include "StreamTestSupport.h"
#include "framework/core/ComponentLink.h"
#include "streaming/GlobalRoots.h"
#include "streaming/StreamFormat.h"
#include "streaming/ValueWriter.h"

namespace {

TSampleControl* Control(TComponent* root, const String& name) {
  return dynamic_cast<TSampleControl*>(root->FindComponent(name));
}

using ComponentStream = StreamTest;

TEST_F(ComponentStream, EveryPropertyKindReadsBackToTheSameValue) {
  auto form = MakeSampleForm();
  FillEveryKind(*form);
  auto copy = ReadForm(WriteRoot(form.get()));

  EXPECT_EQ(copy->Name(), "Form1");
  TSampleControl* b = Control(copy.get(), "Button1");
  ASSERT_NE(b, nullptr);
  EXPECT_EQ(b->Left, -129);
  EXPECT_EQ(b->Top, 32768);
  EXPECT_EQ(b->Width, 128);
  EXPECT_EQ(b->Count, 127);
  EXPECT_EQ(b->Color, clWhite);
  EXPECT_EQ(b->Hidden, 0);  // never stored
  EXPECT_EQ(b->Conditional, 4);
  EXPECT_EQ(b->Letter, 'z');
  EXPECT_EQ(b->WideLetter, L'\u53F0');
  EXPECT_EQ(b->Align, saClient);
  EXPECT_FALSE(b->Visible);
  EXPECT_EQ(b->Style, (TSampleStyles{ssBold, ssUnderline}));
  EXPECT_EQ(b->Ratio, 0.1);
  EXPECT_EQ(b->Scale, 2.5f);
  EXPECT_EQ(b->Caption, "台詞1");
  EXPECT_EQ(b->WideCaption, L"\u00E9\u53F0 \u00E9");
  EXPECT_EQ(b->Font()->Name, "ＭＳ Ｐゴシック");
  EXPECT_EQ(b->Font()->Height, -13);
  EXPECT_EQ(b->Font()->Color, clGray);
  EXPECT_EQ(b->Font()->Charset, SHIFTJIS_CHARSET);
  EXPECT_EQ(b->Font()->Style, TSampleStyles{ssBold});
  EXPECT_EQ(b->Effect3D()->Depth, 1);
  EXPECT_EQ(b->Effect3D()->ShadowedColor, clGray);
  EXPECT_EQ(b->Effect3D()->Pen()->Style, psClear);
  EXPECT_EQ(b->Effect3D()->Pen()->Width, 3);
  ASSERT_EQ(b->Lines()->Count(), 4);
  EXPECT_EQ(b->Lines()->Get(1), "二行目");
  EXPECT_EQ(b->Lines()->Get(2), "");
  EXPECT_EQ(b->Lines()->Get(3), String(300, 'L'));
  EXPECT_EQ(b->Buddy(), Control(copy.get(), "Button2"));
  EXPECT_EQ(b->Partner(), copy->FindComponent("NonVisual1"));
  EXPECT_EQ(b->GeneName, "Memo3");
  EXPECT_EQ(b->Blob, std::string("BM\0\x01\xFF", 5));
  EXPECT_EQ(b->Fragile(), 5);

  ASSERT_TRUE(b->OnClick.Assigned());
  EXPECT_EQ(b->OnClick.Data(), copy.get());
  b->OnClick(b);
  b->OnChange(b);
  EXPECT_EQ(copy->Clicks, (std::vector<String>{"ButtonClick:Button1", "OtherClick:Button1"}));
}

TEST_F(ComponentStream, TheWriterChoosesTheDocumentedTags) {
  auto form = MakeSampleForm();
  FillEveryKind(*form);
  const Bytes bytes = WriteRoot(form.get());
  const TRecordView root = ParseStream(bytes);
  const TRecordView& b = root.Child("Panel1").Child("Button1");
  auto tag = [&](const char* name) {
    const TPropertyView* p = b.Find(name);
    EXPECT_NE(p, nullptr) << name;
    return p ? p->Tag : TValueType::vaNull;
  };
  EXPECT_EQ(tag("Count"), TValueType::vaInt8);
  EXPECT_EQ(tag("Width"), TValueType::vaInt16);
  EXPECT_EQ(tag("Top"), TValueType::vaInt32);
  EXPECT_EQ(tag("Left"), TValueType::vaInt16);
  EXPECT_EQ(tag("Color"), TValueType::vaIdent);
  EXPECT_EQ(tag("Font.Charset"), TValueType::vaIdent);
  EXPECT_EQ(tag("Font.Color"), TValueType::vaIdent);
  EXPECT_EQ(tag("Visible"), TValueType::vaFalse);
  EXPECT_EQ(tag("Align"), TValueType::vaIdent);
  EXPECT_EQ(tag("Style"), TValueType::vaSet);
  EXPECT_EQ(tag("Font.Style"), TValueType::vaSet);
  EXPECT_EQ(tag("Ratio"), TValueType::vaExtended);
  EXPECT_EQ(tag("Scale"), TValueType::vaSingle);
  EXPECT_EQ(tag("Caption"), TValueType::vaUTF8String);
  EXPECT_EQ(tag("WideCaption"), TValueType::vaWString);
  EXPECT_EQ(tag("Lines.Strings"), TValueType::vaList);
  EXPECT_EQ(tag("Effect3D.Depth"), TValueType::vaInt8);
  EXPECT_EQ(tag("Effect3D.Pen.Style"), TValueType::vaIdent);
  EXPECT_EQ(tag("Effect3D.Pen.Width"), TValueType::vaInt8);
  EXPECT_EQ(tag("Buddy"), TValueType::vaIdent);
  EXPECT_EQ(tag("OnClick"), TValueType::vaIdent);
  EXPECT_EQ(tag("GeneName"), TValueType::vaString);
  EXPECT_EQ(tag("Blob"), TValueType::vaBinary);
  EXPECT_EQ(b.Find("Hidden"), nullptr);

  EXPECT_EQ(ValueOf(bytes, *b.Find("Color")).ReadIdent(), "clWhite");
  EXPECT_EQ(ValueOf(bytes, *b.Find("Font.Charset")).ReadIdent(), "SHIFTJIS_CHARSET");
  EXPECT_EQ(ValueOf(bytes, *b.Find("Style")).ReadSet(), (std::vector<String>{"ssBold", "ssUnderline"}));
  EXPECT_EQ(ValueOf(bytes, *b.Find("OnClick")).ReadIdent(), "ButtonClick");
  EXPECT_EQ(ValueOf(bytes, *b.Find("Buddy")).ReadIdent(), "Button2");
  EXPECT_EQ(ValueOf(bytes, *b.Find("Partner")).ReadIdent(), "NonVisual1");
  // Published properties in declaration order, nested ones in place, self-streamed ones last.
  const std::vector<String> names = b.PropertyNames();
  EXPECT_EQ(names.front(), "Left");
  EXPECT_EQ(names[names.size() - 2], "GeneName");
  EXPECT_EQ(names.back(), "Blob");
}

TEST_F(ComponentStream, OnlyPropertiesThatDifferFromTheirDefaultAreWritten) {
  auto form = MakeSampleForm();
  const TRecordView root = ParseStream(WriteRoot(form.get()));
  // Left and Top declare no default; the font's name is text that is not empty; GeneName is
  // always written by its class.
  EXPECT_EQ(root.Child("Label1").PropertyNames(), (std::vector<String>{"Left", "Top", "Font.Name", "GeneName"}));

  TSampleControl* label = Control(form.get(), "Label1");
  label->Conditional = 3;  // stored only while Count is not 0
  EXPECT_EQ(ParseStream(WriteRoot(form.get())).Child("Label1").Find("Conditional"), nullptr);
  label->Count = 1;
  EXPECT_NE(ParseStream(WriteRoot(form.get())).Child("Label1").Find("Conditional"), nullptr);
}

TEST_F(ComponentStream, ChildrenAreWrittenInCreationOrderAndReadBackParented) {
  auto form = MakeSampleForm();
  const TRecordView root = ParseStream(WriteRoot(form.get()));
  EXPECT_EQ(root.ClassName, "TSampleForm");
  EXPECT_EQ(root.ChildNames(), (std::vector<String>{"Panel1", "Label1", "NonVisual1"}));
  EXPECT_EQ(root.Child("Panel1").ChildNames(), (std::vector<String>{"Button1", "Button2"}));

  auto copy = ReadForm(WriteRoot(form.get()));
  ASSERT_EQ(copy->ComponentCount(), 5);
  TSampleControl* panel = Control(copy.get(), "Panel1");
  EXPECT_EQ(panel->Parent(), copy.get());
  EXPECT_EQ(Control(copy.get(), "Button2")->Parent(), panel);
  EXPECT_EQ(Control(copy.get(), "Button2")->Owner(), copy.get());
  EXPECT_EQ(panel->Controls().size(), 2u);
  EXPECT_EQ(copy->Controls().size(), 2u);
}

TEST_F(ComponentStream, NonVisualComponentsKeepTheirDesignPosition) {
  auto form = MakeSampleForm();
  auto* nonVisual = dynamic_cast<TSampleNonVisual*>(form->FindComponent("NonVisual1"));
  nonVisual->SetDesignInfo((548 << 16) | 364);
  nonVisual->Text = "jpg";
  const Bytes bytes = WriteRoot(form.get());
  const TRecordView parsed = ParseStream(bytes);
  const TRecordView& record = parsed.Child("NonVisual1");
  EXPECT_EQ(record.PropertyNames(), (std::vector<String>{"Text", "Left", "Top"}));
  EXPECT_EQ(ValueOf(bytes, *record.Find("Left")).ReadInt64(), 364);
  EXPECT_EQ(ValueOf(bytes, *record.Find("Top")).ReadInt64(), 548);
  auto copy = ReadForm(bytes);
  EXPECT_EQ(copy->FindComponent("NonVisual1")->DesignInfo(), (548 << 16) | 364);
}

TEST_F(ComponentStream, TextTakesItsThreeFormsThroughAComponent) {
  for (const String& caption : {String("abc"), String(256, 'x'), String("各コマに画像ファイルをドロップします。")}) {
    auto form = MakeSampleForm();
    Control(form.get(), "Label1")->Caption = caption;
    const Bytes bytes = WriteRoot(form.get());
    const TValueType tag = ParseStream(bytes).Child("Label1").Find("Caption")->Tag;
    EXPECT_EQ(tag, caption == "abc" ? TValueType::vaString
                   : caption.size() == 256 ? TValueType::vaLString
                                           : TValueType::vaUTF8String);
    EXPECT_EQ(Control(ReadForm(bytes).get(), "Label1")->Caption, caption);
  }
}

TEST_F(ComponentStream, ReferencesResolveAfterTheWholeTreeIncludingOtherRoots) {
  auto other = std::make_unique<TSampleForm>(nullptr);
  other->SetName("Form2");
  TSampleControl* otherButton = AddControl(other.get(), other.get(), "Other1");
  RegisterGlobalRoot(other.get());

  auto form = MakeSampleForm();
  Control(form.get(), "Button2")->SetPartner(form.get());  // the root itself
  Control(form.get(), "Label1")->SetPartner(otherButton);
  dynamic_cast<TSampleNonVisual*>(form->FindComponent("NonVisual1"))->SetTarget(Control(form.get(), "Label1"));
  const Bytes bytes = WriteRoot(form.get());
  const TRecordView root = ParseStream(bytes);
  EXPECT_EQ(ValueOf(bytes, *root.Child("Label1").Find("Partner")).ReadIdent(), "Form2.Other1");
  EXPECT_EQ(ValueOf(bytes, *root.Child("Panel1").Child("Button2").Find("Partner")).ReadIdent(), "Form1");

  auto copy = ReadForm(bytes);
  EXPECT_EQ(Control(copy.get(), "Button2")->Partner(), copy.get());
  EXPECT_EQ(Control(copy.get(), "Label1")->Partner(), otherButton);
  EXPECT_EQ(dynamic_cast<TSampleNonVisual*>(copy->FindComponent("NonVisual1"))->Target(),
            Control(copy.get(), "Label1"));

  // Without the other root the reference stays empty; the rest reads.
  UnregisterGlobalRoot(other.get());
  auto alone = ReadForm(bytes);
  EXPECT_EQ(Control(alone.get(), "Label1")->Partner(), nullptr);
  EXPECT_EQ(Control(alone.get(), "Button2")->Partner(), alone.get());
}

TEST_F(ComponentStream, AComponentNamedLikeASpecialIdentifierCanStillBeReferenced) {
  auto form = MakeSampleForm();
  Control(form.get(), "Label1")->SetName("True");
  Control(form.get(), "Button1")->SetBuddy(Control(form.get(), "True"));
  const Bytes bytes = WriteRoot(form.get());
  EXPECT_EQ(ParseStream(bytes).Child("Panel1").Child("Button1").Find("Buddy")->Tag, TValueType::vaTrue);
  auto copy = ReadForm(bytes);
  EXPECT_EQ(Control(copy.get(), "Button1")->Buddy(), Control(copy.get(), "True"));
}

TEST_F(ComponentStream, LoadedComesAfterTheWholeTreeInRecordOrder) {
  auto form = MakeSampleForm();
  Control(form.get(), "Button1")->SetBuddy(Control(form.get(), "Label1"));
  dynamic_cast<TSampleNonVisual*>(form->FindComponent("NonVisual1"))->SetTarget(Control(form.get(), "Button1"));
  const Bytes bytes = WriteRoot(form.get());
  LoadedLog().clear();
  auto copy = ReadForm(bytes);
  std::vector<String> order;
  for (const TLoadedEntry& entry : LoadedLog()) {
    order.push_back(entry.Name);
    EXPECT_TRUE(entry.WasLoading) << entry.Name;
  }
  EXPECT_EQ(order, (std::vector<String>{"Form1", "Panel1", "Button1", "Button2", "Label1", "NonVisual1"}));
  EXPECT_TRUE(LoadedLog()[2].ReferencesResolved);  // Button1's buddy is read after it
  EXPECT_TRUE(LoadedLog()[5].ReferencesResolved);
  for (int i = 0; i < copy->ComponentCount(); ++i) {
    EXPECT_FALSE(copy->Components(i)->ComponentState().Contains(csLoading));
    EXPECT_FALSE(copy->Components(i)->ComponentState().Contains(csReading));
  }
}

// ---- Hooks ----

// A stream of one control named `name` (class TSampleControl) whose property entries `write`
// supplies.
Bytes ControlRecord(const String& name, const std::function<void(TValueWriter&)>& write) {
  return Encode([&](TValueWriter& w) {
    BeginStream(w, "TSampleControl", name);
    write(w);
    w.WriteListEnd();
    w.WriteListEnd();
  });
}

TEST_F(ComponentStream, TheNameCheckMayRenameBeforeTheNameIsTaken) {
  auto form = MakeSampleForm();
  const Bytes bytes = ControlRecord("Button1", [](TValueWriter& w) {
    w.WriteShortString("Width");
    w.WriteInteger(40);
  });
  {
    auto stream = StreamOf(bytes);
    TComponentReader reader(*stream);
    try {
      reader.ReadComponent(form.get(), form.get());
      FAIL() << "a taken name was accepted";
    } catch (const EComponentError& e) {
      EXPECT_EQ(e.Message(), "コンポーネント名 Button1 はすでに使われています");
    }
    EXPECT_EQ(form->ComponentCount(), 5);
  }
  auto stream = StreamOf(bytes);
  TComponentReader reader(*stream);
  std::vector<String> seen;
  reader.OnSetName = [&](TReader* r, TComponent* component, String& name) {
    EXPECT_EQ(r, &reader);
    EXPECT_TRUE(component->ComponentState().Contains(csLoading));
    seen.push_back(name);
    name = "Button7";
  };
  TComponent* pasted = reader.ReadComponent(form.get(), Control(form.get(), "Panel1"));
  EXPECT_EQ(seen, std::vector<String>{"Button1"});
  EXPECT_EQ(pasted->Name(), "Button7");
  EXPECT_EQ(Control(form.get(), "Button7")->Width, 40);
  EXPECT_EQ(Control(form.get(), "Button7")->Parent(), Control(form.get(), "Panel1"));
}

TEST_F(ComponentStream, PropertyErrorsAreSkippedWhenTheHookHandlesThem) {
  const Bytes bytes = ControlRecord("Box1", [](TValueWriter& w) {
    w.WriteShortString("Left");
    w.WriteInteger(5);
    w.WriteShortString("NoSuch");  // a whole nested value to skip
    w.WriteListBegin();
    w.WriteBinary("xyz", 3);
    w.WriteListBegin();
    w.WriteSet({"a"});
    w.WriteListEnd();
    w.WriteListEnd();
    w.WriteShortString("Font.NoSuch");
    w.WriteInteger(1);
    w.WriteShortString("Buddy.Width");  // never through a reference
    w.WriteInteger(1);
    w.WriteShortString("Caption");  // text expected
    w.WriteInteger(3);
    w.WriteShortString("Align");  // no such member
    w.WriteIdent("saRight");
    w.WriteShortString("Count");  // beyond 32 bits
    w.WriteInteger(1LL << 40);
    w.WriteShortString("Lines.Strings");  // not a list of text
    w.WriteListBegin();
    w.WriteText("ok");
    w.WriteInteger(2);
    w.WriteListEnd();
    w.WriteShortString("Top");
    w.WriteInteger(7);
  });
  auto form = MakeSampleForm();
  auto stream = StreamOf(bytes);
  TComponentReader reader(*stream);
  std::vector<String> messages;
  reader.OnError = [&](TReader*, const String& message, bool& handled) {
    messages.push_back(message);
    handled = true;
  };
  reader.ReadComponent(form.get(), form.get());
  TSampleControl* box = Control(form.get(), "Box1");
  ASSERT_NE(box, nullptr);
  EXPECT_EQ(box->Left, 5);
  EXPECT_EQ(box->Top, 7);
  EXPECT_EQ(box->Caption, "");
  EXPECT_EQ(box->Align, saNone);
  EXPECT_EQ(messages, (std::vector<String>{"Property NoSuch does not exist", "Property Font.NoSuch does not exist",
                                           "Property Buddy.Width does not exist", "不正なプロパティの値です",
                                           "不正なプロパティの値です", "不正なプロパティの値です",
                                           "不正なプロパティの値です"}));
  EXPECT_EQ(stream->Position(), stream->Size());

  // Unhandled, the first error ends the read and nothing stays.
  auto fresh = MakeSampleForm();
  auto again = StreamOf(bytes);
  TComponentReader strict(*again);
  try {
    strict.ReadComponent(fresh.get(), fresh.get());
    FAIL();
  } catch (const EReadError& e) {
    EXPECT_EQ(e.Message(), "Property NoSuch does not exist");
  }
  EXPECT_EQ(fresh->ComponentCount(), 5);
  EXPECT_EQ(again->Position(), 0);
}

TEST_F(ComponentStream, EventBindingsGoThroughTheMethodLookup) {
  auto form = MakeSampleForm();
  Control(form.get(), "Label1")->OnClick = TNotifyEvent(form.get(), &TSampleForm::ButtonClick);
  const Bytes bytes = WriteRoot(form.get());

  // Supplying another handler.
  auto swapped = ReadForm(bytes, [](TComponentReader& reader) {
    reader.OnFindMethod = [](TReader*, const String& name, const TMethodCode*& code, bool& error) {
      EXPECT_EQ(name, "ButtonClick");
      EXPECT_NE(code, nullptr);
      EXPECT_FALSE(error);
      code = TSampleForm::StaticClassInfo().FindMethod("OtherClick");
    };
  });
  TSampleControl* label = Control(swapped.get(), "Label1");
  label->OnClick(label);
  EXPECT_EQ(swapped->Clicks, std::vector<String>{"OtherClick:Label1"});

  // Dropping it.
  auto dropped = ReadForm(bytes, [](TComponentReader& reader) {
    reader.OnFindMethod = [](TReader*, const String&, const TMethodCode*& code, bool& error) {
      code = nullptr;
      error = false;
    };
  });
  EXPECT_FALSE(Control(dropped.get(), "Label1")->OnClick.Assigned());

  // A handler of another signature is a property error.
  std::vector<String> errors;
  auto mismatched = ReadForm(bytes, [&](TComponentReader& reader) {
    reader.OnFindMethod = [](TReader*, const String&, const TMethodCode*& code, bool&) {
      code = TSampleForm::StaticClassInfo().FindMethod("MouseMoved");
    };
    reader.OnError = [&](TReader*, const String& message, bool& handled) {
      errors.push_back(message);
      handled = true;
    };
  });
  EXPECT_EQ(errors.size(), 1u);
  EXPECT_FALSE(Control(mismatched.get(), "Label1")->OnClick.Assigned());
}

TEST_F(ComponentStream, AMethodTheRootDoesNotPublishFailsUnlessAHookAnswers) {
  const Bytes bytes = ControlRecord("Box1", [](TValueWriter& w) {
    w.WriteShortString("OnClick");
    w.WriteIdent("NoSuchClick");
  });
  auto form = MakeSampleForm();
  {
    auto stream = StreamOf(bytes);
    TComponentReader reader(*stream);
    try {
      reader.ReadComponent(form.get(), form.get());
      FAIL();
    } catch (const EReadError& e) {
      EXPECT_EQ(e.Message(), "Method NoSuchClick not found");
    }
    EXPECT_EQ(form->FindComponent("Box1"), nullptr);
  }
  auto stream = StreamOf(bytes);
  TComponentReader reader(*stream);
  reader.OnFindMethod = [](TReader*, const String&, const TMethodCode*& code, bool& error) {
    EXPECT_EQ(code, nullptr);
    EXPECT_TRUE(error);
    error = false;
  };
  reader.ReadComponent(form.get(), form.get());
  EXPECT_FALSE(Control(form.get(), "Box1")->OnClick.Assigned());
}

TEST_F(ComponentStream, ALinkMadeByARolledBackReadIsUndone) {
  // Box1 links to the form's Panel1; then its handler, which the form does not publish, fails
  // the read after the references were resolved.
  const Bytes bytes = ControlRecord("Box1", [](TValueWriter& w) {
    w.WriteShortString("Buddy");
    w.WriteIdent("Panel1");
    w.WriteShortString("OnClick");
    w.WriteIdent("NoSuchClick");
  });
  auto form = MakeSampleForm();
  ASSERT_NE(form->FindComponent("Panel1"), nullptr);
  {
    auto stream = StreamOf(bytes);
    TComponentReader reader(*stream);
    EXPECT_THROW(reader.ReadComponent(form.get(), form.get()), EReadError);
    EXPECT_EQ(form->FindComponent("Box1"), nullptr);
  }
  // The rolled-back control must have let go of its target, or destroying the target would tell a
  // freed link.
  delete form->FindComponent("Panel1");

  auto second = MakeSampleForm();
  auto stream = StreamOf(bytes);
  TComponentReader reader(*stream);
  reader.OnFindMethod = [](TReader*, const String&, const TMethodCode*&, bool& error) { error = false; };
  reader.ReadComponent(second.get(), second.get());
  TSampleControl* box = Control(second.get(), "Box1");
  ASSERT_NE(box, nullptr);
  EXPECT_EQ(box->Buddy(), second->FindComponent("Panel1"));
  delete second->FindComponent("Panel1");
  EXPECT_EQ(box->Buddy(), nullptr);
}

// ---- Lists of components ----

// As a stage saves its controls: a signature and a record per control, then `ends` zero bytes.
Bytes ControlList(TSampleForm& form, const std::vector<String>& names, int ends) {
  std::vector<TComponent*> controls;
  for (const String& name : names) controls.push_back(form.FindComponent(name));
  return ComponentRecords(&form, controls, ends);
}

TEST_F(ComponentStream, AListIsReadUpToItsFirstZeroByte) {
  auto form = MakeSampleForm();
  Control(form.get(), "Button1")->SetBuddy(Control(form.get(), "Label1"));
  Bytes bytes = ControlList(*form, {"Button1", "Label1", "Panel1"}, 3);
  EXPECT_EQ(Bytes(bytes.end() - 3, bytes.end()), (Bytes{0, 0, 0}));

  auto target = MakeSampleForm();
  TSampleControl* panel = Control(target.get(), "Panel1");
  auto stream = StreamOf(bytes);
  TComponentReader reader(*stream);
  int renamed = 0;
  reader.OnSetName = [&](TReader*, TComponent*, String& name) { name = "Copy" + IntToStr(++renamed); };
  std::vector<String> seen;
  reader.ReadComponents(target.get(), panel, [&](TComponent* component) {
    EXPECT_EQ(LoadedLog().size(), 5u) << "every component is loaded before the first is handed on";
    seen.push_back(component->Name());
  });
  EXPECT_EQ(seen, (std::vector<String>{"Copy1", "Copy2", "Copy3"}));
  EXPECT_EQ(stream->Position(), static_cast<std::int64_t>(bytes.size()) - 2);
  // Panel1's children came along as Copy4 and Copy5, parented to the copied panel.
  EXPECT_EQ(Control(target.get(), "Copy4")->Parent(), Control(target.get(), "Copy3"));
  EXPECT_EQ(Control(target.get(), "Copy1")->Parent(), panel);
  // The copied Button1 still names Label1, which the target form has.
  EXPECT_EQ(Control(target.get(), "Copy1")->Buddy(), Control(target.get(), "Label1"));
}

TEST_F(ComponentStream, EmptyListsAndMissingEnds) {
  auto form = MakeSampleForm();
  {
    auto stream = StreamOf(Bytes{0});
    TComponentReader reader(*stream);
    reader.ReadComponents(form.get(), form.get());
    EXPECT_EQ(stream->Position(), 1);
  }
  for (const Bytes& bytes : {Bytes{}, ControlList(*form, {"Label1"}, 0)}) {
    auto stream = StreamOf(bytes);
    TComponentReader reader(*stream);
    EXPECT_THROW(reader.ReadComponents(form.get(), form.get()), EReadError);
  }
  EXPECT_EQ(form->ComponentCount(), 5);
}

// ---- Failures ----

// Two controls of the sample form and a third whose setter refuses its value, in one list.
Bytes ListFailingAtItsThirdControl() {
  auto source = MakeSampleForm();
  Bytes bytes = ControlList(*source, {"Label1", "Panel1"}, 0);
  Bytes bad = ControlRecord("Bad1", [](TValueWriter& w) {
    w.WriteShortString("Fragile");
    w.WriteInteger(-1);
  });
  bytes.insert(bytes.end(), bad.begin(), bad.end());
  bytes.push_back(0);
  return bytes;
}

TEST_F(ComponentStream, AFailingReadFreesEverythingItCreated) {
  const Bytes bytes = ListFailingAtItsThirdControl();

  auto target = MakeSampleForm();
  auto stream = StreamOf(bytes);
  TComponentReader reader(*stream);
  int named = 0;
  reader.OnSetName = [&](TReader*, TComponent*, String& name) { name = "Copy" + IntToStr(++named); };
  EXPECT_THROW(reader.ReadComponents(target.get(), target.get()), EConvertError);
  EXPECT_EQ(named, 5);  // they were all created before the failure ...
  EXPECT_EQ(target->ComponentCount(), 5);  // ... and are all gone again
  EXPECT_EQ(target->Controls().size(), 2u);
  EXPECT_TRUE(LoadedLog().empty());
  EXPECT_EQ(stream->Position(), 0);
}

// Hears what its owner tells it of the components inserted and removed there.
class TOwnerWatcher : public TComponent {
 public:
  using TComponent::TComponent;
  void Notification(TComponent* component, TOperation operation) override {
    TComponent::Notification(component, operation);
    (operation == opInsert ? inserted : removed).push_back(component);
  }
  std::vector<TComponent*> inserted, removed;
};

TEST_F(ComponentStream, ARolledBackReadTellsTheLinksToWhatItMadeAndTheOwnersWatchers) {
  const Bytes bytes = ListFailingAtItsThirdControl();

  auto target = MakeSampleForm();
  TOwnerWatcher watcher(nullptr);
  target->AddOwnedWatcher(&watcher);
  TComponentLinkList<TComponent> made;  // held outside the target form
  TComponentLink<TComponent> first;
  auto stream = StreamOf(bytes);
  TComponentReader reader(*stream);
  int named = 0;
  reader.OnSetName = [&](TReader*, TComponent* component, String& name) {
    name = "Copy" + IntToStr(++named);
    made.Add(component);
    if (!first) first.Set(component);
  };
  EXPECT_THROW(reader.ReadComponents(target.get(), target.get()), EConvertError);
  ASSERT_EQ(named, 5);
  EXPECT_TRUE(made.Empty());
  EXPECT_EQ(first.Get(), nullptr);
  ASSERT_EQ(watcher.inserted.size(), 5u);
  // The newest first, as the rollback destroys them.
  EXPECT_EQ(watcher.removed, std::vector<TComponent*>(watcher.inserted.rbegin(), watcher.inserted.rend()));
}

TEST_F(ComponentStream, AnUnregisteredClassIsRefusedBeforeAnythingIsCreated) {
  auto form = MakeSampleForm();
  Bytes bytes = WriteRoot(form.get());
  const String name = "TSampleNonVisual";
  auto at = std::search(bytes.begin(), bytes.end(), name.begin(), name.end());
  ASSERT_NE(at, bytes.end());
  std::copy_n("TNoSuchNonVisua", 15, at);  // same length
  ASSERT_EQ(*(at + 15), 'l');
  *(at + 15) = 'X';

  auto target = std::make_unique<TSampleForm>(nullptr);
  auto stream = StreamOf(bytes);
  TComponentReader reader(*stream);
  int named = 0;
  reader.OnSetName = [&](TReader*, TComponent*, String&) { ++named; };
  try {
    reader.ReadRootComponent(target.get());
    FAIL();
  } catch (const EClassNotFound& e) {
    EXPECT_EQ(e.Message(), "クラス TNoSuchNonVisuaX が見つかりません");
  }
  EXPECT_EQ(named, 0);
  EXPECT_EQ(target->ComponentCount(), 0);
  EXPECT_EQ(target->Name(), "");
}

TEST_F(ComponentStream, ARootReadsOnlyARecordOfItsOwnClass) {
  auto form = MakeSampleForm();
  const Bytes bytes = WriteRoot(form.get());
  TSampleControl notAForm(nullptr);
  auto stream = StreamOf(bytes);
  TComponentReader reader(*stream);
  EXPECT_THROW(reader.ReadRootComponent(&notAForm), EReadError);
  EXPECT_EQ(notAForm.ComponentCount(), 0);
}

TEST_F(ComponentStream, WithoutAnOwnerTheComponentIsItsOwnRoot) {
  auto form = MakeSampleForm();
  Control(form.get(), "Button1")->SetBuddy(Control(form.get(), "Button2"));
  Bytes bytes = WriteRoot(form.get());
  bytes.push_back(0x55);  // not part of the record
  auto stream = StreamOf(bytes);
  TComponentReader reader(*stream);
  std::unique_ptr<TComponent> copy(reader.ReadComponent(nullptr, nullptr));
  EXPECT_EQ(stream->Position(), static_cast<std::int64_t>(bytes.size()) - 1);
  ASSERT_EQ(copy->ComponentCount(), 5);
  EXPECT_EQ(Control(copy.get(), "Button1")->Buddy(), Control(copy.get(), "Button2"));
}

TEST_F(ComponentStream, PrefixFlagsFindInheritedComponentsAndMarkInlineOnes) {
  auto form = MakeSampleForm();
  const Bytes bytes = Encode([](TValueWriter& w) {
    BeginStream(w, "TSampleForm", "Form1");
    w.WriteListEnd();
    w.WritePrefix(streamformat::ffInherited, 0);  // the existing Label1
    w.WriteShortString("TSampleControl");
    w.WriteShortString("Label1");
    w.WriteShortString("Width");
    w.WriteInteger(50);
    w.WriteListEnd();
    w.WriteListEnd();
    w.WritePrefix(streamformat::ffChildPos | streamformat::ffInline, 3);
    w.WriteShortString("TSampleControl");
    w.WriteShortString("Frame1");
    w.WriteListEnd();
    w.WriteListEnd();
    w.WriteListEnd();
  });
  auto stream = StreamOf(bytes);
  TComponentReader reader(*stream);
  reader.ReadRootComponent(form.get());
  EXPECT_EQ(form->ComponentCount(), 6);
  EXPECT_EQ(Control(form.get(), "Label1")->Width, 50);
  EXPECT_TRUE(form->FindComponent("Frame1")->ComponentState().Contains(csInline));

  // An inherited record whose component does not exist.
  auto empty = std::make_unique<TSampleForm>(nullptr);
  auto again = StreamOf(bytes);
  TComponentReader strict(*again);
  try {
    strict.ReadRootComponent(empty.get());
    FAIL();
  } catch (const EReadError& e) {
    EXPECT_EQ(e.Message(), "Ancestor for Label1 not found");
  }
  EXPECT_EQ(empty->ComponentCount(), 0);
}

TEST_F(ComponentStream, CheckingAListCreatesNothingAndLeavesThePosition) {
  auto form = MakeSampleForm();
  Bytes bytes = ControlList(*form, {"Label1", "Panel1"}, 1);
  auto stream = StreamOf(bytes);
  TComponentReader reader(*stream);
  reader.CheckComponents();
  EXPECT_EQ(stream->Position(), 0);
  bytes.pop_back();
  auto cut = StreamOf(bytes);
  TComponentReader cutReader(*cut);
  EXPECT_THROW(cutReader.CheckComponents(), EReadError);
  EXPECT_EQ(form->ComponentCount(), 5);

  // A name no component can take is damage the check finds: nothing is destroyed to make room.
  Bytes badName = ControlList(*form, {"Label1"}, 1);
  const auto at = std::search(badName.begin(), badName.end(), std::begin("Label1"), std::end("Label1") - 1);
  ASSERT_NE(at, badName.end());
  *at = '1';
  auto named = StreamOf(badName);
  TComponentReader namedReader(*named);
  EXPECT_THROW(namedReader.CheckComponents(), EReadError);
}

}  // namespace
