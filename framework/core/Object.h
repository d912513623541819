/// @file
/// TObject: the root of the framework's classes (class name and run-time type information).
#pragma once

#include "framework/core/TypeInfo.h"

class TObject {
 public:
  TObject();
  virtual ~TObject();
  TObject(const TObject&) = delete;
  TObject& operator=(const TObject&) = delete;

  static const TClassInfo& StaticClassInfo();
  virtual const TClassInfo& ClassInfo() const;
  const String& ClassName() const { return ClassInfo().Name(); }
  bool InheritsFrom(const TClassInfo& info) const { return ClassInfo().InheritsFrom(info); }

  /// Number of framework objects alive now; tests compare it before and after to prove that
  /// nothing leaked.
  static long LiveCount();

 private:
  static long liveCount_;
};
