/// @file
/// TBitBtn: a windowed push button with a glyph beside its caption; a kind (OK, Cancel, Close, ...)
/// gives it the modal result a dialog ends with.
#pragma once

#include <cstdint>
#include <memory>

#include "framework/stdctrls/ButtonGlyph.h"
#include "framework/windows/CustomControl.h"

/// The standard buttons of a dialog. Each kind but bkCustom brings a caption ("OK", "Cancel",
/// "&Yes", ...) and the modal result of the same name; bkHelp and bkClose bring no modal result
/// (bkClose closes the form instead; bkHelp does nothing of its own).
enum TBitBtnKind : std::uint8_t { bkCustom, bkOK, bkCancel, bkHelp, bkYes, bkNo, bkClose, bkAbort, bkRetry, bkIgnore, bkAll };

/// Type data of TBitBtnKind, for the published Kind.
const TTypeInfo& TypeInfoOf(TypeTag<TBitBtnKind>);

/// A push button drawn by the framework, with a glyph beside its caption. It takes the focus (drawn
/// as a dotted rectangle) and is clicked by the left mouse button released over it, the space bar,
/// Return, or its caption's accelerator.
class TBitBtn : public TCustomControl {
  TAVELKO_CLASS(TBitBtn, TCustomControl)
  static void Publish(TPublisher<TBitBtn>& p);

 public:
  /// The button belongs to `owner`, as any component; it is 75 x 25 pixels and takes the focus by Tab.
  explicit TBitBtn(TComponent* owner);

  /// Setting a kind other than bkCustom sets ModalResult, and the caption when it is empty.
  /// Back to bkCustom, the button keeps its ModalResult and caption.
  ///@{
  TBitBtnKind Kind() const { return kind_; }
  void SetKind(TBitBtnKind value);
  ///@}
  /// Given to the parent form when clicked (mrNone: nothing).
  ///@{
  TModalResult ModalResult() const { return modalResult_; }
  void SetModalResult(TModalResult value) { modalResult_ = value; }
  ///@}
  /// The picture beside the caption: up to four cells side by side (see TButtonGlyph). Owned by the
  /// button and never null; the setter copies, null empties it.
  ///@{
  TBitmap* Glyph() const { return glyph_->Glyph(); }
  void SetGlyph(TBitmap* value) { glyph_->SetGlyph(value); }
  ///@}
  /// How many cells the glyph holds, 1 to 4 (other values are clamped).
  ///@{
  int NumGlyphs() const { return glyph_->NumGlyphs(); }
  void SetNumGlyphs(int value) { glyph_->SetNumGlyphs(value); }
  ///@}
  /// Which side of the caption the glyph is on.
  ///@{
  TButtonLayout Layout() const { return layout_; }
  void SetLayout(TButtonLayout value);
  ///@}
  /// Pixels between the edge and the glyph; -1 centres glyph and caption.
  ///@{
  int Margin() const { return margin_; }
  void SetMargin(int value);
  ///@}
  /// Pixels between the glyph and the caption.
  ///@{
  int Spacing() const { return spacing_; }
  void SetSpacing(int value);
  ///@}

  /// Closes the parent form for bkClose, or gives it ModalResult; then OnClick.
  void Click() override;

 protected:
  void Paint() override;
  /// The button's own reactions, before or after the inherited ones raise the events: the left
  /// mouse button takes the focus and pushes the button in while it is held over it; the space bar
  /// pushes it in and clicks on its release; Return clicks (and is swallowed). Losing the focus
  /// raises a pushed button without a click.
  ///@{
  void MouseDown(TMouseButton button, TShiftState shift, int x, int y) override;
  void MouseMove(TShiftState shift, int x, int y) override;
  void MouseUp(TMouseButton button, TShiftState shift, int x, int y) override;
  void KeyDown(Word& key, TShiftState shift) override;
  void KeyUp(Word& key, TShiftState shift) override;
  void KeyPress(char& key) override;
  void DoEnter() override;
  void DoExit() override;
  ///@}
  /// Repaints with the new caption.
  void CMTextChanged(TMessage& message) override;
  /// The caption's accelerator clicks the button when it can take the focus.
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
