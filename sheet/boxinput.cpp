#include "sheet/boxinput.h"

#include "core/cp932literal.h"
#include "core/docwnd.h"

namespace tgc {

namespace {

const char* const kAssistPrefix = "語句アシスト：\n\n"_sj;

void refuse(DocWnd& w, int mode, const char* text) {
  w.ui().warning(mode == kInputForAssist ? std::string(kAssistPrefix) + text : std::string(text));
}

bool hasWord(const Sheet& sheet, int column, int row) {
  const Box* b = findBox(sheet, column, row);
  return b && b->word >= 0;
}

void select(DocWnd& w, int mode, int column, int row) {
  if (mode != kInputForEditor) return;
  w.wb().cursorColumn = column;
  w.wb().cursorRow = row;
}

Box* selectedBox(DocWnd& w) {
  Sheet* s = w.wb().currentSheetPtr();
  return s ? findBox(*s, w.wb().cursorColumn, w.wb().cursorRow) : nullptr;
}

}  // namespace

int checkBoxInput(DocWnd& w, int mode) {
  const Sheet* sheet = w.wb().currentSheetPtr();
  if (!sheet) return -1;
  const SheetType type = sheetTypeOf(*sheet);
  const int c = w.wb().cursorColumn;
  const int r = w.wb().cursorRow;
  const GridPos theme = themeBox(type);
  const bool onTheme = c == theme.column && r == theme.row;

  // The theme comes first on every layout.
  if (!onTheme && !hasWord(*sheet, theme.column, theme.row)) {
    refuse(w, mode, "テーマから入力してください。"_sj);
    select(w, mode, theme.column, theme.row);
    return -1;
  }
  switch (type) {
    case TypeA: {
      if (onTheme) return 0;
      for (const Box& b : sheet->boxes)
        if (b.word >= 0 && isAdjacent(c, r, b.column, b.row)) return 0;
      refuse(w, mode,
             "となりの語句が入力されていません。\n\n入力されている語句にとなりのワクに入力をしてください。"
             "（斜め方向も可）"_sj);
      return -1;
    }
    case TypeB:
      if (c == 0 || r == 0 || hasWord(*sheet, c, 0)) return 0;
      refuse(w, mode, "この列の１行目に語句が入力されていません。\n\n１行目を入力してください。"_sj);
      select(w, mode, c, 0);
      return -1;
    case TypeC:
      if (c == 0 || r == 0 || hasWord(*sheet, 0, r)) return 0;
      refuse(w, mode, "この行の１列目に語句が入力されていません。\n\n１列目を入力してください。"_sj);
      select(w, mode, 0, r);
      return -1;
  }
  return -1;
}

std::optional<EditorOpening> openEditor(DocWnd& w, int clientWidth, int clientHeight) {
  if (w.editor.editing) return std::nullopt;
  EditorOpening opening;
  const Box* box = selectedBox(w);
  // A box that already holds a word may always be edited.
  if (box && box->word >= 0) {
    opening.text = w.wb().wordText(box->word);
  } else if (checkBoxInput(w, kInputForEditor) != 0) {
    return std::nullopt;
  }
  const SheetLayout layout = computeLayout(clientWidth, clientHeight);
  opening.rect = editorRect(boxRect(layout, w.wb().cursorColumn, w.wb().cursorRow));
  w.editor.editing = 1;
  return opening;
}

bool editorClosable(const DocWnd& w) {
  return w.editor.editing && !w.editor.closingEditor;
}

void closeEditor(DocWnd& w, bool cancel, const std::string& text) {
  if (!editorClosable(w)) return;
  w.editor.editing = 0;
  if (!cancel) commitBoxText(w, text);
  w.ui().repaint();
}

void warnUnstorableText(DocWnd& w) {
  w.ui().warning(
      "保存できない文字が含まれています。\nその文字を削除するか、別の文字に置き換えてください。"_sj);
}

void commitBoxText(DocWnd& w, const std::string& text) {
  const Box* box = selectedBox(w);
  if (!box) return;
  int position = -1;
  if (!text.empty()) {
    position = w.wb().findWord(text);
    if (position >= 0 && position == box->word) return;
    w.doc.recordChange();
    // The undo step copied the slot: work on the new current one.
    if (position < 0) position = w.wb().addWord(text);
  } else {
    if (box->word < 0) return;
    w.doc.recordChange();
  }
  assignWordToSelectedBox(w, position);
  w.ui().repaint();
}

void assignWordToSelectedBox(DocWnd& w, int word) {
  Sheet* sheet = w.wb().currentSheetPtr();
  Box* box = selectedBox(w);
  if (!box) return;
  if (box->word >= 0) box->assisted = 0;
  box->word = word;
  if (word < 0) {
    box->idea = 0;
    box->assisted = 0;
    return;
  }
  // Type-A leaves the flag alone: replacing an idea's word keeps it an idea.
  if (inIdeaArea(sheetTypeOf(*sheet), box->column, box->row)) box->idea = 1;
}

EnterAction enterAction(const DocWnd& w, bool ctrlHeld, bool shiftHeld) {
  if (w.editor.editing) return EnterAction::CommitEdit;
  if (ctrlHeld) return EnterAction::ToggleIdea;
  if (shiftHeld) return EnterAction::None;
  return EnterAction::OpenEditor;
}

}  // namespace tgc
