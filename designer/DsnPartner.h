/// @file
/// TDsnPartner: a component that cooperates with a controller and follows its design mode.
#pragma once

#include "framework/core/ComponentLink.h"

class TControl;
class TDsnList;
class TDsnRegister;
class TTargetList;

/// The base of components that work beside a controller (TDsnSelect): a partner registers with
/// its controller, follows its design mode and reaches its selection through the services below.
class TDsnPartner : public TComponent {
  TAVELKO_CLASS(TDsnPartner, TComponent)

 public:
  /// Made as any component, with no controller.
  using TComponent::TComponent;
  ~TDsnPartner() override;

  /// Told by the controller when design mode changes.
  virtual void SetDesigning(bool value) { designing_ = value; }
  /// Designing as its controller is: never without one.
  bool Designing() const { return designing_ && dsnRegister_; }

  /// The controller followed; not owned, cleared when it goes. Setting it leaves the old
  /// controller, registers this partner with the new one and takes on its design mode.
  ///@{
  TDsnRegister* DsnRegister() const { return dsnRegister_; }
  void SetDsnRegister(TDsnRegister* value);
  ///@}

  // ---- The controller's services (nothing, or false and null, without a controller) ----
  /// The controller's TDsnRegister::CheckCanSelect.
  bool CheckCanSelect(TControl* control);
  /// A new move outline set with one outline per selected control.
  void CreateMoveShape();
  /// A new, empty selection.
  void CreateTargetList();
  /// The controller's interceptors and selection (TDsnRegister::DsnList, TargetList); owned by the
  /// controller.
  ///@{
  TDsnList* GetDsnList() const;
  TTargetList* GetTargetList() const;
  ///@}

 private:
  TComponentLink<TDsnRegister> dsnRegister_;
  bool designing_ = false;
};
