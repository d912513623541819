// File streams: Japanese and very long names through the wide API, open modes, errors.
#include <gtest/gtest.h>
#include <windows.h>

#include <cstring>

#include "framework/core/Stream.h"
#include "tests/support/TempFiles.h"

using test_support::FileNames;
using test_support::TTempFolder;

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
    EXPECT_THROW(file.Seek(0, static_cast<TSeekOrigin>(3)), EStreamError);
    EXPECT_EQ(file.Position(), 0);
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
  String top;
  {
    TTempFolder folder;
    top = folder.Path();
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
  EXPECT_EQ(GetFileAttributesW(CP932ToWide(top).c_str()), INVALID_FILE_ATTRIBUTES);  // cleaned up
}

namespace {

String ReadWholeFile(const String& name) {
  TMemoryStream memory;
  memory.LoadFromFile(name);
  return String(reinterpret_cast<const char*>(memory.Memory()), static_cast<std::size_t>(memory.Size()));
}

}  // namespace

TEST(ReplaceFileContents, ReplacesAnExistingFileAndLeavesNoTemporaryBehind) {
  TTempFolder folder;
  const String name = folder.Path() + "\\page.jpg";
  ReplaceFileContents(name, "old", 3);
  ReplaceFileContents(name + ".saving", "the user's", 10);  // the temporary never takes a file's name
  ReplaceFileContents(name, "newer", 5);
  EXPECT_EQ(ReadWholeFile(name), "newer");
  EXPECT_EQ(ReadWholeFile(name + ".saving"), "the user's");
  EXPECT_THROW(TFileStream(name, fmCreate | fmExclusive), EFCreateError);
  EXPECT_EQ(ReadWholeFile(name), "newer");
  EXPECT_TRUE(FileExists(name));
  EXPECT_FALSE(FileExists(folder.Path()));  // a folder is no file
  EXPECT_FALSE(FileExists(name + ".missing"));
  EXPECT_EQ(FileNames(folder.Path()), (std::vector<String>{"page.jpg", "page.jpg.saving"}));
}

TEST(ReplaceFileContents, AFailedReplaceKeepsTheOldFile) {
  TTempFolder folder;
  const String name = folder.Path() + "\\page.jpg";
  ReplaceFileContents(name, "old", 3);
  // Held open without delete sharing, the old file cannot be replaced.
  HANDLE holder = CreateFileW(CP932ToWide(name).c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
  ASSERT_NE(holder, INVALID_HANDLE_VALUE);
  EXPECT_THROW(ReplaceFileContents(name, "newer", 5), EFCreateError);
  CloseHandle(holder);
  EXPECT_EQ(ReadWholeFile(name), "old");
  EXPECT_EQ(FileNames(folder.Path()), std::vector<String>{"page.jpg"});
}

TEST(ReplaceFileContents, ANameTakenByAFolderRaisesAndLeavesTheFolder) {
  TTempFolder folder;
  const String name = folder.Path() + "\\page.jpg";
  ASSERT_TRUE(CreateDirectoryW(CP932ToWide(name).c_str(), nullptr));
  EXPECT_THROW(ReplaceFileContents(name, "x", 1), EFCreateError);
  EXPECT_NE(GetFileAttributesW(CP932ToWide(name).c_str()) & FILE_ATTRIBUTE_DIRECTORY, 0u);
  EXPECT_TRUE(FileNames(folder.Path()).empty());
}

TEST(ReplaceFileContents, AnUnwritableFolderRaisesAndCreatesNothing) {
  TTempFolder folder;
  EXPECT_THROW(ReplaceFileContents(folder.Path() + "\\missing\\page.jpg", "x", 1), EFCreateError);
  EXPECT_TRUE(FileNames(folder.Path()).empty());
}
