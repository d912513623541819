// The selection partner on a page-like form driven by mouse messages: what OnChangeSelected reports
// and when, Select and MultipleSelect through the controller's can-select test, the receiver's life
// beside the controller's, snapshots that cost nothing after the call, and the partner read from a
// component stream.
#include <gtest/gtest.h>

#include <map>
#include <memory>
#include <utility>
#include <vector>

#include "LayoutModeSupport.h"
#include "tests/support/Foreground.h"
#include "tests/support/InputDrivers.h"
#include "tests/support/MessagePump.h"
#include "tests/support/Pixels.h"
#include "designer/DsnSubCl.h"
#include "designer/Dsnselect.h"
#include "framework/core/Stream.h"
#include "streaming/ComponentReader.h"
#include "streaming/ComponentWriter.h"

namespace {

using namespace test_support;
using layouttest::TPageForm;

struct TChange {
  TSelectOperation operation;
  std::vector<TControl*> targets;
  bool operator==(const TChange&) const = default;
};

std::ostream& operator<<(std::ostream& out, const TChange& change) {
  out << "{op " << int(change.operation) << ":";
  for (TControl* c : change.targets) out << " " << (c ? c->Name() : String("null"));
  return out << "}";
}

// Records every OnChangeSelected and answers the stage's select query.
class TSelectionRecorder : public TObject {
 public:
  void Changed(TObject* sender, TSelectedComponents* targets, TSelectOperation operation) {
    senders.push_back(sender);
    TChange change{operation, {}};
    for (int i = 0; i < targets->Count(); ++i) change.targets.push_back(static_cast<TControl*>(targets->GetComponents(i)));
    changes.push_back(change);
  }
  void SelectQuery(TObject*, TComponent* component, TSelectAccept& answer) {
    if (refused.count(component)) answer = TSelectAccept{saCreate};
  }
  // The changes since the last call.
  std::vector<TChange> Take() { return std::exchange(changes, {}); }

  std::vector<TObject*> senders;
  std::vector<TChange> changes;
  std::map<TComponent*, bool> refused;
};

class DsnSelect : public ::testing::Test {
 protected:
  DsnSelect() {
    partner = new TDsnSelect(page.form);
    partner->SetDsnRegister(page.controller);
    partner->OnChangeSelected = TChangeSelected(&recorder, &TSelectionRecorder::Changed);
    page.stage->OnSelectQuery = TSelectQuery(&recorder, &TSelectionRecorder::SelectQuery);
  }
  TPoint On(TControl* control, int x, int y) { return TPageForm::ScreenOf(control, {x, y}); }
  void ToggleSwitch() { mouse.Click(On(page.modeSwitch, 10, 10)); }
  std::vector<TControl*> Selection() {
    std::vector<TControl*> items;
    TTargetList* targets = page.controller->TargetList();
    for (int i = 0; targets && i < targets->GetCount(); ++i) items.push_back(targets->GetItems(i));
    return items;
  }

  TPageForm page;
  TMouseDriver mouse{page.form};
  TSelectionRecorder recorder;
  TDsnSelect* partner;
};

using Changes = std::vector<TChange>;

}  // namespace

