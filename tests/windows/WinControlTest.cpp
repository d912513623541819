// Windowed controls with real windows: creation on first use, text through UTF-16, replaced
// window procedures, re-created windows, keyboard and focus.
#include <gtest/gtest.h>

#include "WindowsTestSupport.h"

using namespace windows_test;

namespace {

// What the replacing procedure of a test saw; one window at a time.
struct TSubclass {
  static inline WNDPROC previous = nullptr;
  static inline int messages = 0;
  static inline int clicksSeen = 0;
  static LRESULT CALLBACK Proc(HWND window, UINT msg, WPARAM wParam, LPARAM lParam) {
    ++messages;
    if (msg == WM_LBUTTONDOWN) ++clicksSeen;
    return CallWindowProcW(previous, window, msg, wParam, lParam);
  }
  static void Install(HWND window) {
    messages = clicksSeen = 0;
    previous = reinterpret_cast<WNDPROC>(SetWindowLongPtrW(window, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(Proc)));
  }
  static void Remove(HWND window) { SetWindowLongPtrW(window, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(previous)); }
};

class WindowedControls : public TFormFixture {};

}  // namespace

TEST_F(WindowedControls, WindowsAreMadeOnFirstUseTogetherWithTheChildren) {
  auto* outer = new TBox(form);
  auto* inner = new TTestEdit(form);
  auto* later = new TBox(form);
  TForm hidden(nullptr);
  outer->SetParent(&hidden);
  inner->SetParent(outer);
  later->SetParent(&hidden);
  EXPECT_FALSE(outer->HandleAllocated());
  EXPECT_FALSE(inner->HandleAllocated());

  HWND innerWindow = inner->Handle();
  ASSERT_TRUE(hidden.HandleAllocated()) << "the parents' windows come first";
  ASSERT_TRUE(later->HandleAllocated()) << "making a window makes its children's";
  EXPECT_EQ(GetParent(innerWindow), outer->Handle());
  EXPECT_EQ(GetParent(outer->Handle()), hidden.Handle());
  EXPECT_EQ(GetWindow(hidden.Handle(), GW_CHILD), later->Handle()) << "the last child is on top";
  EXPECT_EQ(FindControl(innerWindow), inner);
  EXPECT_EQ(FindControl(GetDesktopWindow()), nullptr);
  wchar_t cls[32] = {};
  GetClassNameW(innerWindow, cls, 32);
  EXPECT_STREQ(cls, L"Edit") << "a system window keeps its system class";
  delete outer;
  delete later;
}

TEST_F(WindowedControls, JapaneseTextReachesTheWindowAsUtf16AndComesBack) {
  auto* box = new TBox(form);
  box->SetParent(form);
  box->SetCaption("漫画の保存");
  EXPECT_EQ(WindowText(box->Handle()), L"\u6f2b\u753b\u306e\u4fdd\u5b58");
  form->SetCaption("台詞入力モード");
  EXPECT_EQ(WindowText(form->Handle()), L"\u53f0\u8a5e\u5165\u529b\u30e2\u30fc\u30c9");

  SetWindowTextW(box->Handle(), L"\u30a4\u30f3\u30d5\u30a9");
  EXPECT_EQ(box->Caption(), "インフォ");

  auto* edit = new TTestEdit(form);
  edit->SetParent(form);
  edit->SetText("台詞1");
  EXPECT_EQ(WindowText(edit->Handle()), L"\u53f0\u8a5e\u0031");
  SendMessageW(edit->Handle(), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(L"\u5439\u304d\u51fa\u3057"));
  EXPECT_EQ(edit->Text(), "吹き出し") << "the text typed into a system window is the control's text";
}

