// Shared set-up of the standard control tests.
#include "TestSupport.h"

#include "framework/stdctrls/StdControls.h"
#include "framework/windows/Application.h"

namespace {

// Objects the framework makes once for the whole process (the hint manager and its font) exist
// before the first test counts the live objects.
class TProcessObjects : public ::testing::Environment {
 public:
  void SetUp() override { Application->Hints(); }
};

const auto* const processObjects = ::testing::AddGlobalTestEnvironment(new TProcessObjects);

}  // namespace

void StdCtrlsTest::SetUp() {
  RegisterStdControls();
  dialogScope_.emplace(dialogs);
  liveAtStart_ = TObject::LiveCount();
  form = std::make_unique<TForm>(nullptr);
  form->SetBounds(40, 40, 400, 300);
  form->HandleNeeded();  // the frame is known once the window exists
  form->SetClientWidth(400);
  form->SetClientHeight(300);
  form->SetColor(clAqua);
  form->Show();
  Application->ProcessMessages();
}

void StdCtrlsTest::TearDown() {
  form.reset();
  Application->ProcessMessages();
  for (const TMessageRequest& request : dialogs.Requests) ADD_FAILURE() << "message shown: " << request.Text;
  EXPECT_EQ(TObject::LiveCount(), liveAtStart_) << "framework objects leaked";
  dialogScope_.reset();
}
