/// @file
/// TComponent: named, owned objects. An owner destroys its components; whatever points at a
/// component it does not own holds a link (ComponentLink.h) that the component's destruction clears.
#pragma once

#include <unordered_map>
#include <vector>

#include "framework/core/Persistent.h"

/// The flags of a component's state (TComponent::ComponentState).
enum TComponentStateFlag {
  csLoading,     ///< being read from a stream, until Loaded
  csReading,     ///< its properties are being read right now
  csWriting,     ///< it is being written to a stream
  csDestroying,  ///< its destruction (or its owner's) has begun
  csDesigning,   ///< in a designer: the component is being designed rather than used
  csAncestor,
  csUpdating,
  csFixups,
  csFreeNotification,  ///< it has linked itself to another component by FreeNotification
  csInline,
  csDesignInstance,
  /// Made from a document (a file, a clipboard block) rather than the program's own layout: it
  /// keeps to the document and has no effect beyond it (no registry, file or timer of its own).
  csFromDocument,
};
/// The state flags a component has now.
using TComponentState = TSet<TComponentStateFlag>;

/// What Notification tells: a component arrives (opInsert) or goes (opRemove).
enum TOperation { opInsert, opRemove };

class TComponent;

/// Something told when a component it observes is destroyed: the base of the link types of
/// ComponentLink.h. An observer may watch several components, and one component more than once.
class TComponentObserver {
 public:
  TComponentObserver() = default;
  TComponentObserver(const TComponentObserver&) = delete;
  TComponentObserver& operator=(const TComponentObserver&) = delete;

 protected:
  ~TComponentObserver() = default;
  /// Subscribes once more to the destruction of `component`; false, subscribing nothing, when its
  /// destruction has already begun.
  bool Observe(TComponent* component);
  /// Drops one subscription to `component` (null: nothing).
  void Unobserve(TComponent* component);
  /// `component` is being destroyed; this subscription to it is already gone.
  virtual void ComponentRemoved(TComponent* component) = 0;

 private:
  friend class TComponent;
};

/// A letter or underscore, then letters, digits and underscores: what a component name may be.
bool IsValidIdent(const String& name);

/// A named object owned by another component (its owner), which destroys it; the base of
/// everything a designer places and a stream holds. It publishes Name (not stored as a property:
/// the stream names the object itself) and Tag. Components are created, used and destroyed on the
/// thread that runs the message loop only.
class TComponent : public TPersistent {
  TAVELKO_CLASS(TComponent, TPersistent)
  static void Publish(TPublisher<TComponent>& p);

 public:
  /// Inserts the new component under `owner` (InsertComponent); null: no owner, and the creator
  /// deletes the component.
  explicit TComponent(TComponent* owner);
  /// Destruction: csDestroying is set on this component and its owned ones, the links to it are
  /// cleared, every component linked by FreeNotification is told (Notification opRemove), the
  /// owned components are destroyed — the last inserted first — and finally this one leaves its
  /// owner, which tells itself and its watchers.
  ~TComponent() override;

  // ---- What descendants override ----
  /// `component` is being inserted under or removed from this component, or from an owner this
  /// one watches (AddOwnedWatcher), or a component linked by FreeNotification is being destroyed.
  /// Descendants clear their references to it on opRemove, then or before calling this one. The
  /// news goes to nobody else: siblings that care watch the owner.
  virtual void Notification(TComponent* component, TOperation operation);
  /// After the whole tree was read from a stream: clears csLoading.
  virtual void Loaded();
  /// Checks the name (identifier; unique under the owner) and takes it.
  virtual void SetName(const String& newName);
  /// Streaming hooks: the children a writer stores under this component (owned components and
  /// parented controls), and the parent relation that a reader restores. The defaults: no
  /// children, no parent.
  ///@{
  virtual void GetChildren(const std::function<void(TComponent*)>& proc, TComponent* root);
  virtual bool HasParent() const;
  virtual TComponent* GetParentComponent() const;
  virtual void SetParentComponent(TComponent* parent);
  ///@}
  /// Non-visual components stream their design position as "Left" and "Top".
  void DefineProperties(TFiler& filer) override;
  TPersistent* GetOwner() override;
  String GetNamePath() override;  ///< the component's Name

