/// @file
/// The controller variant TDsnClRegister: a single selection with eight grab handles, and drag
/// outlines (TClShape in TMultiClShape sets) whose colour cycles while they stand still.
#pragma once

#include <array>
#include <memory>

#include "designer/DsnSub8.h"
#include "designer/DsnRegister.h"
#include "framework/stdctrls/Timer.h"

// ---------------------------------------------------------------------------------------------
// Colour-cycling outlines

// An outline redrawn in place every 50 ms in the next colour of red, grey, yellow, blue, aqua.
class TClShape : public TFundamentalShape {
  TAVELKO_CLASS(TClShape, TFundamentalShape)

 public:
  static constexpr unsigned kCycleInterval = 50;  ///< milliseconds
  static constexpr std::array<TColor, 5> kCycle{clRed, clGray, clYellow, clBlue, clAqua};

  using TFundamentalShape::TFundamentalShape;

  /// Starts the cycle on the first call. Erases in the colour the outline was drawn in; the final
  /// erase of DrowUp also stops the cycle.
  void SetBounds(int X, int Y) override;
  /// The next colour of the cycle, drawn at the last position.
  virtual void ChangeColorOnTimer(TObject* sender);

  /// Owned; null before the first SetBounds. Destroyed with the outline.
  TTimer* Timer() const { return timer_.get(); }
  TColor DrawnColor() const { return drawnColor_; }
  int LastX() const { return lastX_; }
  int LastY() const { return lastY_; }
  /// Position in kCycle of the colour the next tick takes.
  int ColorIndex() const { return colorIndex_; }

 private:
  std::unique_ptr<TTimer> timer_;
  TColor drawnColor_ = clGray;
  int lastX_ = 0;
  int lastY_ = 0;
  int colorIndex_ = 0;
};

/// A drag outline set whose outlines cycle their colour.
class TMultiClShape : public TMultiShape {
  TAVELKO_CLASS(TMultiClShape, TMultiShape)

 public:
  std::unique_ptr<TFundamentalShape> CreateAddShape() override;
  std::unique_ptr<TFundamentalShape> CreateAddNewShape() override;
};

// ---------------------------------------------------------------------------------------------
// Handles whose resize outline cycles its colour

/// The handle `Handle` with a colour-cycling resize outline; the named classes below are this
/// over each of the eight handles.
template <class Handle>
class TClHandle : public Handle {
 public:
  using Handle::Handle;
  std::unique_ptr<TMultiShape> CreateRectShape() override { return std::make_unique<TMultiClShape>(); }
};

class TClMigiueRect : public TClHandle<TMigiueRect> {  // upper right
  TAVELKO_CLASS(TClMigiueRect, TMigiueRect)

 public:
  using TClHandle::TClHandle;
};

class TClMigishitaRect : public TClHandle<TMigishitaRect> {  // lower right
  TAVELKO_CLASS(TClMigishitaRect, TMigishitaRect)

 public:
  using TClHandle::TClHandle;
};

class TClHidariueRect : public TClHandle<THidariueRect> {  // upper left
  TAVELKO_CLASS(TClHidariueRect, THidariueRect)

 public:
  using TClHandle::TClHandle;
};

class TClHidarishitaRect : public TClHandle<THidarishitaRect> {  // lower left
  TAVELKO_CLASS(TClHidarishitaRect, THidarishitaRect)

 public:
  using TClHandle::TClHandle;
};

class TClNakaueRect : public TClHandle<TNakaueRect> {  // top middle
  TAVELKO_CLASS(TClNakaueRect, TNakaueRect)

 public:
  using TClHandle::TClHandle;
};

class TClNakashitaRect : public TClHandle<TNakashitaRect> {  // bottom middle
  TAVELKO_CLASS(TClNakashitaRect, TNakashitaRect)

 public:
  using TClHandle::TClHandle;
};

class TClNakamigiRect : public TClHandle<TNakamigiRect> {  // right middle
  TAVELKO_CLASS(TClNakamigiRect, TNakamigiRect)

 public:
  using TClHandle::TClHandle;
};

class TClNakahidariRect : public TClHandle<TNakahidariRect> {  // left middle
  TAVELKO_CLASS(TClNakahidariRect, TNakahidariRect)

 public:
  using TClHandle::TClHandle;
};

/// The eight colour-cycling handles: lower right, upper right, upper left, lower left, then top,
/// bottom, right and left middle.
class THandlerClRect : public THandlerRect {
  TAVELKO_CLASS(THandlerClRect, THandlerRect)

 public:
  void CreateSmallRect() override;

 protected:
  using THandlerRect::THandlerRect;
};

class TMultiClHandler : public TMultiHandler {
  TAVELKO_CLASS(TMultiClHandler, TMultiHandler)

 public:
  std::unique_ptr<THandlerRect> CreateHandlerRect(TControl* control) override;
};

// ---------------------------------------------------------------------------------------------
// TDsnClRegister: the controller with eight handles and colour-cycling outlines

class TDsnClRegister : public TDsnRegister {
  TAVELKO_CLASS(TDsnClRegister, TDsnRegister)

 public:
  using TDsnRegister::TDsnRegister;

 protected:
  std::unique_ptr<TMultiHandler> CreateHandler() override;
  std::unique_ptr<TMultiShape> CreateCopyShape() override;
  std::unique_ptr<TMultiShape> CreateMoveShape() override;
};

/// Registers TDsnClRegister for reading streams.
void RegisterDsnSubClClasses();
