/// @file
/// What every rotated label shares: the off-screen bitmap it paints into.
#pragma once

#include "framework/graphics/Bitmap.h"

/// Part of TdxfLabel's implementation; not for use on its own. One bitmap for the whole program,
/// created empty at start-up and freed at shutdown. Each label's Paint grows it to at least its own
/// size (it never shrinks) and rewrites it completely before copying its area to the screen. GUI
/// thread only.
TBitmap& DrawBmp();
