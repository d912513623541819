// The controller's cooperation with its helpers: creating controls from a palette template, naming
// them, the context menu with borrowed cover-menu items and property items, the can-select test,
// partners and extra receivers, the inspector's way through the stage, notices posted to the stage,
// and a controller destroyed while designing.
#include <gtest/gtest.h>

#include <memory>
#include <vector>

#include "LayoutModeSupport.h"
#include "designer/DsnHistory.h"
#include "designer/Dsnfunc.h"
#include "tests/support/InputDrivers.h"
#include "tests/support/MessagePump.h"
#include "tests/support/ServiceDoubles.h"
#include "tests/support/WindowState.h"

namespace {

using namespace test_support;
using layouttest::TPageForm;

// A palette armed by the test.
class TTestPalette : public TCustomCmpPlt {
 public:
  using TCustomCmpPlt::TCustomCmpPlt;
  void SetDesigning(bool value) override {
    designingCalls.push_back(value);
    StoreDesigning(value);
  }
  TComponent* GetTemplate() override { return armed; }
  void SetTemplate(TComponent* component) override {
    armed = dynamic_cast<TArrowButton*>(component) ? nullptr : component;
  }
  void SetArrowButton(TArrowButton* button) override { arrow = button; }
  void EndCreating() override { ++endings; }

  TComponent* armed = nullptr;
  TArrowButton* arrow = nullptr;
  int endings = 0;
  std::vector<bool> designingCalls;
};

// Handlers of the stage's events, a cover menu's event and a partner's hook.
class THandlers : public TObject {
 public:
  void MenuClick(TObject* sender, TSelectedComponents* targets, String propName, String& value) {
    menuClicks.push_back({sender, propName, value, targets->Count()});
    if (!replacement.empty()) value = replacement;
  }
  void Popup(TObject* sender) { popups.push_back(sender); }
  void CoverPopup(TObject* sender) { coverPopups.push_back(sender); }
  void Created(TObject*, TComponent* component) { created.push_back(component); }
  void CoverQuery(TObject* sender, TComponent* component, TCoverAccept& answer) {
    coverSenders.push_back(sender);
    if (component == refuseCover) answer = caNoAccept;
  }
  void SelectQuery(TObject*, TComponent* component, TSelectAccept& answer) {
    if (component == withoutMove) answer = TSelectAccept{saCreate};
    if (component == withoutCreate) answer = TSelectAccept{saMove};
  }

  struct TMenuClick {
    TObject* sender;
    String propName;
    String value;
    int targets;
  };
  std::vector<TMenuClick> menuClicks;
  String replacement;
  std::vector<TObject*> popups, coverPopups, coverSenders;
  std::vector<TComponent*> created;
  TComponent* refuseCover = nullptr;
  TComponent* withoutMove = nullptr;
  TComponent* withoutCreate = nullptr;
};

class DsnRegister : public ::testing::Test {
 protected:
  void SetUp() override { layouttest::RegisterClassesOnce(); }
  TPoint On(TControl* control, int x, int y) { return TPageForm::ScreenOf(control, {x, y}); }
  std::vector<TControl*> Selection() const { return page.Selection(); }

  TPageForm page;
  TMouseDriver mouse{page.form};
  THandlers handlers;
};

// ---------------------------------------------------------------------------------------------
// Creating from the palette

class DsnCreate : public DsnRegister {
 protected:
  void SetUp() override {
    DsnRegister::SetUp();
    page.stage->Rubberband()->SetMoveWidth(8);
    page.stage->Rubberband()->SetMoveHeight(8);
    page.controller->SetDsnStage(page.stage);
    page.controller->SetDsnPanel(palette);
    deposit->SetBounds(-100, -100, 50, 50);
    shapeTemplate->SetParent(deposit);
    shapeTemplate->SetName("Dpst_TShape");
    shapeTemplate->SetShape(stEllipse);
    memoTemplate->SetParent(deposit);
    memoTemplate->SetName("Dpst_TMemo");
    page.stage->OnControlCreate = TControlCreate(&handlers, &THandlers::Created);
    page.controller->SetDesigning(true);
  }

