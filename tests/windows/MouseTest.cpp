// Mouse input: routing to windowless children in their coordinates, capture during a drag,
// clicks and double clicks, enter and leave, cursors, and the full input path through SendInput.
#include <gtest/gtest.h>

#include "WindowsTestSupport.h"

using namespace windows_test;

namespace {

class Mouse : public TFormFixture {
 protected:
  void SetUp() override {
    TFormFixture::SetUp();
    first = AddPatch("First", Rect(10, 10, 50, 50));
    second = AddPatch("Second", Rect(100, 10, 150, 50));
    form->OnClick = TNotifyEvent(&clicks, &TClicks::FormClicked);
    // Whatever the real mouse did while the form appeared does not count.
    Application->NoteMouseOver(nullptr);
  }

  TPatch* AddPatch(const char* name, const TRect& bounds) {
    auto* patch = new TPatch(form);
    patch->SetName(name);
    patch->SetParent(form);
    patch->SetBoundsRect(bounds);
    patch->SetColor(clRed);
    patch->Log = &log;
    patch->OnClick = TNotifyEvent(&clicks, &TClicks::Clicked);
    patch->OnDblClick = TNotifyEvent(&clicks, &TClicks::DoubleClicked);
    return patch;
  }

  void Send(UINT msg, WPARAM keys, int x, int y) { SendMouse(form->Handle(), msg, x, y, keys); }

  struct TClicks : TObject {
    std::vector<String> seen;
    void Clicked(TObject* sender) { seen.push_back(static_cast<TComponent*>(sender)->Name() + " click"); }
    void DoubleClicked(TObject* sender) { seen.push_back(static_cast<TComponent*>(sender)->Name() + " double"); }
    void FormClicked(TObject*) { seen.push_back("form click"); }
  } clicks;
  TEventLog log;
  TPatch* first = nullptr;
  TPatch* second = nullptr;
};

}  // namespace

TEST_F(Mouse, TheChildUnderTheMouseGetsItInItsOwnCoordinates) {
  Send(WM_MOUSEMOVE, 0, 15, 12);
  Send(WM_LBUTTONDOWN, MK_LBUTTON, 15, 12);
  Send(WM_LBUTTONUP, 0, 16, 13);
  EXPECT_TRUE(log.Contains("First move 5,2"));
  EXPECT_TRUE(log.Contains("First down 5,2"));
  EXPECT_TRUE(log.Contains("First up 6,3"));
  EXPECT_EQ(clicks.seen, std::vector<String>{"First click"});
  Send(WM_LBUTTONDOWN, MK_LBUTTON, 80, 80);
  Send(WM_LBUTTONUP, 0, 80, 80);
  EXPECT_EQ(clicks.seen.back(), "form click") << "where no child lies the form itself is clicked";
}

TEST_F(Mouse, TheChildPressedKeepsTheMouseForTheWholeDrag) {
  Send(WM_LBUTTONDOWN, MK_LBUTTON, 20, 20);
  EXPECT_EQ(GetCaptureControl(), first);
  EXPECT_EQ(GetCapture(), form->Handle());
  Send(WM_MOUSEMOVE, MK_LBUTTON, 120, 30);  // over the second patch
  Send(WM_MOUSEMOVE, MK_LBUTTON, 250, -5);  // outside the form
  EXPECT_TRUE(log.Contains("First move 110,20"));
  EXPECT_TRUE(log.Contains("First move 240,-15"));
  EXPECT_FALSE(log.Contains("Second move 20,20"));
  Send(WM_LBUTTONUP, 0, 120, 30);
  EXPECT_TRUE(log.Contains("First up 110,20"));
  EXPECT_TRUE(clicks.seen.empty()) << "released outside: no click";
  EXPECT_EQ(GetCaptureControl(), nullptr);
  EXPECT_EQ(GetCapture(), nullptr);
}

TEST_F(Mouse, LosingTheCaptureEndsTheDrag) {
  Send(WM_LBUTTONDOWN, MK_LBUTTON, 20, 20);
  ASSERT_EQ(GetCaptureControl(), first);
  auto* box = new TBox(form);
  box->SetParent(form);
  SetCapture(box->Handle());
  EXPECT_EQ(GetCaptureControl(), box);
  ReleaseCapture();
  Send(WM_MOUSEMOVE, 0, 120, 30);
  EXPECT_TRUE(log.Contains("Second move 20,20")) << "the capture of the first patch is over";
}

