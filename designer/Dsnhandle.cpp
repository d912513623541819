// Grab handles: the handle window, the corner handles, the handle set and the selection's sets.
#include "designer/Dsnhandle.h"

#include <algorithm>

#include "framework/core/Exception.h"
#include "framework/windows/RedrawLock.h"

// ---------------------------------------------------------------------------------------------
// Messages

TResizeMessage TResizeMessage::Unpack(const TMessage& message) {
  TResizeMessage m;
  m.Msg = message.Msg;
  m.Left = static_cast<std::int16_t>(LOWORD(message.WParam));
  m.Top = static_cast<std::int16_t>(HIWORD(message.WParam));
  m.Width = static_cast<std::int16_t>(LOWORD(message.LParam));
  m.Height = static_cast<std::int16_t>(HIWORD(message.LParam));
  m.Result = message.Result;
  return m;
}

TMessage TResizeMessage::Pack() const {
  return TMessage{Msg, static_cast<WPARAM>(PackHalves(Left, Top)), PackHalves(Width, Height), Result};
}

HWND DesignMessageWindow(TControl* control) noexcept {
  if (!control) return nullptr;
  try {
    if (auto* windowed = dynamic_cast<TWinControl*>(control)) return windowed->Handle();
    if (TWinControl* parent = control->Parent()) return parent->Handle();
  } catch (...) {
    // A window that cannot be made takes no messages.
  }
  return nullptr;
}

// ---------------------------------------------------------------------------------------------
// TSmallRect

namespace {

TCursor ResizeCursor(THandlePlace place) {
  if (place.Column == THandleColumn::Middle) return crSizeNS;
  if (place.Row == THandleRow::Middle) return crSizeWE;
  const bool rightTop = place.Column == THandleColumn::Right && place.Row == THandleRow::Top;
  const bool leftBottom = place.Column == THandleColumn::Left && place.Row == THandleRow::Bottom;
  return rightTop || leftBottom ? crSizeNESW : crSizeNWSE;
}

// A negative size flips the span across the edge that stayed where it was.
void Flip(int& start, int& size, int oldStart, int oldSize, bool farEdgeMoved) {
  if (size >= 0) return;
  start = farEdgeMoved ? oldStart + size : oldStart + oldSize;
  size = -size;
}

}  // namespace

TSmallRect::TSmallRect(TControl* control, int handleSize, int stepX, int stepY, TColor multiColor, TColor singleColor)
    : TCustomControl(nullptr),
      control_(control),
      handleSize_(handleSize),
      stepX_(stepX),
      stepY_(stepY),
      singleColor_(singleColor),
      multiColor_(multiColor) {
  SetColor(singleColor);
}

TSmallRect::~TSmallRect() {
  if (shape_) shape_->DrowUp();
  if (handlerRect_) handlerRect_->HandleDestroyed(this);
}

std::unique_ptr<TMultiShape> TSmallRect::CreateRectShape() { return std::make_unique<TMultiShape>(); }

void TSmallRect::Cutting(int& x, int& y) const {
  if (stepX_ > 0) x = x / stepX_ * stepX_;
  if (stepY_ > 0) y = y / stepY_ * stepY_;
}

void TSmallRect::ChangeColorMulti() {
  SetColor(multiColor_);
  SetCursor(crDefault);
  Invalidate();
}

void TSmallRect::SetPrimary(bool value) {
  if (primary_ == value) return;
  primary_ = value;
  Invalidate();
}

void TSmallRect::Paint() {
  TCanvas* canvas = Canvas();
  const bool hollow = primary_ && !Active();
  canvas->Pen()->SetColor(hollow ? Color() : clBlack);
  canvas->Brush()->SetStyle(bsSolid);
  canvas->Brush()->SetColor(hollow ? clWhite : Color());
  canvas->Rectangle(0, 0, Width(), Height());
}

void TSmallRect::SendToControl(UINT msg, WPARAM wParam, LPARAM lParam) const {
  if (HWND window = DesignMessageWindow(control_)) SendMessageW(window, msg, wParam, lParam);
}

