// The editable comic on the page window: the saved JPEG carries the page and still decodes to the
// same pixels, a saved comic opens again as it was (from the open dialog too), damaged or foreign
// files change nothing, and closing with unsaved work asks first.
#include <windows.h>

#include <cstdlib>

#include "app/comic/ComicFile.h"
#include "app/comic/ComicSegments.h"
#include "designer/DsnHistory.h"
#include "framework/graphics/JpegCodec.h"
#include "framework/graphics/JpegImage.h"
#include "framework/stdctrls/Memo.h"
#include "framework/stdctrls/Shape.h"
#include "framework/stdctrls/SpeedButton.h"
#include "tests/app/ComicCorpus.h"
#include "tests/app/PageDesignFixture.h"

namespace {

using comic_corpus::Bytes;

Bytes Decoded(const Bytes& file) {
  Bytes pixels;
  jpeg::Decode(file, 8, [&pixels](int width, int height) {
    pixels.resize(std::size_t(width) * height * 3 + 64);
    return pixels.data();
  });
  return pixels;
}

Bytes WithoutComicSegments(Bytes file) {
  const std::vector<comic_corpus::TSegmentSpan> spans = comic_corpus::ComicSegmentSpans(file);
  for (auto span = spans.rbegin(); span != spans.rend(); ++span)
    file.erase(file.begin() + std::ptrdiff_t(span->offset), file.begin() + std::ptrdiff_t(span->offset + span->size));
  return file;
}

// The mean difference of two decoded pages, per colour channel.
double MeanDifference(const Bytes& a, const Bytes& b) {
  if (a.size() != b.size() || a.empty()) return 255;
  double sum = 0;
  for (std::size_t i = 0; i < a.size(); ++i) sum += std::abs(int(a[i]) - int(b[i]));
  return sum / double(a.size());
}

}  // namespace

class ComicPage : public PageDesign {
 protected:
  // A page with a photo, a moved balloon and typed dialogue, saved as a comic.
  String SaveArrangedComic(const char* name = "comic.jpg") {
    HoverOver(page->Image2);
    EXPECT_TRUE(Drop({Photo("progressive.jpg")}));
    page->Memo1->SetText("海へ行こう");
    page->Shape2->SetBounds(200, 160, 150, 40);
    return Save(name);
  }
  String Save(const char* name) {
    const String file = TempFolder() + "\\" + name;
    fileDialogs.Answers.push_back(file);
    if (FileExists(file)) dialogs.Answers.push_back(mrYes);
    ClickOnPanel(page->SpeedButton1);
    return file;
  }
  // A fresh page window in place of the current one.
  void NewPage() {
    delete page;
    page = new TMainForm1(nullptr);
    page->Show();
    page->Update();
    dialogs.Requests.clear();
    fileDialogs.Requests.clear();
  }
  Bytes Design() {
    TMemoryStream stream;
    page->DsnStage1->WriteDesign(stream);
    return StreamBytes(stream);
  }
};

TEST_F(ComicPage, TheSavedComicDecodesToTheSamePixelsWithAndWithoutItsSegments) {
  const Bytes file = FileBytes(SaveArrangedComic());
  ASSERT_FALSE(comic_corpus::ComicSegmentSpans(file).empty());
  const Bytes plain = WithoutComicSegments(file);
  EXPECT_LT(plain.size(), file.size());
  EXPECT_EQ(Decoded(file), Decoded(plain));
}

TEST_F(ComicPage, AReopenedComicShowsThePageAsSavedAndSavesTheSameSegments) {
  const String first = SaveArrangedComic();
  const std::vector<String> inventory = Inventory(true);
  NewPage();
  page->OpenComicFile(first);
  EXPECT_EQ(Inventory(true), inventory);
  EXPECT_EQ(page->Memo1->Text(), "海へ行こう");
  ASSERT_NE(Shown(page->Image2), nullptr);
  EXPECT_EQ(Shown(page->Image2)->ClassName(), "TJPEGImage");
  EXPECT_FALSE(page->History().Modified());
  // The opened frames still take drops as before.
  HoverOver(page->Image3);
  EXPECT_EQ(page->HoverFrame(), "右上");

  const String second = Save("again.jpg");
  EXPECT_EQ(comic::ExtractStream(FileBytes(second)), comic::ExtractStream(FileBytes(first)));
  EXPECT_LT(MeanDifference(Decoded(FileBytes(second)), Decoded(FileBytes(first))), 1.5);
}

TEST_F(ComicPage, AComicSavedInLayoutModeOpensWithoutTheMarksOfDesignMode) {
  ClickOnPanel(page->DsnSwitch1);
  Select(page->Shape1);
  const String file = Save("layout.jpg");
  NewPage();
  page->OpenComicFile(file);
  EXPECT_EQ(page->Memo0->Cursor(), crDefault);
  EXPECT_EQ(Inventory(), Inventory(true));  // no grab handles came along
}

