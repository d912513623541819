// Menu items, popup menus and menu bars, building the system menus and routing their commands.
//
// Sections: command numbers · TMenuItem · building and tracking · TPopupMenu · TMainMenu.
#include "framework/stdctrls/Menus.h"

#include <algorithm>
#include <unordered_map>

#include "framework/windows/UtilityWindow.h"

// ---------------------------------------------------------------------------------------------
// Command numbers: WM_COMMAND carries 16 bits, so numbers are handed out and taken back.

namespace {

std::unordered_map<UINT, TMenuItem*>& Commands() {
  static std::unordered_map<UINT, TMenuItem*> commands;
  return commands;
}

UINT AllocateCommand(TMenuItem* item) {
  static UINT next = 0;
  auto& commands = Commands();
  if (commands.size() >= 0xFFFF) throw EMenuError("Too many menu items");
  do next = next % 0xFFFF + 1;  // 1..65535
  while (commands.count(next) != 0);
  commands[next] = item;
  return next;
}

}  // namespace

TMenuItem* TMenuItem::FindCommand(UINT command) {
  const auto& commands = Commands();
  const auto found = commands.find(command);
  return found == commands.end() ? nullptr : found->second;
}

// ---------------------------------------------------------------------------------------------
// TMenuItem

void TMenuItem::Publish(TPublisher<TMenuItem>& p) {
  p.Prop("Caption", &TMenuItem::Caption, &TMenuItem::SetCaption);
  p.Prop("Checked", &TMenuItem::Checked, &TMenuItem::SetChecked).Default(false);
  p.Prop("Enabled", &TMenuItem::Enabled, &TMenuItem::SetEnabled).Default(true);
  p.Prop("GroupIndex", &TMenuItem::GroupIndex, &TMenuItem::SetGroupIndex).Default(0);
  p.Prop("Hint", &TMenuItem::Hint, &TMenuItem::SetHint);
  p.Prop("RadioItem", &TMenuItem::RadioItem, &TMenuItem::SetRadioItem).Default(false);
  p.Prop("Visible", &TMenuItem::Visible, &TMenuItem::SetVisible).Default(true);
  p.Prop("OnClick", &TMenuItem::OnClick);
}

TMenuItem::TMenuItem(TComponent* owner) : TComponent(owner), command_(AllocateCommand(this)) {}

TMenuItem::~TMenuItem() {
  BeforeDestruction();
  Commands().erase(command_);
  while (!items_.empty()) delete items_.back();  // each leaves this item on its way out
  if (parent_) parent_->Remove(this);
}

TMenuItem* TMenuItem::Items(int index) const {
  if (index < 0 || index >= Count()) throw EListError(Format(messages::ListIndexError, index));
  return items_[static_cast<std::size_t>(index)];
}

int TMenuItem::IndexOf(const TMenuItem* item) const {
  const auto found = std::find(items_.begin(), items_.end(), item);
  return found == items_.end() ? -1 : static_cast<int>(found - items_.begin());
}

void TMenuItem::Insert(int index, TMenuItem* item) {
  if (!item) return;
  for (const TMenuItem* p = this; p; p = p->parent_)
    if (p == item) throw EMenuError("A menu item cannot be inserted into itself");
  // Positions count without the item when it moves within this menu.
  const int last = Count() - (item->parent_ == this ? 1 : 0);
  if (index < 0 || index > last) throw EListError(Format(messages::ListIndexError, index));
  if (item->parent_) item->parent_->Remove(item);
  items_.insert(items_.begin() + index, item);
  item->parent_ = this;
}

void TMenuItem::Delete(int index) {
  TMenuItem* item = Items(index);
  items_.erase(items_.begin() + index);
  item->parent_ = nullptr;
}

void TMenuItem::Remove(TMenuItem* item) {
  const int index = IndexOf(item);
  if (index >= 0) Delete(index);
}

void TMenuItem::Clear() {
  while (!items_.empty()) delete items_.back();
}

