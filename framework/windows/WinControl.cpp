// TWinControl: window creation and destruction, the framework's window procedure, child lists,
// alignment, focus, keyboard, painting of windowless children and mouse routing to them.
//
// Sections: window procedure · construction · window · children · alignment · focus ·
// appearance and painting · TControl overrides · messages · handlers · lookups.
#include "framework/windows/WinControl.h"

#include <algorithm>
#include <iterator>
#include <unordered_map>

#include "framework/core/ScopeGuard.h"
#include "framework/graphics/GdiHandles.h"
#include "framework/windows/Application.h"
#include "framework/windows/ControlCanvas.h"
#include "framework/windows/Forms.h"
#include "framework/windows/Win32Error.h"

namespace {

// Every framework window and its control. Kept in the process rather than as a window property:
// reading a property asks the window server, and the procedure looks the control up for every
// message. One GUI thread.
std::unordered_map<HWND, TWinControl*>& WindowControls() {
  static std::unordered_map<HWND, TWinControl*> controls;
  return controls;
}

// The control whose window CreateWindowExW is making; its first messages arrive before the
// window is attached.
TWinControl* creationControl = nullptr;
// Nesting of the window procedure; DCs taken outside painting are given back at the outermost end.
int dispatchDepth = 0;

HINSTANCE ModuleInstance() { return GetModuleHandleW(nullptr); }

}  // namespace

bool IsDesignVisible(TControl* control) {
  return control->Visible() || (control->ComponentState().Contains(csDesigning) &&
                                !control->ControlStyle().Contains(csNoDesignVisible));
}

// ---------------------------------------------------------------------------------------------
// Window procedure

LRESULT CALLBACK TWinControl::StandardWindowProc(HWND window, UINT msg, WPARAM wParam, LPARAM lParam) {
  TWinControl* control = FindControl(window);
  if (!control && creationControl) {
    control = creationControl;
    control->AttachWindow(window);
  }
  if (!control) return DefWindowProcW(window, msg, wParam, lParam);

  TMessage message{msg, wParam, lParam, 0};
  ++dispatchDepth;
  try {
    control->windowProc_(message);
  } catch (...) {
    // Nothing may unwind through Windows' frames.
    if (Application) Application->HandleException(control);
  }
  if (msg == WM_NCDESTROY) control->WindowGone(window);
  if (--dispatchDepth == 0) TControlCanvas::FreeDeviceContexts();
  return message.Result;
}

void TWinControl::AttachWindow(HWND window) {
  handle_ = window;
  WindowControls()[window] = this;
  if (!IsSystemWindow()) defWndProc_ = DefWindowProcW;
}

void TWinControl::WindowGone(HWND window) {
  if (handle_ != window) return;
  WindowControls().erase(window);
  handle_ = nullptr;
  defWndProc_ = nullptr;
  trackingLeave_ = false;
  windowFont_.reset();
}

// ---------------------------------------------------------------------------------------------
// Construction

TWinControl::TWinControl(TComponent* owner) : TControl(owner), brush_(std::make_unique<TBrush>()) {
  brush_->SetColor(Color());
}

TWinControl::~TWinControl() {
  BeforeDestruction();
  // A replaced WindowProc may belong to the part of the object already destroyed.
  SetWindowProc(nullptr);
  // Children parented here that this control's owner did not destroy go with their parent.
  while (ControlCount() > 0) {
    TControl* child = Controls(ControlCount() - 1);
    RemoveControl(child);
    delete child;
  }
  DestroyHandle();
  SetParent(nullptr);
}

// ---------------------------------------------------------------------------------------------
// Window

HWND TWinControl::Handle() {
  if (!handle_) {
    if (parent_) parent_->Handle();  // making the parent's window makes this one too
    if (!handle_) CreateHandle();
  }
  return handle_;
}

void TWinControl::CreateParams(TCreateParams& params) {
  params.Caption = CP932ToWide(text_);
  params.Style = WS_CHILD | WS_CLIPSIBLINGS;
  if (ControlStyle().Contains(csAcceptsControls)) params.Style |= WS_CLIPCHILDREN;
  if (Visible()) params.Style |= WS_VISIBLE;
  if (!Enabled()) params.Style |= WS_DISABLED;
  if (tabStop_) params.Style |= WS_TABSTOP;
  params.X = Left();
  params.Y = Top();
  params.Width = Width();
  params.Height = Height();
  if (parent_) params.WndParent = parent_->Handle();
  params.WinClassName = CP932ToWide(ClassName());
}

void TWinControl::CreateSubClass(TCreateParams& params, const wchar_t* className) {
  params.SystemClass = className;
}

