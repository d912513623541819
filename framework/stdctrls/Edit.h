/// @file
/// TCustomEdit and TEdit: the system EDIT window under the framework — text in CP932 at the
/// control, UTF-16 in the window; alignment, border, read-only and length limit.
#pragma once

#include "framework/stdctrls/Alignment.h"
#include "framework/windows/WinControl.h"

/// The edit's behaviour, for descendants that choose what to publish (TEdit publishes it all; TMemo
/// builds on it). The text (Text) and the selection survive the window being made again.
class TCustomEdit : public TWinControl {
  TAVELKO_CLASS(TCustomEdit, TWinControl)

 public:
  /// The edit belongs to `owner`, as any component; it is 121 x 21 pixels, with a sunken border, and
  /// takes the focus by Tab.
  explicit TCustomEdit(TComponent* owner);

  /// Changing the alignment or the border makes the window again (the system window reads them
  /// only at creation); the text is kept. BorderStyle bsSingle is the sunken edge; any other value
  /// means bsNone.
  ///@{
  TAlignment Alignment() const { return alignment_; }
  void SetAlignment(TAlignment value);
  TBorderStyle BorderStyle() const { return borderStyle_; }
  void SetBorderStyle(TBorderStyle value);
  ///@}
  /// The user cannot change the text (the program still can, through Text).
  ///@{
  bool ReadOnly() const { return readOnly_; }
  void SetReadOnly(bool value);
  ///@}
  /// Characters the user may type; 0: no limit. Text the program sets is not cut.
  ///@{
  int MaxLength() const { return maxLength_; }
  void SetMaxLength(int value);
  ///@}
  /// Select the whole text when the edit receives the focus.
  ///@{
  bool AutoSelect() const { return autoSelect_; }
  void SetAutoSelect(bool value) { autoSelect_ = value; }
  ///@}

  // ---- Selection, in CP932 bytes of Text ----
  /// Where the selection (or the caret) starts, as a byte offset into Text; an offset inside a
  /// two-byte character means that character's start. Setting it places the caret there and
  /// empties the selection.
  ///@{
  int SelStart();
  void SetSelStart(int value);
  ///@}
  /// How many bytes of Text are selected from SelStart.
  ///@{
  int SelLength();
  void SetSelLength(int value);
  ///@}
  /// The selected text; empty when nothing is selected.
  String SelText();
  /// Replaces the selection (inserts at the caret when nothing is selected).
  void SetSelText(const String& value);
  /// Selects the whole text.
  void SelectAll();
  /// Empties the text.
  void Clear() { SetText(""); }

  /// The text was changed, by the user or by the program. The window reports it: a change made
  /// while the edit has no window raises none, and the system's multi-line edit (a memo's) reports
  /// the user's changes only.
  TNotifyEvent OnChange;

 protected:
  /// An EDIT of the alignment, border and read-only settings, scrolling its text sideways.
  void CreateParams(TCreateParams& params) override;
  void CreateWnd() override;
  void DestroyWnd() override;
  void Dispatch(TMessage& message) override;
  /// With AutoSelect, selects the whole text before OnEnter.
  void DoEnter() override;
  /// Raises OnChange.
  virtual void Change();
  /// EN_CHANGE and the other notifications the parent passes back.
  virtual void CNCommand(TWMCommand& message);

 private:
  TAlignment alignment_ = taLeftJustify;
  TBorderStyle borderStyle_ = bsSingle;
  bool readOnly_ = false;
  int maxLength_ = 0;
  bool autoSelect_ = true;
  int selStart_ = 0;   ///< kept while there is no window
  int selLength_ = 0;
};

/// A one-line edit that publishes its properties and events, as placed on forms and stored in layouts.
class TEdit : public TCustomEdit {
  TAVELKO_CLASS(TEdit, TCustomEdit)
  static void Publish(TPublisher<TEdit>& p);

 public:
  /// Made as a TCustomEdit.
  using TCustomEdit::TCustomEdit;
};
