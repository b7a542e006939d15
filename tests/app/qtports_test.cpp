// The Qt side of the ports: filters, default extension, settings store,
// clipboard conversion, the font record as a QFont, the desktop opener, and
// Qt's own dialogs in Japanese.
#include <gtest/gtest.h>

#include <QApplication>
#include <QClipboard>
#include <QDir>
#include <QFileDialog>
#include <QHeaderView>
#include <QMessageBox>
#include <QPrintDialog>
#include <QPrinter>
#include <QPushButton>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>
#include <QTranslator>
#include <QTreeView>

#include "app/fontrecord.h"
#include "app/qtfont.h"
#include "app/qtlocale.h"
#include "app/qtuiport.h"
#include "core/cp932.h"
#include "tests/support/fakeopener.h"
#include "tests/widgets/modalscript.h"

namespace tgc::test {
namespace {

std::string cp(const char* utf8) {
  return utf8ToCp932(utf8).value();
}

TEST(QtPorts, WorkbookFilterBecomesQtNameFilters) {
  EXPECT_EQ(qtNameFilters(cp("ThoughtGridCraft(*.tgc)|*.tgc|全て(*.*)|*.*||")),
            QStringLiteral("ThoughtGridCraft(*.tgc);;全て(*.*)"));
  EXPECT_EQ(qtNameFilters("Text|*.txt;*.csv||"), QStringLiteral("Text (*.txt *.csv)"));
  EXPECT_EQ(qtNameFilters(""), QString());
}

TEST(QtPorts, DefaultExtensionOnlyWhenNoneTyped) {
  EXPECT_EQ(withDefaultExtension(QStringLiteral("/d/plan"), "tgc"), QStringLiteral("/d/plan.tgc"));
  EXPECT_EQ(withDefaultExtension(QStringLiteral("/d/plan.tgc"), "tgc"), QStringLiteral("/d/plan.tgc"));
  EXPECT_EQ(withDefaultExtension(QStringLiteral("/d/plan.txt"), "tgc"), QStringLiteral("/d/plan.txt"));
  // A dot in a directory name is not an extension.
  EXPECT_EQ(withDefaultExtension(QStringLiteral("/d.x/plan"), "tgc"), QStringLiteral("/d.x/plan.tgc"));
}

TEST(QtPorts, SettingsStoreRoundTripAndFallbacks) {
  QTemporaryDir dir;
  const QString file = dir.filePath(QStringLiteral("s.ini"));
  {
    QtSettingsStore s(std::make_unique<QSettings>(file, QSettings::IniFormat));
    EXPECT_EQ(s.readInt("View Info", "Name", 7), 7);
    EXPECT_EQ(s.readString("Recent File List", "File1", "none"), "none");
    s.writeInt("View Info", "TextColor", 4210752);
    s.writeString("Recent File List", "File1", "/home/u/企画.tgc");
    s.writeString("Font Info", "lfHeight", "not a number");
  }
  QtSettingsStore s(std::make_unique<QSettings>(file, QSettings::IniFormat));
  EXPECT_EQ(s.readInt("View Info", "TextColor", 0), 4210752);
  EXPECT_EQ(s.readString("Recent File List", "File1", ""), "/home/u/企画.tgc");
  EXPECT_EQ(s.readInt("Font Info", "lfHeight", -19), -19);
  EXPECT_TRUE(s.settings().childGroups().contains(QStringLiteral("View Info")));
}

TEST(QtPorts, ClipboardTextIsCp932UpToTheFirstZero) {
  QtClipboard clip;
  clip.setText(cp("語句"));
  EXPECT_EQ(QApplication::clipboard()->text(), QStringLiteral("語句"));
  EXPECT_EQ(clip.text().cp932, cp("語句"));
  QApplication::clipboard()->setText(QStringLiteral("前") + QChar(0) + QStringLiteral("後"));
  EXPECT_EQ(clip.text().cp932, cp("前"));
  EXPECT_FALSE(clip.text().unstorable);
  // Text CP932 cannot hold is not pasted half-converted, but told apart
  // from no text.
  QApplication::clipboard()->setText(QStringLiteral("絵😀文字"));
  EXPECT_EQ(clip.text().cp932, "");
  EXPECT_TRUE(clip.text().unstorable);
}

TEST(QtPorts, FontRecordAsQFont) {
  const FontRecord def = defaultFontRecord();
  const QFont f = toQFont(def);
  EXPECT_EQ(f.family(), QStringLiteral("ＭＳ Ｐ明朝"));
  EXPECT_EQ(f.pixelSize(), 19);
  EXPECT_EQ(f.weight(), QFont::Bold);
  EXPECT_FALSE(f.italic());

  FontRecord r = def;
  r.height = -24;
  r.weight = 400;
  r.italic = 1;
  r.strikeOut = 1;
  r.faceName = "Serif";
  const QFont g = toQFont(r);
  EXPECT_EQ(g.pixelSize(), 24);
  EXPECT_EQ(g.weight(), QFont::Normal);
  EXPECT_TRUE(g.italic());
  EXPECT_TRUE(g.strikeOut());
}

TEST(QtPorts, ColourRefs) {
  EXPECT_EQ(toQColor(0x00404040), QColor(0x40, 0x40, 0x40));
  EXPECT_EQ(toQColor(0x000000FF), QColor(255, 0, 0));
  EXPECT_EQ(fromQColor(QColor(0x12, 0x34, 0x56)), 0x00563412u);
}

TEST(QtPorts, ShellReportsAnOpenerThatFoundNoBrowser) {
  for (const int status : {0, 4}) {
    FakeOpener opener(status);
    QtShell shell;
    int failures = 0;
    shell.lateFailure = [&] { ++failures; };
    ASSERT_TRUE(shell.open("/ヘルプ/Help.html"));
    EXPECT_EQ(opener.opened(1), QStringList{QStringLiteral("/ヘルプ/Help.html")});
    (void)QTest::qWaitFor([&] { return failures > 0; }, status == 0 ? 300 : 5000);
    EXPECT_EQ(failures, status == 0 ? 0 : 1) << status;
  }
}

TEST(QtPorts, QtsOwnDialogsSpeakJapaneseAndShowWholeDates) {
  QStandardPaths::setTestModeEnabled(true);  // Qt keeps the file chooser's state in its own settings
  QTranslator qtTexts, missingTexts;
  ASSERT_TRUE(installJapaneseQtTexts(qtTexts, missingTexts));
  QMessageBox box;
  box.setStandardButtons(QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel);
  EXPECT_TRUE(box.button(QMessageBox::Yes)->text().contains(QStringLiteral("はい")));
  EXPECT_TRUE(box.button(QMessageBox::Cancel)->text().contains(QStringLiteral("キャンセル")));
  // The print dialog's page range, which Qt's own translations lack.
  QPrinter printer;
  QPrintDialog print(&printer);
  auto* pages = print.findChild<QAbstractButton*>(QStringLiteral("pagesRadioButton"));
  ASSERT_NE(pages, nullptr);
  EXPECT_EQ(pages->text(), QStringLiteral("ページ指定"));
  // The file chooser: a folder's type, and every date whole, though the last
  // one closed (whose column widths Qt keeps) left the date column narrow.
  {
    QFileDialog narrow;
    narrow.setOption(QFileDialog::DontUseNativeDialog);
    auto* view = narrow.findChild<QTreeView*>(QStringLiteral("treeView"));
    ASSERT_NE(view, nullptr);
    view->header()->resizeSection(3, 40);
  }
  QTemporaryDir dir;
  ASSERT_TRUE(QDir(dir.path()).mkdir(QStringLiteral("案")));
  QtUiPort ui;
  ModalScript script;
  script.on(QStringLiteral("開く"), [](QWidget* modal) {
    auto* view = modal->findChild<QTreeView*>(QStringLiteral("treeView"));
    ASSERT_NE(view, nullptr);
    QAbstractItemModel* model = view->model();
    ASSERT_TRUE(QTest::qWaitFor([&] { return model->rowCount(view->rootIndex()) == 1; }));
    const QModelIndex folder = model->index(0, 0, view->rootIndex());
    EXPECT_EQ(folder.siblingAtColumn(2).data().toString(), QStringLiteral("フォルダ"));
    EXPECT_GE(view->columnWidth(3), static_cast<QAbstractItemView*>(view)->sizeHintForColumn(3))
        << folder.siblingAtColumn(3).data().toString().toStdString();
    qobject_cast<QDialog*>(modal)->reject();
  });
  FileDialogRequest request;
  request.title = cp("開く");
  request.initialName = (dir.path() + QStringLiteral("/x.tgc")).toStdString();
  EXPECT_FALSE(ui.chooseOpenFile(request).has_value());
  EXPECT_TRUE(script.finished());
  QCoreApplication::removeTranslator(&missingTexts);
  QCoreApplication::removeTranslator(&qtTexts);
}

}  // namespace
}  // namespace tgc::test
