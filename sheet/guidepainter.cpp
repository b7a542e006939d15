#include "sheet/guidepainter.h"

#include <QFontMetrics>
#include <QHash>
#include <QPainter>
#include <algorithm>
#include <memory>

#include "core/docwnd.h"
#include "sheet/interaction.h"
#include "sheet/paintprims.h"
#include "sheet/sheetfonts.h"
#include "sheet/textconv.h"

namespace tgc {

using namespace paint;

namespace {

const GuideStep kSteps[3][4] = {
    {{{2, 2}, BalloonDirection::Above},
     {{1, 1}, BalloonDirection::Above},
     {{0, 1}, BalloonDirection::Below},
     {{1, 2}, BalloonDirection::RightPastNext}},
    {{{0, 0}, BalloonDirection::Below},
     {{2, 0}, BalloonDirection::Below},
     {{3, 1}, BalloonDirection::Below},
     {{0, 3}, BalloonDirection::Right}},
    {{{0, 0}, BalloonDirection::Right},
     {{0, 2}, BalloonDirection::Right},
     {{1, 3}, BalloonDirection::Right},
     {{3, 0}, BalloonDirection::Below}},
};

const char* const kStepTexts[3][4] = {
    {"　製品、道具、手法などをテーマとして入力します。",
     "　隣接するワクのどれかに、テーマに対するマークの意味に沿った語句を入力します。\n（斜め方向も隣接としま"
     "す。）",
     "　直前に入力した語句に対して、隣接するワクに、さらに語句を展開していきます。",
     "　もし、アイデアが出れば、（原則として）関連の語句に隣接するワクに入力し、IDEAボタンでアイデア印を設定"
     "します。そ"
     "のワク本来のマークは何でも構いません。"},
    {"　製品、道具、手法などをテーマとして入力します。",
     "　一行目に、テーマの要素となる語句を、マークの意味に沿ってそれぞれ入力します。",
     "　二行目以降にはテーマとは異なる要素を入力していきます。",
     "　もし、アイデアが出れば、一列目に入力します。テーマ以外の一列目であればどこでもかまいません。"},
    {"　製品、道具、手法などをテーマとして入力します。",
     "　一列目に、テーマの要素となる語句を、マークの意味に沿ってそれぞれ入力します。",
     "　二列目以降には要素を変化させる語句を、マークの意味に沿って入力します。",
     "　もし、アイデアが出れば、一行目に入力します。テーマ以外の一行目であればどこでもかまいません。"},
};

const char* const kPurposes[3] = {
    " 当シートの目的は、要素化と変換を繰り返すことで、意外な展開の発想を得ようとするものです。",
    " 当シートの目的は、元となる語句を要素化し、さらに、それらを別の要素に置き換えることで、新しい組合わせを"
    "生みだそうとするものです。",
    " 当シートの目的は、元となる語句を要素化し、それらの変換を複数行うことで、より飛躍した発想を得ようとする"
    "ものです。",
};

const char* const kLabels[3] = {"シートタイプＡ", "シートタイプＢ", "シートタイプＣ"};

const char* const kTips[3] = {
    "考えても語句やアイデアが出ない場合は、あきらめて次のシートに移ってください。",
    "あまり厳格にマークの意味に沿う必要はありません。",
    "また、全てのワクを埋める必要はありません。",
};

const char* const kButtonLabels[kHeaderButtonCount] = {
    "シート作成 タイプＡ  (F7)", "シート作成 タイプＢ  (F8)",      "シート作成 タイプＣ  (F9)",
    "語句リスト  (Ctrl+L)",      "シート入力手順ガイド  (Ctrl+G)", "前のシート  (F3)",
    "後のシート  (F4)",          "アイデア登録  Ctrl+Enter",
};

// The guide's texts are fixed, so their layouts are kept between paints.
const WrappedText& layoutOf(const QString& text, const QFont& font, int width) {
  static QHash<QString, std::shared_ptr<WrappedText>> cache;
  const QString key = font.key() + QChar(0x1F) + QString::number(width) + QChar(0x1F) + text;
  auto it = cache.find(key);
  if (it != cache.end()) return **it;
  if (cache.size() > 256) cache.clear();
  return **cache.insert(key, std::make_shared<WrappedText>(text, font, width));
}

int typeIndex(SheetType t) {
  return t == TypeB || t == TypeC ? t : 0;
}

// A white label on a GuideMarkColour tab, the tab's top-left at (left, top).
void labelTab(QPainter& p, int left, int top, int textLeft, int textTop, const QString& text) {
  const QFont& font = SheetFonts::get().guideLabel;
  const QFontMetrics fm(font);
  drawRoundBox(p, left, top, fm.horizontalAdvance(text) + 12, fm.height() + 10, 6, kGuideMark, kGuideMark);
  p.setFont(font);
  p.setPen(Qt::white);
  p.drawText(textLeft, textTop + fm.ascent(), text);
}

}  // namespace

GuideStep guideStep(SheetType type, int step) {
  return kSteps[typeIndex(type)][std::clamp(step, 0, 3)];
}

QString guideStepText(SheetType type, int step) {
  return QString::fromUtf8(kStepTexts[typeIndex(type)][std::clamp(step, 0, 3)]);
}

QString guidePurposeText(SheetType type) {
  return QString::fromUtf8(kPurposes[typeIndex(type)]);
}

QString guideLabelText(SheetType type) {
  return QString::fromUtf8(kLabels[typeIndex(type)]);
}

QString guideTipText(int tip) {
  return QString::fromUtf8(kTips[std::clamp(tip, 0, 2)]);
}

QString guideTipsLabelText() {
  return QStringLiteral("使用のコツ");
}

QString guideReadingText(SheetType type) {
  QStringList parts{guideLabelText(type), guidePurposeText(type).trimmed()};
  for (int step = 0; step < 4; ++step)
    parts << QString::number(step + 1) + QLatin1Char(' ') + guideStepText(type, step).trimmed();
  parts << guideTipsLabelText();
  for (int tip = 0; tip < 3; ++tip) parts << guideTipText(tip);
  return parts.join(QLatin1Char('\n'));
}

QString buttonTooltipText(int button) {
  if (button < 0 || button >= kHeaderButtonCount) return {};
  return QString::fromUtf8(kButtonLabels[button]);
}

GuideBalloon guideBalloon(SheetType type, int step, int W, int H) {
  const GuideStep s = guideStep(type, step);
  const SheetLayout l = computeLayout(W, H);
  const Rect b = boxRect(l, s.box.column, s.box.row);
  const int bw = l.boxWidth, bh = l.boxHeight;
  const int U = b.left + (bw + 8) / 2, R = b.top + (bh + 8) / 2;
  const int Vx = (bw + 8) / 2, Vy = (bh + 8) / 2;
  const int O = step == 0 ? 170 : 220;
  int P = O + 20;
  // Measured in the width the text is drawn in, so no line is cut off.
  const int Q = layoutOf(guideStepText(type, step), SheetFonts::get().guideText, O).height();
  const int S = Q + 16;
  int a = 0, Y = 0;
  switch (s.direction) {
    case BalloonDirection::Right:
      a = U + Vx + 10;
      Y = R - S / 2;
      break;
    case BalloonDirection::RightPastNext:
      a = U + Vx + bw + 18;
      Y = R;
      break;
    case BalloonDirection::Below:
      a = U - P / 2;
      Y = R + Vy + 10;
      break;
    case BalloonDirection::Above:
      a = U - P / 2;
      Y = R - Q - 8 - Vy - 26;
      break;
  }
  if (a + P > W - 20) a = W - O - 40;
  if (a < 20) a = 20;
  if (a + P > W) P = W - a;
  return {a, Y, P, S, Q, U, R};
}

TooltipBox placeTooltip(int anchorLeft, int anchorWidth, int width, int W) {
  int x = anchorLeft + (anchorWidth - width) / 2;
  if (x + width > W - 20) x = W - 20 - width;
  if (x < 20) x = 20;
  if (x + width > W) width = W - x;
  return {x, width};
}

void paintGuideOverlay(QPainter& p, int W, int H, SheetType type) {
  const SheetFonts& f = SheetFonts::get();

  // Tips panel with its label tab.
  drawRoundBox(p, W - 565, H - 86, 550, 71, 8, kGuideFill, kGuideFill);
  for (int k = 0; k < 3; ++k) {
    const int y = H - 86 + 18 * k;
    drawPolygon(p, {{W - 553, y + 13}, {W - 553, y + 22}, {W - 544, y + 17}}, kGuideMark);
    p.setFont(f.guideText);
    p.setPen(Qt::black);
    p.drawText(QRect(W - 535, y + 10, 510, 20), Qt::AlignLeft | Qt::AlignTop | Qt::TextSingleLine,
               guideTipText(k));
  }
  {
    const QString label = guideTipsLabelText();
    const int h = QFontMetrics(f.guideLabel).height() + 10;
    labelTab(p, W - 580, H - 81 - h, W - 574, H - 76 - h, label);
  }

  // The four numbered step balloons.
  for (int k = 0; k < 4; ++k) {
    const GuideBalloon g = guideBalloon(type, k, W, H);
    const GuideStep s = guideStep(type, k);
    drawRoundBox(p, g.left, g.top, g.width, g.height, 10, kGuideFill, kGuideFill);
    if (s.direction == BalloonDirection::Right || s.direction == BalloonDirection::RightPastNext) {
      const int cy = g.top + g.height / 2;
      drawPolygon(p, {{g.left, cy - 8}, {g.left, cy + 8}, {g.pointX, g.pointY}}, kGuideFill);
    } else {
      const int cx = g.left + g.width / 2;
      const int y = s.direction == BalloonDirection::Below ? g.top : g.top + g.textHeight + 15;
      drawPolygon(p, {{cx - 8, y}, {cx + 8, y}, {g.pointX, g.pointY}}, kGuideFill);
    }
    drawCircle(p, g.left - 12, g.top - 12, 30, kGuideMark);
    p.setPen(Qt::black);
    layoutOf(guideStepText(type, k), f.guideText, g.width - 20)
        .draw(p, QPoint(g.left + 10, g.top + 8), g.top + g.height);
    p.setFont(f.guideNumber);
    p.setPen(Qt::white);
    p.drawText(g.left - 2, g.top - 8 + QFontMetrics(f.guideNumber).ascent(), QString::number(k + 1));
  }

  // Purpose box with the type label.
  const WrappedText& purpose = layoutOf(guidePurposeText(type), f.guideText, 450);
  const int h = purpose.height();
  drawRoundBox(p, 35, 40, 470, h + 16, 10, kGuideFill, kGuideFill);
  p.setPen(Qt::black);
  purpose.draw(p, QPoint(45, 48), h + 56);
  const int g = QFontMetrics(f.guideLabel).height() + 10;
  labelTab(p, 25, 45 - g, 31, 50 - g, guideLabelText(type));
}

void paintButtonTooltip(QPainter& p, int W, int button, const Rect& r) {
  const QFont& font = SheetFonts::get().tooltip;
  const QFontMetrics fm(font);
  const QString text = buttonTooltipText(button);
  const TooltipBox box = placeTooltip(r.left, r.width(), fm.horizontalAdvance(text) + 14, W);
  const int y = r.bottom + 20;
  const int centre = r.left + r.width() / 2;
  drawRoundBox(p, box.left, y, box.width, fm.height() + 10, 4, kTooltip, kTooltip);
  drawPolygon(p, {{centre - 8, y}, {centre + 8, y}, {centre, r.bottom}}, kTooltip);
  p.setFont(font);
  p.setPen(Qt::black);
  p.drawText(box.left + 7, y + 5 + fm.ascent(), text);
}

void paintMarkTooltip(QPainter& p, const DocWnd& w, int W, int H, GridPos at) {
  if (w.editor.editing) return;
  const Workbook& wb = w.wb();
  const Sheet* sheet = wb.currentSheetPtr();
  if (!sheet) return;
  const Box* box = findBox(*sheet, at.column, at.row);
  if (!box || box->mark == -1) return;
  const CatalogMark* mark = wb.findMark(box->mark);
  if (!mark) return;

  const QFont& font = SheetFonts::get().tooltip;
  const QFontMetrics fm(font);
  const QString line1 = QStringLiteral("【") + wordToQt(mark->glyph) + QLatin1Char(' ') +
                        wordToQt(mark->name) + QStringLiteral("】");
  const QString line2 = QStringLiteral("　") + wordToQt(mark->note);
  const int w2 = fm.horizontalAdvance(line2);
  const bool wrapped = W - 40 < w2;
  const int lh = fm.height();
  const int width = wrapped ? W - 54 : std::max(fm.horizontalAdvance(line1), w2) + 14;
  const int height = (wrapped ? 3 : 2) * lh + 13;

  const Rect b = boxRect(computeLayout(W, H), at.column, at.row);
  const int xc = b.left + 13, yb = b.top + 26;
  const TooltipBox place = placeTooltip(xc, 25, width, W);
  const int y = yb + 20;
  drawRoundBox(p, place.left, y, place.width, height, 6, kTooltip, kTooltip);
  drawPolygon(p, {{xc - 8, y}, {xc + 8, y}, {xc, yb}}, kTooltip);
  p.setFont(font);
  p.setPen(Qt::black);
  p.drawText(place.left + 7, y + 6 + fm.ascent(), line1);
  if (!wrapped) {
    p.drawText(place.left + 7, y + lh + 8 + fm.ascent(), line2);
  } else {
    // The note wraps over the last two lines of the balloon; what does not
    // fit them is cut off.
    WrappedText(line2, font, place.width - 14).draw(p, QPoint(place.left + 7, y + lh + 8), y + 3 * lh + 8);
  }
}

}  // namespace tgc
