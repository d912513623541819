// The editable comic on the page window: the saved JPEG carries the page and still decodes to the
// same pixels, a saved comic opens again as it was (from the open dialog too), damaged, foreign or
// crafted files and pasted blocks change nothing and reach nothing beyond the page, closing
// with unsaved work asks first, and the dialogs start where the last comic is.
#include <windows.h>

#include <cstdlib>
#include <functional>

#include "app/comic/ComicFile.h"
#include "app/comic/ComicSegments.h"
#include "designer/DsnHistory.h"
#include "framework/core/IniFile.h"
#include "framework/graphics/JpegCodec.h"
#include "framework/graphics/JpegImage.h"
#include "framework/stdctrls/Memo.h"
#include "framework/stdctrls/Shape.h"
#include "framework/stdctrls/SpeedButton.h"
#include "streaming/StreamFormat.h"
#include "tests/app/ComicCorpus.h"
#include "tests/app/PageDesignFixture.h"
#include "tests/support/HostileDocuments.h"

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

// `file` carrying `stream` as its page, in segments whose checksums hold: a comic crafted by
// someone else from one the program saved.
Bytes WithPage(const Bytes& file, const Bytes& stream) {
  const std::size_t at = comic_corpus::ComicSegmentSpans(file).front().offset;
  Bytes crafted = WithoutComicSegments(file);
  Bytes segments;
  for (const Bytes& payload : comic::SplitIntoSegments(stream)) {
    const std::size_t length = payload.size() + 2;
    segments.insert(segments.end(), {0xFF, std::uint8_t(comic::kSegmentMarker), std::uint8_t(length >> 8),
                                     std::uint8_t(length & 0xFF)});
    segments.insert(segments.end(), payload.begin(), payload.end());
  }
  crafted.insert(crafted.begin() + std::ptrdiff_t(at), segments.begin(), segments.end());
  return crafted;
}

