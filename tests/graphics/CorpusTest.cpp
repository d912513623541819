// The corpus of damaged and hostile picture files (corpus/bad, made by corpus/make_corpus.py): a
// picture refuses each with a clear message and keeps what it showed.
#include <gtest/gtest.h>

#include <windows.h>

#include <vector>

#include "framework/graphics/Bitmap.h"
#include "framework/graphics/GraphicErrors.h"
#include "framework/graphics/Picture.h"

namespace {

std::vector<String> CorpusFiles() {
  const WideString folder = CP932ToWide(GRAPHICS_CORPUS_DIR "/bad/");
  std::vector<String> files;
  WIN32_FIND_DATAW found;
  HANDLE search = ::FindFirstFileW((folder + L"*").c_str(), &found);
  if (search == INVALID_HANDLE_VALUE) return files;
  do {
    if (!(found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)) files.push_back(WideToCP932(folder + found.cFileName));
  } while (::FindNextFileW(search, &found));
  ::FindClose(search);
  return files;
}

TEST(Corpus, EveryDamagedFileIsRefusedAndChangesNothing) {
  const std::vector<String> files = CorpusFiles();
  ASSERT_GE(files.size(), 30u) << "corpus not found under " GRAPHICS_CORPUS_DIR;
  for (const String& file : files) {
    SCOPED_TRACE(file);
    TPicture picture;
    picture.Bitmap()->SetSize(3, 2);
    TGraphic* before = picture.Graphic();
    try {
      picture.LoadFromFile(file);
      ADD_FAILURE() << "accepted";
    } catch (const EInvalidGraphic& error) {
      const String message = error.what();
      const bool named = message.rfind("Invalid BMP image: ", 0) == 0 || message.rfind("Invalid JPEG image: ", 0) == 0;
      EXPECT_TRUE(named) << message;
      EXPECT_GT(message.size(), 25u) << message;
    }
    EXPECT_EQ(picture.Graphic(), before);
    EXPECT_EQ(picture.Width(), 3);
  }
}

}  // namespace
