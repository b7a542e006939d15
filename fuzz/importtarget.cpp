// The import target: a file imported into a fixed workbook.
#include "core/cp932literal.h"
#include "core/filecommands.h"
#include "core/importworkbook.h"
#include "core/nullports.h"
#include "core/workbookfile.h"
#include "fuzz/invariants.h"
#include "fuzz/targets.h"
#include "sheet/boxinput.h"
#include "sheet/sheetcommands.h"

namespace tgc::fuzz {
namespace {

void type(DocWnd& w, int column, int row, const char* text) {
  w.wb().cursorColumn = column;
  w.wb().cursorRow = row;
  commitBoxText(w, text);
}

// A new workbook (default catalog, clock fixed) with a sheet of each type,
// words typed into them, an idea with a memo, a dormant mark and a mark
// that looks like a default one, so an import meets reused words, exact and
// near duplicate marks and memos already there.
Workbook buildFixedWorkbook() {
  NoWindowUi ui;
  FixedClock clock(1000);
  HeadlessController c(ui, clock);
  DocWnd& w = c.w;
  newWorkbook(w);
  type(w, 2, 2, "テーマ"_sj);
  type(w, 2, 1, "山"_sj);
  type(w, 1, 1, "川"_sj);
  createSheet(w, CreateKind::TypeB);
  type(w, 0, 0, "山"_sj);
  type(w, 1, 0, "海"_sj);
  type(w, 0, 1, "空"_sj);  // the idea column flags it
  createSheet(w, CreateKind::TypeC);
  type(w, 0, 0, "a"_sj);
  Workbook wb = w.wb();
  const int32_t sky = wb.findWord("空"_sj);
  wb.memos.push_back({sky, "メモ\r\n二行目"_sj});
  wb.refreshHasMemo();
  wb.marks.back().dormant = 1;
  CatalogMark lookAlike = wb.marks[5];
  lookAlike.id = static_cast<int32_t>(wb.marks.size());
  lookAlike.name = "似た名前"_sj;
  wb.marks.push_back(lookAlike);
  return wb;
}

const Workbook& fixedWorkbook() {
  static const Workbook wb = buildFixedWorkbook();
  return wb;
}

// Imports `imported` into `current` as the command does once the file is
// read, and checks the outcome.
std::string importInto(const Workbook& current, Workbook imported, bool keepsSystemMarks) {
  NoWindowUi ui;
  FixedClock clock(2000);
  HeadlessController c(ui, clock);
  DocWnd& w = c.w;
  w.wb() = current;
  w.marks.reloadEntries(w.wb());
  const Workbook start = w.wb();
  const std::string before = serializeWorkbook(start);
  w.doc.importSlot() = std::move(imported);

  if (importFromSlot(w) != 0) {
    if (serializeWorkbook(w.wb()) != before || w.doc.canUndo())
      return "a refused import changed the workbook";
    return {};
  }
  if (!w.doc.importSlot().sheets.empty() || !w.doc.importSlot().marks.empty())
    return "the import slot is not emptied";
  std::string problem = checkEditedWorkbook(w.wb());
  if (!problem.empty()) return "imported: " + problem;
  // The theme and idea marks keep their ids whatever the other file holds.
  // (A catalog that holds ids below theirs, opened from a damaged file, is
  // sorted by id like any other.)
  for (int32_t id : {kThemeMarkId, kIdeaMarkId}) {
    const CatalogMark* was = start.findMark(id);
    const CatalogMark* is = w.wb().findMark(id);
    if (keepsSystemMarks && was && (!is || is->glyph != was->glyph || is->name != was->name))
      return "imported: the system mark " + std::to_string(id) + " lost its id";
  }

  const std::string after = serializeWorkbook(w.wb());
  w.undo();
  if (serializeWorkbook(w.wb()) != before) return "undo of an import does not give back the workbook";
  w.redo();
  if (serializeWorkbook(w.wb()) != after) return "redo of an import does not give back the import";

  Workbook reloaded;
  if (!parseWorkbook(after, reloaded) || !sheetsWellFormed(reloaded) || repairReferences(reloaded) != 0)
    return "an imported workbook does not reload unchanged";
  if (serializeWorkbook(reloaded) != after) return "an imported workbook reloads different";
  return {};
}

}  // namespace

std::string checkImportInput(std::string_view bytes) {
  Workbook file;
  if (!readWorkbookBytes(bytes, file)) return {};
  std::string problem = importInto(fixedWorkbook(), file, true);
  if (!problem.empty()) return "into the fixed workbook: " + problem;
  // The file opened, then imported into itself: the catalog that takes the
  // import is now the file's own, whatever its ids.
  problem = importInto(file, file, false);
  if (!problem.empty()) return "into itself: " + problem;
  return {};
}

}  // namespace tgc::fuzz
