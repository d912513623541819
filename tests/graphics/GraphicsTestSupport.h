// Test helper: bitmaps to draw on, pixels read back as RGB, and a private folder for files.
#pragma once

#include <windows.h>

#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "framework/core/Filer.h"
#include "framework/core/Text.h"
#include "framework/graphics/Bitmap.h"
#include "framework/graphics/Canvas.h"

namespace test_support {

// A 24-bit bitmap of the size, filled with `color`.
inline std::unique_ptr<TBitmap> MakeBitmap(int width, int height, TColor color = clWhite) {
  auto bitmap = std::make_unique<TBitmap>();
  bitmap->SetSize(width, height);
  bitmap->Canvas()->Brush()->SetColor(color);
  bitmap->Canvas()->FillRect(Rect(0, 0, width, height));
  return bitmap;
}

// The pixel as 0xBBGGRR, read through GDI (any pixel format).
inline TColor PixelOf(TBitmap& bitmap, int x, int y) { return bitmap.Canvas()->Pixels(x, y); }

// How many pixels of the rectangle have the colour.
inline int CountColor(TBitmap& bitmap, const TRect& area, TColor color) {
  int count = 0;
  for (int y = area.Top; y < area.Bottom; ++y)
    for (int x = area.Left; x < area.Right; ++x) count += PixelOf(bitmap, x, y) == color;
  return count;
}

// Keeps the binary property DefineProperties declares, as the stream writer and reader see it.
class RecordingFiler : public TFiler {
 public:
  void DefineProperty(const String&, const TReaderProc&, const TWriterProc&, bool) override {}
  void DefineBinaryProperty(const String& name, const TStreamProc& read, const TStreamProc& write,
                            bool hasData) override {
    this->name = name;
    this->read = read;
    this->write = write;
    this->hasData = hasData;
  }
  TComponent* Root() const override { return nullptr; }

  String name;
  TStreamProc read, write;
  bool hasData = false;
};

// A fresh folder under the system's temporary folder, removed with its files at the end.
class TempFolder {
 public:
  TempFolder() {
    wchar_t base[MAX_PATH];
    ::GetTempPathW(MAX_PATH, base);
    static int counter = 0;
    path_ = WideString(base) + L"graphics-test-" + std::to_wstring(::GetCurrentProcessId()) + L"-" +
            std::to_wstring(++counter);
    ::CreateDirectoryW(path_.c_str(), nullptr);
  }
  ~TempFolder() {
    WIN32_FIND_DATAW found;
    HANDLE search = ::FindFirstFileW((path_ + L"\\*").c_str(), &found);
    if (search != INVALID_HANDLE_VALUE) {
      do ::DeleteFileW((path_ + L"\\" + found.cFileName).c_str());
      while (::FindNextFileW(search, &found));
      ::FindClose(search);
    }
    ::RemoveDirectoryW(path_.c_str());
  }
  TempFolder(const TempFolder&) = delete;
  TempFolder& operator=(const TempFolder&) = delete;

  // A CP932 path of a file in the folder.
  String File(const String& name) const { return WideToCP932(path_) + "\\" + name; }

 private:
  WideString path_;
};

inline std::vector<std::uint8_t> ReadFileBytes(const String& fileName) {
  std::vector<std::uint8_t> bytes;
  HANDLE file = ::CreateFileW(CP932ToWide(fileName).c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0,
                              nullptr);
  if (file == INVALID_HANDLE_VALUE) return bytes;
  bytes.resize(::GetFileSize(file, nullptr));
  DWORD read = 0;
  ::ReadFile(file, bytes.data(), DWORD(bytes.size()), &read, nullptr);
  ::CloseHandle(file);
  return bytes;
}

inline void WriteFileBytes(const String& fileName, const std::vector<std::uint8_t>& bytes) {
  HANDLE file = ::CreateFileW(CP932ToWide(fileName).c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
  DWORD written = 0;
  ::WriteFile(file, bytes.data(), DWORD(bytes.size()), &written, nullptr);
  ::CloseHandle(file);
}

}  // namespace test_support
