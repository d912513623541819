// Forms: stored layouts, window frames, showing, closing, modal loops and activation.
//
// Sections: type data · scroll bar settings · construction · stored layout · frame · showing
// and closing · focus · painting and messages · streaming · TForm · helpers.
#include "framework/windows/Forms.h"

#include <algorithm>

#include "framework/core/Filer.h"
#include "framework/core/ScopeGuard.h"
#include "framework/graphics/Color.h"
#include "framework/windows/Application.h"
#include "streaming/ComponentReader.h"
#include "streaming/GlobalRoots.h"
#include "streaming/ValueReader.h"

// ---------------------------------------------------------------------------------------------
// Type data

const TTypeInfo& TypeInfoOf(TypeTag<TBorderIcon>) {
  static const TTypeInfo info = MakeEnumType("TBorderIcon", {"biSystemMenu", "biMinimize", "biMaximize", "biHelp"});
  return info;
}

const TTypeInfo& TypeInfoOf(TypeTag<TFormStyle>) {
  static const TTypeInfo info = MakeEnumType("TFormStyle", {"fsNormal", "fsMDIChild", "fsMDIForm", "fsStayOnTop"});
  return info;
}

const TTypeInfo& TypeInfoOf(TypeTag<TPosition>) {
  static const TTypeInfo info =
      MakeEnumType("TPosition", {"poDesigned", "poDefault", "poDefaultPosOnly", "poDefaultSizeOnly", "poScreenCenter",
                                 "poDesktopCenter", "poMainFormCenter", "poOwnerFormCenter"});
  return info;
}

const TTypeInfo& TypeInfoOf(TypeTag<TCloseAction>) {
  static const TTypeInfo info = MakeEnumType("TCloseAction", {"caNone", "caHide", "caFree", "caMinimize"});
  return info;
}

// ---------------------------------------------------------------------------------------------
// Scroll bar settings

void TControlScrollBar::Publish(TPublisher<TControlScrollBar>& p) {
  p.Prop("Visible", &TControlScrollBar::Visible, &TControlScrollBar::SetVisible).Default(true);
}

void TControlScrollBar::Assign(TPersistent* source) {
  if (auto* other = dynamic_cast<TControlScrollBar*>(source)) {
    visible_ = other->visible_;
    return;
  }
  TPersistent::Assign(source);
}

// ---------------------------------------------------------------------------------------------
// Construction

TCustomForm::TCustomForm(TComponent* owner)
    : TWinControl(owner),
      menu_([this] { MenuChanged(); }),
      canvas_(std::make_unique<TControlCanvas>(this)),
      horzScrollBar_(std::make_unique<TControlScrollBar>(this)),
      vertScrollBar_(std::make_unique<TControlScrollBar>(this)) {
  SetControlStyle({csAcceptsControls, csCaptureMouse, csClickEvents, csSetCaption, csDoubleClicks});
  SetVisible(false);
  SetColor(clBtnFace);
  SetParentFont(false);
  SetBounds(0, 0, 320, 240);
  RegisterGlobalRoot(this);
}

TCustomForm::~TCustomForm() {
  try {
    OnDestroy(this);
  } catch (...) {
    if (Application) Application->HandleException(this);
  }
  UnregisterGlobalRoot(this);
  BeforeDestruction();
  canvas_->FreeHandle();
}

// ---------------------------------------------------------------------------------------------
// Stored layout

