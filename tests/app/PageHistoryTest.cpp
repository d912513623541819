// Undo, redo and nudging in the page's layout mode, driven by real keys and mouse messages: every
// kind of layout change comes back exactly, the history holds a hundred steps, dialogue-mode
// changes make one step, and the arrow keys keep to the grid and the selection's parent.
#include <windows.h>

#include <algorithm>
#include <functional>

#include "designer/DsnHistory.h"
#include "framework/graphics/Bitmap.h"
#include "framework/stdctrls/Memo.h"
#include "framework/stdctrls/Shape.h"
#include "framework/stdctrls/SpeedButton.h"
#include "tests/app/PageDesignFixture.h"

class PageHistory : public PageDesign {
 protected:
  void LayoutMode() {
    ClickOnPanel(page->DsnSwitch1);
    ASSERT_TRUE(page->DsnRegister1->Designing());
  }
  void Key(WORD key, bool control = false, bool shift = false) { TypeKey(Stage(), key, control, shift); }
  void Undo() { Key('Z', true); }
  void Redo() { Key('Y', true); }
  // Where a point of `control` is on the screen.
  static TPoint On(TControl* control, int x, int y) {
    return control->Parent()->ClientToScreen({control->Left() + x, control->Top() + y});
  }
  static TRect BoundsOf(TControl* control) { return control->BoundsRect(); }
  TShape* Balloon(const char* name) { return dynamic_cast<TShape*>(page->FindComponent(name)); }
};

TEST_F(PageHistory, EachKindOfLayoutChangeIsUndoneAndRedoneExactly) {
  LayoutMode();
  TMouseDriver mouse(page);
  const std::vector<std::pair<const char*, std::function<void()>>> changes{
      {"move", [&] { mouse.Drag(On(Balloon("Shape1"), 4, 4), On(Balloon("Shape1"), -196, 44)); }},
      {"resize with a grab handle",
       [&] {
         TSmallRect* lowerRight = page->DsnRegister1->Handler()->Items(0)->Items(0);
         mouse.Drag(On(lowerRight, 0, 0), On(lowerRight, 13, 7));
       }},
      {"paste",
       [&] {
         Select(Balloon("Shape2"));
         Character(3);
         Select(page->DsnStage1);
         Character(22);
       }},
      {"cut",
       [&] {
         Select(Balloon("Shape3"));
         Character(24);
       }},
      {"delete",
       [&] {
         Select(Balloon("Shape5"));
         DeleteKey();
       }},
      {"nudge",
       [&] {
         Select(Balloon("Shape6"));
         Key(VK_LEFT);
       }},
  };
  for (const auto& [what, change] : changes) {
    SCOPED_TRACE(what);
    const std::vector<String> before = Inventory(true);
    change();
    const std::vector<String> after = Inventory(true);
    ASSERT_NE(after, before);
    Undo();
    EXPECT_EQ(Inventory(true), before);
    Redo();
    EXPECT_EQ(Inventory(true), after);
  }
  // All six, back to the stored page and forward again.
  const std::vector<String> last = Inventory(true);
  for (int i = 0; i < 6; ++i) Undo();
  EXPECT_FALSE(page->History().CanUndo());
  EXPECT_EQ(BoundsOf(Balloon("Shape1")), (TRect{414, 16, 564, 56}));
  for (int i = 0; i < 6; ++i) Redo();
  EXPECT_EQ(Inventory(true), last);
}

TEST_F(PageHistory, TheHistoryHoldsAHundredStepsAndEachKeyPressIsOne) {
  LayoutMode();
  Select(page->Memo0);
  const int start = page->Memo0->Left();
  for (int i = 1; i <= 120; ++i) {
    Key(VK_LEFT, true);
    ASSERT_EQ(page->Memo0->Left(), start - i);
  }
  EXPECT_EQ(page->History().UndoCount(), TDsnHistory::kDefaultLimit);
  for (std::size_t i = 0; i < TDsnHistory::kDefaultLimit; ++i) Undo();
  EXPECT_EQ(page->Memo0->Left(), start - 20);
  EXPECT_FALSE(page->History().CanUndo());
  // The memo stays selected through the undos, so the keys keep working on it.
  Key(VK_RIGHT, true);
  EXPECT_EQ(page->Memo0->Left(), start - 19);
  EXPECT_FALSE(page->History().CanRedo());
}

TEST_F(PageHistory, PicturesThePageNoLongerShowsAndTheStepsAreKeptWithinABudget) {
  constexpr std::size_t budget = 200 * 1024;
  TDsnHistory history(page->DsnStage1, TDsnHistory::kDefaultLimit, budget);
  for (int i = 0; i < 10; ++i) {
    TBitmap photo;
    photo.SetSize(200, 150);  // 90,000 bytes of pixels, new ones each time
    page->Image1->Picture()->Assign(&photo);
    ASSERT_TRUE(history.Record());
  }
  // The two photos before the last one fit; a third would not.
  EXPECT_EQ(history.UndoCount(), 2u);
  EXPECT_LE(history.HeldBytes(), budget);
  const void* shown = Shown(page->Image1)->SharedData();
  ASSERT_TRUE(history.Undo());
  EXPECT_NE(Shown(page->Image1)->SharedData(), shown);
  ASSERT_TRUE(history.Redo());
  EXPECT_EQ(Shown(page->Image1)->SharedData(), shown);
}

