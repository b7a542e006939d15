#include "sheet/pagelayout.h"

#include <algorithm>
#include <cstdio>

namespace tgc {

PageLayout layoutPage(double areaWidth, double areaHeight, double sheetWidth, double sheetHeight,
                      double footerHeight) {
  PageLayout l;
  footerHeight = std::clamp(footerHeight, 0.0, areaHeight / 2);
  l.footer = {0, areaHeight - footerHeight, areaWidth, footerHeight};
  const double roomHeight = std::max(0.0, areaHeight - 2 * footerHeight);
  if (sheetWidth <= 0 || sheetHeight <= 0) return l;
  l.scale = std::min(areaWidth / sheetWidth, roomHeight / sheetHeight);
  const double w = sheetWidth * l.scale, h = sheetHeight * l.scale;
  l.sheet = {(areaWidth - w) / 2, (roomHeight - h) / 2, w, h};
  return l;
}

PageFooter pageFooter(const std::string& title, int sheetNumber, int sheetCount, int year, int month,
                      int day) {
  char date[32];
  std::snprintf(date, sizeof date, "%04d/%02d/%02d", year, month, day);
  return {title, "No. " + std::to_string(sheetNumber) + " / " + std::to_string(sheetCount), date};
}

}  // namespace tgc
