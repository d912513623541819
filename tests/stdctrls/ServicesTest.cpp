// The file dialogs through the scripted file dialog service, the colour and font dialogs through
// the scripted choice service, the clipboard over a service that
// keeps its data in the process, and dropped files with names longer than 260 characters.
#include "TestSupport.h"

#include <commdlg.h>
#include <shlobj.h>

#include <cstring>
#include <functional>
#include <map>

#include "framework/stdctrls/Clipboard.h"
#include "framework/stdctrls/DroppedFiles.h"
#include "framework/stdctrls/Panel.h"
#include "framework/stdctrls/Dialogs.h"
#include "framework/windows/Application.h"

namespace {

using SaveDialogTest = StdCtrlsTest;
using ChoiceDialogTest = StdCtrlsTest;
using ClipboardTest = ::testing::Test;
using DroppedFilesTest = StdCtrlsTest;

TEST_F(SaveDialogTest, TheRequestCarriesTheSettingsAndTheAnswerTheName) {
  TScriptedFileDialogs files;
  TFileDialogServiceScope scope(files);
  TSavePictureDialog dialog(nullptr);
  dialog.SetDefaultExt("jpg");
  dialog.SetFilter("JPEG ファイル (*.jpg;*.jpeg)|*.jpg;*.jpeg");
  dialog.SetTitle("保存");
  files.Answers.push_back(String("C:\\comics\\page.jpg"));
  ASSERT_TRUE(dialog.Execute());
  EXPECT_EQ(dialog.FileName(), "C:\\comics\\page.jpg");
  ASSERT_EQ(files.Requests.size(), 1u);
  const TFileDialogRequest& request = files.Requests[0];
  EXPECT_EQ(request.Kind, TFileDialogKind::Save);
  EXPECT_EQ(request.DefaultExt, "jpg");
  EXPECT_EQ(request.Filter, "JPEG ファイル (*.jpg;*.jpeg)|*.jpg;*.jpeg");
  EXPECT_EQ(request.Title, "保存");
  // The page asks its own overwrite question: the dialog must not ask first.
  EXPECT_EQ(request.Flags & OFN_OVERWRITEPROMPT, 0u);
  EXPECT_NE(request.Flags & OFN_HIDEREADONLY, 0u);

  dialog.SetOptions(dialog.Options() + ofOverwritePrompt);
  files.Answers.push_back(std::nullopt);
  EXPECT_FALSE(dialog.Execute());
  EXPECT_NE(files.Requests[1].Flags & OFN_OVERWRITEPROMPT, 0u);
  EXPECT_EQ(files.Requests[1].FileName, "C:\\comics\\page.jpg");  // proposed again
  EXPECT_EQ(dialog.FileName(), "C:\\comics\\page.jpg");          // kept on cancel
}

TEST_F(SaveDialogTest, StoredSettingsComeBack) {
  TSavePictureDialog dialog(nullptr);
  dialog.SetDefaultExt("jpg");
  dialog.SetFilter("JPEG ファイル (*.jpg;*.jpeg)|*.jpg;*.jpeg");
  dialog.SetTitle("保存");
  auto copy = RoundTrip(dialog);
  ASSERT_NE(copy, nullptr);
  EXPECT_EQ(copy->DefaultExt(), "jpg");
  EXPECT_EQ(copy->Filter(), dialog.Filter());
  EXPECT_EQ(copy->Title(), "保存");
  EXPECT_EQ(copy->Options(), (TOpenOptions{ofHideReadOnly, ofEnableSizing}));
}

TEST_F(SaveDialogTest, TheOpenDialogAsksToOpen) {
  TScriptedFileDialogs files;
  TFileDialogServiceScope scope(files);
  TOpenDialog dialog(nullptr);
  dialog.SetOptions(dialog.Options() + ofFileMustExist);
  files.Answers.push_back(String("C:\\stages\\one.stage"));
  ASSERT_TRUE(dialog.Execute());
  EXPECT_EQ(dialog.FileName(), "C:\\stages\\one.stage");
  EXPECT_EQ(files.Requests[0].Kind, TFileDialogKind::Open);
  EXPECT_NE(files.Requests[0].Flags & OFN_FILEMUSTEXIST, 0u);
}

TEST_F(ChoiceDialogTest, TheColourDialogProposesTheRgbOfTheColourAndKeepsItOnCancel) {
  TScriptedChoiceDialogs choices;
  TChoiceDialogServiceScope scope(choices);
  TColorDialog dialog(nullptr);
  dialog.SetColor(clBtnFace);
  EXPECT_FALSE(dialog.Execute());
  EXPECT_EQ(choices.ColorRequests[0].Color, static_cast<COLORREF>(ColorToRGB(clBtnFace)));
  EXPECT_EQ(dialog.Color(), clBtnFace);

  choices.ColorAnswer = RGB(10, 20, 30);
  ASSERT_TRUE(dialog.Execute());
  EXPECT_EQ(dialog.Color(), static_cast<TColor>(RGB(10, 20, 30)));
}

TEST_F(ChoiceDialogTest, TheFontDialogCarriesFaceSizeStyleCharsetAndColourBothWays) {
  TScriptedChoiceDialogs choices;
  TChoiceDialogServiceScope scope(choices);
  TFontDialog dialog(nullptr);
  dialog.Font()->SetName("ＭＳ ゴシック");
  dialog.Font()->SetHeight(-16);
  dialog.Font()->SetStyle(TFontStyles{fsBold, fsUnderline});
  dialog.Font()->SetCharset(SHIFTJIS_CHARSET);
  dialog.Font()->SetColor(clRed);
  EXPECT_FALSE(dialog.Execute());
  const TFontDialogRequest& proposed = choices.FontRequests[0];
  EXPECT_EQ(WideToCP932(proposed.Font.lfFaceName), "ＭＳ ゴシック");
  EXPECT_EQ(proposed.Font.lfHeight, -16);
  EXPECT_EQ(proposed.Font.lfWeight, FW_BOLD);
  EXPECT_TRUE(proposed.Font.lfUnderline);
  EXPECT_FALSE(proposed.Font.lfItalic);
  EXPECT_EQ(proposed.Font.lfCharSet, SHIFTJIS_CHARSET);
  EXPECT_EQ(proposed.Color, static_cast<COLORREF>(RGB(255, 0, 0)));

  TFontDialogRequest answer{};
  wcscpy(answer.Font.lfFaceName, L"Arial");
  answer.Font.lfHeight = -20;
  answer.Font.lfWeight = FW_NORMAL;
  answer.Font.lfItalic = TRUE;
  answer.Font.lfStrikeOut = TRUE;
  answer.Font.lfCharSet = ANSI_CHARSET;
  answer.Color = RGB(0, 0, 128);
  choices.FontAnswer = answer;
  ASSERT_TRUE(dialog.Execute());
  EXPECT_EQ(dialog.Font()->Name(), "Arial");
  EXPECT_EQ(dialog.Font()->Height(), -20);
  EXPECT_EQ(dialog.Font()->Style(), (TFontStyles{fsItalic, fsStrikeOut}));
  EXPECT_EQ(dialog.Font()->Charset(), ANSI_CHARSET);
  EXPECT_EQ(dialog.Font()->Color(), static_cast<TColor>(RGB(0, 0, 128)));
}

// Answers the system's own colour or font dialog of this thread once it shows: `answer` gets the
// dialog window and ends it.
class TSystemDialogAnswerer {
 public:
  explicit TSystemDialogAnswerer(std::function<void(HWND)> answer) : answer_(std::move(answer)) {
    current_ = this;
    timer_ = SetTimer(nullptr, 0, 50, &TSystemDialogAnswerer::Tick);
  }
  ~TSystemDialogAnswerer() {
    KillTimer(nullptr, timer_);
    current_ = nullptr;
  }
  bool answered = false;

