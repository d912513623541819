// Stand-ins for the program's component classes, which need Windows: each name of a class that
// real layouts, stage files and clipboard blocks hold is registered as a sample form (a control
// with a property of every kind), so records of real files are read deeply instead of stopping
// at an unknown class.
#pragma once

namespace fuzz_support {

// Registers the sample classes and the stand-ins (idempotent).
void RegisterStandInClasses();

// Forgets what the sample classes recorded during one input (their Loaded log).
void ForgetRecordedLoads();

}  // namespace fuzz_support
