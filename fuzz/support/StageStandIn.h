// A form holding a stage, as the designer reads stage files and clipboard blocks into: records
// are read as documents under rules like the page's, with ReadComponents, owned by the form and
// parented to the stage, each name made free under the form first.
#pragma once

#include <cstdint>
#include <span>

#include "streaming/ComponentReader.h"
#include "tests/streaming/SampleComponents.h"

namespace fuzz_support {

class TStageStandIn {
 public:
  TStageStandIn();

  // Reads the records in `bytes` onto the stage. `checkFirst` checks the whole list before
  // anything is made, as loading a stage does; `skipErrors` skips bad properties and unknown
  // handlers, as the stage's own hooks do. Read errors are expected and swallowed; a failed read
  // must leave the form as it was and the stream where it stood.
  void Read(std::span<const std::uint8_t> bytes, bool checkFirst, bool skipErrors);

 private:
  void MakeNameFree(TComponent* component, String& name);

  TSampleForm form_;
  TSampleControl* stage_;  // owned by form_
  TDocumentRules rules_;
};

}  // namespace fuzz_support
