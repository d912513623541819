// The edge-middle handles, the eight-handle set and its controller.
#include "designer/DsnSub8.h"

namespace {
constexpr THandlePlace kTopMiddle{THandleColumn::Middle, THandleRow::Top};
constexpr THandlePlace kBottomMiddle{THandleColumn::Middle, THandleRow::Bottom};
constexpr THandlePlace kRightMiddle{THandleColumn::Right, THandleRow::Middle};
constexpr THandlePlace kLeftMiddle{THandleColumn::Left, THandleRow::Middle};
}  // namespace

void TNakaueRect::SetControl() { Place(kTopMiddle); }
void TNakaueRect::MouseMove(TShiftState, int x, int y) { TrackResize(kTopMiddle, x, y); }
void TNakaueRect::MouseUp(TMouseButton b, TShiftState s, int x, int y) { EndResize(kTopMiddle, b, s, x, y); }

void TNakashitaRect::SetControl() { Place(kBottomMiddle); }
void TNakashitaRect::MouseMove(TShiftState, int x, int y) { TrackResize(kBottomMiddle, x, y); }
void TNakashitaRect::MouseUp(TMouseButton b, TShiftState s, int x, int y) { EndResize(kBottomMiddle, b, s, x, y); }

void TNakamigiRect::SetControl() { Place(kRightMiddle); }
void TNakamigiRect::MouseMove(TShiftState, int x, int y) { TrackResize(kRightMiddle, x, y); }
void TNakamigiRect::MouseUp(TMouseButton b, TShiftState s, int x, int y) { EndResize(kRightMiddle, b, s, x, y); }

void TNakahidariRect::SetControl() { Place(kLeftMiddle); }
void TNakahidariRect::MouseMove(TShiftState, int x, int y) { TrackResize(kLeftMiddle, x, y); }
void TNakahidariRect::MouseUp(TMouseButton b, TShiftState s, int x, int y) { EndResize(kLeftMiddle, b, s, x, y); }

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
