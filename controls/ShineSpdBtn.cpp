// TShineSpeedButton and TShineBtnColors: properties, off-screen painting, grouping with the
// framework's speed buttons, hot tracking and the mouse and keyboard.
//
// Sections: TShineBtnColors · drawing steps · properties · painting · grouping · hot tracking ·
// mouse and keyboard.
#include "controls/ShineSpdBtn.h"

#include <windows.h>

#include <algorithm>
#include <cstdint>

#include "framework/core/ScopeGuard.h"
#include "framework/stdctrls/PublishGroups.h"

const TTypeInfo& TypeInfoOf(TypeTag<TFrameType>) {
  static const TTypeInfo info = MakeEnumType("TFrameType", {"ftFlatFrame", "ftNormalFrame", "ftEnclosedFrame"});
  return info;
}

// ---------------------------------------------------------------------------------------------
// TShineBtnColors

void TShineBtnColors::Publish(TPublisher<TShineBtnColors>& p) {
  p.Prop("Color", &TShineBtnColors::Color, &TShineBtnColors::SetColor).Type(ColorTypeInfo());
  p.Prop("Highlight", &TShineBtnColors::Highlight, &TShineBtnColors::SetHighlight)
      .Type(ColorTypeInfo())
      .Default(clBtnHighlight);
  p.Prop("Shadow", &TShineBtnColors::Shadow, &TShineBtnColors::SetShadow).Type(ColorTypeInfo()).Default(clBtnShadow);
  p.Prop("DarkShadow", &TShineBtnColors::DarkShadow, &TShineBtnColors::SetDarkShadow)
      .Type(ColorTypeInfo())
      .Default(clWindowFrame);
  p.Prop("GradColor", &TShineBtnColors::GradColor, &TShineBtnColors::SetGradColor).Type(ColorTypeInfo()).Default(clBlue);
  p.Prop("GradVertical", &TShineBtnColors::GradVertical, &TShineBtnColors::SetGradVertical).Default(false);
  p.Prop("Gradation", &TShineBtnColors::Gradation, &TShineBtnColors::SetGradation).Default(false);
}

void TShineBtnColors::Assign(TPersistent* source) {
  auto* other = dynamic_cast<TShineBtnColors*>(source);
  if (!other) return TPersistent::Assign(source);
  color_ = other->color_;
  highlight_ = other->highlight_;
  shadow_ = other->shadow_;
  darkShadow_ = other->darkShadow_;
  gradColor_ = other->gradColor_;
  gradVertical_ = other->gradVertical_;
  gradation_ = other->gradation_;
  OnChange(this);
}

template <class T>
void TShineBtnColors::Change(T& field, T value) {
  if (field == value) return;
  field = value;
  OnChange(this);
}

void TShineBtnColors::SetColor(TColor value) { Change(color_, value); }
void TShineBtnColors::SetHighlight(TColor value) { Change(highlight_, value); }
void TShineBtnColors::SetShadow(TColor value) { Change(shadow_, value); }
void TShineBtnColors::SetDarkShadow(TColor value) { Change(darkShadow_, value); }
void TShineBtnColors::SetGradColor(TColor value) { Change(gradColor_, value); }
void TShineBtnColors::SetGradVertical(bool value) { Change(gradVertical_, value); }
void TShineBtnColors::SetGradation(bool value) { Change(gradation_, value); }

// ---------------------------------------------------------------------------------------------
// Drawing steps

