// A sheet view over a controller with the default catalog and one Type-A
// sheet, for the widget tests.
#pragma once

#include <QImage>
#include <string>

#include "core/cp932.h"
#include "sheet/sheetview.h"
#include "tests/sheet/sheetrig.h"

namespace tgc::test {

// Workbook text from a UTF-8 literal (this file is not compiled as CP932).
inline std::string cp(const char* utf8) {
  return utf8ToCp932(utf8).value();
}

struct ViewRig : SheetRig {
  explicit ViewRig(int width = 1024, int height = 768) : view(w) { view.resize(width, height); }
  // Writes a word into a box of the current sheet without an undo step.
  void word(int c, int r, const char* utf8) { put(wb().currentSheet, c, r, cp(utf8)); }
  QImage image() { return view.snapshot(); }
  SheetLayout layout() const { return computeLayout(view.width(), view.height()); }

  SheetView view;
};

// Saves a picture for looking at when TGC_SHOTS names a directory.
void saveShot(const QImage& image, const char* name);

}  // namespace tgc::test
