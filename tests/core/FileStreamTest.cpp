// File streams: Japanese and very long names through the wide API, open modes, errors.
#include <gtest/gtest.h>
#include <windows.h>
#include <shellapi.h>

#include <cstring>

#include "framework/core/Stream.h"

namespace {

// A fresh folder under the temporary directory, removed with everything in it at the end.
class TTempFolder {
 public:
  TTempFolder() {
    wchar_t buffer[MAX_PATH + 1];
    GetTempPathW(MAX_PATH + 1, buffer);
    path_ = WideToCP932(buffer) + "tavelko_core_" + IntToStr(GetCurrentProcessId());
    CreateDirectoryW(CP932ToWide(path_).c_str(), nullptr);
  }
  ~TTempFolder() {
    WideString from = CP932ToWide(path_);
    from.push_back(L'\0');  // the shell wants a double-terminated list
    SHFILEOPSTRUCTW op{};
    op.wFunc = FO_DELETE;
    op.pFrom = from.c_str();
    op.fFlags = FOF_NO_UI;
    SHFileOperationW(&op);
  }
  const String& Path() const { return path_; }

 private:
  String path_;
};

}  // namespace

TEST(FileStream, JapaneseNameRoundTripAndModes) {
  TTempFolder folder;
  const String name = folder.Path() + "\\４コマ保存テスト表ソ.bin";
  {
    TFileStream file(name, fmCreate);
    file.WriteBuffer("hello", 5);
    EXPECT_EQ(file.Size(), 5);
  }
  {
    TFileStream file(name, fmOpenRead | fmShareDenyWrite);
    char buffer[5];
    file.ReadBuffer(buffer, 5);
    EXPECT_EQ(std::memcmp(buffer, "hello", 5), 0);
    EXPECT_THROW(file.ReadBuffer(buffer, 1), EReadError);
    // Writing is refused to a file opened for reading.
    EXPECT_EQ(file.Write("x", 1), 0);
    // A second opener that wants to write is refused while ours denies writing.
    EXPECT_THROW(TFileStream(name, fmOpenWrite), EFOpenError);
  }
  {
    TFileStream file(name, fmOpenReadWrite);
    file.Seek(0, soEnd);
    file.WriteBuffer(" world", 6);
    file.SetSize(8);
  }
  TMemoryStream memory;
  memory.LoadFromFile(name);
  ASSERT_EQ(memory.Size(), 8);
  EXPECT_EQ(std::memcmp(memory.Memory(), "hello wo", 8), 0);
}

TEST(FileStream, MissingFileAndBadFolderRaiseWithTheName) {
  TTempFolder folder;
  const String missing = folder.Path() + "\\無い.jpg";
  try {
    TFileStream file(missing, fmOpenRead);
    FAIL();
  } catch (const EFOpenError& e) {
    EXPECT_EQ(e.Message().rfind("Cannot open file \"" + missing + "\". ", 0), 0u) << e.Message();
  }
  EXPECT_THROW(TFileStream(folder.Path() + "\\no\\such\\folder\\x.bin", fmCreate), EFCreateError);
}

TEST(FileStream, NamesLongerThanThePathLimit) {
  TTempFolder folder;
  String path = folder.Path();
  const String part = "長いフォルダ名の一部分ですよ_0123456789";  // 25 characters
  for (int i = 0; i < 12; ++i) {
    path += "\\" + part;
    CreateDirectoryW((L"\\\\?\\" + CP932ToWide(path)).c_str(), nullptr);
  }
  const String name = path + "\\絵.bmp";
  ASSERT_GT(CP932ToWide(name).size(), 300u);
  TMemoryStream data;
  data.WriteBuffer("BM", 2);
  data.SaveToFile(name);
  TMemoryStream back;
  back.LoadFromFile(name);
  EXPECT_EQ(back.Size(), 2);
}
