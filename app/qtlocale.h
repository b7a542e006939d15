// Qt's own texts (standard buttons of message boxes, file, font and colour
// dialogs) in Japanese, to match the rest of the program whatever the
// desktop's language.
#pragma once

class QTranslator;

namespace tgc {

// Installs Qt's Japanese translations on the running application; the
// translator is owned by the caller. False when they are not installed.
bool installJapaneseQtTexts(QTranslator& translator);

}  // namespace tgc
