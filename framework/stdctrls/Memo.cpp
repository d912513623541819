// TCustomMemo and its lines.
#include "framework/stdctrls/Memo.h"

#include "framework/core/ScopeGuard.h"
#include "framework/stdctrls/PublishGroups.h"

// ---------------------------------------------------------------------------------------------
// TMemoStrings

namespace {

std::vector<String> SplitLines(const String& text) {
  std::vector<String> lines;
  std::size_t start = 0;
  while (start < text.size()) {
    const std::size_t end = text.find_first_of("\r\n", start);
    if (end == String::npos) {
      lines.push_back(text.substr(start));
      break;
    }
    lines.push_back(text.substr(start, end - start));
    start = end + ((text[end] == '\r' && end + 1 < text.size() && text[end + 1] == '\n') ? 2 : 1);
  }
  return lines;
}

}  // namespace

const std::vector<String>& TMemoStrings::Lines() const {
  if (pending_) return *pending_;
  if (!split_) {
    // Reading the text sends the memo messages, which forget the lines: split after reading.
    const String text = memo_.Text();
    split_ = SplitLines(text);
  }
  return *split_;
}

template <class Edit>
void TMemoStrings::Change(Edit edit) {
  if (pending_) {
    edit(*pending_);
    return;
  }
  std::vector<String> lines = Lines();
  edit(lines);
  Store(lines);
}

void TMemoStrings::Store(const std::vector<String>& lines) {
  String text;
  std::size_t length = 0;
  for (const String& line : lines) length += line.size() + 2;
  text.reserve(length);
  for (std::size_t i = 0; i < lines.size(); ++i) {
    if (i > 0) text += "\r\n";
    text += lines[i];
  }
  if (!lines.empty() && lines.back().empty()) text += "\r\n";
  memo_.SetText(text);
}

void TMemoStrings::SetUpdateState(bool updating) {
  if (updating) {
    pending_ = Lines();
    return;
  }
  const std::vector<String> lines = std::move(*pending_);
  pending_.reset();
  Store(lines);
}

void TMemoStrings::CheckIndex(int index, int limit) const {
  if (index < 0 || index > limit) Error(messages::ListIndexError, index);
}

int TMemoStrings::Count() const { return static_cast<int>(Lines().size()); }

String TMemoStrings::Get(int index) const {
  const std::vector<String>& lines = Lines();
  CheckIndex(index, static_cast<int>(lines.size()) - 1);
  return lines[static_cast<std::size_t>(index)];
}

void TMemoStrings::Put(int index, const String& text) {
  CheckIndex(index, Count() - 1);
  Change([&](std::vector<String>& lines) { lines[static_cast<std::size_t>(index)] = text; });
}

void TMemoStrings::Insert(int index, const String& text) {
  CheckIndex(index, Count());
  Change([&](std::vector<String>& lines) { lines.insert(lines.begin() + index, text); });
}

void TMemoStrings::Delete(int index) {
  CheckIndex(index, Count() - 1);
  Change([&](std::vector<String>& lines) { lines.erase(lines.begin() + index); });
}

void TMemoStrings::Clear() {
  if (pending_) pending_->clear();
  else Store({});
}

TPersistent* TMemoStrings::GetOwner() { return &memo_; }

// ---------------------------------------------------------------------------------------------
// TCustomMemo

void TMemo::Publish(TPublisher<TMemo>& p) {
  publish_groups::Placement(p);
  p.Prop("Alignment", &TMemo::Alignment, &TMemo::SetAlignment).Default(taLeftJustify);
  publish_groups::BiDi(p);
  p.Prop("BorderStyle", &TMemo::BorderStyle, &TMemo::SetBorderStyle).Type(BorderStyleTypeInfo()).Default(bsSingle);
  publish_groups::Color(p, clWindow, false);
  publish_groups::Font(p);
  p.Prop("Lines", &TMemo::Lines, &TMemo::SetLines);
  p.Prop("MaxLength", &TMemo::MaxLength, &TMemo::SetMaxLength).Default(0);
  publish_groups::Hints(p);
  p.Prop("ReadOnly", &TMemo::ReadOnly, &TMemo::SetReadOnly).Default(false);
  p.Prop("ScrollBars", &TMemo::ScrollBars, &TMemo::SetScrollBars).Default(ssNone);
  publish_groups::State(p);
  publish_groups::Focus(p, true);
  p.Prop("WantReturns", &TMemo::WantReturns, &TMemo::SetWantReturns).Default(true);
  p.Prop("WantTabs", &TMemo::WantTabs, &TMemo::SetWantTabs).Default(false);
  p.Prop("WordWrap", &TMemo::WordWrap, &TMemo::SetWordWrap).Default(true);
  p.Prop("OnChange", &TMemo::OnChange);
  publish_groups::MouseEvents(p);
  publish_groups::KeyEvents(p);
}

TCustomMemo::TCustomMemo(TComponent* owner)
    : TCustomEdit(owner), lines_(std::make_unique<TMemoStrings>(*this)) {
  SetBounds(0, 0, 185, 89);
  SetAutoSelect(false);
}

void TCustomMemo::SetScrollBars(TScrollStyle value) {
  if (scrollBars_ == value) return;
  scrollBars_ = value;
  RecreateWnd();
}

void TCustomMemo::SetWordWrap(bool value) {
  if (wordWrap_ == value) return;
  wordWrap_ = value;
  RecreateWnd();
}

void TCustomMemo::CreateParams(TCreateParams& params) {
  TCustomEdit::CreateParams(params);
  params.Style |= ES_MULTILINE | ES_AUTOVSCROLL;
  if (wordWrap_) params.Style &= ~static_cast<DWORD>(ES_AUTOHSCROLL);
  if (ScrollsHorizontally(scrollBars_)) params.Style |= WS_HSCROLL;
  if (ScrollsVertically(scrollBars_)) params.Style |= WS_VSCROLL;
}

void TCustomMemo::Dispatch(TMessage& message) {
  lines_->ForgetLines();
  const TScopeGuard forget([this] { lines_->ForgetLines(); });
  if (message.Msg == CM_WANTSPECIALKEY) {
    message.Result = (message.WParam == VK_TAB && wantTabs_) || (message.WParam == VK_RETURN && wantReturns_);
    return;
  }
  TCustomEdit::Dispatch(message);
}

void TCustomMemo::KeyPress(char& key) {
  TCustomEdit::KeyPress(key);
  if ((key == '\r' && !wantReturns_) || (key == '\t' && !wantTabs_)) key = 0;
}
