#include "fuzz/invariants.h"

#include <unordered_set>
#include <vector>

namespace tgc::fuzz {
namespace {

std::string at(const char* what, size_t index) {
  std::string s = what;
  s += '[';
  s += std::to_string(index);
  s += ']';
  return s;
}

}  // namespace

std::string checkLoadedWorkbook(const Workbook& wb) {
  std::unordered_set<int32_t> markIds;
  for (const CatalogMark& m : wb.marks) markIds.insert(m.id);
  const auto wordCount = static_cast<int32_t>(wb.words.size());
  for (size_t s = 0; s < wb.sheets.size(); ++s) {
    const std::vector<Box>& boxes = wb.sheets[s].boxes;
    if (boxes.size() != static_cast<size_t>(kBoxesPerSheet)) return at("sheets", s) + ": not 25 boxes";
    uint32_t cells = 0;
    for (const Box& b : boxes) {
      if (b.column < 0 || b.column >= kGridColumns || b.row < 0 || b.row >= kGridRows)
        return at("sheets", s) + ": box outside the grid";
      const uint32_t bit = 1u << (b.row * kGridColumns + b.column);
      if (cells & bit) return at("sheets", s) + ": two boxes in one cell";
      cells |= bit;
      if (b.sheetType < TypeA || b.sheetType > TypeC) return at("sheets", s) + ": unknown sheet type";
      if (b.word != -1 && (b.word < 0 || b.word >= wordCount)) return at("sheets", s) + ": word out of range";
      if (b.mark != -1 && !markIds.count(b.mark)) return at("sheets", s) + ": mark id without a mark";
    }
  }
  for (size_t i = 0; i < wb.memos.size(); ++i)
    if (wb.memos[i].word < 0 || wb.memos[i].word >= wordCount) return at("memos", i) + ": word out of range";
  const bool sheetShown = wb.currentSheet >= 0 && wb.currentSheet < static_cast<int32_t>(wb.sheets.size());
  if (!sheetShown && !(wb.sheets.empty() && wb.currentSheet == 0)) return "currentSheet out of range";
  return {};
}

std::string checkEditedWorkbook(const Workbook& wb) {
  std::string problem = checkLoadedWorkbook(wb);
  if (!problem.empty()) return problem;
  for (size_t i = 0; i < wb.marks.size(); ++i)
    if (wb.marks[i].id != static_cast<int32_t>(i)) return at("marks", i) + ": id is not its position";
  std::vector<char> memo(wb.words.size(), 0);
  for (const IdeaMemo& m : wb.memos) memo[static_cast<size_t>(m.word)] = 1;
  for (size_t i = 0; i < wb.words.size(); ++i)
    if (wb.words[i].hasMemo != memo[i]) return at("words", i) + ": hasMemo disagrees with the memos";
  return {};
}

}  // namespace tgc::fuzz
