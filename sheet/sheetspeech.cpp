#include "sheet/sheetspeech.h"

#include "core/cp932literal.h"
#include "core/docwnd.h"
#include "marks/marktexts.h"

namespace tgc {

namespace {

// The mark a box shows; a box without one shows the theme mark.
const CatalogMark* shownMark(const Workbook& wb, const Box& box) {
  return wb.findMark(box.mark != -1 ? box.mark : kThemeMarkId);
}

// A word may hold line breaks; read aloud it is one line. (No trail byte of
// a CP932 character is a control character, so a byte scan is safe.)
std::string oneLine(const std::string& text) {
  std::string out;
  out.reserve(text.size());
  for (std::size_t i = 0; i < text.size(); ++i) {
    if (text[i] != '\r' && text[i] != '\n') {
      out += text[i];
      continue;
    }
    if (text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n') ++i;
    out += ' ';
  }
  return out;
}

std::string typeLabel(SheetType type) {
  switch (type) {
    case TypeB:
      return "シートタイプＢ"_sj;
    case TypeC:
      return "シートタイプＣ"_sj;
    default:
      return "シートタイプＡ"_sj;
  }
}

}  // namespace

std::string sheetSpokenName(const Workbook& wb) {
  const Sheet* sheet = wb.currentSheetPtr();
  if (!sheet) return "シートなし"_sj;
  const SheetType type = sheetTypeOf(*sheet);
  std::string name = "シート "_sj + std::to_string(wb.currentSheet + 1) + " / " +
                     std::to_string(wb.sheets.size()) + "、"_sj + typeLabel(type) + "、"_sj;
  const GridPos theme = themeBox(type);
  const Box* box = findBox(*sheet, theme.column, theme.row);
  if (box && box->word >= 0)
    name += "テーマ「"_sj + oneLine(wb.wordText(box->word)) + "」"_sj;
  else
    name += "テーマ未入力"_sj;
  return name;
}

std::string boxSpokenName(const Workbook& wb, const Sheet& sheet, int column, int row) {
  const Box* box = findBox(sheet, column, row);
  if (!box || box->word < 0) return "空欄"_sj;
  return oneLine(wb.wordText(box->word));
}

std::string boxSpokenDescription(const Workbook& wb, const Sheet& sheet, int column, int row) {
  const Box* box = findBox(sheet, column, row);
  if (!box) return {};
  std::vector<std::string> parts;
  const CatalogMark* mark = shownMark(wb, *box);
  if (mark) parts.push_back(markColumnText(*mark));
  const int markId = mark ? mark->id : -1;
  // The theme and idea marks already say what their boxes are.
  if (themeBox(sheetTypeOf(sheet)) == GridPos{column, row} && markId != kThemeMarkId)
    parts.push_back("テーマ"_sj);
  if (box->idea && markId != kIdeaMarkId) parts.push_back("アイデア"_sj);
  if (box->idea && box->word >= 0 && box->word < static_cast<int>(wb.words.size()) &&
      wb.words[box->word].hasMemo)
    parts.push_back("メモあり"_sj);
  if (box->word >= 0 && box->assisted) parts.push_back("語句アシスト"_sj);
  std::string out;
  for (const std::string& part : parts) out += (out.empty() ? "" : "、"_sj) + part;
  return out;
}

std::string editorSpokenName(const Workbook& wb) {
  const Sheet* sheet = wb.currentSheetPtr();
  if (!sheet) return "語句の入力"_sj;
  const int column = wb.cursorColumn, row = wb.cursorRow;
  if (themeBox(sheetTypeOf(*sheet)) == GridPos{column, row}) return "語句の入力：テーマ"_sj;
  std::string name =
      "語句の入力："_sj + std::to_string(row + 1) + "行目 "_sj + std::to_string(column + 1) + "列目"_sj;
  const Box* box = findBox(*sheet, column, row);
  if (const CatalogMark* mark = box ? shownMark(wb, *box) : nullptr) name += "、"_sj + markColumnText(*mark);
  return name;
}

SheetSpeech speakSheet(const DocWnd& w) {
  const Workbook& wb = w.wb();
  SheetSpeech s;
  s.name = sheetSpokenName(wb);
  s.selected = {wb.cursorColumn, wb.cursorRow};
  s.guideShown = w.shell.guideShown != 0;
  const Sheet* sheet = wb.currentSheetPtr();
  if (!sheet) return s;
  s.sheet = wb.currentSheet;
  s.type = sheetTypeOf(*sheet);
  s.ideaButton = s.type == TypeA;
  for (int row = 0; row < kGridRows; ++row)
    for (int column = 0; column < kGridColumns; ++column) {
      const int i = speechIndex(column, row);
      s.names[i] = boxSpokenName(wb, *sheet, column, row);
      s.descriptions[i] = boxSpokenDescription(wb, *sheet, column, row);
    }
  return s;
}

SpeechChanges compareSpeech(const SheetSpeech& before, const SheetSpeech& after) {
  SpeechChanges c;
  c.sheet = before.sheet != after.sheet || before.type != after.type;
  c.name = before.name != after.name;
  c.selection = !(before.selected == after.selected);
  c.children = before.guideShown != after.guideShown || before.ideaButton != after.ideaButton;
  for (int i = 0; i < kBoxesPerSheet; ++i) {
    if (before.names[i] != after.names[i]) c.names.push_back(i);
    if (before.descriptions[i] != after.descriptions[i]) c.descriptions.push_back(i);
  }
  return c;
}

}  // namespace tgc
