// The page window as its stored layout builds it: every component in stored order, with the
// bounds, values, texts, event bindings and references the page needs, and the window's frame.
#include <windows.h>

#include <map>
#include <vector>

#include "controls/GradBox.h"
#include "designer/DsnInfo.h"
#include "designer/DsnUnit.h"
#include "framework/stdctrls/Image.h"
#include "framework/stdctrls/Memo.h"
#include "framework/windows/Control.h"
#include "tests/app/PageFixture.h"

namespace {

// The text of a property, following dotted paths into sub-objects ("Font.Name").
String PropText(TObject* object, const String& path) {
  const auto dot = path.find('.');
  const TPropInfo* info = GetPropInfo(object, path.substr(0, dot));
  if (!info) return "<no property " + path + ">";
  if (dot == String::npos) return PropValueToStr(object, info);
  return PropText(GetObjectProp(object, info), path.substr(dot + 1));
}

using TProps = std::map<String, String>;

struct TRow {
  String Name;
  String Class;
  String Parent;
  int Left, Top, Width, Height;
  TProps Props;
};

// Colours as the property lister writes integers.
const String White = "16777215", Silver = "12632256", Black = "0", Gray = "8421504", WindowText = "-2147483640";

TProps With(TProps props, const TProps& more) {
  props.insert(more.begin(), more.end());
  return props;
}

std::vector<TRow> PageTable() {
  const TProps gothic12{{"Font.Charset", "128"}, {"Font.Height", "-12"}, {"Font.Name", "ＭＳ Ｐゴシック"}, {"Font.Style", "[]"}};
  std::vector<TRow> rows = {
      {"GradBox2", "TGradBox", "MainForm1", 0, 0, 22, 600,
       {{"Align", "alLeft"}, {"TopColor", Silver}, {"LastColor", Silver}, {"DrawOutLine", "True"},
        {"GradStyle", "gsBottomTop"}, {"Font3D", "False"}}},
      {"Shape4", "TShape", "MainForm1", 240, 180, 240, 180, {{"Pen.Style", "psClear"}}},
      {"Image0", "TImage", "MainForm1", 532, 0, 400, 600, {{"Visible", "False"}}},
      {"dxfLabel0", "TdxfLabel", "MainForm1", 2, 5, 16, 590,
       {{"AutoSize", "False"}, {"Caption", "各コマに画像ファイルをドロップします。"}, {"Color", Black},
        {"Font.Charset", "128"}, {"Font.Color", White}, {"Font.Height", "-13"}, {"Font.Name", "ＭＳ Ｐゴシック"},
        {"Font.Style", "[fsBold]"}, {"ParentColor", "False"}, {"ParentFont", "False"}, {"Transparent", "True"},
        {"Style", "dxfNormal"}, {"Angle", "90"}, {"Effect3D.Style", "dxfExtrude"},
        {"Effect3D.Orientation", "dxfRightBottom"}, {"Effect3D.Depth", "1"}, {"Effect3D.ShadowedColor", Gray},
        {"PenWidth", "1"}}},
      {"DsnStage1", "TDsnStage", "MainForm1", 22, 0, 578, 600,
       With(gothic12, {{"Align", "alClient"}, {"BevelOuter", "bvNone"}, {"Color", Silver}, {"Font.Color", WindowText},
                       {"ParentFont", "False"}, {"ParentShowHint", "False"}, {"ShowHint", "False"}, {"TabOrder", "0"},
                       {"Rubberband.Color", Gray}, {"Rubberband.PenWidth", "2"}, {"Rubberband.MoveWidth", "4"},
                       {"Rubberband.MoveHeight", "4"}, {"FixPosition", "False"}, {"FixSize", "False"},
                       {"OnMenuClick", ""}})},
      {"Shape0", "TShape", "DsnStage1", 0, 0, 400, 600, {{"Align", "alLeft"}, {"Pen.Style", "psClear"}}},
  };
  for (int i = 1; i <= 4; ++i) {
    const String n = IntToStr(i);
    rows.push_back({"Image" + n, "TImage", "DsnStage1", 100, (i - 1) * 150, 200, 150,
                    {{"Stretch", "True"}, {"OnDblClick", "Image" + n + "DblClick"}, {"OnMouseMove", "Image" + n + "MouseMove"}}});
  }
  const TProps ellipse{{"Shape", "stEllipse"}, {"Pen.Style", "psSolid"}, {"Brush.Color", White}};
  const int balloons[] = {1, 2, 3, 5, 6, 7, 8, 9};
  for (int i = 0; i < 8; ++i)
    rows.push_back({"Shape" + IntToStr(balloons[i]), "TShape", "DsnStage1", 414, 16 + 60 * i, 150, 40, ellipse});
  for (int i = 0; i < 4; ++i) {
    rows.push_back({"Shape" + IntToStr(10 + i), "TShape", "DsnStage1", 408, 124 + 120 * i, 12, 10, ellipse});
    rows.push_back({"Shape" + IntToStr(14 + i), "TShape", "DsnStage1", 416, 108 + 120 * i, 20, 16, ellipse});
    rows.push_back({"Shape" + IntToStr(18 + i), "TShape", "DsnStage1", 408, 64 + 120 * i, 12, 10, ellipse});
    rows.push_back({"Shape" + IntToStr(22 + i), "TShape", "DsnStage1", 416, 48 + 120 * i, 20, 16, ellipse});
  }
  for (int i = 0; i < 8; ++i)
    rows.push_back({"Memo" + IntToStr(i), "TMemo", "DsnStage1", i == 7 ? 432 : 428, 27 + 60 * i, 120, 16,
                    {{"TabStop", "False"}, {"Alignment", "taCenter"}, {"BorderStyle", "bsNone"}, {"Color", White},
                     {"Font.Charset", "128"}, {"Font.Color", Black}, {"Font.Height", "-15"},
                     {"Font.Name", "HGS創英角ﾎﾟｯﾌﾟ体"}, {"ParentFont", "False"}, {"WantReturns", "False"},
                     {"TabOrder", IntToStr(i)}, {"Lines", "(TStrings)"}}});
  rows.push_back({"Panel0", "TPanel", "MainForm1", 432, 520, 160, 74, {{"BevelOuter", "bvLowered"}, {"TabOrder", "1"}}});
  rows.push_back({"GradBox1", "TGradBox", "Panel0", 1, 1, 158, 72,
                  {{"Align", "alClient"}, {"TopColor", White}, {"LastColor", Silver}, {"DrawOutLine", "True"},
                   {"GradStyle", "gsBottomTop"}, {"Font3D", "False"}}});
  rows.push_back({"DsnSwitch1", "TDsnSwitch", "Panel0", 1, 1, 158, 24,
                  With(gothic12, {{"Cursor", "-21"}, {"Hint", "モード切替"}, {"AllowAllUp", "True"}, {"GroupIndex", "2302"},
                                  {"Caption", "[レイアウトモード]へ"}, {"Font.Color", Black}, {"NumGlyphs", "2"},
                                  {"ParentFont", "False"}, {"ParentShowHint", "False"}, {"ShowHint", "True"},
                                  {"Transparent", "False"}, {"OnClick", "DsnSwitch1Click"}, {"DsnRegister", "DsnRegister1"},
                                  {"DsnMessageFlg", "False"}, {"DsnMessage", "Now, Starting Design"}})});
  rows.push_back({"SpeedButton1", "TSpeedButton", "Panel0", 1, 25, 158, 24,
                  {{"Cursor", "-21"}, {"Hint", "漫画の保存"}, {"Caption", "漫画の保存"}, {"Flat", "True"},
                   {"NumGlyphs", "2"}, {"OnClick", "SpeedButton1Click"}}});
  rows.push_back({"SpeedButton2", "TSpeedButton", "Panel0", 1, 49, 158, 24,
                  {{"Cursor", "-21"}, {"Hint", "インフォメーション"}, {"Caption", "インフォメーション"}, {"Flat", "True"},
                   {"NumGlyphs", "2"}, {"OnClick", "SpeedButton2Click"}}});
  rows.push_back({"SavePictureDialog1", "TSavePictureDialog", "", 0, 0, 0, 0,
                  {{"DefaultExt", "jpg"}, {"Filter", "JPEG ファイル (*.jpg;*.jpeg)|*.jpg;*.jpeg"}, {"Title", "保存"}}});
  rows.push_back({"DsnRegister1", "TDsnMlRegister", "", 0, 0, 0, 0, {{"DsnStage", "DsnStage1"}}});
  return rows;
}

}  // namespace

