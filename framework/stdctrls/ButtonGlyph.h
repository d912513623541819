/// @file
/// What the framework's buttons share: the glyph (a bitmap of up to four cells: normal, disabled,
/// pressed, down), the placement of glyph and caption, and the 3D edge of the face.
#pragma once

#include <cstdint>
#include <memory>

#include "framework/graphics/Bitmap.h"
#include "framework/graphics/Canvas.h"

/// Which side of the caption a button's glyph is on.
enum TButtonLayout : std::uint8_t { blGlyphLeft, blGlyphRight, blGlyphTop, blGlyphBottom };

/// Type data of TButtonLayout, for the buttons' published Layout.
const TTypeInfo& TypeInfoOf(TypeTag<TButtonLayout>);
/// NumGlyphs: an integer from 1 to 4.
const TTypeInfo& NumGlyphsTypeInfo();

/// The look a button is drawn in; it chooses the glyph cell.
enum class TButtonState {
  Up,         ///< cell 0
  Disabled,   ///< cell 1; without it cell 0 embossed in the shadow colours
  Pressed,    ///< cell 2 (or 0): the mouse holds the button down
  Exclusive,  ///< cell 3 (or 0): the button stays down
};

/// A button's glyph and how it is drawn: the bitmap is split into NumGlyphs cells of equal width,
/// one per TButtonState, and drawn without the pixels of its transparent colour (the bottom-left
/// pixel's unless set). Buttons own one and forward their Glyph and NumGlyphs to it.
class TButtonGlyph : public TObject {
  TAVELKO_CLASS(TButtonGlyph, TObject)

 public:
  TButtonGlyph();
  ~TButtonGlyph() override;

  /// Owned; the setter copies, null empties it.
  ///@{
  TBitmap* Glyph() const { return glyph_.get(); }
  void SetGlyph(TBitmap* value);
  ///@}
  /// How many cells the bitmap holds.
  ///@{
  int NumGlyphs() const { return numGlyphs_; }
  void SetNumGlyphs(int value);  ///< kept within 1..4
  ///@}
  /// One cell; 0 x 0 for an empty glyph.
  TSize CellSize() const;

  /// Where the glyph's top-left and the caption's rectangle go inside `client`: glyph and caption
  /// side by side (or stacked) `spacing` apart, `margin` from the edge the layout names, or centred
  /// for a negative margin. The caption is measured in the canvas's font.
  void CalcLayout(TCanvas& canvas, const TRect& client, const String& caption, TButtonLayout layout, int margin,
                  int spacing, TPoint& glyphPos, TRect& textRect) const;
  /// Draws glyph and caption as CalcLayout places them, moved by `offset`, in the canvas's font.
  void Draw(TCanvas& canvas, const TRect& client, const TPoint& offset, const String& caption, TButtonLayout layout,
            int margin, int spacing, TButtonState state);

  /// The glyph or the number of cells changed.
  TNotifyEvent OnChange;

 private:
  void GlyphChanged(TObject* sender);
  void DrawCell(TCanvas& canvas, const TPoint& at, TButtonState state);
  void DrawEmbossed(TCanvas& canvas, const TPoint& at);

  std::unique_ptr<TBitmap> glyph_;
  int numGlyphs_ = 1;
};

/// The 3D edge of a button face inside `rect`: raised or sunken, two pixels deep, or one pixel deep
/// for a flat button.
enum class TButtonEdge { None, Raised, Sunken, FlatRaised, FlatSunken };
/// Draws `edge` along the inside of `rect` in the system's 3D colours (None draws nothing).
void DrawButtonEdge(TCanvas& canvas, const TRect& rect, TButtonEdge edge);

/// The caption drawn embossed when disabled: highlight one pixel down and right, shadow above.
void DrawButtonCaption(TCanvas& canvas, const String& caption, TRect rect, bool enabled);
