// The classes the page window's stored layout names, made known to the stream reader, and the
// narrower set a document may make on the page.
#pragma once

// Call once at start, before the page window is created.
void RegisterPageClasses();

class TDocumentRules;

// What comics, pasted blocks and undo steps may make on the page: its own kinds of control
// (shapes, images, memos, labels, panels, gradient boxes, 3D labels), binding of the form's
// handlers only the frames' own.
void RestrictToPageDocuments(TDocumentRules& rules);
