// A controller with the default catalog and one Type-A sheet, as a new
// workbook starts, plus shortcuts to arrange boxes without undo steps.
#pragma once

#include <algorithm>
#include <cstdint>
#include <initializer_list>
#include <string>

#include "marks/defaultcatalog.h"
#include "sheet/geometry.h"
#include "sheet/sheetcommands.h"
#include "tests/support/fakes.h"

namespace tgc::test {

// Mark ids of the default catalog used by the tests.
inline constexpr int32_t kMaterial = 7;   // 素材, element
inline constexpr int32_t kShape = 9;      // 形状, element
inline constexpr int32_t kIncrease = 17;  // 増やす, transform

// The value the shared generator yields first after being seeded.
inline int firstDraw(uint32_t seed) {
  const uint32_t state = seed * 214013u + 2531011u;
  return static_cast<int>((state >> 16) & 0x7FFF);
}

struct SheetRig : Rig {
  SheetRig() {
    fillDefaultCatalog(w.wb());
    w.marks.reloadEntries(w.wb());
    createSheet(w, CreateKind::Initial);
    w.doc.resetHistory();
    w.doc.setModified(0);
  }

  Workbook& wb() { return w.wb(); }
  Sheet& sheet(int index) { return wb().sheets.at(index); }
  Box& box(int c, int r) { return *findBox(*wb().currentSheetPtr(), c, r); }
  Box& box(int sheetIndex, int c, int r) { return *findBox(sheet(sheetIndex), c, r); }
  void select(int c, int r) {
    wb().cursorColumn = c;
    wb().cursorRow = r;
  }
  // Writes a word straight into a box of a sheet, as a loaded file would.
  void put(int sheetIndex, int c, int r, const std::string& text, int32_t mark = -2) {
    Box& b = box(sheetIndex, c, r);
    b.word = enterWord(wb(), text);
    if (mark != -2) b.mark = mark;
  }
  // Appends a sheet of the type, makes it current and forgets the undo step.
  int addSheet(CreateKind kind) {
    createSheet(w, kind);
    w.doc.resetHistory();
    w.doc.setModified(0);
    ui.clearRecord();
    return static_cast<int>(wb().sheets.size()) - 1;
  }
  std::string text(int c, int r) { return wb().wordText(box(c, r).word); }
  // Leaves exactly the marks with these ids active.
  void keepActive(std::initializer_list<int32_t> ids) {
    for (CatalogMark& m : wb().marks)
      m.dormant = m.id > 1 && std::find(ids.begin(), ids.end(), m.id) == ids.end();
    w.marks.reloadEntries(wb());
  }
};

}  // namespace tgc::test