namespace shine {

std::unique_ptr<TBitmap> GradientSteps(TColor from, TColor to, bool vertical) {
  const TColor start = ColorToRGB(from);
  const TColor end = ColorToRGB(to);
  auto steps = std::make_unique<TBitmap>();
  steps->SetPixelFormat(pf32bit);
  steps->SetSize(vertical ? 1 : 256, vertical ? 256 : 1);
  auto channel = [](TColor c, int shift) { return static_cast<int>(c >> shift & 0xFF); };
  for (int e = 0; e < 256; ++e) {
    std::uint32_t pixel = 0;  // 0x00RRGGBB: red from the colour's low byte goes high
    for (int shift : {0, 8, 16}) {
      const int c = channel(start, shift);
      const int value = (channel(end, shift) - c) * e / 255 + c;
      pixel |= static_cast<std::uint32_t>(value) << (16 - shift);
    }
    auto* row = static_cast<std::uint32_t*>(steps->ScanLine(vertical ? e : 0));
    row[vertical ? 0 : e] = pixel;
  }
  return steps;
}

TContentPlacement PlaceContent(std::optional<TSize> glyph, std::optional<TSize> caption, TSize client,
                               TButtonLayout layout, int margin, int spacing) {
  const TSize g = glyph.value_or(TSize{});
  const TSize t = caption.value_or(TSize{});
  const int gap = glyph && caption ? spacing : 0;
  TPoint glyphAt;
  TPoint captionAt;
  TSize block;
  switch (layout) {
    case blGlyphLeft:
    case blGlyphRight: {
      const bool glyphFirst = layout == blGlyphLeft;
      const int firstWidth = glyphFirst ? g.cx : t.cx;
      (glyphFirst ? glyphAt : captionAt).X = 0;
      (glyphFirst ? captionAt : glyphAt).X = firstWidth + gap;
      block = {g.cx + gap + t.cx, std::max(g.cy, t.cy)};
      glyphAt.Y = (block.cy - g.cy) / 2;
      captionAt.Y = (block.cy - t.cy) / 2;
      break;
    }
    case blGlyphTop:
    case blGlyphBottom: {
      const bool glyphFirst = layout == blGlyphTop;
      const int firstHeight = glyphFirst ? g.cy : t.cy;
      (glyphFirst ? glyphAt : captionAt).Y = 0;
      (glyphFirst ? captionAt : glyphAt).Y = firstHeight + gap;
      block = {std::max(g.cx, t.cx), g.cy + gap + t.cy};
      glyphAt.X = (block.cx - g.cx) / 2;
      captionAt.X = (block.cx - t.cx) / 2;
      break;
    }
  }
  TPoint offset{(client.cx - block.cx) / 2, (client.cy - block.cy) / 2};
  if (margin >= 0) {
    switch (layout) {
      case blGlyphLeft: offset.X = margin; break;
      case blGlyphRight: offset.X = client.cx - block.cx - margin; break;
      case blGlyphTop: offset.Y = margin; break;
      case blGlyphBottom: offset.Y = client.cy - block.cy - margin; break;
    }
  }
  const TPoint captionPos{captionAt.X + offset.X, captionAt.Y + offset.Y};
  return {{glyphAt.X + offset.X, glyphAt.Y + offset.Y}, Bounds(captionPos.X, captionPos.Y, t.cx, t.cy)};
}

}  // namespace shine

using enum TShineState;

namespace {

constexpr unsigned kCaptionFormat = DT_CENTER | DT_VCENTER;
// Where the source is white the brush paints, where it is black the target stays (DSPDxax).
constexpr DWORD kMaskStampRop = 0x00E20746;
constexpr unsigned kLeaveCheckMs = 200;

bool IsHot(TShineState state) { return state == stActiveDown || state == stActive; }
bool IsPressed(TShineState state) { return state == stActiveDown || state == stDown; }

// Keeps a graphic's change notification off for one scope.
class TNotificationPause {
 public:
  explicit TNotificationPause(TGraphic& graphic) : graphic_(graphic), notify_(graphic.OnChange()) {
    graphic.SetOnChange({});
  }
  ~TNotificationPause() { graphic_.SetOnChange(notify_); }
  TNotificationPause(const TNotificationPause&) = delete;
  TNotificationPause& operator=(const TNotificationPause&) = delete;

