// The 5 x 5 grid: box addressing, the regions of each sheet type, and the
// pixel layout and hit tests of the sheet view. Pure functions, no toolkit.
#pragma once

#include "core/workbook.h"

namespace tgc {

inline constexpr int kBoxGap = 8;
inline constexpr int kMarginLeft = 73;
inline constexpr int kMarginTop = 152;
inline constexpr int kMarginRight = 73;
inline constexpr int kMarginBottom = 78;
inline constexpr int kMarkCellInset = 4;
inline constexpr int kMarkCellSize = 24;

struct GridPos {
  int column = 0;
  int row = 0;
  bool operator==(const GridPos&) const = default;
};

// Left, top, right, bottom; right and bottom exclusive.
struct Rect {
  int left = 0, top = 0, right = 0, bottom = 0;
  int width() const { return right - left; }
  int height() const { return bottom - top; }
  bool contains(int x, int y) const { return x >= left && x < right && y >= top && y < bottom; }
  bool operator==(const Rect&) const = default;
};

struct SheetLayout {
  int boxWidth = 0;
  int boxHeight = 0;
  int left0 = 0;
  int top0 = 0;
};

struct BoxHit {
  int column = -1;
  int row = -1;
  bool insideGrid = false;
  bool onMarkCell = false;
};

// Type of the current sheet; Type-A when there is none.
SheetType currentSheetType(const Workbook& wb);
SheetType sheetTypeOf(const Sheet& sheet);
GridPos themeBox(SheetType type);
bool isAdjacent(int column1, int row1, int column2, int row2);
Box* findBox(Sheet& sheet, int column, int row);
const Box* findBox(const Sheet& sheet, int column, int row);
// Whether the box lies in the area whose boxes are ideas by themselves.
bool inIdeaArea(SheetType type, int column, int row);

SheetLayout computeLayout(int clientWidth, int clientHeight);
Rect boxRect(const SheetLayout& layout, int column, int row);
Rect markCellRect(const Rect& box);
Rect wordTextRect(const Rect& box);
Rect editorRect(const Rect& box);
BoxHit hitTest(const SheetLayout& layout, int x, int y);
// The mark-tooltip variant: the strips left of column 0 and above row 0
// count as part of the first column and row.
BoxHit hoverTest(const SheetLayout& layout, int x, int y);

}  // namespace tgc