  TTestPalette* palette = new TTestPalette(page.form);
  TPanel* deposit = new TPanel(page.form);
  TShape* shapeTemplate = new TShape(page.form);
  TMemo* memoTemplate = new TMemo(page.form);
};

TEST_F(DsnCreate, DraggingUpAndLeftCreatesANamedSelectedCopyOfTheTemplate) {
  EXPECT_EQ(palette->designingCalls, (std::vector<bool>{true}));
  palette->armed = shapeTemplate;
  mouse.Drag(On(page.stage, 96 + 3, 80 + 5), On(page.stage, 56 + 2, 48 + 7));

  auto* created = dynamic_cast<TShape*>(page.form->FindComponent("Shape3"));
  ASSERT_NE(created, nullptr);
  EXPECT_EQ(created->Parent(), page.stage);
  EXPECT_EQ(created->BoundsRect(), Bounds(56, 48, 40, 32));
  EXPECT_EQ(created->Shape(), stEllipse);
  EXPECT_EQ(Selection(), (std::vector<TControl*>{created}));
  EXPECT_EQ(page.controller->Handler()->Count(), 1);
  EXPECT_EQ(palette->endings, 1);
  EXPECT_EQ(palette->armed, nullptr);
  EXPECT_EQ(page.controller->NewComponent(), nullptr);
  EXPECT_EQ(shapeTemplate->Name(), "Dpst_TShape");
  EXPECT_EQ(page.controller->Shape(), nullptr);

  // The stage hears of the new control once the current message is done.
  EXPECT_TRUE(handlers.created.empty() || handlers.created.back() == created);
  Pump(TPumpMode::DispatchWithoutRealInput);
  EXPECT_EQ(handlers.created, (std::vector<TComponent*>{created}));

  // A click without dragging gives an empty rectangle; the next name is taken.
  palette->armed = shapeTemplate;
  mouse.Click(On(page.stage, 300, 200));
  auto* second = dynamic_cast<TShape*>(page.form->FindComponent("Shape4"));
  ASSERT_NE(second, nullptr);
  EXPECT_EQ(second->BoundsRect(), Bounds(296, 200, 0, 0));
}

TEST_F(DsnCreate, AWindowedCopyIsInterceptedAtOnce) {
  palette->armed = memoTemplate;
  mouse.Drag(On(page.stage, 250, 200), On(page.stage, 330, 240));
  auto* created = dynamic_cast<TMemo*>(page.form->FindComponent("Memo3"));
  ASSERT_NE(created, nullptr);
  EXPECT_NE(TPageForm::InterceptorOf(created), nullptr);
  EXPECT_EQ(created->Cursor(), crArrow);
  mouse.Click(On(page.balloon1, 5, 5));
  mouse.Click(On(created, 5, 5));
  EXPECT_EQ(Selection(), (std::vector<TControl*>{created}));
}

TEST_F(DsnCreate, APressOnAControlWithoutChildrenDrawsInItsParentsCoordinates) {
  page.memo1->SetLeft(42);
  palette->armed = shapeTemplate;
  page.stage->Rubberband()->SetMoveWidth(4);
  page.stage->Rubberband()->SetMoveHeight(4);
  page.controller->SetDsnStage(page.stage);
  // Press at (4, 4) of the memo: moved to (46, 104), then snapped to (44, 104). Release at
  // (24, 20): snapped, then moved to (66, 120).
  mouse.Drag(On(page.memo1, 4, 4), On(page.memo1, 24, 20));
  auto* created = dynamic_cast<TShape*>(page.form->FindComponent("Shape3"));
  ASSERT_NE(created, nullptr);
  EXPECT_EQ(created->Parent(), page.stage);
  EXPECT_EQ(created->BoundsRect(), Bounds(44, 104, 22, 16));
}

TEST_F(DsnCreate, ARefusedOrFailedCreationStillEndsTheCreating) {
  page.stage->OnSelectQuery = TSelectQuery(&handlers, &THandlers::SelectQuery);
  handlers.withoutCreate = page.stage;
  palette->armed = shapeTemplate;
  const int components = page.form->ComponentCount();
  mouse.Drag(On(page.stage, 300, 200), On(page.stage, 340, 240));
  EXPECT_EQ(page.form->ComponentCount(), components);
  EXPECT_EQ(palette->endings, 1);
  EXPECT_EQ(palette->armed, nullptr);

  // A template that is no control cannot be copied: nothing is made, nothing escapes.
  handlers.withoutCreate = nullptr;
  palette->armed = page.controller;
  mouse.Drag(On(page.stage, 300, 200), On(page.stage, 340, 240));
  EXPECT_EQ(page.form->ComponentCount(), components);
  EXPECT_EQ(palette->endings, 2);
}

TEST_F(DsnCreate, SwitchingOffDisarmsThePaletteAndHandsTheArrowButtonOver) {
  auto* arrow = new TArrowButton(page.form);
  page.controller->SetDesigning(false);
  page.controller->SetArrowButton(arrow);
  palette->armed = shapeTemplate;
  page.controller->SetDesigning(true);
  EXPECT_EQ(palette->arrow, arrow);
  EXPECT_EQ(arrow->Palette(), palette);
  page.controller->SetDesigning(false);
  EXPECT_EQ(palette->designingCalls, (std::vector<bool>{true, false, true, false}));
  EXPECT_EQ(palette->armed, nullptr);
}

// The history of a stage, recording whenever the controller reports a change.
struct THistoryRecorder : TObject {
  explicit THistoryRecorder(TDsnStage* stage) : history(stage) {}
  void Changed(TObject*) {
    ++changes;
    history.Record();
  }
  TDsnHistory history;
  int changes = 0;
};

TEST_F(DsnCreate, ACreationIsOneStepThatUndoesAndRedoesWithItsNameAndBounds) {
  THistoryRecorder recorder(page.stage);
  page.controller->OnDesignChange = TNotifyEvent(&recorder, &THistoryRecorder::Changed);
  palette->armed = memoTemplate;
  mouse.Drag(On(page.stage, 250, 200), On(page.stage, 330, 240));
  ASSERT_NE(page.form->FindComponent("Memo3"), nullptr);
  EXPECT_EQ(recorder.changes, 1);
  EXPECT_EQ(recorder.history.UndoCount(), 1u);

  ASSERT_TRUE(recorder.history.Undo());
  EXPECT_EQ(page.form->FindComponent("Memo3"), nullptr);
  ASSERT_TRUE(recorder.history.Redo());
  auto* created = dynamic_cast<TMemo*>(page.form->FindComponent("Memo3"));
  ASSERT_NE(created, nullptr);
  EXPECT_EQ(created->BoundsRect(), Bounds(248, 200, 80, 40));
  // Read anew in design mode: intercepted like every other windowed control.
  EXPECT_NE(TPageForm::InterceptorOf(created), nullptr);
  EXPECT_FALSE(recorder.history.Redo());
}

TEST_F(DsnCreate, AnUndoOrRedoWhoseStageCannotBeLoadedLeavesTheHistoryWhereTheStageIs) {
  THistoryRecorder recorder(page.stage);
  page.controller->OnDesignChange = TNotifyEvent(&recorder, &THistoryRecorder::Changed);
  palette->armed = memoTemplate;
  mouse.Drag(On(page.stage, 250, 200), On(page.stage, 330, 240));
  TDocumentRules& rules = page.stage->DocumentRules();
  const std::size_t maxBytes = rules.MaxBytes;

  rules.MaxBytes = 1;  // every load of the stage is refused
  EXPECT_THROW(recorder.history.Undo(), Exception);
  EXPECT_NE(page.form->FindComponent("Memo3"), nullptr);
  EXPECT_FALSE(recorder.history.CanRedo());
  rules.MaxBytes = maxBytes;
  ASSERT_TRUE(recorder.history.Undo());

  rules.MaxBytes = 1;
  EXPECT_THROW(recorder.history.Redo(), Exception);
  EXPECT_FALSE(recorder.history.CanUndo());
  rules.MaxBytes = maxBytes;
  EXPECT_TRUE(recorder.history.Redo());
}

TEST(DsnNames, NewComponentsTakeTheFirstFreeNumberOfTheirClass) {
  TForm form(nullptr);
  auto* controller = new TDsnRegister(&form);
  auto* existing = new TShape(&form);
  existing->SetName("Shape1");
  auto* a = new TShape(&form);
  auto* b = new TShape(&form);
  controller->GiveName(a);
  controller->GiveName(b);
  EXPECT_EQ(a->Name(), "Shape2");
  EXPECT_EQ(b->Name(), "Shape3");
}

// ---------------------------------------------------------------------------------------------
// The context menu

class DsnContextMenu : public DsnRegister {
 protected:
  void SetUp() override {
    DsnRegister::SetUp();
    cover->SetName("CoverMenu1");
    for (const char* caption : {"Undo", "Redo"}) {
      auto* item = new TMenuItem(page.form);
      item->SetCaption(caption);
      cover->Items()->Add(item);
    }
    cover->OnPopup = TNotifyEvent(&handlers, &THandlers::CoverPopup);
    page.stage->SetCoverMenu(cover);
    page.stage->SelfProps()->Add("Left|X");
    page.stage->SelfProps()->Add("Width|Breite");
    page.stage->SelfProps()->Add("Name");
    page.stage->OutProps()->Add("Name");
    page.stage->OnPopup = TNotifyEvent(&handlers, &THandlers::Popup);
  }

