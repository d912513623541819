/// @file
/// The designer's inspector: TDsnInspector, the component that shows a property grid window
/// (TInspectorFm) for the selection while design mode is on, and its settings objects TShowProps,
/// TInspectorPos, TGridCp and TInspctHlpBtn, all published and stored with the form that holds it.
#pragma once

#include <memory>

#include "designer/DsnProp.h"
#include "framework/graphics/Bitmap.h"

class TInspectorFm;
class TSpeedButton;
class TStringGrid;

/// Which standard properties are offered ahead of SelfProps, and under which caption (empty: the
/// property's own name).
class TShowProps : public TPersistent {
  TAVELKO_CLASS(TShowProps, TPersistent)
  static void Publish(TPublisher<TShowProps>& p);

 public:
  /// Whether one standard property is offered, and its caption.
  struct TEntry {
    bool Shown = false;  ///< offered in the grid
    String Caption;      ///< the grid's caption; empty: the property's own name
  };
  /// The standard properties in the order in which they are offered.
  enum TProp { spCaption, spColor, spFont, spHeight, spLeft, spName, spTop, spWidth, spCount };
  /// The published names of the standard properties, indexed by TProp.
  static const char* const PropNames[spCount];

  void Assign(TPersistent* source) override;
  /// The setting of `prop`, which must be below spCount.
  const TEntry& Entry(TProp prop) const { return entries_[prop]; }

  /// Whether Name, Caption, Color, Top, Left, Width, Height and Font are offered; all off by
  /// default (the published properties aName ... aFont).
  ///@{
  bool aName() const { return entries_[spName].Shown; }
  void SetaName(bool value) { entries_[spName].Shown = value; }
  bool aCaption() const { return entries_[spCaption].Shown; }
  void SetaCaption(bool value) { entries_[spCaption].Shown = value; }
  bool aColor() const { return entries_[spColor].Shown; }
  void SetaColor(bool value) { entries_[spColor].Shown = value; }
  bool aTop() const { return entries_[spTop].Shown; }
  void SetaTop(bool value) { entries_[spTop].Shown = value; }
  bool aLeft() const { return entries_[spLeft].Shown; }
  void SetaLeft(bool value) { entries_[spLeft].Shown = value; }
  bool aWidth() const { return entries_[spWidth].Shown; }
  void SetaWidth(bool value) { entries_[spWidth].Shown = value; }
  bool aHeight() const { return entries_[spHeight].Shown; }
  void SetaHeight(bool value) { entries_[spHeight].Shown = value; }
  bool aFont() const { return entries_[spFont].Shown; }
  void SetaFont(bool value) { entries_[spFont].Shown = value; }
  ///@}
  /// The grid captions of those properties; empty (the default) shows the property's own name
  /// (the published properties aNameCp ... aFontCp).
  ///@{
  String aNameCp() const { return entries_[spName].Caption; }
  void SetaNameCp(String value) { entries_[spName].Caption = std::move(value); }
  String aCaptionCp() const { return entries_[spCaption].Caption; }
  void SetaCaptionCp(String value) { entries_[spCaption].Caption = std::move(value); }
  String aColorCp() const { return entries_[spColor].Caption; }
  void SetaColorCp(String value) { entries_[spColor].Caption = std::move(value); }
  String aTopCp() const { return entries_[spTop].Caption; }
  void SetaTopCp(String value) { entries_[spTop].Caption = std::move(value); }
  String aLeftCp() const { return entries_[spLeft].Caption; }
  void SetaLeftCp(String value) { entries_[spLeft].Caption = std::move(value); }
  String aWidthCp() const { return entries_[spWidth].Caption; }
  void SetaWidthCp(String value) { entries_[spWidth].Caption = std::move(value); }
  String aHeightCp() const { return entries_[spHeight].Caption; }
  void SetaHeightCp(String value) { entries_[spHeight].Caption = std::move(value); }
  String aFontCp() const { return entries_[spFont].Caption; }
  void SetaFontCp(String value) { entries_[spFont].Caption = std::move(value); }
  ///@}

 private:
  TEntry entries_[spCount];
};

/// The window's bounds when it opens, in screen pixels: it is a top-level window.
class TInspectorPos : public TPersistent {
  TAVELKO_CLASS(TInspectorPos, TPersistent)
  static void Publish(TPublisher<TInspectorPos>& p);

