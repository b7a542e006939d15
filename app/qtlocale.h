// Qt's own texts (standard buttons of message boxes, file, print, font and
// colour dialogs) in Japanese, to match the rest of the program whatever the
// desktop's language.
#pragma once

class QTranslator;

namespace tgc {

// Installs Qt's Japanese translations on the running application, then the
// program's own for the texts of Qt's dialogs they lack. The translators
// are owned by the caller. False when Qt's are not installed.
bool installJapaneseQtTexts(QTranslator& qtTexts, QTranslator& missingTexts);

}  // namespace tgc
