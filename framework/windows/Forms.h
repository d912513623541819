/// @file
/// Forms: top-level windows built from their stored layout. A form class reads the layout stored
/// under its class name in upper case (an RCDATA resource, or any stream) into itself; its
/// published fields then point at the components of the same names and its published methods
/// handle the events the layout binds to them.
///
///   class TPageForm : public TForm {
///     TAVELKO_CLASS(TPageForm, TForm)
///     static void Publish(TPublisher<TPageForm>& p);       // p.Method("Image1Click", &TPageForm::Image1Click)
///    public:
///     static void PublishFields(TFieldPublisher<TPageForm>& f);  // f.Field("Image1", &TPageForm::Image1)
///     explicit TPageForm(TComponent* owner) : TForm(owner) { InitializeForm(this); }
///     TImage* Image1 = nullptr;
///     void Image1Click(TObject* sender);
///   };
///
/// Sections: enumerations and events · scroll bar settings · published fields · TCustomForm ·
/// TForm · helpers.
#pragma once

#include <functional>
#include <memory>
#include <type_traits>
#include <vector>

#include "framework/core/Stream.h"
#include "framework/windows/ControlCanvas.h"
#include "framework/windows/WinControl.h"

class TReader;

// ---------------------------------------------------------------------------------------------
// Enumerations and events

/// A box in a form's title bar. biMinimize and biMaximize need biSystemMenu and a bsSingle or
/// bsSizeable border; biHelp shows only without them.
enum TBorderIcon : std::uint8_t { biSystemMenu, biMinimize, biMaximize, biHelp };
/// A form's title bar boxes (TCustomForm::BorderIcons).
using TBorderIcons = TSet<TBorderIcon>;
/// fsStayOnTop keeps the form above all windows that are not topmost themselves; fsMDIChild and
/// fsMDIForm are kept for the stream and act like fsNormal.
enum TFormStyle : std::uint8_t { fsNormal, fsMDIChild, fsMDIForm, fsStayOnTop };
/// Where a form goes when first shown. poScreenCenter: centred on the primary screen;
/// poDesktopCenter: on the whole virtual desktop; poMainFormCenter and poOwnerFormCenter: on the
/// application's main form (the screen for the main form itself); a centred form is kept right
/// of and below the screen's origin. The others keep the designed bounds.
enum TPosition : std::uint8_t {
  poDesigned, poDefault, poDefaultPosOnly, poDefaultSizeOnly, poScreenCenter, poDesktopCenter, poMainFormCenter,
  poOwnerFormCenter,
};
/// What closing a form does (chosen by OnClose): caNone keeps it, caHide hides it, caFree
/// destroys it once the waiting messages are handled, caMinimize minimises it. For the main
/// form, caHide and caFree end the application. A modal form is hidden by any action but caNone.
enum TCloseAction : std::uint8_t { caNone, caHide, caFree, caMinimize };

/// Type data of the enumerations above: the enumerators' names for the stream and the inspector.
///@{
const TTypeInfo& TypeInfoOf(TypeTag<TBorderIcon>);
const TTypeInfo& TypeInfoOf(TypeTag<TFormStyle>);
const TTypeInfo& TypeInfoOf(TypeTag<TPosition>);
const TTypeInfo& TypeInfoOf(TypeTag<TCloseAction>);
///@}

/// Sender, the action (caHide on entry; set it to choose another).
using TCloseEvent = TEvent<TObject*, TCloseAction&>;
/// Sender, whether the form may close (true on entry; set false to keep it open).
using TCloseQueryEvent = TEvent<TObject*, bool&>;

/// A stored layout that the program does not carry.
class EResNotFound : public Exception {
 public:
  /// The message names the resource.
  using Exception::Exception;
};

// ---------------------------------------------------------------------------------------------
// Scroll bar settings of a form (stored; forms do not scroll)

/// The stored settings of one of a form's scroll bars. Kept so that stored layouts read and write
/// them unchanged; forms do not scroll and show no scroll bars.
class TControlScrollBar : public TPersistent {
  TAVELKO_CLASS(TControlScrollBar, TPersistent)
  static void Publish(TPublisher<TControlScrollBar>& p);

 public:
  /// `owner` (not owned; may be null) is the owner the stream and the inspector see.
  explicit TControlScrollBar(TPersistent* owner = nullptr) : owner_(owner) {}
  void Assign(TPersistent* source) override;
  TPersistent* GetOwner() override { return owner_; }