 public:
  void Assign(TPersistent* source) override;

  /// The window's top-left corner on the screen; 15, 50 by default.
  ///@{
  int Left() const { return left_; }
  void SetLeft(int value) { left_ = value; }
  int Top() const { return top_; }
  void SetTop(int value) { top_ = value; }
  ///@}
  /// The window's outer size; 230 by 400 by default.
  ///@{
  int Width() const { return width_; }
  void SetWidth(int value) { width_ = value; }
  int Height() const { return height_; }
  void SetHeight(int value) { height_ = value; }
  ///@}

 private:
  int left_ = 15;
  int top_ = 50;
  int width_ = 230;
  int height_ = 400;
};

/// The grid's heading row and column widths, applied when the window opens.
class TGridCp : public TPersistent {
  TAVELKO_CLASS(TGridCp, TPersistent)
  static void Publish(TPublisher<TGridCp>& p);

 public:
  /// The default headings; a heading equal to its default is not stored.
  ///@{
  static constexpr const char* DefaultPropCp = "Properties";
  static constexpr const char* DefaultValueCp = "Values";
  ///@}

  void Assign(TPersistent* source) override;

  /// The heading of the property column (the captions).
  ///@{
  String PropCp() const { return propCp_; }
  void SetPropCp(String value) { propCp_ = std::move(value); }
  ///@}
  /// The heading of the value column.
  ///@{
  String ValueCp() const { return valueCp_; }
  void SetValueCp(String value) { valueCp_ = std::move(value); }
  ///@}
  /// The width of the property column in pixels; 80 by default.
  ///@{
  int PropWid() const { return propWid_; }
  void SetPropWid(int value) { propWid_ = value; }
  ///@}
  /// The width of the value column in pixels; 100 by default.
  ///@{
  int ValueWid() const { return valueWid_; }
  void SetValueWid(int value) { valueWid_ = value; }
  ///@}

 private:
  bool IsPropCpStored() const { return propCp_ != DefaultPropCp; }
  bool IsValueCpStored() const { return valueCp_ != DefaultValueCp; }

  String propCp_ = DefaultPropCp;
  String valueCp_ = DefaultValueCp;
  int propWid_ = 80;
  int valueWid_ = 100;
};

/// The optional help button at the bottom of the window, applied when the window opens.
class TInspctHlpBtn : public TPersistent {
  TAVELKO_CLASS(TInspctHlpBtn, TPersistent)
  static void Publish(TPublisher<TInspctHlpBtn>& p);

 public:
  /// The default caption ("&" marks the access key); a caption equal to it is not stored.
  static constexpr const char* DefaultCaption = "Help(&H)";

  void Assign(TPersistent* source) override;

  /// Whether the window shows the strip with the button; off by default.
  ///@{
  bool Visible() const { return visible_; }
  void SetVisible(bool value) { visible_ = value; }
  ///@}
  /// The help context number given to the button; nothing in the designer acts on it.
  ///@{
  int HelpContext() const { return helpContext_; }
  void SetHelpContext(int value) { helpContext_ = value; }
  ///@}
  /// The button's caption.
  ///@{
  String Caption() const { return caption_; }
  void SetCaption(String value) { caption_ = std::move(value); }
  ///@}

 private:
  bool IsCaptionStored() const { return caption_ != DefaultCaption; }

  bool visible_ = false;
  int helpContext_ = 0;
  String caption_ = DefaultCaption;
};

/// The inspector: a new TInspectorFm each time design mode starts (placed at Position, with the
/// grid, title and button picture from the settings), destroyed when it ends. The window shows the
/// property model's names and values and writes edits to every selected control.
///
/// The settings objects (ShowProps, Position, Grid, HelpButton, BtnGlyph) are owned by the
/// inspector and never null; their setters copy from the object given. The window takes Position,
/// Grid, HelpButton, BtnGlyph, StayOnTop and Caption when it opens, so changes to them show at the
/// next start of design mode; ShowProps and SelfProps are read with each new selection list.
class TDsnInspector : public TCustomInspector {
  TAVELKO_CLASS(TDsnInspector, TCustomInspector)
  static void Publish(TPublisher<TDsnInspector>& p);

