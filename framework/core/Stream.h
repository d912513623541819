/// @file
/// Streams of bytes: TStream (abstract), TMemoryStream (growable buffer), TFileStream (a file opened
/// through the wide API; CP932 names of any length).
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

#include "framework/core/Object.h"

/// Where a Seek offset counts from: the start, the current position or the end.
enum TSeekOrigin { soBeginning, soCurrent, soEnd };

/// A stream of bytes with a position (a byte offset from the start). Read and Write may move
/// fewer bytes than asked; ReadBuffer and WriteBuffer raise instead.
class TStream : public TObject {
  TAVELKO_CLASS(TStream, TObject)

 public:
  // ---- What descendants supply ----
  /// Up to count bytes; the number moved (0 at the end).
  virtual std::int64_t Read(void* buffer, std::int64_t count) = 0;
  /// Up to count bytes from `buffer` at the position; the number written (fewer when the medium
  /// fails or is full).
  virtual std::int64_t Write(const void* buffer, std::int64_t count) = 0;
  /// The new position. A position before the start, or an origin that is none of TSeekOrigin's,
  /// raises EStreamError; one past the end is allowed.
  virtual std::int64_t Seek(std::int64_t offset, TSeekOrigin origin) = 0;
  /// Length in bytes; the default seeks to the end and back.
  virtual std::int64_t Size();
  /// Truncates or extends the stream to `size` bytes; the position stays within it. EStreamError
  /// when the stream cannot.
  virtual void SetSize(std::int64_t size) = 0;

  // ---- Operations ----
  /// The position, in bytes from the start (Seek).
  ///@{
  std::int64_t Position() { return Seek(0, soCurrent); }
  void SetPosition(std::int64_t position) { Seek(position, soBeginning); }
  ///@}
  /// Exactly count bytes or EReadError "Stream read error" / EWriteError "Stream write error".
  ///@{
  void ReadBuffer(void* buffer, std::int64_t count);
  void WriteBuffer(const void* buffer, std::int64_t count);
  ///@}
  /// Copies count bytes from source's position; count 0 copies the whole source from its start.
  /// Returns the number copied; EReadError, before anything is read, when count is negative, and when
  /// the source has fewer bytes.
  std::int64_t CopyFrom(TStream& source, std::int64_t count);

 protected:
  /// For Seek: raises EStreamError "Invalid seek origin" unless `origin` is one of TSeekOrigin's.
  static void CheckSeekOrigin(TSeekOrigin origin);
};

/// A stream over a buffer in memory that grows as it is written; a write past the end fills the
/// gap with zeros.
class TMemoryStream : public TStream {
  TAVELKO_CLASS(TMemoryStream, TStream)

 public:
  TMemoryStream() = default;

  std::int64_t Read(void* buffer, std::int64_t count) override;
  std::int64_t Write(const void* buffer, std::int64_t count) override;
  std::int64_t Seek(std::int64_t offset, TSeekOrigin origin) override;
  std::int64_t Size() override { return static_cast<std::int64_t>(data_.size()); }
  void SetSize(std::int64_t size) override;

  /// The Size() bytes of the stream; the pointer is valid until the size changes.
  ///@{
  std::uint8_t* Memory() { return data_.data(); }
  const std::uint8_t* Memory() const { return data_.data(); }
  ///@}
  void Clear();  ///< empties the stream and frees its memory
  /// Replaces the contents with the whole of `stream`, read from its start; the position becomes 0.
  void LoadFromStream(TStream& stream);
  /// Writes the whole contents at the position of `stream`, whatever this stream's position.
  void SaveToStream(TStream& stream) const;
  /// Replaces the contents with the file's (LoadFromStream); EFOpenError when it cannot be opened.
  void LoadFromFile(const String& fileName);
  /// Replaces the file only once the new contents are fully written (ReplaceFileContents).
  void SaveToFile(const String& fileName) const;

 private:
  std::vector<std::uint8_t> data_;
  std::int64_t position_ = 0;
};

/// File open modes: one access mode, optionally with one share mode; or fmCreate, alone or with
/// fmExclusive.
enum : unsigned {
  fmOpenRead = 0x0000,
  fmOpenWrite = 0x0001,
  fmOpenReadWrite = 0x0002,
  fmExclusive = 0x0004,  ///< with fmCreate: only a new file; EFCreateError when the name is taken
  fmShareExclusive = 0x0010,
  fmShareDenyWrite = 0x0020,
  fmShareDenyNone = 0x0040,
  fmCreate = 0xFF00,  ///< create or truncate, read and write
};

/// A file opened through the wide API: CP932 names of any length (long ones are made absolute
/// and given the \\?\ prefix). The stream owns the file handle and closes it when destroyed.
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
  const String& FileName() const { return fileName_; }  ///< as given to the constructor
  void* Handle() const { return handle_; }  ///< the file's HANDLE; owned by the stream, do not close it

 private:
  String fileName_;
  void* handle_;  ///< the file's HANDLE, closed by the destructor
};

/// Writes `data` as the whole new contents of `fileName` through a temporary file that then
/// replaces it, so a failed write leaves an existing file as it was. The temporary is a new file
/// beside the target (fileName + ".<8 hex digits>.saving", a name no file had) and is gone
/// afterwards, whether the save succeeded or raised.
void ReplaceFileContents(const String& fileName, const void* data, std::size_t size);

/// A new, empty file beside `fileName` (in its folder) under a name no file had, as
/// ReplaceFileContents makes its temporary; returns its name. The caller removes it.
String CreateFileBeside(const String& fileName);

/// Whether `fileName` names an existing file (not a folder).
bool FileExists(const String& fileName);
