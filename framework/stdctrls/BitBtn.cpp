// TBitBtn: kinds, pressing by mouse and keyboard, painting with a focus rectangle.
#include "framework/stdctrls/BitBtn.h"

#include "framework/stdctrls/PublishGroups.h"
#include "framework/windows/Forms.h"

const TTypeInfo& TypeInfoOf(TypeTag<TBitBtnKind>) {
  static const TTypeInfo info = MakeEnumType(
      "TBitBtnKind", {"bkCustom", "bkOK", "bkCancel", "bkHelp", "bkYes", "bkNo", "bkClose", "bkAbort", "bkRetry",
                      "bkIgnore", "bkAll"});
  return info;
}

namespace {

struct TKindDefaults {
  const char* Caption;
  TModalResult Result;
};

TKindDefaults KindDefaults(TBitBtnKind kind) {
  switch (kind) {
    case bkOK: return {"OK", mrOk};
    case bkCancel: return {"Cancel", mrCancel};
    case bkHelp: return {"&Help", mrNone};
    case bkYes: return {"&Yes", mrYes};
    case bkNo: return {"&No", mrNo};
    case bkClose: return {"&Close", mrNone};
    case bkAbort: return {"Abort", mrAbort};
    case bkRetry: return {"&Retry", mrRetry};
    case bkIgnore: return {"&Ignore", mrIgnore};
    case bkAll: return {"&All", mrAll};
    default: return {"", mrNone};
  }
}

}  // namespace

void TBitBtn::Publish(TPublisher<TBitBtn>& p) {
  publish_groups::Placement(p);
  p.Prop("Caption", &TBitBtn::Caption, &TBitBtn::SetCaption);
  publish_groups::Font(p);
  p.Prop("Glyph", &TBitBtn::Glyph, &TBitBtn::SetGlyph);
  p.Prop("Kind", &TBitBtn::Kind, &TBitBtn::SetKind).Default(bkCustom);
  p.Prop("Layout", &TBitBtn::Layout, &TBitBtn::SetLayout).Default(blGlyphLeft);
  p.Prop("Margin", &TBitBtn::Margin, &TBitBtn::SetMargin).Default(-1);
  p.Prop("ModalResult", &TBitBtn::ModalResult, &TBitBtn::SetModalResult).Default(mrNone);
  p.Prop("NumGlyphs", &TBitBtn::NumGlyphs, &TBitBtn::SetNumGlyphs).Type(NumGlyphsTypeInfo()).Default(1);
  p.Prop("HelpContext", &TBitBtn::HelpContext, &TBitBtn::SetHelpContext).Default(0);
  publish_groups::Hints(p);
  p.Prop("Spacing", &TBitBtn::Spacing, &TBitBtn::SetSpacing).Default(4);
  publish_groups::State(p);
  publish_groups::Focus(p, true);
  p.Prop("OnClick", &TBitBtn::OnClick);
  publish_groups::KeyEvents(p);
}

TBitBtn::TBitBtn(TComponent* owner) : TCustomControl(owner), glyph_(std::make_unique<TButtonGlyph>()) {
  SetControlStyle({csCaptureMouse, csClickEvents, csSetCaption, csOpaque, csDoubleClicks, csReplicatable});
  SetBounds(0, 0, 75, 25);
  SetTabStop(true);
  glyph_->OnChange = TNotifyEvent(this, &TBitBtn::GlyphChanged);
}

void TBitBtn::GlyphChanged(TObject*) { Invalidate(); }

void TBitBtn::SetKind(TBitBtnKind value) {
  if (kind_ == value) return;
  kind_ = value;
  if (value == bkCustom) return;
  const TKindDefaults defaults = KindDefaults(value);
  modalResult_ = defaults.Result;
  if (Caption().empty()) SetCaption(defaults.Caption);
}

void TBitBtn::SetLayout(TButtonLayout value) {
  if (layout_ == value) return;
  layout_ = value;
  Invalidate();
}

void TBitBtn::SetMargin(int value) {
  if (margin_ == value) return;
  margin_ = value;
  Invalidate();
}

void TBitBtn::SetSpacing(int value) {
  if (spacing_ == value) return;
  spacing_ = value;
  Invalidate();
}

void TBitBtn::SetPressed(bool value) {
  if (pressed_ == value) return;
  pressed_ = value;
  Invalidate();
}

void TBitBtn::Click() {
  TCustomForm* form = GetParentForm(this);
  if (form && kind_ == bkClose) form->Close();
  else if (form && modalResult_ != mrNone) form->SetModalResult(modalResult_);
  TCustomControl::Click();
}

void TBitBtn::Paint() {
  TCanvas& canvas = *Canvas();
  const TRect client = ClientRect();
  canvas.Brush()->SetColor(clBtnFace);
  canvas.Brush()->SetStyle(bsSolid);
  canvas.FillRect(client);
  DrawButtonEdge(canvas, client, pressed_ ? TButtonEdge::Sunken : TButtonEdge::Raised);
  canvas.SetFont(Font());
  const TButtonState state =
      !Enabled() ? TButtonState::Disabled : (pressed_ ? TButtonState::Pressed : TButtonState::Up);
  const TPoint offset = pressed_ ? TPoint{1, 1} : TPoint{0, 0};
  glyph_->Draw(canvas, client, offset, Caption(), layout_, margin_, spacing_, state);
  if (Focused()) {
    const RECT focus{client.Left + 3, client.Top + 3, client.Right - 3, client.Bottom - 3};
    DrawFocusRect(canvas.Handle(), &focus);
  }
}

void TBitBtn::MouseDown(TMouseButton button, TShiftState shift, int x, int y) {
  if (button == mbLeft && Enabled()) {
    if (CanFocus() && !Focused()) SetFocus();
    tracking_ = true;
    SetPressed(true);
  }
  TCustomControl::MouseDown(button, shift, x, y);
}

void TBitBtn::MouseMove(TShiftState shift, int x, int y) {
  if (tracking_) SetPressed(ClientRect().Contains({x, y}));
  TCustomControl::MouseMove(shift, x, y);
}

void TBitBtn::MouseUp(TMouseButton button, TShiftState shift, int x, int y) {
  if (button == mbLeft) {
    tracking_ = false;
    SetPressed(false);
  }
  TCustomControl::MouseUp(button, shift, x, y);
}

void TBitBtn::KeyDown(Word& key, TShiftState shift) {
  if (key == VK_SPACE) SetPressed(true);
  TCustomControl::KeyDown(key, shift);
}

void TBitBtn::KeyUp(Word& key, TShiftState shift) {
  const bool clicked = key == VK_SPACE && pressed_;
  if (clicked) SetPressed(false);
  TCustomControl::KeyUp(key, shift);
  if (clicked) Click();
}

void TBitBtn::KeyPress(char& key) {
  TCustomControl::KeyPress(key);
  if (key == '\r') {
    key = 0;
    Click();
  }
}

void TBitBtn::DoEnter() {
  Invalidate();
  TCustomControl::DoEnter();
}

void TBitBtn::DoExit() {
  SetPressed(false);
  Invalidate();
  TCustomControl::DoExit();
}

void TBitBtn::CMTextChanged(TMessage& message) {
  TCustomControl::CMTextChanged(message);
  Invalidate();
}

void TBitBtn::CMDialogChar(TWMKey& message) {
  if (!IsAccel(message.CharCode(), Caption()) || !CanFocus()) return;
  Click();
  message.Message.Result = 1;
}
