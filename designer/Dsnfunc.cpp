// Configuration lists, property tables with merged values, and unique names while reading.
#include "designer/Dsnfunc.h"

#include <memory>
#include <vector>

#include "designer/DsnInfo.h"
#include "framework/core/Component.h"
#include "framework/core/List.h"
#include "framework/core/Strings.h"

namespace {

void DeleteRow(TStrings* names, TStrings* values, int index) {
  names->Delete(index);
  values->Delete(index);
}

// The value of `name` on the object `info` lists; false when the object has no such property.
bool FindValue(TObjInfo& info, const String& name, TMyPropInfo& value) {
  const int index = info.IndexOfProp(name);
  if (index < 0) return false;
  value = info.GetItems(index);
  return true;
}

// Calls `visit` with the name of every published property of the object that `inspectList` holds,
// in type-information order.
template <class Visit>
void ForEachInspectedProp(TObjInfo& info, TStrings* inspectList, Visit visit) {
  for (int i = 0; i < info.Count(); ++i) {
    const TPropInfo* prop = info.PropList()[i];
    if (prop && inspectList->IndexOf(prop->Name) >= 0) visit(i, prop->Name);
  }
}

}  // namespace

void SepareteStringsByBar(TStrings* source, TStrings* names, TStrings* captions) {
  if (!names || !captions) return;
  names->Clear();
  captions->Clear();
  if (!source) return;
  for (int i = 0; i < source->Count(); ++i) {
    const String entry = source->Get(i);
    const auto bar = entry.find('|');
    if (bar == String::npos) {
      names->Add(entry);
      captions->Add(entry);
    } else {
      names->Add(entry.substr(0, bar));
      captions->Add(entry.substr(bar + 1));
    }
  }
}

String GetPropCaption(const String& name, TStrings* names, TStrings* captions) {
  const int index = names->IndexOf(name);
  if (index < 0) throw EListError(Format(messages::ListIndexError, index));
  return captions->Get(index);
}

void OderProps(TStrings* order, TStrings* names, TStrings* values) {
  for (int k = order->Count() - 1; k >= 0; --k) {
    const int j = names->IndexOf(order->Get(k));
    if (j <= 0) continue;
    names->Move(j, 0);
    values->Move(j, 0);
  }
}

String MergePropValue(const String& merged, const TMyPropInfo& further) {
  switch (further.Kind) {
    case tkInteger:
    case tkChar:
    case tkEnumeration:
    case tkFloat:
    case tkSet:
      return further.Value == merged ? merged : String();
    case tkString:
    case tkLString:
      return merged;
    default:
      return String();
  }
}

void GetPropTable(TList* objects, TStrings* inspectList, TStrings* outList, TStrings* names, TStrings* values) {
  TStringList classNames;
  for (int i = 0; i < objects->Count(); ++i)
    AddObjctProp(static_cast<TObject*>(objects->Items(i)), i + 1, inspectList, outList, names, values, &classNames);
}

void AddObjctProp(TObject* obj, int position, TStrings* inspectList, TStrings* outList, TStrings* names,
                  TStrings* values, TStrings* classNames, TStrings* candidates) {
  TObjInfo info(obj);
  if (position == 1) {
    classNames->Add(info.ObjClassName());
    ForEachInspectedProp(info, inspectList, [&](int index, const String& name) {
      names->Add(name);
      values->Add(info.GetItems(index).Value);
    });
    if (candidates) candidates->Assign(names);
  }
  if (position == 2) {
    for (int i = names->Count() - 1; i >= 0; --i)
      if (outList->IndexOf(names->Get(i)) >= 0) DeleteRow(names, values, i);
  }
  if (classNames->IndexOf(info.ObjClassName()) < 0) {
    classNames->Add(info.ObjClassName());
    for (int i = names->Count() - 1; i >= 0; --i)
      if (info.IndexOfProp(names->Get(i)) < 0) DeleteRow(names, values, i);
    if (candidates) {
      ForEachInspectedProp(info, inspectList, [&](int, const String& name) {
        if (candidates->IndexOf(name) < 0) candidates->Add(name);
      });
    }
  }
  if (position > 1) {
    TMyPropInfo value;
    for (int i = 0; i < names->Count(); ++i)
      if (FindValue(info, names->Get(i), value)) values->Put(i, MergePropValue(values->Get(i), value));
  }
  OderProps(inspectList, names, values);
}

void GetPropValues(TList* objects, TStrings* names, TStrings* values) {
  values->Clear();
  std::vector<std::unique_ptr<TObjInfo>> infos;
  for (int i = 0; i < objects->Count(); ++i)
    if (auto* object = static_cast<TObject*>(objects->Items(i))) infos.push_back(std::make_unique<TObjInfo>(object));
  if (infos.empty()) return;
  TMyPropInfo value;
  for (int n = 0; n < names->Count(); ++n) {
    const String name = names->Get(n);
    if (!FindValue(*infos.front(), name, value)) continue;
    String merged = value.Value;
    for (std::size_t i = 1; i < infos.size(); ++i)
      if (FindValue(*infos[i], name, value)) merged = MergePropValue(merged, value);
    values->Add(merged);
  }
}

void DsnCheckName(TComponent* owner, TReader*, TComponent* component, String& name, TFreeNameHint* hint) {
  if (!owner || !component || !owner->FindComponent(name)) return;
  const String base = component->ClassName().substr(1);
  int fromStart = 0;
  int& n = hint ? hint->LastTaken(base) : fromStart;
  do name = base + IntToStr(++n);
  while (owner->FindComponent(name));
}
