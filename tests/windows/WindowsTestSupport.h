// Shared pieces of the windows layer's tests: message pumping with a bounded wait, pixel reading,
// and small concrete controls that paint a solid colour and record what reaches them.
#pragma once

#include <gtest/gtest.h>
#include <windows.h>

#include <functional>
#include <memory>
#include <vector>

#include "framework/windows/Application.h"
#include "framework/windows/CustomControl.h"
#include "framework/windows/Forms.h"

namespace windows_test {

// Handles messages until `condition` holds or about five seconds have passed; the result of the
// condition. The wait only bounds a failure, it decides nothing.
inline bool PumpUntil(const std::function<bool()>& condition, DWORD limitMs = 5000) {
  const ULONGLONG deadline = GetTickCount64() + limitMs;
  while (!condition()) {
    Application->ProcessMessages();
    if (condition()) return true;
    const ULONGLONG now = GetTickCount64();
    if (now >= deadline) return false;
    MsgWaitForMultipleObjects(0, nullptr, FALSE, static_cast<DWORD>(std::min<ULONGLONG>(deadline - now, 50)),
                              QS_ALLINPUT);
  }
  return true;
}

// Moves the real pointer and waits until the system reports it there. Pointer events of earlier
// moves may still be on their way and carry the pointer back when they are handled; so the mouse
// messages are handled and the move repeated until the pointer stays.
inline bool MoveCursorTo(const TPoint& screen) {
  const auto there = [&] {
    POINT now;
    return GetCursorPos(&now) && now.x == screen.X && now.y == screen.Y;
  };
  for (int attempt = 0; attempt < 20; ++attempt) {
    SetCursorPos(screen.X, screen.Y);
    if (!PumpUntil(there, 1000)) continue;
    MSG msg;
    while (PeekMessageW(&msg, nullptr, WM_MOUSEFIRST, WM_MOUSELAST, PM_NOREMOVE) ||
           PeekMessageW(&msg, nullptr, WM_MOUSELEAVE, WM_MOUSELEAVE, PM_NOREMOVE))
      Application->ProcessMessages();
    if (there()) return true;
  }
  return false;
}

// Handles what is waiting now.
inline void Pump() { Application->ProcessMessages(); }

// The colour of a client pixel of `window` as shown on its surface.
inline COLORREF PixelAt(HWND window, int x, int y) {
  HDC dc = GetDC(window);
  const COLORREF color = GetPixel(dc, x, y);
  ReleaseDC(window, dc);
  return color;
}

inline COLORREF Rgb(TColor color) { return ColorToColorRef(color); }

// A control painted into a memory bitmap with PaintTo, to read its pixels whatever covers the
// screen.
class TPaintedImage {
 public:
  explicit TPaintedImage(TWinControl& control)
      : dc_(CreateCompatibleDC(nullptr)), width_(control.Width()), height_(control.Height()) {
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof(info.bmiHeader);
    info.bmiHeader.biWidth = width_;
    info.bmiHeader.biHeight = -height_;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    void* bits = nullptr;
    bitmap_ = CreateDIBSection(dc_, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    old_ = SelectObject(dc_, bitmap_);
    control.PaintTo(dc_, 0, 0);
  }
  ~TPaintedImage() {
    SelectObject(dc_, old_);
    DeleteObject(bitmap_);
    DeleteDC(dc_);
  }
  TPaintedImage(const TPaintedImage&) = delete;
  TPaintedImage& operator=(const TPaintedImage&) = delete;

  COLORREF Pixel(int x, int y) const { return GetPixel(dc_, x, y); }

 private:
  HDC dc_;
  int width_;
  int height_;
  HBITMAP bitmap_ = nullptr;
  HGDIOBJ old_ = nullptr;
};

// What a control saw, in order.
struct TEventLog {
  std::vector<String> Entries;
  void Add(const String& entry) { Entries.push_back(entry); }
  bool Contains(const String& entry) const {
    for (const String& e : Entries)
      if (e == entry) return true;
    return false;
  }
};

// A windowless control that fills itself with Color and logs its mouse events and CM messages.
class TPatch : public TGraphicControl {
  TAVELKO_CLASS(TPatch, TGraphicControl)
  static void Publish(TPublisher<TPatch>& p) {
    p.Prop("Align", &TPatch::Align, &TPatch::SetAlign).Default(alNone);
    p.Prop("Color", &TPatch::Color, &TPatch::SetColor).Type(ColorTypeInfo()).Stored(&TPatch::IsColorStored);
    p.Prop("ParentColor", &TPatch::ParentColor, &TPatch::SetParentColor).Default(true);
    p.Prop("Visible", &TPatch::Visible, &TPatch::SetVisible).Default(true);
    p.Prop("OnClick", &TPatch::OnClick);
    p.Prop("OnDblClick", &TPatch::OnDblClick);
    p.Prop("OnMouseDown", &TPatch::OnMouseDown);
    p.Prop("OnMouseMove", &TPatch::OnMouseMove);
  }

