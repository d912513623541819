// The page window's stored layout read with the standard controls: every property of theirs is
// taken, and the frames, balloons, dialogue boxes, buttons and the save dialog come out as the
// layout describes them. The classes of other libraries stand in with no properties of their own.
#include "TestSupport.h"

#include <set>

#include "framework/stdctrls/Image.h"
#include "framework/stdctrls/Label.h"
#include "framework/stdctrls/Memo.h"
#include "framework/stdctrls/Panel.h"
#include "framework/stdctrls/Dialogs.h"
#include "framework/stdctrls/Shape.h"
#include "framework/stdctrls/SpeedButton.h"
#include "tools/layoutc/LayoutCompiler.h"

namespace {

class TGradBox : public TGraphicControl {
  TAVELKO_CLASS(TGradBox, TGraphicControl)
  static void Publish(TPublisher<TGradBox>& p) { p.Prop("Align", &TGradBox::Align, &TGradBox::SetAlign); }

 public:
  using TGraphicControl::TGraphicControl;
};

class TdxfLabel : public TLabel {
  TAVELKO_CLASS(TdxfLabel, TLabel)

 public:
  using TLabel::TLabel;
};

class TDsnStage : public TPanel {
  TAVELKO_CLASS(TDsnStage, TPanel)

 public:
  using TPanel::TPanel;
};

class TDsnSwitch : public TSpeedButton {
  TAVELKO_CLASS(TDsnSwitch, TSpeedButton)

 public:
  using TSpeedButton::TSpeedButton;
};

class TDsnRegister : public TComponent {
  TAVELKO_CLASS(TDsnRegister, TComponent)

 public:
  using TComponent::TComponent;
};

class TDsnMlRegister : public TDsnRegister {
  TAVELKO_CLASS(TDsnMlRegister, TDsnRegister)

 public:
  using TDsnRegister::TDsnRegister;
};

class TMainForm1 : public TForm {
  TAVELKO_CLASS(TMainForm1, TForm)
  static void Publish(TPublisher<TMainForm1>& p) {
    p.Method("Image1MouseMove", &TMainForm1::MouseMoved);
    p.Method("Image2MouseMove", &TMainForm1::MouseMoved);
    p.Method("Image3MouseMove", &TMainForm1::MouseMoved);
    p.Method("Image4MouseMove", &TMainForm1::MouseMoved);
    p.Method("Image1DblClick", &TMainForm1::Clicked);
    p.Method("Image2DblClick", &TMainForm1::Clicked);
    p.Method("Image3DblClick", &TMainForm1::Clicked);
    p.Method("Image4DblClick", &TMainForm1::Clicked);
    p.Method("DsnSwitch1Click", &TMainForm1::Clicked);
    p.Method("SpeedButton1Click", &TMainForm1::Clicked);
    p.Method("SpeedButton2Click", &TMainForm1::Clicked);
  }

 public:
  using TForm::TForm;
  void MouseMoved(TObject*, TShiftState, int, int) {}
  void Clicked(TObject*) {}
};

// The properties of the stand-in classes, which only their own libraries know.
const std::set<String> kStandInProperties = {
    "TopColor", "LastColor", "DrawOutLine", "GradStyle", "Font3D", "Style", "Angle", "Effect3D.Style",
    "Effect3D.Orientation", "Effect3D.Depth", "Effect3D.ShadowedColor", "PenWidth", "Rubberband.Color",
    "Rubberband.PenWidth", "Rubberband.MoveWidth", "Rubberband.MoveHeight", "FixPosition", "FixSize", "DsnRegister",
    "DsnMessageFlg", "DsnMessage", "DsnStage", "SnapLines"};

class PageLayoutTest : public StdCtrlsTest {
 protected:
  void SetUp() override {
    StdCtrlsTest::SetUp();
    RegisterClasses({&TGradBox::StaticClassInfo(), &TdxfLabel::StaticClassInfo(), &TDsnStage::StaticClassInfo(),
                     &TDsnSwitch::StaticClassInfo(), &TDsnMlRegister::StaticClassInfo()});
    TMemoryStream source;
    source.LoadFromFile(String(TAVELKO_SOURCE_DIR) + "/app/MainForm1.layout");
    TMemoryStream layout;
    TLayoutCompiler compiler(String(TAVELKO_SOURCE_DIR) + "/app/");
    compiler.Compile(std::string(reinterpret_cast<const char*>(source.Memory()), static_cast<std::size_t>(source.Size())),
                     layout);
    layout.SetPosition(0);
    page = std::make_unique<TMainForm1>(nullptr);
    TComponentReader reader(layout);
    reader.OnError = [this](TReader*, const String& message, bool& handled) {
      errors.push_back(message);
      handled = true;
    };
    reader.ReadRootComponent(page.get());
  }
  void TearDown() override {
    page.reset();
    StdCtrlsTest::TearDown();
  }

  template <class T>
  T* Find(const char* name) {
    auto* component = dynamic_cast<T*>(page->FindComponent(name));
    EXPECT_NE(component, nullptr) << name;
    return component;
  }