TEST_F(WindowedControls, ReplacedWindowProcedureChainsAndTheControlKeepsWorking) {
  auto* box = new TBox(form);
  box->SetParent(form);
  box->SetBounds(10, 10, 60, 40);
  box->SetColor(clRed);
  int clicks = 0;
  struct TClickCounter : TObject {
    int* clicks;
    void Clicked(TObject*) { ++*clicks; }
  } counter;
  counter.clicks = &clicks;
  box->OnClick = TNotifyEvent(&counter, &TClickCounter::Clicked);

  HWND window = box->Handle();
  TSubclass::Install(window);
  ClickAt(window, 5, 5);
  EXPECT_EQ(TSubclass::clicksSeen, 1);
  EXPECT_EQ(clicks, 1) << "the framework found its control from the window, not from the procedure";
  box->SetCaption("保存");
  EXPECT_EQ(WindowText(window), L"\u4fdd\u5b58");
  InvalidateRect(window, nullptr, TRUE);
  UpdateWindow(window);
  EXPECT_EQ(PixelAt(window, 30, 20), RGB(255, 0, 0)) << "painting still reaches the control";
  TSubclass::Remove(window);
  ClickAt(window, 5, 5);
  EXPECT_EQ(clicks, 2);
}

TEST_F(WindowedControls, ReplacedProcedureOnASystemWindowStillTypes) {
  auto* edit = new TTestEdit(form);
  edit->SetParent(form);
  HWND window = edit->Handle();
  TSubclass::Install(window);
  for (wchar_t c : WideString(L"ab\u53f0")) SendMessageW(window, WM_CHAR, c, 1);
  EXPECT_GT(TSubclass::messages, 0);
  EXPECT_EQ(edit->Text(), "ab台");
  TSubclass::Remove(window);
}

TEST_F(WindowedControls, RecreatedWindowKeepsTheControlItsChildrenAndTheirState) {
  auto* box = new TBox(form);
  box->SetParent(form);
  box->SetBounds(5, 6, 120, 80);
  box->SetCaption("箱");
  auto* edit = new TTestEdit(form);
  edit->SetParent(box);
  edit->SetBounds(2, 3, 90, 22);
  auto* patch = new TPatch(form);
  patch->SetParent(box);
  HWND oldBox = box->Handle();
  HWND oldEdit = edit->Handle();
  SendMessageW(oldEdit, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(L"\u53f0\u8a5e"));
  edit->SetFocus();
  ASSERT_TRUE(edit->Focused());

  edit->RecreateWnd();
  EXPECT_NE(edit->Handle(), oldEdit);
  EXPECT_FALSE(IsWindow(oldEdit));
  EXPECT_EQ(FindControl(oldEdit), nullptr) << "a gone window leads to no control";
  EXPECT_EQ(edit->Text(), "台詞") << "what the user typed survives";
  EXPECT_TRUE(edit->Focused());

  box->RecreateWnd();
  EXPECT_NE(box->Handle(), oldBox);
  EXPECT_EQ(GetParent(edit->Handle()), box->Handle()) << "children get windows in the new parent";
  EXPECT_EQ(edit->Text(), "台詞");
  EXPECT_EQ(box->Caption(), "箱");
  EXPECT_EQ(box->BoundsRect(), Bounds(5, 6, 120, 80));
  EXPECT_EQ(edit->BoundsRect(), Bounds(2, 3, 90, 22));
  EXPECT_EQ(patch->Parent(), box);
  EXPECT_EQ(FindControl(box->Handle()), box);
  EXPECT_EQ(FindControl(edit->Handle()), edit);
}

TEST_F(WindowedControls, KeyPressMayChangeOrSwallowCharacters) {
  auto* edit = new TTestEdit(form);
  edit->SetParent(form);
  edit->Swallow = 'x';
  struct TUpper : TObject {
    void Press(TObject*, char& key) {
      if (key == 'q') key = 'Q';
    }
  } upper;
  edit->OnKeyPress = TKeyPressEvent(&upper, &TUpper::Press);
  for (wchar_t c : WideString(L"axqb")) SendMessageW(edit->Handle(), WM_CHAR, c, 1);
  EXPECT_EQ(edit->Text(), "aQb");
}

