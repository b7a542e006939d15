// The idea command of Type-A sheets: sets or clears the idea flag of the
// selected box. On Type-B and Type-C the flag follows the box's place, so the
// command only explains that.
#pragma once

namespace tgc {

class DocWnd;

// Acts on the selected box of the current sheet. 0 when the flag changed
// (one undo step), -1 when refused or cancelled (a message was shown) or
// when there is no sheet.
int toggleIdea(DocWnd& w);

}  // namespace tgc
