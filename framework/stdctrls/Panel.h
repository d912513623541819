/// @file
/// TPanel: a container with raised or lowered bevels and an optional centred caption.
#pragma once

#include <cstdint>

#include "framework/stdctrls/Alignment.h"
#include "framework/windows/CustomControl.h"

enum TBevelCut : std::uint8_t {
  bvNone,     ///< no bevel
  bvLowered,  ///< shadow at the top and left, highlight at the bottom and right
  bvRaised,   ///< highlight at the top and left, shadow at the bottom and right
  bvSpace,    ///< a band of the panel's own colour
};
using TBevelWidth = int;

const TTypeInfo& TypeInfoOf(TypeTag<TBevelCut>);

/// Draws `width` one-pixel frames inside `rect`, top and left edges in `topColor`, right and bottom
/// edges in `bottomColor`; `rect` shrinks by what was drawn.
void Frame3D(TCanvas& canvas, TRect& rect, TColor topColor, TColor bottomColor, int width);

class TCustomPanel : public TCustomControl {
  TAVELKO_CLASS(TCustomPanel, TCustomControl)

 public:
  explicit TCustomPanel(TComponent* owner);

  TBevelCut BevelInner() const { return bevelInner_; }
  void SetBevelInner(TBevelCut value);
  TBevelCut BevelOuter() const { return bevelOuter_; }
  void SetBevelOuter(TBevelCut value);
  TBevelWidth BevelWidth() const { return bevelWidth_; }
  void SetBevelWidth(TBevelWidth value);
  int BorderWidth() const { return borderWidth_; }
  void SetBorderWidth(int value);
  TBorderStyle BorderStyle() const { return borderStyle_; }
  void SetBorderStyle(TBorderStyle value);
  TAlignment Alignment() const { return alignment_; }
  void SetAlignment(TAlignment value);

 protected:
  void CreateParams(TCreateParams& params) override;
  void AdjustClientRect(TRect& rect) override;
  void Paint() override;
  void CMTextChanged(TMessage& message) override;

 private:
  /// Pixels the bevels and the border take from each edge of the client area.
  int FrameWidth() const;
  void FrameChanged();

  TBevelCut bevelInner_ = bvNone;
  TBevelCut bevelOuter_ = bvRaised;
  TBevelWidth bevelWidth_ = 1;
  int borderWidth_ = 0;
  TBorderStyle borderStyle_ = bsNone;
  TAlignment alignment_ = taCenter;
};

class TPanel : public TCustomPanel {
  TAVELKO_CLASS(TPanel, TCustomPanel)
  static void Publish(TPublisher<TPanel>& p);

 public:
  using TCustomPanel::TCustomPanel;
};
