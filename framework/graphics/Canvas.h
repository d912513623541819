/// @file
/// TCanvas: drawing on any device context (a window's, a bitmap's, the screen's) with a pen, a brush
/// and a font that are selected into the DC only when a drawing call needs them.
#pragma once

#include <windows.h>

#include <memory>
#include <span>

#include "framework/graphics/Brush.h"
#include "framework/graphics/Font.h"
#include "framework/graphics/Geometry.h"
#include "framework/graphics/Pen.h"

class TGraphic;
class TBitmap;

/// A ternary raster operation for copying pixels (BitBlt's last argument).
using TCopyMode = unsigned long;
/// The raster operations of BitBlt under the framework's names (cmSrcCopy is SRCCOPY...).
///@{
constexpr TCopyMode cmBlackness = BLACKNESS;
constexpr TCopyMode cmDstInvert = DSTINVERT;
constexpr TCopyMode cmMergeCopy = MERGECOPY;
constexpr TCopyMode cmMergePaint = MERGEPAINT;
constexpr TCopyMode cmNotSrcCopy = NOTSRCCOPY;
constexpr TCopyMode cmNotSrcErase = NOTSRCERASE;
constexpr TCopyMode cmPatCopy = PATCOPY;
constexpr TCopyMode cmPatInvert = PATINVERT;
constexpr TCopyMode cmPatPaint = PATPAINT;
constexpr TCopyMode cmSrcAnd = SRCAND;
constexpr TCopyMode cmSrcCopy = SRCCOPY;
constexpr TCopyMode cmSrcErase = SRCERASE;
constexpr TCopyMode cmSrcInvert = SRCINVERT;
constexpr TCopyMode cmSrcPaint = SRCPAINT;
constexpr TCopyMode cmWhiteness = WHITENESS;
///@}

/// Drawing calls over a device context that the canvas borrows: a pen for lines and outlines, a
/// brush for fills and text backgrounds, a font for text, each selected into the DC when a call
/// first needs it after a change. Coordinates are logical units of the DC (pixels, origin at the
/// top-left of what the DC covers, unless its mapping was changed).
///
/// Like the whole framework, a canvas is used only on the thread that runs the message loop. A plain
/// TCanvas draws on the DC given to SetHandle; derived canvases (a bitmap's, a control's) make their
/// DC on demand in CreateHandle.
class TCanvas : public TPersistent {
  TAVELKO_CLASS(TCanvas, TPersistent)

 public:
  /// A canvas without a DC, with a default pen, brush and font.
  TCanvas();
  /// Lets the DC go (see SetHandle).
  ~TCanvas() override;

  // ---- The device context ----
  /// The DC drawn on, with the pen, brush and font selected and their colours and modes set, for
  /// platform calls made on it directly (GetTextMetrics, DrawText...). Without a DC the canvas asks
  /// CreateHandle; if there is still none it raises EInvalidGraphicOperation "Canvas does not
  /// allow drawing".
  HDC Handle() { return DC(kPenValid | kBrushValid | kFontValid); }
  /// Draws on `dc` from now on (null: on nothing). The canvas never deletes or releases a DC: it
  /// saves the DC's state when it takes it and restores it, with the DC's own pen, brush and font,
  /// when it lets it go; so the caller may release the DC right after.
  void SetHandle(HDC dc);
  /// True when the canvas has a DC now; never asks CreateHandle for one.
  bool HandleAllocated() const { return dc_ != nullptr; }

  // ---- Drawing tools (owned; the setters copy) ----
  /// The pen of lines and outlines. The getter returns the canvas's own object (never null, lives as
  /// long as the canvas; change it in place); the setter copies the properties of `pen`.
  ///@{
  TPen* Pen() const { return pen_.get(); }
  void SetPen(TPen* pen) { pen_->Assign(pen); }
  ///@}
  /// The brush of fills and text backgrounds; owned by the canvas, as Pen.
  ///@{
  TBrush* Brush() const { return brush_.get(); }
  void SetBrush(TBrush* brush) { brush_->Assign(brush); }
  ///@}
  /// The font of text; owned by the canvas, as Pen.
  ///@{
  TFont* Font() const { return font_.get(); }
  void SetFont(TFont* font) { font_->Assign(font); }
  ///@}
  /// The raster operation of CopyRect and of drawing bitmaps; cmSrcCopy at first.
  ///@{
  TCopyMode CopyMode() const { return copyMode_; }
  void SetCopyMode(TCopyMode mode) { copyMode_ = mode; }
  ///@}
  /// The DC's current position, where LineTo starts; both need a DC (see Handle).
  ///@{
  TPoint PenPos();
  void SetPenPos(const TPoint& position);
  ///@}

