// Sheet creation with its random mark placement, deletion of a word and of
// the shown sheet, moving between sheets and the jump from the word list.
#pragma once

#include "core/docwnd.h"

namespace tgc {

// Initial is a Type-A sheet made silently for a workbook that needs its
// first sheet: no undo step, it does not become current, no focus change and
// no repaint (the selection still goes to its theme box).
enum class CreateKind { Initial, TypeA, TypeB, TypeC };

// 0 when a sheet was created, -1 when a precondition failed (message shown),
// 1 when the workbook already holds the maximum number of sheets.
int createSheet(DocWnd& w, CreateKind kind);

// For callers of Workbook::removeSheet: when the current slot has no sheet
// left, creates a fresh Type-A sheet (its own undo step) and makes it the
// first and current sheet. Returns createSheet's result, or 0 when sheets
// remain.
int recreateSheetIfNone(DocWnd& w);

// The word-delete command. 0 when the word went, -1 otherwise.
int deleteSelectedWord(DocWnd& w);

// The sheet-delete command. 0 when the sheet went, -1 otherwise.
int deleteCurrentSheet(DocWnd& w);

enum class SheetMove { Previous, Next, First, Last };

// 0 when the current sheet changed, -1 when it did not.
int moveToSheet(DocWnd& w, SheetMove direction);

// One row of the word list as the jump needs it.
struct WordListJump {
  int word = -1;
  int mark = -1;
  int sheet = 0;
};

// Shows the entry's box. A null entry means no row is selected: the user is
// told to pick one. Returns 0 after a jump, -1 otherwise.
int jumpToWordListEntry(DocWnd& w, const WordListJump* entry);

}  // namespace tgc
