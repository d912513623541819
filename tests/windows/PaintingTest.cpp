// Painting: background, windowless children in stacking order, windowed children above them,
// invalidation, canvases outside painting, and double buffering. Pixels are read back.
#include <gtest/gtest.h>

#include "WindowsTestSupport.h"

using namespace windows_test;

namespace {

class Painting : public TFormFixture {
 protected:
  TPatch* AddPatch(TWinControl* parent, const TRect& bounds, TColor color) {
    auto* patch = new TPatch(form);
    patch->SetParent(parent);
    patch->SetBoundsRect(bounds);
    patch->SetColor(color);
    return patch;
  }
};

}  // namespace

TEST_F(Painting, WindowlessChildrenArePaintedBottomToTopOnTheBackground) {
  TPatch* red = AddPatch(form, Rect(10, 10, 50, 50), clRed);
  TPatch* blue = AddPatch(form, Rect(30, 30, 70, 70), clBlue);
  {
    TSnapshot image(*form);
    EXPECT_EQ(image.At(5, 5), RGB(255, 255, 255)) << "the form's Color";
    EXPECT_EQ(image.At(15, 15), RGB(255, 0, 0));
    EXPECT_EQ(image.At(40, 40), RGB(0, 0, 255)) << "the later child lies on top";
    EXPECT_EQ(image.At(60, 60), RGB(0, 0, 255));
  }
  red->BringToFront();
  {
    TSnapshot image(*form);
    EXPECT_EQ(image.At(40, 40), RGB(255, 0, 0));
  }
  red->SetVisible(false);
  {
    TSnapshot image(*form);
    EXPECT_EQ(image.At(15, 15), RGB(255, 255, 255));
    EXPECT_EQ(image.At(40, 40), RGB(0, 0, 255));
  }
  EXPECT_GT(blue->Paints, 0);
}

TEST_F(Painting, WindowedChildrenLieAboveWindowlessOnes) {
  auto* box = new TBox(form);
  box->SetParent(form);
  box->SetBounds(20, 20, 40, 40);
  box->SetColor(clLime);
  AddPatch(form, Rect(0, 0, 100, 100), clRed);  // inserted later, still beneath the window
  TSnapshot image(*form);
  EXPECT_EQ(image.At(30, 30), RGB(0, 255, 0));
  EXPECT_EQ(image.At(10, 10), RGB(255, 0, 0));
}

TEST_F(Painting, ChildrenOfAWindowedChildPaintInItsCoordinates) {
  auto* box = new TBox(form);
  box->SetParent(form);
  box->SetBounds(50, 40, 60, 60);
  box->SetColor(clWhite);
  AddPatch(box, Rect(10, 10, 20, 20), clBlue);
  TSnapshot image(*form);
  EXPECT_EQ(image.At(65, 55), RGB(0, 0, 255));
  EXPECT_EQ(image.At(58, 48), RGB(255, 255, 255));
}

TEST_F(Painting, TheScreenShowsWhatWasInvalidated) {
  TPatch* patch = AddPatch(form, Rect(10, 10, 40, 40), clRed);
  EXPECT_EQ(FormPixel(20, 20), RGB(255, 0, 0));
  patch->SetColor(clBlue);
  EXPECT_EQ(FormPixel(20, 20), RGB(0, 0, 255)) << "a colour change repaints";
  patch->SetLeft(100);
  EXPECT_EQ(FormPixel(20, 20), RGB(255, 255, 255)) << "the old place is erased";
  EXPECT_EQ(FormPixel(110, 20), RGB(0, 0, 255));
}

TEST_F(Painting, CanvasOutsidePaintingIsMovedAndClippedToTheWindowlessControl) {
  TPatch* patch = AddPatch(form, Rect(30, 30, 60, 60), clWhite);
  form->Update();
  patch->Canvas()->Brush()->SetColor(clGreen);
  patch->Canvas()->FillRect(Rect(0, 0, 500, 500));
  TControlCanvas::FreeDeviceContexts();
  EXPECT_EQ(PixelAt(form->Handle(), 31, 31), RGB(0, 128, 0)) << "(0, 0) is the control's corner";
  EXPECT_EQ(PixelAt(form->Handle(), 65, 45), RGB(255, 255, 255)) << "nothing outside the control";
  EXPECT_EQ(PixelAt(form->Handle(), 25, 25), RGB(255, 255, 255));
}

TEST_F(Painting, DoubleBufferedPaintingGivesTheSamePicture) {
  form->SetDoubleBuffered(true);
  AddPatch(form, Rect(10, 10, 50, 50), clRed);
  AddPatch(form, Rect(30, 30, 70, 70), clBlue);
  form->Invalidate();
  EXPECT_EQ(FormPixel(5, 5), RGB(255, 255, 255));
  EXPECT_EQ(FormPixel(15, 15), RGB(255, 0, 0));
  EXPECT_EQ(FormPixel(40, 40), RGB(0, 0, 255));
}

TEST_F(Painting, FormPaintEventDrawsOnTheFormsCanvasBeneathTheChildren) {
  struct TPainter : TObject {
    TForm* form;
    void Paint(TObject*) {
      form->Canvas()->Brush()->SetColor(clYellow);
      form->Canvas()->FillRect(Rect(0, 0, 100, 100));
    }
  } painter;
  painter.form = form;
  form->OnPaint = TNotifyEvent(&painter, &TPainter::Paint);
  AddPatch(form, Rect(50, 50, 60, 60), clBlue);
  TSnapshot image(*form);
  EXPECT_EQ(image.At(10, 10), RGB(255, 255, 0));
  EXPECT_EQ(image.At(55, 55), RGB(0, 0, 255));
  EXPECT_EQ(image.At(150, 10), RGB(255, 255, 255));
}
