// Settings stores: an INI file and the registry below HKEY_CURRENT_USER give back what was
// written, Japanese text included, and erase whole sections and nothing else; and where a
// program's settings file lives.
#include <gtest/gtest.h>
#include <windows.h>
#include <shlobj.h>

#include "framework/core/IniFile.h"
#include "framework/core/SettingsPlace.h"
#include "tests/support/TempFiles.h"

namespace {

// Both stores must behave alike; each test runs on both.
void RoundTrip(TCustomIniFile& store) {
  store.EraseSection("History");
  EXPECT_EQ(store.ReadString("History", "History0", "none"), "none");
  EXPECT_EQ(store.ReadInteger("History", "HistoryCount", 7), 7);
  store.WriteInteger("History", "HistoryCount", 2);
  store.WriteString("History", "History0", "台詞の履歴");
  store.WriteString("History", "History1", "");
  store.WriteString("Other", "Keep", "yes");
  EXPECT_EQ(store.ReadInteger("History", "HistoryCount", 0), 2);
  EXPECT_EQ(store.ReadString("History", "History0", ""), "台詞の履歴");
  EXPECT_EQ(store.ReadString("History", "History1", "x"), "");
  store.WriteInteger("History", "Negative", -5);
  EXPECT_EQ(store.ReadInteger("History", "Negative", 0), -5);
  store.WriteString("History", "NotANumber", "12x");
  EXPECT_EQ(store.ReadInteger("History", "NotANumber", 3), 3);
  store.WriteBool("History", "Flag", true);
  EXPECT_TRUE(store.ReadBool("History", "Flag", false));
  const String longText(5000, 'z');
  store.WriteString("History", "Long", longText);
  EXPECT_EQ(store.ReadString("History", "Long", ""), longText);
  store.EraseSection("History");
  EXPECT_EQ(store.ReadString("History", "History0", "gone"), "gone");
  EXPECT_EQ(store.ReadInteger("History", "HistoryCount", -1), -1);
  EXPECT_EQ(store.ReadString("Other", "Keep", ""), "yes");
  store.EraseSection("Other");
  store.EraseSection("NeverWritten");
  // A section without a name would be the whole store.
  store.WriteString("Kept", "Value", "yes");
  EXPECT_THROW(store.EraseSection(""), EIniFileException);
  EXPECT_EQ(store.ReadString("Kept", "Value", ""), "yes");
}

}  // namespace

TEST(IniFile, RoundTripAndEraseSection) {
  test_support::TTempFolder folder;
  TIniFile ini(folder.File("履歴.ini"));
  RoundTrip(ini);
}

TEST(IniFile, UnwritableFileRaises) {
  TIniFile ini("Q:\\no\\such\\folder\\x.ini");
  EXPECT_THROW(ini.WriteString("S", "I", "v"), EIniFileException);
}

TEST(RegistryIniFile, RoundTripAndEraseSection) {
  const String key = "Software\\TavelkoTests\\core" + IntToStr(GetCurrentProcessId());
  {
    TRegistryIniFile registry(key);
    RoundTrip(registry);
    // A number written as text is read as a number as well.
    registry.WriteString("Mixed", "Count", "12");
    EXPECT_EQ(registry.ReadInteger("Mixed", "Count", 0), 12);
    registry.EraseSection("Mixed");
    // Keys below a section are no part of it.
    registry.WriteString("Outer", "Value", "gone");
    registry.WriteString("Outer\\Inner", "Value", "kept");
    registry.EraseSection("Outer");
    EXPECT_EQ(registry.ReadString("Outer", "Value", "none"), "none");
    EXPECT_EQ(registry.ReadString("Outer\\Inner", "Value", ""), "kept");
  }
  RegDeleteTreeW(HKEY_CURRENT_USER, CP932ToWide(key).c_str());
}

// A program's settings: beside it where it can write, else in the user's folder (made on the first
// write), where a file left beside the program is read until the first write starts from a copy.
TEST(SettingsPlace, BesideAWritableProgramElseInTheUsersFolder) {
  test_support::TTempFolder user, portable;
  EXPECT_EQ(SettingsPlaceIn(portable.Path(), user.Path(), "A.ini"),
            (TSettingsPlace{portable.File("A.ini"), portable.File("A.ini")}));
  const TSettingsPlace unwritable = SettingsPlaceIn(portable.File("missing"), user.File("New"), "A.ini");
  EXPECT_EQ(unwritable, (TSettingsPlace{user.File("New\\A.ini"), user.File("New\\A.ini")}));
  PrepareSettingsWrite(unwritable);
  EXPECT_NO_THROW(TIniFile(unwritable.WriteTo).WriteString("Recent", "Last", "y"));

  // Program Files counts as unwritable even where this process may write (Wine, administrators).
  wchar_t programFiles[MAX_PATH] = {};
  ASSERT_EQ(SHGetFolderPathW(nullptr, CSIDL_PROGRAM_FILES, nullptr, SHGFP_TYPE_CURRENT, programFiles), S_OK);
  const String installed = WideToCP932(programFiles) + "\\TavelkoSettingsTest" + IntToStr(GetCurrentProcessId());
  if (!CreateDirectoryW(CP932ToWide(installed).c_str(), nullptr)) GTEST_SKIP() << "cannot make " << installed;
  TIniFile(installed + "\\A.ini").WriteString("Information", "Endpoint", "https://example.org/");
  const TSettingsPlace place = SettingsPlaceIn(installed, user.Path(), "A.ini");
  EXPECT_EQ(place, (TSettingsPlace{installed + "\\A.ini", user.File("A.ini")}));
  PrepareSettingsWrite(place);
  TIniFile(place.WriteTo).WriteString("Recent", "Last", "x");
  TIniFile copy(SettingsPlaceIn(installed, user.Path(), "A.ini").ReadFrom);
  EXPECT_EQ(copy.FileName(), user.File("A.ini"));
  EXPECT_EQ(copy.ReadString("Information", "Endpoint", ""), "https://example.org/");
  DeleteFileW(CP932ToWide(installed + "\\A.ini").c_str());
  RemoveDirectoryW(CP932ToWide(installed).c_str());
}
