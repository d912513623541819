// The inspector's settings and its window's stored layout: declared defaults left out of the
// stream, a stored layout of another program holding the inspector, the offered names, and the
// compiled TINSPECTORFM resource read by a reader of the stream format of its own.
#include <gtest/gtest.h>
#include <windows.h>

#include <cstdint>
#include <cstring>
#include <map>
#include <optional>

#include "LayoutModeSupport.h"
#include "designer/DsnSpctr.h"
#include "designer/DsnUnit.h"
#include "framework/stdctrls/StdControls.h"
#include "framework/windows/Forms.h"
#include "tests/support/StreamWriters.h"

namespace {

using namespace test_support;

// ---------------------------------------------------------------------------------------------
// A reader of the component stream format that shares nothing with the framework's: records with
// their property entries as text.

struct TRecord {
  std::string Class;
  std::string Name;
  std::map<std::string, std::string> Props;
  std::vector<TRecord> Children;
};

class TRawReader {
 public:
  TRawReader(const std::uint8_t* data, std::size_t size) : at_(data), end_(data + size) {}

  // The signature and the root record; nullopt for anything malformed.
  std::optional<TRecord> Root() {
    if (!Has(4) || Take(4) != "TPF0") return std::nullopt;
    TRecord root;
    if (!ReadRecord(root) || at_ != end_) return std::nullopt;
    return root;
  }

 private:
  bool Has(std::size_t n) const { return static_cast<std::size_t>(end_ - at_) >= n; }
  std::string Take(std::size_t n) {
    if (!Has(n)) throw std::runtime_error("cut short");
    std::string bytes(reinterpret_cast<const char*>(at_), n);
    at_ += n;
    return bytes;
  }
  std::uint8_t Byte() { return static_cast<std::uint8_t>(Take(1)[0]); }
  std::uint8_t Peek() const {
    if (!Has(1)) throw std::runtime_error("cut short");
    return *at_;
  }
  template <class T>
  T Number() {
    T value;
    std::memcpy(&value, Take(sizeof(T)).data(), sizeof(T));
    return value;
  }
  std::string Short() { return Take(Byte()); }

  bool ReadRecord(TRecord& record) {
    try {
      if (Peek() >= 0xF0) return false;  // no prefix flags in a stored layout
      record.Class = Short();
      record.Name = Short();
      for (std::string name = Short(); !name.empty(); name = Short()) record.Props[name] = Value();
      while (Peek() != 0) {
        record.Children.emplace_back();
        if (!ReadRecord(record.Children.back())) return false;
      }
      ++at_;
      return true;
    } catch (const std::runtime_error&) {
      return false;
    }
  }

  // Integers in decimal, identifiers and texts as they are (wide text in CP932), sets as
  // [a,b], lists as (a b), binary data as its size.
  std::string Value() {
    switch (Byte()) {
      case 2: return std::to_string(Number<std::int8_t>());
      case 3: return std::to_string(Number<std::int16_t>());
      case 4: return std::to_string(Number<std::int32_t>());
      case 6:
      case 7: return Short();
      case 8: return "False";
      case 9: return "True";
      case 10: return std::to_string(Take(Number<std::uint32_t>()).size()) + " bytes";
      case 12: return Take(Number<std::uint32_t>());
      case 13: return "nil";
      case 11: {
        std::string members;
        for (std::string member = Short(); !member.empty(); member = Short()) {
          if (!members.empty()) members += ',';
          members += member;
        }
        return "[" + members + "]";
      }
      case 1: {
        std::string items;
        while (Peek() != 0) {
          if (!items.empty()) items += ' ';
          items += Value();
        }
        ++at_;
        return "(" + items + ")";
      }
      case 18: {
        const std::string units = Take(2 * std::size_t{Number<std::uint32_t>()});
        return WideToCp932(reinterpret_cast<const wchar_t*>(units.data()), static_cast<int>(units.size() / 2));
      }
      default: throw std::runtime_error("unexpected tag");
    }
  }
  static std::string WideToCp932(const wchar_t* text, int length) {
    if (length == 0) return {};
    std::string bytes(WideCharToMultiByte(932, 0, text, length, nullptr, 0, nullptr, nullptr), '\0');
    WideCharToMultiByte(932, 0, text, length, bytes.data(), static_cast<int>(bytes.size()), nullptr, nullptr);
    return bytes;
  }

