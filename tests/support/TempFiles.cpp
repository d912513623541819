// Files for tests.
#include "tests/support/TempFiles.h"

#include <windows.h>

#include <algorithm>

#include "framework/core/Exception.h"

namespace test_support {

namespace {

// Removes a folder tree of any path length. (Wine's SHFileOperationW, given a tree deeper than
// MAX_PATH, deleted folders of the current directory instead.)
void RemoveTree(const WideString& path) {
  WIN32_FIND_DATAW entry;
  HANDLE find = FindFirstFileW((path + L"\\*").c_str(), &entry);
  if (find != INVALID_HANDLE_VALUE) {
    do {
      const WideString name = entry.cFileName;
      if (name == L"." || name == L"..") continue;
      const WideString child = path + L"\\" + name;
      if (entry.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) RemoveTree(child);
      else DeleteFileW(child.c_str());
    } while (FindNextFileW(find, &entry));
    FindClose(find);
  }
  RemoveDirectoryW(path.c_str());
}

}  // namespace

TTempFolder::TTempFolder() {
  wchar_t buffer[MAX_PATH + 1];
  const DWORD length = GetTempPathW(MAX_PATH + 1, buffer);
  if (length == 0 || length > MAX_PATH) throw Exception("No temporary folder");
  static int serial = 0;
  path_ = WideToCP932(buffer) + "tavelko_test_" + IntToStr(GetCurrentProcessId()) + "_" + IntToStr(++serial);
  CreateDirectoryW(CP932ToWide(path_).c_str(), nullptr);
}

TTempFolder::~TTempFolder() { RemoveTree(L"\\\\?\\" + CP932ToWide(path_)); }

std::vector<std::uint8_t> FileBytes(const String& fileName) {
  std::vector<std::uint8_t> bytes;
  HANDLE file =
      CreateFileW(CP932ToWide(fileName).c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
  if (file == INVALID_HANDLE_VALUE) return bytes;
  bytes.resize(GetFileSize(file, nullptr));
  DWORD read = 0;
  ReadFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &read, nullptr);
  CloseHandle(file);
  bytes.resize(read);
  return bytes;
}

void WriteFileBytes(const String& fileName, const std::vector<std::uint8_t>& bytes) {
  HANDLE file = CreateFileW(CP932ToWide(fileName).c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
  DWORD written = 0;
  WriteFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr);
  CloseHandle(file);
}

std::vector<String> FileNames(const String& folder) {
  std::vector<String> names;
  WIN32_FIND_DATAW entry;
  const HANDLE find = FindFirstFileW(CP932ToWide(folder + "\\*").c_str(), &entry);
  for (bool more = find != INVALID_HANDLE_VALUE; more; more = FindNextFileW(find, &entry))
    if (!(entry.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)) names.push_back(WideToCP932(entry.cFileName));
  if (find != INVALID_HANDLE_VALUE) FindClose(find);
  std::sort(names.begin(), names.end());
  return names;
}

bool RegistryKeyExists(const String& key) {
  HKEY opened = nullptr;
  if (RegOpenKeyExW(HKEY_CURRENT_USER, CP932ToWide(key).c_str(), 0, KEY_READ, &opened) != ERROR_SUCCESS) return false;
  RegCloseKey(opened);
  return true;
}

}  // namespace test_support