 private:
  TGraphic& graphic_;
  TNotifyEvent notify_;
};

TRect Moved(TRect rect, int dx, int dy) { return {rect.Left + dx, rect.Top + dy, rect.Right + dx, rect.Bottom + dy}; }

}  // namespace

// ---------------------------------------------------------------------------------------------
// Properties

void TShineSpeedButton::Publish(TPublisher<TShineSpeedButton>& p) {
  p.Prop("Action", &TControl::Action, &TControl::SetAction);
  publish_groups::Placement(p);
  publish_groups::BiDi(p);
  p.Prop("Caption", &TControl::Caption, &TControl::SetCaption);
  p.Prop("Enabled", &TControl::Enabled, &TControl::SetEnabled).Default(true);
  publish_groups::Hints(p);
  p.Prop("Visible", &TControl::Visible, &TControl::SetVisible).Default(true);
  publish_groups::MouseEvents(p);
  using B = TShineSpeedButton;
  p.Prop("GroupIndex", &B::GroupIndex, &B::SetGroupIndex).Default(0);
  p.Prop("Down", &B::Down, &B::SetDown).Default(false);
  p.Prop("ClickDownHook", &B::ClickDownHook, &B::SetClickDownHook).Default(false);
  p.Prop("AccelCharDown", &B::AccelCharDown, &B::SetAccelCharDown).Default(false);
  p.Prop("FrameType", &B::FrameType, &B::SetFrameType).Default(ftNormalFrame);
  p.Prop("Transparent", &B::Transparent, &B::SetTransparent).Default(false);
  p.Prop("ActiveFrame", &B::ActiveFrame, &B::SetActiveFrame).Default(true);
  p.Prop("UpFrame", &B::UpFrame, &B::SetUpFrame).Default(true);
  p.Prop("DownFrame", &B::DownFrame, &B::SetDownFrame).Default(true);
  p.Prop("ActiveImage", &B::ActiveImage, &B::SetActiveImage).Default(aiFrameLight);
  p.Prop("DisabledImage", &B::DisabledImage, &B::SetDisabledImage).Default(diDefault);
  p.Prop("DisabledHighlight", &B::DisabledHighlight, &B::SetDisabledHighlight)
      .Type(ColorTypeInfo())
      .Default(clBtnHighlight);
  p.Prop("DisabledShadow", &B::DisabledShadow, &B::SetDisabledShadow).Type(ColorTypeInfo()).Default(clBtnShadow);
  p.Prop("Colors", &B::Colors, &B::SetColors);
  p.Prop("PressedColors", &B::PressedColors, &B::SetPressedColors);
  p.Prop("ShineColor", &B::ShineColor, &B::SetShineColor).Type(ColorTypeInfo()).Default(clYellow);
  p.Prop("Font", &B::Font, &B::SetFont);
  p.Prop("FontHighlight", &B::FontHighlight, &B::SetFontHighlight).Type(ColorTypeInfo()).Default(clNone);
  p.Prop("FontShadow", &B::FontShadow, &B::SetFontShadow).Type(ColorTypeInfo()).Default(clNone);
  p.Prop("ActiveFont", &B::ActiveFont, &B::SetActiveFont);
  p.Prop("AllowAllUp", &B::AllowAllUp, &B::SetAllowAllUp).Default(false);
  p.Prop("Layout", &B::Layout, &B::SetLayout).Default(blGlyphLeft);
  p.Prop("Margin", &B::Margin, &B::SetMargin).Default(-1);
  p.Prop("Spacing", &B::Spacing, &B::SetSpacing).Default(4);
  p.Prop("Glyph", &B::Glyph, &B::SetGlyph);
  p.Prop("OnMouseEnter", &B::OnMouseEnter);
  p.Prop("OnMouseLeave", &B::OnMouseLeave);
}

