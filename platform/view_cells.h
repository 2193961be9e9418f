// A graphic view seen as a grid of cells: what it tells the keyboard focus mark and assistive technology
// (screen readers), and the keys it hands to the program.
#pragma once

#include <string>

namespace platform {

// Keys that a view of cells hands to its window's handler while it has the keyboard focus.
enum class ViewKey { kLeft, kRight, kUp, kDown, kHome, kEnd, kSpace };

struct ViewKeyEvent {
  ViewKey key = ViewKey::kSpace;
  bool control = false;  // held with the Ctrl key
};

struct ViewCell {
  std::string name;                              // what a screen reader reads for the cell
  bool checked = false;                          // a cell the user has marked
  int left = 0, top = 0, right = 0, bottom = 0;  // view pixels, right column and bottom row included
  int row = 0, column = 0;                       // place in the grid, from 0
};

// The program's answers about its cells, asked only when the focus mark is drawn or assistive technology
// reads the view. Cells are numbered 0..CellCount()-1; a grid place may hold no cell.
class ViewCells {
 public:
  virtual ~ViewCells() = default;
  virtual int RowCount() const = 0;
  virtual int ColumnCount() const = 0;
  virtual int CellCount() const = 0;
  virtual ViewCell Cell(int index) const = 0;
  // The cell at a grid place; -1 when none.
  virtual int CellAt(int row, int column) const = 0;
  // The cell with the keyboard focus when the view has it; -1 when none.
  virtual int FocusedCell() const = 0;
};

// The focus mark: a dotted rectangle this many pixels inside the focused cell's edges, clear of a round
// cell's outline.
constexpr int kFocusMarkInset = 3;

}  // namespace platform
