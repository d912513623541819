// The component palette: TDsnPanel with its palette buttons and its arrow button.
#include "designer/DsnPanel.h"

#include <algorithm>
#include <cstring>

#include "framework/core/Exception.h"
#include "framework/core/Filer.h"
#include "framework/graphics/Bitmap.h"
#include "framework/windows/Messages.h"

namespace {

// Names of stored templates are short strings.
constexpr std::size_t kMaxGeneNameLength = 255;

const String kDepositPanelName = "DsnDpstPanel";

// `base` + the first number from 1 that no component of `owner` is named with.
String FirstFreeName(const TComponent& owner, const String& base) {
  for (int n = 1;; ++n)
    if (!owner.FindComponent(base + IntToStr(n))) return base + IntToStr(n);
}

// `base`, with "X" appended until no component of `owner` has the name.
String FreeTemplateName(const TComponent& owner, String name) {
  while (owner.FindComponent(name)) name += "X";
  return name;
}

// A bitmap resource of the program: a BMP file without its file header. False when there is none
// or it cannot be read; the picture then stays empty.
bool LoadPicture(TSpeedButton& button, const String& name) {
  HMODULE module = GetModuleHandleW(nullptr);
  HRSRC resource = FindResourceW(module, CP932ToWide(name).c_str(), RT_BITMAP);
  HGLOBAL loaded = resource ? LoadResource(module, resource) : nullptr;
  const auto* dib = static_cast<const std::uint8_t*>(loaded ? LockResource(loaded) : nullptr);
  const std::size_t size = resource ? SizeofResource(module, resource) : 0;
  if (!dib || size < sizeof(BITMAPINFOHEADER)) return false;
  BITMAPINFOHEADER header;
  std::memcpy(&header, dib, sizeof header);
  const std::uint64_t colors =
      header.biClrUsed ? header.biClrUsed : (header.biBitCount <= 8 ? 1u << header.biBitCount : 0);
  const std::uint64_t masks = header.biCompression == BI_BITFIELDS && header.biSize == sizeof header ? 12 : 0;
  const std::uint64_t pixels = std::uint64_t{header.biSize} + masks + colors * 4;
  if (pixels > size) return false;
  BITMAPFILEHEADER file{};
  file.bfType = 0x4D42;  // "BM"
  file.bfSize = static_cast<DWORD>(sizeof file + size);
  file.bfOffBits = static_cast<DWORD>(sizeof file + pixels);
  std::vector<std::uint8_t> bytes(sizeof file + size);
  std::memcpy(bytes.data(), &file, sizeof file);
  std::memcpy(bytes.data() + sizeof file, dib, size);
  TBitmap picture;
  try {
    picture.LoadFromBytes(std::move(bytes));
  } catch (const Exception&) {
    return false;
  }
  button.SetGlyph(&picture);
  return true;
}

}  // namespace

// ---------------------------------------------------------------------------------------------
// TArrowButton

void TArrowButton::Loaded() {
  TSpeedButton::Loaded();
  SetAllowAllUp(false);
  SetEnabled(false);
}

void TArrowButton::Click() {
  TSpeedButton::Click();
  if (Down() && palette_) palette_->SetTemplate(this);
}

void TArrowButton::SetDsnPanel(TCustomCmpPlt* palette) {
  if (palette) palette_.Set(palette);
}

// ---------------------------------------------------------------------------------------------
// TDsnButton

TDsnButton::~TDsnButton() { SetParent(nullptr); }

void TDsnButton::Loaded() {
  TSpeedButton::Loaded();
  SetEnabled(false);
  palette_.Set(dynamic_cast<TDsnPanel*>(Parent()));
}

void TDsnButton::Click() {
  TSpeedButton::Click();
  if (!Down() || !palette_) return;
  if (template_) palette_->SetTemplate(template_);
  else palette_->PressArrowButton();
}

void TDsnButton::SetGeneName(const String& value) { geneName_ = value.substr(0, kMaxGeneNameLength); }

