/// @file
/// Snap lines: while the selection is dragged, an edge or centre of it that comes within a few
/// pixels of a sibling's edge or centre snaps there, and a thin line shows the alignment for as
/// long as it holds.
#pragma once

#include <optional>
#include <vector>

#include "framework/graphics/Canvas.h"
#include "framework/graphics/GdiHandles.h"

class TControl;

/// How near an edge must come to snap, in pixels.
inline constexpr int kSnapDistance = 6;

/// A line showing an alignment, from (X1, Y1) to (X2, Y2): vertical or horizontal.
/// The coordinates are the client coordinates of the parent, or screen coordinates once on the
/// screen.
struct TSnapLine {
  /// The ends: (X1, Y1) and (X2, Y2).
  ///@{
  int X1, Y1, X2, Y2;
  ///@}
  bool operator==(const TSnapLine&) const = default;  ///< the same ends
};

/// Where a box moved by an offset snaps: per axis the offset that lines it up with the nearest
/// sibling edge or centre within kSnapDistance (none when nothing is that near), and the lines
/// that show it, spanning the box and the siblings it lines up with.
struct TSnapped {
  std::optional<int> DX;         ///< the snapped offset across; empty: no snap, keep the offset
  std::optional<int> DY;         ///< the snapped offset down; empty: no snap, keep the offset
  std::vector<TSnapLine> Lines;  ///< one per snapped axis, in the parent's client coordinates
};

/// `moving` is the selection's box before the drag, `offset` how far the pointer took it;
/// `siblings` the boxes it may line up with, all in the parent's client coordinates. Linear in
/// the siblings.
TSnapped SnapMove(const TRect& moving, TPoint offset, const std::vector<TRect>& siblings);

/// Where a resized edge snaps (SnapEdge).
struct TSnappedEdge {
  int At;          ///< the sibling's edge or centre the edge moves to
  TSnapLine Line;  ///< the line showing it, spanning the box and that sibling
};
/// Where a resized edge snaps: `edge` is an x when `across`, else a y, of `box` (the resized
/// control's bounds); the nearest sibling edge or centre within kSnapDistance and the line that
/// shows it, or nothing. All in the parent's client coordinates.
std::optional<TSnappedEdge> SnapEdge(int edge, bool across, const TRect& box, const std::vector<TRect>& siblings);

/// The boxes of `control`'s siblings that a snap may meet: visible, of the same owner (not grab
/// handles), in its parent's client coordinates.
std::vector<TRect> SnapSiblings(const TControl& control, const std::vector<const TControl*>& leftOut);

/// The lines on the screen, drawn with an exclusive-or pen like the drag outlines: showing new
/// lines erases the old, and hiding (or destruction) leaves the screen as it was.
class TSnapGuides {
 public:
  TSnapGuides();
  ~TSnapGuides();
  TSnapGuides(const TSnapGuides&) = delete;
  TSnapGuides& operator=(const TSnapGuides&) = delete;

  /// In screen coordinates.
  void Show(const std::vector<TSnapLine>& lines);
  /// Erases every line shown.
  void Hide() { Show({}); }
  /// The lines on the screen now.
  const std::vector<TSnapLine>& Shown() const { return shown_; }

 private:
  void Draw(const std::vector<TSnapLine>& lines);

  gdi::WindowDC screenDC_;
  TCanvas canvas_;
  std::vector<TSnapLine> shown_;
};
