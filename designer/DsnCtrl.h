/// @file
/// TDsnCtrl: the interceptor of one designed window. It swallows the window's mouse input and hands
/// it to the controller; keyboard messages and everything else reach the control.
#pragma once

#include "designer/DsnAgent.h"
#include "designer/Dsnhandle.h"
#include "framework/windows/Messages.h"

class TDsnRegister;

class TDsnCtrl : public TClientAgent {
  TAVELKO_CLASS(TDsnCtrl, TClientAgent)

 public:
  void ClientWndProc(TMessage& message) override;
  /// Nothing: the control under the last press keeps holding the mouse across capture changes.
  void ClientCaptureChanged(TMessage& message) override;
  /// The control shows the arrow while designed and is repainted; afterwards the default cursor
  /// (unless dying). While the controller intercepts a whole tree it repaints the tree once.
  void TakeInstance() override;
  void ReleaseInstance() override;

  // ---- What variants override ----
  virtual void ClientMouseDown(TWMMouse& message);
  virtual void ClientMouseMove(TWMMouse& message);
  virtual void ClientMouseUp(TWMMouse& message);
  /// The control paints itself as usual.
  virtual void ClientPaint(TWMPaint& message);
  virtual void ClientPreResize(TMessage& message);
  virtual void ClientResize(TResizeMessage& message);
  virtual void ClientSelect(TMessage& message);
  virtual void ClientSelectByInspect(TMessage& message);
  /// Only the stage takes the keyboard focus while designing.
  virtual void ClientSetFocus(TMessage& message);
  virtual void ClientDbClick(TWMMouse& message);
  virtual void ClientContextMenu(TWMMouse& message);
  /// WM_DESTROY: lets go of the window and tells the stage.
  virtual void ClientHandleChange(TMessage& message);

  TDsnRegister* Controller() const { return controller_; }
  void SetController(TDsnRegister* value) { controller_ = value; }
  /// Set by the controller before it drops or destroys the interceptor: the control is going.
  bool Dying() const { return dying_; }
  void SetDying(bool value) { dying_ = value; }
  /// Position of the last mouse message in the control's client coordinates.
  const TPoint& MousePos() const { return mousePos_; }

 protected:
  /// Made by the controller through TClientAgent::Create.
  explicit TDsnCtrl(TWinControl* control, TDsnRegister* controller = nullptr)
      : TClientAgent(control), controller_(controller) {}

 private:
  /// Notes the position and returns the shift state of a mouse message.
  TShiftState NoteMouse(TWMMouse& message);
  /// The designable windowless control under MousePos, or the control itself.
  TControl* ControlUnderMouse();
  void ReleaseRightCapture(TMessage& message);
  void RepaintControl();

  TDsnRegister* controller_ = nullptr;  ///< not owned
  bool dying_ = false;
  TPoint mousePos_;
};
