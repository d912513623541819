/// @file
/// Which scroll bars a control shows.
#pragma once

#include <cstdint>

#include "framework/core/TypeInfo.h"

enum TScrollStyle : std::uint8_t { ssNone, ssHorizontal, ssVertical, ssBoth };

const TTypeInfo& TypeInfoOf(TypeTag<TScrollStyle>);

constexpr bool ScrollsHorizontally(TScrollStyle style) { return style == ssHorizontal || style == ssBoth; }
constexpr bool ScrollsVertically(TScrollStyle style) { return style == ssVertical || style == ssBoth; }
