// The workbench under real mouse input: the controller menu exchanging controllers in the middle
// of a selection, each kind's characteristic behaviour on the sample form, creation from the
// palette authored in the stored layout, the selection log, and stage files with their history.
#include <windows.h>
#include <commdlg.h>

#include <fstream>
#include <iterator>

#include "controls/HistoryComboBox.h"
#include "designer/DsnPanel.h"
#include "designer/DsnSubCl.h"
#include "designer/DsnSpctr.h"
#include "designer/InspectorFm.h"
#include "framework/stdctrls/Edit.h"
#include "framework/stdctrls/Grids.h"
#include "framework/stdctrls/Panel.h"
#include "framework/stdctrls/SpeedButton.h"
#include "designer/DsnUnit.h"
#include "designer/Dsnselect.h"
#include "framework/stdctrls/Memo.h"
#include "framework/stdctrls/Menus.h"
#include "framework/stdctrls/Shape.h"
#include "tests/designer/InspectorDriver.h"
#include "tests/support/Foreground.h"
#include "tests/support/Pixels.h"
#include "tests/support/StreamWriters.h"
#include "tests/support/TempFiles.h"
#include "tests/workbench/WorkbenchFixture.h"
#include "workbench/ControllerKinds.h"
#include "workbench/StageDocument.h"