TEST_F(DsnSelect, EveryOperationIsReportedOnceWithTheSelectionAfterItAndMovesAreNot) {
  EXPECT_EQ(partner->Manager(), nullptr);
  ToggleSwitch();
  ASSERT_NE(partner->Manager(), nullptr);

  mouse.Click(On(page.balloon1, 20, 20));
  EXPECT_EQ(recorder.Take(), (Changes{{opAdd, {page.balloon1}}}));
  mouse.Click(On(page.memo1, 5, 5));
  EXPECT_EQ(recorder.Take(), (Changes{{opClear, {}}, {opAdd, {page.memo1}}}));
  // Dragging the selection moves it and lays the handles out again: no change of the selection.
  mouse.Drag(On(page.memo1, 5, 5), On(page.memo1, 25, 17));
  ASSERT_EQ(page.memo1->Left(), 60);
  EXPECT_TRUE(recorder.Take().empty());
  // So does pressing on the selected control again.
  mouse.Click(On(page.memo1, 5, 5));
  EXPECT_TRUE(recorder.Take().empty());

  partner->Select(page.balloon2);
  EXPECT_EQ(recorder.Take(), (Changes{{opClear, {}}, {opAdd, {page.balloon2}}}));
  EXPECT_EQ(Selection(), (std::vector<TControl*>{page.balloon2}));
  // The handles followed the partner's selection.
  ASSERT_EQ(page.controller->Handler()->Count(), 1);
  EXPECT_EQ(page.controller->Handler()->Items(0)->Control(), page.balloon2);
  for (TObject* sender : recorder.senders) EXPECT_EQ(sender, partner);

  // Switching off forgets the selection; the first press afterwards reports the new control alone.
  ToggleSwitch();
  ToggleSwitch();
  EXPECT_TRUE(recorder.Take().empty());
  mouse.Click(On(page.memo2, 5, 5));
  EXPECT_EQ(recorder.Take(), (Changes{{opAdd, {page.memo2}}}));
}

TEST_F(DsnSelect, ASelectedControlDestroyedIsReportedDyingThenDeleted) {
  ToggleSwitch();
  partner->MultipleSelect({page.memo1, page.balloon1});
  ASSERT_EQ(Selection(), (std::vector<TControl*>{page.memo1, page.balloon1}));
  recorder.Take();

  delete page.memo1;
  page.memo1 = nullptr;
  EXPECT_EQ(recorder.Take(), (Changes{{opItemDeath, {nullptr, page.balloon1}}, {opDelete, {page.balloon1}}}));
  EXPECT_EQ(partner->Manager()->Items(), (std::vector<TControl*>{page.balloon1}));
}

TEST_F(DsnSelect, SelectingChangesNothingWhileNotDesigningOrWithoutAController) {
  partner->Select(page.balloon1);
  partner->MultipleSelect({page.balloon1, page.memo1});
  EXPECT_EQ(page.controller->TargetList(), nullptr);

  ToggleSwitch();
  mouse.Click(On(page.memo1, 5, 5));
  recorder.Take();
  partner->SetDsnRegister(nullptr);
  partner->Select(page.balloon1);
  partner->MultipleSelect({page.balloon1, page.memo2});
  EXPECT_EQ(Selection(), (std::vector<TControl*>{page.memo1}));
  EXPECT_TRUE(recorder.Take().empty());

  // Back with the controller: a control off the stage is refused, one on it taken.
  partner->SetDsnRegister(page.controller);
  partner->Select(page.buttons);
  EXPECT_EQ(Selection(), (std::vector<TControl*>{page.memo1}));
  partner->Select(page.balloon1);
  EXPECT_EQ(Selection(), (std::vector<TControl*>{page.balloon1}));
}

TEST_F(DsnSelect, MultipleSelectTakesTheWholeListWhenAnyEntryIsAccepted) {
  ToggleSwitch();
  recorder.refused = {{page.balloon1, true}, {page.balloon2, true}};
  partner->MultipleSelect({page.balloon1, page.balloon2, page.memo1});
  EXPECT_EQ(Selection(), (std::vector<TControl*>{page.balloon1, page.balloon2, page.memo1}));
  EXPECT_EQ(recorder.Take(), (Changes{{opClear, {}},
                                      {opAdd, {page.balloon1}},
                                      {opAdd, {page.balloon1, page.balloon2}},
                                      {opAdd, {page.balloon1, page.balloon2, page.memo1}}}));
  ASSERT_EQ(page.controller->Handler()->Count(), 3);

  // Repeated and null entries are left out, so deleting a control leaves nothing behind of it.
  partner->MultipleSelect({page.balloon2, nullptr, page.memo1, page.balloon2});
  EXPECT_EQ(Selection(), (std::vector<TControl*>{page.balloon2, page.memo1}));
  ASSERT_EQ(page.controller->Handler()->Count(), 2);
  delete page.balloon2;
  page.balloon2 = nullptr;
  EXPECT_EQ(Selection(), (std::vector<TControl*>{page.memo1}));
  EXPECT_EQ(partner->Manager()->Items(), (std::vector<TControl*>{page.memo1}));
  partner->MultipleSelect({page.balloon1, page.memo1, page.memo1});
  recorder.Take();

  // None accepted: nothing changes.
  partner->MultipleSelect({page.balloon1, page.buttons});
  EXPECT_EQ(Selection(), (std::vector<TControl*>{page.balloon1, page.memo1}));
  partner->Select(page.balloon1);
  partner->MultipleSelect({});
  EXPECT_TRUE(recorder.Take().empty());
}

