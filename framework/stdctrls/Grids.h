/// @file
/// TStringGrid: a windowed grid of text cells with fixed rows and columns, a current cell and a range
/// selection, column sizing with the mouse, and scroll bars that scroll by rows and by columns.
/// Cells are not edited in place: a caller places its own editors over CellRect (and follows
/// OnTopLeftChanged).
#pragma once

#include <cstdint>
#include <vector>

#include "framework/stdctrls/ScrollStyle.h"
#include "framework/windows/CustomControl.h"

/// An option of TStringGrid (its Options set).
enum TGridOption : std::uint8_t {
  goFixedVertLine,  ///< lines between fixed columns
  goFixedHorzLine,  ///< lines between fixed rows
  goVertLine,       ///< lines between the other columns
  goHorzLine,       ///< lines between the other rows
  goRangeSelect,    ///< Shift with the keys or a mouse drag selects a block of cells
  goColSizing,      ///< the mouse drags column borders
};
using TGridOptions = TSet<TGridOption>;  ///< The options of a grid.

/// Type data of TGridOption, for the published Options.
const TTypeInfo& TypeInfoOf(TypeTag<TGridOption>);

/// A cell: column X, row Y.
struct TGridCoord {
  int X = 0;  ///< the column, from 0 (fixed columns included)
  int Y = 0;  ///< the row, from 0 (fixed rows included)
  bool operator==(const TGridCoord&) const = default;  ///< Same column and row.
};

/// A block of cells, both corners inside.
struct TGridRect {
  int Left = 0;    ///< the first column
  int Top = 0;     ///< the first row
  int Right = 0;   ///< the last column (inside the block)
  int Bottom = 0;  ///< the last row (inside the block)
  /// Whether the cell at `col`, `row` lies in the block.
  bool Contains(int col, int row) const { return col >= Left && col <= Right && row >= Top && row <= Bottom; }
  bool operator==(const TGridRect&) const = default;  ///< Same corners.
};

/// Sender, column, row, and whether that cell may become the current one (preset true).
using TSelectCellEvent = TEvent<TObject*, int, int, bool&>;

/// The columns or the rows of a grid along one axis: their sizes, and where each lies in client
/// pixels when the fixed ones come first and the scrolled ones follow from First. Every entry of
/// non-zero size is followed by a one-pixel grid line; an entry of size 0 takes no room at all.
/// Part of TStringGrid's implementation; not for use on its own (indices are not checked here).
class TGridAxis {
 public:
  static constexpr int kLineWidth = 1;  ///< Pixels of the line after each entry.

  /// `count` entries (at least 1) of `defaultSize` pixels, the first `fixed` of them fixed (fewer
  /// than `count`), scrolled to the first entry after them.
  TGridAxis(int count, int fixed, int defaultSize);

  /// The number of entries, fixed ones included.
  int Count() const { return static_cast<int>(sizes_.size()); }
  /// New entries get the default size; Fixed and First stay inside the new count.
  void SetCount(int count);
  /// The number of fixed entries, which never scroll.
  int Fixed() const { return fixed_; }
  /// Clamped to leave at least one scrolled entry.
  void SetFixed(int fixed);
  /// Pixels of a new entry (no less than 0).
  int DefaultSize() const { return defaultSize_; }
  /// Gives every entry the new size.
  void SetDefaultSize(int size);
  /// Pixels of entry `index`, its line not included; 0 hides the entry. Negative sizes become 0.
  ///@{
  int Size(int index) const { return sizes_[index]; }
  void SetSize(int index, int size);
  ///@}
  /// The first scrolled entry shown after the fixed ones.
  int First() const { return first_; }
  /// Clamped to the scrolled entries.
  void SetFirst(int first);

  /// The leading edge of `index` in client pixels; -1 when it is scrolled out.
  int Start(int index) const;
  /// The entry whose cell or line after it holds `pos`; -1 when none does.
  int IndexAt(int pos) const;
  /// How many scrolled entries from First fit wholly into `extent` pixels behind the fixed ones.
  int FullyVisible(int extent) const;
  /// The largest First that still leaves no empty room at the end of `extent`.
  int LastFirst(int extent) const;

