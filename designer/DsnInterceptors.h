/// @file
/// TDsnInterceptors: the interceptors a controller puts on the stage's windows.
#pragma once

#include <functional>
#include <memory>
#include <vector>

#include "designer/DsnInterceptorList.h"

class TComponent;
class TDsnRegister;
class TWinControl;

/// Part of TDsnRegister's implementation; not for use on its own. The interceptors are made by
/// walking a window tree, each dropped (dying) when its control goes and destroyed when its
/// window's death notice reaches the stage; all destroyed when design mode ends.
class TDsnInterceptors {
 public:
  /// The controller's factories, which variants replace.
  struct TFactories {
    std::function<std::unique_ptr<TDsnList>()> MakeList;  ///< TDsnRegister::CreateDsnList
    std::function<std::unique_ptr<TDsnCtrl>(TWinControl*)> MakeInterceptor;  ///< TDsnRegister::CreateSubCtrl
  };

  /// Serves `controller`, which outlives it; nothing is made before the first walk.
  TDsnInterceptors(TDsnRegister& controller, TFactories factories);
  ~TDsnInterceptors();
  TDsnInterceptors(const TDsnInterceptors&) = delete;
  TDsnInterceptors& operator=(const TDsnInterceptors&) = delete;

  /// Null until the first walk.
  TDsnList* List() const { return list_.get(); }
  /// Makes the list (MakeList) when there is none.
  void EnsureList();

  /// Intercepts `root` and the windows below it as the stage's cover query allows, with one repaint
  /// of the tree.
  void Cover(TWinControl* root);
  /// Destroys every interceptor, the dropped ones too; `repaintRoot` (if any) is repainted once.
  void DestroyAll(TWinControl* repaintRoot);
  /// The controller is going: no interceptor repaints its control on the way out.
  void DestroyOnExit();
  /// `control` is being destroyed: its interceptors leave the list, dying, until their windows'
  /// death notices arrive; the controller's AlertClientDeath hears of each.
  void Depart(const TComponent* control);
  /// The death notice of `interceptor`'s window: a dropped interceptor is destroyed; a live one
  /// whose window was made anew takes the new window. Unknown interceptors are ignored.
  void ClientDeath(TDsnCtrl* interceptor);
  /// Every live interceptor whose window was destroyed takes its control's window again.
  void Reattach();
  /// True while a whole tree is intercepted or released: one repaint of it follows.
  bool RepaintDeferred() const { return repaintDeferred_ > 0; }

 private:
  /// `current` is the interceptor of the nearest intercepted window above.
  void CoverTree(TWinControl* control, TDsnCtrl* current);
  /// Runs `work` with the interceptors' repaints deferred, then repaints `root` and everything in it.
  template <class Work>
  void WithOneRepaint(TWinControl* root, Work work);
  void DestroyEvery();

  TDsnRegister& controller_;
  TFactories factories_;
  std::unique_ptr<TDsnList> list_;
  /// Interceptors of destroyed controls, waiting for their window's death notice.
  std::vector<std::unique_ptr<TDsnCtrl>> departed_;
  int repaintDeferred_ = 0;
};
