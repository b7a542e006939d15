#include "core/importworkbook.h"

#include <algorithm>
#include <filesystem>
#include <limits>
#include <unordered_map>
#include <unordered_set>

#include "core/cp932literal.h"
#include "core/docwnd.h"
#include "core/workbookfile.h"
#include "marks/markeditor.h"

namespace tgc {

namespace {

// Glyph, name, attribute and dormant flag as one hashable key. The strings
// are length-prefixed so no two different marks share a key.
std::string exactKey(const CatalogMark& m) {
  std::string key = std::to_string(m.glyph.size());
  key += ':';
  key += m.glyph;
  key += std::to_string(m.name.size());
  key += ':';
  key += m.name;
  key += std::to_string(m.attribute);
  key += ':';
  key += std::to_string(m.dormant);
  return key;
}

// The ids the imported marks take: the offset plus the rank of their id
// among the imported ids. A file of this program numbers its marks 0..n-1,
// so each id just moves by the offset; the ids of a damaged file (negative,
// huge, with gaps) still all land after the current marks, in their order,
// so the theme and idea marks keep ids 0 and 1 and nothing overflows.
class ImportedMarkIds {
 public:
  explicit ImportedMarkIds(const std::vector<CatalogMark>& marks) {
    for (const CatalogMark& m : marks) ids_.push_back(m.id);
    std::sort(ids_.begin(), ids_.end());
    ids_.erase(std::unique(ids_.begin(), ids_.end()), ids_.end());
  }
  size_t count() const { return ids_.size(); }
  // The new id of an imported id. A box id no imported mark has names no
  // mark before or after; it just moves by the offset (in unsigned
  // arithmetic, so a damaged value cannot make the addition undefined).
  int32_t operator()(int32_t id, int32_t offset) const {
    const auto it = std::lower_bound(ids_.begin(), ids_.end(), id);
    if (it == ids_.end() || *it != id)
      return static_cast<int32_t>(static_cast<uint32_t>(id) + static_cast<uint32_t>(offset));
    return offset + static_cast<int32_t>(it - ids_.begin());
  }

