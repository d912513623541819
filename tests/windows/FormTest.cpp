// Forms: built from a stored layout (fields, event bindings, OnCreate), their frame, placement
// and client size, messages of their own, closing, the modal loop and the application's loop.
#include <gtest/gtest.h>

#include "WindowsTestSupport.h"
#include "tests/support/ServiceDoubles.h"
#include "streaming/ComponentWriter.h"

using namespace windows_test;

namespace {

class TSampleForm : public TForm {
  TAVELKO_CLASS(TSampleForm, TForm)
  static void Publish(TPublisher<TSampleForm>& p) {
    p.Method("Patch1Click", &TSampleForm::Patch1Click);
    p.Method("FormCreate", &TSampleForm::FormCreate);
  }

 public:
  static void PublishFields(TFieldPublisher<TSampleForm>& f) {
    f.Field("Box1", &TSampleForm::Box1);
    f.Field("Patch1", &TSampleForm::Patch1);
    f.Field("Helper1", &TSampleForm::Helper1);
  }

  // A blank form, from which a test builds and writes a layout.
  explicit TSampleForm(TComponent* owner) : TForm(owner) {}
  TSampleForm(TComponent* owner, TStream& layout) : TForm(owner) { InitializeForm(this, layout); }

  TBox* Box1 = nullptr;
  TPatch* Patch1 = nullptr;
  TComponent* Helper1 = nullptr;

  int Clicks = 0;
  int Creates = 0;
  bool FieldsSetAtCreate = false;
  std::vector<WPARAM> Drops;
  bool OthersEnabledWhileModal = true;

  void Patch1Click(TObject*) { ++Clicks; }
  void FormCreate(TObject*) {
    ++Creates;
    FieldsSetAtCreate = Box1 && Patch1 && Helper1;
  }

 protected:
  // The form handles some messages itself, as the page window does with dropped files.
  void WndProc(TMessage& message) override {
    switch (message.Msg) {
      case WM_DROPFILES:
        Drops.push_back(message.WParam);
        return;
      case WM_APP:  // a test's way into the modal loop
        OthersEnabledWhileModal = IsWindowEnabled(reinterpret_cast<HWND>(message.WParam)) != FALSE;
        SetModalResult(static_cast<TModalResult>(message.LParam));
        return;
      default:
        TForm::WndProc(message);
    }
  }
};

// The form of the RCDATA resource TRESOURCEFORM (ResourceForm.layout).
class TResourceForm : public TForm {
  TAVELKO_CLASS(TResourceForm, TForm)
  static void Publish(TPublisher<TResourceForm>& p) {
    p.Method("FormCreate", &TResourceForm::FormCreate);
    p.Method("Patch1Click", &TResourceForm::Patch1Click);
  }

 public:
  static void PublishFields(TFieldPublisher<TResourceForm>& f) { f.Field("Patch1", &TResourceForm::Patch1); }
  explicit TResourceForm(TComponent* owner) : TForm(owner) { InitializeForm(this); }

  TPatch* Patch1 = nullptr;
  int Creates = 0;
  int Clicks = 0;
  void FormCreate(TObject*) { ++Creates; }
  void Patch1Click(TObject*) { ++Clicks; }
};

class TNoLayoutForm : public TForm {
  TAVELKO_CLASS(TNoLayoutForm, TForm)

 public:
  explicit TNoLayoutForm(TComponent* owner) : TForm(owner) { InitializeForm(this); }
};

// The stored layout of a TSampleForm: a fixed, single-border window on top of the others,
// centred on the desktop, with a box holding a patch and a non-visual helper.
void WriteSampleLayout(TStream& stream) {
  RegisterClasses({&TPatch::StaticClassInfo(), &TBox::StaticClassInfo(), &TComponent::StaticClassInfo()});
  TSampleForm design(nullptr);
  design.SetName("SampleForm");
  design.SetBorderStyle(bsSingle);
  design.SetBorderIcons({biSystemMenu, biMinimize});
  design.SetCaption("漫画ページ");
  design.SetClientWidth(300);
  design.SetClientHeight(200);
  design.SetColor(clWhite);
  design.SetFormStyle(fsStayOnTop);
  design.SetPosition(poDesktopCenter);
  design.HorzScrollBar()->SetVisible(false);
  design.OnCreate = TNotifyEvent(&design, &TSampleForm::FormCreate);
  auto* box = new TBox(&design);
  box->SetName("Box1");
  box->SetParent(&design);
  box->SetBounds(10, 10, 100, 80);
  auto* patch = new TPatch(&design);
  patch->SetName("Patch1");
  patch->SetParent(box);
  patch->SetBounds(5, 5, 20, 20);
  patch->SetColor(clBlue);
  patch->OnClick = TNotifyEvent(&design, &TSampleForm::Patch1Click);
  (new TComponent(&design))->SetName("Helper1");
  TComponentWriter writer(stream, &design);
  writer.WriteRootComponent(&design);
}

class StoredLayout : public ::testing::Test {
 protected:
  void SetUp() override {
    WriteSampleLayout(layout);
    layout.SetPosition(0);
  }
  TMemoryStream layout;
};

}  // namespace

