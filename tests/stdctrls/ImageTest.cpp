// Images: stretched, centred and proportional placement, the canvas that makes a bitmap of an
// empty picture, an emptied picture showing what lies beneath, mouse events, stored pictures.
#include "TestSupport.h"

#include "framework/graphics/JpegImage.h"
#include "framework/stdctrls/Image.h"

namespace {

using ImageTest = StdCtrlsTest;

// Four pixels: red, green / blue, white.
std::unique_ptr<TBitmap> Quadrants() {
  auto bitmap = MakeBitmap(2, 2, clWhite);
  TCanvas* canvas = bitmap->Canvas();
  canvas->SetPixels(0, 0, clRed);
  canvas->SetPixels(1, 0, clLime);
  canvas->SetPixels(0, 1, clBlue);
  return bitmap;
}

TImage* AddImage(TForm& form, int width, int height) {
  auto* image = new TImage(&form);
  image->SetParent(&form);
  image->SetBounds(100, 0, width, height);
  return image;
}

TEST_F(ImageTest, StretchFillsTheControlWithThePicture) {
  TImage* image = AddImage(*form, 200, 150);
  image->Picture()->SetGraphic(Quadrants().get());
  image->SetStretch(true);
  TSnapshot shot(*form);
  EXPECT_EQ(shot.At(*image, 0, 0), Rgb(clRed));
  EXPECT_EQ(shot.At(*image, 199, 0), Rgb(clLime));
  EXPECT_EQ(shot.At(*image, 0, 149), Rgb(clBlue));
  EXPECT_EQ(shot.At(*image, 199, 149), Rgb(clWhite));
  EXPECT_TRUE(image->ControlStyle().Contains(csOpaque));
}

TEST_F(ImageTest, UnstretchedPictureKeepsItsSizeAndLetsTheParentShow) {
  TImage* image = AddImage(*form, 20, 20);
  image->Picture()->SetGraphic(Quadrants().get());
  TSnapshot shot(*form);
  EXPECT_EQ(shot.At(*image, 0, 0), Rgb(clRed));
  EXPECT_EQ(shot.At(*image, 2, 2), Rgb(clAqua));
  EXPECT_FALSE(image->ControlStyle().Contains(csOpaque));

  image->SetCenter(true);
  EXPECT_EQ(image->DestRect(), Bounds(9, 9, 2, 2));
  TSnapshot centred(*form);
  EXPECT_EQ(centred.At(*image, 9, 9), Rgb(clRed));
  EXPECT_EQ(centred.At(*image, 0, 0), Rgb(clAqua));
}

TEST_F(ImageTest, ProportionalScalingKeepsTheAspectAndSurvivesAnEmptyControl) {
  TImage* image = AddImage(*form, 100, 40);
  image->Picture()->SetGraphic(MakeBitmap(200, 100, clRed).get());
  image->SetProportional(true);
  EXPECT_EQ(image->DestRect(), Bounds(0, 0, 80, 40));
  image->SetCenter(true);
  EXPECT_EQ(image->DestRect(), Bounds(10, 0, 80, 40));
  // A picture smaller than the control stays as it is unless stretched.
  image->Picture()->SetGraphic(MakeBitmap(10, 5, clRed).get());
  EXPECT_EQ(image->DestRect(), Bounds(45, 17, 10, 5));
  image->SetStretch(true);
  EXPECT_EQ(image->DestRect(), Bounds(10, 0, 80, 40));
  // Zero sizes divide nothing.
  image->SetBounds(100, 0, 0, 0);
  EXPECT_EQ(image->DestRect(), Bounds(0, 0, 0, 0));
  EXPECT_NO_THROW(TSnapshot{*form});
}

TEST_F(ImageTest, CanvasOfAnEmptyPictureIsABitmapOfTheControlSize) {
  TImage* image = AddImage(*form, 400, 600);
  image->SetVisible(false);
  TCanvas* canvas = image->Canvas();
  auto* bitmap = dynamic_cast<TBitmap*>(image->Picture()->Graphic());
  ASSERT_NE(bitmap, nullptr);
  EXPECT_EQ(bitmap->Width(), 400);
  EXPECT_EQ(bitmap->Height(), 600);
  canvas->Brush()->SetColor(clBlue);
  canvas->FillRect(Rect(0, 0, 10, 10));
  EXPECT_EQ(bitmap->Canvas()->Pixels(5, 5), Rgb(clBlue));
  EXPECT_EQ(image->Canvas(), canvas);  // the same bitmap from then on
}

TEST_F(ImageTest, CanvasOfAJpegPictureIsRefused) {
  TImage* image = AddImage(*form, 20, 20);
  TJPEGImage jpeg;
  jpeg.Assign(MakeBitmap(8, 8, clRed).get());
  image->Picture()->SetGraphic(&jpeg);
  EXPECT_THROW(image->Canvas(), EInvalidOperation);
  EXPECT_NE(dynamic_cast<TJPEGImage*>(image->Picture()->Graphic()), nullptr);
}

TEST_F(ImageTest, EmptiedPictureShowsWhatLiesBeneath) {
  TImage* image = AddImage(*form, 40, 30);
  image->SetStretch(true);
  image->Picture()->SetGraphic(MakeBitmap(4, 4, clRed).get());
  EXPECT_EQ(TSnapshot(*form).At(*image, 20, 15), Rgb(clRed));
  image->Picture()->Assign(nullptr);
  EXPECT_FALSE(image->ControlStyle().Contains(csOpaque));
  EXPECT_EQ(TSnapshot(*form).At(*image, 20, 15), Rgb(clAqua));
}

TEST_F(ImageTest, ParentRoutesMouseMovesAndDoubleClicksToTheFrame) {
  TImage* image = AddImage(*form, 200, 150);
  image->SetTop(150);
  struct TRecorder : TObject {
    int moves = 0, doubleClicks = 0;
    TPoint last;
    void Move(TObject*, TShiftState, int x, int y) {
      ++moves;
      last = {x, y};
    }
    void DoubleClick(TObject*) { ++doubleClicks; }
  } recorder;
  image->OnMouseMove = TMouseMoveEvent(&recorder, &TRecorder::Move);
  image->OnDblClick = TNotifyEvent(&recorder, &TRecorder::DoubleClick);
  SendMouse(form->Handle(), WM_MOUSEMOVE, 130, 170);
  EXPECT_EQ(recorder.moves, 1);
  EXPECT_EQ(recorder.last, (TPoint{30, 20}));
  SendMouse(form->Handle(), WM_MOUSEMOVE, 50, 170);  // beside the frame
  EXPECT_EQ(recorder.moves, 1);
  SendMouse(form->Handle(), WM_LBUTTONDOWN, 130, 170, MK_LBUTTON);
  SendMouse(form->Handle(), WM_LBUTTONUP, 130, 170);
  SendMouse(form->Handle(), WM_LBUTTONDBLCLK, 130, 170, MK_LBUTTON);
  SendMouse(form->Handle(), WM_LBUTTONUP, 130, 170);
  EXPECT_EQ(recorder.doubleClicks, 1);
}

TEST_F(ImageTest, StoredPictureComesBackWithItsPixels) {
  TImage* image = AddImage(*form, 200, 150);
  image->Picture()->SetGraphic(Quadrants().get());
  image->SetStretch(true);
  auto copy = RoundTrip(*image);
  ASSERT_NE(copy, nullptr);
  EXPECT_TRUE(copy->Stretch());
  auto* bitmap = dynamic_cast<TBitmap*>(copy->Picture()->Graphic());
  ASSERT_NE(bitmap, nullptr);
  EXPECT_EQ(bitmap->Width(), 2);
  EXPECT_EQ(bitmap->Canvas()->Pixels(1, 0), Rgb(clLime));
}

}  // namespace