 private:
  std::vector<int32_t> ids_;
};

// Step 2 for the marks: the first id after the current catalog's largest.
// A damaged catalog may hold ids so large that the imported ones would not
// fit after them; it is then numbered 0..n-1 in id order first, as the
// renumbering at the end of the import would number it anyway.
int32_t markOffsetFor(Workbook& current, size_t importedIds) {
  int64_t maxId = -1;
  for (const CatalogMark& m : current.marks) maxId = std::max<int64_t>(maxId, m.id);
  if (maxId + 1 + static_cast<int64_t>(importedIds) > std::numeric_limits<int32_t>::max()) {
    MarkEditor noLists;
    sortAndRenumberCatalog(current, noLists);
    maxId = static_cast<int64_t>(current.marks.size()) - 1;
  }
  return static_cast<int32_t>(maxId + 1);
}

// Steps 3 and 4: boxes and memos of the imported workbook now count from the
// end of the current lists. A box whose word has an empty text becomes empty.
void renumberImported(Workbook& imported, int32_t wordOffset, const ImportedMarkIds& ids,
                      int32_t markOffset) {
  const int32_t wordCount = static_cast<int32_t>(imported.words.size());
  for (Sheet& s : imported.sheets)
    for (Box& b : s.boxes) {
      if (b.mark != -1) b.mark = ids(b.mark, markOffset);
      if (b.word == -1) continue;
      // A position outside the imported list cannot be followed: no word.
      if (b.word < 0 || b.word >= wordCount || imported.words[b.word].text.empty())
        b.word = -1;
      else
        b.word += wordOffset;
    }
  std::erase_if(imported.memos, [&](const IdeaMemo& m) { return m.word < 0 || m.word >= wordCount; });
  for (IdeaMemo& m : imported.memos) m.word += wordOffset;
}

// Step 8 in one pass. Going from the last imported word down, each word
// whose text an earlier word has is re-pointed to the first such word and
// removed, which moves the imported words after it one place forward. The
// end result: matched words go to their first match, the others keep their
// order, packed after the words that were there before.
void reuseExistingWords(Workbook& wb, int32_t wordOffset) {
  std::unordered_map<std::string_view, int32_t> firstOf;
  firstOf.reserve(static_cast<size_t>(wordOffset));
  for (int32_t j = 0; j < wordOffset; ++j) {
    const std::string& text = wb.words[j].text;
    if (!text.empty()) firstOf.emplace(text, j);  // keeps the first
  }
  const int32_t total = static_cast<int32_t>(wb.words.size());
  std::vector<int32_t> target(static_cast<size_t>(total - wordOffset));
  int32_t kept = wordOffset;
  for (int32_t i = wordOffset; i < total; ++i) {
    const std::string& text = wb.words[i].text;
    const auto it = text.empty() ? firstOf.end() : firstOf.find(text);
    if (it != firstOf.end()) {
      target[i - wordOffset] = it->second;
    } else {
      target[i - wordOffset] = kept;
      if (kept != i) wb.words[kept] = std::move(wb.words[i]);
      ++kept;
    }
  }
  firstOf.clear();  // its views point into the words about to shrink
  wb.words.resize(static_cast<size_t>(kept));
  const auto remap = [&](int32_t& word) {
    if (word >= wordOffset && word < total) word = target[word - wordOffset];
  };
  for (Sheet& s : wb.sheets)
    for (Box& b : s.boxes) remap(b.word);
  for (IdeaMemo& m : wb.memos) remap(m.word);
  wb.refreshHasMemo();
}

// Step 10. For each mark in catalog order, every later mark equal to it in
// the four fields is deleted and its boxes re-pointed to it. The survivors are
// the first mark of each key; the re-pointings are applied to the boxes in
// the order the step-by-step merge makes them.
void mergeExactDuplicates(Workbook& wb) {
  std::unordered_map<std::string, size_t> firstPos;
  std::vector<std::vector<size_t>> duplicatesOf(wb.marks.size());
  std::vector<char> removed(wb.marks.size(), 0);
  for (size_t k = 0; k < wb.marks.size(); ++k) {
    const auto [it, fresh] = firstPos.emplace(exactKey(wb.marks[k]), k);
    if (!fresh) {
      duplicatesOf[it->second].push_back(k);
      removed[k] = 1;
    }
  }
  std::vector<std::pair<int32_t, int32_t>> steps;  // (from id, to id), in order
  for (size_t k = 0; k < wb.marks.size(); ++k)
    for (size_t d : duplicatesOf[k]) steps.emplace_back(wb.marks[d].id, wb.marks[k].id);
  if (steps.empty()) return;
  // Compose the re-pointings back to front, so a chain (possible only with
  // duplicated ids) ends where applying them one by one would end.
  std::unordered_map<int32_t, int32_t> finalId;
  const auto lookup = [&](int32_t id) {
    const auto it = finalId.find(id);
    return it == finalId.end() ? id : it->second;
  };
  for (auto s = steps.rbegin(); s != steps.rend(); ++s) finalId[s->first] = lookup(s->second);
  for (Sheet& s : wb.sheets)
    for (Box& b : s.boxes)
      if (b.mark != -1) b.mark = lookup(b.mark);
  size_t out = 0;
  for (size_t k = 0; k < wb.marks.size(); ++k)
    if (!removed[k]) {
      if (out != k) wb.marks[out] = std::move(wb.marks[k]);
      ++out;
    }
  wb.marks.resize(out);
}

std::string limitText(const char* first, int limit, const char* second) {
  std::string text = first;
  text += std::to_string(limit);
  text += second;
  return text;
}

}  // namespace

ImportLimit checkImportLimits(const Workbook& current, const Workbook& imported) {
  if (current.sheets.size() + imported.sheets.size() > static_cast<size_t>(kMaxSheets))
    return ImportLimit::Sheets;
  if (current.words.size() + imported.words.size() > static_cast<size_t>(kMaxWords))
    return ImportLimit::Words;
  std::unordered_map<std::string, long> currentCount;
  for (const CatalogMark& m : current.marks) ++currentCount[exactKey(m)];
  long twins = 0;
  for (const CatalogMark& m : imported.marks) {
    const auto it = currentCount.find(exactKey(m));
    if (it != currentCount.end()) twins += it->second;
  }
  if (static_cast<long>(imported.marks.size()) - twins >= kMaxMarks) return ImportLimit::Marks;
  return ImportLimit::None;
}

std::string importLimitMessage(ImportLimit limit) {
  switch (limit) {
    case ImportLimit::Sheets:
      return limitText("最大シート枚数 "_sj, kMaxSheets,
                       "枚 を上回るため、インポートは行えませんでした。"_sj);
    case ImportLimit::Words:
      return limitText("最大語句件数 "_sj, kMaxWords, "件 を上回るため、インポートは行えませんでした。"_sj);
    case ImportLimit::Marks:
      return limitText("最大マーク件数 "_sj, kMaxMarks, "件 を上回るため、インポートは行えませんでした。"_sj);
    case ImportLimit::None:
      break;
  }
  return {};
}

void mergeImportedWorkbook(Workbook& current, Workbook& imported) {
  const ImportedMarkIds ids(imported.marks);
  const int32_t markOffset = markOffsetFor(current, ids.count());
  const int32_t wordOffset = static_cast<int32_t>(current.words.size());

  renumberImported(imported, wordOffset, ids, markOffset);
  current.words.insert(current.words.end(), std::make_move_iterator(imported.words.begin()),
                       std::make_move_iterator(imported.words.end()));
  current.sheets.insert(current.sheets.end(), std::make_move_iterator(imported.sheets.begin()),
                        std::make_move_iterator(imported.sheets.end()));
  current.memos.insert(current.memos.end(), std::make_move_iterator(imported.memos.begin()),
                       std::make_move_iterator(imported.memos.end()));
  reuseExistingWords(current, wordOffset);

  for (CatalogMark& m : imported.marks) {
    m.id = ids(m.id, markOffset);
    current.marks.push_back(std::move(m));
  }
  mergeExactDuplicates(current);
  imported.clearLists();
}

bool hasNearDuplicateMarks(const Workbook& wb) {
  std::unordered_set<std::string_view> glyphs, names;
  for (const CatalogMark& m : wb.marks) {
    if (!glyphs.insert(m.glyph).second) return true;
    if (!names.insert(m.name).second) return true;
  }
  return false;
}

int importFromSlot(DocWnd& w) {
  Document& doc = w.doc;
  Workbook& imported = doc.importSlot();
  const ImportLimit limit = checkImportLimits(doc.cur(), imported);
  if (limit != ImportLimit::None) {
    w.ui().warning(importLimitMessage(limit));
    doc.clearSlot(kImportSlot);
    return -1;
  }
  {
    WaitCursor wait(w.ui());
    doc.recordChange();
    mergeImportedWorkbook(doc.cur(), imported);
    sortAndRenumberCatalog(doc.cur(), w.marks);
    w.marks.reloadEntries(doc.cur());
    w.ui().repaint();
  }
  if (!hasNearDuplicateMarks(doc.cur())) {
    w.ui().information("インポートが完了しました。"_sj);
  } else {
    std::string text =
        "インポートが完了しました。\n\n\n同じマークまたは名称が存在するか、同じマークと名称なのに属性が異なる"
        "データが存"
        "在します。"_sj;
    text +=
        "\n\nカタログマーク編集処理で「集約」を行うことをお勧めします。カタログマーク編集処理を行いますか？"_sj;
    if (w.ui().question(text, false) == Answer::Yes && w.markEditorLauncher)
      w.markEditorLauncher->openMarkEditor();
  }
  doc.clearSlot(kImportSlot);
  return 0;
}

int importWorkbookFile(DocWnd& w, const std::string& path) {
  Document& doc = w.doc;
  doc.clearSlot(kImportSlot);
  if (checkWorkbookFile(path, w.ui()) != 0) return -1;
  const std::string keptPath = doc.filePath;
  const std::string keptTitle = doc.fileTitle;
  doc.filePath = path;
  doc.fileTitle = std::filesystem::path(path).stem().string();
  const int loaded = loadWorkbook(doc, kLoadImport, w.ui());
  doc.filePath = keptPath;
  doc.fileTitle = keptTitle;
  if (loaded != 0) {
    doc.clearSlot(kImportSlot);
    w.ui().warning("ファイル異常のため、インポートは行えませんでした。"_sj);
    return -1;
  }
  return importFromSlot(w);
}

int importWorkbook(DocWnd& w) {
  w.doc.clearSlot(kImportSlot);
  FileDialogRequest request;
  request.title = "インポート"_sj;
  request.filter = "ThoughtGridCraft(*.tgc)|*.tgc|全て(*.*)|*.*||"_sj;
  request.defaultExtension = "tgc";
  const std::optional<std::string> path = w.ui().chooseOpenFile(request);
  if (!path) return 0;
  return importWorkbookFile(w, *path);
}

}  // namespace tgc