TEST_F(StoredLayout, FieldsEventsAndOnCreateAreSetFromTheLayout) {
  TSampleForm form(nullptr, layout);
  EXPECT_EQ(form.Name(), "SampleForm");
  ASSERT_NE(form.Box1, nullptr);
  ASSERT_NE(form.Patch1, nullptr);
  ASSERT_NE(form.Helper1, nullptr);
  EXPECT_EQ(form.Box1, form.FindComponent("Box1"));
  EXPECT_EQ(form.Patch1->Parent(), form.Box1);
  EXPECT_EQ(form.Box1->Parent(), &form);
  EXPECT_EQ(form.Patch1->Color(), clBlue);
  EXPECT_EQ(form.Creates, 1);
  EXPECT_TRUE(form.FieldsSetAtCreate) << "OnCreate runs after the fields are set";
  form.Patch1->Click();
  EXPECT_EQ(form.Clicks, 1) << "the event is bound to the form's published method";
  EXPECT_FALSE(form.HorzScrollBar()->Visible());
  EXPECT_TRUE(form.VertScrollBar()->Visible());
}

TEST_F(StoredLayout, TheWindowHasTheStoredFramePlaceAndClientSize) {
  TSampleForm form(nullptr, layout);
  form.Show();
  ASSERT_TRUE(PumpUntil([&] { return form.Showing(); }));
  RECT client;
  GetClientRect(form.Handle(), &client);
  EXPECT_EQ(client.right, 300);
  EXPECT_EQ(client.bottom, 200);
  EXPECT_EQ(form.ClientWidth(), 300);
  const LONG_PTR style = GetWindowLongPtrW(form.Handle(), GWL_STYLE);
  EXPECT_TRUE(style & WS_SYSMENU);
  EXPECT_TRUE(style & WS_MINIMIZEBOX);
  EXPECT_FALSE(style & WS_MAXIMIZEBOX) << "no maximise box";
  EXPECT_FALSE(style & WS_THICKFRAME) << "fixed size";
  EXPECT_TRUE(GetWindowLongPtrW(form.Handle(), GWL_EXSTYLE) & WS_EX_TOPMOST);
  const int desktopWidth = GetSystemMetrics(SM_CXVIRTUALSCREEN);
  const int desktopHeight = GetSystemMetrics(SM_CYVIRTUALSCREEN);
  EXPECT_EQ(form.Left(), GetSystemMetrics(SM_XVIRTUALSCREEN) + (desktopWidth - form.Width()) / 2);
  EXPECT_EQ(form.Top(), GetSystemMetrics(SM_YVIRTUALSCREEN) + (desktopHeight - form.Height()) / 2);
  wchar_t caption[32] = {};
  GetWindowTextW(form.Handle(), caption, 32);
  EXPECT_STREQ(caption, L"\u6f2b\u753b\u30da\u30fc\u30b8");
}

TEST_F(StoredLayout, WritingTheFormAgainGivesTheSameLayout) {
  TSampleForm form(nullptr, layout);
  TMemoryStream again;
  {
    TComponentWriter writer(again, &form);
    writer.WriteRootComponent(&form);
  }
  ASSERT_EQ(again.Size(), layout.Size());
  EXPECT_TRUE(std::equal(layout.Memory(), layout.Memory() + layout.Size(), again.Memory()));
}

