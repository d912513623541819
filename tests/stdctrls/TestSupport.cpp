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

TSnapshot::TSnapshot(TWinControl& window) : window_(window) {
  const TRect client = window.ClientRect();
  bitmap_.SetSize(client.Width(), client.Height());
  window.PaintTo(bitmap_.Canvas()->Handle(), 0, 0);
}

TColor TSnapshot::At(int x, int y) { return bitmap_.Canvas()->Pixels(x, y); }

TColor TSnapshot::At(TControl& control, int x, int y) {
  const TPoint p = window_.ScreenToClient(control.ClientToScreen({x, y}));
  return At(p.X, p.Y);
}

void MouseMessage(TWinControl& window, UINT message, int x, int y, WPARAM keys) {
  SendMessageW(window.Handle(), message, keys, MAKELPARAM(x, y));
}

void ClickAt(TWinControl& window, int x, int y) {
  MouseMessage(window, WM_LBUTTONDOWN, x, y, MK_LBUTTON);
  MouseMessage(window, WM_LBUTTONUP, x, y);
}

bool PumpUntil(const std::function<bool()>& done, DWORD timeoutMs) {
  const DWORD start = GetTickCount();
  for (;;) {
    Application->ProcessMessages();
    if (done()) return true;
    const DWORD elapsed = GetTickCount() - start;
    if (elapsed >= timeoutMs) return false;
    // Wakes for the next message (or the end of the wait), never sleeps past one.
    MsgWaitForMultipleObjects(0, nullptr, FALSE, timeoutMs - elapsed, QS_ALLINPUT);
  }
}

std::unique_ptr<TBitmap> SolidBitmap(int width, int height, TColor color) {
  auto bitmap = std::make_unique<TBitmap>();
  bitmap->SetSize(width, height);
  bitmap->Canvas()->Brush()->SetColor(color);
  bitmap->Canvas()->FillRect(Rect(0, 0, width, height));
  return bitmap;
}
