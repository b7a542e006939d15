// Text output: sheets, idea/theme/word/mark lists and idea memos written as
// plain text or CSV (CP932, CR LF, nothing quoted). Row building and
// rendering are pure; the command wires them to the dialog and the file.
#pragma once

#include <array>
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "core/workbook.h"

namespace tgc {

class DocWnd;

enum class OutputKind : int { Sheets = 0, Ideas = 1, Themes = 2, Words = 3, Marks = 4, Memos = 5 };
enum class OutputFormat : int { Text = 0, Csv = 1 };

struct TextOutputChoice {
  OutputKind kind = OutputKind::Sheets;
  OutputFormat format = OutputFormat::Text;
  bool operator==(const TextOutputChoice&) const = default;
};

// One line of the list kinds. `item` is a word position (a memo's word for
// memos, the attribute for marks); `mark` is a mark id (the memo position for
// memos). Column and row are kept for the lists built from boxes.
struct OutputRow {
  int32_t item = -1;
  int32_t column = 0;
  int32_t row = 0;
  int32_t mark = -1;
  bool operator==(const OutputRow&) const = default;
};

struct OutputRows {
  // Kind 0: one entry per sheet, its 25 boxes ordered by row, then column.
  std::vector<std::array<Box, kBoxesPerSheet>> sheets;
  // Kinds 1 to 5.
  std::vector<OutputRow> rows;
  bool empty() const { return sheets.empty() && rows.empty(); }
};

// The "出力" dialog. It is modal and stays open after each output.
class TextOutputDialogPort {
 public:
  virtual ~TextOutputDialogPort() = default;
  // Shows the dialog preset with `preset` and returns when it is closed.
  // Each press of the output button calls `output` with the buttons' choice;
  // a click on the idea-memo kind calls `remember` with the choice at once.
  virtual void run(const TextOutputChoice& preset, const std::function<void(const TextOutputChoice&)>& output,
                   const std::function<void(const TextOutputChoice&)>& remember) = 0;
};

// What the text output keeps for the whole run (one DocWnd member).
struct TextOutputState {
  TextOutputChoice remembered;
  TextOutputDialogPort* dialog = nullptr;  // set by the Qt layer or a test
};

// Sets every box's `spare` to the position of its sheet.
void stampSheetPositions(Workbook& wb);

// The rows of one kind, read from the workbook.
OutputRows buildOutputRows(const Workbook& wb, OutputKind kind);

// The word list's exchange sort by mark id (-1 first), in its exact order.
void sortRowsByMark(std::vector<OutputRow>& rows);

// The bytes of the output file for rows built from `wb`.
std::string renderOutput(const Workbook& wb, const OutputRows& rows, OutputKind kind, OutputFormat format);

// The command: runs the dialog through the port.
int textOutputCommand(DocWnd& w);

// The output button: stamps `spare`, builds the rows, asks for the file and
// writes it. 0 when written or cancelled, -1 when there was nothing to
// output, 1 when the file could not be written.
int writeTextOutput(DocWnd& w, const TextOutputChoice& choice);

}  // namespace tgc