void TDsnButton::Link(TDsnPanel* palette, TComponent* component) {
  palette_.Set(palette);
  template_.Set(component);
}

void TDsnButton::DefineProperties(TFiler& filer) {
  TSpeedButton::DefineProperties(filer);
  filer.DefineProperty(
      "GeneName", [this](TReader& reader) { SetGeneName(reader.ReadString()); },
      [this](TWriter& writer) { writer.WriteString(geneName_); }, true);
}

// ---------------------------------------------------------------------------------------------
// TDsnPanel: the run-time side

void TDsnPanel::Publish(TPublisher<TDsnPanel>& p) {
  p.Prop("BtnWidth", &TDsnPanel::BtnWidth, &TDsnPanel::SetBtnWidth).Default(90);
  p.Prop("BtnHeight", &TDsnPanel::BtnHeight, &TDsnPanel::SetBtnHeight).Default(50);
  p.Prop("BtnCaption", &TDsnPanel::BtnCaption, &TDsnPanel::SetBtnCaption).Default(true);
}

void TDsnPanel::SetDesigning(bool value) {
  StoreDesigning(value);
  if (value && arrowButton_) arrowButton_->SetDown(true);
  if (arrowButton_) arrowButton_->SetEnabled(value);
  for (TDsnButton* button : Buttons()) {
    // Templates are found anew each time: the layout may have been read since.
    if (value) button->Link(this, Owner() ? Owner()->FindComponent(button->GeneName()) : nullptr);
    button->SetEnabled(value);
  }
}

void TDsnPanel::SetTemplate(TComponent* component) {
  template_.Set(dynamic_cast<TArrowButton*>(component) ? nullptr : component);
}

void TDsnPanel::SetArrowButton(TArrowButton* button) {
  if (button) arrowButton_.Set(button);
}

void TDsnPanel::EndCreating() { PressArrowButton(); }

void TDsnPanel::PressArrowButton() {
  template_.Set(nullptr);
  if (arrowButton_) arrowButton_->SetDown(true);
}

std::vector<const TClassInfo*> TDsnPanel::OfferedClasses() const {
  std::vector<const TClassInfo*> classes;
  if (!Owner()) return classes;
  for (const TDsnButton* button : Buttons())
    if (const TComponent* offered = Owner()->FindComponent(button->GeneName())) classes.push_back(&offered->ClassInfo());
  return classes;
}

std::vector<TDsnButton*> TDsnPanel::Buttons() const {
  std::vector<TDsnButton*> buttons;
  for (int i = 0; i < ControlCount(); ++i)
    if (auto* button = dynamic_cast<TDsnButton*>(Controls(i))) buttons.push_back(button);
  return buttons;
}

// ---------------------------------------------------------------------------------------------
// TDsnPanel: the authoring side

void TDsnPanel::Dispatch(TMessage& message) {
  switch (message.Msg) {
    case CM_CONTROLCHANGE:
      TCustomCmpPlt::Dispatch(message);
      ControlChange(reinterpret_cast<TControl*>(message.WParam), message.LParam != 0);
      return;
    case DSNM_DEPOSITCONTROL: DepositControl(message); return;
    default: TCustomCmpPlt::Dispatch(message);
  }
}

void TDsnPanel::ControlChange(TControl* control, bool inserting) {
  const bool isButton = dynamic_cast<TDsnButton*>(control) || dynamic_cast<TArrowButton*>(control);
  if (!isButton) PostDeposit(control);
  if (inserting || !ComponentState().Contains(csDesigning) || ComponentState().Contains(csDestroying)) return;
  auto* button = dynamic_cast<TDsnButton*>(control);
  if (!button || !Owner() || Owner()->ComponentState().Contains(csDestroying)) return;
  TComponent* target = Owner()->FindComponent(button->GeneName());
  if (target && target != this && target != button) delete target;
}