TEST_F(StoredLayout, AFieldIsClearedWhenItsComponentGoes) {
  TSampleForm form(nullptr, layout);
  delete form.Patch1;
  EXPECT_EQ(form.Patch1, nullptr);
  delete form.Box1;
  EXPECT_EQ(form.Box1, nullptr);
  EXPECT_NE(form.Helper1, nullptr);
}

TEST_F(StoredLayout, AComponentTakingAFieldsNameFillsTheField) {
  TSampleForm form(nullptr, layout);
  delete form.Patch1;
  auto* patch = new TPatch(&form);
  EXPECT_EQ(form.Patch1, nullptr);
  patch->SetName("patch1");  // names compare without regard to case
  EXPECT_EQ(form.Patch1, patch);
  patch->SetName("Patch2");
  EXPECT_EQ(form.Patch1, nullptr);
  delete form.Box1;
  (new TPatch(&form))->SetName("Box1");  // of another class: the field stays empty
  EXPECT_EQ(form.Box1, nullptr);
}

TEST_F(StoredLayout, ASecondFormOfTheClassGetsAFreeName) {
  TComponent owner(nullptr);
  auto* first = new TSampleForm(&owner, layout);
  layout.SetPosition(0);
  auto* second = new TSampleForm(&owner, layout);
  EXPECT_EQ(first->Name(), "SampleForm");
  EXPECT_EQ(second->Name(), "SampleForm_1");
  EXPECT_NE(second->Patch1, first->Patch1);
}

TEST_F(StoredLayout, ADamagedLayoutRaisesAndLeavesNothingBehind) {
  TMemoryStream damaged;
  damaged.WriteBuffer(layout.Memory(), layout.Size() / 2);
  damaged.SetPosition(0);
  const long before = TObject::LiveCount();
  EXPECT_THROW(TSampleForm(nullptr, damaged), EReadError);
  EXPECT_EQ(TObject::LiveCount(), before);
}

TEST(Forms, AFormClassReadsTheLayoutStoredUnderItsNameInUpperCase) {
  RegisterClasses({&TPatch::StaticClassInfo()});
  TResourceForm form(nullptr);
  EXPECT_EQ(form.Name(), "ResourceForm");
  EXPECT_EQ(form.Caption(), "台詞入力");
  EXPECT_EQ(form.ClientWidth(), 160);
  EXPECT_EQ(form.ClientHeight(), 120);
  EXPECT_EQ(form.BorderStyle(), bsSingle);
  EXPECT_EQ(form.FormStyle(), fsStayOnTop);
  ASSERT_NE(form.Patch1, nullptr);
  EXPECT_EQ(form.Patch1->Color(), clRed);
  EXPECT_EQ(form.Creates, 1);
  form.Patch1->Click();
  EXPECT_EQ(form.Clicks, 1);
}

TEST(Forms, TheProgramIconIsTheApplicationsAndTheForms) {
  Application->Initialize();
  ASSERT_NE(Application->Icon(), nullptr) << "the test program carries a MAINICON";
  TForm form(nullptr);
  EXPECT_EQ(reinterpret_cast<HICON>(SendMessageW(form.Handle(), WM_GETICON, ICON_BIG, 0)), Application->Icon());
}

TEST(Forms, AFormWithoutAStoredLayoutRaises) {
  EXPECT_THROW(TNoLayoutForm(nullptr), EResNotFound);
}

TEST(Forms, AFormHandlesMessagesOfItsOwnInWndProc) {
  TSampleForm form(nullptr);
  SendMessageW(form.Handle(), WM_DROPFILES, 1234, 0);
  EXPECT_EQ(form.Drops, std::vector<WPARAM>{1234});
}

TEST(Forms, CloseAsksOnCloseQueryAndOnClose) {
  TSampleForm form(nullptr);
  form.Show();
  struct THandlers : TObject {
    bool allow = false;
    TCloseAction action = caHide;
    void Query(TObject*, bool& canClose) { canClose = allow; }
    void Close(TObject*, TCloseAction& a) { a = action; }
  } handlers;
  form.OnCloseQuery = TCloseQueryEvent(&handlers, &THandlers::Query);
  form.OnClose = TCloseEvent(&handlers, &THandlers::Close);
  form.Close();
  EXPECT_TRUE(form.Visible()) << "OnCloseQuery said no";
  handlers.allow = true;
  handlers.action = caNone;
  form.Close();
  EXPECT_TRUE(form.Visible());
  handlers.action = caHide;
  SendMessageW(form.Handle(), WM_CLOSE, 0, 0);
  EXPECT_FALSE(form.Visible());
  EXPECT_TRUE(IsWindow(form.Handle())) << "closing hides; the window stays";
}

