/// @file
/// TStrings: the abstract list of text lines with an object per line; TStringList: the one kept in
/// memory, optionally sorted, with change events.
#pragma once

#include <vector>

#include "framework/core/Persistent.h"
#include "framework/core/ScopeGuard.h"

class TStream;

/// The abstract list of text lines (CP932), each with an optional object that the list does not
/// own. Indexes are 0-based; an index out of range raises EStringListError. A descendant supplies
/// the storage (Count, Get, Insert, Delete, Clear) and may override the rest for speed.
class TStrings : public TPersistent {
  TAVELKO_CLASS(TStrings, TPersistent)

 public:
  // ---- What descendants supply ----
  virtual int Count() const = 0;  ///< number of lines
  virtual String Get(int index) const = 0;  ///< line `index`
  /// Replaces line `index` by `text`. The default inserts the new line with the old one's object,
  /// then deletes the old one, so a list that refuses the insert is left as it was.
  virtual void Put(int index, const String& text);
  /// The object of line `index`, null when it has none; the default: none.
  /// (Not GetObject: windows.h renames that in some files.)
  virtual TObject* GetItemObject(int index) const;
  /// Gives line `index` the object `object` (not owned); the default: ignored.
  virtual void PutItemObject(int index, TObject* object);
  /// Inserts `text`, without object, before line `index` (`index` == Count() appends).
  virtual void Insert(int index, const String& text) = 0;
  virtual void Delete(int index) = 0;  ///< removes line `index`; its object is not deleted
  virtual void Clear() = 0;  ///< removes every line; their objects are not deleted
  /// How two lines compare (<0, 0, >0), for IndexOf and, in sorted lists, Find and sorting. The
  /// default: case-insensitive, in the user's locale (AnsiCompareText).
  virtual int CompareStrings(const String& a, const String& b) const;
  virtual int IndexOf(const String& text) const;  ///< first equal line, or -1
  /// Lines joined by CR LF, each line ended by one.
  virtual String GetText() const;
  /// Splits at CR LF, CR or LF; a last line without an end counts, an empty text gives no lines.
  virtual void SetText(const String& text);

  // ---- Operations ----
  /// Line `index` (Get).
  ///@{
  String Strings(int index) const { return Get(index); }
  String operator[](int index) const { return Get(index); }
  ///@}
  /// The object of line `index` (GetItemObject, PutItemObject); not owned by the list.
  ///@{
  TObject* Objects(int index) const { return GetItemObject(index); }
  void SetObjects(int index, TObject* object) { PutItemObject(index, object); }
  ///@}
  String Text() const { return GetText(); }  ///< all lines as one text (GetText)
  /// Appends `text` (a sorted list puts it in its place) and returns its index.
  virtual int Add(const String& text);
  /// Add, then give the line `object` (not owned); returns the index.
  int AddObject(const String& text, TObject* object);
  /// Insert, then give the line `object` (not owned).
  void InsertObject(int index, const String& text, TObject* object);
  /// Appends every line of `strings` (not null) with its object, as one update.
  void AddStrings(TStrings* strings);
  /// Moves line `curIndex` with its object so that it becomes line `newIndex`. A list that refuses
  /// the insert (a sorted TStringList raises EStringListError) is left as it was.
  void Move(int curIndex, int newIndex);
  /// Swaps two lines with their objects.
  virtual void Exchange(int index1, int index2);
  int IndexOfObject(TObject* object) const;  ///< first line whose object is `object`, or -1
  /// Whether `other` holds the same lines in the same order (bytes compared, objects not); false
  /// for null.
  bool Equals(TStrings* other) const;
  /// Comma-separated: lines with blanks, commas or quotes are quoted with '"' (quotes doubled).
  /// SetCommaText replaces the lines by the items of `text`, separated by commas or blanks.
  ///@{
  String CommaText() const;
  void SetCommaText(const String& text);
  ///@}

