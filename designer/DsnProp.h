/// @file
/// The property model of the designer: TMultiProps, the live table of the properties that every
/// selected control offers with their merged values (a receiver of the selection); TContextProps,
/// the same table computed once for the context menu; TSelectedComponents, the snapshot of a
/// selection handed to event handlers; and TCustomInspector, the abstract property inspector with
/// its write-back path.
#pragma once

#include <windows.h>

#include <memory>

#include "designer/DsnList.h"
#include "framework/core/Component.h"
#include "framework/core/ComponentLink.h"
#include "framework/core/Strings.h"

class TControl;
class TCustomInspector;

/// Sent to a control's window (a windowless control: its parent's); WParam the TControl* to select.
constexpr UINT DSNM_SELECTBYINSPECT = WM_USER + 577;
/// Posted to the design stage after a property was written; WParam and LParam 0.
constexpr UINT DSNM_PROPERTYCHANGED = WM_USER + 578;

/// A snapshot of a selection: the components (not owned) in selection order.
class TSelectedComponents : public TObject {
  TAVELKO_CLASS(TSelectedComponents, TObject)

 public:
  TSelectedComponents();

  /// Appends every entry of `list`, null entries included (the snapshot is not emptied first).
  void AssignList(TList* list);
  /// EListError for an index outside the snapshot.
  TComponent* GetComponents(int index) const;
  int Count() const { return list_->Count(); }
  TList* List() const { return list_.get(); }

 private:
  std::unique_ptr<TList> list_;
};

/// Sender, the selected components, the property name, its value (the handler may replace it).
using TCallPropEditor = TEvent<TObject*, TSelectedComponents*, String, String&>;

/// The properties offered for the current selection: the names of InspectList that every selected
/// control's class publishes (spelled as the type information spells them), without the OutList
/// names while more than one control is selected, in InspectList order, each with its merged value.
/// The target list keeps it in step slot for slot.
class TMultiProps : public TReceiveTargets {
  TAVELKO_CLASS(TMultiProps, TReceiveTargets)

 public:
  TMultiProps();
  /// Leaves the inspector without a model when it is this one.
  ~TMultiProps() override;

  // ---- Configuration (copied) ----
  void SetInspectList(TStrings* value) { inspectList_->Assign(value); }
  void SetCaptionList(TStrings* value) { captionList_->Assign(value); }
  void SetOutList(TStrings* value) { outList_->Assign(value); }
  /// Links the inspector to this model; null only forgets the inspector.
  void SetInspector(TCustomInspector* inspector);

  // ---- The selection ----
  void ItemDeath(int index) override;  ///< the slot empties; the table stays until Delete
  void Add(void* item) override;       ///< nothing for an item already there
  void Clear() override;               ///< the configuration and the inspector stay
  /// Removes the slot and brings back the names that may be common again. The slot of a control
  /// that died is removed too, and the table is then rebuilt from the remaining controls.
  void Delete(int index) override;
  /// Refreshes the values, then lets the inspector show them.
  void SetPosition() override;

  /// Recomputes Values for the shown Names from the current items.
  void GetValues();

  TStrings* ClassNames() const { return classNames_.get(); }
  TStrings* InspectList() const { return inspectList_.get(); }
  TStrings* CaptionList() const { return captionList_.get(); }
  TStrings* OutList() const { return outList_.get(); }
  TStrings* Names() const { return names_.get(); }
  TStrings* Values() const { return values_.get(); }
  TStrings* Candidates() const { return candidates_.get(); }
  /// The selected controls (not owned), in selection order.
  TList* Items() const { return items_.get(); }
  TCustomInspector* Inspector() const { return inspector_; }

 private:
  /// Folds the last item into the table (the item count is its position).
  void FoldLastItem();
  void RemoveLiveSlot(int index);
  void Rebuild();