namespace {

void LoadLayoutResource(const String& name, TMemoryStream& stream) {
  HMODULE module = GetModuleHandleW(nullptr);
  HRSRC resource = FindResourceW(module, CP932ToWide(name).c_str(), RT_RCDATA);
  HGLOBAL loaded = resource ? LoadResource(module, resource) : nullptr;
  const void* data = loaded ? LockResource(loaded) : nullptr;
  if (!data) throw EResNotFound(Format("Resource %s not found", name));
  stream.WriteBuffer(data, SizeofResource(module, resource));
  stream.SetPosition(0);
}

// The root's name in a stored layout, without moving the stream; empty when it cannot be read
// (the reader then reports the fault).
String StoredRootName(TStream& stream) {
  const std::int64_t start = stream.Position();
  std::vector<std::uint8_t> head(static_cast<std::size_t>(std::clamp<std::int64_t>(stream.Size() - start, 0, 1024)));
  const std::int64_t got = stream.Read(head.data(), static_cast<std::int64_t>(head.size()));
  stream.SetPosition(start);
  try {
    TValueReader values(head.data(), static_cast<std::size_t>(got));
    values.ReadSignature();
    std::uint8_t flags;
    int childPos;
    values.ReadPrefix(flags, childPos);
    values.ReadShortString();  // the class name
    return values.ReadShortString();
  } catch (const EReadError&) {
    return {};
  }
}

}  // namespace

void TCustomForm::ReadLayout(TStream* layout) {
  TMemoryStream resource;
  if (!layout) {
    LoadLayoutResource(UpperCase(ClassName()), resource);
    layout = &resource;
  }
  // A second form of the same class gets a free name of its own instead of a name clash.
  const String stored = StoredRootName(*layout);
  if (Name().empty() && Owner() && !stored.empty() && Owner()->FindComponent(stored)) {
    int n = 1;
    while (Owner()->FindComponent(stored + "_" + IntToStr(n))) ++n;
    SetName(stored + "_" + IntToStr(n));
  }
  TComponentReader reader(*layout);
  reader.ReadRootComponent(this);
  for (TFormField& field : fields_) field.Set(FindComponent(field.Name));
  OnCreate(this);
}

// ---------------------------------------------------------------------------------------------
// Frame

void TCustomForm::FrameStyles(DWORD& style, DWORD& exStyle) const {
  style = WS_CLIPCHILDREN;
  exStyle = 0;
  bool caption = true;
  switch (borderStyle_) {
    case bsNone: style |= WS_POPUP; caption = false; break;
    case bsSingle: style |= WS_CAPTION; break;
    case bsSizeable: style |= WS_CAPTION | WS_THICKFRAME; break;
    case bsDialog: style |= WS_POPUP | WS_CAPTION; exStyle |= WS_EX_DLGMODALFRAME | WS_EX_WINDOWEDGE; break;
    case bsToolWindow: style |= WS_CAPTION; exStyle |= WS_EX_TOOLWINDOW; break;
    case bsSizeToolWin: style |= WS_CAPTION | WS_THICKFRAME; exStyle |= WS_EX_TOOLWINDOW; break;
  }
  if (caption && borderIcons_.Contains(biSystemMenu)) {
    style |= WS_SYSMENU;
    const bool boxes = borderStyle_ == bsSingle || borderStyle_ == bsSizeable;
    if (boxes && borderIcons_.Contains(biMinimize)) style |= WS_MINIMIZEBOX;
    if (boxes && borderIcons_.Contains(biMaximize)) style |= WS_MAXIMIZEBOX;
    if (borderIcons_.Contains(biHelp) && !(style & (WS_MINIMIZEBOX | WS_MAXIMIZEBOX))) exStyle |= WS_EX_CONTEXTHELP;
  }
  if (formStyle_ == fsStayOnTop) exStyle |= WS_EX_TOPMOST;
}

void TCustomForm::CreateParams(TCreateParams& params) {
  TWinControl::CreateParams(params);
  if (Parent()) return;  // a form placed inside another control is an ordinary child window
  FrameStyles(params.Style, params.ExStyle);
  if (Visible()) params.Style |= WS_VISIBLE;
  if (!Enabled()) params.Style |= WS_DISABLED;
  params.ClassIcon = Application ? Application->Icon() : nullptr;
}

void TCustomForm::CreateWnd() {
  TWinControl::CreateWnd();
  MenuChanged();
  if (!Application) return;
  if (HICON icon = Application->Icon()) SendMessageW(Handle(), WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(icon));
  if (HICON icon = Application->SmallIcon())
    SendMessageW(Handle(), WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(icon));
}

