// The run-time designer's controller and its visible side: TDsnRegister (the controller),
// TDsnStage (the panel the designed controls lie on, with its settings, events, keyboard commands
// and posted-message handlers), TDsnSwitch (the toggle that switches design mode), TRubberband
// (the stage's drag settings) and the unit's class registration.
#pragma once

#include <cstdint>
#include <memory>

#include "designer/DsnProp.h"
#include "framework/core/Strings.h"
#include "framework/stdctrls/Panel.h"
#include "framework/stdctrls/SpeedButton.h"

class TPopupMenu;
class TDsnRegister;
class TCustomCmpPlt;
class TCustomInspector;
class TArrowButton;

// ---------------------------------------------------------------------------------------------
// What the application answers while designing (a query's last argument starts permissive)

enum TCoverAccept : std::uint8_t { caAllAccept, caNoAccept, caChildrenAccept };
enum TSelectAcceptFlag : std::uint8_t { saCreate, saMove };
using TSelectAccept = TSet<TSelectAcceptFlag>;

using TDeleteQuery = TEvent<TObject*, TComponent*, bool&>;
using TCoverQuery = TEvent<TObject*, TComponent*, TCoverAccept&>;
using TSelectQuery = TEvent<TObject*, TComponent*, TSelectAccept&>;
using TMoveQuery = TEvent<TObject*, TComponent*, bool&>;
using TControlCreate = TEvent<TObject*, TComponent*>;
using TCallCompoEditor = TEvent<TObject*, TComponent*>;

// ---------------------------------------------------------------------------------------------
// TRubberband: the pen of drag outlines and the grid of moves

class TRubberband : public TPersistent {
  TAVELKO_CLASS(TRubberband, TPersistent)
  static void Publish(TPublisher<TRubberband>& p);

 public:
  explicit TRubberband(TPersistent* owner = nullptr) : owner_(owner) {}
  void Assign(TPersistent* source) override;
  TPersistent* GetOwner() override { return owner_; }

  TColor Color() const { return color_; }
  void SetColor(TColor value) { color_ = value; }
  int PenWidth() const { return penWidth_; }
  void SetPenWidth(int value) { penWidth_ = value; }
  // The grid of moves, creations and handle steps; 0 or less: no grid on that axis.
  int MoveWidth() const { return moveWidth_; }
  void SetMoveWidth(int value) { moveWidth_ = value; }
  int MoveHeight() const { return moveHeight_; }
  void SetMoveHeight(int value) { moveHeight_ = value; }

 private:
  TPersistent* owner_;  // not owned
  TColor color_ = clGray;
  int penWidth_ = 2;
  int moveWidth_ = 8;
  int moveHeight_ = 8;
};

// ---------------------------------------------------------------------------------------------
// TDsnStage: the panel whose controls are designed

class TDsnStage : public TPanel {
  TAVELKO_CLASS(TDsnStage, TPanel)
  static void Publish(TPublisher<TDsnStage>& p);

 public:
  explicit TDsnStage(TComponent* owner);
  ~TDsnStage() override;

  // ---- Settings ----
  // "Name" or "Name|Caption" entries: the properties the context menu offers. Owned; copied in.
  TStrings* SelfProps() const { return selfProps_.get(); }
  void SetSelfProps(TStrings* value) { selfProps_->Assign(value); }
  // Property names the context menu withholds while more than one control is selected.
  TStrings* OutProps() const { return outProps_.get(); }
  void SetOutProps(TStrings* value) { outProps_->Assign(value); }
  TRubberband* Rubberband() const { return rubberband_.get(); }
  void SetRubberband(TRubberband* value) { rubberband_->Assign(value); }
  // A menu whose items the designer's context menu borrows while design mode is on; not owned.
  TPopupMenu* CoverMenu() const { return coverMenu_; }
  void SetCoverMenu(TPopupMenu* value);
  // Stored with the stage; no designer operation consults them.
  bool FixPosition() const { return fixPosition_; }
  void SetFixPosition(bool value) { fixPosition_ = value; }
  bool FixSize() const { return fixSize_; }
  void SetFixSize(bool value) { fixSize_ = value; }

  // The controller designing this stage; set by the controller; not owned.
  TDsnRegister* Controller() const { return controller_; }
  void SetController(TDsnRegister* value);

  void Notification(TComponent* component, TOperation operation) override;