  /// The stored Visible setting (default true); shows nothing.
  ///@{
  bool Visible() const { return visible_; }
  void SetVisible(bool value) { visible_ = value; }
  ///@}

 private:
  TPersistent* owner_;  ///< not owned
  bool visible_ = true;
};

// ---------------------------------------------------------------------------------------------
// Published fields: set to the components of the same name after the layout is read, and cleared
// when their component goes.

/// One published field of a form, as TFieldPublisher::Field records it. Part of TCustomForm's
/// implementation; not for use on its own.
struct TFormField {
  String Name;  ///< the component name the field takes (compared without case)
  std::function<void(TComponent*)> Set;  ///< EReadError when the component is of another class
  std::function<TComponent*()> Get;  ///< the field's value now
  std::function<bool(TComponent*)> Accepts;  ///< whether the field can hold the component
};

/// What a form class's static PublishFields receives: it names each field that should point at
/// the form's component of the same name (see the file documentation).
template <class Form>
class TFieldPublisher {
 public:
  /// Made by InitializeForm; a form class only calls Field.
  TFieldPublisher(Form& form, std::vector<TFormField>& fields) : form_(form), fields_(fields) {}

  /// Field("Shape4", &TPageForm::Shape4): a field of the form, or of a base it has (the fields
  /// layoutc generates).
  template <class T, class Holder>
    requires std::is_base_of_v<Holder, Form>
  void Field(const char* name, T* Holder::*member) {
    Form* form = &form_;
    const String fieldName = name;
    fields_.push_back({fieldName,
                       [form, member, fieldName](TComponent* component) {
                         T* typed = dynamic_cast<T*>(component);
                         if (component && !typed)
                           throw EReadError(Format("Field %s cannot hold the %s %s", fieldName,
                                                   component->ClassName(), component->Name()));
                         form->*member = typed;
                       },
                       [form, member]() -> TComponent* { return form->*member; },
                       [](TComponent* component) { return dynamic_cast<T*>(component) != nullptr; }});
  }

 private:
  Form& form_;
  std::vector<TFormField>& fields_;
};

// ---------------------------------------------------------------------------------------------
// TCustomForm

/// What a form needs of its menu bar: the menus unit's main menu derives from this.
class TCustomMainMenu : public TComponent {
  TAVELKO_CLASS(TCustomMainMenu, TComponent)

 public:
  /// A menu owned by `owner` (null: the caller deletes it).
  using TComponent::TComponent;
  /// A new menu bar of the visible items; the window it is given to owns it.
  virtual HMENU CreateMenuBar() = 0;
  /// Raises the chosen command's item; false when the command is none of this menu's.
  virtual bool DispatchCommand(UINT command) = 0;
  /// Brings the checks and enabled states of a submenu that is about to open up to date.
  virtual void UpdatePopup(HMENU popup) = 0;
};

/// A form: a top-level window (or, with a Parent, a child window) holding controls, with a frame,
/// a menu bar, showing and closing, modal use, and the focus of its active control. A form is
/// hidden when made. A form owns the components of its stored layout; its owner (usually the
/// application) destroys it, or Release and caFree do.
class TCustomForm : public TWinControl {
  TAVELKO_CLASS(TCustomForm, TWinControl)

 public:
  /// A blank form; form classes with a stored layout call InitializeForm in their constructor.
  explicit TCustomForm(TComponent* owner);
  ~TCustomForm() override;

  // ---- Window frame and placement ----
  /// The frame (default bsSizeable); a change applies to a window that exists. Ignored while the
  /// form has a Parent.
  ///@{
  TFormBorderStyle BorderStyle() const { return borderStyle_; }
  void SetBorderStyle(TFormBorderStyle value);
  ///@}
  /// The title bar's boxes (default system menu, minimise, maximise); applied like BorderStyle.
  ///@{
  TBorderIcons BorderIcons() const { return borderIcons_; }
  void SetBorderIcons(TBorderIcons value);
  ///@}
  /// fsStayOnTop or not (default fsNormal); applied like BorderStyle.
  ///@{
  TFormStyle FormStyle() const { return formStyle_; }
  void SetFormStyle(TFormStyle value);
  ///@}
  /// Where the form goes when it is first shown (default poDesigned); not in design state.
  ///@{
  TPosition Position() const { return position_; }
  void SetPosition(TPosition value) { position_ = value; }
  ///@}

