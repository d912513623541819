// The property model: configuration lists, the offered names and merged values for selections
// across classes, with withheld names and differing values, through every selection operation and
// after deaths; the context-menu table; selection snapshots; the inspector's write-back path; and
// unique names while reading.
#include <gtest/gtest.h>

#include <windows.h>

#include <algorithm>
#include <memory>
#include <random>
#include <vector>

#include "designer/DsnInfo.h"
#include "designer/DsnProp.h"
#include "designer/Dsnfunc.h"
#include "framework/stdctrls/Image.h"
#include "framework/stdctrls/Memo.h"
#include "framework/stdctrls/Panel.h"
#include "framework/stdctrls/Shape.h"
#include "framework/windows/Forms.h"

namespace {

std::vector<String> Lines(TStrings* list) {
  std::vector<String> lines;
  for (int i = 0; i < list->Count(); ++i) lines.push_back(list->Get(i));
  return lines;
}

void SetLines(TStrings* list, std::initializer_list<const char*> lines) {
  list->Clear();
  for (const char* line : lines) list->Add(line);
}

// ---------------------------------------------------------------------------------------------
// Configuration lists

TEST(DsnFunc, EntriesSplitAtTheFirstBar) {
  TStringList source, names, captions;
  SetLines(&source, {"Left|X", "Top", "Color|Farbe|hell", "|Nameless", "Width|"});
  names.Add("stale");
  SepareteStringsByBar(&source, &names, &captions);
  EXPECT_EQ(Lines(&names), (std::vector<String>{"Left", "Top", "Color", "", "Width"}));
  EXPECT_EQ(Lines(&captions), (std::vector<String>{"X", "Top", "Farbe|hell", "Nameless", ""}));

  // Either output missing: nothing at all changes.
  SepareteStringsByBar(&source, &names, nullptr);
  EXPECT_EQ(names.Count(), 5);
}

TEST(DsnFunc, CaptionsAreFoundByNameWithoutRegardToCase) {
  TStringList names, captions;
  SetLines(&names, {"Left", "Top"});
  SetLines(&captions, {"X", "Y"});
  EXPECT_EQ(GetPropCaption("TOP", &names, &captions), "Y");
  EXPECT_THROW(GetPropCaption("Width", &names, &captions), EListError);
}

TEST(DsnFunc, OrderFollowsTheConfigurationAndKeepsTheRestBehind) {
  TStringList order, names, values;
  SetLines(&order, {"color", "Left", "Ghost", "Top", "Left"});
  SetLines(&names, {"Width", "Top", "Height", "Left", "Color"});
  SetLines(&values, {"w", "t", "h", "l", "c"});
  OderProps(&order, &names, &values);
  EXPECT_EQ(Lines(&names), (std::vector<String>{"Color", "Left", "Top", "Width", "Height"}));
  EXPECT_EQ(Lines(&values), (std::vector<String>{"c", "l", "t", "w", "h"}));
}

TEST(DsnFunc, MergedValuesByKind) {
  struct Case {
    TTypeKind kind;
    const char* merged;
    const char* further;
    const char* result;
  };
  const Case cases[] = {
      {tkInteger, "100", "100", "100"},    {tkInteger, "100", "120", ""},
      {tkEnumeration, "alTop", "alTop", "alTop"}, {tkEnumeration, "True", "true", ""},
      {tkSet, "[akLeft]", "[akLeft]", "[akLeft]"}, {tkFloat, "1.5", "1.25", ""},
      {tkChar, "a", "a", "a"},             {tkLString, "A", "B", "A"},
      {tkString, "A", "", "A"},            {tkClass, "(TFont)", "(TFont)", ""},
      {tkMethod, "Click", "Click", ""},    {tkWString, "x", "x", ""},
      {tkUnknown, "x", "x", ""},
  };
  for (const Case& c : cases) {
    TMyPropInfo further{"P", c.further, c.kind};
    EXPECT_EQ(MergePropValue(c.merged, further), c.result) << int(c.kind) << " " << c.merged << "/" << c.further;
  }
}

// ---------------------------------------------------------------------------------------------
// Unique names

TEST(DsnFunc, ATakenNameBecomesTheFirstFreeNumberedOne) {
  TForm owner(nullptr);
  auto* memo1 = new TMemo(&owner);
  memo1->SetName("Memo1");
  auto* memo2 = new TMemo(&owner);
  memo2->SetName("memo2");
  TMemo incoming(nullptr);

  String name = "Balloon";
  DsnCheckName(&owner, nullptr, &incoming, name);
  EXPECT_EQ(name, "Balloon");

  name = "Memo1";
  DsnCheckName(&owner, nullptr, &incoming, name);
  EXPECT_EQ(name, "Memo3");

  // The base comes from the class, not from the name read.
  TShape shape(nullptr);
  name = "MEMO1";
  DsnCheckName(&owner, nullptr, &shape, name);
  EXPECT_EQ(name, "Shape1");
}

TEST(DsnFunc, WithinOneReadTheSearchGoesOnWhereItStoppedAndStillFindsTheFirstFreeName) {
  TForm owner(nullptr);
  for (const char* taken : {"Shape1", "Shape2", "Shape3", "Shape5"}) (new TShape(&owner))->SetName(taken);
  TFreeNameHint hint;
  std::vector<String> given;
  for (int i = 0; i < 3; ++i) {
    auto* read = new TShape(&owner);
    String name = "Shape2";
    DsnCheckName(&owner, nullptr, read, name, &hint);
    read->SetName(name);
    given.push_back(name);
  }
  EXPECT_EQ(given, (std::vector<String>{"Shape4", "Shape6", "Shape7"}));
  // A free name read stays as it is and moves no search.
  String free = "Shape9";
  DsnCheckName(&owner, nullptr, &owner, free, &hint);
  EXPECT_EQ(free, "Shape9");
}

// ---------------------------------------------------------------------------------------------
// Selection snapshots

TEST(DsnProp, SnapshotsAppendEveryEntryAndCheckTheirIndex) {
  TShape a(nullptr), b(nullptr);
  TList list;
  list.Add(&a);
  list.Add(nullptr);
  TSelectedComponents snapshot;
  snapshot.AssignList(&list);
  list.Clear();
  list.Add(&b);
  snapshot.AssignList(&list);
  ASSERT_EQ(snapshot.Count(), 3);
  EXPECT_EQ(snapshot.GetComponents(0), &a);
  EXPECT_EQ(snapshot.GetComponents(1), nullptr);
  EXPECT_EQ(snapshot.GetComponents(2), &b);
  EXPECT_THROW(snapshot.GetComponents(3), EListError);
  EXPECT_THROW(snapshot.GetComponents(-1), EListError);
}

// ---------------------------------------------------------------------------------------------
// The live model

// A model with a configuration touching every kind of difference between the test classes:
// shapes (no Color, Font or Caption), memos (no Caption, no Shape), panels (Caption) and images.
class DsnMultiProps : public ::testing::Test {
 protected:
  DsnMultiProps() {
    TStringList self, names, captions;
    SetLines(&self, {"Name", "Caption|Text", "Color|Colour", "Font", "Left|X", "Top|Y", "Width", "Height",
                     "Shape|Form", "Lines", "OnClick", "Ghost|Nobody has it", "Stretch|Stretched|to fit"});
    SepareteStringsByBar(&self, &names, &captions);
    model.SetInspectList(&names);
    model.SetCaptionList(&captions);
    TStringList out;
    SetLines(&out, {"name", "Caption"});
    model.SetOutList(&out);
  }

