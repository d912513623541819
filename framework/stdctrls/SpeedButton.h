/// @file
/// TSpeedButton: a windowless button with a glyph and a caption. Buttons of one parent that share
/// a GroupIndex behave as radio buttons (CM_BUTTONPRESSED tells the others when one goes down);
/// a flat button shows its edge only while the mouse is over it.
#pragma once

#include <memory>

#include "framework/stdctrls/ButtonGlyph.h"
#include "framework/windows/CustomControl.h"

/// A windowless tool button: it takes no focus and draws itself on its parent. A click raises
/// OnClick when the left button is released over it; in a group (GroupIndex) the click also puts it
/// down, or up again where AllowAllUp allows.
class TSpeedButton : public TGraphicControl {
  TAVELKO_CLASS(TSpeedButton, TGraphicControl)
  static void Publish(TPublisher<TSpeedButton>& p);

 public:
  /// The button belongs to `owner`, as any component; it is 23 x 22 pixels and transparent.
  explicit TSpeedButton(TComponent* owner);

  // ---- Grouping ----
  /// 0: a push button that never stays down; otherwise buttons with the same index under the same
  /// parent stay down one at a time.
  ///@{
  int GroupIndex() const { return groupIndex_; }
  void SetGroupIndex(int value);
  ///@}
  /// Whether the down button of a group can be raised by clicking it again. Setting it on one
  /// button of a group sets it on all of them.
  ///@{
  bool AllowAllUp() const { return allowAllUp_; }
  void SetAllowAllUp(bool value);
  ///@}
  /// Whether the button stays pushed in. Ignored for GroupIndex 0; a down button is raised only when
  /// AllowAllUp allows it; putting one down raises the others of its group.
  ///@{
  bool Down() const { return down_; }
  void SetDown(bool value);
  ///@}

  // ---- Look ----
  /// A flat button shows a one-pixel edge only while the mouse is over it (and a sunken one while
  /// down).
  ///@{
  bool Flat() const { return flat_; }
  void SetFlat(bool value);
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
  /// When set the face is not filled: the parent shows through around glyph and caption.
  ///@{
  bool Transparent() const { return !ControlStyle().Contains(csOpaque); }
  void SetTransparent(bool value) { SetOpaque(!value); }
  ///@}

  /// The look the button is drawn in now.
  TButtonState State() const;
  /// Whether the mouse is over the enabled button (what a flat button shows).
  bool MouseInControl() const { return mouseInControl_; }

 protected:
  void Paint() override;
  /// After the mouse events: the left button pushes the button in while it is held over it; its
  /// release over the button toggles Down in a group, then clicks.
  ///@{
  void MouseDown(TMouseButton button, TShiftState shift, int x, int y) override;
  void MouseMove(TShiftState shift, int x, int y) override;
  void MouseUp(TMouseButton button, TShiftState shift, int x, int y) override;
  ///@}
  /// Hands CM_BUTTONPRESSED to CMButtonPressed.
  void Dispatch(TMessage& message) override;
  /// A double click raises OnDblClick only on a button that is down.
  void WMLButtonDblClk(TWMMouse& message) override;
  /// The button repaints for what these messages change; disabling it ends a press and the hover.
  ///@{
  void CMEnabledChanged(TMessage& message) override;
  void CMFontChanged(TMessage& message) override;
  void CMTextChanged(TMessage& message) override;
  void CMSysColorChange(TMessage& message) override;
  void CMMouseEnter(TMessage& message) override;
  void CMMouseLeave(TMessage& message) override;
  ///@}
  /// The caption's accelerator clicks the enabled, shown button.
  void CMDialogChar(TWMKey& message) override;
  /// Another button of the parent went down (WParam its group, LParam the button).
  virtual void CMButtonPressed(TMessage& message);

 private:
  /// Tells the other buttons of the group this one's Down and AllowAllUp.
  void UpdateExclusive();
  void GlyphChanged(TObject* sender);

  std::unique_ptr<TButtonGlyph> glyph_;
  int groupIndex_ = 0;
  bool allowAllUp_ = false;
  bool down_ = false;
  bool flat_ = false;
  TButtonLayout layout_ = blGlyphLeft;
  int margin_ = -1;
  int spacing_ = 4;
  bool dragging_ = false;       ///< the left button went down here and is still held
  bool pressedInside_ = false;  ///< ... and the mouse is over the button
  bool mouseInControl_ = false;
};

/// The radio-group protocol of speed buttons, for every button that takes part in it: a button
/// whose Down or AllowAllUp changed announces itself to its parent's controls (CM_BUTTONPRESSED),
/// and the others of its group follow it.
namespace button_group {
/// Broadcasts `button`'s announcement to its parent's controls (nothing without a parent).
void Announce(TSpeedButton& button);
/// The speed button of `groupIndex` that `message` announces, unless it is `self`; else null.
const TSpeedButton* Announcer(const TMessage& message, int groupIndex, const TControl* self);
/// A member with `down` and `allowAllUp` follows `announcer`: it is raised when both are down (true
/// then), and takes the group's AllowAllUp.
bool Follow(const TSpeedButton& announcer, bool& down, bool& allowAllUp);
}  // namespace button_group
