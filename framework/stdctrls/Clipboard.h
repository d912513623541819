/// @file
/// The clipboard: TClipboard (open and close in nesting pairs, registered formats, data as global
/// memory blocks, bytes or text) over a clipboard service whose owner window is the framework's.
/// Tests install their own service so they never touch the desktop's shared clipboard.
#pragma once

#include <windows.h>

#include <cstdint>
#include <span>
#include <vector>

#include "framework/core/Text.h"
#include "framework/windows/Services.h"

// ---------------------------------------------------------------------------------------------
// Global memory blocks

/// A movable global memory block, freed unless given away (to the clipboard).
class TGlobalMemory {
 public:
  /// A zero-filled block of `size` bytes (one at least); EOutOfResources when there is no memory.
  explicit TGlobalMemory(std::size_t size);
  ~TGlobalMemory();
  TGlobalMemory(const TGlobalMemory&) = delete;
  TGlobalMemory& operator=(const TGlobalMemory&) = delete;

  HGLOBAL Get() const { return block_; }  ///< the block, still owned by this object (null once released)
  /// The caller owns the block from now on.
  HGLOBAL Release() { return std::exchange(block_, nullptr); }

 private:
  HGLOBAL block_;
};

/// A global memory block locked for the length of a scope; the block is not owned.
class TGlobalLock {
 public:
  /// EOutOfResources when the block cannot be locked.
  explicit TGlobalLock(HGLOBAL block);
  ~TGlobalLock();
  TGlobalLock(const TGlobalLock&) = delete;
  TGlobalLock& operator=(const TGlobalLock&) = delete;

  /// The first byte of the block, valid while this lock lives.
  std::uint8_t* Data() const { return data_; }
  /// The block's real size, whatever its content claims.
  std::size_t Size() const { return size_; }

 private:
  HGLOBAL block_;
  std::uint8_t* data_;
  std::size_t size_;
};

// ---------------------------------------------------------------------------------------------
// The clipboard service

/// What TClipboard asks of the clipboard: the system's clipboard calls (OpenClipboard,
/// SetClipboardData, ...), one for one. A test installs an implementation of its own
/// (SetClipboardService); TClipboard pairs every Open that succeeded with one Close.
class TClipboardService {
 public:
  virtual ~TClipboardService() = default;
  /// The format number of `name`, the same for the same name every time; 0 on failure.
  virtual UINT RegisterFormat(const String& name) = 0;
  /// False when another window holds the clipboard.
  virtual bool Open() = 0;
  /// Ends what a successful Open began.
  virtual void Close() = 0;
  /// Empties the clipboard and makes this program its owner (inside Open).
  virtual bool Empty() = 0;
  /// Takes the block on success (inside Open).
  virtual bool SetData(UINT format, HANDLE data) = 0;
  /// The clipboard keeps the block (inside Open); null when there is none of that format.
  virtual HANDLE GetData(UINT format) = 0;
  /// Whether the clipboard holds data of `format` (needs no Open).
  virtual bool IsFormatAvailable(UINT format) = 0;
};

/// The installed service: the system clipboard unless a test set another. Setting null puts the
/// real one back; returns the previous one. Not owned.
///@{
TClipboardService& ClipboardService();
TClipboardService* SetClipboardService(TClipboardService* service);
///@}
/// Installs a clipboard service for the length of a scope (a test double, usually).
using TClipboardServiceScope = TServiceScope<TClipboardService, SetClipboardService>;

// ---------------------------------------------------------------------------------------------
// TClipboard

/// Raised by TClipboard when the clipboard cannot be opened, refuses data or a new format, or holds
/// more than the caller allows.
class EClipboardError : public Exception {
 public:
  /// Made with its message.
  using Exception::Exception;
};

/// The clipboard as the program uses it, through the installed TClipboardService. Each operation opens
/// the clipboard for itself unless an Open is in force; open it around several operations to read or
/// put several formats at once (the first data put empties it). Like the whole framework, use it
/// only on the thread that runs the message loop.
class TClipboard {
 public:
  TClipboard() = default;
  TClipboard(const TClipboard&) = delete;
  TClipboard& operator=(const TClipboard&) = delete;

  /// The same number for the same name, every time (RegisterClipboardFormat).
  static UINT RegisterFormat(const String& name);

  /// Nested: the clipboard is opened by the first Open and closed by the matching Close. Open
  /// raises EClipboardError "Cannot open clipboard" when another program holds it.
  ///@{
  void Open();
  void Close();
  ///@}
  /// How many Opens are not closed yet; 0: the clipboard is closed.
  int OpenCount() const { return openCount_; }

  /// Empties the clipboard (the first data put while it is open empties it too).
  void Clear();
  /// Whether the clipboard holds data of `format`.
  bool HasFormat(UINT format);
  /// The block becomes the clipboard's; on failure it is freed and EClipboardError raised.
  void SetAsHandle(UINT format, HANDLE data);
  /// The clipboard keeps the block; null when there is none. The handle is valid only while the
  /// clipboard is open: call it between Open and Close.
  HANDLE GetAsHandle(UINT format);
  /// Puts `bytes` on the clipboard as data of `format`, in a block of its own.
  void SetAsBytes(UINT format, std::span<const std::uint8_t> bytes);
  /// The data of a format as bytes: as many as the block really holds (the system may round a
  /// block's size up; a length stored in the data must be checked against this). A block larger
  /// than `maxBytes` raises EClipboardError without being copied; no data gives no bytes.
  std::vector<std::uint8_t> GetAsBytes(UINT format, std::size_t maxBytes = SIZE_MAX);
  /// Unicode text (CF_UNICODETEXT), converted from and to CP932; characters CP932 lacks become '?'.
  /// Reading stops at the first zero or the block's end; no text reads as empty.
  ///@{
  String AsText();
  void SetAsText(const String& text);
  ///@}

 private:
  /// Opens for one operation when not open already; the first data of an opening empties it.
  class TOpenScope;
  void Adding();

  int openCount_ = 0;
  bool emptied_ = false;  ///< data was put since the outermost Open
};

/// The program's clipboard object.
TClipboard& Clipboard();