  template <class T>
  T* Make(const char* name, int left, int width) {
    auto* control = new T(&form);
    control->SetName(name);
    control->SetBounds(left, 10, width, 20);
    return control;
  }

  // What the invariant says Names must hold for `items`, worked out from the type information.
  std::vector<String> ExpectedNames(const std::vector<TControl*>& items) {
    std::vector<String> names;
    if (items.empty()) return names;
    for (int i = 0; i < model.InspectList()->Count(); ++i) {
      const String wanted = model.InspectList()->Get(i);
      const TPropInfo* prop = GetPropInfo(items.front(), wanted);
      if (!prop) continue;
      bool everywhere = true;
      for (TControl* item : items) everywhere = everywhere && GetPropInfo(item, wanted) != nullptr;
      const bool withheld = items.size() > 1 && model.OutList()->IndexOf(wanted) >= 0;
      bool seen = false;
      for (const String& n : names) seen = seen || SameText(n, wanted);
      if (everywhere && !withheld && !seen) names.push_back(prop->Name);
    }
    return names;
  }

  // The table the context menu's one-pass computation gives for the same items.
  std::vector<String> OnePassValues(const std::vector<TControl*>& items) {
    TList list;
    for (TControl* item : items) list.Add(item);
    TStringList names, values;
    GetPropTable(&list, model.InspectList(), model.OutList(), &names, &values);
    EXPECT_EQ(Lines(&names), ExpectedNames(items));
    return Lines(&values);
  }

