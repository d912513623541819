/// @file
/// Registration of the standard controls with the class registry, so that component streams naming
/// them can be read. A program calls it once at start, before it reads its first layout.
#pragma once

/// Registers every streamable class of the standard controls (panels, shapes, images, edits, memos,
/// combo boxes, labels, buttons, timers, menus and menu items, dialogs, string grids). Calling it
/// again does no harm; EFilerError when another class of one of these names is registered already.
void RegisterStdControls();
