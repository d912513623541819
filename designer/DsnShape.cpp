// TFundamentalShape and TMultiShape: exclusive-or outlines on the screen DC.
#include "designer/DsnShape.h"

#include "framework/core/Exception.h"
#include "framework/windows/WinControl.h"

// ---------------------------------------------------------------------------------------------
// TFundamentalShape

TFundamentalShape::TFundamentalShape(TCanvas* canvas) : canvas_(canvas) {}

void TFundamentalShape::SetBounds(int X, int Y) {
  TPen* pen = canvas_->Pen();
  pen->SetMode(pmXor);
  pen->SetWidth(penWidth_);
  pen->SetStyle(penStyle_);
  // The erase keeps the colour the pen holds now: the one the outline was drawn in. Only an
  // outline that is on the screen is drawn again, so erasing twice or erasing a never-drawn
  // outline leaves the screen alone.
  if (drawState_ > 0 && visible_) {
    DrawEdges();
    visible_ = false;
  }
  if (drawState_ > 1) return;
  pen->SetColor(penColor_);
  rect_ = TRect{X + origin_.X, Y + origin_.Y, X + origin_.X + width_, Y + origin_.Y + height_};
  DrawEdges();
  visible_ = true;
  drawState_ = 1;
}

// Four separate segments: with an exclusive-or pen the same four erase exactly what they drew.
void TFundamentalShape::DrawEdges() {
  const TRect& r = rect_;
  canvas_->MoveTo(r.Left, r.Top);
  canvas_->LineTo(r.Right, r.Top);
  canvas_->MoveTo(r.Right, r.Top);
  canvas_->LineTo(r.Right, r.Bottom);
  canvas_->MoveTo(r.Right, r.Bottom);
  canvas_->LineTo(r.Left, r.Bottom);
  canvas_->MoveTo(r.Left, r.Bottom);
  canvas_->LineTo(r.Left, r.Top);
}

// ---------------------------------------------------------------------------------------------
// TMultiShape

TMultiShape::TMultiShape() : screenDC_(nullptr), canvas_(std::make_unique<TCanvas>()) {
  canvas_->SetHandle(screenDC_.Get());
}

TMultiShape::~TMultiShape() {
  // A drag that ended without DrowUp (an exception on the way) must not keep the pointer caged.
  if (confining_) ::ClipCursor(nullptr);
  items_.clear();
  canvas_->SetHandle(nullptr);
}

std::unique_ptr<TFundamentalShape> TMultiShape::CreateAddShape() {
  return std::make_unique<TFundamentalShape>(canvas_.get());
}

std::unique_ptr<TFundamentalShape> TMultiShape::CreateAddNewShape() {
  return std::make_unique<TFundamentalShape>(canvas_.get());
}

TFundamentalShape* TMultiShape::Append(std::unique_ptr<TFundamentalShape> shape) {
  shape->SetPenColor(penColor_);
  shape->SetPenWidth(penWidth_);
  shape->SetPenStyle(penStyle_);
  items_.push_back(std::move(shape));
  return items_.back().get();
}

void TMultiShape::Add(TControl* control) {
  if (!control) return;
  TWinControl* parent = control->Parent();
  if (!parent) throw EInvalidOperation("Control '" + control->Name() + "' has no parent window");
  const TPoint onScreen = parent->ClientToScreen(TPoint{control->Left(), control->Top()});
  TFundamentalShape* shape = Append(CreateAddShape());
  shape->SetWidth(control->Width());
  shape->SetHeight(control->Height());
  shape->SetOrigin(TPoint{onScreen.X - offset_.X, onScreen.Y - offset_.Y});
}

void TMultiShape::AddNew() {
  items_.clear();
  Append(CreateAddNewShape());  // size and origin start at 0
}

TFundamentalShape* TMultiShape::Items(int index) const {
  if (index < 0 || index >= Count()) throw EListError(Format(messages::ListIndexError, index));
  return items_[static_cast<std::size_t>(index)].get();
}

TFundamentalShape& TMultiShape::First() { return *Items(0); }

void TMultiShape::SetWidth(int w) { First().SetWidth(w); }

void TMultiShape::SetHeight(int h) { First().SetHeight(h); }

void TMultiShape::DrowOn(TWinControl* control) {
  const TPoint origin = control->ClientToScreen(TPoint{0, 0});
  clipRect_ = TRect{origin.X, origin.Y, origin.X + control->Width(), origin.Y + control->Height()};
  const RECT clip{clipRect_.Left, clipRect_.Top, clipRect_.Right, clipRect_.Bottom};
  ::ClipCursor(&clip);
  confining_ = true;
}

void TMultiShape::Drow(const TPoint& p) {
  for (auto& shape : items_) shape->SetBounds(p.X, p.Y);
}

void TMultiShape::DrowUp() {
  ::ClipCursor(nullptr);
  confining_ = false;
  for (auto& shape : items_) {
    shape->SetDrawState(2);
    shape->SetBounds(0, 0);
  }
}
