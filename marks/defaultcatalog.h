// The 26 marks every new workbook starts with; rows 0 and 1 are the theme
// and idea system marks.
#pragma once

#include <string>

#include "core/workbook.h"

namespace tgc {

struct DefaultMarkRow {
  const char* glyph;  // CP932
  const char* name;
  const char* note;
  const char* attribute;  // "", "1" or "2"
};

inline constexpr int kDefaultMarkCount = 26;

const DefaultMarkRow& defaultMarkRow(int row);
// Row of a system mark, id 0 or 1.
const DefaultMarkRow& systemMarkRow(int id);
// The system mark as the mark editor writes it back: sheetUsage 1.
CatalogMark systemMark(int id);
// Replaces the current catalog by the 26 default marks, ids 0..25.
void fillDefaultCatalog(Workbook& wb);

}  // namespace tgc
