// The application object: exception handling and display, message boxes through the dialog
// service, the shell service, and hints in a real tooltip.
#include <gtest/gtest.h>

#include <stdexcept>

#include "WindowsTestSupport.h"
#include "tests/support/ServiceDoubles.h"

using namespace windows_test;

namespace {

struct TExceptionCatcher : TObject {
  std::vector<String> messages;
  TObject* sender = nullptr;
  void Caught(TObject* s, Exception& error) {
    sender = s;
    messages.push_back(error.Message());
  }
};

void Raise(const std::function<void()>& raise, TObject* sender) {
  try {
    raise();
  } catch (...) {
    Application->HandleException(sender);
  }
}

}  // namespace

TEST(ApplicationExceptions, TheDisplayShowsTheMessageUnlessOnExceptionTakesIt) {
  TScriptedDialogs dialogs;
  TDialogServiceScope scope(dialogs);
  TObject sender;
  Raise([] { throw EConvertError("'12x' is not a valid integer value"); }, &sender);
  ASSERT_EQ(dialogs.Requests.size(), 1u);
  EXPECT_EQ(dialogs.Requests[0].Kind, TMessageKind::Exception);
  EXPECT_EQ(dialogs.Requests[0].Text, "'12x' is not a valid integer value");
  EXPECT_EQ(dialogs.Requests[0].Type, mtError);

  TExceptionCatcher catcher;
  Application->OnException = TExceptionEvent(&catcher, &TExceptionCatcher::Caught);
  Raise([] { throw Exception("漫画"); }, &sender);
  Raise([] { throw std::runtime_error("plain"); }, &sender);
  Application->OnException = nullptr;
  EXPECT_EQ(catcher.messages, (std::vector<String>{"漫画", "plain"}));
  EXPECT_EQ(catcher.sender, &sender);
  EXPECT_EQ(dialogs.Requests.size(), 1u);
}

TEST(ApplicationExceptions, AbortIsSilentAndHandlingWithoutAnExceptionDoesNothing) {
  TScriptedDialogs dialogs;
  TDialogServiceScope scope(dialogs);
  Raise([] { throw EAbort("quiet"); }, nullptr);
  Application->HandleException(nullptr);
  EXPECT_TRUE(dialogs.Requests.empty());
}

TEST(ApplicationExceptions, AFailedStartIsShownAndGivesAFailingExitCode) {
  TScriptedDialogs dialogs;
  TDialogServiceScope scope(dialogs);
  EXPECT_NE(RunApplication("Start test", [] { throw 42; }, [] {}), 0);
  ASSERT_EQ(dialogs.Requests.size(), 1u);
  EXPECT_FALSE(dialogs.Requests[0].Text.empty());
}

