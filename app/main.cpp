// ThoughtGridCraft: one main window; the program ends when it closes.
#include <QApplication>
#include <QTranslator>

#include "app/mainwindow.h"
#include "app/qtlocale.h"
#include "app/recoverykeeper.h"

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  QApplication::setOrganizationName(QStringLiteral("ThoughtGridCraft"));
  QApplication::setApplicationName(QStringLiteral("ThoughtGridCraft"));
  QTranslator qtTexts;
  tgc::installJapaneseQtTexts(qtTexts);  // without them Qt's texts stay English
  // The first argument is a workbook path as given, relative to the current
  // directory or absolute.
  const QStringList args = QApplication::arguments();
  const std::string path = args.size() > 1 ? args.at(1).toUtf8().toStdString() : std::string();

  tgc::MainWindow window;
  window.show();
  window.startUp(path);
  // Autosave, after the offer of what a run that did not close normally left.
  const auto recovery = tgc::startRecovery(window);
  return app.exec();
}
