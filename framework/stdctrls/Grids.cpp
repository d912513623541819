// TStringGrid: axis arithmetic, cells, current cell and selection, painting, scrolling, mouse and keys.
//
// Sections: type data · TGridAxis · TStringGrid (properties, cells and layout, current cell and
// scrolling, geometry, painting, messages, mouse, keys).
#include "framework/stdctrls/Grids.h"

#include <algorithm>

#include "framework/stdctrls/PublishGroups.h"
#include "framework/windows/Cursors.h"

// ---------------------------------------------------------------------------------------------
// Type data

const TTypeInfo& TypeInfoOf(TypeTag<TGridOption>) {
  static const TTypeInfo info = MakeEnumType(
      "TGridOption", {"goFixedVertLine", "goFixedHorzLine", "goVertLine", "goHorzLine", "goRangeSelect", "goColSizing"});
  return info;
}

namespace {

const TGridOptions kDefaultOptions{goFixedVertLine, goFixedHorzLine, goVertLine, goHorzLine, goRangeSelect};
constexpr int kDefaultCount = 5;
constexpr int kDefaultColWidth = 64;
constexpr int kDefaultRowHeight = 24;
// How far from a column border the mouse may press to drag it.
constexpr int kSizingTolerance = 2;
constexpr int kTextIndent = 2;

}  // namespace

// ---------------------------------------------------------------------------------------------
// TGridAxis

TGridAxis::TGridAxis(int count, int fixed, int defaultSize)
    : sizes_(static_cast<std::size_t>(count), defaultSize), fixed_(fixed), defaultSize_(defaultSize), first_(fixed) {}

void TGridAxis::SetCount(int count) {
  sizes_.resize(static_cast<std::size_t>(std::max(count, 1)), defaultSize_);
  SetFixed(fixed_);
}

void TGridAxis::SetFixed(int fixed) {
  // An axis not scrolled stays so: fewer fixed entries show the freed ones rather than hide them.
  const bool atStart = first_ == fixed_;
  fixed_ = std::clamp(fixed, 0, Count() - 1);
  SetFirst(atStart ? fixed_ : first_);
}

void TGridAxis::SetDefaultSize(int size) {
  defaultSize_ = std::max(size, 0);
  std::fill(sizes_.begin(), sizes_.end(), defaultSize_);
}

void TGridAxis::SetSize(int index, int size) { sizes_[index] = std::max(size, 0); }

void TGridAxis::SetFirst(int first) { first_ = std::clamp(first, fixed_, Count() - 1); }

int TGridAxis::FixedExtent() const {
  int extent = 0;
  for (int i = 0; i < fixed_; ++i) extent += Span(i);
  return extent;
}

int TGridAxis::Start(int index) const {
  if (index >= fixed_ && index < first_) return -1;
  int pos = index < fixed_ ? 0 : FixedExtent();
  for (int i = index < fixed_ ? 0 : first_; i < index; ++i) pos += Span(i);
  return pos;
}

int TGridAxis::IndexAt(int pos) const {
  if (pos < 0) return -1;
  int start = 0;
  for (int i = 0; i < Count(); ++i) {
    if (i == fixed_) i = first_;  // past the fixed ones, the scrolled ones from First
    if (pos < start + Span(i)) return i;
    start += Span(i);
  }
  return -1;
}

int TGridAxis::FullyVisible(int extent) const {
  int room = extent - FixedExtent();
  int visible = 0;
  for (int i = first_; i < Count() && Span(i) <= room; ++i) {
    room -= Span(i);
    ++visible;
  }
  return visible;
}

int TGridAxis::LastFirst(int extent) const {
  int room = extent - FixedExtent();
  int first = Count() - 1;
  while (first > fixed_ && Span(first - 1) <= room - Span(first)) {
    room -= Span(first);
    --first;
  }
  return first;
}

// ---------------------------------------------------------------------------------------------
// TStringGrid: properties

