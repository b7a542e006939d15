#include "windows/ideamemo.h"

#include <algorithm>

#include "core/cp932literal.h"
#include "core/docwnd.h"
#include "sheet/geometry.h"
#include "windows/selectorentry.h"

namespace tgc {

namespace {

bool isIdeaWithWord(const Box& b) {
  return b.idea == 1 && b.word >= 0;
}

bool blank(const std::string& text) {
  // No second byte of a CP932 character is a blank, so a byte scan is safe.
  return text.find_first_not_of(" \t\r\n\v\f") == std::string::npos;
}

}  // namespace

int ideaMemoCommand(DocWnd& w, IdeaMemoWindowPort& window) {
  const Workbook& wb = w.wb();
  if (!wb.currentSheetPtr()) return 0;
  const bool anyIdea = std::any_of(wb.sheets.begin(), wb.sheets.end(), [](const Sheet& s) {
    return std::any_of(s.boxes.begin(), s.boxes.end(), isIdeaWithWord);
  });
  if (!anyIdea) {
    w.ui().warning("アイデアが登録されていないため、アイデアメモを起動できませんでした。"_sj);
    return -1;
  }
  IdeaMemoSession session(w);
  window.run(session);
  return 0;
}

IdeaMemoSession::IdeaMemoSession(DocWnd& w) : w_(w) {
  Workbook& wb = w.wb();
  wb.memoEdited = 0;
  auto indexOf = [this](int32_t word) {
    for (size_t i = 0; i < memos_.size(); ++i)
      if (memos_[i].word == word) return static_cast<int>(i);
    return -1;
  };
  for (const Sheet& s : wb.sheets)
    for (const Box& b : s.boxes)
      if (isIdeaWithWord(b) && indexOf(b.word) < 0) memos_.push_back({b.word, {}});
  for (WorkingMemo& m : memos_) {
    const auto memo = std::find_if(wb.memos.begin(), wb.memos.end(),
                                   [&m](const IdeaMemo& im) { return im.word == m.word; });
    if (memo != wb.memos.end()) m.text = memo->text;
  }
  // The idea of the selected box's word; else the first idea of the sheet.
  int preselect = -1;
  if (const Sheet* sheet = wb.currentSheetPtr()) {
    if (const Box* box = findBox(*sheet, wb.cursorColumn, wb.cursorRow); box && box->word >= 0)
      preselect = indexOf(box->word);
    if (preselect < 0) {
      const auto first = std::find_if(sheet->boxes.begin(), sheet->boxes.end(), isIdeaWithWord);
      if (first != sheet->boxes.end()) preselect = indexOf(first->word);
    }
  }
  select(preselect);
  changed_ = false;
}

std::vector<std::string> IdeaMemoSession::entryTexts() const {
  const CatalogMark* idea = w_.wb().findMark(kIdeaMarkId);
  const std::string glyph = idea ? idea->glyph : std::string();
  std::vector<std::string> out;
  out.reserve(memos_.size());
  for (const WorkingMemo& m : memos_) out.push_back(selectorEntryText(glyph, w_.wb().wordText(m.word)));
  return out;
}

void IdeaMemoSession::select(int index) {
  selected_ = index >= 0 && index < static_cast<int>(memos_.size()) ? index : -1;
}

const std::string& IdeaMemoSession::shownText() const {
  static const std::string none;
  return selected_ >= 0 ? memos_[selected_].text : none;
}

void IdeaMemoSession::typed(const std::string& text) {
  if (selected_ < 0) return;
  memos_[selected_].text = text;
  changed_ = true;
}

void IdeaMemoSession::update() {
  if (!changed_) return;
  if (w_.ui().confirmation("更新しますか？"_sj) != Answer::Ok) return;
  commit();
}

bool IdeaMemoSession::close() {
  if (!changed_) return true;
  switch (w_.ui().question("メモが変更されています。更新しますか？"_sj, true)) {
    case Answer::Yes:
      commit();
      return true;
    case Answer::No:
      return true;
    default:
      return false;
  }
}

void IdeaMemoSession::commit() {
  // The first commit of an opening makes the undo step; later ones (the
  // update button) change the same step.
  if (w_.wb().memoEdited == 0) {
    w_.doc.recordChange();
    w_.wb().memoEdited = 1;
  }
  Workbook& wb = w_.wb();
  for (const WorkingMemo& m : memos_) {
    const auto memo = std::find_if(wb.memos.begin(), wb.memos.end(),
                                   [&m](const IdeaMemo& im) { return im.word == m.word; });
    if (memo != wb.memos.end()) {
      if (blank(m.text))
        wb.memos.erase(memo);
      else
        memo->text = m.text;
    } else if (!m.text.empty()) {
      wb.memos.push_back({m.word, m.text});
    }
  }
  wb.refreshHasMemo();
  changed_ = false;
  w_.ui().repaint();
}

}  // namespace tgc