TShineSpeedButton::TShineSpeedButton(TComponent* owner)
    : TGraphicControl(owner),
      colors_(std::make_unique<TShineBtnColors>(clBtnFace)),
      pressedColors_(std::make_unique<TShineBtnColors>(clBtnHighlight)),
      font_(std::make_unique<TFont>()),
      activeFont_(std::make_unique<TFont>()),
      glyph_(std::make_unique<TBitmap>()),
      activeButtonTimer_(std::make_unique<TTimer>(nullptr)) {
  // No csClickEvents: the button decides itself when a release is a click.
  SetControlStyle({csCaptureMouse, csOpaque, csDoubleClicks});
  SetBounds(Left(), Top(), 25, 25);
  font_->SetColor(clBtnText);
  activeFont_->SetColor(clHighlight);
  const TNotifyEvent repaint(this, &TShineSpeedButton::FontsAndColorsOnChange);
  colors_->OnChange = repaint;
  pressedColors_->OnChange = repaint;
  font_->SetOnChange(repaint);
  activeFont_->SetOnChange(repaint);
  glyph_->SetOnChange(TNotifyEvent(this, &TShineSpeedButton::GlyphOnChange));
  activeButtonTimer_->SetEnabled(false);
  activeButtonTimer_->SetInterval(kLeaveCheckMs);
  activeButtonTimer_->OnTimer = TNotifyEvent(this, &TShineSpeedButton::ActiveButtonTimerOnTimer);
}

TShineSpeedButton::~TShineSpeedButton() = default;

namespace {

// Stores a differing value and repaints.
template <class T>
void Change(TControl& control, T& field, T value) {
  if (field == value) return;
  field = value;
  control.Invalidate();
}

}  // namespace

void TShineSpeedButton::SetClickDownHook(bool value) { Change(*this, clickDownHook_, value); }
void TShineSpeedButton::SetAccelCharDown(bool value) { Change(*this, accelCharDown_, value); }
void TShineSpeedButton::SetFrameType(TFrameType value) { Change(*this, frameType_, value); }
void TShineSpeedButton::SetActiveFrame(bool value) { Change(*this, activeFrame_, value); }
void TShineSpeedButton::SetUpFrame(bool value) { Change(*this, upFrame_, value); }
void TShineSpeedButton::SetDownFrame(bool value) { Change(*this, downFrame_, value); }
void TShineSpeedButton::SetActiveImage(TActiveImageType value) { Change(*this, activeImage_, value); }
void TShineSpeedButton::SetDisabledImage(TDisabledImageType value) { Change(*this, disabledImage_, value); }
void TShineSpeedButton::SetDisabledHighlight(TColor value) { Change(*this, disabledHighlight_, value); }
void TShineSpeedButton::SetDisabledShadow(TColor value) { Change(*this, disabledShadow_, value); }
void TShineSpeedButton::SetShineColor(TColor value) { Change(*this, shineColor_, value); }
void TShineSpeedButton::SetLayout(TButtonLayout value) { Change(*this, layout_, value); }
void TShineSpeedButton::SetMargin(int value) { Change(*this, margin_, value); }
void TShineSpeedButton::SetSpacing(int value) { Change(*this, spacing_, value); }

void TShineSpeedButton::SetFontHighlight(TColor value) {
  fontHighlight_ = value;
  Invalidate();
}

void TShineSpeedButton::SetFontShadow(TColor value) {
  fontShadow_ = value;
  Invalidate();
}

void TShineSpeedButton::SetFont(TFont* value) {
  if (!value) return;
  font_->Assign(value);
  Invalidate();
}

void TShineSpeedButton::SetActiveFont(TFont* value) {
  if (!value) return;
  activeFont_->Assign(value);
  Invalidate();
}

void TShineSpeedButton::SetGlyph(TBitmap* value) {
  {
    // One conversion and one repaint, however many changes the copy makes.
    const TNotificationPause pause(*glyph_);
    glyph_->Assign(value);
  }
  GlyphOnChange(glyph_.get());
}

void TShineSpeedButton::FontsAndColorsOnChange(TObject*) { Invalidate(); }

