// The state of the menu items, set when a top-level menu opens.
#pragma once

namespace tgc {

class DocWnd;

struct MenuState {
  bool saveEnabled = false;      // the workbook is modified
  bool undoEnabled = false;      // not at the oldest state
  bool redoEnabled = false;      // not at the newest state
  bool previousEnabled = false;  // 前のシート, 先頭のシート: not on the first sheet
  bool nextEnabled = false;      // 後のシート, 最終のシート: not on the last sheet
  bool markNamesChecked = false;
};

MenuState menuState(const DocWnd& w);

// What opening a top-level menu does first: hide a shown guide (repainting).
void menuOpening(DocWnd& w);

}  // namespace tgc
