#include "marks/markproperties.h"

#include <string>

#include "core/cp932literal.h"
#include "core/docwnd.h"
#include "marks/defaultcatalog.h"
#include "marks/editorcommands.h"

namespace tgc {

namespace {

// What the radio buttons can give: an unknown attribute selects no button,
// and OK then reads "0".
int radioAttribute(int attribute) {
  return attribute == AttrElement || attribute == AttrTransform ? attribute : AttrUnset;
}

// The system mark's texts as the catalog holds them. A catalog left empty by
// a failed open has none yet; the reserved texts are then the table's, which
// the next commit puts in.
struct SystemTexts {
  std::string glyph;
  std::string name;
};

SystemTexts systemTexts(const Workbook& wb, int32_t id) {
  if (const CatalogMark* m = wb.findMark(id)) return {m->glyph, m->name};
  const DefaultMarkRow& r = systemMarkRow(id);
  return {r.glyph, r.name};
}

int refuse(DocWnd& w, const std::string& text) {
  w.ui().warning(text);
  return -1;
}

bool askEach(DocWnd& w, int count, const char* text) {
  for (int i = 0; i < count; ++i)
    if (w.ui().question(text, false) != Answer::Yes) return false;
  return true;
}

int32_t smallestFreeUserId(const Workbook& wb) {
  // Ids below 2 belong to the system marks even while the catalog lacks
  // them; among 2 .. size + 2 at least one id is free.
  std::vector<bool> used(wb.marks.size() + 3, false);
  for (const CatalogMark& m : wb.marks)
    if (m.id >= 0 && static_cast<std::size_t>(m.id) < used.size()) used[m.id] = true;
  int32_t id = 2;
  while (used[id]) ++id;
  return id;
}

}  // namespace

int applyMarkProperties(DocWnd& w, MarkDialogMode mode, const MarkProperties& values, int markId,
                        int entryPosition) {
  const bool add = mode == MarkDialogMode::Add;
  const int attribute = radioAttribute(values.attribute);
  const Workbook& wb = w.wb();

  if (values.glyph.empty()) return refuse(w, "「マーク」が設定されていません。"_sj);
  if (values.glyph.size() > kMaxGlyphBytes)
    return refuse(w, "「マーク」は全角１文字もしくは半角２文字までです。"_sj);
  if (values.name.size() > kMaxNameBytes)
    return refuse(w, "「名称」は全角１０文字もしくは半角２０文字までです。"_sj);
  if (values.name.empty()) return refuse(w, "「名称」が設定されていません。"_sj);
  if (values.note.size() > kMaxNoteBytes)
    return refuse(w, "「補足」は全角６４文字もしくは半角１２８文字までです。"_sj);

  const SystemTexts theme = systemTexts(wb, kThemeMarkId);
  const SystemTexts idea = systemTexts(wb, kIdeaMarkId);
  if (values.glyph == theme.glyph || values.glyph == idea.glyph)
    return refuse(w, "「"_sj + theme.glyph + "」と「"_sj + idea.glyph +
                         "」のマークはシステム固定のため使用できません。"_sj);
  if (values.name == theme.name || values.name == idea.name)
    return refuse(w, "「"_sj + theme.name + "」と「"_sj + idea.name +
                         "」の名称はシステム固定のため使用できません。"_sj);

  // The other marks: dormant ones count too; the system marks and, when
  // modifying, the mark itself do not.
  int sameGlyph = 0, sameName = 0;
  for (const CatalogMark& m : wb.marks) {
    if (m.id == kThemeMarkId || m.id == kIdeaMarkId || (!add && m.id == markId)) continue;
    const bool g = m.glyph == values.glyph, n = m.name == values.name;
    if (g && n) return refuse(w, "同じマーク同じ名称のものが存在します。"_sj);
    sameGlyph += g;
    sameName += n;
  }
  if (!askEach(w, sameGlyph, "マークはすでに使用されています。続行しますか？"_sj)) return -1;
  if (!askEach(w, sameName, "同じ名称のものが存在します。続行しますか？"_sj)) return -1;

  if (!add) {
    const CatalogMark* stored = wb.findMark(markId);
    if (stored != nullptr && stored->glyph == values.glyph && stored->name == values.name &&
        stored->note == values.note && stored->attribute == attribute) {
      w.ui().information("変更箇所はありません。"_sj);
      return -1;
    }
  }
  if (w.ui().confirmation(add ? "追加を実行します。"_sj : "修正を実行します。"_sj) != Answer::Ok) return -1;

  MarkEditor& ed = w.marks;
  std::vector<CatalogMark>& list = ed.entries(ed.currentList);
  if (add) {
    const int32_t id = smallestFreeUserId(wb);
    recordMarkEdit(w.doc);
    list.push_back(CatalogMark{id, values.glyph, values.name, values.note,
                               ed.currentList == kDormantList ? 1 : 0, 0, attribute, 0});
  } else {
    // The entry the dialog was opened for; the editor below is modal, so it
    // is still where it was.
    if (entryPosition < 0 || static_cast<std::size_t>(entryPosition) >= list.size() ||
        list[entryPosition].id != markId)
      return -1;
    recordMarkEdit(w.doc);
    CatalogMark& e = list[entryPosition];
    e.glyph = values.glyph;
    e.name = values.name;
    e.note = values.note;
    e.attribute = attribute;
  }
  ed.commit(w.doc);
  return 0;
}

int openAddMark(DocWnd& w) {
  if (w.wb().marks.size() >= static_cast<std::size_t>(kMaxMarks)) {
    w.ui().warning("最大マーク件数 "_sj + std::to_string(kMaxMarks) +
                   "件 を上回るため、追加は行えません。"_sj);
    return -1;
  }
  if (w.markProperties == nullptr) return -1;
  bool applied = false;
  const auto onOk = [&](const MarkProperties& values) {
    applied = applyMarkProperties(w, MarkDialogMode::Add, values) == 0;
    return applied;
  };
  w.markProperties->edit(MarkPropertiesRequest{MarkDialogMode::Add, MarkProperties{}, false}, onOk);
  if (!applied) return -1;
  w.ui().information("追加が完了しました。"_sj);
  return 0;
}

int openModifyMark(DocWnd& w, const std::vector<int>& selected) {
  if (selectedMarkId(w, selected) == -1) return -1;  // warned
  if (w.markProperties == nullptr) return -1;
  const std::vector<CatalogMark>& list = w.marks.entries(w.marks.currentList);
  const int position = normalizedSelection(selected, list.size()).front();
  const CatalogMark entry = list[position];
  const CatalogMark* found = w.wb().findMark(entry.id);
  // A copy: a commit rewrites the catalog while the dialog is still open.
  const CatalogMark mark = found != nullptr ? *found : entry;
  MarkPropertiesRequest request{MarkDialogMode::Modify,
                                {mark.glyph, mark.name, mark.note, mark.attribute},
                                usedOnTypeBOrC(mark.sheetUsage)};
  const int lockedAttribute = radioAttribute(mark.attribute);
  bool applied = false;
  const auto onOk = [&](const MarkProperties& typed) {
    MarkProperties values = typed;
    // The disabled radio buttons keep what they showed, whatever the dialog
    // reports.
    if (request.attributeLocked) values.attribute = lockedAttribute;
    applied = applyMarkProperties(w, MarkDialogMode::Modify, values, entry.id, position) == 0;
    return applied;
  };
  w.markProperties->edit(request, onOk);
  if (!applied) return -1;
  w.ui().information("修正が完了しました。"_sj);
  return 0;
}

}  // namespace tgc
