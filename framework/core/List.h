/// @file
/// TList: an ordered list of untyped pointers (controls, receivers, window handles). It never owns
/// what it points to.
#pragma once

#include <functional>
#include <vector>

#include "framework/core/Object.h"

class TList : public TObject {
  TAVELKO_CLASS(TList, TObject)

 public:
  using TCompare = std::function<int(void* a, void* b)>;

  int Count() const { return static_cast<int>(items_.size()); }
  /// Every index is checked: EListError "List index out of bounds (5)".
  void* Items(int index) const;
  void* operator[](int index) const { return Items(index); }
  void Put(int index, void* item);
  void* First() const { return Items(0); }
  void* Last() const { return Items(Count() - 1); }

  int Add(void* item);
  void Insert(int index, void* item);  ///< 0..Count
  void Delete(int index);
  int Remove(void* item);  ///< index it had, or -1
  void* Extract(void* item);  ///< removes the first occurrence; returns it or nullptr
  int IndexOf(void* item) const;
  void Move(int curIndex, int newIndex);
  void Exchange(int index1, int index2);
  void Clear();
  void Pack();  ///< removes null entries
  /// Ascending by `compare` (negative: a before b); equal items keep their order.
  void Sort(const TCompare& compare);
  void Assign(const TList& source);

 private:
  void CheckIndex(int index, int limit) const;

  std::vector<void*> items_;
};
