#include "designer/DsnArrange.h"

#include <windows.h>

#include <algorithm>
#include <array>

#include "framework/windows/WinControl.h"

namespace {

struct TKeyOf {
  TDsnArrangement What;
  std::uint16_t Key;
  bool Shift;
  const char* Text;
};

constexpr std::array<TKeyOf, 15> kKeys{{
    {TDsnArrangement::BringForward, VK_OEM_6, false, "Ctrl+]"},
    {TDsnArrangement::SendBackward, VK_OEM_4, false, "Ctrl+["},
    {TDsnArrangement::BringToFront, VK_OEM_6, true, "Ctrl+Shift+]"},
    {TDsnArrangement::SendToBack, VK_OEM_4, true, "Ctrl+Shift+["},
    {TDsnArrangement::AlignLefts, 'L', true, "Ctrl+Shift+L"},
    {TDsnArrangement::AlignCentres, 'E', true, "Ctrl+Shift+E"},
    {TDsnArrangement::AlignRights, 'R', true, "Ctrl+Shift+R"},
    {TDsnArrangement::AlignTops, 'T', true, "Ctrl+Shift+T"},
    {TDsnArrangement::AlignMiddles, 'M', true, "Ctrl+Shift+M"},
    {TDsnArrangement::AlignBottoms, 'B', true, "Ctrl+Shift+B"},
    {TDsnArrangement::SameWidth, 'W', true, "Ctrl+Shift+W"},
    {TDsnArrangement::SameHeight, 'H', true, "Ctrl+Shift+H"},
    {TDsnArrangement::SameSize, 'S', true, "Ctrl+Shift+S"},
    {TDsnArrangement::SpaceAcross, 'A', true, "Ctrl+Shift+A"},
    {TDsnArrangement::SpaceDown, 'D', true, "Ctrl+Shift+D"},
}};

int Snapped(int value, int grid) { return grid > 0 ? value / grid * grid : value; }

// The controls in their stacking order, bottom first.
std::vector<TControl*> InStackOrder(std::vector<TControl*> controls) {
  const TWinControl* parent = controls.front()->Parent();
  std::vector<TControl*> ordered;
  for (int i = 0; i < parent->ControlCount(); ++i)
    if (std::ranges::find(controls, parent->Controls(i)) != controls.end()) ordered.push_back(parent->Controls(i));
  return ordered;
}

bool Restack(const std::vector<TControl*>& controls, TDsnArrangement what) {
  const TWinControl* parent = controls.front()->Parent();
  std::vector<TControl*> before;
  for (int i = 0; i < parent->ControlCount(); ++i) before.push_back(parent->Controls(i));
  std::vector<TControl*> ordered = InStackOrder(controls);
  // Each keeps its place among the others moved: the one nearest where they go moves first.
  if (what == TDsnArrangement::SendToBack || what == TDsnArrangement::BringForward) std::ranges::reverse(ordered);
  for (TControl* control : ordered) {
    switch (what) {
      case TDsnArrangement::BringToFront: control->BringToFront(); break;
      case TDsnArrangement::SendToBack: control->SendToBack(); break;
      case TDsnArrangement::BringForward: control->BringForward(); break;
      default: control->SendBackward(); break;
    }
  }
  for (int i = 0; i < parent->ControlCount(); ++i)
    if (parent->Controls(i) != before[static_cast<std::size_t>(i)]) return true;
  return false;
}

// Equal gaps between the controls in their order along one axis; the outer two stay.
void Space(std::vector<TControl*> controls, bool across, int grid) {
  const auto start = [across](const TControl* c) { return across ? c->Left() : c->Top(); };
  const auto size = [across](const TControl* c) { return across ? c->Width() : c->Height(); };
  std::ranges::sort(controls, [&](const TControl* a, const TControl* b) { return start(a) < start(b); });
  int occupied = 0;
  for (const TControl* c : controls) occupied += size(c);
  const TControl* last = controls.back();
  const int span = start(last) + size(last) - start(controls.front());
  const double gap = double(span - occupied) / double(controls.size() - 1);
  double at = start(controls.front());
  for (std::size_t i = 0; i + 1 < controls.size(); ++i) {
    at += size(controls[i]) + gap;
    if (i + 2 == controls.size()) break;  // the last one stays
    TControl* c = controls[i + 1];
    const int place = Snapped(static_cast<int>(at + 0.5), grid);
    if (across) c->SetLeft(place);
    else c->SetTop(place);
  }
}

}  // namespace

int ControlsNeeded(TDsnArrangement what) {
  switch (what) {
    case TDsnArrangement::BringToFront:
    case TDsnArrangement::SendToBack:
    case TDsnArrangement::BringForward:
    case TDsnArrangement::SendBackward: return 1;
    case TDsnArrangement::SpaceAcross:
    case TDsnArrangement::SpaceDown: return 3;
    default: return 2;
  }
}

bool ArrangeControls(const std::vector<TControl*>& controls, TDsnArrangement what, TArrangeGrid grid) {
  if (static_cast<int>(controls.size()) < ControlsNeeded(what) || !controls.front()->Parent()) return false;
  if (ControlsNeeded(what) == 1) return Restack(controls, what);
  std::vector<TRect> before;
  for (const TControl* c : controls) before.push_back(c->BoundsRect());
  const TControl& first = *controls.front();
  const int right = first.Left() + first.Width(), bottom = first.Top() + first.Height();
  for (TControl* c : controls) {
    if (c == &first) continue;
    switch (what) {
      case TDsnArrangement::AlignLefts: c->SetLeft(Snapped(first.Left(), grid.X)); break;
      case TDsnArrangement::AlignCentres: c->SetLeft(Snapped(first.Left() + (first.Width() - c->Width()) / 2, grid.X)); break;
      case TDsnArrangement::AlignRights: c->SetLeft(Snapped(right - c->Width(), grid.X)); break;
      case TDsnArrangement::AlignTops: c->SetTop(Snapped(first.Top(), grid.Y)); break;
      case TDsnArrangement::AlignMiddles: c->SetTop(Snapped(first.Top() + (first.Height() - c->Height()) / 2, grid.Y)); break;
      case TDsnArrangement::AlignBottoms: c->SetTop(Snapped(bottom - c->Height(), grid.Y)); break;
      case TDsnArrangement::SameWidth: c->SetWidth(first.Width()); break;
      case TDsnArrangement::SameHeight: c->SetHeight(first.Height()); break;
      case TDsnArrangement::SameSize: c->SetBounds(c->Left(), c->Top(), first.Width(), first.Height()); break;
      default: break;
    }
  }
  if (what == TDsnArrangement::SpaceAcross || what == TDsnArrangement::SpaceDown)
    Space(controls, what == TDsnArrangement::SpaceAcross, what == TDsnArrangement::SpaceAcross ? grid.X : grid.Y);
  for (std::size_t i = 0; i < controls.size(); ++i)
    if (controls[i]->BoundsRect() != before[i]) return true;
  return false;
}

bool ArrangementOfKey(std::uint16_t key, bool ctrl, bool shift, TDsnArrangement& what) {
  if (!ctrl) return false;
  const auto found = std::ranges::find_if(kKeys, [&](const TKeyOf& k) { return k.Key == key && k.Shift == shift; });
  if (found == kKeys.end()) return false;
  what = found->What;
  return true;
}

String ArrangementKeyText(TDsnArrangement what) {
  const auto found = std::ranges::find_if(kKeys, [what](const TKeyOf& k) { return k.What == what; });
  return found != kKeys.end() ? String(found->Text) : String();
}
