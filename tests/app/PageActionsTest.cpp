// The page's actions driven by real window messages: hovering and dropping photos into frames,
// clearing frames, the mode captions, saving the page as a JPEG, and the page's controls cut,
// pasted, deleted and saved and loaded in layout mode.
#include <windows.h>

#include <cstdlib>
#include <cstring>
#include <functional>
#include <memory>
#include <vector>

#include "controls/dxfLabel.h"
#include "designer/DsnUnit.h"
#include "framework/core/Stream.h"
#include "framework/graphics/Bitmap.h"
#include "framework/graphics/Canvas.h"
#include "framework/graphics/Color.h"
#include "framework/graphics/JpegCodec.h"
#include "framework/graphics/Picture.h"
#include "framework/stdctrls/Image.h"
#include "framework/stdctrls/Memo.h"
#include "framework/stdctrls/Shape.h"
#include "framework/stdctrls/SpeedButton.h"
#include "tests/app/PageDesignFixture.h"
#include "tests/support/StreamWriters.h"

namespace {

// Whether the file begins with the JPEG start-of-image marker.
bool IsJpegFile(const String& name) {
  const std::vector<std::uint8_t> bytes = FileBytes(name);
  return bytes.size() > 2 && bytes[0] == 0xFF && bytes[1] == 0xD8;
}

// The 64 entries of every quantisation table of a JPEG file.
std::vector<std::vector<int>> QuantisationTables(const std::vector<std::uint8_t>& jpeg) {
  std::vector<std::vector<int>> tables;
  for (std::size_t i = 2; i + 4 < jpeg.size();) {
    if (jpeg[i] != 0xFF) break;
    const int marker = jpeg[i + 1];
    const std::size_t length = (jpeg[i + 2] << 8) | jpeg[i + 3];
    if (marker == 0xDB) {
      for (std::size_t p = i + 4; p < i + 2 + length;) {
        const bool wide = jpeg[p] >> 4;
        std::vector<int> table;
        for (int k = 0; k < 64; ++k) table.push_back(wide ? (jpeg[p + 1 + 2 * k] << 8) | jpeg[p + 2 + 2 * k] : jpeg[p + 1 + k]);
        tables.push_back(table);
        p += 1 + (wide ? 128 : 64);
      }
    }
    if (marker == 0xDA) break;
    i += 2 + length;
  }
  return tables;
}

// A saved page, decoded.
class TSavedPage {
 public:
  explicit TSavedPage(const String& name) {
    header_ = jpeg::Decode(FileBytes(name), 8, [this](int width, int height) {
      pixels_.resize(static_cast<std::size_t>(width) * height * 3);
      return pixels_.data();
    });
  }
  int Width() const { return header_.width; }
  int Height() const { return header_.height; }
  // Decoded rows are bottom-up BGR (400 * 3 bytes is already a whole number of words).
  COLORREF At(int x, int y) const {
    const std::uint8_t* bgr = &pixels_[(static_cast<std::size_t>(header_.height - 1 - y) * header_.width + x) * 3];
    return RGB(bgr[2], bgr[1], bgr[0]);
  }

 private:
  jpeg::Header header_;
  std::vector<std::uint8_t> pixels_;
};

int ColourDistance(COLORREF a, COLORREF b) {
  return std::abs(GetRValue(a) - GetRValue(b)) + std::abs(GetGValue(a) - GetGValue(b)) +
         std::abs(GetBValue(a) - GetBValue(b));
}

}  // namespace

