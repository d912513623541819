/// @file
/// TDsnList: the controller's interceptors, owned, in the order they were made.
#pragma once

#include <memory>
#include <vector>

#include "designer/DsnCtrl.h"
#include "framework/core/Object.h"

/// The list a controller keeps its interceptors in (TDsnRegister::DsnList). Variants may supply
/// their own (TDsnRegister::CreateDsnList). Indexes are not checked.
class TDsnList : public TObject {
  TAVELKO_CLASS(TDsnList, TObject)

 public:
  /// The number of interceptors, and the one at `index` (0 to Count() - 1); owned by the list.
  ///@{
  int Count() const { return static_cast<int>(items_.size()); }
  TDsnCtrl* Interceptors(int index) const { return items_[static_cast<std::size_t>(index)].get(); }
  ///@}
  /// -1 when `interceptor` is not in the list.
  int IndexOf(const TDsnCtrl* interceptor) const;

  /// Appends `interceptor`; the list owns it from now on.
  void Add(std::unique_ptr<TDsnCtrl> interceptor) { items_.push_back(std::move(interceptor)); }
  /// Takes the interceptor at `index` out of the list and hands it over.
  std::unique_ptr<TDsnCtrl> Release(int index);
  /// Destroys every interceptor, first to last; the list is empty while they go.
  void Clear();

 private:
  std::vector<std::unique_ptr<TDsnCtrl>> items_;
};
