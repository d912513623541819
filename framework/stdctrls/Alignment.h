/// @file
/// Horizontal alignment and vertical layout of text, shared by labels, panels, edits and memos.
#pragma once

#include <cstdint>

#include "framework/core/TypeInfo.h"

/// Where text lies across its box: at the left, at the right or centred.
enum TAlignment : std::uint8_t { taLeftJustify, taRightJustify, taCenter };
/// Where text lies down its box: at the top, centred or at the bottom.
enum TTextLayout : std::uint8_t { tlTop, tlCenter, tlBottom };

/// Type data of the two enumerations, for published properties.
///@{
const TTypeInfo& TypeInfoOf(TypeTag<TAlignment>);
const TTypeInfo& TypeInfoOf(TypeTag<TTextLayout>);
///@}

/// The DT_LEFT / DT_RIGHT / DT_CENTER flag of DrawText for an alignment.
unsigned DrawTextAlignment(TAlignment alignment);
