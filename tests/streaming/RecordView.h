// A low-level walk of a component stream into a tree of records, so tests can check the bytes a
// writer produced without reading them back through components.
#pragma once

#include <vector>

#include "framework/core/Stream.h"
#include "streaming/ValueReader.h"
#include "tests/support/StreamWriters.h"

using namespace test_support;

struct TPropertyView {
  String Name;
  TValueType Tag;
  std::size_t Offset;  // of the value's tag
};

struct TRecordView {
  std::uint8_t Flags = 0;
  String ClassName;
  String Name;
  std::vector<TPropertyView> Properties;
  std::vector<TRecordView> Children;

  const TPropertyView* Find(const String& property) const;  // nullptr when absent
  const TRecordView& Child(const String& name) const;      // fails the test when absent
  std::vector<String> PropertyNames() const;
  std::vector<String> ChildNames() const;
};

// The record after the signature at `offset`; offset is moved past it.
TRecordView ParseRecord(const Bytes& bytes, std::size_t& offset);
TRecordView ParseStream(const Bytes& bytes);
// A reader standing at the value of `property`.
TValueReader ValueOf(const Bytes& bytes, const TPropertyView& property);