 private:
  static void CALLBACK Tick(HWND, UINT, UINT_PTR, DWORD) {
    if (!current_ || current_->answered) return;
    HWND dialog = nullptr;
    EnumThreadWindows(
        GetCurrentThreadId(),
        [](HWND window, LPARAM found) -> BOOL {
          wchar_t name[16] = {};
          GetClassNameW(window, name, 16);
          if (!IsWindowVisible(window) || std::wcscmp(name, L"#32770") != 0) return TRUE;
          *reinterpret_cast<HWND*>(found) = window;
          return FALSE;
        },
        reinterpret_cast<LPARAM>(&dialog));
    if (!dialog) return;
    current_->answered = true;
    current_->answer_(dialog);
  }

  static inline TSystemDialogAnswerer* current_ = nullptr;
  std::function<void(HWND)> answer_;
  UINT_PTR timer_;
};

TEST_F(ChoiceDialogTest, TheSystemColourDialogReturnsTheColourTypedIntoIt) {
  TColorDialog dialog(nullptr);
  dialog.SetColor(clBlue);
  TSystemDialogAnswerer answerer([](HWND window) {
    // The red, green and blue boxes of the full dialog.
    SetDlgItemInt(window, 706, 10, FALSE);
    SetDlgItemInt(window, 707, 20, FALSE);
    SetDlgItemInt(window, 708, 30, FALSE);
    PostMessageW(window, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), reinterpret_cast<LPARAM>(GetDlgItem(window, IDOK)));
  });
  ASSERT_TRUE(dialog.Execute());
  EXPECT_TRUE(answerer.answered);
  EXPECT_EQ(dialog.Color(), static_cast<TColor>(RGB(10, 20, 30)));
}

