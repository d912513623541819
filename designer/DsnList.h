/// @file
/// The selection of the designer (TTargetList) and the base of everything that follows it
/// (TReceiveTargets): five selection operations and a symmetric link between receivers.
#pragma once

#include <memory>

#include "framework/core/List.h"
#include "framework/core/Object.h"

class TControl;

/// A receiver of selection changes. Linked receivers know each other: each lists the other once,
/// and a dying receiver is dropped from the lists of all receivers it was linked to. Derive from it
/// to follow the selection (TDsnRegister::AddNotifies); a target list calls the operations below
/// after changing its own items.
class TReceiveTargets : public TObject {
  TAVELKO_CLASS(TReceiveTargets, TObject)

 public:
  ~TReceiveTargets() override;

  // ---- The selection operations (index: position in the selection) ----
  virtual void ItemDeath(int index) = 0;  ///< the item is being destroyed; its slot stays
  virtual void Add(void* item) = 0;       ///< item (a TControl*) was appended
  virtual void Clear() = 0;               ///< every item left the selection
  virtual void Delete(int index) = 0;     ///< the item at `index` left; the later ones moved down
  /// The items moved or changed size, or a series of changes ended: lay out what follows them.
  virtual void SetPosition() = 0;

  // ---- Links ----
  /// `other` is being destroyed: forget it.
  virtual void Notification(TReceiveTargets* other);
  /// Links `other` to this receiver and this one to `other`; linking twice links once.
  virtual void SelectNotification(TReceiveTargets* other);

  /// The linked receivers (not owned); null before the first link.
  TList* Receivers() const { return receivers_.get(); }
  /// Whether `other` is among the linked receivers.
  bool IsLinkedTo(TReceiveTargets* other) const;

 protected:
  TReceiveTargets() = default;
  /// Calls `operation` on every receiver linked now, in link order. A receiver unlinked by an
  /// earlier call (it died meanwhile) is skipped.
  template <class Operation>
  void ForEachReceiver(Operation operation);

 private:
  std::unique_ptr<TList> receivers_;
};

/// The designer's selection: the selected controls (not owned) in selection order. Every
/// operation changes the items first and then repeats itself on each linked receiver.
class TTargetList : public TReceiveTargets {
  TAVELKO_CLASS(TTargetList, TReceiveTargets)

 public:
  TTargetList();
  ~TTargetList() override;

  int GetCount() const;                  ///< -1 without an item list
  TControl* GetItems(int index) const;   ///< null for an index outside the list
  int IndexOf(void* item) const;         ///< -1 when not selected

  /// Index errors raise the list's EListError before any receiver is told.
  void ItemDeath(int index) override;
  void Add(void* item) override;
  void Clear() override;
  void Delete(int index) override;
  void SetPosition() override;

  /// The selected controls as TControl* entries; owned by the list. Change the selection through
  /// the operations above, never through this list, or the receivers fall out of step.
  TList* Items() const { return items_.get(); }

 private:
  std::unique_ptr<TList> items_;  ///< a slot is null between ItemDeath and Delete
};

template <class Operation>
void TReceiveTargets::ForEachReceiver(Operation operation) {
  if (!receivers_) return;
  TList snapshot;
  snapshot.Assign(*receivers_);
  for (int i = 0; i < snapshot.Count(); ++i) {
    auto* receiver = static_cast<TReceiveTargets*>(snapshot[i]);
    if (receivers_->IndexOf(receiver) >= 0) operation(receiver);
  }
}
