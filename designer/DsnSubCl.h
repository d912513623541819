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

/// An outline redrawn in place every 50 ms in the next colour of red, grey, yellow, blue, aqua. The
/// cycle runs on a timer, so it needs the message loop.
class TClShape : public TFundamentalShape {
  TAVELKO_CLASS(TClShape, TFundamentalShape)

 public:
  static constexpr unsigned kCycleInterval = 50;  ///< milliseconds
  /// The colours of the cycle, in order.
  static constexpr std::array<TColor, 5> kCycle{clRed, clGray, clYellow, clBlue, clAqua};

  /// An outline drawn on `canvas`, which must outlive it; the cycle starts with the first
  /// SetBounds.
  using TFundamentalShape::TFundamentalShape;

  /// Starts the cycle on the first call. Erases in the colour the outline was drawn in; the final
  /// erase of DrowUp also stops the cycle.
  void SetBounds(int X, int Y) override;
  /// The next colour of the cycle, drawn at the last position.
  virtual void ChangeColorOnTimer(TObject* sender);

  /// Owned; null before the first SetBounds. Destroyed with the outline.
  TTimer* Timer() const { return timer_.get(); }
  /// The colour of the outline now on the screen: the one its erase needs.
  TColor DrawnColor() const { return drawnColor_; }
  /// The point of the last SetBounds, where each tick redraws the outline.
  ///@{
  int LastX() const { return lastX_; }
  int LastY() const { return lastY_; }
  ///@}
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
  /// Both make a TClShape.
  ///@{
  std::unique_ptr<TFundamentalShape> CreateAddShape() override;
  std::unique_ptr<TFundamentalShape> CreateAddNewShape() override;
  ///@}
};

// ---------------------------------------------------------------------------------------------
// Handles whose resize outline cycles its colour

/// The handle `Handle` with a colour-cycling resize outline; the named classes below are this
/// over each of the eight handles.
template <class Handle>
class TClHandle : public Handle {
 public:
  using Handle::Handle;
  /// A TMultiClShape.
  std::unique_ptr<TMultiShape> CreateRectShape() override { return std::make_unique<TMultiClShape>(); }
};

/// The upper-right handle with a colour-cycling resize outline.
class TClMigiueRect : public TClHandle<TMigiueRect> {
  TAVELKO_CLASS(TClMigiueRect, TMigiueRect)

 public:
  using TClHandle::TClHandle;
};

/// The lower-right handle with a colour-cycling resize outline.
class TClMigishitaRect : public TClHandle<TMigishitaRect> {
  TAVELKO_CLASS(TClMigishitaRect, TMigishitaRect)

 public:
  using TClHandle::TClHandle;
};

/// The upper-left handle with a colour-cycling resize outline.
class TClHidariueRect : public TClHandle<THidariueRect> {
  TAVELKO_CLASS(TClHidariueRect, THidariueRect)

 public:
  using TClHandle::TClHandle;
};

/// The lower-left handle with a colour-cycling resize outline.
class TClHidarishitaRect : public TClHandle<THidarishitaRect> {
  TAVELKO_CLASS(TClHidarishitaRect, THidarishitaRect)

 public:
  using TClHandle::TClHandle;
};

/// The top-middle handle with a colour-cycling resize outline.
class TClNakaueRect : public TClHandle<TNakaueRect> {
  TAVELKO_CLASS(TClNakaueRect, TNakaueRect)

 public:
  using TClHandle::TClHandle;
};

/// The bottom-middle handle with a colour-cycling resize outline.
class TClNakashitaRect : public TClHandle<TNakashitaRect> {
  TAVELKO_CLASS(TClNakashitaRect, TNakashitaRect)

 public:
  using TClHandle::TClHandle;
};

/// The right-middle handle with a colour-cycling resize outline.
class TClNakamigiRect : public TClHandle<TNakamigiRect> {
  TAVELKO_CLASS(TClNakamigiRect, TNakamigiRect)

 public:
  using TClHandle::TClHandle;
};

/// The left-middle handle with a colour-cycling resize outline.
class TClNakahidariRect : public TClHandle<TNakahidariRect> {
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
  /// Sets are made by THandlerRect::Create, which adds the handles.
  using THandlerRect::THandlerRect;
};

/// The handle sets of the selection, each with the eight colour-cycling handles (THandlerClRect).
class TMultiClHandler : public TMultiHandler {
  TAVELKO_CLASS(TMultiClHandler, TMultiHandler)

 public:
  /// A THandlerClRect with this handler's size, steps, colours and snapping.
  std::unique_ptr<THandlerRect> CreateHandlerRect(TControl* control) override;
};

// ---------------------------------------------------------------------------------------------
// TDsnClRegister: the controller with eight handles and colour-cycling outlines

/// The controller whose selected control has the eight colour-cycling handles, and whose move and
/// copy outlines cycle their colour too.
class TDsnClRegister : public TDsnRegister {
  TAVELKO_CLASS(TDsnClRegister, TDsnRegister)

 public:
  /// A controller of the controls that `owner` owns, made as TDsnRegister makes one.
  using TDsnRegister::TDsnRegister;

 protected:
  /// A TMultiClHandler.
  std::unique_ptr<TMultiHandler> CreateHandler() override;
  /// Colour-cycling outline sets (TMultiClShape).
  ///@{
  std::unique_ptr<TMultiShape> CreateCopyShape() override;
  std::unique_ptr<TMultiShape> CreateMoveShape() override;
  ///@}
};

/// Registers TDsnClRegister for reading streams.
void RegisterDsnSubClClasses();