TEST_F(DsnSelect, TheReceiverIsMadeOnceAndLeavesTheControllerWithThePartner) {
  ToggleSwitch();
  TSelectionManager* manager = partner->Manager();
  ToggleSwitch();
  ToggleSwitch();
  EXPECT_EQ(partner->Manager(), manager);
  mouse.Click(On(page.balloon1, 20, 20));
  // The selection reaches the handles first and the partner's receiver last, each once.
  TList* receivers = page.controller->TargetList()->Receivers();
  ASSERT_EQ(receivers->Count(), 2);
  EXPECT_EQ(receivers->Items(0), page.controller->Handler());
  EXPECT_EQ(receivers->Items(1), manager);
  recorder.Take();

  delete partner;
  EXPECT_EQ(page.controller->TargetList()->Receivers()->Count(), 1);
  // The next selections are made without the destroyed receiver.
  page.controller->NewTargetList();
  EXPECT_EQ(page.controller->TargetList()->Receivers()->Count(), 1);
  mouse.Click(On(page.memo1, 5, 5));
  EXPECT_EQ(Selection(), (std::vector<TControl*>{page.memo1}));
  EXPECT_TRUE(recorder.changes.empty());
}

TEST_F(DsnSelect, APartnerMovedToAnotherControllerFollowsThatOneOnly) {
  ToggleSwitch();
  ToggleSwitch();
  auto* second = new TDsnRegister(page.form);
  page.controller->SetDsnStage(nullptr);
  second->SetDsnStage(page.stage);
  partner->SetDsnRegister(second);
  second->SetDesigning(true);
  partner->Select(page.balloon1);
  EXPECT_EQ(recorder.Take(), (Changes{{opClear, {}}, {opAdd, {page.balloon1}}}));
  // The first controller no longer links the receiver to its selections.
  EXPECT_EQ(page.controller->NewTargetList()->Receivers(), nullptr);
}

TEST_F(DsnSelect, APartnerDesignsOnlyWhileItsControllerDoes) {
  ToggleSwitch();
  ASSERT_TRUE(partner->Designing());
  auto* idle = new TDsnRegister(page.form);
  partner->SetDsnRegister(idle);
  EXPECT_FALSE(partner->Designing());
  partner->Select(page.balloon1);
  EXPECT_EQ(idle->TargetList(), nullptr);
  partner->SetDsnRegister(page.controller);
  EXPECT_TRUE(partner->Designing());
  delete idle;
}

TEST_F(DsnSelect, TheFormGoingAwayRaisesNoEvent) {
  auto other = std::make_unique<TPageForm>();
  auto* lone = new TDsnSelect(other->form);
  lone->OnChangeSelected = TChangeSelected(&recorder, &TSelectionRecorder::Changed);
  // A controller made after the partner goes before it when the form destroys its components.
  auto* late = new TDsnRegister(other->form);
  other->controller->SetDsnStage(nullptr);
  late->SetDsnStage(other->stage);
  lone->SetDsnRegister(late);
  late->SetDesigning(true);
  lone->Select(other->memo1);
  ASSERT_EQ(recorder.Take().size(), 2u);
  // The controller clears its selection as it goes; the partner going with the same form stays
  // silent.
  other.reset();
  EXPECT_TRUE(recorder.changes.empty());
}

