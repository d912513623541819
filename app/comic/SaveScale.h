// The sizes a comic is saved at: the page as the screen shows it, and twice and four times as
// large for phones and print. The save dialog offers them as file types; the settings file
// remembers the last choice.
#pragma once

#include <array>

#include "framework/core/SettingsPlace.h"
#include "framework/core/Text.h"

class TCustomIniFile;

// In the order of the dialog's file types; the first is the default.
inline constexpr std::array<int, 3> kSaveScales{1, 2, 4};

// The save dialog's filter: one JPEG file type per scale, naming the size of the saved picture.
String SaveScaleFilter(int pageWidth, int pageHeight);
// The scale of the dialog's file type `filterIndex` (from 1); 1 for any other index.
int ScaleOfFileType(int filterIndex);
// The file type (from 1) of one of kSaveScales.
int FileTypeOfScale(int scale);

// The scale the settings remember; 1 when they hold none or a value that is no save scale.
int RememberedSaveScale(TCustomIniFile& settings);
// Remembers the scale; a settings file that cannot be written only forgets it.
void RememberSaveScale(const TSettingsPlace& settings, int scale);
