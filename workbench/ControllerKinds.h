// The controllers a workbench user can choose between, and the exchange of the stage's controller
// for another kind at run time.
#pragma once

#include <array>
#include <initializer_list>

#include "framework/core/TypeInfo.h"

class TDsnRegister;
class TDsnSwitch;
class TDsnPartner;

struct TControllerKind {
  const char* Caption;  // the menu's caption
  const TClassInfo& (*Class)();
};

extern const std::array<TControllerKind, 7> kControllerKinds;

// Destroys `current` and makes a controller of class `kind` in its place: the same owner and name,
// stage, palette, arrow button and inspector, followed by the mode switch and the partners. Design
// mode is switched off around the exchange (through the switch, so the switch, the palette and the
// inspector follow) and on again when it was on. Returns the new controller.
TDsnRegister* ReplaceController(TDsnRegister* current, const TClassInfo& kind, TDsnSwitch& modeSwitch,
                                std::initializer_list<TDsnPartner*> partners);