TEST_F(PageActions, EachKindOfPictureLoadsIntoEachFrameLastHovered) {
  const std::vector<TImage*> frames{page->Image1, page->Image2, page->Image3, page->Image4};
  const std::vector<const char*> tags{"左上", "上", "右上", "左"};
  const std::vector<std::pair<const char*, const char*>> photos{
      {"baseline.jpg", "TJPEGImage"}, {"progressive.jpg", "TJPEGImage"}, {"photo.bmp", "TBitmap"}};
  for (std::size_t f = 0; f < frames.size(); ++f)
    for (const auto& [photo, graphicClass] : photos) {
      SCOPED_TRACE(String(photo) + " into frame " + IntToStr(static_cast<int>(f) + 1));
      HoverOver(frames[f]);
      EXPECT_EQ(page->HoverFrame(), tags[f]);
      EXPECT_TRUE(Drop({Photo(photo)}));
      ASSERT_NE(Shown(frames[f]), nullptr);
      EXPECT_EQ(Shown(frames[f])->ClassName(), graphicClass);
      EXPECT_EQ(Shown(frames[f])->Width(), 80);
    }
  EXPECT_TRUE(dialogs.Requests.empty());
}

TEST_F(PageActions, TheLastHoveredFrameStaysTheTargetAfterTheMouseLeaves) {
  HoverOver(page->Image2);
  MoveAwayFromFrames();
  EXPECT_EQ(page->HoverFrame(), "上");
  EXPECT_TRUE(Drop({Photo("progressive.jpg")}));
  EXPECT_EQ(Shown(page->Image2)->ClassName(), "TJPEGImage");
  EXPECT_EQ(Shown(page->Image1)->Width(), 200);  // the others keep their placeholders
  EXPECT_EQ(Shown(page->Image3)->Width(), 200);
}

TEST_F(PageActions, OnlyTheFirstOfSeveralFilesLoads) {
  HoverOver(page->Image2);
  EXPECT_TRUE(Drop({Photo("photo.bmp"), Photo("baseline.jpg"), Photo("progressive.jpg")}));
  EXPECT_EQ(Shown(page->Image2)->ClassName(), "TBitmap");
  EXPECT_EQ(Shown(page->Image2)->Width(), 80);
}

TEST_F(PageActions, DropsThatChangeNothing) {
  TGraphic* before = Shown(page->Image1);
  EXPECT_TRUE(Drop({Photo("baseline.jpg")}));  // no frame hovered yet
  EXPECT_EQ(Shown(page->Image1), before);
  HoverOver(page->Image1);
  EXPECT_TRUE(Drop({Photo("photo.png")}));  // refused by its extension, never opened
  EXPECT_EQ(Shown(page->Image1), before);
  EXPECT_TRUE(dialogs.Requests.empty());
}

TEST_F(PageActions, AnExtensionInAnyCaseIsAccepted) {
  const String name = TempFolder() + "\\photo.Jpeg";
  ASSERT_TRUE(CopyFileW(CP932ToWide(Photo("baseline.jpg")).c_str(), CP932ToWide(name).c_str(), FALSE));
  HoverOver(page->Image3);
  EXPECT_TRUE(Drop({name}));
  EXPECT_EQ(Shown(page->Image3)->ClassName(), "TJPEGImage");
}

TEST_F(PageActions, ACorruptPictureIsReportedAndTheFrameKeepsItsPicture) {
  HoverOver(page->Image2);
  TGraphic* before = Shown(page->Image2);
  EXPECT_TRUE(Drop({Photo("corrupt.jpg")}));
  ASSERT_EQ(dialogs.Requests.size(), 1u);
  EXPECT_EQ(dialogs.Requests[0].Kind, TMessageKind::Exception);
  EXPECT_EQ(Shown(page->Image2), before);
  EXPECT_EQ(Shown(page->Image2)->Width(), 200);
}

// A picture file of width x height, red above blue, as a JPEG or a BMP by the name's extension.
String MakeHalvesFile(const String& name, int width, int height) {
  TBitmap halves;
  halves.SetSize(width, height);
  halves.Canvas()->Brush()->SetColor(clRed);
  halves.Canvas()->FillRect({0, 0, width, height / 2});
  halves.Canvas()->Brush()->SetColor(clBlue);
  halves.Canvas()->FillRect({0, height / 2, width, height});
  std::unique_ptr<TGraphic> file = NewGraphicFor(name);
  file->Assign(&halves);
  file->SaveToFile(name);
  return name;
}

