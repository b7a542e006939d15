#include "core/docwnd.h"
#include "core/cp932literal.h"

namespace tgc {

DocWnd::DocWnd(Ports p) : ports(p) {}

namespace {

void afterHistoryStep(DocWnd& w, const HistoryStep& step, const char* markText, const char* memoText) {
  if (!step.moved) return;
  w.marks.reloadEntries(w.wb());
  w.ui().repaint();
  if (step.markEditCrossed) w.ui().information(markText);
  if (step.memoEditCrossed) w.ui().information(memoText);
}

}  // namespace

void DocWnd::undo() {
  afterHistoryStep(*this, doc.undoStep(), "カタログマーク編集の内容を更新前に戻しました。"_sj,
                   "アイデアメモの内容を更新前に戻しました。"_sj);
}

void DocWnd::redo() {
  afterHistoryStep(*this, doc.redoStep(), "カタログマーク編集の内容を更新後に戻しました。"_sj,
                   "アイデアメモの内容を更新後に戻しました。"_sj);
}

void DocWnd::clearAll() {
  doc.clearAllSlots();
  marks.clear();
}

}  // namespace tgc