  // ---- Events ----
  TDeleteQuery OnDeleteQuery;
  TCoverQuery OnCoverQuery;
  TSelectQuery OnSelectQuery;
  TMoveQuery OnMoveQuery;
  TControlCreate OnControlCreate;
  TControlCreate OnControlLoaded;
  TControlCreate OnControlLoading;
  TCallCompoEditor OnCoverDblClick;
  TCallPropEditor OnMenuClick;
  TNotifyEvent OnPopup;

 private:
  TDsnRegister* controller_ = nullptr;  // not owned
  std::unique_ptr<TStringList> selfProps_;
  std::unique_ptr<TStringList> outProps_;
  std::unique_ptr<TRubberband> rubberband_;
  TPopupMenu* coverMenu_ = nullptr;  // not owned
  bool fixPosition_ = false;
  bool fixSize_ = false;
};

// ---------------------------------------------------------------------------------------------
// TDsnSwitch: the toggle button of design mode (down = on)

class TDsnSwitch : public TSpeedButton {
  TAVELKO_CLASS(TDsnSwitch, TSpeedButton)
  static void Publish(TPublisher<TDsnSwitch>& p);

 public:
  // The group index every switch takes when loaded, whatever was stored.
  static constexpr int kGroupIndex = 2302;

  explicit TDsnSwitch(TComponent* owner);

  // A toggle whatever the stored group settings said.
  void Loaded() override;
  void Notification(TComponent* component, TOperation operation) override;

  // The controller switched; not owned.
  TDsnRegister* DsnRegister() const { return dsnRegister_; }
  void SetDsnRegister(TDsnRegister* value);
  // Show DsnMessage when design mode is switched on.
  bool DsnMessageFlg() const { return dsnMessageFlg_; }
  void SetDsnMessageFlg(bool value) { dsnMessageFlg_ = value; }
  const String& DsnMessage() const { return dsnMessage_; }
  void SetDsnMessage(const String& value) { dsnMessage_ = value; }

 private:
  TDsnRegister* dsnRegister_ = nullptr;  // not owned
  bool dsnMessageFlg_ = false;
  String dsnMessage_;
};

// The switch under its other name, for streams that name it so.
class TDsnSwich : public TDsnSwitch {
  TAVELKO_CLASS(TDsnSwich, TDsnSwitch)

 public:
  using TDsnSwitch::TDsnSwitch;
};

// ---------------------------------------------------------------------------------------------
// TDsnRegister: the designer controller of one stage

class TDsnRegister : public TComponent {
  TAVELKO_CLASS(TDsnRegister, TComponent)
  static void Publish(TPublisher<TDsnRegister>& p);

 public:
  explicit TDsnRegister(TComponent* owner);
  ~TDsnRegister() override;

  void Notification(TComponent* component, TOperation operation) override;

  // ---- The designed stage and its helpers (not owned; cleared when they go) ----
  TDsnStage* DsnStage() const { return dsnStage_; }
  // Also takes the stage's rubber-band settings (later changes to them are not seen).
  void SetDsnStage(TDsnStage* value);
  TCustomCmpPlt* DsnPanel() const { return dsnPanel_; }
  void SetDsnPanel(TCustomCmpPlt* value);
  TCustomInspector* DsnInspector() const { return dsnInspector_; }
  void SetDsnInspector(TCustomInspector* value);
  TArrowButton* ArrowButton() const { return arrowButton_; }
  void SetArrowButton(TArrowButton* value);

  // ---- Settings taken from the stage's rubber band ----
  int MoveWidth() const { return moveWidth_; }
  int MoveHeight() const { return moveHeight_; }
  TColor Color() const { return color_; }
  int PenWidth() const { return penWidth_; }

 private:
  // Asks to be told when `component` (may be null) is destroyed.
  void Follow(TComponent* component);

  TCustomCmpPlt* dsnPanel_ = nullptr;
  TDsnStage* dsnStage_ = nullptr;
  TCustomInspector* dsnInspector_ = nullptr;
  TArrowButton* arrowButton_ = nullptr;
  int moveWidth_ = 8;
  int moveHeight_ = 8;
  TColor color_ = clGray;
  int penWidth_ = 2;
};

// Registers the designer's streamable classes, so that layouts naming them can be read. A program
// calls it once at start, before it reads its first layout.
void RegisterDsnUnitClasses();
