// Controls without windows on screen: bounds, alignment, child lists, inherited properties,
// messages through WindowProc, destruction and streaming of control properties.
#include <gtest/gtest.h>

#include "WindowsTestSupport.h"
#include "framework/core/Stream.h"
#include "streaming/ComponentReader.h"
#include "streaming/ComponentWriter.h"

using namespace windows_test;

namespace {

// Counts Resize and realignments that a test provokes.
class TCountingPatch : public TPatch {
 public:
  using TPatch::TPatch;
  int Resizes = 0;

 protected:
  void Resize() override {
    ++Resizes;
    TPatch::Resize();
  }
};

}  // namespace

TEST(ControlBounds, SetBoundsMovesAndSizesInOneStep) {
  TBox parent(nullptr);
  TCountingPatch patch(nullptr);
  patch.SetParent(&parent);
  patch.SetBounds(3, 4, 30, 40);
  EXPECT_EQ(patch.BoundsRect(), Rect(3, 4, 33, 44));
  EXPECT_EQ(patch.Resizes, 1);
  patch.SetBounds(3, 4, 30, 40);
  patch.SetLeft(9);
  EXPECT_EQ(patch.Resizes, 1) << "a move or an unchanged size is no resize";
  EXPECT_EQ(patch.ClientRect(), Rect(0, 0, 30, 40));
}

TEST(ControlBounds, ConstraintsLimitTheSize) {
  TPatch patch(nullptr);
  patch.Constraints()->SetMaxWidth(50);
  patch.Constraints()->SetMinHeight(20);
  patch.SetBounds(0, 0, 80, 5);
  EXPECT_EQ(patch.Width(), 50);
  EXPECT_EQ(patch.Height(), 20);
}

TEST(ControlAlign, EdgesAreTakenTopBottomLeftRightThenClient) {
  TBox parent(nullptr);
  parent.SetBounds(0, 0, 200, 100);
  TPatch top(nullptr), bottom(nullptr), left(nullptr), right(nullptr), client(nullptr);
  for (TPatch* p : {&top, &bottom, &left, &right, &client}) p->SetParent(&parent);
  top.SetHeight(10);
  top.SetAlign(alTop);
  bottom.SetHeight(20);
  bottom.SetAlign(alBottom);
  left.SetWidth(30);
  left.SetAlign(alLeft);
  right.SetWidth(40);
  right.SetAlign(alRight);
  client.SetAlign(alClient);
  EXPECT_EQ(top.BoundsRect(), Rect(0, 0, 200, 10));
  EXPECT_EQ(bottom.BoundsRect(), Rect(0, 80, 200, 100));
  EXPECT_EQ(left.BoundsRect(), Rect(0, 10, 30, 80));
  EXPECT_EQ(right.BoundsRect(), Rect(160, 10, 200, 80));
  EXPECT_EQ(client.BoundsRect(), Rect(30, 10, 160, 80));

  parent.SetBounds(0, 0, 300, 200);
  EXPECT_EQ(client.BoundsRect(), Rect(30, 10, 260, 180));
  top.SetVisible(false);
  EXPECT_EQ(left.BoundsRect(), Rect(0, 0, 30, 180)) << "a hidden control gives its edge back";
}

TEST(ControlAlign, ControlsOnOneEdgeKeepTheOrderOfTheirPositions) {
  TBox parent(nullptr);
  parent.SetBounds(0, 0, 100, 100);
  TPatch first(nullptr), second(nullptr);
  second.SetParent(&parent);
  first.SetParent(&parent);
  second.SetBounds(0, 50, 10, 10);
  first.SetBounds(0, 5, 10, 20);
  first.SetAlign(alTop);
  second.SetAlign(alTop);
  EXPECT_EQ(first.Top(), 0);
  EXPECT_EQ(second.Top(), 20);
  // Moving a control of the edge by hand only reorders the edge.
  second.SetTop(-5);
  EXPECT_EQ(second.Top(), 0);
  EXPECT_EQ(first.Top(), 10);
}

TEST(ControlAlign, AnchoredControlsFollowTheRightAndBottomEdges) {
  TBox parent(nullptr);
  parent.SetBounds(0, 0, 100, 100);
  TPatch pinned(nullptr), stretched(nullptr), plain(nullptr);
  for (TPatch* p : {&pinned, &stretched, &plain}) {
    p->SetParent(&parent);
    p->SetBounds(10, 10, 20, 20);
  }
  pinned.SetAnchors({akRight, akBottom});
  stretched.SetAnchors({akLeft, akTop, akRight});
  parent.SetBounds(0, 0, 150, 130);
  EXPECT_EQ(pinned.BoundsRect(), Bounds(60, 40, 20, 20));
  EXPECT_EQ(stretched.BoundsRect(), Bounds(10, 10, 70, 20));
  EXPECT_EQ(plain.BoundsRect(), Bounds(10, 10, 20, 20));
}

