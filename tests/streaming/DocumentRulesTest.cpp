// Documents read under their kind's rules: crafted, well-formed records that ask for what the
// kind does not allow are refused whole, with the reason, and nothing is made or changed.
#include "StreamTestSupport.h"
#include "framework/core/Stream.h"
#include "streaming/StreamFormat.h"
#include "tests/support/StreamWriters.h"

using namespace test_support;

namespace {

Bytes List(std::initializer_list<Bytes> records) {
  Bytes list;
  for (const Bytes& record : records) list.insert(list.end(), record.begin(), record.end());
  list.push_back(0);
  return list;
}

bool StartsWith(const String& text, const String& start) { return text.rfind(start, 0) == 0; }

auto Ident(const char* property, const char* value) {
  return [=](TValueWriter& w) {
    w.WriteShortString(property);
    w.WriteIdent(value);
  };
}

}  // namespace

class DocumentRules : public StreamTest {
 protected:
  void SetUp() override {
    StreamTest::SetUp();
    form = MakeSampleForm();
    panel = dynamic_cast<TSampleControl*>(form->FindComponent("Panel1"));
    rules.Allow(TSampleControl::StaticClassInfo(), {{"OnClick", {"ButtonClick"}}});
  }
  void TearDown() override {
    form.reset();
    StreamTest::TearDown();
  }

  // Reads `list` as a document onto Panel1; the refusal's message, or empty when it was read.
  String Read(const Bytes& list, const std::function<void(TComponentReader&)>& setUp = {}) {
    auto stream = StreamOf(list);
    TComponentReader reader(*stream);
    reader.ReadAsDocument(rules);
    reader.OnError = [](TReader*, const String&, bool& handled) { handled = true; };  // skips all it may
    if (setUp) setUp(reader);
    const int before = form->ComponentCount();
    try {
      reader.ReadComponents(form.get(), panel);
      return {};
    } catch (const EDocumentRefused& refusal) {
      EXPECT_EQ(form->ComponentCount(), before);
      EXPECT_EQ(stream->Position(), 0);
      return refusal.Message();
    }
  }

  std::unique_ptr<TSampleForm> form;
  TSampleControl* panel = nullptr;
  TDocumentRules rules;
};

TEST_F(DocumentRules, OnlyAllowedClassesAreMadeAndOnlyTheDocumentsOwnRecords) {
  EXPECT_EQ(Read(List({HandMadeRecord("TSampleControl", "A"), HandMadeRecord("TSampleNonVisual", "B")})),
            "A TSampleNonVisual does not belong in this kind of document");
  EXPECT_EQ(Read(List({HandMadeRecord("TNoSuchClass", "A")})), "The document holds a TNoSuchClass, which is no known class");
  // A subclass is not its base class, unless the rules say so.
  EXPECT_NE(Read(List({HandMadeRecord("TSampleForm", "A")})), "");
  rules.AllowDescendantsOf(TSampleControl::StaticClassInfo());
  EXPECT_EQ(Read(List({HandMadeRecord("TSampleForm", "A")})), "");

  // Inherited and inline records reach components the document did not make.
  auto hide = [](TValueWriter& w) {
    w.WriteShortString("Visible");
    w.WriteBoolean(false);
  };
  EXPECT_NE(Read(List({HandMadeRecord("TSampleControl", "Button1", hide, streamformat::ffInherited)})), "");
  EXPECT_NE(Read(List({HandMadeRecord("TSampleControl", "C", hide, streamformat::ffInline)})), "");
  EXPECT_TRUE(dynamic_cast<TSampleControl*>(form->FindComponent("Button1"))->Visible);
}

TEST_F(DocumentRules, ReferencesStayInsideTheDocumentAndHandlersAreThoseAllowed) {
  EXPECT_EQ(Read(List({HandMadeRecord("TSampleControl", "A", Ident("Buddy", "Button1"))})),
            "The document refers to Button1, which is not in it");
  EXPECT_NE(Read(List({HandMadeRecord("TSampleControl", "A", Ident("Buddy", "Form1.Button1"))})), "");
  EXPECT_EQ(Read(List({HandMadeRecord("TSampleControl", "A", Ident("Buddy", "B")), HandMadeRecord("TSampleControl", "B")})),
            "");
  auto* a = dynamic_cast<TSampleControl*>(form->FindComponent("A"));
  ASSERT_NE(a, nullptr);
  EXPECT_EQ(a->Buddy(), form->FindComponent("B"));

  // An allowed handler binds to the form; another method of the form, or another event, does not.
  EXPECT_EQ(Read(List({HandMadeRecord("TSampleControl", "C", Ident("OnClick", "ButtonClick"))})), "");
  EXPECT_TRUE(dynamic_cast<TSampleControl*>(form->FindComponent("C"))->OnClick);
  EXPECT_EQ(Read(List({HandMadeRecord("TSampleControl", "D", Ident("OnClick", "OtherClick"))})),
            "The document binds OnClick of a TSampleControl to OtherClick, which this kind of document may not");
  EXPECT_NE(Read(List({HandMadeRecord("TSampleControl", "D", Ident("OnChange", "ButtonClick"))})), "");
}

TEST_F(DocumentRules, BudgetsAreKeptBeforeTheWorkAndEveryComponentIsMarkedAndSeen) {
  auto blob = [](std::size_t size) {
    return [size](TValueWriter& w) {
      w.WriteShortString("Blob");
      const std::string data(size, 'x');
      w.WriteBinary(data.data(), data.size());
    };
  };
  // Each blob stands for as many pixels as it has bytes: one fits, both together do not.
  std::vector<const TPersistent*> measured;
  rules.PixelsOf = [&measured](const TPersistent& instance, std::span<const std::uint8_t> data) {
    measured.push_back(&instance);
    return std::uint64_t(data.size());
  };
  rules.MaxPixels = 100;
  EXPECT_TRUE(StartsWith(
      Read(List({HandMadeRecord("TSampleControl", "A", blob(60)), HandMadeRecord("TSampleControl", "B", blob(60))})),
      "The document's pictures together are larger than"));
  EXPECT_EQ(measured.size(), 2u);
  EXPECT_EQ(Read(List({HandMadeRecord("TSampleControl", "A", blob(60))})), "");
  EXPECT_EQ(dynamic_cast<TSampleControl*>(form->FindComponent("A"))->Blob.size(), 60u);

  const Bytes document = List({HandMadeRecord("TSampleControl", "B")});
  rules.MaxBytes = document.size() - 1;
  EXPECT_TRUE(StartsWith(Read(document), "The document is larger than"));
  rules.MaxBytes = TDocumentRules::kDefaultMaxBytes;

  std::vector<String> seen;
  rules.CheckComponent = [&seen](const TComponent& component) {
    EXPECT_TRUE(component.ComponentState().Contains(csFromDocument));
    seen.push_back(component.Name());
    if (component.Name() == "Refused") throw EDocumentRefused("refused by the check");
  };
  EXPECT_EQ(Read(document), "");
  EXPECT_EQ(Read(List({HandMadeRecord("TSampleControl", "C"), HandMadeRecord("TSampleControl", "Refused")})),
            "refused by the check");
  EXPECT_EQ(seen, (std::vector<String>{"B", "C", "Refused"}));
}