TEST_F(PageTest, EveryComponentHasItsStoredClassParentBoundsAndValues) {
  for (const TRow& row : PageTable()) {
    SCOPED_TRACE(row.Name);
    TComponent* component = page->FindComponent(row.Name);
    ASSERT_NE(component, nullptr);
    EXPECT_EQ(component->ClassName(), row.Class);
    if (auto* control = dynamic_cast<TControl*>(component)) {
      ASSERT_NE(control->Parent(), nullptr);
      EXPECT_EQ(control->Parent()->Name(), row.Parent);
      EXPECT_EQ(control->Left(), row.Left);
      EXPECT_EQ(control->Top(), row.Top);
      EXPECT_EQ(control->Width(), row.Width);
      EXPECT_EQ(control->Height(), row.Height);
    } else {
      EXPECT_TRUE(row.Parent.empty());
    }
    for (const auto& [path, text] : row.Props) EXPECT_EQ(PropText(component, path), text) << path;
  }
}

TEST_F(PageTest, ComponentsAreCreatedInStoredOrderAndFieldsPointAtThem) {
  std::vector<String> names;
  for (int i = 0; i < page->ComponentCount(); ++i) names.push_back(page->Components(i)->Name());
  std::vector<String> expected = {"GradBox2", "Shape4", "Image0", "dxfLabel0", "DsnStage1", "Shape0",
                                  "Image1",   "Image2", "Image3", "Image4"};
  for (int n : {1, 2, 3, 5, 6, 7, 8, 9}) expected.push_back("Shape" + IntToStr(n));
  for (int i = 10; i <= 25; ++i) expected.push_back("Shape" + IntToStr(i));
  for (int i = 0; i < 8; ++i) expected.push_back("Memo" + IntToStr(i));
  for (const char* n : {"Panel0", "GradBox1", "DsnSwitch1", "SpeedButton1", "SpeedButton2", "SavePictureDialog1", "DsnRegister1"})
    expected.push_back(n);
  EXPECT_EQ(names, expected);

  EXPECT_EQ(page->Image3, page->FindComponent("Image3"));
  EXPECT_EQ(page->Memo7, page->FindComponent("Memo7"));
  EXPECT_EQ(page->GradBox2, page->FindComponent("GradBox2"));
  EXPECT_TRUE(page->HoverFrame().empty());
}