void TShineSpeedButton::GlyphOnChange(TObject*) {
  NormaliseGlyph();
  Invalidate();
}

void TShineSpeedButton::NormaliseGlyph() {
  if (glyph_->Empty()) return;
  const TNotificationPause pause(*glyph_);
  glyph_->SetHandleType(bmDIB);
  glyph_->SetPixelFormat(pf32bit);
}

std::unique_ptr<TBitmap> TShineSpeedButton::CreateStateGlyph() {
  return ::CreateStateGlyph(*glyph_, state_, {activeImage_, shineColor_, disabledImage_, colors_->Color()});
}

// ---------------------------------------------------------------------------------------------
// Painting

void TShineSpeedButton::Paint() {
  if (!Enabled()) {
    state_ = stDisabled;
    dragging_ = false;
  }
  if (Width() <= 0 || Height() <= 0) return;
  if (Transparent()) {
    ImageDraw(*Canvas());
    FrameDraw(*Canvas());
    return;
  }
  TBitmap composed;
  composed.SetSize(Width(), Height());
  TCanvas& canvas = *composed.Canvas();
  BackDraw(canvas);
  ImageDraw(canvas);
  FrameDraw(canvas);
  Canvas()->Draw(0, 0, &composed);
}

TShineBtnColors& TShineSpeedButton::StateColors() const { return IsPressed(state_) ? *pressedColors_ : *colors_; }

void TShineSpeedButton::BackDraw(TCanvas& canvas) {
  const TShineBtnColors& colors = StateColors();
  if (!colors.Gradation()) {
    canvas.Brush()->SetStyle(bsSolid);
    canvas.Brush()->SetColor(colors.Color());
    canvas.FillRect(ClientRect());
    return;
  }
  const auto steps = shine::GradientSteps(colors.Color(), colors.GradColor(), colors.GradVertical());
  canvas.StretchDraw(ClientRect(), steps.get());
}

void TShineSpeedButton::ImageDraw(TCanvas& canvas) {
  canvas.SetFont(IsHot(state_) ? activeFont_.get() : font_.get());
  const std::unique_ptr<TBitmap> glyph = CreateStateGlyph();
  const shine::TContentPlacement place = CalcDrawPosition(canvas);
  const int pressed = IsPressed(state_) ? 1 : 0;
  if (glyph) {
    const TPoint at{place.Glyph.X + pressed, place.Glyph.Y + pressed};
    if (state_ == stDisabled && disabledImage_ == diDefault) {
      canvas.Brush()->SetStyle(bsSolid);
      canvas.Brush()->SetColor(disabledHighlight_);
      StampMask(canvas, *glyph, {at.X + 1, at.Y + 1});
      canvas.Brush()->SetColor(disabledShadow_);
      StampMask(canvas, *glyph, at);
    } else {
      canvas.Brush()->SetStyle(bsClear);
      canvas.Draw(at.X, at.Y, glyph.get());
    }
  }
  if (!Caption().empty()) DrawCaption(canvas, Moved(place.Caption, pressed, pressed));
}

void TShineSpeedButton::StampMask(TCanvas& canvas, TBitmap& mask, const TPoint& at) {
  HDC dc = canvas.Handle();
  // The mask's black and white map to the target's text and background colours.
  const int saved = ::SaveDC(dc);
  ::SetTextColor(dc, RGB(0, 0, 0));
  ::SetBkColor(dc, RGB(255, 255, 255));
  ::BitBlt(dc, at.X, at.Y, mask.Width(), mask.Height(), mask.Canvas()->Handle(), 0, 0, kMaskStampRop);
  ::RestoreDC(dc, saved);
}

