/// @file
/// Where a program keeps its own settings files: beside itself as a portable copy does, or in the
/// user's application data folder when it was installed where it cannot write.
#pragma once

#include "framework/core/Text.h"

/// One settings file, read from ReadFrom and written to WriteTo. They differ only while a file
/// left beside a program that can no longer write there is still read, until the first write.
struct TSettingsPlace {
  String ReadFrom;  ///< path of the file to read
  String WriteTo;   ///< path of the file to write
  bool operator==(const TSettingsPlace&) const = default;  ///< both paths equal (bytes compared)
};

/// The folder below the user's application data folder that holds the settings of a program that
/// cannot keep them beside itself. A program names it once at start; until then it is the
/// program's file name without extension.
void SetUserSettingsFolderName(const String& name);

/// The settings file `name` (a file name without folder, such as "Tavelko.ini"). Beside the
/// program while its folder can be written and is no Program Files folder (where Windows lets only
/// administrators write); otherwise in the user's settings folder, except that a file beside the
/// program is read there until the user's own copy exists.
TSettingsPlace ProgramSettingsPlace(const String& name);
/// The same choice for a program in `programFolder` whose user settings folder is `userFolder`.
TSettingsPlace SettingsPlaceIn(const String& programFolder, const String& userFolder, const String& name);

/// For writing `place` when WriteTo has no file yet: makes its folder, and starts it as a copy of
/// ReadFrom when that is another file, so a first write keeps what the old file held.
/// EIniFileException when it cannot.
void PrepareSettingsWrite(const TSettingsPlace& place);
