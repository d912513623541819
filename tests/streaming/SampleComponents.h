// Component classes with one published property of every kind, nested persistent objects,
// self-streamed properties, parenting and published methods, for the stream and lister tests.
#pragma once

#include <string>
#include <vector>

#include "framework/core/ComponentLink.h"
#include "framework/core/Strings.h"

enum TSampleAlign { saNone, saLeft, saClient };
const TTypeInfo& TypeInfoOf(TypeTag<TSampleAlign>);

// Members up to ordinal 17, so that texts of bits beyond 15 can be tested.
enum TSampleStyle {
  ssBold, ssItalic, ssUnderline, ss3, ss4, ss5, ss6, ss7, ss8, ss9, ss10, ss11, ss12, ss13, ss14, ss15, ss16, ss17
};
const TTypeInfo& TypeInfoOf(TypeTag<TSampleStyle>);
using TSampleStyles = TSet<TSampleStyle>;

enum TSamplePenStyle { psSolid, psDash, psClear };
const TTypeInfo& TypeInfoOf(TypeTag<TSamplePenStyle>);

// Named values as colours have them.
const TTypeInfo& SampleColorType();
inline constexpr int clBlack = 0x000000;
inline constexpr int clWhite = 0xFFFFFF;
inline constexpr int clGray = 0x808080;
inline constexpr int clBtnFace = static_cast<int>(0x8000000F);
const TTypeInfo& SampleCharsetType();
inline constexpr int SHIFTJIS_CHARSET = 128;

class TSamplePen : public TPersistent {
  TAVELKO_CLASS(TSamplePen, TPersistent)
  static void Publish(TPublisher<TSamplePen>& p);

 public:
  TSamplePenStyle Style = psSolid;
  int Width = 1;
  void Assign(TPersistent* source) override;
};

class TSampleFont : public TPersistent {
  TAVELKO_CLASS(TSampleFont, TPersistent)
  static void Publish(TPublisher<TSampleFont>& p);

 public:
  String Name = "Sans";
  int Height = -12;
  int Color = clBlack;
  int Charset = 1;
  TSampleStyles Style;
  void Assign(TPersistent* source) override;
};

// Two levels of nesting: Effect3D.Pen.Width.
class TSampleEffect : public TPersistent {
  TAVELKO_CLASS(TSampleEffect, TPersistent)
  static void Publish(TPublisher<TSampleEffect>& p);

 public:
  TSampleEffect() : pen_(new TSamplePen) {}
  ~TSampleEffect() override { delete pen_; }
  int Depth = 0;
  int ShadowedColor = clBlack;
  TSamplePen* Pen() const { return pen_; }
  void SetPen(TSamplePen* pen) { pen_->Assign(pen); }
  void Assign(TPersistent* source) override;

 private:
  TSamplePen* pen_;  // owned
};

// A control: has a parent that lists it among its children; destroying a control destroys the
// controls parented to it, as windows do.
class TSampleControl : public TComponent {
  TAVELKO_CLASS(TSampleControl, TComponent)
  static void Publish(TPublisher<TSampleControl>& p);

 public:
  explicit TSampleControl(TComponent* owner);
  ~TSampleControl() override;

  // Published state, set directly by the tests.
  int Left = 0;
  int Top = 0;
  int Width = 0;
  int Count = 0;
  int Color = clBtnFace;
  int Hidden = 0;       // never stored
  int Conditional = 0;  // stored only while Count is not 0
  char Letter = 'A';
  wchar_t WideLetter = L'W';
  TSampleAlign Align = saNone;
  bool Visible = true;
  TSampleStyles Style;
  double Ratio = 0;
  float Scale = 0;
  String Caption;
  WideString WideCaption;
  TNotifyEvent OnClick;
  TNotifyEvent OnChange;

  // Self-streamed: "GeneName" always written, "Blob" a binary block when not empty.
  String GeneName;
  std::string Blob;

  TSampleFont* Font() const { return font_; }
  void SetFont(TSampleFont* font) { font_->Assign(font); }
  TSampleEffect* Effect3D() const { return effect_; }
  void SetEffect3D(TSampleEffect* effect) { effect_->Assign(effect); }
  TStrings* Lines() const { return lines_; }
  void SetLines(TStrings* lines) { lines_->Assign(lines); }
  TSampleControl* Buddy() const { return buddy_; }
  void SetBuddy(TSampleControl* buddy) { buddy_.Set(buddy); }
  TComponent* Partner() const { return partner_; }
  void SetPartner(TComponent* partner) { partner_.Set(partner); }
  // Raises EConvertError for a negative value, as a setter that validates does.
  int Fragile() const { return fragile_; }
  void SetFragile(int value);
  bool IsConditionalStored() const { return Count != 0; }

  TSampleControl* Parent() const { return parent_; }
  void SetParent(TSampleControl* parent);
  const std::vector<TSampleControl*>& Controls() const { return controls_; }

  // Streaming hooks.
  bool HasParent() const override { return true; }
  TComponent* GetParentComponent() const override { return parent_; }
  void SetParentComponent(TComponent* parent) override { SetParent(dynamic_cast<TSampleControl*>(parent)); }
  void GetChildren(const std::function<void(TComponent*)>& proc, TComponent* root) override;
  void DefineProperties(TFiler& filer) override;
  void Loaded() override;

 private:
  TSampleFont* font_;      // owned
  TSampleEffect* effect_;  // owned
  TStringList* lines_;     // owned
  TComponentLink<TSampleControl> buddy_;
  TComponentLink<TComponent> partner_;
  int fragile_ = 0;
  TSampleControl* parent_ = nullptr;
  std::vector<TSampleControl*> controls_;
};

// A root: also writes the components it owns that have no parent.
class TSampleForm : public TSampleControl {
  TAVELKO_CLASS(TSampleForm, TSampleControl)
  static void Publish(TPublisher<TSampleForm>& p);

 public:
  explicit TSampleForm(TComponent* owner) : TSampleControl(owner) {}
  void GetChildren(const std::function<void(TComponent*)>& proc, TComponent* root) override;

  void ButtonClick(TObject* sender);
  void OtherClick(TObject* sender);
  void MouseMoved(TObject* sender, int x, int y);
  std::vector<String> Clicks;  // "ButtonClick:<sender name>" per call
};

// A non-visual component: design position through the core's Left/Top, and a reference.
class TSampleNonVisual : public TComponent {
  TAVELKO_CLASS(TSampleNonVisual, TComponent)
  static void Publish(TPublisher<TSampleNonVisual>& p);

 public:
  explicit TSampleNonVisual(TComponent* owner) : TComponent(owner) {}
  ~TSampleNonVisual() override;
  TSampleControl* Target() const { return target_; }
  void SetTarget(TSampleControl* target) { target_.Set(target); }
  String Text;
  void Loaded() override;

 private:
  TComponentLink<TSampleControl> target_;
};

// Names of the components whose Loaded ran, in order; with the state seen at that moment.
struct TLoadedEntry {
  String Name;
  bool WasLoading;
  bool ReferencesResolved;  // a control's Buddy/Partner or a non-visual's Target already set
};
std::vector<TLoadedEntry>& LoadedLog();

// Registers the sample classes with the class registry (idempotent).
void RegisterSampleClasses();
