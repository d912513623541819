// TList and the string lists: index errors, moves, sorting, text splitting, change events and
// the streamed "Strings" list.
#include <gtest/gtest.h>

#include "TestFiler.h"
#include "framework/core/List.h"
#include "framework/core/Stream.h"
#include "framework/core/Strings.h"

namespace {

int a = 1, b = 2, c = 3, d = 4;

std::vector<void*> Items(const TList& list) {
  std::vector<void*> items;
  for (int i = 0; i < list.Count(); ++i) items.push_back(list[i]);
  return items;
}

std::vector<String> Lines(const TStrings& list) {
  std::vector<String> lines;
  for (int i = 0; i < list.Count(); ++i) lines.push_back(list[i]);
  return lines;
}

// Counts change events.
class TChangeCounter : public TObject {
 public:
  void Changing(TObject*) { ++changing; }
  void Changed(TObject*) { ++changed; }
  int changing = 0;
  int changed = 0;
};

}  // namespace

TEST(List, EditingOperations) {
  TList list;
  EXPECT_EQ(list.Add(&a), 0);
  list.Add(&b);
  list.Add(&c);
  list.Insert(0, &d);
  EXPECT_EQ(Items(list), (std::vector<void*>{&d, &a, &b, &c}));
  list.Move(0, 3);
  EXPECT_EQ(Items(list), (std::vector<void*>{&a, &b, &c, &d}));
  list.Exchange(0, 3);
  EXPECT_EQ(Items(list), (std::vector<void*>{&d, &b, &c, &a}));
  EXPECT_EQ(list.Remove(&c), 2);
  EXPECT_EQ(list.Remove(&c), -1);
  EXPECT_EQ(list.IndexOf(&a), 2);
  list.Put(1, nullptr);
  list.Add(nullptr);
  list.Pack();
  EXPECT_EQ(Items(list), (std::vector<void*>{&d, &a}));
  EXPECT_EQ(list.Extract(&d), &d);
  EXPECT_EQ(list.Extract(&d), nullptr);
  EXPECT_EQ(list.First(), &a);
  list.Insert(1, &b);  // at the end is allowed
  EXPECT_EQ(list.Last(), &b);
  list.Clear();
  EXPECT_EQ(list.Count(), 0);
}

TEST(List, IndexErrorsNameTheIndexAndChangeNothing) {
  TList list;
  list.Add(&a);
  try {
    list.Items(5);
    FAIL();
  } catch (const EListError& e) {
    EXPECT_EQ(e.Message(), "List index out of bounds (5)");
  }
  EXPECT_THROW(list.Items(-1), EListError);
  EXPECT_THROW(list.Delete(1), EListError);
  EXPECT_THROW(list.Insert(2, &b), EListError);
  EXPECT_THROW(list.Move(0, 1), EListError);
  EXPECT_THROW(list.Exchange(0, 1), EListError);
  EXPECT_THROW(list.Put(1, &b), EListError);
  EXPECT_THROW(TList().First(), EListError);
  EXPECT_EQ(Items(list), (std::vector<void*>{&a}));
}

TEST(List, SortAscendingKeepsEqualItemsInOrder) {
  int values[] = {3, 1, 2, 1, 0};
  TList list;
  for (int& v : values) list.Add(&v);
  list.Sort([](void* x, void* y) { return *static_cast<int*>(x) - *static_cast<int*>(y); });
  EXPECT_EQ(Items(list), (std::vector<void*>{&values[4], &values[1], &values[3], &values[2], &values[0]}));
}

TEST(StringList, AddInsertMoveDeleteWithObjects) {
  TStringList list;
  TObject tag;
  list.Add("Caption");
  list.AddObject("Color", &tag);
  list.Insert(0, "Align");
  EXPECT_EQ(Lines(list), (std::vector<String>{"Align", "Caption", "Color"}));
  list.Move(2, 0);
  EXPECT_EQ(Lines(list), (std::vector<String>{"Color", "Align", "Caption"}));
  EXPECT_EQ(list.Objects(0), &tag);  // the object moves with its line
  list.Exchange(0, 2);
  EXPECT_EQ(list.Objects(2), &tag);
  EXPECT_EQ(list.IndexOfObject(&tag), 2);
  list.Delete(1);
  EXPECT_EQ(Lines(list), (std::vector<String>{"Caption", "Color"}));
  EXPECT_THROW(list.Delete(2), EStringListError);
  EXPECT_THROW(list.Move(0, 2), EListError);
  EXPECT_THROW(list.Insert(3, "x"), EListError);
  EXPECT_EQ(list.Count(), 2);
}

TEST(StringList, AMoveOrPutTheListRefusesLosesNothing) {
  TObject tag;
  TStringList list;
  list.SetText("a\r\nb\r\nc");
  list.SetObjects(0, &tag);
  list.SetSorted(true);
  EXPECT_THROW(list.Move(0, 2), EStringListError);
  EXPECT_THROW(list.Move(2, 0), EStringListError);
  EXPECT_THROW(list.TStrings::Put(1, "x"), EStringListError);  // the default, for lists without their own
  EXPECT_EQ(Lines(list), (std::vector<String>{"a", "b", "c"}));
  EXPECT_EQ(list.Objects(0), &tag);
  list.SetSorted(false);
  list.Move(0, 2);
  list.TStrings::Put(2, "x");
  EXPECT_EQ(Lines(list), (std::vector<String>{"b", "c", "x"}));
  EXPECT_EQ(list.Objects(2), &tag);
}