  // ---- Shapes ----
  /// Fills with the brush alone; the right and bottom edges are outside.
  void FillRect(const TRect& rect);
  /// A one-pixel frame in the brush's colour.
  void FrameRect(const TRect& rect);
  /// The pen draws the border inside x1..x2-1, y1..y2-1 and the brush fills the inside.
  ///@{
  void Rectangle(int x1, int y1, int x2, int y2);
  void Rectangle(const TRect& rect) { Rectangle(rect.Left, rect.Top, rect.Right, rect.Bottom); }
  ///@}
  /// As Rectangle, with corners rounded by an ellipse `cornerWidth` by `cornerHeight` pixels.
  void RoundRect(int x1, int y1, int x2, int y2, int cornerWidth, int cornerHeight);
  /// The ellipse inside the rectangle x1..x2, y1..y2: outlined with the pen, filled with the brush.
  ///@{
  void Ellipse(int x1, int y1, int x2, int y2);
  void Ellipse(const TRect& rect) { Ellipse(rect.Left, rect.Top, rect.Right, rect.Bottom); }
  ///@}
  /// Sets PenPos without drawing.
  void MoveTo(int x, int y);
  /// A line from PenPos to (x, y), the end point not drawn; PenPos becomes (x, y).
  void LineTo(int x, int y);
  /// Lines joining `points` in turn with the pen; PenPos is neither used nor changed.
  void Polyline(std::span<const TPoint> points);

  // ---- Text: CP932, converted to UTF-16 at the call ----
  /// (x, y) is the top-left of the text cell in the text's own (possibly turned) frame; with a solid
  /// brush the cell is filled with its colour, with bsClear the text has no background.
  void TextOut(int x, int y, const String& text);
  /// As TextOut, clipped to rect (which a solid brush fills first).
  void TextRect(const TRect& rect, int x, int y, const String& text);
  /// Size of `text` on one line in the font, in logical units (GetTextExtentPoint32); draws nothing.
  ///@{
  TSize TextExtent(const String& text);
  int TextWidth(const String& text) { return TextExtent(text).cx; }
  int TextHeight(const String& text) { return TextExtent(text).cy; }
  ///@}
  /// DrawTextW with the DT_ flags; with DT_CALCRECT the rectangle receives the text's extent.
  /// Returns the height of the text.
  int DrawText(const String& text, TRect& rect, unsigned format);

  // ---- Pictures and pixels ----
  /// The graphic at its own size, its top-left at (x, y); a transparent bitmap leaves the pixels of
  /// its transparent colour as they were. Nothing for null or an empty graphic.
  void Draw(int x, int y, TGraphic* graphic);
  /// As Draw, the graphic stretched or shrunk to fill `rect`.
  void StretchDraw(const TRect& rect, TGraphic* graphic);
  /// Copies (and stretches) the rectangle of `source` with CopyMode; `source` may be this canvas.
  void CopyRect(const TRect& dest, TCanvas& source, const TRect& sourceRect);
  /// Copies the bitmap's rectangle; its pixels of `color` become the brush's colour, or, with a
  /// clear brush, are not drawn at all.
  void BrushCopy(const TRect& dest, TBitmap* bitmap, const TRect& source, TColor color);
  /// One pixel: its RGB colour, -1 outside the clipping region; the setter takes any TColor (system
  /// colours resolved) and does nothing outside the clipping region.
  ///@{
  TColor Pixels(int x, int y);
  void SetPixels(int x, int y, TColor color);
  ///@}

  // ---- Paths and clipping ----
  /// A GDI path: between BeginPath and EndPath the drawing calls record outlines instead of drawing;
  /// StrokePath then draws the path with the pen, SelectClipPath turns it into clipping.
  ///@{
  void BeginPath();
  void EndPath();
  void StrokePath();
  ///@}
  /// Combines the path with the clipping region; `mode`: RGN_COPY, RGN_AND, ...
  void SelectClipPath(int mode);
  /// Removes every clipping region: drawing may touch all of the DC again.
  void ClearClipRegion();
  /// The smallest rectangle around the part of the DC that drawing may touch now.
  TRect ClipRect();

  // ---- Notification: before and after every drawing call ----
  /// Raised with the canvas as the sender after every call that changes pixels (not after MoveTo,
  /// a tool change, path recording or clipping); a bitmap raises its own OnChange from its canvas's.
  ///@{
  const TNotifyEvent& OnChange() const { return onChange_; }
  void SetOnChange(const TNotifyEvent& handler) { onChange_ = handler; }
  ///@}
  /// Raised with the canvas as the sender before every call that changes pixels.
  ///@{
  const TNotifyEvent& OnChanging() const { return onChanging_; }
  void SetOnChanging(const TNotifyEvent& handler) { onChanging_ = handler; }
  ///@}

 protected:
  /// Canvases that can make a DC on demand (a bitmap's, a control's) call SetHandle here.
  virtual void CreateHandle() {}
  /// Raise OnChanging and OnChange; a derived canvas calls them around drawing of its own.
  ///@{
  void Changing() { onChanging_(this); }
  void Changed() { onChange_(this); }
  ///@}

 private:
  enum StateBits : unsigned { kPenValid = 1, kBrushValid = 2, kFontValid = 4 };
  /// The DC with the tools of `state` selected and their colours and modes set.
  HDC DC(unsigned state);
  void ToolChanged(TObject* sender);

  std::unique_ptr<TPen> pen_;
  std::unique_ptr<TBrush> brush_;
  std::unique_ptr<TFont> font_;
  TCopyMode copyMode_ = cmSrcCopy;
  HDC dc_ = nullptr;           ///< not owned
  int savedState_ = 0;         ///< SaveDC level to go back to
  unsigned state_ = 0;         ///< StateBits of the tools now selected
  SharedGdiObject<HPEN> selectedPen_;
  SharedGdiObject<HBRUSH> selectedBrush_;
  SharedGdiObject<HFONT> selectedFont_;
  TNotifyEvent onChange_;
  TNotifyEvent onChanging_;
};
