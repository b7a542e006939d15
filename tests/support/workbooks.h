// Small pieces of workbooks that tests (and the benchmarks) build by hand.
// Header-only and free of GoogleTest.
#pragma once

#include <cstdint>
#include <string>

#include "core/workbook.h"

namespace tgc::test {

// A full sheet of the type, boxes row by row, every box empty and carrying
// the mark (-1: none).
inline Sheet gridSheet(SheetType type, int32_t mark = -1) {
  Sheet s;
  for (int r = 0; r < kGridRows; ++r)
    for (int c = 0; c < kGridColumns; ++c) {
      Box b;
      b.column = c;
      b.row = r;
      b.sheetType = type;
      b.mark = mark;
      s.boxes.push_back(b);
    }
  return s;
}

// A catalog mark as the mark editor adds one: no note, not deleted, unused.
inline CatalogMark userMark(int32_t id, const std::string& glyph, const std::string& name, int32_t attribute,
                            int32_t dormant = 0) {
  return CatalogMark{id, glyph, name, "", dormant, 0, attribute, 0};
}

// "w0", "w1", ...: distinct words for tests that need many. Built with +=
// because GCC 12 warns falsely on "literal" + std::string.
inline std::string numbered(int i) {
  std::string s = "w";
  s += std::to_string(i);
  return s;
}

}  // namespace tgc::test
