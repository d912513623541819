// TObject: class descriptor of the root class and the live-object count.
#include "framework/core/Object.h"

long TObject::liveCount_ = 0;

TObject::TObject() { ++liveCount_; }
TObject::~TObject() { --liveCount_; }

const TClassInfo& TObject::StaticClassInfo() {
  static const TClassInfo info("TObject", nullptr, nullptr, nullptr);
  return info;
}

const TClassInfo& TObject::ClassInfo() const { return StaticClassInfo(); }

long TObject::LiveCount() { return liveCount_; }
