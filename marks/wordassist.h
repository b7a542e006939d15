// Word assist: fills the selected empty box with a word that stands, on the
// workbook's other sheets, in the same relation to the same neighbouring word
// and carries the same mark.
#pragma once

namespace tgc {

class DocWnd;

// -1 when the box already holds a word, is missing, lies in the idea area or
// is refused by the input rules (a warning was shown except for a missing
// box); 0 otherwise, also when no candidate was found and nothing changed.
// A placed word is one undo step and is flagged as assisted.
int wordAssist(DocWnd& w);

}  // namespace tgc