TEST_F(Mouse, DisabledChildrenAreHitOnlyWhenAskedFor) {
  first->SetEnabled(false);
  EXPECT_EQ(form->ControlAtPos({20, 20}, false), nullptr);
  EXPECT_EQ(form->ControlAtPos({20, 20}, true), first);
  Send(WM_LBUTTONDOWN, MK_LBUTTON, 20, 20);
  Send(WM_LBUTTONUP, 0, 20, 20);
  EXPECT_FALSE(log.Contains("First down 10,10"));
  EXPECT_EQ(clicks.seen, std::vector<String>{"form click"});

  auto* box = new TBox(form);
  box->SetParent(form);
  box->SetBounds(0, 0, 30, 30);
  EXPECT_EQ(form->ControlAtPos({20, 20}, true), first) << "windowed controls only when asked for";
  EXPECT_EQ(form->ControlAtPos({20, 20}, true, true), box);
  box->SetVisible(false);
  EXPECT_EQ(form->ControlAtPos({20, 20}, true, true), first);
}

TEST_F(Mouse, DoubleClicksNeedTheStyleOtherwiseTheyArePresses) {
  Send(WM_LBUTTONDOWN, MK_LBUTTON, 20, 20);
  Send(WM_LBUTTONUP, 0, 20, 20);
  Send(WM_LBUTTONDBLCLK, MK_LBUTTON, 20, 20);
  Send(WM_LBUTTONUP, 0, 20, 20);
  EXPECT_EQ(clicks.seen, (std::vector<String>{"First click", "First double"}));

  clicks.seen.clear();
  second->SetControlStyle(second->ControlStyle() - csDoubleClicks);
  Send(WM_LBUTTONDOWN, MK_LBUTTON, 120, 20);
  Send(WM_LBUTTONUP, 0, 120, 20);
  Send(WM_LBUTTONDBLCLK, MK_LBUTTON, 120, 20);
  Send(WM_LBUTTONUP, 0, 120, 20);
  EXPECT_EQ(clicks.seen, (std::vector<String>{"Second click", "Second click"}));
}

TEST_F(Mouse, EnterAndLeaveFollowTheMouseAcrossChildren) {
  // The real pointer away from the form, where the leave message below says it is.
  ASSERT_TRUE(MoveCursorTo(form->ClientToScreen({-20, -20})));
  Application->NoteMouseOver(nullptr);
  log.Entries.clear();
  Send(WM_MOUSEMOVE, 0, 20, 20);
  Send(WM_MOUSEMOVE, 0, 21, 20);
  Send(WM_MOUSEMOVE, 0, 120, 20);
  Send(WM_MOUSEMOVE, 0, 80, 80);
  SendMessageW(form->Handle(), WM_MOUSELEAVE, 0, 0);
  std::vector<String> crossings;
  for (const String& entry : log.Entries)
    if (entry.find(" enter") != String::npos || entry.find(" leave") != String::npos) crossings.push_back(entry);
  EXPECT_EQ(crossings, (std::vector<String>{"First enter", "First leave", "Second enter", "Second leave"}));
  EXPECT_EQ(Application->MouseControl(), nullptr);
}

TEST_F(Mouse, DestroyedControlIsForgottenByTheMouseBookkeeping) {
  Send(WM_MOUSEMOVE, 0, 20, 20);
  Send(WM_LBUTTONDOWN, MK_LBUTTON, 20, 20);
  ASSERT_EQ(Application->MouseControl(), first);
  delete first;
  EXPECT_EQ(Application->MouseControl(), nullptr);
  EXPECT_EQ(GetCaptureControl(), nullptr);
  Send(WM_MOUSEMOVE, MK_LBUTTON, 22, 22);
  Send(WM_LBUTTONUP, 0, 22, 22);
  EXPECT_EQ(clicks.seen, std::vector<String>{}) << "nothing reaches the dead control";
}

