// The comics last opened or saved: the comic dialogs start in the folder of the last one, which
// the page's settings file remembers, and each joins the shell's recent documents.
#pragma once

#include "framework/core/SettingsPlace.h"

// The last comic the settings remember; empty when they hold none, or hold what is no full path
// (the settings file is untrusted: nothing else may reach a dialog).
String LastComic(const TSettingsPlace& settings);

// Remembers `fileName` as the last comic and adds it to the shell's recent documents. A settings
// file that cannot be written is passed over: it must not fail the open or save that got here.
void RememberComic(const TSettingsPlace& settings, const String& fileName);