  TPopupMenu* cover = new TPopupMenu(page.form);
  TChoosingTracker tracker;
  TMenuTrackerScope scope{tracker};
};

TEST_F(DsnContextMenu, TheMenuBorrowsTheCoverItemsAndGivesThemBack) {
  page.controller->SetDesigning(true);
  TPopupMenu* menu = page.controller->ContextMenu();
  ASSERT_NE(menu, nullptr);
  EXPECT_EQ(menu->Tag(), 2);
  EXPECT_EQ(menu->Items()->Count(), 2);
  EXPECT_EQ(cover->Items()->Count(), 0);
  EXPECT_EQ(menu->OnPopup, cover->OnPopup);

  page.controller->SetDesigning(false);
  EXPECT_EQ(page.controller->ContextMenu(), nullptr);
  ASSERT_EQ(cover->Items()->Count(), 2);
  EXPECT_EQ(cover->Items()->Items(0)->Caption(), "Undo");
  EXPECT_EQ(cover->Items()->Items(1)->Caption(), "Redo");
}

TEST_F(DsnContextMenu, PropertyItemsFollowTheBorrowedOnesAndWriteTheChosenValue) {
  page.controller->SetDesigning(true);
  page.stage->OnMenuClick = TCallPropEditor(&handlers, &THandlers::MenuClick);
  handlers.replacement = "100";
  tracker.choose = "X";
  const TPoint pressed = On(page.balloon1, 5, 6);
  mouse.RightPress(pressed);
  mouse.RightRelease(pressed);
  Pump(TPumpMode::DispatchWithoutRealInput);

  EXPECT_EQ(Selection(), (std::vector<TControl*>{page.balloon1}));
  EXPECT_EQ(tracker.shown, (std::vector<String>{"Undo", "Redo", "-", "X", "Breite", "Name"}));
  EXPECT_EQ(tracker.at, pressed);
  EXPECT_EQ(handlers.popups, (std::vector<TObject*>{page.controller->ContextMenu()}));
  EXPECT_EQ(handlers.coverPopups.size(), 1u);
  ASSERT_EQ(handlers.menuClicks.size(), 1u);
  EXPECT_EQ(handlers.menuClicks[0].sender, page.stage);
  EXPECT_EQ(handlers.menuClicks[0].propName, "Left");
  EXPECT_EQ(handlers.menuClicks[0].value, "40");
  EXPECT_EQ(handlers.menuClicks[0].targets, 1);
  EXPECT_EQ(page.balloon1->Left(), 100);
  // The handles followed the written value.
  EXPECT_EQ(page.controller->Handler()->Items(0)->Items(2)->Left(), 98);
  auto* chosen = dynamic_cast<TDsnMenuItem*>(page.controller->ContextMenu()->Items()->Items(3));
  ASSERT_NE(chosen, nullptr);
  EXPECT_EQ(chosen->Value(), "100");

  // A right press on a member of a multiple selection keeps it; withheld and differing values.
  page.controller->TargetList()->Add(page.balloon2);
  tracker.choose = "Breite";
  handlers.replacement.clear();
  mouse.RightPress(On(page.balloon2, 5, 6));
  mouse.RightRelease(On(page.balloon2, 5, 6));
  Pump(TPumpMode::DispatchWithoutRealInput);
  EXPECT_EQ(Selection(), (std::vector<TControl*>{page.balloon1, page.balloon2}));
  EXPECT_EQ(tracker.shown, (std::vector<String>{"Undo", "Redo", "-", "X", "Breite"}));
  ASSERT_EQ(handlers.menuClicks.size(), 2u);
  EXPECT_EQ(handlers.menuClicks[1].value, "80");
  EXPECT_EQ(handlers.menuClicks[1].targets, 2);

  // Switching off gives back exactly the borrowed items; the property items go.
  const int components = page.form->ComponentCount();
  page.controller->SetDesigning(false);
  EXPECT_EQ(cover->Items()->Count(), 2);
  EXPECT_EQ(page.form->ComponentCount(), components - 4);  // the menu, its separator and two items
}

TEST_F(DsnContextMenu, WithoutAnEditorEventAChosenItemChangesNothing) {
  page.stage->SetCoverMenu(nullptr);
  page.controller->SetDesigning(true);
  tracker.choose = "X";
  mouse.RightPress(On(page.balloon1, 5, 6));
  mouse.RightRelease(On(page.balloon1, 5, 6));
  Pump(TPumpMode::DispatchWithoutRealInput);
  // No borrowed items: no separator either.
  EXPECT_EQ(tracker.shown, (std::vector<String>{"X", "Breite", "Name"}));
  EXPECT_EQ(page.balloon1->Left(), 40);
}

// ---------------------------------------------------------------------------------------------
// Selection tests, partners and receivers

TEST_F(DsnRegister, CanSelectAsksWhetherTheControlLiesOnTheStageAndMayBeCoveredAndMoved) {
  auto* container = new TPanel(page.form);
  container->SetParent(page.stage);
  auto* inner = new TShape(page.form);
  inner->SetParent(container);
  EXPECT_TRUE(page.controller->CheckCanSelect(page.balloon1));
  EXPECT_TRUE(page.controller->CheckCanSelect(inner));
  EXPECT_FALSE(page.controller->CheckCanSelect(page.modeSwitch));
  EXPECT_FALSE(page.controller->CheckCanSelect(page.stage));

  page.stage->OnCoverQuery = TCoverQuery(&handlers, &THandlers::CoverQuery);
  page.stage->OnSelectQuery = TSelectQuery(&handlers, &THandlers::SelectQuery);
  handlers.refuseCover = container;  // a windowless control is asked about through its parent
  EXPECT_FALSE(page.controller->CheckCanSelect(inner));
  EXPECT_EQ(handlers.coverSenders.back(), page.controller);
  handlers.withoutMove = page.memo1;
  EXPECT_FALSE(page.controller->CheckCanSelect(page.memo1));
  EXPECT_TRUE(page.controller->CheckCanSelect(page.memo2));

  TDsnRegister lonely(nullptr);
  EXPECT_FALSE(lonely.CheckCanSelect(page.balloon1));
}

// A partner that notes the design modes it is told.
class TNotedPartner : public TDsnPartner {
 public:
  using TDsnPartner::TDsnPartner;
  void SetDesigning(bool value) override {
    modes.push_back(value);
    TDsnPartner::SetDesigning(value);
  }
  std::vector<bool> modes;
};

TEST_F(DsnRegister, PartnersFollowDesignModeAndUseTheControllersSelection) {
  auto* partner = new TNotedPartner(page.form);
  EXPECT_FALSE(partner->CheckCanSelect(page.balloon1));
  EXPECT_EQ(partner->GetTargetList(), nullptr);
  partner->SetDsnRegister(page.controller);
  page.controller->SetDesigning(true);
  EXPECT_EQ(partner->modes, (std::vector<bool>{true}));
  EXPECT_TRUE(partner->Designing());
  EXPECT_TRUE(partner->CheckCanSelect(page.balloon1));
  EXPECT_EQ(partner->GetDsnList(), page.controller->DsnList());

  partner->CreateTargetList();
  ASSERT_NE(partner->GetTargetList(), nullptr);
  partner->GetTargetList()->Add(page.balloon1);
  partner->GetTargetList()->Add(page.balloon2);
  partner->CreateMoveShape();
  ASSERT_NE(page.controller->Shape(), nullptr);
  EXPECT_EQ(page.controller->Shape()->Count(), 2);
  EXPECT_EQ(page.controller->Shape()->PenWidth(), 2);
  page.controller->SetDesigning(false);
  EXPECT_EQ(page.controller->Shape(), nullptr);

  delete partner;
  page.controller->SetDesigning(true);  // the dead partner is no longer told
  auto* survivor = new TNotedPartner(page.form);
  survivor->SetDsnRegister(page.controller);
  delete page.controller;
  page.controller = nullptr;
  EXPECT_EQ(survivor->DsnRegister(), nullptr);
  EXPECT_EQ(TAgent::SubclassedWindowCount(), 0);
  EXPECT_EQ(page.stage->Controller(), nullptr);
  EXPECT_EQ(page.modeSwitch->DsnRegister(), nullptr);
}

// Notes the operations it receives, with the handles' and the model's state at that moment.
class TNotedReceiver : public TReceiveTargets {
 public:
  explicit TNotedReceiver(TDsnRegister* controller) : controller_(controller) {}
  void ItemDeath(int index) override { Note("ItemDeath" + std::to_string(index)); }
  void Add(void*) override { Note("Add"); }
  void Clear() override { Note("Clear"); }
  void Delete(int index) override { Note("Delete" + std::to_string(index)); }
  void SetPosition() override { Note("SetPosition"); }
  std::vector<std::string> log;