TEST_F(PageTest, MemosHoldTheirDialogueAndFramesTheirPictures) {
  const std::vector<TMemo*> memos{page->Memo0, page->Memo1, page->Memo2, page->Memo3,
                                  page->Memo4, page->Memo5, page->Memo6, page->Memo7};
  for (std::size_t i = 0; i < memos.size(); ++i) {
    ASSERT_EQ(memos[i]->Lines()->Count(), 1);
    EXPECT_EQ(memos[i]->Lines()->Strings(0), "台詞" + IntToStr(static_cast<int>(i) + 1));
  }
  for (TImage* frame : {page->Image1, page->Image2, page->Image3, page->Image4}) {
    ASSERT_NE(frame->Picture()->Graphic(), nullptr);
    EXPECT_EQ(frame->Picture()->Graphic()->ClassName(), "TBitmap");
    EXPECT_EQ(frame->Picture()->Graphic()->Width(), 200);
    EXPECT_EQ(frame->Picture()->Graphic()->Height(), 150);
  }
  EXPECT_EQ(page->Image0->Picture()->Graphic(), nullptr);
}

TEST_F(PageTest, TheWindowIsAFixedAlwaysOnTop600SquareThatCanBeMinimised) {
  HWND window = page->Handle();
  RECT client;
  GetClientRect(window, &client);
  EXPECT_EQ(client.right, 600);
  EXPECT_EQ(client.bottom, 600);
  const LONG_PTR style = GetWindowLongPtrW(window, GWL_STYLE);
  EXPECT_FALSE(style & WS_THICKFRAME);
  EXPECT_FALSE(style & WS_MAXIMIZEBOX);
  EXPECT_TRUE(style & WS_MINIMIZEBOX);
  EXPECT_TRUE(style & WS_SYSMENU);
  EXPECT_TRUE(GetWindowLongPtrW(window, GWL_EXSTYLE) & WS_EX_TOPMOST);
  EXPECT_TRUE(GetWindowLongPtrW(window, GWL_EXSTYLE) & WS_EX_ACCEPTFILES);
  wchar_t caption[32];
  GetWindowTextW(window, caption, 32);
  EXPECT_STREQ(caption, L"Tavelko");
}

TEST_F(PageTest, OnlyTheModeSwitchShowsAHint) {
  for (int i = 0; i < page->ComponentCount(); ++i) {
    auto* control = dynamic_cast<TControl*>(page->Components(i));
    if (!control) continue;
    SCOPED_TRACE(control->Name());
    EXPECT_EQ(control->ShowHint(), control == page->DsnSwitch1);
  }
}

TEST_F(PageTest, HiddenCaptureBufferAndBackShapeNeverShow) {
  EXPECT_FALSE(page->Image0->Showing());
  // Shape4 (white) lies under the stage; between the page and the balloons the stage's silver shows.
  EXPECT_EQ(PixelAt(page->Handle(), 424, 200), RGB(192, 192, 192));
}
