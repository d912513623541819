/// @file
/// Window subclassing agents: an agent replaces the window procedure of an existing window so the
/// designer sees every message first. TClientAgent serves a framework windowed control and keeps
/// transparent TChildAgents on the foreign windows inside it; TChildList pairs a window's direct
/// child windows with the framework controls that own them.
#pragma once

#include <windows.h>

#include <memory>
#include <utility>
#include <vector>

#include "framework/core/Event.h"
#include "framework/core/Object.h"
#include "framework/windows/Messages.h"

class TComponent;
class TControl;
class TWinControl;
class TAgentList;
struct TChildItem;

/// WParam: a TComponent* that the form agent destroys.
constexpr UINT DSNM_KILLCOMPONENT = WM_USER + 579;

/// Raised once when an agent ends its subclassing for good (TAgent::OnRelease).
using TAgentReleaseEvent = TEvent<>;

/// One subclassed window. All agents share one window procedure, which finds the agent from the
/// window; agents installed on the same window form a chain, the last one installed running first.
/// An exception thrown by a handler goes to Application->HandleException and never unwinds through
/// Windows. Agents live on the GUI thread only, like the windows they serve.
class TAgent : public TObject {
  TAVELKO_CLASS(TAgent, TObject)

 public:
  /// Subclasses `handle` unless it is 0; Exception "Subclassing is failure." when Windows refuses.
  explicit TAgent(HWND handle);
  /// Ends the subclassing if still active, then calls OnRelease.
  ~TAgent() override;

  // ---- What descendants override ----
  /// The window's messages; what is not handled goes on with CallOldWndProc.
  virtual void ClientWndProc(TMessage& message) = 0;
  /// The window lost the mouse capture (WM_CAPTURECHANGED, for descendants that route it here):
  /// forgets CaptureControl.
  virtual void ClientCaptureChanged(TMessage& message);
  /// Puts the old procedure back (Handle is kept).
  virtual void EndSubClassing();
  /// Subclasses a new window, usually after the old one was destroyed and made again. Callers end
  /// the subclassing of the old window first; an agent still active there is taken off it.
  virtual void ChangeHandele(HWND handle);

  // ---- State ----
  /// The window subclassed, kept after the subclassing ended; null for none.
  HWND Handle() const { return handle_; }
  /// The procedure that ran before this agent took over.
  WNDPROC OldWndProc() const { return oldWndProc_; }
  /// The procedure the agent installs: one for all agents (it finds the agent from the window).
  static WNDPROC ObjectInstance();
  /// True from the subclassing of a window until it ends or the window is destroyed.
  bool Subclassed() const { return subclassed_; }
  /// The control the owner treats as holding the mouse; not owned.
  ///@{
  TControl* CaptureControl() const { return captureControl_; }
  void SetCaptureControl(TControl* control) { captureControl_ = control; }
  ///@}
  /// Called once, after the subclassing ended, when the agent is destroyed. A client agent puts
  /// its ReleaseInstance here when it stops, in place of any handler set.
  ///@{
  const TAgentReleaseEvent& OnRelease() const { return onRelease_; }
  void SetOnRelease(const TAgentReleaseEvent& handler) { onRelease_ = handler; }
  ///@}

  /// The agent that sees the window's messages first; null when the window has none.
  static TAgent* FindAgent(HWND window);
  /// Windows that carry at least one agent now.
  static int SubclassedWindowCount();

 protected:
  /// For agents that subclass after their own set-up (TClientAgent).
  TAgent() = default;
  /// Hands the message to the procedure that ran before this agent; its answer goes to Result.
  void CallOldWndProc(TMessage& message);
  /// Takes `handle` and installs the agent on it; Subclassed afterwards unless `handle` is 0.
  void Subclass(HWND handle);
  /// Ends the subclassing if active, then calls OnRelease once.
  void Release();

 private:
  static LRESULT CALLBACK InstanceProc(HWND window, UINT msg, WPARAM wParam, LPARAM lParam);
  static void WindowDestroyed(HWND window);
  void Install(HWND handle);
  void Unlink();
  /// Whether `agent` is in this window's chain now.
  bool OnWindow(const TAgent* agent) const;

  HWND handle_ = nullptr;
  WNDPROC oldWndProc_ = nullptr;
  TAgentReleaseEvent onRelease_;
  TControl* captureControl_ = nullptr;
  bool subclassed_ = false;
  /// The chain on handle_: `below_` ran before this agent (its procedure is oldWndProc_).
  bool installed_ = false;
  TAgent* above_ = nullptr;
  TAgent* below_ = nullptr;
};

/// The agent of a framework windowed control. Concrete client agents are made with Create, which
/// runs TakeInstance and subclasses once the whole object exists, and whose destruction ends the
/// child agents, then the control's own subclassing, then calls ReleaseInstance.
class TClientAgent : public TAgent {
  TAVELKO_CLASS(TClientAgent, TAgent)

