#include "windows/auxiliarywindows.h"

#include <QAction>

#include "app/commandids.h"
#include "app/mainwindow.h"
#include "windows/finddialog.h"
#include "windows/ideamemo.h"
#include "windows/ideamemodialog.h"
#include "windows/textoutputdialog.h"
#include "windows/wordlistdialog.h"

namespace tgc {

namespace {

class IdeaMemoWindow : public IdeaMemoWindowPort {
 public:
  explicit IdeaMemoWindow(MainWindow& window) : window_(window) {}
  void run(IdeaMemoSession& session) override {
    IdeaMemoDialog dialog(window_.docWnd(), session, &window_);
    dialog.exec();
  }

 private:
  MainWindow& window_;
};

// The ports live as long as the main window: a child object owns them.
class AuxiliaryWindows : public QObject {
 public:
  explicit AuxiliaryWindows(MainWindow& window) : QObject(&window), textOutput(&window), ideaMemo(window) {}
  TextOutputWindow textOutput;
  IdeaMemoWindow ideaMemo;
  FindMemory find;  // the last text and the row to start from, for the next opening
};

}  // namespace

void installAuxiliaryWindows(MainWindow& window) {
  auto* windows = new AuxiliaryWindows(window);
  DocWnd& w = window.docWnd();
  w.textOutput.dialog = &windows->textOutput;
  window.action(cmd::TextOutput)->setEnabled(true);
  window.setCommandHandler(cmd::WordList, [&window] {
    WordListDialog dialog(window.docWnd(), &window);
    dialog.exec();
    return 0;
  });
  window.setCommandHandler(cmd::Find, [&window, windows] {
    FindDialog dialog(window.docWnd(), windows->find, &window);
    dialog.exec();
    return 0;
  });
  window.setCommandHandler(
      cmd::IdeaMemo, [&window, windows] { return ideaMemoCommand(window.docWnd(), windows->ideaMemo); });
}

}  // namespace tgc
