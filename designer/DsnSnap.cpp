#include "designer/DsnSnap.h"

#include <algorithm>
#include <array>
#include <cstdlib>

#include "framework/windows/WinControl.h"

namespace {

// The three places of a box along one axis: near edge, centre, far edge.
std::array<int, 3> Places(int start, int size) { return {start, start + size / 2, start + size}; }

// The nearest match along one axis: the correction to the offset, and the place it meets.
struct TMatch {
  int Correction = 0;
  int At = 0;
  int Distance = kSnapDistance + 1;
};

void Consider(TMatch& best, const std::array<int, 3>& moved, const std::array<int, 3>& sibling) {
  for (int m : moved)
    for (int s : sibling)
      if (std::abs(s - m) < best.Distance) best = {s - m, s, std::abs(s - m)};
}

}  // namespace

TSnapped SnapMove(const TRect& moving, TPoint offset, const std::vector<TRect>& siblings) {
  const TRect moved{moving.Left + offset.X, moving.Top + offset.Y, moving.Right + offset.X, moving.Bottom + offset.Y};
  const auto across = Places(moved.Left, moved.Width());
  const auto down = Places(moved.Top, moved.Height());
  TMatch x, y;
  for (const TRect& s : siblings) {
    Consider(x, across, Places(s.Left, s.Width()));
    Consider(y, down, Places(s.Top, s.Height()));
  }
  TSnapped snapped;
  if (x.Distance <= kSnapDistance) snapped.DX = offset.X + x.Correction;
  if (y.Distance <= kSnapDistance) snapped.DY = offset.Y + y.Correction;
  const TRect at{moving.Left + snapped.DX.value_or(offset.X), moving.Top + snapped.DY.value_or(offset.Y),
                 moving.Right + snapped.DX.value_or(offset.X), moving.Bottom + snapped.DY.value_or(offset.Y)};
  // Each line spans the box and every sibling that shares the place: across the other axis, from
  // the lowest start to the highest end.
  const auto line = [&](int place, bool vertical) {
    int from = vertical ? at.Top : at.Left, to = vertical ? at.Bottom : at.Right;
    for (const TRect& s : siblings) {
      const auto places = vertical ? Places(s.Left, s.Width()) : Places(s.Top, s.Height());
      if (std::ranges::find(places, place) == places.end()) continue;
      from = std::min(from, vertical ? s.Top : s.Left);
      to = std::max(to, vertical ? s.Bottom : s.Right);
    }
    return vertical ? TSnapLine{place, from, place, to} : TSnapLine{from, place, to, place};
  };
  if (snapped.DX) snapped.Lines.push_back(line(x.At, true));
  if (snapped.DY) snapped.Lines.push_back(line(y.At, false));
  return snapped;
}

std::optional<TSnappedEdge> SnapEdge(int edge, bool across, const TRect& box, const std::vector<TRect>& siblings) {
  TMatch best;
  const TRect* met = nullptr;
  for (const TRect& s : siblings) {
    const int distance = best.Distance;
    Consider(best, {edge, edge, edge}, across ? Places(s.Left, s.Width()) : Places(s.Top, s.Height()));
    if (best.Distance < distance) met = &s;
  }
  if (!met) return std::nullopt;
  if (across) return TSnappedEdge{best.At, {best.At, std::min(box.Top, met->Top), best.At, std::max(box.Bottom, met->Bottom)}};
  return TSnappedEdge{best.At, {std::min(box.Left, met->Left), best.At, std::max(box.Right, met->Right), best.At}};
}

std::vector<TRect> SnapSiblings(const TControl& control, const std::vector<const TControl*>& leftOut) {
  std::vector<TRect> boxes;
  const TWinControl* parent = control.Parent();
  if (!parent) return boxes;
  for (int i = 0; i < parent->ControlCount(); ++i) {
    const TControl* c = parent->Controls(i);
    if (c->Visible() && c->Owner() == control.Owner() && std::ranges::find(leftOut, c) == leftOut.end())
      boxes.push_back(c->BoundsRect());
  }
  return boxes;
}

TSnapGuides::TSnapGuides() : screenDC_(nullptr) { canvas_.SetHandle(screenDC_.Get()); }

TSnapGuides::~TSnapGuides() {
  Hide();
  canvas_.SetHandle(nullptr);
}

void TSnapGuides::Show(const std::vector<TSnapLine>& lines) {
  if (lines == shown_) return;
  Draw(shown_);  // drawn again, the old lines are gone
  Draw(lines);
  shown_ = lines;
}

void TSnapGuides::Draw(const std::vector<TSnapLine>& lines) {
  TPen* pen = canvas_.Pen();
  pen->SetMode(pmXor);
  pen->SetWidth(1);
  pen->SetStyle(psSolid);
  pen->SetColor(clFuchsia);
  for (const TSnapLine& line : lines) {
    canvas_.MoveTo(line.X1, line.Y1);
    canvas_.LineTo(line.X2, line.Y2);
  }
}