  // ---- Showing and closing ----
  /// Shows the form and brings it to the front.
  void Show();
  /// Shows the form in front but leaves the activation, and so the keyboard, where it is: for a
  /// tool window that opens beside the window at work.
  void ShowInactive();
  /// OnCloseQuery, then OnClose decides: hide (the main form ends the application), free, or keep.
  void Close();
  /// Raises OnCloseQuery; whether the form may close.
  bool CloseQuery();
  /// Shows the form with the program's other windows disabled until ModalResult is set (or the
  /// form closes); returns ModalResult. A result other than mrNone closes the form unless
  /// OnCloseQuery or OnClose keeps it; Close, Escape and the end of the application give mrCancel.
  /// Raises EInvalidOperation when the form is already visible or modal.
  TModalResult ShowModal();
  /// The answer of a modal form; setting a value other than mrNone while ShowModal runs ends it.
  ///@{
  TModalResult ModalResult() const { return modalResult_; }
  void SetModalResult(TModalResult value) { modalResult_ = value; }
  ///@}
  /// Destroys the form once the messages now waiting have been handled.
  void Release();

  // ---- Focus ----
  /// The menu bar; null for none. The bar is built again when the menu is set and by MenuChanged
  /// (after items were added, removed, renamed, shown or hidden). Not owned; the bar goes when the
  /// menu is destroyed. No bar while the form has a Parent.
  ///@{
  TCustomMainMenu* Menu() const { return menu_; }
  void SetMenu(TCustomMainMenu* value);
  void MenuChanged();
  ///@}
  /// The control inside the form that has, or gets when the form is activated, the focus; null
  /// for none. Setting it focuses the control when the form shows and the control can take the
  /// focus. Not owned; null once the control is destroyed.
  ///@{
  TWinControl* ActiveControl() const { return activeControl_; }
  void SetActiveControl(TWinControl* control);
  ///@}
  /// A control inside the form received the focus.
  void ControlFocused(TWinControl* control);
  /// The form's OnKeyDown sees each key press before the focused control does; a key it sets to
  /// 0 goes no further. Not stored.
  ///@{
  bool KeyPreview() const { return keyPreview_; }
  void SetKeyPreview(bool value) { keyPreview_ = value; }
  ///@}

  // ---- Drawing: the canvas of the client area (OnPaint, or copying its pixels) ----
  /// The canvas of the client area: the paint DC inside Paint and OnPaint, a DC of the window
  /// otherwise. Owned by the form.
  TCanvas* Canvas() const { return canvas_.get(); }

  // ---- Stored settings ----
  /// The stored scroll bar settings; owned by the form, never null. Setting copies `value`.
  ///@{
  TControlScrollBar* HorzScrollBar() const { return horzScrollBar_.get(); }
  void SetHorzScrollBar(TControlScrollBar* value) { horzScrollBar_->Assign(value); }
  TControlScrollBar* VertScrollBar() const { return vertScrollBar_.get(); }
  void SetVertScrollBar(TControlScrollBar* value) { vertScrollBar_->Assign(value); }
  ///@}
  /// Stored and read back unchanged; the framework does not act on them (no scaling: a form
  /// shows at its stored pixel sizes).
  ///@{
  bool OldCreateOrder() const { return oldCreateOrder_; }
  void SetOldCreateOrder(bool value) { oldCreateOrder_ = value; }
  bool Scaled() const { return scaled_; }
  void SetScaled(bool value) { scaled_ = value; }
  int PixelsPerInch() const { return pixelsPerInch_; }
  void SetPixelsPerInch(int value) { pixelsPerInch_ = value; }
  int TextHeight() const { return textHeight_; }
  ///@}

  // ---- TWinControl ----
  /// Before the window exists: the client area the window's frame will leave.
  TRect ClientRect() override;
  /// With `root` the form itself: its controls, then its components that have no parent.
  void GetChildren(const std::function<void(TComponent*)>& proc, TComponent* root) override;
  /// Also PixelsPerInch and TextHeight.
  void DefineProperties(TFiler& filer) override;
  /// Also clears a published field whose component goes, and fills one from a component inserted
  /// under its name.
  void Notification(TComponent* component, TOperation operation) override;

