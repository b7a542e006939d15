#include "sheet/sheetpainter.h"

#include <QPainter>

#include "core/docwnd.h"
#include "resources/pictures.h"
#include "sheet/guidepainter.h"
#include "sheet/paintprims.h"
#include "sheet/sheetfonts.h"
#include "sheet/textconv.h"

namespace tgc {

using namespace paint;
using pictures::Picture;

namespace {

// Draws a single line of text with its cell's top-left corner at (x, y).
void textAt(QPainter& p, int x, int y, const QString& text) {
  p.drawText(x, y + p.fontMetrics().ascent(), text);
}

}  // namespace

QRect paperRect(int width, int height) {
  return QRect(27, 66, width - 56, height - 94);
}

namespace {

const Sheet* sheetAt(const Workbook& wb, int index) {
  return index >= 0 && index < static_cast<int>(wb.sheets.size()) ? &wb.sheets[index] : nullptr;
}

}  // namespace

SheetPainter::SheetPainter(QPainter& p, const DocWnd& w, int width, int height, const PaintContext& context)
    : p_(p),
      w_(w),
      W_(width),
      H_(height),
      ctx_(context),
      sheetIndex_(context.sheet >= 0 ? context.sheet : w.wb().currentSheet),
      sheet_(sheetAt(w.wb(), sheetIndex_)),
      type_(sheet_ ? sheetTypeOf(*sheet_) : TypeA) {}

HeaderRects SheetPainter::paint() {
  rects_ = {};
  p_.save();
  p_.setRenderHint(QPainter::TextAntialiasing);
  if (ctx_.paperOnly) {
    p_.fillRect(paperRect(W_, H_), kPaper);
    paintHeader();
    paintGrid();
    p_.restore();
    return rects_;
  }
  paintFrame();
  paintHeader();
  paintGrid();
  paintSelection();
  const ViewInteraction& v = w_.view;
  if (w_.shell.guideShown) paintGuideOverlay(p_, W_, H_, type_);
  if (v.buttonTipState == ButtonTipShown && v.buttonTipButton >= 0 &&
      v.buttonTipButton < kHeaderButtonCount && !w_.editor.editing && rects_[v.buttonTipButton] != Rect{})
    paintButtonTooltip(p_, W_, v.buttonTipButton, rects_[v.buttonTipButton]);
  if (v.markTipState == MarkTipShown) paintMarkTooltip(p_, w_, W_, H_, v.markTipBox);
  p_.restore();
  return rects_;
}

void SheetPainter::paintFrame() {
  // The desk shows only around the paper, so fill just the four bands
  // around it; the pattern stays aligned to the client origin.
  QBrush desk(pictures::deskTile(ctx_.devicePixelRatio));
  p_.setBrushOrigin(0, 0);
  const QRect paper = paperRect(W_, H_);
  const int paperL = paper.left(), paperT = paper.top(), paperR = paper.right() + 1,
            paperB = paper.bottom() + 1;
  p_.fillRect(QRect(0, 0, W_, paperT), desk);
  p_.fillRect(QRect(0, paperB, W_, H_ - paperB), desk);
  p_.fillRect(QRect(0, paperT, paperL, paperB - paperT), desk);
  p_.fillRect(QRect(paperR, paperT, W_ - paperR, paperB - paperT), desk);

  // The board: seven nested quadrilaterals, darker inward. The paper hides
  // their middle, so it is clipped away to save filling it seven times.
  p_.save();
  p_.setClipRegion(
      QRegion(0, 0, W_, H_)
          .subtracted(QRegion(paperL + 1, paperT + 1, paperR - paperL - 2, paperB - paperT - 2)));
  for (int i = 0; i < 7; ++i) {
    const QColor c(215 - 6 * i, 185 - 6 * i, 146 - 6 * i);
    const QPoint pts[4] = {
        {20 + i, 72 + i}, {15 + i, H_ - 17 - i}, {W_ - 16 - i, H_ - 17 - i}, {W_ - 18 - i, 77 + i}};
    p_.setPen(c);
    p_.setBrush(c);
    p_.drawPolygon(pts, 4);
  }
  p_.restore();

  // Shadow levels and the paper: each rectangle lies one pixel up and left
  // of the one before, so of each only a one-pixel right and bottom edge
  // stays visible.
  for (int n = 0; n < 9; ++n) {
    const int e = 75 - n;
    const int g = 210 + 5 * n - (n % 2 == 0 ? 30 : 0);
    const QColor c(g, g, g);
    const int l = e - 39, t = e, r = W_ - 95 + e, b = H_ - 94 + e;
    p_.fillRect(QRect(r - 1, t, 1, b - t), c);
    p_.fillRect(QRect(l, b - 1, r - l, 1), c);
  }
  p_.fillRect(QRect(paperL, paperT, paperR - paperL, paperB - paperT), kPaper);
}

HeaderRects headerButtonRects(int width, SheetType type) {
  HeaderRects r{};
  const auto image = [](int x, int w) { return Rect{x, 11, x + w, 11 + 39}; };
  r[kButtonCreateA] = image(38, 73);
  r[kButtonCreateB] = image(121, 73);
  r[kButtonCreateC] = image(204, 73);
  r[kButtonWordList] = image(297, 49);
  r[kButtonGuide] = image(width - 93, 55);
  r[kButtonPrevious] = {400, 99, 425, 123};
  // The ">" box is drawn at 432 while its label and its hit rectangle lie
  // two pixels further right.
  r[kButtonNext] = {434, 99, 459, 123};
  if (type == TypeA) r[kButtonIdea] = {width - 138, 99, width - 78, 123};
  return r;
}

void SheetPainter::paintImageButton(int id, const Rect& at, int image) {
  const ViewInteraction& v = w_.view;
  const bool pressed = v.pressedButton == id;
  const bool highlighted = pressed || v.hoverButton == id;
  const int shift = pressed ? 1 : 0;
  const int x = at.left + shift, y = at.top + shift, width = at.width();
  drawBevel(p_, x - 4 + shift, y + 2 + shift, x + width + 4 - shift, y + 45 - shift);
  const int row = highlighted ? pictures::kHighlightRow : pictures::kNormalRow;
  p_.drawPixmap(x, y, pictures::image(Picture::ButtonStrip, image, row, ctx_.devicePixelRatio));
  rects_[id] = {x, y, x + width, y + 39};
}

void SheetPainter::paintTextButton(int id, const Rect& at, int boxLeft, const QString& label,
                                   const QFont& font) {
  const int top = at.top, width = at.width(), labelLeft = at.left;
  const ViewInteraction& v = w_.view;
  QColor outline = kAccent, fill = kPaper, text = kAccent;
  if (v.pressedButton == id) {
    outline = fill = kPressed;
    text = Qt::white;
  } else if (v.hoverButton == id) {
    outline = fill = kAccent;
    text = Qt::white;
  }
  drawRoundBox(p_, boxLeft, top, width, 24, 8, outline, fill);
  p_.setFont(font);
  p_.setPen(text);
  p_.drawText(QRect(labelLeft, top, width, 24), Qt::AlignCenter, label);
  rects_[id] = {labelLeft, top, labelLeft + width, top + 24};
}

void SheetPainter::paintHeader() {
  const HeaderRects at = headerButtonRects(W_, type_);
  if (!ctx_.paperOnly) {
    paintImageButton(kButtonCreateA, at[kButtonCreateA], 0);
    paintImageButton(kButtonCreateB, at[kButtonCreateB], 1);
    paintImageButton(kButtonCreateC, at[kButtonCreateC], 2);
    paintImageButton(kButtonWordList, at[kButtonWordList], 4);
    paintImageButton(kButtonGuide, at[kButtonGuide], 5);
  }

  const SheetFonts& f = SheetFonts::get();
  const Workbook& wb = w_.wb();
  const SheetType type = type_;
  static const char* const kTitles[] = {"ThoughtGridCraft Type-A", "ThoughtGridCraft Type-B",
                                        "ThoughtGridCraft Type-C"};
  p_.setPen(kAccent);
  p_.setFont(f.title);
  p_.drawText(QRect(0, H_ - 61, W_ - 76, 40), Qt::AlignRight | Qt::AlignTop,
              QString::fromLatin1(kTitles[type]));

  p_.fillRect(QRect(73, 125, 300, 2), kLine);
  p_.setFont(f.numberLabel);
  textAt(p_, 77, 103, QStringLiteral("No."));
  p_.setFont(f.position);
  const QString position = QStringLiteral("%1 / %2").arg(sheetIndex_ + 1).arg(wb.sheets.size());
  p_.drawText(QRect(103, 94, 270, 60), Qt::AlignHCenter | Qt::AlignTop, position);

  if (ctx_.paperOnly) return;

  paintTextButton(kButtonPrevious, at[kButtonPrevious], 400, QStringLiteral("<"), f.arrow);
  paintTextButton(kButtonNext, at[kButtonNext], 432, QStringLiteral(">"), f.arrow);
  if (type == TypeA)
    paintTextButton(kButtonIdea, at[kButtonIdea], W_ - 138, QStringLiteral("IDEA!"), f.ideaButton);
}

void SheetPainter::paintGrid() {
  const SheetLayout l = computeLayout(W_, H_);
  const int pitchX = l.boxWidth + kBoxGap, pitchY = l.boxHeight + kBoxGap;
  auto X = [&](int i) { return l.left0 + i * pitchX - 4; };
  auto Y = [&](int j) { return l.top0 + j * pitchY - 4; };
  // Filled rectangle from (x1, y1) to (x2, y2), right and bottom exclusive.
  auto fill = [&](int x1, int y1, int x2, int y2, const QColor& c) {
    p_.fillRect(QRect(x1, y1, x2 - x1, y2 - y1), c);
  };

  for (int i = 0; i <= kGridColumns; ++i) fill(X(i), 149, X(i) + 1, H_ - 75, kLine);
  for (int j = 0; j <= kGridRows; ++j) fill(69, Y(j), W_ - 70, Y(j) + 1, kLine);

  switch (type_) {
    case TypeA:
      fill(X(2), Y(2) + 1, X(3) + 1, Y(2) + 2, kLine);
      fill(X(2), Y(3) - 1, X(3) + 1, Y(3), kLine);
      fill(X(2) + 1, Y(2), X(2) + 2, Y(3) + 1, kLine);
      fill(X(3) - 1, Y(2), X(3), Y(3) + 1, kLine);
      break;
    case TypeB:
      fill(X(0), Y(1) - 1, X(5), Y(1), kLine);
      break;
    case TypeC:
      fill(X(1) - 1, Y(0), X(1), Y(5), kLine);
      break;
  }

  // The border: two lines 4 and 5 pixels outside the outer grid lines.
  for (int d = 4; d <= 5; ++d) {
    const int l0 = X(0) - d, t0 = Y(0) - d, r0 = X(5) + d, b0 = Y(5) + d;
    fill(l0, t0, r0 + 1, t0 + 1, kLine);
    fill(l0, b0, r0 + 1, b0 + 1, kLine);
    fill(l0, t0, l0 + 1, b0 + 1, kLine);
    fill(r0, t0, r0 + 1, b0 + 1, kLine);
  }
  // White frames that hide the ends of the grid lines outside the grid.
  for (int d = 1; d <= 2; ++d) {
    const int l0 = X(0) - d, t0 = Y(0) - d, r0 = X(5) + 1 + d, b0 = Y(5) + 1 + d;
    fill(l0, t0, r0, t0 + 1, kPaper);
    fill(l0, b0 - 1, r0, b0, kPaper);
    fill(l0, t0, l0 + 1, b0, kPaper);
    fill(r0 - 1, t0, r0, b0, kPaper);
  }

  if (sheet_) paintBoxes();
}

void SheetPainter::paintBoxes() {
  const SheetLayout l = computeLayout(W_, H_);
  for (int c = 0; c < kGridColumns; ++c)
    for (int r = 0; r < kGridRows; ++r) paintBox(l, c, r);

  // Memo stamps go on top of every box's idea stamp and word.
  const Workbook& wb = w_.wb();
  const Sheet& sheet = *sheet_;
  for (int c = 0; c < kGridColumns; ++c)
    for (int r = 0; r < kGridRows; ++r) {
      const Box* box = findBox(sheet, c, r);
      if (!box || box->word < 0 || !box->idea) continue;
      if (box->word >= static_cast<int>(wb.words.size()) || !wb.words[box->word].hasMemo) continue;
      const Rect b = boxRect(l, c, r);
      p_.drawPixmap(b.right - 30, b.bottom - 30, pictures::image(Picture::Memo, 0, 1, ctx_.devicePixelRatio));
    }
}

void SheetPainter::paintBox(const SheetLayout& layout, int column, int row) {
  const Workbook& wb = w_.wb();
  const Box* box = findBox(*sheet_, column, row);
  const int word = box ? box->word : -1;
  const int markId = box && box->mark != -1 ? box->mark : kThemeMarkId;
  const CatalogMark* mark = wb.findMark(markId);
  // On paper no box is selected, pointed at or being edited.
  const bool onScreen = !ctx_.paperOnly;
  const bool selected = onScreen && wb.cursorColumn == column && wb.cursorRow == row;
  const ViewInteraction& v = w_.view;
  const bool editing = onScreen && w_.editor.editing;
  const Rect b = boxRect(layout, column, row);

  // Mark glyph, centred in its cell in the largest font that fits.
  if (mark && !mark->glyph.empty()) {
    const QString glyph = wordToQt(mark->glyph);
    const SheetFonts& f = SheetFonts::get();
    const QFont* font = &f.glyph24;
    int width = QFontMetrics(*font).horizontalAdvance(glyph);
    if (width > 25) {
      font = &f.glyph18;
      width = QFontMetrics(*font).horizontalAdvance(glyph);
      if (width > 25) {
        font = &f.glyph15;
        width = QFontMetrics(*font).horizontalAdvance(glyph);
      }
    }
    const QFontMetrics fm(*font);
    const bool hover =
        onScreen && v.markTipState != MarkTipIdle && v.markTipBox == GridPos{column, row} && !editing;
    const bool pressedBoxInGrid = v.pressedBox.column >= 0 && v.pressedBox.column < kGridColumns &&
                                  v.pressedBox.row >= 0 && v.pressedBox.row < kGridRows;
    const int shift = v.markCellPressed && selected && pressedBoxInGrid ? 2 : 0;
    const int x = b.left + 1 + shift + (25 - width) / 2;
    const int y = b.top + 1 + shift + (25 - fm.height()) / 2;
    p_.setFont(*font);
    p_.setPen(hover ? kGlyphHover : kAccent);
    p_.drawText(x, y + fm.ascent(), glyph);
  }

  if (box && box->idea)
    p_.drawPixmap(b.left - 30, b.top - 30, pictures::image(Picture::Idea, 0, 1, ctx_.devicePixelRatio));

  if (selected && editing) return;
  QString text;
  QColor colour = fromColorRef(w_.shell.textColor);
  if (word >= 0) {
    text = wordToQt(wb.wordText(word));
    if (box->assisted) colour = kAssisted;
  } else if (selected && w_.shell.markNames && mark) {
    text = wordToQt(mark->name);
    colour = kAccent;
  }
  if (text.isEmpty()) return;
  const Rect tr = wordTextRect(b);
  p_.setPen(colour);
  WrappedText(text, ctx_.textFont, tr.width()).draw(p_, QPoint(tr.left, tr.top), tr.bottom);
}

void SheetPainter::paintSelection() {
  if (!ctx_.hasFocus) return;
  const Workbook& wb = w_.wb();
  const Rect b = boxRect(computeLayout(W_, H_), wb.cursorColumn, wb.cursorRow);
  static const struct {
    int out;
    QColor topLeft, bottomRight;
  } kRings[] = {
      {5, QColor(255, 219, 199), QColor(216, 156, 107)}, {4, QColor(250, 199, 157), QColor(235, 175, 135)},
      {3, QColor(240, 186, 142), QColor(240, 186, 142)}, {2, QColor(235, 175, 135), QColor(250, 199, 157)},
      {1, QColor(216, 156, 107), QColor(255, 219, 199)},
  };
  for (const auto& ring : kRings)
    drawFrame3d(p_, b.left - ring.out, b.top - ring.out, b.right + ring.out + 1, b.bottom + ring.out + 1,
                ring.topLeft, ring.bottomRight);
}

}  // namespace tgc
