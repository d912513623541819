// TCustomComboBox: the subclassed COMBOBOX window, its items, choice, focus and notifications.
#include "framework/stdctrls/ComboBox.h"

#include <algorithm>

#include "framework/graphics/GdiHandles.h"
#include "framework/stdctrls/PublishGroups.h"
#include "framework/windows/Forms.h"

const TTypeInfo& TypeInfoOf(TypeTag<TComboBoxStyle>) {
  static const TTypeInfo info = MakeEnumType("TComboBoxStyle", {"csDropDown", "csSimple", "csDropDownList"});
  return info;
}

namespace {

// The height of a line of text in `font`, for sizing the drop-down list before it exists.
int LineHeight(TFont* font) {
  gdi::MemoryDC dc(nullptr);
  gdi::Selection selected(dc.Get(), font->Handle());
  TEXTMETRICW metrics{};
  GetTextMetricsW(dc.Get(), &metrics);
  return metrics.tmHeight;
}

}  // namespace

// ---------------------------------------------------------------------------------------------
// TComboBoxStrings

TComboBoxStrings::TComboBoxStrings(TCustomComboBox& combo) : combo_(combo) { list_.SetDuplicates(dupAccept); }

bool TComboBoxStrings::HasWindow() const { return combo_.HandleAllocated(); }

void TComboBoxStrings::InsertIntoWindow(int index, const String& text) {
  if (!HasWindow()) return;
  const WideString wide = CP932ToWide(text);
  combo_.Perform(CB_INSERTSTRING, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(wide.c_str()));
}

int TComboBoxStrings::Add(const String& text) {
  const int index = list_.Add(text);
  InsertIntoWindow(index, text);
  return index;
}

void TComboBoxStrings::Insert(int index, const String& text) {
  list_.Insert(index, text);
  InsertIntoWindow(index, text);
}

void TComboBoxStrings::Put(int index, const String& text) {
  const bool chosen = HasWindow() && combo_.ItemIndex() == index;
  list_.Put(index, text);
  if (!HasWindow()) return;
  combo_.Perform(CB_DELETESTRING, static_cast<WPARAM>(index));
  InsertIntoWindow(index, text);
  if (chosen) combo_.SetItemIndex(index);
}

void TComboBoxStrings::Delete(int index) {
  list_.Delete(index);
  if (HasWindow()) combo_.Perform(CB_DELETESTRING, static_cast<WPARAM>(index));
}

void TComboBoxStrings::Clear() {
  list_.Clear();
  if (HasWindow()) combo_.Perform(CB_RESETCONTENT);
}

TPersistent* TComboBoxStrings::GetOwner() { return &combo_; }

void TComboBoxStrings::SetSorted(bool value) {
  if (list_.Sorted() == value) return;
  list_.SetSorted(value);
  if (!HasWindow()) return;
  combo_.Perform(CB_RESETCONTENT);
  FillWindow();
}

void TComboBoxStrings::FillWindow() {
  for (int i = 0; i < list_.Count(); ++i) InsertIntoWindow(i, list_.Get(i));
}

// ---------------------------------------------------------------------------------------------
// TCustomComboBox

void TComboBox::Publish(TPublisher<TComboBox>& p) {
  p.Prop("Style", &TComboBox::Style, &TComboBox::SetStyle).Default(csDropDown);
  publish_groups::Placement(p);
  publish_groups::BiDi(p);
  publish_groups::Color(p, clWindow, false);
  p.Prop("DropDownCount", &TComboBox::DropDownCount, &TComboBox::SetDropDownCount).Default(8);
  publish_groups::Font(p);
  p.Prop("MaxLength", &TComboBox::MaxLength, &TComboBox::SetMaxLength).Default(0);
  publish_groups::Hints(p);
  p.Prop("Sorted", &TComboBox::Sorted, &TComboBox::SetSorted).Default(false);
  publish_groups::State(p);
  publish_groups::Focus(p, true);
  p.Prop("Items", &TComboBox::Items, &TComboBox::SetItems);
  p.Prop("ItemIndex", &TComboBox::ItemIndex, &TComboBox::SetItemIndex).Default(-1);
  p.Prop("Text", &TComboBox::Text, &TComboBox::SetText);
  p.Prop("OnChange", &TComboBox::OnChange);
  p.Prop("OnClick", &TComboBox::OnClick);
  p.Prop("OnDblClick", &TComboBox::OnDblClick);
  p.Prop("OnDropDown", &TComboBox::OnDropDown);
  publish_groups::KeyEvents(p);
}

TCustomComboBox::TCustomComboBox(TComponent* owner)
    : TWinControl(owner), items_(std::make_unique<TComboBoxStrings>(*this)) {
  SetControlStyle({csSetCaption, csDoubleClicks});
  SetBounds(0, 0, 145, 24);
  SetTabStop(true);
  SetParentColor(false);
}

int TCustomComboBox::ItemIndex() {
  if (!HandleAllocated()) return itemIndex_;
  return static_cast<int>(Perform(CB_GETCURSEL));
}

void TCustomComboBox::SetItemIndex(int value) {
  if (value < -1 || value >= items_->Count()) value = -1;
  itemIndex_ = value;
  if (HandleAllocated()) Perform(CB_SETCURSEL, static_cast<WPARAM>(value));
}