void TWinControl::CreateWnd() {
  TCreateParams params;
  CreateParams(params);
  if ((params.Style & WS_CHILD) && !params.WndParent)
    throw EInvalidOperation(Format("Control '%s' has no parent window", Name()));

  systemClass_ = params.SystemClass;
  const wchar_t* windowClass = params.SystemClass.c_str();
  if (!IsSystemWindow()) {
    windowClass = params.WinClassName.c_str();
    WNDCLASSEXW existing{};
    existing.cbSize = sizeof(existing);
    if (!GetClassInfoExW(ModuleInstance(), windowClass, &existing)) {
      WNDCLASSEXW cls{};
      cls.cbSize = sizeof(cls);
      cls.style = params.ClassStyle;
      cls.lpfnWndProc = StandardWindowProc;
      cls.hInstance = ModuleInstance();
      cls.hCursor = params.ClassCursor ? params.ClassCursor : LoadCursorW(nullptr, IDC_ARROW);
      cls.hIcon = params.ClassIcon;
      cls.lpszClassName = windowClass;
      if (!RegisterClassExW(&cls)) throw EWin32Error("Cannot register the window class", GetLastError());
    }
  }

  creationControl = this;
  HWND window = CreateWindowExW(params.ExStyle, windowClass, params.Caption.c_str(), params.Style, params.X, params.Y,
                                params.Width, params.Height, params.WndParent, nullptr, ModuleInstance(), this);
  creationControl = nullptr;
  if (!window) throw EWin32Error(Format("Cannot create the window of %s", Name()), GetLastError());

  if (IsSystemWindow()) {
    AttachWindow(window);
    defWndProc_ = reinterpret_cast<WNDPROC>(
        SetWindowLongPtrW(window, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(StandardWindowProc)));
    windowFont_ = Font()->SharedHandle();
    Perform(WM_SETFONT, reinterpret_cast<WPARAM>(windowFont_->Get()), FALSE);
  }
}

void TWinControl::DestroyWnd() {
  text_ = ReadText();
  HWND window = handle_;
  DestroyWindow(window);
  WindowGone(window);  // also when a replaced window procedure kept WM_NCDESTROY from us
}

