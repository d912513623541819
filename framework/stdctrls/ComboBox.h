/// @file
/// TCustomComboBox and TComboBox: the system COMBOBOX window under the framework. The items are
/// kept by the control and copied into each window it makes, so they outlive the window (a box
/// that saves its history when its window goes can still read them).
#pragma once

#include <cstdint>
#include <memory>

#include "framework/core/Strings.h"
#include "framework/windows/WinControl.h"

enum TComboBoxStyle : std::uint8_t { csDropDown, csSimple, csDropDownList };

const TTypeInfo& TypeInfoOf(TypeTag<TComboBoxStyle>);

class TCustomComboBox;

/// The items of a combo box: a string list mirrored into the window while there is one.
class TComboBoxStrings : public TStrings {
  TAVELKO_CLASS(TComboBoxStrings, TStrings)

 public:
  explicit TComboBoxStrings(TCustomComboBox& combo);

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

  bool Sorted() const { return list_.Sorted(); }
  void SetSorted(bool value);
  /// Puts every item into the combo box's new window.
  void FillWindow();

 private:
  bool HasWindow() const;
  void InsertIntoWindow(int index, const String& text);

  TCustomComboBox& combo_;
  TStringList list_;
};

class TCustomComboBox : public TWinControl {
  TAVELKO_CLASS(TCustomComboBox, TWinControl)

 public:
  explicit TCustomComboBox(TComponent* owner);

  /// Owned; the setter copies.
  TStrings* Items() const { return items_.get(); }
  void SetItems(TStrings* value) { items_->Assign(value); }
  /// -1: no item chosen. Setting it raises no OnChange.
  int ItemIndex();
  void SetItemIndex(int value);
  /// A new style makes the window again.
  TComboBoxStyle Style() const { return style_; }
  void SetStyle(TComboBoxStyle value);
  bool Sorted() const { return items_->Sorted(); }
  void SetSorted(bool value) { items_->SetSorted(value); }
  /// Lines the drop-down list shows without scrolling.
  int DropDownCount() const { return dropDownCount_; }
  void SetDropDownCount(int value);
  /// Characters the user may type; 0: no limit.
  int MaxLength() const { return maxLength_; }
  void SetMaxLength(int value);
  bool DroppedDown();
  void SetDroppedDown(bool value);

  void SetBounds(int left, int top, int width, int height) override;

  /// The text changed by typing, or another item was chosen.
  TNotifyEvent OnChange;
  /// The list is about to drop down.
  TNotifyEvent OnDropDown;

 protected:
  void CreateParams(TCreateParams& params) override;
  void CreateWnd() override;
  void DestroyWnd() override;
  void Dispatch(TMessage& message) override;
  /// A drop-down list has no text of its own: its text is the chosen item's, and setting the text
  /// chooses the item that has it.
  String ReadText() override;
  void WriteText(const String& value) override;
  /// The box's focus arrives as CBN_SETFOCUS and CBN_KILLFOCUS (its edit holds the focus of an
  /// editable box), not as the window's own focus messages.
  void WMSetFocus(TMessage& message) override;
  void WMKillFocus(TMessage& message) override;
  virtual void CNCommand(TWMCommand& message);
  virtual void Change();
  virtual void DropDown();

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

class TComboBox : public TCustomComboBox {
  TAVELKO_CLASS(TComboBox, TCustomComboBox)
  static void Publish(TPublisher<TComboBox>& p);

 public:
  using TCustomComboBox::TCustomComboBox;
};