void TStringGrid::Publish(TPublisher<TStringGrid>& p) {
  publish_groups::Placement(p);
  publish_groups::Color(p, clWindow, false);
  p.Prop("ColCount", &TStringGrid::ColCount, &TStringGrid::SetColCount).Default(kDefaultCount);
  p.Prop("DefaultColWidth", &TStringGrid::DefaultColWidth, &TStringGrid::SetDefaultColWidth).Default(kDefaultColWidth);
  p.Prop("DefaultRowHeight", &TStringGrid::DefaultRowHeight, &TStringGrid::SetDefaultRowHeight)
      .Default(kDefaultRowHeight);
  // The counts come before the fixed counts, which must stay below them.
  p.Prop("FixedCols", &TStringGrid::FixedCols, &TStringGrid::SetFixedCols).Default(1);
  p.Prop("RowCount", &TStringGrid::RowCount, &TStringGrid::SetRowCount).Default(kDefaultCount);
  p.Prop("FixedRows", &TStringGrid::FixedRows, &TStringGrid::SetFixedRows).Default(1);
  publish_groups::Font(p);
  p.Prop("Options", &TStringGrid::Options, &TStringGrid::SetOptions).Default(kDefaultOptions);
  p.Prop("ScrollBars", &TStringGrid::ScrollBars, &TStringGrid::SetScrollBars).Default(ssBoth);
  publish_groups::Hints(p);
  publish_groups::State(p);
  publish_groups::Focus(p, true);
  publish_groups::MouseEvents(p);
  publish_groups::KeyEvents(p);
  p.Prop("OnSelectCell", &TStringGrid::OnSelectCell);
  p.Prop("OnTopLeftChanged", &TStringGrid::OnTopLeftChanged);
}

TStringGrid::TStringGrid(TComponent* owner)
    : TCustomControl(owner),
      cols_(kDefaultCount, 1, kDefaultColWidth),
      rows_(kDefaultCount, 1, kDefaultRowHeight),
      cells_(kDefaultCount, std::vector<String>(kDefaultCount)),
      options_(kDefaultOptions),
      current_{1, 1},
      anchor_{1, 1} {
  // Every pixel is painted, composed off screen: no erase, no flicker.
  SetControlStyle({csCaptureMouse, csClickEvents, csOpaque, csDoubleClicks});
  SetDoubleBuffered(true);
  SetBounds(0, 0, 320, 120);
  SetParentColor(false);  // the window colour whatever the parent shows
  SetTabStop(true);
}

// ---------------------------------------------------------------------------------------------
// Cells and layout

void TStringGrid::CheckCell(int col, int row) const {
  if (col < 0 || col >= ColCount()) throw EListError(Format("Grid column out of bounds (%d)", col));
  if (row < 0 || row >= RowCount()) throw EListError(Format("Grid row out of bounds (%d)", row));
}

String TStringGrid::Cells(int col, int row) const {
  CheckCell(col, row);
  return cells_[col][row];
}

void TStringGrid::SetCells(int col, int row, const String& value) {
  CheckCell(col, row);
  cells_[col][row] = value;
  Invalidate();
}

void TStringGrid::SetColCount(int value) {
  cols_.SetCount(value);
  cells_.resize(static_cast<std::size_t>(ColCount()), std::vector<String>(static_cast<std::size_t>(RowCount())));
  LayoutChanged();
}

void TStringGrid::SetRowCount(int value) {
  rows_.SetCount(value);
  for (std::vector<String>& column : cells_) column.resize(static_cast<std::size_t>(RowCount()));
  LayoutChanged();
}

void TStringGrid::SetFixedCols(int value) {
  cols_.SetFixed(value);
  LayoutChanged();
}

void TStringGrid::SetFixedRows(int value) {
  rows_.SetFixed(value);
  LayoutChanged();
}

void TStringGrid::SetDefaultColWidth(int value) {
  cols_.SetDefaultSize(value);
  LayoutChanged();
}

void TStringGrid::SetDefaultRowHeight(int value) {
  rows_.SetDefaultSize(value);
  LayoutChanged();
}

int TStringGrid::ColWidths(int col) const {
  CheckCell(col, 0);
  return cols_.Size(col);
}

void TStringGrid::SetColWidths(int col, int width) {
  CheckCell(col, 0);
  cols_.SetSize(col, width);
  Invalidate();
}

void TStringGrid::SetOptions(TGridOptions value) {
  if (options_ == value) return;
  options_ = value;
  if (!options_.Contains(goRangeSelect)) anchor_ = current_;
  Invalidate();
}

void TStringGrid::SetScrollBars(TScrollStyle value) {
  if (scrollBars_ == value) return;
  scrollBars_ = value;
  UpdateScrollBars();
}

void TStringGrid::LayoutChanged() {
  ClampPositions();
  SetTopRow(TopRow());  // no empty room below the last row
  SetLeftCol(LeftCol());
  UpdateScrollBars();
  Invalidate();
}

