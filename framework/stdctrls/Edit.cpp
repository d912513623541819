// TCustomEdit: the subclassed EDIT window, its styles, selection and change notification.
#include "framework/stdctrls/Edit.h"

#include <algorithm>

#include "framework/stdctrls/PublishGroups.h"

namespace {

// Byte offset in the CP932 form of `text` of the UTF-16 position `position`.
int WideToByteOffset(const WideString& text, DWORD position) {
  const std::size_t length = std::min<std::size_t>(position, text.size());
  return static_cast<int>(WideToCP932(text.substr(0, length)).size());
}

// UTF-16 position of the byte offset `offset` of the CP932 `text` (an offset inside a two-byte
// character counts from that character's start).
DWORD ByteToWideOffset(const String& text, int offset) {
  std::size_t bytes = std::clamp<std::size_t>(offset < 0 ? 0 : static_cast<std::size_t>(offset), 0, text.size());
  std::size_t start = 0;
  while (start < bytes) start += IsLeadByte(static_cast<unsigned char>(text[start])) ? 2 : 1;
  if (start > bytes) bytes = start - 2;
  return static_cast<DWORD>(CP932ToWide(text.substr(0, bytes)).size());
}

}  // namespace

void TEdit::Publish(TPublisher<TEdit>& p) {
  publish_groups::Placement(p);
  p.Prop("Alignment", &TEdit::Alignment, &TEdit::SetAlignment).Default(taLeftJustify);
  p.Prop("AutoSelect", &TEdit::AutoSelect, &TEdit::SetAutoSelect).Default(true);
  publish_groups::BiDi(p);
  p.Prop("BorderStyle", &TEdit::BorderStyle, &TEdit::SetBorderStyle).Type(BorderStyleTypeInfo()).Default(bsSingle);
  publish_groups::Color(p, clWindow, false);
  publish_groups::Font(p);
  p.Prop("MaxLength", &TEdit::MaxLength, &TEdit::SetMaxLength).Default(0);
  publish_groups::Hints(p);
  p.Prop("ReadOnly", &TEdit::ReadOnly, &TEdit::SetReadOnly).Default(false);
  publish_groups::State(p);
  publish_groups::Focus(p, true);
  p.Prop("Text", &TEdit::Text, &TEdit::SetText);
  p.Prop("OnChange", &TEdit::OnChange);
  publish_groups::MouseEvents(p);
  publish_groups::KeyEvents(p);
}

TCustomEdit::TCustomEdit(TComponent* owner) : TWinControl(owner) {
  SetControlStyle({csClickEvents, csSetCaption, csDoubleClicks});
  SetBounds(0, 0, 121, 21);
  SetTabStop(true);
  SetParentColor(false);
}

void TCustomEdit::SetAlignment(TAlignment value) {
  if (alignment_ == value) return;
  alignment_ = value;
  RecreateWnd();
}

void TCustomEdit::SetBorderStyle(TBorderStyle value) {
  if (value != bsSingle) value = bsNone;
  if (borderStyle_ == value) return;
  borderStyle_ = value;
  RecreateWnd();
}

void TCustomEdit::SetReadOnly(bool value) {
  if (readOnly_ == value) return;
  readOnly_ = value;
  if (HandleAllocated()) Perform(EM_SETREADONLY, value);
}

void TCustomEdit::SetMaxLength(int value) {
  value = std::max(value, 0);
  if (maxLength_ == value) return;
  maxLength_ = value;
  if (HandleAllocated()) Perform(EM_LIMITTEXT, static_cast<WPARAM>(value));
}

void TCustomEdit::CreateParams(TCreateParams& params) {
  TWinControl::CreateParams(params);
  CreateSubClass(params, L"EDIT");
  params.Style |= ES_AUTOHSCROLL;
  if (alignment_ == taCenter) params.Style |= ES_CENTER;
  else if (alignment_ == taRightJustify) params.Style |= ES_RIGHT;
  if (readOnly_) params.Style |= ES_READONLY;
  if (borderStyle_ == bsSingle) params.ExStyle |= WS_EX_CLIENTEDGE;
}

void TCustomEdit::CreateWnd() {
  TWinControl::CreateWnd();
  Perform(EM_LIMITTEXT, static_cast<WPARAM>(maxLength_));
  const int start = selStart_;
  const int length = selLength_;
  SetSelStart(start);
  SetSelLength(length);
}

void TCustomEdit::DestroyWnd() {
  selStart_ = SelStart();
  selLength_ = SelLength();
  TWinControl::DestroyWnd();
}

void TCustomEdit::Dispatch(TMessage& message) {
  if (message.Msg == CN_COMMAND) {
    TWMCommand command(message);
    CNCommand(command);
    return;
  }
  TWinControl::Dispatch(message);
}

void TCustomEdit::CNCommand(TWMCommand& message) {
  if (message.NotifyCode() == EN_CHANGE) Change();
}

void TCustomEdit::Change() { OnChange(this); }

void TCustomEdit::DoEnter() {
  if (autoSelect_) SelectAll();
  TWinControl::DoEnter();
}

// ---- Selection ----

int TCustomEdit::SelStart() {
  if (!HandleAllocated()) return selStart_;
  DWORD start = 0;
  Perform(EM_GETSEL, reinterpret_cast<WPARAM>(&start), 0);
  return WideToByteOffset(CP932ToWide(Text()), start);
}

int TCustomEdit::SelLength() {
  if (!HandleAllocated()) return selLength_;
  DWORD start = 0, end = 0;
  Perform(EM_GETSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
  const WideString text = CP932ToWide(Text());
  return WideToByteOffset(text, end) - WideToByteOffset(text, start);
}

void TCustomEdit::SetSelStart(int value) {
  selStart_ = std::max(value, 0);
  selLength_ = 0;
  if (!HandleAllocated()) return;
  const DWORD at = ByteToWideOffset(Text(), selStart_);
  Perform(EM_SETSEL, at, static_cast<LPARAM>(at));
}

void TCustomEdit::SetSelLength(int value) {
  selLength_ = std::max(value, 0);
  if (!HandleAllocated()) return;
  const String text = Text();
  const int start = SelStart();
  Perform(EM_SETSEL, ByteToWideOffset(text, start), static_cast<LPARAM>(ByteToWideOffset(text, start + selLength_)));
}

String TCustomEdit::SelText() {
  const String text = Text();
  const int start = std::min<int>(SelStart(), static_cast<int>(text.size()));
  return text.substr(static_cast<std::size_t>(start), static_cast<std::size_t>(SelLength()));
}

void TCustomEdit::SetSelText(const String& value) {
  if (HandleAllocated()) {
    const WideString wide = CP932ToWide(value);
    Perform(EM_REPLACESEL, TRUE, reinterpret_cast<LPARAM>(wide.c_str()));
    return;
  }
  String text = Text();
  const std::size_t start = std::min<std::size_t>(static_cast<std::size_t>(selStart_), text.size());
  text.replace(start, static_cast<std::size_t>(selLength_), value);
  SetText(text);
  selStart_ = static_cast<int>(start + value.size());
  selLength_ = 0;
}

void TCustomEdit::SelectAll() {
  if (HandleAllocated()) Perform(EM_SETSEL, 0, -1);
  selStart_ = 0;
  selLength_ = static_cast<int>(Text().size());
}
