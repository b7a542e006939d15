#include "app/menustate.h"

#include "core/docwnd.h"

namespace tgc {

MenuState menuState(const DocWnd& w) {
  MenuState m;
  const Document& d = w.doc;
  const Workbook& wb = w.wb();
  m.saveEnabled = d.modified == 1;
  m.undoEnabled = d.canUndo();
  m.redoEnabled = d.canRedo();
  const int count = static_cast<int>(wb.sheets.size());
  m.previousEnabled = wb.currentSheet != 0;
  m.nextEnabled = wb.currentSheet != count - 1;
  m.markNamesChecked = w.shell.markNames == 1;
  return m;
}

void menuOpening(DocWnd& w) {
  if (w.shell.guideShown != 1) return;
  w.shell.guideShown = 0;
  w.ui().repaint();
}

}  // namespace tgc
