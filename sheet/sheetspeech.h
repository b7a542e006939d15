// What a screen reader says about the sheet view: the sheet, each box's word
// and mark, the editor's box. Texts are CP932 like every workbook text; the
// Qt layer only converts them. A snapshot of it all, compared before and
// after a change, tells which announcements the change calls for.
#pragma once

#include <array>
#include <string>
#include <vector>

#include "sheet/geometry.h"

namespace tgc {

class DocWnd;

// Boxes in reading order, row by row: index = row * 5 + column.
inline int speechIndex(int column, int row) {
  return row * kGridColumns + column;
}

// The shown sheet as a person says it: its number of the count, its type,
// its theme.
std::string sheetSpokenName(const Workbook& wb);
// A box's word, on one line; an empty box says that it is empty.
std::string boxSpokenName(const Workbook& wb, const Sheet& sheet, int column, int row);
// The box's mark (glyph and name), then what else it is: the theme, an idea,
// a memo's holder, filled by word assist.
std::string boxSpokenDescription(const Workbook& wb, const Sheet& sheet, int column, int row);
// The in-place editor: which box of the shown sheet it writes into.
std::string editorSpokenName(const Workbook& wb);

// Everything of the view a screen reader is told about.
struct SheetSpeech {
  int sheet = -1;
  SheetType type = TypeA;
  std::string name;
  std::array<std::string, kBoxesPerSheet> names, descriptions;
  GridPos selected;
  bool guideShown = false;
  bool ideaButton = false;  // the header's idea button (Type-A only)
  bool operator==(const SheetSpeech&) const = default;
};

SheetSpeech speakSheet(const DocWnd& w);

// What changed between two snapshots, as the announcements it calls for.
struct SpeechChanges {
  bool sheet = false;                    // another sheet, or the same one of another type
  bool name = false;                     // the sheet's spoken name
  bool selection = false;                // another box is selected
  bool children = false;                 // the guide or the idea button came or went
  std::vector<int> names, descriptions;  // boxes by speechIndex
};

SpeechChanges compareSpeech(const SheetSpeech& before, const SheetSpeech& after);

}  // namespace tgc
