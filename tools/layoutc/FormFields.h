// The C++ header that gives a form a field for every component its layout names, and the binding
// of each field to the component of its name (as layoutc generates it at build time): a control
// added to a layout gets its field, and no field can be bound by a wrong name.
#pragma once

#include <string>
#include <vector>

#include "tools/layoutc/LayoutCompiler.h"

// The header for the layout whose objects are `objects` (the root first, as TLayoutCompiler
// gives them), made from `layoutName`. Declares struct <root class>Fields. ELayoutError when two
// components share a name or a component bears the root's.
std::string FormFieldsHeader(const std::vector<TLayoutCompiler::TObject>& objects, const std::string& layoutName);
