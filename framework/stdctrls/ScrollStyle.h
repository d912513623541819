/// @file
/// Which scroll bars a control shows.
#pragma once

#include <cstdint>

#include "framework/core/TypeInfo.h"

/// The scroll bars a control may show (a published property: the names and their order are stored).
enum TScrollStyle : std::uint8_t { ssNone, ssHorizontal, ssVertical, ssBoth };

/// Type data of TScrollStyle, for published properties.
const TTypeInfo& TypeInfoOf(TypeTag<TScrollStyle>);

/// Whether `style` includes the horizontal bar, or the vertical one.
///@{
constexpr bool ScrollsHorizontally(TScrollStyle style) { return style == ssHorizontal || style == ssBoth; }
constexpr bool ScrollsVertically(TScrollStyle style) { return style == ssVertical || style == ssBoth; }
///@}
