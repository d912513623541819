// Combo boxes: items mirrored into the window and kept across new windows, readable while the
// window is being destroyed, the choice and its change event, and drop-down lists.
#include "TestSupport.h"

#include "framework/stdctrls/ComboBox.h"

namespace {

using ComboBoxTest = StdCtrlsTest;

TComboBox* AddCombo(TForm& form, TComboBoxStyle style = csDropDown) {
  auto* combo = new TComboBox(&form);
  combo->SetParent(&form);
  combo->SetBounds(5, 6, 173, 24);
  combo->SetStyle(style);
  combo->Items()->Add("alpha");
  combo->Items()->Add("beta");
  combo->Items()->Add("gamma");
  return combo;
}

WideString WindowItem(TComboBox& combo, int index) {
  const auto length = SendMessageW(combo.Handle(), CB_GETLBTEXTLEN, index, 0);
  WideString text(static_cast<std::size_t>(length) + 1, L'\0');
  SendMessageW(combo.Handle(), CB_GETLBTEXT, index, reinterpret_cast<LPARAM>(text.data()));
  text.resize(static_cast<std::size_t>(length));
  return text;
}

// Chooses an item the way the user does: the list's selection, then the notification.
void Choose(TComboBox& combo, int index) {
  SendMessageW(combo.Handle(), CB_SETCURSEL, index, 0);
  const WPARAM command = MAKEWPARAM(GetDlgCtrlID(combo.Handle()), CBN_SELCHANGE);
  SendMessageW(combo.Parent()->Handle(), WM_COMMAND, command, reinterpret_cast<LPARAM>(combo.Handle()));
}

TEST_F(ComboBoxTest, ItemsAreMirroredIntoTheWindow) {
  TComboBox* combo = AddCombo(*form);
  EXPECT_EQ(SendMessageW(combo->Handle(), CB_GETCOUNT, 0, 0), 3);
  combo->Items()->Insert(0, "台詞");
  combo->Items()->Delete(2);
  combo->Items()->Put(1, "ALPHA");
  EXPECT_EQ(SendMessageW(combo->Handle(), CB_GETCOUNT, 0, 0), 3);
  EXPECT_EQ(WindowItem(*combo, 0), L"\u53F0\u8A5E");
  EXPECT_EQ(WindowItem(*combo, 1), L"ALPHA");
  EXPECT_EQ(WindowItem(*combo, 2), L"gamma");
  combo->Items()->Clear();
  EXPECT_EQ(SendMessageW(combo->Handle(), CB_GETCOUNT, 0, 0), 0);
}

TEST_F(ComboBoxTest, ItemsAndChoiceOutliveANewWindow) {
  TComboBox* combo = AddCombo(*form);
  combo->SetItemIndex(2);
  combo->SetStyle(csDropDownList);  // makes the window again
  EXPECT_EQ(SendMessageW(combo->Handle(), CB_GETCOUNT, 0, 0), 3);
  EXPECT_EQ(combo->ItemIndex(), 2);
  EXPECT_EQ(combo->Text(), "gamma");
}

TEST_F(ComboBoxTest, ItemsCanBeReadWhileTheWindowIsDestroyed) {
  // A box that keeps its history copies its items when its window goes.
  class THistoryBox : public TComboBox {
   public:
    using TComboBox::TComboBox;
    TStringList saved;

   protected:
    void WMDestroy(TMessage& message) override {
      saved.Assign(Items());
      TComboBox::WMDestroy(message);
    }
  };
  auto* box = new THistoryBox(form.get());
  box->SetParent(form.get());
  box->Items()->Add("first");
  box->Items()->Add("second");
  box->HandleNeeded();
  box->SetParent(nullptr);  // destroys the window
  EXPECT_FALSE(box->HandleAllocated());
  ASSERT_EQ(box->saved.Count(), 2);
  EXPECT_EQ(box->saved.Strings(1), "second");
  EXPECT_EQ(box->Items()->Count(), 2);
  delete box;
}

TEST_F(ComboBoxTest, ChoosingAnItemShowsItsTextBeforeOnChange) {
  TComboBox* combo = AddCombo(*form);
  struct TWatcher : TObject {
    TComboBox* combo = nullptr;
    String seen;
    int changes = 0;
    void Changed(TObject*) {
      ++changes;
      seen = combo->Text();
    }
  } watcher;
  watcher.combo = combo;
  combo->OnChange = TNotifyEvent(&watcher, &TWatcher::Changed);
  Choose(*combo, 1);
  EXPECT_EQ(watcher.changes, 1);
  EXPECT_EQ(watcher.seen, "beta");
  EXPECT_EQ(combo->ItemIndex(), 1);

  combo->SetItemIndex(0);  // the program's choice raises nothing
  EXPECT_EQ(watcher.changes, 1);
}

TEST_F(ComboBoxTest, DropDownListTextChoosesTheItem) {
  TComboBox* combo = AddCombo(*form, csDropDownList);
  combo->SetText("beta");
  EXPECT_EQ(combo->ItemIndex(), 1);
  combo->SetText("none of them");
  EXPECT_EQ(combo->ItemIndex(), -1);
  EXPECT_EQ(combo->Text(), "");
}

TEST_F(ComboBoxTest, SortedItemsTakeTheirPlaceInListAndWindow) {
  TComboBox* combo = AddCombo(*form);
  combo->Items()->Add("able");
  combo->SetSorted(true);
  combo->Items()->Add("delta");
  EXPECT_EQ(combo->Items()->Strings(0), "able");
  EXPECT_EQ(combo->Items()->Strings(3), "delta");
  EXPECT_EQ(WindowItem(*combo, 3), L"delta");
  EXPECT_EQ(WindowItem(*combo, 4), L"gamma");
}

TEST_F(ComboBoxTest, StoredItemsAndChoiceComeBack) {
  TComboBox* combo = AddCombo(*form, csDropDownList);
  combo->SetItemIndex(1);
  combo->SetDropDownCount(12);
  auto copy = RoundTrip(*combo);
  ASSERT_NE(copy, nullptr);
  EXPECT_EQ(copy->Style(), csDropDownList);
  EXPECT_EQ(copy->Items()->Count(), 3);
  EXPECT_EQ(copy->ItemIndex(), 1);
  EXPECT_EQ(copy->DropDownCount(), 12);
}

}  // namespace
