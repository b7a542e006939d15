// The order in which a sheet's boxes may be filled, the in-place editor's
// state and the commit that turns edited text into the selected box's word.
// The editor widget itself lives in the Qt layer and drives these functions.
#pragma once

#include <optional>
#include <string>

#include "sheet/geometry.h"

namespace tgc {

class DocWnd;

// State of the in-place editor for the whole run (a member of DocWnd).
struct BoxEditorState {
  // The editor is open on the selected box: the box's word is not painted,
  // keys other than Enter and Escape go to the editor, no tooltip shows.
  int editing = 0;
  // Set by the widget while it hides itself, so that the focus changes the
  // hiding causes do not close the editor a second time.
  int closingEditor = 0;
};

// Mode of checkBoxInput.
inline constexpr int kInputForEditor = 0;
inline constexpr int kInputForAssist = 1;

// 0 when the selected box of the current sheet may receive a new word, -1
// when not (a warning has been shown). In editor mode a refusal may move the
// selection to the box that must be filled first; in assist mode the message
// carries the word-assist prefix and the selection never moves.
int checkBoxInput(DocWnd& w, int mode);

struct EditorOpening {
  std::string text;  // CP932: the box's word, or empty
  Rect rect;         // where the editor goes, in view coordinates
};

// Opens the editor on the selected box of a view of that client size. Nothing
// when the editor is already open or the input rules refuse the box (then
// the caller repaints to show a moved selection). Sets editing.
std::optional<EditorOpening> openEditor(DocWnd& w, int clientWidth, int clientHeight);

// True when a close request should be carried out now: the editor is open
// and not already closing.
bool editorClosable(const DocWnd& w);

// Closes the editor whose text (read as is, nothing trimmed) is given. The
// widget sets closingEditor around hiding itself and moving the focus, then
// calls this. Commits unless cancel; repaints.
void closeEditor(DocWnd& w, bool cancel, const std::string& text);
// Tells the user that the typed text holds characters the workbook cannot
// store; the editor stays open so nothing typed is lost.
void warnUnstorableText(DocWnd& w);

// Stores text as the selected box's word, recording an undo step only when
// the box's word actually changes. Also used by paste.
void commitBoxText(DocWnd& w, const std::string& text);

// Low-level assignment of a pool position (or -1) to the selected box, with
// the automatic idea flag of the Type-B and Type-C idea areas. No undo step.
void assignWordToSelectedBox(DocWnd& w, int word);

// What Enter does on the sheet view (Ctrl and Shift as sampled by the key
// dispatcher).
enum class EnterAction { None, OpenEditor, CommitEdit, ToggleIdea };
EnterAction enterAction(const DocWnd& w, bool ctrlHeld, bool shiftHeld);

}  // namespace tgc
