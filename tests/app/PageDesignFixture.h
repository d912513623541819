// Page fixtures that act on the page: hovering and dropping photos, and, in layout mode, selecting,
// keys on the stage and the stage's inventory, with a clipboard of the test's own.
#pragma once

#include <windows.h>

#include <memory>
#include <vector>

#include "designer/DsnSubMl.h"
#include "designer/DsnUnit.h"
#include "framework/core/Stream.h"
#include "framework/graphics/Picture.h"
#include "framework/stdctrls/Clipboard.h"
#include "framework/stdctrls/Image.h"
#include "tests/app/PageFixture.h"
#include "tests/support/StreamWriters.h"

class PageActions : public PageTest {
 protected:
  HWND Stage() { return page->DsnStage1->Handle(); }

  // The mouse moves over a frame: a real WM_MOUSEMOVE to the stage at the frame's middle.
  void HoverOver(TImage* frame) { SendMouse(Stage(), WM_MOUSEMOVE, frame->Left() + 100, frame->Top() + 75); }
  void MoveAwayFromFrames() { SendMouse(Stage(), WM_MOUSEMOVE, 500, 590); }

  // Files dropped on the window, as the shell posts them; true when the drop handle was released.
  bool Drop(const std::vector<String>& files) {
    std::vector<WideString> names;
    for (const String& file : files) names.push_back(CP932ToWide(file));
    HDROP drop = MakeDrop(names);
    PostMessageW(page->Handle(), WM_DROPFILES, reinterpret_cast<WPARAM>(drop), 0);
    return PumpUntil([drop] { return GlobalFlags(drop) == GMEM_INVALID_HANDLE; });
  }

  static TGraphic* Shown(TImage* frame) { return frame->Picture()->Graphic(); }
};

class PageDesign : public PageActions {
 protected:
  void SetUp() override {
    PageActions::SetUp();
    clipboardScope_ = std::make_unique<TClipboardServiceScope>(clipboard_);
  }
  void TearDown() override {
    clipboardScope_.reset();
    PageActions::TearDown();
  }
  void Select(TControl* control) { page->DsnRegister1->SelectByInspect(control); }
  // A character or a Delete key on the stage, as the keyboard delivers them in layout mode.
  void Character(char code) { SendMessageW(Stage(), WM_CHAR, static_cast<WPARAM>(code), 0); }
  void DeleteKey() {
    SendMessageW(Stage(), WM_KEYDOWN, VK_DELETE, 0);
    SendMessageW(Stage(), WM_KEYUP, VK_DELETE, 0xC0000001);
  }
  static std::vector<std::uint8_t> StageBytes(TDsnStage* stage) {
    TMemoryStream stream;
    stage->SaveToStream(&stream);
    return StreamBytes(stream);
  }
  // Name, class and bounds of every control on the stage, in order; without the grab handles
  // (which belong to no form) when `designOnly`.
  std::vector<String> Inventory(bool designOnly = false) {
    std::vector<String> lines;
    for (int i = 0; i < page->DsnStage1->ControlCount(); ++i) {
      TControl* c = page->DsnStage1->Controls(i);
      if (designOnly && c->Owner() != page) continue;
      lines.push_back(c->Name() + ":" + c->ClassName() + "@" + IntToStr(c->Left()) + "," + IntToStr(c->Top()) + " " +
                      IntToStr(c->Width()) + "x" + IntToStr(c->Height()));
    }
    return lines;
  }

 private:
  TPrivateClipboard clipboard_;
  std::unique_ptr<TClipboardServiceScope> clipboardScope_;
};

