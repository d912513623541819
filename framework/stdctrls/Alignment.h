/// @file
/// Horizontal alignment and vertical layout of text, shared by labels, panels, edits and memos.
#pragma once

#include <cstdint>

#include "framework/core/TypeInfo.h"

enum TAlignment : std::uint8_t { taLeftJustify, taRightJustify, taCenter };
enum TTextLayout : std::uint8_t { tlTop, tlCenter, tlBottom };

const TTypeInfo& TypeInfoOf(TypeTag<TAlignment>);
const TTypeInfo& TypeInfoOf(TypeTag<TTextLayout>);

/// The DT_LEFT / DT_RIGHT / DT_CENTER flag of DrawText for an alignment.
unsigned DrawTextAlignment(TAlignment alignment);