// Whether each channel of `color` is within `tolerance` of `expected`'s.
bool ColorNear(TColor color, TColor expected, int tolerance) {
  const COLORREF a = Rgb(color), b = Rgb(expected);
  return std::abs(GetRValue(a) - GetRValue(b)) <= tolerance && std::abs(GetGValue(a) - GetGValue(b)) <= tolerance &&
         std::abs(GetBValue(a) - GetBValue(b)) <= tolerance;
}

// The colours of a graphic drawn at 40 x 40: near the top and near the bottom.
std::pair<TColor, TColor> TopAndBottom(TGraphic* graphic) {
  TBitmap drawn;
  drawn.SetSize(40, 40);
  drawn.Canvas()->StretchDraw({0, 0, 40, 40}, graphic);
  return {drawn.Canvas()->Pixels(20, 5), drawn.Canvas()->Pixels(20, 35)};
}

TEST_F(PageActions, PhotosLargerThanTheStageAreKeptAtTheSizeThatCoversIt) {
  const struct {
    const char* name;
    int width, height;
    int keptWidth, keptHeight;
  } photos[] = {{"wide.jpg", 2400, 1200, 1200, 600},  // the stage's height (600) decides
                {"tall.bmp", 1000, 2000, 578, 1156},  // its width (578) decides
                {"page.jpg", 400, 600, 400, 600}};    // no larger than the stage: kept as it is
  for (const auto& photo : photos) {
    SCOPED_TRACE(photo.name);
    const String file = MakeHalvesFile(TempFolder() + "\\" + photo.name, photo.width, photo.height);
    HoverOver(page->Image1);
    ASSERT_TRUE(Drop({file}));
    TGraphic* kept = Shown(page->Image1);
    ASSERT_NE(kept, nullptr);
    EXPECT_EQ(kept->Width(), photo.keptWidth);
    EXPECT_EQ(kept->Height(), photo.keptHeight);
    if (photo.keptWidth < photo.width) {
      EXPECT_EQ(kept->ClassName(), "TJPEGImage");
      EXPECT_LT(kept->SaveToBytes().size(), 100'000u);
    } else {
      EXPECT_EQ(kept->SaveToBytes(), FileBytes(file));
    }
    const auto [top, bottom] = TopAndBottom(kept);
    EXPECT_TRUE(ColorNear(top, clRed, 24)) << std::hex << Rgb(top);
    EXPECT_TRUE(ColorNear(bottom, clBlue, 24)) << std::hex << Rgb(bottom);
  }
  EXPECT_TRUE(dialogs.Requests.empty());
}

TEST_F(PageActions, AFileNameLongerThanTheOldBufferLoads) {
  // Nested folders make a path of well over 260 characters.
  String folder = TempFolder();
  std::vector<String> made;
  while (folder.size() < 300) {
    folder += "\\" + String(60, 'd');
    ASSERT_TRUE(CreateDirectoryW((L"\\\\?\\" + CP932ToWide(folder)).c_str(), nullptr));
    made.push_back(folder);
  }
  const String name = folder + "\\photo.jpg";
  ASSERT_TRUE(CopyFileW(CP932ToWide(Photo("baseline.jpg")).c_str(), (L"\\\\?\\" + CP932ToWide(name)).c_str(), FALSE));
  HoverOver(page->Image4);
  EXPECT_TRUE(Drop({name}));
  EXPECT_EQ(Shown(page->Image4)->ClassName(), "TJPEGImage");
  EXPECT_TRUE(dialogs.Requests.empty());
  DeleteFileW((L"\\\\?\\" + CP932ToWide(name)).c_str());
  for (auto it = made.rbegin(); it != made.rend(); ++it) RemoveDirectoryW((L"\\\\?\\" + CP932ToWide(*it)).c_str());
}

TEST_F(PageActions, ADoubleClickEmptiesAFrame) {
  const LPARAM at = MAKELPARAM(page->Image2->Left() + 10, page->Image2->Top() + 10);
  SendMessageW(Stage(), WM_LBUTTONDOWN, MK_LBUTTON, at);
  SendMessageW(Stage(), WM_LBUTTONUP, 0, at);
  SendMessageW(Stage(), WM_LBUTTONDBLCLK, MK_LBUTTON, at);
  SendMessageW(Stage(), WM_LBUTTONUP, 0, at);
  EXPECT_EQ(Shown(page->Image2), nullptr);
  EXPECT_NE(Shown(page->Image1), nullptr);
}

TEST_F(PageActions, TheModeSwitchRelabelsItselfAndTheInstructionStrip) {
  ClickOnPanel(page->DsnSwitch1);
  EXPECT_TRUE(page->DsnSwitch1->Down());
  EXPECT_EQ(page->DsnSwitch1->Caption(), "[台詞入力モード]へ");
  EXPECT_EQ(page->dxfLabel0->Caption(), "[レイアウトモード]です。吹き出し・台詞ボックスを配置します。");
  ClickOnPanel(page->DsnSwitch1);
  EXPECT_FALSE(page->DsnSwitch1->Down());
  EXPECT_EQ(page->DsnSwitch1->Caption(), "[レイアウトモード]へ");
  EXPECT_EQ(page->dxfLabel0->Caption(), "[台詞入力モード]です。台詞ボックスに台詞を入力します。");
}

TEST_F(PageActions, SavingWritesTheVisiblePageAsAQuality100Jpeg) {
  HoverOver(page->Image1);
  Drop({Photo("baseline.jpg")});
  page->Update();
  const String name = TempFolder() + "\\comic.jpg";
  fileDialogs.Answers.push_back(name);
  ClickOnPanel(page->SpeedButton1);

  ASSERT_EQ(fileDialogs.Requests.size(), 1u);
  EXPECT_EQ(fileDialogs.Requests[0].Kind, TFileDialogKind::Save);
  EXPECT_EQ(fileDialogs.Requests[0].DefaultExt, "jpg");
  EXPECT_EQ(fileDialogs.Requests[0].Title, "保存");
  // The page as the screen shows it is the first file type and the one chosen at first.
  EXPECT_EQ(fileDialogs.Requests[0].Filter.rfind("JPEG ファイル (*.jpg;*.jpeg)|*.jpg;*.jpeg|", 0), 0u);
  EXPECT_EQ(fileDialogs.Requests[0].FilterIndex, 1);
  EXPECT_TRUE(dialogs.Requests.empty());
  EXPECT_EQ(page->Shape0->Pen()->Style(), psDot);

  for (const std::vector<int>& table : QuantisationTables(FileBytes(name)))
    for (int q : table) EXPECT_EQ(q, 1);
  const TSavedPage saved(name);
  ASSERT_EQ(saved.Width(), 400);
  ASSERT_EQ(saved.Height(), 600);

  // The saved pixels are those of the page area of the window (22, 0)-(422, 600).
  long difference = 0;
  int samples = 0;
  for (int y = 5; y < 600; y += 37)
    for (int x = 3; x < 400; x += 29) {
      difference += ColourDistance(saved.At(x, y), PixelAt(page->Handle(), 22 + x, y));
      ++samples;
    }
  EXPECT_LT(difference / samples, 12);
}

// The box being typed into shows a caret or a selection's highlight only because it has the
// focus: neither is part of the page.
TEST_F(PageActions, TheFocusedBoxsCaretAndSelectionAreNotSaved) {
  TMemo* box = page->Memo2;
  box->SetBounds(100, 300, 120, 16);  // onto the page, where the save copies from
  box->SetText("こんにちは ");          // the caret after a blank stands on the background
  box->SetFocus();
  ASSERT_TRUE(box->Focused());
  HWND edit = box->Handle();
  const int end = GetWindowTextLengthW(edit);
  SendMessageW(edit, EM_SETSEL, end, end);
  page->Update();
  const COLORREF background = ColorToRGB(box->Color());

  // The caret blinks: wait until the window shows it, then save without handling another message.
  POINT caret{};
  ASSERT_TRUE(GetCaretPos(&caret));
  MapWindowPoints(edit, page->Handle(), &caret, 1);
  const POINT probe{caret.x, caret.y + 6};  // within the caret's height
  HDC window = GetDC(page->Handle());
  const bool caretShown = PumpUntil([&] { return ColourDistance(GetPixel(window, probe.x, probe.y), background) > 300; });
  ReleaseDC(page->Handle(), window);
  ASSERT_TRUE(caretShown) << "the caret never showed at " << probe.x << "," << probe.y;
  const String withCaret = TempFolder() + "\\caret.jpg";
  fileDialogs.Answers.push_back(withCaret);
  ClickOnPanel(page->SpeedButton1);
  EXPECT_LT(ColourDistance(TSavedPage(withCaret).At(probe.x - 22, probe.y), background), 60);

  // A selection is highlighted while the box has the focus; it is kept, but not saved.
  SendMessageW(edit, EM_SETSEL, 0, 3);
  page->Update();
  const COLORREF highlight = GetSysColor(COLOR_HIGHLIGHT);
  auto highlighted = [&](const std::function<COLORREF(int, int)>& pixel) {
    int count = 0;
    for (int y = box->Top(); y < box->Top() + box->Height(); ++y)
      for (int x = box->Left(); x < box->Left() + box->Width(); ++x)
        if (ColourDistance(pixel(x, y), highlight) < 60) ++count;
    return count;
  };
  window = GetDC(page->Handle());
  EXPECT_GT(highlighted([&](int x, int y) { return GetPixel(window, 22 + x, y); }), 20) << "the highlight shows on screen";
  ReleaseDC(page->Handle(), window);
  const String withSelection = TempFolder() + "\\selection.jpg";
  fileDialogs.Answers.push_back(withSelection);
  ClickOnPanel(page->SpeedButton1);
  const TSavedPage saved(withSelection);
  EXPECT_EQ(highlighted([&](int x, int y) { return saved.At(x, y); }), 0);
  DWORD start = 0, stop = 0;
  SendMessageW(edit, EM_GETSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&stop));
  EXPECT_EQ(start, 0u);
  EXPECT_EQ(stop, 3u);
}