void TWinControl::CreateHandle() {
  if (handle_) return;
  CreateWnd();
  const std::vector<TWinControl*> children = winControls_;
  for (TWinControl* child : children) {
    if (!child->handle_) child->CreateHandle();
    SetWindowPos(child->handle_, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
  }
  Realign();
}

void TWinControl::DestroyHandle() {
  if (!handle_) return;
  for (TWinControl* child : winControls_) child->DestroyHandle();
  DestroyWnd();
}

void TWinControl::RecreateWnd() {
  if (!handle_) return;
  const bool wasFocused = Focused();
  DestroyHandle();
  Handle();
  if (wasFocused) ::SetFocus(handle_);
}

// ---------------------------------------------------------------------------------------------
// Children

TControl* TWinControl::Controls(int index) const {
  if (index < 0 || index >= ControlCount()) throw EListError(Format(messages::ListIndexError, index));
  const auto windowless = static_cast<int>(controls_.size());
  return index < windowless ? controls_[index] : winControls_[index - windowless];
}

void TWinControl::InsertControl(TControl* control) {
  if (!control || control->parent_ == this) return;
  if (control == this) throw EInvalidOperation("A control cannot be its own parent");
  if (control->parent_) control->parent_->RemoveControl(control);
  Perform(CM_CONTROLLISTCHANGE, reinterpret_cast<WPARAM>(control), 1);
  auto* windowed = dynamic_cast<TWinControl*>(control);
  if (windowed) {
    winControls_.push_back(windowed);
    tabList_.push_back(windowed);
  } else {
    controls_.push_back(control);
  }
  control->parent_ = this;
  if (windowed && windowed->wantedTabOrder_ >= 0) {
    const int order = std::exchange(windowed->wantedTabOrder_, -1);
    windowed->SetTabOrder(order);
  }
  control->Perform(CM_PARENTCOLORCHANGED);
  control->Perform(CM_PARENTFONTCHANGED);
  control->Perform(CM_PARENTSHOWHINTCHANGED);
  if (control->ParentBiDiMode()) control->biDiMode_ = BiDiMode();
  const TComponentState state = control->ComponentState();
  if (windowed && handle_ && !state.Contains(csLoading) && !state.Contains(csDestroying)) {
    windowed->CreateHandle();
    SetWindowPos(windowed->handle_, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
  } else {
    control->InvalidateControl();
  }
  Realign();
  Perform(CM_CONTROLCHANGE, reinterpret_cast<WPARAM>(control), 1);
}

void TWinControl::RemoveControl(TControl* control) {
  if (!control || control->parent_ != this) return;
  Perform(CM_CONTROLCHANGE, reinterpret_cast<WPARAM>(control), 0);
  Perform(CM_CONTROLLISTCHANGE, reinterpret_cast<WPARAM>(control), 0);
  if (GetCaptureControl() == control) SetCaptureControl(nullptr);
  const auto windowed = std::find(winControls_.begin(), winControls_.end(), control);
  if (windowed != winControls_.end()) (*windowed)->DestroyHandle();
  else control->InvalidateControl();
  RemoveFromLists(control);
  control->parent_ = nullptr;
  Realign();
}

void TWinControl::RemoveFromLists(TControl* control) {
  controls_.erase(std::remove(controls_.begin(), controls_.end(), control), controls_.end());
  const auto sameControl = [control](TWinControl* c) { return static_cast<TControl*>(c) == control; };
  winControls_.erase(std::remove_if(winControls_.begin(), winControls_.end(), sameControl), winControls_.end());
  tabList_.erase(std::remove_if(tabList_.begin(), tabList_.end(), sameControl), tabList_.end());
}

void TWinControl::MoveInStack(TControl* control, bool toTop) {
  const auto move = [toTop](auto& list, auto it) {
    if (toTop) std::rotate(it, std::next(it), list.end());
    else std::rotate(list.begin(), it, std::next(it));
  };
  const auto windowed = std::find(winControls_.begin(), winControls_.end(), control);
  if (windowed != winControls_.end()) {
    TWinControl* child = *windowed;
    move(winControls_, windowed);
    if (child->handle_)
      SetWindowPos(child->handle_, toTop ? HWND_TOP : HWND_BOTTOM, 0, 0, 0, 0,
                   SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    return;
  }
  const auto windowless = std::find(controls_.begin(), controls_.end(), control);
  if (windowless == controls_.end()) return;
  move(controls_, windowless);
  control->InvalidateControl();
}

void TWinControl::StepInStack(TControl* control, bool up) {
  const auto step = [up](auto& list, auto it) {
    const auto other = up ? std::next(it) : it;
    if ((up && other == list.end()) || (!up && it == list.begin())) return false;
    std::iter_swap(up ? it : std::prev(it), up ? other : it);
    return true;
  };
  const auto windowed = std::find(winControls_.begin(), winControls_.end(), control);
  if (windowed != winControls_.end()) {
    const auto index = static_cast<std::size_t>(windowed - winControls_.begin());
    if (step(winControls_, windowed)) RestackWindow(up ? index + 1 : index - 1);
    return;
  }
  const auto windowless = std::find(controls_.begin(), controls_.end(), control);
  if (windowless == controls_.end() || !step(controls_, windowless)) return;
  control->InvalidateControl();
}

void TWinControl::RestackWindow(std::size_t index) {
  TWinControl* child = winControls_[index];
  if (!child->handle_) return;
  // Just below the sibling the list puts above it, or on top.
  const TWinControl* above = index + 1 < winControls_.size() ? winControls_[index + 1] : nullptr;
  SetWindowPos(child->handle_, above && above->handle_ ? above->handle_ : HWND_TOP, 0, 0, 0, 0,
               SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
}

bool TWinControl::ContainsControl(TControl* control) const {
  for (TControl* c = control; c; c = c->Parent())
    if (c == this) return true;
  return false;
}

TControl* TWinControl::ControlAtPos(const TPoint& pos, bool allowDisabled, bool allowWinControls) {
  const auto hit = [&](TControl* c) {
    if (!IsDesignVisible(c) || (!c->Enabled() && !allowDisabled) || !c->BoundsRect().Contains(pos)) return false;
    const TPoint local{pos.X - c->Left(), pos.Y - c->Top()};
    return c->Perform(CM_HITTEST, 0, MAKELPARAM(static_cast<Word>(local.X), static_cast<Word>(local.Y))) != 0;
  };
  if (allowWinControls)
    for (auto it = winControls_.rbegin(); it != winControls_.rend(); ++it)
      if (hit(*it)) return *it;
  for (auto it = controls_.rbegin(); it != controls_.rend(); ++it)
    if (hit(*it)) return *it;
  return nullptr;
}

void TWinControl::Broadcast(TMessage& message) {
  for (int i = 0; i < ControlCount(); ++i) {
    Controls(i)->Perform(message);
    if (message.Result != 0) return;
  }
}

void TWinControl::NotifyControls(UINT msg, WPARAM wParam, LPARAM lParam) {
  for (int i = 0; i < ControlCount(); ++i) Controls(i)->Perform(msg, wParam, lParam);
}

void TWinControl::GetChildren(const std::function<void(TComponent*)>& proc, TComponent* root) {
  for (int i = 0; i < ControlCount(); ++i) {
    TControl* child = Controls(i);
    if (child->Owner() == root) proc(child);
  }
}

// ---------------------------------------------------------------------------------------------
// Alignment

void TWinControl::Realign() {
  if (aligning_ || ComponentState().Contains(csDestroying)) return;
  const auto aligning = TemporarilySet(aligning_, true);
  TRect rect = ClientRect();
  AdjustClientRect(rect);
  AlignControls(rect);
}

void TWinControl::AdjustClientRect(TRect&) {}

void TWinControl::AlignControls(TRect& rect) {
  ApplyAnchors(rect);
  for (TAlign align : {alTop, alBottom, alLeft, alRight, alClient}) {
    std::vector<TControl*> aligned;
    for (int i = 0; i < ControlCount(); ++i) {
      TControl* c = Controls(i);
      if (c->Align() == align && IsDesignVisible(c)) aligned.push_back(c);
    }
    // The order along the edge is the order of the controls' current positions.
    std::stable_sort(aligned.begin(), aligned.end(), [align](TControl* a, TControl* b) {
      switch (align) {
        case alTop: return a->Top() < b->Top();
        case alBottom: return a->Top() + a->Height() > b->Top() + b->Height();
        case alLeft: return a->Left() < b->Left();
        case alRight: return a->Left() + a->Width() > b->Left() + b->Width();
        default: return false;
      }
    });
    for (TControl* c : aligned) {
      const int width = std::max(rect.Width(), 0);
      const int height = std::max(rect.Height(), 0);
      switch (align) {
        case alTop:
          c->SetBounds(rect.Left, rect.Top, width, c->Height());
          rect.Top += c->Height();
          break;
        case alBottom:
          c->SetBounds(rect.Left, rect.Bottom - c->Height(), width, c->Height());
          rect.Bottom -= c->Height();
          break;
        case alLeft:
          c->SetBounds(rect.Left, rect.Top, c->Width(), height);
          rect.Left += c->Width();
          break;
        case alRight:
          c->SetBounds(rect.Right - c->Width(), rect.Top, c->Width(), height);
          rect.Right -= c->Width();
          break;
        default:
          c->SetBounds(rect.Left, rect.Top, width, height);
          break;
      }
    }
  }
}

void TWinControl::ApplyAnchors(const TRect& client) {
  const TSize size{client.Width(), client.Height()};
  const TSize before = std::exchange(alignedClientSize_, size);
  if (before.cx < 0 || ComponentState().Contains(csLoading)) return;
  const int dx = size.cx - before.cx;
  const int dy = size.cy - before.cy;
  if (dx == 0 && dy == 0) return;
  for (int i = 0; i < ControlCount(); ++i) {
    TControl* c = Controls(i);
    if (c->Align() != alNone) continue;
    const TAnchors anchors = c->Anchors();
    int left = c->Left(), top = c->Top(), width = c->Width(), height = c->Height();
    if (anchors.Contains(akRight)) {
      if (anchors.Contains(akLeft)) width += dx;
      else left += dx;
    }
    if (anchors.Contains(akBottom)) {
      if (anchors.Contains(akTop)) height += dy;
      else top += dy;
    }
    c->SetBounds(left, top, std::max(width, 0), std::max(height, 0));
  }
}

// ---------------------------------------------------------------------------------------------
// Focus

void TWinControl::SetTabStop(bool value) {
  if (tabStop_ == value) return;
  tabStop_ = value;
  SetWindowStyleBit(WS_TABSTOP, value);
  Perform(CM_TABSTOPCHANGED);
}

int TWinControl::TabOrder() const {
  if (!parent_) return wantedTabOrder_;
  const auto& list = parent_->tabList_;
  const auto it = std::find(list.begin(), list.end(), this);
  return it == list.end() ? -1 : static_cast<int>(it - list.begin());
}

void TWinControl::SetTabOrder(int value) {
  if (!parent_) {
    wantedTabOrder_ = value;
    return;
  }
  auto& list = parent_->tabList_;
  const auto it = std::find(list.begin(), list.end(), this);
  if (it == list.end()) return;
  const int count = static_cast<int>(list.size());
  if (value < 0 || value >= count) value = count - 1;
  list.erase(it);
  list.insert(list.begin() + value, this);
}

bool TWinControl::CanFocus() {
  for (TWinControl* c = this; c; c = c->Parent())
    if (!c->Visible() || !c->Enabled()) return false;
  return true;
}

bool TWinControl::Focused() { return handle_ && GetFocus() == handle_; }

void TWinControl::SetFocus() {
  TCustomForm* form = GetParentForm(this);
  if (form && form != this && !form->Showing()) {
    form->SetActiveControl(this);  // focused when the form is shown
    return;
  }
  ::SetFocus(Handle());
}

void TWinControl::GetTabOrderList(std::vector<TWinControl*>& list) {
  for (TWinControl* child : tabList_) {
    list.push_back(child);
    child->GetTabOrderList(list);
  }
}

TWinControl* TWinControl::FindNextControl(TWinControl* current, bool goForward, bool checkTabStop) {
  std::vector<TWinControl*> list;
  GetTabOrderList(list);
  const int count = static_cast<int>(list.size());
  if (count == 0) return nullptr;
  const auto found = std::find(list.begin(), list.end(), current);
  int index = found == list.end() ? (goForward ? count - 1 : 0) : static_cast<int>(found - list.begin());
  for (int step = 0; step < count; ++step) {
    index = (index + (goForward ? 1 : count - 1)) % count;
    TWinControl* candidate = list[index];
    if (candidate != current && (!checkTabStop || candidate->TabStop()) && candidate->CanFocus()) return candidate;
  }
  return nullptr;
}

void TWinControl::SelectNext(TWinControl* current, bool goForward, bool checkTabStop) {
  if (TWinControl* next = FindNextControl(current, goForward, checkTabStop)) next->SetFocus();
}

void TWinControl::KeyDown(Word& key, TShiftState shift) { OnKeyDown(this, key, shift); }

void TWinControl::KeyUp(Word& key, TShiftState shift) { OnKeyUp(this, key, shift); }

void TWinControl::KeyPress(char& key) { OnKeyPress(this, key); }

void TWinControl::DoEnter() { OnEnter(this); }

void TWinControl::DoExit() { OnExit(this); }

bool TWinControl::DoKeyDown(TWMKey& message) {
  // A previewing form sees the key first (through its TWinControl side, whose DoKeyDown this is).
  if (TCustomForm* form = GetParentForm(this);
      form && form != this && form->KeyPreview() && static_cast<TWinControl*>(form)->DoKeyDown(message))
    return true;
  if (ControlStyle().Contains(csNoStdEvents)) return false;
  Word key = message.CharCode();
  KeyDown(key, KeyDataToShiftState(message.KeyData()));
  if (key == 0) return true;
  message.SetCharCode(key);
  return false;
}

bool TWinControl::DoKeyUp(TWMKey& message) {
  if (ControlStyle().Contains(csNoStdEvents)) return false;
  Word key = message.CharCode();
  KeyUp(key, KeyDataToShiftState(message.KeyData()));
  if (key == 0) return true;
  message.SetCharCode(key);
  return false;
}

bool TWinControl::DoKeyPress(TWMKey& message) {
  if (ControlStyle().Contains(csNoStdEvents)) return false;
  // The window takes UTF-16; the control's text is CP932: a character that CP932 holds goes
  // through KeyPress byte by byte, anything else passes untouched.
  const WideString typed(1, static_cast<wchar_t>(message.CharCode()));
  const String bytes = WideToCP932(typed);
  if (bytes.empty() || CP932ToWide(bytes) != typed) return false;
  if (bytes.size() > 1) {
    for (char byte : bytes) {
      char key = byte;
      KeyPress(key);
      if (key == 0) return true;
    }
    return false;
  }
  char key = bytes[0];
  KeyPress(key);
  if (key == 0) return true;
  if (key != bytes[0]) {
    const WideString replaced = CP932ToWide(String(1, key));
    if (replaced.size() == 1) message.SetCharCode(static_cast<Word>(replaced[0]));
  }
  return false;
}

// ---------------------------------------------------------------------------------------------
// Appearance and painting

void TWinControl::PaintTo(HDC dc, int x, int y) {
  gdi::SavedDC saved(dc);
  OffsetViewportOrgEx(dc, x, y, nullptr);
  IntersectClipRect(dc, 0, 0, Width(), Height());
  Perform(WM_ERASEBKGND, reinterpret_cast<WPARAM>(dc));
  Perform(WM_PAINT, reinterpret_cast<WPARAM>(dc));
  for (TWinControl* child : winControls_)
    if (child->Visible()) child->PaintTo(dc, child->Left(), child->Top());
}

void TWinControl::PaintFace(HDC dc) {
  gdi::SavedDC saved(dc);
  Perform(WM_ERASEBKGND, reinterpret_cast<WPARAM>(dc));
  PaintWindow(dc);
}

void TWinControl::PaintWindow(HDC dc) {
  if (!IsSystemWindow()) return;
  TMessage paint{WM_PAINT, reinterpret_cast<WPARAM>(dc), 0, 0};
  DefaultHandler(paint);
}

void TWinControl::PaintHandler(TWMPaint& message) {
  HDC dc = message.DC();
  PAINTSTRUCT paint{};
  const bool ownPaint = dc == nullptr;
  if (ownPaint) dc = BeginPaint(handle_, &paint);
  struct TEndPaint {
    HWND window;
    PAINTSTRUCT* paint;
    ~TEndPaint() {
      if (paint) EndPaint(window, paint);
    }
  } endPaint{handle_, ownPaint ? &paint : nullptr};

  if (doubleBuffered_ && ownPaint) {
    // Compose everything off screen, then copy once.
    const TRect client = ClientRect();
    gdi::MemoryDC memory(dc);
    gdi::OwnedBitmap bitmap(CreateCompatibleBitmap(dc, std::max(client.Width(), 1), std::max(client.Height(), 1)));
    gdi::Selection selected(memory.Get(), bitmap.Get());
    {
      const auto buffering = TemporarilySet(paintingBuffered_, true);
      Perform(WM_ERASEBKGND, reinterpret_cast<WPARAM>(memory.Get()));
    }
    {
      gdi::SavedDC saved(memory.Get());
      ExcludeOpaqueChildren(memory.Get());
      PaintWindow(memory.Get());
    }
    PaintControls(memory.Get());
    BitBlt(dc, 0, 0, client.Width(), client.Height(), memory.Get(), 0, 0, SRCCOPY);
  } else {
    {
      gdi::SavedDC saved(dc);
      ExcludeOpaqueChildren(dc);
      PaintWindow(dc);
    }
    PaintControls(dc);
  }
  message.Message.Result = 0;
}

void TWinControl::PaintControls(HDC dc) {
  const std::vector<TControl*> children = controls_;
  for (TControl* child : children) {
    if (!IsDesignVisible(child)) continue;
    const RECT bounds{child->Left(), child->Top(), child->Left() + child->Width(), child->Top() + child->Height()};
    if (!RectVisible(dc, &bounds)) continue;
    gdi::SavedDC saved(dc);
    IntersectClipRect(dc, bounds.left, bounds.top, bounds.right, bounds.bottom);
    OffsetViewportOrgEx(dc, bounds.left, bounds.top, nullptr);
    child->Perform(WM_PAINT, reinterpret_cast<WPARAM>(dc));
  }
}

void TWinControl::ExcludeOpaqueChildren(HDC dc) {
  for (TControl* child : controls_)
    if (child->Visible() && child->ControlStyle().Contains(csOpaque))
      ExcludeClipRect(dc, child->Left(), child->Top(), child->Left() + child->Width(), child->Top() + child->Height());
}

void TWinControl::SetWindowStyleBit(DWORD bit, bool on) {
  if (!handle_) return;
  LONG_PTR style = GetWindowLongPtrW(handle_, GWL_STYLE);
  style = on ? (style | bit) : (style & ~static_cast<LONG_PTR>(bit));
  SetWindowLongPtrW(handle_, GWL_STYLE, style);
}

// ---------------------------------------------------------------------------------------------
// TControl overrides

void TWinControl::SetBounds(int left, int top, int width, int height) {
  Constraints()->Apply(width, height);
  if (left == Left() && top == Top() && width == Width() && height == Height()) return;
  if (handle_ && !IsIconic(handle_)) {
    // WM_WINDOWPOSCHANGED and WM_SIZE bring the new bounds, the alignment and Resize.
    SetWindowPos(handle_, nullptr, left, top, width, height, SWP_NOZORDER | SWP_NOACTIVATE);
    UpdateBoundsFromWindow();
    return;
  }
  const bool resized = width != Width() || height != Height();
  left_ = left;
  top_ = top;
  width_ = width;
  height_ = height;
  if (resized) {
    Realign();
    if (!ComponentState().Contains(csLoading)) Resize();
  }
  if (parent_) parent_->Realign();
}

void TWinControl::UpdateBoundsFromWindow() {
  if (!handle_ || IsIconic(handle_)) return;
  RECT rect;
  if (!GetWindowRect(handle_, &rect)) return;
  if (GetWindowLongPtrW(handle_, GWL_STYLE) & WS_CHILD)
    MapWindowPoints(HWND_DESKTOP, GetParent(handle_), reinterpret_cast<POINT*>(&rect), 2);
  const TRect now = Rect(rect.left, rect.top, rect.right, rect.bottom);
  if (now == BoundsRect()) return;
  left_ = now.Left;
  top_ = now.Top;
  width_ = now.Width();
  height_ = now.Height();
  if (parent_) parent_->Realign();
}

TRect TWinControl::ClientRect() {
  if (!handle_) return TControl::ClientRect();
  RECT rect{};
  GetClientRect(handle_, &rect);
  return Rect(rect.left, rect.top, rect.right, rect.bottom);
}

TPoint TWinControl::ClientOrigin() {
  if (!handle_) return TControl::ClientOrigin();
  POINT origin{0, 0};
  ::ClientToScreen(handle_, &origin);
  return {origin.x, origin.y};
}

bool TWinControl::Showing() { return handle_ && IsWindowVisible(handle_); }

void TWinControl::Invalidate() {
  if (handle_) InvalidateRect(handle_, nullptr, !ControlStyle().Contains(csOpaque));
}

void TWinControl::Update() {
  if (handle_) UpdateWindow(handle_);
}

void TWinControl::Loaded() {
  TControl::Loaded();
  if (parent_ && parent_->handle_ && !handle_) {
    CreateHandle();
    SetWindowPos(handle_, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
  }
  Realign();
}

String TWinControl::ReadText() {
  if (!handle_) return text_;
  // Through this control's own procedure chain in UTF-16: no ANSI code page on the way.
  const auto length = Perform(WM_GETTEXTLENGTH);
  WideString buffer(static_cast<std::size_t>(std::max<LRESULT>(length, 0)) + 1, L'\0');
  const auto copied = Perform(WM_GETTEXT, buffer.size(), reinterpret_cast<LPARAM>(buffer.data()));
  buffer.resize(static_cast<std::size_t>(std::clamp<LRESULT>(copied, 0, length)));
  return WideToCP932(buffer);
}

void TWinControl::WriteText(const String& value) {
  if (ReadText() == value) return;
  text_ = value;
  if (handle_) {
    const WideString wide = CP932ToWide(value);
    Perform(WM_SETTEXT, 0, reinterpret_cast<LPARAM>(wide.c_str()));
  }
  Perform(CM_TEXTCHANGED);
}

HDC TWinControl::GetDeviceContext(HWND& window) {
  window = Handle();
  HDC dc = GetDC(window);
  if (!dc) throw EOutOfResources("Cannot get a device context");
  return dc;
}

// ---------------------------------------------------------------------------------------------
// Messages

void TWinControl::WndProc(TMessage& message) {
  if (message.Msg >= WM_MOUSEFIRST && message.Msg <= WM_MBUTTONDBLCLK) {
    if (message.Msg == WM_MOUSEMOVE) TrackMouseLeave();
    if (IsControlMouseMsg(message)) return;
  }
  TControl::WndProc(message);
}

bool TWinControl::IsControlMouseMsg(TMessage& message) {
  TWMMouse mouse(message);
  TControl* control = nullptr;
  if (handle_ && GetCapture() == handle_) {
    // While this window holds the mouse, only a windowless capture gets it.
    TControl* capture = GetCaptureControl();
    if (capture && capture != this && capture->Parent() == this) control = capture;
  } else {
    control = ControlAtPos(mouse.Pos(), false);
  }
  if (!control) return false;
  TMessage routed = message;
  TWMMouse(routed).SetPos({mouse.XPos() - control->Left(), mouse.YPos() - control->Top()});
  control->Perform(routed);
  message.Result = routed.Result;
  return true;
}

void TWinControl::Dispatch(TMessage& message) {
  switch (message.Msg) {
    case WM_PAINT: { TWMPaint m(message); WMPaint(m); return; }
    case WM_ERASEBKGND: { TWMPaint m(message); WMEraseBkgnd(m); return; }
    case WM_SIZE: { TWMSize m(message); WMSize(m); return; }
    case WM_WINDOWPOSCHANGED: WMWindowPosChanged(message); return;
    case WM_SETCURSOR: { TWMSetCursor m(message); WMSetCursor(m); return; }
    case WM_NCHITTEST: { TWMScreenPoint m(message); WMNCHitTest(m); return; }
    case WM_KEYDOWN:
    case WM_SYSKEYDOWN: { TWMKey m(message); WMKeyDown(m); return; }
    case WM_KEYUP:
    case WM_SYSKEYUP: { TWMKey m(message); WMKeyUp(m); return; }
    case WM_CHAR: { TWMKey m(message); WMChar(m); return; }
    case WM_SETFOCUS: WMSetFocus(message); return;
    case WM_KILLFOCUS: WMKillFocus(message); return;
    case WM_DESTROY: WMDestroy(message); return;
    case WM_CAPTURECHANGED: WMCaptureChanged(message); return;
    case WM_MOUSELEAVE: WMMouseLeave(message); return;
    case WM_SYSCOLORCHANGE:
      Perform(CM_SYSCOLORCHANGE);
      DefaultHandler(message);
      return;
    case WM_COMMAND:
    case WM_NOTIFY:
    case WM_DRAWITEM:
    case WM_HSCROLL:
    case WM_VSCROLL:
    case WM_CTLCOLOREDIT:
    case WM_CTLCOLORLISTBOX:
    case WM_CTLCOLORSTATIC:
    case WM_CTLCOLORBTN:
      if (ReflectToChild(message)) return;
      DefaultHandler(message);
      return;
    case CN_CTLCOLOREDIT:
    case CN_CTLCOLORLISTBOX:
    case CN_CTLCOLORSTATIC:
    case CN_CTLCOLORBTN:
      CNCtlColor(message);
      return;
    default: TControl::Dispatch(message);
  }
}

void TWinControl::DefaultHandler(TMessage& message) {
  if (!handle_ || !defWndProc_ || IsFrameworkMessage(message.Msg)) {
    TControl::DefaultHandler(message);
    return;
  }
  message.Result = CallWindowProcW(defWndProc_, handle_, message.Msg, message.WParam, message.LParam);
}

bool TWinControl::ReflectToChild(TMessage& message) {
  HWND child;
  switch (message.Msg) {
    case WM_NOTIFY: child = reinterpret_cast<NMHDR*>(message.LParam)->hwndFrom; break;
    case WM_DRAWITEM: child = reinterpret_cast<DRAWITEMSTRUCT*>(message.LParam)->hwndItem; break;
    default: child = reinterpret_cast<HWND>(message.LParam); break;
  }
  TWinControl* control = child ? FindControl(child) : nullptr;
  if (!control || control == this) return false;
  message.Result = control->Perform(CN_BASE + message.Msg, message.WParam, message.LParam);
  return true;
}

// ---------------------------------------------------------------------------------------------
// Handlers

void TWinControl::WMPaint(TWMPaint& message) {
  if (IsSystemWindow() && controls_.empty()) {
    DefaultHandler(message.Message);
    return;
  }
  PaintHandler(message);
}

void TWinControl::WMEraseBkgnd(TWMPaint& message) {
  if (IsSystemWindow()) {
    DefaultHandler(message.Message);
    return;
  }
  message.Message.Result = 1;
  if (ControlStyle().Contains(csOpaque) || (doubleBuffered_ && !paintingBuffered_) || !message.DC()) return;
  gdi::SavedDC saved(message.DC());
  ExcludeOpaqueChildren(message.DC());
  const TRect client = ClientRect();
  const RECT rect{client.Left, client.Top, client.Right, client.Bottom};
  FillRect(message.DC(), &rect, brush_->Handle());
}

void TWinControl::WMSize(TWMSize& message) {
  DefaultHandler(message.Message);
  if (message.SizeType() == SIZE_MINIMIZED) return;
  UpdateBoundsFromWindow();
  Realign();
  if (!ComponentState().Contains(csLoading)) Resize();
}

void TWinControl::WMWindowPosChanged(TMessage& message) {
  UpdateBoundsFromWindow();
  DefaultHandler(message);
}

void TWinControl::WMSetCursor(TWMSetCursor& message) {
  if (message.CursorWnd() == handle_ && message.HitTest() == HTCLIENT) {
    POINT cursor;
    GetCursorPos(&cursor);
    TCursor shape = crDefault;
    if (TControl* child = ControlAtPos(ScreenToClient({cursor.x, cursor.y}), false)) shape = child->Cursor();
    if (shape == crDefault) shape = Cursor();
    if (shape != crDefault) {
      ::SetCursor(CursorHandle(shape));
      message.Message.Result = 1;
      return;
    }
  }
  DefaultHandler(message.Message);
}

void TWinControl::WMNCHitTest(TWMScreenPoint& message) {
  if (ComponentState().Contains(csDesigning) && parent_) {
    message.Message.Result = HTCLIENT;
    return;
  }
  DefaultHandler(message.Message);
}

void TWinControl::WMKeyDown(TWMKey& message) {
  if (!DoKeyDown(message)) DefaultHandler(message.Message);
}

void TWinControl::WMKeyUp(TWMKey& message) {
  if (!DoKeyUp(message)) DefaultHandler(message.Message);
}

void TWinControl::WMChar(TWMKey& message) {
  if (!DoKeyPress(message)) DefaultHandler(message.Message);
}

void TWinControl::WMSetFocus(TMessage& message) {
  DefaultHandler(message);
  TCustomForm* form = GetParentForm(this);
  if (form && form != this) form->ControlFocused(this);
  DoEnter();
}

void TWinControl::WMKillFocus(TMessage& message) {
  DefaultHandler(message);
  DoExit();
}

void TWinControl::WMDestroy(TMessage& message) { DefaultHandler(message); }

void TWinControl::WMCaptureChanged(TMessage& message) {
  if (reinterpret_cast<HWND>(message.LParam) != handle_) WindowLostCapture(this);
  DefaultHandler(message);
}

void TWinControl::WMMouseLeave(TMessage& message) {
  trackingLeave_ = false;
  // A leave that was asked for before the pointer's move reached the system may come late.
  POINT cursor;
  const bool stillInside = GetCursorPos(&cursor) && WindowFromPoint(cursor) == handle_;
  if (stillInside) TrackMouseLeave();
  else if (Application) Application->MouseLeftWindow(this);
  DefaultHandler(message);
}

void TWinControl::TrackMouseLeave() {
  if (!handle_ || trackingLeave_) return;
  TRACKMOUSEEVENT track{sizeof(track), TME_LEAVE, handle_, 0};
  trackingLeave_ = TrackMouseEvent(&track) != FALSE;
}

void TWinControl::CNCtlColor(TMessage& message) {
  HDC dc = reinterpret_cast<HDC>(message.WParam);
  SetTextColor(dc, ColorToColorRef(Font()->Color()));
  SetBkColor(dc, ColorToColorRef(Color()));
  message.Result = reinterpret_cast<LRESULT>(brush_->Handle());
}

void TWinControl::CMEnabledChanged(TMessage& message) {
  if (handle_) EnableWindow(handle_, Enabled());
  TControl::CMEnabledChanged(message);
}

void TWinControl::CMVisibleChanged(TMessage&) {
  if (!handle_) return;
  SetWindowPos(handle_, nullptr, 0, 0, 0, 0,
               SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE |
                   (Visible() ? SWP_SHOWWINDOW : SWP_HIDEWINDOW));
}

void TWinControl::CMFontChanged(TMessage& message) {
  if (handle_ && IsSystemWindow()) {
    windowFont_ = Font()->SharedHandle();
    Perform(WM_SETFONT, reinterpret_cast<WPARAM>(windowFont_->Get()), TRUE);
  }
  NotifyControls(CM_PARENTFONTCHANGED);
  TControl::CMFontChanged(message);
}

void TWinControl::CMColorChanged(TMessage& message) {
  brush_->SetColor(Color());
  NotifyControls(CM_PARENTCOLORCHANGED);
  TControl::CMColorChanged(message);
}

void TWinControl::CMShowHintChanged(TMessage&) { NotifyControls(CM_PARENTSHOWHINTCHANGED); }

void TWinControl::CMDialogChar(TWMKey& message) { Broadcast(message.Message); }

void TWinControl::CMSysColorChange(TMessage&) {
  // A brush of a system colour holds the colour it had when it was made.
  brush_ = std::make_unique<TBrush>();
  brush_->SetColor(Color());
  NotifyControls(CM_SYSCOLORCHANGE);
  Invalidate();
}

// ---------------------------------------------------------------------------------------------
// Lookups

TWinControl* FindControl(HWND window) {
  const auto found = WindowControls().find(window);
  return found == WindowControls().end() ? nullptr : found->second;
}

TControl* FindDragTarget(const TPoint& screenPos, bool allowDisabled) {
  TWinControl* window = FindControl(WindowFromPoint(POINT{screenPos.X, screenPos.Y}));
  if (!window) return nullptr;
  TControl* child = window->ControlAtPos(window->ScreenToClient(screenPos), allowDisabled);
  return child ? child : window;
}
