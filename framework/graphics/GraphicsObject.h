/// @file
/// TGraphicsObject: the base of pens, brushes and fonts — properties from which a GDI object is made
/// when it is first needed, and a notification of every change.
#pragma once

#include <memory>

#include "framework/core/Event.h"
#include "framework/core/Persistent.h"
#include "framework/graphics/GdiHandles.h"

/// A GDI object shared by the pen, brush or font that made it and by a canvas that has it selected:
/// it is deleted when both have let go, so never while a DC still holds it.
template <class Handle>
using SharedGdiObject = std::shared_ptr<const gdi::Object<Handle, true>>;

/// Takes ownership of `handle` (a GDI pen, brush, font...) as a shared object; null stays null.
template <class Handle>
SharedGdiObject<Handle> MakeSharedGdiObject(Handle handle) {
  return std::make_shared<const gdi::Object<Handle, true>>(handle);
}

/// Base of TPen, TBrush and TFont: published properties from which the GDI object is made when it is
/// first needed, and an event raised after every change (a canvas or control repaints on it).
///
/// Like the whole framework, graphics objects are single-threaded: use them only on the thread that
/// runs the message loop. GDI objects handed out by them live as long as the SharedGdiObject or,
/// for raw handles, until the next property change or the object's destruction.
class TGraphicsObject : public TPersistent {
  TAVELKO_CLASS(TGraphicsObject, TPersistent)

 public:
  /// Raised with this object as the sender after a property changed (not when set to its value);
  /// a single handler, usually set by the owner (a canvas or a control) to repaint.
  ///@{
  const TNotifyEvent& OnChange() const { return onChange_; }
  void SetOnChange(const TNotifyEvent& handler) { onChange_ = handler; }
  ///@}

 protected:
  TGraphicsObject() = default;
  /// Called after every change of a property.
  void Changed() { onChange_(this); }

 private:
  TNotifyEvent onChange_;
};
