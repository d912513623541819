// TCustomLabel: measuring and drawing the caption, auto-sizing and accelerators.
#include "framework/stdctrls/Label.h"

#include "framework/graphics/GdiHandles.h"
#include "framework/stdctrls/PublishGroups.h"

void TLabel::Publish(TPublisher<TLabel>& p) {
  publish_groups::Placement(p);
  p.Prop("Alignment", &TLabel::Alignment, &TLabel::SetAlignment).Default(taLeftJustify);
  p.Prop("AutoSize", &TLabel::AutoSize, &TLabel::SetAutoSize).Default(true);
  p.Prop("Caption", &TLabel::Caption, &TLabel::SetCaption);
  publish_groups::Color(p, clBtnFace, true);
  p.Prop("FocusControl", &TLabel::FocusControl, &TLabel::SetFocusControl);
  publish_groups::Font(p);
  p.Prop("Layout", &TLabel::Layout, &TLabel::SetLayout).Default(tlTop);
  publish_groups::Hints(p);
  publish_groups::State(p);
  p.Prop("ShowAccelChar", &TLabel::ShowAccelChar, &TLabel::SetShowAccelChar).Default(true);
  p.Prop("Transparent", &TLabel::Transparent, &TLabel::SetTransparent).Default(false);
  p.Prop("WordWrap", &TLabel::WordWrap, &TLabel::SetWordWrap).Default(false);
  publish_groups::MouseEvents(p);
}

TCustomLabel::TCustomLabel(TComponent* owner) : TGraphicControl(owner) {
  TControlStyle style = ControlStyle();
  style += TControlStyle{csOpaque, csReplicatable};
  SetControlStyle(style);
  SetBounds(0, 0, 65, 17);
}

void TCustomLabel::SetAlignment(TAlignment value) {
  if (alignment_ == value) return;
  alignment_ = value;
  Invalidate();
}

void TCustomLabel::SetAutoSize(bool value) {
  if (autoSize_ == value) return;
  autoSize_ = value;
  AdjustBounds();
}

void TCustomLabel::SetLayout(TTextLayout value) {
  if (layout_ == value) return;
  layout_ = value;
  Invalidate();
}

void TCustomLabel::SetShowAccelChar(bool value) {
  if (showAccelChar_ == value) return;
  showAccelChar_ = value;
  AdjustBounds();
  Invalidate();
}

void TCustomLabel::SetWordWrap(bool value) {
  if (wordWrap_ == value) return;
  wordWrap_ = value;
  AdjustBounds();
  Invalidate();
}

void TCustomLabel::Loaded() {
  TGraphicControl::Loaded();
  AdjustBounds();
}

String TCustomLabel::GetLabelText() { return Caption(); }

unsigned TCustomLabel::TextFlags() const {
  unsigned flags = DT_EXPANDTABS | DrawTextAlignment(alignment_);
  if (wordWrap_) flags |= DT_WORDBREAK;
  if (!showAccelChar_) flags |= DT_NOPREFIX;
  return flags;
}

void TCustomLabel::DoDrawText(TCanvas& canvas, TRect& rect, unsigned flags) {
  const String caption = GetLabelText();
  // An empty caption still measures one line high.
  static const String kOneBlank(1, ' ');
  const bool blank = caption.empty() || (showAccelChar_ && caption == "&");
  const String& text = (flags & DT_CALCRECT) && blank ? kOneBlank : caption;
  canvas.SetFont(Font());
  canvas.Brush()->SetStyle(bsClear);
  if (flags & DT_CALCRECT) {
    canvas.DrawText(text, rect, flags);
    return;
  }
  if (!Enabled()) {
    TRect raised = Rect(rect.Left + 1, rect.Top + 1, rect.Right + 1, rect.Bottom + 1);
    canvas.Font()->SetColor(clBtnHighlight);
    canvas.DrawText(text, raised, flags);
    canvas.Font()->SetColor(clBtnShadow);
  }
  canvas.DrawText(text, rect, flags);
}

void TCustomLabel::AdjustBounds() {
  if (!autoSize_ || ComponentState().Contains(csLoading)) return;
  // Measured on a screen-compatible DC: the label may have no parent window yet.
  gdi::MemoryDC dc(nullptr);
  TCanvas canvas;
  canvas.SetHandle(dc.Get());
  TRect rect = Rect(0, 0, wordWrap_ ? Width() : 0, 0);
  DoDrawText(canvas, rect, TextFlags() | DT_CALCRECT);
  canvas.SetHandle(nullptr);
  int left = Left();
  if (alignment_ == taRightJustify) left += Width() - rect.Width();
  SetBounds(left, Top(), rect.Width(), rect.Height());
}

void TCustomLabel::Paint() {
  TCanvas& canvas = *Canvas();
  const TRect client = ClientRect();
  if (!Transparent()) {
    canvas.Brush()->SetColor(Color());
    canvas.Brush()->SetStyle(bsSolid);
    canvas.FillRect(client);
  }
  TRect rect = client;
  const unsigned flags = TextFlags();
  if (layout_ != tlTop) {
    TRect measured = rect;
    DoDrawText(canvas, measured, flags | DT_CALCRECT);
    const int spare = client.Height() - measured.Height();
    rect.Top += layout_ == tlBottom ? spare : spare / 2;
    rect.Bottom = rect.Top + measured.Height();
  }
  DoDrawText(canvas, rect, flags);
}

void TCustomLabel::CMTextChanged(TMessage& message) {
  TGraphicControl::CMTextChanged(message);
  Invalidate();
  AdjustBounds();
}

void TCustomLabel::CMFontChanged(TMessage& message) {
  TGraphicControl::CMFontChanged(message);
  AdjustBounds();
}

void TCustomLabel::CMDialogChar(TWMKey& message) {
  if (!focusControl_ || !Enabled() || !showAccelChar_ || !IsAccel(message.CharCode(), Caption())) return;
  if (!focusControl_->CanFocus()) return;
  focusControl_->SetFocus();
  message.Message.Result = 1;
}