// The page's stage stream with `records` added before its end.
Bytes WithRecords(Bytes stream, const std::vector<Bytes>& records) {
  for (const Bytes& record : records) stream.insert(stream.end() - 1, record.begin(), record.end());
  return stream;
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
    page = NewPageWindow();
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

TEST_F(ComicPage, CraftedComicsAreRefusedWithTheirReasonAndReachNothingBeyondThePage) {
  const Bytes saved = FileBytes(SaveArrangedComic());
  const Bytes stream = comic::ExtractStream(saved);
  const Bytes before = Design();
  const String crafted = TempFolder() + "\\crafted.jpg", ini = TempFolder() + "\\crafted.ini";
  const String key = "Software\\Tavelko tests\\Crafted";
  for (const auto& [why, records] : HostileDocuments(key, ini)) {
    SCOPED_TRACE(why);
    WriteFileBytes(crafted, WithPage(saved, WithRecords(stream, records)));
    try {
      page->OpenComicFile(crafted);
      ADD_FAILURE() << "opened";
    } catch (const EComicOpen& error) {
      EXPECT_NE(error.Message().find(why), String::npos) << error.Message();
    }
    EXPECT_EQ(Design(), before);
  }
  EXPECT_TRUE(page->SpeedButton2->Visible());
  EXPECT_EQ(page->FindComponent("Timer1"), nullptr);
  delete page;  // closing the program
  page = nullptr;
  EXPECT_FALSE(RegistryKeyExists(key));
  EXPECT_FALSE(FileExists(ini));

  // The same page without the crafted records opens.
  NewPage();
  WriteFileBytes(crafted, WithPage(saved, stream));
  page->OpenComicFile(crafted);
  EXPECT_EQ(Design(), before);
}

TEST_F(ComicPage, ARefusedOpenInLayoutModeLeavesTheModeTheSelectionAndTheUndoSteps) {
  const Bytes saved = FileBytes(SaveArrangedComic());
  ClickOnPanel(page->DsnSwitch1);
  page->DsnRegister1->SelectByInspect(page->Memo1);
  page->DsnRegister1->Nudge(1, 0, false, false);
  const std::size_t steps = page->History().UndoCount();
  const Bytes before = Design();
  // An inherited record that names nothing passes the stream's own checks.
  const String crafted = TempFolder() + "\\crafted.jpg";
  WriteFileBytes(crafted, WithPage(saved, WithRecords(comic::ExtractStream(saved),
                                                       {HandMadeRecord("TShape", "NoSuchShape", {}, streamformat::ffInherited)})));
  EXPECT_THROW(page->OpenComicFile(crafted), EComicOpen);
  EXPECT_EQ(Design(), before);
  EXPECT_TRUE(page->DsnRegister1->Designing());
  EXPECT_TRUE(page->DsnSwitch1->Down());
  ASSERT_EQ(page->DsnStage1->TargetsCount(), 1);
  EXPECT_EQ(page->DsnStage1->GetControls(0), page->Memo1);
  EXPECT_EQ(page->History().UndoCount(), steps);
}

TEST_F(ComicPage, ACraftedClipboardBlockIsRefusedAsACraftedComicIs) {
  ClickOnPanel(page->DsnSwitch1);
  const Bytes before = Design();
  Bytes block{0, 0, 0, 0};
  const Bytes stream = StageStream(HostileDocuments("", "")[1].records);  // the timer
  const auto length = static_cast<std::uint32_t>(stream.size());
  for (int i = 0; i < 4; ++i) block[i] = std::uint8_t(length >> (8 * i));
  block.insert(block.end(), stream.begin(), stream.end());
  Clipboard().SetAsBytes(TClipboard::RegisterFormat(TDsnRegister::kClipboardFormatName), block);
  Select(page->DsnStage1);
  Character(22);  // Ctrl+V
  ASSERT_EQ(dialogs.Requests.size(), 1u);
  EXPECT_EQ(dialogs.Requests[0].Text, "A TTimer does not belong in this kind of document");
  EXPECT_EQ(Design(), before);
  EXPECT_EQ(page->FindComponent("Timer1"), nullptr);
}

// The native fuzz targets read stage streams and clipboard blocks into stand-ins; here their
// regression inputs and the hostile documents go through the real page: read whole or refused.
TEST_F(ComicPage, FuzzRegressionsAndHostileDocumentsAreReadWholeOrRefusedByTheRealPage) {
  ClickOnPanel(page->DsnSwitch1);
  std::vector<Bytes> streams, blocks;
  for (const THostileDocument& hostile : HostileDocuments("Software\\Tavelko tests\\Replay", TempFolder() + "\\replay.ini"))
    streams.push_back(StageStream(hostile.records));
  auto addFiles = [](const char* target, std::vector<Bytes>& into) {
    const String folder = String(TAVELKO_FUZZ_REGRESSIONS) + "\\" + target + "\\";
    WIN32_FIND_DATAW found;
    const HANDLE search = FindFirstFileW(CP932ToWide(folder + "*").c_str(), &found);
    if (search == INVALID_HANDLE_VALUE) return;
    do {
      if (!(found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)) into.push_back(FileBytes(folder + WideToCP932(found.cFileName)));
    } while (FindNextFileW(search, &found));
    FindClose(search);
  };
  addFiles("stage_file", streams);
  addFiles("clipboard_block", blocks);
  for (const Bytes& stream : streams) {
    Bytes block(4);
    for (int i = 0; i < 4; ++i) block[i] = std::uint8_t(stream.size() >> (8 * i));
    block.insert(block.end(), stream.begin(), stream.end());
    blocks.push_back(block);
  }

  const Bytes before = Design();
  const TDocumentRules& rules = page->DsnStage1->DocumentRules();
  // Read whole: everything on the stage is of a class the page allows.
  auto readWholeOrRefused = [&](const std::function<void()>& read) {
    try {
      read();
    } catch (const Exception&) {
      EXPECT_EQ(Design(), before);
      return;
    }
    for (int i = 0; i < page->ComponentCount(); ++i) {
      if (auto* control = dynamic_cast<TControl*>(page->Components(i)); control && control->Parent() == page->DsnStage1) {
        EXPECT_NO_THROW(rules.CheckClass(control->ClassName()));
      }
    }
    auto own = StreamOf(before);
    page->DsnStage1->LoadFromStream(own.get());
  };
  for (const Bytes& stream : streams) {
    auto document = StreamOf(stream);
    readWholeOrRefused([&] { page->DsnStage1->LoadFromStream(document.get()); });
  }
  const UINT format = TClipboard::RegisterFormat(TDsnRegister::kClipboardFormatName);
  for (const Bytes& block : blocks) {
    Clipboard().SetAsBytes(format, block);
    Select(page->DsnStage1);
    readWholeOrRefused([&] { page->DsnRegister1->Paste(); });
  }
}

TEST_F(ComicPage, AComicOfAnEarlierVersionOpensAsItWasSaved) {
  page->OpenComicFile(Photo("tour-comic.jpg"));
  for (TImage* frame : {page->Image1, page->Image2, page->Image3, page->Image4}) EXPECT_NE(Shown(frame), nullptr);
  std::vector<String> dialogue;
  for (TMemo* memo : {page->Memo0, page->Memo1, page->Memo2, page->Memo3}) dialogue.push_back(memo->Text());
  EXPECT_EQ(dialogue, (std::vector<String>{"おはよう！", "いい天気だね", "どこへ行くの？", "海まで歩こう"}));
  EXPECT_FALSE(page->History().Modified());
}

TEST_F(ComicPage, FilesWithoutAComicSayWhy) {
  const Bytes before = Design();
  const std::vector<std::pair<String, String>> cases{
      {Photo("baseline.jpg"), " には編集できる漫画が入っていません。"},
      {Photo("photo.bmp"), " はJPEGファイルではありません。"},
      {TempFolder() + "\\none.jpg", " を読み込めません。"},
      {TempFolder() + "\\huge.jpg", " は大きすぎるため、漫画として開けません。"},
  };
  // Never read: only its size is looked at.
  const HANDLE huge = CreateFileW(CP932ToWide(cases.back().first).c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW, 0, nullptr);
  ASSERT_NE(huge, INVALID_HANDLE_VALUE);
  LARGE_INTEGER size{};
  size.QuadPart = kMaxComicFileBytes + 1;
  EXPECT_TRUE(SetFilePointerEx(huge, size, nullptr, FILE_BEGIN) && SetEndOfFile(huge));
  CloseHandle(huge);
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

TEST_F(ComicPage, TheLastComicOpenedOrSavedIsWhereTheDialogsStart) {
  const String saved = SaveArrangedComic("saved.jpg");
  EXPECT_EQ(shell.RecentDocuments, std::vector<String>{saved});
  NewPage();
  fileDialogs.Answers.push_back(saved);
  TypeKey(page->Memo0->Handle(), 'O', true);
  ASSERT_EQ(fileDialogs.Requests.size(), 1u);
  EXPECT_EQ(fileDialogs.Requests[0].InitialDir, TempFolder() + "\\");
  EXPECT_EQ(fileDialogs.Requests[0].FileName, "saved.jpg");
  EXPECT_EQ(shell.RecentDocuments, (std::vector<String>{saved, saved})) << "opened";

  // Opening from elsewhere (the command line) counts too; the save dialog starts there as well.
  CopyFileW(CP932ToWide(saved).c_str(), CP932ToWide(TempFolder() + "\\sub.jpg").c_str(), FALSE);
  page->OpenComicFile(TempFolder() + "\\sub.jpg");
  Save("again.jpg");
  ASSERT_EQ(fileDialogs.Requests.size(), 2u);
  EXPECT_EQ(fileDialogs.Requests[1].Kind, TFileDialogKind::Save);
  EXPECT_EQ(fileDialogs.Requests[1].InitialDir, TempFolder() + "\\");
  EXPECT_EQ(TIniFile(page->SettingsFile()).ReadString("RecentComics", "Last", ""), TempFolder() + "\\again.jpg");
}

TEST_F(ComicPage, ARememberedComicThatIsNoFullPathNeverReachesTheDialog) {
  for (const String& stored : {String("relative\\comic.jpg"), String("C:comic.jpg"), String("C:\\a\tb.jpg"),
                               String("\\\\server\\share\\x\x01.jpg"), "C:\\" + String(40000, 'x')}) {
    TIniFile(page->SettingsFile()).WriteString("RecentComics", "Last", stored);
    fileDialogs.Requests.clear();
    TypeKey(page->Memo0->Handle(), 'O', true);
    ASSERT_EQ(fileDialogs.Requests.size(), 1u);
    EXPECT_EQ(fileDialogs.Requests[0].InitialDir, "") << stored.substr(0, 40);
    EXPECT_EQ(fileDialogs.Requests[0].FileName, "") << stored.substr(0, 40);
  }
}
