// Every shortcut of the command table as a person presses it: real key press
// and release events to the focused sheet view, through the application's
// event filter, with every window the command opens answered.
#include <gtest/gtest.h>

#include <QApplication>
#include <QClipboard>
#include <QColorDialog>
#include <QFileDialog>
#include <QMenu>
#include <QMenuBar>
#include <QMessageBox>
#include <QPushButton>
#include <QSettings>
#include <QSignalSpy>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <functional>

#include "app/commandids.h"
#include "app/mainwindow.h"
#include "sheet/geometry.h"
#include "sheet/sheetview.h"
#include "tests/support/fakeopener.h"
#include "tests/widgets/modalscript.h"
#include "tests/widgets/shownwindow.h"

namespace tgc::test {
namespace {

// Answers whatever modal window is up: a message box with its default
// button (OK deletes, Yes saves), a file dialog by cancelling, any other
// dialog (font, colour, a command's own window) by OK.
class ModalAnswerer : public QObject {
 public:
  ModalAnswerer() {
    timer_.setInterval(1);
    connect(&timer_, &QTimer::timeout, this, [this] { answer(); });
    timer_.start();
  }
  int answered = 0;

 private:
  void answer() {
    auto* modal = qobject_cast<QDialog*>(QApplication::activeModalWidget());
    if (!modal || !modal->isVisible()) return;
    ++answered;
    if (auto* box = qobject_cast<QMessageBox*>(modal)) {
      if (box->defaultButton())
        box->defaultButton()->click();
      else
        box->reject();
    } else if (qobject_cast<QFileDialog*>(modal)) {
      modal->reject();
    } else {
      modal->accept();
    }
  }
  QTimer timer_;
};

struct KeyRow {
  Qt::Key key;
  Qt::KeyboardModifiers modifiers;
  int command;
};

// The shortcut column of the command table, with the modifiers each key
// also allows.
const KeyRow kShortcuts[] = {
    {Qt::Key_N, Qt::ControlModifier, cmd::New},
    {Qt::Key_O, Qt::ControlModifier, cmd::Open},
    {Qt::Key_S, Qt::ControlModifier, cmd::Save},
    {Qt::Key_T, Qt::ControlModifier, cmd::SaveAs},
    {Qt::Key_I, Qt::ControlModifier, cmd::Import},
    {Qt::Key_K, Qt::ControlModifier, cmd::TextOutput},
    {Qt::Key_P, Qt::ControlModifier, cmd::Print},
    {Qt::Key_Z, Qt::ControlModifier, cmd::Undo},
    {Qt::Key_Y, Qt::ControlModifier, cmd::Redo},
    {Qt::Key_C, Qt::ControlModifier, cmd::Copy},
    {Qt::Key_V, Qt::ControlModifier, cmd::Paste},
    {Qt::Key_Delete, Qt::NoModifier, cmd::DeleteWord},
    {Qt::Key_D, Qt::ControlModifier, cmd::DeleteSheet},
    {Qt::Key_Insert, Qt::NoModifier, cmd::WordAssist},
    {Qt::Key_Return, Qt::ControlModifier, cmd::Idea},
    {Qt::Key_F7, Qt::NoModifier, cmd::CreateA},
    {Qt::Key_F7, Qt::ShiftModifier, cmd::CreateA},
    {Qt::Key_F7, Qt::ControlModifier, cmd::CreateA},
    {Qt::Key_F8, Qt::NoModifier, cmd::CreateB},
    {Qt::Key_F8, Qt::ShiftModifier, cmd::CreateB},
    {Qt::Key_F8, Qt::ControlModifier, cmd::CreateB},
    {Qt::Key_F9, Qt::NoModifier, cmd::CreateC},
    {Qt::Key_F9, Qt::ShiftModifier | Qt::ControlModifier, cmd::CreateC},
    {Qt::Key_F3, Qt::NoModifier, cmd::PrevSheet},
    {Qt::Key_PageUp, Qt::NoModifier, cmd::PrevSheet},
    {Qt::Key_F4, Qt::NoModifier, cmd::NextSheet},
    {Qt::Key_PageDown, Qt::NoModifier, cmd::NextSheet},
    {Qt::Key_F5, Qt::NoModifier, cmd::FirstSheet},
    {Qt::Key_Home, Qt::NoModifier, cmd::FirstSheet},
    {Qt::Key_F6, Qt::NoModifier, cmd::LastSheet},
    {Qt::Key_End, Qt::NoModifier, cmd::LastSheet},
    {Qt::Key_L, Qt::ControlModifier, cmd::WordList},
    {Qt::Key_Space, Qt::ControlModifier, cmd::IdeaMemo},
    {Qt::Key_M, Qt::ControlModifier, cmd::MarkEditor},
    {Qt::Key_E, Qt::ControlModifier, cmd::MarkNames},
    {Qt::Key_W, Qt::ControlModifier, cmd::ColorChange},
    {Qt::Key_H, Qt::ControlModifier, cmd::FontChange},
    {Qt::Key_G, Qt::ControlModifier, cmd::Guide},
    {Qt::Key_F1, Qt::NoModifier, cmd::Help},
};

TEST(KeyRoute, EveryShortcutRunsItsCommandOnceThoughAModalWindowTookTheFocus) {
  QStandardPaths::setTestModeEnabled(true);
  QTemporaryDir dir;
  FakeOpener opener;  // help goes to it rather than to a browser
  MainWindow window(
      std::make_unique<QSettings>(dir.filePath(QStringLiteral("settings.ini")), QSettings::IniFormat));
  window.show();
  window.startUp();
  // The windows that other parts register are stood in for by a modal dialog.
  for (int id : {cmd::Import, cmd::TextOutput, cmd::WordList, cmd::IdeaMemo, cmd::MarkEditor})
    window.setCommandHandler(id, [&window] { return QDialog(&window).exec() ? 0 : 0; });

  // Every command first shows a modal window, as deleting a sheet asks its
  // question: when it closes, the main window is not active again yet, and
  // the key must still not reach a second command on its way to the parents.
  std::vector<int> runs;
  QObject::connect(&window, &MainWindow::commandStarted, &window, [&](int id) {
    runs.push_back(id);
    QMessageBox question(QMessageBox::Question, QStringLiteral("ThoughtGridCraft"), QStringLiteral("?"),
                         QMessageBox::Ok | QMessageBox::Cancel, &window);
    question.setDefaultButton(QMessageBox::Ok);
    question.exec();
  });
  ModalAnswerer answerer;
  for (int i = 0; i < 5; ++i) window.runCommand(cmd::CreateA);  // sheets to delete and move among

  for (const KeyRow& row : kShortcuts) {
    // QTest::toString hands over a buffer to delete[]; a QString needs none.
    SCOPED_TRACE(QKeySequence(row.key | row.modifiers).toString().toStdString());
    QApplication::setActiveWindow(&window);
    window.view()->setFocus();
    ASSERT_EQ(QApplication::focusWidget(), window.view());
    runs.clear();
    QTest::keyClick(window.view(), row.key, row.modifiers);
    QTest::qWait(5);  // anything queued by the key has its turn
    EXPECT_EQ(runs, std::vector<int>{row.command});
    window.docWnd().shell.guideShown = 0;  // a shown guide would take the next key
  }
  EXPECT_GT(answerer.answered, 0);
}

class MenuKeys : public ShownWindowTest {};

// A menu closed with Esc leaves the menu bar in keyboard mode, with the
// focus; the keys it does not navigate with must still run their commands.
TEST_F(MenuKeys, ShortcutsWorkAtOnceAfterAMenuClosedWithEsc) {
  QSignalSpy runs(window.get(), &MainWindow::commandStarted);
  for (int id : {cmd::WordList, cmd::IdeaMemo}) window->setCommandHandler(id, [] { return 0; });
  QMenu* edit = window->topMenu(1);
  QMenuBar* bar = window->menuBar();
  const std::function<void()> openings[] = {
      [&] { QTest::keyClick(window->windowHandle(), Qt::Key_E, Qt::AltModifier); },
      [&] { QTest::mousePress(bar, Qt::LeftButton, {}, bar->actionGeometry(edit->menuAction()).center()); },
  };
  for (const auto& open : openings) {
    QApplication::setActiveWindow(window.get());  // offscreen no window manager gives it back
    open();
    ASSERT_TRUE(QTest::qWaitFor([&] { return QApplication::activePopupWidget() == edit; }));
    QTest::keyClick(edit, Qt::Key_Escape);
    ASSERT_EQ(QApplication::activePopupWidget(), nullptr);
    runs.clear();
    QTest::keyClick(window->windowHandle(), Qt::Key_L, Qt::ControlModifier);
    QTest::keyClick(window->windowHandle(), Qt::Key_Space, Qt::ControlModifier);
    ASSERT_EQ(runs.size(), 2);
    EXPECT_EQ(runs[0][0].toInt(), cmd::WordList);
    EXPECT_EQ(runs[1][0].toInt(), cmd::IdeaMemo);
    EXPECT_EQ(window->focusWidget(), window->view());
  }
  // The menu bar still walks its menus by arrows while it has the keys.
  QApplication::setActiveWindow(window.get());
  QTest::keyClick(window->windowHandle(), Qt::Key_E, Qt::AltModifier);
  ASSERT_TRUE(QTest::qWaitFor([&] { return QApplication::activePopupWidget() == edit; }));
  QTest::keyClick(edit, Qt::Key_Escape);
  QTest::keyClick(window->windowHandle(), Qt::Key_Right);
  EXPECT_EQ(bar->activeAction(), window->topMenu(2)->menuAction());
  QTest::keyClick(window->windowHandle(), Qt::Key_Escape);
  EXPECT_EQ(window->focusWidget(), window->view());
}

class ClipboardKeys : public ShownWindowTest {};

TEST_F(ClipboardKeys, CtrlVOfTextTheWorkbookCannotHoldWarnsAsTyping) {
  QApplication::clipboard()->setText(QStringLiteral("絵😀文字"));
  ModalScript script;
  script.answer(QMessageBox::Ok);
  QTest::keyClick(window->windowHandle(), Qt::Key_V, Qt::ControlModifier);
  EXPECT_TRUE(script.finished());
  EXPECT_EQ(script.messages,
            QStringList{QStringLiteral(
                "保存できない文字が含まれています。\nその文字を削除するか、別の文字に置き換えてください。")});
  const Workbook& wb = window->docWnd().wb();
  EXPECT_EQ(findBox(*wb.currentSheetPtr(), wb.cursorColumn, wb.cursorRow)->word, -1);
  EXPECT_EQ(window->docWnd().doc.modified, 0);
}

}  // namespace
}  // namespace tgc::test