TEST_F(WindowedControls, KeyDownMayTakeTheKey) {
  auto* box = new TBox(form);
  box->SetParent(form);
  std::vector<Word> keys;
  struct TKeys : TObject {
    std::vector<Word>* keys;
    void Down(TObject*, Word& key, TShiftState) {
      keys->push_back(key);
      if (key == VK_DELETE) key = 0;
    }
  } handler;
  handler.keys = &keys;
  box->OnKeyDown = TKeyEvent(&handler, &TKeys::Down);
  SendMessageW(box->Handle(), WM_KEYDOWN, VK_DELETE, 1);
  SendMessageW(box->Handle(), WM_KEYDOWN, 'A', 1);
  EXPECT_EQ(keys, (std::vector<Word>{VK_DELETE, 'A'}));
}

TEST_F(WindowedControls, APreviewingFormSeesKeysFirstAndMayTakeThem) {
  auto* box = new TBox(form);
  box->SetParent(form);
  std::vector<String> seen;
  struct TKeys : TObject {
    std::vector<String>* seen;
    void FormDown(TObject*, Word& key, TShiftState) {
      seen->push_back("form " + IntToStr(key));
      if (key == VK_DELETE) key = 0;
    }
    void BoxDown(TObject*, Word& key, TShiftState) { seen->push_back("box " + IntToStr(key)); }
  } handler;
  handler.seen = &seen;
  form->OnKeyDown = TKeyEvent(&handler, &TKeys::FormDown);
  box->OnKeyDown = TKeyEvent(&handler, &TKeys::BoxDown);
  SendMessageW(box->Handle(), WM_KEYDOWN, 'A', 1);
  form->SetKeyPreview(true);
  SendMessageW(box->Handle(), WM_KEYDOWN, VK_DELETE, 1);
  SendMessageW(box->Handle(), WM_KEYDOWN, 'A', 1);
  EXPECT_EQ(seen, (std::vector<String>{"box 65", "form 46", "form 65", "box 65"}));
}

TEST_F(WindowedControls, TabMovesTheFocusInTabOrderOverTabStops) {
  auto* first = new TTestEdit(form);
  auto* skipped = new TTestEdit(form);
  auto* second = new TTestEdit(form);
  for (TTestEdit* e : {first, skipped, second}) e->SetParent(form);
  skipped->SetTabStop(false);
  second->SetTabOrder(0);
  EXPECT_EQ(second->TabOrder(), 0);
  EXPECT_EQ(first->TabOrder(), 1);
  EXPECT_EQ(skipped->TabOrder(), 2);

  second->SetFocus();
  ASSERT_TRUE(PumpUntil([&] { return second->Focused(); }));
  PostMessageW(second->Handle(), WM_KEYDOWN, VK_TAB, 1);
  EXPECT_TRUE(PumpUntil([&] { return first->Focused(); }));
  PostMessageW(first->Handle(), WM_KEYDOWN, VK_TAB, 1);
  EXPECT_TRUE(PumpUntil([&] { return second->Focused(); })) << "the control without TabStop is passed over";
  EXPECT_EQ(form->ActiveControl(), second);
}

TEST_F(WindowedControls, SystemWindowColoursComeFromColorAndFont) {
  auto* edit = new TTestEdit(form);
  edit->SetParent(form);
  edit->SetColor(clYellow);
  edit->Font()->SetColor(clBlue);
  HDC dc = GetDC(edit->Handle());
  const LRESULT brush =
      SendMessageW(form->Handle(), WM_CTLCOLOREDIT, reinterpret_cast<WPARAM>(dc), reinterpret_cast<LPARAM>(edit->Handle()));
  EXPECT_EQ(reinterpret_cast<HBRUSH>(brush), edit->Brush()->Handle());
  EXPECT_EQ(GetTextColor(dc), RGB(0, 0, 255));
  EXPECT_EQ(GetBkColor(dc), RGB(255, 255, 0));
  ReleaseDC(edit->Handle(), dc);
}

TEST_F(WindowedControls, HiddenAndDisabledStateReachTheWindow) {
  auto* box = new TBox(form);
  box->SetParent(form);
  HWND window = box->Handle();
  EXPECT_TRUE(box->Showing());
  box->SetVisible(false);
  EXPECT_FALSE(IsWindowVisible(window));
  EXPECT_FALSE(box->Showing());
  box->SetVisible(true);
  box->SetEnabled(false);
  EXPECT_FALSE(IsWindowEnabled(window));
  EXPECT_FALSE(box->CanFocus());
}

