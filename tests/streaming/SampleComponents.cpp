// Sample classes for the stream and lister tests: publishing, parenting, self-streamed data.
#include "SampleComponents.h"

#include <algorithm>

#include "framework/core/Filer.h"
#include "framework/core/Stream.h"

const TTypeInfo& TypeInfoOf(TypeTag<TSampleAlign>) {
  static const TTypeInfo info = MakeEnumType("TSampleAlign", {"saNone", "saLeft", "saClient"});
  return info;
}

const TTypeInfo& TypeInfoOf(TypeTag<TSampleStyle>) {
  static const TTypeInfo info =
      MakeEnumType("TSampleStyle", {"ssBold", "ssItalic", "ssUnderline", "ss3", "ss4", "ss5", "ss6", "ss7", "ss8",
                                    "ss9", "ss10", "ss11", "ss12", "ss13", "ss14", "ss15", "ss16", "ss17"});
  return info;
}

const TTypeInfo& TypeInfoOf(TypeTag<TSamplePenStyle>) {
  static const TTypeInfo info = MakeEnumType("TSamplePenStyle", {"psSolid", "psDash", "psClear"});
  return info;
}

const TTypeInfo& SampleColorType() {
  static const TTypeInfo info = MakeIntegerType(
      "TColor", INT32_MIN, INT32_MAX,
      {{clBlack, "clBlack"}, {clWhite, "clWhite"}, {clGray, "clGray"}, {clBtnFace, "clBtnFace"}});
  return info;
}

const TTypeInfo& SampleCharsetType() {
  static const TTypeInfo info =
      MakeIntegerType("TFontCharset", 0, 255, {{1, "DEFAULT_CHARSET"}, {SHIFTJIS_CHARSET, "SHIFTJIS_CHARSET"}});
  return info;
}

// ---- Persistent sub-objects ----

void TSamplePen::Publish(TPublisher<TSamplePen>& p) {
  p.Prop("Style", &TSamplePen::Style).Default(psSolid);
  p.Prop("Width", &TSamplePen::Width).Default(1);
}

void TSamplePen::Assign(TPersistent* source) {
  if (auto* pen = dynamic_cast<TSamplePen*>(source)) {
    Style = pen->Style;
    Width = pen->Width;
    return;
  }
  TPersistent::Assign(source);
}

void TSampleFont::Publish(TPublisher<TSampleFont>& p) {
  p.Prop("Charset", &TSampleFont::Charset).Type(SampleCharsetType()).Default(1);
  p.Prop("Color", &TSampleFont::Color).Type(SampleColorType()).Default(clBlack);
  p.Prop("Height", &TSampleFont::Height).Default(-12);
  p.Prop("Name", &TSampleFont::Name);
  p.Prop("Style", &TSampleFont::Style).Default(TSampleStyles{});
}

void TSampleFont::Assign(TPersistent* source) {
  if (auto* font = dynamic_cast<TSampleFont*>(source)) {
    Name = font->Name;
    Height = font->Height;
    Color = font->Color;
    Charset = font->Charset;
    Style = font->Style;
    return;
  }
  TPersistent::Assign(source);
}

void TSampleEffect::Publish(TPublisher<TSampleEffect>& p) {
  p.Prop("Depth", &TSampleEffect::Depth).Default(0);
  p.Prop("ShadowedColor", &TSampleEffect::ShadowedColor).Type(SampleColorType()).Default(clBlack);
  p.Prop("Pen", &TSampleEffect::Pen, &TSampleEffect::SetPen);
}

void TSampleEffect::Assign(TPersistent* source) {
  if (auto* effect = dynamic_cast<TSampleEffect*>(source)) {
    Depth = effect->Depth;
    ShadowedColor = effect->ShadowedColor;
    pen_->Assign(effect->pen_);
    return;
  }
  TPersistent::Assign(source);
}

// ---- Controls ----

void TSampleControl::Publish(TPublisher<TSampleControl>& p) {
  p.Prop("Left", &TSampleControl::Left);
  p.Prop("Top", &TSampleControl::Top);
  p.Prop("Width", &TSampleControl::Width).Default(0);
  p.Prop("Count", &TSampleControl::Count).Default(0);
  p.Prop("Color", &TSampleControl::Color).Type(SampleColorType()).Default(clBtnFace);
  p.Prop("Hidden", &TSampleControl::Hidden).Stored(false);
  p.Prop("Conditional", &TSampleControl::Conditional).Stored(&TSampleControl::IsConditionalStored);
  p.Prop("Letter", &TSampleControl::Letter).Default('A');
  p.Prop("WideLetter", &TSampleControl::WideLetter).Default(L'W');
  p.Prop("Align", &TSampleControl::Align).Default(saNone);
  p.Prop("Visible", &TSampleControl::Visible).Default(true);
  p.Prop("Style", &TSampleControl::Style).Default(TSampleStyles{});
  p.Prop("Ratio", &TSampleControl::Ratio);
  p.Prop("Scale", &TSampleControl::Scale);
  p.Prop("Caption", &TSampleControl::Caption);
  p.Prop("WideCaption", &TSampleControl::WideCaption);
  p.Prop("Font", &TSampleControl::Font, &TSampleControl::SetFont);
  p.Prop("Effect3D", &TSampleControl::Effect3D, &TSampleControl::SetEffect3D);
  p.Prop("Lines", &TSampleControl::Lines, &TSampleControl::SetLines);
  p.Prop("Buddy", &TSampleControl::Buddy, &TSampleControl::SetBuddy);
  p.Prop("Partner", &TSampleControl::Partner, &TSampleControl::SetPartner);
  p.Prop("Fragile", &TSampleControl::Fragile, &TSampleControl::SetFragile).Default(0);
  p.Prop("OnClick", &TSampleControl::OnClick);
  p.Prop("OnChange", &TSampleControl::OnChange);
}

