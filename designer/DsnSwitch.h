/// @file
/// TDsnSwitch: the toggle button of design mode (down = on), and TDsnSwich, its other name.
#pragma once

#include "framework/core/ComponentLink.h"
#include "framework/stdctrls/SpeedButton.h"

class TDsnRegister;

/// A toggle button that switches its controller's design mode: down is on. Clicking it, or
/// DesignOn and DesignOff, switch; the controller is not told of any other change of Down.
class TDsnSwitch : public TSpeedButton {
  TAVELKO_CLASS(TDsnSwitch, TSpeedButton)
  static void Publish(TPublisher<TDsnSwitch>& p);

 public:
  /// The group index every switch takes when loaded, whatever was stored.
  static constexpr int kGroupIndex = 2302;

  /// Up, with no controller, and "Now, Starting Design" as the message (not shown unless
  /// DsnMessageFlg).
  explicit TDsnSwitch(TComponent* owner);

  /// A toggle whatever the stored group settings said.
  void Loaded() override;
  /// After the toggle changed Down: the optional message, the controller's design mode, OnClick.
  void Click() override;
  /// Puts the switch down or up and clicks it, as the user does; nothing when it already is so.
  ///@{
  void DesignOn();
  void DesignOff();
  ///@}

  /// The controller switched; not owned, cleared when it goes.
  ///@{
  TDsnRegister* DsnRegister() const { return dsnRegister_; }
  void SetDsnRegister(TDsnRegister* value);
  ///@}
  /// Show DsnMessage when design mode is switched on.
  ///@{
  bool DsnMessageFlg() const { return dsnMessageFlg_; }
  void SetDsnMessageFlg(bool value) { dsnMessageFlg_ = value; }
  ///@}
  /// The text of the message box shown when the switch goes down (with DsnMessageFlg).
  ///@{
  const String& DsnMessage() const { return dsnMessage_; }
  void SetDsnMessage(const String& value) { dsnMessage_ = value; }
  ///@}

 private:
  TComponentLink<TDsnRegister> dsnRegister_;
  bool dsnMessageFlg_ = false;
  String dsnMessage_;
};

/// The switch under its other name, for streams that name it so.
class TDsnSwich : public TDsnSwitch {
  TAVELKO_CLASS(TDsnSwich, TDsnSwitch)

 public:
  using TDsnSwitch::TDsnSwitch;  ///< Made as a TDsnSwitch.
};
