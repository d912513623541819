/// @file
/// TGraphicsObject: the base of pens, brushes and fonts — properties from which a GDI object is made
/// when it is first needed, and a notification of every change.
#pragma once

#include <memory>

#include "framework/core/Event.h"
#include "framework/core/Persistent.h"
#include "framework/graphics/GdiHandles.h"

// A GDI object shared by the pen, brush or font that made it and by a canvas that has it selected:
// it is deleted when both have let go, so never while a DC still holds it.
template <class Handle>
using SharedGdiObject = std::shared_ptr<const gdi::Object<Handle, true>>;

template <class Handle>
SharedGdiObject<Handle> MakeSharedGdiObject(Handle handle) {
  return std::make_shared<const gdi::Object<Handle, true>>(handle);
}

class TGraphicsObject : public TPersistent {
  TAVELKO_CLASS(TGraphicsObject, TPersistent)

 public:
  const TNotifyEvent& OnChange() const { return onChange_; }
  void SetOnChange(const TNotifyEvent& handler) { onChange_ = handler; }

 protected:
  TGraphicsObject() = default;
  /// Called after every change of a property.
  void Changed() { onChange_(this); }

 private:
  TNotifyEvent onChange_;
};
