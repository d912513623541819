#include "streaming/DocumentRules.h"

#include <algorithm>

TDocumentRules& TDocumentRules::Allow(const TClassInfo& info, std::vector<THandlers> handlers) {
  std::erase_if(allowed_, [&info](const TAllowed& allowed) { return allowed.Info == &info; });
  allowed_.push_back({&info, false, std::move(handlers)});
  return *this;
}

TDocumentRules& TDocumentRules::AllowDescendantsOf(const TClassInfo& info) {
  std::erase_if(allowed_, [&info](const TAllowed& allowed) { return allowed.Info == &info; });
  allowed_.push_back({&info, true, {}});
  return *this;
}

TDocumentRules& TDocumentRules::AllowNothing() {
  allowed_.clear();
  return *this;
}

// The class's own entry before one that allows it as a descendant.
const TDocumentRules::TAllowed* TDocumentRules::Find(const TClassInfo& info) const {
  const TAllowed* found = nullptr;
  for (const TAllowed& allowed : allowed_) {
    if (allowed.Info == &info) return &allowed;
    if (allowed.Descendants && info.InheritsFrom(*allowed.Info)) found = &allowed;
  }
  return found;
}

void TDocumentRules::CheckClass(const String& className) const {
  const TClassInfo* info = GetClass(className);
  if (!info) throw EDocumentRefused("The document holds a " + className + ", which is no known class");
  if (!Find(*info)) throw EDocumentRefused("A " + className + " does not belong in this kind of document");
}

void TDocumentRules::CheckHandler(const TClassInfo& info, const String& event, const String& method) const {
  if (const TAllowed* allowed = Find(info)) {
    for (const THandlers& handlers : allowed->Handlers) {
      if (!SameText(handlers.Event, event)) continue;
      if (std::ranges::any_of(handlers.Methods, [&method](const String& m) { return SameText(m, method); })) return;
    }
  }
  throw EDocumentRefused("The document binds " + event + " of a " + info.Name() + " to " + method +
                         ", which this kind of document may not");
}
