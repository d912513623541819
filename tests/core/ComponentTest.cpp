// Components: ownership and destruction order, notifications, names and the name index,
// component state, and the streamed design position of non-visual components.
#include <gtest/gtest.h>

#include <memory>

#include "TestClasses.h"
#include "TestFiler.h"

namespace {

// Records what it is told.
class TWatcher : public TComponent {
  TAVELKO_CLASS(TWatcher, TComponent)

 public:
  struct TEntry {
    TComponent* component;
    TOperation operation;
    String className;
    bool destroying;
  };
  explicit TWatcher(TComponent* owner, std::vector<String>* destroyed = nullptr)
      : TComponent(owner), destroyed_(destroyed) {}
  ~TWatcher() override {
    if (destroyed_) destroyed_->push_back(Name());
  }
  void Notification(TComponent* component, TOperation operation) override {
    TComponent::Notification(component, operation);
    if (component != this) log.push_back({component, operation, component->ClassName(), component->ComponentState().Contains(csDestroying)});
  }
  int Removals(TComponent* component) const {
    int n = 0;
    for (const TEntry& e : log) n += e.component == component && e.operation == opRemove;
    return n;
  }
  std::vector<TEntry> log;

 private:
  std::vector<String>* destroyed_;
};

// Starts its destruction early, so those told of it still see the whole object.
class TEarlyNotifier : public TComponent {
  TAVELKO_CLASS(TEarlyNotifier, TComponent)

 public:
  explicit TEarlyNotifier(TComponent* owner) : TComponent(owner) {}
  ~TEarlyNotifier() override { BeforeDestruction(); }
};

TComponent* Named(TComponent* c, const char* name) {
  c->SetName(name);
  return c;
}

}  // namespace

TEST(Ownership, ComponentsInInsertionOrderWithIndexes) {
  TComponent owner(nullptr);
  auto* a = Named(new TComponent(&owner), "A");
  auto* b = Named(new TComponent(&owner), "B");
  auto* c = Named(new TComponent(&owner), "C");
  ASSERT_EQ(owner.ComponentCount(), 3);
  EXPECT_EQ(owner.Components(0), a);
  EXPECT_EQ(owner.Components(2), c);
  EXPECT_EQ(b->ComponentIndex(), 1);
  EXPECT_EQ(owner.ComponentIndex(), -1);
  EXPECT_THROW(owner.Components(3), EListError);
  c->SetComponentIndex(0);
  EXPECT_EQ(owner.Components(0), c);
  EXPECT_EQ(a->ComponentIndex(), 1);
  owner.RemoveComponent(b);
  EXPECT_EQ(b->Owner(), nullptr);
  EXPECT_EQ(owner.FindComponent("B"), nullptr);
  delete b;  // given up: the former owner no longer destroys it
  EXPECT_EQ(owner.ComponentCount(), 2);
}

TEST(Ownership, OwnerDestroysItsComponentsLastInsertedFirstAndLeaksNothing) {
  const long before = TObject::LiveCount();
  std::vector<String> destroyed;
  {
    TComponent owner(nullptr);
    for (const char* name : {"First", "Second", "Third"}) {
      auto* w = new TWatcher(&owner, &destroyed);
      w->SetName(name);
      new TTestDerived(w);  // owned one level deeper, with its font
    }
    EXPECT_EQ(TObject::LiveCount(), before + 1 + 3 * 3);
  }
  EXPECT_EQ(destroyed, (std::vector<String>{"Third", "Second", "First"}));
  EXPECT_EQ(TObject::LiveCount(), before);
}

TEST(Ownership, DestroyingOneComponentRemovesItFromItsOwner) {
  TComponent owner(nullptr);
  auto* a = Named(new TComponent(&owner), "A");
  delete Named(new TComponent(&owner), "B");
  EXPECT_EQ(owner.ComponentCount(), 1);
  EXPECT_EQ(owner.FindComponent("B"), nullptr);
  EXPECT_EQ(owner.FindComponent("A"), a);
}

