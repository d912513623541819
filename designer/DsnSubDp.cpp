// The eight-handle grid-mark controller.
#include "designer/DsnSubDp.h"

#include "designer/DsnSub8.h"

std::unique_ptr<THandlerRect> TMultiDpHandler::CreateHandlerRect(TControl* control) {
  return MakeSet<THandler8Rect>(control);
}

std::unique_ptr<TMultiHandler> TDsnDpRegister::CreateHandler() { return std::make_unique<TMultiDpHandler>(); }

void RegisterDsnSubDpClasses() { RegisterClass(TDsnDpRegister::StaticClassInfo()); }
