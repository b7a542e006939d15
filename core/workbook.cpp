#include "core/workbook.h"

#include <algorithm>

namespace tgc {

int Workbook::findWord(const std::string& text, int skip) const {
  for (size_t i = 0; i < words.size(); ++i) {
    if (static_cast<int>(i) != skip && words[i].text == text) return static_cast<int>(i);
  }
  return -1;
}

int Workbook::addWord(const std::string& text) {
  words.push_back(Word{0, 0, text});
  return static_cast<int>(words.size()) - 1;
}

void Workbook::swapWords(int a, int b) {
  const int n = static_cast<int>(words.size());
  if (a < 0 || b < 0 || a >= n || b >= n || a == b) return;
  std::swap(words[a], words[b]);
  for (Sheet& s : sheets)
    for (Box& box : s.boxes) {
      if (box.word == a)
        box.word = b;
      else if (box.word == b)
        box.word = a;
    }
  for (IdeaMemo& m : memos) {
    if (m.word == a)
      m.word = b;
    else if (m.word == b)
      m.word = a;
  }
}

void Workbook::removeWord(int position) {
  const int n = static_cast<int>(words.size());
  if (position < 0 || position >= n) return;
  words.erase(words.begin() + position);
  for (Sheet& s : sheets)
    for (Box& box : s.boxes) {
      if (box.word > position)
        --box.word;
      else if (box.word == position)
        box.word = -1;  // the swap chain would leave a position past the end
    }
  std::erase_if(memos, [&](const IdeaMemo& m) { return m.word == position; });
  for (IdeaMemo& m : memos)
    if (m.word > position) --m.word;
  refreshHasMemo();
}

void Workbook::purgeUnusedWords() {
  const int n = static_cast<int>(words.size());
  if (n == 0) return;
  std::vector<char> used(n, 0);
  for (const Sheet& s : sheets)
    for (const Box& box : s.boxes)
      if (box.word >= 0 && box.word < n) used[box.word] = 1;
  // newIndex[i] is where word i lands, or -1 when it goes.
  std::vector<int> newIndex(n, -1);
  int kept = 0;
  for (int i = 0; i < n; ++i) {
    if (used[i]) {
      newIndex[i] = kept;
      if (kept != i) words[kept] = std::move(words[i]);
      ++kept;
    }
  }
  if (kept == n) return;
  words.resize(kept);
  for (Sheet& s : sheets)
    for (Box& box : s.boxes)
      if (box.word >= 0 && box.word < n) box.word = newIndex[box.word];
  std::erase_if(memos, [&](const IdeaMemo& m) { return m.word >= 0 && m.word < n && newIndex[m.word] < 0; });
  for (IdeaMemo& m : memos)
    if (m.word >= 0 && m.word < n) m.word = newIndex[m.word];
  refreshHasMemo();
}

void Workbook::removeMemosOfWord(int position) {
  std::erase_if(memos, [&](const IdeaMemo& m) { return m.word == position; });
  refreshHasMemo();
}

void Workbook::refreshHasMemo() {
  for (Word& w : words) w.hasMemo = 0;
  for (const IdeaMemo& m : memos)
    if (m.word >= 0 && m.word < static_cast<int>(words.size())) words[m.word].hasMemo = 1;
}

void Workbook::swapSheets(int a, int b) {
  const int n = static_cast<int>(sheets.size());
  if (a < 0 || b < 0 || a >= n || b >= n) return;
  std::swap(sheets[a], sheets[b]);
}

bool Workbook::removeSheet(int position) {
  if (position < 0 || position >= static_cast<int>(sheets.size())) return false;
  sheets.erase(sheets.begin() + position);
  if (sheets.empty()) {
    currentSheet = 0;
    return true;
  }
  if (currentSheet != 0 && currentSheet >= static_cast<int>(sheets.size()))
    currentSheet = static_cast<int>(sheets.size()) - 1;
  return false;
}

void Workbook::clearLists() {
  words.clear();
  sheets.clear();
  marks.clear();
  memos.clear();
}

Sheet* Workbook::currentSheetPtr() {
  if (currentSheet < 0 || currentSheet >= static_cast<int>(sheets.size())) return nullptr;
  return &sheets[currentSheet];
}

const Sheet* Workbook::currentSheetPtr() const {
  return const_cast<Workbook*>(this)->currentSheetPtr();
}

const CatalogMark* Workbook::findMark(int32_t id) const {
  for (const CatalogMark& m : marks)
    if (m.id == id) return &m;
  return nullptr;
}

CatalogMark* Workbook::findMark(int32_t id) {
  return const_cast<CatalogMark*>(static_cast<const Workbook*>(this)->findMark(id));
}

int32_t Workbook::markById(int32_t id) const {
  if (id == -1) return 0;
  const CatalogMark* m = findMark(id);
  return m ? m->sheetUsage : 0;
}

const std::string& Workbook::wordText(int position) const {
  static const std::string empty;
  if (position < 0 || position >= static_cast<int>(words.size())) return empty;
  return words[position].text;
}

int enterWord(Workbook& wb, const std::string& text) {
  if (text.empty()) return -1;
  const int found = wb.findWord(text);
  return found >= 0 ? found : wb.addWord(text);
}

}  // namespace tgc