 private:
  int Span(int index) const { return sizes_[index] > 0 ? sizes_[index] + kLineWidth : 0; }
  int FixedExtent() const;

  std::vector<int> sizes_;
  int fixed_;
  int defaultSize_;
  int first_;
};

/// A windowed grid of text cells (5 x 5 with one fixed row and column when made). The fixed rows
/// and columns at the top and left never scroll and cannot become current; the others scroll by
/// whole rows and columns. The cells' text is not published: a layout stores the grid's shape and
/// options, and the program fills the cells.
class TStringGrid : public TCustomControl {
  TAVELKO_CLASS(TStringGrid, TCustomControl)
  static void Publish(TPublisher<TStringGrid>& p);

 public:
  /// The grid belongs to `owner`, as any component; it is 320 x 120 pixels and takes the focus by Tab.
  explicit TStringGrid(TComponent* owner);

  // ---- Cells: EListError outside the grid ----
  /// The text of the cell at `col`, `row` (fixed cells included), drawn on one line.
  ///@{
  String Cells(int col, int row) const;
  void SetCells(int col, int row, const String& value);
  ///@}

  // ---- Layout ----
  /// Columns and rows, fixed ones included; at least 1. Growing keeps the cells' text and adds empty
  /// cells; shrinking drops the cells beyond, and the fixed counts, the current cell and the
  /// selection are pulled back inside.
  ///@{
  int ColCount() const { return cols_.Count(); }
  void SetColCount(int value);
  int RowCount() const { return rows_.Count(); }
  void SetRowCount(int value);
  ///@}
  /// Fixed columns at the left and fixed rows at the top (headers, drawn in the button face
  /// colour); kept below ColCount and RowCount, so one scrolled column and row always remain.
  ///@{
  int FixedCols() const { return cols_.Fixed(); }
  void SetFixedCols(int value);
  int FixedRows() const { return rows_.Fixed(); }
  void SetFixedRows(int value);
  ///@}
  /// The width of every column and the height of every row, in pixels without the grid line.
  /// Setting one gives it to every column (or row), replacing widths set one by one.
  ///@{
  int DefaultColWidth() const { return cols_.DefaultSize(); }
  void SetDefaultColWidth(int value);
  int DefaultRowHeight() const { return rows_.DefaultSize(); }
  void SetDefaultRowHeight(int value);
  ///@}
  /// The width of column `col` in pixels without its grid line; 0 hides the column (the mouse and
  /// the arrow keys pass over it). EListError for a column outside the grid. Not stored in layouts.
  ///@{
  int ColWidths(int col) const;
  void SetColWidths(int col, int width);
  ///@}
  /// The grid lines shown and what the mouse and the keys may do; turning goRangeSelect off shrinks
  /// the selection to the current cell.
  ///@{
  TGridOptions Options() const { return options_; }
  void SetOptions(TGridOptions value);
  ///@}
  /// The bars the grid may show; Windows hides one while everything fits. Without a horizontal bar
  /// the grid never scrolls a column into view by itself.
  ///@{
  TScrollStyle ScrollBars() const { return scrollBars_; }
  void SetScrollBars(TScrollStyle value);
  ///@}

  // ---- Current cell, selection and scrolling ----
  /// The column and the row of the current cell, never a fixed one. Setting one clamps it to the
  /// scrolled cells, asks OnSelectCell (which may refuse: nothing changes), collapses the selection
  /// to the new cell and scrolls it into view.
  ///@{
  int Col() const { return current_.X; }
  void SetCol(int value) { MoveCurrent({value, current_.Y}, false); }
  int Row() const { return current_.Y; }
  void SetRow(int value) { MoveCurrent({current_.X, value}, false); }
  ///@}
  /// The current cell and, with goRangeSelect, the block from the anchor to it.
  TGridRect Selection() const;
  /// The current cell becomes the top left corner, the anchor the bottom right.
  void SetSelection(const TGridRect& value);
  /// The first scrolled row and column shown after the fixed ones. Setting one scrolls the grid,
  /// clamped so that no empty room is left after the last row or column, and raises
  /// OnTopLeftChanged when it moved; the current cell stays where it is.
  ///@{
  int TopRow() const { return rows_.First(); }
  void SetTopRow(int value);
  int LeftCol() const { return cols_.First(); }
  void SetLeftCol(int value);
  ///@}
  /// How many scrolled rows fit wholly into the client area (at least 1).
  int VisibleRowCount();

