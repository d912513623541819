// Counts the OnChange notifications of one object (a picture, a graphic, a pen, a brush, a font).
#pragma once

#include "framework/core/Event.h"
#include "framework/core/Object.h"

namespace test_support {

class TChangeCounter : public TObject {
 public:
  template <class Notifier>
  explicit TChangeCounter(Notifier& notifier) {
    notifier.SetOnChange(TNotifyEvent(this, &TChangeCounter::Changed));
  }

  int count = 0;

 private:
  void Changed(TObject*) { ++count; }
};

}  // namespace test_support
