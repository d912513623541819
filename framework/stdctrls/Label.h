/// @file
/// TCustomLabel and TLabel: a windowless caption, sized to its text when AutoSize is on, that can
/// hand the focus to another control when its accelerator key is pressed.
#pragma once

#include "framework/stdctrls/Alignment.h"
#include "framework/windows/CustomControl.h"

/// The label's behaviour, for descendants that choose what to publish (TLabel publishes it all) or
/// what text to show (GetLabelText). A label is windowless: it never takes the focus itself.
class TCustomLabel : public TGraphicControl {
  TAVELKO_CLASS(TCustomLabel, TGraphicControl)

 public:
  /// The label belongs to `owner`, as any component; it is opaque, with AutoSize on.
  explicit TCustomLabel(TComponent* owner);

  /// Where the text lies across the label.
  ///@{
  TAlignment Alignment() const { return alignment_; }
  void SetAlignment(TAlignment value);
  ///@}
  /// When set the label takes the size of its text whenever the text, the font or the wrapping
  /// changes (see AdjustBounds); with WordWrap it keeps its width and takes the height.
  ///@{
  bool AutoSize() const { return autoSize_; }
  void SetAutoSize(bool value);
  ///@}
  /// The control that receives the focus when the caption's accelerator is pressed; null for none.
  /// Not owned; cleared when that control goes.
  ///@{
  TWinControl* FocusControl() const { return focusControl_; }
  void SetFocusControl(TWinControl* value) { focusControl_.Set(value); }
  ///@}
  /// Where the text lies down the label.
  ///@{
  TTextLayout Layout() const { return layout_; }
  void SetLayout(TTextLayout value);
  ///@}
  /// When set, "&" marks the accelerator character and is not shown.
  ///@{
  bool ShowAccelChar() const { return showAccelChar_; }
  void SetShowAccelChar(bool value);
  ///@}
  /// When set the background is not painted: what lies beneath shows around the text.
  ///@{
  bool Transparent() const { return !ControlStyle().Contains(csOpaque); }
  void SetTransparent(bool value) { SetOpaque(!value); }
  ///@}
  /// When set the text breaks into lines at word boundaries to fit the label's width.
  ///@{
  bool WordWrap() const { return wordWrap_; }
  void SetWordWrap(bool value);
  ///@}

  /// Takes the size of the text once the layout is read (AutoSize waits while loading).
  void Loaded() override;

 protected:
  // ---- What descendants override ----
  /// The text drawn: the caption.
  virtual String GetLabelText();
  /// Draws the text into `rect` of `canvas` with DrawText's `flags` in the label's font, embossed
  /// when disabled; with DT_CALCRECT only measures, and `rect` receives the text's extent.
  virtual void DoDrawText(TCanvas& canvas, TRect& rect, unsigned flags);
  /// With AutoSize: takes the size of the text, keeping the right edge for right-justified text and
  /// the left edge otherwise. Nothing while loading.
  virtual void AdjustBounds();

  void Paint() override;
  /// A new caption or font repaints the label and, with AutoSize, resizes it.
  ///@{
  void CMTextChanged(TMessage& message) override;
  void CMFontChanged(TMessage& message) override;
  ///@}
  /// The caption's accelerator gives the focus to FocusControl when the label is enabled, shows
  /// accelerators and that control can take the focus.
  void CMDialogChar(TWMKey& message) override;

  /// DrawText flags of the alignment, word wrap and accelerator settings.
  unsigned TextFlags() const;

 private:
  TAlignment alignment_ = taLeftJustify;
  bool autoSize_ = true;
  TComponentLink<TWinControl> focusControl_;
  TTextLayout layout_ = tlTop;
  bool showAccelChar_ = true;
  bool wordWrap_ = false;
};

/// A label that publishes its properties and events, as placed on forms and stored in layouts.
class TLabel : public TCustomLabel {
  TAVELKO_CLASS(TLabel, TCustomLabel)
  static void Publish(TPublisher<TLabel>& p);

 public:
  /// Made as a TCustomLabel.
  using TCustomLabel::TCustomLabel;
};