TEST_F(ChoiceDialogTest, TheSystemFontDialogGivesItsChoiceOnOkAndNothingOnCancel) {
  TFontDialog dialog(nullptr);
  dialog.Font()->SetName("Courier New");
  TSystemDialogAnswerer cancel([](HWND window) {
    PostMessageW(window, WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED), reinterpret_cast<LPARAM>(GetDlgItem(window, IDCANCEL)));
  });
  EXPECT_FALSE(dialog.Execute());
  EXPECT_TRUE(cancel.answered);
  EXPECT_EQ(dialog.Font()->Name(), "Courier New");

  // Which face Wine's dialog starts on depends on the fonts of the prefix; what it hands back
  // must arrive whole.
  TSystemDialogAnswerer confirm([](HWND window) {
    PostMessageW(window, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), reinterpret_cast<LPARAM>(GetDlgItem(window, IDOK)));
  });
  ASSERT_TRUE(dialog.Execute());
  EXPECT_TRUE(confirm.answered);
  EXPECT_FALSE(dialog.Font()->Name().empty());
  EXPECT_NE(dialog.Font()->Height(), 0);
}

TEST_F(ClipboardTest, NestedOpensOpenOnceAndTheFirstDataEmptiesOnce) {
  TPrivateClipboard service;
  TClipboardServiceScope scope(service);
  TClipboard clipboard;
  const UINT format = TClipboard::RegisterFormat("Dsn_ClipboardFormat");
  EXPECT_EQ(TClipboard::RegisterFormat("Dsn_ClipboardFormat"), format);

  clipboard.Open();
  clipboard.SetAsBytes(format, std::vector<std::uint8_t>{1, 2, 3});
  clipboard.SetAsText("台詞");
  clipboard.Close();
  EXPECT_EQ(service.opens, 1);
  EXPECT_EQ(service.closes, 1);
  EXPECT_EQ(service.empties, 1);  // both formats are on the clipboard together
  EXPECT_TRUE(clipboard.HasFormat(format));
  EXPECT_TRUE(clipboard.HasFormat(CF_UNICODETEXT));
  EXPECT_EQ(clipboard.AsText(), "台詞");
  const std::vector<std::uint8_t> bytes = clipboard.GetAsBytes(format);
  ASSERT_GE(bytes.size(), 3u);
  EXPECT_EQ(bytes[2], 3);
  EXPECT_EQ(clipboard.OpenCount(), 0);

  clipboard.SetAsText("next");  // a new opening empties again
  EXPECT_FALSE(clipboard.HasFormat(format));
}

