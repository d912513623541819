/// @file
/// Links to components that another object observes but does not own: TComponentLink (one
/// component) and TComponentLinkList (several). A link subscribes to its component's destruction
/// and is cleared by it, so a holder never keeps a pointer to a destroyed component.
#pragma once

#include <algorithm>
#include <functional>
#include <utility>
#include <vector>

#include "framework/core/Component.h"

/// One observed component of class T, or none. Not copyable: the component knows the link by its
/// address. `onRemoved` runs after the link was cleared by the component's destruction.
template <class T>
class TComponentLink final : private TComponentObserver {
 public:
  TComponentLink() = default;
  /// A link that calls `onRemoved` when its component's destruction clears it.
  explicit TComponentLink(std::function<void()> onRemoved) : onRemoved_(std::move(onRemoved)) {}
  ~TComponentLink() { Unobserve(component_); }

  /// The linked component; null when none is linked or it has been destroyed.
  ///@{
  T* Get() const { return target_; }
  operator T*() const { return target_; }
  T* operator->() const { return target_; }
  ///@}

  /// Observes `value` instead; a component already being destroyed is not linked (null is kept).
  void Set(T* value) {
    if (value == target_) return;
    Unobserve(std::exchange(component_, nullptr));
    target_ = nullptr;
    if (value && Observe(value)) {
      target_ = value;
      component_ = value;
    }
  }

 private:
  void ComponentRemoved(TComponent*) override {
    target_ = nullptr;
    component_ = nullptr;
    if (onRemoved_) onRemoved_();
  }

  T* target_ = nullptr;
  TComponent* component_ = nullptr;  ///< the same object; lets the link forget a T it cannot convert
  std::function<void()> onRemoved_;
};

/// Observed components of class T in the order added; a destroyed component leaves the list.
/// The same component may be added more than once.
template <class T>
class TComponentLinkList final : private TComponentObserver {
 public:
  TComponentLinkList() = default;
  ~TComponentLinkList() {
    for (const Entry& entry : entries_) Unobserve(entry.Component);
  }

  int Count() const { return static_cast<int>(entries_.size()); }  ///< number of entries
  bool Empty() const { return entries_.empty(); }  ///< whether there is no entry
  /// Entry `index`, 0..Count()-1 (not checked).
  T* operator[](int index) const { return entries_[static_cast<std::size_t>(index)].Item; }
  /// Whether `item` is in the list.
  bool Contains(const T* item) const {
    return std::any_of(entries_.begin(), entries_.end(), [item](const Entry& e) { return e.Item == item; });
  }
  /// The items as they are now, for walks during which the list may change.
  std::vector<T*> Snapshot() const {
    std::vector<T*> items;
    items.reserve(entries_.size());
    for (const Entry& entry : entries_) items.push_back(entry.Item);
    return items;
  }

  /// Appends `item` unless it is null or already being destroyed.
  void Add(T* item) {
    if (item && Observe(item)) entries_.push_back({item, item});
  }
  /// Drops the last entry of `item`; false when it is not in the list.
  bool Remove(const T* item) {
    auto it = std::find_if(entries_.rbegin(), entries_.rend(), [item](const Entry& e) { return e.Item == item; });
    if (it == entries_.rend()) return false;
    Unobserve(it->Component);
    entries_.erase(std::next(it).base());
    return true;
  }
  /// Drops every entry; the components are not destroyed.
  void Clear() {
    for (const Entry& entry : entries_) Unobserve(entry.Component);
    entries_.clear();
  }

 private:
  struct Entry {
    T* Item;
    TComponent* Component;
  };
  void ComponentRemoved(TComponent* component) override {
    std::erase_if(entries_, [component](const Entry& e) { return e.Component == component; });
  }

  std::vector<Entry> entries_;
};
