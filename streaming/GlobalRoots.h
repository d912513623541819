/// @file
/// The roots (forms) that a component stream may name in a reference to another root's
/// component ("OtherForm.Button1"). Forms register themselves while they live.
#pragma once

#include "framework/core/Text.h"

class TComponent;

/// Not owned; a root unregisters itself before it is destroyed.
///@{
void RegisterGlobalRoot(TComponent* root);
void UnregisterGlobalRoot(TComponent* root);
///@}
/// The registered root of that name (ASCII letters compared without case), or nullptr.
TComponent* FindGlobalRoot(const String& name);
