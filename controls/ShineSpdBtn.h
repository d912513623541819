/// @file
/// TShineSpeedButton: a windowless push or toggle button with hot tracking (a shine effect on its
/// glyph and a font of its own while the mouse is over it), three frame styles over a plain or
/// gradient face, five disabled glyph looks, a shadowed or highlighted caption, radio groups shared
/// with the framework's TSpeedButton, an accelerator and a pressed look while its click runs.
/// TShineBtnColors holds the colours of one face.
#pragma once

#include <cstdint>
#include <memory>
#include <optional>

#include "controls/ShineGlyph.h"
#include "framework/stdctrls/ButtonGlyph.h"
#include "framework/stdctrls/SpeedButton.h"
#include "framework/stdctrls/Timer.h"
#include "framework/windows/CustomControl.h"

/// The button's frame: one light and one shaded line (flat), a raised bevel of two lines (normal)
/// or a flat bevel inside a dark outline (enclosed). Pressed states swap light and shade.
enum TFrameType : std::uint8_t { ftFlatFrame, ftNormalFrame, ftEnclosedFrame };

/// The type data of TFrameType, for publishing and streaming properties by the value names.
const TTypeInfo& TypeInfoOf(TypeTag<TFrameType>);

/// The colours of one face (up or down). Every change raises OnChange.
class TShineBtnColors : public TPersistent {
  TAVELKO_CLASS(TShineBtnColors, TPersistent)
  static void Publish(TPublisher<TShineBtnColors>& p);

 public:
  /// A face of `color` with the system's highlight, shadow and frame colours; no gradient.
  explicit TShineBtnColors(TColor color = clBtnFace) : color_(color) {}
  /// Copies all seven values from another set, then raises OnChange once.
  void Assign(TPersistent* source) override;

  /// The face colour; the first colour of a gradient face.
  ///@{
  TColor Color() const { return color_; }
  void SetColor(TColor value);
  ///@}
  /// The frame's light lines (clBtnHighlight at first).
  ///@{
  TColor Highlight() const { return highlight_; }
  void SetHighlight(TColor value);
  ///@}
  /// The frame's shaded lines (clBtnShadow at first).
  ///@{
  TColor Shadow() const { return shadow_; }
  void SetShadow(TColor value);
  ///@}
  /// The outer shaded line of a normal frame and the outline of an enclosed one (clWindowFrame at
  /// first).
  ///@{
  TColor DarkShadow() const { return darkShadow_; }
  void SetDarkShadow(TColor value);
  ///@}
  /// The second colour of a gradient face, which runs from Color to it.
  ///@{
  TColor GradColor() const { return gradColor_; }
  void SetGradColor(TColor value);
  ///@}
  /// Whether the gradient runs from top to bottom rather than from left to right.
  ///@{
  bool GradVertical() const { return gradVertical_; }
  void SetGradVertical(bool value);
  ///@}
  /// Whether the face is a gradient rather than plain Color.
  ///@{
  bool Gradation() const { return gradation_; }
  void SetGradation(bool value);
  ///@}

  /// Raised with this object as the sender after a value changed or Assign; the button that owns
  /// the colours repaints on it.
  TNotifyEvent OnChange;

 private:
  template <class T>
  void Change(T& field, T value);

  TColor color_;
  TColor highlight_ = clBtnHighlight;
  TColor shadow_ = clBtnShadow;
  TColor darkShadow_ = clWindowFrame;
  TColor gradColor_ = clBlue;
  bool gradVertical_ = false;
  bool gradation_ = false;
};

/// The button's drawing steps that need no button.
namespace shine {

/// 256 steps from `from` to `to` (system colours resolved), one pixel each, in a 32-bit bitmap of
/// 1 x 256 when vertical, else 256 x 1. Step e is (to - from) * e / 255 + from per channel.
std::unique_ptr<TBitmap> GradientSteps(TColor from, TColor to, bool vertical);

/// Where glyph and caption go in the client area.
struct TContentPlacement {
  TPoint Glyph;  ///< Top-left of the glyph.
  TRect Caption;  ///< Rectangle of the caption text.
};

/// Places a glyph and a caption of the given sizes (none: absent) by layout, margin (negative
/// centres the block) and spacing in a client area of `client` size.
TContentPlacement PlaceContent(std::optional<TSize> glyph, std::optional<TSize> caption, TSize client,
                               TButtonLayout layout, int margin, int spacing);

}  // namespace shine

