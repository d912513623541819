// Copy, cut, paste and delete of the selection through the clipboard, and stage files and
// streams: the exact bytes of clipboard blocks and stage files, where pastes go and what they are
// named, what the delete query and the depth order do, round trips that keep every property,
// picture and line, and damaged blocks and files that change nothing.
#include <gtest/gtest.h>

#include <cstring>
#include <functional>
#include <vector>

#include "LayoutModeSupport.h"
#include "designer/Dsnhandle.h"
#include "framework/core/Stream.h"
#include "tests/support/InputDrivers.h"
#include "tests/support/MessagePump.h"
#include "tests/support/ServiceDoubles.h"
#include "tests/support/StreamWriters.h"
#include "tools/layoutc/LayoutCompiler.h"

namespace {

using namespace test_support;
using layouttest::TPageForm;

UINT DesignerFormat() { return TClipboard::RegisterFormat("Dsn_ClipboardFormat"); }

// Signature and record of each control, written as the designer writes them: relative to the form.
Bytes Records(TComponent* root, const std::vector<TControl*>& controls) {
  return ComponentRecords(root, std::vector<TComponent*>(controls.begin(), controls.end()));
}

Bytes Concat(Bytes head, const Bytes& tail) {
  head.insert(head.end(), tail.begin(), tail.end());
  return head;
}

// A clipboard block of the designer's format: the stored length, then `stream`.
Bytes Block(std::int32_t length, const Bytes& stream) {
  Bytes block(4);
  std::memcpy(block.data(), &length, 4);
  return Concat(block, stream);
}

// Handlers of the stage's events, and an observer of destructions.
class TEvents : public TComponent {
 public:
  using TComponent::TComponent;
  void DeleteQuery(TObject*, TComponent* component, bool& canDelete) {
    asked.push_back(component);
    if (component == refuse) canDelete = false;
  }
  void Loading(TObject*, TComponent* component) { loading.push_back(component); }
  void Loaded(TObject*, TComponent* component) { loaded.push_back(component->Name()); }
  void Created(TObject*, TComponent* component) { created.push_back(component->Name()); }
  void Watch(TComponent* component) { component->FreeNotification(this); }
  void Notification(TComponent* component, TOperation operation) override {
    TComponent::Notification(component, operation);
    if (operation == opRemove) destroyed.push_back(component);
  }

  TComponent* refuse = nullptr;
  std::vector<TComponent*> asked, loading, destroyed;
  std::vector<String> loaded, created;
};

class Transfer : public ::testing::Test {
 protected:
  Transfer() {
    layouttest::RegisterClassesOnce();
    page.controller->performs = true;
    page.memo1->Lines()->Clear();
    page.memo1->Lines()->Add("一行目の台詞");
    page.memo1->Lines()->Add("second line");
    TBitmap* picture = page.frame->Picture()->Bitmap();
    picture->SetSize(8, 6);
    picture->Canvas()->SetPixels(3, 2, clRed);
    page.controller->SetDesigning(true);
  }
  ~Transfer() override { delete events; }

  void Select(const std::vector<TControl*>& controls) {
    TTargetList* targets = page.controller->NewTargetList();
    for (TControl* control : controls) targets->Add(control);
    targets->SetPosition();
  }
  std::vector<TControl*> Selection() const { return page.Selection(); }
  Bytes ClipboardBlock() { return Clipboard().GetAsBytes(DesignerFormat()); }
  void PutOnClipboard(const Bytes& block) { Clipboard().SetAsBytes(DesignerFormat(), block); }
  TPanel* AddPanel(const char* name, int left, int top, int width, int height) {
    auto* panel = new TPanel(page.form);
    panel->SetName(name);
    panel->SetParent(page.stage);
    panel->SetBounds(left, top, width, height);
    return panel;
  }
  // The designed controls on `parent`: its children without the grab handles of the selection.
  static std::vector<TControl*> DesignedOn(TWinControl* parent) {
    std::vector<TControl*> controls;
    for (int i = 0; i < parent->ControlCount(); ++i) {
      if (!dynamic_cast<TSmallRect*>(parent->Controls(i))) controls.push_back(parent->Controls(i));
    }
    return controls;
  }
  std::vector<TControl*> StageControls() const { return DesignedOn(page.stage); }
  Bytes SavedStage() {
    TMemoryStream stream;
    page.stage->SaveToStream(&stream);
    return StreamBytes(stream);
  }

