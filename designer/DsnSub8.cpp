// The eight-handle set and its controller.
#include "designer/DsnSub8.h"

void THandler8Rect::CreateSmallRect() {
  THandlerRect::CreateSmallRect();
  AddHandle<TNakaueRect>();
  AddHandle<TNakashitaRect>();
  AddHandle<TNakamigiRect>();
  AddHandle<TNakahidariRect>();
}

std::unique_ptr<THandlerRect> TMulti8Handler::CreateHandlerRect(TControl* control) {
  return MakeSet<THandler8Rect>(control);
}

std::unique_ptr<TMultiHandler> TDsn8Register::CreateHandler() { return std::make_unique<TMulti8Handler>(); }

void RegisterDsnSub8Classes() { RegisterClass(TDsn8Register::StaticClassInfo()); }
