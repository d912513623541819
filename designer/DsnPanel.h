/// @file
/// The component palette: TCustomCmpPlt, the abstract palette that arms the designer controller
/// with a template control; TDsnPanel, the palette of speed buttons; TDsnButton, a button standing
/// for one template; TArrowButton, the button for selecting without creating anything.
#pragma once

#include <vector>

#include "framework/core/ComponentLink.h"
#include "framework/stdctrls/Panel.h"
#include "framework/stdctrls/SpeedButton.h"

class TArrowButton;
class TDsnPanel;

/// All palette buttons and the arrow button share this group: one of them is down at a time.
constexpr int kPaletteGroupIndex = 2301;

/// Posted by a palette to itself: a control (WParam) was inserted into or removed from it.
constexpr UINT DSNM_DEPOSITCONTROL = WM_USER + 570;

/// The component palette the controller talks to: it arms a template, and the user then draws a
/// copy of the template on the stage. Like the whole designer it is used only on the thread that
/// runs the message loop.
class TCustomCmpPlt : public TPanel {
  TAVELKO_CLASS(TCustomCmpPlt, TPanel)

 public:
  using TPanel::TPanel;

  // ---- What a palette supplies ----
  /// Design mode switched on or off.
  virtual void SetDesigning(bool value) = 0;
  /// The armed template; null when nothing is armed.
  virtual TComponent* GetTemplate() = 0;
  /// Arms `component`; null (or the arrow button) disarms.
  virtual void SetTemplate(TComponent* component) = 0;
  /// Takes `button` (not owned) as the palette's arrow button.
  virtual void SetArrowButton(TArrowButton* button) = 0;
  /// A control was created from the template: back to selecting.
  virtual void EndCreating() = 0;

  /// Whether design mode is on, as the last SetDesigning recorded it.
  bool Designing() const { return designing_; }

 protected:
  /// For SetDesigning implementations: records the state that Designing reports.
  void StoreDesigning(bool value) { designing_ = value; }

 private:
  bool designing_ = false;
};

/// The palette's "select" button: while it is down nothing is armed.
class TArrowButton : public TSpeedButton {
  TAVELKO_CLASS(TArrowButton, TSpeedButton)

 public:
  /// A button owned by `owner` (may be null), serving no palette yet.
  using TSpeedButton::TSpeedButton;

  /// A pressed arrow button cannot be raised by clicking it again; disabled until design mode.
  void Loaded() override;
  /// Disarms the palette when the button went down.
  void Click() override;
  /// The palette served; null is ignored.
  void SetDsnPanel(TCustomCmpPlt* palette);
  /// The palette served; null when none, or once it was destroyed.
  TCustomCmpPlt* Palette() const { return palette_; }

 private:
  TComponentLink<TCustomCmpPlt> palette_;
};

/// A palette button: pressing it arms its template. Button and template are linked by the
/// template's name (GeneName, stored with the button), so the link survives a stored layout.
class TDsnButton : public TSpeedButton {
  TAVELKO_CLASS(TDsnButton, TSpeedButton)

 public:
  /// A button owned by `owner` (may be null), linked to nothing yet.
  using TSpeedButton::TSpeedButton;
  /// Leaves the palette while still a palette button, so that the palette can take the template
  /// along (the base destructors would remove a mere control).
  ~TDsnButton() override;

  /// Disabled until design mode; the parent is the palette.
  void Loaded() override;
  /// Arms the template when the button went down; without a template the arrow button goes down.
  void Click() override;

  /// The palette served (set by Link, or by Loaded from the parent); null when none, or once it
  /// was destroyed.
  TDsnPanel* Palette() const { return palette_; }
  /// The template the button arms, not owned; null until the palette links it (on a deposit, or
  /// by name as design mode starts), or once it was destroyed.
  TComponent* Template() const { return template_; }
  /// The name of the template; longer names are cut to 255 characters.
  ///@{
  const String& GeneName() const { return geneName_; }
  void SetGeneName(const String& value);
  ///@}
  /// Serves `palette` with `component` as the template (null: none).
  void Link(TDsnPanel* palette, TComponent* component);

 protected:
  void DefineProperties(TFiler& filer) override;

 private:
  TComponentLink<TDsnPanel> palette_;
  TComponentLink<TComponent> template_;
  String geneName_;
};

/// The palette of the designed window: a panel of palette buttons and one arrow button, all in the
/// group kPaletteGroupIndex. While the window is authored (csDesigning), a control dropped onto the
/// palette becomes a template on the deposit panel and gets a button.
class TDsnPanel : public TCustomCmpPlt {
  TAVELKO_CLASS(TDsnPanel, TCustomCmpPlt)
  static void Publish(TPublisher<TDsnPanel>& p);

 public:
  using TCustomCmpPlt::TCustomCmpPlt;

  /// On: the arrow button down, every palette button re-linked to its template by name and enabled.
  /// Off: all buttons disabled.
  void SetDesigning(bool value) override;
  TComponent* GetTemplate() override { return template_; }
  void SetTemplate(TComponent* component) override;
  /// Null is ignored.
  void SetArrowButton(TArrowButton* button) override;
  void EndCreating() override;

  /// The arrow button, not owned; null until it is set, or made by a deposit onto a palette
  /// without one.
  TArrowButton* ArrowButton() const { return arrowButton_; }
  /// The classes of the templates the buttons stand for (found by name under the owner): what a
  /// stage designed with this palette may hold.
  std::vector<const TClassInfo*> OfferedClasses() const;
  /// Down without the arrow button's click, and nothing armed.
  void PressArrowButton();

  /// The size in pixels of the buttons the palette places from now on, which fill the palette
  /// row by row; 90 by 50 by default. Buttons already placed keep theirs.
  ///@{
  int BtnWidth() const { return btnWidth_; }
  void SetBtnWidth(int value) { btnWidth_ = value; }
  int BtnHeight() const { return btnHeight_; }
  void SetBtnHeight(int value) { btnHeight_ = value; }
  ///@}
  /// Whether a new button shows the template's class name in capitals without its leading T; on
  /// by default.
  ///@{
  bool BtnCaption() const { return btnCaption_; }
  void SetBtnCaption(bool value) { btnCaption_ = value; }
  ///@}

 protected:
  void Dispatch(TMessage& message) override;

 private:
  /// The palette buttons placed on this palette, in child order.
  std::vector<TDsnButton*> Buttons() const;

  // ---- Authoring ----
  /// After the framework's insert or remove of a child: other controls are deposited; a removed
  /// palette button takes its template along.
  void ControlChange(TControl* control, bool inserting);
  void PostDeposit(TControl* control);
  void DepositControl(TMessage& message);
  /// `control` becomes a template and gets a button.
  void Deposit(TControl* control);
  /// The owner's deposit panel, made when missing.
  TWinControl* DepositPanel();
  TArrowButton* FindArrowButton() const;
  void MakeArrowButton();
  /// Palette buttons and arrow buttons on the palette.
  int ButtonCount() const;
  /// Puts `button` in the n-th place (from 1), row by row; a palette narrower than one button grows.
  void Place(TSpeedButton& button, int n);

  TComponentLink<TArrowButton> arrowButton_;
  TComponentLink<TComponent> template_;
  TComponentLinkList<TControl> pendingDeposits_;  ///< posted DSNM_DEPOSITCONTROL not yet handled
  bool acceptNext_ = true;
  int btnWidth_ = 90;
  int btnHeight_ = 50;
  bool btnCaption_ = true;
};

/// Registers TDsnPanel, TDsnButton and TArrowButton for reading streams.
void RegisterDsnPanelClasses();
