// The settings place through the platform: the program's folder, a probe whether it can be
// written, and the shell's application data and Program Files folders.
#include "framework/core/SettingsPlace.h"

#include <windows.h>
#include <shlobj.h>

#include "framework/core/IniFile.h"
#include "framework/core/Stream.h"

namespace {

String& UserSettingsFolderName() {
  static String name;
  return name;
}

WideString ShellFolder(int csidl) {
  wchar_t path[MAX_PATH] = {};
  return SHGetFolderPathW(nullptr, csidl, nullptr, SHGFP_TYPE_CURRENT, path) == S_OK ? WideString(path) : WideString();
}

// `path` is `folder` or lies below it (letter case ignored, as the file system does).
bool IsWithin(const WideString& path, const WideString& folder) {
  if (folder.empty() || path.size() < folder.size()) return false;
  if (CompareStringOrdinal(path.c_str(), static_cast<int>(folder.size()), folder.c_str(),
                           static_cast<int>(folder.size()), TRUE) != CSTR_EQUAL)
    return false;
  return path.size() == folder.size() || path[folder.size()] == L'\\' || folder.back() == L'\\';
}

// Tried rather than worked out from access rights: a read-only share or medium, a folder of
// another user's, a policy all say no the same way. Program Files says yes to an administrator
// (and to every program under Wine), though a program started normally must not write there.
// `folder` ends with its separator.
bool CanKeepSettingsIn(const String& folder) {
  const WideString wideFolder = CP932ToWide(folder);
  for (const int programFiles : {CSIDL_PROGRAM_FILES, CSIDL_PROGRAM_FILESX86})
    if (IsWithin(wideFolder, ShellFolder(programFiles))) return false;
  const WideString probe = wideFolder + L"~settings-" + std::to_wstring(GetCurrentProcessId()) + L".tmp";
  HANDLE file = CreateFileW(probe.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                            FILE_ATTRIBUTE_TEMPORARY | FILE_ATTRIBUTE_HIDDEN | FILE_FLAG_DELETE_ON_CLOSE, nullptr);
  if (file == INVALID_HANDLE_VALUE) return false;
  CloseHandle(file);
  return true;
}

String UserSettingsFolder() {
  const String& named = UserSettingsFolderName();
  const String folder = named.empty() ? ChangeFileExt(ExtractFileName(ParamStr(0)), "") : named;
  return IncludeTrailingPathDelimiter(WideToCP932(ShellFolder(CSIDL_APPDATA))) + folder;
}

}  // namespace

void SetUserSettingsFolderName(const String& name) { UserSettingsFolderName() = name; }

TSettingsPlace ProgramSettingsPlace(const String& name) {
  return SettingsPlaceIn(ExtractFilePath(ParamStr(0)), UserSettingsFolder(), name);
}

TSettingsPlace SettingsPlaceIn(const String& programFolder, const String& userFolder, const String& name) {
  const String beside = IncludeTrailingPathDelimiter(programFolder) + name;
  if (CanKeepSettingsIn(IncludeTrailingPathDelimiter(programFolder))) return {beside, beside};
  const String own = IncludeTrailingPathDelimiter(userFolder) + name;
  return {FileExists(own) || !FileExists(beside) ? own : beside, own};
}

void PrepareSettingsWrite(const TSettingsPlace& place) {
  if (FileExists(place.WriteTo)) return;
  WideString folder = CP932ToWide(ExtractFilePath(place.WriteTo));
  if (!folder.empty() && folder.back() == L'\\') folder.pop_back();
  // Makes every missing folder of the path: the user's application data folder may be new too.
  const int made = SHCreateDirectoryExW(nullptr, folder.c_str(), nullptr);
  if (made != ERROR_SUCCESS && made != ERROR_ALREADY_EXISTS && made != ERROR_FILE_EXISTS)
    throw EIniFileException("Unable to make the settings folder " + ExtractFilePath(place.WriteTo));
  if (place.ReadFrom != place.WriteTo && FileExists(place.ReadFrom) &&
      !CopyFileW(CP932ToWide(place.ReadFrom).c_str(), CP932ToWide(place.WriteTo).c_str(), TRUE))
    throw EIniFileException("Unable to write to " + place.WriteTo);
}