void TCustomComboBox::SetStyle(TComboBoxStyle value) {
  if (style_ == value) return;
  style_ = value;
  RecreateWnd();
}

void TCustomComboBox::SetDropDownCount(int value) {
  value = std::max(value, 1);
  if (dropDownCount_ == value) return;
  dropDownCount_ = value;
  if (HandleAllocated()) SetWindowPos(Handle(), nullptr, 0, 0, Width(), WindowHeight(Height()),
                                      SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void TCustomComboBox::SetMaxLength(int value) {
  value = std::max(value, 0);
  if (maxLength_ == value) return;
  maxLength_ = value;
  if (HandleAllocated()) Perform(CB_LIMITTEXT, static_cast<WPARAM>(value));
}

bool TCustomComboBox::DroppedDown() { return HandleAllocated() && Perform(CB_GETDROPPEDSTATE) != 0; }

void TCustomComboBox::SetDroppedDown(bool value) { Perform(CB_SHOWDROPDOWN, value); }

int TCustomComboBox::WindowHeight(int height) { return height + dropDownCount_ * LineHeight(Font()) + 2; }

void TCustomComboBox::SetBounds(int left, int top, int width, int height) {
  if (!HandleAllocated()) {
    TWinControl::SetBounds(left, top, width, height);
    return;
  }
  // The window's height covers the dropped-down list; the box itself keeps the height the system
  // gives it, which WM_WINDOWPOSCHANGED brings back into the bounds.
  Constraints()->Apply(width, height);
  SetWindowPos(Handle(), nullptr, left, top, width, WindowHeight(height), SWP_NOZORDER | SWP_NOACTIVATE);
}

void TCustomComboBox::CreateParams(TCreateParams& params) {
  TWinControl::CreateParams(params);
  CreateSubClass(params, L"COMBOBOX");
  params.Style |= WS_VSCROLL | CBS_AUTOHSCROLL;
  switch (style_) {
    case csDropDown: params.Style |= CBS_DROPDOWN; break;
    case csSimple: params.Style |= CBS_SIMPLE; break;
    case csDropDownList: params.Style |= CBS_DROPDOWNLIST; break;
  }
  if (style_ != csSimple) params.Height = WindowHeight(params.Height);
}

void TCustomComboBox::CreateWnd() {
  const String text = Text();  // no window yet: the text kept by the control
  const int index = itemIndex_;
  TWinControl::CreateWnd();
  items_->FillWindow();
  Perform(CB_LIMITTEXT, static_cast<WPARAM>(maxLength_));
  SetItemIndex(index);
  if (style_ != csDropDownList && !text.empty() && index < 0) {
    const WideString wide = CP932ToWide(text);
    Perform(WM_SETTEXT, 0, reinterpret_cast<LPARAM>(wide.c_str()));
  }
  // Moving the window once brings the height the system chose back into the bounds.
  SetBounds(Left(), Top(), Width(), Height());
}

void TCustomComboBox::DestroyWnd() {
  itemIndex_ = ItemIndex();
  TWinControl::DestroyWnd();
}

String TCustomComboBox::ReadText() {
  if (style_ != csDropDownList) return TWinControl::ReadText();
  const int index = ItemIndex();
  return index >= 0 ? items_->Get(index) : String();
}

void TCustomComboBox::WriteText(const String& value) {
  if (style_ == csDropDownList) {
    if (ReadText() == value) return;
    SetItemIndex(items_->IndexOf(value));
    Perform(CM_TEXTCHANGED);
    return;
  }
  TWinControl::WriteText(value);
}

void TCustomComboBox::Dispatch(TMessage& message) {
  switch (message.Msg) {
    case CN_COMMAND: {
      TWMCommand command(message);
      CNCommand(command);
      return;
    }
    // The edit and the list inside the box ask the box itself for their colours.
    case WM_CTLCOLOREDIT:
    case WM_CTLCOLORLISTBOX:
      CNCtlColor(message);
      return;
    default: TWinControl::Dispatch(message);
  }
}

void TCustomComboBox::CNCommand(TWMCommand& message) {
  switch (message.NotifyCode()) {
    case CBN_SELCHANGE: {
      // The edit shows the chosen item only after this notification; OnChange must see it now.
      const int index = ItemIndex();
      if (style_ != csDropDownList && index >= 0) {
        const WideString wide = CP932ToWide(items_->Get(index));
        Perform(WM_SETTEXT, 0, reinterpret_cast<LPARAM>(wide.c_str()));
      }
      Click();
      Change();
      break;
    }
    case CBN_EDITCHANGE: Change(); break;
    case CBN_DROPDOWN: DropDown(); break;
    case CBN_SETFOCUS: {
      TCustomForm* form = GetParentForm(this);
      if (form) form->ControlFocused(this);
      DoEnter();
      break;
    }
    case CBN_KILLFOCUS: DoExit(); break;
  }
}

void TCustomComboBox::WMSetFocus(TMessage& message) { DefaultHandler(message); }

void TCustomComboBox::WMKillFocus(TMessage& message) { DefaultHandler(message); }

void TCustomComboBox::Change() { OnChange(this); }

void TCustomComboBox::DropDown() { OnDropDown(this); }
