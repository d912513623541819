// Walking component records without components.
#include "RecordView.h"

#include <gtest/gtest.h>

namespace {

TRecordView Walk(TValueReader& reader) {
  TRecordView record;
  int childPos;
  reader.ReadPrefix(record.Flags, childPos);
  record.ClassName = reader.ReadShortString();
  record.Name = reader.ReadShortString();
  while (!reader.AtListEnd()) {
    TPropertyView property;
    property.Name = reader.ReadShortString();
    property.Offset = reader.Position();
    property.Tag = reader.NextValue();
    reader.SkipValue();
    record.Properties.push_back(property);
  }
  reader.ReadListEnd();
  while (!reader.AtListEnd()) record.Children.push_back(Walk(reader));
  reader.ReadListEnd();
  return record;
}

}  // namespace

const TPropertyView* TRecordView::Find(const String& property) const {
  for (const TPropertyView& p : Properties)
    if (p.Name == property) return &p;
  return nullptr;
}

const TRecordView& TRecordView::Child(const String& name) const {
  for (const TRecordView& child : Children)
    if (child.Name == name) return child;
  ADD_FAILURE() << "no child record " << name << " under " << Name;
  static const TRecordView none;
  return none;
}

std::vector<String> TRecordView::PropertyNames() const {
  std::vector<String> names;
  for (const TPropertyView& p : Properties) names.push_back(p.Name);
  return names;
}

std::vector<String> TRecordView::ChildNames() const {
  std::vector<String> names;
  for (const TRecordView& child : Children) names.push_back(child.Name);
  return names;
}

TRecordView ParseRecord(const Bytes& bytes, std::size_t& offset) {
  TValueReader reader(bytes.data(), bytes.size());
  reader.SetPosition(offset);
  reader.ReadSignature();
  TRecordView record = Walk(reader);
  offset = reader.Position();
  return record;
}

TRecordView ParseStream(const Bytes& bytes) {
  std::size_t offset = 0;
  TRecordView record = ParseRecord(bytes, offset);
  EXPECT_EQ(offset, bytes.size()) << "bytes after the root record";
  return record;
}

TValueReader ValueOf(const Bytes& bytes, const TPropertyView& property) {
  TValueReader reader(bytes.data(), bytes.size());
  reader.SetPosition(property.Offset);
  return reader;
}
