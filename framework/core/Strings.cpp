// TStrings and TStringList.
#include "framework/core/Strings.h"

#include <algorithm>

#include "framework/core/Filer.h"
#include "framework/core/Stream.h"

// ---- TStrings ----

void TStrings::Error(const char* message, int index) const { throw EStringListError(Format(message, index)); }

void TStrings::Put(int index, const String& text) {
  if (index < 0 || index >= Count()) Error(messages::ListIndexError, index);
  TObject* object = GetItemObject(index);
  const auto lock = UpdateLock();
  // The new line goes in before the old one goes, so a list that refuses it loses nothing.
  InsertObject(index, text, object);
  Delete(index + 1);
}

TObject* TStrings::GetItemObject(int) const { return nullptr; }
void TStrings::PutItemObject(int, TObject*) {}

int TStrings::CompareStrings(const String& a, const String& b) const { return AnsiCompareText(a, b); }

int TStrings::IndexOf(const String& text) const {
  for (int i = 0, n = Count(); i < n; ++i)
    if (CompareStrings(Get(i), text) == 0) return i;
  return -1;
}

int TStrings::IndexOfObject(TObject* object) const {
  for (int i = 0, n = Count(); i < n; ++i)
    if (GetItemObject(i) == object) return i;
  return -1;
}

String TStrings::GetText() const {
  String text;
  for (int i = 0, n = Count(); i < n; ++i) {
    text += Get(i);
    text += "\r\n";
  }
  return text;
}

void TStrings::SetText(const String& text) {
  const auto lock = UpdateLock();
  Clear();
  std::size_t start = 0;
  while (start < text.size()) {
    const std::size_t end = text.find_first_of("\r\n", start);
    if (end == String::npos) {
      Add(text.substr(start));
      break;
    }
    Add(text.substr(start, end - start));
    start = end + ((text[end] == '\r' && end + 1 < text.size() && text[end + 1] == '\n') ? 2 : 1);
  }
}

int TStrings::Add(const String& text) {
  const int index = Count();
  Insert(index, text);
  return index;
}

int TStrings::AddObject(const String& text, TObject* object) {
  const int index = Add(text);
  PutItemObject(index, object);
  return index;
}

void TStrings::InsertObject(int index, const String& text, TObject* object) {
  Insert(index, text);
  PutItemObject(index, object);
}

void TStrings::AddStrings(TStrings* strings) {
  const auto lock = UpdateLock();
  for (int i = 0, n = strings->Count(); i < n; ++i) AddObject(strings->Get(i), strings->GetItemObject(i));
}

void TStrings::Move(int curIndex, int newIndex) {
  if (curIndex == newIndex) return;
  if (newIndex < 0 || newIndex >= Count()) Error(messages::ListIndexError, newIndex);
  const auto lock = UpdateLock();
  const String text = Get(curIndex);
  TObject* object = GetItemObject(curIndex);
  // Copy first, then remove the original, so a list that refuses the insert (a sorted one) loses
  // nothing; the copy goes after line newIndex when the original, before it, is still there.
  if (newIndex > curIndex) {
    InsertObject(newIndex + 1, text, object);
    Delete(curIndex);
  } else {
    InsertObject(newIndex, text, object);
    Delete(curIndex + 1);
  }
}

void TStrings::Exchange(int index1, int index2) {
  const auto lock = UpdateLock();
  const String text1 = Get(index1);
  TObject* object1 = GetItemObject(index1);
  Put(index1, Get(index2));
  PutItemObject(index1, GetItemObject(index2));
  Put(index2, text1);
  PutItemObject(index2, object1);
}

bool TStrings::Equals(TStrings* other) const {
  const int n = Count();
  if (!other || other->Count() != n) return false;
  for (int i = 0; i < n; ++i)
    if (Get(i) != other->Get(i)) return false;
  return true;
}

String TStrings::CommaText() const {
  String result;
  for (int i = 0, n = Count(); i < n; ++i) {
    const String s = Get(i);
    if (i > 0) result += ',';
    const bool quote = s.empty() || s.find_first_of(" ,\"") != String::npos ||
                       std::any_of(s.begin(), s.end(), [](char c) { return static_cast<unsigned char>(c) < ' '; });
    if (!quote) {
      result += s;
      continue;
    }
    result += '"';
    for (char c : s) {
      if (c == '"') result += '"';
      result += c;
    }
    result += '"';
  }
  return result;
}

void TStrings::SetCommaText(const String& text) {
  const auto lock = UpdateLock();
  Clear();
  std::size_t i = 0;
  const std::size_t n = text.size();
  auto skipBlanks = [&] { while (i < n && static_cast<unsigned char>(text[i]) <= ' ') ++i; };
  skipBlanks();
  while (i < n) {
    String item;
    if (text[i] == '"') {
      ++i;
      while (i < n) {
        if (text[i] == '"') {
          if (i + 1 < n && text[i + 1] == '"') {
            item += '"';
            i += 2;
            continue;
          }
          ++i;
          break;
        }
        item += text[i++];
      }
    } else {
      while (i < n && text[i] != ',' && static_cast<unsigned char>(text[i]) > ' ') item += text[i++];
    }
    Add(item);
    skipBlanks();
    if (i < n && text[i] == ',') {
      ++i;
      skipBlanks();
      if (i >= n) Add(String());
    }
  }
}

void TStrings::BeginUpdate() {
  if (updateCount_++ == 0) SetUpdateState(true);
}