void TShineSpeedButton::DrawCaption(TCanvas& canvas, TRect rect) {
  const String caption = Caption();
  canvas.Brush()->SetStyle(bsClear);
  auto drawAt = [&](int dx, int dy, TColor color) {
    canvas.Font()->SetColor(color);
    TRect area = Moved(rect, dx, dy);
    canvas.DrawText(caption, area, kCaptionFormat);
  };
  if (state_ == stDisabled) {
    drawAt(1, 1, disabledHighlight_);
    drawAt(0, 0, disabledShadow_);
    return;
  }
  const TColor face = canvas.Font()->Color();
  if (fontShadow_ != clNone) drawAt(1, 1, fontShadow_);
  if (fontHighlight_ != clNone) drawAt(-1, -1, fontHighlight_);
  drawAt(0, 0, face);
}

shine::TContentPlacement TShineSpeedButton::CalcDrawPosition(TCanvas& canvas) {
  const TRect client = ClientRect();
  std::optional<TSize> glyph;
  if (!glyph_->Empty()) glyph = TSize{glyph_->Width(), glyph_->Height()};
  std::optional<TSize> caption;
  if (const String text = Caption(); !text.empty()) {
    TRect measured = Rect(0, 0, client.Width(), 0);
    canvas.DrawText(text, measured, DT_CALCRECT);
    caption = TSize{measured.Width(), measured.Height()};
  }
  return shine::PlaceContent(glyph, caption, {client.Width(), client.Height()}, layout_, margin_, spacing_);
}

bool TShineSpeedButton::FrameShown() const {
  switch (state_) {
    case stActiveDown:
    case stActive: return activeFrame_;
    case stDown: return downFrame_;
    case stUp:
    case stDisabled: return upFrame_;
  }
  return false;
}

void TShineSpeedButton::TopLeftStroke(TCanvas& canvas, int a, int b, TColor color) {
  canvas.Pen()->SetColor(color);
  canvas.MoveTo(a, a);
  canvas.LineTo(Width() - b, a);
  canvas.MoveTo(a, a);
  canvas.LineTo(a, Height() - b);
}

void TShineSpeedButton::BottomRightStroke(TCanvas& canvas, int a, int b, TColor color) {
  const int right = Width() - a;
  const int bottom = Height() - a;
  canvas.Pen()->SetColor(color);
  canvas.MoveTo(right, bottom);
  canvas.LineTo(b, bottom);
  canvas.MoveTo(right, bottom);
  canvas.LineTo(right, b);
}

void TShineSpeedButton::FrameDraw(TCanvas& canvas) {
  if (!FrameShown()) return;
  canvas.Pen()->SetStyle(psSolid);
  canvas.Pen()->SetWidth(1);
  canvas.Pen()->SetMode(pmCopy);
  const TShineBtnColors& colors = StateColors();
  const bool pressed = IsPressed(state_);
  // Pressed, light and shade change sides.
  const TColor lit = pressed ? colors.Shadow() : colors.Highlight();
  const TColor shade = pressed ? colors.Highlight() : colors.Shadow();
  switch (frameType_) {
    case ftFlatFrame:
      TopLeftStroke(canvas, 0, 1, lit);
      BottomRightStroke(canvas, 1, 0, shade);
      break;
    case ftNormalFrame:
      if (pressed) {
        TopLeftStroke(canvas, 1, 1, colors.Shadow());
        TopLeftStroke(canvas, 0, 1, colors.DarkShadow());
        BottomRightStroke(canvas, 1, 0, colors.Highlight());
      } else {
        BottomRightStroke(canvas, 2, 0, colors.Shadow());
        BottomRightStroke(canvas, 1, 0, colors.DarkShadow());
        TopLeftStroke(canvas, 0, 1, colors.Highlight());
      }
      break;
    case ftEnclosedFrame:
      TopLeftStroke(canvas, 1, 2, lit);
      BottomRightStroke(canvas, 2, 1, shade);
      // The outline is the up face's in both states.
      canvas.Pen()->SetColor(colors_->DarkShadow());
      canvas.Brush()->SetStyle(bsClear);
      canvas.Rectangle(0, 0, Width(), Height());
      break;
  }
}

