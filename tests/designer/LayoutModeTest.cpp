// Layout mode end to end on a page-like form, driven by mouse and keyboard messages delivered as
// Windows delivers them: the switch intercepts and restores, presses select with handles, drags
// move on the grid (negative coordinates included), multiple selections move as a whole, memos take
// no caret, keys reach the stage, recreated windows are intercepted again, and destroyed controls
// leave nothing behind; a right click during a left drag leaves the drag alone, and windows of
// others that arrive without telling their parent let the mouse through.
#include <gtest/gtest.h>

#include <map>
#include <memory>

#include "LayoutModeSupport.h"
#include "framework/stdctrls/ComboBox.h"
#include "tests/support/Foreground.h"
#include "tests/support/InputDrivers.h"
#include "tests/support/MessagePump.h"
#include "tests/support/Pixels.h"
#include "tests/support/ServiceDoubles.h"
#include "tests/support/WindowState.h"

namespace {

using namespace test_support;
using layouttest::TPageForm;

// Handlers for the stage's and the switch's events.
class TRecorder : public TObject {
 public:
  explicit TRecorder(TDsnRegister* controller) : controller_(controller) {}

  void Clicked(TObject*) { modesSeenByOnClick.push_back(controller_->Designing()); }
  void KeyPressed(TObject*, char& key) { keys.push_back(key); }
  void DoubleClicked(TObject* sender, TComponent* component) { doubleClicked.push_back({sender, component}); }
  void CoverQuery(TObject*, TComponent* component, TCoverAccept& answer) {
    if (auto it = coverAnswers.find(component); it != coverAnswers.end()) answer = it->second;
  }
  void SelectQuery(TObject*, TComponent* component, TSelectAccept& answer) {
    if (auto it = selectAnswers.find(component); it != selectAnswers.end()) answer = it->second;
  }
  void MoveQuery(TObject*, TComponent* component, bool& answer) { answer = component != refuseMove; }

  std::vector<bool> modesSeenByOnClick;
  std::vector<char> keys;
  std::vector<std::pair<TObject*, TComponent*>> doubleClicked;
  std::map<TComponent*, TCoverAccept> coverAnswers;
  std::map<TComponent*, TSelectAccept> selectAnswers;
  TComponent* refuseMove = nullptr;

 private:
  TDsnRegister* controller_;
};

// A STATIC window of no control that takes the mouse, made with `exStyle` inside `parent`.
HWND MakeNotifyingStatic(HWND parent, DWORD exStyle) {
  return CreateWindowExW(exStyle, L"STATIC", L"", WS_CHILD | WS_VISIBLE | SS_NOTIFY, 5, 5, 30, 20, parent, nullptr,
                         nullptr, nullptr);
}

class LayoutMode : public ::testing::Test {
 protected:
  TPoint On(TControl* control, int x, int y) { return TPageForm::ScreenOf(control, {x, y}); }
  void ToggleSwitch() { mouse.Click(On(page.modeSwitch, 10, 10)); }
  std::vector<TControl*> Selection() const { return page.Selection(); }
  static TRect BoundsOf(TControl* control) { return control->BoundsRect(); }

