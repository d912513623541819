// The classes the workbench's stored layout and its stage files may create by name.
#pragma once

// Call once at start, before the main window is created.
void RegisterWorkbenchClasses();