// ---------------------------------------------------------------------------------------------
// Grouping

void TShineSpeedButton::SetGroupIndex(int value) {
  if (value != groupIndex_) GroupUpdateStatus(value);
}

void TShineSpeedButton::SetAllowAllUp(bool value) {
  if (value == allowAllUp_) return;
  allowAllUp_ = value;
  GroupUpdateStatus(groupIndex_);
}

void TShineSpeedButton::SetDown(bool value) {
  if (value == down_ || groupIndex_ == 0) return;
  if (down_ && !allowAllUp_) return;
  down_ = value;
  GroupUpdateStatus(groupIndex_);
  state_ = value ? stDown : stUp;
  Repaint();
}

void TShineSpeedButton::GroupUpdateStatus(int index) {
  groupIndex_ = index;
  TWinControl* parent = Parent();
  if (index == 0 || !parent) return;
  // Set up before it joins the parent, so that only the announcement below is broadcast; of no
  // size, so that joining and leaving repaint nothing.
  groupProxy_ = std::make_unique<TSpeedButton>(nullptr);
  const TScopeGuard dropProxy([this] { groupProxy_.reset(); });
  groupProxy_->SetBounds(0, 0, 0, 0);
  groupProxy_->SetGroupIndex(index);
  groupProxy_->SetAllowAllUp(allowAllUp_);
  groupProxy_->SetDown(down_);
  parent->InsertControl(groupProxy_.get());
  const TScopeGuard leaveParent([parent, this] { parent->RemoveControl(groupProxy_.get()); });
  button_group::Announce(*groupProxy_);
}

void TShineSpeedButton::CMButtonPressed(TMessage& message) {
  const TSpeedButton* sender = button_group::Announcer(message, groupIndex_, groupProxy_.get());
  if (!sender || !button_group::Follow(*sender, down_, allowAllUp_)) return;
  state_ = stUp;
  Invalidate();
}

void TShineSpeedButton::Dispatch(TMessage& message) {
  if (message.Msg == CM_BUTTONPRESSED) {
    CMButtonPressed(message);
    return;
  }
  TGraphicControl::Dispatch(message);
}

// ---------------------------------------------------------------------------------------------
// Hot tracking

TPoint TShineSpeedButton::CursorInClient() {
  POINT cursor{};
  ::GetCursorPos(&cursor);
  return ScreenToClient({cursor.x, cursor.y});
}

bool TShineSpeedButton::InClient(int x, int y) { return ClientRect().Contains({x, y}); }

void TShineSpeedButton::CMMouseEnter(TMessage&) {
  const TPoint at = CursorInClient();
  MouseEnter(CurrentShiftState(), at.X, at.Y);
}

void TShineSpeedButton::CMMouseLeave(TMessage&) {
  const TPoint at = CursorInClient();
  MouseLeave(CurrentShiftState(), at.X, at.Y);
}

void TShineSpeedButton::MouseEnter(TShiftState shift, int x, int y) {
  OnMouseEnter(this, shift, x, y);
  if (mouseInControl_ || !Enabled() || DragMode() == dmAutomatic || ::GetCapture()) return;
  mouseInControl_ = true;
  if (state_ == stUp) state_ = stActive;
  else if (state_ == stDown) state_ = stActiveDown;
  Repaint();
  activeButtonTimer_->SetEnabled(true);
}

void TShineSpeedButton::MouseLeave(TShiftState shift, int x, int y) {
  OnMouseLeave(this, shift, x, y);
  if (!mouseInControl_ || !Enabled() || dragging_) return;
  activeButtonTimer_->SetEnabled(false);
  mouseInControl_ = false;
  if (state_ == stActive) state_ = stUp;
  else if (state_ == stActiveDown) state_ = stDown;
  Repaint();
}

