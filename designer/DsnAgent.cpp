// Window subclassing agents: the shared agent window procedure and its chains, client, form and
// child agents, the child-agent list and the child-window list.
#include "designer/DsnAgent.h"

#include <unordered_map>

#include "framework/core/Component.h"
#include "framework/core/Exception.h"
#include "framework/core/ScopeGuard.h"
#include "framework/windows/Application.h"
#include "framework/windows/WinControl.h"

namespace {

constexpr const char* kSubclassingFailed = "Subclassing is failure.";

// The agent each subclassed window runs first (the top of its chain). One GUI thread.
std::unordered_map<HWND, TAgent*>& TopAgents() {
  static std::unordered_map<HWND, TAgent*> agents;
  return agents;
}

// Installs `procedure` on the window; the one it replaced, null when Windows refused.
WNDPROC ReplaceWindowProc(HWND window, WNDPROC procedure) {
  return reinterpret_cast<WNDPROC>(SetWindowLongPtrW(window, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(procedure)));
}

}  // namespace

// ---------------------------------------------------------------------------------------------
// TAgent: the shared procedure and the chains

WNDPROC TAgent::ObjectInstance() { return &TAgent::InstanceProc; }

TAgent* TAgent::FindAgent(HWND window) {
  auto it = TopAgents().find(window);
  return it == TopAgents().end() ? nullptr : it->second;
}

int TAgent::SubclassedWindowCount() { return static_cast<int>(TopAgents().size()); }

LRESULT CALLBACK TAgent::InstanceProc(HWND window, UINT msg, WPARAM wParam, LPARAM lParam) {
  TAgent* agent = FindAgent(window);
  if (!agent) return DefWindowProcW(window, msg, wParam, lParam);
  TMessage message{msg, wParam, lParam, 0};
  try {
    agent->ClientWndProc(message);
  } catch (...) {
    // Nothing may unwind through Windows' frames.
    if (Application) Application->HandleException(agent);
  }
  // The window is gone: nothing of the chain may touch its handle again (it can be reused).
  if (msg == WM_NCDESTROY) WindowDestroyed(window);
  return message.Result;
}

void TAgent::WindowDestroyed(HWND window) {
  TAgent* agent = FindAgent(window);
  TopAgents().erase(window);
  while (agent) {
    TAgent* below = agent->below_;
    agent->installed_ = false;
    agent->subclassed_ = false;
    agent->above_ = agent->below_ = nullptr;
    agent = below;
  }
}

void TAgent::Install(HWND handle) {
  // The answer of the replacement is the old procedure: one call to Windows instead of two.
  const WNDPROC old = ReplaceWindowProc(handle, ObjectInstance());
  if (!old) throw Exception(kSubclassingFailed);
  const bool overAgent = old == ObjectInstance();
  // An agent covered by some other procedure cannot get its messages from a new agent on top.
  if (!overAgent && FindAgent(handle)) {
    ReplaceWindowProc(handle, old);
    throw Exception(kSubclassingFailed);
  }
  oldWndProc_ = old;
  below_ = overAgent ? FindAgent(handle) : nullptr;
  if (below_) below_->above_ = this;
  above_ = nullptr;
  TopAgents()[handle] = this;
  installed_ = true;
}

// Takes the agent out of its window's chain. Only the top agent changes the window's procedure;
// one further down hands its old procedure to the agent above, so the others keep running.
void TAgent::Unlink() {
  if (above_) {
    above_->oldWndProc_ = oldWndProc_;
    above_->below_ = below_;
    if (below_) below_->above_ = above_;
  } else {
    ReplaceWindowProc(handle_, oldWndProc_);
    if (below_) {
      below_->above_ = nullptr;
      TopAgents()[handle_] = below_;
    } else {
      TopAgents().erase(handle_);
    }
  }
  installed_ = false;
  above_ = nullptr;
}

bool TAgent::OnWindow(const TAgent* agent) const {
  for (const TAgent* a = FindAgent(handle_); a; a = a->below_)
    if (a == agent) return true;
  return false;
}

void TAgent::CallOldWndProc(TMessage& message) {
  if (oldWndProc_ != ObjectInstance()) {
    message.Result = CallWindowProcW(oldWndProc_, handle_, message.Msg, message.WParam, message.LParam);
    return;
  }
  // Another agent ran before this one. An agent that left the window inside a message (the
  // WM_DESTROY path) still passes on to that one while it is on the window, else to the first.
  TAgent* next = installed_ || OnWindow(below_) ? below_ : FindAgent(handle_);
  if (next && next != this)
    next->ClientWndProc(message);
  else
    message.Result = DefWindowProcW(handle_, message.Msg, message.WParam, message.LParam);
}

// ---------------------------------------------------------------------------------------------
// TAgent: life

TAgent::TAgent(HWND handle) { Subclass(handle); }