TEST_F(PageActions, CancelOrNoSavesNothingButTheOutlineTurnsDotted) {
  ClickOnPanel(page->SpeedButton1);  // no answer: the dialog is cancelled
  EXPECT_EQ(fileDialogs.Requests.size(), 1u);
  EXPECT_EQ(page->Shape0->Pen()->Style(), psDot);

  const String name = TempFolder() + "\\comic.jpg";
  ReplaceFileContents(name, "old", 3);
  fileDialogs.Answers.push_back(name);
  dialogs.Answers.push_back(mrNo);
  ClickOnPanel(page->SpeedButton1);
  ASSERT_EQ(dialogs.Requests.size(), 1u);
  EXPECT_EQ(dialogs.Requests[0].Text, name + " は既に存在します。\n上書きしますか？");
  EXPECT_EQ(dialogs.Requests[0].Type, mtConfirmation);
  EXPECT_EQ(dialogs.Requests[0].Buttons, (TMsgDlgButtons{mbYes, mbNo}));
  EXPECT_EQ(FileBytes(name), (std::vector<std::uint8_t>{'o', 'l', 'd'}));

  fileDialogs.Answers.push_back(name);
  dialogs.Answers.push_back(mrYes);
  ClickOnPanel(page->SpeedButton1);
  EXPECT_TRUE(IsJpegFile(name));
}