/// A windowless button with a hot look: while the mouse is over it the glyph shines (ActiveImage),
/// the caption takes ActiveFont and the frame may show only then. It is a push button, or with a
/// GroupIndex a toggle in a radio group shared with the parent's TSpeedButtons. Painted off-screen
/// unless Transparent. Like every control, used only on the thread that runs the message loop.
class TShineSpeedButton : public TGraphicControl {
  TAVELKO_CLASS(TShineSpeedButton, TGraphicControl)
  static void Publish(TPublisher<TShineSpeedButton>& p);

 public:
  /// A 25 x 25 push button with a normal frame, a glyph-left layout and no glyph; `owner` (may be
  /// null) destroys it.
  explicit TShineSpeedButton(TComponent* owner);
  ~TShineSpeedButton() override;

  // ---- Grouping ----
  /// 0: a push button. Otherwise a radio group with the shine and framework speed buttons of the
  /// same parent and index.
  ///@{
  int GroupIndex() const { return groupIndex_; }
  void SetGroupIndex(int value);
  ///@}
  /// Latched down. Ignored for GroupIndex 0; without AllowAllUp a down button cannot be raised.
  /// Setting it raises the other down button of the group.
  ///@{
  bool Down() const { return down_; }
  void SetDown(bool value);
  ///@}
  /// Whether all buttons of the group may be up; the group's other members take the value too.
  ///@{
  bool AllowAllUp() const { return allowAllUp_; }
  void SetAllowAllUp(bool value);
  ///@}

  // ---- Behaviour ----
  /// Shows the button pressed while its click handler runs.
  ///@{
  bool ClickDownHook() const { return clickDownHook_; }
  void SetClickDownHook(bool value);
  ///@}
  /// The accelerator key toggles Down before it clicks.
  ///@{
  bool AccelCharDown() const { return accelCharDown_; }
  void SetAccelCharDown(bool value);
  ///@}