namespace {

using Controls = std::vector<TControl*>;

template <class T>
T* Find(TWorkbenchForm* bench, const char* name) {
  return dynamic_cast<T*>(bench->FindComponent(name));
}

String LastLogLine(TWorkbenchForm* bench) {
  TStrings* lines = bench->LogMemo->Lines();
  return lines->Count() ? lines->Get(lines->Count() - 1) : String();
}

std::vector<char> Bytes(const String& file) {
  std::ifstream in(file.c_str(), std::ios::binary);
  return {std::istreambuf_iterator<char>(in), {}};
}

TEST_F(WorkbenchTest, TheControllerMenuExchangesTheControllerInTheMiddleOfASelection) {
  ClickSwitch();
  auto* title = Find<TControl>(bench, "TitleBox");
  for (std::size_t kind = 0; kind < kControllerKinds.size(); ++kind) {
    SCOPED_TRACE(kControllerKinds[kind].Caption);
    Click(title, 20, 20);
    ASSERT_EQ(Selection(), Controls{title});
    ASSERT_GT(HandlesOnStage(), 0);

    Choose(bench->ControllerMenu->Items(static_cast<int>(kind)));
    TDsnRegister* now = bench->DsnRegister1;
    EXPECT_EQ(&now->ClassInfo(), &kControllerKinds[kind].Class());
    EXPECT_EQ(now->Name(), "DsnRegister1");
    EXPECT_TRUE(bench->ControllerMenu->Items(static_cast<int>(kind))->Checked());
    EXPECT_EQ(LastLogLine(bench), String("Controller: ") + now->ClassName());
    // Everything the old one served follows the new one, and design mode is on again.
    EXPECT_EQ(bench->DsnStage1->Controller(), now);
    EXPECT_EQ(bench->DsnSwitch1->DsnRegister(), now);
    EXPECT_EQ(bench->DsnSelect1->DsnRegister(), now);
    EXPECT_EQ(now->DsnPanel(), bench->DsnPanel1);
    EXPECT_EQ(now->ArrowButton(), bench->DsnPanel1->ArrowButton());
    EXPECT_TRUE(now->Designing());
    EXPECT_TRUE(bench->DsnSwitch1->Down());
    // Nothing of the old selection is left behind.
    EXPECT_TRUE(Selection().empty());
    EXPECT_EQ(HandlesOnStage(), 0);
    EXPECT_EQ(CursorClip(), ScreenRect());
    EXPECT_EQ(GetCapture(), nullptr);
  }
  // The partner hears the new controller's selections.
  Click(title, 20, 20);
  EXPECT_EQ(LastLogLine(bench), "Add: TitleBox");
}

TEST_F(WorkbenchTest, EachKindOfControllerShowsItsHandles) {
  auto* title = Find<TControl>(bench, "TitleBox");
  auto* shine = Find<TControl>(bench, "ShineButton");
  ClickSwitch();
  const struct {
    std::size_t Kind;
    int One;   // handles of one selected control
    int Two;   // handles with two selected (Shift adds where the kind selects several)
  } kinds[] = {{0, 4, 4}, {1, 4, 8}, {2, 8, 16}, {3, 1, 2}, {4, 4, 0}, {5, 8, 0}, {6, 8, 8}};
  for (const auto& k : kinds) {
    SCOPED_TRACE(kControllerKinds[k.Kind].Caption);
    bench->UseController(k.Kind);
    Click(title, 20, 20);
    EXPECT_EQ(HandlesOnStage(), k.One);
    Click(shine, 20, 10, {ssShift});
    EXPECT_EQ(HandlesOnStage(), k.Two);
  }
}

TEST_F(WorkbenchTest, TheColourCyclingControllerDragsOutlinesThatChangeColour) {
  bench->UseController(6);
  ASSERT_TRUE(bench->DsnRegister1->SnapLines()) << "carried over to the new controller";
  bench->DsnRegister1->SetSnapLines(false);  // the grid alone
  ClickSwitch();
  auto* title = Find<TControl>(bench, "TitleBox");
  const TPoint from = ScreenOf(title, {20, 20});
  mouse->Press(from);
  mouse->MoveTo({from.X + 16, from.Y + 12});
  TMultiShape* outlines = bench->DsnRegister1->Shape();
  ASSERT_NE(outlines, nullptr);
  auto* outline = dynamic_cast<TClShape*>(outlines->Items(0));
  ASSERT_NE(outline, nullptr);
  const TColor first = outline->DrawnColor();
  EXPECT_TRUE(PumpUntil([&] { return outline->DrawnColor() != first; }, TPumpMode::DispatchWithoutRealInput));
  mouse->Release({from.X + 16, from.Y + 12});
  Pump(TPumpMode::DispatchWithoutRealInput);
  EXPECT_EQ(bench->DsnRegister1->Shape(), nullptr);
  EXPECT_EQ(title->Left(), 400 + 16);
}

TEST_F(WorkbenchTest, MultiSelectAreaWithCtrlSelectsAndTheLogNamesEveryChange) {
  bench->UseController(1);
  ClickSwitch();
  auto* shape = Find<TControl>(bench, "NoteShape");
  auto* label = Find<TControl>(bench, "NoteLabel");
  bench->LogMemo->Lines()->Clear();
  // From inside the shape: with Ctrl the press begins an area instead of taking the shape.
  Drag(ScreenOf(shape, {10, 10}), ScreenOf(bench->DsnStage1, {240, 380}), {ssCtrl});
  const Controls selected = Selection();
  EXPECT_EQ(selected.size(), 2u);
  EXPECT_NE(std::find(selected.begin(), selected.end(), shape), selected.end());
  EXPECT_NE(std::find(selected.begin(), selected.end(), label), selected.end());
  TStrings* log = bench->LogMemo->Lines();
  ASSERT_GE(log->Count(), 2);
  const String all = log->Text();
  EXPECT_NE(all.find("NoteShape"), String::npos) << all;
  EXPECT_NE(all.find("NoteLabel"), String::npos) << all;
}

TEST_F(WorkbenchTest, ProportionalResizeScalesTheOtherSelectedControl) {
  bench->UseController(3);
  ClickSwitch();
  auto* shape = Find<TControl>(bench, "NoteShape");  // 200 x 80
  auto* title = Find<TControl>(bench, "TitleBox");   // 300 x 48
  Click(shape, 20, 20);
  Click(title, 20, 20, {ssShift});
  ASSERT_EQ(Selection(), (Controls{shape, title}));
  // The one lower-right handle of the shape, dragged 40 right and 20 down.
  const TPoint corner = ScreenOf(shape, {shape->Width(), shape->Height()});
  Drag(corner, {corner.X + 40, corner.Y + 20});
  EXPECT_EQ(shape->Width(), 240);
  EXPECT_EQ(shape->Height(), 100);
  EXPECT_EQ(title->Width(), 360);
  EXPECT_EQ(title->Height(), 60);
}

TEST_F(WorkbenchTest, APaletteButtonCreatesAnIndependentCopyOfItsTemplate) {
  ClickSwitch();
  auto* memoButton = Find<TDsnButton>(bench, "DsnButton5");
  ASSERT_NE(memoButton, nullptr);
  auto* tmpl = Find<TMemo>(bench, "Dpst_TMemo");
  ASSERT_EQ(memoButton->Template(), tmpl) << "re-linked by its stored name";
  EXPECT_TRUE(memoButton->Enabled());
  Click(memoButton, 10, 10);
  EXPECT_EQ(bench->DsnPanel1->GetTemplate(), tmpl);

  Drag(ScreenOf(bench->DsnStage1, {302, 421}), ScreenOf(bench->DsnStage1, {422, 494}));
  auto* created = Find<TMemo>(bench, "Memo1");
  ASSERT_NE(created, nullptr);
  EXPECT_EQ(created->Parent(), bench->DsnStage1);
  EXPECT_EQ(created->Left() % 4, 0);
  EXPECT_EQ(created->Top() % 4, 0);
  EXPECT_NEAR(created->Left(), 302, 4);
  EXPECT_NEAR(created->Width(), 120, 4);
  EXPECT_EQ(Selection(), Controls{created});
  EXPECT_EQ(bench->DsnPanel1->GetTemplate(), nullptr);
  EXPECT_TRUE(bench->DsnPanel1->ArrowButton()->Down());
  EXPECT_EQ(LastLogLine(bench), "Add: Memo1");

  // Template and copy go their own ways.
  EXPECT_EQ(created->Lines()->Text(), tmpl->Lines()->Text());
  created->Lines()->Add("changed");
  EXPECT_EQ(tmpl->Lines()->Count(), 1);
  EXPECT_EQ(tmpl->BoundsRect(), Bounds(0, 0, 50, 50));
  EXPECT_EQ(tmpl->Parent()->Name(), "DsnDpstPanel");
}

TEST_F(WorkbenchTest, AStageSavedAndOpenedAgainIsWrittenTheSameAndIsRemembered) {
  ClickSwitch();
  const String first = temp.File("first.stage"), second = temp.File("second.stage");
  fileDialogs.Answers.push_back(first);
  Choose(Find<TMenuItem>(bench, "FileSave"));
  ASSERT_FALSE(Bytes(first).empty());
  EXPECT_NE(fileDialogs.Requests[0].Flags & OFN_OVERWRITEPROMPT, 0u);
  const std::vector<String> names = StageNames();

  Choose(Find<TMenuItem>(bench, "FileNew"));
  EXPECT_TRUE(StageNames().empty());
  EXPECT_TRUE(bench->DsnSwitch1->Down());

  fileDialogs.Answers.push_back(first);
  Choose(Find<TMenuItem>(bench, "FileOpen"));
  EXPECT_EQ(fileDialogs.Requests[1].Kind, TFileDialogKind::Open);
  EXPECT_EQ(StageNames(), names);
  EXPECT_TRUE(bench->DsnSwitch1->Down());
  fileDialogs.Answers.push_back(second);
  Choose(Find<TMenuItem>(bench, "FileSave"));
  EXPECT_EQ(Bytes(second), Bytes(first));

  // The history holds both, newest first; choosing the older one opens it.
  ASSERT_EQ(bench->RecentStages->Items()->Count(), 2);
  EXPECT_EQ(bench->RecentStages->Items()->Get(0), second);
  EXPECT_EQ(bench->RecentStages->Items()->Get(1), first);
  Choose(Find<TMenuItem>(bench, "FileNew"));
  bench->RecentStages->SetItemIndex(1);
  SendMessageW(bench->RecentStages->Parent()->Handle(), WM_COMMAND,
               MAKEWPARAM(GetDlgCtrlID(bench->RecentStages->Handle()), CBN_SELCHANGE),
               reinterpret_cast<LPARAM>(bench->RecentStages->Handle()));
  EXPECT_EQ(StageNames(), names);
  EXPECT_EQ(bench->Document().FileName(), first);
}

TEST_F(WorkbenchTest, ADamagedOrForeignFileIsReportedAndLeavesTheStageAsItWas) {
  ClickSwitch();
  const std::vector<String> names = StageNames();
  const String good = temp.File("good.stage");
  ASSERT_TRUE(bench->Document().SaveFile(good));
  std::vector<char> bytes = Bytes(good);
  const String cut = temp.File("cut.stage"), foreign = temp.File("foreign.stage");
  std::ofstream(cut.c_str(), std::ios::binary).write(bytes.data(), static_cast<std::streamsize>(bytes.size() / 2));
  std::ofstream(foreign.c_str(), std::ios::binary) << "\x89PNG\r\n\x1a\n not a stage at all";
  for (const String& file : {cut, foreign}) {
    SCOPED_TRACE(file);
    dialogs.Requests.clear();
    EXPECT_FALSE(bench->Document().OpenFile(file));
    ASSERT_EQ(dialogs.Requests.size(), 1u);
    const String& text = dialogs.Requests[0].Text;
    EXPECT_NE(text.find(file), String::npos) << text;
    EXPECT_EQ(text.find(file, text.find(file) + 1), String::npos) << "the path once: " << text;
    EXPECT_EQ(dialogs.Requests[0].Type, mtError);
    EXPECT_TRUE(bench->DsnSwitch1->Down());
    EXPECT_TRUE(bench->DsnRegister1->Designing());
    EXPECT_EQ(StageNames(), names);
    EXPECT_EQ(bench->Document().FileName(), good);
  }
}

TEST_F(WorkbenchTest, AStageFileHoldsOnlyWhatThePaletteOffersAndNoneOfItKeepsAStoreOfItsOwn) {
  const String file = temp.File("crafted.stage"), ini = temp.File("crafted.ini");
  const String key = "Software\\Tavelko tests\\Crafted stage";
  auto text = [](const char* property, const String& value) {
    return [=](TValueWriter& w) {
      w.WriteShortString(property);
      w.WriteText(value);
    };
  };
  auto write = [&](const test_support::Bytes& record) {
    test_support::Bytes stage = record;
    stage.push_back(0);
    test_support::WriteFileBytes(file, stage);
  };
  write(test_support::HandMadeRecord("TTimer", "Timer1"));
  EXPECT_FALSE(bench->Document().OpenFile(file));
  ASSERT_EQ(dialogs.Requests.size(), 1u);
  EXPECT_NE(dialogs.Requests[0].Text.find("A TTimer does not belong"), String::npos) << dialogs.Requests[0].Text;

  // A history box is on the palette; the store it names came with the file and is never used.
  write(test_support::HandMadeRecord("THistoryComboBox", "Crafted", [&](TValueWriter& w) {
    text("SaveKeyName", key)(w);
    text("SaveFileName", ini)(w);
  }));
  ASSERT_TRUE(bench->Document().OpenFile(file));
  ASSERT_NE(Find<THistoryComboBox>(bench, "Crafted"), nullptr);
  Find<THistoryComboBox>(bench, "Crafted")->AddText("typed");
  bench->Document().New();
  ASSERT_TRUE(bench->Document().OpenFile(file));
  delete bench;  // closing the program
  bench = nullptr;
  EXPECT_FALSE(test_support::RegistryKeyExists(key));
  EXPECT_FALSE(FileExists(ini));
}

// The inspector of the workbench, driven through its window with the mouse and the keyboard.
class WorkbenchInspector : public WorkbenchTest, public TInspectorDriver {
 protected:
  void SetUp() override {
    WorkbenchTest::SetUp();
    bench->UseController(1);
    ClickSwitch();
    grid = Find<TControl>(bench, "SampleGrid");
    combo = Find<TControl>(bench, "SampleHistory");
    Click(grid, 20, 20);
    Click(combo, 20, 10, {ssShift});
  }

