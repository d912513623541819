// Streams: memory stream growth and positions, exact reads, copying, and files with Japanese
// and very long names.
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

TEST(MemoryStream, WritesGrowReadsStopAtTheEnd) {
  TMemoryStream s;
  s.WriteBuffer("abcdef", 6);
  EXPECT_EQ(s.Size(), 6);
  EXPECT_EQ(s.Position(), 6);
  s.SetPosition(2);
  char buffer[8] = {};
  EXPECT_EQ(s.Read(buffer, 8), 4);
  EXPECT_STREQ(buffer, "cdef");
  EXPECT_EQ(s.Read(buffer, 1), 0);
  s.Seek(-2, soEnd);
  s.WriteBuffer("XYZ", 3);
  EXPECT_EQ(s.Size(), 7);
  EXPECT_EQ(std::memcmp(s.Memory(), "abcdXYZ", 7), 0);
  s.Seek(10, soBeginning);  // past the end: the gap fills with zeros when written
  s.WriteBuffer("!", 1);
  EXPECT_EQ(s.Size(), 11);
  EXPECT_EQ(s.Memory()[8], 0);
  EXPECT_THROW(s.Seek(-1, soBeginning), EStreamError);
  s.SetSize(3);
  EXPECT_EQ(s.Position(), 3);
  s.Clear();
  EXPECT_EQ(s.Size(), 0);
}

TEST(MemoryStream, ShortReadRaisesTheReadError) {
  TMemoryStream s;
  s.WriteBuffer("abc", 3);
  s.SetPosition(1);
  char buffer[4];
  try {
    s.ReadBuffer(buffer, 3);
    FAIL();
  } catch (const EReadError& e) {
    EXPECT_EQ(e.Message(), "Stream read error");
  }
  EXPECT_THROW(s.ReadBuffer(buffer, -1), EReadError);
  s.SetPosition(0);
  s.ReadBuffer(buffer, 0);
  s.ReadBuffer(buffer, 3);
  EXPECT_EQ(std::memcmp(buffer, "abc", 3), 0);
}

TEST(MemoryStream, CopyFromPartOrWhole) {
  TMemoryStream source, dest;
  std::vector<std::uint8_t> bytes(200000);
  for (std::size_t i = 0; i < bytes.size(); ++i) bytes[i] = static_cast<std::uint8_t>(i * 7);
  source.WriteBuffer(bytes.data(), static_cast<std::int64_t>(bytes.size()));
  EXPECT_EQ(dest.CopyFrom(source, 0), 200000);  // 0: the whole source from its start
  EXPECT_EQ(std::memcmp(dest.Memory(), bytes.data(), bytes.size()), 0);
  source.SetPosition(10);
  TMemoryStream part;
  part.CopyFrom(source, 5);
  EXPECT_EQ(part.Size(), 5);
  EXPECT_EQ(part.Memory()[0], bytes[10]);
  source.SetPosition(199999);
  EXPECT_THROW(part.CopyFrom(source, 5), EReadError);
}

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
