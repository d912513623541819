/// @file
/// Menus: TMenuItem (a tree of items with captions, "&" accelerators and "-" separators),
/// TPopupMenu (shows its items at a screen point and routes the chosen command back to the item's
/// OnClick), TMainMenu (a form's menu bar), and the tracker service that runs a popup menu, which
/// tests replace to choose an item.
#pragma once

#include <windows.h>

#include <memory>
#include <vector>

#include "framework/core/Component.h"
#include "framework/windows/Control.h"
#include "framework/windows/Forms.h"
#include "framework/windows/Services.h"

class TPopupMenu;

/// Raised for an item that would contain itself, or when the program runs out of command numbers.
class EMenuError : public Exception {
 public:
  /// Made with its message.
  using Exception::Exception;
};

// ---------------------------------------------------------------------------------------------
// TMenuItem

/// One entry of a menu: a command, a separator line ("-") or, with items of its own, a submenu.
/// Items form a tree of their own beside the component tree: the owner (usually the form) owns an
/// item as a component, and its parent item destroys it too: whichever goes first, the item leaves
/// the other. Changes show the next time a popup menu opens; a menu bar rebuilds when its form's
/// MenuChanged is called (checks and enabled states are read as each drop-down opens).
class TMenuItem : public TComponent {
  TAVELKO_CLASS(TMenuItem, TComponent)
  static void Publish(TPublisher<TMenuItem>& p);

 public:
  /// The item belongs to `owner`, as any component; it takes a command number of its own
  /// (EMenuError when all 65535 are taken).
  explicit TMenuItem(TComponent* owner);
  /// Destroys the sub-items and leaves the parent item.
  ~TMenuItem() override;

  // ---- Sub-items (not owned as components: the owner owns them; a parent item destroys them) ----
  /// The number of sub-items, hidden ones and separators included.
  int Count() const { return static_cast<int>(items_.size()); }
  TMenuItem* Items(int index) const;  ///< EListError when out of bounds
  TMenuItem* operator[](int index) const { return Items(index); }  ///< The same as Items.
  /// The position of `item` among the sub-items; -1 when it is not one of them.
  int IndexOf(const TMenuItem* item) const;
  /// Adds `item` at the end, or inserts it before position `index` (0 to Count, counted without
  /// `item` when it is a sub-item already). An item already in a menu moves here; null does
  /// nothing. EMenuError for an item that would contain itself, EListError for an index out of
  /// bounds; either leaves every menu as it was.
  ///@{
  void Add(TMenuItem* item) { Insert(Count(), item); }
  void Insert(int index, TMenuItem* item);
  ///@}
  /// Takes the item at `index` (EListError when out of bounds), or `item` (nothing when it is not a
  /// sub-item), out of this menu without destroying it.
  ///@{
  void Delete(int index);
  void Remove(TMenuItem* item);
  ///@}
  /// Destroys every sub-item.
  void Clear();
  /// The item whose sub-item this is; null for a menu's top item and an item in no menu.
  TMenuItem* Parent() const { return parent_; }
  /// The popup or main menu this item is part of; null when it is in none.
  TComponent* GetParentMenu() const;

  // ---- Properties ----
  /// The text shown; "&" marks the accelerator character ("&&" shows one "&").
  ///@{
  const String& Caption() const { return caption_; }
  void SetCaption(const String& value) { caption_ = value; }
  ///@}
  /// A caption of "-" makes the item a separator line.
  bool IsLine() const { return caption_ == "-"; }
  /// Whether the item shows a check mark (a dot for a radio item). Checking a radio item unchecks
  /// the radio items of its group among its siblings.
  ///@{
  bool Checked() const { return checked_; }
  void SetChecked(bool value);
  ///@}
  /// A disabled item is shown grey and cannot be chosen; Click does nothing.
  ///@{
  bool Enabled() const { return enabled_; }
  void SetEnabled(bool value) { enabled_ = value; }
  ///@}
  /// A hidden item is left out of the menu when it is built, with its sub-items.
  ///@{
  bool Visible() const { return visible_; }
  void SetVisible(bool value) { visible_ = value; }
  ///@}
  /// A radio item is checked with a dot and unchecks its group when checked (see Checked).
  ///@{
  bool RadioItem() const { return radioItem_; }
  void SetRadioItem(bool value) { radioItem_ = value; }
  ///@}
  /// The radio group among the siblings that this item belongs to.
  ///@{
  int GroupIndex() const { return groupIndex_; }
  void SetGroupIndex(int value) { groupIndex_ = value; }
  ///@}
  /// Text kept for the program to show (e.g. in a status bar); the menu itself does not show it.
  ///@{
  const String& Hint() const { return hint_; }
  void SetHint(const String& value) { hint_ = value; }
  ///@}

