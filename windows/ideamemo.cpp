#include "windows/ideamemo.h"

#include <algorithm>
#include <unordered_map>

#include "core/cp932literal.h"
#include "core/docwnd.h"
#include "core/workbook.h"
#include "sheet/boxinput.h"
#include "sheet/geometry.h"
#include "windows/selectorentry.h"

namespace tgc {

namespace {

bool isIdeaWithWord(const Box& b) {
  return b.idea == 1 && b.word >= 0;
}

// The position of the first memo of every word that has one.
std::unordered_map<int32_t, size_t> firstMemoOfEachWord(const std::vector<IdeaMemo>& memos) {
  std::unordered_map<int32_t, size_t> first;
  for (size_t i = 0; i < memos.size(); ++i) first.emplace(memos[i].word, i);
  return first;
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
  // Looked up by word, so a workbook full of ideas opens at once.
  std::unordered_map<int32_t, int> index;
  auto indexOf = [&index](int32_t word) {
    const auto found = index.find(word);
    return found == index.end() ? -1 : found->second;
  };
  for (const Sheet& s : wb.sheets)
    for (const Box& b : s.boxes)
      if (isIdeaWithWord(b) && index.emplace(b.word, static_cast<int>(memos_.size())).second)
        memos_.push_back({b.word, {}});
  const auto memoOf = firstMemoOfEachWord(wb.memos);
  for (WorkingMemo& m : memos_)
    if (const auto memo = memoOf.find(m.word); memo != memoOf.end()) m.text = wb.memos[memo->second].text;
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
  unstorable_ = false;  // the field now shows the working memo
}

const std::string& IdeaMemoSession::shownText() const {
  static const std::string none;
  return selected_ >= 0 ? memos_[selected_].text : none;
}

void IdeaMemoSession::typed(const std::string& text) {
  if (selected_ < 0) return;
  memos_[selected_].text = text;
  changed_ = true;
  unstorable_ = false;
}

void IdeaMemoSession::typedUnstorable() {
  if (selected_ < 0) return;
  changed_ = true;
  unstorable_ = true;
}

void IdeaMemoSession::update() {
  if (!changed_) return;
  if (unstorable_) {
    warnUnstorableText(w_);
    return;
  }
  if (w_.ui().confirmation("更新しますか？"_sj) != Answer::Ok) return;
  commit();
}

bool IdeaMemoSession::close() {
  if (!changed_) return true;
  switch (w_.ui().question("メモが変更されています。更新しますか？"_sj, true)) {
    case Answer::Yes:
      if (unstorable_) {
        warnUnstorableText(w_);
        return false;
      }
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
  // Each working memo concerns only the first memo of its own word, and the
  // words differ, so the memos are found once; deleted ones go in one pass.
  Workbook& wb = w_.wb();
  const auto memoOf = firstMemoOfEachWord(wb.memos);
  std::vector<bool> deleted(wb.memos.size(), false);
  for (const WorkingMemo& m : memos_) {
    if (const auto memo = memoOf.find(m.word); memo != memoOf.end()) {
      if (blank(m.text))
        deleted[memo->second] = true;
      else
        wb.memos[memo->second].text = m.text;
    } else if (!m.text.empty()) {
      wb.memos.push_back({m.word, m.text});
    }
  }
  deleted.resize(wb.memos.size(), false);  // the appended ones stay
  size_t kept = 0;
  for (size_t i = 0; i < wb.memos.size(); ++i) {
    if (deleted[i]) continue;
    if (kept != i) wb.memos[kept] = std::move(wb.memos[i]);
    ++kept;
  }
  wb.memos.resize(kept);
  wb.refreshHasMemo();
  changed_ = false;
  w_.ui().repaint();
}

}  // namespace tgc