TComponent* TMenuItem::GetParentMenu() const {
  const TMenuItem* top = this;
  while (top->parent_) top = top->parent_;
  return top->menu_;
}

void TMenuItem::SetChecked(bool value) {
  checked_ = value;
  if (!value || !radioItem_ || !parent_) return;
  for (TMenuItem* sibling : parent_->items_)
    if (sibling != this && sibling->radioItem_ && sibling->groupIndex_ == groupIndex_) sibling->checked_ = false;
}

void TMenuItem::Click() {
  if (enabled_) OnClick(this);
}

TComponent* TMenuItem::GetParentComponent() const {
  if (parent_ && parent_->menu_) return parent_->menu_;
  return parent_;
}

void TMenuItem::SetParentComponent(TComponent* parent) {
  if (auto* menu = dynamic_cast<TPopupMenu*>(parent)) menu->Items()->Add(this);
  else if (auto* bar = dynamic_cast<TMainMenu*>(parent)) bar->Items()->Add(this);
  else if (auto* item = dynamic_cast<TMenuItem*>(parent)) item->Add(this);
}

void TMenuItem::GetChildren(const std::function<void(TComponent*)>& proc, TComponent* root) {
  for (TMenuItem* item : items_)
    if (item->Owner() == root) proc(item);
}

// ---------------------------------------------------------------------------------------------
// Building the system menu and tracking it

namespace {

class TMenuHandle {
 public:
  explicit TMenuHandle(HMENU menu = CreatePopupMenu()) : menu_(menu) {
    if (!menu_) throw EOutOfResources("Cannot create a menu");
  }
  ~TMenuHandle() {
    if (menu_) DestroyMenu(menu_);
  }
  TMenuHandle(const TMenuHandle&) = delete;
  TMenuHandle& operator=(const TMenuHandle&) = delete;

  HMENU Get() const { return menu_; }
  // The menu now belongs to the menu it was inserted into.
  HMENU Release() { return std::exchange(menu_, nullptr); }

 private:
  HMENU menu_;
};

void AppendItems(HMENU menu, const TMenuItem& parent) {
  UINT position = 0;
  for (int i = 0; i < parent.Count(); ++i) {
    const TMenuItem& item = *parent.Items(i);
    if (!item.Visible()) continue;
    MENUITEMINFOW info{};
    info.cbSize = sizeof(info);
    if (item.IsLine()) {
      info.fMask = MIIM_FTYPE;
      info.fType = MFT_SEPARATOR;
      InsertMenuItemW(menu, position++, TRUE, &info);
      continue;
    }
    WideString text = CP932ToWide(item.Caption());
    TMenuHandle submenu;
    info.fMask = MIIM_FTYPE | MIIM_STATE | MIIM_ID | MIIM_STRING;
    info.fType = MFT_STRING | (item.RadioItem() ? MFT_RADIOCHECK : 0);
    info.fState = (item.Checked() ? MFS_CHECKED : 0) | (item.Enabled() ? 0 : MFS_GRAYED);
    info.wID = item.Command();
    info.dwTypeData = text.data();
    if (item.Count() > 0) {
      AppendItems(submenu.Get(), item);
      info.fMask |= MIIM_SUBMENU;
      info.hSubMenu = submenu.Get();
    }
    if (!InsertMenuItemW(menu, position++, TRUE, &info)) throw EOutOfResources("Cannot build the menu");
    if (item.Count() > 0) submenu.Release();
  }
}

// Receives the chosen command, posted once the menu has closed.
HWND CommandWindow() {
  static TUtilityWindow window([](TMessage& message) {
    if (message.Msg != WM_COMMAND) return false;
    if (TMenuItem* item = TMenuItem::FindCommand(LOWORD(message.WParam))) item->Click();
    return true;
  });
  return window.Handle();
}

class TSystemMenuTracker final : public TMenuTracker {
 public:
  UINT Track(HMENU menu, int x, int y, HWND owner) override {
    // The menu closes on a click elsewhere only while its owner is the foreground window.
    SetForegroundWindow(owner);
    const UINT flags = TPM_LEFTALIGN | TPM_TOPALIGN | TPM_RIGHTBUTTON | TPM_RETURNCMD | TPM_NONOTIFY;
    const BOOL command = TrackPopupMenu(menu, flags, x, y, 0, owner, nullptr);
    PostMessageW(owner, WM_NULL, 0, 0);
    return static_cast<UINT>(command);
  }
};

TMenuTracker*& InstalledTracker() {
  static TMenuTracker* tracker = nullptr;
  return tracker;
}

}  // namespace

