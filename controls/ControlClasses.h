/// @file
/// The decorative controls made known to the stream reader by their class names.
#pragma once

// The gradient box, the rotated 3D label, the shine speed button and the history combo box.
void RegisterDecorativeControls();
