// The history combo box: the order of its history, its INI file and registry stores, when it loads
// and saves them, its stored layout, and damaged or unwritable stores.
#include <gtest/gtest.h>
#include <windows.h>

#include <algorithm>
#include <climits>
#include <map>
#include <functional>
#include <memory>
#include <optional>

#include "controls/HistoryComboBox.h"
#include "framework/core/IniFile.h"
#include "framework/windows/Forms.h"
#include "tests/support/FormFixture.h"
#include "tests/support/ServiceDoubles.h"
#include "tests/support/StreamWriters.h"
#include "tests/support/TempFiles.h"

using namespace test_support;

namespace {

// A key of its own under HKEY_CURRENT_USER, removed with everything below it at the end.
class TTestRegistryKey {
 public:
  explicit TTestRegistryKey(const String& parent = "Software\\Tavelko tests\\") {
    static int serial = 0;
    path_ = parent + "History test " + IntToStr(GetCurrentProcessId()) + " " + IntToStr(++serial);
  }
  ~TTestRegistryKey() { RegDeleteTreeW(HKEY_CURRENT_USER, CP932ToWide(path_).c_str()); }
  TTestRegistryKey(const TTestRegistryKey&) = delete;
  TTestRegistryKey& operator=(const TTestRegistryKey&) = delete;

  const String& Path() const { return path_; }
  bool Exists(const String& below) const {
    HKEY key = nullptr;
    if (RegOpenKeyExW(HKEY_CURRENT_USER, CP932ToWide(path_ + "\\" + below).c_str(), 0, KEY_READ, &key) != ERROR_SUCCESS)
      return false;
    RegCloseKey(key);
    return true;
  }

 private:
  String path_;
};

// An INI file holding `text` (CP932, lines ending in "\r\n"), written as UTF-16 as the box writes.
void WriteIni(const String& fileName, const String& text) {
  const WideString wide = L"\xFEFF" + CP932ToWide(text);
  const auto* bytes = reinterpret_cast<const std::uint8_t*>(wide.data());
  WriteFileBytes(fileName, std::vector<std::uint8_t>(bytes, bytes + wide.size() * sizeof(wchar_t)));
}

bool FileExists(const String& fileName) {
  return GetFileAttributesW(CP932ToWide(fileName).c_str()) != INVALID_FILE_ATTRIBUTES;
}

std::vector<String> ItemsOf(THistoryComboBox& box) {
  std::vector<String> items;
  for (int i = 0; i < box.Items()->Count(); ++i) items.push_back(box.Items()->Get(i));
  return items;
}

// The history a store holds, read back as the entries name it.
std::vector<String> StoredHistory(TCustomIniFile& store, const String& section) {
  std::vector<String> items;
  const int count = store.ReadInteger(section, "HistoryCount", -1);
  for (int i = 0; i < count; ++i) items.push_back(store.ReadString(section, "History" + IntToStr(i), "<missing>"));
  return items;
}

bool Contains(const Bytes& bytes, const String& text) {
  return std::search(bytes.begin(), bytes.end(), text.begin(), text.end()) != bytes.end();
}

using Items = std::vector<String>;

class HistoryComboBoxTest : public TFormFixture {
 protected:
  void SetUp() override {
    RegisterHistoryComboBoxClasses();
    dialogScope_.emplace(dialogs);
    TFormFixture::SetUp();
  }
  void TearDown() override {
    TFormFixture::TearDown();  // the boxes save now
    dialogScope_.reset();
    EXPECT_EQ(dialogs.Requests.size(), expectedDisplays) << "an exception reached the display";
  }

  THistoryComboBox* NewBox(const String& name = "HistoryBox1") {
    auto* box = new THistoryComboBox(form);
    box->SetName(name);
    box->SetParent(form);
    box->SetBounds(5, 5, 150, 24);
    return box;
  }