  std::unique_ptr<TMainForm1> page;
  std::vector<String> errors;
};

TEST_F(PageLayoutTest, OnlyTheStandInsLeavePropertiesUnread) {
  for (const String& error : errors) {
    const String prefix = "Property ";
    const String suffix = " does not exist";
    const bool unknown = error.rfind(prefix, 0) == 0 && error.size() > prefix.size() + suffix.size() &&
                         error.compare(error.size() - suffix.size(), suffix.size(), suffix) == 0;
    const String name = unknown ? error.substr(prefix.size(), error.size() - prefix.size() - suffix.size()) : error;
    EXPECT_TRUE(unknown && kStandInProperties.count(name)) << error;
  }
}

TEST_F(PageLayoutTest, FramesHoldTheirStoredPicturesAndHandlers) {
  for (const char* name : {"Image1", "Image2", "Image3", "Image4"}) {
    auto* frame = Find<TImage>(name);
    ASSERT_NE(frame, nullptr);
    EXPECT_TRUE(frame->Stretch());
    EXPECT_EQ(frame->BoundsRect().Width(), 200);
    auto* bitmap = dynamic_cast<TBitmap*>(frame->Picture()->Graphic());
    ASSERT_NE(bitmap, nullptr) << name;
    EXPECT_EQ(bitmap->Width(), 200);
    EXPECT_EQ(bitmap->Height(), 150);
    EXPECT_TRUE(frame->OnDblClick.Assigned());
    EXPECT_TRUE(frame->OnMouseMove.Assigned());
  }
  auto* buffer = Find<TImage>("Image0");
  ASSERT_NE(buffer, nullptr);
  EXPECT_FALSE(buffer->Visible());
  EXPECT_EQ(buffer->Picture()->Graphic(), nullptr);
}

TEST_F(PageLayoutTest, BalloonsAndThePageAreShapes) {
  int ellipses = 0;
  for (int i = 0; i <= 25; ++i) {
    auto* shape = Find<TShape>(("Shape" + IntToStr(i)).c_str());
    ASSERT_NE(shape, nullptr);
    if (shape->Shape() == stEllipse) ++ellipses;
  }
  EXPECT_EQ(ellipses, 24);
  auto* page0 = Find<TShape>("Shape0");
  EXPECT_EQ(page0->Pen()->Style(), psClear);
  EXPECT_EQ(page0->Align(), alLeft);
  EXPECT_EQ(page0->Brush()->Color(), clWhite);
  EXPECT_EQ(Find<TShape>("Shape1")->BoundsRect(), Bounds(414, 16, 150, 40));
}

TEST_F(PageLayoutTest, DialogueBoxesHoldTheirLinesAndSettings) {
  for (int i = 0; i <= 7; ++i) {
    auto* memo = Find<TMemo>(("Memo" + IntToStr(i)).c_str());
    ASSERT_NE(memo, nullptr);
    ASSERT_EQ(memo->Lines()->Count(), 1);
    EXPECT_EQ(memo->Lines()->Strings(0), "台詞" + IntToStr(i + 1));
    EXPECT_EQ(memo->Alignment(), taCenter);
    EXPECT_EQ(memo->BorderStyle(), bsNone);
    EXPECT_FALSE(memo->TabStop());
    EXPECT_FALSE(memo->WantReturns());
    EXPECT_EQ(memo->Color(), clWhite);
    EXPECT_EQ(memo->Font()->Height(), -15);
    EXPECT_EQ(memo->Font()->Name(), "HGS創英角ﾎﾟｯﾌﾟ体");
    EXPECT_EQ(memo->TabOrder(), i);
    EXPECT_EQ(memo->Left(), i == 7 ? 432 : 428);
  }
}

TEST_F(PageLayoutTest, ButtonPanelAndDialogAreAsStored) {
  auto* panel = Find<TPanel>("Panel0");
  ASSERT_NE(panel, nullptr);
  EXPECT_EQ(panel->BevelOuter(), bvLowered);
  EXPECT_EQ(panel->TabOrder(), 1);
  auto* stage = Find<TPanel>("DsnStage1");
  ASSERT_NE(stage, nullptr);
  EXPECT_EQ(stage->BevelOuter(), bvNone);
  EXPECT_EQ(stage->Color(), clSilver);
  EXPECT_FALSE(stage->UseDockManager());
  EXPECT_FALSE(stage->ParentBiDiMode());

  auto* save = Find<TSpeedButton>("SpeedButton1");
  ASSERT_NE(save, nullptr);
  EXPECT_TRUE(save->Flat());
  EXPECT_EQ(save->NumGlyphs(), 2);
  EXPECT_EQ(save->Glyph()->Width(), 32);
  EXPECT_EQ(save->Caption(), "漫画の保存");
  EXPECT_EQ(save->Cursor(), crHandPoint);
  EXPECT_TRUE(save->OnClick.Assigned());
  auto* mode = Find<TSpeedButton>("DsnSwitch1");
  ASSERT_NE(mode, nullptr);
  EXPECT_EQ(mode->GroupIndex(), 2302);
  EXPECT_TRUE(mode->AllowAllUp());
  EXPECT_FALSE(mode->Transparent());
  EXPECT_TRUE(mode->ShowHint());

  auto* dialog = Find<TSavePictureDialog>("SavePictureDialog1");
  ASSERT_NE(dialog, nullptr);
  EXPECT_EQ(dialog->DefaultExt(), "jpg");
  EXPECT_EQ(dialog->Filter(), "JPEG ファイル (*.jpg;*.jpeg)|*.jpg;*.jpeg");
  EXPECT_EQ(dialog->Title(), "保存");
}

}  // namespace
