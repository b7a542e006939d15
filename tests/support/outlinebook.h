// A workbook of all three sheet types with ideas, a memo and words that
// look like markup, for the export tests (core and command line).
#pragma once

#include "core/cp932literal.h"
#include "marks/defaultcatalog.h"
#include "sheet/geometry.h"
#include "tests/support/workbooks.h"

namespace tgc::test {

inline Workbook outlineWorkbook() {
  Workbook wb;
  fillDefaultCatalog(wb);
  auto put = [&wb](int sheet, int c, int r, const char* text, bool idea = false) {
    Box& b = *findBox(wb.sheets[sheet], c, r);
    b.word = wb.addWord(text);
    b.idea = idea ? 1 : 0;
  };
  // Type-A: words grow out of the theme; "# 孤立" lost its link to it.
  wb.sheets.push_back(gridSheet(TypeA, 7));
  put(0, 2, 2, "ボールペン"_sj);
  put(0, 1, 1, "インク"_sj);
  put(0, 0, 0, "香り*付き"_sj, true);
  put(0, 3, 1, "替え\r\n芯"_sj);
  put(0, 3, 3, "a_b [x](y)"_sj);
  put(0, 4, 4, "1. 先頭"_sj);
  put(0, 0, 4, "# 孤立"_sj);
  wb.memos.push_back(
      {findBox(wb.sheets[0], 0, 0)->word, "  一行目 & <b>\r\n\r\n    二行目 C:\\\r\n三行目\r\n"_sj});
  // Type-B: elements along the top, one of them emptied; an idea in column 0.
  wb.sheets.push_back(gridSheet(TypeB, 7));
  put(1, 0, 0, "ノート"_sj);
  put(1, 1, 0, "紙"_sj);
  put(1, 1, 1, "再生紙"_sj);
  put(1, 1, 2, "方眼"_sj);
  put(1, 2, 1, "厚い"_sj);
  put(1, 0, 1, "方眼ノート"_sj, true);
  // Type-C without a theme: elements down column 0, an idea in row 0.
  wb.sheets.push_back(gridSheet(TypeC, 7));
  put(2, 0, 1, "色"_sj);
  put(2, 1, 1, "<増やす>"_sj);
  put(2, 1, 0, "虹色"_sj, true);
  wb.refreshHasMemo();
  return wb;
}

}  // namespace tgc::test
