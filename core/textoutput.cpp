#include "core/textoutput.h"

#include <algorithm>
#include <fstream>
#include <unordered_map>

#include "core/cp932literal.h"
#include "core/docwnd.h"
#include "core/exchangesort.h"
#include "sheet/geometry.h"

namespace tgc {

namespace {

constexpr const char* kLineBreak = "\r\n";

int32_t shownMark(const Box& b) {
  return b.idea == 1 ? kIdeaMarkId : b.mark;
}

bool holdsWord(const Box& b) {
  return b.word != -1;
}

// Adds rows for boxes that hold a word, one per word position.
class UniqueWordRows {
 public:
  explicit UniqueWordRows(std::vector<OutputRow>& rows) : rows_(rows) {}
  void add(const Box& b) {
    if (!seen_.emplace(b.word, true).second) return;
    rows_.push_back({b.word, b.column, b.row, shownMark(b)});
  }

 private:
  std::vector<OutputRow>& rows_;
  std::unordered_map<int32_t, bool> seen_;
};

// Glyphs by mark id; the first mark with an id wins.
class MarkLookup {
 public:
  explicit MarkLookup(const Workbook& wb) {
    for (const CatalogMark& m : wb.marks) byId_.emplace(m.id, &m);
  }
  const CatalogMark* find(int32_t id) const {
    if (id == -1) return nullptr;
    const auto it = byId_.find(id);
    return it == byId_.end() ? nullptr : it->second;
  }
  std::string glyph(int32_t id) const {
    const CatalogMark* m = find(id);
    return m ? m->glyph : std::string();
  }

