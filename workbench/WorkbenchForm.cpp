#include "workbench/WorkbenchForm.h"

#include <optional>

#include "controls/GradBox.h"
#include "controls/HistoryComboBox.h"
#include "controls/ShineSpdBtn.h"
#include "controls/dxfLabel.h"
#include "designer/DsnPanel.h"
#include "designer/DsnSpctr.h"
#include "designer/DsnUnit.h"
#include "framework/stdctrls/BitBtn.h"
#include "framework/stdctrls/Dialogs.h"
#include "framework/stdctrls/Grids.h"
#include "framework/stdctrls/Image.h"
#include "framework/stdctrls/Label.h"
#include "framework/stdctrls/Memo.h"
#include "framework/stdctrls/Menus.h"
#include "framework/stdctrls/Shape.h"
#include "workbench/ControllerKinds.h"
#include "workbench/StageDocument.h"

namespace {

// The log keeps the latest changes only: a long session must not make every change slower.
constexpr int kMaxLogLines = 500;

const char* OperationName(TSelectOperation operation) {
  switch (operation) {
    case opAdd: return "Add";
    case opClear: return "Clear";
    case opDelete: return "Delete";
    case opItemDeath: return "ItemDeath";
  }
  return "?";
}

}  // namespace

void TWorkbenchForm::Publish(TPublisher<TWorkbenchForm>& p) {
  p.Method("FileNewClick", &TWorkbenchForm::FileNewClick);
  p.Method("FileOpenClick", &TWorkbenchForm::FileOpenClick);
  p.Method("FileSaveClick", &TWorkbenchForm::FileSaveClick);
  p.Method("FileExitClick", &TWorkbenchForm::FileExitClick);
  p.Method("RecentStagesChange", &TWorkbenchForm::RecentStagesChange);
  p.Method("DsnSelect1ChangeSelected", &TWorkbenchForm::DsnSelect1ChangeSelected);
  p.Method("DsnInspector1BtnClick", &TWorkbenchForm::DsnInspector1BtnClick);
}

TWorkbenchForm::TWorkbenchForm(TComponent* owner) : TForm(owner) {
  InitializeForm(this);
  AllowPaletteDocuments();
  document_ = std::make_unique<TStageDocument>(*DsnStage1, *OpenDialog1, *SaveDialog1, *RecentStages);
  AddControllerItems();
  AddArrangeItems();
  SetKeyPreview(true);
  OnKeyDown = TKeyEvent(this, &TWorkbenchForm::WorkbenchKeyDown);
}

TWorkbenchForm::~TWorkbenchForm() {
  // Design mode ends while the stage and its helpers are all still there.
  if (DsnSwitch1) DsnSwitch1->DesignOff();
}

void TWorkbenchForm::AllowPaletteDocuments() {
  TDocumentRules& rules = DsnStage1->DocumentRules().AllowNothing();
  for (const TClassInfo* offered : DsnPanel1->OfferedClasses()) rules.Allow(*offered);
}

void TWorkbenchForm::AddControllerItems() {
  for (std::size_t kind = 0; kind < kControllerKinds.size(); ++kind) {
    auto* item = new TMenuItem(this);
    item->SetCaption(kControllerKinds[kind].Caption);
    item->SetRadioItem(true);
    item->SetGroupIndex(1);
    item->SetTag(static_cast<int>(kind));
    item->SetChecked(kind == controllerKind_);
    item->OnClick = TNotifyEvent(this, &TWorkbenchForm::ControllerClick);
    ControllerMenu->Add(item);
  }
  MenuChanged();
}

