// The sheet on paper, checked by its structure at two scales: white paper,
// grid lines where the layout puts them, a word's pixels inside its box, and
// nothing of the screen (buttons, guide, selection).
#include "sheet/paperrender.h"

#include <gtest/gtest.h>

#include "sheet/paintprims.h"
#include "sheet/sheetfonts.h"
#include "sheet/sheetpainter.h"
#include "tests/widgets/viewrig.h"

namespace tgc::test {
namespace {

int countColour(const QImage& img, const QRect& r, const QColor& c) {
  int n = 0;
  for (int y = r.top(); y <= r.bottom(); ++y)
    for (int x = r.left(); x <= r.right(); ++x) n += img.pixelColor(x, y) == c;
  return n;
}

TEST(PaperRender, SheetOnWhiteWithGridAndWordAtEachScale) {
  ViewRig r;
  r.word(2, 2, "テーマ語");
  // What the screen would show and paper must not: the selection with the
  // editor open over the word, the guide, a hovered and a pressed button.
  r.select(2, 2);
  r.w.editor.editing = 1;
  r.w.shell.guideShown = 1;
  r.w.view.hoverButton = kButtonIdea;
  r.w.view.pressedButton = kButtonNext;
  // The sheet drawn is not the current one.
  r.addSheet(CreateKind::TypeB);

  const QRect paper = paperRect(kPaperViewWidth, kPaperViewHeight);
  const SheetLayout l = computeLayout(kPaperViewWidth, kPaperViewHeight);
  const Rect theme = boxRect(l, 2, 2);
  for (int s : {1, 3}) {
    const QImage img = paperSheetImage(r.w, 0, s, defaultWordFont());
    ASSERT_EQ(img.size(), paperSheetSize() * s);
    EXPECT_EQ(img.size(), QSize(968 * s, 674 * s));
    // A view pixel (x, y) covers an s x s square of the image.
    auto at = [&](int x, int y) {
      return img.pixelColor((x - paper.left()) * s + s / 2, (y - paper.top()) * s + s / 2);
    };
    auto area = [&](int x, int y, int w, int h) {
      return QRect((x - paper.left()) * s, (y - paper.top()) * s, w * s, h * s);
    };
    EXPECT_EQ(at(paper.left(), paper.top()), Qt::white) << s;
    EXPECT_EQ(at(paper.right(), paper.bottom()), Qt::white) << s;
    const int midY = l.top0 + l.boxHeight / 2;
    for (int i = 0; i <= 5; ++i) {
      const int x = l.left0 + i * (l.boxWidth + kBoxGap) - 4;
      EXPECT_EQ(at(x, midY), paint::kLine) << s << " line " << i;
      EXPECT_EQ(at(x + 2, midY), Qt::white) << s << " line " << i;
    }
    // Type-A's double frame round the theme box: sheet 0, not the current B.
    EXPECT_EQ(at(theme.left - 3, theme.top + 40), paint::kLine) << s;
    // The word, in the user's colour, inside its text rectangle.
    const Rect t = wordTextRect(theme);
    EXPECT_GT(countColour(img, area(t.left, t.top, t.width(), t.height()),
                          paint::fromColorRef(r.w.shell.textColor)),
              10 * s * s);
    // No navigation or IDEA! button, no guide balloon, no selection frame.
    EXPECT_EQ(countColour(img, area(400, 99, 60, 24), paint::kPressed), 0) << s;
    EXPECT_EQ(countColour(img, area(kPaperViewWidth - 138, 99, 60, 24), paint::kAccent), 0) << s;
    EXPECT_EQ(countColour(img, img.rect(), paint::kGuideFill), 0) << s;
    EXPECT_EQ(at(theme.left - 5, theme.top + 20), Qt::white) << s;
  }
  saveShot(paperSheetImage(r.w, 0, 1, defaultWordFont()), "paper_x1.png");
}

}  // namespace
}  // namespace tgc::test