// ---------------------------------------------------------------------------------------------
// Current cell and scrolling

TGridRect TStringGrid::Selection() const {
  const TGridCoord corner = options_.Contains(goRangeSelect) ? anchor_ : current_;
  return {std::min(corner.X, current_.X), std::min(corner.Y, current_.Y), std::max(corner.X, current_.X),
          std::max(corner.Y, current_.Y)};
}

void TStringGrid::SetSelection(const TGridRect& value) {
  MoveCurrent({value.Left, value.Top}, false);
  if (options_.Contains(goRangeSelect))
    anchor_ = {std::clamp(value.Right, FixedCols(), ColCount() - 1), std::clamp(value.Bottom, FixedRows(), RowCount() - 1)};
  Invalidate();
}

void TStringGrid::MoveCurrent(TGridCoord to, bool extend) {
  to = {std::clamp(to.X, FixedCols(), ColCount() - 1), std::clamp(to.Y, FixedRows(), RowCount() - 1)};
  if (to == current_ && (extend || anchor_ == current_)) return;
  bool canSelect = true;
  OnSelectCell(this, to.X, to.Y, canSelect);
  if (!canSelect) return;
  current_ = to;
  if (!extend || !options_.Contains(goRangeSelect)) anchor_ = to;
  ScrollIntoView(to);
  Invalidate();
}

void TStringGrid::ClampPositions() {
  for (TGridCoord* cell : {&current_, &anchor_})
    *cell = {std::clamp(cell->X, FixedCols(), ColCount() - 1), std::clamp(cell->Y, FixedRows(), RowCount() - 1)};
}

void TStringGrid::ScrollIntoView(TGridCoord cell) {
  if (cell.Y < TopRow()) SetTopRow(cell.Y);
  else if (cell.Y >= TopRow() + VisibleRowCount()) SetTopRow(cell.Y - VisibleRowCount() + 1);
  // Without a horizontal bar the user could not scroll back.
  if (!ScrollsHorizontally(scrollBars_)) return;
  const int visibleCols = std::max(cols_.FullyVisible(ClientWidth()), 1);
  if (cell.X < LeftCol()) SetLeftCol(cell.X);
  else if (cell.X >= LeftCol() + visibleCols) SetLeftCol(cell.X - visibleCols + 1);
}

void TStringGrid::SetTopRow(int value) {
  value = std::clamp(value, FixedRows(), std::max(FixedRows(), rows_.LastFirst(ClientHeight())));
  if (value == TopRow()) return;
  rows_.SetFirst(value);
  UpdateScrollBars();
  Invalidate();
  OnTopLeftChanged(this);
}

void TStringGrid::SetLeftCol(int value) {
  value = std::clamp(value, FixedCols(), std::max(FixedCols(), cols_.LastFirst(ClientWidth())));
  if (value == LeftCol()) return;
  cols_.SetFirst(value);
  UpdateScrollBars();
  Invalidate();
  OnTopLeftChanged(this);
}

int TStringGrid::VisibleRowCount() { return std::max(rows_.FullyVisible(ClientHeight()), 1); }

void TStringGrid::UpdateScrollBars() {
  if (!HandleAllocated()) return;
  // Windows hides a bar by itself while its page holds the whole range.
  const auto update = [this](int bar, bool shown, const TGridAxis& axis, int extent) {
    if (!shown) {
      ShowScrollBar(Handle(), bar, FALSE);
      return;
    }
    SCROLLINFO info{};
    info.cbSize = sizeof(info);
    info.fMask = SIF_RANGE | SIF_PAGE | SIF_POS;
    info.nMin = 0;
    info.nMax = axis.Count() - axis.Fixed() - 1;
    info.nPage = static_cast<UINT>(axis.FullyVisible(extent));
    info.nPos = axis.First() - axis.Fixed();
    SetScrollInfo(Handle(), bar, &info, TRUE);
  };
  update(SB_VERT, ScrollsVertically(scrollBars_), rows_, ClientHeight());
  update(SB_HORZ, ScrollsHorizontally(scrollBars_), cols_, ClientWidth());
}

// ---------------------------------------------------------------------------------------------
// Geometry

TRect TStringGrid::CellRect(int col, int row) const {
  if (col < 0 || col >= ColCount() || row < 0 || row >= RowCount()) return {};
  const int left = cols_.Start(col);
  const int top = rows_.Start(row);
  if (left < 0 || top < 0) return {};
  return Bounds(left, top, cols_.Size(col), rows_.Size(row));
}

