// The property model: selection snapshots, the live property table, the context-menu table and the
// abstract inspector.
#include "designer/DsnProp.h"

#include "designer/DsnInfo.h"
#include "designer/Dsnfunc.h"
#include "designer/Dsnhandle.h"
#include "framework/windows/Control.h"

namespace {

void RemoveName(TStrings* list, const String& name) {
  const int index = list->IndexOf(name);
  if (index >= 0) list->Delete(index);
}

}  // namespace

// ---------------------------------------------------------------------------------------------
// TSelectedComponents

TSelectedComponents::TSelectedComponents() : list_(std::make_unique<TList>()) {}

void TSelectedComponents::AssignList(TList* list) {
  if (!list) return;
  for (int i = 0; i < list->Count(); ++i) list_->Add(list->Items(i));
}

TComponent* TSelectedComponents::GetComponents(int index) const {
  return static_cast<TComponent*>(list_->Items(index));
}

// ---------------------------------------------------------------------------------------------
// TMultiProps

TMultiProps::TMultiProps()
    : classNames_(std::make_unique<TStringList>()),
      inspectList_(std::make_unique<TStringList>()),
      captionList_(std::make_unique<TStringList>()),
      outList_(std::make_unique<TStringList>()),
      names_(std::make_unique<TStringList>()),
      values_(std::make_unique<TStringList>()),
      candidates_(std::make_unique<TStringList>()),
      items_(std::make_unique<TList>()) {}

TMultiProps::~TMultiProps() {
  if (inspector_ && inspector_->MultiProps() == this) inspector_->SetMultiProps(nullptr);
}

void TMultiProps::SetInspector(TCustomInspector* inspector) {
  inspector_.Set(inspector);
  if (inspector_) inspector_->SetMultiProps(this);
}

void TMultiProps::ItemDeath(int index) { items_->Put(index, nullptr); }

void TMultiProps::Add(void* item) {
  if (items_->IndexOf(item) >= 0) return;
  items_->Add(item);
  FoldLastItem();
}

void TMultiProps::FoldLastItem() {
  AddObjctProp(static_cast<TObject*>(items_->Last()), items_->Count(), inspectList_.get(), outList_.get(),
               names_.get(), values_.get(), classNames_.get(), candidates_.get());
}

void TMultiProps::Clear() {
  classNames_->Clear();
  candidates_->Clear();
  items_->Clear();
  names_->Clear();
  values_->Clear();
}

void TMultiProps::Delete(int index) {
  if (items_->Items(index)) {
    RemoveLiveSlot(index);
    return;
  }
  // The dead control's properties can no longer be read; the table is made anew from the others,
  // so that what the dead one withheld or lacked comes back.
  items_->Delete(index);
  Rebuild();
}

void TMultiProps::Rebuild() {
  TList remaining;
  remaining.Assign(*items_);
  Clear();
  for (int i = 0; i < remaining.Count(); ++i) Add(remaining.Items(i));
}

void TMultiProps::RemoveLiveSlot(int index) {
  auto* removed = static_cast<TObject*>(items_->Items(index));
  items_->Delete(index);
  if (items_->Count() == 0) {
    Clear();
    return;
  }
  // The pool: the names that may become common now.
  TStringList pool;
  pool.Assign(candidates_.get());
  candidates_->Clear();
  TObjInfo removedInfo(removed);
  for (int i = 0; i < removedInfo.Count(); ++i) {
    const TPropInfo* prop = removedInfo.PropList()[i];
    if (prop && inspectList_->IndexOf(prop->Name) >= 0 && names_->IndexOf(prop->Name) < 0 &&
        outList_->IndexOf(prop->Name) < 0)
      RemoveName(&pool, prop->Name);
  }
  for (int i = 0; i < names_->Count(); ++i) RemoveName(&pool, names_->Get(i));

  TStringList newNames;
  for (int n = 0; n < items_->Count(); ++n) {
    TObjInfo info(static_cast<TObject*>(items_->Items(n)));
    if (n > 0 && classNames_->IndexOf(info.ObjClassName()) >= 0) continue;
    if (n == 0) {
      classNames_->Clear();
      for (int i = 0; i < pool.Count(); ++i)
        if (info.IndexOfProp(pool[i]) >= 0) newNames.Add(pool[i]);
      if (items_->Count() > 1)
        for (int i = 0; i < outList_->Count(); ++i) RemoveName(&newNames, outList_->Get(i));
    } else {
      for (int i = newNames.Count() - 1; i >= 0; --i)
        if (info.IndexOfProp(newNames[i]) < 0) newNames.Delete(i);
    }
    classNames_->Add(info.ObjClassName());
    for (int i = 0; i < info.Count(); ++i) {
      const TPropInfo* prop = info.PropList()[i];
      if (prop && inspectList_->IndexOf(prop->Name) >= 0 && candidates_->IndexOf(prop->Name) < 0)
        candidates_->Add(prop->Name);
    }
  }
  names_->AddStrings(&newNames);
  GetValues();
  OderProps(inspectList_.get(), names_.get(), values_.get());
}

void TMultiProps::GetValues() { GetPropValues(items_.get(), names_.get(), values_.get()); }

void TMultiProps::SetPosition() {
  GetValues();
  if (inspector_) inspector_->SetPosition();
}

// ---------------------------------------------------------------------------------------------
// TContextProps

TContextProps::TContextProps()
    : inspectList_(std::make_unique<TStringList>()),
      captionList_(std::make_unique<TStringList>()),
      names_(std::make_unique<TStringList>()),
      values_(std::make_unique<TStringList>()) {}

void TContextProps::CreateTable(TStrings* selfProps, TStrings* outProps, TList* targets) {
  outList_ = outProps;
  targets_ = targets;
  names_->Clear();
  values_->Clear();
  SepareteStringsByBar(selfProps, inspectList_.get(), captionList_.get());
  GetPropTable(targets, inspectList_.get(), outList_, names_.get(), values_.get());
  OderProps(inspectList_.get(), names_.get(), values_.get());
}

String TContextProps::GetCaption(int index) const {
  return GetPropCaption(names_->Get(index), inspectList_.get(), captionList_.get());
}

// ---------------------------------------------------------------------------------------------
// TCustomInspector

TCustomInspector::TCustomInspector(TComponent* owner)
    : TComponent(owner),
      selfProps_(std::make_unique<TStringList>()),
      btnProps_(std::make_unique<TStringList>()),
      outProps_(std::make_unique<TStringList>()) {}

void TCustomInspector::SetDesigning(bool value) {
  if (value == designing_) return;
  designing_ = value;
  if (value) Show();
  else Hide();
}

void TCustomInspector::SetProperty(const String& propName, const String& value) {
  if (!multiProps_) return;
  SetProp(multiProps_->Items(), propName, value);
  if (stageHandle_) PostMessageW(stageHandle_, DSNM_PROPERTYCHANGED, 0, 0);
  multiProps_->GetValues();
}

void TCustomInspector::ChangeTarget(TControl* control) {
  if (HWND window = DesignMessageWindow(control))
    SendMessageW(window, DSNM_SELECTBYINSPECT, reinterpret_cast<WPARAM>(control), 0);
}
