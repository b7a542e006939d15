// A save that fails, reached the way a person reaches it: Ctrl+S through the
// application's key handling, the warning answered in the real message box.
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <QApplication>
#include <QMessageBox>
#include <QPushButton>
#include <QSettings>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <fstream>

#include "app/mainwindow.h"
#include "core/docwnd.h"
#include "core/filecommands.h"
#include "core/workbookfile.h"
#include "sheet/sheetview.h"

namespace tgc::test {
namespace {

TEST(SaveWarning, CtrlSOnAReadOnlyFileSaysWhichFileAndWhy) {
  QStandardPaths::setTestModeEnabled(true);
  QTemporaryDir dir;
  ASSERT_TRUE(dir.isValid());
  MainWindow window(
      std::make_unique<QSettings>(dir.filePath(QStringLiteral("settings.ini")), QSettings::IniFormat));
  window.show();
  window.startUp();
  QApplication::setActiveWindow(&window);
  window.view()->setFocus();

  // A name with a character CP932 has not: the message shows "?" for it.
  DocWnd& w = window.docWnd();
  const QString file = dir.filePath(QStringLiteral("保存\U0001F600.tgc"));
  const std::string p = file.toStdString();
  std::ofstream(p, std::ios::binary) << serializeWorkbook(w.wb());
  const std::string before = serializeWorkbook(w.wb());
  ASSERT_EQ(::chmod(p.c_str(), 0444), 0);
  w.doc.filePath = p;
  w.doc.fileTitle = fileTitleOf(p);
  w.doc.hasFile = 1;
  w.doc.recordChange();

  // The key's own delivery runs the event loop, so the box is looked for
  // until it is there.
  QString text;
  QMessageBox::Icon icon = QMessageBox::NoIcon;
  QTimer poll;
  QObject::connect(&poll, &QTimer::timeout, &poll, [&] {
    auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
    if (!box) return;
    poll.stop();
    text = box->text();
    icon = box->icon();
    box->button(QMessageBox::Ok)->click();
  });
  poll.start(10);
  QTest::keyClick(window.windowHandle(), Qt::Key_S, Qt::ControlModifier);
  EXPECT_EQ(icon, QMessageBox::Warning);
  EXPECT_EQ(text, QStringLiteral("ファイルを保存できませんでした。\n") + dir.path() +
                      QStringLiteral(
                          "/保存?.tgc\nアクセスが許可されていません（読み取り専用か、権限がありません）。"));
  EXPECT_EQ(w.doc.modified, 1);
  std::ifstream in(p, std::ios::binary);
  EXPECT_EQ(std::string(std::istreambuf_iterator<char>(in), {}), before);
  w.doc.setModified(0);  // nothing to ask when the window goes
}

}  // namespace
}  // namespace tgc::test
