/// @file
/// Settings stores with one interface: TIniFile (an INI file through the profile API) and
/// TRegistryIniFile (a key under HKEY_CURRENT_USER, a section being a subkey).
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

#include "framework/core/Object.h"

class TCustomIniFile : public TObject {
  TAVELKO_CLASS(TCustomIniFile, TObject)

 public:
  String ReadString(const String& section, const String& ident, const String& fallback) {
    return ReadString(section, ident, fallback, SIZE_MAX);
  }
  /// At most `maxChars` characters of the value. An INI file's value is read no further; a registry
  /// value, which cannot be read in part, is read whole and cut, unless it is larger than a
  /// megabyte (the registry's own advice for a value), which is read as absent.
  virtual String ReadString(const String& section, const String& ident, const String& fallback,
                            std::size_t maxChars) = 0;
  virtual void WriteString(const String& section, const String& ident, const String& value) = 0;
  /// The names of the section's values; none when there is no such section.
  virtual std::vector<String> ReadSection(const String& section) = 0;
  /// Removes one value; nothing when there is none.
  virtual void DeleteKey(const String& section, const String& ident) = 0;
  /// Decimal (or "$"/"0x" hexadecimal) text; `fallback` when absent or not a number.
  virtual int ReadInteger(const String& section, const String& ident, int fallback);
  virtual void WriteInteger(const String& section, const String& ident, int value);
  bool ReadBool(const String& section, const String& ident, bool fallback);
  void WriteBool(const String& section, const String& ident, bool value);
  /// Removes the section with all its values; nothing when there is none. EIniFileException for
  /// an empty section name.
  virtual void EraseSection(const String& section) = 0;
};

class TIniFile : public TCustomIniFile {
  TAVELKO_CLASS(TIniFile, TCustomIniFile)

 public:
  /// A name without a directory is the system's choice (the Windows folder): pass a full path.
  explicit TIniFile(const String& fileName);
  const String& FileName() const { return fileName_; }

  using TCustomIniFile::ReadString;
  String ReadString(const String& section, const String& ident, const String& fallback, std::size_t maxChars) override;
  /// EIniFileException when the file cannot be written.
  void WriteString(const String& section, const String& ident, const String& value) override;
  std::vector<String> ReadSection(const String& section) override;
  void DeleteKey(const String& section, const String& ident) override;
  void EraseSection(const String& section) override;

 private:
  void CreateUnicodeFile() const;

  String fileName_;
  WideString wideFileName_;
};

class TRegistryIniFile : public TCustomIniFile {
  TAVELKO_CLASS(TRegistryIniFile, TCustomIniFile)

 public:
  /// `key` is a path below HKEY_CURRENT_USER, such as "Software\Tavelko".
  explicit TRegistryIniFile(const String& key);
  const String& Key() const { return key_; }

  using TCustomIniFile::ReadString;
  String ReadString(const String& section, const String& ident, const String& fallback, std::size_t maxChars) override;
  void WriteString(const String& section, const String& ident, const String& value) override;
  std::vector<String> ReadSection(const String& section) override;
  void DeleteKey(const String& section, const String& ident) override;
  /// Stored as a DWORD value; a string value holding a number is read as well.
  int ReadInteger(const String& section, const String& ident, int fallback) override;
  void WriteInteger(const String& section, const String& ident, int value) override;
  void EraseSection(const String& section) override;

 private:
  WideString SubKey(const String& section) const;

  String key_;
};
