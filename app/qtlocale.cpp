#include "app/qtlocale.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QTranslator>

namespace tgc {

bool installJapaneseQtTexts(QTranslator& translator) {
  if (!translator.load(QStringLiteral("qtbase_ja"), QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
    return false;
  return QCoreApplication::installTranslator(&translator);
}

}  // namespace tgc
