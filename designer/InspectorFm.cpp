// The inspector's window: filling the grid, placing the editors, writing values back.
#include "designer/InspectorFm.h"

#include "designer/DsnSpctr.h"
#include "designer/Dsnfunc.h"
#include "framework/core/ScopeGuard.h"
#include "framework/stdctrls/BitBtn.h"
#include "framework/stdctrls/ComboBox.h"
#include "framework/stdctrls/Edit.h"
#include "framework/stdctrls/Grids.h"
#include "framework/stdctrls/Panel.h"
#include "framework/stdctrls/SpeedButton.h"
#include "framework/windows/Application.h"

void TInspectorFm::Publish(TPublisher<TInspectorFm>& p) {
  p.Method("FormCreate", &TInspectorFm::FormCreate);
  p.Method("StringGrid1MouseDown", &TInspectorFm::StringGrid1MouseDown);
  p.Method("StringGrid1TopLeftChanged", &TInspectorFm::StringGrid1TopLeftChanged);
  p.Method("Edit1Exit", &TInspectorFm::Edit1Exit);
  p.Method("ComboBox2Change", &TInspectorFm::ComboBox2Change);
  p.Method("SpeedButton1Click", &TInspectorFm::SpeedButton1Click);
  p.Method("ComboBox1Change", &TInspectorFm::ComboBox1Change);
  p.Method("Panel3Resize", &TInspectorFm::Panel3Resize);
}

TInspectorFm::TInspectorFm(TComponent* owner) : TForm(owner) { InitializeForm(this); }

TInspectorFm::~TInspectorFm() { BeforeDestruction(); }

// ---------------------------------------------------------------------------------------------
// Handlers

void TInspectorFm::FormCreate(TObject*) {
  StringGrid1->SetColWidths(NameCol, 0);
  currentProp_.clear();
}

void TInspectorFm::StringGrid1MouseDown(TObject*, TMouseButton, TShiftState, int, int) {
  if (StringGrid1->Row() > 0) SetGrid(StringGrid1->Row(), true);
}

void TInspectorFm::StringGrid1TopLeftChanged(TObject*) {
  if (IsParked()) return;
  const int row = EditedRow();
  if (row > 0 && StringGrid1->CellRect(ValueCol, row).Right > 0) {
    PlaceEditors(row);
    return;
  }
  WriteBack();
  SetGrid(-1, false);
}

// The edit belongs to the row the editors sit on, wherever the grid's current row has gone since
// (a drag over the rows moves it).
void TInspectorFm::Edit1Exit(TObject*) {
  if (ComponentState().Contains(csDestroying) || !inspector_ || IsParked()) return;
  WriteBack();
}

void TInspectorFm::ComboBox2Change(TObject* sender) {
  // A name half typed into the list is no value of the type yet; writing it would only report
  // an illegal value at every keystroke.
  if (ComboBox2->Items()->IndexOf(ComboBox2->Text()) < 0) return;
  Edit1->SetText(ComboBox2->Text());
  Edit1Exit(sender);
}

void TInspectorFm::SpeedButton1Click(TObject*) {
  if (!inspector_ || !inspector_->OnBtnClick || IsParked()) return;
  const String name = currentProp_;
  String value = Edit1->Text();
  inspector_->BtnClick(name, value);
  Edit1->SetText(value);
  written_ = value;
  inspector_->SetProperty(name, value);
}

void TInspectorFm::ComboBox1Change(TObject*) {
  const int index = ComboBox1->ItemIndex();
  if (!inspector_ || index < 0) return;
  if (auto* control = dynamic_cast<TControl*>(ComboBox1->Items()->GetItemObject(index)))
    inspector_->ChangeTarget(control);
  Edit1->SetLeft(-200);
  Panel2->Hide();
  ComboBox2->Hide();
}

void TInspectorFm::Panel3Resize(TObject*) { ComboBox1->SetWidth(Panel3->Width() - 10); }

// ---------------------------------------------------------------------------------------------
// Grid and editors

