/// @file
/// The decorative controls made known to the stream reader by their class names.
#pragma once

/// Registers the gradient box, the rotated 3D label, the shine speed button and the history combo
/// box, so that stored layouts naming them can be read. Call it once at start-up, before loading
/// a form that uses them; calling it again does no harm. EFilerError when another class of one
/// of these names is registered already.
void RegisterDecorativeControls();
