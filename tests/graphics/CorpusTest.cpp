// The corpus of damaged and hostile picture files (corpus/bad, made by corpus/make_corpus.py): a
// picture refuses each with a message that names the fault, and keeps what it showed.
#include <gtest/gtest.h>

#include <windows.h>

#include <map>

#include "framework/graphics/Bitmap.h"
#include "framework/graphics/GraphicErrors.h"
#include "framework/graphics/Picture.h"

namespace {

const std::map<String, String> kExpectedRefusals = {
    {"bad-sampling.jpg", "Invalid JPEG image: Bogus sampling factors"},
    {"bitfields-empty.bmp", "Invalid BMP image: all colour masks are empty"},
    {"bitfields-gap.bmp", "Invalid BMP image: a colour mask is not one run of bits"},
    {"cmyk-cut.jpg", "Invalid JPEG image: Premature end of JPEG file"},
    {"cut-in-header.bmp", "Invalid BMP image: the file is truncated inside its header"},
    {"cut-in-header.jpg", "Invalid JPEG image: Premature end of JPEG file"},
    {"cut-in-scan.jpg", "Invalid JPEG image: Premature end of JPEG file"},
    {"embedded-jpeg.bmp", "Invalid BMP image: unsupported compression 4"},
    {"empty.bmp", "Invalid BMP image: the file is too short to hold its headers"},
    {"empty.jpg", "Invalid JPEG image: the data is empty"},
    {"gigapixel.bmp", "Invalid BMP image: the image of 60000 x 60000 pixels is too large"},
    {"header-size-huge.bmp", "Invalid BMP image: unknown header size 65536"},
    {"height-int-min.bmp", "Invalid BMP image: the height is out of range"},
    {"huge-dimensions.jpg", "Invalid JPEG image: Premature end of JPEG file"},
    {"marker-in-scan.jpg", "Invalid JPEG image: Corrupt JPEG data: premature end of data segment"},
    {"negative-width.bmp", "Invalid BMP image: the image has no pixels"},
    {"offset-into-header.bmp", "Invalid BMP image: the pixel data offset points into the headers"},
    {"offset-past-end.bmp", "Invalid BMP image: the pixel data offset lies past the end of the file"},
    {"palette-overrun.bmp", "Invalid BMP image: the palette runs past the end of the file"},
    {"pixels-truncated.bmp", "Invalid BMP image: the pixel data is truncated (48 bytes needed, 47 present)"},
    {"png-renamed.jpg", "Invalid JPEG image: Not a JPEG file: starts with 0x89 0x50"},
    {"progressive-cut.jpg", "Invalid JPEG image: Premature end of JPEG file"},
    {"rle4-literal-cut.bmp", "Invalid BMP image: run-length data ends without an end-of-bitmap mark"},
    {"rle8-delta-outside.bmp", "Invalid BMP image: a run-length delta moves outside the image"},
    {"rle8-no-end.bmp", "Invalid BMP image: run-length data ends without an end-of-bitmap mark"},
    {"rle8-past-last-row.bmp", "Invalid BMP image: run-length data continues past the last row"},
    {"rle8-top-down.bmp", "Invalid BMP image: compressed rows cannot be top-down"},
    {"seven-bits.bmp", "Invalid BMP image: compression 0 with 7 bits per pixel is not valid"},
    {"signature-only.bmp", "Invalid BMP image: the file is too short to hold its headers"},
    {"start-marker-only.jpg", "Invalid JPEG image: Premature end of JPEG file"},
    {"two-planes.bmp", "Invalid BMP image: the plane count is not 1"},
    {"zero-width.bmp", "Invalid BMP image: the image has no pixels"},
    {"zero-width.jpg", "Invalid JPEG image: Empty JPEG image (DNL not supported)"},
    {"zip-renamed.bmp", "Invalid BMP image: the file does not start with \"BM\""},
};

std::vector<String> CorpusFileNames() {
  const WideString folder = CP932ToWide(GRAPHICS_CORPUS_DIR "/bad/");
  std::vector<String> names;
  WIN32_FIND_DATAW found;
  HANDLE search = ::FindFirstFileW((folder + L"*").c_str(), &found);
  if (search == INVALID_HANDLE_VALUE) return names;
  do {
    if (!(found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)) names.push_back(WideToCP932(found.cFileName));
  } while (::FindNextFileW(search, &found));
  ::FindClose(search);
  return names;
}

TEST(Corpus, EveryDamagedFileIsRefusedWithItsReasonAndChangesNothing) {
  const std::vector<String> names = CorpusFileNames();
  ASSERT_EQ(names.size(), kExpectedRefusals.size()) << "corpus under " GRAPHICS_CORPUS_DIR;
  for (const String& name : names) {
    SCOPED_TRACE(name);
    auto expected = kExpectedRefusals.find(name);
    ASSERT_NE(expected, kExpectedRefusals.end()) << "a file the test does not know";
    TPicture picture;
    picture.Bitmap()->SetSize(3, 2);
    TGraphic* before = picture.Graphic();
    try {
      picture.LoadFromFile(GRAPHICS_CORPUS_DIR "/bad/" + name);
      ADD_FAILURE() << "accepted";
    } catch (const EInvalidGraphic& error) {
      EXPECT_EQ(String(error.what()), expected->second);
    }
    EXPECT_EQ(picture.Graphic(), before);
    EXPECT_EQ(picture.Width(), 3);
  }
}

}  // namespace
