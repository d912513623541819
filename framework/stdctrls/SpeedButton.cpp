// TSpeedButton: states, grouping, hot tracking and painting.
#include "framework/stdctrls/SpeedButton.h"

#include "framework/stdctrls/PublishGroups.h"

void TSpeedButton::Publish(TPublisher<TSpeedButton>& p) {
  p.Prop("Action", &TSpeedButton::Action, &TSpeedButton::SetAction);
  p.Prop("Align", &TSpeedButton::Align, &TSpeedButton::SetAlign).Default(alNone);
  p.Prop("AllowAllUp", &TSpeedButton::AllowAllUp, &TSpeedButton::SetAllowAllUp).Default(false);
  p.Prop("Anchors", &TSpeedButton::Anchors, &TSpeedButton::SetAnchors).Default(TAnchors{akLeft, akTop});
  publish_groups::BiDi(p);
  p.Prop("Constraints", &TSpeedButton::Constraints, &TSpeedButton::SetConstraints);
  p.Prop("GroupIndex", &TSpeedButton::GroupIndex, &TSpeedButton::SetGroupIndex).Default(0);
  p.Prop("Down", &TSpeedButton::Down, &TSpeedButton::SetDown).Default(false);
  p.Prop("Caption", &TSpeedButton::Caption, &TSpeedButton::SetCaption);
  p.Prop("Enabled", &TSpeedButton::Enabled, &TSpeedButton::SetEnabled).Default(true);
  p.Prop("Flat", &TSpeedButton::Flat, &TSpeedButton::SetFlat).Default(false);
  p.Prop("Font", &TSpeedButton::Font, &TSpeedButton::SetFont).Stored(&TControl::IsFontStored);
  p.Prop("Glyph", &TSpeedButton::Glyph, &TSpeedButton::SetGlyph);
  p.Prop("Layout", &TSpeedButton::Layout, &TSpeedButton::SetLayout).Default(blGlyphLeft);
  p.Prop("Margin", &TSpeedButton::Margin, &TSpeedButton::SetMargin).Default(-1);
  p.Prop("NumGlyphs", &TSpeedButton::NumGlyphs, &TSpeedButton::SetNumGlyphs).Type(NumGlyphsTypeInfo()).Default(1);
  p.Prop("ParentFont", &TSpeedButton::ParentFont, &TSpeedButton::SetParentFont).Default(true);
  publish_groups::Hints(p);
  p.Prop("PopupMenu", &TSpeedButton::PopupMenu, &TSpeedButton::SetPopupMenu);
  p.Prop("Spacing", &TSpeedButton::Spacing, &TSpeedButton::SetSpacing).Default(4);
  p.Prop("Transparent", &TSpeedButton::Transparent, &TSpeedButton::SetTransparent).Default(true);
  p.Prop("Visible", &TSpeedButton::Visible, &TSpeedButton::SetVisible).Default(true);
  publish_groups::MouseEvents(p);
}

TSpeedButton::TSpeedButton(TComponent* owner) : TGraphicControl(owner), glyph_(std::make_unique<TButtonGlyph>()) {
  // No csClickEvents: the button decides itself when a release is a click. Transparent at first.
  SetControlStyle({csCaptureMouse, csDoubleClicks, csReplicatable});
  SetBounds(0, 0, 23, 22);
  glyph_->OnChange = TNotifyEvent(this, &TSpeedButton::GlyphChanged);
}

void TSpeedButton::GlyphChanged(TObject*) { Invalidate(); }

// ---- Grouping ----

void TSpeedButton::SetGroupIndex(int value) {
  if (groupIndex_ == value) return;
  groupIndex_ = value;
  UpdateExclusive();
}

void TSpeedButton::SetAllowAllUp(bool value) {
  if (allowAllUp_ == value) return;
  allowAllUp_ = value;
  UpdateExclusive();
}

void TSpeedButton::SetDown(bool value) {
  if (groupIndex_ == 0) value = false;
  if (value == down_) return;
  if (down_ && !allowAllUp_) return;
  down_ = value;
  Invalidate();
  if (value) UpdateExclusive();
}

void TSpeedButton::UpdateExclusive() {
  if (groupIndex_ != 0) button_group::Announce(*this);
}

void TSpeedButton::CMButtonPressed(TMessage& message) {
  if (groupIndex_ == 0) return;
  const TSpeedButton* sender = button_group::Announcer(message, groupIndex_, this);
  if (sender && button_group::Follow(*sender, down_, allowAllUp_)) Invalidate();
}

void button_group::Announce(TSpeedButton& button) {
  TWinControl* parent = button.Parent();
  if (!parent) return;
  TMessage message{CM_BUTTONPRESSED, static_cast<WPARAM>(button.GroupIndex()), reinterpret_cast<LPARAM>(&button), 0};
  parent->Broadcast(message);
}

const TSpeedButton* button_group::Announcer(const TMessage& message, int groupIndex, const TControl* self) {
  if (static_cast<int>(message.WParam) != groupIndex) return nullptr;
  const auto* sender = dynamic_cast<const TSpeedButton*>(reinterpret_cast<const TControl*>(message.LParam));
  return sender == self ? nullptr : sender;
}

