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

/// A snapshot of a selection: the components (not owned) in selection order. The designer hands
/// one to OnBtnClick and OnMenuClick handlers; it lives only for that call, so a handler copies
/// what it wants to keep.
class TSelectedComponents : public TObject {
  TAVELKO_CLASS(TSelectedComponents, TObject)

 public:
  TSelectedComponents();

  /// Appends every entry of `list`, null entries included (the snapshot is not emptied first).
  void AssignList(TList* list);
  /// EListError for an index outside the snapshot.
  TComponent* GetComponents(int index) const;
  /// Number of entries.
  int Count() const { return list_->Count(); }
  /// The entries as a list owned by the snapshot; its items are the components.
  TList* List() const { return list_.get(); }

 private:
  std::unique_ptr<TList> list_;
};

/// Sender, the selected components, the property name, its value (the handler may replace it).
using TCallPropEditor = TEvent<TObject*, TSelectedComponents*, String, String&>;

/// The properties offered for the current selection: the names of InspectList that every selected
/// control's class publishes (spelled as the type information spells them), without the OutList
/// names while more than one control is selected, in InspectList order, each with its merged value.
/// The target list keeps it in step slot for slot. The controller makes one for each new selection
/// list when it has an inspector, and destroys it when design mode ends.
class TMultiProps : public TReceiveTargets {
  TAVELKO_CLASS(TMultiProps, TReceiveTargets)

 public:
  TMultiProps();
  /// Leaves the inspector without a model when it is this one.
  ~TMultiProps() override;

  // ---- Configuration (copied) ----
  /// The names to offer, in the order shown (InspectList); their grid captions, one per name
  /// (CaptionList); and the names withheld while more than one control is selected (OutList).
  /// Each list is copied. Set them before the first control is added: the table is not rebuilt.
  ///@{
  void SetInspectList(TStrings* value) { inspectList_->Assign(value); }
  void SetCaptionList(TStrings* value) { captionList_->Assign(value); }
  void SetOutList(TStrings* value) { outList_->Assign(value); }
  ///@}
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

  /// The classes of the selected controls already folded into the table. Part of the merge's
  /// bookkeeping; owned by the model.
  TStrings* ClassNames() const { return classNames_.get(); }
  /// The configuration lists set above (owned by the model).
  ///@{
  TStrings* InspectList() const { return inspectList_.get(); }
  TStrings* CaptionList() const { return captionList_.get(); }
  TStrings* OutList() const { return outList_.get(); }
  ///@}
  /// The offered names and their values, parallel lists owned by the model. A lone control's
  /// values are shown as they are. Over several controls a number, character, enumeration or set
  /// shows the common value or blank, a string the first control's text, and other kinds (objects,
  /// events) blank.
  ///@{
  TStrings* Names() const { return names_.get(); }
  TStrings* Values() const { return values_.get(); }
  ///@}
  /// The InspectList names that some selected class publishes: the names that may come back when
  /// a control leaves the selection. Part of the merge's bookkeeping; owned by the model.
  TStrings* Candidates() const { return candidates_.get(); }
  /// The selected controls (not owned), in selection order.
  TList* Items() const { return items_.get(); }
  /// The inspector linked by SetInspector; null when none, or once it was destroyed.
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

/// The property table of the context menu, computed once for one opening: the same names and
/// merged values as TMultiProps, without following later changes of the selection.
class TContextProps : public TObject {
  TAVELKO_CLASS(TContextProps, TObject)

 public:
  TContextProps();

  /// Keeps `outProps` and `targets` (not owned) and fills Names and Values for them.
  void CreateTable(TStrings* selfProps, TStrings* outProps, TList* targets);
  /// The caption of Names()[index]; EListError for an index outside Names.
  String GetCaption(int index) const;

