#include "app/qtlocale.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QTranslator>

namespace tgc {

bool installJapaneseQtTexts(QTranslator& qtTexts, QTranslator& missingTexts) {
  // Installed later, the program's own are asked first.
  const bool qt =
      qtTexts.load(QStringLiteral("qtbase_ja"), QLibraryInfo::path(QLibraryInfo::TranslationsPath)) &&
      QCoreApplication::installTranslator(&qtTexts);
  if (missingTexts.load(QStringLiteral(":/translations/qtdialogs_ja.qm")))
    QCoreApplication::installTranslator(&missingTexts);
  return qt;
}

}  // namespace tgc