  // ---- Ownership ----
  TComponent* Owner() const { return owner_; }  ///< the component that destroys this one; may be null
  /// The components this one owns, in insertion order (moved by SetComponentIndex).
  ///@{
  int ComponentCount() const { return static_cast<int>(components_.size()); }
  TComponent* Components(int index) const;  ///< EListError when out of bounds
  ///@}
  int ComponentIndex() const;               ///< position under the owner, -1 without one
  /// Moves this component to position `index` under its owner (clamped to the valid range);
  /// nothing without an owner.
  void SetComponentIndex(int index);
  /// Takes `component` (which must have no owner) as the last owned component; its name must be
  /// free here (EComponentError otherwise).
  void InsertComponent(TComponent* component);
  void RemoveComponent(TComponent* component);  ///< gives it up without destroying it
  /// Destroys every owned component, the last inserted first.
  void DestroyComponents();
  /// Owned component of that name (ASCII letters compared without case); nullptr if none.
  /// Indexed: constant time whatever the number of components.
  TComponent* FindComponent(const String& name) const;

  // ---- Destruction links ----
  /// `component` is told (Notification opRemove) when this component is destroyed, and this one
  /// when `component` is. Linking twice links once.
  ///@{
  void FreeNotification(TComponent* component);
  /// Undoes FreeNotification in both directions (null: nothing).
  void RemoveFreeNotification(TComponent* component);
  ///@}
  /// `watcher` is told (Notification opInsert / opRemove) of every component inserted under or
  /// removed from this one, after this one, until RemoveOwnedWatcher or the destruction of either.
  /// Watchers are told in the order they were added; adding twice adds once.
  ///@{
  void AddOwnedWatcher(TComponent* watcher);
  /// Ends AddOwnedWatcher (null: nothing).
  void RemoveOwnedWatcher(TComponent* watcher);
  ///@}

  // ---- Name, tag, state ----
  /// The name, unique (ASCII case-insensitive) among the components of the owner; may be empty.
  const String& Name() const { return name_; }
  /// A number for the program's own use; the framework only streams it (default 0).
  ///@{
  int Tag() const { return tag_; }
  void SetTag(int tag) { tag_ = tag; }
  ///@}
  /// Left (low 16 bits) and Top (high 16 bits) of a non-visual component in the designer.
  ///@{
  int DesignInfo() const { return designInfo_; }
  void SetDesignInfo(int info) { designInfo_ = info; }
  ///@}
  TComponentState ComponentState() const { return state_; }  ///< the state flags (see TComponentStateFlag)
  /// For the framework's reader and writer (csLoading, csReading, csWriting, ...).
  void SetStateFlag(TComponentStateFlag flag, bool on);
  /// Sets or clears csDesigning here and, with setChildren, on every owned component (deeply).
  void SetDesigning(bool value, bool setChildren = true);

 protected:
  /// A descendant whose observers look at more than its identity while it goes away calls this
  /// first in its own destructor: the notifications then reach a complete object. The base
  /// destructor calls it otherwise; it runs once.
  void BeforeDestruction();
  /// `component`, owned by this one, has just taken its name (perhaps empty); nothing here.
  virtual void OwnedComponentRenamed(TComponent*) {}

 private:
  friend class TComponentObserver;
  void Destroying();
  void Insert(TComponent* component);
  void Remove(TComponent* component);
  void ValidateRename(TComponent* component, const String& newName) const;
  void AddLink(TComponent* component);
  void DropLink(TComponent* component);
  /// Tells this component and its watchers.
  void NotifyOwnedChange(TComponent* component, TOperation operation);
  void StopWatching();

  TComponent* owner_ = nullptr;
  std::vector<TComponent*> components_;                       ///< owned, insertion order
  std::unordered_map<String, TComponent*> nameIndex_;         ///< upper-case name -> owned component
  std::vector<TComponent*> freeNotifies_;                     ///< linked both ways, not owned
  std::vector<TComponentObserver*> observers_;                ///< one entry per subscription
  std::vector<TComponent*> ownedWatchers_;                    ///< told of owned changes, not owned
  std::vector<TComponent*> watchedOwners_;                    ///< whose owned changes this hears
  String name_;
  int tag_ = 0;
  int designInfo_ = 0;
  TComponentState state_;
  bool destructionBegun_ = false;
};