 private:
  void Note(const std::string& what) {
    // The handles are told first: by the time this receiver hears of an addition they exist.
    const int sets = controller_->Handler() ? controller_->Handler()->Count() : -1;
    log.push_back(what + "/" + std::to_string(sets));
  }
  TDsnRegister* controller_;
};

TEST_F(DsnRegister, ExtraReceiversHearEverySelectionChangeAfterTheHandles) {
  TNotedReceiver receiver(page.controller);
  page.controller->AddNotifies(&receiver);
  page.controller->SetDesigning(true);
  mouse.Click(On(page.balloon1, 5, 5));
  mouse.Click(On(page.memo2, 5, 5));
  delete page.memo2;
  page.memo2 = nullptr;
  EXPECT_EQ(receiver.log, (std::vector<std::string>{"Add/1", "SetPosition/1", "Clear/0", "Add/1", "SetPosition/1",
                                                    "ItemDeath0/1", "Delete0/0", "SetPosition/0"}));
  page.controller->SetDesigning(false);
  page.controller->RemoveNotifies(&receiver);
}

// ---------------------------------------------------------------------------------------------
// The inspector

class TShownInspector : public TCustomInspector {
 public:
  using TCustomInspector::TCustomInspector;
  void Show() override { visible = true; }
  void Hide() override { visible = false; }
  void BtnClick(const String&, String&) override {}
  void SetPosition() override { ++refreshes; }
  void GetPropLists(TStrings* names, TStrings* captions) override { SepareteStringsByBar(SelfProps(), names, captions); }
  bool visible = false;
  int refreshes = 0;
};

TEST_F(DsnRegister, TheInspectorSelectsAndWritesThroughTheStage) {
  auto* inspector = new TShownInspector(page.form);
  inspector->SelfProps()->Add("Left|X");
  inspector->SelfProps()->Add("Width");
  inspector->SelfProps()->Add("Name");
  inspector->GetOutProps()->Add("Name");
  page.controller->SetDsnInspector(inspector);
  page.controller->SetDesigning(true);
  EXPECT_TRUE(inspector->visible);
  EXPECT_EQ(inspector->StageHandle(), page.stage->Handle());

  inspector->ChangeTarget(page.balloon2);
  EXPECT_EQ(Selection(), (std::vector<TControl*>{page.balloon2}));
  TMultiProps* model = page.controller->Props();
  ASSERT_NE(model, nullptr);
  EXPECT_EQ(inspector->MultiProps(), model);
  EXPECT_EQ(model->Names()->Text(), "Left\r\nWidth\r\nName\r\n");
  EXPECT_EQ(model->Values()->Text(), "140\r\n80\r\nShape2\r\n");
  EXPECT_GT(inspector->refreshes, 0);

  inspector->SetProperty("Width", "60");
  EXPECT_EQ(page.balloon2->Width(), 60);
  // The handles follow once the stage has the posted notice.
  TSmallRect* lowerRight = page.controller->Handler()->Items(0)->Items(0);
  EXPECT_EQ(lowerRight->Left(), 140 + 80 - 6 + 2);
  Pump(TPumpMode::DispatchWithoutRealInput);
  EXPECT_EQ(lowerRight->Left(), 140 + 60 - 6 + 2);

  // A drag updates the values; a resize with a handle refreshes the inspector as well.
  mouse.Drag(On(page.balloon2, 10, 10), On(page.balloon2, 18, 10));
  EXPECT_EQ(model->Values()->Get(0), "148");
  const int refreshes = inspector->refreshes;
  lowerRight = page.controller->Handler()->Items(0)->Items(0);
  mouse.Drag(On(lowerRight, 0, 0), On(lowerRight, 9, 0));
  EXPECT_EQ(model->Values()->Get(1), "68");
  EXPECT_GT(inspector->refreshes, refreshes);

  page.controller->SetDesigning(false);
  EXPECT_FALSE(inspector->visible);
  EXPECT_EQ(page.controller->Props(), nullptr);
  EXPECT_EQ(inspector->MultiProps(), nullptr);
}

// ---------------------------------------------------------------------------------------------
// Notices posted to the stage

TEST_F(DsnRegister, ANoticeAboutAComponentGoneMeanwhileIsDropped) {
  page.stage->OnControlCreate = TControlCreate(&handlers, &THandlers::Created);
  auto* kept = new TShape(page.form);
  auto* gone = new TShape(page.form);
  page.stage->PostControlCreated(gone);
  page.stage->PostControlCreated(kept);
  delete gone;
  Pump(TPumpMode::DispatchWithoutRealInput);
  EXPECT_EQ(handlers.created, (std::vector<TComponent*>{kept}));
  // A notice is answered once.
  PostMessageW(page.stage->Handle(), DSNM_CONTROLCREATED, reinterpret_cast<WPARAM>(kept), 0);
  Pump(TPumpMode::DispatchWithoutRealInput);
  EXPECT_EQ(handlers.created.size(), 1u);
}

TEST_F(DsnRegister, DestroyingTheControllerWhileDesigningGivesEverythingBack) {
  auto* cover = new TPopupMenu(page.form);
  auto* item = new TMenuItem(page.form);
  cover->Items()->Add(item);
  page.stage->SetCoverMenu(cover);
  const auto before = WindowProcedures(page.form->Handle());
  page.controller->SetDesigning(true);
  mouse.Click(On(page.memo1, 5, 5));
  delete page.controller;
  page.controller = nullptr;
  EXPECT_EQ(WindowProcedures(page.form->Handle()), before);
  EXPECT_EQ(cover->Items()->Count(), 1);
  EXPECT_EQ(page.stage->Controller(), nullptr);
  // The stage's commands do nothing without a controller.
  EXPECT_FALSE(page.stage->GetCanCopy());
  EXPECT_EQ(page.stage->TargetsCount(), -1);
  page.stage->Copy();
  page.stage->UpdateControl();
}

}  // namespace
