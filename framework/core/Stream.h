/// @file
/// Streams of bytes: TStream (abstract), TMemoryStream (growable buffer), TFileStream (a file opened
/// through the wide API; CP932 names of any length).
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

#include "framework/core/Object.h"

enum TSeekOrigin { soBeginning, soCurrent, soEnd };

class TStream : public TObject {
  TAVELKO_CLASS(TStream, TObject)

 public:
  // ---- What descendants supply ----
  /// Up to count bytes; the number moved (0 at the end).
  virtual std::int64_t Read(void* buffer, std::int64_t count) = 0;
  virtual std::int64_t Write(const void* buffer, std::int64_t count) = 0;
  /// The new position.
  virtual std::int64_t Seek(std::int64_t offset, TSeekOrigin origin) = 0;
  virtual std::int64_t Size();
  virtual void SetSize(std::int64_t size) = 0;

  // ---- Operations ----
  std::int64_t Position() { return Seek(0, soCurrent); }
  void SetPosition(std::int64_t position) { Seek(position, soBeginning); }
  /// Exactly count bytes or EReadError "Stream read error" / EWriteError "Stream write error".
  void ReadBuffer(void* buffer, std::int64_t count);
  void WriteBuffer(const void* buffer, std::int64_t count);
  /// Copies count bytes from source's position; count 0 copies the whole source from its start.
  std::int64_t CopyFrom(TStream& source, std::int64_t count);
};

class TMemoryStream : public TStream {
  TAVELKO_CLASS(TMemoryStream, TStream)

 public:
  TMemoryStream() = default;

  std::int64_t Read(void* buffer, std::int64_t count) override;
  std::int64_t Write(const void* buffer, std::int64_t count) override;
  std::int64_t Seek(std::int64_t offset, TSeekOrigin origin) override;
  std::int64_t Size() override { return static_cast<std::int64_t>(data_.size()); }
  void SetSize(std::int64_t size) override;

  std::uint8_t* Memory() { return data_.data(); }
  const std::uint8_t* Memory() const { return data_.data(); }
  void Clear();
  void LoadFromStream(TStream& stream);  ///< replaces the contents with the whole of `stream`
  void SaveToStream(TStream& stream) const;
  void LoadFromFile(const String& fileName);
  /// Replaces the file only once the new contents are fully written (ReplaceFileContents).
  void SaveToFile(const String& fileName) const;

 private:
  std::vector<std::uint8_t> data_;
  std::int64_t position_ = 0;
};

/// File open modes: one access mode, optionally with one share mode; or fmCreate alone.
enum : unsigned {
  fmOpenRead = 0x0000,
  fmOpenWrite = 0x0001,
  fmOpenReadWrite = 0x0002,
  fmShareExclusive = 0x0010,
  fmShareDenyWrite = 0x0020,
  fmShareDenyNone = 0x0040,
  fmCreate = 0xFF00,  ///< create or truncate, read and write
};

class TFileStream : public TStream {
  TAVELKO_CLASS(TFileStream, TStream)

 public:
  /// EFCreateError / EFOpenError "Cannot open file "x". <system text>" on failure.
  TFileStream(const String& fileName, unsigned mode);
  ~TFileStream() override;

  std::int64_t Read(void* buffer, std::int64_t count) override;
  std::int64_t Write(const void* buffer, std::int64_t count) override;
  std::int64_t Seek(std::int64_t offset, TSeekOrigin origin) override;
  void SetSize(std::int64_t size) override;
  const String& FileName() const { return fileName_; }
  void* Handle() const { return handle_; }

 private:
  String fileName_;
  void* handle_;  ///< the file's HANDLE, closed by the destructor
};

/// Writes `data` as the whole new contents of `fileName` through a temporary file
/// (fileName + ".saving") that then replaces it, so a failed write leaves an existing file as it was.
void ReplaceFileContents(const String& fileName, const void* data, std::size_t size);

/// Whether `fileName` names an existing file (not a folder).
bool FileExists(const String& fileName);
