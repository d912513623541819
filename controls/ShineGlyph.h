/// @file
/// The shine speed button's glyph effects: from its glyph, state and effect settings, the bitmap
/// drawn in the glyph's place — lit while hot, greyed, faded, thinned or an edge mask while disabled.
#pragma once

#include <cstdint>
#include <memory>

#include "framework/graphics/Bitmap.h"

/// The button's drawing state.
enum class TShineState : std::uint8_t {
  stActiveDown,  ///< pressed or latched down with the mouse over it
  stDown,        ///< latched down
  stActive,      ///< up with the mouse over it
  stUp,          ///< up, the mouse elsewhere
  stDisabled,    ///< the button is disabled
};

/// How the glyph shines while the mouse is over the button; "shine" is the ShineColor, the glyph's
/// pixels are all but those of its background colour.
enum TActiveImageType : std::uint8_t {
  aiNormal,       ///< the glyph unchanged
  aiXorLight,     ///< glyph pixels XOR the shine colour
  aiHalfLight,    ///< glyph pixels halfway to the shine colour
  aiQuaterLight,  ///< glyph pixels three quarters of the way to the shine colour
  aiAddLight,     ///< the shine colour added to the glyph pixels, each channel at most 255
  aiFrameLight,   ///< a one-pixel outline in the shine colour around the glyph
  aiFrameLight2,  ///< a two-pixel outline in the shine colour around the glyph
  aiMaskLight,    ///< every other glyph pixel in the shine colour (a checkerboard or stripes)
};
/// How the glyph looks while the button is disabled.
enum TDisabledImageType : std::uint8_t {
  diDefault,           ///< the glyph's edges embossed in DisabledHighlight and DisabledShadow
  diGrayscale,         ///< glyph pixels turned grey
  diAlphaHalfTrans,    ///< glyph pixels halfway to the face colour
  diAlphaQuaterTrans,  ///< glyph pixels three quarters of the way to the face colour
  diMaskTrans,         ///< every other glyph pixel left out (a checkerboard or stripes)
};

/// The type data of the glyph effect enumerations, for publishing and streaming properties by the
/// value names.
///@{
const TTypeInfo& TypeInfoOf(TypeTag<TActiveImageType>);
const TTypeInfo& TypeInfoOf(TypeTag<TDisabledImageType>);
///@}

/// The button's settings that shape its state glyph.
struct TGlyphEffects {
  TActiveImageType ActiveImage = aiFrameLight;   ///< effect of the hot states
  TColor ShineColor = clYellow;                  ///< colour of the hot effect
  TDisabledImageType DisabledImage = diDefault;  ///< effect of the disabled state
  TColor FaceColor = clBtnFace;  ///< the up face colour (Colors.Color), mixed in by the disabled fades
};

/// The bitmap to draw for `state`: a device-dependent copy of the glyph with the state's effect,
/// marked transparent in the glyph's background colour (its bottom-left pixel's), or for a disabled
/// diDefault glyph a monochrome edge mask transparent in black. Null for an empty glyph. A glyph of
/// another pixel format is worked on as a 32-bit copy. The glyph itself is only read; the caller
/// owns the result.
std::unique_ptr<TBitmap> CreateStateGlyph(TBitmap& glyph, TShineState state, const TGlyphEffects& effects);