TSampleControl::TSampleControl(TComponent* owner)
    : TComponent(owner), font_(new TSampleFont), effect_(new TSampleEffect), lines_(new TStringList) {}

TSampleControl::~TSampleControl() {
  BeforeDestruction();
  while (!controls_.empty()) delete controls_.back();
  SetParent(nullptr);
  delete lines_;
  delete effect_;
  delete font_;
}

void TSampleControl::SetFragile(int value) {
  if (value < 0) throw EConvertError("Fragile must not be negative");
  fragile_ = value;
}

void TSampleControl::SetParent(TSampleControl* parent) {
  if (parent_ == parent) return;
  if (parent_) {
    auto& siblings = parent_->controls_;
    siblings.erase(std::remove(siblings.begin(), siblings.end(), this), siblings.end());
  }
  parent_ = parent;
  if (parent_) parent_->controls_.push_back(this);
}

void TSampleControl::GetChildren(const std::function<void(TComponent*)>& proc, TComponent* root) {
  for (TSampleControl* control : controls_)
    if (control->Owner() == root) proc(control);
}

void TSampleControl::DefineProperties(TFiler& filer) {
  TComponent::DefineProperties(filer);
  filer.DefineProperty(
      "GeneName", [this](TReader& reader) { GeneName = reader.ReadString(); },
      [this](TWriter& writer) { writer.WriteString(GeneName); }, true);
  filer.DefineBinaryProperty(
      "Blob",
      [this](TStream& stream) {
        Blob.assign(static_cast<std::size_t>(stream.Size()), '\0');
        stream.ReadBuffer(Blob.data(), stream.Size());
      },
      [this](TStream& stream) { stream.WriteBuffer(Blob.data(), static_cast<std::int64_t>(Blob.size())); },
      !Blob.empty());
}

void TSampleControl::Loaded() {
  LoadedLog().push_back({Name(), ComponentState().Contains(csLoading), buddy_ != nullptr || partner_ != nullptr});
  TComponent::Loaded();
}

void TSampleForm::Publish(TPublisher<TSampleForm>& p) {
  p.Method("ButtonClick", &TSampleForm::ButtonClick);
  p.Method("OtherClick", &TSampleForm::OtherClick);
  p.Method("MouseMoved", &TSampleForm::MouseMoved);
}

void TSampleForm::GetChildren(const std::function<void(TComponent*)>& proc, TComponent* root) {
  TSampleControl::GetChildren(proc, root);
  if (root != this) return;
  for (int i = 0; i < ComponentCount(); ++i)
    if (!Components(i)->HasParent()) proc(Components(i));
}

void TSampleForm::ButtonClick(TObject* sender) {
  Clicks.push_back("ButtonClick:" + dynamic_cast<TComponent*>(sender)->Name());
}
void TSampleForm::OtherClick(TObject* sender) {
  Clicks.push_back("OtherClick:" + dynamic_cast<TComponent*>(sender)->Name());
}
void TSampleForm::MouseMoved(TObject*, int, int) {}

// ---- Non-visual ----

void TSampleNonVisual::Publish(TPublisher<TSampleNonVisual>& p) {
  p.Prop("Target", &TSampleNonVisual::Target, &TSampleNonVisual::SetTarget);
  p.Prop("Text", &TSampleNonVisual::Text);
}

TSampleNonVisual::~TSampleNonVisual() { BeforeDestruction(); }

void TSampleNonVisual::Loaded() {
  LoadedLog().push_back({Name(), ComponentState().Contains(csLoading), target_ != nullptr});
  TComponent::Loaded();
}

std::vector<TLoadedEntry>& LoadedLog() {
  static std::vector<TLoadedEntry> log;
  return log;
}

void RegisterSampleClasses() {
  RegisterClasses({&TSampleControl::StaticClassInfo(), &TSampleForm::StaticClassInfo(),
                   &TSampleNonVisual::StaticClassInfo()});
}