  std::unique_ptr<TStringList> classNames_;
  std::unique_ptr<TStringList> inspectList_;
  std::unique_ptr<TStringList> captionList_;
  std::unique_ptr<TStringList> outList_;
  std::unique_ptr<TStringList> names_;
  std::unique_ptr<TStringList> values_;
  std::unique_ptr<TStringList> candidates_;
  std::unique_ptr<TList> items_;
  TComponentLink<TCustomInspector> inspector_;
};

/// The property table of the context menu, computed once for one opening.
class TContextProps : public TObject {
  TAVELKO_CLASS(TContextProps, TObject)

 public:
  TContextProps();

  /// Keeps `outProps` and `targets` (not owned) and fills Names and Values for them.
  void CreateTable(TStrings* selfProps, TStrings* outProps, TList* targets);
  String GetCaption(int index) const;

  TStrings* InspectList() const { return inspectList_.get(); }
  TStrings* CaptionList() const { return captionList_.get(); }
  TStrings* OutList() const { return outList_; }
  TStrings* Names() const { return names_.get(); }
  TStrings* Values() const { return values_.get(); }
  TList* Targets() const { return targets_; }

 private:
  std::unique_ptr<TStringList> inspectList_;
  std::unique_ptr<TStringList> captionList_;
  TStrings* outList_ = nullptr;  ///< not owned
  std::unique_ptr<TStringList> names_;
  std::unique_ptr<TStringList> values_;
  TList* targets_ = nullptr;  ///< not owned
};

/// The property inspector the controller talks to. A concrete inspector shows the model's names and
/// values (SetPosition) and writes edits back through SetProperty.
class TCustomInspector : public TComponent {
  TAVELKO_CLASS(TCustomInspector, TComponent)

 public:
  explicit TCustomInspector(TComponent* owner);

  // ---- What concrete inspectors supply ----
  virtual void Show() = 0;
  virtual void Hide() = 0;
  /// Lets the application edit the value of a "..." property.
  virtual void BtnClick(const String& propName, String& value) = 0;
  /// Shows the model's names and values again.
  virtual void SetPosition() = 0;
  /// The names to offer and their captions, one pair per entry.
  virtual void GetPropLists(TStrings* names, TStrings* captions) = 0;

  // ---- Operations ----
  /// Show() when switched on, Hide() when switched off; nothing when unchanged.
  virtual void SetDesigning(bool value);
  /// Writes `value` to every selected control; then the stage hears of it and the values are
  /// read again. The error of a bad value passes to the caller, and nothing further happens.
  virtual void SetProperty(const String& propName, const String& value);
  /// Asks the designer to select `control` (synchronously).
  virtual void ChangeTarget(TControl* control);

  TStrings* SelfProps() const { return selfProps_.get(); }
  void SetSelfProps(TStrings* value) { selfProps_->Assign(value); }
  TStrings* BtnProps() const { return btnProps_.get(); }
  void SetBtnProps(TStrings* value) { btnProps_->Assign(value); }
  TStrings* GetOutProps() const { return outProps_.get(); }
  void SetOutProps(TStrings* value) { outProps_->Assign(value); }
  bool Designing() const { return designing_; }
  /// The model that serves this inspector; set by the model, which links to the inspector and
  /// leaves it without a model when it goes.
  TMultiProps* MultiProps() const { return multiProps_; }
  void SetMultiProps(TMultiProps* value) { multiProps_ = value; }
  /// The design stage's window, target of the property-changed notice; 0 when none.
  HWND StageHandle() const { return stageHandle_; }
  void SetStageHandle(HWND value) { stageHandle_ = value; }

  TCallPropEditor OnBtnClick;

 private:
  std::unique_ptr<TStringList> selfProps_;
  std::unique_ptr<TStringList> btnProps_;
  std::unique_ptr<TStringList> outProps_;
  bool designing_ = false;
  TMultiProps* multiProps_ = nullptr;  ///< not owned
  HWND stageHandle_ = nullptr;
};
