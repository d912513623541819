// The last comic in the settings file, checked when read, and the shell's recent documents.
#include "app/comic/RecentComics.h"

#include "framework/core/IniFile.h"
#include "framework/windows/Services.h"

namespace {

constexpr char Section[] = "RecentComics";
constexpr char LastKey[] = "Last";
constexpr std::size_t LongestPath = 32767;  // what Windows' long paths allow

bool IsLetter(char c) { return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z'); }

// "X:\..." or "\\server\...", without control characters: a relative name would be taken from
// wherever the program happens to run.
bool IsFullPath(const String& path) {
  for (const char c : path)
    if (static_cast<unsigned char>(c) < 0x20) return false;
  const bool drive = path.size() > 3 && IsLetter(path[0]) && path[1] == ':' && path[2] == '\\';
  const bool share = path.size() > 2 && path[0] == '\\' && path[1] == '\\';
  return drive || share;
}

}  // namespace

String LastComic(const TSettingsPlace& settings) {
  TIniFile ini(settings.ReadFrom);
  String last = ini.ReadString(Section, LastKey, "", LongestPath + 1);
  return last.size() <= LongestPath && IsFullPath(last) ? last : String();
}

void RememberComic(const TSettingsPlace& settings, const String& fileName) {
  ShellService().AddToRecentDocuments(fileName);
  try {
    PrepareSettingsWrite(settings);
    TIniFile(settings.WriteTo).WriteString(Section, LastKey, fileName);
  } catch (const Exception&) {
    // The dialogs then start where Windows chooses, as on a first run.
  }
}
