/// @file
/// TBitBtn: a windowed push button with a glyph beside its caption; a kind (OK, Cancel, Close, ...)
/// gives it the modal result a dialog ends with.
#pragma once

#include <cstdint>
#include <memory>

#include "framework/stdctrls/ButtonGlyph.h"
#include "framework/windows/CustomControl.h"

enum TBitBtnKind : std::uint8_t { bkCustom, bkOK, bkCancel, bkHelp, bkYes, bkNo, bkClose, bkAbort, bkRetry, bkIgnore, bkAll };

const TTypeInfo& TypeInfoOf(TypeTag<TBitBtnKind>);

class TBitBtn : public TCustomControl {
  TAVELKO_CLASS(TBitBtn, TCustomControl)
  static void Publish(TPublisher<TBitBtn>& p);

 public:
  explicit TBitBtn(TComponent* owner);

  /// Setting a kind other than bkCustom sets ModalResult, and the caption when it is empty.
  TBitBtnKind Kind() const { return kind_; }
  void SetKind(TBitBtnKind value);
  /// Given to the parent form when clicked (mrNone: nothing).
  TModalResult ModalResult() const { return modalResult_; }
  void SetModalResult(TModalResult value) { modalResult_ = value; }
  TBitmap* Glyph() const { return glyph_->Glyph(); }
  void SetGlyph(TBitmap* value) { glyph_->SetGlyph(value); }
  int NumGlyphs() const { return glyph_->NumGlyphs(); }
  void SetNumGlyphs(int value) { glyph_->SetNumGlyphs(value); }
  TButtonLayout Layout() const { return layout_; }
  void SetLayout(TButtonLayout value);
  int Margin() const { return margin_; }
  void SetMargin(int value);
  int Spacing() const { return spacing_; }
  void SetSpacing(int value);

  /// Closes the parent form for bkClose, or gives it ModalResult; then OnClick.
  void Click() override;

 protected:
  void Paint() override;
  void MouseDown(TMouseButton button, TShiftState shift, int x, int y) override;
  void MouseMove(TShiftState shift, int x, int y) override;
  void MouseUp(TMouseButton button, TShiftState shift, int x, int y) override;
  void KeyDown(Word& key, TShiftState shift) override;
  void KeyUp(Word& key, TShiftState shift) override;
  void KeyPress(char& key) override;
  void DoEnter() override;
  void DoExit() override;
  void CMTextChanged(TMessage& message) override;
  void CMDialogChar(TWMKey& message) override;

 private:
  void SetPressed(bool value);
  void GlyphChanged(TObject* sender);

  std::unique_ptr<TButtonGlyph> glyph_;
  TBitBtnKind kind_ = bkCustom;
  TModalResult modalResult_ = mrNone;
  TButtonLayout layout_ = blGlyphLeft;
  int margin_ = -1;
  int spacing_ = 4;
  bool tracking_ = false;  ///< the left button went down on the button and is still held
  bool pressed_ = false;   ///< drawn pushed in: held by the mouse over it, or by the space bar
};