TEST(Ownership, InsertingUnderAnotherOwnerNeedsAFreeName) {
  TComponent first(nullptr), second(nullptr);
  auto* a = Named(new TComponent(&first), "Shape1");
  Named(new TComponent(&second), "SHAPE1");
  first.RemoveComponent(a);
  EXPECT_THROW(second.InsertComponent(a), EComponentError);
  EXPECT_EQ(a->Owner(), nullptr);
  first.InsertComponent(a);
  EXPECT_THROW(first.InsertComponent(a), EComponentError);  // already owned
  EXPECT_EQ(first.FindComponent("shape1"), a);
}

TEST(Notification, OnlyTheOwnerAndItsWatchersAreToldOfInsertionAndRemoval) {
  TComponent owner(nullptr);
  auto* sibling = new TWatcher(&owner);
  auto* watcher = new TWatcher(&owner);
  owner.AddOwnedWatcher(watcher);
  owner.AddOwnedWatcher(watcher);  // once
  auto* c = new TComponent(&owner);
  ASSERT_EQ(watcher->log.size(), 1u);
  EXPECT_EQ(watcher->log[0].component, c);
  EXPECT_EQ(watcher->log[0].operation, opInsert);
  delete c;
  EXPECT_EQ(watcher->Removals(c), 1);
  EXPECT_TRUE(sibling->log.empty());  // a sibling that did not ask hears nothing

  owner.RemoveOwnedWatcher(watcher);
  delete new TComponent(&owner);
  EXPECT_EQ(watcher->log.size(), 2u);
}

TEST(Notification, WatchesEndWithEitherSide) {
  TComponent outside(nullptr);
  // The watcher goes first: the owner must not tell it afterwards.
  auto* owner = new TComponent(nullptr);
  auto* early = new TWatcher(&outside);
  owner->AddOwnedWatcher(early);
  delete early;
  new TComponent(owner);
  // The owner goes first: the watcher hears each owned component go, then nothing more.
  auto* watcher = new TWatcher(&outside);
  owner->AddOwnedWatcher(watcher);
  auto* a = new TComponent(owner);
  auto* b = new TComponent(owner);
  watcher->log.clear();
  delete owner;
  ASSERT_EQ(watcher->log.size(), 3u);
  EXPECT_EQ(watcher->log[0].component, b);
  EXPECT_EQ(watcher->log[1].component, a);
  EXPECT_TRUE(watcher->log[1].destroying);
  delete watcher;  // must not reach back into the freed owner
}

TEST(Notification, FreeNotificationClearsReferencesAcrossOwners) {
  const long before = TObject::LiveCount();
  {
    TComponent formA(nullptr), formB(nullptr);
    auto* holder = new TTestDerived(&formA);
    auto* target = new TTestBase(&formB);
    holder->SetLink(target);
    delete target;  // another owner: only the free-notification link tells the holder
    EXPECT_EQ(holder->Link(), nullptr);

    // The holder dies first: the target must not keep a dangling link to it.
    auto* target2 = new TTestBase(&formB);
    holder->SetLink(target2);
    delete holder;
    delete target2;  // would touch the dead holder had the link stayed
  }
  EXPECT_EQ(TObject::LiveCount(), before);
}

namespace {

// Remembers where its link pointed when its destruction began.
class TLinkProbe : public TTestDerived {
 public:
  TLinkProbe(TComponent* owner, TTestBase** seen) : TTestDerived(owner), seen_(seen) {}
  ~TLinkProbe() override { *seen_ = Link(); }

 private:
  TTestBase** seen_;
};

}  // namespace

TEST(Notification, ALinkToASiblingIsClearedInEveryDestructionOrder) {
  TTestBase* seen = nullptr;
  {
    TComponent form(nullptr);
    auto* holder = new TTestDerived(&form);
    auto* target = new TTestBase(&form);
    holder->SetLink(target);
    delete target;  // no owner broadcast: only the link tells the holder
    EXPECT_EQ(holder->Link(), nullptr);
  }
  for (bool holderFirst : {true, false}) {
    SCOPED_TRACE(holderFirst);
    auto* form = new TComponent(nullptr);
    TLinkProbe* holder = holderFirst ? new TLinkProbe(form, &seen) : nullptr;
    auto* target = new TTestBase(form);
    if (!holderFirst) holder = new TLinkProbe(form, &seen);
    holder->SetLink(target);
    seen = target;
    delete form;  // the last inserted goes first
    EXPECT_EQ(seen, holderFirst ? nullptr : target);
  }
}