  void ExpectTable(const std::vector<TControl*>& items, const char* step) {
    EXPECT_EQ(Lines(model.Names()), ExpectedNames(items)) << step;
    EXPECT_EQ(Lines(model.Values()), OnePassValues(items)) << step;
    ASSERT_EQ(model.Items()->Count(), static_cast<int>(items.size())) << step;
    for (std::size_t i = 0; i < items.size(); ++i) EXPECT_EQ(model.Items()->Items(static_cast<int>(i)), items[i]) << step;
  }

  TForm form{nullptr};
  TMultiProps model;
};

TEST_F(DsnMultiProps, ASingleShapeShowsItsConfiguredPropertiesWithTheirValues) {
  TShape* shape = Make<TShape>("Shape1", 8, 100);
  model.Add(shape);
  EXPECT_EQ(Lines(model.Names()), (std::vector<String>{"Name", "Left", "Top", "Width", "Height", "Shape"}));
  EXPECT_EQ(Lines(model.Values()), (std::vector<String>{"Shape1", "8", "10", "100", "20", "stRectangle"}));
  EXPECT_EQ(Lines(model.ClassNames()), (std::vector<String>{"TShape"}));
  EXPECT_EQ(Lines(model.Candidates()), Lines(model.Names()));
  EXPECT_EQ(GetPropCaption("Left", model.InspectList(), model.CaptionList()), "X");
  EXPECT_EQ(GetPropCaption("Stretch", model.InspectList(), model.CaptionList()), "Stretched|to fit");
}

TEST_F(DsnMultiProps, WithheldNamesLeaveWithTheSecondControlAndComeBackInTheirPlace) {
  TShape* a = Make<TShape>("A", 8, 100);
  TShape* b = Make<TShape>("B", 8, 120);
  model.Add(a);
  model.Add(b);
  EXPECT_EQ(Lines(model.Names()), (std::vector<String>{"Left", "Top", "Width", "Height", "Shape"}));
  // A common left; differing widths show blank.
  EXPECT_EQ(Lines(model.Values()), (std::vector<String>{"8", "10", "", "20", "stRectangle"}));
  model.Delete(0);
  EXPECT_EQ(Lines(model.Names()), (std::vector<String>{"Name", "Left", "Top", "Width", "Height", "Shape"}));
  EXPECT_EQ(model.Values()->Get(0), "B");
  EXPECT_EQ(model.Values()->Get(3), "120");
}

TEST_F(DsnMultiProps, AClassLackingAPropertyHidesItUntilItLeaves) {
  TMemo* memo = Make<TMemo>("Memo1", 8, 100);
  TShape* shape = Make<TShape>("Shape1", 8, 100);
  model.Add(memo);
  EXPECT_EQ(Lines(model.Names()),
            (std::vector<String>{"Name", "Color", "Font", "Left", "Top", "Width", "Height", "Lines", "OnClick"}));
  model.Add(shape);
  EXPECT_EQ(Lines(model.Names()), (std::vector<String>{"Left", "Top", "Width", "Height"}));
  EXPECT_EQ(Lines(model.Values()), (std::vector<String>{"8", "10", "100", "20"}));
  model.Delete(1);
  EXPECT_EQ(Lines(model.Names()),
            (std::vector<String>{"Name", "Color", "Font", "Left", "Top", "Width", "Height", "Lines", "OnClick"}));
  EXPECT_EQ(model.Values()->Get(2), "(TFont)");
  EXPECT_EQ(model.Values()->Get(7), "(TStrings)");
}

TEST_F(DsnMultiProps, StringsShowTheFirstTextObjectsAndEventsShowBlank) {
  TPanel* a = Make<TPanel>("PanelA", 0, 50);
  TPanel* b = Make<TPanel>("PanelB", 0, 50);
  a->SetCaption("A");
  b->SetCaption("B");
  // Caption is withheld from multiple selections here; offer it by configuring no out list.
  TStringList none;
  model.SetOutList(&none);
  model.Add(a);
  EXPECT_EQ(model.Values()->Get(model.Names()->IndexOf("Font")), "(TFont)");
  model.Add(b);
  EXPECT_EQ(model.Values()->Get(model.Names()->IndexOf("Caption")), "A");
  EXPECT_EQ(model.Values()->Get(model.Names()->IndexOf("Name")), "PanelA");
  EXPECT_EQ(model.Values()->Get(model.Names()->IndexOf("Font")), "");
  EXPECT_EQ(model.Values()->Get(model.Names()->IndexOf("OnClick")), "");
  EXPECT_EQ(model.Values()->Get(model.Names()->IndexOf("Color")), IntToStr(clBtnFace));
  EXPECT_EQ(model.Values()->Get(model.Names()->IndexOf("Width")), "50");
}

TEST_F(DsnMultiProps, AddingAControlTwiceChangesNothing) {
  TShape* a = Make<TShape>("A", 8, 100);
  model.Add(a);
  const auto names = Lines(model.Names());
  const auto values = Lines(model.Values());
  model.Add(a);
  EXPECT_EQ(model.Items()->Count(), 1);
  EXPECT_EQ(Lines(model.Names()), names);
  EXPECT_EQ(Lines(model.Values()), values);
}

TEST_F(DsnMultiProps, GetValuesFollowsMovesAndClearForgetsTheSelectionButNotTheConfiguration) {
  TShape* a = Make<TShape>("A", 8, 100);
  TShape* b = Make<TShape>("B", 8, 100);
  model.Add(a);
  model.Add(b);
  b->SetLeft(12);
  model.GetValues();
  EXPECT_EQ(model.Values()->Get(0), "");
  a->SetLeft(12);
  model.GetValues();
  EXPECT_EQ(model.Values()->Get(0), "12");
  model.Clear();
  EXPECT_EQ(model.Items()->Count(), 0);
  EXPECT_EQ(model.Names()->Count(), 0);
  EXPECT_EQ(model.Values()->Count(), 0);
  EXPECT_EQ(model.ClassNames()->Count(), 0);
  EXPECT_EQ(model.Candidates()->Count(), 0);
  EXPECT_EQ(model.InspectList()->Count(), 13);
  EXPECT_EQ(model.OutList()->Count(), 2);
}

TEST_F(DsnMultiProps, AfterADeathTheRemainingControlsShowWhatTheyHaveInCommon) {
  TMemo* memo = Make<TMemo>("Memo1", 8, 100);
  TShape* shape = Make<TShape>("Shape1", 8, 100);
  model.Add(memo);
  model.Add(shape);
  model.ItemDeath(1);
  // Until the slot goes the table stays as it is.
  EXPECT_EQ(Lines(model.Names()), (std::vector<String>{"Left", "Top", "Width", "Height"}));
  EXPECT_EQ(model.Items()->Items(1), nullptr);
  delete shape;
  model.Delete(1);
  ExpectTable({memo}, "after the death");
  EXPECT_EQ(model.Names()->Get(0), "Name");

  model.ItemDeath(0);
  delete memo;
  model.Delete(0);
  EXPECT_EQ(model.Items()->Count(), 0);
  EXPECT_EQ(model.Names()->Count(), 0);
}

// Random selection changes over controls of four classes; after every operation the table equals
// what the invariant asks for, and the values equal the one-pass computation of the context menu.
TEST_F(DsnMultiProps, TheInvariantHoldsThroughRandomSelectionChanges) {
  std::vector<TControl*> pool;
  for (int i = 0; i < 3; ++i) {
    pool.push_back(Make<TShape>(Format("S%d", i).c_str(), 4 * (i % 2), 100 + 10 * (i % 2)));
    pool.push_back(Make<TMemo>(Format("M%d", i).c_str(), 4 * (i % 2), 100));
    pool.push_back(Make<TPanel>(Format("P%d", i).c_str(), 0, 100));
    pool.push_back(Make<TImage>(Format("I%d", i).c_str(), 4, 100));
  }
  std::mt19937 random(20240607);
  std::vector<TControl*> selected;
  for (int step = 0; step < 400; ++step) {
    const int choice = static_cast<int>(random() % 10);
    const std::string what = "step " + std::to_string(step);
    if (choice < 5 && !pool.empty()) {
      TControl* control = pool[random() % pool.size()];
      model.Add(control);
      if (std::find(selected.begin(), selected.end(), control) == selected.end()) selected.push_back(control);
    } else if (choice < 8 && !selected.empty()) {
      const int index = static_cast<int>(random() % selected.size());
      model.Delete(index);
      selected.erase(selected.begin() + index);
    } else if (choice < 9 && !selected.empty()) {
      // A selected control dies: its slot empties, the control goes, the slot is removed.
      const int index = static_cast<int>(random() % selected.size());
      TControl* dying = selected[index];
      model.ItemDeath(index);
      pool.erase(std::find(pool.begin(), pool.end(), dying));
      delete dying;
      model.Delete(index);
      selected.erase(selected.begin() + index);
    } else {
      model.Clear();
      selected.clear();
    }
    ExpectTable(selected, what.c_str());
    if (HasFailure()) return;
  }
}

// ---------------------------------------------------------------------------------------------
// The context-menu table

TEST(DsnContextProps, TheTableIsComputedOnceWithCaptionsInConfigurationOrder) {
  TForm form(nullptr);
  auto* a = new TShape(&form);
  a->SetName("A");
  a->SetBounds(4, 8, 10, 10);
  auto* b = new TShape(&form);
  b->SetName("B");
  b->SetBounds(4, 8, 12, 10);
  TStringList self, out;
  SetLines(&self, {"Width|W", "Name", "Left|X|Y", "Ghost|G"});
  SetLines(&out, {"Name"});
  TList targets;
  targets.Add(a);

  TContextProps table;
  table.CreateTable(&self, &out, &targets);
  EXPECT_EQ(Lines(table.Names()), (std::vector<String>{"Width", "Name", "Left"}));
  EXPECT_EQ(Lines(table.Values()), (std::vector<String>{"10", "A", "4"}));
  EXPECT_EQ(table.GetCaption(0), "W");
  EXPECT_EQ(table.GetCaption(1), "Name");
  EXPECT_EQ(table.GetCaption(2), "X|Y");
  EXPECT_EQ(table.Targets(), &targets);
  EXPECT_EQ(table.OutList(), &out);

  targets.Add(b);
  table.CreateTable(&self, &out, &targets);
  EXPECT_EQ(Lines(table.Names()), (std::vector<String>{"Width", "Left"}));
  EXPECT_EQ(Lines(table.Values()), (std::vector<String>{"", "4"}));
}

// ---------------------------------------------------------------------------------------------
// The inspector

// Records what the model and the controller ask of an inspector.
class TRecordingInspector : public TCustomInspector {
 public:
  using TCustomInspector::TCustomInspector;
  void Show() override { ++shown; }
  void Hide() override { ++hidden; }
  void BtnClick(const String&, String&) override {}
  void SetPosition() override { ++positioned; }
  void GetPropLists(TStrings* names, TStrings* captions) override {
    SepareteStringsByBar(SelfProps(), names, captions);
  }
  int shown = 0, hidden = 0, positioned = 0;
};

// A plain window whose queue receives what the inspector posts to "the stage".
class TStageWindow {
 public:
  TStageWindow() : handle(CreateWindowExW(0, L"STATIC", L"", 0, 0, 0, 1, 1, nullptr, nullptr, nullptr, nullptr)) {}
  ~TStageWindow() { DestroyWindow(handle); }
  int Posted(UINT msg) {
    int count = 0;
    MSG m;
    while (PeekMessageW(&m, handle, msg, msg, PM_REMOVE)) ++count;
    return count;
  }
  HWND handle;
};

class DsnInspector : public ::testing::Test {
 protected:
  DsnInspector() {
    SetLines(inspector->SelfProps(), {"Width", "Caption"});
    TStringList names, captions;
    inspector->GetPropLists(&names, &captions);
    model->SetInspectList(&names);
    model->SetCaptionList(&captions);
    model->SetInspector(inspector);
    inspector->SetStageHandle(stage.handle);
    for (TPanel* panel : {a, b}) {
      panel->SetParent(&form);
      panel->SetBounds(0, 0, 40, 40);
    }
    a->SetName("A");
    b->SetName("B");
  }

