// The component palette under real mouse input: arming templates, creating from them on the stage,
// the arrow button, templates found again by name (also after the palette was stored and read), and
// the authoring side that turns controls dropped on the palette into templates and buttons.
#include <gtest/gtest.h>

#include <memory>
#include <vector>

#include "LayoutModeSupport.h"
#include "designer/DsnPanel.h"
#include "tests/support/InputDrivers.h"
#include "tests/support/MessagePump.h"
#include "tests/support/StreamWriters.h"

namespace {

using namespace test_support;
using layouttest::TPageForm;

template <class T>
T* Place(TComponent* owner, TWinControl* parent, const char* name, TRect bounds) {
  auto* control = new T(owner);
  control->SetName(name);
  control->SetParent(parent);
  control->SetBounds(bounds.Left, bounds.Top, bounds.Width(), bounds.Height());
  return control;
}

// A palette beside the stage of the page form, under the button panel: the arrow button and a
// button each for a memo, a shape and a template that does not exist, in one column.
class DsnPanelRun : public ::testing::Test {
 protected:
  void SetUp() override {
    layouttest::RegisterClassesOnce();
    memoTemplate->SetColor(clYellow);
    shapeTemplate->SetShape(stEllipse);
    arrow->SetGroupIndex(kPaletteGroupIndex);
    for (TDsnButton* button : {memoButton, shapeButton, orphanButton}) button->SetGroupIndex(kPaletteGroupIndex);
    memoButton->SetGeneName("Dpst_TMemo");
    shapeButton->SetGeneName("Dpst_TShape");
    orphanButton->SetGeneName("Dpst_TGone");
    page.controller->SetDsnPanel(palette);
    page.controller->SetArrowButton(arrow);
    page.controller->SetDesigning(true);
  }

  TPoint On(TControl* control, int x, int y) { return TPageForm::ScreenOf(control, {x, y}); }
  void Press(TSpeedButton* button) { mouse.Click(On(button, 20, 20)); }
  std::vector<TSpeedButton*> DownButtons() const {
    std::vector<TSpeedButton*> down;
    for (TSpeedButton* button : std::vector<TSpeedButton*>{arrow, memoButton, shapeButton, orphanButton})
      if (button->Down()) down.push_back(button);
    return down;
  }