namespace {

// Bytes in use on every heap of the process.
std::size_t HeapBytesInUse() {
  std::vector<HANDLE> heaps(GetProcessHeaps(0, nullptr) + 16);
  heaps.resize(GetProcessHeaps(static_cast<DWORD>(heaps.size()), heaps.data()));
  std::size_t bytes = 0;
  for (HANDLE heap : heaps) {
    PROCESS_HEAP_ENTRY entry{};
    HeapLock(heap);
    while (HeapWalk(heap, &entry))
      if (entry.wFlags & PROCESS_HEAP_ENTRY_BUSY) bytes += entry.cbData;
    HeapUnlock(heap);
  }
  return bytes;
}

}  // namespace

TEST_F(DsnSelect, SnapshotsHandedToTheHandlerLiveForTheCallOnly) {
  ToggleSwitch();
  TSelectionManager* manager = partner->Manager();
  const auto changeTwice = [&] {
    manager->Add(page.balloon1);
    manager->Clear();
    recorder.changes.clear();
    recorder.senders.clear();
  };
  changeTwice();
  const std::size_t before = HeapBytesInUse();
  // 4000 snapshots: kept ones would take far more than 32 kB.
  for (int i = 0; i < 2000; ++i) changeTwice();
  EXPECT_LT(HeapBytesInUse(), before + 32 * 1024);
}

// ---------------------------------------------------------------------------------------------
// Streams

namespace {

class TPartnerHost : public TForm {
  TAVELKO_CLASS(TPartnerHost, TForm)
  static void Publish(TPublisher<TPartnerHost>& p) { p.Method("SelectionChanged", &TPartnerHost::SelectionChanged); }

 public:
  using TForm::TForm;
  void SelectionChanged(TObject*, TSelectedComponents*, TSelectOperation) {}
};

}  // namespace

TEST(DsnSelectStream, ThePartnerAndTheColourCyclingControllerAreReadWithTheirReferencesAndEvent) {
  layouttest::RegisterClassesOnce();
  RegisterDsnselectClasses();
  RegisterDsnSubClClasses();
  RegisterClass(TPartnerHost::StaticClassInfo());
  TPartnerHost source(nullptr);
  source.SetName("Host");
  auto* stage = new TDsnStage(&source);
  stage->SetName("Stage");
  stage->SetParent(&source);
  auto* controller = new TDsnClRegister(&source);
  controller->SetName("Controller");
  controller->SetDsnStage(stage);
  auto* partner = new TDsnSelect(&source);
  partner->SetName("Partner");
  partner->SetDsnRegister(controller);
  partner->OnChangeSelected = TChangeSelected(&source, &TPartnerHost::SelectionChanged);

  TMemoryStream stream;
  TComponentWriter(stream).WriteRootComponent(&source);
  stream.SetPosition(0);
  TPartnerHost copy(nullptr);
  TComponentReader(stream).ReadRootComponent(&copy);

  auto* readController = dynamic_cast<TDsnClRegister*>(copy.FindComponent("Controller"));
  auto* readPartner = dynamic_cast<TDsnSelect*>(copy.FindComponent("Partner"));
  ASSERT_NE(readController, nullptr);
  ASSERT_NE(readPartner, nullptr);
  EXPECT_EQ(readController->DsnStage(), copy.FindComponent("Stage"));
  EXPECT_EQ(readPartner->DsnRegister(), readController);
  EXPECT_EQ(readPartner->OnChangeSelected.Data(), &copy);
  EXPECT_EQ(MethodName(copy.ClassInfo(), readPartner->OnChangeSelected.Method()), "SelectionChanged");

  // The partner read follows the controller read.
  readController->SetDesigning(true);
  EXPECT_NE(readPartner->Manager(), nullptr);
}