  TDsnInspector* Inspected() const override { return bench->DsnInspector1; }

  TControl* grid = nullptr;
  TControl* combo = nullptr;
};

TEST_F(WorkbenchInspector, ATypedWidthReachesEverySelectedControl) {
  ASSERT_NE(Window(), nullptr);
  EXPECT_EQ(RowOf("Name"), -1) << "withheld while two are selected";
  ClickRow("Width");
  Type("180");
  ClickRow("Top");
  Pump(TPumpMode::DispatchWithoutRealInput);
  EXPECT_EQ(grid->Width(), 180);
  EXPECT_EQ(combo->Width(), 180);
  EXPECT_EQ(ValueOf("Width"), "180");
}

TEST_F(WorkbenchInspector, AProportionalResizeShowsTheNewSizes) {
  bench->UseController(3);
  auto* shape = Find<TControl>(bench, "NoteShape");  // 200 x 80
  Click(shape, 20, 20);
  ASSERT_EQ(ValueOf("Width"), "200");
  const TPoint corner = ScreenOf(shape, {shape->Width(), shape->Height()});
  Drag(corner, {corner.X + 40, corner.Y + 20});
  ASSERT_EQ(shape->Width(), 240);
  EXPECT_EQ(ValueOf("Width"), "240");
  EXPECT_EQ(ValueOf("Height"), "100");
}

TEST_F(WorkbenchInspector, TheColourButtonAsksTheColourDialogForEverySelectedControl) {
  ClickRow("Color");
  EXPECT_FALSE(Window()->Edit1->Enabled()) << "a button property is not typed";
  ASSERT_TRUE(Window()->Panel2->Visible());
  choiceDialogs.ColorAnswer = RGB(200, 30, 60);
  const auto proposed = static_cast<COLORREF>(ColorToRGB(grid->Color()));
  ClickEllipsis();
  ASSERT_EQ(choiceDialogs.ColorRequests.size(), 1u);
  EXPECT_EQ(choiceDialogs.ColorRequests[0].Color, proposed) << "the first selected control's colour";
  EXPECT_EQ(grid->Color(), static_cast<TColor>(RGB(200, 30, 60)));
  EXPECT_EQ(combo->Color(), static_cast<TColor>(RGB(200, 30, 60)));

  // Cancelled: nothing changes.
  choiceDialogs.ColorAnswer.reset();
  ClickEllipsis();
  EXPECT_EQ(grid->Color(), static_cast<TColor>(RGB(200, 30, 60)));
}

TEST_F(WorkbenchInspector, TheFontButtonGivesEverySelectedControlTheChosenFont) {
  ClickRow("Font");
  TFontDialogRequest answer{};
  wcscpy(answer.Font.lfFaceName, L"Arial");
  answer.Font.lfHeight = -18;
  answer.Font.lfWeight = FW_BOLD;
  answer.Color = RGB(0, 0, 128);
  choiceDialogs.FontAnswer = answer;
  ClickEllipsis();
  for (TControl* control : {grid, combo}) {
    EXPECT_EQ(control->Font()->Name(), "Arial");
    EXPECT_EQ(control->Font()->Height(), -18);
    EXPECT_EQ(control->Font()->Style(), TFontStyles{fsBold});
    EXPECT_EQ(control->Font()->Color(), static_cast<TColor>(RGB(0, 0, 128)));
  }
}

TEST_F(WorkbenchInspector, ExchangingTheControllerLeavesOneInspectorWindow) {
  const auto windows = [] {
    int count = 0;
    EnumThreadWindows(
        GetCurrentThreadId(),
        [](HWND window, LPARAM data) -> BOOL {
          wchar_t name[32] = {};
          GetClassNameW(window, name, 32);
          *reinterpret_cast<int*>(data) += IsWindowVisible(window) && std::wcscmp(name, L"TInspectorFm") == 0;
          return TRUE;
        },
        reinterpret_cast<LPARAM>(&count));
    return count;
  };
  EXPECT_EQ(windows(), 1);
  bench->UseController(4);
  EXPECT_EQ(windows(), 1);
  EXPECT_EQ(bench->DsnRegister1->DsnInspector(), bench->DsnInspector1);
  Click(grid, 20, 20);
  EXPECT_EQ(ValueOf("Left"), IntToStr(grid->Left()));
  ClickSwitch();
  EXPECT_EQ(windows(), 0);
}

}  // namespace
