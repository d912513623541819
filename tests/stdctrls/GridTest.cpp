// String grids: the axis arithmetic and cell geometry with numbers, the painted cells and lines,
// the current cell chosen with real mouse and key messages, column sizing, scrolling by rows, and
// the stored properties.
#include "TestSupport.h"

#include <algorithm>
#include <string>
#include <vector>

#include "framework/stdctrls/Grids.h"

namespace {

// ---- Arithmetic ----

TEST(GridAxisTest, EntriesFollowEachOtherWithALineAfterEachAndZeroSizeTakesNoRoom) {
  TGridAxis axis(6, 1, 20);  // each entry 20 pixels and its line: 21
  EXPECT_EQ(axis.Start(0), 0);
  EXPECT_EQ(axis.Start(1), 21);
  EXPECT_EQ(axis.Start(3), 63);
  EXPECT_EQ(axis.IndexAt(20), 0);  // the line belongs to the entry before it
  EXPECT_EQ(axis.IndexAt(21), 1);
  EXPECT_EQ(axis.IndexAt(6 * 21), -1);
  EXPECT_EQ(axis.IndexAt(-1), -1);

  axis.SetSize(1, 0);
  EXPECT_EQ(axis.Start(2), 21);
  EXPECT_EQ(axis.IndexAt(21), 2);

  axis.SetFixed(0);  // not scrolled: the formerly fixed entry stays in view
  EXPECT_EQ(axis.First(), 0);
  EXPECT_EQ(axis.Start(0), 0);
}

TEST(GridAxisTest, ScrolledEntriesStartBehindTheFixedOnesAndTheHiddenOnesHaveNoPlace) {
  TGridAxis axis(10, 1, 20);
  axis.SetFirst(4);
  EXPECT_EQ(axis.Start(0), 0);
  EXPECT_EQ(axis.Start(2), -1);
  EXPECT_EQ(axis.Start(4), 21);
  EXPECT_EQ(axis.Start(5), 42);
  EXPECT_EQ(axis.IndexAt(21), 4);
  EXPECT_EQ(axis.IndexAt(10), 0);

  // 100 pixels: the fixed entry's 21 leaves 79, room for three whole entries.
  EXPECT_EQ(axis.FullyVisible(100), 3);
  EXPECT_EQ(axis.LastFirst(100), 7);
  axis.SetFirst(20);
  EXPECT_EQ(axis.First(), 9);
  axis.SetFixed(12);
  EXPECT_EQ(axis.Fixed(), 9);  // one entry stays scrolled
}

class GridTest : public StdCtrlsTest {
 protected:
  TStringGrid* AddGrid(int height = 200) {
    auto* grid = new TStringGrid(form.get());
    grid->SetParent(form.get());
    grid->SetBounds(10, 10, 320, height);
    grid->SetScrollBars(ssVertical);  // the five columns overflow by a few pixels
    return grid;
  }
  TPoint CellCentre(TStringGrid& grid, int col, int row) {
    const TRect cell = grid.CellRect(col, row);
    return {(cell.Left + cell.Right) / 2, (cell.Top + cell.Bottom) / 2};
  }
  void Click(TStringGrid& grid, TPoint at, WPARAM keys = 0) {
    SendMouse(grid.Handle(), WM_LBUTTONDOWN, at.X, at.Y, MK_LBUTTON | keys);
    SendMouse(grid.Handle(), WM_LBUTTONUP, at.X, at.Y, keys);
  }
  void DragBorder(TStringGrid& grid, int fromX, int toX, int y) {
    SendMouse(grid.Handle(), WM_LBUTTONDOWN, fromX, y, MK_LBUTTON);
    SendMouse(grid.Handle(), WM_MOUSEMOVE, (fromX + toX) / 2, y, MK_LBUTTON);
    SendMouse(grid.Handle(), WM_MOUSEMOVE, toX, y, MK_LBUTTON);
    SendMouse(grid.Handle(), WM_LBUTTONUP, toX, y);
  }
};

TEST_F(GridTest, CellRectAndMouseToCellAgreeOnTheDefaultLayout) {
  TStringGrid* grid = AddGrid();
  // 64 x 24 cells, each followed by a one-pixel line.
  EXPECT_EQ(grid->CellRect(0, 0), Bounds(0, 0, 64, 24));
  EXPECT_EQ(grid->CellRect(2, 1), Bounds(130, 25, 64, 24));
  EXPECT_EQ(grid->CellRect(5, 0), TRect{});
  int col, row;
  grid->MouseToCell(194, 49, col, row);
  EXPECT_EQ(col, 2);
  EXPECT_EQ(row, 1);
  grid->MouseToCell(195, 50, col, row);
  EXPECT_EQ(col, 3);
  EXPECT_EQ(row, 2);
  grid->MouseToCell(400, 10, col, row);
  EXPECT_EQ(col, -1);

  grid->SetColWidths(0, 0);
  grid->SetColWidths(1, 80);
  EXPECT_EQ(grid->CellRect(1, 1), Bounds(0, 25, 80, 24));
  EXPECT_EQ(grid->CellRect(2, 1).Left, 81);
  grid->MouseToCell(0, 30, col, row);
  EXPECT_EQ(col, 1);

  grid->SetColWidths(0, 20);
  grid->SetFixedCols(0);
  EXPECT_EQ(grid->CellRect(0, 1), Bounds(0, 25, 20, 24));
}

TEST_F(GridTest, CountsKeepTheCellsAndTheFixedRowsGoWhenOneRowIsLeft) {
  TStringGrid* grid = AddGrid();
  grid->SetCells(1, 2, "ab");
  grid->SetColCount(3);
  grid->SetRowCount(7);
  EXPECT_EQ(grid->Cells(1, 2), "ab");
  EXPECT_EQ(grid->Cells(2, 6), "");
  EXPECT_THROW(grid->Cells(3, 0), EListError);
  EXPECT_THROW(grid->SetCells(0, 7, "x"), EListError);

  grid->SetRow(6);
  grid->SetRowCount(1);
  EXPECT_EQ(grid->FixedRows(), 0);
  EXPECT_EQ(grid->Row(), 0);
  grid->SetRowCount(4);
  EXPECT_EQ(grid->FixedRows(), 0);  // the heading row stays an ordinary row
}

// ---- Painting ----

TEST_F(GridTest, PaintsFixedCellsLinesTheCurrentCellAndTheOthers) {
  TStringGrid* grid = AddGrid();
  TSnapshot shot(*form);
  EXPECT_EQ(shot.At(*grid, 10, 10), Rgb(clBtnFace));     // fixed cell
  EXPECT_EQ(shot.At(*grid, 64, 10), Rgb(clBtnShadow));   // fixed vertical line
  EXPECT_EQ(shot.At(*grid, 100, 24), Rgb(clBtnShadow));  // fixed horizontal line
  EXPECT_EQ(shot.At(*grid, 70, 30), Rgb(clHighlight));   // the current cell (1, 1)
  EXPECT_EQ(shot.At(*grid, 140, 60), Rgb(clWindow));     // cell (2, 2)
  EXPECT_EQ(shot.At(*grid, 194, 60), Rgb(clBtnShadow));  // line between cells
  EXPECT_EQ(shot.At(*grid, 140, 74), Rgb(clBtnShadow));
  // The window itself, composed off screen.
  grid->Update();
  EXPECT_EQ(PixelAt(grid->Handle(), 70, 30), Rgb(clHighlight));
  EXPECT_EQ(PixelAt(grid->Handle(), 64, 10), Rgb(clBtnShadow));

  grid->SetOptions(grid->Options() - goVertLine - goHorzLine);
  TSnapshot plain(*form);
  EXPECT_EQ(plain.At(*grid, 194, 60), Rgb(clWindow));
  EXPECT_EQ(plain.At(*grid, 140, 74), Rgb(clWindow));
  EXPECT_EQ(plain.At(*grid, 64, 10), Rgb(clBtnShadow));  // fixed lines have their own options
}

TEST_F(GridTest, AZeroWideColumnShowsNeitherItsCellNorItsLine) {
  TStringGrid* grid = AddGrid();
  grid->SetFixedCols(0);
  grid->SetFixedRows(0);
  grid->SetColWidths(0, 0);
  grid->SetCells(0, 2, "hidden");
  grid->SetRow(2);
  grid->SetCol(2);
  TSnapshot shot(*form);
  for (int x = 0; x < 64; ++x) ASSERT_EQ(shot.At(*grid, x, 60), Rgb(clWindow)) << "x " << x;  // column 1
  EXPECT_EQ(shot.At(*grid, 64, 60), Rgb(clBtnShadow));
  EXPECT_EQ(shot.At(*grid, 70, 60), Rgb(clHighlight));  // column 2
}

TEST_F(GridTest, TextIsDrawnInTheCellAndInTheHighlightTextOnTheSelection) {
  TStringGrid* grid = AddGrid();
  grid->SetCells(2, 2, "WWWW");
  grid->SetCells(1, 1, "WWWW");
  auto bitmap = MakeBitmap(grid->Width(), grid->Height());
  grid->PaintTo(bitmap->Canvas()->Handle(), 0, 0);
  const TRect plain = InkBounds(*bitmap, Rgb(clWindowText), grid->CellRect(2, 2));
  EXPECT_FALSE(plain.IsEmpty());
  EXPECT_GE(plain.Left, grid->CellRect(2, 2).Left + 2);
  EXPECT_FALSE(InkBounds(*bitmap, Rgb(clHighlightText), grid->CellRect(1, 1)).IsEmpty());
}

// ---- Mouse ----

class TGridWatcher : public TObject {
 public:
  explicit TGridWatcher(TStringGrid& grid) : grid_(grid) {}
  void MouseDown(TObject*, TMouseButton, TShiftState, int, int) { rowsAtMouseDown.push_back(grid_.Row()); }
  void SelectCell(TObject*, int col, int, bool& canSelect) { canSelect = col != refusedCol; }
  void TopLeftChanged(TObject*) { ++scrolls; }

