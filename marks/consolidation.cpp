#include "marks/consolidation.h"

#include <string>
#include <unordered_set>
#include <vector>

#include "core/cp932literal.h"
#include "core/docwnd.h"

namespace tgc {

namespace {

int normalizedAttribute(int a) {
  return a == AttrElement || a == AttrTransform ? a : AttrUnset;
}

void repointBoxes(Workbook& wb, int32_t from, int32_t to) {
  for (Sheet& s : wb.sheets)
    for (Box& b : s.boxes)
      if (b.mark == from) b.mark = to;
}

struct Pass {
  int firstList;
  int secondList;
  bool secondAfterFirst;  // j starts at i + 1, else at 0
};

constexpr Pass kPasses[3] = {
    {kActiveList, kActiveList, true},
    {kActiveList, kDormantList, false},
    {kDormantList, kDormantList, true},
};

enum class PassResult { Done, Merged, Stopped };

// Walks one pass until it ends, a merge is made or the user stops.
PassResult walkPass(DocWnd& w, const Pass& pass) {
  MarkEditor& ed = w.marks;
  std::vector<CatalogMark>& firsts = ed.entries(pass.firstList);
  std::vector<CatalogMark>& seconds = ed.entries(pass.secondList);
  for (std::size_t i = 0; i < firsts.size(); ++i) {
    for (std::size_t j = pass.secondAfterFirst ? i + 1 : 0; j < seconds.size(); ++j) {
      if (!isLookAlike(firsts[i], seconds[j])) continue;
      const MergeButtons buttons = mergeButtons(firsts[i], seconds[j]);
      MergeChoice choice =
          w.mergeDialog == nullptr
              ? MergeChoice::Stop
              : w.mergeDialog->showMergeDialog(firsts[i], seconds[j], buttons.keepFirst, buttons.keepSecond);
      // A disabled button cannot have been pressed; take it as a skip.
      if ((choice == MergeChoice::KeepFirst && !buttons.keepFirst) ||
          (choice == MergeChoice::KeepSecond && !buttons.keepSecond))
        choice = MergeChoice::Next;
      if (choice == MergeChoice::Next) continue;
      if (choice == MergeChoice::Stop) return PassResult::Stopped;
      const bool keepFirst = choice == MergeChoice::KeepFirst;
      const int32_t kept = keepFirst ? firsts[i].id : seconds[j].id;
      const int32_t removed = keepFirst ? seconds[j].id : firsts[i].id;
      recordMarkEdit(w.doc);
      // Idea boxes follow too: the removed mark leaves the catalog.
      repointBoxes(w.wb(), removed, kept);
      if (keepFirst)
        seconds.erase(seconds.begin() + static_cast<std::ptrdiff_t>(j));
      else
        firsts.erase(firsts.begin() + static_cast<std::ptrdiff_t>(i));
      return PassResult::Merged;
    }
  }
  return PassResult::Done;
}

}  // namespace

bool isLookAlike(const CatalogMark& a, const CatalogMark& b) {
  return a.glyph == b.glyph || a.name == b.name;
}

bool hasLookAlikes(const MarkEditor& editor) {
  // Every pair of the three passes together is every pair of distinct
  // entries over both lists, so one hash pass per key finds any.
  std::unordered_set<std::string> glyphs, names;
  for (int list : {kActiveList, kDormantList})
    for (const CatalogMark& e : editor.entries(list)) {
      if (!glyphs.insert(e.glyph).second || !names.insert(e.name).second) return true;
    }
  return false;
}

MergeButtons mergeButtons(const CatalogMark& first, const CatalogMark& second) {
  MergeButtons b;
  if (normalizedAttribute(first.attribute) == normalizedAttribute(second.attribute)) return b;
  const bool u1 = usedOnTypeBOrC(first.sheetUsage);
  const bool u2 = usedOnTypeBOrC(second.sheetUsage);
  // Keeping the first removes the second, whose B/C boxes would change
  // attribute, and the other way round.
  b.keepFirst = !u2;
  b.keepSecond = !u1;
  return b;
}

int consolidate(DocWnd& w) {
  if (!hasLookAlikes(w.marks)) {
    w.ui().warning(
        "集約の対象データはありません。\n\n（集約は、マークあるいは名称が同一のものに対して行われます。）"_sj);
    return -1;
  }
  for (const Pass& pass : kPasses) {
    for (;;) {
      const PassResult r = walkPass(w, pass);
      if (r == PassResult::Done) break;
      if (r == PassResult::Stopped) {
        w.ui().information("集約処理が中断されました。"_sj);
        return -1;
      }
      // A merge: write back, then list the marks afresh (in id order, with
      // their usage recomputed) and start this pass over.
      w.marks.commit(w.doc);
      w.marks.reloadEntries(w.wb());
      if (w.mergeDialog != nullptr) w.mergeDialog->entriesReloaded();
    }
  }
  if (hasLookAlikes(w.marks)) {
    w.ui().information(std::string("集約未完了項目があります。\n\n\nマーク属性（要素・変換）が不一致で双方が"
                                   "シートタイプＢまたはＣで使用"
                                   "されている場合、　"_sj) +
                       "\n\nどちらかのマークおよび名称を変更するか、あるいは使用シートを削除した上で集約する"
                       "必要があります。"_sj);
  } else {
    w.ui().information("集約処理が完了しました。"_sj);
  }
  return 0;
}

}  // namespace tgc
