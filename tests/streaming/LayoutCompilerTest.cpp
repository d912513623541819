// The build-time layout compiler: the page window's real layout compiled and walked byte by
// byte, the build's own compiled resource, and faults reported with their line.
#include <gtest/gtest.h>

#include <windows.h>

#include "RecordView.h"
#include "tools/layoutc/LayoutCompiler.h"
#include "tests/support/Raised.h"

namespace {

const String SourceDir = TAVELKO_SOURCE_DIR;

Bytes CompileText(const std::string& text, const String& baseDir = SourceDir + "/app/") {
  TMemoryStream stream;
  TLayoutCompiler compiler(baseDir);
  compiler.Compile(text, stream);
  return StreamBytes(stream);
}

Bytes CompilePageLayout() {
  TMemoryStream source;
  source.LoadFromFile(SourceDir + "/app/MainForm1.layout");
  return CompileText(std::string(reinterpret_cast<const char*>(source.Memory()), static_cast<std::size_t>(source.Size())));
}

WideString WideValue(const Bytes& bytes, const TRecordView& record, const char* property) {
  const TPropertyView* p = record.Find(property);
  if (!p) {
    ADD_FAILURE() << "no " << property << " in " << record.Name;
    return {};
  }
  EXPECT_EQ(p->Tag, TValueType::vaWString) << property;
  return ValueOf(bytes, *p).ReadWideText();
}

TEST(LayoutCompiler, ThePageLayoutCompilesToTheStoredForm) {
  const Bytes bytes = CompilePageLayout();
  const TRecordView root = ParseStream(bytes);
  EXPECT_EQ(root.ClassName, "TMainForm1");
  EXPECT_EQ(root.Name, "MainForm1");
  const std::vector<String> names = root.PropertyNames();
  const std::vector<String> first(names.begin(), names.begin() + 7);
  EXPECT_EQ(first, (std::vector<String>{"Left", "Top", "HorzScrollBar.Visible", "VertScrollBar.Visible", "BorderIcons",
                                        "BorderStyle", "Caption"}));
  EXPECT_EQ(root.Properties[0].Tag, TValueType::vaInt16);
  EXPECT_EQ(ValueOf(bytes, root.Properties[0]).ReadInt64(), 157);
  EXPECT_EQ(root.Properties[1].Tag, TValueType::vaInt8);
  EXPECT_EQ(ValueOf(bytes, root.Properties[1]).ReadInt64(), 61);
  EXPECT_EQ(root.Properties[2].Tag, TValueType::vaFalse);
  EXPECT_EQ(ValueOf(bytes, root.Properties[4]).ReadSet(), (std::vector<String>{"biSystemMenu", "biMinimize"}));
  EXPECT_EQ(ValueOf(bytes, root.Properties[5]).ReadIdent(), "bsSingle");
  EXPECT_EQ(root.Properties[6].Tag, TValueType::vaString);
  EXPECT_EQ(ValueOf(bytes, root.Properties[6]).ReadText(), "Tavelko");
  EXPECT_EQ(ValueOf(bytes, *root.Find("Font.Charset")).ReadIdent(), "SHIFTJIS_CHARSET");
  EXPECT_EQ(ValueOf(bytes, *root.Find("Font.Height")).ReadInt64(), -12);
  EXPECT_EQ(WideValue(bytes, root, "Font.Name"), L"\uFF2D\uFF33 \uFF30\u30B4\u30B7\u30C3\u30AF");  // ＭＳ Ｐゴシック
  EXPECT_TRUE(ValueOf(bytes, *root.Find("Font.Style")).ReadSet().empty());
  EXPECT_EQ(ValueOf(bytes, *root.Find("PixelsPerInch")).ReadInt64(), 96);

  EXPECT_EQ(root.ChildNames(), (std::vector<String>{"GradBox2", "Shape4", "Image0", "dxfLabel0", "DsnStage1", "Panel0",
                                                    "SavePictureDialog1", "DsnRegister1"}));
  const TRecordView& label = root.Child("dxfLabel0");
  EXPECT_EQ(label.ClassName, "TdxfLabel");
  EXPECT_EQ(WideValue(bytes, label, "Caption").size(), 19u);
  EXPECT_EQ(ValueOf(bytes, *label.Find("Effect3D.Depth")).ReadInt64(), 1);
  EXPECT_EQ(ValueOf(bytes, *label.Find("Font.Style")).ReadSet(), std::vector<String>{"fsBold"});

  const TRecordView& stage = root.Child("DsnStage1");
  ASSERT_EQ(stage.Children.size(), 37u);  // Shape0, 4 frames, 8 balloons, 16 bubbles, 8 memos
  EXPECT_EQ(stage.Children[0].Name, "Shape0");
  EXPECT_EQ(stage.Children[1].Name, "Image1");
  EXPECT_EQ(stage.Children.back().Name, "Memo7");
  EXPECT_EQ(ValueOf(bytes, *stage.Find("Rubberband.PenWidth")).ReadInt64(), 2);

  const TRecordView& memo = stage.Child("Memo0");
  const TPropertyView* lines = memo.Find("Lines.Strings");
  ASSERT_NE(lines, nullptr);
  EXPECT_EQ(lines->Tag, TValueType::vaList);
  TValueReader list = ValueOf(bytes, *lines);
  list.ReadListBegin();
  EXPECT_EQ(list.NextValue(), TValueType::vaWString);
  EXPECT_EQ(list.ReadText(), "台詞1");
  list.ReadListEnd();

  const TRecordView& image = stage.Child("Image1");
  TValueReader picture = ValueOf(bytes, *image.Find("Picture.Data"));
  const std::string_view data = picture.ReadBinary();
  ASSERT_EQ(data.size(), 1u + 7 + 4 + 15118);
  EXPECT_EQ(data.substr(0, 8), "\x07TBitmap");
  EXPECT_EQ(static_cast<unsigned char>(data[8]) | static_cast<unsigned char>(data[9]) << 8, 15118);
  EXPECT_EQ(data.substr(12, 2), "BM");
  EXPECT_EQ(ValueOf(bytes, *image.Find("OnMouseMove")).ReadIdent(), "Image1MouseMove");

  const TRecordView& button = root.Child("Panel0").Child("DsnSwitch1");
  EXPECT_EQ(ValueOf(bytes, *button.Find("GroupIndex")).ReadInt64(), 2302);
  EXPECT_EQ(ValueOf(bytes, *button.Find("DsnRegister")).ReadIdent(), "DsnRegister1");
  const std::string_view glyph = ValueOf(bytes, *button.Find("Glyph.Data")).ReadBinary();
  ASSERT_EQ(glyph.size(), 4u + 374);
  EXPECT_EQ(glyph.substr(4, 2), "BM");
  EXPECT_EQ(ValueOf(bytes, *button.Find("DsnMessage")).ReadText(), "Now, Starting Design");

  const TRecordView& dialog = root.Child("SavePictureDialog1");
  EXPECT_EQ(ValueOf(bytes, *dialog.Find("Left")).ReadInt64(), 364);
  EXPECT_EQ(ValueOf(bytes, *dialog.Find("Top")).ReadInt64(), 548);
  EXPECT_EQ(ValueOf(bytes, *dialog.Find("Filter")).ReadText(), "JPEG ファイル (*.jpg;*.jpeg)|*.jpg;*.jpeg");
}

TEST(LayoutCompiler, TheBuildEmbedsTheSameStreamAsAResource) {
  HRSRC resource = FindResourceW(nullptr, L"TMAINFORM1", MAKEINTRESOURCEW(10));  // RT_RCDATA
  ASSERT_NE(resource, nullptr);
  const DWORD size = SizeofResource(nullptr, resource);
  const auto* data = static_cast<const std::uint8_t*>(LockResource(LoadResource(nullptr, resource)));
  ASSERT_NE(data, nullptr);
  EXPECT_EQ(Bytes(data, data + size), CompilePageLayout());
}

TEST(LayoutCompiler, ValuesOfEveryForm) {
  const Bytes bytes = CompileText(
      "# a comment\n"
      "object Form1: TForm1\n"
      "  Big = 100000\n"
      "  Hex = $FF\n"
      "  Ratio = 1.5\n"
      "  Quote = 'it''s'\n"
      "  Long = '" + std::string(300, 'a') + "'\n"
      "  Empty = []\n"
      "  Nothing = nil\n"
      "  Items.Strings = (\n"
      "    'one'\n"
      "    'two')\n"
      "end\n");
  const TRecordView root = ParseStream(bytes);
  EXPECT_EQ(root.Find("Big")->Tag, TValueType::vaInt32);
  EXPECT_EQ(ValueOf(bytes, *root.Find("Hex")).ReadInt64(), 255);
  EXPECT_EQ(ValueOf(bytes, *root.Find("Ratio")).ReadFloat(), 1.5L);
  EXPECT_EQ(ValueOf(bytes, *root.Find("Quote")).ReadText(), "it's");
  EXPECT_EQ(root.Find("Long")->Tag, TValueType::vaLString);
  EXPECT_EQ(root.Find("Nothing")->Tag, TValueType::vaNil);
  TValueReader items = ValueOf(bytes, *root.Find("Items.Strings"));
  items.ReadListBegin();
  EXPECT_EQ(items.ReadText(), "one");
  EXPECT_EQ(items.ReadText(), "two");
  items.ReadListEnd();
}

String FaultOf(const std::string& text) {
  return MessageRaised<ELayoutError>([&] { CompileText(text); }, "(compiled)");
}

TEST(LayoutCompiler, FaultsNameTheirLine) {
  EXPECT_EQ(FaultOf("object A: TA\n  Left 5\nend\n"), "line 2: '=' expected");
  EXPECT_EQ(FaultOf("object A: TA\n  Left = \nend\n"), "line 2: a value expected");
  EXPECT_EQ(FaultOf("object A: TA\n\n  Caption = 'open\nend\n"), "line 3: text without its closing quote");
  EXPECT_EQ(FaultOf("object A: TA\n  Caption = '\xF0\x9F\x98\x80'\nend\n"),
            "line 2: text with characters code page 932 does not have");
  EXPECT_EQ(FaultOf("object A: TA\n  object B: TB\n  end\n  Left = 1\nend\n"),
            "line 4: properties belong before the child objects");
  EXPECT_EQ(FaultOf("object A: TA\n  Left = 1\n"), "line 2: 'end' expected");
  EXPECT_EQ(FaultOf("object A: TA\nend\nend\n"), "line 3: text after the last end");
  EXPECT_EQ(FaultOf("object A: TA\n  Items = ( 'a'\nend\n"), "line 2: list without its ')'");
  EXPECT_EQ(FaultOf("object A TA\nend\n"), "line 1: ':' expected");
  EXPECT_EQ(FaultOf("object A: TA\n  Left = 99999999999999999999\nend\n"),
            "line 2: integer out of range: 99999999999999999999");
  EXPECT_EQ(FaultOf("object A: TA\n  Left = @\nend\n"), "line 2: unexpected character '@'");
  EXPECT_EQ(FaultOf("object A: TA\n  Glyph.Data = bitmap 'MainForm1.layout'\nend\n"),
            "line 2: MainForm1.layout is not a BMP file");
  EXPECT_EQ(FaultOf("object A: TA\n  Glyph.Data = bitmap 'pictures/none.bmp'\nend\n").substr(0, 36),
            "line 2: cannot read pictures/none.bm");
}

}  // namespace