  // A stored layout of one box made by `set`. The box that wrote it saves nothing.
  static Bytes LayoutOf(const std::function<void(THistoryComboBox&)>& set) {
    TForm scratch(nullptr);
    auto* box = new THistoryComboBox(&scratch);
    box->SetName("HistoryBox1");
    box->SetParent(&scratch);
    set(*box);
    Bytes bytes = ComponentRecords(&scratch, {box});
    box->SetSaveMode(hsManual);
    return bytes;
  }

  // The box of `layout` read onto the form, as a program reads its window.
  THistoryComboBox* Read(const Bytes& layout) {
    auto stream = StreamOf(layout);
    TComponentReader reader(*stream);
    return dynamic_cast<THistoryComboBox*>(reader.ReadComponent(form, form));
  }

  TScriptedDialogs dialogs;
  std::size_t expectedDisplays = 0;
  TTempFolder folder;

 private:
  std::optional<TDialogServiceScope> dialogScope_;
};

// ---- The history ----

HWND EditOf(THistoryComboBox& box) {
  COMBOBOXINFO info{};
  info.cbSize = sizeof info;
  GetComboBoxInfo(box.Handle(), &info);
  return info.hwndItem;
}

// Replaces the edit's text as typing does: select all, then one WM_CHAR per character.
void Type(THistoryComboBox& box, const WideString& text) {
  const HWND edit = EditOf(box);
  SendMessageW(edit, EM_SETSEL, 0, -1);
  SendMessageW(edit, WM_CHAR, VK_BACK, 0);
  for (wchar_t c : text) SendMessageW(edit, WM_CHAR, c, 0);
}

// Chooses an item the way the user does: the list's selection, then the notification.
void Choose(THistoryComboBox& box, int index) {
  SendMessageW(box.Handle(), CB_SETCURSEL, index, 0);
  const WPARAM command = MAKEWPARAM(GetDlgCtrlID(box.Handle()), CBN_SELCHANGE);
  SendMessageW(box.Parent()->Handle(), WM_COMMAND, command, reinterpret_cast<LPARAM>(box.Handle()));
}

WideString WindowItem(THistoryComboBox& box, int index) {
  const auto length = SendMessageW(box.Handle(), CB_GETLBTEXTLEN, index, 0);
  WideString text(static_cast<std::size_t>(std::max<LRESULT>(length, 0)) + 1, L'\0');
  SendMessageW(box.Handle(), CB_GETLBTEXT, index, reinterpret_cast<LPARAM>(text.data()));
  text.resize(static_cast<std::size_t>(std::max<LRESULT>(length, 0)));
  return text;
}

TEST_F(HistoryComboBoxTest, EnteredTextsGoFirstAndKnownOnesMoveUp) {
  THistoryComboBox* box = NewBox();
  box->SetSaveMode(hsManual);
  for (const wchar_t* text : {L"alpha", L"beta", L"\u53F0\u8A5E"}) {
    Type(*box, text);
    EXPECT_TRUE(box->AddText());
  }
  EXPECT_EQ(ItemsOf(*box), (Items{"台詞", "beta", "alpha"}));
  EXPECT_EQ(WindowItem(*box, 0), L"\u53F0\u8A5E");

  // The second of three, in other letter case: it moves up, the others keep their order.
  Type(*box, L"BETA");
  EXPECT_FALSE(box->AddText());
  EXPECT_EQ(ItemsOf(*box), (Items{"beta", "台詞", "alpha"}));

  Choose(*box, 2);
  EXPECT_FALSE(box->AddText());
  EXPECT_EQ(ItemsOf(*box), (Items{"alpha", "beta", "台詞"}));
  EXPECT_EQ(WindowItem(*box, 0), L"alpha");
  EXPECT_EQ(SendMessageW(box->Handle(), CB_GETCOUNT, 0, 0), 3);

  Type(*box, L"");
  EXPECT_FALSE(box->AddText());
  EXPECT_EQ(box->Items()->Count(), 3);

  // No limit on the number of items.
  for (int i = 0; i < 300; ++i) box->AddText("text " + IntToStr(i));
  EXPECT_EQ(box->Items()->Count(), 303);
  EXPECT_EQ(box->Items()->Get(0), "text 299");
  EXPECT_EQ(box->Items()->Get(302), "台詞");
}

// ---- INI files ----

TEST_F(HistoryComboBoxTest, LoadsItsSectionOfAnIniFileWhenItsLayoutWasRead) {
  const String file = folder.File("history.ini");
  WriteIni(file,
           "[Other]\r\nHistoryCount=1\r\nHistory0=not mine\r\n"
           "[HistoryBox1]\r\nHistoryCount=3\r\nHistory0=新しい\r\nHistory1=middle\r\nHistory2=old\r\n");
  THistoryComboBox* box = Read(LayoutOf([&](THistoryComboBox& b) {
    b.SetSaveFileName(file);
    b.Items()->Add("from the layout");
  }));
  ASSERT_NE(box, nullptr);
  // Appended after the layout's own items, in stored order, duplicates and all.
  EXPECT_EQ(ItemsOf(*box), (Items{"from the layout", "新しい", "middle", "old"}));
  EXPECT_TRUE(box->LoadFromFile());
  EXPECT_EQ(box->Items()->Count(), 7);
  EXPECT_EQ(box->Items()->Get(4), "新しい");

  box->SetSaveSectionName("Other");
  EXPECT_EQ(box->GetSectionString(), "Other");
  box->LoadFromFile(file);
  EXPECT_EQ(box->Items()->Get(7), "not mine");
  box->SetSaveMode(hsManual);
}

TEST_F(HistoryComboBoxTest, SavingReplacesItsSectionOnlyAndLosesNothingElse) {
  const String file = folder.File("history.ini");
  WriteIni(file,
           "[Other]\r\nKeep=me\r\n"
           "[HistoryBox1]\r\nHistoryCount=4\r\nHistory0=a\r\nHistory1=b\r\nHistory2=c\r\nHistory3=d\r\nStray=x\r\n");
  WriteIni(file + ".saving", "a file of the user's");
  const std::vector<std::uint8_t> usersFile = FileBytes(file + ".saving");
  THistoryComboBox* box = NewBox();
  box->SetSaveMode(hsManual);
  box->AddText("最初");
  box->AddText("second");
  box->SaveToFile(file);
  TIniFile ini(file);
  EXPECT_EQ(StoredHistory(ini, "HistoryBox1"), (Items{"second", "最初"}));
  EXPECT_EQ(ini.ReadString("HistoryBox1", "HistoryCount", ""), "2");
  EXPECT_EQ(ini.ReadString("HistoryBox1", "History2", "gone"), "gone");
  EXPECT_EQ(ini.ReadString("HistoryBox1", "Stray", "gone"), "gone");
  EXPECT_EQ(ini.ReadString("Other", "Keep", ""), "me");
  EXPECT_EQ(FileNames(folder.Path()), (std::vector<String>{"history.ini", "history.ini.saving"}));
  EXPECT_EQ(FileBytes(file + ".saving"), usersFile);
}

TEST_F(HistoryComboBoxTest, FileNamesGetAFolderAndAnExtension) {
  THistoryComboBox* box = NewBox();
  box->SetSaveMode(hsManual);
  box->AddText("x");
  EXPECT_FALSE(box->SaveToFile());  // no file name: nothing
  EXPECT_FALSE(box->LoadFromFile());

  const String bare = "HistoryComboBoxTest " + IntToStr(GetCurrentProcessId());
  const String inProgramFolder = ExtractFilePath(ParamStr(0)) + bare + ".ini";
  box->SetSaveFileName(bare);
  EXPECT_TRUE(box->SaveToFile());
  const bool saved = FileExists(inProgramFolder);
  DeleteFileW(CP932ToWide(inProgramFolder).c_str());
  EXPECT_TRUE(saved) << inProgramFolder;

  // A name with its own folder and extension is used as it is.
  const String own = folder.File("history.txt");
  box->SetSaveFileName(own);
  EXPECT_TRUE(box->SaveToFile());
  EXPECT_TRUE(FileExists(own));
  EXPECT_FALSE(FileExists(own + ".ini"));
}

// ---- When it loads and saves ----

TEST_F(HistoryComboBoxTest, SaveModeDecidesWhatHappensAutomatically) {
  struct TCase {
    THistoryMode mode;
    bool loads, saves;
  };
  for (const TCase& c : {TCase{hsAuto, true, true}, TCase{hsManual, false, false}, TCase{hsAutoSave, false, true},
                         TCase{hsAutoLoad, true, false}}) {
    SCOPED_TRACE(static_cast<int>(c.mode));
    const String file = folder.File("mode" + IntToStr(c.mode) + ".ini");
    WriteIni(file, "[HistoryBox1]\r\nHistoryCount=1\r\nHistory0=stored\r\n");
    THistoryComboBox* box = Read(LayoutOf([&](THistoryComboBox& b) {
      b.SetSaveFileName(file);
      b.SetSaveMode(c.mode);
    }));
    ASSERT_NE(box, nullptr);
    EXPECT_EQ(box->Items()->Count(), c.loads ? 1 : 0);
    box->AddText("typed");
    delete box;
    TIniFile ini(file);
    EXPECT_EQ(ini.ReadString("HistoryBox1", "History0", ""), c.saves ? "typed" : "stored");
  }

  // In the design state nothing happens at all.
  const String file = folder.File("designing.ini");
  THistoryComboBox* box = NewBox();
  box->SetSaveFileName(file);
  box->SetDesigning(true);
  box->AddText("typed");
  delete box;
  EXPECT_FALSE(FileExists(file));
}

TEST_F(HistoryComboBoxTest, SavesWhatItHoldsWhateverBecameOfItsWindow) {
  const String file = folder.File("history.ini");
  WriteIni(file, "[HistoryBox1]\r\nHistoryCount=2\r\nHistory0=one\r\nHistory1=two\r\n");

  // Never shown: no window was ever made, and the loaded history is written back whole.
  auto* hidden = new THistoryComboBox(form);
  hidden->SetName("HistoryBox1");
  hidden->SetSaveFileName(file);
  hidden->LoadFromFile(file);
  delete hidden;
  ASSERT_TRUE(dialogs.Requests.empty());
  {
    TIniFile ini(file);
    EXPECT_EQ(StoredHistory(ini, "HistoryBox1"), (Items{"one", "two"}));
  }

  // Its window made and destroyed again, then a text added: the save has that text too.
  THistoryComboBox* box = NewBox();
  box->SetSaveFileName(file);
  box->LoadFromFile();
  box->HandleNeeded();
  box->SetParent(nullptr);
  ASSERT_FALSE(box->HandleAllocated());
  box->AddText("after");
  delete box;
  TIniFile ini(file);
  EXPECT_EQ(StoredHistory(ini, "HistoryBox1"), (Items{"after", "one", "two"}));
}

// ---- The registry ----

TEST_F(HistoryComboBoxTest, KeepsItsHistoryUnderARegistryKey) {
  TTestRegistryKey key;
  const String file = folder.File("unused.ini");
  THistoryComboBox* box = NewBox();
  box->SetSaveKeyName(key.Path() + "\\\\");  // trailing backslashes name the same key
  box->SetSaveFileName(file);
  box->SetSaveSectionName("Recent");
  box->AddText("古い");
  box->AddText("new");
  delete box;
  EXPECT_FALSE(FileExists(file));  // the registry wins over the file
  ASSERT_TRUE(key.Exists("Recent"));
  {
    TRegistryIniFile store(key.Path());
    EXPECT_EQ(StoredHistory(store, "Recent"), (Items{"new", "古い"}));
    DWORD type = 0;
    HKEY section = nullptr;
    ASSERT_EQ(RegOpenKeyExW(HKEY_CURRENT_USER, CP932ToWide(key.Path() + "\\Recent").c_str(), 0, KEY_READ, &section),
              ERROR_SUCCESS);
    RegQueryValueExW(section, L"HistoryCount", nullptr, &type, nullptr, nullptr);
    RegCloseKey(section);
    EXPECT_EQ(type, static_cast<DWORD>(REG_DWORD));
  }

  THistoryComboBox* again = Read(LayoutOf([&](THistoryComboBox& b) {
    b.SetSaveKeyName(key.Path() + "\\");
    b.SetSaveSectionName("Recent");
  }));
  ASSERT_NE(again, nullptr);
  EXPECT_EQ(ItemsOf(*again), (Items{"new", "古い"}));

  // A shorter history replaces the section as a whole.
  again->Items()->Clear();
  again->AddText("only");
  EXPECT_TRUE(again->SaveToRegistry());
  TRegistryIniFile store(key.Path());
  EXPECT_EQ(StoredHistory(store, "Recent"), (Items{"only"}));
  EXPECT_EQ(store.ReadString("Recent", "History1", "gone"), "gone");
  again->SetSaveMode(hsManual);

  // Only backslashes: no key at all. Nothing is written, nor read from a section directly under
  // HKEY_CURRENT_USER.
  TTestRegistryKey rootSection("");
  TRegistryIniFile root(rootSection.Path());
  root.WriteInteger("", "HistoryCount", 1);
  root.WriteString("", "History0", "at the root");
  THistoryComboBox* nowhere = NewBox("HistoryBox2");
  nowhere->SetSaveKeyName("\\\\");
  nowhere->SetSaveSectionName(rootSection.Path());
  EXPECT_TRUE(nowhere->LoadFromRegistry());
  EXPECT_EQ(nowhere->Items()->Count(), 0);
  nowhere->AddText("x");
  EXPECT_TRUE(nowhere->SaveToRegistry());
  EXPECT_EQ(StoredHistory(root, ""), (Items{"at the root"}));
  nowhere->SetSaveMode(hsManual);
}

TEST_F(HistoryComboBoxTest, RegistryKeyEndingInADoubleByteCharacterKeepsIt) {
  TTestRegistryKey key;
  // The second byte of ソ is 0x5C, a backslash on its own.
  const String japanese = key.Path() + "\\ソ";
  THistoryComboBox* box = NewBox();
  box->SetSaveMode(hsManual);
  box->AddText("kept");
  box->SaveToRegistry(japanese);
  EXPECT_TRUE(key.Exists("ソ\\HistoryBox1"));
}

// ---- The stored layout ----

TEST_F(HistoryComboBoxTest, LayoutLeavesOutDefaultsAndKeepsTheRest) {
  const Bytes plain = LayoutOf([](THistoryComboBox&) {});
  for (const char* name : {"SaveMode", "SaveKeyName", "SaveFileName", "SaveSectionName"})
    EXPECT_FALSE(Contains(plain, name)) << name;

  const Bytes set = LayoutOf([](THistoryComboBox& b) {
    b.SetSaveMode(hsAutoSave);
    b.SetSaveKeyName("Software\\Somewhere");
    b.SetSaveFileName("C:\\histories\\box.ini");
    b.SetSaveSectionName("Recent");
  });
  for (const char* name : {"SaveMode", "hsAutoSave", "SaveKeyName", "SaveFileName", "SaveSectionName"})
    EXPECT_TRUE(Contains(set, name)) << name;
  THistoryComboBox* box = Read(set);
  ASSERT_NE(box, nullptr);
  EXPECT_EQ(box->SaveMode(), hsAutoSave);
  EXPECT_EQ(box->SaveKeyName(), "Software\\Somewhere");
  EXPECT_EQ(box->SaveFileName(), "C:\\histories\\box.ini");
  EXPECT_EQ(box->SaveSectionName(), "Recent");
  box->SetSaveMode(hsManual);

  auto fresh = std::make_unique<THistoryComboBox>(nullptr);
  EXPECT_EQ(fresh->SaveMode(), hsAuto);
  EXPECT_EQ(fresh->GetSectionString(), "");
}

// ---- Damaged and unwritable stores ----

TEST_F(HistoryComboBoxTest, DamagedIniFilesAreBounded) {
  const String file = folder.File("damaged.ini");
  THistoryComboBox* box = NewBox();
  box->SetSaveMode(hsManual);
  const auto load = [&] {
    box->Items()->Clear();
    box->LoadFromFile(file);
  };

  WriteIni(file, "[HistoryBox1]\r\nHistoryCount=-5\r\nHistory0=a\r\n");
  load();
  EXPECT_EQ(box->Items()->Count(), 0);

  WriteIni(file, "[HistoryBox1]\r\nHistoryCount=3\r\nHistory0=a\r\nHistory2=c\r\n");
  load();
  EXPECT_EQ(ItemsOf(*box), (Items{"a", "", "c"}));

  WriteIni(file, "[HistoryBox1]\r\nHistoryCount=2147483647\r\nHistory0=first\r\n");
  load();
  EXPECT_EQ(box->Items()->Count(), THistoryComboBox::MaxItems);
  EXPECT_EQ(box->Items()->Get(0), "first");
  box->LoadFromFile(file);
  EXPECT_EQ(box->Items()->Count(), THistoryComboBox::MaxItems) << "what the box holds counts";

  // Cut at a character boundary: one ASCII byte, then two-byte characters.
  String longText = "a";
  for (int i = 0; i < 3000; ++i) longText += "漢";
  WriteIni(file, "[HistoryBox1]\r\nHistoryCount=1\r\nHistory0=" + longText + "\r\n");
  load();
  ASSERT_EQ(box->Items()->Count(), 1);
  EXPECT_EQ(box->Items()->Get(0), longText.substr(0, THistoryComboBox::MaxItemLength - 1));

  WriteIni(file, "[HistoryBox1]\r\nHistoryCount=two\r\n");
  box->Items()->Clear();
  EXPECT_THROW(box->LoadFromFile(file), EConvertError);
}

// A store in memory whose writes fail from the `failAt`-th on, as a registry can half way.
class TFailingStore : public TCustomIniFile {
 public:
  using TCustomIniFile::ReadString;
  String ReadString(const String&, const String& ident, const String& fallback, std::size_t) override {
    const auto found = values.find(ident);
    return found != values.end() ? found->second : fallback;
  }
  void WriteString(const String&, const String& ident, const String& value) override {
    if (++writes >= failAt) throw EIniFileException("the store is full");
    values[ident] = value;
  }
  std::vector<String> ReadSection(const String&) override {
    std::vector<String> names;
    for (const auto& [name, value] : values) names.push_back(name);
    return names;
  }
  void DeleteKey(const String&, const String& ident) override { values.erase(ident); }
  void EraseSection(const String&) override { values.clear(); }

