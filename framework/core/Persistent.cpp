// TPersistent: assignment protocol and the hooks for self-streamed properties.
#include "framework/core/Persistent.h"

void TPersistent::Assign(TPersistent* source) {
  if (source) {
    source->AssignTo(this);
    return;
  }
  AssignError(nullptr);
}

void TPersistent::AssignTo(TPersistent* dest) { dest->AssignError(this); }

void TPersistent::AssignError(TPersistent* source) {
  const String sourceName = source ? source->ClassName() : String("nil");
  throw EConvertError(Format(messages::AssignError, sourceName, ClassName()));
}

void TPersistent::DefineProperties(TFiler&) {}

TPersistent* TPersistent::GetOwner() { return nullptr; }

String TPersistent::GetNamePath() {
  TPersistent* owner = GetOwner();
  const String ownerPath = owner ? owner->GetNamePath() : String();
  return ownerPath.empty() ? ClassName() : ownerPath + "." + ClassName();
}
