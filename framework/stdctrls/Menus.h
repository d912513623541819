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

class EMenuError : public Exception {
 public:
  using Exception::Exception;
};

// ---------------------------------------------------------------------------------------------
// TMenuItem

class TMenuItem : public TComponent {
  TAVELKO_CLASS(TMenuItem, TComponent)
  static void Publish(TPublisher<TMenuItem>& p);

 public:
  explicit TMenuItem(TComponent* owner);
  /// Destroys the sub-items and leaves the parent item.
  ~TMenuItem() override;

  // ---- Sub-items (not owned as components: the owner owns them; a parent item destroys them) ----
  int Count() const { return static_cast<int>(items_.size()); }
  TMenuItem* Items(int index) const;  ///< EListError when out of bounds
  TMenuItem* operator[](int index) const { return Items(index); }
  int IndexOf(const TMenuItem* item) const;
  /// An item already in a menu moves here. EMenuError for an item that would contain itself.
  void Add(TMenuItem* item) { Insert(Count(), item); }
  void Insert(int index, TMenuItem* item);
  /// Takes the item out of this menu without destroying it.
  void Delete(int index);
  void Remove(TMenuItem* item);
  /// Destroys every sub-item.
  void Clear();
  TMenuItem* Parent() const { return parent_; }
  /// The popup or main menu this item is part of; null when it is in none.
  TComponent* GetParentMenu() const;

  // ---- Properties ----
  const String& Caption() const { return caption_; }
  void SetCaption(const String& value) { caption_ = value; }
  /// A caption of "-" makes the item a separator line.
  bool IsLine() const { return caption_ == "-"; }
  bool Checked() const { return checked_; }
  /// Checking a radio item unchecks the radio items of its group among its siblings.
  void SetChecked(bool value);
  bool Enabled() const { return enabled_; }
  void SetEnabled(bool value) { enabled_ = value; }
  bool Visible() const { return visible_; }
  void SetVisible(bool value) { visible_ = value; }
  bool RadioItem() const { return radioItem_; }
  void SetRadioItem(bool value) { radioItem_ = value; }
  int GroupIndex() const { return groupIndex_; }
  void SetGroupIndex(int value) { groupIndex_ = value; }
  const String& Hint() const { return hint_; }
  void SetHint(const String& value) { hint_ = value; }

  /// The command number the item has in a shown menu (unique in the program).
  UINT Command() const { return command_; }
  /// The item whose command number this is; null when there is none (any more).
  static TMenuItem* FindCommand(UINT command);

  /// Raises OnClick when the item is enabled.
  virtual void Click();
  TNotifyEvent OnClick;

  // ---- Streaming: items are children of their parent item, top-level ones of the menu ----
  bool HasParent() const override { return true; }
  TComponent* GetParentComponent() const override;
  void SetParentComponent(TComponent* parent) override;
  void GetChildren(const std::function<void(TComponent*)>& proc, TComponent* root) override;

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

class TPopupMenu : public TCustomPopupMenu {
  TAVELKO_CLASS(TPopupMenu, TCustomPopupMenu)
  static void Publish(TPublisher<TPopupMenu>& p);

 public:
  explicit TPopupMenu(TComponent* owner);
  ~TPopupMenu() override;

  /// The top item, owned by the menu; its sub-items are the menu's items.
  TMenuItem* Items() const { return items_.get(); }
  /// Stored; a right click shows the menu whatever its value.
  bool AutoPopup() const { return autoPopup_; }
  void SetAutoPopup(bool value) { autoPopup_ = value; }

  /// Raises OnPopup, then shows the visible items with the top-left corner at the screen point.
  /// The chosen item's OnClick follows as a posted command, once the menu has closed.
  void Popup(int x, int y) override;
  TNotifyEvent OnPopup;

  void GetChildren(const std::function<void(TComponent*)>& proc, TComponent* root) override;

 protected:
  virtual void DoPopup();

 private:
  std::unique_ptr<TMenuItem> items_;
  bool autoPopup_ = true;
};

// ---------------------------------------------------------------------------------------------
// TMainMenu: a form's menu bar (the form's Menu). Top-level items are the bar's entries, their
// items the drop-down menus.

class TMainMenu : public TCustomMainMenu {
  TAVELKO_CLASS(TMainMenu, TCustomMainMenu)

 public:
  explicit TMainMenu(TComponent* owner);
  ~TMainMenu() override;

  /// The top item, owned by the menu; its sub-items are the bar's entries.
  TMenuItem* Items() const { return items_.get(); }

  HMENU CreateMenuBar() override;
  bool DispatchCommand(UINT command) override;
  void UpdatePopup(HMENU popup) override;

  void GetChildren(const std::function<void(TComponent*)>& proc, TComponent* root) override;

 private:
  std::unique_ptr<TMenuItem> items_;
};

// ---------------------------------------------------------------------------------------------
// The tracker service

class TMenuTracker {
 public:
  virtual ~TMenuTracker() = default;
  /// Shows `menu` at the screen point and waits for a choice: the command chosen, 0 for none.
  virtual UINT Track(HMENU menu, int x, int y, HWND owner) = 0;
};

/// The installed tracker: TrackPopupMenu unless a test set another. Setting null puts the real one
/// back; returns the previous one. Not owned.
TMenuTracker& MenuTracker();
TMenuTracker* SetMenuTracker(TMenuTracker* tracker);
using TMenuTrackerScope = TServiceScope<TMenuTracker, SetMenuTracker>;
