/// @file
/// TObject: the root of the framework's classes (class name and run-time type information).
#pragma once

#include "framework/core/TypeInfo.h"

/// The root of the framework's classes: run-time class information and a count of live objects.
/// Objects are not copyable. The framework is single-threaded: its objects are created, used and
/// destroyed on the thread that runs the message loop, and none of its classes locks anything.
class TObject {
 public:
  TObject();
  virtual ~TObject();
  TObject(const TObject&) = delete;
  TObject& operator=(const TObject&) = delete;

  /// The descriptor of this class; every derived class declares its own with TAVELKO_CLASS.
  static const TClassInfo& StaticClassInfo();
  /// The descriptor of the object's actual class.
  virtual const TClassInfo& ClassInfo() const;
  const String& ClassName() const { return ClassInfo().Name(); }  ///< the actual class's name ("TButton")
  /// Whether the object's actual class is `info` or derives from it.
  bool InheritsFrom(const TClassInfo& info) const { return ClassInfo().InheritsFrom(info); }

  /// Number of framework objects alive now; tests compare it before and after to prove that
  /// nothing leaked.
  static long LiveCount();

 private:
  static long liveCount_;
};
