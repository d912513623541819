// The designer's stored settings: the page layout's stage, switch and controller records read
// into live components, and a stage with every setting written and read back.
#include <gtest/gtest.h>

#include <memory>
#include <sstream>

#include "LayoutModeSupport.h"
#include "designer/DsnPanel.h"
#include "designer/DsnUnit.h"
#include "framework/core/Stream.h"
#include "framework/stdctrls/Menus.h"
#include "framework/stdctrls/Shape.h"
#include "framework/windows/Forms.h"
#include "streaming/ComponentReader.h"
#include "streaming/ComponentWriter.h"
#include "tools/layoutc/LayoutCompiler.h"

namespace {

const String SourceDir = TAVELKO_SOURCE_DIR;


std::string ReadPageLayout() {
  TMemoryStream source;
  source.LoadFromFile(SourceDir + "/app/MainForm1.layout");
  return std::string(reinterpret_cast<const char*>(source.Memory()), static_cast<std::size_t>(source.Size()));
}

// The lines of the record "object <name>: ..." up to its own "end", as the page layout has them.
std::string ExtractRecord(const std::string& layout, const std::string& name) {
  std::istringstream lines(layout);
  std::string line, result, indent;
  bool inside = false;
  while (std::getline(lines, line)) {
    if (!inside) {
      const auto at = line.find("object " + name + ":");
      if (at == std::string::npos) continue;
      inside = true;
      indent = line.substr(0, at);
    }
    result += line + "\n";
    if (line == indent + "end") break;
  }
  return result;
}

// Reads `text` (a layout whose root is a TForm) into a new form; event handlers that TForm does not
// publish are left empty.
std::unique_ptr<TForm> ReadForm(const std::string& text) {
  TMemoryStream stream;
  TLayoutCompiler(SourceDir + "/app/").Compile(text, stream);
  stream.SetPosition(0);
  auto form = std::make_unique<TForm>(nullptr);
  TComponentReader reader(stream);
  reader.OnFindMethod = [](TReader*, const String&, const TMethodCode*& code, bool& error) {
    code = nullptr;
    error = false;
  };
  reader.ReadRootComponent(form.get());
  return form;
}

template <class T>
T* Find(TComponent* owner, const char* name) {
  auto* component = dynamic_cast<T*>(owner->FindComponent(name));
  EXPECT_NE(component, nullptr) << name;
  return component;
}

class DsnStream : public ::testing::Test {
 protected:
  void SetUp() override { layouttest::RegisterClassesOnce(); }
};

TEST_F(DsnStream, ThePageRecordsOfStageSwitchAndControllerRead) {
  const std::string page = ReadPageLayout();
  const std::string text = "object Form1: TForm\n" + ExtractRecord(page, "DsnStage1") +
                           ExtractRecord(page, "DsnSwitch1") + ExtractRecord(page, "DsnRegister1") + "end\n";
  auto form = ReadForm(text);

  auto* stage = Find<TDsnStage>(form.get(), "DsnStage1");
  auto* controller = Find<TDsnRegister>(form.get(), "DsnRegister1");
  auto* modeSwitch = Find<TDsnSwitch>(form.get(), "DsnSwitch1");
  ASSERT_TRUE(stage && controller && modeSwitch);

  // The page's grid is 4 x 4 with a grey pen of width 2; the controller took it from the stage.
  EXPECT_EQ(stage->Rubberband()->MoveWidth(), 4);
  EXPECT_EQ(stage->Rubberband()->MoveHeight(), 4);
  EXPECT_EQ(stage->Rubberband()->Color(), clGray);
  EXPECT_EQ(stage->Rubberband()->PenWidth(), 2);
  EXPECT_EQ(controller->DsnStage(), stage);
  EXPECT_EQ(stage->Controller(), controller);
  EXPECT_EQ(controller->MoveWidth(), 4);
  EXPECT_EQ(controller->MoveHeight(), 4);
  EXPECT_EQ(controller->Color(), clGray);
  EXPECT_EQ(controller->PenWidth(), 2);
  EXPECT_EQ(controller->DsnPanel(), nullptr);
  EXPECT_EQ(controller->DsnInspector(), nullptr);
  EXPECT_EQ(controller->ArrowButton(), nullptr);

  EXPECT_EQ(stage->ControlCount(), 8 + 25 + 4);  // memos, shapes, frames
  EXPECT_EQ(stage->Align(), alClient);
  EXPECT_EQ(stage->SelfProps()->Count(), 0);
  EXPECT_EQ(stage->CoverMenu(), nullptr);
  EXPECT_FALSE(stage->FixPosition());

  EXPECT_EQ(modeSwitch->DsnRegister(), controller);
  EXPECT_FALSE(modeSwitch->DsnMessageFlg());
  EXPECT_EQ(modeSwitch->DsnMessage(), "Now, Starting Design");
  EXPECT_EQ(modeSwitch->GroupIndex(), TDsnSwitch::kGroupIndex);
  EXPECT_TRUE(modeSwitch->AllowAllUp());
  EXPECT_FALSE(modeSwitch->Down());
}

TEST_F(DsnStream, ASwitchStoredWithoutItsGroupIsForcedIntoIt) {
  auto form = ReadForm(
      "object Form1: TForm\n"
      "  object Switch1: TDsnSwich\n"
      "    GroupIndex = 0\n"
      "    AllowAllUp = False\n"
      "    DsnMessageFlg = True\n"
      "    DsnMessage = 'Go'\n"
      "  end\n"
      "end\n");
  auto* modeSwitch = Find<TDsnSwich>(form.get(), "Switch1");
  ASSERT_NE(modeSwitch, nullptr);
  EXPECT_EQ(modeSwitch->GroupIndex(), 2302);
  EXPECT_TRUE(modeSwitch->AllowAllUp());
  EXPECT_TRUE(modeSwitch->DsnMessageFlg());
  EXPECT_EQ(modeSwitch->DsnMessage(), "Go");
}

// A form of its own class so that the stage's events can be bound to its published methods.
class TStageHost : public TForm {
  TAVELKO_CLASS(TStageHost, TForm)
  static void Publish(TPublisher<TStageHost>& p) {
    p.Method("StageSelect", &TStageHost::StageSelect);
    p.Method("StageMenuClick", &TStageHost::StageMenuClick);
    p.Method("StageCreated", &TStageHost::StageCreated);
  }

