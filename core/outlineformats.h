// The outline of sheets in the two exchange formats that notes, outliner and
// mind-map programs read: CommonMark Markdown and OPML 2.0, both UTF-8 with
// LF line ends. Every text is escaped, so a word is shown as typed, never
// taken as markup.
#pragma once

#include <string>

#include "core/sheetoutline.h"

namespace tgc {

// A title heading, then per sheet a heading and a nested bullet list; ideas
// carry the idea glyph and are bold; memos are block quotes under their idea,
// each line break kept as a hard break.
std::string toMarkdown(const WorkbookOutline& outline);

// The same tree as outline elements; memos in the `_note` attribute.
std::string toOpml(const WorkbookOutline& outline);

}  // namespace tgc
