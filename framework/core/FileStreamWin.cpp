// File access through the wide API: TFileStream and the file helpers of TMemoryStream.
#include <windows.h>

#include <algorithm>
#include <memory>

#include "framework/core/ScopeGuard.h"
#include "framework/core/Stream.h"

namespace {

// The system's text for an error code, in CP932.
String SystemErrorText(DWORD code) {
  wchar_t* buffer = nullptr;
  const DWORD length = FormatMessageW(FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS,
                                      nullptr, code, 0, reinterpret_cast<wchar_t*>(&buffer), 0, nullptr);
  WideString text(buffer ? buffer : L"", length);
  LocalFree(buffer);
  while (!text.empty() && (text.back() == L'\n' || text.back() == L'\r' || text.back() == L' ')) text.pop_back();
  return text.empty() ? "Error " + IntToStr(code) : WideToCP932(text);
}

// Names of MAX_PATH characters or more are made absolute and given the \\?\ prefix, which lifts
// the length limit of the file functions.
WideString LongPathName(const String& fileName) {
  WideString name = CP932ToWide(fileName);
  if (name.size() < MAX_PATH || name.rfind(L"\\\\?\\", 0) == 0) return name;
  const DWORD needed = GetFullPathNameW(name.c_str(), 0, nullptr, nullptr);
  if (needed == 0) return name;
  WideString full(needed, L'\0');
  const DWORD length = GetFullPathNameW(name.c_str(), needed, full.data(), nullptr);
  full.resize(length);
  if (full.rfind(L"\\\\", 0) == 0) return L"\\\\?\\UNC\\" + full.substr(2);
  return L"\\\\?\\" + full;
}

}  // namespace

TFileStream::TFileStream(const String& fileName, unsigned mode) : fileName_(fileName) {
  const bool create = (mode & fmCreate) == fmCreate;
  DWORD access = GENERIC_READ;
  if (create || (mode & 3) == fmOpenReadWrite) access = GENERIC_READ | GENERIC_WRITE;
  else if ((mode & 3) == fmOpenWrite) access = GENERIC_WRITE;
  DWORD share = FILE_SHARE_READ | FILE_SHARE_WRITE;
  switch (create ? 0 : mode & 0xF0) {
    case fmShareExclusive: share = 0; break;
    case fmShareDenyWrite: share = FILE_SHARE_READ; break;
    default: break;
  }
  if (create) share = FILE_SHARE_READ;
  const WideString name = LongPathName(fileName);
  const DWORD disposition = !create ? OPEN_EXISTING : (mode & fmExclusive) ? CREATE_NEW : CREATE_ALWAYS;
  HANDLE h = CreateFileW(name.c_str(), access, share, nullptr, disposition, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (h == INVALID_HANDLE_VALUE) {
    const String reason = SystemErrorText(GetLastError());
    if (create) throw EFCreateError(Format("Cannot create file \"%s\". %s", fileName, reason));
    throw EFOpenError(Format("Cannot open file \"%s\". %s", fileName, reason));
  }
  handle_ = h;
}

TFileStream::~TFileStream() { CloseHandle(handle_); }

std::int64_t TFileStream::Read(void* buffer, std::int64_t count) {
  std::int64_t total = 0;
  auto* bytes = static_cast<std::uint8_t*>(buffer);
  while (count > 0) {
    const DWORD chunk = static_cast<DWORD>(std::min<std::int64_t>(count, 1 << 30));
    DWORD done = 0;
    if (!ReadFile(handle_, bytes + total, chunk, &done, nullptr) || done == 0) break;
    total += done;
    count -= done;
  }
  return total;
}

std::int64_t TFileStream::Write(const void* buffer, std::int64_t count) {
  std::int64_t total = 0;
  const auto* bytes = static_cast<const std::uint8_t*>(buffer);
  while (count > 0) {
    const DWORD chunk = static_cast<DWORD>(std::min<std::int64_t>(count, 1 << 30));
    DWORD done = 0;
    if (!WriteFile(handle_, bytes + total, chunk, &done, nullptr) || done == 0) break;
    total += done;
    count -= done;
  }
  return total;
}

std::int64_t TFileStream::Seek(std::int64_t offset, TSeekOrigin origin) {
  CheckSeekOrigin(origin);
  static constexpr DWORD methods[] = {FILE_BEGIN, FILE_CURRENT, FILE_END};
  LARGE_INTEGER distance, position;
  distance.QuadPart = offset;
  if (!SetFilePointerEx(handle_, distance, &position, methods[origin]))
    throw EStreamError("Cannot seek in " + fileName_ + ". " + SystemErrorText(GetLastError()));
  return position.QuadPart;
}

void TFileStream::SetSize(std::int64_t size) {
  const std::int64_t position = Position();
  Seek(size, soBeginning);
  if (!SetEndOfFile(handle_)) throw EStreamError("Cannot size " + fileName_ + ". " + SystemErrorText(GetLastError()));
  Seek(std::min(position, size), soBeginning);
}

void TMemoryStream::LoadFromFile(const String& fileName) {
  TFileStream file(fileName, fmOpenRead | fmShareDenyWrite);
  LoadFromStream(file);
}

void TMemoryStream::SaveToFile(const String& fileName) const {
  ReplaceFileContents(fileName, data_.data(), data_.size());
}

namespace {

// A new file beside `fileName` (in its folder, so the final rename stays on one volume) under a
// name that nothing had, so no file of the user's is overwritten, or deleted when the save fails.
std::unique_ptr<TFileStream> CreateTemporaryBeside(const String& fileName) {
  constexpr int attempts = 100;
  auto tag = static_cast<unsigned>(GetTickCount() ^ (GetCurrentProcessId() << 16));
  for (int attempt = 1;; ++attempt, ++tag) {
    const String name = Format("%s.%08x.saving", fileName, tag);
    try {
      return std::make_unique<TFileStream>(name, fmCreate | fmExclusive);
    } catch (const EFCreateError&) {
      // A name taken by a file or folder moves on to the next; any other failure is final.
      if (attempt == attempts || GetFileAttributesW(LongPathName(name).c_str()) == INVALID_FILE_ATTRIBUTES) throw;
    }
  }
}

}  // namespace

String CreateFileBeside(const String& fileName) { return CreateTemporaryBeside(fileName)->FileName(); }

void ReplaceFileContents(const String& fileName, const void* data, std::size_t size) {
  // Over an existing file the new data goes to the disk before the rename can: otherwise a power
  // failure soon after could keep the rename but not the data, losing old and new alike. With no
  // old file there is nothing to lose, and the flush (most of a small save's time) is skipped.
  const bool replacing = FileExists(fileName);
  std::unique_ptr<TFileStream> file = CreateTemporaryBeside(fileName);
  const WideString temporary = LongPathName(file->FileName());
  TScopeGuard removeTemporary([&] {
    file.reset();
    DeleteFileW(temporary.c_str());
  });
  file->WriteBuffer(data, static_cast<std::int64_t>(size));
  if (replacing && !FlushFileBuffers(static_cast<HANDLE>(file->Handle())))
    throw EWriteError("Cannot write " + fileName + ". " + SystemErrorText(GetLastError()));
  file.reset();  // closed, so that it can be renamed
  if (!MoveFileExW(temporary.c_str(), LongPathName(fileName).c_str(),
                   MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH))
    throw EFCreateError(Format("Cannot create file \"%s\". %s", fileName, SystemErrorText(GetLastError())));
  removeTemporary.Dismiss();
}

bool FileExists(const String& fileName) {
  const DWORD attributes = GetFileAttributesW(LongPathName(fileName).c_str());
  return attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_DIRECTORY);
}
