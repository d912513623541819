// The designer benchmarks' page: `form` named and sized, with a design stage inset by 20 pixels.
#pragma once

#include "designer/DsnUnit.h"
#include "framework/windows/Forms.h"

namespace bench {

inline TDsnStage* PlaceStage(TForm& form, int width, int height) {
  form.SetName("BenchForm");
  form.SetBounds(0, 0, width, height);
  auto* stage = new TDsnStage(&form);
  stage->SetName("DsnStage1");
  stage->SetParent(&form);
  stage->SetBounds(0, 0, width - 20, height - 20);
  return stage;
}

}  // namespace bench