void TCustomForm::SetMenu(TCustomMainMenu* value) {
  menu_.Set(value);
  MenuChanged();
}

void TCustomForm::MenuChanged() {
  if (!HandleAllocated() || Parent()) return;
  HWND window = Handle();
  HMENU old = GetMenu(window);
  ::SetMenu(window, menu_ ? menu_->CreateMenuBar() : nullptr);
  if (old) DestroyMenu(old);
}

void TCustomForm::ApplyFrame() {
  if (!HandleAllocated() || Parent()) return;
  DWORD style, exStyle;
  FrameStyles(style, exStyle);
  HWND window = Handle();
  const LONG_PTR kept = GetWindowLongPtrW(window, GWL_STYLE) & (WS_VISIBLE | WS_DISABLED | WS_MINIMIZE | WS_MAXIMIZE);
  SetWindowLongPtrW(window, GWL_STYLE, static_cast<LONG_PTR>(style) | kept);
  SetWindowLongPtrW(window, GWL_EXSTYLE, static_cast<LONG_PTR>(exStyle & ~WS_EX_TOPMOST));
  SetWindowPos(window, formStyle_ == fsStayOnTop ? HWND_TOPMOST : HWND_NOTOPMOST, 0, 0, 0, 0,
               SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE | SWP_FRAMECHANGED);
}

void TCustomForm::SetBorderStyle(TFormBorderStyle value) {
  if (borderStyle_ == value) return;
  borderStyle_ = value;
  ApplyFrame();
}

void TCustomForm::SetBorderIcons(TBorderIcons value) {
  if (borderIcons_ == value) return;
  borderIcons_ = value;
  ApplyFrame();
}

void TCustomForm::SetFormStyle(TFormStyle value) {
  if (formStyle_ == value) return;
  formStyle_ = value;
  ApplyFrame();
}

TRect TCustomForm::ClientRect() {
  if (HandleAllocated() || Parent()) return TWinControl::ClientRect();
  // No window yet: the frame the window will have.
  DWORD style, exStyle;
  FrameStyles(style, exStyle);
  RECT frame{0, 0, 0, 0};
  AdjustWindowRectEx(&frame, style, FALSE, exStyle);
  return Rect(0, 0, Width() - (frame.right - frame.left), Height() - (frame.bottom - frame.top));
}

// ---------------------------------------------------------------------------------------------
// Showing and closing

void TCustomForm::PlaceForShowing() {
  if (placed_ || Parent() || ComponentState().Contains(csDesigning)) return;
  placed_ = true;
  int left = Left();
  int top = Top();
  switch (position_) {
    case poScreenCenter:
      left = (GetSystemMetrics(SM_CXSCREEN) - Width()) / 2;
      top = (GetSystemMetrics(SM_CYSCREEN) - Height()) / 2;
      break;
    case poDesktopCenter:
      left = GetSystemMetrics(SM_XVIRTUALSCREEN) + (GetSystemMetrics(SM_CXVIRTUALSCREEN) - Width()) / 2;
      top = GetSystemMetrics(SM_YVIRTUALSCREEN) + (GetSystemMetrics(SM_CYVIRTUALSCREEN) - Height()) / 2;
      break;
    case poMainFormCenter:
    case poOwnerFormCenter: {
      TCustomForm* main = Application ? Application->MainForm() : nullptr;
      if (main && main != this) {
        left = main->Left() + (main->Width() - Width()) / 2;
        top = main->Top() + (main->Height() - Height()) / 2;
      } else {
        left = (GetSystemMetrics(SM_CXSCREEN) - Width()) / 2;
        top = (GetSystemMetrics(SM_CYSCREEN) - Height()) / 2;
      }
      break;
    }
    default: return;
  }
  SetBounds(std::max(left, 0), std::max(top, 0), Width(), Height());
}

