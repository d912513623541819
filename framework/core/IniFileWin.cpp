// Settings stores through the platform: the profile API for INI files and the registry under
// HKEY_CURRENT_USER.
#include <windows.h>

#include <algorithm>
#include <iterator>

#include "framework/core/IniFile.h"

// ---- TCustomIniFile ----

int TCustomIniFile::ReadInteger(const String& section, const String& ident, int fallback) {
  return StrToIntDef(ReadString(section, ident, String()), fallback);
}

void TCustomIniFile::WriteInteger(const String& section, const String& ident, int value) {
  WriteString(section, ident, IntToStr(value));
}

bool TCustomIniFile::ReadBool(const String& section, const String& ident, bool fallback) {
  return ReadInteger(section, ident, fallback ? 1 : 0) != 0;
}

void TCustomIniFile::WriteBool(const String& section, const String& ident, bool value) {
  WriteInteger(section, ident, value ? 1 : 0);
}

// ---- TIniFile ----

TIniFile::TIniFile(const String& fileName) : fileName_(fileName), wideFileName_(CP932ToWide(fileName)) {}

namespace {

// The profile API's answer for `section` and `ident` (null: the names), as many characters as
// `maxChars` allows: it truncates silently, so the buffer grows until the answer leaves room to
// spare or reaches the limit.
WideString ProfileText(const wchar_t* section, const wchar_t* ident, const WideString& fallback,
                       const WideString& fileName, std::size_t maxChars) {
  const std::size_t limit = std::min<std::size_t>(maxChars, 1u << 30) + 2;
  for (std::size_t size = std::min<std::size_t>(2048, limit);; size = std::min(size * 2, limit)) {
    WideString buffer(size, L'\0');
    const DWORD length = GetPrivateProfileStringW(section, ident, fallback.c_str(), buffer.data(),
                                                  static_cast<DWORD>(size), fileName.c_str());
    if (length + 2 < size || size == limit) {
      buffer.resize(std::min<std::size_t>(length, maxChars));
      return buffer;
    }
  }
}

}  // namespace

String TIniFile::ReadString(const String& section, const String& ident, const String& fallback, std::size_t maxChars) {
  return WideToCP932(ProfileText(CP932ToWide(section).c_str(), CP932ToWide(ident).c_str(), CP932ToWide(fallback),
                                 wideFileName_, maxChars));
}

std::vector<String> TIniFile::ReadSection(const String& section) {
  // The names come zero-separated.
  const WideString names = ProfileText(CP932ToWide(section).c_str(), nullptr, WideString(), wideFileName_, SIZE_MAX);
  std::vector<String> result;
  for (std::size_t start = 0; start < names.size();) {
    const std::size_t end = std::min(names.find(L'\0', start), names.size());
    if (end > start) result.push_back(WideToCP932(names.substr(start, end - start)));
    start = end + 1;
  }
  return result;
}

void TIniFile::DeleteKey(const String& section, const String& ident) {
  if (!WritePrivateProfileStringW(CP932ToWide(section).c_str(), CP932ToWide(ident).c_str(), nullptr,
                                  wideFileName_.c_str()))
    throw EIniFileException("Unable to write to " + fileName_);
}

// The profile API writes a new file in the machine's ANSI code page, which loses Japanese text on
// a Windows of another language; a file that starts as UTF-16 stays UTF-16.
void TIniFile::CreateUnicodeFile() const {
  HANDLE file = CreateFileW(wideFileName_.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) return;  // it exists already, or the write below reports the failure
  static constexpr unsigned char bom[] = {0xFF, 0xFE};
  DWORD written = 0;
  WriteFile(file, bom, sizeof bom, &written, nullptr);
  CloseHandle(file);
}

void TIniFile::WriteString(const String& section, const String& ident, const String& value) {
  CreateUnicodeFile();
  if (!WritePrivateProfileStringW(CP932ToWide(section).c_str(), CP932ToWide(ident).c_str(), CP932ToWide(value).c_str(),
                                  wideFileName_.c_str()))
    throw EIniFileException("Unable to write to " + fileName_);
}

void TIniFile::EraseSection(const String& section) {
  if (section.empty()) throw EIniFileException("No section of " + fileName_ + " to erase");
  if (!WritePrivateProfileStringW(CP932ToWide(section).c_str(), nullptr, nullptr, wideFileName_.c_str()))
    throw EIniFileException("Unable to write to " + fileName_);
}

// ---- TRegistryIniFile ----

namespace {

constexpr DWORD kMaxRegistryValueBytes = 1 << 20;

// An open registry key, closed by the destructor.
class TRegKey {
 public:
  TRegKey() = default;
  ~TRegKey() {
    if (key_) RegCloseKey(key_);
  }
  TRegKey(const TRegKey&) = delete;
  TRegKey& operator=(const TRegKey&) = delete;

  bool Open(const WideString& path) { return RegOpenKeyExW(HKEY_CURRENT_USER, path.c_str(), 0, KEY_READ, &key_) == ERROR_SUCCESS; }
  bool Create(const WideString& path) {
    return RegCreateKeyExW(HKEY_CURRENT_USER, path.c_str(), 0, nullptr, 0, KEY_READ | KEY_WRITE, nullptr, &key_,
                           nullptr) == ERROR_SUCCESS;
  }
  HKEY Get() const { return key_; }

 private:
  HKEY key_ = nullptr;
};

}  // namespace

TRegistryIniFile::TRegistryIniFile(const String& key) : key_(key) {}

WideString TRegistryIniFile::SubKey(const String& section) const {
  return CP932ToWide(section.empty() ? key_ : key_ + "\\" + section);
}

