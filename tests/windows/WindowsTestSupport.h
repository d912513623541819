// Shared pieces of the windows layer's tests: the shared test support, and small concrete
// controls that paint a solid colour and record what reaches them.
#pragma once

#include <gtest/gtest.h>
#include <windows.h>

#include <vector>

#include "framework/windows/Application.h"
#include "framework/windows/CustomControl.h"
#include "framework/windows/Forms.h"
#include "tests/support/FormFixture.h"
#include "tests/support/InputDrivers.h"
#include "tests/support/MessagePump.h"
#include "tests/support/Pixels.h"
#include "tests/support/WindowState.h"

namespace windows_test {

using namespace test_support;

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

}  // namespace windows_test
