// ThoughtGridCraft: one main window; the program ends when it closes.
#include <QApplication>
#include <QTranslator>
#include <iostream>

#include "app/commandline.h"
#include "app/mainwindow.h"
#include "app/qtlocale.h"
#include "app/recoverykeeper.h"
#include "app/version.h"
#include "resources/programicon.h"

int main(int argc, char** argv) {
  // Help and version need no display, so they are answered before Qt starts.
  const tgc::ProgramArguments early = tgc::parseProgramArguments({argv + 1, argv + argc});
  if (early.action == tgc::ProgramArguments::Action::Help) {
    std::cout << tgc::programHelpText();
    return 0;
  }
  if (early.action == tgc::ProgramArguments::Action::Version) {
    std::cout << tgc::versionLine("thoughtgridcraft") << '\n';
    return 0;
  }
  QApplication app(argc, argv);
  QApplication::setOrganizationName(QStringLiteral("ThoughtGridCraft"));
  QApplication::setApplicationName(QStringLiteral("ThoughtGridCraft"));
  QApplication::setApplicationVersion(QString::fromLatin1(tgc::versionString()));
  // The desktop entry's name lets the desktop match the windows to it; the
  // application's icon is every window's icon, dialogs included.
  QGuiApplication::setDesktopFileName(QString::fromLatin1(tgc::applicationId()));
  QApplication::setWindowIcon(tgc::icons::programIcon());
  QTranslator qtTexts, missingTexts;
  tgc::installJapaneseQtTexts(qtTexts, missingTexts);  // without them Qt's texts stay English
  // Qt's own options are gone now. The workbook path is taken as given,
  // relative to the current directory or absolute.
  std::vector<std::string> rest;
  for (const QString& arg : QApplication::arguments().mid(1)) rest.push_back(arg.toUtf8().toStdString());
  const tgc::ProgramArguments line = tgc::parseProgramArguments(rest);
  if (line.action == tgc::ProgramArguments::Action::Error) {
    std::cerr << "thoughtgridcraft: " << line.error
              << "\nTry 'thoughtgridcraft --help' for more information.\n";
    return 2;
  }

  tgc::MainWindow window;
  window.show();
  window.startUp(line.path);
  // Autosave, after the offer of what a run that did not close normally left.
  const auto recovery = tgc::startRecovery(window);
  return app.exec();
}