TMenuTracker& MenuTracker() {
  static TSystemMenuTracker real;
  TMenuTracker* installed = InstalledTracker();
  return installed ? *installed : real;
}

TMenuTracker* SetMenuTracker(TMenuTracker* tracker) { return std::exchange(InstalledTracker(), tracker); }

// ---------------------------------------------------------------------------------------------
// TPopupMenu

void TPopupMenu::Publish(TPublisher<TPopupMenu>& p) {
  p.Prop("AutoPopup", &TPopupMenu::AutoPopup, &TPopupMenu::SetAutoPopup).Default(true);
  p.Prop("OnPopup", &TPopupMenu::OnPopup);
}

TPopupMenu::TPopupMenu(TComponent* owner) : TCustomPopupMenu(owner), items_(std::make_unique<TMenuItem>(nullptr)) {
  items_->menu_ = this;
}

TPopupMenu::~TPopupMenu() { BeforeDestruction(); }

void TPopupMenu::DoPopup() { OnPopup(this); }

void TPopupMenu::Popup(int x, int y) {
  DoPopup();
  TMenuHandle menu;
  AppendItems(menu.Get(), *items_);
  // Owned by the active window, so the menu does not take the activation away from it.
  HWND owner = GetActiveWindow();
  if (!owner) owner = CommandWindow();
  const UINT command = MenuTracker().Track(menu.Get(), x, y, owner);
  if (command != 0) PostMessageW(CommandWindow(), WM_COMMAND, MAKEWPARAM(command, 0), 0);
}

void TPopupMenu::GetChildren(const std::function<void(TComponent*)>& proc, TComponent* root) {
  items_->GetChildren(proc, root);
}

// ---------------------------------------------------------------------------------------------
// TMainMenu

TMainMenu::TMainMenu(TComponent* owner) : TCustomMainMenu(owner), items_(std::make_unique<TMenuItem>(nullptr)) {
  items_->menu_ = this;
}

TMainMenu::~TMainMenu() { BeforeDestruction(); }

HMENU TMainMenu::CreateMenuBar() {
  TMenuHandle bar(CreateMenu());
  AppendItems(bar.Get(), *items_);
  return bar.Release();
}

bool TMainMenu::DispatchCommand(UINT command) {
  TMenuItem* item = TMenuItem::FindCommand(command);
  if (!item || item->GetParentMenu() != this) return false;
  item->Click();
  return true;
}

void TMainMenu::UpdatePopup(HMENU popup) {
  const int count = GetMenuItemCount(popup);
  for (int position = 0; position < count; ++position) {
    MENUITEMINFOW info{};
    info.cbSize = sizeof(info);
    info.fMask = MIIM_ID;
    if (!GetMenuItemInfoW(popup, static_cast<UINT>(position), TRUE, &info)) continue;
    const TMenuItem* item = TMenuItem::FindCommand(info.wID);
    if (!item || item->GetParentMenu() != this) continue;
    info.fMask = MIIM_STATE;
    info.fState = (item->Checked() ? MFS_CHECKED : 0) | (item->Enabled() ? 0 : MFS_GRAYED);
    SetMenuItemInfoW(popup, static_cast<UINT>(position), TRUE, &info);
  }
}

void TMainMenu::GetChildren(const std::function<void(TComponent*)>& proc, TComponent* root) {
  items_->GetChildren(proc, root);
}