// The message names a control that must still be alive when it arrives: it is remembered until
// then, and forgotten when it is destroyed first.
void TDsnPanel::PostDeposit(TControl* control) {
  if (ComponentState().Contains(csDestroying) || !HandleAllocated()) return;
  pendingDeposits_.Add(control);
  PostMessageW(Handle(), DSNM_DEPOSITCONTROL, reinterpret_cast<WPARAM>(control), 0);
}

void TDsnPanel::DepositControl(TMessage& message) {
  auto* control = reinterpret_cast<TControl*>(message.WParam);
  if (!pendingDeposits_.Remove(control)) return;
  // Every other message is the removal that the deposit itself caused by moving the control away.
  acceptNext_ = !acceptNext_;
  if (acceptNext_) return;
  if (!ComponentState().Contains(csDesigning) || !Owner()) return;
  Deposit(control);
}

void TDsnPanel::Deposit(TControl* control) {
  TComponent* owner = Owner();
  TWinControl* depositPanel = DepositPanel();
  if (!FindArrowButton()) MakeArrowButton();
  control->SetParent(depositPanel);
  control->SetName(FreeTemplateName(*owner, "Dpst_" + control->ClassName()));
  control->SetBounds(0, 0, 50, 50);

  auto* button = new TDsnButton(owner);
  button->SetParent(this);
  button->Link(this, control);
  button->SetGeneName(control->Name());
  button->SetName(FirstFreeName(*owner, "DsnButton"));
  const String className = UpperCase(control->ClassName());
  if (!LoadPicture(*button, className)) LoadPicture(*button, "TCOMPONENT");
  if (btnCaption_) button->SetCaption(className.substr(1));
  button->SetLayout(blGlyphTop);
  Place(*button, ButtonCount());
}

TWinControl* TDsnPanel::DepositPanel() {
  if (auto* found = dynamic_cast<TWinControl*>(Owner()->FindComponent(kDepositPanelName))) return found;
  auto* panel = new TPanel(Owner());
  panel->SetParent(Parent());
  panel->SetName(kDepositPanelName);
  panel->SetBounds(-100, -100, 50, 50);
  return panel;
}

TArrowButton* TDsnPanel::FindArrowButton() const {
  for (int i = 0; i < ControlCount(); ++i)
    if (auto* arrow = dynamic_cast<TArrowButton*>(Controls(i))) return arrow;
  return nullptr;
}

void TDsnPanel::MakeArrowButton() {
  auto* arrow = new TArrowButton(Owner());
  arrow->SetParent(this);
  arrow->SetName(FirstFreeName(*Owner(), "ArrowButton"));
  arrowButton_.Set(arrow);
  arrow->SetBounds(8, 8, btnWidth_, btnHeight_);
  LoadPicture(*arrow, "ARROWBUTTON");
  arrow->SetGroupIndex(kPaletteGroupIndex);
}

int TDsnPanel::ButtonCount() const {
  int count = 0;
  for (int i = 0; i < ControlCount(); ++i)
    if (dynamic_cast<TDsnButton*>(Controls(i)) || dynamic_cast<TArrowButton*>(Controls(i))) ++count;
  return count;
}

void TDsnPanel::Place(TSpeedButton& button, int n) {
  if (Width() < btnWidth_) SetWidth(btnWidth_ + 24);
  // A width of 0 or less from the stream would divide by zero: one button a row then.
  const int perRow = btnWidth_ > 0 ? std::max(1, Width() / btnWidth_) : 1;
  const int column = (n - 1) % perRow, row = (n - 1) / perRow;
  button.SetBounds(btnWidth_ * column + 8, btnHeight_ * row + 8, btnWidth_, btnHeight_);
  button.SetGroupIndex(kPaletteGroupIndex);
}

// ---------------------------------------------------------------------------------------------
// Registration

void RegisterDsnPanelClasses() {
  RegisterClasses({&TDsnPanel::StaticClassInfo(), &TDsnButton::StaticClassInfo(), &TArrowButton::StaticClassInfo()});
}