TEST_F(PageActions, ABitmapNameStillReceivesJpegData) {
  const String name = TempFolder() + "\\comic.bmp";
  fileDialogs.Answers.push_back(name);
  ClickOnPanel(page->SpeedButton1);
  EXPECT_TRUE(IsJpegFile(name));
}

// ---------------------------------------------------------------------------------------------
// Layout mode: cut, paste, delete and the stage's stream

TEST_F(PageDesign, TheWholeStageSurvivesASaveAndALoadAndTheFormFindsItsControlsAgain) {
  HoverOver(page->Image1);
  ASSERT_TRUE(Drop({Photo("baseline.jpg")}));
  HoverOver(page->Image3);
  ASSERT_TRUE(Drop({Photo("photo.bmp")}));
  page->Memo2->SetText("こんにちは");
  const std::vector<String> before = Inventory();
  const std::vector<std::uint8_t> saved = StageBytes(page->DsnStage1);

  TMemoryStream stream;
  stream.WriteBuffer(saved.data(), static_cast<std::int64_t>(saved.size()));
  page->DsnStage1->LoadFromStream(&stream);
  EXPECT_EQ(Inventory(), before);
  EXPECT_EQ(StageBytes(page->DsnStage1), saved);  // every property, picture and line

  ASSERT_NE(page->Image1, nullptr);
  EXPECT_EQ(page->Image1->Parent(), page->DsnStage1);
  EXPECT_EQ(Shown(page->Image1)->ClassName(), "TJPEGImage");
  EXPECT_EQ(Shown(page->Image3)->ClassName(), "TBitmap");
  ASSERT_NE(page->Memo2, nullptr);
  EXPECT_EQ(page->Memo2->Text(), "こんにちは");
  // The loaded frames report the mouse and take drops as the old ones did.
  HoverOver(page->Image2);
  ASSERT_TRUE(Drop({Photo("progressive.jpg")}));
  EXPECT_EQ(Shown(page->Image2)->ClassName(), "TJPEGImage");
}

