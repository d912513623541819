// TPanel: bevels, border and caption.
#include "framework/stdctrls/Panel.h"

#include <algorithm>

#include "framework/stdctrls/PublishGroups.h"

const TTypeInfo& TypeInfoOf(TypeTag<TBevelCut>) {
  static const TTypeInfo info = MakeEnumType("TBevelCut", {"bvNone", "bvLowered", "bvRaised", "bvSpace"});
  return info;
}

void Frame3D(TCanvas& canvas, TRect& rect, TColor topColor, TColor bottomColor, int width) {
  TBrush* brush = canvas.Brush();
  brush->SetStyle(bsSolid);
  for (int i = 0; i < width && !rect.IsEmpty(); ++i) {
    brush->SetColor(topColor);
    canvas.FillRect(Rect(rect.Left, rect.Top, rect.Right - 1, rect.Top + 1));
    canvas.FillRect(Rect(rect.Left, rect.Top, rect.Left + 1, rect.Bottom - 1));
    brush->SetColor(bottomColor);
    canvas.FillRect(Rect(rect.Right - 1, rect.Top, rect.Right, rect.Bottom));
    canvas.FillRect(Rect(rect.Left, rect.Bottom - 1, rect.Right, rect.Bottom));
    rect = Rect(rect.Left + 1, rect.Top + 1, rect.Right - 1, rect.Bottom - 1);
  }
}

namespace {

void BevelColors(TBevelCut bevel, TColor face, TColor& top, TColor& bottom) {
  switch (bevel) {
    case bvLowered:
      top = clBtnShadow;
      bottom = clBtnHighlight;
      break;
    case bvRaised:
      top = clBtnHighlight;
      bottom = clBtnShadow;
      break;
    default:
      top = bottom = face;
      break;
  }
}

}  // namespace

void TPanel::Publish(TPublisher<TPanel>& p) {
  publish_groups::Placement(p);
  p.Prop("Alignment", &TPanel::Alignment, &TPanel::SetAlignment).Default(taCenter);
  p.Prop("BevelInner", &TPanel::BevelInner, &TPanel::SetBevelInner).Default(bvNone);
  p.Prop("BevelOuter", &TPanel::BevelOuter, &TPanel::SetBevelOuter).Default(bvRaised);
  p.Prop("BevelWidth", &TPanel::BevelWidth, &TPanel::SetBevelWidth).Default(1);
  publish_groups::BiDi(p);
  p.Prop("BorderWidth", &TPanel::BorderWidth, &TPanel::SetBorderWidth).Default(0);
  p.Prop("BorderStyle", &TPanel::BorderStyle, &TPanel::SetBorderStyle).Type(BorderStyleTypeInfo()).Default(bsNone);
  p.Prop("Caption", &TPanel::Caption, &TPanel::SetCaption);
  publish_groups::Color(p, clBtnFace, false);
  p.Prop("UseDockManager", &TPanel::UseDockManager, &TPanel::SetUseDockManager).Default(true);
  publish_groups::Font(p);
  publish_groups::Hints(p);
  publish_groups::State(p);
  publish_groups::Focus(p, false);
  publish_groups::MouseEvents(p);
  p.Prop("OnEnter", &TPanel::OnEnter);
  p.Prop("OnExit", &TPanel::OnExit);
  p.Prop("OnResize", &TPanel::OnResize);
}

TCustomPanel::TCustomPanel(TComponent* owner) : TCustomControl(owner) {
  SetControlStyle({csAcceptsControls, csCaptureMouse, csClickEvents, csSetCaption, csOpaque, csDoubleClicks,
                   csReplicatable});
  SetBounds(0, 0, 185, 41);
  SetColor(clBtnFace);
  SetUseDockManager(true);
}

void TCustomPanel::SetBevelInner(TBevelCut value) {
  if (bevelInner_ == value) return;
  bevelInner_ = value;
  FrameChanged();
}

void TCustomPanel::SetBevelOuter(TBevelCut value) {
  if (bevelOuter_ == value) return;
  bevelOuter_ = value;
  FrameChanged();
}

void TCustomPanel::SetBevelWidth(TBevelWidth value) {
  value = std::max(value, 1);
  if (bevelWidth_ == value) return;
  bevelWidth_ = value;
  FrameChanged();
}

void TCustomPanel::SetBorderWidth(int value) {
  value = std::max(value, 0);
  if (borderWidth_ == value) return;
  borderWidth_ = value;
  FrameChanged();
}

void TCustomPanel::SetBorderStyle(TBorderStyle value) {
  if (value != bsSingle) value = bsNone;
  if (borderStyle_ == value) return;
  borderStyle_ = value;
  RecreateWnd();
}

void TCustomPanel::SetAlignment(TAlignment value) {
  if (alignment_ == value) return;
  alignment_ = value;
  Invalidate();
}

int TCustomPanel::FrameWidth() const {
  return (bevelOuter_ != bvNone ? bevelWidth_ : 0) + borderWidth_ + (bevelInner_ != bvNone ? bevelWidth_ : 0);
}

void TCustomPanel::FrameChanged() {
  Realign();
  Invalidate();
}

void TCustomPanel::CreateParams(TCreateParams& params) {
  TCustomControl::CreateParams(params);
  if (borderStyle_ == bsSingle) params.ExStyle |= WS_EX_CLIENTEDGE;
  // The bevels sit at the edges: a resize must repaint the whole panel, not just the new strip.
  params.ClassStyle |= CS_HREDRAW | CS_VREDRAW;
}

void TCustomPanel::AdjustClientRect(TRect& rect) {
  TCustomControl::AdjustClientRect(rect);
  const int inset = FrameWidth();
  rect = Rect(rect.Left + inset, rect.Top + inset, rect.Right - inset, rect.Bottom - inset);
}

void TCustomPanel::Paint() {
  TCanvas& canvas = *Canvas();
  TRect rect = ClientRect();
  TColor top, bottom;
  BevelColors(bevelOuter_, Color(), top, bottom);
  if (bevelOuter_ != bvNone) Frame3D(canvas, rect, top, bottom, bevelWidth_);
  Frame3D(canvas, rect, Color(), Color(), borderWidth_);
  BevelColors(bevelInner_, Color(), top, bottom);
  if (bevelInner_ != bvNone) Frame3D(canvas, rect, top, bottom, bevelWidth_);
  canvas.Brush()->SetColor(Color());
  canvas.Brush()->SetStyle(bsSolid);
  canvas.FillRect(rect);

  const String caption = Caption();
  if (caption.empty()) return;
  canvas.Brush()->SetStyle(bsClear);
  canvas.SetFont(Font());
  canvas.DrawText(caption, rect, DT_SINGLELINE | DT_VCENTER | DT_EXPANDTABS | DrawTextAlignment(alignment_));
}

void TCustomPanel::CMTextChanged(TMessage& message) {
  TCustomControl::CMTextChanged(message);
  Invalidate();
}
