#include "sheet/pagelayout.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace tgc {
namespace {

TEST(PageLayout, SheetKeepsItsProportionsCentredAboveTheFooter) {
  const struct {
    double areaW, areaH, footer;
    PageBox sheet;
  } kCases[] = {
      // Landscape page taller than the sheet's shape: the width limits.
      {1000, 800, 20, {0, (760 - 500) / 2.0, 1000, 500}},
      // Wide page: the height limits, the sheet is centred across.
      {2000, 540, 20, {(2000 - 1000) / 2.0, 0, 1000, 500}},
      // Portrait page.
      {500, 900, 50, {0, (800 - 250) / 2.0, 500, 250}},
      // A footer taller than half the page is cut to half; no room is left.
      {400, 100, 80, {200, 0, 0, 0}},
  };
  for (const auto& c : kCases) {
    const PageLayout l = layoutPage(c.areaW, c.areaH, 200, 100, c.footer);
    EXPECT_EQ(l.sheet, c.sheet) << c.areaW << " x " << c.areaH;
    EXPECT_DOUBLE_EQ(l.sheet.width, 200 * l.scale);
    EXPECT_DOUBLE_EQ(l.sheet.height, 100 * l.scale);
    const double footer = std::min(c.footer, c.areaH / 2);
    EXPECT_EQ(l.footer, (PageBox{0, c.areaH - footer, c.areaW, footer}));
    EXPECT_LE(l.sheet.y + l.sheet.height, l.footer.y - footer);  // a footer's height apart
  }
}

TEST(PageLayout, FooterNamesWorkbookSheetAndDate) {
  EXPECT_EQ(pageFooter("企画会議", 3, 12, 2025, 1, 9), (PageFooter{"企画会議", "No. 3 / 12", "2025/01/09"}));
}

}  // namespace
}  // namespace tgc