TEST(ControlChildren, WindowlessControlsComeFirstEachGroupBottomToTop) {
  // Parents first: a parent destroys the children still on it.
  TBox parent(nullptr), other(nullptr);
  TPatch a(nullptr), b(nullptr);
  TBox w(nullptr);
  a.SetParent(&parent);
  w.SetParent(&parent);
  b.SetParent(&parent);
  ASSERT_EQ(parent.ControlCount(), 3);
  EXPECT_EQ(parent.Controls(0), &a);
  EXPECT_EQ(parent.Controls(1), &b);
  EXPECT_EQ(parent.Controls(2), &w);
  EXPECT_THROW(parent.Controls(3), EListError);

  a.BringToFront();
  EXPECT_EQ(parent.Controls(1), &a);
  a.SendToBack();
  EXPECT_EQ(parent.Controls(0), &a);

  b.SetParent(&other);
  EXPECT_EQ(parent.ControlCount(), 2);
  EXPECT_EQ(other.Controls(0), &b);
  EXPECT_TRUE(other.ContainsControl(&b));
  EXPECT_FALSE(parent.ContainsControl(&b));
  parent.RemoveControl(&w);
  EXPECT_EQ(w.Parent(), nullptr);
  EXPECT_EQ(parent.ControlCount(), 1);
}

TEST(ControlChildren, InsertAndRemoveAreAnnouncedToTheParent) {
  class TListening : public TBox {
   public:
    using TBox::TBox;
    std::vector<std::pair<TControl*, bool>> Changes;

   protected:
    void Dispatch(TMessage& message) override {
      if (message.Msg == CM_CONTROLCHANGE)
        Changes.emplace_back(reinterpret_cast<TControl*>(message.WParam), message.LParam != 0);
      TBox::Dispatch(message);
    }
  } parent(nullptr);
  TPatch patch(nullptr);
  parent.InsertControl(&patch);
  EXPECT_EQ(patch.Parent(), &parent);
  parent.RemoveControl(&patch);
  ASSERT_EQ(parent.Changes.size(), 2u);
  EXPECT_EQ(parent.Changes[0], std::make_pair(static_cast<TControl*>(&patch), true));
  EXPECT_EQ(parent.Changes[1], std::make_pair(static_cast<TControl*>(&patch), false));
}

TEST(ControlChildren, DestroyingAParentDestroysTheChildrenStillOnIt) {
  struct TWatched : TPatch {
    TWatched(TComponent* owner, int& destroyed) : TPatch(owner), destroyed_(destroyed) {}
    ~TWatched() override { ++destroyed_; }
    int& destroyed_;
  };
  int destroyed = 0;
  TComponent owner(nullptr);
  auto* parent = new TBox(nullptr);
  (new TWatched(&owner, destroyed))->SetParent(parent);
  (new TWatched(nullptr, destroyed))->SetParent(parent);
  delete parent;
  EXPECT_EQ(destroyed, 2);
  EXPECT_EQ(owner.ComponentCount(), 0) << "the owned child left its owner";
}

TEST(ControlInheritance, FontColorAndHintFollowTheParentUntilSetOwn) {
  TBox parent(nullptr);
  TPatch child(nullptr);
  child.SetParent(&parent);
  parent.Font()->SetHeight(-20);
  parent.SetColor(clYellow);
  parent.SetShowHint(true);
  EXPECT_EQ(child.Font()->Height(), -20);
  EXPECT_EQ(child.Color(), clYellow);
  EXPECT_TRUE(child.ShowHint());
  EXPECT_TRUE(child.ParentFont());
  EXPECT_TRUE(child.ParentColor());
  EXPECT_TRUE(child.ParentShowHint());

  child.Font()->SetHeight(-9);
  child.SetColor(clRed);
  child.SetShowHint(false);
  EXPECT_FALSE(child.ParentFont());
  EXPECT_FALSE(child.ParentColor());
  EXPECT_FALSE(child.ParentShowHint());
  parent.Font()->SetHeight(-30);
  parent.SetColor(clBlue);
  EXPECT_EQ(child.Font()->Height(), -9);
  EXPECT_EQ(child.Color(), clRed);

  child.SetParentFont(true);
  child.SetParentColor(true);
  EXPECT_EQ(child.Font()->Height(), -30);
  EXPECT_EQ(child.Color(), clBlue);
}