String TRegistryIniFile::ReadString(const String& section, const String& ident, const String& fallback,
                                    std::size_t maxChars) {
  TRegKey key;
  if (!key.Open(SubKey(section))) return fallback;
  const WideString name = CP932ToWide(ident);
  DWORD type = 0, size = 0;
  if (RegQueryValueExW(key.Get(), name.c_str(), nullptr, &type, nullptr, &size) != ERROR_SUCCESS ||
      (type != REG_SZ && type != REG_EXPAND_SZ) || size > kMaxRegistryValueBytes)
    return fallback;
  WideString buffer(size / sizeof(wchar_t) + 1, L'\0');
  size = static_cast<DWORD>(buffer.size() * sizeof(wchar_t));
  if (RegQueryValueExW(key.Get(), name.c_str(), nullptr, &type, reinterpret_cast<BYTE*>(buffer.data()), &size) !=
      ERROR_SUCCESS)
    return fallback;
  buffer.resize(size / sizeof(wchar_t));
  while (!buffer.empty() && buffer.back() == L'\0') buffer.pop_back();
  if (buffer.size() > maxChars) buffer.resize(maxChars);
  return WideToCP932(buffer);
}

void TRegistryIniFile::WriteString(const String& section, const String& ident, const String& value) {
  TRegKey key;
  if (!key.Create(SubKey(section))) throw EIniFileException("Unable to write to " + key_);
  const WideString text = CP932ToWide(value);
  if (RegSetValueExW(key.Get(), CP932ToWide(ident).c_str(), 0, REG_SZ, reinterpret_cast<const BYTE*>(text.c_str()),
                     static_cast<DWORD>((text.size() + 1) * sizeof(wchar_t))) != ERROR_SUCCESS)
    throw EIniFileException("Unable to write to " + key_);
}

int TRegistryIniFile::ReadInteger(const String& section, const String& ident, int fallback) {
  TRegKey key;
  if (!key.Open(SubKey(section))) return fallback;
  const WideString name = CP932ToWide(ident);
  DWORD type = 0, value = 0, size = sizeof value;
  if (RegQueryValueExW(key.Get(), name.c_str(), nullptr, &type, nullptr, nullptr) != ERROR_SUCCESS) return fallback;
  if (type == REG_SZ || type == REG_EXPAND_SZ) return StrToIntDef(ReadString(section, ident, String()), fallback);
  if (type != REG_DWORD ||
      RegQueryValueExW(key.Get(), name.c_str(), nullptr, &type, reinterpret_cast<BYTE*>(&value), &size) != ERROR_SUCCESS)
    return fallback;
  return static_cast<int>(value);
}

void TRegistryIniFile::WriteInteger(const String& section, const String& ident, int value) {
  TRegKey key;
  if (!key.Create(SubKey(section))) throw EIniFileException("Unable to write to " + key_);
  const DWORD data = static_cast<DWORD>(value);
  if (RegSetValueExW(key.Get(), CP932ToWide(ident).c_str(), 0, REG_DWORD, reinterpret_cast<const BYTE*>(&data),
                     sizeof data) != ERROR_SUCCESS)
    throw EIniFileException("Unable to write to " + key_);
}

std::vector<String> TRegistryIniFile::ReadSection(const String& section) {
  TRegKey key;
  std::vector<String> names;
  if (!key.Open(SubKey(section))) return names;
  for (DWORD index = 0;; ++index) {
    wchar_t name[16384];  // the longest value name the registry allows, and its terminator
    DWORD length = static_cast<DWORD>(std::size(name));
    if (RegEnumValueW(key.Get(), index, name, &length, nullptr, nullptr, nullptr, nullptr) != ERROR_SUCCESS) break;
    names.push_back(WideToCP932(WideString(name, length)));
  }
  return names;
}

void TRegistryIniFile::DeleteKey(const String& section, const String& ident) {
  HKEY opened = nullptr;
  if (RegOpenKeyExW(HKEY_CURRENT_USER, SubKey(section).c_str(), 0, KEY_SET_VALUE, &opened) != ERROR_SUCCESS) return;
  const LSTATUS status = RegDeleteValueW(opened, CP932ToWide(ident).c_str());
  RegCloseKey(opened);
  if (status != ERROR_SUCCESS && status != ERROR_FILE_NOT_FOUND) throw EIniFileException("Unable to write to " + key_);
}

// The section's own values, and its key once empty: never a key below it, nor the key above.
void TRegistryIniFile::EraseSection(const String& section) {
  if (section.empty()) throw EIniFileException("No section of " + key_ + " to erase");
  const WideString path = SubKey(section);
  HKEY opened = nullptr;
  if (RegOpenKeyExW(HKEY_CURRENT_USER, path.c_str(), 0, KEY_READ | KEY_SET_VALUE, &opened) != ERROR_SUCCESS) return;
  for (;;) {
    wchar_t name[16384];  // the longest value name the registry allows, and its terminator
    DWORD length = static_cast<DWORD>(std::size(name));
    if (RegEnumValueW(opened, 0, name, &length, nullptr, nullptr, nullptr, nullptr) != ERROR_SUCCESS ||
        RegDeleteValueW(opened, name) != ERROR_SUCCESS)
      break;
  }
  DWORD subKeys = 1;
  RegQueryInfoKeyW(opened, nullptr, nullptr, nullptr, &subKeys, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr,
                   nullptr);
  RegCloseKey(opened);
  if (subKeys == 0) RegDeleteKeyW(HKEY_CURRENT_USER, path.c_str());
}