TEST_F(WindowedControls, BoundsFollowTheWindowWhenItIsMovedFromOutside) {
  auto* box = new TBox(form);
  box->SetParent(form);
  SetWindowPos(box->Handle(), nullptr, 17, 19, 33, 21, SWP_NOZORDER | SWP_NOACTIVATE);
  EXPECT_EQ(box->BoundsRect(), Bounds(17, 19, 33, 21));
  box->SetBounds(1, 2, 3, 4);
  RECT rect;
  GetWindowRect(box->Handle(), &rect);
  MapWindowPoints(HWND_DESKTOP, form->Handle(), reinterpret_cast<POINT*>(&rect), 2);
  EXPECT_EQ(rect.left, 1);
  EXPECT_EQ(rect.bottom, 6);
}

namespace {

// Takes Alt+its letter through CM_DIALOGCHAR, as labels and buttons with "&" captions do.
class TAcceleratedPatch : public TPatch {
 public:
  using TPatch::TPatch;
  int Taken = 0;

 protected:
  void CMDialogChar(TWMKey& message) override {
    if (IsAccel(message.CharCode(), Caption())) {
      ++Taken;
      message.Message.Result = 1;
    }
  }
};

}  // namespace

TEST_F(WindowedControls, AltWithAMarkedLetterReachesTheControlOfThatAccelerator) {
  auto* box = new TBox(form);
  box->SetParent(form);
  auto* save = new TAcceleratedPatch(form);
  save->SetParent(box);
  save->SetCaption("保存(&S)");
  auto* open = new TAcceleratedPatch(form);
  open->SetParent(form);
  open->SetCaption("&Open");
  box->SetFocus();
  PostMessageW(box->Handle(), WM_SYSCHAR, 's', LPARAM{1} << 29);
  PostMessageW(box->Handle(), WM_SYSCHAR, 'O', LPARAM{1} << 29);
  PostMessageW(box->Handle(), WM_SYSCHAR, 'x', LPARAM{1} << 29);
  EXPECT_TRUE(PumpUntil([&] { return save->Taken == 1 && open->Taken == 1; }));
}

TEST_F(WindowedControls, SystemColourChangesReachEveryControl) {
  struct TColourWatch : TPatch {
    using TPatch::TPatch;
    int changes = 0;
    void CMSysColorChange(TMessage& message) override {
      ++changes;
      TPatch::CMSysColorChange(message);
    }
  };
  auto* box = new TBox(form);
  box->SetParent(form);
  auto* inner = new TColourWatch(form);
  inner->SetParent(box);
  auto* outer = new TColourWatch(form);
  outer->SetParent(form);
  SendMessageW(form->Handle(), WM_SYSCOLORCHANGE, 0, 0);
  EXPECT_EQ(inner->changes, 1);
  EXPECT_EQ(outer->changes, 1);
}

TEST_F(WindowedControls, AWindowDestroyedFromOutsideIsForgottenAndMadeAgainOnUse) {
  auto* box = new TBox(form);
  box->SetParent(form);
  auto* edit = new TTestEdit(form);
  edit->SetParent(box);
  HWND oldBox = box->Handle();
  HWND oldEdit = edit->Handle();
  ASSERT_EQ(FindControl(oldEdit), edit);

  DestroyWindow(oldBox);
  EXPECT_FALSE(box->HandleAllocated());
  EXPECT_FALSE(edit->HandleAllocated());
  EXPECT_EQ(FindControl(oldBox), nullptr);
  EXPECT_EQ(FindControl(oldEdit), nullptr);

  HWND newEdit = edit->Handle();
  EXPECT_EQ(FindControl(newEdit), edit);
  EXPECT_EQ(FindControl(box->Handle()), box);
  EXPECT_EQ(GetParent(newEdit), box->Handle());
}
