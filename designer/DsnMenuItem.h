/// @file
/// TDsnMenuItem: an item of the designer's context menu that stands for a property value.
#pragma once

#include "framework/stdctrls/Menus.h"

/// An item of the designer's context menu that stands for a property value (or separates them).
/// Made by the controller each time its context menu opens; owned by the controller's owner and
/// destroyed with the menu or at the next opening.
class TDsnMenuItem : public TMenuItem {
  TAVELKO_CLASS(TDsnMenuItem, TMenuItem)

 public:
  /// Made as any menu item.
  using TMenuItem::TMenuItem;
  /// The property the item stands for and the value it sets, as text.
  ///@{
  const String& PropName() const { return propName_; }
  void SetPropName(const String& value) { propName_ = value; }
  const String& Value() const { return value_; }
  void SetValue(const String& value) { value_ = value; }
  ///@}

 private:
  String propName_;
  String value_;
};