void TSmallRect::MouseDown(TMouseButton, TShiftState, int x, int y) {
  // A second button during a resize must not start another one over the outline on the screen.
  if (!Active() || !control_ || shape_) return;
  if (handlerRect_) handlerRect_->SaveBounds(control_->BoundsRect());
  Cutting(x, y);
  startX_ = x;
  startY_ = y;
  TWinControl* host = control_->Parent();
  if (!host || !Parent()) return;
  std::unique_ptr<TMultiShape> shape = CreateRectShape();
  shape->SetPenColor(shapeColor_);
  shape->SetPenWidth(shapeWidth_);
  shape->SetOffset(Parent()->ClientToScreen(TPoint{Left(), Top()}));
  shape->Add(control_);
  shape->DrowOn(host);
  shape_ = std::move(shape);
  SendToControl(DSNM_PRERESIZE, reinterpret_cast<WPARAM>(control_), 0);
}

void TSmallRect::MouseUp(TMouseButton, TShiftState, int, int) {
  guides_.reset();
  if (!shape_) return;
  shape_->DrowUp();
  shape_.reset();
  if (!control_) return;
  if (handlerRect_) {
    const TResizeMessage old{DSNM_RESIZE, handlerRect_->SavedLeft(), handlerRect_->SavedTop(),
                             handlerRect_->SavedWidth(), handlerRect_->SavedHeight()};
    const TMessage packed = old.Pack();
    SendToControl(DSNM_RESIZE, packed.WParam, packed.LParam);
    handlerRect_->SetControl();
    handlerRect_->SaveBounds(control_->BoundsRect());
  }
}

TSmallRect::TBounds TSmallRect::ResizedBounds(THandlePlace place, int x, int y) {
  const int rawX = x, rawY = y;
  Cutting(x, y);
  const int dx = x - startX_;
  const int dy = y - startY_;
  TBounds b{control_->Left(), control_->Top(), control_->Width(), control_->Height()};
  if (place.Column == THandleColumn::Right) b.Width += dx;
  if (place.Column == THandleColumn::Left) {
    b.Left += dx;
    b.Width -= dx;
  }
  if (place.Row == THandleRow::Bottom) b.Height += dy;
  if (place.Row == THandleRow::Top) {
    b.Top += dy;
    b.Height -= dy;
  }
  if (!handlerRect_ || !handlerRect_->SnapLines() || GetKeyState(VK_MENU) < 0 || !Parent()) {
    guides_.reset();
    return b;
  }
  // The moved edges as the pointer puts them, off the grid, meet a sibling if one is near.
  const int offX = rawX - startX_, offY = rawY - startY_;
  const TRect box = Bounds(b.Left, b.Top, b.Width, b.Height);
  const std::vector<TRect> siblings = SnapSiblings(*control_, {control_});
  std::vector<TSnapLine> lines;
  const auto snap = [&](int edge, bool across) -> std::optional<int> {
    const std::optional<TSnappedEdge> snapped = SnapEdge(edge, across, box, siblings);
    if (!snapped) return std::nullopt;
    const TPoint from = Parent()->ClientToScreen({snapped->Line.X1, snapped->Line.Y1});
    const TPoint to = Parent()->ClientToScreen({snapped->Line.X2, snapped->Line.Y2});
    lines.push_back({from.X, from.Y, to.X, to.Y});
    return snapped->At;
  };
  const int right = control_->Left() + control_->Width(), bottom = control_->Top() + control_->Height();
  if (place.Column == THandleColumn::Right)
    if (const auto at = snap(right + offX, true)) b.Width = *at - b.Left;
  if (place.Column == THandleColumn::Left)
    if (const auto at = snap(control_->Left() + offX, true)) {
      b.Width += b.Left - *at;
      b.Left = *at;
    }
  if (place.Row == THandleRow::Bottom)
    if (const auto at = snap(bottom + offY, false)) b.Height = *at - b.Top;
  if (place.Row == THandleRow::Top)
    if (const auto at = snap(control_->Top() + offY, false)) {
      b.Height += b.Top - *at;
      b.Top = *at;
    }
  if (!guides_) guides_ = std::make_unique<TSnapGuides>();
  guides_->Show(lines);
  return b;
}