TEST(StringList, IndexOfIgnoresCase) {
  TStringList list;
  list.SetText("Width\r\nCaption\r\nFont\r\n");
  EXPECT_EQ(list.IndexOf("caption"), 1);
  EXPECT_EQ(list.IndexOf("FONT"), 2);
  EXPECT_EQ(list.IndexOf("Height"), -1);
  list.SetCaseSensitive(true);
  EXPECT_EQ(list.IndexOf("caption"), -1);
}

TEST(StringList, TextJoinsWithCrLfAndSplitsOnAnyLineEnd) {
  TStringList list;
  list.SetText("one\r\ntwo\nthree\rfour");
  EXPECT_EQ(Lines(list), (std::vector<String>{"one", "two", "three", "four"}));
  EXPECT_EQ(list.Text(), "one\r\ntwo\r\nthree\r\nfour\r\n");
  list.SetText("a\r\n\r\nb\r\n");
  EXPECT_EQ(Lines(list), (std::vector<String>{"a", "", "b"}));
  list.SetText("");
  EXPECT_EQ(list.Count(), 0);
  list.SetText("\n");
  EXPECT_EQ(Lines(list), (std::vector<String>{""}));
  list.SetText("日本語\r\n台詞");  // trail bytes are never line ends
  EXPECT_EQ(Lines(list), (std::vector<String>{"日本語", "台詞"}));
}

TEST(StringList, CommaTextQuotesWhatNeedsIt) {
  TStringList list;
  list.SetText("plain\r\nwith space\r\nsay \"hi\"\r\n\r\na,b");
  EXPECT_EQ(list.CommaText(), "plain,\"with space\",\"say \"\"hi\"\"\",\"\",\"a,b\"");
  TStringList back;
  back.SetCommaText(list.CommaText());
  EXPECT_TRUE(back.Equals(&list));
  back.SetCommaText("x, y,");
  EXPECT_EQ(Lines(back), (std::vector<String>{"x", "y", ""}));
}

TEST(StringList, SortedListsFindAndHandleDuplicates) {
  TStringList list;
  list.SetText("pear\r\nApple\r\nbanana");
  list.SetSorted(true);
  EXPECT_EQ(Lines(list), (std::vector<String>{"Apple", "banana", "pear"}));
  EXPECT_EQ(list.Add("cherry"), 2);
  EXPECT_EQ(list.Add("APPLE"), 0);  // dupIgnore: the existing index
  EXPECT_EQ(list.Count(), 4);
  EXPECT_EQ(list.IndexOf("PEAR"), 3);
  EXPECT_THROW(list.Insert(0, "x"), EStringListError);
  list.SetDuplicates(dupError);
  EXPECT_THROW(list.Add("Banana"), EStringListError);
  list.SetDuplicates(dupAccept);
  list.Add("Banana");
  EXPECT_EQ(list.Count(), 5);
  int index = -1;
  EXPECT_FALSE(list.Find("apricot", index));
  EXPECT_EQ(index, 1);
}

TEST(StringList, ChangeEventsOncePerChangeOrOncePerUpdate) {
  TStringList list;
  TChangeCounter counter;
  list.OnChange = {&counter, &TChangeCounter::Changed};
  list.OnChanging = {&counter, &TChangeCounter::Changing};
  list.Add("a");
  list.Add("b");
  EXPECT_EQ(counter.changed, 2);
  EXPECT_EQ(counter.changing, 2);
  list.SetText("x\r\ny\r\nz");
  EXPECT_EQ(counter.changed, 3);
  list.BeginUpdate();
  list.Add("1");
  list.BeginUpdate();
  list.Delete(0);
  list.EndUpdate();
  EXPECT_EQ(counter.changed, 3);
  list.EndUpdate();
  EXPECT_EQ(counter.changed, 4);
  EXPECT_EQ(counter.changing, 4);
}

TEST(StringList, AssignCopiesLinesAndObjectsOnly) {
  TStringList source, dest;
  TObject tag;
  source.AddObject("one", &tag);
  source.Add("two");
  dest.Add("old");
  dest.Assign(&source);
  EXPECT_EQ(Lines(dest), (std::vector<String>{"one", "two"}));
  EXPECT_EQ(dest.Objects(0), &tag);
  dest.Assign(&dest);
  EXPECT_EQ(dest.Count(), 2);
  EXPECT_THROW(dest.Assign(nullptr), EConvertError);
  EXPECT_EQ(dest.Count(), 2);
}

TEST(StringList, StreamsItsLinesAsTheStringsList) {
  TStringList lines;
  lines.SetText("最初の行\r\nsecond");
  TTestWriter writer;
  lines.DefineProperties(writer);
  const auto& values = writer.properties.at("Strings");
  ASSERT_EQ(values.size(), 4u);
  EXPECT_TRUE(std::holds_alternative<TListBegin>(values[0]));
  EXPECT_EQ(std::get<String>(values[1]), "最初の行");
  EXPECT_TRUE(std::holds_alternative<TListEnd>(values[3]));

  TStringList copy;
  copy.Add("replaced");
  TTestReader reader(writer.properties);
  copy.DefineProperties(reader);
  EXPECT_TRUE(copy.Equals(&lines));

  TStringList empty;
  TTestWriter emptyWriter;
  empty.DefineProperties(emptyWriter);
  EXPECT_TRUE(emptyWriter.properties.empty());  // nothing to store
}

TEST(StringList, LoadsAndSavesThroughStreams) {
  TStringList lines;
  lines.SetText("a\r\nb");
  TMemoryStream stream;
  lines.SaveToStream(stream);
  EXPECT_EQ(stream.Size(), 6);
  stream.SetPosition(0);
  TStringList back;
  back.LoadFromStream(stream);
  EXPECT_TRUE(back.Equals(&lines));
}
