/// @file
/// TPanel: a container with raised or lowered bevels and an optional centred caption.
#pragma once

#include <cstdint>

#include "framework/stdctrls/Alignment.h"
#include "framework/windows/CustomControl.h"

/// One bevel of a panel: how its frame is shaded.
enum TBevelCut : std::uint8_t {
  bvNone,     ///< no bevel
  bvLowered,  ///< shadow at the top and left, highlight at the bottom and right
  bvRaised,   ///< highlight at the top and left, shadow at the bottom and right
  bvSpace,    ///< a band of the panel's own colour
};
using TBevelWidth = int;  ///< Pixels of one bevel.

/// Type data of TBevelCut, for the published bevels.
const TTypeInfo& TypeInfoOf(TypeTag<TBevelCut>);

/// Draws `width` one-pixel frames inside `rect`, top and left edges in `topColor`, right and bottom
/// edges in `bottomColor`; `rect` shrinks by what was drawn.
void Frame3D(TCanvas& canvas, TRect& rect, TColor topColor, TColor bottomColor, int width);

/// The panel's behaviour, for descendants that choose what to publish (TPanel publishes it all).
/// From the edge inwards a panel draws its outer bevel, a border of its own colour, and its inner
/// bevel; aligned children are placed inside all three. Controls can be dropped on it in design mode.
class TCustomPanel : public TCustomControl {
  TAVELKO_CLASS(TCustomPanel, TCustomControl)

 public:
  /// The panel belongs to `owner`, as any component; it is 185 x 41 pixels in the button face colour.
  explicit TCustomPanel(TComponent* owner);

  /// The inner and the outer bevel (bvNone: none). A change realigns the children.
  ///@{
  TBevelCut BevelInner() const { return bevelInner_; }
  void SetBevelInner(TBevelCut value);
  TBevelCut BevelOuter() const { return bevelOuter_; }
  void SetBevelOuter(TBevelCut value);
  ///@}
  /// Pixels of each bevel; at least 1.
  ///@{
  TBevelWidth BevelWidth() const { return bevelWidth_; }
  void SetBevelWidth(TBevelWidth value);
  ///@}
  /// Pixels of the band between the bevels, in the panel's colour; at least 0.
  ///@{
  int BorderWidth() const { return borderWidth_; }
  void SetBorderWidth(int value);
  ///@}
  /// bsSingle adds the system's sunken window edge around the panel (any other value means
  /// bsNone); a change makes the window again.
  ///@{
  TBorderStyle BorderStyle() const { return borderStyle_; }
  void SetBorderStyle(TBorderStyle value);
  ///@}
  /// Where the caption lies across the panel; it is always centred vertically, on one line, and "&"
  /// underlines the character after it.
  ///@{
  TAlignment Alignment() const { return alignment_; }
  void SetAlignment(TAlignment value);
  ///@}

 protected:
  /// Adds the window edge of BorderStyle, and a full repaint on every resize.
  void CreateParams(TCreateParams& params) override;
  void AdjustClientRect(TRect& rect) override;
  void Paint() override;
  /// Repaints with the new caption.
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

/// A panel that publishes its properties and events, as placed on forms and stored in layouts.
class TPanel : public TCustomPanel {
  TAVELKO_CLASS(TPanel, TCustomPanel)
  static void Publish(TPublisher<TPanel>& p);

 public:
  /// Made as a TCustomPanel.
  using TCustomPanel::TCustomPanel;
};