  // ---- Look ----
  /// The frame's look; ftNormalFrame at first.
  ///@{
  TFrameType FrameType() const { return frameType_; }
  void SetFrameType(TFrameType value);
  ///@}
  /// No face is painted and nothing is composed off-screen: the parent shows through.
  ///@{
  bool Transparent() const { return !ControlStyle().Contains(csOpaque); }
  void SetTransparent(bool value) { SetOpaque(!value); }
  ///@}
  /// Whether the frame shows while hot, while up (and disabled), while latched down.
  ///@{
  bool ActiveFrame() const { return activeFrame_; }
  void SetActiveFrame(bool value);
  bool UpFrame() const { return upFrame_; }
  void SetUpFrame(bool value);
  bool DownFrame() const { return downFrame_; }
  void SetDownFrame(bool value);
  ///@}
  /// The glyph's effect while hot, in ShineColor (aiFrameLight at first).
  ///@{
  TActiveImageType ActiveImage() const { return activeImage_; }
  void SetActiveImage(TActiveImageType value);
  ///@}
  /// The glyph's look while disabled (diDefault at first).
  ///@{
  TDisabledImageType DisabledImage() const { return disabledImage_; }
  void SetDisabledImage(TDisabledImageType value);
  ///@}
  /// The two colours of the disabled look: the embossed glyph edges (diDefault) and the caption,
  /// the highlight one pixel down and right, the shadow on top.
  ///@{
  TColor DisabledHighlight() const { return disabledHighlight_; }
  void SetDisabledHighlight(TColor value);
  TColor DisabledShadow() const { return disabledShadow_; }
  void SetDisabledShadow(TColor value);
  ///@}
  /// The face of the up states (clBtnFace at first) and of the down states (clBtnHighlight). The
  /// getters return the button's own objects (never null, changed in place); the setters copy.
  ///@{
  TShineBtnColors* Colors() const { return colors_.get(); }
  void SetColors(TShineBtnColors* value) { colors_->Assign(value); }
  TShineBtnColors* PressedColors() const { return pressedColors_.get(); }
  void SetPressedColors(TShineBtnColors* value) { pressedColors_->Assign(value); }
  ///@}
  /// The colour of the hot glyph effect (clYellow at first).
  ///@{
  TColor ShineColor() const { return shineColor_; }
  void SetShineColor(TColor value);
  ///@}
  /// The caption font of the button itself; it hides the inherited control font, which the
  /// button does not use. The setter copies; null is ignored.
  ///@{
  TFont* Font() const { return font_.get(); }
  void SetFont(TFont* value);
  ///@}
  /// Copies of the caption behind it, at (-1, -1) and (+1, +1); clNone: none.
  ///@{
  TColor FontHighlight() const { return fontHighlight_; }
  void SetFontHighlight(TColor value);
  TColor FontShadow() const { return fontShadow_; }
  void SetFontShadow(TColor value);
  ///@}
  /// The caption font while hot. The setter copies; null is ignored.
  ///@{
  TFont* ActiveFont() const { return activeFont_.get(); }
  void SetActiveFont(TFont* value);
  ///@}
  /// Where the glyph lies beside the caption (blGlyphLeft at first).
  ///@{
  TButtonLayout Layout() const { return layout_; }
  void SetLayout(TButtonLayout value);
  ///@}
  /// Pixels between the edge and the content; negative centres it.
  ///@{
  int Margin() const { return margin_; }
  void SetMargin(int value);
  ///@}
  /// Pixels between glyph and caption.
  ///@{
  int Spacing() const { return spacing_; }
  void SetSpacing(int value);
  ///@}
  /// The picture beside the caption; its bottom-left pixel's colour is its transparent background.
  /// Kept as a 32-bit DIB. The getter returns the button's own bitmap (never null; changes to it
  /// repaint). The setter copies; null empties it.
  ///@{
  TBitmap* Glyph() const { return glyph_.get(); }
  void SetGlyph(TBitmap* value);
  ///@}

  // ---- State ----
  /// The state the button is drawn in now.
  TShineState State() const { return state_; }
  /// Whether the button is hot: the mouse is over it (as the button last noticed).
  bool MouseInControl() const { return mouseInControl_; }
  /// Whether the timer that notices a pointer leaving unannounced runs (only while hot).
  bool WatchesForLeaving() const { return activeButtonTimer_->Enabled(); }

  /// The bitmap drawn in the glyph's place in the current state (see ::CreateStateGlyph); null
  /// for an empty glyph. The caller owns it.
  std::unique_ptr<TBitmap> CreateStateGlyph();

  /// Raised when the mouse enters or leaves the button (also when it cannot become hot): sender,
  /// shift state, cursor position in client coordinates.
  ///@{
  TMouseMoveEvent OnMouseEnter;
  TMouseMoveEvent OnMouseLeave;
  ///@}

 protected:
  // ---- What descendants override ----
  /// The mouse entered or left the client area (x, y in client coordinates): raise OnMouseEnter or
  /// OnMouseLeave, then make the button hot or not (an enabled button only, and not while a drag
  /// or capture is on). Call the inherited one when overriding.
  ///@{
  virtual void MouseEnter(TShiftState shift, int x, int y);
  virtual void MouseLeave(TShiftState shift, int x, int y);
  ///@}
  /// A shine or framework speed button of the parent announced its Down (WParam its group,
  /// LParam the button).
  virtual void CMButtonPressed(TMessage& message);

