// Window agents on real windows: which messages an agent takes and passes on, that every window
// procedure comes back in the right order (also with several agents on one window, and when
// windows are destroyed or made again under them), the scan of child windows by owner, and the
// form agent's kill message.
#include <gtest/gtest.h>

#include <map>
#include <string>
#include <vector>

#include "DesignerTestSupport.h"
#include "designer/DsnAgent.h"
#include "framework/core/Exception.h"

using namespace dsntest;

namespace {

constexpr UINT kEcho = WM_USER + 1;  // a plain window answers 1000 + WParam

// What the plain windows of these tests received, per window and message.
std::map<HWND, std::map<UINT, int>> received;

LRESULT CALLBACK PlainProc(HWND window, UINT msg, WPARAM wParam, LPARAM lParam) {
  ++received[window][msg];
  if (msg == kEcho) return 1000 + static_cast<LRESULT>(wParam);
  return DefWindowProcW(window, msg, wParam, lParam);
}

const wchar_t* PlainClass() {
  static const wchar_t* name = [] {
    WNDCLASSW cls{};
    cls.lpfnWndProc = PlainProc;
    cls.hInstance = GetModuleHandleW(nullptr);
    cls.lpszClassName = L"DsnAgentTestPlain";
    RegisterClassW(&cls);
    return cls.lpszClassName;
  }();
  return name;
}

HWND MakePlain(HWND parent = nullptr) {
  const DWORD style = parent ? WS_CHILD | WS_VISIBLE : WS_POPUP;
  return CreateWindowExW(0, PlainClass(), L"", style, 0, 0, 20, 20, parent, nullptr, GetModuleHandleW(nullptr), nullptr);
}

WNDPROC ProcOf(HWND window) { return reinterpret_cast<WNDPROC>(GetWindowLongPtrW(window, GWLP_WNDPROC)); }

LRESULT CALLBACK ForeignProc(HWND window, UINT msg, WPARAM wParam, LPARAM lParam) {
  return DefWindowProcW(window, msg, wParam, lParam);
}

// An agent that answers kEcho itself with its own mark and passes the rest on.
class TMarkAgent : public TAgent {
 public:
  TMarkAgent(HWND window, int mark) : TAgent(window), mark_(mark) {}
  void ClientWndProc(TMessage& message) override {
    ++seen;
    CallOldWndProc(message);
    if (message.Msg == kEcho) message.Result += mark_;
  }
  int seen = 0;

 private:
  int mark_;
};

// Leaves the window on WM_DESTROY before passing it on, as the designer's interceptor does.
class TLeavingAgent : public TAgent {
 public:
  using TAgent::TAgent;
  void ClientWndProc(TMessage& message) override {
    if (message.Msg == WM_DESTROY) EndSubClassing();
    CallOldWndProc(message);
  }
};

// An interceptor as the designer's: on WM_DESTROY it ends its subclassing before the window
// goes. It logs its start, and at its end how many windows still run an agent.
class TLoggingAgent : public TClientAgent {
 public:
  void ClientWndProc(TMessage& message) override {
    if (message.Msg == WM_DESTROY) {
      EndSubClassing();
      log_.push_back("destroy");
    }
    CallOldWndProc(message);
  }
  void TakeInstance() override { log_.push_back("take"); }
  void ReleaseInstance() override {
    log_.push_back("release, agents left on " + std::to_string(TAgent::SubclassedWindowCount()));
  }

 protected:
  TLoggingAgent(TWinControl* control, std::vector<std::string>& log) : TClientAgent(control), log_(log) {}

 private:
  std::vector<std::string>& log_;
};

using Log = std::vector<std::string>;

// Counts the components destroyed.
class TCounted : public TComponent {
 public:
  TCounted(TComponent* owner, int& destroyed) : TComponent(owner), destroyed_(destroyed) {}
  ~TCounted() override { ++destroyed_; }

 private:
  int& destroyed_;
};

class AgentTest : public ::testing::Test {
 protected:
  void SetUp() override {
    windows_ = ThreadWindowCount();
    objects_ = TObject::LiveCount();
    received.clear();
  }
  void TearDown() override {
    EXPECT_EQ(TAgent::SubclassedWindowCount(), 0);
    EXPECT_EQ(ThreadWindowCount(), windows_);
    EXPECT_EQ(TObject::LiveCount(), objects_);
  }

