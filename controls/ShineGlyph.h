/// @file
/// The shine speed button's glyph effects: from its glyph, state and effect settings, the bitmap
/// drawn in the glyph's place — lit while hot, greyed, faded, thinned or an edge mask while disabled.
#pragma once

#include <cstdint>
#include <memory>

#include "framework/graphics/Bitmap.h"

// The button's drawing state.
enum class TShineState : std::uint8_t {
  stActiveDown,  ///< pressed or latched down with the mouse over it
  stDown,        ///< latched down
  stActive,      ///< up with the mouse over it
  stUp,
  stDisabled,
};

enum TActiveImageType : std::uint8_t {
  aiNormal,
  aiXorLight,
  aiHalfLight,
  aiQuaterLight,
  aiAddLight,
  aiFrameLight,
  aiFrameLight2,
  aiMaskLight,
};
enum TDisabledImageType : std::uint8_t {
  diDefault,
  diGrayscale,
  diAlphaHalfTrans,
  diAlphaQuaterTrans,
  diMaskTrans,
};

const TTypeInfo& TypeInfoOf(TypeTag<TActiveImageType>);
const TTypeInfo& TypeInfoOf(TypeTag<TDisabledImageType>);

/// The button's settings that shape its state glyph.
struct TGlyphEffects {
  TActiveImageType ActiveImage = aiFrameLight;
  TColor ShineColor = clYellow;
  TDisabledImageType DisabledImage = diDefault;
  TColor FaceColor = clBtnFace;  ///< the up face colour (Colors.Color), mixed in by the disabled fades
};

/// The bitmap to draw for `state`: a device-dependent copy of the glyph with the state's effect,
/// marked transparent in the glyph's background colour (its bottom-left pixel's), or for a disabled
/// diDefault glyph a monochrome edge mask transparent in black. Null for an empty glyph. A glyph of
/// another pixel format is worked on as a 32-bit copy. The glyph itself is only read; the caller
/// owns the result.
std::unique_ptr<TBitmap> CreateStateGlyph(TBitmap& glyph, TShineState state, const TGlyphEffects& effects);
