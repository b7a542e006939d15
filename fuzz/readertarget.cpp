// The reader target: load, text output, save, reload.
#include "core/textoutput.h"
#include "core/workbookfile.h"
#include "fuzz/invariants.h"
#include "fuzz/targets.h"

namespace tgc::fuzz {

std::string checkReaderInput(std::string_view bytes) {
  Workbook wb;
  if (!readWorkbookBytes(bytes, wb)) return {};
  std::string problem = checkLoadedWorkbook(wb);
  if (!problem.empty()) return "loaded: " + problem;

  stampSheetPositions(wb);
  for (int kind = 0; kind <= static_cast<int>(OutputKind::Memos); ++kind) {
    const OutputRows rows = buildOutputRows(wb, static_cast<OutputKind>(kind));
    for (OutputFormat format : {OutputFormat::Text, OutputFormat::Csv})
      renderOutput(wb, rows, static_cast<OutputKind>(kind), format);
  }

  const std::string saved = serializeWorkbook(wb);
  Workbook reloaded;
  if (!parseWorkbook(saved, reloaded)) return "a saved workbook does not read back";
  if (!sheetsWellFormed(reloaded)) return "a saved workbook has malformed sheets";
  if (repairReferences(reloaded) != 0) return "a saved workbook needs repair";
  if (serializeWorkbook(reloaded) != saved) return "save, reload and save again changes the bytes";
  if (!(reloaded == wb)) return "a saved workbook reads back different";
  return {};
}

}  // namespace tgc::fuzz
