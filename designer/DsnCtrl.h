/// @file
/// TDsnCtrl: the interceptor of one designed window. It swallows the window's mouse input and hands
/// it to the controller; keyboard messages and everything else reach the control.
#pragma once

#include "designer/DsnAgent.h"
#include "designer/Dsnhandle.h"
#include "framework/windows/Messages.h"

class TDsnRegister;

/// The interceptor of one designed window, made by the controller (TDsnRegister::CreateSubCtrl)
/// and owned by its interceptor list. Variants derive from it to react differently; all handlers
/// run on the thread of the message loop, inside the window's procedure.
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
  // Handlers of the messages their names say, called by ClientWndProc; override to change the
  // reaction and call the inherited one where the controller should still hear of it.
  /// Left press, move and release. The press takes the mouse for the designable control under it
  /// (a windowless control of the form there, or the control itself) and starts the controller's
  /// gesture (MouseDown); moves and the release follow it (MoseMove, MoseUp). The release frees
  /// the mouse and raises the controller's OnDesignChange.
  ///@{
  virtual void ClientMouseDown(TWMMouse& message);
  virtual void ClientMouseMove(TWMMouse& message);
  virtual void ClientMouseUp(TWMMouse& message);
  ///@}
  /// The control paints itself as usual.
  virtual void ClientPaint(TWMPaint& message);
  /// The designer's messages: DSNM_PRERESIZE notes the control a grab handle starts to resize;
  /// DSNM_RESIZE goes to the controller's Resized, then raises its OnDesignChange; DSNM_SELECT goes
  /// to Selected; DSNM_SELECTBYINSPECT (WParam the control) to SelectByInspect.
  ///@{
  virtual void ClientPreResize(TMessage& message);
  virtual void ClientResize(TResizeMessage& message);
  virtual void ClientSelect(TMessage& message);
  virtual void ClientSelectByInspect(TMessage& message);
  ///@}
  /// Only the stage takes the keyboard focus while designing.
  virtual void ClientSetFocus(TMessage& message);
  /// A left double click: the controller's DbClick (the stage's OnCoverDblClick).
  virtual void ClientDbClick(TWMMouse& message);
  /// A right press, ignored during a left drag: takes the mouse for the control under it and opens
  /// the controller's context menu (CallPopupMenu).
  virtual void ClientContextMenu(TWMMouse& message);
  /// WM_DESTROY: lets go of the window and tells the stage.
  virtual void ClientHandleChange(TMessage& message);

  /// The controller served; not owned; set by the controller when it makes the interceptor.
  ///@{
  TDsnRegister* Controller() const { return controller_; }
  void SetController(TDsnRegister* value) { controller_ = value; }
  ///@}
  /// Set by the controller before it drops or destroys the interceptor: the control is going.
  ///@{
  bool Dying() const { return dying_; }
  void SetDying(bool value) { dying_ = value; }
  ///@}
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
