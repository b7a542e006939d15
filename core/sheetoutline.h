// The words of sheets as a tree that follows each sheet's own structure, for
// the outline formats other tools read (Markdown, OPML): Type-A grows from
// the theme into its neighbours; Type-B and Type-C go theme → elements →
// their transforms, with the idea area's ideas after them. Text is UTF-8.
#pragma once

#include <string>
#include <vector>

#include "core/workbook.h"

namespace tgc {

struct OutlineItem {
  std::string text;  // one line, never empty
  bool idea = false;
  std::vector<std::string> memos;  // of an idea's word; lines apart by \n
  std::vector<OutlineItem> children;
};

struct SheetOutline {
  int number = 0;     // 1-based
  std::string theme;  // "（テーマなし）" for a sheet without one
  std::vector<OutlineItem> items;
};

struct WorkbookOutline {
  std::string title;      // the workbook's file title
  std::string ideaGlyph;  // the idea mark's glyph, shown before every idea
  std::vector<SheetOutline> sheets;
};

// The outline of the sheets at these positions, in the order given.
WorkbookOutline buildOutline(const Workbook& wb, const std::vector<int>& sheets,
                             const std::string& titleUtf8);

// Workbook text as UTF-8. Bytes that are not CP932 (a damaged file) are
// taken one by one as Latin-1, as the sheet view shows them, so an export
// says what the screen says.
std::string outlineText(const std::string& cp932);

}  // namespace tgc