TEST_F(Mouse, CursorOfTheChildUnderTheMouseIsShown) {
  first->SetCursor(crHandPoint);
  form->SetCursor(crCross);
  const TPoint overFirst = form->ClientToScreen({20, 20});
  const TPoint overForm = form->ClientToScreen({80, 80});
  const LPARAM hit = MAKELPARAM(HTCLIENT, WM_MOUSEMOVE);
  ASSERT_TRUE(MoveCursorTo(overFirst));
  SendMessageW(form->Handle(), WM_SETCURSOR, reinterpret_cast<WPARAM>(form->Handle()), hit);
  EXPECT_EQ(GetCursor(), LoadCursorW(nullptr, IDC_HAND));
  ASSERT_TRUE(MoveCursorTo(overForm));
  SendMessageW(form->Handle(), WM_SETCURSOR, reinterpret_cast<WPARAM>(form->Handle()), hit);
  EXPECT_EQ(GetCursor(), LoadCursorW(nullptr, IDC_CROSS));
}

TEST_F(Mouse, RealInputReachesTheChildThroughTheWholePath) {
  SetForegroundWindow(form->Handle());
  ASSERT_TRUE(MoveCursorTo(form->ClientToScreen({125, 30})));
  log.Entries.clear();
  INPUT inputs[2] = {};
  inputs[0].type = inputs[1].type = INPUT_MOUSE;
  inputs[0].mi.dwFlags = MOUSEEVENTF_LEFTDOWN;
  inputs[1].mi.dwFlags = MOUSEEVENTF_LEFTUP;
  ASSERT_EQ(SendInput(2, inputs, sizeof(INPUT)), 2u);
  EXPECT_TRUE(PumpUntil([&] { return !clicks.seen.empty(); }));
  EXPECT_EQ(clicks.seen, std::vector<String>{"Second click"});
  EXPECT_TRUE(log.Contains("Second down 25,20"));
}

namespace {

// Counts WM_SETCURSOR reaching one window in front of its own procedure.
class TSetCursorCounter {
 public:
  explicit TSetCursorCounter(HWND window) : window_(window) {
    counted_ = this;
    previous_ = reinterpret_cast<WNDPROC>(SetWindowLongPtrW(window, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&Proc)));
  }
  ~TSetCursorCounter() {
    SetWindowLongPtrW(window_, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(previous_));
    counted_ = nullptr;
  }
  TSetCursorCounter(const TSetCursorCounter&) = delete;
  TSetCursorCounter& operator=(const TSetCursorCounter&) = delete;

  int count = 0;

 private:
  static LRESULT CALLBACK Proc(HWND window, UINT msg, WPARAM wParam, LPARAM lParam) {
    if (msg == WM_SETCURSOR) ++counted_->count;
    return CallWindowProcW(counted_->previous_, window, msg, wParam, lParam);
  }

  static inline TSetCursorCounter* counted_ = nullptr;
  HWND window_;
  WNDPROC previous_;
};

}  // namespace

TEST_F(Mouse, CursorChangesInABatchAreShownOnceWhenTheOutermostBatchEnds) {
  ASSERT_TRUE(MoveCursorTo(form->ClientToScreen({20, 20})));
  Send(WM_MOUSEMOVE, 0, 20, 20);
  ASSERT_EQ(Application->MouseControl(), first);
  TSetCursorCounter setCursor(form->Handle());

  {
    TCursorChangeBatch outer;
    {
      TCursorChangeBatch inner;
      first->SetCursor(crCross);
      second->SetCursor(crHandPoint);
    }
    first->SetCursor(crIBeam);
    EXPECT_EQ(setCursor.count, 0) << "nothing looks for the mouse inside a batch";
  }
  EXPECT_EQ(setCursor.count, 1);
  EXPECT_EQ(GetCursor(), LoadCursorW(nullptr, IDC_IBEAM));

  {
    TCursorChangeBatch batch;
    second->SetCursor(crCross);
  }
  EXPECT_EQ(setCursor.count, 1) << "a change away from the mouse cannot show";

  first->SetCursor(crHandPoint);
  EXPECT_EQ(setCursor.count, 2) << "without a batch the change shows at once";
  EXPECT_EQ(GetCursor(), LoadCursorW(nullptr, IDC_HAND));

  first->SetCursor(crDefault);
  {
    TCursorChangeBatch batch;
    form->SetCursor(crSizeNS);
  }
  EXPECT_EQ(setCursor.count, 4) << "the form's cursor shows where its child has none";
  EXPECT_EQ(GetCursor(), LoadCursorW(nullptr, IDC_SIZENS));
}