  // ---- Events ----
  TNotifyEvent OnCreate;  ///< after the stored layout was read
  TNotifyEvent OnDestroy;  ///< first in the destructor; exceptions go to the application
  /// The form's window became, or stopped being, the active window.
  ///@{
  TNotifyEvent OnActivate;
  TNotifyEvent OnDeactivate;
  ///@}
  /// The form is being shown (placed, before its window appears) or hidden (before it goes).
  ///@{
  TNotifyEvent OnShow;
  TNotifyEvent OnHide;
  ///@}
  /// Draw the client area on Canvas; the background was erased with Color.
  TNotifyEvent OnPaint;
  /// Raised by Close after OnCloseQuery allowed it; chooses what closing does.
  TCloseEvent OnClose;
  /// Raised first by Close (and when a modal result is set); may keep the form open.
  TCloseQueryEvent OnCloseQuery;

 protected:
  /// A component of the form taking a field's name fills that field (a pasted or loaded control
  /// the form's code refers to by name), and so does one inserted with that name; a field loses a
  /// component renamed away from its name.
  void OwnedComponentRenamed(TComponent* component) override;
  /// Reads the layout stored under the class's name in upper case (RCDATA) into this form, sets
  /// the published fields and raises OnCreate. Call it in the form class's constructor.
  template <class Self>
  void InitializeForm(Self* self) {
    CollectFields(self);
    ReadLayout(nullptr);
  }
  /// The same with the layout taken from `layout` (from its current position).
  template <class Self>
  void InitializeForm(Self* self, TStream& layout) {
    CollectFields(self);
    ReadLayout(&layout);
  }

  void CreateParams(TCreateParams& params) override;
  void CreateWnd() override;
  void PaintWindow(HDC dc) override;
  void Dispatch(TMessage& message) override;
  void CMVisibleChanged(TMessage& message) override;
  /// Raises OnClose; override to choose the action in the class.
  virtual void DoClose(TCloseAction& action);
  /// The window was activated or deactivated: raise OnActivate and OnDeactivate.
  ///@{
  virtual void Activate();
  virtual void Deactivate();
  ///@}
  /// Draws the client area on Canvas: raises OnPaint.
  virtual void Paint();

 private:
  template <class Self>
  void CollectFields(Self* self) {
    static_assert(std::is_base_of_v<TCustomForm, Self>, "InitializeForm takes the form itself");
    fields_.clear();
    if constexpr (requires(TFieldPublisher<Self>& f) { Self::PublishFields(f); }) {
      TFieldPublisher<Self> publisher(*self, fields_);
      Self::PublishFields(publisher);
    }
  }
  void ReadLayout(TStream* layout);
  /// The frame styles of BorderStyle, BorderIcons and FormStyle.
  void FrameStyles(DWORD& style, DWORD& exStyle) const;
  void PlaceForShowing();
  void ApplyFrame();

  TFormBorderStyle borderStyle_ = bsSizeable;
  TBorderIcons borderIcons_{biSystemMenu, biMinimize, biMaximize};
  TFormStyle formStyle_ = fsNormal;
  TPosition position_ = poDesigned;
  bool placed_ = false;  ///< Position has been applied
  TModalResult modalResult_ = mrNone;
  bool modal_ = false;
  bool showingInactive_ = false;
  TComponentLink<TWinControl> activeControl_;
  TComponentLink<TCustomMainMenu> menu_;
  std::unique_ptr<TControlCanvas> canvas_;
  std::unique_ptr<TControlScrollBar> horzScrollBar_;
  std::unique_ptr<TControlScrollBar> vertScrollBar_;
  bool oldCreateOrder_ = false;
  bool keyPreview_ = false;
  bool scaled_ = true;
  int pixelsPerInch_ = 96;
  int textHeight_ = 0;
  std::vector<TFormField> fields_;
};

// ---------------------------------------------------------------------------------------------
// TForm: the form with its properties published

/// A form with its properties and events published for stored layouts and the inspector (Width
/// and Height are not stored: ClientWidth and ClientHeight are). The base of a program's forms.
class TForm : public TCustomForm {
  TAVELKO_CLASS(TForm, TCustomForm)
  static void Publish(TPublisher<TForm>& p);

 public:
  /// A blank form; see TCustomForm::TCustomForm.
  explicit TForm(TComponent* owner) : TCustomForm(owner) {}
};

// ---------------------------------------------------------------------------------------------
// Helpers

/// The form at the top of the control's parent chain; null when the chain ends elsewhere.
TCustomForm* GetParentForm(TControl* control);