TEST(Notification, LinkIsTwoWayAndLinkingTwiceLinksOnce) {
  TComponent formA(nullptr), formB(nullptr);
  auto* watcher = new TWatcher(&formA);
  auto* a = new TComponent(&formB);
  a->FreeNotification(watcher);
  a->FreeNotification(watcher);
  delete a;
  EXPECT_EQ(watcher->Removals(a), 1);

  auto* b = new TComponent(&formB);
  auto* other = new TWatcher(&formB);
  b->FreeNotification(other);
  b->RemoveFreeNotification(other);
  other->log.clear();
  formB.RemoveComponent(b);
  delete b;
  EXPECT_TRUE(other->log.empty());  // neither linked nor watching the owner
}

TEST(Notification, OwnerDestructionTellsLinksOutsideAndLeavesNoDanglingReference) {
  TComponent outside(nullptr);
  auto* holder = new TTestDerived(&outside);
  const long before = TObject::LiveCount();
  {
    TComponent form(nullptr);
    auto* panel = new TTestBase(&form);
    auto* inner = new TTestBase(panel);
    holder->SetLink(inner);
    auto* sibling = new TTestDerived(&form);
    sibling->SetLink(panel);
  }
  EXPECT_EQ(holder->Link(), nullptr);
  EXPECT_EQ(TObject::LiveCount(), before);
}

TEST(Notification, DyingTreeIsMarkedAndItsLinksAreToldOwnerFirst) {
  TComponent outside(nullptr);
  auto* watcher = new TWatcher(&outside);
  TComponent* child = nullptr;
  TComponent* form = new TComponent(nullptr);
  child = new TComponent(form);
  child->FreeNotification(watcher);
  form->FreeNotification(watcher);
  delete form;
  ASSERT_EQ(watcher->log.size(), 2u);
  EXPECT_EQ(watcher->log[0].component, form);
  EXPECT_EQ(watcher->log[1].component, child);
  EXPECT_TRUE(watcher->log[0].destroying);
  EXPECT_TRUE(watcher->log[1].destroying);
}

TEST(Notification, BeforeDestructionLetsObserversSeeTheWholeObject) {
  TComponent outside(nullptr);
  auto* watcher = new TWatcher(&outside);
  auto* early = new TEarlyNotifier(nullptr);
  auto* late = new TTestBase(nullptr);
  early->FreeNotification(watcher);
  late->FreeNotification(watcher);
  delete early;
  delete late;
  ASSERT_EQ(watcher->log.size(), 2u);
  EXPECT_EQ(watcher->log[0].className, "TEarlyNotifier");
  EXPECT_EQ(watcher->log[1].className, "TComponent");  // the descendant part is already gone
}

TEST(Names, IdentifierRules) {
  TComponent owner(nullptr);
  auto* c = new TComponent(&owner);
  for (const char* good : {"Button1", "_x", "a", "DsnStage1", "Z9_"}) {
    EXPECT_NO_THROW(c->SetName(good)) << good;
    EXPECT_EQ(c->Name(), good);
  }
  for (const char* bad : {"1Button", "with space", "dot.ted", "名前", "a-b", "Button1\t"}) {
    try {
      c->SetName(bad);
      ADD_FAILURE() << bad;
    } catch (const EComponentError& e) {
      EXPECT_EQ(e.Message(), Format("Component name \"%s\" is not a valid component name", bad));
    }
  }
  EXPECT_EQ(c->Name(), "Z9_");
  c->SetName("");  // an empty name is allowed and not indexed
  EXPECT_EQ(owner.FindComponent(""), nullptr);
}

TEST(Names, UniqueUnderTheOwnerIgnoringCase) {
  TComponent owner(nullptr), other(nullptr);
  auto* a = Named(new TComponent(&owner), "Image1");
  auto* b = new TComponent(&owner);
  try {
    b->SetName("IMAGE1");
    FAIL();
  } catch (const EComponentError& e) {
    EXPECT_EQ(e.Message(), "コンポーネント名 IMAGE1 はすでに使われています");
  }
  EXPECT_EQ(b->Name(), "");
  a->SetName("IMAGE1");  // its own name in other letters
  EXPECT_EQ(owner.FindComponent("image1"), a);
  Named(new TComponent(&other), "Image1");  // another owner: no clash
  a->SetName("Image2");
  EXPECT_EQ(owner.FindComponent("Image1"), nullptr);
  b->SetName("Image1");
  EXPECT_EQ(owner.FindComponent("IMAGE1"), b);
  EXPECT_EQ(owner.FindComponent("image2"), a);
}

