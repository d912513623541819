/// @file
/// TStrings: the abstract list of text lines with an object per line; TStringList: the one kept in
/// memory, optionally sorted, with change events.
#pragma once

#include <vector>

#include "framework/core/Persistent.h"
#include "framework/core/ScopeGuard.h"

class TStream;

class TStrings : public TPersistent {
  TAVELKO_CLASS(TStrings, TPersistent)

 public:
  // ---- What descendants supply ----
  virtual int Count() const = 0;
  virtual String Get(int index) const = 0;
  virtual void Put(int index, const String& text);  ///< default: replace, keeping the object
  /// (Not GetObject: windows.h renames that in some files.)
  virtual TObject* GetItemObject(int index) const;       ///< default: none
  virtual void PutItemObject(int index, TObject* object);  ///< default: ignored
  virtual void Insert(int index, const String& text) = 0;
  virtual void Delete(int index) = 0;
  virtual void Clear() = 0;
  /// Case-insensitive, in the user's locale (AnsiCompareText).
  virtual int CompareStrings(const String& a, const String& b) const;
  virtual int IndexOf(const String& text) const;  ///< first equal line, or -1
  /// Lines joined by CR LF, each line ended by one.
  virtual String GetText() const;
  /// Splits at CR LF, CR or LF; a last line without an end counts, an empty text gives no lines.
  virtual void SetText(const String& text);

  // ---- Operations ----
  String Strings(int index) const { return Get(index); }
  String operator[](int index) const { return Get(index); }
  TObject* Objects(int index) const { return GetItemObject(index); }
  void SetObjects(int index, TObject* object) { PutItemObject(index, object); }
  String Text() const { return GetText(); }
  virtual int Add(const String& text);
  int AddObject(const String& text, TObject* object);
  void InsertObject(int index, const String& text, TObject* object);
  void AddStrings(TStrings* strings);
  void Move(int curIndex, int newIndex);
  virtual void Exchange(int index1, int index2);
  int IndexOfObject(TObject* object) const;
  bool Equals(TStrings* other) const;
  /// Comma-separated: lines with blanks, commas or quotes are quoted with '"' (quotes doubled).
  String CommaText() const;
  void SetCommaText(const String& text);

  /// Nested updates: the list reports changes only when the outermost EndUpdate is reached.
  void BeginUpdate();
  void EndUpdate();
  int UpdateCount() const { return updateCount_; }
  /// BeginUpdate now and EndUpdate when the returned lock goes, however the scope ends.
  [[nodiscard]] auto UpdateLock() {
    BeginUpdate();
    return TScopeGuard([this] { EndUpdate(); });
  }

  void LoadFromStream(TStream& stream);  ///< whole stream as text
  void SaveToStream(TStream& stream) const;

  /// Copies lines and objects of another TStrings.
  void Assign(TPersistent* source) override;
  /// Streams the lines as the list property "Strings".
  void DefineProperties(TFiler& filer) override;

 protected:
  /// Called with true when the first BeginUpdate starts, false when the last EndUpdate ends.
  virtual void SetUpdateState(bool updating);
  [[noreturn]] void Error(const char* message, int index) const;

 private:
  int updateCount_ = 0;
};

enum TDuplicates { dupIgnore, dupAccept, dupError };

class TStringList : public TStrings {
  TAVELKO_CLASS(TStringList, TStrings)

 public:
  TStringList() = default;

  int Count() const override { return static_cast<int>(items_.size()); }
  String Get(int index) const override;
  void Put(int index, const String& text) override;
  TObject* GetItemObject(int index) const override;
  void PutItemObject(int index, TObject* object) override;
  /// On a sorted list Insert raises EStringListError; use Add.
  void Insert(int index, const String& text) override;
  void Delete(int index) override;
  void Clear() override;
  int Add(const String& text) override;
  void Exchange(int index1, int index2) override;
  int CompareStrings(const String& a, const String& b) const override;
  int IndexOf(const String& text) const override;

  /// Sorted lists keep their lines in CompareStrings order and find by binary search.
  bool Sorted() const { return sorted_; }
  void SetSorted(bool sorted);
  TDuplicates Duplicates() const { return duplicates_; }
  void SetDuplicates(TDuplicates duplicates) { duplicates_ = duplicates; }
  bool CaseSensitive() const { return caseSensitive_; }
  void SetCaseSensitive(bool caseSensitive);
  /// Sorted list: true and the index when found, else false and the insertion index.
  bool Find(const String& text, int& index) const;
  void Sort();

  /// OnChanging before and OnChange after every change, unless inside BeginUpdate/EndUpdate
  /// (then once at the end).
  TNotifyEvent OnChange;
  TNotifyEvent OnChanging;

 protected:
  void SetUpdateState(bool updating) override;

 private:
  struct TItem {
    String Text;
    TObject* Object;  ///< not owned
  };
  void Changing();
  void Changed();
  void CheckIndex(int index, int limit) const;
  void InsertItem(int index, const String& text, TObject* object);

  std::vector<TItem> items_;
  bool sorted_ = false;
  bool caseSensitive_ = false;
  TDuplicates duplicates_ = dupIgnore;
};
