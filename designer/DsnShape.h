/// @file
/// Drag outlines: exclusive-or rectangles drawn straight onto the screen while the user drags
/// controls, a grab handle or a new control's rectangle. Drawing an outline twice erases it.
#pragma once

#include <memory>
#include <vector>

#include "framework/graphics/Canvas.h"
#include "framework/graphics/GdiHandles.h"

class TControl;
class TWinControl;

/// One outline, drawn with an exclusive-or pen on a canvas it does not own.
class TFundamentalShape : public TObject {
  TAVELKO_CLASS(TFundamentalShape, TObject)

 public:
  /// An outline drawn on `canvas`, which must outlive it; nothing drawn yet.
  explicit TFundamentalShape(TCanvas* canvas);

  /// Erases the outline now on the screen and, unless final, draws it at (X, Y) + Origin.
  virtual void SetBounds(int X, int Y);

  /// Size of the outline in pixels; negative for one drawn up or to the left. Takes effect at the
  /// next SetBounds.
  ///@{
  int Width() const { return width_; }
  void SetWidth(int value) { width_ = value; }
  int Height() const { return height_; }
  void SetHeight(int value) { height_ = value; }
  ///@}
  /// Screen rectangle of the outline last drawn.
  const TRect& Rect() const { return rect_; }
  /// The canvas drawn on; not owned.
  TCanvas* Canvas() const { return canvas_; }
  /// Added to the point given to SetBounds: where the outline lies relative to the pointer.
  ///@{
  const TPoint& Origin() const { return origin_; }
  void SetOrigin(const TPoint& value) { origin_ = value; }
  ///@}
  /// The pen of the next drawing: width in pixels (2 by default), style (solid) and colour (grey).
  /// The colour is combined with the screen by exclusive-or, so what shows is not the colour
  /// itself; an outline is erased with the colour it was drawn in.
  ///@{
  int PenWidth() const { return penWidth_; }
  void SetPenWidth(int value) { penWidth_ = value; }
  TPenStyle PenStyle() const { return penStyle_; }
  void SetPenStyle(TPenStyle value) { penStyle_ = value; }
  TColor PenColor() const { return penColor_; }
  void SetPenColor(TColor value) { penColor_ = value; }
  ///@}
  /// 0: nothing drawn yet; 1: the outline at Rect is on the screen; 2: final, SetBounds only erases.
  ///@{
  int DrawState() const { return drawState_; }
  void SetDrawState(int value) { drawState_ = value; }
  ///@}
  /// True while the outline at Rect is on the screen.
  bool Visible() const { return visible_; }

 private:
  void DrawEdges();

  int width_ = 0;
  int height_ = 0;
  TRect rect_;
  TCanvas* canvas_;  ///< not owned
  TPoint origin_;
  int penWidth_ = 2;
  TPenStyle penStyle_ = psSolid;
  TColor penColor_ = clGray;
  int drawState_ = 0;
  bool visible_ = false;
};

/// The outlines of one drag, drawn on the whole screen; the mouse pointer is confined to the host
/// control from DrowOn to DrowUp. Owns its outlines; holds the screen DC while it lives.
class TMultiShape : public TObject {
  TAVELKO_CLASS(TMultiShape, TObject)

 public:
  /// Takes the screen's device context, held until destruction; no outlines yet.
  TMultiShape();
  /// Gives the pointer back if the drag was not ended with DrowUp. Does not erase.
  ~TMultiShape() override;

  // ---- What variants override: the class of the outlines ----
  /// The outline Add makes for each control, and the one AddNew makes for a rectangle drawn from
  /// scratch. Both must draw on Canvas; the set gives them its pen before use. The default is a
  /// plain TFundamentalShape.
  ///@{
  virtual std::unique_ptr<TFundamentalShape> CreateAddShape();
  virtual std::unique_ptr<TFundamentalShape> CreateAddNewShape();
  ///@}

  // ---- The drag ----
  /// Confines the pointer to the rectangle of the control's outer size at its client origin, in
  /// screen coordinates: its client area when it has no border.
  virtual void DrowOn(TWinControl* control);
  /// Every outline at `p` (screen coordinates) plus its origin.
  virtual void Drow(const TPoint& p);
  /// Frees the pointer and erases every outline on the screen.
  virtual void DrowUp();

  /// One outline the size of `control`, placed at the control's screen position minus Offset.
  /// Nothing for null; EInvalidOperation when the control has no Parent.
  void Add(TControl* control);
  /// Replaces all outlines with one of size 0 at origin 0, for a rectangle drawn from scratch.
  void AddNew();
  /// Size of the first outline in pixels; EListError when there is none.
  ///@{
  void SetWidth(int w);
  void SetHeight(int h);
  ///@}

  /// Number of outlines.
  int Count() const { return static_cast<int>(items_.size()); }
  TFundamentalShape* Items(int index) const;  ///< owned by the set; EListError outside the list
  /// The screen rectangle DrowOn confined the pointer to.
  const TRect& ClipRect() const { return clipRect_; }
  /// The screen's device context, owned by the set; do not release it.
  HDC ScreenDC() const { return screenDC_.Get(); }
  /// The canvas over ScreenDC that the outlines draw on; owned by the set.
  TCanvas* Canvas() const { return canvas_.get(); }
  /// Subtracted by Add from each control's screen position, so that Drow(p) shows every outline
  /// moved by p minus Offset; typically the drag's start point on the screen.
  ///@{
  const TPoint& Offset() const { return offset_; }
  void SetOffset(const TPoint& value) { offset_ = value; }
  ///@}
  /// The pen given to each outline as it is added: colour (grey by default), width in pixels (2)
  /// and style (solid). Set it before adding outlines.
  ///@{
  TColor PenColor() const { return penColor_; }
  void SetPenColor(TColor value) { penColor_ = value; }
  int PenWidth() const { return penWidth_; }
  void SetPenWidth(int value) { penWidth_ = value; }
  TPenStyle PenStyle() const { return penStyle_; }
  void SetPenStyle(TPenStyle value) { penStyle_ = value; }
  ///@}

 private:
  TFundamentalShape* Append(std::unique_ptr<TFundamentalShape> shape);
  TFundamentalShape& First();

  std::vector<std::unique_ptr<TFundamentalShape>> items_;
  TRect clipRect_;
  gdi::WindowDC screenDC_;
  std::unique_ptr<TCanvas> canvas_;  ///< draws on screenDC_; let go of it before the DC goes
  TPoint offset_;
  TColor penColor_ = clGray;
  int penWidth_ = 2;
  TPenStyle penStyle_ = psSolid;
  bool confining_ = false;  ///< ClipCursor is in force from DrowOn until DrowUp
};