TEST_F(ComicPage, PhotosGoIntoTheComicAtTheSizeTheirFramesShowThem) {
  HoverOver(page->Image1);
  ASSERT_TRUE(Drop({Photo("baseline.jpg")}));  // 80 x 60: kept as it is
  page->Image4->Picture()->Bitmap()->SetSize(1600, 1200);
  const String file = Save("comic.jpg");
  const std::vector<std::uint8_t> photo = FileBytes(Photo("baseline.jpg"));
  NewPage();
  page->OpenComicFile(file);
  EXPECT_EQ(Shown(page->Image1)->SaveToBytes(), photo);
  ASSERT_EQ(Shown(page->Image4)->ClassName(), "TJPEGImage");
  EXPECT_EQ(Shown(page->Image4)->Width(), 200);
  EXPECT_EQ(Shown(page->Image4)->Height(), 150);
}

TEST_F(ComicPage, DamagedComicsOpenNothingAndChangeNothing) {
  const Bytes good = FileBytes(SaveArrangedComic());
  NewPage();
  page->Memo0->SetText("そのまま");
  const Bytes before = Design();
  const String damagedFile = TempFolder() + "\\damaged.jpg";
  const std::vector<comic_corpus::TDamaged> copies = comic_corpus::DamagedCopies(good);
  ASSERT_GT(copies.size(), 40u);
  for (const comic_corpus::TDamaged& copy : copies) {
    SCOPED_TRACE(copy.what);
    WriteFileBytes(damagedFile, copy.file);
    EXPECT_THROW(page->OpenComicFile(damagedFile), EComicOpen);
  }
  EXPECT_EQ(Design(), before);
  EXPECT_TRUE(page->History().Modified());
}

TEST_F(ComicPage, FilesWithoutAComicSayWhy) {
  const Bytes before = Design();
  const std::vector<std::pair<String, String>> cases{
      {Photo("baseline.jpg"), " には編集できる漫画が入っていません。"},
      {Photo("photo.bmp"), " はJPEGファイルではありません。"},
      {TempFolder() + "\\none.jpg", " を読み込めません。"},
  };
  for (const auto& [file, why] : cases) {
    SCOPED_TRACE(file);
    try {
      page->OpenComicFile(file);
      ADD_FAILURE() << "opened";
    } catch (const EComicOpen& error) {
      EXPECT_EQ(error.Message(), file + why);
    }
  }
  EXPECT_EQ(Design(), before);
}

TEST_F(ComicPage, CtrlOAsksAboutUnsavedWorkThenOpensTheChosenComic) {
  const String file = SaveArrangedComic();
  NewPage();
  page->Memo0->SetText("未保存");
  dialogs.Answers.push_back(mrNo);
  fileDialogs.Answers.push_back(file);
  TypeKey(page->Memo0->Handle(), 'O', true);
  ASSERT_EQ(dialogs.Requests.size(), 1u);
  EXPECT_EQ(dialogs.Requests[0].Buttons, (TMsgDlgButtons{mbYes, mbNo, mbCancel}));
  ASSERT_EQ(fileDialogs.Requests.size(), 1u);
  EXPECT_EQ(fileDialogs.Requests[0].Kind, TFileDialogKind::Open);
  EXPECT_EQ(page->Memo1->Text(), "海へ行こう");
  EXPECT_EQ(page->Memo0->Text(), "台詞1");

  // Cancelled: nothing is asked of the file dialog.
  page->Memo0->SetText("未保存");
  dialogs.Answers.push_back(mrCancel);
  TypeKey(page->Memo0->Handle(), 'O', true);
  EXPECT_EQ(fileDialogs.Requests.size(), 1u);
  EXPECT_EQ(page->Memo0->Text(), "未保存");
}

TEST_F(ComicPage, ClosingAsksOnlyWhenThePageChangedSinceItWasSaved) {
  EXPECT_TRUE(page->CloseQuery());
  EXPECT_TRUE(dialogs.Requests.empty());

  page->Memo0->SetText("変えた");
  dialogs.Answers = {mrCancel, mrNo};
  EXPECT_FALSE(page->CloseQuery());
  ASSERT_EQ(dialogs.Requests.size(), 1u);
  EXPECT_EQ(dialogs.Requests[0].Text, "漫画が変更されています。保存しますか？");
  EXPECT_EQ(dialogs.Requests[0].Buttons, (TMsgDlgButtons{mbYes, mbNo, mbCancel}));
  EXPECT_TRUE(page->CloseQuery());

  // Yes saves first; a save dialog cancelled keeps the window.
  dialogs.Answers = {mrYes};
  EXPECT_FALSE(page->CloseQuery());
  const String file = TempFolder() + "\\closing.jpg";
  dialogs.Answers = {mrYes};
  fileDialogs.Answers.push_back(file);
  EXPECT_TRUE(page->CloseQuery());
  EXPECT_EQ(comic::ExtractStream(FileBytes(file)).empty(), false);
  EXPECT_FALSE(page->History().Modified());
  EXPECT_TRUE(page->CloseQuery());
}
