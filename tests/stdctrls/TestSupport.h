// Shared set-up of the standard control tests: a shown host form, pixels read back from what the
// controls paint, mouse clicks as real messages, bounded message pumping, stream round trips.
#pragma once

#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <optional>

#include "framework/core/Stream.h"
#include "framework/graphics/Bitmap.h"
#include "framework/windows/Forms.h"
#include "framework/windows/ServiceDoubles.h"
#include "streaming/ComponentReader.h"
#include "streaming/ComponentWriter.h"

// Every test gets a shown form (client area aqua, 400 x 300) and fails when an exception reached
// the application's display, or when framework objects leaked.
class StdCtrlsTest : public ::testing::Test {
 protected:
  void SetUp() override;
  void TearDown() override;

  std::unique_ptr<TForm> form;
  TScriptedDialogs dialogs;

 private:
  std::optional<TDialogServiceScope> dialogScope_;
  long liveAtStart_ = 0;
};

// The client area of a window as it paints itself and its children, read back pixel by pixel.
class TSnapshot {
 public:
  explicit TSnapshot(TWinControl& window);
  // RGB colour of a pixel in the window's client coordinates ...
  TColor At(int x, int y);
  // ... or in the client coordinates of a control inside it.
  TColor At(TControl& control, int x, int y);

 private:
  TWinControl& window_;
  TBitmap bitmap_;
};

// The RGB value of a colour (system colours as they are now).
inline TColor Rgb(TColor color) { return ColorToRGB(color); }

// Left button down and up at a point of the window's client area, as the window gets them.
void ClickAt(TWinControl& window, int x, int y);
void MouseMessage(TWinControl& window, UINT message, int x, int y, WPARAM keys = 0);

// Handles messages until `done` answers true; false when `timeoutMs` passed first.
bool PumpUntil(const std::function<bool()>& done, DWORD timeoutMs = 5000);

// Writes `component` as a root and reads it back as a new component (its children too).
template <class T>
std::unique_ptr<T> RoundTrip(T& component) {
  TMemoryStream stream;
  {
    TComponentWriter writer(stream);
    writer.WriteRootComponent(&component);
  }
  stream.SetPosition(0);
  TComponentReader reader(stream);
  std::unique_ptr<TComponent> copy(reader.ReadComponent(nullptr, nullptr));
  auto* typed = dynamic_cast<T*>(copy.get());
  if (!typed) return nullptr;
  copy.release();
  return std::unique_ptr<T>(typed);
}

// A bitmap of `width` x `height` pixels of one colour.
std::unique_ptr<TBitmap> SolidBitmap(int width, int height, TColor color);