  TPrivateClipboard clipboard;
  TClipboardServiceScope clipboardScope{clipboard};
  TPageForm page;
  TEvents* events = new TEvents(nullptr);
};

// ---------------------------------------------------------------------------------------------
// Copy and cut

TEST_F(Transfer, CopyPutsTheSelectionInSelectionOrderAsOneBlockWithItsLength) {
  Select({page.balloon2, page.memo1});
  ASSERT_TRUE(page.controller->CanCopy());
  page.controller->Copy();
  const Bytes streams = Concat(Records(page.form, {page.balloon2, page.memo1}), {0});
  EXPECT_EQ(ClipboardBlock(), Block(static_cast<std::int32_t>(streams.size()), streams));
  EXPECT_EQ(Selection(), (std::vector<TControl*>{page.balloon2, page.memo1}));  // copying keeps the selection
}

TEST_F(Transfer, CopyAndCutDoNothingForControlsOnDifferentParents) {
  TPanel* box = AddPanel("Panel1", 240, 200, 100, 100);
  auto* inner = new TShape(page.form);
  inner->SetName("Shape5");
  inner->SetParent(box);
  Select({page.balloon1, inner});
  EXPECT_FALSE(page.controller->CanCopy());
  page.controller->Copy();
  page.controller->Cut();
  EXPECT_FALSE(Clipboard().HasFormat(DesignerFormat()));
  EXPECT_EQ(page.form->FindComponent("Shape1"), page.balloon1);
  EXPECT_EQ(page.form->FindComponent("Shape5"), inner);
}

TEST_F(Transfer, CutCopiesThenDeletesAndAPasteBringsTheControlBackUnderItsName) {
  const TRect bounds = page.memo2->BoundsRect();
  Select({page.memo2});
  page.controller->Cut();
  EXPECT_EQ(page.form->FindComponent("Memo2"), nullptr);
  EXPECT_TRUE(Selection().empty());
  page.controller->Paste();
  auto* back = dynamic_cast<TMemo*>(page.form->FindComponent("Memo2"));
  ASSERT_NE(back, nullptr);
  EXPECT_EQ(back->Parent(), page.stage);
  EXPECT_EQ(back->BoundsRect(), bounds);
}

// ---------------------------------------------------------------------------------------------
// Paste

TEST_F(Transfer, APasteWithoutSelectionLandsOnTheStageOverTheCopiesWithFreeNamesAndIsSelected) {
  page.stage->OnControlCreate = TControlCreate(events, &TEvents::Created);
  Select({page.memo1, page.frame});
  page.controller->Copy();
  page.controller->ClearSelect();
  page.controller->Paste();

  const std::vector<TControl*> pasted = Selection();
  ASSERT_EQ(pasted.size(), 2u);
  auto* memo = dynamic_cast<TMemo*>(pasted[0]);
  auto* frame = dynamic_cast<TImage*>(pasted[1]);
  ASSERT_TRUE(memo && frame);
  // Memo1 and Memo2 are taken; Image1 is.
  EXPECT_EQ(memo->Name(), "Memo3");
  EXPECT_EQ(frame->Name(), "Image2");
  EXPECT_EQ(memo->Parent(), page.stage);
  EXPECT_EQ(memo->BoundsRect(), page.memo1->BoundsRect());
  EXPECT_EQ(frame->BoundsRect(), page.frame->BoundsRect());
  EXPECT_EQ(memo->Owner(), page.form);
  // Dialogue and picture come along.
  ASSERT_EQ(memo->Lines()->Count(), 2);
  EXPECT_EQ(memo->Lines()->Get(0), "一行目の台詞");
  EXPECT_EQ(memo->Lines()->Get(1), "second line");
  ASSERT_EQ(frame->Picture()->Bitmap()->Width(), 8);
  EXPECT_EQ(frame->Picture()->Bitmap()->Canvas()->Pixels(3, 2), clRed);
  // The pasted window is designed like the others, and the stage hears of both once.
  EXPECT_NE(TPageForm::InterceptorOf(memo), nullptr);
  EXPECT_TRUE(PumpUntil([&] { return events->created.size() == 2; }, TPumpMode::DispatchWithoutRealInput));
  EXPECT_EQ(events->created, (std::vector<String>{"Memo3", "Image2"}));
}

TEST_F(Transfer, APasteGoesIntoASelectedContainerAndNowhereElse) {
  TPanel* box = AddPanel("Panel1", 240, 200, 160, 120);
  Select({page.balloon1});
  page.controller->Copy();

  Select({box});
  ASSERT_TRUE(page.controller->CanPaste());
  page.controller->Paste();
  const std::vector<TControl*> inBox = DesignedOn(box);
  ASSERT_EQ(inBox.size(), 1u);
  EXPECT_EQ(inBox[0]->Name(), "Shape3");
  EXPECT_EQ(Selection(), inBox);

  const int components = page.form->ComponentCount();
  Select({page.balloon2});  // not a container
  EXPECT_FALSE(page.controller->CanPaste());
  page.controller->Paste();
  Select({box, page.memo1});  // more than one
  EXPECT_FALSE(page.controller->CanPaste());
  page.controller->Paste();
  EXPECT_EQ(page.form->ComponentCount(), components);
  EXPECT_EQ(Selection(), (std::vector<TControl*>{box, page.memo1}));
}

TEST_F(Transfer, APasteIntoANarrowContainerIsMovedBackInsideItsRightAndBottomEdges) {
  Select({page.balloon2});  // at (140, 40), 80 x 40
  page.controller->Copy();
  TPanel* wide = AddPanel("Panel1", 200, 200, 100, 30);
  Select({wide});
  page.controller->Paste();
  EXPECT_EQ(Selection().at(0)->BoundsRect(), (TRect{20, 0, 100, 40}));  // Top 40 > 30: 30 - 40 < 0
  TPanel* narrow = AddPanel("Panel2", 200, 240, 50, 100);
  Select({narrow});
  page.controller->Paste();
  EXPECT_EQ(Selection().at(0)->BoundsRect(), (TRect{0, 40, 80, 80}));
}

TEST_F(Transfer, ABlockWhoseLengthDoesNotFitOrWhoseStreamsAreDamagedPastesNothingAndKeepsTheSelection) {
  Select({page.balloon1, page.memo1});
  page.controller->Copy();
  const Bytes good = ClipboardBlock();
  const Bytes streams(good.begin() + 4, good.end());
  const auto length = static_cast<std::int32_t>(streams.size());

  std::vector<Bytes> corpus = {
      Bytes{1, 0},                                              // shorter than its length word
      Block(length + 1, streams),                               // claims more than it holds
      Block(-1, streams),                                       // negative
      Block(INT32_MAX, streams),                                // huge
      Block(4, {'T', 'P', 'F', '1'}),                           // no signature
      Block(12, {'T', 'P', 'F', '0', 6, 'T', 'S', 'h', 'a', 'p', 'e', 3}),  // cut inside a record
  };
  for (std::size_t cut = 1; cut < streams.size(); cut += 7) {  // cut short, length fitting
    corpus.push_back(Block(static_cast<std::int32_t>(cut), Bytes(streams.begin(), streams.begin() + cut)));
  }
  const int components = page.form->ComponentCount();
  for (const Bytes& block : corpus) {
    SCOPED_TRACE(block.size());
    PutOnClipboard(block);
    Select({page.stage});
    EXPECT_THROW(page.controller->Paste(), Exception);
    EXPECT_EQ(page.form->ComponentCount(), components);
    EXPECT_EQ(Selection(), (std::vector<TControl*>{page.stage}));  // the user's selection stays
  }
  // Flipped bytes may still make a readable stream: it pastes whole (and is deleted again) or
  // not at all.
  for (std::size_t at = 4; at < good.size(); at += 3) {
    Bytes flipped = good;
    flipped[at] ^= 0x5A;
    PutOnClipboard(flipped);
    page.controller->ClearSelect();
    try {
      page.controller->Paste();
      EXPECT_EQ(Selection().size(), 2u);
      page.controller->Delete();
    } catch (const Exception&) {
    }
    EXPECT_EQ(page.form->ComponentCount(), components);
  }
}

TEST_F(Transfer, AnEmptyClipboardPastesNothing) {
  Select({page.stage});
  EXPECT_FALSE(page.controller->CanPaste());
  page.controller->Paste();
  EXPECT_EQ(StageControls().size(), 6u);
}

// ---------------------------------------------------------------------------------------------
// Delete

TEST_F(Transfer, DeleteDestroysWhatTheQueryAllowsAndLeavesTheRefusedOneUnselected) {
  page.stage->OnDeleteQuery = TDeleteQuery(events, &TEvents::DeleteQuery);
  events->refuse = page.balloon2;
  Select({page.balloon1, page.balloon2, page.memo1});
  page.controller->Delete();
  // Asked from the last selected to the first.
  EXPECT_EQ(events->asked, (std::vector<TComponent*>{page.memo1, page.balloon2, page.balloon1}));
  EXPECT_EQ(page.form->FindComponent("Shape1"), nullptr);
  EXPECT_EQ(page.form->FindComponent("Memo1"), nullptr);
  EXPECT_EQ(page.form->FindComponent("Shape2"), page.balloon2);
  EXPECT_TRUE(Selection().empty());
}

TEST_F(Transfer, DeleteDestroysTheDeepestFirstAndNeverTheStage) {
  TPanel* outer = AddPanel("Panel1", 240, 200, 160, 120);
  auto* inner = new TPanel(page.form);
  inner->SetName("Panel2");
  inner->SetParent(outer);
  auto* deepest = new TShape(page.form);
  deepest->SetName("Shape5");
  deepest->SetParent(inner);
  for (TComponent* c : std::vector<TComponent*>{outer, inner, deepest, page.stage}) events->Watch(c);
  // A selection across parents, as code may make it.
  Select({outer, page.stage, deepest, inner});
  page.controller->Delete();
  EXPECT_EQ(events->destroyed, (std::vector<TComponent*>{deepest, inner, outer}));
  EXPECT_EQ(page.form->FindComponent("DsnStage1"), page.stage);
  EXPECT_EQ(StageControls().size(), 6u);
}

// ---------------------------------------------------------------------------------------------
// The page's keys in layout mode

TEST_F(Transfer, KeysOnTheStageCopyPasteCutAndDeleteAsTheUserDoesIt) {
  TMouseDriver mouse{page.form};
  HWND keys = KeyboardWindow(page.stage);
  mouse.Click(TPageForm::ScreenOf(page.balloon1, {10, 10}));
  TypeKey(keys, 'C', true);
  TypeKey(keys, 'V', true);  // a balloon holds no controls
  EXPECT_EQ(StageControls().size(), 6u);

  mouse.Click(TPageForm::ScreenOf(page.stage, {400, 340}));  // an empty spot: the stage
  EXPECT_EQ(Selection(), (std::vector<TControl*>{page.stage}));
  TypeKey(keys, 'V', true);
  auto* pasted = dynamic_cast<TShape*>(page.form->FindComponent("Shape3"));
  ASSERT_NE(pasted, nullptr);
  EXPECT_EQ(pasted->BoundsRect(), page.balloon1->BoundsRect());
  EXPECT_EQ(pasted->Shape(), stEllipse);
  EXPECT_EQ(Selection(), (std::vector<TControl*>{pasted}));

  TypeKey(keys, 'X', true);
  EXPECT_EQ(page.form->FindComponent("Shape3"), nullptr);
  mouse.Click(TPageForm::ScreenOf(page.memo2, {10, 10}));
  TypeKey(keys, VK_DELETE);
  EXPECT_EQ(page.form->FindComponent("Memo2"), nullptr);
  EXPECT_TRUE(Selection().empty());
  EXPECT_EQ(StageControls().size(), 5u);
}

// ---------------------------------------------------------------------------------------------
// Stage files and streams

TEST_F(Transfer, AStageFileEndsWithAZeroPerControlAndAStreamWithOne) {
  TForm form(nullptr);
  form.SetName("Form9");
  auto* stage = new TDsnStage(&form);
  stage->SetParent(&form);
  std::vector<TControl*> controls;
  for (const char* name : {"Shape1", "Shape2", "Shape3"}) {
    auto* shape = new TShape(&form);
    shape->SetName(name);
    shape->SetParent(stage);
    controls.push_back(shape);
  }
  const Bytes records = Records(&form, controls);
  TMemoryStream stream;
  stage->SaveToStream(&stream);
  EXPECT_EQ(StreamBytes(stream), Concat(records, {0}));

  const String file = "stage-layout.dsn";
  stage->SaveToFile(file);
  TMemoryStream saved;
  saved.LoadFromFile(file);
  EXPECT_EQ(StreamBytes(saved), Concat(records, {0, 0, 0}));

  // An empty stage saves as its stream does, and opens again as empty.
  while (stage->ControlCount() > 0) delete stage->Controls(0);
  TMemoryStream empty;
  stage->SaveToFile(file);
  stage->SaveToStream(&empty);
  saved.LoadFromFile(file);
  EXPECT_EQ(StreamBytes(saved), Bytes{0});
  EXPECT_EQ(StreamBytes(empty), Bytes{0});
  (new TShape(&form))->SetParent(stage);
  stage->LoadFromFile(file);
  EXPECT_EQ(stage->ControlCount(), 0);
  DeleteFileW(CP932ToWide(file).c_str());
}

TEST_F(Transfer, TheWholeStageSurvivesASaveAndALoadWithDesignModeBackOn) {
  page.stage->OnControlLoading = TControlCreate(events, &TEvents::Loading);
  page.stage->OnControlLoaded = TControlCreate(events, &TEvents::Loaded);
  Select({page.memo1});
  const Bytes saved = SavedStage();
  EXPECT_TRUE(Selection().empty());  // saving clears the selection
  // Nothing design mode changed (the arrow of every intercepted window) is saved.
  TMemoryStream design;
  page.stage->WriteDesign(design);
  EXPECT_EQ(StreamBytes(design), saved);

  page.balloon1->SetLeft(300);
  page.memo1->Lines()->Clear();
  TMemoryStream stream;
  stream.Write(saved.data(), static_cast<std::int64_t>(saved.size()));  // left at its end: loading rewinds
  page.stage->LoadFromStream(&stream);

  EXPECT_TRUE(page.controller->Designing());
  EXPECT_EQ(SavedStage(), saved);
  EXPECT_EQ(events->loading.size(), 6u);
  EXPECT_TRUE(PumpUntil([&] { return events->loaded.size() == 6; }, TPumpMode::DispatchWithoutRealInput));
  EXPECT_EQ(events->loaded, (std::vector<String>{"Shape0", "Shape1", "Shape2", "Image1", "Memo1", "Memo2"}));
  auto* memo = dynamic_cast<TMemo*>(page.form->FindComponent("Memo1"));
  ASSERT_NE(memo, nullptr);
  EXPECT_EQ(memo->Lines()->Get(0), "一行目の台詞");
  EXPECT_NE(TPageForm::InterceptorOf(memo), nullptr);
  auto* frame = dynamic_cast<TImage*>(page.form->FindComponent("Image1"));
  ASSERT_NE(frame, nullptr);
  EXPECT_EQ(frame->Picture()->Bitmap()->Canvas()->Pixels(3, 2), clRed);
}

TEST_F(Transfer, LoadingSkipsUnknownPropertiesAndRenamesClashes) {
  const std::string text =
      "object DsnRegister1: TShape\n"
      "  Left = 12\n"
      "  NoSuchProperty = 5\n"
      "  Width = 30\n"
      "end\n";
  TMemoryStream stream;
  TLayoutCompiler(TAVELKO_SOURCE_DIR "/app/").Compile(text, stream);
  const std::uint8_t end = 0;
  stream.Write(&end, 1);
  page.stage->LoadFromStream(&stream);
  ASSERT_EQ(StageControls().size(), 1u);
  auto* shape = dynamic_cast<TShape*>(StageControls()[0]);
  ASSERT_NE(shape, nullptr);
  EXPECT_EQ(shape->Name(), "Shape1");  // the controller has the name it had
  EXPECT_EQ(shape->Left(), 12);
  EXPECT_EQ(shape->Width(), 30);
}

TEST_F(Transfer, LinksLearnOfControlsGoneByAStageLoadAndByARolledBackPaste) {
  page.stage->OnControlCreate = TControlCreate(events, &TEvents::Created);
  TComponentLink<TControl> toMemo;  // held outside the form, as is the watching `events`
  toMemo.Set(page.memo1);
  TControl* balloon = page.balloon1;
  events->Watch(balloon);
  const Bytes saved = SavedStage();
  TMemoryStream stream;
  stream.Write(saved.data(), static_cast<std::int64_t>(saved.size()));
  page.stage->LoadFromStream(&stream);
  EXPECT_EQ(toMemo.Get(), nullptr);
  EXPECT_EQ(events->destroyed, std::vector<TComponent*>{balloon});

  // The memo is made and its notice posted before the shape's Left fails the read.
  auto compiled = [](const std::string& text) {
    TMemoryStream record;
    TLayoutCompiler(TAVELKO_SOURCE_DIR "/app/").Compile(text, record);
    return StreamBytes(record);
  };
  const Bytes streams = Concat(Concat(compiled("object Memo9: TMemo\n  Left = 8\nend\n"),
                                      compiled("object Shape9: TShape\n  Left = 'eight'\nend\n")),
                               {0});
  PutOnClipboard(Block(static_cast<std::int32_t>(streams.size()), streams));
  Select({});  // loading forgot the selection
  const int components = page.form->ComponentCount();
  EXPECT_THROW(page.controller->Paste(), Exception);
  EXPECT_EQ(page.form->ComponentCount(), components);
  // A paste that works: its notice comes after the dropped one would have.
  Select({dynamic_cast<TControl*>(page.form->FindComponent("Memo2"))});
  page.controller->Copy();
  page.controller->ClearSelect();
  page.controller->Paste();
  EXPECT_TRUE(PumpUntil([&] { return !events->created.empty(); }, TPumpMode::DispatchWithoutRealInput));
  EXPECT_EQ(events->created, std::vector<String>{"Memo3"});
}

TEST_F(Transfer, AFileThatCannotBeReadLeavesTheStageAsItWas) {
  const String file = "stage-damaged.dsn";
  page.stage->SaveToFile(file);
  TMemoryStream good;
  good.LoadFromFile(file);
  const Bytes saved = StreamBytes(good);
  std::vector<TControl*> before = StageControls();

  auto expectUnreadable = [&](const String& name) {
    try {
      page.stage->LoadFromFile(name);
      ADD_FAILURE() << "loaded";
    } catch (const Exception& error) {
      EXPECT_NE(String(error.Message()).find(name), String::npos);
    }
    EXPECT_EQ(StageControls(), before);
    EXPECT_TRUE(page.controller->Designing());
  };
  expectUnreadable("no-such-stage.dsn");

  auto write = [&](const Bytes& bytes) { ReplaceFileContents(file, bytes.data(), bytes.size()); };
  for (std::size_t cut = 0; cut < saved.size() - 6; cut += 11) {  // every cut inside the last record
    SCOPED_TRACE(cut);
    write(Bytes(saved.begin(), saved.begin() + cut));
    expectUnreadable(file);
  }
  write({'T', 'P', 'F', '0', 7, 'T', 'N', 'o', 'C', 'l', 'a', 's', 's', 0, 0, 0, 0});
  expectUnreadable(file);
  // Flips: a damaged file either loads whole or changes nothing.
  for (std::size_t at = 0; at < saved.size(); at += 5) {
    Bytes flipped = saved;
    flipped[at] ^= 0xA5;
    write(flipped);
    try {
      page.stage->LoadFromFile(file);
      write(saved);
      page.stage->LoadFromFile(file);
      before = StageControls();
    } catch (const Exception&) {
      EXPECT_EQ(StageControls(), before);
    }
  }
  DeleteFileW(CP932ToWide(file).c_str());
}

// ---------------------------------------------------------------------------------------------
// Another process

// Runs a program beside this test's own and waits for its end; its exit code, or -1.
int RunBeside(const wchar_t* program) {
  wchar_t path[MAX_PATH];
  GetModuleFileNameW(nullptr, path, MAX_PATH);
  WideString command(path);
  command = command.substr(0, command.find_last_of(L'\\') + 1) + program;
  STARTUPINFOW startup{};
  startup.cb = sizeof(startup);
  PROCESS_INFORMATION process{};
  if (!CreateProcessW(command.c_str(), command.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &process))
    return -1;
  DWORD code = static_cast<DWORD>(-1);
  if (WaitForSingleObject(process.hProcess, 60000) == WAIT_OBJECT_0) GetExitCodeProcess(process.hProcess, &code);
  CloseHandle(process.hThread);
  CloseHandle(process.hProcess);
  return static_cast<int>(code);
}

TEST(ClipboardBetweenProcesses, ControlsCopiedByAnotherProcessPasteHere) {
  layouttest::RegisterClassesOnce();
  ASSERT_EQ(RunBeside(L"clipboard_source.exe"), 0);
  TPageForm page;
  page.controller->performs = true;
  page.controller->SetDesigning(true);
  page.controller->NewTargetList();
  ASSERT_TRUE(page.controller->CanPaste());
  page.controller->Paste();

  auto* shape = dynamic_cast<TShape*>(page.form->FindComponent("Shape3"));  // Shape1 is taken here
  auto* memo = dynamic_cast<TMemo*>(page.form->FindComponent("Memo3"));
  ASSERT_TRUE(shape && memo);
  EXPECT_EQ(shape->Parent(), page.stage);
  EXPECT_EQ(shape->BoundsRect(), (TRect{12, 16, 76, 48}));
  EXPECT_EQ(shape->Shape(), stEllipse);
  ASSERT_EQ(memo->Lines()->Count(), 1);
  EXPECT_EQ(memo->Lines()->Get(0), "遠くの台詞");
  EXPECT_NE(TPageForm::InterceptorOf(memo), nullptr);
}

}  // namespace
