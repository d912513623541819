// The inspector attached to a multi-select controller on a real stage, driven by mouse and
// keyboard input delivered as Windows delivers it: the window follows design mode and the
// selection, the editors go over the pressed row, and edits reach every selected control.
#include <gtest/gtest.h>

#include "InspectorDriver.h"
#include "LayoutModeSupport.h"
#include "designer/DsnSpctr.h"
#include "designer/DsnSubMl.h"
#include "designer/InspectorFm.h"
#include "framework/stdctrls/BitBtn.h"
#include "framework/stdctrls/ComboBox.h"
#include "framework/stdctrls/Edit.h"
#include "framework/stdctrls/Grids.h"
#include "framework/stdctrls/Panel.h"
#include "framework/stdctrls/Shape.h"
#include "framework/stdctrls/SpeedButton.h"
#include "framework/stdctrls/StdControls.h"
#include "tests/support/InputDrivers.h"
#include "tests/support/MessagePump.h"
#include "tests/support/ServiceDoubles.h"

namespace {

using namespace test_support;

// A shape that refuses to grow wider than 300: a value legal for one control and not another.
class TNarrowShape : public TShape {
  TAVELKO_CLASS(TNarrowShape, TShape)

 public:
  using TShape::TShape;
  void SetBounds(int left, int top, int width, int height) override {
    if (width > 300) throw Exception("too wide");
    TShape::SetBounds(left, top, width, height);
  }
};

// Records the "..." button's calls and answers with its own value.
class TButtonHandler : public TObject {
 public:
  void Edit(TObject* sender, TSelectedComponents* targets, String propName, String& value) {
    senders.push_back(sender);
    names.push_back(propName);
    counts.push_back(targets->Count());
    value = "edited " + value;
  }
  std::vector<TObject*> senders;
  std::vector<String> names;
  std::vector<int> counts;
};

// A borderless page with a stage of three shapes, the mode switch, a multi-select controller and
// the inspector; everything belongs to the form.
class Inspector : public ::testing::Test, public TInspectorDriver {
 protected:
  static constexpr int kInspectorLeft = 720, kInspectorTop = 80;

  Inspector() {
    layouttest::RegisterClassesOnce();
    form->SetBorderStyle(bsNone);
    form->SetBounds(60, 60, 600, 360);
    stage = Place<TDsnStage>(form, "DsnStage1", 0, 0, 420, 360);
    stage->SetBevelOuter(bvNone);
    shape1 = Place<TShape>(stage, "Shape1", 40, 40, 80, 40);
    shape2 = Place<TShape>(stage, "Shape2", 140, 40, 100, 40);
    narrow = Place<TNarrowShape>(stage, "Narrow1", 40, 120, 60, 40);
    modeSwitch = Place<TDsnSwitch>(form, "DsnSwitch1", 440, 10, 150, 24);
    modeSwitch->SetGroupIndex(TDsnSwitch::kGroupIndex);
    modeSwitch->SetAllowAllUp(true);

    controller = new TDsnMlRegister(form);
    controller->SetDsnStage(stage);
    modeSwitch->SetDsnRegister(controller);
    inspector = new TDsnInspector(form);
    inspector->SelfProps()->SetText("Width|W\nHeight\nShowHint\nHint\nName\nPen");
    inspector->GetOutProps()->SetText("Name");
    inspector->BtnProps()->SetText("Hint");
    inspector->Position()->SetLeft(kInspectorLeft);
    inspector->Position()->SetTop(kInspectorTop);
    controller->SetDsnInspector(inspector);

    form->Show();
    Pump(TPumpMode::DispatchWithoutRealInput);
  }
  ~Inspector() override {
    delete form;
    Pump(TPumpMode::DispatchWithoutRealInput);
  }

  template <class T>
  T* Place(TWinControl* parent, const char* name, int left, int top, int width, int height) {
    auto* control = new T(form);
    control->SetName(name);
    control->SetParent(parent);
    control->SetBounds(left, top, width, height);
    return control;
  }