void TSmallRect::Place(THandlePlace place) {
  if (!control_) return;
  const int s = handleSize_;
  const int l = control_->Left(), t = control_->Top(), w = control_->Width(), h = control_->Height();
  int left = l - 2;
  if (place.Column == THandleColumn::Middle) left = l + w / 2 - s / 2;
  if (place.Column == THandleColumn::Right) left = l + w - s + 2;
  int top = t - 2;
  if (place.Row == THandleRow::Middle) top = t + h / 2 - s / 2;
  if (place.Row == THandleRow::Bottom) top = t + h - s + 2;
  SetBounds(left, top, s, s);
}

void TSmallRect::TrackResize(THandlePlace place, int x, int y) {
  if (Active()) SetCursor(ResizeCursor(place));
  if (!shape_ || !control_ || !Parent()) return;
  const TBounds b = ResizedBounds(place, x, y);
  if (place.Column != THandleColumn::Middle) shape_->SetWidth(b.Width);
  if (place.Row != THandleRow::Middle) shape_->SetHeight(b.Height);
  // The outline's origin is the control's corner relative to this handle.
  const TPoint at{Left() + b.Left - control_->Left(), Top() + b.Top - control_->Top()};
  shape_->Drow(Parent()->ClientToScreen(at));
}

void TSmallRect::EndResize(THandlePlace place, TMouseButton button, TShiftState shift, int x, int y) {
  if (!shape_) return;
  if (control_) {
    TBounds b = ResizedBounds(place, x, y);
    Flip(b.Left, b.Width, control_->Left(), control_->Width(), place.Column == THandleColumn::Right);
    Flip(b.Top, b.Height, control_->Top(), control_->Height(), place.Row == THandleRow::Bottom);
    // Erased before the control changes, so the exclusive-or erase meets the pixels it drew on.
    shape_->DrowUp();
    control_->SetBounds(b.Left, b.Top, b.Width, b.Height);
  }
  TSmallRect::MouseUp(button, shift, x, y);
}

// ---------------------------------------------------------------------------------------------
// THandlerRect

THandlerRect::THandlerRect(TControl* control, int handleSize, int stepX, int stepY, int shapeWidth,
                           TColor multiColor, TColor singleColor, TColor shapeColor)
    : control_(control),
      handleSize_(handleSize),
      stepX_(stepX),
      stepY_(stepY),
      singleColor_(singleColor),
      multiColor_(multiColor),
      shapeColor_(shapeColor),
      shapeWidth_(shapeWidth) {}

THandlerRect::~THandlerRect() {
  for (auto& handle : items_) {
    handle->SetHandlerRect(nullptr);
    // A dying set's handles belong to the parent window that is destroying them.
    if (dying_) handle.release();
  }
  items_.clear();
}

void THandlerRect::MakeHandles() {
  CreateSmallRect();
  TWinControl* parent = control_ ? control_->Parent() : nullptr;
  for (auto& handle : items_) {
    handle->SetControl();  // placed before its window exists: made where it stays
    handle->SetParent(parent);
    handle->SetHandlerRect(this);
    handle->SetShapeColor(shapeColor_);
    handle->SetShapeWidth(shapeWidth_);
  }
}

void THandlerRect::CreateSmallRect() {
  AddHandle<TMigishitaRect>();
  AddHandle<TMigiueRect>();
  AddHandle<THidariueRect>();
  AddHandle<THidarishitaRect>();
}

void THandlerRect::SetControl() {
  if (dying_) return;
  for (auto& handle : items_) handle->SetControl();
}

void THandlerRect::ChangeColorMulti() {
  for (auto& handle : items_) handle->ChangeColorMulti();
}

void THandlerRect::SetPrimary(bool value) {
  for (auto& handle : items_) handle->SetPrimary(value);
}

void THandlerRect::ForgetControl() {
  control_ = nullptr;
  for (auto& handle : items_) handle->ForgetControl();
}

TSmallRect* THandlerRect::Items(int index) const {
  if (index < 0 || index >= Count()) throw EListError(Format(messages::ListIndexError, index));
  return items_[static_cast<std::size_t>(index)].get();
}

void THandlerRect::SaveBounds(const TRect& bounds) {
  savedLeft_ = bounds.Left;
  savedTop_ = bounds.Top;
  savedWidth_ = bounds.Width();
  savedHeight_ = bounds.Height();
}

