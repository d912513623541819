// Timers ticking as messages, and popup menus: the item tree, moving items between menus, the
// command of the chosen item reaching its OnClick (through the real TrackPopupMenu driven by
// keys, and through a scripted tracker), right clicks on controls, stored menus, and a form's
// menu bar.
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
  // A bad position changes nothing; in its own menu an item's positions count without it.
  TMenuItem* home = first.menu->Items();  // "-", Hidden, More
  for (TMenuItem* target : {second.Items(), home}) EXPECT_THROW(target->Insert(3, first.more), EListError);
  EXPECT_EQ(home->IndexOf(first.more), 2);
  EXPECT_NO_THROW(home->Insert(2, first.more));

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

// A form's menu bar: "&File" with "&Open", a line and "&Save"; "&Edit" with "&Undo".
struct TMenuBarFixture : TObject {
  explicit TMenuBarFixture(TForm* form) : bar(new TMainMenu(form)) {
    file = Add(bar->Items(), "&File");
    open = Add(file, "&Open");
    Add(file, "-");
    save = Add(file, "&Save");
    edit = Add(bar->Items(), "&Edit");
    undo = Add(edit, "&Undo");
    form->SetMenu(bar);
  }
  TMenuItem* Add(TMenuItem* parent, const char* caption) {
    auto* item = new TMenuItem(bar->Owner());
    item->SetCaption(caption);
    item->OnClick = TNotifyEvent(this, &TMenuBarFixture::Clicked);
    parent->Add(item);
    return item;
  }
  void Clicked(TObject* sender) { clicked.push_back(static_cast<TMenuItem*>(sender)); }

  TMainMenu* bar;
  TMenuItem *file, *open, *save, *edit, *undo;
  std::vector<TMenuItem*> clicked;
};

String MenuText(HMENU menu, UINT position) {
  wchar_t text[64] = {};
  GetMenuStringW(menu, position, text, 64, MF_BYPOSITION);
  return WideToCP932(text);
}

TEST_F(MenuTest, AMenuBarFollowsItsItemsAndGoesWithItsMenu) {
  TMenuBarFixture fixture(form.get());
  HMENU bar = GetMenu(form->Handle());
  ASSERT_NE(bar, nullptr);
  ASSERT_EQ(GetMenuItemCount(bar), 2);
  EXPECT_EQ(MenuText(bar, 0), "&File");
  EXPECT_EQ(MenuText(bar, 1), "&Edit");
  HMENU file = GetSubMenu(bar, 0);
  ASSERT_EQ(GetMenuItemCount(file), 3);
  EXPECT_EQ(MenuText(file, 2), "&Save");

  // Checks and enabled states are read when a drop-down opens, without rebuilding the bar.
  fixture.save->SetChecked(true);
  fixture.open->SetEnabled(false);
  SendMessageW(form->Handle(), WM_INITMENUPOPUP, reinterpret_cast<WPARAM>(file), 0);
  EXPECT_NE(GetMenuState(file, 2, MF_BYPOSITION) & MF_CHECKED, 0u);
  EXPECT_NE(GetMenuState(file, 0, MF_BYPOSITION) & MF_GRAYED, 0u);

  // New entries appear once the form hears of them.
  fixture.Add(fixture.bar->Items(), "&Help");
  form->MenuChanged();
  EXPECT_EQ(GetMenuItemCount(GetMenu(form->Handle())), 3);

  delete fixture.bar;
  EXPECT_EQ(form->Menu(), nullptr);
  EXPECT_EQ(GetMenu(form->Handle()), nullptr);
}

TEST_F(MenuTest, AMenuBarCommandFromTheKeyboardReachesItsItem) {
  TMenuBarFixture fixture(form.get());
  // Alt+F selects "&File" (Wine opens its drop-down only on the next key, Windows at once); Down
  // makes sure it is open; S chooses "&Save" by its accelerator.
  const auto post = [&](UINT msg, WPARAM key, LPARAM flags) { PostMessageW(form->Handle(), msg, key, flags); };
  post(WM_SYSCHAR, 'f', 1 | (1 << 29));
  post(WM_KEYDOWN, VK_DOWN, 1);
  post(WM_KEYUP, VK_DOWN, 1 | (3u << 30));
  post(WM_CHAR, 's', 1);
  ASSERT_TRUE(PumpUntil([&] { return !fixture.clicked.empty(); }));
  EXPECT_EQ(fixture.clicked[0]->Caption(), "&Save");

  // A command of another menu's item sent to the form reaches nothing here.
  TMenuBarFixture other(form.get());
  form->SetMenu(fixture.bar);
  SendMessageW(form->Handle(), WM_COMMAND, MAKEWPARAM(other.open->Command(), 0), 0);
  EXPECT_TRUE(other.clicked.empty());
  SendMessageW(form->Handle(), WM_COMMAND, MAKEWPARAM(fixture.open->Command(), 0), 0);
  ASSERT_EQ(fixture.clicked.size(), 2u);
  EXPECT_EQ(fixture.clicked[1], fixture.open);
}

TEST_F(MenuTest, AStoredFormKeepsItsMenuBar) {
  TMenuBarFixture fixture(form.get());
  fixture.bar->SetName("MainMenu1");
  fixture.file->SetName("File1");
  fixture.save->SetName("Save1");
  for (TMenuItem* item : {fixture.file, fixture.open, fixture.save, fixture.edit, fixture.undo}) item->OnClick = {};
  fixture.file->Items(1)->OnClick = {};
  auto stream = StreamOf(ComponentRecords(form.get(), {fixture.bar}, 1));
  TForm host(nullptr);
  TComponentReader reader(*stream);
  reader.ReadComponents(&host, nullptr);
  auto* bar = dynamic_cast<TMainMenu*>(host.FindComponent("MainMenu1"));
  ASSERT_NE(bar, nullptr);
  ASSERT_EQ(bar->Items()->Count(), 2);
  EXPECT_EQ(bar->Items()->Items(0)->Name(), "File1");
  ASSERT_EQ(bar->Items()->Items(0)->Count(), 3);
  EXPECT_EQ(bar->Items()->Items(0)->Items(2)->Name(), "Save1");
  EXPECT_EQ(bar->Items()->Items(0)->GetParentMenu(), bar);
}

}  // namespace