 private:
  int windows_ = 0;
  long objects_ = 0;
};

}  // namespace

TEST_F(AgentTest, ChildAgentMakesTheWindowTransparentAndPassesTheRestOn) {
  HWND window = MakePlain();
  const WNDPROC own = ProcOf(window);
  {
    TChildAgent agent(window);
    EXPECT_TRUE(agent.Subclassed());
    EXPECT_EQ(agent.Handle(), window);
    EXPECT_EQ(agent.OldWndProc(), own);
    EXPECT_EQ(ProcOf(window), TAgent::ObjectInstance());
    EXPECT_EQ(TAgent::FindAgent(window), &agent);

    EXPECT_EQ(SendMessageW(window, WM_NCHITTEST, 0, MAKELPARAM(5, 5)), HTTRANSPARENT);
    EXPECT_EQ(received[window][WM_NCHITTEST], 0);
    EXPECT_EQ(SendMessageW(window, kEcho, 7, 0), 1007);
    EXPECT_EQ(received[window][kEcho], 1);
  }
  EXPECT_EQ(ProcOf(window), own);
  EXPECT_EQ(SendMessageW(window, WM_NCHITTEST, 0, MAKELPARAM(5, 5)), HTCLIENT);
  EXPECT_EQ(received[window][WM_NCHITTEST], 1);
  DestroyWindow(window);
}

TEST_F(AgentTest, StackedAgentsRunLastFirstAndComeOffInAnyOrder) {
  HWND window = MakePlain();
  const WNDPROC own = ProcOf(window);
  auto first = std::make_unique<TMarkAgent>(window, 10);
  auto second = std::make_unique<TMarkAgent>(window, 20);
  EXPECT_EQ(second->OldWndProc(), TAgent::ObjectInstance());
  EXPECT_EQ(SendMessageW(window, kEcho, 1, 0), 1031);
  EXPECT_EQ(first->seen, 1);
  EXPECT_EQ(second->seen, 1);

  // The first one leaves while the second stays: the second goes on to the window's own.
  first.reset();
  EXPECT_EQ(ProcOf(window), TAgent::ObjectInstance());
  EXPECT_EQ(second->OldWndProc(), own);
  EXPECT_EQ(SendMessageW(window, kEcho, 1, 0), 1021);
  second.reset();
  EXPECT_EQ(ProcOf(window), own);

  // Last in, first out.
  first = std::make_unique<TMarkAgent>(window, 10);
  second = std::make_unique<TMarkAgent>(window, 20);
  second.reset();
  EXPECT_EQ(SendMessageW(window, kEcho, 1, 0), 1011);
  first.reset();
  EXPECT_EQ(ProcOf(window), own);
  EXPECT_EQ(SendMessageW(window, kEcho, 1, 0), 1001);
  DestroyWindow(window);
}

TEST_F(AgentTest, AgentLeavingInsideWmDestroyStillPassesItDown) {
  HWND window = MakePlain();
  TMarkAgent below(window, 10);
  TLeavingAgent top(window);
  DestroyWindow(window);
  // The window's own procedure is reached only through the agent below.
  EXPECT_EQ(received[window][WM_DESTROY], 1);
  EXPECT_EQ(received[window][WM_NCDESTROY], 1);
  EXPECT_FALSE(top.Subclassed());
  EXPECT_FALSE(below.Subclassed());
}

TEST_F(AgentTest, RefusedSubclassingRaisesAndChangesNothing) {
  HWND gone = MakePlain();
  DestroyWindow(gone);
  try {
    TChildAgent agent(gone);
    FAIL() << "no exception";
  } catch (const Exception& e) {
    EXPECT_EQ(e.Message(), "Subclassing is failure.");
  }

  // An agent covered by a procedure of someone else cannot be stacked on.
  HWND window = MakePlain();
  {
    TChildAgent below(window);
    const auto covered = reinterpret_cast<WNDPROC>(
        SetWindowLongPtrW(window, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(ForeignProc)));
    EXPECT_THROW(TChildAgent{window}, Exception);
    EXPECT_EQ(ProcOf(window), ForeignProc);
    SetWindowLongPtrW(window, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(covered));
  }
  DestroyWindow(window);
}

