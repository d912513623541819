// Timers ticking as messages, and popup menus: the item tree, moving items between menus, the
// command of the chosen item reaching its OnClick (through the real TrackPopupMenu driven by
// keys, and through a scripted tracker), right clicks on controls, and stored menus.
#include "TestSupport.h"

#include "framework/stdctrls/Menus.h"
#include "framework/stdctrls/Panel.h"
#include "framework/stdctrls/Shape.h"
#include "framework/stdctrls/Timer.h"
#include "framework/windows/Application.h"

namespace {

using TimerTest = StdCtrlsTest;
using MenuTest = StdCtrlsTest;

struct TTickCounter : TObject {
  int ticks = 0;
  bool fail = false;
  void Tick(TObject*) {
    ++ticks;
    if (fail) throw Exception("tick failed");
  }
};

TEST_F(TimerTest, TicksArriveAsMessagesWhileEnabled) {
  TTimer timer(nullptr);
  TTickCounter counter;
  timer.OnTimer = TNotifyEvent(&counter, &TTickCounter::Tick);
  timer.SetInterval(10);
  EXPECT_TRUE(timer.Running());
  EXPECT_TRUE(PumpUntil([&] { return counter.ticks >= 3; }));

  timer.SetEnabled(false);
  EXPECT_FALSE(timer.Running());
  const int stopped = counter.ticks;
  Application->ProcessMessages();
  EXPECT_EQ(counter.ticks, stopped);

  timer.SetEnabled(true);
  timer.SetInterval(0);
  EXPECT_FALSE(timer.Running());
}

TEST_F(TimerTest, AFailingTickReachesTheExceptionDisplayAndTheTimerGoesOn) {
  TTimer timer(nullptr);
  TTickCounter counter;
  counter.fail = true;
  timer.OnTimer = TNotifyEvent(&counter, &TTickCounter::Tick);
  timer.SetInterval(10);
  EXPECT_TRUE(PumpUntil([&] { return counter.ticks >= 2; }));
  ASSERT_GE(dialogs.Requests.size(), 1u);
  EXPECT_EQ(dialogs.Requests[0].Text, "tick failed");
  dialogs.Requests.clear();
}

// A menu with items "&Open", "-", "&Save", a hidden item and "&More" >> "&Sub".
struct TMenuFixture : TObject {
  explicit TMenuFixture(TComponent* owner) : menu(new TPopupMenu(owner)) {
    const auto add = [&](TMenuItem* parent, const char* caption) {
      auto* item = new TMenuItem(owner);
      item->SetCaption(caption);
      item->OnClick = TNotifyEvent(this, &TMenuFixture::Clicked);
      parent->Add(item);
      all.push_back(item);
      return item;
    };
    open = add(menu->Items(), "&Open");
    add(menu->Items(), "-");
    save = add(menu->Items(), "&Save");
    hidden = add(menu->Items(), "Hidden");
    hidden->SetVisible(false);
    more = add(menu->Items(), "&More");
    sub = add(more, "&Sub");
    menu->OnPopup = TNotifyEvent(this, &TMenuFixture::PoppedUp);
  }
  void Clicked(TObject* sender) { clicked.push_back(static_cast<TMenuItem*>(sender)); }
  // Handlers of this fixture are no published methods of a form: a stream cannot name them.
  void Unbind() {
    for (TMenuItem* item : all) item->OnClick = {};
    menu->OnPopup = {};
  }
  void PoppedUp(TObject*) { ++popups; }

