// TControlCanvas: taking and giving back device contexts of controls.
#include "framework/windows/ControlCanvas.h"

#include <algorithm>
#include <vector>

#include "framework/windows/Control.h"

namespace {

// Canvases holding a DC taken outside painting.
std::vector<TControlCanvas*>& CanvasesWithDC() {
  static std::vector<TControlCanvas*> list;
  return list;
}

}  // namespace

TControlCanvas::TControlCanvas(TControl* control) : control_(control) {}

TControlCanvas::~TControlCanvas() { FreeHandle(); }

void TControlCanvas::CreateHandle() {
  HWND window = nullptr;
  HDC dc = control_->GetDeviceContext(window);
  if (!dc) return;
  window_ = window;
  ownDC_ = dc;
  CanvasesWithDC().push_back(this);
  SetHandle(dc);
}

void TControlCanvas::FreeHandle() {
  if (!ownDC_) return;
  SetHandle(nullptr);
  ReleaseDC(window_, ownDC_);
  ownDC_ = nullptr;
  window_ = nullptr;
  auto& list = CanvasesWithDC();
  list.erase(std::remove(list.begin(), list.end(), this), list.end());
}

void TControlCanvas::FreeDeviceContexts() {
  auto& list = CanvasesWithDC();
  while (!list.empty()) list.back()->FreeHandle();
}

TControlCanvas::TPaintScope::TPaintScope(TControlCanvas& canvas, HDC dc) : canvas_(canvas) {
  canvas_.FreeHandle();
  canvas_.SetHandle(dc);
}

TControlCanvas::TPaintScope::~TPaintScope() { canvas_.SetHandle(nullptr); }
