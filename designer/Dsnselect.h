/// @file
/// The selection partner TDsnSelect: an application follows the designer's selection through its
/// OnChangeSelected event and drives it with Select and MultipleSelect. Its TSelectionManager is the
/// receiver that hears every change of the controller's selection.
#pragma once

#include <cstdint>
#include <memory>
#include <vector>

#include "designer/DsnList.h"
#include "designer/DsnPartner.h"
#include "designer/DsnProp.h"
#include "framework/core/ComponentLink.h"

class TDsnSelect;

/// The selection operation an OnChangeSelected reports.
enum TSelectOperation : std::uint8_t { opAdd, opClear, opDelete, opItemDeath };

/// Sender (the TDsnSelect), the selection after the change, the operation. Targets lives for the
/// call only: a handler that keeps the selection copies it (TSelectedComponents::AssignList).
using TChangeSelected = TEvent<TObject*, TSelectedComponents*, TSelectOperation>;

/// Mirrors the selection of the target lists it is linked to and reports each operation except
/// SetPosition to its TDsnSelect.
class TSelectionManager : public TReceiveTargets {
  TAVELKO_CLASS(TSelectionManager, TReceiveTargets)

 public:
  /// Made by `dsnSelect`, which owns it.
  explicit TSelectionManager(TDsnSelect* dsnSelect) : dsnSelect_(dsnSelect) {}

  void ItemDeath(int index) override;  ///< the slot stays, null
  void Add(void* item) override;
  void Clear() override;
  void Delete(int index) override;
  void SetPosition() override {}
  /// A target list that goes (design mode ended) takes its selection along: the next list starts
  /// empty, and so does the mirror.
  void Notification(TReceiveTargets* other) override;

  /// The mirrored selection; a null entry is a control dying.
  const std::vector<TControl*>& Items() const { return items_; }
  /// The partner that owns this manager and raises its OnChangeSelected.
  TDsnSelect* DsnSelect() const { return dsnSelect_; }

 private:
  /// EListError outside the mirrored selection.
  void CheckIndex(int index) const;
  void Changed(TSelectOperation operation);

  std::vector<TControl*> items_;  ///< not owned
  TDsnSelect* dsnSelect_;         ///< owns this manager
};

/// The selection partner: a program follows the controller's selection through OnChangeSelected
/// and sets it with Select and MultipleSelect. Set DsnRegister, then the partner hears every
/// selection made once design mode is switched on.
class TDsnSelect : public TDsnPartner {
  TAVELKO_CLASS(TDsnSelect, TDsnPartner)
  static void Publish(TPublisher<TDsnSelect>& p);

 public:
  using TDsnPartner::TDsnPartner;
  /// The manager leaves the controller's receivers and its target list.
  ~TDsnSelect() override;

  /// Switching on with a controller set makes the manager (once) and registers it with that
  /// controller, so it hears every selection made from then on.
  void SetDesigning(bool value) override;
  /// While designing, `control` becomes the whole selection when the controller may select it.
  virtual void Select(TControl* control);
  /// While designing, the whole list becomes the selection, in its order, when the controller may
  /// select any one of its controls; otherwise nothing changes. Null and repeated entries are left
  /// out.
  virtual void MultipleSelect(const std::vector<TControl*>& controls);

  /// Owned; null before the first switch into design mode with a controller.
  TSelectionManager* Manager() const { return manager_.get(); }

  /// (this partner, selection, operation): raised after each change of the controller's selection
  /// but layout ones (SetPosition), not while the partner is being destroyed.
  TChangeSelected OnChangeSelected;

 private:
  /// The selection, Clear, Add of every control, SetPosition.
  void Replace(const std::vector<TControl*>& controls);

  std::unique_ptr<TSelectionManager> manager_;
  /// The controller whose receivers hold the manager; cleared when it goes.
  TComponentLink<TDsnRegister> notifiedRegister_;
};

/// Registers TDsnSelect for reading streams.
void RegisterDsnselectClasses();