void TShineSpeedButton::ActiveButtonTimerOnTimer(TObject*) {
  if (!mouseInControl_ || !Enabled() || dragging_) {
    activeButtonTimer_->SetEnabled(false);
    return;
  }
  // A pointer that left without a leave message.
  const TPoint at = CursorInClient();
  if (!InClient(at.X, at.Y)) MouseLeave(CurrentShiftState(), at.X, at.Y);
}

void TShineSpeedButton::UpdateTracking() {
  if (!Enabled()) return;
  POINT cursor{};
  ::GetCursorPos(&cursor);
  // The opposite of the truth, so that the handler below acts and sets it right.
  mouseInControl_ = FindDragTarget({cursor.x, cursor.y}, true) != this;
  Perform(mouseInControl_ ? CM_MOUSELEAVE : CM_MOUSEENTER, 0, reinterpret_cast<LPARAM>(this));
}

// ---------------------------------------------------------------------------------------------
// Mouse and keyboard

void TShineSpeedButton::MouseDown(TMouseButton button, TShiftState shift, int x, int y) {
  TGraphicControl::MouseDown(button, shift, x, y);
  if (button != mbLeft || !Enabled()) return;
  if (state_ != stActiveDown) {
    state_ = stActiveDown;
    Invalidate();
  }
  dragging_ = true;
}

void TShineSpeedButton::MouseMove(TShiftState shift, int x, int y) {
  TGraphicControl::MouseMove(shift, x, y);
  if (dragging_) {
    const TShineState next = InClient(x, y) ? stActiveDown : (down_ ? stDown : stUp);
    if (next == state_) return;
    state_ = next;
    Invalidate();
  } else if (!mouseInControl_) {
    UpdateTracking();
  }
}

void TShineSpeedButton::MouseUp(TMouseButton button, TShiftState shift, int x, int y) {
  TGraphicControl::MouseUp(button, shift, x, y);
  if (button != mbLeft || !dragging_) return;
  const bool inside = InClient(x, y);
  if (groupIndex_ == 0) {
    state_ = stUp;
    mouseInControl_ = false;
    down_ = false;
    if (inside) Repaint();
  } else if (inside) {
    SetDown(!down_);
    if (down_) Repaint();
  } else {
    state_ = down_ ? stActiveDown : stActive;
    Repaint();
  }
  dragging_ = false;
  if (inside) Click();
  UpdateTracking();
}

void TShineSpeedButton::Click() {
  if (!clickDownHook_) {
    TGraphicControl::Click();
    return;
  }
  const TShineState kept = state_;
  state_ = stActiveDown;
  Repaint();
  const TScopeGuard restore([this, kept] {
    state_ = kept;
    Repaint();
  });
  TGraphicControl::Click();
}

void TShineSpeedButton::WMLButtonDblClk(TWMMouse& message) {
  TGraphicControl::WMLButtonDblClk(message);
  if (down_) DblClick();
}

void TShineSpeedButton::CMDialogChar(TWMKey& message) {
  if (!IsAccel(message.CharCode(), Caption()) || !Enabled() || !Visible() || !Parent() || !Parent()->Showing()) {
    TGraphicControl::CMDialogChar(message);
    return;
  }
  if (accelCharDown_) SetDown(!down_);
  Click();
  message.Message.Result = 1;
}

void TShineSpeedButton::CMEnabledChanged(TMessage&) {
  down_ = false;
  state_ = Enabled() ? stUp : stDisabled;
  // A disabled button is never hot: nothing to watch for.
  if (!Enabled()) {
    activeButtonTimer_->SetEnabled(false);
    mouseInControl_ = false;
  }
  UpdateTracking();
  Invalidate();
}

void TShineSpeedButton::CMFontChanged(TMessage&) { Invalidate(); }

void TShineSpeedButton::CMTextChanged(TMessage&) { Invalidate(); }

void TShineSpeedButton::CMSysColorChange(TMessage&) { Invalidate(); }

void RegisterShineSpdBtnClasses() { RegisterClasses({&TShineSpeedButton::StaticClassInfo()}); }