  std::vector<int> rowsAtMouseDown;
  int scrolls = 0;
  int refusedCol = -1;

 private:
  TStringGrid& grid_;
};

TEST_F(GridTest, APressMakesTheCellCurrentBeforeOnMouseDownAndOnSelectCellMayRefuse) {
  TStringGrid* grid = AddGrid();
  TGridWatcher watcher(*grid);
  grid->OnMouseDown = TMouseEvent(&watcher, &TGridWatcher::MouseDown);
  grid->OnSelectCell = TSelectCellEvent(&watcher, &TGridWatcher::SelectCell);
  Click(*grid, CellCentre(*grid, 3, 4));
  EXPECT_EQ(grid->Col(), 3);
  EXPECT_EQ(grid->Row(), 4);
  EXPECT_EQ(watcher.rowsAtMouseDown, std::vector<int>{4});

  watcher.refusedCol = 2;
  Click(*grid, CellCentre(*grid, 2, 1));
  EXPECT_EQ(grid->Col(), 3);
  Click(*grid, CellCentre(*grid, 0, 2));  // fixed cells are not chosen
  EXPECT_EQ(grid->Col(), 3);
  EXPECT_EQ(grid->Row(), 4);
}

TEST_F(GridTest, ShiftPressAndDragSelectARangeOnlyWhereRangeSelectionIsOn) {
  TStringGrid* grid = AddGrid();
  Click(*grid, CellCentre(*grid, 1, 1));
  Click(*grid, CellCentre(*grid, 3, 2), MK_SHIFT);
  EXPECT_EQ(grid->Selection(), (TGridRect{1, 1, 3, 2}));

  const TPoint from = CellCentre(*grid, 4, 4), to = CellCentre(*grid, 2, 3);
  SendMouse(grid->Handle(), WM_LBUTTONDOWN, from.X, from.Y, MK_LBUTTON);
  SendMouse(grid->Handle(), WM_MOUSEMOVE, to.X, to.Y, MK_LBUTTON);
  SendMouse(grid->Handle(), WM_LBUTTONUP, to.X, to.Y);
  EXPECT_EQ(grid->Selection(), (TGridRect{2, 3, 4, 4}));
  TSnapshot shot(*form);
  EXPECT_EQ(shot.At(*grid, CellCentre(*grid, 3, 3).X, CellCentre(*grid, 3, 3).Y), Rgb(clHighlight));

  grid->SetOptions(grid->Options() - goRangeSelect);
  Click(*grid, CellCentre(*grid, 3, 2), MK_SHIFT);
  EXPECT_EQ(grid->Selection(), (TGridRect{3, 2, 3, 2}));
}

TEST_F(GridTest, DraggingAColumnBorderSizesTheColumnOnlyWithColumnSizing) {
  TStringGrid* grid = AddGrid();
  DragBorder(*grid, 64, 100, 10);  // on the fixed row
  EXPECT_EQ(grid->ColWidths(0), 64);

  grid->SetOptions(grid->Options() + goColSizing);
  DragBorder(*grid, 64, 100, 10);
  EXPECT_EQ(grid->ColWidths(0), 100);
  EXPECT_EQ(grid->CellRect(1, 1).Left, 101);
  DragBorder(*grid, 101 + 64 + 1, 101 + 30, 60);  // on the cells' border, a pixel off
  EXPECT_EQ(grid->ColWidths(1), 30);
  EXPECT_EQ(grid->Row(), 1);  // sizing chose no cell

  // A zero-wide column stays hidden: a press at its place chooses the next column's cell.
  grid->SetFixedCols(0);
  grid->SetColWidths(0, 0);
  DragBorder(*grid, 1, 20, 60);
  EXPECT_EQ(grid->ColWidths(0), 0);
  EXPECT_EQ(grid->Col(), 1);
}

// ---- Keys and scrolling ----

TEST_F(GridTest, ArrowsHomeEndAndPagesMoveTheCurrentCellAndTopRowFollows) {
  TStringGrid* grid = AddGrid(126);  // the fixed row and four whole rows
  grid->SetRowCount(20);
  grid->SetColWidths(3, 0);
  HWND window = grid->Handle();
  EXPECT_EQ(grid->VisibleRowCount(), 4);  // 126 less the fixed row's 25 holds four rows of 25
  TypeKey(window, VK_RIGHT);
  TypeKey(window, VK_RIGHT);
  EXPECT_EQ(grid->Col(), 4);  // past the hidden column
  TypeKey(window, VK_HOME);
  EXPECT_EQ(grid->Col(), 1);
  TypeKey(window, VK_LEFT);
  EXPECT_EQ(grid->Col(), 1);  // fixed columns are not entered
  TypeKey(window, VK_DOWN);
  TypeKey(window, VK_DOWN);
  TypeKey(window, VK_DOWN);
  TypeKey(window, VK_DOWN);
  EXPECT_EQ(grid->Row(), 5);
  EXPECT_EQ(grid->TopRow(), 5 - grid->VisibleRowCount() + 1);
  TypeKey(window, VK_NEXT);
  EXPECT_EQ(grid->Row(), 5 + grid->VisibleRowCount());
  TypeKey(window, VK_END, true);
  EXPECT_EQ(grid->Row(), 19);
  EXPECT_EQ(grid->Col(), 4);
  EXPECT_EQ(grid->TopRow(), 20 - grid->VisibleRowCount());
  TypeKey(window, VK_HOME, true);
  EXPECT_EQ(grid->Row(), 1);
  EXPECT_EQ(grid->TopRow(), 1);
  TypeKey(window, VK_UP);
  EXPECT_EQ(grid->Row(), 1);
}

TEST_F(GridTest, TheScrollBarScrollsByRowsAndShowsThePosition) {
  TStringGrid* grid = AddGrid(126);
  grid->SetRowCount(20);
  HWND window = grid->Handle();
  const int page = grid->VisibleRowCount();
  SendMessageW(window, WM_VSCROLL, SB_LINEDOWN, 0);
  EXPECT_EQ(grid->TopRow(), 2);
  SendMessageW(window, WM_VSCROLL, SB_PAGEDOWN, 0);
  EXPECT_EQ(grid->TopRow(), 2 + page);
  SendMessageW(window, WM_VSCROLL, SB_BOTTOM, 0);
  EXPECT_EQ(grid->TopRow(), 20 - page);
  SendMessageW(window, WM_VSCROLL, SB_LINEDOWN, 0);
  EXPECT_EQ(grid->TopRow(), 20 - page);
  SendMessageW(window, WM_VSCROLL, SB_PAGEUP, 0);
  EXPECT_EQ(grid->TopRow(), 20 - 2 * page);

  SCROLLINFO info{};
  info.cbSize = sizeof(info);
  info.fMask = SIF_ALL;
  ASSERT_TRUE(GetScrollInfo(window, SB_VERT, &info));
  EXPECT_EQ(info.nMax, 18);  // the 19 scrolled rows
  EXPECT_EQ(static_cast<int>(info.nPage), page);
  EXPECT_EQ(info.nPos, grid->TopRow() - 1);
  EXPECT_EQ(grid->CellRect(1, grid->TopRow()).Top, 25);  // the first scrolled row under the fixed one
  EXPECT_EQ(grid->CellRect(1, 1), TRect{});

  grid->SetRowCount(3);  // everything fits: the bar goes
  EXPECT_EQ(grid->TopRow(), 1);
  EXPECT_FALSE(GetWindowLongPtrW(window, GWL_STYLE) & WS_VSCROLL);
}

TEST_F(GridTest, TheHorizontalBarScrollsByColumnsAndEveryScrollIsTold) {
  TStringGrid* grid = AddGrid(126);
  grid->SetColCount(12);
  HWND window = grid->Handle();
  TGridWatcher watcher(*grid);
  grid->OnTopLeftChanged = TNotifyEvent(&watcher, &TGridWatcher::TopLeftChanged);
  EXPECT_EQ(GetWindowLongPtrW(window, GWL_STYLE) & WS_HSCROLL, 0) << "not asked for";
  grid->SetScrollBars(ssBoth);
  EXPECT_NE(GetWindowLongPtrW(window, GWL_STYLE) & WS_HSCROLL, 0);
  SendMessageW(window, WM_HSCROLL, SB_LINEDOWN, 0);
  EXPECT_EQ(grid->LeftCol(), 2);
  EXPECT_EQ(grid->CellRect(2, 1).Left, 65);  // right of the fixed column
  EXPECT_EQ(grid->CellRect(1, 1), TRect{});
  SendMessageW(window, WM_VSCROLL, SB_LINEDOWN, 0);
  EXPECT_EQ(watcher.scrolls, 2);
  grid->SetCol(11);  // the current cell scrolls into view
  EXPECT_GT(grid->LeftCol(), 2);
  grid->SetCol(1);
  EXPECT_EQ(grid->LeftCol(), 1);

  grid->SetScrollBars(ssNone);
  EXPECT_EQ(GetWindowLongPtrW(window, GWL_STYLE) & (WS_HSCROLL | WS_VSCROLL), 0);
}

// ---- Stream ----

bool HoldsName(const Bytes& bytes, const std::string& name) {
  return std::search(bytes.begin(), bytes.end(), name.begin(), name.end()) != bytes.end();
}

TEST_F(GridTest, SettingsSurviveTheStreamAndDefaultsAreLeftOut) {
  TStringGrid* grid = AddGrid();
  const Bytes defaults = WriteRoot(grid);
  for (const char* name : {"ColCount", "RowCount", "FixedCols", "FixedRows", "DefaultColWidth", "DefaultRowHeight",
                           "Options", "Color", "TabStop"})
    EXPECT_FALSE(HoldsName(defaults, name)) << name;

  grid->SetColCount(3);
  grid->SetRowCount(9);
  grid->SetFixedCols(0);
  grid->SetDefaultColWidth(80);
  grid->SetDefaultRowHeight(18);
  grid->SetOptions(grid->Options() + goColSizing);
  grid->SetColor(clBtnFace);
  auto copy = RoundTrip(*grid);
  ASSERT_NE(copy, nullptr);
  EXPECT_EQ(copy->ColCount(), 3);
  EXPECT_EQ(copy->RowCount(), 9);
  EXPECT_EQ(copy->FixedCols(), 0);
  EXPECT_EQ(copy->FixedRows(), 1);
  EXPECT_EQ(copy->DefaultColWidth(), 80);
  EXPECT_EQ(copy->ColWidths(2), 80);
  EXPECT_EQ(copy->DefaultRowHeight(), 18);
  EXPECT_TRUE(copy->Options().Contains(goColSizing));
  EXPECT_TRUE(copy->Options().Contains(goRangeSelect));
  EXPECT_EQ(copy->Color(), clBtnFace);
}

}  // namespace