  TForm form{nullptr};
  TPanel* a = new TPanel(&form);
  TPanel* b = new TPanel(&form);
  TRecordingInspector* inspector = new TRecordingInspector(&form);
  std::unique_ptr<TMultiProps> model = std::make_unique<TMultiProps>();
  TStageWindow stage;
};

TEST_F(DsnInspector, DesigningShowsAndHidesOncePerChange) {
  inspector->SetDesigning(true);
  inspector->SetDesigning(true);
  EXPECT_EQ(inspector->shown, 1);
  inspector->SetDesigning(false);
  inspector->SetDesigning(false);
  EXPECT_EQ(inspector->hidden, 1);
}

TEST_F(DsnInspector, AWrittenValueReachesEverySelectedControlAndTheStage) {
  model->Add(a);
  model->Add(b);
  EXPECT_EQ(inspector->MultiProps(), model.get());
  inspector->SetProperty("width", "64");
  EXPECT_EQ(a->Width(), 64);
  EXPECT_EQ(b->Width(), 64);
  EXPECT_EQ(model->Values()->Get(0), "64");
  EXPECT_EQ(stage.Posted(DSNM_PROPERTYCHANGED), 1);
  model->SetPosition();
  EXPECT_EQ(inspector->positioned, 1);
}

TEST_F(DsnInspector, AnIllegalValueChangesNothingAndPostsNothing) {
  model->Add(a);
  model->Add(b);
  b->SetWidth(50);
  model->GetValues();
  const auto values = Lines(model->Values());
  try {
    inspector->SetProperty("Width", "12x");
    FAIL() << "no error";
  } catch (const Exception& e) {
    EXPECT_EQ(e.Message(), "12x is illegal (Width)");
  }
  EXPECT_EQ(a->Width(), 40);
  EXPECT_EQ(b->Width(), 50);
  EXPECT_EQ(Lines(model->Values()), values);
  EXPECT_EQ(stage.Posted(DSNM_PROPERTYCHANGED), 0);
}

TEST_F(DsnInspector, ModelAndInspectorForgetEachOtherWhenEitherGoes) {
  model.reset();
  EXPECT_EQ(inspector->MultiProps(), nullptr);
  inspector->SetProperty("Width", "10");  // no model: nothing to write
  EXPECT_EQ(a->Width(), 40);

  model = std::make_unique<TMultiProps>();
  model->SetInspector(inspector);
  delete inspector;
  EXPECT_EQ(model->Inspector(), nullptr);
  model->SetPosition();  // must not reach the dead inspector
}

// A windowed control that notes the selection requests the inspector sends to its window.
class TSelectProbe : public TCustomControl {
 public:
  using TCustomControl::TCustomControl;
  std::vector<WPARAM> requests;

 protected:
  void WndProc(TMessage& message) override {
    if (message.Msg == DSNM_SELECTBYINSPECT) requests.push_back(message.WParam);
    TCustomControl::WndProc(message);
  }
};

TEST_F(DsnInspector, ChangingTheTargetAsksTheControlsWindowOrItsParents) {
  auto* host = new TSelectProbe(&form);
  host->SetParent(&form);
  auto* child = new TSelectProbe(&form);
  child->SetParent(host);
  auto* shape = new TShape(&form);
  shape->SetParent(host);
  inspector->ChangeTarget(child);
  inspector->ChangeTarget(shape);
  EXPECT_EQ(child->requests, (std::vector<WPARAM>{reinterpret_cast<WPARAM>(child)}));
  EXPECT_EQ(host->requests, (std::vector<WPARAM>{reinterpret_cast<WPARAM>(shape)}));
}

}  // namespace