  /// The command number the item has in a shown menu (unique in the program).
  UINT Command() const { return command_; }
  /// The item whose command number this is; null when there is none (any more).
  static TMenuItem* FindCommand(UINT command);

  /// Raises OnClick when the item is enabled.
  virtual void Click();
  /// The item was chosen (or Click called), with the item as sender.
  TNotifyEvent OnClick;

  // ---- Streaming: items are children of their parent item, top-level ones of the menu ----
  /// Streaming: an item is written under its parent item, or under its menu when it is a top-level
  /// one, and a reader puts it back there (a parent of another class is ignored); only the
  /// sub-items owned by the root being written are stored.
  ///@{
  bool HasParent() const override { return true; }
  TComponent* GetParentComponent() const override;
  void SetParentComponent(TComponent* parent) override;
  void GetChildren(const std::function<void(TComponent*)>& proc, TComponent* root) override;
  ///@}

 private:
  friend class TPopupMenu;
  friend class TMainMenu;

  std::vector<TMenuItem*> items_;
  TMenuItem* parent_ = nullptr;
  TComponent* menu_ = nullptr;  ///< set on a menu's top item only
  UINT command_;
  String caption_;
  bool checked_ = false;
  bool enabled_ = true;
  bool visible_ = true;
  bool radioItem_ = false;
  int groupIndex_ = 0;
  String hint_;
};

// ---------------------------------------------------------------------------------------------
// TPopupMenu

/// A menu shown at a point, e.g. for a control's right click (the control's PopupMenu). The system
/// menu is built afresh from the items each time it is shown.
class TPopupMenu : public TCustomPopupMenu {
  TAVELKO_CLASS(TPopupMenu, TCustomPopupMenu)
  static void Publish(TPublisher<TPopupMenu>& p);

 public:
  /// The menu belongs to `owner`, as any component; it owns its top item.
  explicit TPopupMenu(TComponent* owner);
  ~TPopupMenu() override;  ///< Destroys the top item and with it every item of the menu.

  /// The top item, owned by the menu; its sub-items are the menu's items.
  TMenuItem* Items() const { return items_.get(); }
  /// Stored; a right click shows the menu whatever its value.
  ///@{
  bool AutoPopup() const { return autoPopup_; }
  void SetAutoPopup(bool value) { autoPopup_ = value; }
  ///@}

  /// Raises OnPopup, then shows the visible items with the top-left corner at the screen point.
  /// The chosen item's OnClick follows as a posted command, once the menu has closed.
  void Popup(int x, int y) override;
  /// The menu is about to be shown: the handler may still change the items.
  TNotifyEvent OnPopup;

  /// The top-level items owned by `root`, for the stream writer.
  void GetChildren(const std::function<void(TComponent*)>& proc, TComponent* root) override;

 protected:
  /// Raises OnPopup.
  virtual void DoPopup();

 private:
  std::unique_ptr<TMenuItem> items_;
  bool autoPopup_ = true;
};

// ---------------------------------------------------------------------------------------------
// TMainMenu: a form's menu bar (the form's Menu). Top-level items are the bar's entries, their
// items the drop-down menus.

/// A form's menu bar: set it as the form's Menu.
class TMainMenu : public TCustomMainMenu {
  TAVELKO_CLASS(TMainMenu, TCustomMainMenu)

 public:
  /// The menu belongs to `owner`, as any component; it owns its top item.
  explicit TMainMenu(TComponent* owner);
  ~TMainMenu() override;  ///< Destroys the top item and with it every item of the menu.

  /// The top item, owned by the menu; its sub-items are the bar's entries.
  TMenuItem* Items() const { return items_.get(); }

  HMENU CreateMenuBar() override;
  bool DispatchCommand(UINT command) override;
  void UpdatePopup(HMENU popup) override;

  /// The top-level items owned by `root`, for the stream writer.
  void GetChildren(const std::function<void(TComponent*)>& proc, TComponent* root) override;

 private:
  std::unique_ptr<TMenuItem> items_;
};

// ---------------------------------------------------------------------------------------------
// The tracker service

/// Runs a popup menu: the system's TrackPopupMenu, or a test's stand-in that chooses an item.
class TMenuTracker {
 public:
  virtual ~TMenuTracker() = default;
  /// Shows `menu` at the screen point and waits for a choice: the command chosen, 0 for none.
  virtual UINT Track(HMENU menu, int x, int y, HWND owner) = 0;
};

/// The installed tracker: TrackPopupMenu unless a test set another. Setting null puts the real one
/// back; returns the previous one. Not owned.
///@{
TMenuTracker& MenuTracker();
TMenuTracker* SetMenuTracker(TMenuTracker* tracker);
///@}
/// Installs a menu tracker for the length of a scope (a test double, usually).
using TMenuTrackerScope = TServiceScope<TMenuTracker, SetMenuTracker>;
