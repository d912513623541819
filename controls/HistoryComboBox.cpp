// THistoryComboBox: the history list, its stores and when they are read and written.
#include "controls/HistoryComboBox.h"

#include <windows.h>

#include <algorithm>
#include <unordered_set>

#include "framework/core/IniFile.h"
#include "framework/core/SettingsPlace.h"
#include "framework/core/Stream.h"
#include "framework/windows/Application.h"

const TTypeInfo& TypeInfoOf(TypeTag<THistoryMode>) {
  static const TTypeInfo info = MakeEnumType("THistoryMode", {"hsAuto", "hsManual", "hsAutoSave", "hsAutoLoad"});
  return info;
}

namespace {

const String kCountEntry = "HistoryCount";

String ItemEntry(int index) { return "History" + IntToStr(index); }

// The file an INI name stands for: ".ini" when it has no extension; without a folder, one of the
// program's settings files (beside the program when it can write there).
TSettingsPlace HistoryFilePlace(const String& name) {
  const String fileName = ExtractFileExt(name).empty() ? name + ".ini" : name;
  if (ExtractFilePath(fileName).empty()) return ProgramSettingsPlace(fileName);
  return {fileName, fileName};
}

// `key` without the backslashes at its end; a 0x5C trail byte of a CP932 character stays.
String WithoutTrailingBackslashes(const String& key) {
  std::size_t end = 0;
  for (std::size_t i = 0; i < key.size();) {
    const bool pair = IsLeadByte(static_cast<unsigned char>(key[i])) && i + 1 < key.size();
    const std::size_t next = i + (pair ? 2 : 1);
    if (pair || key[i] != '\\') end = next;
    i = next;
  }
  return key.substr(0, end);
}

// `text` cut to at most `limit` bytes without splitting a CP932 character.
String CutAtCharacter(const String& text, std::size_t limit) {
  if (text.size() <= limit) return text;
  std::size_t end = 0;
  while (end < limit) {
    const std::size_t next = end + (IsLeadByte(static_cast<unsigned char>(text[end])) ? 2 : 1);
    if (next > limit) break;
    end = next;
  }
  return text.substr(0, end);
}

// A copy of an INI file that is changed and then put in the file's place, so that a save failing
// halfway leaves the file as it was. The copy is removed unless committed.
class TIniFileDraft {
 public:
  explicit TIniFileDraft(const String& fileName)
      : fileName_(CP932ToWide(fileName)), draft_(CreateFileBeside(fileName)), draftName_(CP932ToWide(draft_)),
        ini_(draft_) {
    if (GetFileAttributesW(fileName_.c_str()) == INVALID_FILE_ATTRIBUTES) {
      // The draft starts afresh, and TIniFile makes it a Unicode file.
      DeleteFileW(draftName_.c_str());
    } else if (!CopyFileW(fileName_.c_str(), draftName_.c_str(), FALSE)) {
      DeleteFileW(draftName_.c_str());
      throw EIniFileException("Unable to write to " + fileName);
    }
  }
  ~TIniFileDraft() {
    if (committed_) return;
    Flush();
    DeleteFileW(draftName_.c_str());
  }
  TIniFileDraft(const TIniFileDraft&) = delete;
  TIniFileDraft& operator=(const TIniFileDraft&) = delete;

  TIniFile& Ini() { return ini_; }

  void Commit() {
    Flush();
    if (!MoveFileExW(draftName_.c_str(), fileName_.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH))
      throw EIniFileException("Unable to write to " + WideToCP932(fileName_));
    committed_ = true;
  }

 private:
  // The profile API may keep changes in memory until told to write them.
  void Flush() { WritePrivateProfileStringW(nullptr, nullptr, nullptr, draftName_.c_str()); }

  WideString fileName_;
  String draft_;  // a name beside the file that no file had, so no file of the user's is replaced
  WideString draftName_;
  TIniFile ini_;
  bool committed_ = false;
};

}  // namespace

void THistoryComboBox::Publish(TPublisher<THistoryComboBox>& p) {
  p.Prop("SaveMode", &THistoryComboBox::SaveMode, &THistoryComboBox::SetSaveMode).Default(hsAuto);
  p.Prop("SaveKeyName", &THistoryComboBox::SaveKeyName, &THistoryComboBox::SetSaveKeyName);
  p.Prop("SaveFileName", &THistoryComboBox::SaveFileName, &THistoryComboBox::SetSaveFileName);
  p.Prop("SaveSectionName", &THistoryComboBox::SaveSectionName, &THistoryComboBox::SetSaveSectionName);
}

THistoryComboBox::THistoryComboBox(TComponent* owner) : TComboBox(owner) {}