TEST_F(AgentTest, AnAgentOfNoWindowIsNotSubclassed) {
  const TMarkAgent agent(nullptr, 1);
  EXPECT_FALSE(agent.Subclassed());
}

TEST_F(AgentTest, WindowDestroyedUnderAnAgentIsLetGo) {
  HWND window = MakePlain();
  auto agent = std::make_unique<TChildAgent>(window);
  DestroyWindow(window);
  EXPECT_FALSE(agent->Subclassed());
  EXPECT_EQ(TAgent::FindAgent(window), nullptr);
  EXPECT_EQ(TAgent::SubclassedWindowCount(), 0);
  agent.reset();  // touches nothing of the dead window
}

TEST_F(AgentTest, AgentListCoversForeignWindowsAndTheirWholeSubtrees) {
  TStageForm stage;
  TComponent elsewhere(nullptr);
  auto* designed = new TProbe(stage.form);  // same owner as the host: designed itself
  designed->SetParent(stage.host);
  designed->SetBounds(0, 0, 50, 50);
  HWND insideDesigned = MakePlain(designed->Handle());
  auto* foreign = new TProbe(&elsewhere);   // another owner: transparent with its subtree
  foreign->SetParent(stage.host);
  foreign->SetBounds(60, 0, 50, 50);
  HWND insideForeign = MakePlain(foreign->Handle());
  HWND plain = MakePlain(stage.host->Handle());  // no control at all
  HWND deep = MakePlain(MakePlain(plain));       // two levels below it
  SetWindowPos(plain, nullptr, 150, 100, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
  RECT deepRect;
  GetWindowRect(deep, &deepRect);
  const POINT inDeep{deepRect.left + 5, deepRect.top + 5};
  ASSERT_EQ(WindowFromPoint(inDeep), deep);
  received.clear();

  {
    TChildList children(stage.host, stage.host->Handle());
    ASSERT_EQ(children.Count(), 3);
    int paired = 0;
    for (int i = 0; i < children.Count(); ++i) {
      const TChildItem item = children.GetItems(i);
      EXPECT_EQ(GetParent(item.Handle), stage.host->Handle());
      if (item.Control) {
        EXPECT_EQ(item.Control->Handle(), item.Handle);
        ++paired;
      }
    }
    EXPECT_EQ(paired, 2);
    EXPECT_THROW(children.GetItems(3), EListError);
  }

  const WNDPROC foreignProc = ProcOf(foreign->Handle());
  {
    TAgentList agents;
    agents.ReScanChild(stage.host, stage.host->Handle());
    std::vector<HWND> covered;
    for (int i = 0; i < agents.Count(); ++i) covered.push_back(agents.Items(i)->Handle());
    EXPECT_EQ(covered.size(), 5u);  // foreign, insideForeign, plain, its child, deep
    auto has = [&](HWND h) { return std::find(covered.begin(), covered.end(), h) != covered.end(); };
    EXPECT_TRUE(has(foreign->Handle()));
    EXPECT_TRUE(has(insideForeign));
    EXPECT_TRUE(has(plain));
    EXPECT_TRUE(has(deep));
    EXPECT_FALSE(has(designed->Handle()));
    EXPECT_FALSE(has(insideDesigned));

    // The mouse falls through every covered window to the designed control beneath; the others
    // still answer themselves.
    EXPECT_EQ(WindowFromPoint(inDeep), stage.host->Handle());
    for (HWND h : covered) EXPECT_EQ(SendMessageW(h, WM_NCHITTEST, 0, 0), HTTRANSPARENT);
    EXPECT_EQ(received[deep][WM_NCHITTEST], 0);
    EXPECT_EQ(received[plain][WM_NCHITTEST], 0);
    EXPECT_NE(SendMessageW(insideDesigned, WM_NCHITTEST, 0, 0), HTTRANSPARENT);

    agents.Clear();
    EXPECT_EQ(agents.Count(), 0);
    EXPECT_EQ(ProcOf(foreign->Handle()), foreignProc);
    EXPECT_EQ(WindowFromPoint(inDeep), deep);
    agents.ReScanChild(stage.host, stage.host->Handle());
    EXPECT_EQ(agents.Count(), 5);
  }
  EXPECT_EQ(ProcOf(foreign->Handle()), foreignProc);
  EXPECT_EQ(ProcOf(deep), PlainProc);

  // A control with no child windows gets no agents.
  TAgentList none;
  none.ReScanChild(designed, designed->Handle());
  EXPECT_EQ(none.Count(), 1);  // only the plain window inside it
  DestroyWindow(insideDesigned);
  EXPECT_EQ(none.Items(0)->Subclassed(), false);
  TAgentList empty;
  empty.ReScanChild(designed, designed->Handle());
  EXPECT_EQ(empty.Count(), 0);
}

TEST_F(AgentTest, ChildListIsWindowsOwnListAlsoWhenMadeFromTheControls) {
  TStageForm stage;
  std::vector<TProbe*> probes;
  for (int i = 0; i < 4; ++i) {
    probes.push_back(new TProbe(stage.form));
    probes.back()->SetParent(stage.host);
  }
  probes[1]->BringToFront();
  probes[2]->SendToBack();
  const auto windowsOrder = [&] {
    std::vector<HWND> order;
    for (HWND h = GetWindow(stage.host->Handle(), GW_CHILD); h; h = GetWindow(h, GW_HWNDNEXT)) order.push_back(h);
    return order;
  };
  const auto listed = [&](std::vector<TWinControl*>* paired = nullptr) {
    TChildList children(stage.host, stage.host->Handle());
    std::vector<HWND> order;
    for (int i = 0; i < children.Count(); ++i) {
      order.push_back(children.GetItems(i).Handle);
      if (paired) paired->push_back(children.GetItems(i).Control);
    }
    return order;
  };

  std::vector<TWinControl*> paired;
  EXPECT_EQ(listed(&paired), windowsOrder());
  EXPECT_EQ(paired, (std::vector<TWinControl*>{probes[1], probes[3], probes[0], probes[2]}));

  // A window of no control among them: Windows is asked, and the window is listed unpaired.
  HWND plain = MakePlain(stage.host->Handle());
  SetWindowPos(plain, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
  paired.clear();
  EXPECT_EQ(listed(&paired), windowsOrder());
  EXPECT_EQ(paired, (std::vector<TWinControl*>{nullptr, probes[1], probes[3], probes[0], probes[2]}));
}

TEST_F(AgentTest, ClientAgentEndsChildrenFirstAndReleasesLast) {
  TStageForm stage;
  TComponent elsewhere(nullptr);
  auto* foreign = new TProbe(&elsewhere);
  foreign->SetParent(stage.host);
  HWND hostWindow = stage.host->Handle();
  const WNDPROC hostProc = ProcOf(hostWindow);
  const WNDPROC foreignProc = ProcOf(foreign->Handle());
  Log log;

  auto agent = TClientAgent::Create<TLoggingAgent>(stage.host, log);
  EXPECT_EQ(log, (Log{"take"}));
  EXPECT_TRUE(agent->Subclassed());
  EXPECT_EQ(agent->Control(), stage.host);
  EXPECT_EQ(agent->Handle(), hostWindow);
  EXPECT_EQ(agent->OldWndProc(), hostProc);
  EXPECT_EQ(agent->Agents()->Count(), 0) << "the construction scans no child windows";
  agent->Agents()->ReScanChild(stage.host, hostWindow);
  EXPECT_EQ(agent->Agents()->Count(), 1);
  EXPECT_EQ(ProcOf(hostWindow), TAgent::ObjectInstance());
  EXPECT_EQ(SendMessageW(foreign->Handle(), WM_NCHITTEST, 0, 0), HTTRANSPARENT);

  agent.reset();
  EXPECT_EQ(log, (Log{"take", "release, agents left on 0"}));
  EXPECT_EQ(ProcOf(hostWindow), hostProc);
  EXPECT_EQ(ProcOf(foreign->Handle()), foreignProc);
}

TEST_F(AgentTest, FailedStartStillReleases) {
  TStageForm stage;
  HWND hostWindow = stage.host->Handle();
  TChildAgent below(hostWindow);
  const auto covered = reinterpret_cast<WNDPROC>(
      SetWindowLongPtrW(hostWindow, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(ForeignProc)));
  Log log;
  EXPECT_THROW(TClientAgent::Create<TLoggingAgent>(stage.host, log), Exception);
  EXPECT_EQ(log, (Log{"take", "release, agents left on 1"})) << "the other agent on the window stays";
  EXPECT_EQ(ProcOf(hostWindow), ForeignProc);
  SetWindowLongPtrW(hostWindow, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(covered));
}

TEST_F(AgentTest, AgentFollowsItsControlIntoARecreatedWindow) {
  TStageForm stage;
  TComponent elsewhere(nullptr);
  auto* foreign = new TProbe(&elsewhere);
  foreign->SetParent(stage.host);
  Log log;
  auto agent = TClientAgent::Create<TLoggingAgent>(stage.host, log);
  agent->Agents()->ReScanChild(stage.host, stage.host->Handle());
  HWND oldWindow = stage.host->Handle();

  stage.host->RecreateWnd();
  EXPECT_EQ(log, (Log{"take", "destroy"}));
  EXPECT_FALSE(agent->Subclassed());
  HWND newWindow = stage.host->Handle();
  ASSERT_NE(newWindow, oldWindow);
  EXPECT_NE(ProcOf(newWindow), TAgent::ObjectInstance());
  const WNDPROC own = ProcOf(newWindow);

  agent->ChangeHandele(newWindow);
  EXPECT_TRUE(agent->Subclassed());
  EXPECT_EQ(agent->Handle(), newWindow);
  EXPECT_EQ(TAgent::FindAgent(newWindow), agent.get());
  EXPECT_EQ(agent->OldWndProc(), own) << "exactly one agent on the new window";
  ASSERT_EQ(agent->Agents()->Count(), 1);
  EXPECT_EQ(agent->Agents()->Items(0)->Handle(), foreign->Handle());
  EXPECT_EQ(SendMessageW(foreign->Handle(), WM_NCHITTEST, 0, 0), HTTRANSPARENT);
  EXPECT_EQ(TAgent::SubclassedWindowCount(), 2);

  agent.reset();
  EXPECT_EQ(ProcOf(newWindow), own);
  EXPECT_EQ(log.back(), "release, agents left on 0");
}

TEST_F(AgentTest, ChangeHandeleWithoutEndingTakesTheAgentOffTheOldWindow) {
  HWND first = MakePlain();
  HWND second = MakePlain();
  const WNDPROC own = ProcOf(first);
  {
    TChildAgent agent(first);
    agent.ChangeHandele(second);
    EXPECT_EQ(ProcOf(first), own);
    EXPECT_EQ(TAgent::FindAgent(first), nullptr);
    EXPECT_EQ(SendMessageW(second, WM_NCHITTEST, 0, 0), HTTRANSPARENT);
  }
  EXPECT_EQ(ProcOf(second), own);
  DestroyWindow(first);
  DestroyWindow(second);
}

TEST_F(AgentTest, FormAgentDestroysTheComponentItIsSent) {
  TStageForm stage;
  int destroyed = 0;
  auto* victim = new TCounted(stage.form, destroyed);
  auto agent = TClientAgent::Create<TFormAgent>(stage.form);
  EXPECT_EQ(agent->ClassName(), "TFormAgent");
  EXPECT_TRUE(agent->InheritsFrom(TClientAgent::StaticClassInfo()));
  SendMessageW(stage.form->Handle(), DSNM_KILLCOMPONENT, reinterpret_cast<WPARAM>(victim), 0);
  EXPECT_EQ(destroyed, 1);
  EXPECT_EQ(stage.form->ComponentCount(), 1);  // the host is left
  SendMessageW(stage.form->Handle(), DSNM_KILLCOMPONENT, 0, 0);
  EXPECT_EQ(SendMessageW(stage.form->Handle(), WM_NCHITTEST, 0, MAKELPARAM(TStageForm::kFormLeft + 1, TStageForm::kFormTop + 1)),
            HTCLIENT);
}