  const std::uint8_t* at_;
  const std::uint8_t* end_;
};

std::optional<TRecord> RecordsOf(const Bytes& bytes) { return TRawReader(bytes.data(), bytes.size()).Root(); }

// ---------------------------------------------------------------------------------------------
// The compiled window layout

using TProps = std::map<std::string, std::string>;

// Each control of the window: class, parent, and the entries the window relies on.
struct TExpected {
  std::string Class;
  std::string Parent;
  TProps Props;
};

const std::map<std::string, TExpected>& WindowTable() {
  static const std::map<std::string, TExpected> table = {
      {"StringGrid1",
       {"TStringGrid", "InspectorFm",
        {{"Align", "alClient"}, {"Color", "clBtnFace"}, {"ColCount", "3"}, {"FixedCols", "0"},
         {"Options", "[goFixedVertLine,goFixedHorzLine,goVertLine,goHorzLine,goRangeSelect,goColSizing]"},
         {"ScrollBars", "ssVertical"}, {"OnMouseDown", "StringGrid1MouseDown"},
         {"OnTopLeftChanged", "StringGrid1TopLeftChanged"}}}},
      {"Panel3",
       {"TPanel", "InspectorFm",
        {{"Align", "alTop"}, {"Height", "33"}, {"BevelOuter", "bvNone"}, {"OnResize", "Panel3Resize"}}}},
      {"ComboBox1",
       {"TComboBox", "Panel3",
        {{"Left", "5"}, {"Top", "6"}, {"Width", "173"}, {"Style", "csDropDownList"},
         {"OnChange", "ComboBox1Change"}, {"OnDropDown", "ComboBox1Change"}}}},
      {"Edit1",
       {"TEdit", "InspectorFm",
        {{"Left", "-200"}, {"Width", "89"}, {"Height", "24"}, {"Font.Height", "-16"}, {"OnExit", "Edit1Exit"}}}},
      {"Panel2", {"TPanel", "InspectorFm", {{"Left", "-96"}, {"Width", "25"}, {"Height", "25"}}}},
      {"SpeedButton1",
       {"TSpeedButton", "Panel2",
        {{"Left", "0"}, {"Top", "0"}, {"Width", "25"}, {"Height", "25"}, {"OnClick", "SpeedButton1Click"}}}},
      {"ComboBox2",
       {"TComboBox", "InspectorFm",
        {{"Left", "-200"}, {"Width", "81"}, {"Height", "24"}, {"Font.Height", "-16"},
         {"OnChange", "ComboBox2Change"}, {"OnExit", "Edit1Exit"}}}},
      {"Panel1",
       {"TPanel", "InspectorFm", {{"Align", "alBottom"}, {"Height", "30"}, {"BevelOuter", "bvNone"}, {"Visible", "False"}}}},
      {"HelpBtn",
       {"TBitBtn", "Panel1",
        {{"Left", "4"}, {"Top", "4"}, {"Width", "105"}, {"Height", "25"}, {"Kind", "bkHelp"}, {"Caption", "&Help"}}}},
  };
  return table;
}

void Flatten(const TRecord& record, const std::string& parent, std::map<std::string, std::pair<std::string, const TRecord*>>& out) {
  for (const TRecord& child : record.Children) {
    out[child.Name] = {parent, &child};
    Flatten(child, child.Name, out);
  }
}

// Only the events the window's table names, on the controls it names.
std::map<std::string, std::string> EventsOf(const TRecord& record) {
  std::map<std::string, std::string> events;
  for (const auto& [name, value] : record.Props)
    if (name.rfind("On", 0) == 0) events[name] = value;
  return events;
}

TEST(InspectorLayout, TheCompiledResourceHoldsExactlyTheWindowsControlsPlacementsAndEvents) {
  HRSRC resource = FindResourceW(nullptr, L"TINSPECTORFM", MAKEINTRESOURCEW(10));  // RT_RCDATA
  ASSERT_NE(resource, nullptr) << "the program carries no TINSPECTORFM";
  const auto* data = static_cast<const std::uint8_t*>(LockResource(LoadResource(nullptr, resource)));
  const std::optional<TRecord> root = TRawReader(data, SizeofResource(nullptr, resource)).Root();
  ASSERT_TRUE(root.has_value()) << "not a well-formed component stream";

  EXPECT_EQ(root->Class, "TInspectorFm");
  const TProps form = {{"Left", "253"},          {"Top", "108"},        {"Width", "230"},
                       {"Height", "438"},        {"Scaled", "False"},   {"Font.Charset", "SHIFTJIS_CHARSET"},
                       {"Font.Height", "-12"},   {"OnCreate", "FormCreate"}, {"OnDeactivate", "Edit1Exit"}};
  for (const auto& [name, value] : form) EXPECT_EQ(root->Props.at(name), value) << name;
  EXPECT_EQ(EventsOf(*root).size(), 2u);

  std::map<std::string, std::pair<std::string, const TRecord*>> controls;
  Flatten(*root, root->Name, controls);
  ASSERT_EQ(controls.size(), WindowTable().size());
  for (const auto& [name, expected] : WindowTable()) {
    SCOPED_TRACE(name);
    ASSERT_EQ(controls.count(name), 1u);
    const auto& [parent, record] = controls.at(name);
    EXPECT_EQ(record->Class, expected.Class);
    EXPECT_EQ(parent, expected.Parent);
    for (const auto& [prop, value] : expected.Props)
      EXPECT_EQ(record->Props.count(prop) ? record->Props.at(prop) : "<absent>", value) << prop;
    std::size_t events = 0;
    for (const auto& entry : expected.Props) events += entry.first.rfind("On", 0) == 0;
    EXPECT_EQ(EventsOf(*record).size(), events);
  }
}

// ---------------------------------------------------------------------------------------------
// Settings in the stream

TEST(InspectorSettings, DefaultsAreTheDeclaredOnesAndNoneIsWritten) {
  layouttest::RegisterClassesOnce();
  TDsnInspector inspector(nullptr);
  inspector.SetName("DsnInspector1");
  EXPECT_EQ(inspector.Caption(), "Object Inspector");
  EXPECT_EQ(inspector.Position()->Left(), 15);
  EXPECT_EQ(inspector.Position()->Top(), 50);
  EXPECT_EQ(inspector.Position()->Width(), 230);
  EXPECT_EQ(inspector.Position()->Height(), 400);
  EXPECT_EQ(inspector.Grid()->PropCp(), "Properties");
  EXPECT_EQ(inspector.Grid()->ValueCp(), "Values");
  EXPECT_EQ(inspector.Grid()->PropWid(), 80);
  EXPECT_EQ(inspector.Grid()->ValueWid(), 100);
  EXPECT_FALSE(inspector.HelpButton()->Visible());
  EXPECT_EQ(inspector.HelpButton()->Caption(), "Help(&H)");
  EXPECT_TRUE(inspector.GetGlyph()->Empty());

  const std::optional<TRecord> record = RecordsOf(WriteRoot(&inspector));
  ASSERT_TRUE(record.has_value());
  EXPECT_EQ(record->Class, "TDsnInspector");
  EXPECT_TRUE(record->Props.empty()) << record->Props.begin()->first;
}

TEST(InspectorSettings, AStoredLayoutOfAnotherProgramHoldsTheInspectorWithItsSettings) {
  layouttest::RegisterClassesOnce();
  const std::string text =
      "object Workbench: TForm\n"
      "  object DsnRegister1: TDsnRegister\n    DsnInspector = DsnInspector1\n  end\n"
      "  object DsnInspector1: TDsnInspector\n"
      "    SelfProps.Strings = ( 'Width|W' 'Tag' )\n"
      "    BtnProps.Strings = ( 'Font' )\n"
      "    OutProps.Strings = ( 'Name' )\n"
      "    ShowProps.aLeft = True\n    ShowProps.aLeftCp = 'X'\n"
      "    StayOnTop = True\n"
      "    HelpButton.Visible = True\n    HelpButton.HelpContext = 7\n    HelpButton.Caption = 'Hilfe'\n"
      "    Position.Top = 90\n    Position.Left = 700\n"
      "    Caption = 'Props'\n"
      "    Grid.PropCp = 'Name'\n    Grid.ValueWid = 140\n"
      "  end\n"
      "end\n";
  TForm form(nullptr);
  layouttest::ReadLayoutText(text, form);

  auto* inspector = dynamic_cast<TDsnInspector*>(form.FindComponent("DsnInspector1"));
  ASSERT_NE(inspector, nullptr);
  auto* controller = dynamic_cast<TDsnRegister*>(form.FindComponent("DsnRegister1"));
  ASSERT_NE(controller, nullptr);
  EXPECT_EQ(controller->DsnInspector(), inspector);
  EXPECT_EQ(inspector->SelfProps()->Text(), "Width|W\r\nTag\r\n");
  EXPECT_EQ(inspector->BtnProps()->Get(0), "Font");
  EXPECT_EQ(inspector->GetOutProps()->Get(0), "Name");
  EXPECT_TRUE(inspector->ShowProps()->aLeft());
  EXPECT_EQ(inspector->ShowProps()->aLeftCp(), "X");
  EXPECT_TRUE(inspector->StayOnTop());
  EXPECT_TRUE(inspector->HelpButton()->Visible());
  EXPECT_EQ(inspector->HelpButton()->HelpContext(), 7);
  EXPECT_EQ(inspector->HelpButton()->Caption(), "Hilfe");
  EXPECT_EQ(inspector->Position()->Left(), 700);
  EXPECT_EQ(inspector->Position()->Top(), 90);
  EXPECT_EQ(inspector->Position()->Width(), 230);
  EXPECT_EQ(inspector->Caption(), "Props");
  EXPECT_EQ(inspector->Grid()->PropCp(), "Name");
  EXPECT_EQ(inspector->Grid()->ValueCp(), "Values");
  EXPECT_EQ(inspector->Grid()->ValueWid(), 140);

  // Written again, only what differs from the defaults comes back.
  const std::optional<TRecord> record = RecordsOf(WriteRoot(inspector));
  ASSERT_TRUE(record.has_value());
  EXPECT_EQ(record->Props.count("Position.Width"), 0u);
  EXPECT_EQ(record->Props.count("Grid.ValueCp"), 0u);
  EXPECT_EQ(record->Props.at("Position.Left"), "700");
  EXPECT_EQ(record->Props.at("Grid.PropCp"), "Name");
  EXPECT_EQ(record->Props.at("Caption"), "Props");
}

// ---------------------------------------------------------------------------------------------
// The offered names

std::vector<std::pair<String, String>> Offered(TDsnInspector& inspector) {
  TStringList names, captions;
  inspector.GetPropLists(&names, &captions);
  std::vector<std::pair<String, String>> offered;
  for (int i = 0; i < names.Count(); ++i) offered.push_back({names.Get(i), captions.Get(i)});
  return offered;
}

using TOffered = std::vector<std::pair<String, String>>;

TEST(InspectorOfferedNames, StandardPropertiesComeFirstInTheirOwnOrderThenSelfProps) {
  TDsnInspector inspector(nullptr);
  EXPECT_TRUE(Offered(inspector).empty());

  inspector.ShowProps()->SetaTop(true);
  inspector.ShowProps()->SetaLeft(true);
  EXPECT_EQ(Offered(inspector), (TOffered{{"Left", "Left"}, {"Top", "Top"}}));

  inspector.ShowProps()->SetaName(true);
  inspector.ShowProps()->SetaWidth(true);
  inspector.ShowProps()->SetaWidthCp("Breite");
  inspector.SelfProps()->SetText("Tag|T|ag\nHint");
  EXPECT_EQ(Offered(inspector), (TOffered{{"Left", "Left"}, {"Name", "Name"}, {"Top", "Top"}, {"Width", "Breite"},
                                          {"Tag", "T|ag"}, {"Hint", "Hint"}}));
}

TEST(InspectorOfferedNames, AnEntryHoldingALineBreakBecomesTwoEntries) {
  TDsnInspector inspector(nullptr);
  inspector.SelfProps()->Add("Left|X\r\nTop|Y");
  EXPECT_EQ(Offered(inspector), (TOffered{{"Left", "X"}, {"Top", "Y"}}));
}

}  // namespace
