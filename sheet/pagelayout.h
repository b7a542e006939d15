// Where a sheet goes on a printed or exported page: scaled into the
// printable area with its proportions kept, centred above a one-line footer
// that names the workbook, the sheet and the date. Pure arithmetic.
#pragma once

#include <string>

namespace tgc {

struct PageBox {
  double x = 0, y = 0, width = 0, height = 0;
  bool operator==(const PageBox&) const = default;
};

struct PageLayout {
  PageBox sheet;     // where the sheet's picture goes
  PageBox footer;    // the footer line, along the bottom of the area
  double scale = 0;  // sheet units to page units
};

// All sizes in page units (the area's origin is its top-left). The footer
// takes `footerHeight` at the bottom, and as much again keeps it apart from
// the sheet.
PageLayout layoutPage(double areaWidth, double areaHeight, double sheetWidth, double sheetHeight,
                      double footerHeight);

// The footer's three texts (UTF-8): the workbook title on the left, the
// sheet number in the middle, the date on the right.
struct PageFooter {
  std::string left, centre, right;
  bool operator==(const PageFooter&) const = default;
};
PageFooter pageFooter(const std::string& title, int sheetNumber, int sheetCount, int year, int month,
                      int day);

}  // namespace tgc
