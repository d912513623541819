/// @file
/// TCustomEdit and TEdit: the system EDIT window under the framework — text in CP932 at the
/// control, UTF-16 in the window; alignment, border, read-only and length limit.
#pragma once

#include "framework/stdctrls/Alignment.h"
#include "framework/windows/WinControl.h"

class TCustomEdit : public TWinControl {
  TAVELKO_CLASS(TCustomEdit, TWinControl)

 public:
  explicit TCustomEdit(TComponent* owner);

  /// Changing the alignment or the border makes the window again (the system window reads them
  /// only at creation); the text is kept.
  TAlignment Alignment() const { return alignment_; }
  void SetAlignment(TAlignment value);
  TBorderStyle BorderStyle() const { return borderStyle_; }
  void SetBorderStyle(TBorderStyle value);
  bool ReadOnly() const { return readOnly_; }
  void SetReadOnly(bool value);
  /// Characters the user may type; 0: no limit.
  int MaxLength() const { return maxLength_; }
  void SetMaxLength(int value);
  /// Select the whole text when the edit receives the focus.
  bool AutoSelect() const { return autoSelect_; }
  void SetAutoSelect(bool value) { autoSelect_ = value; }

  // ---- Selection, in CP932 bytes of Text ----
  int SelStart();
  void SetSelStart(int value);
  int SelLength();
  void SetSelLength(int value);
  String SelText();
  /// Replaces the selection (inserts at the caret when nothing is selected).
  void SetSelText(const String& value);
  void SelectAll();
  void Clear() { SetText(""); }

  /// The text was changed, by the user or by the program.
  TNotifyEvent OnChange;

 protected:
  void CreateParams(TCreateParams& params) override;
  void CreateWnd() override;
  void DestroyWnd() override;
  void Dispatch(TMessage& message) override;
  void DoEnter() override;
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

class TEdit : public TCustomEdit {
  TAVELKO_CLASS(TEdit, TCustomEdit)
  static void Publish(TPublisher<TEdit>& p);

 public:
  using TCustomEdit::TCustomEdit;
};
