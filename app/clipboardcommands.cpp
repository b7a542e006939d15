#include "app/clipboardcommands.h"

#include "core/docwnd.h"
#include "sheet/boxinput.h"
#include "sheet/geometry.h"

namespace tgc {

namespace {

const Box* selectedBox(const Workbook& wb) {
  const Sheet* sheet = wb.currentSheetPtr();
  return sheet ? findBox(*sheet, wb.cursorColumn, wb.cursorRow) : nullptr;
}

}  // namespace

int copySelectedWord(DocWnd& w) {
  const Box* box = selectedBox(w.wb());
  if (!box || box->word < 0 || box->word >= static_cast<int>(w.wb().words.size())) return 0;
  w.ports.clipboard.setText(w.wb().wordText(box->word));
  return 0;
}

int pasteWord(DocWnd& w) {
  const ClipboardText clip = w.ports.clipboard.text();
  if (clip.unstorable) {
    // The box would stay as it was without a word; typing says why.
    warnUnstorableText(w);
    return -1;
  }
  const std::string& text = clip.cp932;
  if (text.empty()) return 0;
  // The snapshot comes first, so a paste that changes nothing is still a step.
  w.doc.recordChange();
  Workbook& wb = w.wb();
  const int position = enterWord(wb, text);
  const Box* box = selectedBox(wb);
  if (box && box->word != position) assignWordToSelectedBox(w, position);
  w.ui().repaint();
  return 0;
}

}  // namespace tgc
