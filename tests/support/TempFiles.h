// Files for tests: a private temporary folder, and whole files read and written as bytes.
#pragma once

#include <cstdint>
#include <vector>

#include "framework/core/Text.h"

namespace test_support {

// A fresh folder under the system's temporary folder, removed with everything in it (of any path
// length) at the end.
class TTempFolder {
 public:
  TTempFolder();
  ~TTempFolder();
  TTempFolder(const TTempFolder&) = delete;
  TTempFolder& operator=(const TTempFolder&) = delete;

  // The folder as a CP932 path ...
  const String& Path() const { return path_; }
  // ... and a file in it.
  String File(const String& name) const { return path_ + "\\" + name; }

 private:
  String path_;
};

// The bytes of a file; empty when it cannot be read.
std::vector<std::uint8_t> FileBytes(const String& fileName);
// Makes or replaces a file holding `bytes`.
void WriteFileBytes(const String& fileName, const std::vector<std::uint8_t>& bytes);
// The names of the files (not folders) in `folder`, sorted.
std::vector<String> FileNames(const String& folder);
// Whether `key` exists below HKEY_CURRENT_USER (a test looks for what should never be written).
bool RegistryKeyExists(const String& key);

}  // namespace test_support