 public:
  explicit TPatch(TComponent* owner) : TGraphicControl(owner) { SetBounds(0, 0, 10, 10); }

  TEventLog* Log = nullptr;
  int Paints = 0;

 protected:
  void Paint() override {
    ++Paints;
    Canvas()->Brush()->SetColor(Color());
    Canvas()->FillRect(Rect(0, 0, Width(), Height()));
  }
  void MouseDown(TMouseButton button, TShiftState shift, int x, int y) override {
    if (Log) Log->Add(Format("%s down %d,%d", Name(), x, y));
    TGraphicControl::MouseDown(button, shift, x, y);
  }
  void MouseMove(TShiftState shift, int x, int y) override {
    if (Log) Log->Add(Format("%s move %d,%d", Name(), x, y));
    TGraphicControl::MouseMove(shift, x, y);
  }
  void MouseUp(TMouseButton button, TShiftState shift, int x, int y) override {
    if (Log) Log->Add(Format("%s up %d,%d", Name(), x, y));
    TGraphicControl::MouseUp(button, shift, x, y);
  }
  void CMMouseEnter(TMessage& message) override {
    if (Log) Log->Add(Name() + " enter");
    TGraphicControl::CMMouseEnter(message);
  }
  void CMMouseLeave(TMessage& message) override {
    if (Log) Log->Add(Name() + " leave");
    TGraphicControl::CMMouseLeave(message);
  }
};

// A windowed control of its own class that fills itself with Color.
class TBox : public TCustomControl {
  TAVELKO_CLASS(TBox, TCustomControl)
  static void Publish(TPublisher<TBox>& p) {
    p.Prop("Align", &TBox::Align, &TBox::SetAlign).Default(alNone);
    p.Prop("Caption", &TBox::Caption, &TBox::SetCaption);
    p.Prop("Color", &TBox::Color, &TBox::SetColor).Type(ColorTypeInfo()).Stored(&TBox::IsColorStored);
    p.Prop("TabOrder", &TBox::TabOrder, &TBox::SetTabOrder).Default(-1);
    p.Prop("TabStop", &TBox::TabStop, &TBox::SetTabStop).Default(false);
    p.Prop("OnClick", &TBox::OnClick);
  }

 public:
  explicit TBox(TComponent* owner) : TCustomControl(owner) {
    SetControlStyle(ControlStyle() + csAcceptsControls);
    SetBounds(0, 0, 50, 50);
  }

  TEventLog* Log = nullptr;

 protected:
  void Paint() override {
    Canvas()->Brush()->SetColor(Color());
    Canvas()->FillRect(Rect(0, 0, Width(), Height()));
  }
  void MouseDown(TMouseButton button, TShiftState shift, int x, int y) override {
    if (Log) Log->Add(Format("%s down %d,%d", Name(), x, y));
    TCustomControl::MouseDown(button, shift, x, y);
  }
  void KeyPress(char& key) override {
    if (Log) Log->Add(Format("%s key %d", Name(), static_cast<unsigned char>(key)));
    TCustomControl::KeyPress(key);
  }
};

// A system EDIT window under the framework: the text lives in the window.
class TTestEdit : public TWinControl {
  TAVELKO_CLASS(TTestEdit, TWinControl)

 public:
  explicit TTestEdit(TComponent* owner) : TWinControl(owner) {
    SetBounds(0, 0, 100, 24);
    SetTabStop(true);
  }

  // Characters KeyPress turns into nothing.
  char Swallow = 0;

 protected:
  void CreateParams(TCreateParams& params) override {
    TWinControl::CreateParams(params);
    CreateSubClass(params, L"EDIT");
    params.Style |= ES_AUTOHSCROLL;
  }
  void KeyPress(char& key) override {
    if (key == Swallow) key = 0;
    TWinControl::KeyPress(key);
  }
};

// A shown, plain form at a fixed place with a white client area, destroyed with the fixture.
class TFormFixture : public ::testing::Test {
 protected:
  void SetUp() override {
    form = new TForm(nullptr);
    form->SetBorderStyle(bsNone);
    form->SetFormStyle(fsStayOnTop);  // other test programs share the screen
    form->SetBounds(40, 40, 200, 150);
    form->SetColor(clWhite);
    form->Show();
    PumpUntil([this] { return form->Showing(); });
  }
  void TearDown() override { delete form; }

  // Paints what is invalid and returns the pixel of the form's client area.
  COLORREF FormPixel(int x, int y) {
    form->Update();
    return PixelAt(form->Handle(), x, y);
  }

  TForm* form = nullptr;
};

}  // namespace windows_test
