/// @file
/// Arranging several sibling controls as designers do: their stacking order, their edges and
/// centres lined up with the first one, their sizes made the same, and even spacing.
#pragma once

#include <cstdint>
#include <vector>

#include "framework/core/Text.h"

class TControl;

/// One way of arranging sibling controls (ArrangeControls): stacking order, lining up edges or
/// centres with the first control, taking its width, height or size, spacing evenly.
enum class TDsnArrangement : std::uint8_t {
  BringToFront, SendToBack, BringForward, SendBackward,
  AlignLefts, AlignCentres, AlignRights, AlignTops, AlignMiddles, AlignBottoms,
  SameWidth, SameHeight, SameSize,
  SpaceAcross, SpaceDown,
};

/// The grid a result is snapped to; 0 or less: none on that axis.
struct TArrangeGrid {
  int X = 0;  ///< the grid's step across, in pixels
  int Y = 0;  ///< the grid's step down, in pixels
};

/// How many controls an arrangement needs: one to stack, two to line up or size, three to space.
int ControlsNeeded(TDsnArrangement what);

/// Arranges `controls`, which share one parent; the first is the one the others line up with and
/// take their size from. Results are snapped to `grid`. True when any control changed.
bool ArrangeControls(const std::vector<TControl*>& controls, TDsnArrangement what, TArrangeGrid grid);

/// The arrangement a key stands for, in every program that designs with the library: Ctrl+] and
/// Ctrl+[ one step forward and back, with Shift to the front and the back; Ctrl+Shift with L, E,
/// R, T, M, B align lefts, centres, rights, tops, middles, bottoms, with W, H, S make the same
/// width, height, size, and with A and D space across and down. False for any other key.
bool ArrangementOfKey(std::uint16_t key, bool ctrl, bool shift, TDsnArrangement& what);
/// The key's text, for a menu: "Ctrl+Shift+]".
String ArrangementKeyText(TDsnArrangement what);
