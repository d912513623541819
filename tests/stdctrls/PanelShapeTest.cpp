// Panels and shapes: bevels and the client area they leave, figures painted with pen and brush,
// repainting when the pen changes, and their stored properties.
#include "TestSupport.h"

#include "framework/stdctrls/Panel.h"
#include "framework/stdctrls/Shape.h"

namespace {

using PanelTest = StdCtrlsTest;
using ShapeTest = StdCtrlsTest;

TPanel* AddPanel(TForm& form, TBevelCut outer, TBevelCut inner = bvNone) {
  auto* panel = new TPanel(&form);
  panel->SetParent(&form);
  panel->SetBounds(10, 10, 100, 50);
  panel->SetColor(clSilver);
  panel->SetBevelOuter(outer);
  panel->SetBevelInner(inner);
  return panel;
}

TEST_F(PanelTest, LoweredAndRaisedBevelsSwapTheirShadowAndHighlight) {
  TPanel* lowered = AddPanel(*form, bvLowered);
  TPanel* raised = AddPanel(*form, bvRaised);
  raised->SetTop(80);
  TSnapshot shot(*form);
  EXPECT_EQ(shot.At(*lowered, 0, 0), Rgb(clBtnShadow));
  EXPECT_EQ(shot.At(*lowered, 50, 0), Rgb(clBtnShadow));
  EXPECT_EQ(shot.At(*lowered, 99, 49), Rgb(clBtnHighlight));
  EXPECT_EQ(shot.At(*lowered, 0, 49), Rgb(clBtnHighlight));  // the bottom edge runs to the left corner
  EXPECT_EQ(shot.At(*lowered, 1, 1), Rgb(clSilver));
  EXPECT_EQ(shot.At(*raised, 0, 0), Rgb(clBtnHighlight));
  EXPECT_EQ(shot.At(*raised, 99, 20), Rgb(clBtnShadow));
}

TEST_F(PanelTest, BevelsAndBorderNarrowTheAreaOfAlignedChildren) {
  TPanel* panel = AddPanel(*form, bvLowered);
  auto* child = new TPanel(form.get());
  child->SetParent(panel);
  child->SetAlign(alClient);
  // The page window's button panel: one lowered bevel, the gradient inside at 1, 1, 158 x 72.
  panel->SetBounds(432 - 400, 20, 160, 74);
  EXPECT_EQ(child->BoundsRect(), Bounds(1, 1, 158, 72));

  panel->SetBevelInner(bvRaised);
  panel->SetBevelWidth(2);
  panel->SetBorderWidth(3);
  EXPECT_EQ(child->BoundsRect(), Bounds(7, 7, 146, 60));
  TSnapshot shot(*form);
  EXPECT_EQ(shot.At(*panel, 1, 1), Rgb(clBtnShadow));     // outer bevel, two pixels deep
  EXPECT_EQ(shot.At(*panel, 3, 3), Rgb(clSilver));        // the border in the panel's colour
  EXPECT_EQ(shot.At(*panel, 5, 5), Rgb(clBtnHighlight));  // inner raised bevel
}

TEST_F(PanelTest, NoBevelLeavesTheWholeRectangleInThePanelColour) {
  TPanel* panel = AddPanel(*form, bvNone);
  TSnapshot shot(*form);
  EXPECT_EQ(shot.At(*panel, 0, 0), Rgb(clSilver));
  EXPECT_EQ(shot.At(*panel, 99, 49), Rgb(clSilver));
}

TEST_F(PanelTest, StageSettingsSurviveTheStream) {
  TPanel* panel = AddPanel(*form, bvNone);
  panel->SetBiDiMode(bdLeftToRight);
  panel->SetUseDockManager(false);
  panel->SetParentShowHint(false);
  panel->SetAlign(alClient);
  auto copy = RoundTrip(*panel);
  ASSERT_NE(copy, nullptr);
  EXPECT_EQ(copy->BevelOuter(), bvNone);
  EXPECT_FALSE(copy->UseDockManager());
  EXPECT_FALSE(copy->ParentBiDiMode());
  EXPECT_FALSE(copy->ParentShowHint());
  EXPECT_EQ(copy->Color(), clSilver);
  EXPECT_EQ(copy->Align(), alClient);
  EXPECT_TRUE(copy->ControlStyle().Contains(csAcceptsControls));
}

TShape* AddShape(TForm& form, TShapeType type, int width, int height) {
  auto* shape = new TShape(&form);
  shape->SetParent(&form);
  shape->SetBounds(20, 20, width, height);
  shape->SetShape(type);
  shape->Brush()->SetColor(clRed);
  return shape;
}

TEST_F(ShapeTest, EllipseFillsItsMiddleAndLeavesTheCornersToTheParent) {
  TShape* shape = AddShape(*form, stEllipse, 150, 40);
  TSnapshot shot(*form);
  EXPECT_EQ(shot.At(*shape, 75, 20), Rgb(clRed));
  EXPECT_EQ(shot.At(*shape, 0, 20), Rgb(clBlack));  // the pen at the left end
  EXPECT_EQ(shot.At(*shape, 75, 0), Rgb(clBlack));  // and at the top
  EXPECT_EQ(shot.At(*shape, 1, 1), Rgb(clAqua));
  EXPECT_EQ(shot.At(*shape, 148, 38), Rgb(clAqua));
}

TEST_F(ShapeTest, CircleIsCentredInAWideControl) {
  TShape* shape = AddShape(*form, stCircle, 60, 40);
  EXPECT_EQ(shape->FigureRect(), Bounds(10, 0, 40, 40));
  TSnapshot shot(*form);
  EXPECT_EQ(shot.At(*shape, 5, 20), Rgb(clAqua));
  EXPECT_EQ(shot.At(*shape, 30, 20), Rgb(clRed));
}

TEST_F(ShapeTest, WithoutAPenTheFillReachesEveryEdge) {
  // The white page of the page window: its last column is inside the saved picture.
  TShape* shape = AddShape(*form, stRectangle, 40, 30);
  shape->Pen()->SetStyle(psClear);
  TSnapshot shot(*form);
  EXPECT_EQ(shot.At(*shape, 0, 0), Rgb(clRed));
  EXPECT_EQ(shot.At(*shape, 39, 29), Rgb(clRed));
  EXPECT_EQ(shot.At(*shape, 40, 29), Rgb(clAqua));
}

TEST_F(ShapeTest, WidePenStaysInsideTheControl) {
  TShape* shape = AddShape(*form, stRectangle, 40, 30);
  shape->Pen()->SetWidth(4);
  shape->Pen()->SetColor(clBlue);
  TSnapshot shot(*form);
  // Four pixels of pen along each edge, the outermost ones inside the control.
  EXPECT_EQ(shot.At(*shape, 20, 0), Rgb(clBlue));
  EXPECT_EQ(shot.At(*shape, 0, 15), Rgb(clBlue));
  EXPECT_EQ(shot.At(*shape, 39, 15), Rgb(clBlue));
  EXPECT_EQ(shot.At(*shape, 20, 29), Rgb(clBlue));
  EXPECT_EQ(shot.At(*shape, 20, 4), Rgb(clRed));
}

TEST_F(ShapeTest, ChangingThePenOrBrushRepaintsTheShape) {
  TShape* shape = AddShape(*form, stRectangle, 40, 30);
  const auto invalid = [&] {
    RECT rect;
    return GetUpdateRect(form->Handle(), &rect, FALSE) != FALSE;
  };
  ValidateRect(form->Handle(), nullptr);
  shape->Pen()->SetStyle(psDot);
  EXPECT_TRUE(invalid());
  ValidateRect(form->Handle(), nullptr);
  shape->Brush()->SetColor(clYellow);
  EXPECT_TRUE(invalid());
  ValidateRect(form->Handle(), nullptr);
  shape->Brush()->SetColor(clYellow);  // the same value: nothing to repaint
  EXPECT_FALSE(invalid());
}

TEST_F(ShapeTest, PenAndBrushAreStoredAsDottedProperties) {
  TShape* shape = AddShape(*form, stEllipse, 150, 40);
  shape->Pen()->SetStyle(psClear);
  shape->SetAlign(alLeft);
  auto copy = RoundTrip(*shape);
  ASSERT_NE(copy, nullptr);
  EXPECT_EQ(copy->Shape(), stEllipse);
  EXPECT_EQ(copy->Pen()->Style(), psClear);
  EXPECT_EQ(copy->Pen()->Color(), clBlack);
  EXPECT_EQ(copy->Brush()->Color(), clRed);
  EXPECT_EQ(copy->Align(), alLeft);
  EXPECT_EQ(copy->Width(), 150);
}

}  // namespace