  // ---- Geometry in client pixels ----
  /// The cell without its grid lines; empty when the cell is scrolled out or outside the grid.
  TRect CellRect(int col, int row) const;
  /// The cell under a client point; -1 for a coordinate outside every cell.
  void MouseToCell(int x, int y, int& col, int& row) const;

  /// Asked before a cell becomes the current one, by the program (Col, Row, Selection), the mouse or
  /// the keys; a handler that clears the flag keeps the current cell.
  TSelectCellEvent OnSelectCell;
  /// The grid scrolled: TopRow or LeftCol changed.
  TNotifyEvent OnTopLeftChanged;

 protected:
  void CreateWnd() override;
  void Paint() override;
  void Resize() override;
  void Dispatch(TMessage& message) override;
  /// The grid's mouse: the left button takes the focus and chooses the current cell before the
  /// inherited handling raises OnMouseDown (so its handler reads Col and Row); with goRangeSelect a
  /// drag or Shift extends the block; with goColSizing a press on a column's right border drags it.
  ///@{
  void MouseDown(TMouseButton button, TShiftState shift, int x, int y) override;
  void MouseMove(TShiftState shift, int x, int y) override;
  void MouseUp(TMouseButton button, TShiftState shift, int x, int y) override;
  ///@}
  /// After OnKeyDown (which may swallow the key): the arrow keys, Page Up and Page Down, Home and End
  /// (with Ctrl: the first or last row too) move the current cell, Shift extending the block, and
  /// the key is swallowed.
  void KeyDown(Word& key, TShiftState shift) override;
  /// Shows the sizing cursor over a column border the mouse may drag.
  void WMSetCursor(TWMSetCursor& message) override;

 private:
  /// What a held left button is doing.
  enum class TMouseState {
    Idle,         ///< no button held on the grid
    Selecting,    ///< moving the current cell (and the block's corner) with the pointer
    SizingColumn  // dragging the right border of sizingCol_
  };

  void CheckCell(int col, int row) const;
  bool IsFixed(int col, int row) const { return col < FixedCols() || row < FixedRows(); }
  /// Makes `to` (clamped to the scrolled cells) the current cell when OnSelectCell allows it;
  /// `extend` keeps the anchor where range selection is on.
  void MoveCurrent(TGridCoord to, bool extend);
  /// The current cell and the anchor back inside the grid after its shape changed.
  void ClampPositions();
  void ScrollIntoView(TGridCoord cell);
  /// The nearest column of non-zero width from `col` on in `step` direction; `col` when none.
  int VisibleColFrom(int col, int step) const;
  /// The target of a navigation key; false for other keys.
  bool KeyTarget(Word key, TShiftState shift, TGridCoord& target);
  /// The column whose right border lies under `x` where the mouse may size it; -1 when none.
  int SizingBorderAt(int x, int y) const;
  void LayoutChanged();
  void UpdateScrollBars();
  /// WM_VSCROLL and WM_HSCROLL: `bar` SB_VERT or SB_HORZ.
  void WMScroll(TMessage& message, int bar);
  void PaintCell(TCanvas& canvas, int col, int row);

  TGridAxis cols_;
  TGridAxis rows_;
  std::vector<std::vector<String>> cells_;  ///< [col][row]
  TGridOptions options_;
  TScrollStyle scrollBars_ = ssBoth;
  TGridCoord current_;
  TGridCoord anchor_;
  TMouseState mouseState_ = TMouseState::Idle;
  int sizingCol_ = -1;
};