  TPageForm page;
  TMouseDriver mouse{page.form};
  TPanel* deposit = Place<TPanel>(page.form, page.form, "DsnDpstPanel", Bounds(-100, -100, 50, 50));
  TMemo* memoTemplate = Place<TMemo>(page.form, deposit, "Dpst_TMemo", Bounds(0, 0, 50, 50));
  TShape* shapeTemplate = Place<TShape>(page.form, deposit, "Dpst_TShape", Bounds(0, 0, 50, 50));
  TDsnPanel* palette = Place<TDsnPanel>(page.form, page.form, "DsnPanel1", Bounds(442, 60, 160, 300));
  TArrowButton* arrow = Place<TArrowButton>(page.form, palette, "ArrowButton1", Bounds(8, 8, 90, 50));
  TDsnButton* memoButton = Place<TDsnButton>(page.form, palette, "DsnButton1", Bounds(8, 58, 90, 50));
  TDsnButton* shapeButton = Place<TDsnButton>(page.form, palette, "DsnButton2", Bounds(8, 108, 90, 50));
  TDsnButton* orphanButton = Place<TDsnButton>(page.form, palette, "DsnButton3", Bounds(8, 158, 90, 50));
};

TEST_F(DsnPanelRun, ButtonsWorkOnlyInDesignModeWhichStartsWithTheArrowDown) {
  EXPECT_EQ(DownButtons(), (std::vector<TSpeedButton*>{arrow}));
  EXPECT_TRUE(arrow->Enabled());
  EXPECT_TRUE(memoButton->Enabled());
  EXPECT_EQ(arrow->Palette(), palette);
  EXPECT_EQ(palette->ArrowButton(), arrow);

  Press(memoButton);
  EXPECT_EQ(palette->GetTemplate(), memoTemplate);
  page.controller->SetDesigning(false);
  EXPECT_EQ(palette->GetTemplate(), nullptr);
  for (TSpeedButton* button : std::vector<TSpeedButton*>{arrow, memoButton, shapeButton, orphanButton})
    EXPECT_FALSE(button->Enabled()) << button->Name();
  Press(shapeButton);
  EXPECT_FALSE(shapeButton->Down());
  EXPECT_EQ(palette->GetTemplate(), nullptr);

  page.controller->SetDesigning(true);
  EXPECT_EQ(DownButtons(), (std::vector<TSpeedButton*>{arrow}));
}

TEST_F(DsnPanelRun, AnArmedMemoTemplateIsCopiedIntoTheDraggedRectangle) {
  Press(memoButton);
  EXPECT_EQ(DownButtons(), (std::vector<TSpeedButton*>{memoButton}));
  EXPECT_EQ(palette->GetTemplate(), memoTemplate);

  // Grid 4: the press at (253, 201) snaps to (252, 200), the release at (333, 243) to (332, 240).
  mouse.Drag(On(page.stage, 253, 201), On(page.stage, 333, 243));
  auto* created = dynamic_cast<TMemo*>(page.form->FindComponent("Memo3"));
  ASSERT_NE(created, nullptr);
  EXPECT_EQ(created->Parent(), page.stage);
  EXPECT_EQ(created->BoundsRect(), Bounds(252, 200, 80, 40));
  EXPECT_EQ(created->Color(), clYellow);
  EXPECT_EQ(page.Selection(), (std::vector<TControl*>{created}));
  EXPECT_EQ(DownButtons(), (std::vector<TSpeedButton*>{arrow}));
  EXPECT_EQ(palette->GetTemplate(), nullptr);

  // One press creates one control: the next drag selects by area.
  const int components = page.form->ComponentCount();
  mouse.Drag(On(page.stage, 360, 300), On(page.stage, 400, 340));
  EXPECT_EQ(page.form->ComponentCount(), components);
}

TEST_F(DsnPanelRun, TheTemplateStaysHiddenAndApartFromItsCopy) {
  Press(memoButton);
  mouse.Drag(On(page.stage, 252, 200), On(page.stage, 332, 240));
  auto* created = dynamic_cast<TMemo*>(page.form->FindComponent("Memo3"));
  ASSERT_NE(created, nullptr);
  EXPECT_EQ(memoTemplate->Name(), "Dpst_TMemo");
  EXPECT_EQ(memoTemplate->Parent(), deposit);
  EXPECT_EQ(memoTemplate->BoundsRect(), Bounds(0, 0, 50, 50));
  EXPECT_EQ(TPageForm::InterceptorOf(memoTemplate), nullptr);
  // Off the form's client area: nothing of the deposit can be seen.
  EXPECT_LE(deposit->Left() + deposit->Width(), 0);
  EXPECT_LE(deposit->Top() + deposit->Height(), 0);

  const String templateText = memoTemplate->Text();
  created->SetColor(clAqua);
  created->SetText("copy");
  EXPECT_EQ(memoTemplate->Color(), clYellow);
  EXPECT_EQ(memoTemplate->Text(), templateText);
  memoTemplate->SetColor(clLime);
  EXPECT_EQ(created->Color(), clAqua);
}

TEST_F(DsnPanelRun, TheLastOfTwoPressedButtonsIsArmed) {
  Press(memoButton);
  Press(shapeButton);
  EXPECT_EQ(DownButtons(), (std::vector<TSpeedButton*>{shapeButton}));
  EXPECT_EQ(palette->GetTemplate(), shapeTemplate);
  mouse.Drag(On(page.stage, 300, 200), On(page.stage, 340, 240));
  EXPECT_NE(dynamic_cast<TShape*>(page.form->FindComponent("Shape3")), nullptr);
  EXPECT_EQ(page.form->FindComponent("Memo3"), nullptr);
}

TEST_F(DsnPanelRun, TheArrowButtonDisarmsAndStaysDown) {
  Press(memoButton);
  Press(arrow);
  EXPECT_EQ(DownButtons(), (std::vector<TSpeedButton*>{arrow}));
  EXPECT_EQ(palette->GetTemplate(), nullptr);
  Press(arrow);
  EXPECT_EQ(DownButtons(), (std::vector<TSpeedButton*>{arrow}));
  EXPECT_EQ(palette->GetTemplate(), nullptr);

  const int components = page.form->ComponentCount();
  mouse.Drag(On(page.stage, 300, 200), On(page.stage, 340, 240));
  EXPECT_EQ(page.form->ComponentCount(), components);
}

TEST_F(DsnPanelRun, AButtonWithoutItsTemplatePressesTheArrowButtonAndDisarms) {
  Press(memoButton);
  Press(orphanButton);
  EXPECT_EQ(DownButtons(), (std::vector<TSpeedButton*>{arrow}));
  EXPECT_EQ(palette->GetTemplate(), nullptr);

  // An armed template that is destroyed is no longer armed.
  Press(shapeButton);
  delete shapeTemplate;
  EXPECT_EQ(palette->GetTemplate(), nullptr);
  EXPECT_EQ(shapeButton->Template(), nullptr);
}

TEST_F(DsnPanelRun, TemplatesAreFoundByNameEachTimeDesignModeStarts) {
  EXPECT_EQ(memoButton->Template(), memoTemplate);
  EXPECT_EQ(memoButton->Palette(), palette);
  EXPECT_EQ(orphanButton->Template(), nullptr);

  page.controller->SetDesigning(false);
  memoTemplate->SetName("Renamed");
  page.controller->SetDesigning(true);
  EXPECT_EQ(memoButton->Template(), nullptr);
  Press(memoButton);
  EXPECT_EQ(DownButtons(), (std::vector<TSpeedButton*>{arrow}));

  page.controller->SetDesigning(false);
  memoTemplate->SetName("Dpst_TMemo");
  page.controller->SetDesigning(true);
  Press(memoButton);
  EXPECT_EQ(palette->GetTemplate(), memoTemplate);
}

// ---------------------------------------------------------------------------------------------
// A palette stored and read back

TEST(DsnPanelStream, AReadPaletteFindsItsTemplatesByName) {
  layouttest::RegisterClassesOnce();
  RegisterClass(TForm::StaticClassInfo());
  auto original = std::make_unique<TForm>(nullptr);
  original->SetName("PaletteForm");
  original->SetBorderStyle(bsNone);
  original->SetBounds(60, 60, 500, 300);
  auto* stage = Place<TDsnStage>(original.get(), original.get(), "DsnStage1", Bounds(0, 0, 300, 300));
  auto* deposit = Place<TPanel>(original.get(), original.get(), "DsnDpstPanel", Bounds(-100, -100, 50, 50));
  Place<TMemo>(original.get(), deposit, "Dpst_TMemo", Bounds(0, 0, 50, 50))->SetColor(clYellow);
  auto* palette = Place<TDsnPanel>(original.get(), original.get(), "DsnPanel1", Bounds(300, 0, 200, 300));
  palette->SetBtnWidth(80);
  auto* arrow = Place<TArrowButton>(original.get(), palette, "ArrowButton1", Bounds(8, 8, 80, 50));
  arrow->SetGroupIndex(kPaletteGroupIndex);
  auto* button = Place<TDsnButton>(original.get(), palette, "DsnButton1", Bounds(88, 8, 80, 50));
  button->SetGroupIndex(kPaletteGroupIndex);
  button->SetGeneName("Dpst_TMemo");
  auto* controller = new TDsnRegister(original.get());
  controller->SetName("DsnRegister1");
  controller->SetDsnStage(stage);
  controller->SetDsnPanel(palette);
  controller->SetArrowButton(arrow);

  const std::unique_ptr<TForm> form = RoundTrip(*original);
  original.reset();
  ASSERT_NE(form, nullptr);
  auto* readPalette = dynamic_cast<TDsnPanel*>(form->FindComponent("DsnPanel1"));
  auto* readButton = dynamic_cast<TDsnButton*>(form->FindComponent("DsnButton1"));
  auto* readArrow = dynamic_cast<TArrowButton*>(form->FindComponent("ArrowButton1"));
  auto* readController = dynamic_cast<TDsnRegister*>(form->FindComponent("DsnRegister1"));
  ASSERT_TRUE(readPalette && readButton && readArrow && readController);
  EXPECT_EQ(readPalette->BtnWidth(), 80);
  EXPECT_EQ(readButton->GeneName(), "Dpst_TMemo");
  EXPECT_EQ(readButton->Palette(), readPalette);
  EXPECT_FALSE(readButton->Enabled());
  EXPECT_FALSE(readArrow->Enabled());
  EXPECT_EQ(readController->DsnPanel(), readPalette);
  EXPECT_EQ(readController->ArrowButton(), readArrow);

  form->Show();
  Pump(TPumpMode::DispatchWithoutRealInput);
  readController->SetDesigning(true);
  EXPECT_TRUE(readArrow->Down());
  EXPECT_EQ(readButton->Template(), form->FindComponent("Dpst_TMemo"));

  TMouseDriver mouse(form.get());
  mouse.Click(TPageForm::ScreenOf(readButton, {20, 20}));
  auto* stageRead = readController->DsnStage();
  mouse.Drag(TPageForm::ScreenOf(stageRead, {40, 40}), TPageForm::ScreenOf(stageRead, {120, 80}));
  auto* created = dynamic_cast<TMemo*>(form->FindComponent("Memo1"));
  ASSERT_NE(created, nullptr);
  EXPECT_EQ(created->Color(), clYellow);
  EXPECT_TRUE(readArrow->Down());
  readController->SetDesigning(false);
}

}  // namespace

