// Saving the comic at 2x and 4x: the file types and their setting, the same page as at 1x but
// drawn sharp, a comic that opens and saves again to the same picture, and a failed save.
#include <windows.h>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <initializer_list>
#include <utility>
#include <vector>

#include "app/comic/SaveScale.h"
#include "framework/core/IniFile.h"
#include "framework/graphics/Bitmap.h"
#include "framework/graphics/Canvas.h"
#include "framework/graphics/JpegCodec.h"
#include "framework/graphics/JpegImage.h"
#include "framework/stdctrls/Memo.h"
#include "framework/stdctrls/Shape.h"
#include "tests/app/PageDesignFixture.h"

namespace {

// A saved picture's grey levels.
struct TGreys {
  explicit TGreys(const String& file)
      : header(jpeg::Decode(FileBytes(file), 8, [this](int width, int height) {
          bgr.resize(std::size_t(width) * height * 3);
          return bgr.data();
        })) {}
  int At(int x, int y) const {  // decoded rows are bottom-up
    const std::uint8_t* p = &bgr[(std::size_t(header.height - 1 - y) * header.width + x) * 3];
    return (p[0] + p[1] + p[2]) / 3;
  }
  // The mean of the 4 x 4 block whose top-left is (x, y) * 4.
  double Block(int x, int y) const {
    int sum = 0;
    for (int d = 0; d < 16; ++d) sum += At(x * 4 + d % 4, y * 4 + d / 4);
    return sum / 16.0;
  }

  std::vector<std::uint8_t> bgr;  // before the header, which is read into it
  jpeg::Header header;
};

constexpr int kInk = 96, kPaper = 200;

// The widths of the runs of pixels between ink and paper where the rows and the columns of `area`
// turn from one to the other, sorted.
std::vector<int> TurnsIn(const TGreys& greys, TRect area) {
  std::vector<int> widths;
  const auto walk = [&widths](int count, const auto& grey) {
    int last = -1;
    bool lastInk = false;
    for (int i = 0; i < count; ++i) {
      if (grey(i) > kInk && grey(i) < kPaper) continue;
      if (last >= 0 && (grey(i) <= kInk) != lastInk) widths.push_back(i - last - 1);
      last = i;
      lastInk = grey(i) <= kInk;
    }
  };
  for (int y = area.Top; y < area.Bottom; ++y) walk(area.Width(), [&](int i) { return greys.At(area.Left + i, y); });
  for (int x = area.Left; x < area.Right; ++x) walk(area.Height(), [&](int i) { return greys.At(x, area.Top + i); });
  std::sort(widths.begin(), widths.end());
  return widths;
}

// The box holding every ink pixel of `area` of a page at `scale`, in 1x pixels.
TRect InkBox(const TGreys& greys, TRect area, int scale) {
  TRect box{area.Right * scale, area.Bottom * scale, 0, 0};
  for (int y = area.Top * scale; y < area.Bottom * scale; ++y)
    for (int x = area.Left * scale; x < area.Right * scale; ++x)
      if (greys.At(x, y) <= kInk)
        box = {std::min(box.Left, x), std::min(box.Top, y), std::max(box.Right, x + 1), std::max(box.Bottom, y + 1)};
  return {box.Left / scale, box.Top / scale, (box.Right + scale - 1) / scale, (box.Bottom + scale - 1) / scale};
}

// The root mean square of the difference between the 1x page and the 4x page reduced to 1x, each
// pixel taken as the mean of its 3 x 3 neighbourhood: the pages' content is compared, not where
// a 1-pixel outline or a glyph's edge happens to fall in one pixel or the next.
double ReducedRmse(const TGreys& once, const TGreys& fourTimes, TRect area) {
  double sum = 0;
  for (int y = area.Top; y < area.Bottom; ++y)
    for (int x = area.Left; x < area.Right; ++x) {
      double difference = 0;
      for (int dy = -1; dy <= 1; ++dy)
        for (int dx = -1; dx <= 1; ++dx) difference += (once.At(x + dx, y + dy) - fourTimes.Block(x + dx, y + dy)) / 9;
      sum += difference * difference;
    }
  return std::sqrt(sum / (area.Width() * area.Height()));
}

}  // namespace

class ScaledSave : public PageActions {
 protected:
  void SetUp() override {
    PageActions::SetUp();
    page->SetSettingsFile(TempFolder() + "\\Tavelko.ini");
    // A wide photo, kept wider than the frame at 4x (so the save reduces it): a smooth gradient
    // on its left half, stripes finer than a pixel of the frame at 1x on its right half.
    TBitmap photo;
    photo.SetSize(1600, 900);
    TCanvas& canvas = *photo.Canvas();
    for (int x = 0; x < 1600; x += 8) {
      const int grey = x < 800 ? x * 255 / 800 : (x / 8 % 2) * 255;
      canvas.Brush()->SetColor(TColor(RGB(grey, grey, grey)));
      canvas.FillRect(Rect(x, 0, x + (x < 800 ? 8 : 3), 900));
    }
    TJPEGImage jpeg;
    jpeg.Assign(&photo);
    jpeg.SetCompressionQuality(100);
    jpeg.SaveToFile(TempFolder() + "\\stripes.jpg");
    HoverOver(page->Image1);
    Drop({TempFolder() + "\\stripes.jpg"});
    // A balloon and its dialogue on the page.
    page->Shape1->SetBounds(120, 200, 150, 40);
    page->Memo0->SetBounds(135, 212, 120, 16);
    page->Memo0->SetText("台詞のテスト");
    page->Update();
  }