void TStrings::EndUpdate() {
  if (updateCount_ > 0 && --updateCount_ == 0) SetUpdateState(false);
}

void TStrings::SetUpdateState(bool) {}

void TStrings::LoadFromStream(TStream& stream) {
  const std::int64_t size = stream.Size() - stream.Position();
  String text(static_cast<std::size_t>(std::max<std::int64_t>(size, 0)), '\0');
  stream.ReadBuffer(text.data(), static_cast<std::int64_t>(text.size()));
  SetText(text);
}

void TStrings::SaveToStream(TStream& stream) const {
  const String text = GetText();
  stream.WriteBuffer(text.data(), static_cast<std::int64_t>(text.size()));
}

void TStrings::Assign(TPersistent* source) {
  if (auto* strings = dynamic_cast<TStrings*>(source)) {
    if (strings == this) return;
    const auto lock = UpdateLock();
    Clear();
    AddStrings(strings);
    return;
  }
  TPersistent::Assign(source);
}

void TStrings::DefineProperties(TFiler& filer) {
  filer.DefineProperty(
      "Strings",
      [this](TReader& reader) {
        reader.ReadListBegin();
        {
          const auto lock = UpdateLock();
          Clear();
          while (!reader.EndOfList()) Add(reader.ReadString());
        }
        reader.ReadListEnd();
      },
      [this](TWriter& writer) {
        writer.WriteListBegin();
        for (int i = 0, n = Count(); i < n; ++i) writer.WriteString(Get(i));
        writer.WriteListEnd();
      },
      Count() > 0);
}

// ---- TStringList ----

void TStringList::CheckIndex(int index, int limit) const {
  if (index < 0 || index >= limit) Error(messages::ListIndexError, index);
}

String TStringList::Get(int index) const {
  CheckIndex(index, Count());
  return items_[static_cast<std::size_t>(index)].Text;
}

void TStringList::Put(int index, const String& text) {
  if (sorted_) throw EStringListError("Operation not allowed on sorted list");
  CheckIndex(index, Count());
  Changing();
  items_[static_cast<std::size_t>(index)].Text = text;
  Changed();
}

TObject* TStringList::GetItemObject(int index) const {
  CheckIndex(index, Count());
  return items_[static_cast<std::size_t>(index)].Object;
}

void TStringList::PutItemObject(int index, TObject* object) {
  CheckIndex(index, Count());
  Changing();
  items_[static_cast<std::size_t>(index)].Object = object;
  Changed();
}

void TStringList::Insert(int index, const String& text) {
  if (sorted_) throw EStringListError("Operation not allowed on sorted list");
  CheckIndex(index, Count() + 1);
  InsertItem(index, text, nullptr);
}

void TStringList::InsertItem(int index, const String& text, TObject* object) {
  Changing();
  items_.insert(items_.begin() + index, TItem{text, object});
  Changed();
}

int TStringList::Add(const String& text) {
  if (!sorted_) {
    InsertItem(Count(), text, nullptr);
    return Count() - 1;
  }
  int index;
  if (Find(text, index)) {
    if (duplicates_ == dupIgnore) return index;
    if (duplicates_ == dupError) throw EStringListError("String list does not allow duplicates");
  }
  InsertItem(index, text, nullptr);
  return index;
}

void TStringList::Delete(int index) {
  CheckIndex(index, Count());
  Changing();
  items_.erase(items_.begin() + index);
  Changed();
}

void TStringList::Clear() {
  if (items_.empty()) return;
  Changing();
  items_.clear();
  Changed();
}

void TStringList::Exchange(int index1, int index2) {
  CheckIndex(index1, Count());
  CheckIndex(index2, Count());
  Changing();
  std::swap(items_[static_cast<std::size_t>(index1)], items_[static_cast<std::size_t>(index2)]);
  Changed();
}

int TStringList::CompareStrings(const String& a, const String& b) const {
  return caseSensitive_ ? AnsiCompareStr(a, b) : AnsiCompareText(a, b);
}

int TStringList::IndexOf(const String& text) const {
  if (!sorted_) return TStrings::IndexOf(text);
  int index;
  return Find(text, index) ? index : -1;
}

bool TStringList::Find(const String& text, int& index) const {
  int low = 0, high = Count() - 1;
  bool found = false;
  while (low <= high) {
    const int mid = (low + high) / 2;
    const int c = CompareStrings(items_[static_cast<std::size_t>(mid)].Text, text);
    if (c < 0) {
      low = mid + 1;
    } else {
      high = mid - 1;
      if (c == 0) {
        found = true;
        if (duplicates_ != dupAccept) low = mid;
      }
    }
  }
  index = low;
  return found;
}

void TStringList::Sort() {
  Changing();
  std::stable_sort(items_.begin(), items_.end(),
                   [this](const TItem& a, const TItem& b) { return CompareStrings(a.Text, b.Text) < 0; });
  Changed();
}

void TStringList::SetSorted(bool sorted) {
  if (sorted == sorted_) return;
  if (sorted) Sort();
  sorted_ = sorted;
}

void TStringList::SetCaseSensitive(bool caseSensitive) {
  if (caseSensitive == caseSensitive_) return;
  caseSensitive_ = caseSensitive;
  if (sorted_) Sort();
}

void TStringList::Changing() {
  if (UpdateCount() == 0) OnChanging(this);
}

void TStringList::Changed() {
  if (UpdateCount() == 0) OnChange(this);
}

void TStringList::SetUpdateState(bool updating) {
  if (updating) OnChanging(this);
  else OnChange(this);
}