TEST(ApplicationExceptions, NoExceptionUnwindsThroughAWindowProcedure) {
  TScriptedDialogs dialogs;
  TDialogServiceScope scope(dialogs);
  TForm form(nullptr);
  auto* box = new TBox(&form);
  box->SetParent(&form);
  struct TFailing : TObject {
    int clicks = 0;
    void Click(TObject*) {
      if (++clicks == 1) throw Exception("first click fails");
    }
  } failing;
  box->OnClick = TNotifyEvent(&failing, &TFailing::Click);
  for (int i = 0; i < 2; ++i) {
    SendMessageW(box->Handle(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(2, 2));
    SendMessageW(box->Handle(), WM_LBUTTONUP, 0, MAKELPARAM(2, 2));
  }
  EXPECT_EQ(failing.clicks, 2) << "the control still works after the failure";
  ASSERT_EQ(dialogs.Requests.size(), 1u);
  EXPECT_EQ(dialogs.Requests[0].Text, "first click fails");
  EXPECT_EQ(GetCapture(), nullptr);
}

TEST(Dialogs, MessageDlgAndShowMessageGoThroughTheDialogService) {
  TScriptedDialogs dialogs;
  TDialogServiceScope scope(dialogs);
  dialogs.Answers = {mrNo, mrYes};
  EXPECT_EQ(MessageDlg("上書きしますか？", mtConfirmation, {mbYes, mbNo}, 0), mrNo);
  EXPECT_EQ(MessageDlg("again", mtConfirmation, {mbYes, mbNo}, 7), mrYes);
  ShowMessage("Now, Starting Design");
  ASSERT_EQ(dialogs.Requests.size(), 3u);
  EXPECT_EQ(dialogs.Requests[0].Kind, TMessageKind::Dialog);
  EXPECT_EQ(dialogs.Requests[0].Text, "上書きしますか？");
  EXPECT_EQ(dialogs.Requests[0].Type, mtConfirmation);
  EXPECT_EQ(dialogs.Requests[0].Buttons, (TMsgDlgButtons{mbYes, mbNo}));
  EXPECT_EQ(dialogs.Requests[1].HelpContext, 7);
  EXPECT_EQ(dialogs.Requests[2].Kind, TMessageKind::Message);
  EXPECT_EQ(dialogs.Requests[2].Text, "Now, Starting Design");
}

TEST(Dialogs, ServicesAreRestoredWhenTheScopeEnds) {
  TDialogService* real = &DialogService();
  {
    TScriptedDialogs dialogs;
    TDialogServiceScope scope(dialogs);
    EXPECT_EQ(&DialogService(), &dialogs);
  }
  EXPECT_EQ(&DialogService(), real);
}

TEST(Shell, TheOpenCallIsObservedInsteadOfLaunched) {
  TRecordingShell shell;
  TShellServiceScope scope(shell);
  EXPECT_GT(ShellService().Execute(nullptr, "OPEN", "http://example.invalid/info.php?pf=w&sn=Tavelko", "", "", SW_SHOW),
            32);
  ASSERT_EQ(shell.Calls.size(), 1u);
  EXPECT_EQ(shell.Calls[0].Operation, "OPEN");
  EXPECT_EQ(shell.Calls[0].File, "http://example.invalid/info.php?pf=w&sn=Tavelko");
  EXPECT_EQ(shell.Calls[0].Show, SW_SHOW);
}

TEST(FileDialogs, TheSaveDialogAnswersFromTheScript) {
  TScriptedFileDialogs files;
  TFileDialogServiceScope scope(files);
  files.Answers = {String("C:\\漫画.jpg"), std::nullopt};
  TFileDialogRequest request;
  request.Kind = TFileDialogKind::Save;
  request.Filter = "JPEG ファイル (*.jpg;*.jpeg)|*.jpg;*.jpeg";
  EXPECT_TRUE(FileDialogService().Execute(request));
  EXPECT_EQ(request.FileName, "C:\\漫画.jpg");
  EXPECT_FALSE(FileDialogService().Execute(request));
  EXPECT_EQ(files.Requests.size(), 2u);
}

TEST(ApplicationTitle, TheTitleIsTheApplicationWindowsText) {
  Application->SetTitle("漫画");
  wchar_t text[16] = {};
  GetWindowTextW(Application->Handle(), text, 16);
  EXPECT_STREQ(text, L"\u6f2b\u753b");
  Application->SetTitle("Tavelko");
}

namespace {

// Hints follow the control the framework last saw the mouse over. The tests tell the framework
// directly, with the real pointer parked far from the form: stray pointer events of earlier tests
// then reach no window of the form.
class Hints : public TFormFixture {
 protected:
  void SetUp() override {
    TFormFixture::SetUp();
    form->SetBounds(700, 500, 200, 150);
    if (!MoveCursorTo({1, 1})) GTEST_SKIP() << "the real pointer cannot be parked away from the form";
    Application->NoteMouseOver(nullptr);
    Application->Hints().Pause = 1;
    Application->Hints().HidePause = 60000;
    withHint = AddPatch(Rect(10, 10, 60, 40), "モード切替");
    withHint->SetParentShowHint(false);
    withHint->SetShowHint(true);
    inherited = AddPatch(Rect(100, 10, 150, 40), "漫画の保存");  // takes the form's ShowHint: false
  }
  void TearDown() override {
    Application->Hints().Pause = 500;
    Application->Hints().HidePause = 2500;
    TFormFixture::TearDown();
  }
  TPatch* AddPatch(const TRect& bounds, const char* hint) {
    auto* patch = new TPatch(form);
    patch->SetParent(form);
    patch->SetBoundsRect(bounds);
    patch->SetHint(hint);
    return patch;
  }

  TPatch* withHint = nullptr;
  TPatch* inherited = nullptr;
};

}  // namespace

TEST_F(Hints, AHintAppearsInATooltipForAControlThatShowsHints) {
  Application->NoteMouseOver(withHint);
  ASSERT_TRUE(PumpUntil([] { return Application->Hints().Showing(); }));
  EXPECT_EQ(Application->Hints().HintControl(), withHint);
  EXPECT_EQ(Application->Hints().TooltipText(), "モード切替");
  EXPECT_TRUE(IsWindowVisible(Application->Hints().TooltipWindow()));

  Application->NoteMouseOver(inherited);
  EXPECT_FALSE(Application->Hints().Showing());
  EXPECT_FALSE(Application->Hints().Pending()) << "ShowHint is false there (taken from the form)";
  EXPECT_FALSE(IsWindowVisible(Application->Hints().TooltipWindow()));
}

TEST_F(Hints, APressHidesTheHint) {
  Application->NoteMouseOver(withHint);
  ASSERT_TRUE(PumpUntil([] { return Application->Hints().Showing(); }));
  PostMessageW(form->Handle(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(20, 20));
  PostMessageW(form->Handle(), WM_LBUTTONUP, 0, MAKELPARAM(20, 20));
  EXPECT_TRUE(PumpUntil([] { return !Application->Hints().Showing(); }));
}

TEST_F(Hints, ParentShowHintPassesTheParentsSettingDown) {
  auto* panel = new TBox(form);
  panel->SetParent(form);
  panel->SetBounds(0, 60, 100, 60);
  panel->SetShowHint(true);
  auto* child = new TPatch(form);
  child->SetParent(panel);
  child->SetBounds(10, 10, 20, 20);
  EXPECT_TRUE(child->ShowHint());
  EXPECT_EQ(THintManager::HintOf(child), "") << "no hint text on the child or its parents";
  panel->SetHint("箱");
  EXPECT_EQ(THintManager::HintOf(child), "箱");
  EXPECT_EQ(THintManager::HintOf(inherited), "");
}