void THandlerRect::HandleDestroyed(TSmallRect* handle) {
  dying_ = true;
  for (auto it = items_.begin(); it != items_.end(); ++it) {
    if (it->get() == handle) {
      it->release();  // it is being destroyed already
      items_.erase(it);
      return;
    }
  }
}

// ---------------------------------------------------------------------------------------------
// TMultiHandler

TMultiHandler::TMultiHandler() = default;

TMultiHandler::~TMultiHandler() { DestroySets(); }

std::unique_ptr<THandlerRect> TMultiHandler::CreateHandlerRect(TControl* control) {
  return MakeSet<THandlerRect>(control);
}

bool TMultiHandler::Selectable(void* item) {
  return item && !dynamic_cast<TSmallRect*>(static_cast<TControl*>(item));
}

THandlerRect* TMultiHandler::Items(int index) const {
  if (index < 0 || index >= Count()) throw EListError(Format(messages::ListIndexError, index));
  return items_[static_cast<std::size_t>(index)].get();
}

THandlerRect* TMultiHandler::FindSet(TControl* control) const {
  for (const auto& set : items_)
    if (set->Control() == control) return set.get();
  return nullptr;
}

THandlerRect* TMultiHandler::AppendSet(std::unique_ptr<THandlerRect> set) {
  items_.push_back(std::move(set));
  return items_.back().get();
}

void TMultiHandler::ReplaceSet(int index, std::unique_ptr<THandlerRect> set) {
  Items(index);  // checks the index
  std::unique_ptr<THandlerRect> old = std::exchange(items_[static_cast<std::size_t>(index)], std::move(set));
}

void TMultiHandler::DestroySets() {
  // Taken out of the list first: no set is reachable while it is being destroyed.
  std::vector<std::unique_ptr<THandlerRect>> sets = std::move(items_);
  items_.clear();
  // The handles of a large selection leave their parents at once, each parent drawn once after;
  // a small one goes without repainting the parents whole.
  constexpr std::size_t kLargeSelection = 16;
  std::vector<std::unique_ptr<TRedrawLock>> locks;
  if (sets.size() > kLargeSelection) {
    std::vector<TWinControl*> parents;
    for (const auto& set : sets) {
      TWinControl* parent = set->Count() > 0 ? set->Items(0)->Parent() : nullptr;
      if (parent && std::find(parents.begin(), parents.end(), parent) == parents.end()) parents.push_back(parent);
    }
    for (TWinControl* parent : parents) locks.push_back(std::make_unique<TRedrawLock>(parent));
  }
  for (auto& set : sets) set.reset();
}

void TMultiHandler::Add(void* item) {
  if (!Selectable(item)) return;
  auto* control = static_cast<TControl*>(item);
  if (FindSet(control)) return;
  THandlerRect* set = AppendSet(CreateHandlerRect(control));
  if (Count() == 2) items_.front()->ChangeColorMulti();
  if (Count() > 1) set->ChangeColorMulti();
  if (Count() == 2) MarkPrimary();
  if (HWND window = DesignMessageWindow(control))
    SendMessageW(window, DSNM_SELECT, static_cast<WPARAM>(PackHalves(set->SavedLeft(), set->SavedTop())),
                 PackHalves(set->SavedWidth(), set->SavedHeight()));
}

void TMultiHandler::Clear() { DestroySets(); }

void TMultiHandler::Delete(int index) {
  if (items_.empty()) return;
  Items(index);  // checks the index
  std::unique_ptr<THandlerRect> removed = std::move(items_[static_cast<std::size_t>(index)]);
  items_.erase(items_.begin() + index);
  removed.reset();
  if (index == 0) MarkPrimary();
  if (Count() != 1) return;
  // The last remaining control gets a fresh, active set, when it still has a window.
  TControl* control = items_.front()->Control();
  if (!control || !DesignMessageWindow(control)) return;
  DestroySets();
  Add(control);
}

void TMultiHandler::ItemDeath(int index) { Items(index)->ForgetControl(); }

void TMultiHandler::MarkPrimary() {
  if (!items_.empty()) items_.front()->SetPrimary(Count() > 1);
}

void TMultiHandler::SetPosition() {
  for (auto& set : items_) set->SetControl();
}