  /// The names and captions parsed from CreateTable's "Name|Caption" entries (owned).
  ///@{
  TStrings* InspectList() const { return inspectList_.get(); }
  TStrings* CaptionList() const { return captionList_.get(); }
  ///@}
  /// The withheld names given to CreateTable (not owned); null before the first CreateTable.
  TStrings* OutList() const { return outList_; }
  /// The offered names and their merged values in InspectList order, parallel lists (owned).
  ///@{
  TStrings* Names() const { return names_.get(); }
  TStrings* Values() const { return values_.get(); }
  ///@}
  /// The controls given to CreateTable (not owned); null before the first CreateTable.
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
/// values (SetPosition) and writes edits back through SetProperty. Like the whole designer it is
/// used only on the thread that runs the message loop.
class TCustomInspector : public TComponent {
  TAVELKO_CLASS(TCustomInspector, TComponent)

 public:
  /// An inspector owned by `owner` (may be null), with empty lists and design mode off.
  explicit TCustomInspector(TComponent* owner);

  // ---- What concrete inspectors supply ----
  /// Opens and closes the inspector's view; SetDesigning calls them as design mode starts and
  /// ends.
  ///@{
  virtual void Show() = 0;
  virtual void Hide() = 0;
  ///@}
  /// Lets the application edit the value of a "..." property.
  virtual void BtnClick(const String& propName, String& value) = 0;
  /// Shows the model's names and values again.
  virtual void SetPosition() = 0;
  /// The names to offer and their captions, one pair per entry, into `names` and `captions`
  /// (both emptied first). The controller asks each time it makes a new selection list.
  virtual void GetPropLists(TStrings* names, TStrings* captions) = 0;

  // ---- Operations ----
  /// Show() when switched on, Hide() when switched off; nothing when unchanged.
  virtual void SetDesigning(bool value);
  /// Writes `value` to every selected control; then the stage hears of it and the values are
  /// read again. The error of a bad value passes to the caller, and nothing further happens.
  virtual void SetProperty(const String& propName, const String& value);
  /// Asks the designer to select `control` (synchronously).
  virtual void ChangeTarget(TControl* control);

  /// The published properties to offer, one entry each: "Name", or "Name|Caption" to show
  /// Caption in place of the name; concrete inspectors offer them in GetPropLists. Owned by the
  /// inspector; the setter copies `value`.
  ///@{
  TStrings* SelfProps() const { return selfProps_.get(); }
  void SetSelfProps(TStrings* value) { selfProps_->Assign(value); }
  ///@}
  /// The properties edited with the "..." button (OnBtnClick) instead of typing, spelled exactly
  /// as the type information spells them. Owned by the inspector; the setter copies `value`.
  ///@{
  TStrings* BtnProps() const { return btnProps_.get(); }
  void SetBtnProps(TStrings* value) { btnProps_->Assign(value); }
  ///@}
  /// The properties withheld while more than one control is selected (a Name, say, must stay
  /// unique). Owned by the inspector; the setter copies `value`. This list and GetPropLists are
  /// read when the controller makes a new selection list, so changes show from the next one on.
  ///@{
  TStrings* GetOutProps() const { return outProps_.get(); }
  void SetOutProps(TStrings* value) { outProps_->Assign(value); }
  ///@}
  /// Whether design mode is on, as last set by SetDesigning.
  bool Designing() const { return designing_; }
  /// The model that serves this inspector; set by the model, which links to the inspector and
  /// leaves it without a model when it goes. Not owned; null when there is none, and
  /// always while design mode is off.
  ///@{
  TMultiProps* MultiProps() const { return multiProps_; }
  void SetMultiProps(TMultiProps* value) { multiProps_ = value; }
  ///@}
  /// The design stage's window, target of the property-changed notice; 0 when none.
  ///@{
  HWND StageHandle() const { return stageHandle_; }
  void SetStageHandle(HWND value) { stageHandle_ = value; }
  ///@}

  /// Raised by the "..." button of a BtnProps property with the selection snapshot (alive only
  /// during the call), the property's name and its current text. The handler may replace the
  /// text; the result is then written to every selected control like a typed value.
  TCallPropEditor OnBtnClick;

 private:
  std::unique_ptr<TStringList> selfProps_;
  std::unique_ptr<TStringList> btnProps_;
  std::unique_ptr<TStringList> outProps_;
  bool designing_ = false;
  TMultiProps* multiProps_ = nullptr;  ///< not owned
  HWND stageHandle_ = nullptr;
};
