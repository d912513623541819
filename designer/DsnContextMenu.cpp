// The controller's context menu.
#include "designer/DsnContextMenu.h"

#include <algorithm>

#include "designer/DsnMenuItem.h"
#include "designer/DsnProp.h"
#include "designer/DsnStage.h"

// The menu's Tag holds the number of items borrowed from the cover menu.
void TDsnContextMenu::Make(TDsnStage& stage, TComponent* owner) {
  TPopupMenu* cover = stage.CoverMenu();
  if (!cover && stage.SelfProps()->Count() == 0) return;
  Drop(&stage);
  menu_.Set(new TPopupMenu(owner));
  if (cover) {
    menu_->OnPopup = cover->OnPopup;
    while (cover->Items()->Count() > 0) menu_->Items()->Add(cover->Items()->Items(0));
  }
  menu_->SetTag(menu_->Items()->Count());
}

void TDsnContextMenu::Drop(TDsnStage* stage) {
  if (!menu_) return;
  TPopupMenu* cover = stage ? stage->CoverMenu() : nullptr;
  const int borrowed = std::min(menu_->Tag(), menu_->Items()->Count());
  for (int i = 0; cover && i < borrowed; ++i) cover->Items()->Add(menu_->Items()->Items(0));
  delete menu_.Get();
}

void TDsnContextMenu::Fill(const TContextProps& table, TComponent* owner, const TNotifyEvent& onClick) {
  TMenuItem* items = menu_->Items();
  while (items->Count() > menu_->Tag()) delete items->Items(items->Count() - 1);
  if (items->Count() > 0) {
    auto* separator = new TDsnMenuItem(owner);
    separator->SetCaption("-");
    items->Add(separator);
  }
  for (int i = 0; i < table.Names()->Count(); ++i) {
    auto* item = new TDsnMenuItem(owner);
    item->SetCaption(table.GetCaption(i));
    item->OnClick = onClick;
    item->SetPropName(table.Names()->Get(i));
    item->SetValue(table.Values()->Get(i));
    items->Add(item);
  }
}
