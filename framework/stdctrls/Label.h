/// @file
/// TCustomLabel and TLabel: a windowless caption, sized to its text when AutoSize is on, that can
/// hand the focus to another control when its accelerator key is pressed.
#pragma once

#include "framework/stdctrls/Alignment.h"
#include "framework/windows/CustomControl.h"

class TCustomLabel : public TGraphicControl {
  TAVELKO_CLASS(TCustomLabel, TGraphicControl)

 public:
  explicit TCustomLabel(TComponent* owner);

  TAlignment Alignment() const { return alignment_; }
  void SetAlignment(TAlignment value);
  bool AutoSize() const { return autoSize_; }
  void SetAutoSize(bool value);
  /// Not owned; cleared when that control goes.
  TWinControl* FocusControl() const { return focusControl_; }
  void SetFocusControl(TWinControl* value) { focusControl_.Set(value); }
  TTextLayout Layout() const { return layout_; }
  void SetLayout(TTextLayout value);
  /// When set, "&" marks the accelerator character and is not shown.
  bool ShowAccelChar() const { return showAccelChar_; }
  void SetShowAccelChar(bool value);
  /// When set the background is not painted: what lies beneath shows around the text.
  bool Transparent() const { return !ControlStyle().Contains(csOpaque); }
  void SetTransparent(bool value) { SetOpaque(!value); }
  bool WordWrap() const { return wordWrap_; }
  void SetWordWrap(bool value);

  void Loaded() override;

 protected:
  // ---- What descendants override ----
  /// The text drawn: the caption.
  virtual String GetLabelText();
  /// Draws the text into `rect` of `canvas` with DrawText's `flags` in the label's font, embossed
  /// when disabled; with DT_CALCRECT only measures, and `rect` receives the text's extent.
  virtual void DoDrawText(TCanvas& canvas, TRect& rect, unsigned flags);
  /// With AutoSize: takes the size of the text, keeping the edge the alignment anchors.
  virtual void AdjustBounds();

  void Paint() override;
  void CMTextChanged(TMessage& message) override;
  void CMFontChanged(TMessage& message) override;
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

class TLabel : public TCustomLabel {
  TAVELKO_CLASS(TLabel, TCustomLabel)
  static void Publish(TPublisher<TLabel>& p);

 public:
  using TCustomLabel::TCustomLabel;
};
