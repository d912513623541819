/// @file
/// Settings stores with one interface: TIniFile (an INI file through the profile API) and
/// TRegistryIniFile (a key under HKEY_CURRENT_USER, a section being a subkey).
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

#include "framework/core/Object.h"

/// A settings store of sections holding named values (text in CP932). A value that is absent
/// reads as the fallback given; values are untrusted input, for the caller to check. Writing
/// raises EIniFileException when the store cannot be written.
class TCustomIniFile : public TObject {
  TAVELKO_CLASS(TCustomIniFile, TObject)

 public:
  /// The value `ident` of `section`, or `fallback` when it is absent.
  String ReadString(const String& section, const String& ident, const String& fallback) {
    return ReadString(section, ident, fallback, SIZE_MAX);
  }
  /// At most `maxChars` characters of the value. An INI file's value is read no further; a registry
  /// value, which cannot be read in part, is read whole and cut, unless it is larger than a
  /// megabyte (the registry's own advice for a value), which is read as absent.
  virtual String ReadString(const String& section, const String& ident, const String& fallback,
                            std::size_t maxChars) = 0;
  /// Sets the value `ident` of `section`, creating both as needed.
  virtual void WriteString(const String& section, const String& ident, const String& value) = 0;
  /// The names of the section's values; none when there is no such section.
  virtual std::vector<String> ReadSection(const String& section) = 0;
  /// Removes one value; nothing when there is none.
  virtual void DeleteKey(const String& section, const String& ident) = 0;
  /// Decimal (or "$"/"0x" hexadecimal) text; `fallback` when absent or not a number.
  virtual int ReadInteger(const String& section, const String& ident, int fallback);
  /// Stores `value` as decimal text.
  virtual void WriteInteger(const String& section, const String& ident, int value);
  /// An integer value: 0 is false, any other number true; `fallback` when absent or not a number.
  bool ReadBool(const String& section, const String& ident, bool fallback);
  void WriteBool(const String& section, const String& ident, bool value);  ///< stored as the integer 1 or 0
  /// Removes the section with all its values; nothing when there is none. EIniFileException for
  /// an empty section name.
  virtual void EraseSection(const String& section) = 0;
};

/// An INI file, read and written through the profile API at each call. A file
/// that does not exist yet is created as UTF-16 on the first write, so any text survives.
class TIniFile : public TCustomIniFile {
  TAVELKO_CLASS(TIniFile, TCustomIniFile)

 public:
  /// A name without a directory is the system's choice (the Windows folder): pass a full path.
  explicit TIniFile(const String& fileName);
  const String& FileName() const { return fileName_; }  ///< as given to the constructor

  /// ReadString of the base (both forms).
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

/// Settings in the registry: a key below HKEY_CURRENT_USER whose subkeys are the sections and
/// whose string values are the values.
class TRegistryIniFile : public TCustomIniFile {
  TAVELKO_CLASS(TRegistryIniFile, TCustomIniFile)

 public:
  /// `key` is a path below HKEY_CURRENT_USER, such as "Software\Tavelko".
  explicit TRegistryIniFile(const String& key);
  const String& Key() const { return key_; }  ///< as given to the constructor

  /// ReadString of the base (both forms).
  using TCustomIniFile::ReadString;
  String ReadString(const String& section, const String& ident, const String& fallback, std::size_t maxChars) override;
  void WriteString(const String& section, const String& ident, const String& value) override;
  std::vector<String> ReadSection(const String& section) override;
  void DeleteKey(const String& section, const String& ident) override;
  /// Stored as a DWORD value; a string value holding a number is read as well.
  ///@{
  int ReadInteger(const String& section, const String& ident, int fallback) override;
  void WriteInteger(const String& section, const String& ident, int value) override;
  ///@}
  void EraseSection(const String& section) override;

 private:
  WideString SubKey(const String& section) const;

  String key_;
};