  /// Nested updates: the list reports changes only when the outermost EndUpdate is reached.
  /// EndUpdate without BeginUpdate does nothing.
  ///@{
  void BeginUpdate();
  void EndUpdate();
  ///@}
  int UpdateCount() const { return updateCount_; }  ///< nesting depth of BeginUpdate; 0 outside updates
  /// BeginUpdate now and EndUpdate when the returned lock goes, however the scope ends.
  [[nodiscard]] auto UpdateLock() {
    BeginUpdate();
    return TScopeGuard([this] { EndUpdate(); });
  }

  /// LoadFromStream replaces the lines by the stream's text from its position to its end (split as
  /// SetText); SaveToStream writes GetText at the stream's position. The stream's errors propagate.
  ///@{
  void LoadFromStream(TStream& stream);  ///< whole stream as text
  void SaveToStream(TStream& stream) const;
  ///@}

  /// Copies lines and objects of another TStrings.
  void Assign(TPersistent* source) override;
  /// Streams the lines as the list property "Strings".
  void DefineProperties(TFiler& filer) override;

 protected:
  /// Called with true when the first BeginUpdate starts, false when the last EndUpdate ends.
  virtual void SetUpdateState(bool updating);
  /// Raises EStringListError with `message` formatted with `index` (messages::ListIndexError).
  [[noreturn]] void Error(const char* message, int index) const;

 private:
  int updateCount_ = 0;
};

/// What adding a line that a sorted list already holds does: dupIgnore adds nothing and answers
/// the index of the line there, dupAccept adds it next to its equals, dupError raises
/// EStringListError. Unsorted lists accept every line.
enum TDuplicates { dupIgnore, dupAccept, dupError };

/// The list of lines kept in memory, optionally sorted, with change events. The lines' objects are
/// not owned.
class TStringList : public TStrings {
  TAVELKO_CLASS(TStringList, TStrings)

 public:
  TStringList() = default;

  int Count() const override { return static_cast<int>(items_.size()); }
  String Get(int index) const override;
  void Put(int index, const String& text) override;
  TObject* GetItemObject(int index) const override;
  void PutItemObject(int index, TObject* object) override;
  /// On a sorted list Insert (and Put) raise EStringListError; use Add.
  void Insert(int index, const String& text) override;
  void Delete(int index) override;
  void Clear() override;
  int Add(const String& text) override;
  void Exchange(int index1, int index2) override;
  /// In the user's locale; letter case counts only when CaseSensitive is on.
  int CompareStrings(const String& a, const String& b) const override;
  int IndexOf(const String& text) const override;

  /// Sorted lists keep their lines in CompareStrings order and find by binary search. Turning
  /// sorting on sorts the list.
  ///@{
  bool Sorted() const { return sorted_; }
  void SetSorted(bool sorted);
  ///@}
  /// What adding a line that a sorted list already holds does (dupIgnore by default).
  ///@{
  TDuplicates Duplicates() const { return duplicates_; }
  void SetDuplicates(TDuplicates duplicates) { duplicates_ = duplicates; }
  ///@}
  /// Whether comparisons (CompareStrings, so IndexOf, Find and sorting) respect letter case; in the
  /// user's locale either way. Off by default; changing it re-sorts a sorted list.
  ///@{
  bool CaseSensitive() const { return caseSensitive_; }
  void SetCaseSensitive(bool caseSensitive);
  ///@}
  /// Sorted list: true and the index when found, else false and the insertion index.
  bool Find(const String& text, int& index) const;
  /// Sorts the lines with their objects by CompareStrings, keeping equal lines in their order; an
  /// unsorted list stays unsorted afterwards.
  void Sort();

  /// OnChanging before and OnChange after every change, unless inside BeginUpdate/EndUpdate
  /// (then once at the end: OnChanging when the update starts, OnChange when it ends).
  ///@{
  TNotifyEvent OnChange;
  TNotifyEvent OnChanging;
  ///@}

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
