/// @file
/// Points and rectangles in 32-bit signed pixels, as every drawing and layout call takes them.
#pragma once

/// A point in pixels; the origin (client area, screen, bitmap) is the one of the call that takes it.
struct TPoint {
  int X = 0;  ///< Horizontal coordinate, growing to the right.
  int Y = 0;  ///< Vertical coordinate, growing downwards.
  bool operator==(const TPoint&) const = default;  ///< Equal when both coordinates are.
};

/// Left and top inside, right and bottom outside (as GDI's RECT).
struct TRect {
  int Left = 0;    ///< First column inside.
  int Top = 0;     ///< First row inside.
  int Right = 0;   ///< First column outside, to the right.
  int Bottom = 0;  ///< First row outside, below.

  /// Extent in pixels: Right - Left and Bottom - Top; negative when the rectangle is inverted.
  ///@{
  int Width() const { return Right - Left; }
  int Height() const { return Bottom - Top; }
  ///@}
  /// True when the rectangle covers no pixel (zero or negative width or height).
  bool IsEmpty() const { return Right <= Left || Bottom <= Top; }
  /// True when `p` lies inside: on the left or top edge it does, on the right or bottom edge not.
  bool Contains(const TPoint& p) const { return p.X >= Left && p.X < Right && p.Y >= Top && p.Y < Bottom; }
  bool operator==(const TRect&) const = default;  ///< Equal when all four edges are.
};

/// Makes a TPoint.
inline TPoint Point(int x, int y) { return {x, y}; }
/// Makes a TRect from its four edges (right and bottom outside).
inline TRect Rect(int left, int top, int right, int bottom) { return {left, top, right, bottom}; }
/// Makes a TRect from its top-left corner and its size in pixels.
inline TRect Bounds(int left, int top, int width, int height) { return {left, top, left + width, top + height}; }

/// A width and height in pixels (as GDI's SIZE).
struct TSize {
  int cx = 0;  ///< Width.
  int cy = 0;  ///< Height.
  bool operator==(const TSize&) const = default;  ///< Equal when both extents are.
};
