/// @file
/// The run-time designer's controller and its visible side, one header each: TDsnRegister (the
/// controller) with its parts, TDsnStage (the panel the designed controls lie on), TDsnCtrl (the
/// interceptor of one designed window), TDsnSwitch (the toggle that switches design mode),
/// TDsnPartner (the base of the controller's partners), TDsnMenuItem, TRubberband, and the unit's
/// class registration.
#pragma once

#include "designer/DsnContextMenu.h"
#include "designer/DsnCtrl.h"
#include "designer/DsnEvents.h"
#include "designer/DsnGestureState.h"
#include "designer/DsnInterceptorList.h"
#include "designer/DsnInterceptors.h"
#include "designer/DsnMenuItem.h"
#include "designer/DsnPartner.h"
#include "designer/DsnRegister.h"
#include "designer/DsnRubberband.h"
#include "designer/DsnStage.h"
#include "designer/DsnSwitch.h"
#include "designer/DsnTransfer.h"

/// Registers the designer's streamable classes (the stage, the switch under both names, the
/// controller, the palette with its buttons, the inspector and its form), so that layouts naming
/// them can be read. A program calls it once at start, before it reads its first layout.
void RegisterDsnUnitClasses();