  String Save(const char* name, int fileType) {
    const String file = TempFolder() + "\\" + name;
    fileDialogs.Answers.push_back(file);
    fileDialogs.FileType = fileType;
    ClickOnPanel(page->SpeedButton1);
    return file;
  }
};

TEST_F(ScaledSave, TheFileTypesOfferEachScaleAndTheSettingsRememberTheChoice) {
  EXPECT_EQ(SaveScaleFilter(400, 600),
            "JPEG ファイル (*.jpg;*.jpeg)|*.jpg;*.jpeg|JPEG ファイル 2倍 800×1200 (*.jpg;*.jpeg)|*.jpg;*.jpeg|"
            "JPEG ファイル 4倍 1600×2400 (*.jpg;*.jpeg)|*.jpg;*.jpeg");
  int remembered = 1;  // nothing remembered yet: the page as today
  for (const auto& [fileType, width] : std::initializer_list<std::pair<int, int>>{{3, 1600}, {2, 800}, {1, 400}}) {
    const TGreys saved(Save("comic.jpg", fileType));
    EXPECT_EQ(fileDialogs.Requests.back().FilterIndex, remembered);
    EXPECT_EQ(saved.header.width, width);
    EXPECT_EQ(saved.header.height, width * 3 / 2);
    remembered = fileType;
    dialogs.Answers.push_back(mrYes);  // overwrite
  }
  TIniFile settings(page->SettingsFile());
  for (const char* stored : {"3", "-4", "x", "4"}) {
    settings.WriteString("Save", "Scale", stored);
    EXPECT_EQ(RememberedSaveScale(settings), String(stored) == "4" ? 4 : 1) << stored;
  }
}

// Measured on this page: 0.3 grey levels on the frame's gradient, 14 on the balloon with its
// text (whose glyphs are hinted differently at 15 and at 60 pixels).
TEST_F(ScaledSave, FourTimesReducedIsThePageSavedAtOnceButSharp) {
  const TGreys once(Save("once.jpg", 1));
  const TGreys fourTimes(Save("four.jpg", 3));
  ASSERT_EQ(fourTimes.header.width, 1600);
  const TRect gradient = Rect(105, 5, 195, 145), stripes = Rect(205, 5, 295, 145);
  const TRect balloon = Rect(121, 201, 269, 239), text = Rect(135, 212, 255, 228);
  EXPECT_LT(ReducedRmse(once, fourTimes, gradient), 4);
  EXPECT_LT(ReducedRmse(once, fourTimes, balloon), 20);
  // The text on the same line, in the same place.
  const TRect inkOnce = InkBox(once, text, 1), inkFourTimes = InkBox(fourTimes, text, 4);
  for (int edge : {inkOnce.Left - inkFourTimes.Left, inkOnce.Top - inkFourTimes.Top,
                   inkOnce.Right - inkFourTimes.Right, inkOnce.Bottom - inkFourTimes.Bottom})
    EXPECT_LE(std::abs(edge), 1);

  // The balloon's outline and the strokes of the text turn from ink to paper within a pixel of
  // the page at 1x (four at 4x): nine in ten turns, where the page enlarged would take four 1x
  // pixels' worth (sixteen) for each. Shallow strokes cross a row or column slowly.
  const std::vector<int> outline = TurnsIn(fourTimes, Rect(4 * 115, 4 * 219, 4 * 135, 4 * 221));
  ASSERT_FALSE(outline.empty());
  EXPECT_LE(outline.back(), 4);
  const std::vector<int> strokes = TurnsIn(fourTimes, Rect(4 * text.Left, 4 * text.Top, 4 * text.Right, 4 * text.Bottom));
  ASSERT_GT(strokes.size(), 100u);
  EXPECT_LE(strokes[strokes.size() * 9 / 10], 4);

  // The photo's stripes, finer than a pixel at 1x, are there at 4x: each 4 x 4 block varies.
  double spread = 0;
  int samples = 0;
  for (int y = stripes.Top; y < stripes.Bottom; y += 7)
    for (int x = stripes.Left; x < stripes.Right; x += 5, ++samples)
      for (int d = 0; d < 4; ++d) spread += std::abs(fourTimes.At(4 * x + d, 4 * y) - fourTimes.Block(x, y)) / 4;
  EXPECT_GT(spread / samples, 30);  // 49 measured
}

TEST_F(ScaledSave, AComicSavedAtFourTimesOpensAndSavesAgainToTheSamePicture) {
  const String first = Save("first.jpg", 3);
  page->OpenComicFile(first);
  page->Update();
  const String second = Save("second.jpg", 3);
  EXPECT_EQ(TGreys(first).bgr, TGreys(second).bgr);
}

// The old file is held open without delete sharing, so it cannot be replaced: the save says so
// and leaves it whole.
TEST_F(ScaledSave, AFailedSaveAtFourTimesKeepsTheOldFileAndSaysWhy) {
  const String file = Save("comic.jpg", 1);
  const std::vector<std::uint8_t> old = FileBytes(file);
  HANDLE holder = CreateFileW(CP932ToWide(file).c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
  ASSERT_NE(holder, INVALID_HANDLE_VALUE);
  dialogs.Answers.push_back(mrYes);  // overwrite
  Save("comic.jpg", 3);
  CloseHandle(holder);
  EXPECT_EQ(FileBytes(file), old);
  EXPECT_EQ(test_support::FileNames(TempFolder()), (std::vector<String>{"Tavelko.ini", "comic.jpg", "stripes.jpg"}));
  ASSERT_FALSE(dialogs.Requests.empty());
  EXPECT_NE(dialogs.Requests.back().Text.find("Cannot create file"), String::npos) << dialogs.Requests.back().Text;
}