 public:
  /// The default window title; a title equal to it is not stored.
  static constexpr const char* DefaultCaption = "Object Inspector";

  /// An inspector owned by `owner` (may be null) with default settings; no window until design
  /// mode starts.
  explicit TDsnInspector(TComponent* owner);
  ~TDsnInspector() override;

  // ---- TCustomInspector ----
  /// Makes a new window from the settings and shows it without activating it, so that the stage
  /// keeps the keyboard.
  void Show() override;
  /// Destroys the window.
  void Hide() override;
  /// Runs OnBtnClick with a snapshot of the selection; call it only when OnBtnClick is set.
  void BtnClick(const String& propName, String& value) override;
  /// Fills the grid from the model and shows the window again when the user closed it.
  void SetPosition() override;
  void GetPropLists(TStrings* names, TStrings* captions) override;

  // ---- Operations ----
  /// Asks the designer to select `component`; nothing unless it is a control.
  void SetComponent(TComponent* component);
  /// Moves the shown window; Position stays.
  void SetBounds(int left, int top, int width, int height);
  /// Do nothing: the selector strip they served is never shown. Kept so that code written for
  /// it still compiles.
  ///@{
  void SetUpRectCombo() {}
  void SetComponentList(TList*) {}
  ///@}

  // ---- Settings ----
  /// Which standard properties are offered, ahead of SelfProps (published as ShowProps).
  ///@{
  TShowProps* ShowProps() const { return showProps_.get(); }
  void SetShowProps(TShowProps* value) { showProps_->Assign(value); }
  ///@}
  /// Where the window opens (published as Position).
  ///@{
  TInspectorPos* Position() const { return position_.get(); }
  void SetPosition(TInspectorPos* value) { position_->Assign(value); }
  ///@}
  /// The grid's headings and column widths (published as Grid).
  ///@{
  TGridCp* Grid() const { return grid_.get(); }
  void SetGrid(TGridCp* value) { grid_->Assign(value); }
  ///@}
  /// The optional help button (published as HelpButton).
  ///@{
  TInspctHlpBtn* HelpButton() const { return helpButton_.get(); }
  void SetHelpButton(TInspctHlpBtn* value) { helpButton_->Assign(value); }
  ///@}
  /// The picture on the "..." button, beside its caption; none by default (published as BtnGlyph).
  ///@{
  TBitmap* GetGlyph() const { return btnGlyph_.get(); }
  void SetGlyph(TBitmap* value) { btnGlyph_->Assign(value); }
  ///@}
  /// Stored only: the selector strip is never shown. Off by default.
  ///@{
  bool ShowCombo() const { return showCombo_; }
  void SetShowCombo(bool value) { showCombo_ = value; }
  ///@}
  /// Whether the window stays above other windows; off by default.
  ///@{
  bool StayOnTop() const { return stayOnTop_; }
  void SetStayOnTop(bool value) { stayOnTop_ = value; }
  ///@}
  /// The window's title.
  ///@{
  String Caption() const { return caption_; }
  void SetCaption(String value) { caption_ = std::move(value); }
  ///@}

  /// The window while design mode is on; null otherwise. Owned.
  TInspectorFm* Form() const { return form_.get(); }
  /// The window's "..." button and grid, owned by the window; null while no window is shown.
  ///@{
  TSpeedButton* FormButton() const { return formButton_; }
  TStringGrid* FormGrid() const { return formGrid_; }
  ///@}

 private:
  bool IsCaptionStored() const { return caption_ != DefaultCaption; }

  std::unique_ptr<TShowProps> showProps_;
  std::unique_ptr<TInspectorFm> form_;
  std::unique_ptr<TInspectorPos> position_;
  bool showCombo_ = false;
  std::unique_ptr<TGridCp> grid_;
  std::unique_ptr<TBitmap> btnGlyph_;
  String caption_ = DefaultCaption;
  bool stayOnTop_ = false;
  TSpeedButton* formButton_ = nullptr;  ///< owned by the window
  TStringGrid* formGrid_ = nullptr;     ///< owned by the window
  std::unique_ptr<TInspctHlpBtn> helpButton_;
};

/// Registers TDsnInspector and TInspectorFm for reading streams.
void RegisterDsnSpctrClasses();