TEST(Names, FindComponentAmongTenThousand) {
  const long before = TObject::LiveCount();
  {
    TComponent owner(nullptr);
    std::vector<TComponent*> all;
    for (int i = 0; i < 10000; ++i) all.push_back(Named(new TComponent(&owner), ("Shape" + IntToStr(i)).c_str()));
    for (int i = 0; i < 10000; i += 7) ASSERT_EQ(owner.FindComponent("SHAPE" + IntToStr(i)), all[i]);
    EXPECT_EQ(owner.FindComponent("Shape10000"), nullptr);
    for (int i = 0; i < 10000; i += 2) delete all[i];
    for (int i = 1; i < 10000; i += 500) all[i]->SetName("Renamed" + IntToStr(i));
    for (int i = 0; i < 10000; ++i) {
      TComponent* expected = (i % 2 == 1 && i % 500 != 1) ? all[i] : nullptr;
      ASSERT_EQ(owner.FindComponent("shape" + IntToStr(i)), expected) << i;
    }
    EXPECT_EQ(owner.FindComponent("renamed501"), all[501]);
    EXPECT_EQ(owner.ComponentCount(), 5000);
  }
  EXPECT_EQ(TObject::LiveCount(), before);
}

TEST(State, SetDesigningReachesOwnedComponentsWhenAsked) {
  TComponent form(nullptr);
  auto* panel = new TComponent(&form);
  auto* inner = new TComponent(panel);
  form.SetDesigning(true);
  EXPECT_TRUE(inner->ComponentState().Contains(csDesigning));
  form.SetDesigning(false, false);
  EXPECT_FALSE(form.ComponentState().Contains(csDesigning));
  EXPECT_TRUE(panel->ComponentState().Contains(csDesigning));
  form.SetStateFlag(csLoading, true);
  EXPECT_TRUE(form.ComponentState().Contains(csLoading));
  form.Loaded();
  EXPECT_FALSE(form.ComponentState().Contains(csLoading));
}

TEST(DesignPosition, NonVisualComponentsStreamLeftAndTop) {
  TComponent form(nullptr);
  auto* dialog = new TComponent(&form);
  dialog->SetDesignInfo((548 << 16) | 364);
  TTestWriter writer;
  dialog->DefineProperties(writer);
  ASSERT_EQ(writer.properties.size(), 2u);
  EXPECT_EQ(std::get<std::int64_t>(writer.properties["Left"].at(0)), 364);
  EXPECT_EQ(std::get<std::int64_t>(writer.properties["Top"].at(0)), 548);

  auto* atOrigin = new TComponent(&form);
  atOrigin->SetDesignInfo(7 << 16);
  TTestWriter originWriter;
  atOrigin->DefineProperties(originWriter);
  EXPECT_EQ(originWriter.properties.count("Left"), 0u);  // zero is the default
  EXPECT_EQ(originWriter.properties.count("Top"), 1u);

  auto* copy = new TComponent(&form);
  TTestReader reader({{"Left", {std::int64_t{-20}}}, {"Top", {std::int64_t{10}}}});
  copy->DefineProperties(reader);
  EXPECT_EQ(copy->DesignInfo() & 0xFFFF, 0xFFEC);
  EXPECT_EQ(copy->DesignInfo() >> 16, 10);
}

TEST(Persistent, AssignBetweenUnrelatedClassesRaisesTheAssignError) {
  TTestFont font;
  TTestBase component(nullptr);
  try {
    font.Assign(&component);
    FAIL();
  } catch (const EConvertError& e) {
    EXPECT_EQ(e.Message(), "Cannot assign a TTestBase to a TTestFont");
  }
  try {
    font.Assign(nullptr);
    FAIL();
  } catch (const EConvertError& e) {
    EXPECT_EQ(e.Message(), "Cannot assign a nil to a TTestFont");
  }
}
