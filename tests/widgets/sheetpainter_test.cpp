// Pixels of the painted sheet view where the layout fixes them.
#include <gtest/gtest.h>

#include <QPainter>

#include "sheet/guidepainter.h"
#include "sheet/paintprims.h"
#include "sheet/sheetfonts.h"
#include "sheet/sheetpainter.h"
#include "tests/widgets/viewrig.h"

namespace tgc::test {
namespace {

constexpr int kW = 1024, kH = 768;

struct PaintRig : ViewRig {
  PaintRig() : ViewRig(kW, kH) {}
  QImage paint(bool focus = false) {
    QImage img(kW, kH, QImage::Format_RGB32);
    img.fill(Qt::black);
    QPainter p(&img);
    PaintContext ctx;
    ctx.hasFocus = focus;
    ctx.textFont = defaultWordFont();
    rects = SheetPainter(p, w, kW, kH, ctx).paint();
    return img;
  }
  int X(int i) const { return layout().left0 + i * (layout().boxWidth + 8) - 4; }
  int Y(int j) const { return layout().top0 + j * (layout().boxHeight + 8) - 4; }
  HeaderRects rects{};
};

QColor at(const QImage& img, int x, int y) {
  return img.pixelColor(x, y);
}

// How many pixels of a colour lie in a rectangle.
int count(const QImage& img, QRect r, const QColor& c) {
  int n = 0;
  for (int y = r.top(); y <= r.bottom(); ++y)
    for (int x = r.left(); x <= r.right(); ++x) n += img.pixelColor(x, y) == c;
  return n;
}

int nonWhite(const QImage& img, QRect r) {
  return r.width() * r.height() - count(img, r, Qt::white);
}

TEST(SheetPainting, DeskBoardShadowAndPaper) {
  PaintRig r;
  const QImage img = r.paint();
  // Desk stripes, aligned to the client origin.
  EXPECT_EQ(at(img, 2, 0), QColor(232, 186, 140));
  EXPECT_EQ(at(img, 2, 1), QColor(235, 203, 148));
  EXPECT_EQ(at(img, 2, 2), QColor(238, 206, 164));
  EXPECT_EQ(at(img, 7, 3), QColor(232, 186, 140));
  // The innermost board quadrilateral just left of the paper.
  EXPECT_EQ(at(img, 26, 400), QColor(179, 149, 110));
  // Shadow levels below the paper, outermost first.
  EXPECT_EQ(at(img, 300, kH - 20), QColor(180, 180, 180));
  EXPECT_EQ(at(img, 300, kH - 21), QColor(215, 215, 215));
  EXPECT_EQ(at(img, 300, kH - 28), QColor(220, 220, 220));
  EXPECT_EQ(at(img, 300, kH - 29), QColor(255, 255, 255));  // paper
  EXPECT_EQ(at(img, 27, 66), QColor(255, 255, 255));
  EXPECT_EQ(at(img, kW - 30, 300), QColor(255, 255, 255));
  EXPECT_NE(at(img, kW - 29, 300), QColor(255, 255, 255));
}

TEST(SheetPainting, GridLinesSeparatorsAndBorder) {
  PaintRig r;
  const QImage img = r.paint();
  const int midY = r.layout().top0 + r.layout().boxHeight / 2;
  for (int i = 0; i <= 5; ++i) EXPECT_EQ(at(img, r.X(i), midY), paint::kLine) << i;
  EXPECT_EQ(at(img, r.X(1) + 1, midY), Qt::white);
  // Type-A: the frame round the theme box is two pixels thick, others one.
  const int midX2 = r.X(2) + 40;
  EXPECT_EQ(at(img, midX2, r.Y(2)), paint::kLine);
  EXPECT_EQ(at(img, midX2, r.Y(2) + 1), paint::kLine);
  EXPECT_EQ(at(img, midX2, r.Y(2) + 2), Qt::white);
  EXPECT_EQ(at(img, midX2, r.Y(3) - 1), paint::kLine);
  EXPECT_EQ(at(img, r.X(3) - 1, r.Y(2) + 60), paint::kLine);
  const int midX1 = r.X(1) + 40;
  EXPECT_EQ(at(img, midX1, r.Y(1) + 1), Qt::white);
  // Border 4 and 5 pixels outside, white in between.
  EXPECT_EQ(at(img, r.X(0) - 4, midY), paint::kLine);
  EXPECT_EQ(at(img, r.X(0) - 5, midY), paint::kLine);
  EXPECT_EQ(at(img, r.X(0) - 2, midY), Qt::white);
  EXPECT_EQ(at(img, midX1, r.Y(5) + 5), paint::kLine);
  // The number underline.
  EXPECT_EQ(at(img, 200, 126), paint::kLine);
}

TEST(SheetPainting, TypeBAndTypeCSeparatorsAndNoIdeaButton) {
  PaintRig r;
  r.paint();
  EXPECT_EQ(r.rects[kButtonIdea], (Rect{kW - 138, 99, kW - 78, 123}));
  r.addSheet(CreateKind::TypeB);
  QImage img = r.paint();
  EXPECT_EQ(r.rects[kButtonIdea], Rect{});
  EXPECT_EQ(count(img, QRect(kW - 138, 99, 60, 24), paint::kAccent), 0);
  const int x = r.X(2) + 40;
  EXPECT_EQ(at(img, x, r.Y(1) - 1), paint::kLine);
  EXPECT_EQ(at(img, x, r.Y(1)), paint::kLine);
  EXPECT_EQ(at(img, x, r.Y(1) - 2), Qt::white);
  EXPECT_EQ(at(img, x, r.Y(2) - 1), Qt::white);
  r.addSheet(CreateKind::TypeC);
  img = r.paint();
  EXPECT_EQ(r.rects[kButtonIdea], Rect{});
  const int y = r.Y(2) + 60;
  EXPECT_EQ(at(img, r.X(1) - 1, y), paint::kLine);
  EXPECT_EQ(at(img, r.X(2) - 1, y), Qt::white);
}

TEST(SheetPainting, HeaderButtonsShiftWhenPressedAndNextLabelSitsTwoPixelsRight) {
  PaintRig r;
  r.paint();
  EXPECT_EQ(r.rects[0], (Rect{38, 11, 111, 50}));
  EXPECT_EQ(r.rects[3], (Rect{297, 11, 346, 50}));
  EXPECT_EQ(r.rects[4], (Rect{kW - 93, 11, kW - 38, 50}));
  EXPECT_EQ(r.rects[5], (Rect{400, 99, 425, 123}));
  EXPECT_EQ(r.rects[6], (Rect{434, 99, 459, 123}));
  r.w.view.pressedButton = 2;
  r.paint();
  EXPECT_EQ(r.rects[2], (Rect{205, 12, 278, 51}));
  r.w.view.pressedButton = 5;
  const QImage img = r.paint();
  EXPECT_EQ(at(img, 412, 101), paint::kPressed);
  EXPECT_EQ(r.rects[5], (Rect{400, 99, 425, 123}));  // text buttons do not move
}

TEST(SheetPainting, SelectionFrameOnlyWithFocus) {
  PaintRig r;
  r.select(1, 3);
  const Rect b = boxRect(r.layout(), 1, 3);
  const QImage without = r.paint(false);
  EXPECT_EQ(at(without, b.left - 5, b.top + 20), Qt::white);
  const QImage with = r.paint(true);
  EXPECT_EQ(at(with, b.left - 5, b.top + 20), QColor(255, 219, 199));
  EXPECT_EQ(at(with, b.left + 20, b.top - 5), QColor(255, 219, 199));
  EXPECT_EQ(at(with, b.right + 5, b.top + 20), QColor(216, 156, 107));
  EXPECT_EQ(at(with, b.left + 20, b.bottom + 5), QColor(216, 156, 107));
  EXPECT_EQ(at(with, b.left - 3, b.top + 20), QColor(240, 186, 142));
  EXPECT_EQ(at(with, b.left - 1, b.top + 20), QColor(216, 156, 107));
  EXPECT_EQ(at(with, b.right + 1, b.top + 20), QColor(255, 219, 199));
}

TEST(SheetPainting, WordsAssistedWordsMarkNamesAndTheOpenEditor) {
  PaintRig r;
  r.word(2, 2, "テーマ語");
  const Rect b = boxRect(r.layout(), 2, 2);
  const QRect text(b.left + 28, b.top + 4, b.width() - 32, b.height() - 8);
  r.select(0, 0);
  const QImage plain = r.paint();
  EXPECT_GT(count(plain, text, paint::fromColorRef(r.w.shell.textColor)), 10);
  r.box(2, 2).assisted = 1;
  const QImage assisted = r.paint();
  EXPECT_GT(count(assisted, text, paint::kAssisted), 10);
  // While the editor is open the selected box keeps its glyph, not its word.
  r.select(2, 2);
  r.w.editor.editing = 1;
  const QImage editing = r.paint();
  EXPECT_EQ(nonWhite(editing, text), 0);
  EXPECT_GT(count(editing, QRect(b.left + 1, b.top + 1, 25, 25), paint::kAccent), 10);
  r.w.editor.editing = 0;

  // The mark name shows in the selected empty box, and only when enabled.
  const Rect e = boxRect(r.layout(), 1, 1);
  const QRect emptyText(e.left + 28, e.top + 4, e.width() - 32, e.height() - 8);
  r.select(1, 1);
  EXPECT_GT(count(r.paint(), emptyText, paint::kAccent), 10);
  r.w.shell.markNames = 0;
  EXPECT_EQ(nonWhite(r.paint(), emptyText), 0);
}

TEST(SheetPainting, WideGlyphFallsBackToASmallerFont) {
  PaintRig r;
  r.wb().marks.push_back({});
  CatalogMark& m = r.wb().marks.back();
  m.id = 900;
  m.glyph = cp("◎◎");
  m.name = cp("二重");
  r.box(4, 4).mark = 900;
  const QImage img = r.paint();
  const Rect b = boxRect(r.layout(), 4, 4);
  // At 24 pixels the two glyphs would reach 48 pixels to the right; the
  // 15-pixel fallback keeps them near the 25-pixel cell.
  EXPECT_GT(count(img, QRect(b.left - 2, b.top, 34, 28), paint::kAccent), 10);
  EXPECT_EQ(count(img, QRect(b.left + 33, b.top, 30, 28), paint::kAccent), 0);
}

TEST(SheetPainting, PressedMarkCellMovesTheSelectedGlyphTwoPixels) {
  PaintRig r;
  r.select(3, 1);
  const Rect b = boxRect(r.layout(), 3, 1);
  const QRect cell(b.left, b.top, 30, 30);
  const QImage normal = r.paint().copy(cell);
  r.w.view.markCellPressed = true;
  r.w.view.pressedBox = {3, 1};
  const QImage pressed = r.paint().copy(cell);
  EXPECT_EQ(pressed.copy(3, 3, 24, 24), normal.copy(1, 1, 24, 24));
  r.w.view.pressedBox = {-1, 1};  // pressed outside the grid: not moved
  EXPECT_EQ(r.paint().copy(cell), normal);
}

TEST(SheetPainting, DoubleRatioKeepsTheDeskStripesOneLogicalPixelHigh) {
  PaintRig r;
  const QImage img = r.view.snapshot(2);
  ASSERT_EQ(img.size(), QSize(2 * kW, 2 * kH));
  EXPECT_EQ(img.pixelColor(4, 0), QColor(232, 186, 140));
  EXPECT_EQ(img.pixelColor(4, 1), QColor(232, 186, 140));
  EXPECT_EQ(img.pixelColor(4, 2), QColor(235, 203, 148));
  EXPECT_EQ(img.pixelColor(4, 4), QColor(238, 206, 164));
  // One-pixel grid lines become two device pixels, not a blur.
  const int x = 2 * r.X(1), y = 2 * (r.layout().top0 + 30);
  EXPECT_EQ(img.pixelColor(x, y), paint::kLine);
  EXPECT_EQ(img.pixelColor(x + 1, y), paint::kLine);
  EXPECT_EQ(img.pixelColor(x + 2, y), QColor(Qt::white));
}

TEST(SheetPainting, WorkbookWithoutSheetsPaintsTheEmptyGrid) {
  PaintRig r;
  r.wb().sheets.clear();
  const QImage img = r.paint();
  const Rect b = boxRect(r.layout(), 0, 0);
  EXPECT_EQ(count(img, QRect(b.left + 1, b.top + 1, 25, 25), paint::kAccent), 0);
  EXPECT_EQ(at(img, r.X(1), r.layout().top0 + 20), paint::kLine);
  EXPECT_NE(r.rects[kButtonIdea], Rect{});  // Type-A is assumed
}

TEST(SheetPainting, IdeaAndMemoStampsAppearForIdeasWithMemos) {
  PaintRig r;
  r.word(2, 2, "テーマ");
  r.word(3, 3, "発想");
  const Rect b = boxRect(r.layout(), 3, 3);
  const QRect memoArea(b.right - 30, b.bottom - 30, 59, 34);
  const QRect ideaArea(b.left - 30, b.top - 30, 96, 58);
  const QImage before = r.paint();
  r.box(3, 3).idea = 1;
  const QImage idea = r.paint();
  EXPECT_NE(before.copy(ideaArea), idea.copy(ideaArea));
  EXPECT_EQ(before.copy(memoArea), idea.copy(memoArea));
  r.wb().words[r.box(3, 3).word].hasMemo = 1;
  const QImage memo = r.paint();
  EXPECT_NE(idea.copy(memoArea), memo.copy(memoArea));
}

TEST(Tooltips, ButtonTooltipPlacementAndEditorSuppression) {
  PaintRig r;
  r.w.view.buttonTipState = ButtonTipShown;
  r.w.view.buttonTipButton = kButtonCreateA;
  const QImage shown = r.paint();
  // Balloon top is 20 pixels below the button; the pointer reaches it.
  EXPECT_EQ(at(shown, 23, 50 + 20 + 10), paint::kTooltip);
  EXPECT_NE(at(shown, 23, 50 + 18), paint::kTooltip);
  EXPECT_EQ(at(shown, 74, 60), paint::kTooltip);
  r.w.editor.editing = 1;
  const QImage editing = r.paint();
  EXPECT_EQ(count(editing, QRect(20, 50, 200, 40), paint::kTooltip), 0);
}

TEST(Tooltips, PlacementKeepsTwentyPixelsFromTheEdges) {
  EXPECT_EQ(placeTooltip(900, 55, 200, 1024).left, 804);
  EXPECT_EQ(placeTooltip(0, 20, 100, 1024).left, 20);
  const TooltipBox wide = placeTooltip(0, 20, 1100, 1024);
  EXPECT_EQ(wide.left, 20);
  EXPECT_EQ(wide.width, 1004);
}

TEST(Tooltips, LongMarkNoteWrapsIntoAThreeLineBalloon) {
  PaintRig r;
  CatalogMark* m = r.wb().findMark(r.box(1, 1).mark);
  ASSERT_NE(m, nullptr);
  std::string note;
  for (int i = 0; i < 40; ++i) note += cp("長い説明");
  m->note = note;
  r.w.view.markTipState = MarkTipShown;
  r.w.view.markTipBox = {1, 1};
  const QImage img = r.paint();
  const Rect b = boxRect(r.layout(), 1, 1);
  const int y = b.top + 26 + 20;
  const int lh = QFontMetrics(SheetFonts::get().tooltip).height();
  const int height = 3 * lh + 13;
  // Width W - 54 from the left limit of 20.
  EXPECT_EQ(at(img, 22, y + 10), paint::kTooltip);
  EXPECT_EQ(at(img, 20 + kW - 54 - 2, y + 10), paint::kTooltip);
  EXPECT_NE(at(img, 20 + kW - 54 + 1, y + 10), paint::kTooltip);
  EXPECT_EQ(at(img, 400, y + height - 2), paint::kTooltip);
  EXPECT_NE(at(img, 400, y + height + 1), paint::kTooltip);
}

TEST(Tooltips, NoMarkTooltipForABoxWithoutMark) {
  PaintRig r;
  r.box(1, 1).mark = -1;
  r.w.view.markTipState = MarkTipShown;
  r.w.view.markTipBox = {1, 1};
  const Rect b = boxRect(r.layout(), 1, 1);
  EXPECT_EQ(count(r.paint(), QRect(20, b.top + 46, 600, 40), paint::kTooltip), 0);
}

TEST(Guide, BalloonsFollowTheStepTableAndStayInsideTheView) {
  // Type-A step 4 points at (1, 2) from right of the theme box.
  const SheetLayout l = computeLayout(kW, kH);
  const Rect b = boxRect(l, 1, 2);
  const GuideBalloon g = guideBalloon(TypeA, 3, kW, kH);
  const int U = b.left + (l.boxWidth + 8) / 2, R = b.top + (l.boxHeight + 8) / 2;
  EXPECT_EQ(g.pointX, U);
  EXPECT_EQ(g.pointY, R);
  EXPECT_EQ(g.left, U + (l.boxWidth + 8) / 2 + l.boxWidth + 18);
  EXPECT_EQ(g.top, R);
  EXPECT_GT(g.left, boxRect(l, 2, 2).right);  // the pointer crosses the theme box
  for (SheetType t : {TypeA, TypeB, TypeC})
    for (int k = 0; k < 4; ++k) {
      const GuideBalloon s = guideBalloon(t, k, 650, 500);
      EXPECT_GE(s.left, 20);
      EXPECT_LE(s.left + s.width, 650);
    }
  // Near the right edge a balloon is moved to end 20 pixels before it.
  const GuideBalloon a4 = guideBalloon(TypeA, 3, 640, 500);
  EXPECT_EQ(a4.left, 640 - 220 - 40);
  EXPECT_EQ(a4.left + a4.width, 620);
}

TEST(Guide, TextsKeepTheirLeadingSpaces) {
  EXPECT_TRUE(guideStepText(TypeB, 1).startsWith(QChar(0x3000)));
  EXPECT_TRUE(guidePurposeText(TypeC).startsWith(QLatin1Char(' ')));
  EXPECT_EQ(guideStepText(TypeA, 0), guideStepText(TypeC, 0));
  EXPECT_NE(guideStepText(TypeB, 3), guideStepText(TypeC, 3));
  EXPECT_EQ(buttonTooltipText(kButtonIdea), QStringLiteral("アイデア登録  Ctrl+Enter"));
}

TEST(Guide, OverlayCoversTheSheetWithBalloons) {
  PaintRig r;
  const QImage off = r.paint();
  r.w.shell.guideShown = 1;
  const QImage on = r.paint();
  EXPECT_EQ(count(off, QRect(0, 0, kW, kH), paint::kGuideFill), 0);
  EXPECT_GT(count(on, QRect(kW - 565, kH - 86, 550, 71), paint::kGuideFill), 20000);
  EXPECT_EQ(at(on, 38, 60), paint::kGuideFill);  // purpose box
}

}  // namespace
}  // namespace tgc::test