  TPageForm page;
  TMouseDriver mouse{page.form};
  TRecorder recorder{page.controller};
};

// ---------------------------------------------------------------------------------------------
// Switching

TEST_F(LayoutMode, TheSwitchInterceptsTheStageAndItsWindowsAndSwitchingBackRestoresThem) {
  page.modeSwitch->OnClick = TNotifyEvent(&recorder, &TRecorder::Clicked);
  const auto before = WindowProcedures(page.form->Handle());

  ToggleSwitch();
  EXPECT_TRUE(page.modeSwitch->Down());
  EXPECT_TRUE(page.controller->Designing());
  EXPECT_NE(TPageForm::InterceptorOf(page.stage), nullptr);
  EXPECT_NE(TPageForm::InterceptorOf(page.memo1), nullptr);
  EXPECT_NE(TPageForm::InterceptorOf(page.memo2), nullptr);
  EXPECT_EQ(TPageForm::InterceptorOf(page.buttons), nullptr);
  EXPECT_EQ(TAgent::FindAgent(page.form->Handle()), nullptr);
  EXPECT_EQ(page.controller->DsnList()->Count(), 3);
  EXPECT_EQ(page.memo1->Cursor(), crArrow);
  EXPECT_EQ(page.stage->Cursor(), crArrow);
  EXPECT_NE(WindowProcedures(page.form->Handle()), before);

  mouse.Click(On(page.balloon1, 10, 10));
  ASSERT_NE(page.controller->Handler(), nullptr);

  ToggleSwitch();
  EXPECT_FALSE(page.modeSwitch->Down());
  EXPECT_FALSE(page.controller->Designing());
  EXPECT_EQ(WindowProcedures(page.form->Handle()), before);
  EXPECT_EQ(page.controller->DsnList()->Count(), 0);
  EXPECT_EQ(page.controller->TargetList(), nullptr);
  EXPECT_EQ(page.controller->Handler(), nullptr);
  EXPECT_EQ(page.memo1->Cursor(), crDefault);
  EXPECT_EQ(TAgent::SubclassedWindowCount(), 0);
  // The page's click handler runs after the switch and sees the new mode.
  EXPECT_EQ(recorder.modesSeenByOnClick, (std::vector<bool>{true, false}));
}

TEST_F(LayoutMode, SwitchingOnGivesTheStageTheFocus) {
  ToggleSwitch();
  if (const TSkipReason reason = FocusUncheckable(page.form)) GTEST_SKIP() << *reason;
  EXPECT_EQ(GetFocus(), page.stage->Handle());
}

TEST_F(LayoutMode, SwitchingOnTwiceDoesNothingTheSecondTime) {
  page.controller->SetDesigning(true);
  TDsnCtrl* stageInterceptor = TPageForm::InterceptorOf(page.stage);
  page.controller->SetDesigning(true);
  EXPECT_EQ(page.controller->DsnList()->Count(), 3);
  EXPECT_EQ(TPageForm::InterceptorOf(page.stage), stageInterceptor);
  page.controller->SetDesigning(false);
}

TEST_F(LayoutMode, ASwitchLoadedWithoutAGroupStillToggles) {
  page.modeSwitch->SetGroupIndex(0);
  page.modeSwitch->SetAllowAllUp(false);
  page.modeSwitch->Loaded();
  EXPECT_EQ(page.modeSwitch->GroupIndex(), 2302);
  ToggleSwitch();
  EXPECT_TRUE(page.modeSwitch->Down());
  EXPECT_TRUE(page.controller->Designing());
  ToggleSwitch();
  EXPECT_FALSE(page.modeSwitch->Down());
  EXPECT_FALSE(page.controller->Designing());
}

// Notes whether design mode had started when the message was shown.
class TModeDialogs : public TScriptedDialogs {
 public:
  explicit TModeDialogs(TDsnRegister* controller) : controller_(controller) {}
  TModalResult Show(const TMessageRequest& request) override {
    designingWhenShown.push_back(controller_->Designing());
    return TScriptedDialogs::Show(request);
  }
  std::vector<bool> designingWhenShown;

