/// @file
/// TCustomComboBox and TComboBox: the system COMBOBOX window under the framework. The items are
/// kept by the control and copied into each window it makes, so they outlive the window (a box
/// that saves its history when its window goes can still read them).
#pragma once

#include <cstdint>
#include <memory>

#include "framework/core/Strings.h"
#include "framework/windows/WinControl.h"

/// How a combo box looks and takes text: csDropDown, an edit with a list that drops down (any text
/// can be typed); csSimple, an edit with the list always shown below it; csDropDownList, a list
/// that drops down, whose text is always one of the items (or empty).
enum TComboBoxStyle : std::uint8_t { csDropDown, csSimple, csDropDownList };

/// Type data of TComboBoxStyle, for the published Style.
const TTypeInfo& TypeInfoOf(TypeTag<TComboBoxStyle>);

class TCustomComboBox;

/// The items of a combo box: a string list mirrored into the window while there is one.
class TComboBoxStrings : public TStrings {
  TAVELKO_CLASS(TComboBoxStrings, TStrings)

 public:
  /// Part of TCustomComboBox, which makes its Items; not for use on its own.
  explicit TComboBoxStrings(TCustomComboBox& combo);

  /// The string list operations on the items the box keeps; while the box has a window, each
  /// change is made in the window's list too. Duplicates are allowed; Put and Insert raise
  /// EStringListError while the items are sorted.
  ///@{
  int Count() const override { return list_.Count(); }
  String Get(int index) const override { return list_.Get(index); }
  void Put(int index, const String& text) override;
  TObject* GetItemObject(int index) const override { return list_.GetItemObject(index); }
  void PutItemObject(int index, TObject* object) override { list_.PutItemObject(index, object); }
  /// A sorted list takes the new item at its sorted place.
  int Add(const String& text) override;
  void Insert(int index, const String& text) override;
  void Delete(int index) override;
  void Clear() override;
  int IndexOf(const String& text) const override { return list_.IndexOf(text); }
  TPersistent* GetOwner() override;
  ///@}

  /// Whether the items are kept in sorted order; turning it on sorts them (the window's list is
  /// filled again, which loses the chosen item).
  ///@{
  bool Sorted() const { return list_.Sorted(); }
  void SetSorted(bool value);
  ///@}
  /// Puts every item into the combo box's new window.
  void FillWindow();

 private:
  bool HasWindow() const;
  void InsertIntoWindow(int index, const String& text);

  TCustomComboBox& combo_;
  TStringList list_;
};

/// The combo box's behaviour, for descendants that choose what to publish (TComboBox publishes it
/// all). Items, the chosen item and the text survive the window being made again.
class TCustomComboBox : public TWinControl {
  TAVELKO_CLASS(TCustomComboBox, TWinControl)

 public:
  /// The box belongs to `owner`, as any component; it is 145 pixels wide and takes the focus by Tab.
  explicit TCustomComboBox(TComponent* owner);

  /// The items listed. Owned by the box and never null; the setter copies.
  ///@{
  TStrings* Items() const { return items_.get(); }
  void SetItems(TStrings* value) { items_->Assign(value); }
  ///@}
  /// -1: no item chosen; an index outside the items chooses none. Setting it raises no OnChange.
  ///@{
  int ItemIndex();
  void SetItemIndex(int value);
  ///@}
  /// A new style makes the window again.
  ///@{
  TComboBoxStyle Style() const { return style_; }
  void SetStyle(TComboBoxStyle value);
  ///@}
  /// Whether the items are kept in sorted order (see TComboBoxStrings::SetSorted).
  ///@{
  bool Sorted() const { return items_->Sorted(); }
  void SetSorted(bool value) { items_->SetSorted(value); }
  ///@}
  /// Lines the drop-down list shows without scrolling; at least 1.
  ///@{
  int DropDownCount() const { return dropDownCount_; }
  void SetDropDownCount(int value);
  ///@}
  /// Characters the user may type; 0: no limit.
  ///@{
  int MaxLength() const { return maxLength_; }
  void SetMaxLength(int value);
  ///@}
  /// Whether the list is dropped down now; setting it opens or closes the list (needs the window).
  ///@{
  bool DroppedDown();
  void SetDroppedDown(bool value);
  ///@}

  /// The height is the box's own; the window is made taller to hold the dropped-down list, and the
  /// system may keep the box's height its font needs.
  void SetBounds(int left, int top, int width, int height) override;

  /// The text changed by typing, or another item was chosen.
  TNotifyEvent OnChange;
  /// The list is about to drop down.
  TNotifyEvent OnDropDown;

 protected:
  /// A COMBOBOX of the style, with a vertical scroll bar on its list and a scrolling edit.
  void CreateParams(TCreateParams& params) override;
  void CreateWnd() override;
  void DestroyWnd() override;
  void Dispatch(TMessage& message) override;
  /// A drop-down list has no text of its own: its text is the chosen item's, and setting the text
  /// chooses the item that has it.
  ///@{
  String ReadText() override;
  void WriteText(const String& value) override;
  ///@}
  /// The box's focus arrives as CBN_SETFOCUS and CBN_KILLFOCUS (its edit holds the focus of an
  /// editable box), not as the window's own focus messages.
  ///@{
  void WMSetFocus(TMessage& message) override;
  void WMKillFocus(TMessage& message) override;
  ///@}
  /// The box's notifications (CBN_...) that its parent passes back: a choice raises OnClick, then
  /// OnChange (the edit already shows the chosen item); typing raises OnChange; opening the list
  /// OnDropDown; the focus arriving and leaving OnEnter and OnExit.
  virtual void CNCommand(TWMCommand& message);
  /// Raises OnChange, or OnDropDown.
  ///@{
  virtual void Change();
  virtual void DropDown();
  ///@}

 private:
  friend class TComboBoxStrings;
  /// Window height including the dropped-down list.
  int WindowHeight(int height);

  std::unique_ptr<TComboBoxStrings> items_;
  TComboBoxStyle style_ = csDropDown;
  int itemIndex_ = -1;  ///< while there is no window
  int dropDownCount_ = 8;
  int maxLength_ = 0;
};

/// A combo box that publishes its properties and events, as placed on forms and stored in layouts.
class TComboBox : public TCustomComboBox {
  TAVELKO_CLASS(TComboBox, TCustomComboBox)
  static void Publish(TPublisher<TComboBox>& p);

 public:
  /// Made as a TCustomComboBox.
  using TCustomComboBox::TCustomComboBox;
};
