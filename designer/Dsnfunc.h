/// @file
/// The property functions of the designer: configuration lists ("Name|Caption" entries), the table
/// of offered property names with their merged values over several objects, and unique names for
/// components read from a stream.
#pragma once

#include <unordered_map>

#include "framework/core/Text.h"

class TComponent;
class TList;
class TObject;
class TReader;
class TStrings;
struct TMyPropInfo;

/// Splits each entry of `source` at its first "|" into a name and a caption (an entry without a
/// bar is its own caption). Both outputs are emptied first; nothing happens when either is null.
void SepareteStringsByBar(TStrings* source, TStrings* names, TStrings* captions);

/// The caption paired with `name`; EListError when `names` lacks it.
String GetPropCaption(const String& name, TStrings* names, TStrings* captions);

/// Reorders the parallel lists `names`/`values` to follow `order` (case ignored); names that
/// `order` lacks end up behind the others in their previous order.
void OderProps(TStrings* order, TStrings* names, TStrings* values);

/// The merged text of one property over several objects, after folding in one more object's value:
/// numbers, characters, enumerations and sets keep a common text and blank a differing one;
/// strings keep the first object's text; objects, events and everything else are blank.
String MergePropValue(const String& merged, const TMyPropInfo& further);

/// The names of `inspectList` that every object of `objects` publishes (without the `outList`
/// ones when there is more than one object) and their merged values, in `inspectList` order.
void GetPropTable(TList* objects, TStrings* inspectList, TStrings* outList, TStrings* names, TStrings* values);

/// Folds the `position`-th object (from 1) into `names`/`values`; `classNames` collects the classes
/// already taken into account. When `candidates` is given it collects every `inspectList` name that
/// some class among the objects publishes.
void AddObjctProp(TObject* obj, int position, TStrings* inspectList, TStrings* outList, TStrings* names,
                  TStrings* values, TStrings* classNames, TStrings* candidates = nullptr);

/// The values of `names` over `objects` (null entries skipped), merged as the table merges them. A
/// name the first object lacks gets no entry.
void GetPropValues(TList* objects, TStrings* names, TStrings* values);

/// Where the search for a free numbered name may go on, per base name, within one read: nothing
/// leaves the owner while a stream is read, so the numbers below the last one found stay taken.
class TFreeNameHint {
 public:
  /// The last number found taken for `base` (letter case ignored), 0 at first; DsnCheckName
  /// updates it.
  int& LastTaken(const String& base) { return lastTaken_[UpperCase(base)]; }
  /// Forgets every number: called before each new read.
  void Clear() { lastTaken_.clear(); }

 private:
  std::unordered_map<String, int> lastTaken_;
};

/// Makes `name` unique among the components of `owner`: a taken name becomes the class name
/// without its first letter followed by 1, 2, ... (the first free one). With a hint, the search
/// starts after the number the hint last found for that base. `reader` is not used.
void DsnCheckName(TComponent* owner, TReader* reader, TComponent* component, String& name,
                  TFreeNameHint* hint = nullptr);
