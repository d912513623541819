// Memos and edits over the system EDIT window: lines and window text kept in step, Japanese text
// arriving as UTF-16, lines that outlive the window, the keys a memo refuses, selection in CP932
// bytes, change events and the stored dialogue-box settings.
#include "TestSupport.h"

#include <algorithm>

#include "framework/stdctrls/Edit.h"
#include "framework/stdctrls/Memo.h"
#include "tests/support/WindowState.h"

namespace {

using MemoTest = StdCtrlsTest;
using EditTest = StdCtrlsTest;

TMemo* AddMemo(TForm& form) {
  auto* memo = new TMemo(&form);
  memo->SetParent(&form);
  memo->SetBounds(28, 27, 120, 60);
  return memo;
}

void Type(HWND window, wchar_t character) { SendMessageW(window, WM_CHAR, character, 1); }

TEST_F(MemoTest, LinesAndWindowTextStayInStep) {
  TMemo* memo = AddMemo(*form);
  memo->Lines()->Add("one");
  memo->Lines()->Add("two");
  EXPECT_EQ(WindowText(memo->Handle()), L"one\r\ntwo");
  EXPECT_EQ(memo->Text(), "one\r\ntwo");

  SetWindowTextW(memo->Handle(), L"a\r\nb\r\nc");  // as if typed
  ASSERT_EQ(memo->Lines()->Count(), 3);
  EXPECT_EQ(memo->Lines()->Strings(2), "c");
  memo->Lines()->Delete(1);
  memo->Lines()->Insert(0, "z");
  memo->Lines()->Put(2, "C");
  EXPECT_EQ(WindowText(memo->Handle()), L"z\r\na\r\nC");
  EXPECT_THROW(memo->Lines()->Strings(3), EListError);
}

TEST_F(MemoTest, AFinalLineBreakIsNoLineButAnAddedEmptyLineStays) {
  TMemo* memo = AddMemo(*form);
  memo->SetText("a\r\n");
  EXPECT_EQ(memo->Lines()->Count(), 1);
  memo->Lines()->Clear();
  memo->Lines()->Add("");
  EXPECT_EQ(memo->Lines()->Count(), 1);
  memo->Lines()->Add("b");
  memo->Lines()->Add("");
  EXPECT_EQ(memo->Lines()->Count(), 3);
  EXPECT_EQ(memo->Lines()->Strings(1), "b");
}

TEST_F(MemoTest, JapaneseLinesReachTheWindowAsUtf16) {
  TMemo* memo = AddMemo(*form);
  memo->Lines()->Add("台詞1");
  EXPECT_EQ(WindowText(memo->Handle()), L"\u53F0\u8A5E" L"1");
  SetWindowTextW(memo->Handle(), L"\u6F2B\u753B");  // typed: 漫画
  EXPECT_EQ(memo->Lines()->Strings(0), "漫画");
}

TEST_F(MemoTest, LinesOutliveTheWindowAndComeBackWithIt) {
  TMemo* memo = AddMemo(*form);
  memo->Lines()->Add("台詞1");
  HWND first = memo->Handle();
  SetWindowTextW(first, L"typed\r\nby hand");
  memo->RecreateWnd();
  EXPECT_NE(memo->Handle(), first);
  EXPECT_EQ(WindowText(memo->Handle()), L"typed\r\nby hand");

  // A new alignment makes a new window with the centred style and the same text.
  memo->SetAlignment(taCenter);
  EXPECT_NE(GetWindowLongPtrW(memo->Handle(), GWL_STYLE) & ES_CENTER, 0);
  EXPECT_EQ(memo->Lines()->Count(), 2);

  form->DestroyHandle();
  EXPECT_FALSE(memo->HandleAllocated());
  EXPECT_EQ(memo->Lines()->Strings(1), "by hand");
  memo->Lines()->Add("offline");
  form->Show();
  EXPECT_EQ(WindowText(memo->Handle()), L"typed\r\nby hand\r\noffline");
}

TEST_F(MemoTest, WithoutWantReturnsTheReturnKeyTypesNothing) {
  TMemo* memo = AddMemo(*form);
  memo->SetWantReturns(false);
  Type(memo->Handle(), L'x');
  Type(memo->Handle(), L'\r');
  Type(memo->Handle(), L'y');
  EXPECT_EQ(memo->Text(), "xy");
  memo->SetWantReturns(true);
  Type(memo->Handle(), L'\r');
  EXPECT_EQ(memo->Text(), "xy\r\n");
  EXPECT_NE(memo->Perform(CM_WANTSPECIALKEY, VK_RETURN), 0);
  EXPECT_EQ(memo->Perform(CM_WANTSPECIALKEY, VK_TAB), 0);
  memo->SetWantTabs(true);
  EXPECT_NE(memo->Perform(CM_WANTSPECIALKEY, VK_TAB), 0);
}

TEST_F(MemoTest, DialogueBoxSettingsSurviveTheStream) {
  TMemo* memo = AddMemo(*form);
  memo->SetTabStop(false);
  memo->SetAlignment(taCenter);
  memo->SetBorderStyle(bsNone);
  memo->SetColor(clWhite);
  memo->Font()->SetHeight(-15);
  memo->Font()->SetName("HGS創英角ﾎﾟｯﾌﾟ体");
  memo->SetWantReturns(false);
  memo->Lines()->Add("台詞8");
  auto copy = RoundTrip(*memo);
  ASSERT_NE(copy, nullptr);
  EXPECT_FALSE(copy->TabStop());
  EXPECT_EQ(copy->Alignment(), taCenter);
  EXPECT_EQ(copy->BorderStyle(), bsNone);
  EXPECT_EQ(copy->Color(), clWhite);
  EXPECT_FALSE(copy->ParentFont());
  EXPECT_EQ(copy->Font()->Name(), "HGS創英角ﾎﾟｯﾌﾟ体");
  EXPECT_FALSE(copy->WantReturns());
  ASSERT_EQ(copy->Lines()->Count(), 1);
  EXPECT_EQ(copy->Lines()->Strings(0), "台詞8");
}

// The lines are split once and kept: they must still follow every change of the window's text,
// and be stored byte for byte as one text value each.
TEST_F(MemoTest, KeptLinesFollowTheWindowAndAreStoredAsBefore) {
  TMemo* memo = AddMemo(*form);
  memo->Lines()->Add("one");
  ASSERT_EQ(memo->Lines()->Count(), 1);
  SetWindowTextW(memo->Handle(), L"a\rb\nc\r\n\r\nd");  // CR, LF and CR LF, one empty line
  ASSERT_EQ(memo->Lines()->Count(), 5);
  EXPECT_EQ(memo->Lines()->Strings(4), "d");
  SendMessageW(memo->Handle(), EM_SETSEL, 100, 100);  // the caret to the end, then typed
  Type(memo->Handle(), L'x');
  EXPECT_EQ(memo->Lines()->Strings(4), "dx");
  memo->SetText("");
  EXPECT_EQ(memo->Lines()->Count(), 0);

  const auto strings = [](const std::vector<String>& lines) {
    return Encode([&](TValueWriter& w) {
      w.WriteShortString("Lines.Strings");
      w.WriteListBegin();
      for (const String& line : lines) w.WriteText(line);
      w.WriteListEnd();
    });
  };
  SetWindowTextW(memo->Handle(), L"a\r\n\r\n\u53F0\u8A5E\r\n");
  const Bytes stored = WriteRoot(memo);
  const Bytes expected = strings({"a", "", "台詞"});
  EXPECT_NE(std::search(stored.begin(), stored.end(), expected.begin(), expected.end()), stored.end());

  auto copy = RoundTrip(*memo);
  ASSERT_NE(copy, nullptr);
  EXPECT_EQ(copy->Text(), "a\r\n\r\n台詞");
}

TEST_F(MemoTest, ParentColourDoesNotReplaceTheBoxColour) {
  TMemo* memo = AddMemo(*form);
  EXPECT_EQ(memo->Color(), clWindow);  // the form is aqua
  memo->SetColor(clWhite);
  form->SetColor(clSilver);
  EXPECT_EQ(memo->Color(), clWhite);
}

TEST_F(EditTest, TypingRaisesOnChangeAndSelectionCountsCp932Bytes) {
  auto* edit = new TEdit(form.get());
  edit->SetParent(form.get());
  struct TCounter : TObject {
    int changes = 0;
    void Changed(TObject*) { ++changes; }
  } counter;
  edit->OnChange = TNotifyEvent(&counter, &TCounter::Changed);
  edit->SetText("台詞ab");
  const int before = counter.changes;
  Type(edit->Handle(), L'c');  // the caret stood at the start after setting the text
  EXPECT_EQ(counter.changes, before + 1);
  EXPECT_EQ(edit->Text(), "c台詞ab");

  edit->SetSelStart(3);  // after "c" and "台"
  edit->SetSelLength(2);
  EXPECT_EQ(edit->SelText(), "詞");
  DWORD start = 0, end = 0;
  SendMessageW(edit->Handle(), EM_GETSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
  EXPECT_EQ(start, 2u);
  EXPECT_EQ(end, 3u);
  edit->SetSelText("X");
  EXPECT_EQ(edit->Text(), "c台Xab");
  edit->SelectAll();
  EXPECT_EQ(edit->SelLength(), 6);
}

TEST_F(EditTest, LimitsAndReadOnlyReachTheWindow) {
  auto* edit = new TEdit(form.get());
  edit->SetParent(form.get());
  edit->SetMaxLength(3);
  edit->SetReadOnly(true);
  EXPECT_EQ(SendMessageW(edit->Handle(), EM_GETLIMITTEXT, 0, 0), 3);
  EXPECT_NE(GetWindowLongPtrW(edit->Handle(), GWL_STYLE) & ES_READONLY, 0);
  edit->SetReadOnly(false);
  Type(edit->Handle(), L'1');
  Type(edit->Handle(), L'2');
  Type(edit->Handle(), L'3');
  Type(edit->Handle(), L'4');
  EXPECT_EQ(edit->Text(), "123");
  edit->SetBorderStyle(bsNone);
  EXPECT_EQ(GetWindowLongPtrW(edit->Handle(), GWL_EXSTYLE) & WS_EX_CLIENTEDGE, 0);
  EXPECT_EQ(SendMessageW(edit->Handle(), EM_GETLIMITTEXT, 0, 0), 3);  // made again with its limit
  EXPECT_EQ(edit->Text(), "123");
}

}  // namespace