  std::map<String, String> values;
  int writes = 0;
  int failAt = INT_MAX;
};

TEST_F(HistoryComboBoxTest, ASaveThatFailsHalfWayLeavesAHistoryAndOneLimitHoldsThroughout) {
  TFailingStore store;
  THistoryComboBox* box = NewBox();
  for (const char* text : {"c", "b", "a"}) box->AddText(text);
  box->SaveToStore(store);
  box->AddText("new");
  store.writes = 0;
  store.failAt = 2;
  EXPECT_THROW(box->SaveToStore(store), EIniFileException);
  EXPECT_EQ(StoredHistory(store, "HistoryBox1"), (Items{"new", "b", "c"}));

  // Adding keeps to the limit that loading has: what is saved loads again as it was.
  box->Items()->Clear();
  for (int i = 0; i <= THistoryComboBox::MaxItems; ++i) box->AddText(IntToStr(i));
  box->AddText(String(THistoryComboBox::MaxItemLength + 10, 'x'));
  ASSERT_EQ(box->Items()->Count(), THistoryComboBox::MaxItems);
  EXPECT_EQ(box->Items()->Get(0), String(THistoryComboBox::MaxItemLength, 'x'));
  EXPECT_EQ(box->Items()->Get(THistoryComboBox::MaxItems - 1), "2");
  const Items saved = ItemsOf(*box);
  TFailingStore roundTrip;
  box->SaveToStore(roundTrip);
  EXPECT_EQ(StoredHistory(roundTrip, "HistoryBox1"), saved);
}

TEST(IniFileReads, AValueIsReadNoFurtherThanAsked) {
  TTempFolder folder;
  TIniFile ini(folder.File("long.ini"));
  ini.WriteString("S", "Long", String(100000, 'y'));
  EXPECT_EQ(ini.ReadString("S", "Long", "", 10), String(10, 'y'));
  EXPECT_EQ(ini.ReadString("S", "Long", "").size(), 100000u);
}

TEST_F(HistoryComboBoxTest, DamagedRegistryValuesAreBounded) {
  TTestRegistryKey key;
  TRegistryIniFile store(key.Path());
  THistoryComboBox* box = NewBox();
  box->SetSaveMode(hsManual);
  box->SetSaveKeyName(key.Path());

  store.WriteInteger("HistoryBox1", "HistoryCount", -1);  // 0xFFFFFFFF
  store.WriteString("HistoryBox1", "History0", "a");
  EXPECT_TRUE(box->LoadFromRegistry());
  EXPECT_EQ(box->Items()->Count(), 0);

  store.WriteString("HistoryBox1", "HistoryCount", "junk");
  box->LoadFromRegistry();
  EXPECT_EQ(box->Items()->Count(), 0);

  store.WriteInteger("HistoryBox1", "HistoryCount", 0x7FFFFFFF);
  store.WriteString("HistoryBox1", "History0", String(100000, 'x'));
  box->LoadFromRegistry();
  ASSERT_EQ(box->Items()->Count(), THistoryComboBox::MaxItems);
  EXPECT_EQ(box->Items()->Get(0), String(THistoryComboBox::MaxItemLength, 'x'));
  EXPECT_EQ(box->Items()->Get(1), "");
  box->LoadFromRegistry();
  EXPECT_EQ(box->Items()->Count(), THistoryComboBox::MaxItems) << "what the box holds counts";
}

TEST_F(HistoryComboBoxTest, ADamagedStoreDoesNotSpoilTheLayout) {
  const String file = folder.File("damaged.ini");
  WriteIni(file, "[HistoryBox1]\r\nHistoryCount=lots\r\n");
  THistoryComboBox* box = Read(LayoutOf([&](THistoryComboBox& b) {
    b.SetSaveFileName(file);
    b.SetSaveMode(hsAutoLoad);
  }));
  ASSERT_NE(box, nullptr);
  EXPECT_EQ(box->Parent(), form);
  EXPECT_EQ(box->Items()->Count(), 0);
  expectedDisplays = 1;
  ASSERT_EQ(dialogs.Requests.size(), 1u);
  EXPECT_EQ(dialogs.Requests[0].Text, "'lots' is not a valid integer value");
}

TEST_F(HistoryComboBoxTest, AFailedSaveLeavesTheFileAsItWas) {
  const String file = folder.File("history.ini");
  WriteIni(file, "[HistoryBox1]\r\nHistoryCount=1\r\nHistory0=precious\r\n");
  const std::vector<std::uint8_t> before = FileBytes(file);
  {
    // Another program reads the file and lets nobody replace it meanwhile.
    const std::unique_ptr<void, decltype(&CloseHandle)> reader(
        CreateFileW(CP932ToWide(file).c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr),
        &CloseHandle);
    ASSERT_NE(reader.get(), INVALID_HANDLE_VALUE);
    THistoryComboBox* box = NewBox();
    box->SetSaveFileName(file);
    box->AddText("new");
    delete box;  // the failure goes to the exception display
  }
  expectedDisplays = 1;
  EXPECT_EQ(dialogs.Requests.size(), 1u);
  EXPECT_EQ(FileBytes(file), before);
  EXPECT_EQ(FileNames(folder.Path()), std::vector<String>{"history.ini"});
  TIniFile ini(file);
  EXPECT_EQ(StoredHistory(ini, "HistoryBox1"), (Items{"precious"}));
}

}  // namespace