TEST(ControlCaption, CaptionFollowsTheNameUntilSetOtherwise) {
  TComponent owner(nullptr);
  auto* box = new TBox(&owner);
  box->SetName("Box1");
  EXPECT_EQ(box->Caption(), "Box1");
  box->SetName("Box2");
  EXPECT_EQ(box->Caption(), "Box2");
  box->SetCaption("保存");
  box->SetName("Box3");
  EXPECT_EQ(box->Caption(), "保存");

  auto* patch = new TPatch(&owner);
  patch->SetControlStyle(patch->ControlStyle() - csSetCaption);
  patch->SetName("Patch1");
  EXPECT_EQ(patch->Caption(), "");
}

TEST(ControlMessages, PerformGoesThroughAReplaceableWindowProc) {
  TPatch patch(nullptr);
  std::vector<UINT> seen;
  const TControl::TWndMethod previous = patch.WindowProc();
  patch.SetWindowProc([&](TMessage& message) {
    seen.push_back(message.Msg);
    if (message.Msg == WM_APP) {
      message.Result = 42;
      return;
    }
    previous(message);
  });
  EXPECT_EQ(patch.Perform(WM_APP), 42);
  EXPECT_EQ(patch.Perform(CM_HITTEST), HTCLIENT) << "chained to the control's own handling";
  patch.SetCaption("x");
  EXPECT_NE(std::find(seen.begin(), seen.end(), CM_TEXTCHANGED), seen.end());

  patch.SetWindowProc(nullptr);
  seen.clear();
  EXPECT_EQ(patch.Perform(WM_APP), 0);
  EXPECT_TRUE(seen.empty());
}

TEST(ControlMessages, BroadcastStopsAtTheFirstAnswer) {
  TBox parent(nullptr);
  TPatch a(nullptr), b(nullptr), c(nullptr);
  int asked = 0;
  for (TPatch* p : {&a, &b, &c}) {
    p->SetParent(&parent);
    const TControl::TWndMethod previous = p->WindowProc();
    p->SetWindowProc([&, p, previous](TMessage& message) {
      if (message.Msg == CM_BUTTONPRESSED) {
        ++asked;
        if (p == &b) message.Result = 1;
        return;
      }
      previous(message);
    });
  }
  TMessage message{CM_BUTTONPRESSED, 7, 0, 0};
  parent.Broadcast(message);
  EXPECT_EQ(asked, 2);
  EXPECT_EQ(message.Result, 1);
}

TEST(ControlMessages, DesignHitTestAnswersNoByDefault) {
  TPatch patch(nullptr);
  TBox box(nullptr);
  EXPECT_EQ(patch.Perform(CM_DESIGNHITTEST, 0, MAKELPARAM(1, 1)), 0);
  EXPECT_EQ(box.Perform(CM_DESIGNHITTEST, 0, MAKELPARAM(1, 1)), 0);
}

TEST(ControlStreaming, CursorIsWrittenByNameAndReadBack) {
  RegisterClasses({&TPatch::StaticClassInfo(), &TBox::StaticClassInfo()});
  TComponent root(nullptr);
  auto* box = new TBox(&root);
  box->SetName("Box1");
  box->SetCaption("漫画の保存");
  box->SetCursor(crHandPoint);
  box->SetHint("モード切替");
  auto* patch = new TPatch(&root);
  patch->SetName("Patch1");
  patch->SetParent(box);
  patch->SetBounds(4, 5, 6, 7);

  TMemoryStream stream;
  {
    TComponentWriter writer(stream, &root);
    writer.WriteSignature();
    writer.WriteComponent(box);
  }
  const std::string bytes(reinterpret_cast<const char*>(stream.Memory()), static_cast<std::size_t>(stream.Size()));
  EXPECT_NE(bytes.find("crHandPoint"), std::string::npos);
  EXPECT_EQ(bytes.find("crDefault"), std::string::npos) << "the default cursor is not written";

  TComponent target(nullptr);
  stream.SetPosition(0);
  TComponentReader reader(stream);
  auto* copy = dynamic_cast<TBox*>(reader.ReadComponent(&target, nullptr));
  ASSERT_NE(copy, nullptr);
  EXPECT_EQ(copy->Cursor(), crHandPoint);
  EXPECT_EQ(copy->Caption(), "漫画の保存");
  EXPECT_EQ(copy->Hint(), "モード切替");
  ASSERT_EQ(copy->ControlCount(), 1);
  EXPECT_EQ(copy->Controls(0)->BoundsRect(), Bounds(4, 5, 6, 7));
  EXPECT_EQ(copy->Controls(0)->Name(), "Patch1");
}
