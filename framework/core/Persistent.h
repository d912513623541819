/// @file
/// TPersistent: objects that can be copied into each other (Assign) and streamed with their
/// published properties plus properties of their own (DefineProperties).
#pragma once

#include "framework/core/Object.h"

class TFiler;

/// An object that can be copied into another (Assign) and streamed: its published properties plus
/// the ones it streams itself (DefineProperties).
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
  /// The name that identifies the object in messages and in the inspector: by default its owner's
  /// name path, ".", and its class name (the class name alone without owner); a component's is its Name.
  virtual String GetNamePath();

 protected:
  /// Copies this object into `dest`; the default raises the assign error.
  virtual void AssignTo(TPersistent* dest);
  /// Raises EConvertError "Cannot assign a <class of source> to a <class of this>" ("nil" for null).
  [[noreturn]] void AssignError(TPersistent* source);
};