TEST_F(ClipboardTest, ABusyClipboardRaisesAndFreesTheGivenBlock) {
  TPrivateClipboard service;
  TClipboardServiceScope scope(service);
  TClipboard clipboard;
  service.busy = true;
  EXPECT_THROW(clipboard.SetAsText("lost"), EClipboardError);
  EXPECT_EQ(clipboard.OpenCount(), 0);
  EXPECT_TRUE(service.data.empty());
  EXPECT_THROW(clipboard.AsText(), EClipboardError);
}

TEST_F(ClipboardTest, TextStopsAtTheBlockEndWithoutATerminatingZero) {
  TPrivateClipboard service;
  TClipboardServiceScope scope(service);
  TClipboard clipboard;
  TGlobalMemory block(4 * sizeof(wchar_t));
  {
    TGlobalLock lock(block.Get());
    std::memcpy(lock.Data(), L"abcd", 4 * sizeof(wchar_t));  // no zero at the end
  }
  clipboard.SetAsHandle(CF_UNICODETEXT, block.Release());
  // A block the system rounded up is zero-filled beyond the four characters.
  EXPECT_EQ(clipboard.AsText(), "abcd");
}

TEST_F(ClipboardTest, TheSystemRegistersAFormatUnderOneNumber) {
  const UINT format = TClipboard::RegisterFormat("Dsn_ClipboardFormat");
  EXPECT_GE(format, 0xC000u);
  EXPECT_EQ(TClipboard::RegisterFormat("Dsn_ClipboardFormat"), format);
}

WideString LongName() {
  WideString name = L"Z:\\";
  for (int i = 0; i < 30; ++i) name += L"folder_no_" + std::to_wstring(i) + L"\\";
  return name + L"photo.JPEG";
}

TEST_F(DroppedFilesTest, NamesLongerThan260CharactersArriveWhole) {
  const WideString longName = LongName();
  ASSERT_GT(longName.size(), 300u);
  const WideString japanese = L"Z:\\\u6F2B\u753B\\\u5199\u771F.jpg";  // Z:\漫画\写真.jpg
  TDroppedFiles files(MakeDrop({longName, japanese, L"Z:\\c.bmp"}, POINT{12, 34}));
  ASSERT_EQ(files.Count(), 3);
  EXPECT_EQ(files.WideFileName(0), longName);
  EXPECT_EQ(files.FileName(1), "Z:\\漫画\\写真.jpg");
  EXPECT_EQ(files.FileName(2), "Z:\\c.bmp");
  EXPECT_EQ(files.DropPoint(), (TPoint{12, 34}));
  EXPECT_THROW(files.FileName(3), EListError);
}

TEST_F(DroppedFilesTest, AWindowThatAcceptsFilesReceivesTheDrop) {
  class TDropTarget : public TPanel {
   public:
    using TPanel::TPanel;
    std::vector<String> names;

   protected:
    void Dispatch(TMessage& message) override {
      if (message.Msg != WM_DROPFILES) return TPanel::Dispatch(message);
      TDroppedFiles files(reinterpret_cast<HDROP>(message.WParam));
      for (int i = 0; i < files.Count(); ++i) names.push_back(files.FileName(i));
    }
  };
  auto* target = new TDropTarget(form.get());
  target->SetParent(form.get());
  AcceptDroppedFiles(target->Handle(), true);
  EXPECT_NE(GetWindowLongPtrW(target->Handle(), GWL_EXSTYLE) & WS_EX_ACCEPTFILES, 0);
  PostMessageW(target->Handle(), WM_DROPFILES, reinterpret_cast<WPARAM>(MakeDrop({LongName()}, POINT{1, 1})), 0);
  ASSERT_TRUE(PumpUntil([&] { return !target->names.empty(); }));
  EXPECT_EQ(target->names[0], WideToCP932(LongName()));
  AcceptDroppedFiles(target->Handle(), false);
  EXPECT_EQ(GetWindowLongPtrW(target->Handle(), GWL_EXSTYLE) & WS_EX_ACCEPTFILES, 0);
}

}  // namespace