 private:
  TDsnRegister* controller_;
};

TEST_F(LayoutMode, TheStartMessageIsShownBeforeTheDesignerStartsAndOnlyWhenSwitchingOn) {
  TModeDialogs dialogs(page.controller);
  TDialogServiceScope scope(dialogs);
  ToggleSwitch();
  ToggleSwitch();
  EXPECT_TRUE(dialogs.Requests.empty());

  page.modeSwitch->SetDsnMessageFlg(true);
  ToggleSwitch();
  ToggleSwitch();
  ASSERT_EQ(dialogs.Requests.size(), 1u);
  EXPECT_EQ(dialogs.Requests[0].Text, "Now, Starting Design");
  EXPECT_EQ(dialogs.designingWhenShown, (std::vector<bool>{false}));

  page.modeSwitch->SetDsnMessage("Layout");
  page.modeSwitch->DesignOn();
  page.modeSwitch->DesignOn();
  EXPECT_TRUE(page.controller->Designing());
  page.modeSwitch->DesignOff();
  EXPECT_FALSE(page.controller->Designing());
  ASSERT_EQ(dialogs.Requests.size(), 2u);
  EXPECT_EQ(dialogs.Requests[1].Text, "Layout");
}

// ---------------------------------------------------------------------------------------------
// Selecting and moving

TEST_F(LayoutMode, APressSelectsWithBlackHandlesAndTheRightButtonOnlySelects) {
  ToggleSwitch();
  mouse.Click(On(page.balloon1, 20, 20));
  EXPECT_EQ(Selection(), (std::vector<TControl*>{page.balloon1}));
  ASSERT_EQ(page.controller->Handler()->Count(), 1);
  THandlerRect* set = page.controller->Handler()->Items(0);
  ASSERT_EQ(set->Count(), 4);
  for (int i = 0; i < set->Count(); ++i) {
    EXPECT_TRUE(set->Items(i)->Active());
    EXPECT_EQ(set->Items(i)->Color(), clBlack);
    EXPECT_EQ(set->Items(i)->Parent(), page.stage);
  }
  EXPECT_EQ(set->Items(0)->StepX(), 4);

  // No cover menu and no property list: the right button selects and shows nothing.
  mouse.RightPress(On(page.balloon2, 5, 5));
  mouse.RightRelease(On(page.balloon2, 5, 5));
  EXPECT_EQ(Selection(), (std::vector<TControl*>{page.balloon2}));
  EXPECT_EQ(page.controller->ContextMenu(), nullptr);
  EXPECT_EQ(page.controller->Shape(), nullptr);
  // The right press let go of the mouse: the next press lands where it is made.
  EXPECT_EQ(GetCapture(), nullptr);
  mouse.Click(On(page.memo2, 5, 5));
  EXPECT_EQ(Selection(), (std::vector<TControl*>{page.memo2}));
}

TEST_F(LayoutMode, ADragMovesOnTheGridBehindOutlinesConfinedToTheStage) {
  ToggleSwitch();
  // In the memo's own coordinates: 13 snaps to 12, 22 to 20, 30 to 28, 9 to 8.
  mouse.Press(On(page.memo1, 13, 22));
  EXPECT_EQ(page.controller->StartX(), 12);
  EXPECT_EQ(page.controller->StartY(), 20);
  mouse.MoveTo(On(page.memo1, 30, 9));
  TMultiShape* shape = page.controller->Shape();
  ASSERT_NE(shape, nullptr);
  ASSERT_EQ(shape->Count(), 1);
  // The outline stands where the memo will go; the pointer is held inside the stage.
  const TPoint target = page.stage->ClientToScreen({40 + 16, 100 - 12});
  EXPECT_EQ(shape->Items(0)->Rect(), Bounds(target.X, target.Y, 120, 40));
  const TPoint stageOrigin = page.stage->ClientToScreen({0, 0});
  EXPECT_EQ(shape->ClipRect(), Bounds(stageOrigin.X, stageOrigin.Y, 420, 360));
  EXPECT_EQ(page.memo1->Left(), 40);  // nothing moves before the release

  mouse.Release(On(page.memo1, 30, 9));
  EXPECT_EQ(BoundsOf(page.memo1), Bounds(56, 88, 120, 40));
  EXPECT_EQ(page.controller->Shape(), nullptr);
  EXPECT_EQ(page.controller->moves, (std::vector<TPoint>{{-16, 12}}));
  // The handles followed: the upper-left one overhangs the memo's corner by 2 pixels.
  THandlerRect* set = page.controller->Handler()->Items(0);
  EXPECT_EQ(set->Items(2)->Left(), 54);
  EXPECT_EQ(set->Items(2)->Top(), 86);
}

TEST_F(LayoutMode, NegativeCoordinatesSnapTowardZero) {
  ToggleSwitch();
  // The release lies left of and above the memo: -5 snaps to -4, -9 to -8 (not to -8 and -12).
  mouse.Drag(On(page.memo1, 2, 3), On(page.memo1, -5, -9));
  EXPECT_EQ(BoundsOf(page.memo1), Bounds(36, 92, 120, 40));
  EXPECT_EQ(page.controller->moves, (std::vector<TPoint>{{4, 8}}));

  int x = -5, y = -9;
  page.controller->Cutting(x, y);
  EXPECT_EQ(x, -4);
  EXPECT_EQ(y, -8);
}

TEST_F(LayoutMode, APressAndReleaseWithoutMovingMovesNothing) {
  ToggleSwitch();
  mouse.Click(On(page.balloon1, 21, 13));
  // Moving within the same grid cell and back is no move either.
  mouse.Drag(On(page.balloon1, 21, 13), On(page.balloon1, 22, 14));
  EXPECT_EQ(BoundsOf(page.balloon1), Bounds(40, 40, 80, 40));
  EXPECT_TRUE(page.controller->moves.empty());
  EXPECT_EQ(Selection(), (std::vector<TControl*>{page.balloon1}));
}

TEST_F(LayoutMode, AMultipleSelectionIsDraggedAsAWhole) {
  ToggleSwitch();
  mouse.Click(On(page.balloon1, 10, 10));
  // A partner adds to the selection the way the selection component does.
  page.controller->TargetList()->Add(page.balloon2);
  page.controller->TargetList()->Add(page.memo1);
  page.controller->TargetList()->SetPosition();
  ASSERT_EQ(page.controller->Handler()->Count(), 3);
  EXPECT_FALSE(page.controller->Handler()->Items(0)->Items(0)->Active());

  mouse.Press(On(page.balloon2, 10, 10));
  mouse.MoveTo(On(page.balloon2, 30, 20));
  ASSERT_NE(page.controller->Shape(), nullptr);
  EXPECT_EQ(page.controller->Shape()->Count(), 3);
  mouse.Release(On(page.balloon2, 30, 22));
  EXPECT_EQ(BoundsOf(page.balloon1), Bounds(60, 52, 80, 40));
  EXPECT_EQ(BoundsOf(page.balloon2), Bounds(160, 52, 80, 40));
  EXPECT_EQ(BoundsOf(page.memo1), Bounds(60, 112, 120, 40));
  EXPECT_EQ(Selection(), (std::vector<TControl*>{page.balloon1, page.balloon2, page.memo1}));

  // A press on a control outside the selection selects it alone.
  mouse.Click(On(page.frame, 10, 10));
  EXPECT_EQ(Selection(), (std::vector<TControl*>{page.frame}));
}

TEST_F(LayoutMode, TheStageQueriesDecideWhatIsSelectedAndMoved) {
  page.stage->OnSelectQuery = TSelectQuery(&recorder, &TRecorder::SelectQuery);
  page.stage->OnMoveQuery = TMoveQuery(&recorder, &TRecorder::MoveQuery);
  recorder.selectAnswers[page.balloon2] = TSelectAccept{saCreate};
  recorder.refuseMove = page.balloon1;
  ToggleSwitch();

  mouse.Click(On(page.balloon2, 10, 10));
  EXPECT_TRUE(Selection().empty());

  mouse.Click(On(page.balloon1, 10, 10));
  page.controller->TargetList()->Add(page.frame);
  mouse.Drag(On(page.balloon1, 10, 10), On(page.balloon1, 18, 10));
  EXPECT_EQ(page.balloon1->Left(), 40);
  EXPECT_EQ(page.frame->Left(), 228);
}

TEST_F(LayoutMode, AnEmptySpotOfTheStageSelectsTheStageItself) {
  ToggleSwitch();
  mouse.Click(On(page.stage, 400, 340));
  EXPECT_EQ(Selection(), (std::vector<TControl*>{page.stage}));
  EXPECT_EQ(page.controller->DrawParent(), page.form);
}

TEST_F(LayoutMode, ADoubleClickReachesTheStagesEditorEvent) {
  page.stage->OnCoverDblClick = TCallCompoEditor(&recorder, &TRecorder::DoubleClicked);
  ToggleSwitch();
  mouse.DoubleClick(On(page.balloon2, 10, 10));
  ASSERT_EQ(recorder.doubleClicked.size(), 1u);
  EXPECT_EQ(recorder.doubleClicked[0].first, page.stage);
  EXPECT_EQ(recorder.doubleClicked[0].second, page.balloon2);
}

TEST_F(LayoutMode, AHandleResizesItsControlInGridSteps) {
  ToggleSwitch();
  mouse.Click(On(page.balloon1, 10, 10));
  TSmallRect* lowerRight = page.controller->Handler()->Items(0)->Items(0);
  ASSERT_NE(dynamic_cast<TMigishitaRect*>(lowerRight), nullptr);
  // Step 4: a release at (13, 7) of the handle grows the balloon by 12 and 4.
  mouse.Drag(On(lowerRight, 0, 0), On(lowerRight, 13, 7));
  EXPECT_EQ(BoundsOf(page.balloon1), Bounds(40, 40, 92, 44));
  EXPECT_EQ(lowerRight->Left(), 40 + 92 - 6 + 2);
}

// ---------------------------------------------------------------------------------------------
// Memos, keys and containers

TEST_F(LayoutMode, AMemoTakesNoTypingInLayoutModeAndGetsTheDefaultCursorBack) {
  ToggleSwitch();
  mouse.Click(On(page.memo1, 10, 10));
  EXPECT_EQ(Selection(), (std::vector<TControl*>{page.memo1}));
  EXPECT_EQ(page.memo1->Cursor(), crArrow);
  const String text = page.memo1->Text();
  TypeKey(KeyboardWindow(page.stage), 'A');
  EXPECT_EQ(page.memo1->Text(), text);

  ToggleSwitch();
  EXPECT_EQ(page.memo1->Cursor(), crDefault);
}

TEST_F(LayoutMode, AMemoTakesNoCaretInLayoutModeAndTheFocusAgainAfterIt) {
  ToggleSwitch();
  mouse.Click(On(page.memo1, 10, 10));
  if (const TSkipReason reason = FocusUncheckable(page.form)) GTEST_SKIP() << *reason;
  EXPECT_EQ(GetFocus(), page.stage->Handle());
  GUITHREADINFO info{};
  info.cbSize = sizeof(info);
  ASSERT_TRUE(GetGUIThreadInfo(GetCurrentThreadId(), &info));
  EXPECT_NE(info.hwndCaret, page.memo1->Handle());
  // Even when something gives the memo the focus, the stage takes it.
  ::SetFocus(page.memo1->Handle());
  Pump(TPumpMode::DispatchWithoutRealInput);
  EXPECT_EQ(GetFocus(), page.stage->Handle());

  ToggleSwitch();
  mouse.Click(On(page.memo1, 10, 10));
  EXPECT_EQ(GetFocus(), page.memo1->Handle());
}

TEST_F(LayoutMode, ControlKeysReachTheStageCommandsAndOnKeyPressAsZero) {
  page.stage->OnKeyPress = TKeyPressEvent(&recorder, &TRecorder::KeyPressed);
  ToggleSwitch();
  mouse.Click(On(page.balloon1, 10, 10));
  TypeKey(KeyboardWindow(page.stage), 'C', true);
  TypeKey(KeyboardWindow(page.stage), 'X', true);
  TypeKey(KeyboardWindow(page.stage), 'V', true);
  TypeKey(KeyboardWindow(page.stage), 'B');
  EXPECT_EQ(recorder.keys, (std::vector<char>{0, 0, 0, 'b'}));
  EXPECT_EQ(page.controller->copies, 1);
  EXPECT_EQ(page.controller->cuts, 1);
  EXPECT_EQ(page.controller->pastes, 1);
  TypeKey(KeyboardWindow(page.stage), VK_DELETE);
  TypeKey(KeyboardWindow(page.stage), VK_BACK);
  EXPECT_EQ(page.controller->deletes, 1);
}

TEST_F(LayoutMode, AContainerAnsweringTheDesignHitTestGetsThePressToo) {
  auto* taking = new layouttest::THitTestPanel(page.form);
  taking->SetParent(page.stage);
  taking->SetBounds(240, 200, 60, 60);
  auto* plain = new layouttest::THitTestPanel(page.form);
  plain->answers = false;
  plain->SetParent(page.stage);
  plain->SetBounds(320, 200, 60, 60);
  ToggleSwitch();

  mouse.Click(On(taking, 10, 10));
  EXPECT_EQ(taking->presses, 1);
  EXPECT_EQ(Selection(), (std::vector<TControl*>{taking}));
  mouse.Click(On(plain, 10, 10));
  EXPECT_EQ(plain->presses, 0);
  EXPECT_EQ(Selection(), (std::vector<TControl*>{plain}));
}

TEST_F(LayoutMode, TheCoverQueryDecidesWhatIsInterceptedAndForeignWindowsLetTheMouseThrough) {
  auto* container = new TPanel(page.form);
  container->SetParent(page.stage);
  container->SetBounds(240, 200, 150, 100);
  auto* inner = new TMemo(page.form);
  inner->SetParent(container);
  inner->SetBounds(10, 10, 100, 24);
  auto* host = new TPanel(page.form);
  host->SetParent(page.stage);
  host->SetBounds(240, 310, 100, 40);
  HWND foreign = CreateWindowExW(0, L"STATIC", L"", WS_CHILD | WS_VISIBLE, 5, 5, 30, 20, host->Handle(), nullptr,
                                 nullptr, nullptr);
  page.stage->OnCoverQuery = TCoverQuery(&recorder, &TRecorder::CoverQuery);
  recorder.coverAnswers[container] = caChildrenAccept;
  recorder.coverAnswers[page.memo2] = caNoAccept;
  ToggleSwitch();

  EXPECT_EQ(TPageForm::InterceptorOf(container), nullptr);
  EXPECT_NE(TPageForm::InterceptorOf(inner), nullptr);
  EXPECT_EQ(TPageForm::InterceptorOf(page.memo2), nullptr);
  EXPECT_NE(dynamic_cast<TChildAgent*>(TAgent::FindAgent(foreign)), nullptr);
  // A press on the foreign window falls through to its host.
  mouse.Click(On(host, 10, 10));
  EXPECT_EQ(Selection(), (std::vector<TControl*>{host}));

  ToggleSwitch();
  EXPECT_EQ(TAgent::FindAgent(foreign), nullptr);
  EXPECT_EQ(TAgent::SubclassedWindowCount(), 0);
}

TEST_F(LayoutMode, TheEditAComboBoxMakesInsideItselfLetsTheMouseThroughToTheBox) {
  auto* combo = new TComboBox(page.form);
  combo->SetParent(page.stage);
  combo->SetBounds(240, 200, 120, 24);
  HWND inner = GetWindow(combo->Handle(), GW_CHILD);
  ASSERT_NE(inner, nullptr);
  ASSERT_EQ(mouse.Target(On(combo, 10, 10)), inner);
  ToggleSwitch();

  EXPECT_NE(TPageForm::InterceptorOf(combo), nullptr);
  EXPECT_NE(dynamic_cast<TChildAgent*>(TAgent::FindAgent(inner)), nullptr);
  EXPECT_EQ(mouse.Target(On(combo, 10, 10)), combo->Handle());
  mouse.Click(On(combo, 10, 10));
  EXPECT_EQ(Selection(), (std::vector<TControl*>{combo}));

  ToggleSwitch();
  EXPECT_EQ(TAgent::FindAgent(inner), nullptr);
  EXPECT_EQ(mouse.Target(On(combo, 10, 10)), inner);
}

// ---------------------------------------------------------------------------------------------
// Windows made anew and controls destroyed

TEST_F(LayoutMode, AWindowMadeAnewIsInterceptedAgain) {
  ToggleSwitch();
  TDsnCtrl* interceptor = TPageForm::InterceptorOf(page.memo1);
  ASSERT_NE(interceptor, nullptr);
  HWND old = page.memo1->Handle();
  page.memo1->RecreateWnd();
  ASSERT_NE(page.memo1->Handle(), old);
  ASSERT_TRUE(PumpUntil([&] { return TPageForm::InterceptorOf(page.memo1) == interceptor; },
                        TPumpMode::DispatchWithoutRealInput));
  EXPECT_EQ(page.controller->DsnList()->Count(), 3);
  mouse.Click(On(page.memo1, 10, 10));
  EXPECT_EQ(Selection(), (std::vector<TControl*>{page.memo1}));

  // The stage's own windows made anew: the stage and both memos are taken over again.
  page.stage->RecreateWnd();
  Pump(TPumpMode::DispatchWithoutRealInput);
  EXPECT_NE(TPageForm::InterceptorOf(page.stage), nullptr);
  EXPECT_NE(TPageForm::InterceptorOf(page.memo1), nullptr);
  EXPECT_NE(TPageForm::InterceptorOf(page.memo2), nullptr);
  mouse.Click(On(page.balloon2, 10, 10));
  EXPECT_EQ(Selection(), (std::vector<TControl*>{page.balloon2}));

  ToggleSwitch();
  EXPECT_EQ(TAgent::SubclassedWindowCount(), 0);
  EXPECT_EQ(GetWindowLongPtrW(page.memo1->Handle(), GWLP_WNDPROC), GetWindowLongPtrW(page.memo2->Handle(), GWLP_WNDPROC));
}

TEST_F(LayoutMode, AWindowMadeAnewTakesNoFocus) {
  ToggleSwitch();
  page.memo1->RecreateWnd();
  ASSERT_TRUE(PumpUntil([&] { return TPageForm::InterceptorOf(page.memo1) != nullptr; },
                        TPumpMode::DispatchWithoutRealInput));
  mouse.Click(On(page.memo1, 10, 10));
  if (const TSkipReason reason = FocusUncheckable(page.form)) GTEST_SKIP() << *reason;
  EXPECT_EQ(GetFocus(), page.stage->Handle());
}

TEST_F(LayoutMode, ASelectedControlDestroyedLeavesNoHandleInterceptorOrPointer) {
  ToggleSwitch();
  const int windowsBefore = ThreadWindowCount();
  mouse.Click(On(page.memo1, 10, 10));
  ASSERT_EQ(page.controller->Handler()->Count(), 1);
  EXPECT_EQ(ThreadWindowCount(), windowsBefore + 4);

  delete page.memo1;
  page.memo1 = nullptr;
  EXPECT_EQ(page.controller->clientDeaths, 1);
  EXPECT_EQ(page.controller->targetDeaths, 1);
  EXPECT_EQ(page.controller->TargetList()->GetCount(), 0);
  EXPECT_EQ(page.controller->Handler()->Count(), 0);
  EXPECT_EQ(page.controller->DsnList()->Count(), 2);
  EXPECT_EQ(ThreadWindowCount(), windowsBefore - 1);
  Pump(TPumpMode::DispatchWithoutRealInput);
  EXPECT_EQ(TAgent::SubclassedWindowCount(), 2);

  // A selected windowless control goes the same way, and the mouse goes on working.
  mouse.Click(On(page.balloon2, 10, 10));
  delete page.balloon2;
  page.balloon2 = nullptr;
  EXPECT_EQ(page.controller->TargetList()->GetCount(), 0);
  EXPECT_EQ(page.controller->Handler()->Count(), 0);
  mouse.Drag(On(page.stage, 150, 50), On(page.stage, 170, 60));
  mouse.Click(On(page.balloon1, 10, 10));
  EXPECT_EQ(Selection(), (std::vector<TControl*>{page.balloon1}));
  ToggleSwitch();
  EXPECT_EQ(TAgent::SubclassedWindowCount(), 0);
}

// ---------------------------------------------------------------------------------------------
// Awkward input: a right click during a left drag, windows of others arriving unannounced

TEST_F(LayoutMode, ARightClickDuringALeftDragLeavesTheDragAlone) {
  ToggleSwitch();
  mouse.Press(On(page.memo1, 13, 22));
  mouse.MoveTo(On(page.memo1, 30, 9));
  ASSERT_NE(page.controller->Shape(), nullptr);
  const HWND holder = GetCapture();
  ASSERT_NE(holder, nullptr);

  // Over another control: a right press must not select it under the drag.
  mouse.RightPress(On(page.balloon2, 5, 5));
  mouse.RightRelease(On(page.balloon2, 5, 5));
  EXPECT_EQ(GetCapture(), holder) << "the left drag keeps the mouse";
  EXPECT_EQ(Selection(), (std::vector<TControl*>{page.memo1}));
  EXPECT_NE(page.controller->Shape(), nullptr);

  mouse.MoveTo(On(page.memo1, 34, 13));
  mouse.Release(On(page.memo1, 30, 9));
  EXPECT_EQ(page.memo1->BoundsRect(), Bounds(56, 88, 120, 40));
  EXPECT_EQ(page.balloon2->BoundsRect(), Bounds(140, 40, 80, 40));
  EXPECT_EQ(page.controller->Shape(), nullptr);
  EXPECT_EQ(page.controller->Gesture(), TDsnGesture::Idle);
  EXPECT_EQ(GetCapture(), nullptr);
  EXPECT_EQ(CursorClip(), ScreenRect()) << "the pointer is free again";

  // Without a left drag the right click still selects, and lets go of the mouse.
  mouse.RightPress(On(page.balloon2, 5, 5));
  mouse.RightRelease(On(page.balloon2, 5, 5));
  EXPECT_EQ(Selection(), (std::vector<TControl*>{page.balloon2}));
  EXPECT_EQ(GetCapture(), nullptr);
}

TEST_F(LayoutMode, WindowsOfOthersThatArriveUnannouncedLetTheMouseThrough) {
  auto* silentHost = new TPanel(page.form);
  silentHost->SetParent(page.stage);
  silentHost->SetBounds(240, 200, 100, 40);
  auto* movedHost = new TPanel(page.form);
  movedHost->SetParent(page.stage);
  movedHost->SetBounds(240, 260, 100, 40);
  // One made without telling its parent, one made elsewhere and moved in.
  HWND silent = MakeNotifyingStatic(silentHost->Handle(), WS_EX_NOPARENTNOTIFY);
  HWND moved = MakeNotifyingStatic(page.buttons->Handle(), 0);
  ASSERT_NE(silent, nullptr);
  ASSERT_NE(moved, nullptr);
  SetParent(moved, movedHost->Handle());
  ASSERT_EQ(mouse.Target(On(silentHost, 10, 10)), silent);
  ASSERT_EQ(mouse.Target(On(movedHost, 10, 10)), moved);

  ToggleSwitch();
  EXPECT_NE(dynamic_cast<TChildAgent*>(TAgent::FindAgent(silent)), nullptr);
  EXPECT_NE(dynamic_cast<TChildAgent*>(TAgent::FindAgent(moved)), nullptr);
  mouse.Click(On(silentHost, 10, 10));
  EXPECT_EQ(Selection(), (std::vector<TControl*>{silentHost}));
  mouse.Click(On(movedHost, 10, 10));
  EXPECT_EQ(Selection(), (std::vector<TControl*>{movedHost}));

  ToggleSwitch();
  EXPECT_EQ(TAgent::FindAgent(silent), nullptr);
  EXPECT_EQ(TAgent::FindAgent(moved), nullptr);
  EXPECT_EQ(mouse.Target(On(movedHost, 10, 10)), moved);
}

}  // namespace
