// The information button: the endpoint read from the settings file, only web addresses handed
// to the shell, and the program's own information window in place of anything else.
#include <windows.h>

#include <vector>

#include "app/InformationPage.h"
#include "app/InformationWindow.h"
#include "framework/core/IniFile.h"
#include "framework/stdctrls/BitBtn.h"
#include "framework/stdctrls/Label.h"
#include "framework/stdctrls/Memo.h"
#include "framework/stdctrls/SpeedButton.h"
#include "framework/windows/Application.h"
#include "release/Version.h"
#include "tests/app/PageFixture.h"

TEST(InformationAddress, OnlyWebAddressesWithAHostAreAccepted) {
  for (const char* address : {"http://tavelko.example.org/", "https://tavelko.example.org/comics/",
                              "HTTPS://Tavelko.Example.org", "hTtP://127.0.0.1:8080/x/", "https://user@host/",
                              "https://host/a-b_c.d~e/%7E/?q=1&r=2#top"})
    EXPECT_TRUE(IsWebAddress(address)) << address;
  for (const char* text : {"", "file:///C:/Windows/notepad.exe", "javascript:alert(1)", "C:\\Windows\\notepad.exe",
                           "\\\\server\\share\\info.php", "notepad", "http:", "https:", "http://", "https://",
                           "http:///path/", "https://:443/", "https://user@/", "mailto:someone@example.org",
                           "ftp://host/", "http//host/", " https://host/", "https://host/ x",
                           "https://host/\tx", "https://host/\x7F", "https://host/\"x", "https://host\\x",
                           "https://host/<x>", "https://ホスト/"})
    EXPECT_FALSE(IsWebAddress(text)) << text;
  EXPECT_FALSE(IsWebAddress(String("https://host/\0x", 15))) << "an embedded zero";
  EXPECT_FALSE(IsWebAddress("https://host/\r\nx"));
}

TEST(InformationAddress, NamesTheProgramUnderTheEndpoint) {
  EXPECT_EQ(InformationPageAddress("https://tavelko.example.org/comics/", "C:\\Program Files\\Tavelko\\Tavelko.exe"),
            "https://tavelko.example.org/comics/info.php?pf=w&sn=Tavelko");
  // Without a path the file name would join the host name.
  EXPECT_EQ(InformationPageAddress("http://tavelko.example.org", "C:\\Tavelko.exe"),
            "http://tavelko.example.org/info.php?pf=w&sn=Tavelko");
  // A renamed program's name stays one query value, in UTF-8.
  EXPECT_EQ(InformationPageAddress("https://h/", "D:\\x\\My comics & Co #2.exe"),
            "https://h/info.php?pf=w&sn=My%20comics%20%26%20Co%20%232");
  EXPECT_EQ(InformationPageAddress("https://h/", "D:\\x\\漫画.exe"), "https://h/info.php?pf=w&sn=%E6%BC%AB%E7%94%BB");
}

class InformationButton : public PageTest {
 protected:
  // A settings file of this test, new to the process (the profile API keeps the files it read).
  String Settings() { return TempFolder() + "\\Tavelko.ini"; }
  void SetEndpoint(const String& endpoint) {
    TIniFile(Settings()).WriteString("Information", "Endpoint", endpoint);
    page->SetSettingsFile(Settings());
  }
  void Click() { ClickOnPanel(page->SpeedButton2); }
};

TEST_F(InformationButton, TheSettingsFileLiesBesideTheProgram) {
  page->SetSettingsFile("");  // the program's own, as when no test sets one
  EXPECT_EQ(page->SettingsFile(), ChangeFileExt(ParamStr(0), ".ini"));
  EXPECT_TRUE(SameText(ExtractFileName(page->SettingsFile()), "app_tests.ini"));
}

TEST_F(InformationButton, AWebEndpointOpensThePageForThisProgram) {
  for (const char* endpoint : {"https://tavelko.example.org/comics/", "HTTP://tavelko.example.org/"}) {
    SCOPED_TRACE(endpoint);
    shell.Calls.clear();
    SetEndpoint(endpoint);
    Click();
    ASSERT_EQ(shell.Calls.size(), 1u);
    EXPECT_EQ(shell.Calls[0].Window, page->Handle());
    EXPECT_EQ(shell.Calls[0].Operation, "OPEN");
    EXPECT_EQ(shell.Calls[0].File, String(endpoint) + "info.php?pf=w&sn=app_tests");
    EXPECT_EQ(shell.Calls[0].Parameters, "");
    EXPECT_EQ(shell.Calls[0].Show, SW_SHOW);
  }
  EXPECT_TRUE(modalForms.Shown.empty());
}

