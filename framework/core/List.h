/// @file
/// TList: an ordered list of untyped pointers (controls, receivers, window handles). It never owns
/// what it points to.
#pragma once

#include <functional>
#include <vector>

#include "framework/core/Object.h"

/// An ordered list of untyped pointers, which may be null; the list never owns what they point to.
class TList : public TObject {
  TAVELKO_CLASS(TList, TObject)

 public:
  /// Order of two items for Sort: negative when `a` comes before `b`, 0 when equal, positive after.
  using TCompare = std::function<int(void* a, void* b)>;

  int Count() const { return static_cast<int>(items_.size()); }  ///< number of items
  /// Every index is checked: EListError "List index out of bounds (5)".
  ///@{
  void* Items(int index) const;
  void* operator[](int index) const { return Items(index); }
  void Put(int index, void* item);
  void* First() const { return Items(0); }
  void* Last() const { return Items(Count() - 1); }
  ///@}

  int Add(void* item);  ///< appends; returns its index
  void Insert(int index, void* item);  ///< 0..Count
  void Delete(int index);  ///< removes item `index`
  int Remove(void* item);  ///< index it had, or -1
  void* Extract(void* item);  ///< removes the first occurrence; returns it or nullptr
  int IndexOf(void* item) const;  ///< first occurrence, or -1
  /// Moves item `curIndex` so that it becomes item `newIndex`.
  void Move(int curIndex, int newIndex);
  void Exchange(int index1, int index2);  ///< swaps two items
  void Clear();  ///< removes every item
  void Pack();  ///< removes null entries
  /// Ascending by `compare` (negative: a before b); equal items keep their order.
  void Sort(const TCompare& compare);
  void Assign(const TList& source);  ///< makes this list a copy of `source`

 private:
  void CheckIndex(int index, int limit) const;

  std::vector<void*> items_;
};
