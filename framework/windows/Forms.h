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

enum TBorderIcon : std::uint8_t { biSystemMenu, biMinimize, biMaximize, biHelp };
using TBorderIcons = TSet<TBorderIcon>;
enum TFormStyle : std::uint8_t { fsNormal, fsMDIChild, fsMDIForm, fsStayOnTop };
enum TPosition : std::uint8_t {
  poDesigned, poDefault, poDefaultPosOnly, poDefaultSizeOnly, poScreenCenter, poDesktopCenter, poMainFormCenter,
  poOwnerFormCenter,
};
enum TCloseAction : std::uint8_t { caNone, caHide, caFree, caMinimize };

const TTypeInfo& TypeInfoOf(TypeTag<TBorderIcon>);
const TTypeInfo& TypeInfoOf(TypeTag<TFormStyle>);
const TTypeInfo& TypeInfoOf(TypeTag<TPosition>);
const TTypeInfo& TypeInfoOf(TypeTag<TCloseAction>);

using TCloseEvent = TEvent<TObject*, TCloseAction&>;
using TCloseQueryEvent = TEvent<TObject*, bool&>;

/// A stored layout that the program does not carry.
class EResNotFound : public Exception {
 public:
  using Exception::Exception;
};

// ---------------------------------------------------------------------------------------------
// Scroll bar settings of a form (stored; forms do not scroll)

class TControlScrollBar : public TPersistent {
  TAVELKO_CLASS(TControlScrollBar, TPersistent)
  static void Publish(TPublisher<TControlScrollBar>& p);

 public:
  explicit TControlScrollBar(TPersistent* owner = nullptr) : owner_(owner) {}
  void Assign(TPersistent* source) override;
  TPersistent* GetOwner() override { return owner_; }

  bool Visible() const { return visible_; }
  void SetVisible(bool value) { visible_ = value; }

 private:
  TPersistent* owner_;  ///< not owned
  bool visible_ = true;
};

// ---------------------------------------------------------------------------------------------
// Published fields: set to the components of the same name after the layout is read, and cleared
// when their component goes.

struct TFormField {
  String Name;
  std::function<void(TComponent*)> Set;  ///< EReadError when the component is of another class
  std::function<TComponent*()> Get;
  std::function<bool(TComponent*)> Accepts;  ///< whether the field can hold the component
};

template <class Form>
class TFieldPublisher {
 public:
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
  using TComponent::TComponent;
  /// A new menu bar of the visible items; the window it is given to owns it.
  virtual HMENU CreateMenuBar() = 0;
  /// Raises the chosen command's item; false when the command is none of this menu's.
  virtual bool DispatchCommand(UINT command) = 0;
  /// Brings the checks and enabled states of a submenu that is about to open up to date.
  virtual void UpdatePopup(HMENU popup) = 0;
};

class TCustomForm : public TWinControl {
  TAVELKO_CLASS(TCustomForm, TWinControl)

 public:
  /// A blank form; form classes with a stored layout call InitializeForm in their constructor.
  explicit TCustomForm(TComponent* owner);
  ~TCustomForm() override;

  // ---- Window frame and placement ----
  TFormBorderStyle BorderStyle() const { return borderStyle_; }
  void SetBorderStyle(TFormBorderStyle value);
  TBorderIcons BorderIcons() const { return borderIcons_; }
  void SetBorderIcons(TBorderIcons value);
  TFormStyle FormStyle() const { return formStyle_; }
  void SetFormStyle(TFormStyle value);
  /// Where the form goes when it is first shown.
  TPosition Position() const { return position_; }
  void SetPosition(TPosition value) { position_ = value; }

  // ---- Showing and closing ----
  /// Shows the form and brings it to the front.
  void Show();
  /// Shows the form in front but leaves the activation, and so the keyboard, where it is: for a
  /// tool window that opens beside the window at work.
  void ShowInactive();
  /// OnCloseQuery, then OnClose decides: hide (the main form ends the application), free, or keep.
  void Close();
  bool CloseQuery();
  /// Shows the form with the program's other windows disabled until ModalResult is set (or the
  /// form closes); returns ModalResult.
  TModalResult ShowModal();
  TModalResult ModalResult() const { return modalResult_; }
  void SetModalResult(TModalResult value) { modalResult_ = value; }
  /// Destroys the form once the messages now waiting have been handled.
  void Release();

  // ---- Focus ----
  /// The menu bar; null for none. The bar is built again when the menu is set and by MenuChanged
  /// (after items were added, removed, renamed, shown or hidden).
  TCustomMainMenu* Menu() const { return menu_; }
  void SetMenu(TCustomMainMenu* value);
  void MenuChanged();
  TWinControl* ActiveControl() const { return activeControl_; }
  void SetActiveControl(TWinControl* control);
  /// A control inside the form received the focus.
  void ControlFocused(TWinControl* control);
  /// The form's OnKeyDown sees each key press before the focused control does; a key it sets to
  /// 0 goes no further. Not stored.
  bool KeyPreview() const { return keyPreview_; }
  void SetKeyPreview(bool value) { keyPreview_ = value; }

  // ---- Drawing: the canvas of the client area (OnPaint, or copying its pixels) ----
  TCanvas* Canvas() const { return canvas_.get(); }

  // ---- Stored settings ----
  TControlScrollBar* HorzScrollBar() const { return horzScrollBar_.get(); }
  void SetHorzScrollBar(TControlScrollBar* value) { horzScrollBar_->Assign(value); }
  TControlScrollBar* VertScrollBar() const { return vertScrollBar_.get(); }
  void SetVertScrollBar(TControlScrollBar* value) { vertScrollBar_->Assign(value); }
  bool OldCreateOrder() const { return oldCreateOrder_; }
  void SetOldCreateOrder(bool value) { oldCreateOrder_ = value; }
  bool Scaled() const { return scaled_; }
  void SetScaled(bool value) { scaled_ = value; }
  int PixelsPerInch() const { return pixelsPerInch_; }
  void SetPixelsPerInch(int value) { pixelsPerInch_ = value; }
  int TextHeight() const { return textHeight_; }

  // ---- TWinControl ----
  TRect ClientRect() override;
  void GetChildren(const std::function<void(TComponent*)>& proc, TComponent* root) override;
  void DefineProperties(TFiler& filer) override;
  void Notification(TComponent* component, TOperation operation) override;

  // ---- Events ----
  TNotifyEvent OnCreate;  ///< after the stored layout was read
  TNotifyEvent OnDestroy;
  TNotifyEvent OnActivate;
  TNotifyEvent OnDeactivate;
  TNotifyEvent OnShow;
  TNotifyEvent OnHide;
  TNotifyEvent OnPaint;
  TCloseEvent OnClose;
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
  virtual void DoClose(TCloseAction& action);
  virtual void Activate();
  virtual void Deactivate();
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

class TForm : public TCustomForm {
  TAVELKO_CLASS(TForm, TCustomForm)
  static void Publish(TPublisher<TForm>& p);

 public:
  explicit TForm(TComponent* owner) : TCustomForm(owner) {}
};

// ---------------------------------------------------------------------------------------------
// Helpers

/// The form at the top of the control's parent chain; null when the chain ends elsewhere.
TCustomForm* GetParentForm(TControl* control);
