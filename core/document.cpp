#include "core/document.h"

namespace tgc {

const std::string& untitledName() {
  // "無題" as UTF-8 bytes; spelled out because this library's narrow literals
  // are compiled to CP932.
  static const std::string name = "\xE7\x84\xA1\xE9\xA1\x8C";
  return name;
}

Document::Document() : filePath(untitledName()), fileTitle(untitledName()) {}

void Document::recordChange() {
  const int old = current;
  current = old + 1;
  if (current == kRingSlots) {
    current = 0;
    wrapped = 1;
  }
  if (current == oldest) oldest = (oldest + 1) % kRingSlots;
  clearSlot(current);
  copySlot(old, current);
  newest = current;
  setModified(1);
}

HistoryStep Document::undoStep() {
  HistoryStep step;
  if (current == oldest) return step;
  const Workbook& departing = slots[current];
  const int mark = departing.markEdited, memo = departing.memoEdited;
  current = current == 0 ? kRingSlots - 1 : current - 1;
  step.moved = true;
  step.markEditCrossed = mark == 1 && cur().markEdited == 0;
  step.memoEditCrossed = memo == 1 && cur().memoEdited == 0;
  return step;
}

HistoryStep Document::redoStep() {
  HistoryStep step;
  if (current == newest) return step;
  const Workbook& departing = slots[current];
  const int mark = departing.markEdited, memo = departing.memoEdited;
  current = current == kRingSlots - 1 ? 0 : current + 1;
  step.moved = true;
  step.markEditCrossed = mark == 0 && cur().markEdited == 1;
  step.memoEditCrossed = memo == 0 && cur().memoEdited == 1;
  return step;
}

void Document::resetHistory() {
  const int old = current;
  wrapped = oldest = newest = current = 0;
  if (old != 0) {
    clearSlot(0);
    copySlot(old, 0);
    clearSlot(old);
  }
  for (int s = 1; s < kRingSlots; ++s) {
    slots[s].cursorColumn = kGridColumns / 2;
    slots[s].cursorRow = kGridRows / 2;
    slots[s].currentSheet = 0;
    slots[s].markEdited = 0;
  }
}

void Document::clearSlot(int slot) {
  slots[slot].clearLists();
}

void Document::copySlot(int from, int to) {
  if (from == to) return;
  const Workbook& src = slots[from];
  Workbook& dst = slots[to];
  dst.words.insert(dst.words.end(), src.words.begin(), src.words.end());
  dst.sheets.insert(dst.sheets.end(), src.sheets.begin(), src.sheets.end());
  dst.marks.insert(dst.marks.end(), src.marks.begin(), src.marks.end());
  dst.memos.insert(dst.memos.end(), src.memos.begin(), src.memos.end());
  dst.currentSheet = src.currentSheet;
  dst.cursorColumn = src.cursorColumn;
  dst.cursorRow = src.cursorRow;
  dst.memoEdited = src.memoEdited;
  dst.markEdited = src.markEdited;
}

void Document::clearAllSlots() {
  for (int s = 0; s < kSlotCount; ++s) clearSlot(s);
}

void Document::resetViewState(int slot) {
  Workbook& wb = slots[slot];
  wb.cursorColumn = kGridColumns / 2;
  wb.cursorRow = kGridRows / 2;
  wb.currentSheet = 0;
  wb.markEdited = 0;
}

void Document::setModified(int value) {
  modified = value;
  cur().memoEdited = 0;
  cur().markEdited = 0;
  if (value == 0 && onClean) onClean();
}

}  // namespace tgc
