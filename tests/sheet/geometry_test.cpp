#include "sheet/geometry.h"

#include <gtest/gtest.h>

namespace tgc {
namespace {

TEST(Geometry, TypeFallsBackToTypeA) {
  Workbook wb;
  EXPECT_EQ(currentSheetType(wb), TypeA);
  wb.sheets.push_back(Sheet{{Box{.sheetType = TypeC}}});
  EXPECT_EQ(currentSheetType(wb), TypeC);
  wb.currentSheet = 3;
  EXPECT_EQ(currentSheetType(wb), TypeA);
  EXPECT_EQ(themeBox(currentSheetType(wb)), (GridPos{2, 2}));
  EXPECT_EQ(themeBox(TypeB), (GridPos{0, 0}));
}

TEST(Geometry, AdjacencyIncludesDiagonalsButNotSelf) {
  EXPECT_TRUE(isAdjacent(0, 0, 1, 1));
  EXPECT_FALSE(isAdjacent(0, 0, 2, 0));
  EXPECT_FALSE(isAdjacent(3, 3, 3, 3));
}

TEST(Geometry, LayoutSplitsTheLeftoverSmallerHalfLeft) {
  const SheetLayout l = computeLayout(178 + 500 + 3, 262 + 500 + 4);
  EXPECT_EQ(l.boxWidth, 100);
  EXPECT_EQ(l.left0, 74);
  EXPECT_EQ(l.boxHeight, 100);
  EXPECT_EQ(l.top0, 152 + 2);
  EXPECT_EQ(boxRect(l, 1, 2), (Rect{74 + 108, 154 + 216, 74 + 208, 154 + 316}));
  const Rect b = boxRect(l, 0, 0);
  EXPECT_EQ(markCellRect(b), (Rect{75, 155, 100, 180}));
  EXPECT_EQ(wordTextRect(b), (Rect{102, 158, 170, 250}));
  EXPECT_EQ(editorRect(b), (Rect{102, 158, 102 + 68, 158 + 93}));
}

TEST(Geometry, EachBoxOwnsFourPixelsOfGapOnEitherSide) {
  const SheetLayout l = computeLayout(681, 764);
  const Rect b = boxRect(l, 1, 1);
  const BoxHit at3 = hitTest(l, b.right + 3, b.top + 10);
  EXPECT_EQ(at3.column, 1);
  EXPECT_EQ(at3.row, 1);
  EXPECT_EQ(hitTest(l, b.right + 4, b.top + 10).column, 2);
}

TEST(Geometry, LeftOfTheGridOnlyTheHoverTestSeesColumnZero) {
  const SheetLayout l = computeLayout(681, 764);
  const BoxHit click = hitTest(l, l.left0 - 2, l.top0 + 2);
  EXPECT_EQ(click.column, -1);
  EXPECT_FALSE(click.insideGrid);
  const BoxHit hover = hoverTest(l, l.left0 - 2, l.top0 + 2);
  EXPECT_EQ(hover.column, 0);
  EXPECT_TRUE(hover.insideGrid);
  EXPECT_TRUE(hover.onMarkCell);
}

TEST(Geometry, MarkCellRunsFromFourBeforeTheBoxToTwentyFourAfter) {
  const SheetLayout l = computeLayout(681, 764);
  const Rect b = boxRect(l, 2, 3);
  EXPECT_TRUE(hitTest(l, b.left + 23, b.top + 23).onMarkCell);
  EXPECT_FALSE(hitTest(l, b.left + 24, b.top + 5).onMarkCell);
  EXPECT_TRUE(hitTest(l, b.left - 4, b.top - 4).onMarkCell);
  EXPECT_EQ(hitTest(l, b.left - 4, b.top - 4).column, 2);
}

TEST(Geometry, IdeaAreas) {
  EXPECT_TRUE(inIdeaArea(TypeB, 0, 2));
  EXPECT_FALSE(inIdeaArea(TypeB, 0, 0));
  EXPECT_TRUE(inIdeaArea(TypeC, 3, 0));
  EXPECT_FALSE(inIdeaArea(TypeC, 0, 0));
  EXPECT_FALSE(inIdeaArea(TypeA, 0, 2));
}

}  // namespace
}  // namespace tgc