namespace {

// ---------------------------------------------------------------------------------------------
// Authoring: controls dropped on the palette of a window being edited

class DsnPanelAuthoring : public ::testing::Test {
 protected:
  void SetUp() override {
    layouttest::RegisterClassesOnce();
    form->SetName("AuthoredForm");
    form->SetBorderStyle(bsNone);
    form->SetBounds(60, 60, 400, 300);
    form->Show();
    form->SetDesigning(true);
    Pump(TPumpMode::DispatchWithoutRealInput);
  }

  // Drops a new control of class T onto the palette and waits for its deposit.
  template <class T>
  T* Drop() {
    auto* control = new T(form.get());
    control->SetParent(palette);
    EXPECT_TRUE(PumpUntil([control, this] { return control->Parent() != palette; }, TPumpMode::DispatchWithoutRealInput));
    Pump(TPumpMode::DispatchWithoutRealInput);
    return control;
  }
  template <class T>
  T* Find(const char* name) const {
    return dynamic_cast<T*>(form->FindComponent(name));
  }

  std::unique_ptr<TForm> form = std::make_unique<TForm>(nullptr);
  TDsnPanel* palette = Place<TDsnPanel>(form.get(), form.get(), "DsnPanel1", Bounds(100, 0, 200, 300));
};

TEST_F(DsnPanelAuthoring, DroppedControlsBecomeTemplatesWithButtonsRowByRow) {
  auto* memo = Drop<TMemo>();
  auto* deposit = Find<TPanel>("DsnDpstPanel");
  ASSERT_NE(deposit, nullptr);
  EXPECT_EQ(deposit->Parent(), form.get());
  EXPECT_EQ(deposit->BoundsRect(), Bounds(-100, -100, 50, 50));
  EXPECT_EQ(memo->Name(), "Dpst_TMemo");
  EXPECT_EQ(memo->Parent(), deposit);
  EXPECT_EQ(memo->BoundsRect(), Bounds(0, 0, 50, 50));

  auto* arrow = Find<TArrowButton>("ArrowButton1");
  ASSERT_NE(arrow, nullptr);
  EXPECT_EQ(arrow->Parent(), palette);
  EXPECT_EQ(palette->ArrowButton(), arrow);
  EXPECT_EQ(arrow->BoundsRect(), Bounds(8, 8, 90, 50));
  EXPECT_EQ(arrow->GroupIndex(), kPaletteGroupIndex);

  auto* first = Find<TDsnButton>("DsnButton1");
  ASSERT_NE(first, nullptr);
  EXPECT_EQ(first->Parent(), palette);
  EXPECT_EQ(first->BoundsRect(), Bounds(98, 8, 90, 50));
  EXPECT_EQ(first->GroupIndex(), kPaletteGroupIndex);
  EXPECT_EQ(first->GeneName(), "Dpst_TMemo");
  EXPECT_EQ(first->Template(), memo);
  EXPECT_EQ(first->Palette(), palette);
  EXPECT_EQ(first->Caption(), "MEMO");
  EXPECT_EQ(first->Layout(), blGlyphTop);

  auto* secondMemo = Drop<TMemo>();
  EXPECT_EQ(secondMemo->Name(), "Dpst_TMemoX");
  auto* second = Find<TDsnButton>("DsnButton2");
  ASSERT_NE(second, nullptr);
  EXPECT_EQ(second->BoundsRect(), Bounds(8, 58, 90, 50));
  EXPECT_EQ(second->GeneName(), "Dpst_TMemoX");

  EXPECT_EQ(Drop<TMemo>()->Name(), "Dpst_TMemoXX");
  auto* shape = Drop<TShape>();
  EXPECT_EQ(shape->Name(), "Dpst_TShape");
  auto* fourth = Find<TDsnButton>("DsnButton4");
  ASSERT_NE(fourth, nullptr);
  EXPECT_EQ(fourth->BoundsRect(), Bounds(8, 108, 90, 50));
  EXPECT_EQ(fourth->Caption(), "SHAPE");
  EXPECT_EQ(Find<TArrowButton>("ArrowButton2"), nullptr);
  EXPECT_EQ(palette->ControlCount(), 5);
}

// Classes the palette has no picture of.
class TGadgetOne : public TPanel {
  TAVELKO_CLASS(TGadgetOne, TPanel)
 public:
  using TPanel::TPanel;
};
class TGadgetTwo : public TPanel {
  TAVELKO_CLASS(TGadgetTwo, TPanel)
 public:
  using TPanel::TPanel;
};

TEST_F(DsnPanelAuthoring, ButtonsShowTheirClassPictureOrTheGenericOne) {
  Drop<TMemo>();
  Drop<TShape>();
  Drop<TGadgetOne>();
  Drop<TGadgetTwo>();
  auto picture = [this](const char* button) {
    TBitmap* glyph = Find<TSpeedButton>(button)->Glyph();
    EXPECT_FALSE(glyph->Empty()) << button;
    return glyph->SaveToBytes();
  };
  const auto arrow = picture("ArrowButton1"), memo = picture("DsnButton1"), shape = picture("DsnButton2");
  EXPECT_NE(arrow, memo);
  EXPECT_NE(memo, shape);
  EXPECT_NE(picture("DsnButton3"), memo);
  EXPECT_EQ(picture("DsnButton3"), picture("DsnButton4"));
}

TEST_F(DsnPanelAuthoring, ANarrowPaletteGrowsToOneButtonARow) {
  palette->SetWidth(60);
  palette->SetBtnCaption(false);
  Drop<TShape>();
  EXPECT_EQ(palette->Width(), 114);
  auto* button = Find<TDsnButton>("DsnButton1");
  ASSERT_NE(button, nullptr);
  EXPECT_EQ(button->BoundsRect(), Bounds(8, 58, 90, 50));
  EXPECT_EQ(button->Caption(), "");
}

TEST_F(DsnPanelAuthoring, AButtonWidthOfZeroPlacesOneButtonARow) {
  palette->SetBtnWidth(0);
  Drop<TShape>();
  auto* button = Find<TDsnButton>("DsnButton1");
  ASSERT_NE(button, nullptr);
  EXPECT_EQ(button->BoundsRect(), Bounds(8, 58, 0, 50));
}

TEST_F(DsnPanelAuthoring, RemovingAButtonDestroysItsTemplateButNotTheOtherWayRound) {
  Drop<TMemo>();
  auto* shape = Drop<TShape>();
  delete Find<TDsnButton>("DsnButton1");
  EXPECT_EQ(form->FindComponent("Dpst_TMemo"), nullptr);
  EXPECT_EQ(form->FindComponent("Dpst_TShape"), shape);

  delete shape;
  auto* shapeButton = Find<TDsnButton>("DsnButton2");
  ASSERT_NE(shapeButton, nullptr);
  EXPECT_EQ(shapeButton->Template(), nullptr);
  EXPECT_EQ(shapeButton->GeneName(), "Dpst_TShape");
}

TEST_F(DsnPanelAuthoring, AControlDestroyedBeforeItsDepositIsForgotten) {
  auto* gone = new TMemo(form.get());
  gone->SetParent(palette);
  delete gone;
  Pump(TPumpMode::DispatchWithoutRealInput);
  EXPECT_EQ(Find<TDsnButton>("DsnButton1"), nullptr);
  EXPECT_EQ(Drop<TMemo>()->Name(), "Dpst_TMemo");
  EXPECT_NE(Find<TDsnButton>("DsnButton1"), nullptr);
}

TEST_F(DsnPanelAuthoring, OutsideAuthoringNothingIsDepositedOrDestroyed) {
  Drop<TMemo>();
  form->SetDesigning(false);
  auto* stays = new TShape(form.get());
  stays->SetParent(palette);
  Pump(TPumpMode::DispatchWithoutRealInput);
  EXPECT_EQ(stays->Parent(), palette);
  EXPECT_EQ(Find<TDsnButton>("DsnButton2"), nullptr);
  delete Find<TDsnButton>("DsnButton1");
  EXPECT_NE(form->FindComponent("Dpst_TMemo"), nullptr);
}

}  // namespace
