// A workbook another computer holds, as a person meets it in the window: the
// question with its own buttons, the read-only title, and Ctrl+S through
// the application's key filter asking for a name instead of overwriting.
#include <gtest/gtest.h>

#include <QApplication>
#include <QFileDialog>
#include <QMessageBox>
#include <QPushButton>
#include <QSettings>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <fstream>

#include "app/mainwindow.h"
#include "core/fileio.h"
#include "core/workbookfile.h"
#include "core/workbooklock.h"
#include "sheet/sheetview.h"
#include "tests/support/workbooks.h"

namespace tgc::test {
namespace {

TEST(LockedWorkbook, OpensReadOnlyAndCtrlSAsksForAName) {
  QStandardPaths::setTestModeEnabled(true);
  QTemporaryDir dir;
  const std::string file = dir.filePath(QStringLiteral("w.tgc")).toStdString();
  Workbook wb;
  wb.sheets.push_back(gridSheet(TypeA));
  ASSERT_TRUE(writeFileAtomically(file, serializeWorkbook(wb)));
  const std::string before = [&] {
    std::string b;
    readWholeFile(file, b);
    return b;
  }();
  std::ofstream(lockPathFor(file)) << "ThoughtGridCraft lock\npid=4242\nstart=0\nhost=pc-of-yamada\n"
                                      "user=yamada\nsince=1700000000\n";

  // The question: its buttons, then the read-only one pressed; the Save As
  // dialog that follows is cancelled.
  QStringList buttons;
  QString question;
  int saveDialogs = 0;
  QTimer answerer;
  answerer.setInterval(5);
  QObject::connect(&answerer, &QTimer::timeout, &answerer, [&] {
    auto* modal = qobject_cast<QDialog*>(QApplication::activeModalWidget());
    if (!modal || !modal->isVisible()) return;
    if (auto* box = qobject_cast<QMessageBox*>(modal)) {
      question = box->text();
      for (QAbstractButton* b : box->buttons()) buttons << b->text();
      for (QAbstractButton* b : box->buttons())
        if (b->text() == QStringLiteral("読み取り専用で開く")) b->click();
    } else if (qobject_cast<QFileDialog*>(modal)) {
      ++saveDialogs;
      modal->reject();
    }
  });
  answerer.start();

  MainWindow window(
      std::make_unique<QSettings>(dir.filePath(QStringLiteral("settings.ini")), QSettings::IniFormat));
  window.show();
  window.startUp(file);
  EXPECT_TRUE(question.contains(QStringLiteral("ほかのプログラムで開かれています")));
  EXPECT_TRUE(question.contains(QStringLiteral("pc-of-yamada")));
  QStringList expected{QStringLiteral("読み取り専用で開く"), QStringLiteral("そのまま開く"),
                       QStringLiteral("キャンセル")};
  buttons.sort();
  expected.sort();
  EXPECT_EQ(buttons, expected);
  EXPECT_EQ(window.windowTitle(), QStringLiteral("w.tgc (読み取り専用) - 発想マス目ノート"));

  window.docWnd().doc.recordChange();
  QApplication::setActiveWindow(&window);
  window.view()->setFocus();
  QTest::keyClick(window.view(), Qt::Key_S, Qt::ControlModifier);
  QTest::qWait(20);
  EXPECT_EQ(saveDialogs, 1);
  std::string after;
  ASSERT_TRUE(readWholeFile(file, after));
  EXPECT_TRUE(after == before);
  EXPECT_TRUE(lockOwner(file).has_value());  // the other computer's lock stays
  window.docWnd().doc.setModified(0);
}

}  // namespace
}  // namespace tgc::test
