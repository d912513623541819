// The selection and its receivers: symmetric links, the order in which operations reach the
// receivers, the death sequence of a selected control, and receivers dying while linked.
#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "designer/DsnList.h"

namespace {

// Writes every operation it receives into a shared log as "<name>.<operation>(<argument>)".
class TRecorder : public TReceiveTargets {
 public:
  TRecorder(std::string name, std::vector<std::string>& log) : name_(std::move(name)), log_(log) {}
  void ItemDeath(int index) override { Note("ItemDeath", index); }
  void Add(void* item) override { Note("Add", *static_cast<int*>(item)); }
  void Clear() override { Note("Clear"); }
  void Delete(int index) override { Note("Delete", index); }
  void SetPosition() override {
    Note("SetPosition");
    if (onSetPosition) onSetPosition();
  }
  std::function<void()> onSetPosition;

 private:
  void Note(const char* what, int argument) { log_.push_back(name_ + "." + what + "(" + std::to_string(argument) + ")"); }
  void Note(const char* what) { log_.push_back(name_ + "." + what); }

  std::string name_;
  std::vector<std::string>& log_;
};

using Log = std::vector<std::string>;

int one = 1, two = 2, three = 3;

}  // namespace

TEST(ReceiveTargets, LinksAreSymmetricAndMadeOnce) {
  Log log;
  TRecorder a("a", log), b("b", log), c("c", log);
  EXPECT_EQ(a.Receivers(), nullptr);
  a.SelectNotification(&b);
  a.SelectNotification(&b);
  b.SelectNotification(&a);
  a.SelectNotification(nullptr);
  ASSERT_NE(a.Receivers(), nullptr);
  ASSERT_NE(b.Receivers(), nullptr);
  EXPECT_EQ(a.Receivers()->Count(), 1);
  EXPECT_EQ(b.Receivers()->Count(), 1);
  EXPECT_TRUE(a.IsLinkedTo(&b));
  EXPECT_TRUE(b.IsLinkedTo(&a));
  EXPECT_FALSE(a.IsLinkedTo(&c));
  EXPECT_EQ(c.Receivers(), nullptr);
}

TEST(ReceiveTargets, DyingReceiverIsDroppedEverywhere) {
  Log log;
  TRecorder a("a", log), b("b", log);
  {
    TRecorder dying("dying", log);
    a.SelectNotification(&dying);
    dying.SelectNotification(&b);
    ASSERT_TRUE(a.IsLinkedTo(&dying));
    ASSERT_TRUE(b.IsLinkedTo(&dying));
  }
  EXPECT_EQ(a.Receivers()->Count(), 0);
  EXPECT_EQ(b.Receivers()->Count(), 0);
  // A notification about a receiver that was never linked changes nothing.
  a.SelectNotification(&b);
  TRecorder stranger("stranger", log);
  a.Notification(&stranger);
  a.Notification(nullptr);
  EXPECT_TRUE(a.IsLinkedTo(&b));
}

TEST(TargetList, OperationsReachReceiversInLinkOrderAfterTheItems) {
  Log log;
  TTargetList targets;
  TRecorder handles("handles", log), props("props", log), extra("extra", log);
  targets.SelectNotification(&handles);
  targets.SelectNotification(&props);
  targets.SelectNotification(&extra);
  // Every receiver sees the target list's items already changed.
  handles.onSetPosition = [&] { log.push_back("count=" + std::to_string(targets.GetCount())); };

  targets.Clear();
  targets.Add(&one);
  targets.Add(&two);
  targets.SetPosition();
  EXPECT_EQ(log, (Log{"handles.Clear", "props.Clear", "extra.Clear", "handles.Add(1)", "props.Add(1)",
                      "extra.Add(1)", "handles.Add(2)", "props.Add(2)", "extra.Add(2)", "handles.SetPosition",
                      "count=2", "props.SetPosition", "extra.SetPosition"}));
  EXPECT_EQ(targets.IndexOf(&two), 1);
  EXPECT_EQ(targets.IndexOf(&three), -1);
}

TEST(TargetList, DeathSequenceKeepsTheSlotUntilDelete) {
  Log log;
  TTargetList targets;
  TRecorder handles("handles", log);
  targets.SelectNotification(&handles);
  targets.Add(&one);
  targets.Add(&two);
  targets.Add(&three);
  log.clear();

  targets.ItemDeath(1);
  EXPECT_EQ(targets.GetCount(), 3);
  EXPECT_EQ(targets.GetItems(1), nullptr);
  EXPECT_EQ(targets.IndexOf(&two), -1);
  targets.Delete(1);
  targets.SetPosition();
  EXPECT_EQ(targets.GetCount(), 2);
  EXPECT_EQ(static_cast<void*>(targets.GetItems(1)), static_cast<void*>(&three));
  EXPECT_EQ(log, (Log{"handles.ItemDeath(1)", "handles.Delete(1)", "handles.SetPosition"}));
}

TEST(TargetList, BadIndexRaisesBeforeAnyReceiverHears) {
  Log log;
  TTargetList targets;
  TRecorder handles("handles", log);
  targets.SelectNotification(&handles);
  targets.Add(&one);
  log.clear();
  EXPECT_THROW(targets.ItemDeath(1), EListError);
  EXPECT_THROW(targets.Delete(-1), EListError);
  EXPECT_TRUE(log.empty());
  EXPECT_EQ(targets.GetItems(1), nullptr);
  EXPECT_EQ(targets.GetItems(-1), nullptr);
  EXPECT_EQ(targets.GetCount(), 1);
}

TEST(TargetList, WorksWithoutReceivers) {
  TTargetList targets;
  targets.Add(&one);
  targets.Add(&two);
  targets.Delete(0);
  targets.SetPosition();
  EXPECT_EQ(targets.GetCount(), 1);
  EXPECT_EQ(static_cast<void*>(targets.GetItems(0)), static_cast<void*>(&two));
  targets.Clear();
  EXPECT_EQ(targets.GetCount(), 0);
}

TEST(TargetList, DestructionUnlinksBothWays) {
  Log log;
  TRecorder handles("handles", log);
  auto linkAndDestroy = [&] {
    TTargetList targets;
    targets.SelectNotification(&handles);
    ASSERT_TRUE(handles.IsLinkedTo(&targets));
  };
  linkAndDestroy();  // gives `handles` its list of receivers
  const long alive = TObject::LiveCount();
  linkAndDestroy();
  EXPECT_EQ(handles.Receivers()->Count(), 0);
  EXPECT_EQ(TObject::LiveCount(), alive);

  // A receiver destroyed while linked no longer receives operations.
  TTargetList targets;
  auto props = std::make_unique<TRecorder>("props", log);
  targets.SelectNotification(&handles);
  targets.SelectNotification(props.get());
  props.reset();
  log.clear();
  targets.Add(&one);
  EXPECT_EQ(log, (Log{"handles.Add(1)"}));
  EXPECT_EQ(targets.Receivers()->Count(), 1);
}

TEST(TargetList, ReceiverDestroyedDuringAnOperationIsSkipped) {
  Log log;
  TTargetList targets;
  TRecorder first("first", log);
  auto second = std::make_unique<TRecorder>("second", log);
  TRecorder third("third", log);
  targets.SelectNotification(&first);
  targets.SelectNotification(second.get());
  targets.SelectNotification(&third);
  first.onSetPosition = [&] { second.reset(); };
  targets.SetPosition();
  EXPECT_EQ(log, (Log{"first.SetPosition", "third.SetPosition"}));
}
