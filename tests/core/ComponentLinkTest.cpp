// Links to observed components: cleared by the component's destruction in any order, re-pointed
// without leaving subscriptions behind, reacting through their callback, and lists of them.
#include <gtest/gtest.h>

#include <memory>

#include "framework/core/ComponentLink.h"
#include "framework/core/ScopeGuard.h"

namespace {

class TPlain : public TComponent {
  TAVELKO_CLASS(TPlain, TComponent)

 public:
  using TComponent::TComponent;
};

// A component holding one link and counting its removals.
class THolder : public TComponent {
  TAVELKO_CLASS(THolder, TComponent)

 public:
  using TComponent::TComponent;
  TComponentLink<TPlain> Target{[this] { ++removals; }};
  int removals = 0;
};

// A component that reaches its link from its own destruction.
class TCleaner : public TComponent {
  TAVELKO_CLASS(TCleaner, TComponent)

 public:
  explicit TCleaner(TComponent* owner, TComponent* watched) : TComponent(owner) { Watched.Set(watched); }
  ~TCleaner() override {
    BeforeDestruction();
    Watched.Set(nullptr);
  }
  TComponentLink<TComponent> Watched;
};

TEST(ComponentLinkTest, ClearedWhicheverSideGoesFirst) {
  auto target = std::make_unique<TPlain>(nullptr);
  {
    THolder holder(nullptr);
    holder.Target.Set(target.get());
    EXPECT_EQ(holder.Target.Get(), target.get());
  }  // the holder goes first: the target must not tell a destroyed link
  THolder holder(nullptr);
  holder.Target.Set(target.get());
  target.reset();
  EXPECT_EQ(holder.Target.Get(), nullptr);
  EXPECT_EQ(holder.removals, 1);
}

TEST(ComponentLinkTest, RepointingDropsTheOldSubscription) {
  auto first = std::make_unique<TPlain>(nullptr);
  auto second = std::make_unique<TPlain>(nullptr);
  THolder holder(nullptr);
  holder.Target.Set(first.get());
  holder.Target.Set(second.get());
  first.reset();  // no longer observed: the link must stay on the second
  EXPECT_EQ(holder.Target.Get(), second.get());
  EXPECT_EQ(holder.removals, 0);
  holder.Target.Set(second.get());  // the same again subscribes once
  holder.Target.Set(nullptr);
  second.reset();
  EXPECT_EQ(holder.removals, 0);
}

TEST(ComponentLinkTest, SeveralLinksToOneComponentAreAllCleared) {
  auto target = std::make_unique<TPlain>(nullptr);
  THolder a(nullptr), b(nullptr);
  a.Target.Set(target.get());
  b.Target.Set(target.get());
  b.Target.Set(nullptr);
  b.Target.Set(target.get());
  target.reset();
  EXPECT_EQ(a.Target.Get(), nullptr);
  EXPECT_EQ(b.Target.Get(), nullptr);
  EXPECT_EQ(a.removals + b.removals, 2);
}

TEST(ComponentLinkTest, LinksWithinOneOwnerGoWithIt) {
  // Owned components are destroyed last-inserted first: the holder outlives its target here,
  // and in the second form the target outlives the holder.
  for (bool holderFirst : {false, true}) {
    auto form = std::make_unique<TPlain>(nullptr);
    THolder* holder = nullptr;
    TPlain* target = nullptr;
    if (holderFirst) {
      holder = new THolder(form.get());
      target = new TPlain(form.get());
    } else {
      target = new TPlain(form.get());
      holder = new THolder(form.get());
    }
    holder->Target.Set(target);
    form.reset();  // must neither crash nor leave a dangling subscription (the sanitizer build sees it)
  }
}

TEST(ComponentLinkTest, AComponentBeingDestroyedIsNotLinked) {
  auto watched = std::make_unique<TPlain>(nullptr);
  auto* cleaner = new TCleaner(watched.get(), watched.get());
  EXPECT_EQ(cleaner->Watched.Get(), watched.get());
  // The owner's destruction clears the link before it destroys the cleaner, which then sets it
  // to null; linking back to the dying owner would leave a subscription in a freed list.
  watched.reset();
}

TEST(ComponentLinkTest, ListForgetsDestroyedItemsAndKeepsOrder) {
  auto a = std::make_unique<TPlain>(nullptr);
  auto b = std::make_unique<TPlain>(nullptr);
  auto c = std::make_unique<TPlain>(nullptr);
  TComponentLinkList<TPlain> list;
  list.Add(a.get());
  list.Add(b.get());
  list.Add(c.get());
  list.Add(b.get());
  list.Add(nullptr);
  ASSERT_EQ(list.Count(), 4);
  b.reset();
  ASSERT_EQ(list.Count(), 2);
  EXPECT_EQ(list[0], a.get());
  EXPECT_EQ(list[1], c.get());
  EXPECT_TRUE(list.Remove(a.get()));
  EXPECT_FALSE(list.Remove(a.get()));
  a.reset();  // removed: must not be touched
  EXPECT_TRUE(list.Contains(c.get()));
  list.Clear();
  c.reset();
  EXPECT_TRUE(list.Empty());
}

TEST(ComponentLinkTest, ListDestroyedBeforeItsItems) {
  auto a = std::make_unique<TPlain>(nullptr);
  {
    TComponentLinkList<TPlain> list;
    list.Add(a.get());
    list.Add(a.get());
  }
  a.reset();
}

TEST(ScopeGuardTest, RunsOnReturnAndOnException) {
  int cleanUps = 0;
  {
    TScopeGuard guard([&] { ++cleanUps; });
  }
  EXPECT_EQ(cleanUps, 1);
  EXPECT_THROW(
      {
        TScopeGuard guard([&] { ++cleanUps; });
        throw EListError("x");
      },
      EListError);
  EXPECT_EQ(cleanUps, 2);
  {
    TScopeGuard guard([&] { ++cleanUps; });
    guard.Dismiss();
  }
  EXPECT_EQ(cleanUps, 2);
}

TEST(ScopeGuardTest, FirstErrorWinsAndACleanUpErrorAloneIsReported) {
  auto failingCleanUp = [] { throw EListError("clean-up"); };
  try {
    TScopeGuard guard(failingCleanUp);
    throw EComponentError("work");
  } catch (const EComponentError&) {
  }
  EXPECT_THROW({ TScopeGuard guard(failingCleanUp); }, EListError);
}

TEST(ScopeGuardTest, TemporarilySetRestoresTheOldValue) {
  bool flag = false;
  {
    auto restore = TemporarilySet(flag, true);
    EXPECT_TRUE(flag);
  }
  EXPECT_FALSE(flag);
  String text = "old";
  EXPECT_THROW(
      {
        auto restore = TemporarilySet(text, String("new"));
        throw EListError("x");
      },
      EListError);
  EXPECT_EQ(text, "old");
}

}  // namespace