void TStringGrid::MouseToCell(int x, int y, int& col, int& row) const {
  col = cols_.IndexAt(x);
  row = rows_.IndexAt(y);
}

int TStringGrid::SizingBorderAt(int x, int y) const {
  if (!options_.Contains(goColSizing) || rows_.IndexAt(y) < 0) return -1;
  // Zero-wide columns stay hidden: only a visible column's border can be dragged.
  for (int col = 0; col < ColCount(); ++col) {
    if (cols_.Size(col) == 0) continue;
    const int border = cols_.Start(col) + cols_.Size(col);
    if (std::abs(x - border) <= kSizingTolerance) return col;
  }
  return -1;
}

// ---------------------------------------------------------------------------------------------
// Painting

void TStringGrid::Paint() {
  TCanvas& canvas = *Canvas();
  const TRect client = ClientRect();
  canvas.Brush()->SetStyle(bsSolid);
  canvas.Brush()->SetColor(Color());
  canvas.FillRect(client);
  canvas.SetFont(Font());
  for (int row = 0; row < RowCount(); ++row) {
    const int top = rows_.Start(row);
    if (top < 0) continue;
    if (top >= client.Bottom) break;
    for (int col = 0; col < ColCount(); ++col) {
      if (cols_.Start(col) >= client.Right) break;
      PaintCell(canvas, col, row);
    }
  }
}

void TStringGrid::PaintCell(TCanvas& canvas, int col, int row) {
  const TRect cell = CellRect(col, row);
  if (cell.Width() == 0) return;
  const bool fixed = IsFixed(col, row);
  const bool selected = !fixed && Selection().Contains(col, row);
  const TColor background = fixed ? clBtnFace : selected ? clHighlight : Color();
  TBrush* brush = canvas.Brush();
  brush->SetStyle(bsSolid);
  brush->SetColor(background);
  canvas.FillRect(cell);

  // The line after the cell, to the right and below, in the line colour where lines are on.
  const bool vertLine = options_.Contains(fixed ? goFixedVertLine : goVertLine);
  const bool horzLine = options_.Contains(fixed ? goFixedHorzLine : goHorzLine);
  brush->SetColor(vertLine ? clBtnShadow : background);
  canvas.FillRect(Rect(cell.Right, cell.Top, cell.Right + TGridAxis::kLineWidth, cell.Bottom + TGridAxis::kLineWidth));
  brush->SetColor(horzLine ? clBtnShadow : background);
  canvas.FillRect(Rect(cell.Left, cell.Bottom, cell.Right, cell.Bottom + TGridAxis::kLineWidth));

  const String& text = cells_[col][row];
  if (text.empty()) return;
  canvas.Font()->SetColor(selected ? clHighlightText : Font()->Color());
  brush->SetStyle(bsClear);
  TRect textRect = Rect(cell.Left + kTextIndent, cell.Top, cell.Right - kTextIndent, cell.Bottom);
  canvas.DrawText(text, textRect, DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX);
}

// ---------------------------------------------------------------------------------------------
// Messages

void TStringGrid::CreateWnd() {
  TCustomControl::CreateWnd();
  UpdateScrollBars();
}

void TStringGrid::Resize() {
  SetTopRow(TopRow());
  SetLeftCol(LeftCol());
  UpdateScrollBars();
  TCustomControl::Resize();
}

void TStringGrid::Dispatch(TMessage& message) {
  // From the grid's own bars (a bar control would send its handle).
  if ((message.Msg == WM_VSCROLL || message.Msg == WM_HSCROLL) && message.LParam == 0) {
    WMScroll(message, message.Msg == WM_VSCROLL ? SB_VERT : SB_HORZ);
    return;
  }
  TCustomControl::Dispatch(message);
}