  TPopupMenu* menu;
  TMenuItem *open, *save, *hidden, *more, *sub;
  std::vector<TMenuItem*> all;
  std::vector<TMenuItem*> clicked;
  int popups = 0;
};

TEST_F(MenuTest, ChosenCommandReachesTheItemAfterTheMenuCloses) {
  TMenuFixture fixture(form.get());
  TChoosingTracker tracker;
  TMenuTrackerScope scope(tracker);
  tracker.choose = "&Save";
  fixture.menu->Popup(120, 130);
  EXPECT_EQ(fixture.popups, 1);
  EXPECT_EQ(tracker.at, (TPoint{120, 130}));
  EXPECT_EQ(tracker.shown, (std::vector<String>{"&Open", "-", "&Save", "&More"}));
  EXPECT_TRUE(fixture.clicked.empty());  // posted: it arrives from the message loop
  ASSERT_TRUE(PumpUntil([&] { return !fixture.clicked.empty(); }));
  EXPECT_EQ(fixture.clicked[0], fixture.save);

  tracker.choose = "&Sub";
  fixture.menu->Popup(0, 0);
  ASSERT_TRUE(PumpUntil([&] { return fixture.clicked.size() == 2; }));
  EXPECT_EQ(fixture.clicked[1], fixture.sub);
}

TEST_F(MenuTest, DisabledItemsAndItemsGoneBeforeTheCommandDoNothing) {
  TMenuFixture fixture(form.get());
  TChoosingTracker tracker;
  TMenuTrackerScope scope(tracker);
  tracker.choose = "&Open";
  fixture.menu->Popup(0, 0);
  delete fixture.open;  // destroyed while its command waits in the queue
  fixture.save->SetEnabled(false);
  tracker.choose = "&Save";
  fixture.menu->Popup(0, 0);
  Application->ProcessMessages();
  EXPECT_TRUE(fixture.clicked.empty());
  EXPECT_EQ(fixture.menu->Items()->Count(), 4);
}

TEST_F(MenuTest, TrackPopupMenuDrivenByKeysChoosesTheSecondCommand) {
  TMenuFixture fixture(form.get());
  // Down selects "&Open", Down again skips the separator to "&Save", Return chooses.
  for (WPARAM key : {VK_DOWN, VK_DOWN, VK_RETURN}) {
    PostMessageW(form->Handle(), WM_KEYDOWN, key, 1);
    PostMessageW(form->Handle(), WM_KEYUP, key, 1 | (3u << 30));
  }
  const TPoint at = form->ClientToScreen({50, 50});
  fixture.menu->Popup(at.X, at.Y);
  ASSERT_TRUE(PumpUntil([&] { return !fixture.clicked.empty(); }));
  EXPECT_EQ(fixture.clicked[0], fixture.save);
}

TEST_F(MenuTest, RightClickOnAControlPopsUpItsMenu) {
  TMenuFixture fixture(form.get());
  auto* panel = new TPanel(form.get());
  panel->SetParent(form.get());
  panel->SetPopupMenu(fixture.menu);
  TChoosingTracker tracker;
  TMenuTrackerScope scope(tracker);
  const TPoint screen = panel->ClientToScreen({5, 6});
  SendMessageW(panel->Handle(), WM_CONTEXTMENU, reinterpret_cast<WPARAM>(panel->Handle()),
               MAKELPARAM(screen.X, screen.Y));
  EXPECT_EQ(fixture.popups, 1);
  EXPECT_EQ(tracker.at, screen);
  EXPECT_EQ(fixture.menu->PopupComponent(), panel);

  // A windowless control gets the menu from its parent's right button.
  auto* shape = new TShape(form.get());
  shape->SetParent(form.get());
  shape->SetBounds(200, 100, 50, 50);
  shape->SetPopupMenu(fixture.menu);
  SendMouse(form->Handle(), WM_RBUTTONDOWN, 210, 120, MK_RBUTTON);
  SendMouse(form->Handle(), WM_RBUTTONUP, 210, 120);
  EXPECT_EQ(fixture.popups, 2);
  EXPECT_EQ(fixture.menu->PopupComponent(), shape);
  EXPECT_EQ(tracker.at, form->ClientToScreen({210, 120}));
  delete fixture.menu;
  EXPECT_EQ(panel->PopupMenu(), nullptr);
}

TEST_F(MenuTest, ItemsMoveBetweenMenusAndNeverIntoThemselves) {
  TMenuFixture first(form.get());
  TPopupMenu second(nullptr);
  const long alive = TObject::LiveCount();
  second.Items()->Add(first.save);
  EXPECT_EQ(first.menu->Items()->IndexOf(first.save), -1);
  EXPECT_EQ(first.save->Parent(), second.Items());
  EXPECT_EQ(first.save->GetParentMenu(), &second);
  second.Items()->Insert(0, first.open);
  EXPECT_EQ(second.Items()->Items(0), first.open);
  EXPECT_EQ(first.menu->Items()->Count(), 3);

  EXPECT_THROW(first.sub->Add(first.more), EMenuError);
  EXPECT_THROW(first.more->Add(first.more), EMenuError);

  second.Items()->Delete(0);  // out of the menu, not destroyed
  EXPECT_EQ(first.open->Parent(), nullptr);
  EXPECT_EQ(TObject::LiveCount(), alive);
  first.more->Clear();  // destroys the sub-item
  EXPECT_EQ(TObject::LiveCount(), alive - 1);
  delete first.open;
}

TEST_F(MenuTest, DestroyingAMenuDestroysItsItems) {
  TMenuFixture fixture(form.get());
  const int components = form->ComponentCount();
  delete fixture.menu;
  EXPECT_EQ(form->ComponentCount(), components - 7);  // the menu and its six items
}

TEST_F(MenuTest, StoredMenuKeepsItsTree) {
  TForm* root = form.get();
  TMenuFixture fixture(root);
  fixture.menu->SetName("PopupMenu1");
  fixture.open->SetName("Open1");
  fixture.more->SetName("More1");
  fixture.sub->SetName("Sub1");
  fixture.sub->SetChecked(true);
  fixture.open->SetTag(7);
  fixture.Unbind();
  auto stream = StreamOf(ComponentRecords(root, {fixture.menu}, 1));
  TForm host(nullptr);
  TComponentReader reader(*stream);
  reader.ReadComponents(&host, nullptr);
  auto* menu = dynamic_cast<TPopupMenu*>(host.FindComponent("PopupMenu1"));
  ASSERT_NE(menu, nullptr);
  ASSERT_EQ(menu->Items()->Count(), 5);
  EXPECT_EQ(menu->Items()->Items(0)->Caption(), "&Open");
  EXPECT_EQ(menu->Items()->Items(0)->Tag(), 7);
  EXPECT_TRUE(menu->Items()->Items(1)->IsLine());
  TMenuItem* more = menu->Items()->Items(4);
  ASSERT_EQ(more->Count(), 1);
  EXPECT_EQ(more->Items(0)->Name(), "Sub1");
  EXPECT_TRUE(more->Items(0)->Checked());
}

}  // namespace
