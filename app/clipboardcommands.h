// Copy and paste of a word through the system clipboard, as plain CP932 text.
#pragma once

namespace tgc {

class DocWnd;

// Puts the selected box's word on the clipboard; nothing for an empty box.
// Returns 0.
int copySelectedWord(DocWnd& w);
// Puts the clipboard's text into the selected box as its word, as one undo
// step even when the box already holds that word. Nothing for an empty
// clipboard; -1 after the warning for text CP932 cannot hold. Else 0.
int pasteWord(DocWnd& w);

}  // namespace tgc
