/// @file
/// Registration of the standard controls with the class registry, so that component streams naming
/// them can be read. A program calls it once at start, before it reads its first layout.
#pragma once

void RegisterStdControls();