// The framework's combo box keeps its items when its window goes, so the save reads them as they
// are now, whether the window still exists, was destroyed, or never was made.
THistoryComboBox::~THistoryComboBox() {
  try {
    SaveAutomatically();
  } catch (...) {
    Application->HandleException(this);
  }
}

void THistoryComboBox::Loaded() {
  TComboBox::Loaded();
  try {
    LoadAutomatically();
  } catch (...) {
    Application->HandleException(this);
  }
}

bool THistoryComboBox::Automatic() const {
  return !ComponentState().Contains(csDesigning) && !ComponentState().Contains(csFromDocument);
}

void THistoryComboBox::LoadAutomatically() {
  if (!Automatic() || !Loads()) return;
  if (!saveKeyName_.empty()) LoadFromRegistry(saveKeyName_);
  else if (!saveFileName_.empty()) LoadFromFile(saveFileName_);
}

void THistoryComboBox::SaveAutomatically() {
  if (!Automatic() || !Saves()) return;
  if (!saveKeyName_.empty()) SaveToRegistry(saveKeyName_);
  else if (!saveFileName_.empty()) SaveToFile(saveFileName_);
}

bool THistoryComboBox::AddText(const String& text) {
  if (text.empty()) return false;
  const String entry = CutAtCharacter(text, MaxItemLength);
  TStrings& items = *Items();
  const int index = items.IndexOf(entry);
  if (index >= 0) {
    items.Move(index, 0);
    return false;
  }
  items.Insert(0, entry);
  while (items.Count() > MaxItems) items.Delete(items.Count() - 1);
  return true;
}

bool THistoryComboBox::AddText() { return AddText(Text()); }

String THistoryComboBox::GetSectionString() const { return saveSectionName_.empty() ? Name() : saveSectionName_; }

bool THistoryComboBox::SaveToFile() {
  if (saveFileName_.empty()) return false;
  SaveToFile(saveFileName_);
  return true;
}

bool THistoryComboBox::LoadFromFile() {
  if (saveFileName_.empty()) return false;
  LoadFromFile(saveFileName_);
  return true;
}

bool THistoryComboBox::SaveToRegistry() {
  if (saveKeyName_.empty()) return false;
  SaveToRegistry(saveKeyName_);
  return true;
}

bool THistoryComboBox::LoadFromRegistry() {
  if (saveKeyName_.empty()) return false;
  LoadFromRegistry(saveKeyName_);
  return true;
}

void THistoryComboBox::SaveToFile(const String& name) {
  const TSettingsPlace place = HistoryFilePlace(name);
  PrepareSettingsWrite(place);
  TIniFileDraft draft(place.WriteTo);
  SaveToStore(draft.Ini());
  draft.Commit();
}

void THistoryComboBox::LoadFromFile(const String& name) {
  TIniFile ini(HistoryFilePlace(name).ReadFrom);
  AppendHistory(ini, StrToInt(ini.ReadString(GetSectionString(), kCountEntry, "0")));
}

void THistoryComboBox::SaveToRegistry(const String& key) {
  const String path = WithoutTrailingBackslashes(key);
  if (path.empty()) return;
  TRegistryIniFile store(path);
  SaveToStore(store);
}

void THistoryComboBox::LoadFromRegistry(const String& key) {
  if (key.empty()) return;
  TRegistryIniFile store(key);
  AppendHistory(store, store.ReadInteger(GetSectionString(), kCountEntry, 0));
}

void THistoryComboBox::SaveToStore(TCustomIniFile& store) {
  const String section = GetSectionString();
  // A section without a name would be the whole store.
  if (section.empty()) throw EIniFileException("A history without a section name cannot be saved");
  const TStrings& items = *Items();
  const int count = std::min(items.Count(), MaxItems);
  std::unordered_set<String> written{UpperCase(kCountEntry)};
  for (int i = 0; i < count; ++i) {
    store.WriteString(section, ItemEntry(i), CutAtCharacter(items.Get(i), MaxItemLength));
    written.insert(UpperCase(ItemEntry(i)));
  }
  store.WriteInteger(section, kCountEntry, count);
  for (const String& name : store.ReadSection(section))
    if (!written.contains(UpperCase(name))) store.DeleteKey(section, name);
}

void THistoryComboBox::AppendHistory(TCustomIniFile& store, int count) {
  const String section = GetSectionString();
  // The budget is the box's, not the store's: what the box holds already counts.
  const int bounded = std::min(count, MaxItems - Items()->Count());
  for (int i = 0; i < bounded; ++i)
    Items()->Add(CutAtCharacter(store.ReadString(section, ItemEntry(i), String(), MaxItemLength), MaxItemLength));
}

void RegisterHistoryComboBoxClasses() { RegisterClasses({&THistoryComboBox::StaticClassInfo()}); }