TEST(Forms, ShowModalDisablesTheOtherWindowsUntilTheResultIsSet) {
  TForm other(nullptr);
  other.Show();
  TSampleForm dialog(nullptr);
  PostMessageW(dialog.Handle(), WM_APP, reinterpret_cast<WPARAM>(other.Handle()), mrOk);
  EXPECT_EQ(dialog.ShowModal(), mrOk);
  EXPECT_FALSE(dialog.OthersEnabledWhileModal);
  EXPECT_TRUE(IsWindowEnabled(other.Handle()));
  EXPECT_FALSE(dialog.Visible());

  PostMessageW(dialog.Handle(), WM_CLOSE, 0, 0);
  EXPECT_EQ(dialog.ShowModal(), mrCancel) << "closing a modal form cancels it";
}

TEST(Forms, EscapeCancelsAModalFormOnly) {
  TSampleForm dialog(nullptr);
  PostMessageW(dialog.Handle(), WM_KEYDOWN, VK_ESCAPE, 0x00010001);
  PostMessageW(dialog.Handle(), WM_APP, 0, mrAbort);  // ends the loop if Escape did not
  EXPECT_EQ(dialog.ShowModal(), mrCancel);
  Application->ProcessMessages();

  dialog.Show();
  PostMessageW(dialog.Handle(), WM_KEYDOWN, VK_ESCAPE, 0x00010001);
  Application->ProcessMessages();
  EXPECT_TRUE(dialog.Visible());
}

TEST(ApplicationRun, EndsWhenTheMainFormClosesThenDestroysTheForms) {
  ASSERT_EQ(Application->MainForm(), nullptr);
  struct TWatch : TObject {
    bool closed = false;
    bool destroyed = false;
    void Close(TObject*, TCloseAction&) { closed = true; }
    void Destroy(TObject*) { destroyed = true; }
  } watch;
  TSampleForm* main = nullptr;
  Application->CreateForm(main);
  TSampleForm* second = nullptr;
  Application->CreateForm(second);
  EXPECT_EQ(Application->MainForm(), main) << "the first form created is the main form";
  main->OnClose = TCloseEvent(&watch, &TWatch::Close);
  main->OnDestroy = TNotifyEvent(&watch, &TWatch::Destroy);
  PostMessageW(main->Handle(), WM_CLOSE, 0, 0);
  Application->Run();
  EXPECT_TRUE(watch.closed);
  EXPECT_TRUE(watch.destroyed);
  EXPECT_EQ(Application->MainForm(), nullptr);
  EXPECT_EQ(Application->ComponentCount(), 0);
}

TEST(ApplicationRun, AnExceptionInAHandlerIsShownAndTheLoopGoesOn) {
  TScriptedDialogs dialogs;
  TDialogServiceScope scope(dialogs);
  Application->SetTitle("Tavelko");
  struct TThrower : TObject {
    int calls = 0;
    void Click(TObject*) {
      ++calls;
      throw Exception("読めません");
    }
  } thrower;
  TSampleForm* main = nullptr;
  Application->CreateForm(main);
  auto* box = new TBox(main);
  box->SetParent(main);
  box->OnClick = TNotifyEvent(&thrower, &TThrower::Click);
  HWND window = box->Handle();
  for (int i = 0; i < 2; ++i) {
    PostMessageW(window, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, 5));
    PostMessageW(window, WM_LBUTTONUP, 0, MAKELPARAM(5, 5));
  }
  PostMessageW(main->Handle(), WM_CLOSE, 0, 0);
  Application->Run();
  EXPECT_EQ(thrower.calls, 2);
  ASSERT_EQ(dialogs.Requests.size(), 2u);
  EXPECT_EQ(dialogs.Requests[0].Kind, TMessageKind::Exception);
  EXPECT_EQ(dialogs.Requests[0].Text, "読めません");
  EXPECT_EQ(dialogs.Requests[0].Caption, "Tavelko");
}
