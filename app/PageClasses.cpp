// Registration of every class the page layout may create by name, and what documents may make.
#include "app/PageClasses.h"

#include <vector>

#include "controls/ControlClasses.h"
#include "controls/GradBox.h"
#include "controls/dxfLabel.h"
#include "designer/DsnSubMl.h"
#include "designer/DsnUnit.h"
#include "framework/stdctrls/Image.h"
#include "framework/stdctrls/Label.h"
#include "framework/stdctrls/Memo.h"
#include "framework/stdctrls/Panel.h"
#include "framework/stdctrls/Shape.h"
#include "framework/stdctrls/StdControls.h"
#include "streaming/DocumentRules.h"

void RegisterPageClasses() {
  RegisterStdControls();
  RegisterDecorativeControls();
  RegisterDsnUnitClasses();
  RegisterDsnSubMlClasses();
}

void RestrictToPageDocuments(TDocumentRules& rules) {
  // A frame and its copies call the frame's handlers, whichever frame they were copied from.
  std::vector<String> doubleClicks, mouseMoves;
  for (int frame = 1; frame <= 4; ++frame) {
    doubleClicks.push_back("Image" + IntToStr(frame) + "DblClick");
    mouseMoves.push_back("Image" + IntToStr(frame) + "MouseMove");
  }
  rules.AllowNothing()
      .Allow(TShape::StaticClassInfo())
      .Allow(TImage::StaticClassInfo(), {{"OnDblClick", doubleClicks}, {"OnMouseMove", mouseMoves}})
      .Allow(TMemo::StaticClassInfo())
      .Allow(TLabel::StaticClassInfo())
      .Allow(TPanel::StaticClassInfo())
      .Allow(TGradBox::StaticClassInfo())
      .Allow(TdxfLabel::StaticClassInfo());
}
