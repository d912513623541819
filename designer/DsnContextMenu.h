/// @file
/// TDsnContextMenu: the controller's context menu while design mode is on.
#pragma once

#include "framework/core/ComponentLink.h"
#include "framework/core/Event.h"
#include "framework/stdctrls/Menus.h"

class TContextProps;
class TDsnStage;

/// The items of the stage's cover menu, borrowed while the menu lives, and after them one item per
/// property value the selection offers. The menu is owned by the controller's owner, so that menu
/// items find it, and destroyed here. Part of TDsnRegister's implementation; not for use on its own.
class TDsnContextMenu {
 public:
  TDsnContextMenu() = default;
  TDsnContextMenu(const TDsnContextMenu&) = delete;
  TDsnContextMenu& operator=(const TDsnContextMenu&) = delete;

  /// Null while there is none.
  TPopupMenu* Menu() const { return menu_; }
  /// A new menu owned by `owner` with the items of `stage`'s cover menu; none when the stage has
  /// neither a cover menu nor properties of its own to offer.
  void Make(TDsnStage& stage, TComponent* owner);
  /// Gives the borrowed items back to `stage`'s cover menu (when there is one) and destroys the
  /// menu.
  void Drop(TDsnStage* stage);
  /// The property items of an earlier opening give way to the rows of `table`, owned by `owner`,
  /// after a separator when anything precedes them; each item's OnClick is `onClick`.
  void Fill(const TContextProps& table, TComponent* owner, const TNotifyEvent& onClick);

 private:
  TComponentLink<TPopupMenu> menu_;
};