 public:
  using TForm::TForm;
  void StageSelect(TObject*, TComponent*, TSelectAccept&) {}
  void StageMenuClick(TObject*, TSelectedComponents*, String, String&) {}
  void StageCreated(TObject*, TComponent*) {}
};

TEST_F(DsnStream, EverySettingOfAStageSurvivesWritingAndReading) {
  RegisterClass(TStageHost::StaticClassInfo());
  TStageHost source(nullptr);
  source.SetName("Host");
  auto* stage = new TDsnStage(&source);
  stage->SetName("Stage");
  stage->SetParent(&source);
  auto* menu = new TPopupMenu(&source);
  menu->SetName("Menu");
  stage->SelfProps()->Add("Left|X");
  stage->SelfProps()->Add("Color|Farbe|mit Strich");
  stage->OutProps()->Add("Name");
  stage->Rubberband()->SetColor(clRed);
  stage->Rubberband()->SetPenWidth(3);
  stage->Rubberband()->SetMoveWidth(5);
  stage->Rubberband()->SetMoveHeight(0);
  stage->SetCoverMenu(menu);
  stage->SetFixPosition(true);
  stage->SetFixSize(true);
  stage->OnSelectQuery = TSelectQuery(&source, &TStageHost::StageSelect);
  stage->OnMenuClick = TCallPropEditor(&source, &TStageHost::StageMenuClick);
  stage->OnControlLoaded = TControlCreate(&source, &TStageHost::StageCreated);
  auto* shape = new TShape(&source);
  shape->SetName("Shape1");
  shape->SetParent(stage);
  auto* controller = new TDsnRegister(&source);
  controller->SetName("Controller");
  controller->SetDsnStage(stage);

  TMemoryStream stream;
  {
    TComponentWriter writer(stream);
    writer.WriteRootComponent(&source);
  }
  stream.SetPosition(0);
  TStageHost copy(nullptr);
  TComponentReader(stream).ReadRootComponent(&copy);

  auto* read = Find<TDsnStage>(&copy, "Stage");
  ASSERT_NE(read, nullptr);
  EXPECT_EQ(read->SelfProps()->Text(), "Left|X\r\nColor|Farbe|mit Strich\r\n");
  EXPECT_EQ(read->OutProps()->Text(), "Name\r\n");
  EXPECT_EQ(read->Rubberband()->Color(), clRed);
  EXPECT_EQ(read->Rubberband()->PenWidth(), 3);
  EXPECT_EQ(read->Rubberband()->MoveWidth(), 5);
  EXPECT_EQ(read->Rubberband()->MoveHeight(), 0);
  EXPECT_EQ(read->CoverMenu(), copy.FindComponent("Menu"));
  EXPECT_TRUE(read->FixPosition());
  EXPECT_TRUE(read->FixSize());
  EXPECT_EQ(read->OnSelectQuery.Data(), &copy);
  EXPECT_EQ(read->OnMenuClick.Data(), &copy);
  EXPECT_EQ(read->OnControlLoaded.Data(), &copy);
  EXPECT_FALSE(read->OnControlLoading.Assigned());
  EXPECT_EQ(read->ControlCount(), 1);
  auto* readController = Find<TDsnRegister>(&copy, "Controller");
  ASSERT_NE(readController, nullptr);
  EXPECT_EQ(readController->DsnStage(), read);
  EXPECT_EQ(readController->MoveWidth(), 5);
  EXPECT_EQ(readController->MoveHeight(), 0);
  EXPECT_EQ(readController->Color(), clRed);
}

TEST_F(DsnStream, ReferencesAreClearedWhenTheirComponentsGo) {
  TForm form(nullptr);
  auto* stage = new TDsnStage(&form);
  auto* menu = new TPopupMenu(&form);
  auto* controller = new TDsnRegister(&form);
  auto* modeSwitch = new TDsnSwitch(&form);
  stage->SetCoverMenu(menu);
  controller->SetDsnStage(stage);
  modeSwitch->SetDsnRegister(controller);

  delete menu;
  EXPECT_EQ(stage->CoverMenu(), nullptr);
  delete controller;
  EXPECT_EQ(stage->Controller(), nullptr);
  EXPECT_EQ(modeSwitch->DsnRegister(), nullptr);

  auto* second = new TDsnRegister(&form);
  second->SetDsnStage(stage);
  delete stage;
  EXPECT_EQ(second->DsnStage(), nullptr);
}

}  // namespace