 private:
  std::unordered_map<int32_t, const CatalogMark*> byId_;
};

const char* attributeText(int32_t attribute) {
  if (attribute == AttrElement) return "要素"_sj;
  if (attribute == AttrTransform) return "変換"_sj;
  return "未設定"_sj;
}

void renderSheets(std::string& out, const Workbook& wb, const OutputRows& rows, const MarkLookup& marks,
                  OutputFormat format) {
  const char* cellSeparator = format == OutputFormat::Csv ? "," : kLineBreak;
  for (const auto& boxes : rows.sheets) {
    for (int r = 0; r < kGridRows; ++r) {
      for (int c = 0; c < kGridColumns; ++c) {
        const Box& b = boxes[r * kGridColumns + c];
        // The shown glyph, but only for a box that carries a mark at all.
        if (b.mark != -1) out += marks.glyph(shownMark(b));
        if (b.word != -1) out += wb.wordText(b.word);
        if (c < kGridColumns - 1) out += cellSeparator;
      }
      out += kLineBreak;
    }
    out += kLineBreak;
  }
}

void renderMemoLine(std::string& out, const Workbook& wb, const OutputRow& row, const MarkLookup& marks,
                    OutputFormat format, const char* separator) {
  const bool csv = format == OutputFormat::Csv;
  std::string line = marks.glyph(kIdeaMarkId);
  line += separator;
  line += wb.wordText(row.item);
  line += csv ? "," : kLineBreak;
  if (row.mark >= 0 && row.mark < static_cast<int32_t>(wb.memos.size())) line += wb.memos[row.mark].text;
  // Line breaks and blanks at the end of a memo would only leave empty lines.
  // None of these bytes can be the second byte of a double-byte character.
  const size_t keep = line.find_last_not_of(" \t\r\n");
  line.resize(keep == std::string::npos ? 0 : keep + 1);
  if (csv) {
    // Every inner line break becomes one comma. Memos typed in a multi-line
    // edit hold CR LF; turning only the LF into a comma would leave a bare CR
    // inside the record, which CSV readers take as the end of the line.
    std::string joined;
    joined.reserve(line.size());
    for (size_t i = 0; i < line.size(); ++i) {
      if (line[i] == '\r') {
        if (i + 1 < line.size() && line[i + 1] == '\n') ++i;
        joined += ',';
      } else {
        joined += line[i] == '\n' ? ',' : line[i];
      }
    }
    line.swap(joined);
  } else {
    line += kLineBreak;
  }
  out += line;
  out += kLineBreak;
}

}  // namespace

void stampSheetPositions(Workbook& wb) {
  for (size_t s = 0; s < wb.sheets.size(); ++s)
    for (Box& b : wb.sheets[s].boxes) b.spare = static_cast<int32_t>(s);
}

void sortRowsByMark(std::vector<OutputRow>& rows) {
  std::vector<int32_t> keys(rows.size());
  for (size_t i = 0; i < rows.size(); ++i) keys[i] = rows[i].mark;
  applyOrder(rows, exchangeSortOrder(std::move(keys)));
}

OutputRows buildOutputRows(const Workbook& wb, OutputKind kind) {
  OutputRows out;
  UniqueWordRows unique(out.rows);
  switch (kind) {
    case OutputKind::Sheets:
      for (const Sheet& s : wb.sheets) {
        std::array<Box, kBoxesPerSheet> boxes;
        for (int r = 0; r < kGridRows; ++r)
          for (int c = 0; c < kGridColumns; ++c) {
            // A cell missing from a damaged sheet is written as an empty box.
            const Box* b = findBox(s, c, r);
            Box& slot = boxes[r * kGridColumns + c];
            if (b) slot = *b;
            slot.column = c;
            slot.row = r;
          }
        out.sheets.push_back(boxes);
      }
      break;
    case OutputKind::Ideas:
      for (const Sheet& s : wb.sheets)
        for (const Box& b : s.boxes)
          if (holdsWord(b) && b.idea == 1) unique.add(b);
      break;
    case OutputKind::Themes:
      for (const Sheet& s : wb.sheets) {
        const GridPos theme = themeBox(sheetTypeOf(s));
        const Box* b = findBox(s, theme.column, theme.row);
        if (b && holdsWord(*b)) unique.add(*b);
      }
      break;
    case OutputKind::Words:
      for (const Sheet& s : wb.sheets)
        for (const Box& b : s.boxes)
          if (holdsWord(b)) unique.add(b);
      sortRowsByMark(out.rows);
      break;
    case OutputKind::Marks:
      for (const CatalogMark& m : wb.marks) {
        const int32_t attribute =
            m.attribute == AttrElement || m.attribute == AttrTransform ? m.attribute : 0;
        out.rows.push_back({attribute, 0, 0, m.id});
      }
      break;
    case OutputKind::Memos: {
      std::unordered_map<int32_t, bool> seen;
      for (size_t i = 0; i < wb.memos.size(); ++i) {
        const int32_t word = wb.memos[i].word;
        if (seen.emplace(word, true).second) out.rows.push_back({word, 0, 0, static_cast<int32_t>(i)});
      }
      break;
    }
  }
  return out;
}

std::string renderOutput(const Workbook& wb, const OutputRows& rows, OutputKind kind, OutputFormat format) {
  const MarkLookup marks(wb);
  const char* separator = format == OutputFormat::Csv ? "," : " ";
  std::string out;
  switch (kind) {
    case OutputKind::Sheets:
      renderSheets(out, wb, rows, marks, format);
      break;
    case OutputKind::Ideas:
    case OutputKind::Themes:
    case OutputKind::Words:
      for (const OutputRow& row : rows.rows) {
        const int32_t mark = kind == OutputKind::Ideas ? kIdeaMarkId : row.mark;
        if (mark != -1) {
          out += marks.glyph(mark);
          out += separator;
        }
        out += wb.wordText(row.item);
        out += kLineBreak;
      }
      break;
    case OutputKind::Marks:
      for (const OutputRow& row : rows.rows) {
        const CatalogMark* m = marks.find(row.mark);
        if (m) {
          out += m->glyph;
          out += separator;
          out += m->name;
          out += separator;
          out += m->note;
        } else {
          out += separator;
          out += separator;
        }
        out += separator;
        out += attributeText(row.item);
        out += kLineBreak;
      }
      break;
    case OutputKind::Memos:
      for (const OutputRow& row : rows.rows) renderMemoLine(out, wb, row, marks, format, separator);
      break;
  }
  return out;
}

bool writeOutputFile(const std::string& path, const std::string& bytes) {
  bool written = false;
  {
    std::ofstream file(path, std::ios::binary | std::ios::trunc);
    if (file) {
      file.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
      file.flush();
      written = static_cast<bool>(file);
      file.close();
      written = written && !file.fail();
    }
  }
  // A half-written output is worse than none: leave the file empty.
  if (!written) std::ofstream(path, std::ios::binary | std::ios::trunc);
  return written;
}

int textOutputCommand(DocWnd& w) {
  TextOutputState& state = w.textOutput;
  if (!state.dialog) return 0;
  state.dialog->run(
      state.remembered, [&w](const TextOutputChoice& choice) { writeTextOutput(w, choice); },
      [&state](const TextOutputChoice& choice) { state.remembered = choice; });
  return 0;
}

int writeTextOutput(DocWnd& w, const TextOutputChoice& choice) {
  w.textOutput.remembered = choice;
  Workbook& wb = w.wb();
  stampSheetPositions(wb);
  const OutputRows rows = buildOutputRows(wb, choice.kind);
  if (rows.empty()) {
    w.ui().warning("対象データがありません。"_sj);
    return -1;
  }
  const bool csv = choice.format == OutputFormat::Csv;
  FileDialogRequest request;
  request.title = csv ? "テキスト出力(ＣＳＶ)"_sj : "テキスト出力"_sj;
  request.filter =
      csv ? "カンマ区切り(*.csv)|*.csv|全て(*.*)|*.*||"_sj : "テキスト(*.txt)|*.txt|全て(*.*)|*.*||"_sj;
  request.defaultExtension = csv ? "csv" : "txt";
  const std::optional<std::string> path = w.ui().chooseSaveFile(request);
  if (!path) return 0;
  if (!writeOutputFile(*path, renderOutput(wb, rows, choice.kind, choice.format))) return 1;
  w.ui().information("テキスト出力が完了しました。"_sj);
  return 0;
}

}  // namespace tgc
