/// @file
/// The published-property lister (TObjInfo) and the text form of property values in both
/// directions (PropValueToStr, SetProp): what the property model, the inspector and the
/// context menu build on. Works only through run-time type information.
#pragma once

#include <cstdint>
#include <memory>

#include "framework/core/Object.h"

// windows.h names its window-property function SetProp through a macro; here the name is the
// property writer's, whichever of the two headers comes first.
#ifdef _WIN32
#include <windows.h>
#undef SetProp
#endif

class TList;

/// One property of an object: its name, its current value as text and its kind code.
struct TMyPropInfo {
  String Name;            ///< the published property's name
  String Value;           ///< its value as PropValueToStr writes it
  std::uint8_t Kind = 0;  ///< the framework's type-kind code (TTypeKind), e.g. 1 integer
};

/// A snapshot of the property set of one object (not of the values: GetItems reads the value
/// anew each time). The object is not owned and must outlive this one.
class TObjInfo : public TObject {
  TAVELKO_CLASS(TObjInfo, TObject)

 public:
  /// Lists `obj`'s published properties (ListUpProps); null gives an empty lister.
  explicit TObjInfo(TObject* obj);

  /// Fills PropList with the published properties of obj's class, inherited ones first; a
  /// failure while filling is ignored and leaves the rest of the entries null.
  void ListUpProps(TObject* obj);
  /// Exception "Invalid Index" for an entry without property information (or outside the list).
  TMyPropInfo GetItems(int index);
  /// First property of that name, letter case ignored; -1 when there is none.
  int IndexOfProp(const String& name);

  /// The object listed; not owned; null for an empty lister.
  TObject* Instance() const { return instance_; }
  /// Its class name, as when listed.
  const String& ObjClassName() const { return objClassName_; }
  /// The number of published properties, the length of PropList.
  int Count() const { return count_; }
  /// The property information, Count() entries (inherited first); null with no properties. An
  /// entry is null when listing failed before it. Owned by the lister; the entries are the class's.
  const TPropInfo* const* PropList() const { return propList_.get(); }
  /// Whether the lister allocated PropList (it has entries).
  bool OwnsList() const { return ownsList_; }

 private:
  TObject* instance_ = nullptr;
  String objClassName_;
  int count_ = 0;
  std::unique_ptr<const TPropInfo*[]> propList_;  ///< allocated (and owned) when ownsList_
  bool ownsList_ = false;
};

/// The text of the property's current value: numbers in decimal, enumerations and set members by
/// name, text as it is, "(TFont)" for an owned object, a component's name, the handler's method
/// name, and "Unknown" for the kinds that have no text here.
String PropValueToStr(TObject* instance, const TPropInfo* info);

/// Writes `Value` to the property `PropName` of every object in `targets`, in list order. Any
/// failure ends the call with Exception "<Value> is illegal (<PropName>)"; the objects before
/// the failing one keep their new value. Set, class and method properties are left as they are.
void SetProp(TList* targets, const String& PropName, const String& Value);