  void Paint() override;
  /// Raises the click; with ClickDownHook the button shows pressed until the handler returns.
  void Click() override;
  /// The left button's press: pressed look while held over the button; releasing it inside toggles
  /// Down (with a GroupIndex) and clicks. The inherited handlers run first (mouse events).
  ///@{
  void MouseDown(TMouseButton button, TShiftState shift, int x, int y) override;
  void MouseMove(TShiftState shift, int x, int y) override;
  void MouseUp(TMouseButton button, TShiftState shift, int x, int y) override;
  ///@}
  void Dispatch(TMessage& message) override;
  /// Handlers of the messages their names say: a double click reaches OnDblClick only while Down;
  /// the accelerator clicks (toggling Down first with AccelCharDown); disabling raises the button
  /// (Down false) and ends the hot state; font, caption and system colour changes repaint; mouse
  /// enter and leave call MouseEnter and MouseLeave. Override to change the reaction and call the
  /// inherited one.
  ///@{
  void WMLButtonDblClk(TWMMouse& message) override;
  void CMDialogChar(TWMKey& message) override;
  void CMEnabledChanged(TMessage& message) override;
  void CMFontChanged(TMessage& message) override;
  void CMTextChanged(TMessage& message) override;
  void CMSysColorChange(TMessage& message) override;
  void CMMouseEnter(TMessage& message) override;
  void CMMouseLeave(TMessage& message) override;
  ///@}

 private:
  // ---- Painting, in the order of a paint ----
  void BackDraw(TCanvas& canvas);
  void ImageDraw(TCanvas& canvas);
  void FrameDraw(TCanvas& canvas);
  /// Glyph point and caption rectangle for the canvas's current font.
  shine::TContentPlacement CalcDrawPosition(TCanvas& canvas);
  /// Paints the disabled edge mask's white pixels at `at` in the canvas's brush colour.
  static void StampMask(TCanvas& canvas, TBitmap& mask, const TPoint& at);
  void DrawCaption(TCanvas& canvas, TRect rect);
  /// The two frame strokes: top and left edges, bottom and right edges, `a` pixels in.
  void TopLeftStroke(TCanvas& canvas, int a, int b, TColor color);
  void BottomRightStroke(TCanvas& canvas, int a, int b, TColor color);
  bool FrameShown() const;
  TShineBtnColors& StateColors() const;

  // ---- Grouping and tracking ----
  /// Stores the index and tells the parent's buttons of that group this button's Down and
  /// AllowAllUp through a framework speed button standing in for it.
  void GroupUpdateStatus(int index);
  /// Makes MouseInControl match the control under the cursor, through the enter/leave handlers.
  void UpdateTracking();
  void ActiveButtonTimerOnTimer(TObject* sender);
  TPoint CursorInClient();
  bool InClient(int x, int y);

  void FontsAndColorsOnChange(TObject* sender);
  void GlyphOnChange(TObject* sender);
  /// Makes the glyph a 32-bit DIB without raising its change notification.
  void NormaliseGlyph();

  int groupIndex_ = 0;
  bool down_ = false;
  bool clickDownHook_ = false;
  bool accelCharDown_ = false;
  TFrameType frameType_ = ftNormalFrame;
  bool activeFrame_ = true;
  bool upFrame_ = true;
  bool downFrame_ = true;
  TActiveImageType activeImage_ = aiFrameLight;
  TDisabledImageType disabledImage_ = diDefault;
  TColor disabledHighlight_ = clBtnHighlight;
  TColor disabledShadow_ = clBtnShadow;
  std::unique_ptr<TShineBtnColors> colors_;
  std::unique_ptr<TShineBtnColors> pressedColors_;
  TColor shineColor_ = clYellow;
  std::unique_ptr<TFont> font_;
  TColor fontHighlight_ = clNone;
  TColor fontShadow_ = clNone;
  std::unique_ptr<TFont> activeFont_;
  bool allowAllUp_ = false;
  TButtonLayout layout_ = blGlyphLeft;
  int margin_ = -1;
  int spacing_ = 4;
  std::unique_ptr<TBitmap> glyph_;

  TShineState state_ = TShineState::stUp;
  bool mouseInControl_ = false;
  bool dragging_ = false;  ///< the left button went down here and is still held
  std::unique_ptr<TTimer> activeButtonTimer_;
  /// The stand-in of a group announcement; null at every other time.
  std::unique_ptr<TSpeedButton> groupProxy_;
};

/// Lets the component stream create TShineSpeedButton by its class name.
void RegisterShineSpdBtnClasses();