void TWorkbenchForm::AddArrangeItems() {
  using enum TDsnArrangement;
  struct TEntry {
    std::optional<TDsnArrangement> What;  // none: a separator
    const char* Caption;
  };
  static constexpr TEntry kEntries[] = {
      {BringToFront, "Bring to &front"}, {SendToBack, "Send to &back"},     {BringForward, "Bring f&orward"},
      {SendBackward, "Send back&ward"},  {std::nullopt, "-"},               {AlignLefts, "Align &lefts"},
      {AlignCentres, "Align &centres"},  {AlignRights, "Align &rights"},    {AlignTops, "Align &tops"},
      {AlignMiddles, "Align &middles"},  {AlignBottoms, "Align bottom&s"},  {std::nullopt, "-"},
      {SameWidth, "Same &width"},        {SameHeight, "Same &height"},      {SameSize, "Same si&ze"},
      {std::nullopt, "-"},               {SpaceAcross, "Space &across"},    {SpaceDown, "Space &down"},
  };
  for (const TEntry& entry : kEntries) {
    auto* item = new TMenuItem(this);
    if (entry.What) {
      item->SetCaption(String(entry.Caption) + "\t" + ArrangementKeyText(*entry.What));
      item->SetTag(static_cast<int>(*entry.What));
      item->OnClick = TNotifyEvent(this, &TWorkbenchForm::ArrangeClick);
    } else {
      item->SetCaption(entry.Caption);
    }
    ArrangeMenu->Add(item);
  }
  MenuChanged();
}

void TWorkbenchForm::ArrangeClick(TObject* sender) {
  DsnRegister1->Arrange(static_cast<TDsnArrangement>(static_cast<TMenuItem*>(sender)->Tag()));
}

void TWorkbenchForm::WorkbenchKeyDown(TObject*, Word& key, TShiftState shift) {
  TDsnArrangement what;
  if (!DsnRegister1->Designing() || !ArrangementOfKey(key, shift.Contains(ssCtrl), shift.Contains(ssShift), what)) return;
  DsnRegister1->Arrange(what);
  key = 0;
}

void TWorkbenchForm::ControllerClick(TObject* sender) {
  UseController(static_cast<std::size_t>(static_cast<TMenuItem*>(sender)->Tag()));
}

void TWorkbenchForm::UseController(std::size_t kind) {
  DsnRegister1 = ReplaceController(DsnRegister1, kControllerKinds.at(kind).Class(), *DsnSwitch1, {DsnSelect1});
  controllerKind_ = kind;
  ControllerMenu->Items(static_cast<int>(kind))->SetChecked(true);
  Log(String("Controller: ") + DsnRegister1->ClassName());
}

void TWorkbenchForm::FileNewClick(TObject*) { document_->New(); }

void TWorkbenchForm::FileOpenClick(TObject*) { document_->Open(); }

void TWorkbenchForm::FileSaveClick(TObject*) { document_->SaveAs(); }

void TWorkbenchForm::FileExitClick(TObject*) { Close(); }

void TWorkbenchForm::RecentStagesChange(TObject*) {
  const int chosen = RecentStages->ItemIndex();
  if (chosen >= 0) document_->OpenFile(RecentStages->Items()->Get(chosen));
}

void TWorkbenchForm::DsnSelect1ChangeSelected(TObject*, TSelectedComponents* targets, TSelectOperation operation) {
  String line = OperationName(operation);
  line += ":";
  for (int i = 0; i < targets->Count(); ++i) {
    TComponent* component = targets->GetComponents(i);
    line += i == 0 ? " " : ", ";
    line += component ? component->Name() : String("(dying)");
  }
  Log(line);
}

void TWorkbenchForm::DsnInspector1BtnClick(TObject*, TSelectedComponents* targets, String propName, String& value) {
  auto* first = targets->Count() ? dynamic_cast<TControl*>(targets->GetComponents(0)) : nullptr;
  if (!first) return;
  if (SameText(propName, "Color")) {
    // The inspector writes the number to every selected control.
    ColorDialog1->SetColor(first->Color());
    if (ColorDialog1->Execute()) value = IntToStr(ColorDialog1->Color());
  } else if (SameText(propName, "Font")) {
    // A font has no text to write back: the controls take it here, and the value stays.
    FontDialog1->SetFont(first->Font());
    if (!FontDialog1->Execute()) return;
    for (int i = 0; i < targets->Count(); ++i)
      if (auto* control = dynamic_cast<TControl*>(targets->GetComponents(i))) control->SetFont(FontDialog1->Font());
  }
}

void TWorkbenchForm::Log(const String& line) {
  TStrings* log = LogMemo->Lines();
  {
    auto batch = log->UpdateLock();
    while (log->Count() >= kMaxLogLines) log->Delete(0);
    log->Add(line);
  }
  LogMemo->Perform(WM_VSCROLL, SB_BOTTOM, 0);
}
