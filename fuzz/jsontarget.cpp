// The target of `tgc build`'s JSON reader.
#include "cli/workbookjson.h"
#include "core/workbookfile.h"
#include "fuzz/targets.h"

namespace tgc::fuzz {

std::string checkJsonInput(std::string_view text) {
  const cli::Json json = cli::Json::parse(text, nullptr, false);
  if (json.is_discarded()) return {};
  Workbook wb;
  std::string error;
  if (!cli::workbookFromJson(json, wb, error)) {
    if (error.empty()) return "a refusal names no field";
    return {};
  }
  const std::string bytes = serializeWorkbook(wb);
  Workbook read;
  if (!parseWorkbook(bytes, read)) return "a built workbook does not read back";
  if (!(read == wb)) return "a built workbook reads back different";

  const cli::Json dumped = cli::Json::parse(cli::workbookToJson(read).dump(), nullptr, false);
  Workbook rebuilt;
  if (dumped.is_discarded() || !cli::workbookFromJson(dumped, rebuilt, error))
    return "the dump of a built workbook does not build";
  if (serializeWorkbook(rebuilt) != bytes) return "dump and build again change the bytes";
  return {};
}

}  // namespace tgc::fuzz