void TInspectorFm::Fill(TMultiProps& model) {
  TStrings* names = model.Names();
  TStrings* values = model.Values();
  if (names->Count() != values->Count()) return;
  StringGrid1->SetRowCount(names->Count() + 1);
  int current = -1;
  for (int r = 1; r <= names->Count(); ++r) {
    const String name = names->Get(r - 1);
    StringGrid1->SetCells(CaptionCol, r, GetPropCaption(name, model.InspectList(), model.CaptionList()));
    StringGrid1->SetCells(ValueCol, r, values->Get(r - 1));
    StringGrid1->SetCells(NameCol, r, name);
    if (current < 0 && !currentProp_.empty() && SameText(name, currentProp_)) current = r;
  }
  if (current > 0) {
    // The row first, so that the editor goes where the row lies after scrolling into view.
    StringGrid1->SetRow(current);
    SetGrid(current, false);
  } else {
    SetGrid(-1, false);
  }
  if (!Visible()) ShowInactive();
}

void TInspectorFm::SetGrid(int row, bool focus) {
  if (row < 0) {
    Edit1->SetEnabled(false);
    Edit1->SetLeft(ParkedLeft);
    Panel2->Hide();
    ComboBox2->Hide();
    return;
  }
  const String name = StringGrid1->Cells(NameCol, row);
  const String value = StringGrid1->Cells(ValueCol, row);
  const bool button = IsButtonProp(name);

  TMultiProps* model = inspector_ ? inspector_->MultiProps() : nullptr;
  if (!model || model->Items()->Count() == 0 || !model->Items()->Items(0)) return;
  currentProp_ = name;
  const TPropInfo* info = GetPropInfo(static_cast<TObject*>(model->Items()->Items(0)), name);

  if (info && info->Kind() == tkEnumeration) {
    const TTypeInfo& type = *info->PropType;
    TStrings* items = ComboBox2->Items();
    items->Clear();
    for (std::int64_t v = type.MinValue; v <= type.MaxValue; ++v) items->Add(GetEnumName(type, v));
    // The value's own entry is the list's choice, so that the keys move on from it.
    ComboBox2->SetItemIndex(items->IndexOf(value));
    ComboBox2->SetText(value);
    ComboBox2->Show();
    Edit1->Hide();
  } else {
    ComboBox2->Hide();
    Edit1->Show();
    Edit1->SetEnabled(true);
  }
  if (button) {
    Edit1->Show();
    Edit1->SetEnabled(false);
    Panel2->Show();
    ComboBox2->Hide();
  } else {
    Panel2->Hide();
    Edit1->SetEnabled(true);
  }
  PlaceEditors(row);
  if (!button && Edit1->Visible() && focus) Edit1->SetFocus();
  Edit1->SetText(value);
  written_ = value;
  Edit1->SelectAll();
}

void TInspectorFm::PlaceEditors(int row) {
  const TRect cell = ValueCellInForm(row);
  const int colWidth = StringGrid1->ColWidths(ValueCol);
  const int rowHeight = StringGrid1->DefaultRowHeight();
  ComboBox2->SetBounds(cell.Left, cell.Top + 2, colWidth + 3, rowHeight + 3);
  Panel2->SetBounds(cell.Left + colWidth - 23, cell.Top + 2, 25, rowHeight);
  Edit1->SetBounds(cell.Left, cell.Top, colWidth + 3, rowHeight + 3);
}

int TInspectorFm::EditedRow() const {
  for (int row = 1; row < StringGrid1->RowCount(); ++row)
    if (StringGrid1->Cells(NameCol, row) == currentProp_) return row;
  return -1;
}

bool TInspectorFm::IsButtonProp(const String& name) const {
  if (!btnProps_) return false;
  for (int i = 0; i < btnProps_->Count(); ++i)
    if (btnProps_->Get(i) == name) return true;
  return false;
}

bool TInspectorFm::IsParked() const { return Edit1->Left() < 0; }

TRect TInspectorFm::ValueCellInForm(int row) {
  const TRect cell = StringGrid1->CellRect(ValueCol, row);
  // The grid's client area, not its outer edge: a border would shift the cells.
  const TPoint origin = ScreenToClient(StringGrid1->ClientToScreen({cell.Left, cell.Top}));
  return {origin.X, origin.Y, origin.X + cell.Right - cell.Left, origin.Y + cell.Bottom - cell.Top};
}

void TInspectorFm::WriteBack() {
  if (writing_ || Edit1->Text() == written_) return;
  const auto busy = TemporarilySet(writing_, true);
  written_ = Edit1->Text();
  try {
    inspector_->SetProperty(currentProp_, Edit1->Text());
  } catch (...) {
    Application->HandleException(this);
  }
}