 public:
  /// A new agent of class Agent made from `args` (its constructor's), started and subclassing the
  /// control's window (made now if need be). Raises when the window cannot be subclassed, after
  /// ReleaseInstance undid TakeInstance. The caller owns the agent.
  template <class Agent, class... Args>
  static std::unique_ptr<Agent> Create(Args&&... args);
  ~TClientAgent() override;

  // ---- What descendants override ----
  virtual void TakeInstance() = 0;     ///< the agent starts
  virtual void ReleaseInstance() = 0;  ///< the agent ends, after the window got its procedure back
  /// Subclasses the new window and builds the child agents anew.
  void ChangeHandele(HWND handle) override;

  /// The control served; not owned; must outlive the agent.
  TWinControl* Control() const { return control_; }
  /// Transparent agents of the control's foreign child windows; owned.
  TAgentList* Agents() const { return agents_.get(); }

 protected:
  /// Concrete agents keep their constructors protected: only Create makes them.
  explicit TClientAgent(TWinControl* control);

 private:
  template <class Agent>
  class TStarted;

  void Start();
  void Stop();

  TWinControl* control_ = nullptr;  ///< not owned
  std::unique_ptr<TAgentList> agents_;
};

/// Runs the start after the most derived constructor and the stop before its destructor, so the
/// hooks reach the concrete agent.
template <class Agent>
class TClientAgent::TStarted final : public Agent {
 public:
  template <class... Args>
  explicit TStarted(Args&&... args) : Agent(std::forward<Args>(args)...) {
    this->Start();
  }
  ~TStarted() override { this->Stop(); }
};

template <class Agent, class... Args>
std::unique_ptr<Agent> TClientAgent::Create(Args&&... args) {
  return std::make_unique<TStarted<Agent>>(std::forward<Args>(args)...);
}

/// A client agent for a form: destroys the component named by DSNM_KILLCOMPONENT.
class TFormAgent : public TClientAgent {
  TAVELKO_CLASS(TFormAgent, TClientAgent)

 public:
  void ClientWndProc(TMessage& message) override;
  void TakeInstance() override {}
  void ReleaseInstance() override {}
  /// Destroys `component`; null does nothing.
  void KillComponent(TComponent* component);

 protected:
  using TClientAgent::TClientAgent;
};

/// Makes a window transparent to the mouse: WM_NCHITTEST answers HTTRANSPARENT and never reaches
/// the window, so presses fall through to the designed control beneath.
class TChildAgent : public TAgent {
  TAVELKO_CLASS(TChildAgent, TAgent)

 public:
  using TAgent::TAgent;
  void ClientWndProc(TMessage& message) override;
};

/// The child agents of one client agent; owns them.
class TAgentList : public TObject {
  TAVELKO_CLASS(TAgentList, TObject)

 public:
  TAgentList();
  /// Destroys the agents, index 0 upward.
  ~TAgentList() override;

  /// Subclasses `handle` with a new child agent; its index.
  int Add(HWND handle);
  /// Destroys the agents, index 0 upward (each gives its window its procedure back).
  void Clear();
  /// Child agents for every window inside `handle` that the designer does not handle itself: the
  /// windows of controls with another owner than `control`'s, and windows of no control, each
  /// with its whole subtree.
  void ReScanChild(TWinControl* control, HWND handle);
  /// Child agents for the item's window and every window below it.
  void AddSubtree(const TChildItem& item);

  /// The number of child agents.
  int Count() const { return static_cast<int>(items_.size()); }
  TChildAgent* Items(int index) const;  ///< EListError outside the list

 private:
  std::vector<std::unique_ptr<TChildAgent>> items_;
};

/// One direct child window and the framework control it belongs to (null for none).
struct TChildItem {
  TWinControl* Control = nullptr;  ///< the framework control whose window it is; null for none
  HWND Handle = nullptr;           ///< the child window
};

/// The direct child windows of a window in Windows' order, each paired with the child control of
/// `Control` whose window it is.
class TChildList : public TObject {
  TAVELKO_CLASS(TChildList, TObject)

 public:
  /// `control` may be null: then no window is paired with a control.
  TChildList(TWinControl* control, HWND handle);

  /// Lists the windows again; reading the child controls' Handle makes their windows.
  void MakeList();
  TChildItem GetItems(int index) const;  ///< EListError outside the list
  /// The number of child windows found by the last MakeList.
  int Count() const { return static_cast<int>(controls_.size()); }

  /// The window whose children are listed.
  HWND ParentHandle() const { return parentHandle_; }
  /// The control whose child controls the windows are paired with; not owned; may be null.
  TWinControl* Control() const { return control_; }

 private:
  std::vector<HWND> handles_;
  std::vector<TWinControl*> controls_;  ///< parallel to handles_
  HWND parentHandle_;
  TWinControl* control_;  ///< not owned
};