bool button_group::Follow(const TSpeedButton& announcer, bool& down, bool& allowAllUp) {
  const bool raised = announcer.Down() && down;
  if (raised) down = false;
  allowAllUp = announcer.AllowAllUp();
  return raised;
}

void TSpeedButton::Dispatch(TMessage& message) {
  if (message.Msg == CM_BUTTONPRESSED) {
    CMButtonPressed(message);
    return;
  }
  TGraphicControl::Dispatch(message);
}

// ---- Look ----

void TSpeedButton::SetFlat(bool value) {
  if (flat_ == value) return;
  flat_ = value;
  Invalidate();
}

void TSpeedButton::SetLayout(TButtonLayout value) {
  if (layout_ == value) return;
  layout_ = value;
  Invalidate();
}

void TSpeedButton::SetMargin(int value) {
  if (margin_ == value) return;
  margin_ = value;
  Invalidate();
}

void TSpeedButton::SetSpacing(int value) {
  if (spacing_ == value) return;
  spacing_ = value;
  Invalidate();
}

TButtonState TSpeedButton::State() const {
  if (!Enabled()) return TButtonState::Disabled;
  if (dragging_ && pressedInside_) return TButtonState::Pressed;
  if (down_) return TButtonState::Exclusive;
  return TButtonState::Up;
}

void TSpeedButton::Paint() {
  TCanvas& canvas = *Canvas();
  const TRect client = ClientRect();
  const TButtonState state = State();
  const bool sunken = state == TButtonState::Pressed || state == TButtonState::Exclusive;
  if (!Transparent()) {
    canvas.Brush()->SetColor(clBtnFace);
    canvas.Brush()->SetStyle(bsSolid);
    canvas.FillRect(client);
  }
  TButtonEdge edge = sunken ? TButtonEdge::Sunken : TButtonEdge::Raised;
  if (flat_) {
    const bool hot = mouseInControl_ && state != TButtonState::Disabled;
    edge = sunken ? TButtonEdge::FlatSunken : (hot ? TButtonEdge::FlatRaised : TButtonEdge::None);
  }
  DrawButtonEdge(canvas, client, edge);
  canvas.SetFont(Font());
  const TPoint offset = sunken ? TPoint{1, 1} : TPoint{0, 0};
  glyph_->Draw(canvas, client, offset, Caption(), layout_, margin_, spacing_, state);
}

// ---- Mouse and keyboard ----

void TSpeedButton::MouseDown(TMouseButton button, TShiftState shift, int x, int y) {
  TGraphicControl::MouseDown(button, shift, x, y);
  if (button != mbLeft || !Enabled()) return;
  dragging_ = true;
  pressedInside_ = true;
  Invalidate();
}

void TSpeedButton::MouseMove(TShiftState shift, int x, int y) {
  TGraphicControl::MouseMove(shift, x, y);
  if (!dragging_) return;
  const bool inside = ClientRect().Contains({x, y});
  if (inside == pressedInside_) return;
  pressedInside_ = inside;
  Invalidate();
}

void TSpeedButton::MouseUp(TMouseButton button, TShiftState shift, int x, int y) {
  TGraphicControl::MouseUp(button, shift, x, y);
  if (button != mbLeft || !dragging_) return;
  dragging_ = false;
  pressedInside_ = false;
  const bool inside = ClientRect().Contains({x, y});
  if (inside && groupIndex_ != 0) SetDown(!down_);
  Invalidate();
  if (inside) Click();
}

void TSpeedButton::WMLButtonDblClk(TWMMouse& message) {
  TGraphicControl::WMLButtonDblClk(message);
  if (down_) DblClick();
}

void TSpeedButton::CMEnabledChanged(TMessage& message) {
  if (!Enabled()) {
    dragging_ = false;
    pressedInside_ = false;
    mouseInControl_ = false;
  }
  TGraphicControl::CMEnabledChanged(message);
}

void TSpeedButton::CMFontChanged(TMessage&) { Invalidate(); }

void TSpeedButton::CMTextChanged(TMessage&) { Invalidate(); }

void TSpeedButton::CMSysColorChange(TMessage&) { Invalidate(); }

void TSpeedButton::CMMouseEnter(TMessage& message) {
  TGraphicControl::CMMouseEnter(message);
  if (mouseInControl_ || !Enabled()) return;
  mouseInControl_ = true;
  if (flat_) Invalidate();
}

void TSpeedButton::CMMouseLeave(TMessage& message) {
  TGraphicControl::CMMouseLeave(message);
  if (!mouseInControl_) return;
  mouseInControl_ = false;
  if (flat_) Invalidate();
}

void TSpeedButton::CMDialogChar(TWMKey& message) {
  if (!IsAccel(message.CharCode(), Caption()) || !Enabled() || !Visible() || !Parent() || !Parent()->Showing())
    return;
  Click();
  message.Message.Result = 1;
}