  static TPoint On(TControl* control, int x = 5, int y = 5) {
    if (auto* windowed = dynamic_cast<TWinControl*>(control)) return windowed->ClientToScreen({x, y});
    return control->Parent()->ClientToScreen({control->Left() + x, control->Top() + y});
  }
  void ToggleDesignMode() { mouse.Click(On(modeSwitch, 10, 10)); }
  void Select(TControl* control) { mouse.Click(On(control)); }
  void AddToSelection(TControl* control) {
    mouse.Press(On(control), {ssShift});
    mouse.Release(On(control), {ssShift});
  }

  TDsnInspector* Inspected() const override { return inspector; }

  TForm* form = new TForm(nullptr);
  TDsnStage* stage;
  TShape* shape1;
  TShape* shape2;
  TNarrowShape* narrow;
  TDsnSwitch* modeSwitch;
  TDsnMlRegister* controller;
  TDsnInspector* inspector;
  TMouseDriver mouse{form};
  TScriptedDialogs dialogs;
  TDialogServiceScope dialogScope{dialogs};
};

// ---------------------------------------------------------------------------------------------
// The window and design mode

TEST_F(Inspector, DesignModeOpensANewWindowAtPositionWithTheSettingsAndClosesIt) {
  inspector->Grid()->SetPropCp("Prop");
  inspector->Grid()->SetPropWid(70);
  inspector->SetCaption("Props");
  ToggleDesignMode();
  ASSERT_NE(Window(), nullptr);
  EXPECT_TRUE(IsWindowVisible(Window()->Handle()));
  EXPECT_EQ(Window()->BoundsRect(), (TRect{kInspectorLeft, kInspectorTop, kInspectorLeft + 230, kInspectorTop + 400}));
  EXPECT_EQ(Window()->Caption(), "Props");
  EXPECT_EQ(Grid()->RowCount(), 1);
  EXPECT_EQ(Grid()->FixedRows(), 0);
  EXPECT_EQ(Grid()->ColWidths(TInspectorFm::NameCol), 0);
  EXPECT_EQ(Grid()->ColWidths(TInspectorFm::CaptionCol), 70);
  EXPECT_EQ(Grid()->ColWidths(TInspectorFm::ValueCol), 100);
  EXPECT_EQ(Grid()->Cells(TInspectorFm::CaptionCol, 0), "Prop");
  EXPECT_EQ(Grid()->Cells(TInspectorFm::ValueCol, 0), "Values");
  EXPECT_FALSE(Window()->Panel3->Visible());
  EXPECT_FALSE(Window()->Panel1->Visible());
  EXPECT_TRUE(EditorParked());
  EXPECT_FALSE(GetWindowLongW(Window()->Handle(), GWL_EXSTYLE) & WS_EX_TOPMOST);

  // What the user changed in the window is not kept: reopening puts it back at Position.
  inspector->SetBounds(300, 500, 200, 300);
  EXPECT_EQ(inspector->Position()->Left(), kInspectorLeft);
  const HWND first = Window()->Handle();
  ToggleDesignMode();
  EXPECT_EQ(Window(), nullptr);
  EXPECT_FALSE(IsWindow(first));
  ToggleDesignMode();
  ASSERT_NE(Window(), nullptr);
  EXPECT_EQ(Window()->BoundsRect(), (TRect{kInspectorLeft, kInspectorTop, kInspectorLeft + 230, kInspectorTop + 400}));
}

TEST_F(Inspector, TheHelpStripAndStayingOnTopFollowTheSettings) {
  inspector->HelpButton()->SetVisible(true);
  inspector->HelpButton()->SetHelpContext(12);
  inspector->HelpButton()->SetCaption("Hilfe");
  inspector->SetStayOnTop(true);
  ToggleDesignMode();
  EXPECT_TRUE(Window()->Panel1->Visible());
  EXPECT_EQ(Window()->HelpBtn->HelpContext(), 12);
  EXPECT_EQ(Window()->HelpBtn->Caption(), "Hilfe");
  EXPECT_TRUE(GetWindowLongW(Window()->Handle(), GWL_EXSTYLE) & WS_EX_TOPMOST);
}

TEST_F(Inspector, SelectingFillsTheGridWithCaptionsAndMergedValuesAndWithholdsOutPropsForTwo) {
  ToggleDesignMode();
  Select(shape1);
  ASSERT_EQ(Grid()->RowCount(), 7);
  EXPECT_EQ(Grid()->Cells(TInspectorFm::NameCol, 1), "Width");
  EXPECT_EQ(Grid()->Cells(TInspectorFm::CaptionCol, 1), "W");
  EXPECT_EQ(Grid()->Cells(TInspectorFm::CaptionCol, 2), "Height");
  EXPECT_EQ(ValueOf("Width"), "80");
  EXPECT_EQ(ValueOf("Name"), "Shape1");
  EXPECT_EQ(ValueOf("Pen"), "(TPen)");

  AddToSelection(shape2);
  EXPECT_EQ(RowOf("Name"), -1);
  EXPECT_EQ(ValueOf("Width"), "");  // 80 and 100
  EXPECT_EQ(ValueOf("Height"), "40");
}

TEST_F(Inspector, TheApplicationSelectsThroughTheInspector) {
  ToggleDesignMode();
  Select(shape1);
  inspector->SetComponent(shape2);
  Pump(TPumpMode::DispatchWithoutRealInput);
  ASSERT_EQ(controller->TargetList()->GetCount(), 1);
  EXPECT_EQ(controller->TargetList()->GetItems(0), shape2);
  EXPECT_EQ(ValueOf("Width"), "100");
}

TEST_F(Inspector, TheTitleBarCloseOnlyHidesAndTheNextSelectionShowsTheWindowAgain) {
  ToggleDesignMode();
  Select(shape1);
  TInspectorFm* window = Window();
  SendMessageW(window->Handle(), WM_CLOSE, 0, 0);
  Pump(TPumpMode::DispatchWithoutRealInput);
  EXPECT_EQ(Window(), window);
  EXPECT_FALSE(IsWindowVisible(window->Handle()));
  Select(shape2);
  EXPECT_TRUE(IsWindowVisible(window->Handle()));
  EXPECT_EQ(ValueOf("Width"), "100");
}

// Whether top-level window `upper` lies above `lower`.
bool Above(HWND upper, HWND lower) {
  for (HWND below = GetWindow(upper, GW_HWNDNEXT); below; below = GetWindow(below, GW_HWNDNEXT))
    if (below == lower) return true;
  return false;
}

TEST_F(Inspector, TheWindowOpensAndComesBackInFrontWithoutTakingTheKeyboardFromTheStage) {
  ToggleDesignMode();
  ASSERT_NE(Window(), nullptr);
  EXPECT_TRUE(IsWindowVisible(Window()->Handle()));
  EXPECT_TRUE(Above(Window()->Handle(), form->Handle()));
  EXPECT_EQ(GetActiveWindow(), form->Handle());

  Select(shape1);
  SendMessageW(Window()->Handle(), WM_CLOSE, 0, 0);
  Pump(TPumpMode::DispatchWithoutRealInput);
  Select(shape2);
  EXPECT_TRUE(IsWindowVisible(Window()->Handle()));
  EXPECT_TRUE(Above(Window()->Handle(), form->Handle()));
  EXPECT_EQ(GetActiveWindow(), form->Handle());
}

// ---------------------------------------------------------------------------------------------
// Editing

TEST_F(Inspector, AWidthTypedForTwoControlsReachesBothWhenAnotherRowIsPressed) {
  ToggleDesignMode();
  Select(shape1);
  AddToSelection(shape2);
  ClickRow("Width");
  EXPECT_FALSE(EditorParked());
  EXPECT_TRUE(Window()->Edit1->Enabled());
  EXPECT_EQ(Window()->CurrentProp(), "Width");
  Type("96");
  ClickRow("Height");
  ASSERT_TRUE(PumpUntil([&] { return ValueOf("Width") == "96"; }, TPumpMode::DispatchWithoutRealInput));
  EXPECT_EQ(shape1->Width(), 96);
  EXPECT_EQ(shape2->Width(), 96);
  // The editor moved with the press and stays on its row across the refill.
  EXPECT_EQ(Window()->CurrentProp(), "Height");
  EXPECT_EQ(Window()->Edit1->Text(), "40");
  EXPECT_TRUE(dialogs.Requests.empty());
}

TEST_F(Inspector, TheEditorFollowsTheSamePropertyAcrossSelectionsAndOnlyAPressPlacesIt) {
  ToggleDesignMode();
  Select(shape1);
  ClickRow("Height");
  const TRect placed = Window()->Edit1->BoundsRect();
  Select(shape2);
  EXPECT_EQ(Window()->CurrentProp(), "Height");
  EXPECT_EQ(Window()->Edit1->BoundsRect(), placed);

  // The arrow keys move the grid's current row, not the editor.
  TypeKey(Grid()->Handle(), VK_DOWN);
  EXPECT_EQ(Grid()->Row(), RowOf("Height") + 1);
  EXPECT_EQ(Window()->Edit1->BoundsRect(), placed);
}

TEST_F(Inspector, TheHeadingRowPlacesNoEditor) {
  ToggleDesignMode();
  Select(shape1);
  TMouseDriver(Window()).Click(ValueCellOf(0));
  EXPECT_TRUE(EditorParked());
  EXPECT_TRUE(Window()->CurrentProp().empty());
}

TEST_F(Inspector, ABooleanIsChosenFromItsListOfFalseAndTrueAndWrittenAtOnce) {
  ToggleDesignMode();
  Select(shape1);
  AddToSelection(shape2);
  ClickRow("ShowHint");
  TComboBox* list = Window()->ComboBox2;
  ASSERT_TRUE(list->Visible());
  EXPECT_FALSE(Window()->Edit1->Visible());
  ASSERT_EQ(list->Items()->Count(), 2);
  EXPECT_EQ(list->Items()->Get(0), "False");
  EXPECT_EQ(list->Items()->Get(1), "True");
  EXPECT_EQ(list->Text(), "False");

  TypeKey(FocusedList(), VK_DOWN);
  ASSERT_TRUE(PumpUntil([&] { return ValueOf("ShowHint") == "True"; }, TPumpMode::DispatchWithoutRealInput));
  EXPECT_TRUE(shape1->ShowHint());
  EXPECT_TRUE(shape2->ShowHint());
}

TEST_F(Inspector, APartNameTypedIntoTheListWritesNothingUntilItNamesAValue) {
  ToggleDesignMode();
  Select(shape1);
  ClickRow("ShowHint");
  HWND list = FocusedList();
  TypeKey(list, VK_END);
  for (int i = 0; i < 5; ++i) TypeKey(list, VK_BACK);  // "False" erased key by key
  for (WORD key : {'T', 'R', 'U'}) TypeKey(list, key);  // "tru"
  Pump(TPumpMode::DispatchWithoutRealInput);
  EXPECT_TRUE(dialogs.Requests.empty());
  EXPECT_FALSE(shape1->ShowHint());
  TypeKey(list, 'E');  // "true", a name of the type whatever its letter case
  ASSERT_TRUE(PumpUntil([&] { return shape1->ShowHint(); }, TPumpMode::DispatchWithoutRealInput));
  EXPECT_TRUE(dialogs.Requests.empty());
}

TEST_F(Inspector, AButtonPropertyIsEditedByTheApplicationsHandlerAndWrittenToAll) {
  shape1->SetHint("one");
  TButtonHandler handler;
  inspector->OnBtnClick = TCallPropEditor(&handler, &TButtonHandler::Edit);
  ToggleDesignMode();
  Select(shape1);
  AddToSelection(shape2);
  ClickRow("Hint");
  EXPECT_TRUE(Window()->Edit1->Visible());
  EXPECT_FALSE(Window()->Edit1->Enabled());
  ASSERT_TRUE(Window()->Panel2->Visible());
  const TRect cell = Window()->Edit1->BoundsRect();
  EXPECT_EQ(Window()->Panel2->Left(), cell.Left + Grid()->ColWidths(TInspectorFm::ValueCol) - 23);

  ClickEllipsis();
  ASSERT_EQ(handler.names, std::vector<String>{"Hint"});
  EXPECT_EQ(handler.senders[0], inspector);
  EXPECT_EQ(handler.counts[0], 2);
  EXPECT_EQ(shape1->Hint(), "edited one");
  EXPECT_EQ(shape2->Hint(), "edited one");
  EXPECT_EQ(Window()->Edit1->Text(), "edited one");
}

TEST_F(Inspector, WithoutAHandlerTheButtonDoesNothing) {
  shape1->SetHint("one");
  ToggleDesignMode();
  Select(shape1);
  ClickRow("Hint");
  Window()->Edit1->SetText("not written");  // what a write would send
  ClickEllipsis();
  EXPECT_EQ(shape1->Hint(), "one");
}

// A press on a value dragged over the rows moves the grid's current row with the pointer; the
// editor, its write and its "..." button still serve the row the editor was placed on.
TEST_F(Inspector, TheEditorServesItsOwnRowWhereverADragTookTheCurrentRow) {
  ToggleDesignMode();
  Select(shape1);
  TButtonHandler handler;
  inspector->OnBtnClick = TCallPropEditor(&handler, &TButtonHandler::Edit);
  auto dragFrom = [this](const String& name) {
    TMouseDriver drag(Window());
    drag.Press(ValueCellOf(RowOf(name)));
    drag.MoveTo(ValueCellOf(RowOf(name) + 1));
    drag.Release(ValueCellOf(RowOf(name) + 1));
    Pump(TPumpMode::DispatchWithoutRealInput);
    ASSERT_EQ(Grid()->Row(), RowOf(name) + 1) << "the drag did not move the current row";
  };
  dragFrom("Width");
  Type("96");
  ClickRow("Height");
  EXPECT_EQ(shape1->Width(), 96);
  EXPECT_EQ(shape1->Height(), 40);

  dragFrom("Hint");
  ClickEllipsis();
  EXPECT_EQ(handler.names, std::vector<String>{"Hint"});
}

TEST_F(Inspector, LeavingTheWindowEndsTheEditOnce) {
  ToggleDesignMode();
  Select(shape1);
  AddToSelection(narrow);
  ClickRow("Width");
  Type("400");
  // Deactivation ends the edit, and the focus the editor loses after it would end it again.
  SendMessageW(Window()->Handle(), WM_ACTIVATE, WA_INACTIVE, reinterpret_cast<LPARAM>(form->Handle()));
  SendMessageW(Window()->Edit1->Handle(), WM_KILLFOCUS, reinterpret_cast<WPARAM>(form->Handle()), 0);
  EXPECT_EQ(dialogs.Requests.size(), 1u);
}

TEST_F(Inspector, TheEditorFollowsItsRowWhenTheGridScrollsOrIsClosedWithItsValueWritten) {
  inspector->Position()->SetHeight(110);  // room for a few rows
  ToggleDesignMode();
  Select(shape1);
  ClickRow("Width");
  Type("96");
  const int row = RowOf("Width");
  for (int lines = 0; lines < 5; ++lines) {
    const int top = Grid()->TopRow();
    SendMessageW(Grid()->Handle(), WM_VSCROLL, SB_LINEDOWN, 0);
    ASSERT_EQ(Grid()->TopRow(), top + 1) << "the grid did not scroll";
    const TRect cell = Grid()->CellRect(TInspectorFm::ValueCol, row);
    if (cell.Right == 0) break;  // scrolled out
    EXPECT_EQ(Window()->Edit1->Top(), Window()->ScreenToClient(Grid()->ClientToScreen({0, cell.Top})).Y);
  }
  EXPECT_TRUE(EditorParked());
  EXPECT_EQ(shape1->Width(), 96);
}

TEST_F(Inspector, AnIllegalValueIsShownOnceAndTheControlsBeforeTheFailingOneKeepIt) {
  ToggleDesignMode();
  Select(shape1);
  AddToSelection(narrow);
  AddToSelection(shape2);
  ClickRow("Width");
  Type("400");
  ClickRow("Height");
  ASSERT_EQ(dialogs.Requests.size(), 1u);
  EXPECT_EQ(dialogs.Requests[0].Text, "400 is illegal (Width)");
  EXPECT_EQ(shape1->Width(), 400);
  EXPECT_EQ(narrow->Width(), 60);
  EXPECT_EQ(shape2->Width(), 100);
  // The window lives on and keeps working.
  Type("44");
  ClickRow("Width");
  ASSERT_TRUE(PumpUntil([&] { return narrow->Height() == 44; }, TPumpMode::DispatchWithoutRealInput));
  EXPECT_EQ(shape1->Height(), 44);
  EXPECT_EQ(shape2->Height(), 44);
}

}  // namespace