void TCustomForm::CMVisibleChanged(TMessage& message) {
  if (Parent()) {
    TWinControl::CMVisibleChanged(message);
    return;
  }
  if (Visible()) {
    PlaceForShowing();
    OnShow(this);
    if (showingInactive_) {
      SetWindowPos(Handle(), HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE | SWP_SHOWWINDOW);
      return;
    }
    ShowWindow(Handle(), SW_SHOW);
    if (activeControl_ && activeControl_->CanFocus()) activeControl_->SetFocus();
  } else {
    OnHide(this);
    if (HandleAllocated()) ShowWindow(Handle(), SW_HIDE);
  }
}

void TCustomForm::Show() {
  SetVisible(true);
  if (!Parent()) BringWindowToTop(Handle());
}

void TCustomForm::ShowInactive() {
  if (Parent()) return SetVisible(true);
  Handle();  // made while hidden: a window made visible is activated
  const auto inactive = TemporarilySet(showingInactive_, true);
  if (Visible()) SetWindowPos(Handle(), HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
  else SetVisible(true);
}

bool TCustomForm::CloseQuery() {
  bool canClose = true;
  OnCloseQuery(this, canClose);
  return canClose;
}

void TCustomForm::DoClose(TCloseAction& action) { OnClose(this, action); }

void TCustomForm::Close() {
  if (modal_) {
    modalResult_ = mrCancel;
    return;
  }
  if (!CloseQuery()) return;
  TCloseAction action = caHide;
  DoClose(action);
  switch (action) {
    case caNone: return;
    case caHide:
      if (Application && Application->MainForm() == this) Application->Terminate();
      else Hide();
      return;
    case caMinimize: ShowWindow(Handle(), SW_MINIMIZE); return;
    case caFree:
      if (Application && Application->MainForm() == this) Application->Terminate();
      else Release();
      return;
  }
}

namespace {

struct TThreadWindows {
  HWND Except;
  std::vector<HWND> Disabled;
};

BOOL CALLBACK DisableOtherWindow(HWND window, LPARAM data) {
  auto* windows = reinterpret_cast<TThreadWindows*>(data);
  if (window == windows->Except || !IsWindowVisible(window) || !IsWindowEnabled(window)) return TRUE;
  try {
    windows->Disabled.push_back(window);
  } catch (...) {
    return FALSE;  // out of memory: leave the rest enabled rather than unwind through Windows
  }
  EnableWindow(window, FALSE);
  return TRUE;
}

}  // namespace

TModalResult TCustomForm::ShowModal() {
  if (Visible() || modal_) throw EInvalidOperation("Cannot make a visible window modal");
  TThreadWindows windows{Handle(), {}};
  const HWND previous = GetActiveWindow();
  EnumThreadWindows(GetCurrentThreadId(), DisableOtherWindow, reinterpret_cast<LPARAM>(&windows));
  struct TRestore {
    TCustomForm& form;
    TThreadWindows& windows;
    HWND previous;
    ~TRestore() {
      form.modal_ = false;
      for (HWND window : windows.Disabled) EnableWindow(window, TRUE);
      if (previous && IsWindow(previous)) SetActiveWindow(previous);
    }
  } restore{*this, windows, previous};

  modal_ = true;
  modalResult_ = mrNone;
  Show();
  while (modalResult_ == mrNone) {
    Application->HandleMessage();
    const bool ending = Application->Terminated();
    if (ending) modalResult_ = mrCancel;
    if (modalResult_ == mrNone || ending) continue;
    // A result asks to close; OnCloseQuery and OnClose may still keep the form up.
    TCloseAction action = caHide;
    if (CloseQuery()) DoClose(action);
    else action = caNone;
    if (action == caNone) modalResult_ = mrNone;
  }
  Hide();
  return modalResult_;
}

void TCustomForm::Release() { PostMessageW(Handle(), CM_RELEASE, 0, 0); }

// ---------------------------------------------------------------------------------------------
// Focus

void TCustomForm::SetActiveControl(TWinControl* control) {
  ControlFocused(control);
  if (control && !ComponentState().Contains(csLoading) && Showing() && control->CanFocus()) control->SetFocus();
}

void TCustomForm::ControlFocused(TWinControl* control) {
  activeControl_.Set(control);
}

// ---------------------------------------------------------------------------------------------
// Painting and messages

void TCustomForm::PaintWindow(HDC dc) {
  TControlCanvas::TPaintScope scope(*canvas_, dc);
  Paint();
}

void TCustomForm::Paint() { OnPaint(this); }

void TCustomForm::Activate() { OnActivate(this); }

void TCustomForm::Deactivate() { OnDeactivate(this); }

void TCustomForm::Dispatch(TMessage& message) {
  switch (message.Msg) {
    case WM_CLOSE:
      Close();
      return;
    case WM_ACTIVATE:
      DefaultHandler(message);
      if (LOWORD(message.WParam) == WA_INACTIVE) {
        Deactivate();
      } else {
        // Back to the control that had the focus (unless the form is minimised).
        if (!HIWORD(message.WParam) && activeControl_ && activeControl_->CanFocus())
          ::SetFocus(activeControl_->Handle());
        Activate();
      }
      return;
    case CM_RELEASE:
      delete this;
      return;
    case WM_COMMAND:
      // A menu bar's command: no control, notification code 0.
      if (!message.LParam && !HIWORD(message.WParam) && menu_ && menu_->DispatchCommand(LOWORD(message.WParam))) return;
      TWinControl::Dispatch(message);
      return;
    case WM_INITMENUPOPUP:
      if (menu_) menu_->UpdatePopup(reinterpret_cast<HMENU>(message.WParam));
      DefaultHandler(message);
      return;
    case CM_DIALOGKEY:
      if (message.WParam == VK_ESCAPE && modal_) {
        modalResult_ = mrCancel;
        message.Result = 1;
        return;
      }
      TWinControl::Dispatch(message);
      return;
    default:
      TWinControl::Dispatch(message);
  }
}

// ---------------------------------------------------------------------------------------------
// Streaming

void TCustomForm::GetChildren(const std::function<void(TComponent*)>& proc, TComponent* root) {
  TWinControl::GetChildren(proc, root);
  if (root != this) return;
  // The form's non-visual components follow its controls.
  for (int i = 0; i < ComponentCount(); ++i) {
    TComponent* component = Components(i);
    if (!component->HasParent()) proc(component);
  }
}

void TCustomForm::DefineProperties(TFiler& filer) {
  TWinControl::DefineProperties(filer);
  filer.DefineProperty(
      "PixelsPerInch", [this](TReader& reader) { pixelsPerInch_ = reader.ReadInteger(); },
      [this](TWriter& writer) { writer.WriteInteger(pixelsPerInch_); }, true);
  filer.DefineProperty(
      "TextHeight", [this](TReader& reader) { textHeight_ = reader.ReadInteger(); },
      [this](TWriter& writer) { writer.WriteInteger(textHeight_); }, textHeight_ != 0);
}

void TCustomForm::OwnedComponentRenamed(TComponent* component) {
  for (TFormField& field : fields_) {
    if (field.Get() == component) field.Set(nullptr);
    if (!component->Name().empty() && SameText(field.Name, component->Name()) && field.Accepts(component))
      field.Set(component);
  }
}

void TCustomForm::Notification(TComponent* component, TOperation operation) {
  TWinControl::Notification(component, operation);
  if (!component) return;
  if (operation == opInsert) {
    if (component->Owner() == this && !component->Name().empty()) OwnedComponentRenamed(component);
    return;
  }
  for (TFormField& field : fields_)
    if (field.Get() == component) field.Set(nullptr);
}

// ---------------------------------------------------------------------------------------------
// TForm

void TForm::Publish(TPublisher<TForm>& p) {
  p.Republish("Width").Stored(false);
  p.Republish("Height").Stored(false);
  p.Prop("HorzScrollBar", &TForm::HorzScrollBar, &TForm::SetHorzScrollBar);
  p.Prop("VertScrollBar", &TForm::VertScrollBar, &TForm::SetVertScrollBar);
  p.Prop("ActiveControl", &TForm::ActiveControl, &TForm::SetActiveControl);
  p.Prop("BorderIcons", &TForm::BorderIcons, &TForm::SetBorderIcons)
      .Default(TBorderIcons{biSystemMenu, biMinimize, biMaximize});
  p.Prop("BorderStyle", &TForm::BorderStyle, &TForm::SetBorderStyle).Default(bsSizeable);
  p.Prop("Caption", &TForm::Caption, &TForm::SetCaption);
  p.Prop("ClientHeight", &TForm::ClientHeight, &TForm::SetClientHeight);
  p.Prop("ClientWidth", &TForm::ClientWidth, &TForm::SetClientWidth);
  p.Prop("Color", &TForm::Color, &TForm::SetColor)
      .Type(ColorTypeInfo())
      .Default(clBtnFace)
      .Stored(&TForm::IsColorStored);
  p.Prop("Constraints", &TForm::Constraints, &TForm::SetConstraints);
  p.Prop("Enabled", &TForm::Enabled, &TForm::SetEnabled).Default(true);
  p.Prop("ParentFont", &TForm::ParentFont, &TForm::SetParentFont).Default(false);
  p.Prop("Font", &TForm::Font, &TForm::SetFont).Stored(&TForm::IsFontStored);
  p.Prop("FormStyle", &TForm::FormStyle, &TForm::SetFormStyle).Default(fsNormal);
  p.Prop("Menu", &TForm::Menu, &TForm::SetMenu);
  p.Prop("OldCreateOrder", &TForm::OldCreateOrder, &TForm::SetOldCreateOrder);
  p.Prop("PopupMenu", &TForm::PopupMenu, &TForm::SetPopupMenu);
  p.Prop("Position", &TForm::Position, &TForm::SetPosition).Default(poDesigned);
  p.Prop("Scaled", &TForm::Scaled, &TForm::SetScaled).Default(true);
  p.Prop("ShowHint", &TForm::ShowHint, &TForm::SetShowHint).Stored(&TForm::IsShowHintStored);
  p.Prop("Visible", &TForm::Visible, &TForm::SetVisible).Default(false);
  p.Prop("OnActivate", &TForm::OnActivate);
  p.Prop("OnClick", &TForm::OnClick);
  p.Prop("OnClose", &TForm::OnClose);
  p.Prop("OnCloseQuery", &TForm::OnCloseQuery);
  p.Prop("OnCreate", &TForm::OnCreate);
  p.Prop("OnDblClick", &TForm::OnDblClick);
  p.Prop("OnDeactivate", &TForm::OnDeactivate);
  p.Prop("OnDestroy", &TForm::OnDestroy);
  p.Prop("OnHide", &TForm::OnHide);
  p.Prop("OnKeyDown", &TForm::OnKeyDown);
  p.Prop("OnKeyPress", &TForm::OnKeyPress);
  p.Prop("OnKeyUp", &TForm::OnKeyUp);
  p.Prop("OnMouseDown", &TForm::OnMouseDown);
  p.Prop("OnMouseMove", &TForm::OnMouseMove);
  p.Prop("OnMouseUp", &TForm::OnMouseUp);
  p.Prop("OnPaint", &TForm::OnPaint);
  p.Prop("OnResize", &TForm::OnResize);
  p.Prop("OnShow", &TForm::OnShow);
}

// ---------------------------------------------------------------------------------------------
// Helpers

TCustomForm* GetParentForm(TControl* control) {
  if (!control) return nullptr;
  while (control->Parent()) control = control->Parent();
  return dynamic_cast<TCustomForm*>(control);
}