TEST_F(PageDesign, AFrameCutAndPastedInLayoutModeKeepsItsPlaceNameAndDuty) {
  ClickOnPanel(page->DsnSwitch1);
  ASSERT_TRUE(page->DsnRegister1->Designing());
  const TRect bounds = page->Image1->BoundsRect();
  Select(page->Image1);
  Character(24);  // Ctrl+X
  EXPECT_EQ(page->Image1, nullptr);
  Select(page->DsnStage1);
  Character(22);  // Ctrl+V
  ASSERT_NE(page->Image1, nullptr);
  EXPECT_EQ(page->Image1->BoundsRect(), bounds);
  ClickOnPanel(page->DsnSwitch1);

  HoverOver(page->Image1);
  EXPECT_EQ(page->HoverFrame(), "左上");
  ASSERT_TRUE(Drop({Photo("baseline.jpg")}));
  EXPECT_EQ(Shown(page->Image1)->ClassName(), "TJPEGImage");
}

TEST_F(PageDesign, WithTheOutlineAndAFrameDeletedTheCopiesStillClearAndThePageStillSaves) {
  ClickOnPanel(page->DsnSwitch1);
  Select(page->Image1);
  Character(3);  // Ctrl+C
  Select(page->DsnStage1);
  Character(22);
  auto* copy = dynamic_cast<TImage*>(page->FindComponent("Image5"));
  ASSERT_NE(copy, nullptr);
  Select(page->Shape0);
  DeleteKey();
  EXPECT_EQ(page->Shape0, nullptr);
  Select(page->Image1);
  DeleteKey();
  EXPECT_EQ(page->Image1, nullptr);
  ClickOnPanel(page->DsnSwitch1);

  // The copy's double-click handler is the deleted frame's.
  const LPARAM at = MAKELPARAM(copy->Left() + 10, copy->Top() + 10);
  SendMessageW(Stage(), WM_LBUTTONDBLCLK, MK_LBUTTON, at);
  SendMessageW(Stage(), WM_LBUTTONUP, 0, at);
  const String name = TempFolder() + "\\without-outline.jpg";
  fileDialogs.Answers.push_back(name);
  ClickOnPanel(page->SpeedButton1);
  EXPECT_TRUE(IsJpegFile(name));
  EXPECT_TRUE(dialogs.Requests.empty());
}