TEST_F(PageHistory, DialogueModeChangesBecomeOneStepWhenLayoutModeBegins) {
  page->Memo0->SetText("やあ");
  HoverOver(page->Image1);
  ASSERT_TRUE(Drop({Photo("baseline.jpg")}));
  LayoutMode();
  Undo();
  EXPECT_EQ(page->Memo0->Text(), "台詞1");
  EXPECT_EQ(Shown(page->Image1)->ClassName(), "TBitmap");
  Redo();
  EXPECT_EQ(page->Memo0->Text(), "やあ");
  EXPECT_EQ(Shown(page->Image1)->ClassName(), "TJPEGImage");
  // A photo dropped in layout mode is a step of its own.
  HoverOver(page->Image1);  // layout mode keeps the frame last hovered before it
  ASSERT_TRUE(Drop({Photo("photo.bmp")}));
  EXPECT_EQ(page->History().UndoCount(), 2u);
  Undo();
  EXPECT_EQ(Shown(page->Image1)->ClassName(), "TJPEGImage");
  // Leaving layout mode keeps the history.
  ClickOnPanel(page->DsnSwitch1);
  EXPECT_TRUE(page->History().CanUndo());
}

TEST_F(PageHistory, ArrowKeysMoveByTheGridResizeWithShiftAndGoOnePixelWithCtrl) {
  LayoutMode();
  TShape* balloon = Balloon("Shape1");
  Select(balloon);
  const TRect start = BoundsOf(balloon);
  Key(VK_LEFT);
  Key(VK_UP);
  EXPECT_EQ(BoundsOf(balloon), (TRect{start.Left - 4, start.Top - 4, start.Right - 4, start.Bottom - 4}));
  Key(VK_DOWN, true);
  EXPECT_EQ(balloon->Top(), start.Top - 3);
  Key(VK_LEFT, false, true);
  EXPECT_EQ(balloon->Width(), start.Width() - 4);
  Key(VK_DOWN, true, true);
  EXPECT_EQ(balloon->Height(), start.Height() + 1);
  EXPECT_EQ(page->History().UndoCount(), 5u);
  // The handles follow the nudged balloon.
  EXPECT_EQ(page->DsnRegister1->Handler()->Items(0)->Items(0)->Left(), balloon->Left() + balloon->Width() - 6 + 2);
}

TEST_F(PageHistory, NudgesKeepToTheParentAndNeverMoveTheStage) {
  LayoutMode();
  // The page outline lies at the stage's left and top edges: it is not pushed out.
  Select(page->Shape0);
  Key(VK_LEFT);
  Key(VK_UP);
  EXPECT_EQ(BoundsOf(page->Shape0), (TRect{0, 0, 400, 600}));
  // Nor grown beyond the stage's bottom.
  Key(VK_DOWN, false, true);
  EXPECT_EQ(page->Shape0->Height(), 600);
  Select(page->DsnStage1);
  const TRect stage = BoundsOf(page->DsnStage1);
  Key(VK_RIGHT);
  EXPECT_EQ(BoundsOf(page->DsnStage1), stage);
  EXPECT_FALSE(page->History().CanUndo());
}

TEST_F(PageHistory, InDialogueModeTheKeysAreTheBoxesOwn) {
  page->Memo0->SetFocus();
  page->Memo0->SetText("abc");
  const TRect bounds = BoundsOf(page->Memo0);
  TypeKey(page->Memo0->Handle(), VK_LEFT);
  TypeKey(page->Memo0->Handle(), 'Z', true);
  EXPECT_EQ(BoundsOf(page->Memo0), bounds);
  EXPECT_FALSE(page->History().CanUndo());
}

TEST_F(PageHistory, ABalloonBroughtToTheFrontByItsKeyIsOneStepAndReopensAsArranged) {
  LayoutMode();
  Select(page->Shape1);
  const std::vector<String> before = Inventory(true);
  Key(VK_OEM_6, true, true);  // Ctrl+Shift+]
  const std::vector<String> front = Inventory(true);
  ASSERT_NE(front, before);
  const auto at = std::find_if(front.begin(), front.end(), [](const String& line) { return line.rfind("Shape1:", 0) == 0; });
  ASSERT_NE(at, front.end());
  EXPECT_EQ(std::next(at)->find("Memo"), 0u) << "the top drawn control, under the dialogue boxes";
  Undo();
  EXPECT_EQ(Inventory(true), before);
  Redo();
  EXPECT_EQ(Inventory(true), front);
  TMemoryStream stream;
  page->DsnStage1->WriteDesign(stream);
  page->DsnStage1->LoadFromStream(&stream);
  EXPECT_EQ(Inventory(true), front);
}

TEST_F(PageHistory, BalloonsLineUpByTheirKeyAsOneStep) {
  LayoutMode();
  Select(page->Shape1);
  TMouseDriver mouse(page);
  mouse.Press(On(page->Shape2, 10, 10), {ssShift});
  mouse.Release(On(page->Shape2, 10, 10), {ssShift});
  ASSERT_EQ(page->DsnStage1->TargetsCount(), 2) << "Shift adds to the selection";
  const TRect before = BoundsOf(page->Shape2);
  Key('T', true, true);  // Ctrl+Shift+T: tops to the first selected
  EXPECT_EQ(page->Shape2->Top(), page->Shape1->Top());
  Undo();
  EXPECT_EQ(BoundsOf(page->Shape2), before);
}