TEST_F(InformationButton, AnythingButAWebEndpointShowsTheProgramsOwnWindowInstead) {
  page->SetSettingsFile(TempFolder() + "\\missing.ini");
  Click();
  EXPECT_EQ(modalForms.Shown, std::vector<String>{"TInformationForm"}) << "no settings file";

  TIniFile(Settings()).WriteString("Other", "Endpoint", "https://tavelko.example.org/");
  page->SetSettingsFile(Settings());
  modalForms.Shown.clear();
  Click();
  EXPECT_EQ(modalForms.Shown.size(), 1u) << "no endpoint in the file";

  for (const char* endpoint : {"", "file:///C:/Windows/System32/calc.exe", "javascript:alert(1)",
                               "C:\\Windows\\System32\\calc.exe", "\\\\server\\share\\", "calc", "http:",
                               "https://", "https://host/\x01", "https://host/\x1B[0m"}) {
    SCOPED_TRACE(endpoint);
    SetEndpoint(endpoint);
    modalForms.Shown.clear();
    Click();
    EXPECT_EQ(modalForms.Shown, std::vector<String>{"TInformationForm"});
  }
  EXPECT_TRUE(shell.Calls.empty());
}

TEST_F(InformationButton, TheWindowNamesTheProgramItsVersionItsUseAndTheJpegLibrary) {
  page->SetSettingsFile(TempFolder() + "\\missing.ini");
  bool inspected = false;
  modalForms.Inspect = [&](TCustomForm& shown) {
    auto& form = dynamic_cast<TInformationForm&>(shown);
    inspected = true;
    EXPECT_EQ(form.NameLabel->Caption(), "Tavelko");
    EXPECT_NE(form.VersionLabel->Caption().find(ProgramVersion), String::npos);
    EXPECT_NE(form.UsageLabel->Caption().find("保存"), String::npos);
    const String notice = form.NoticeMemo->Text();
    EXPECT_NE(notice.find("This software is based in part on the work of the Independent JPEG Group."), String::npos);
    EXPECT_NE(notice.find("D. R. Commander"), String::npos);
    EXPECT_NE(notice.find("Redistributions in binary form must reproduce the above copyright notice"), String::npos);
    EXPECT_TRUE(form.NoticeMemo->ReadOnly());
    EXPECT_EQ(form.FormStyle(), fsStayOnTop) << "the page it comes from stays on top";
  };
  Click();
  EXPECT_TRUE(inspected);
}

// The real window in its own modal loop, ended by input posted before it starts. A message
// posted after that input ends the loop with mrAbort if the input did not.
class InformationWindow : public ::testing::Test {
 protected:
  static constexpr UINT StillOpen = WM_APP + 1;

  class TProbedForm : public TInformationForm {
   public:
    using TInformationForm::TInformationForm;

   protected:
    void WndProc(TMessage& message) override {
      if (message.Msg == StillOpen) SetModalResult(mrAbort);
      else TInformationForm::WndProc(message);
    }
  };

  static void SetUpTestSuite() { Application->Initialize(); }

  static TModalResult ShowAfter(TProbedForm& form, const std::function<void()>& post) {
    post();
    PostMessageW(form.Handle(), StillOpen, 0, 0);
    const TModalResult result = form.ShowModal();
    Application->ProcessMessages();
    return result;
  }
};

TEST_F(InformationWindow, EndsByItsButtonByEscapeAndByTheTitleBarsCloseBox) {
  {
    TProbedForm form(nullptr);
    HWND button = form.CloseButton->Handle();
    const LPARAM middle = MAKELPARAM(form.CloseButton->Width() / 2, form.CloseButton->Height() / 2);
    EXPECT_EQ(ShowAfter(form,
                        [&] {
                          PostMessageW(button, WM_LBUTTONDOWN, MK_LBUTTON, middle);
                          PostMessageW(button, WM_LBUTTONUP, 0, middle);
                        }),
              mrOk);
  }
  for (bool inTheNotice : {false, true}) {
    SCOPED_TRACE(inTheNotice ? "Escape in the notice" : "Escape on the button");
    TProbedForm form(nullptr);
    HWND focused = inTheNotice ? form.NoticeMemo->Handle() : form.CloseButton->Handle();
    EXPECT_EQ(ShowAfter(form, [&] { PostMessageW(focused, WM_KEYDOWN, VK_ESCAPE, 0x00010001); }), mrCancel);
  }
  {
    TProbedForm form(nullptr);
    EXPECT_TRUE(GetWindowLongPtrW(form.Handle(), GWL_STYLE) & WS_SYSMENU) << "a close box on the title bar";
    HWND window = form.Handle();
    EXPECT_EQ(ShowAfter(form, [&] { PostMessageW(window, WM_SYSCOMMAND, SC_CLOSE, 0); }), mrCancel);
  }
}
