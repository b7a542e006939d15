#include "sheet/geometry.h"

#include <cstdlib>

namespace tgc {

SheetType sheetTypeOf(const Sheet& sheet) {
  if (sheet.boxes.empty()) return TypeA;
  const int t = sheet.boxes.front().sheetType;
  return t == TypeB || t == TypeC ? static_cast<SheetType>(t) : TypeA;
}

SheetType currentSheetType(const Workbook& wb) {
  const Sheet* s = wb.currentSheetPtr();
  return s ? sheetTypeOf(*s) : TypeA;
}

GridPos themeBox(SheetType type) {
  if (type == TypeA) return {kGridColumns / 2, kGridRows / 2};
  return {0, 0};
}

bool isAdjacent(int column1, int row1, int column2, int row2) {
  if (column1 == column2 && row1 == row2) return false;
  return std::abs(column1 - column2) <= 1 && std::abs(row1 - row2) <= 1;
}

Box* findBox(Sheet& sheet, int column, int row) {
  for (Box& b : sheet.boxes)
    if (b.column == column && b.row == row) return &b;
  return nullptr;
}

const Box* findBox(const Sheet& sheet, int column, int row) {
  return findBox(const_cast<Sheet&>(sheet), column, row);
}

bool inIdeaArea(SheetType type, int column, int row) {
  if (type == TypeB) return column == 0 && row >= 1;
  if (type == TypeC) return row == 0 && column >= 1;
  return false;
}

SheetLayout computeLayout(int w, int h) {
  SheetLayout l;
  l.boxWidth = (w - (kGridColumns - 1) * kBoxGap - kMarginRight - kMarginLeft) / kGridColumns;
  l.boxHeight = (h - (kGridRows - 1) * kBoxGap - kMarginBottom - kMarginTop) / kGridRows;
  l.left0 = kMarginLeft + (w - 32 - kGridColumns * l.boxWidth - 146) / 2;
  l.top0 = kMarginTop + (h - 32 - kGridRows * l.boxHeight - 230) / 2;
  return l;
}

Rect boxRect(const SheetLayout& l, int column, int row) {
  const int left = l.left0 + column * (l.boxWidth + kBoxGap);
  const int top = l.top0 + row * (l.boxHeight + kBoxGap);
  return {left, top, left + l.boxWidth, top + l.boxHeight};
}

Rect markCellRect(const Rect& b) {
  return {b.left + 1, b.top + 1, b.left + 26, b.top + 26};
}

Rect wordTextRect(const Rect& b) {
  return {b.left + 28, b.top + 4, b.right - 4, b.bottom - 4};
}

Rect editorRect(const Rect& b) {
  return {b.left + 28, b.top + 4, b.left + 28 + b.width() - 32, b.top + 4 + b.height() - 7};
}

namespace {

BoxHit hit(const SheetLayout& l, int x, int y, bool cutOff) {
  BoxHit h;
  const int px = l.boxWidth + kBoxGap;
  const int py = l.boxHeight + kBoxGap;
  if (px <= 0 || py <= 0) return h;
  const int dx = x - l.left0 + 4;
  const int dy = y - l.top0 + 4;
  if (cutOff) {
    h.column = x < l.left0 ? -1 : dx / px;
    h.row = y < l.top0 ? -1 : dy / py;
  } else {
    h.column = dx < 0 ? -1 : dx / px;
    h.row = dy < 0 ? -1 : dy / py;
  }
  h.insideGrid = h.column >= 0 && h.column < kGridColumns && h.row >= 0 && h.row < kGridRows;
  const int ox = dx % px;
  const int oy = dy % py;
  const int cell = kMarkCellSize + kMarkCellInset;
  h.onMarkCell = ox >= 0 && ox < cell && oy >= 0 && oy < cell;
  return h;
}

}  // namespace

BoxHit hitTest(const SheetLayout& l, int x, int y) {
  return hit(l, x, y, true);
}

BoxHit hoverTest(const SheetLayout& l, int x, int y) {
  return hit(l, x, y, false);
}

}  // namespace tgc