TAgent::~TAgent() {
  Release();
  if (installed_) Unlink();  // an override of EndSubClassing that kept the agent on the window
}

void TAgent::Subclass(HWND handle) {
  handle_ = handle;
  if (handle) Install(handle);
  subclassed_ = handle != nullptr;
}

void TAgent::Release() {
  if (subclassed_) EndSubClassing();
  if (TAgentReleaseEvent release = std::exchange(onRelease_, {}); release) release();
}

void TAgent::ClientCaptureChanged(TMessage&) { captureControl_ = nullptr; }

void TAgent::EndSubClassing() {
  if (installed_) Unlink();
  subclassed_ = false;
}

void TAgent::ChangeHandele(HWND handle) {
  if (installed_) Unlink();
  subclassed_ = false;
  below_ = nullptr;
  Subclass(handle);
}

// ---------------------------------------------------------------------------------------------
// TClientAgent

TClientAgent::TClientAgent(TWinControl* control) : control_(control), agents_(std::make_unique<TAgentList>()) {}

TClientAgent::~TClientAgent() = default;

void TClientAgent::Start() {
  TakeInstance();
  TScopeGuard release([this] { ReleaseInstance(); });
  if (control_) Subclass(control_->Handle());
  release.Dismiss();
}

void TClientAgent::Stop() {
  agents_.reset();  // the child windows first
  SetOnRelease(TAgentReleaseEvent(this, &TClientAgent::ReleaseInstance));
  Release();
}

void TClientAgent::ChangeHandele(HWND handle) {
  TAgent::ChangeHandele(handle);
  if (agents_) {
    agents_->Clear();
    agents_->ReScanChild(control_, handle);
  }
}

// ---------------------------------------------------------------------------------------------
// TFormAgent, TChildAgent

void TFormAgent::ClientWndProc(TMessage& message) {
  if (message.Msg == DSNM_KILLCOMPONENT)
    KillComponent(reinterpret_cast<TComponent*>(message.WParam));
  else
    CallOldWndProc(message);
}

void TFormAgent::KillComponent(TComponent* component) { delete component; }

void TChildAgent::ClientWndProc(TMessage& message) {
  if (message.Msg == WM_NCHITTEST)
    message.Result = HTTRANSPARENT;
  else
    CallOldWndProc(message);
}

// ---------------------------------------------------------------------------------------------
// TAgentList

TAgentList::TAgentList() = default;

TAgentList::~TAgentList() { Clear(); }

int TAgentList::Add(HWND handle) {
  items_.push_back(std::make_unique<TChildAgent>(handle));
  return Count() - 1;
}

void TAgentList::Clear() {
  for (auto& agent : items_) agent.reset();
  items_.clear();
}

TChildAgent* TAgentList::Items(int index) const {
  if (index < 0 || index >= Count()) throw EListError(Format(messages::ListIndexError, index));
  return items_[static_cast<std::size_t>(index)].get();
}

void TAgentList::ReScanChild(TWinControl* control, HWND handle) {
  TChildList children(control, handle);
  TComponent* designOwner = control ? control->Owner() : nullptr;
  for (int i = 0; i < children.Count(); ++i) {
    const TChildItem item = children.GetItems(i);
    // A child control of the same owner is designed itself and gets its own interceptor.
    if (!item.Control || item.Control->Owner() != designOwner) AddSubtree(item);
  }
}

void TAgentList::AddSubtree(const TChildItem& item) {
  Add(item.Handle);
  TChildList children(item.Control, item.Handle);
  for (int i = 0; i < children.Count(); ++i) AddSubtree(children.GetItems(i));
}

// ---------------------------------------------------------------------------------------------
// TChildList

TChildList::TChildList(TWinControl* control, HWND handle) : parentHandle_(handle), control_(control) { MakeList(); }

void TChildList::MakeList() {
  // The windowed children come last among the controls.
  std::unordered_map<HWND, TWinControl*> windowed;
  for (int i = control_ ? control_->ControlCount() - 1 : -1; i >= 0; --i) {
    auto* child = dynamic_cast<TWinControl*>(control_->Controls(i));
    if (!child) break;
    windowed.emplace(child->Handle(), child);
  }
  // Windows is asked even where the child controls seem to be all the children: windows of others
  // arrive unannounced when made with WS_EX_NOPARENTNOTIFY or moved in with SetParent.
  handles_.clear();
  controls_.clear();
  for (HWND h = GetWindow(parentHandle_, GW_CHILD); h; h = GetWindow(h, GW_HWNDNEXT)) {
    const auto owner = windowed.find(h);
    handles_.push_back(h);
    controls_.push_back(owner == windowed.end() ? nullptr : owner->second);
  }
}

TChildItem TChildList::GetItems(int index) const {
  if (index < 0 || index >= Count()) throw EListError(Format(messages::ListIndexError, index));
  const auto i = static_cast<std::size_t>(index);
  return TChildItem{controls_[i], handles_[i]};
}
