/// @file
/// TPersistent: objects that can be copied into each other (Assign) and streamed with their
/// published properties plus properties of their own (DefineProperties).
#pragma once

#include "framework/core/Object.h"

class TFiler;

class TPersistent : public TObject {
  TAVELKO_CLASS(TPersistent, TObject)

 public:
  /// Copies `source` into this object. The default asks the source (AssignTo); when neither side
  /// knows the other raises EConvertError "Cannot assign a TFont to a TBrush" (nil for null).
  virtual void Assign(TPersistent* source);
  /// Declares properties the object streams itself (a string list's "Strings", a picture's "Data").
  virtual void DefineProperties(TFiler& filer);
  /// The object this one belongs to, for dotted names ("Font" of "Label1"); not owned.
  virtual TPersistent* GetOwner();
  virtual String GetNamePath();

 protected:
  /// Copies this object into `dest`; the default raises the assign error.
  virtual void AssignTo(TPersistent* dest);
  [[noreturn]] void AssignError(TPersistent* source);
};
