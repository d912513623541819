#include "workbench/ControllerKinds.h"

#include "designer/DsnSub8.h"
#include "designer/DsnSubCl.h"
#include "designer/DsnSubDp.h"
#include "designer/DsnSubGr.h"
#include "designer/DsnSubMl.h"
#include "designer/DsnSubRS.h"
#include "designer/DsnUnit.h"
#include "framework/core/Exception.h"

const std::array<TControllerKind, 7> kControllerKinds = {{
    {"&Basic", &TDsnRegister::StaticClassInfo},
    {"&Multi-select", &TDsnMlRegister::StaticClassInfo},
    {"&Eight handles", &TDsn8Register::StaticClassInfo},
    {"&Proportional resize", &TDsnRSRegister::StaticClassInfo},
    {"&Grey marks", &TDsnGrRegister::StaticClassInfo},
    {"Grey marks with eight &handles", &TDsnDpRegister::StaticClassInfo},
    {"&Colour-cycling outlines", &TDsnClRegister::StaticClassInfo},
}};

TDsnRegister* ReplaceController(TDsnRegister* current, const TClassInfo& kind, TDsnSwitch& modeSwitch,
                                std::initializer_list<TDsnPartner*> partners) {
  const bool designing = modeSwitch.Down();
  modeSwitch.DesignOff();
  TComponent* owner = current->Owner();
  const String name = current->Name();
  TDsnStage* stage = current->DsnStage();
  TCustomCmpPlt* palette = current->DsnPanel();
  TArrowButton* arrow = current->ArrowButton();
  TCustomInspector* inspector = current->DsnInspector();
  const bool snapLines = current->SnapLines();
  delete current;

  auto* next = dynamic_cast<TDsnRegister*>(kind.Create(owner));
  if (!next) throw Exception(kind.Name() + " is no designer controller");
  next->SetName(name);
  next->SetDsnStage(stage);
  next->SetDsnPanel(palette);
  next->SetArrowButton(arrow);
  next->SetDsnInspector(inspector);
  next->SetSnapLines(snapLines);
  modeSwitch.SetDsnRegister(next);
  for (TDsnPartner* partner : partners) partner->SetDsnRegister(next);
  if (designing) modeSwitch.DesignOn();
  return next;
}