void TStringGrid::WMScroll(TMessage& message, int bar) {
  SCROLLINFO info{};
  info.cbSize = sizeof(info);
  info.fMask = SIF_TRACKPOS;
  GetScrollInfo(Handle(), bar, &info);
  const bool rows = bar == SB_VERT;
  const TGridAxis& axis = rows ? rows_ : cols_;
  const int page = rows ? VisibleRowCount() : std::max(cols_.FullyVisible(ClientWidth()), 1);
  int first = axis.First();
  switch (LOWORD(message.WParam)) {  // the same codes for both bars (SB_LINEUP is SB_LINELEFT)
    case SB_LINEUP: --first; break;
    case SB_LINEDOWN: ++first; break;
    case SB_PAGEUP: first -= page; break;
    case SB_PAGEDOWN: first += page; break;
    case SB_THUMBTRACK:
    case SB_THUMBPOSITION: first = axis.Fixed() + info.nTrackPos; break;
    case SB_TOP: first = axis.Fixed(); break;
    case SB_BOTTOM: first = axis.Count() - 1; break;
    default: break;
  }
  if (rows) SetTopRow(first);
  else SetLeftCol(first);
  message.Result = 0;
}

void TStringGrid::WMSetCursor(TWMSetCursor& message) {
  POINT cursor;
  if (message.CursorWnd() == Handle() && message.HitTest() == HTCLIENT && GetCursorPos(&cursor)) {
    const TPoint pos = ScreenToClient({cursor.x, cursor.y});
    if (mouseState_ == TMouseState::SizingColumn || SizingBorderAt(pos.X, pos.Y) >= 0) {
      ::SetCursor(CursorHandle(crSizeWE));
      message.Message.Result = 1;
      return;
    }
  }
  TCustomControl::WMSetCursor(message);
}

// ---------------------------------------------------------------------------------------------
// Mouse

void TStringGrid::MouseDown(TMouseButton button, TShiftState shift, int x, int y) {
  // The cell is chosen before OnMouseDown, whose handler reads Row and Col.
  if (button == mbLeft) {
    if (HandleAllocated() && CanFocus() && !Focused()) SetFocus();
    sizingCol_ = SizingBorderAt(x, y);
    if (sizingCol_ >= 0) {
      mouseState_ = TMouseState::SizingColumn;
    } else {
      int col, row;
      MouseToCell(x, y, col, row);
      if (col >= 0 && row >= 0 && !IsFixed(col, row)) {
        MoveCurrent({col, row}, shift.Contains(ssShift));
        mouseState_ = TMouseState::Selecting;
      }
    }
  }
  TCustomControl::MouseDown(button, shift, x, y);
}

void TStringGrid::MouseMove(TShiftState shift, int x, int y) {
  if (mouseState_ == TMouseState::SizingColumn) {
    SetColWidths(sizingCol_, x - cols_.Start(sizingCol_));
  } else if (mouseState_ == TMouseState::Selecting && options_.Contains(goRangeSelect)) {
    int col, row;
    MouseToCell(x, y, col, row);
    if (col >= 0 && row >= 0) MoveCurrent({col, row}, true);
  }
  TCustomControl::MouseMove(shift, x, y);
}

void TStringGrid::MouseUp(TMouseButton button, TShiftState shift, int x, int y) {
  if (button == mbLeft) {
    mouseState_ = TMouseState::Idle;
    sizingCol_ = -1;
  }
  TCustomControl::MouseUp(button, shift, x, y);
}

// ---------------------------------------------------------------------------------------------
// Keys

int TStringGrid::VisibleColFrom(int col, int step) const {
  for (int c = col; c >= FixedCols() && c < ColCount(); c += step)
    if (cols_.Size(c) > 0) return c;
  return current_.X;
}

bool TStringGrid::KeyTarget(Word key, TShiftState shift, TGridCoord& target) {
  const bool control = shift.Contains(ssCtrl);
  target = current_;
  switch (key) {
    case VK_UP: target.Y -= 1; return true;
    case VK_DOWN: target.Y += 1; return true;
    case VK_LEFT: target.X = VisibleColFrom(current_.X - 1, -1); return true;
    case VK_RIGHT: target.X = VisibleColFrom(current_.X + 1, 1); return true;
    case VK_PRIOR: target.Y -= VisibleRowCount(); return true;
    case VK_NEXT: target.Y += VisibleRowCount(); return true;
    case VK_HOME:
      target.X = VisibleColFrom(FixedCols(), 1);
      if (control) target.Y = FixedRows();
      return true;
    case VK_END:
      target.X = VisibleColFrom(ColCount() - 1, -1);
      if (control) target.Y = RowCount() - 1;
      return true;
    default: return false;
  }
}

void TStringGrid::KeyDown(Word& key, TShiftState shift) {
  TCustomControl::KeyDown(key, shift);
  TGridCoord target;
  if (key == 0 || !KeyTarget(key, shift, target)) return;
  MoveCurrent(target, shift.Contains(ssShift));
  key = 0;
}
