// The classes the page window's stored layout names, made known to the stream reader.
#pragma once

// Call once at start, before the page window is created.
void RegisterPageClasses();
