// The main window offscreen: title, size limits, menus and their state, and
// the route of real key presses through the dispatcher.
#include "app/mainwindow.h"

#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QInputMethodEvent>
#include <QMenu>
#include <QMenuBar>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSettings>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <fstream>

#include "app/commandids.h"
#include "app/recentfiles.h"
#include "core/cp932.h"
#include "core/filecommands.h"
#include "core/importworkbook.h"
#include "core/workbookfile.h"
#include "sheet/geometry.h"
#include "sheet/sheetview.h"
#include "tests/widgets/shownwindow.h"

namespace tgc::test {
namespace {

// Counts the key presses that reach a widget's own event handling.
class KeyProbe : public QObject {
 public:
  bool eventFilter(QObject*, QEvent* event) override {
    if (event->type() == QEvent::KeyPress) ++presses;
    return false;
  }
  int presses = 0;
};

class MainWindowTest : public ShownWindowTest {
 protected:
  QStringList itemTexts(QMenu* menu) {
    QStringList out;
    for (QAction* a : menu->actions()) out << (a->isSeparator() ? QStringLiteral("---") : a->text());
    return out;
  }
};

TEST_F(MainWindowTest, TitleAndMinimumSize) {
  EXPECT_EQ(window->windowTitle(), QStringLiteral("無題 - 発想マス目ノート"));
  EXPECT_EQ(window->minimumSize(), QSize(650, 500));
  window->resize(300, 200);
  EXPECT_GE(window->width(), 650);
  EXPECT_GE(window->height(), 500);
  // The view covers the client area and one pixel more each way.
  const QWidget* client = window->centralWidget();
  EXPECT_EQ(window->view()->parentWidget(), client);
  EXPECT_EQ(window->view()->geometry(), QRect(0, 0, client->width() + 1, client->height() + 1));
  window->resize(900, 700);
  EXPECT_EQ(window->view()->size(), client->size() + QSize(1, 1));
}

TEST_F(MainWindowTest, MenuTexts) {
  QStringList titles;
  for (QAction* a : window->menuBar()->actions()) titles << a->text();
  EXPECT_EQ(titles, (QStringList{"ファイル(&F)", "編集(&E)", "シート作成(&I)", "シート移動(&M)", "表示(&V)",
                                 "ヘルプ(&H)"}));
  EXPECT_EQ(itemTexts(window->topMenu(0)),
            (QStringList{"新規作成(&N)\tCtrl+N", "開く(&O)..\tCtrl+O", "上書き保存(&S)\tCtrl+S",
                         "名前をつけて保存(&A)...\tCtrl+T", "---", "インポート(&I)\tCtrl+I",
                         "テキスト出力(&K)\tCtrl+K", "印刷(&P)...\tCtrl+P", "エクスポート(&E)...", "---",
                         "(最近使ったﾌｧｲﾙ)", "---", "アプリケーションの終了(&X)"}));
  EXPECT_EQ(
      itemTexts(window->topMenu(1)),
      (QStringList{"元に戻す(&Z)\tCtrl+Z", "やり直し(&Y)\tCtrl+Y", "コピー(&C)\tCtrl+C",
                   "貼り付け(&V)\tCtrl+V", "---", "語句削除(&L)\tDel", "シート削除(&K)\tCtrl+D", "---",
                   "語句アシスト(&A)\tIns", "アイデア設定(&I)\tCtrl+Enter", "---", "検索(&F)...\tCtrl+F"}));
  EXPECT_EQ(itemTexts(window->topMenu(2)),
            (QStringList{"タイプＡ(&A)\tF7", "タイプＢ(&B)\tF8", "タイプＣ(&C)\tF9"}));
  EXPECT_EQ(itemTexts(window->topMenu(3)), (QStringList{"前のシート(&B)\tF3", "後のシート(&N)\tF4", "---",
                                                        "先頭のシート(&W)\tF5", "最終のシート(&K)\tF6"}));
  EXPECT_EQ(itemTexts(window->topMenu(4)),
            (QStringList{"語句リスト(&L)...\tCtrl+L", "アイデアメモ(&U)\tCtrl+SPACE",
                         "カタログマーク編集(&E)...\tCtrl+M", "マーク名表示(&M)\tCtrl+E", "---", "文字色(&T)",
                         "フォント(&F)"}));
  const QList<QAction*> view = window->topMenu(4)->actions();
  EXPECT_EQ(itemTexts(view[5]->menu()), (QStringList{"既定値(&D)", "変更(&C)...\tCtrl+W"}));
  EXPECT_EQ(itemTexts(view[6]->menu()), (QStringList{"既定値(&D)", "変更(&C)...\tCtrl+H"}));
  EXPECT_EQ(itemTexts(window->topMenu(5)),
            (QStringList{"シート登録手順ガイドﾞ(&G)\tCtrl+G", "発想マス目ノートの説明(&T)\tF1", "---",
                         "ホームページ(&W)", "バージョン情報(&A)"}));
  // No item carries a Qt shortcut that would take keys from the dispatcher.
  for (QAction* a : window->findChildren<QAction*>())
    EXPECT_TRUE(a->shortcut().isEmpty()) << a->text().toStdString();
  // The recent placeholder is greyed.
  EXPECT_FALSE(window->action(cmd::Recent1)->isEnabled());
}

TEST_F(MainWindowTest, SheetMoveMenuOnFirstSheet) {
  Workbook& wb = window->docWnd().wb();
  wb.sheets.push_back(wb.sheets[0]);
  wb.currentSheet = 0;
  window->docWnd().shell.guideShown = 1;
  Q_EMIT window->topMenu(3)->aboutToShow();
  EXPECT_FALSE(window->action(cmd::PrevSheet)->isEnabled());
  EXPECT_FALSE(window->action(cmd::FirstSheet)->isEnabled());
  EXPECT_TRUE(window->action(cmd::NextSheet)->isEnabled());
  EXPECT_TRUE(window->action(cmd::LastSheet)->isEnabled());
  EXPECT_EQ(window->docWnd().shell.guideShown, 0);  // opening a menu hides the guide
  wb.currentSheet = 1;
  Q_EMIT window->topMenu(3)->aboutToShow();
  EXPECT_TRUE(window->action(cmd::PrevSheet)->isEnabled());
  EXPECT_FALSE(window->action(cmd::LastSheet)->isEnabled());
}

TEST_F(MainWindowTest, FileAndEditMenuState) {
  DocWnd& w = window->docWnd();
  Q_EMIT window->topMenu(0)->aboutToShow();
  EXPECT_FALSE(window->action(cmd::Save)->isEnabled());
  Q_EMIT window->topMenu(1)->aboutToShow();
  EXPECT_FALSE(window->action(cmd::Undo)->isEnabled());
  EXPECT_FALSE(window->action(cmd::Redo)->isEnabled());
  w.doc.recordChange();
  Q_EMIT window->topMenu(0)->aboutToShow();
  EXPECT_TRUE(window->action(cmd::Save)->isEnabled());
  Q_EMIT window->topMenu(1)->aboutToShow();
  EXPECT_TRUE(window->action(cmd::Undo)->isEnabled());
  EXPECT_FALSE(window->action(cmd::Redo)->isEnabled());
  w.shell.markNames = 0;
  Q_EMIT window->topMenu(4)->aboutToShow();
  EXPECT_FALSE(window->action(cmd::MarkNames)->isChecked());
  w.shell.markNames = 1;
  Q_EMIT window->topMenu(4)->aboutToShow();
  EXPECT_TRUE(window->action(cmd::MarkNames)->isChecked());
}

TEST_F(MainWindowTest, ImportWaitsForTheMarkEditorWindow) {
  DocWnd& w = window->docWnd();
  // The mark windows are installed with the main window: both items live.
  Q_EMIT window->topMenu(0)->aboutToShow();
  EXPECT_TRUE(window->action(cmd::Import)->isEnabled());
  EXPECT_TRUE(window->action(cmd::MarkEditor)->isEnabled());
  // Without the editor its report may offer, import greys, and Ctrl+I
  // shows nothing (an unexpected file dialog would block this test).
  MarkEditorLauncher* launcher = w.markEditorLauncher;
  w.markEditorLauncher = nullptr;
  Q_EMIT window->topMenu(0)->aboutToShow();
  EXPECT_FALSE(window->action(cmd::Import)->isEnabled());
  EXPECT_EQ(window->runCommand(cmd::Import), 0);
  w.markEditorLauncher = launcher;
}

TEST_F(MainWindowTest, RecentMenuAfterTwoSaves) {
  DocWnd& w = window->docWnd();
  // Two workbook files to save over.
  for (const char* name : {"first.tgc", "second.tgc"}) {
    const std::string p = dir.filePath(QString::fromLatin1(name)).toStdString();
    std::ofstream(p, std::ios::binary) << serializeWorkbook(w.wb());
    w.doc.filePath = p;
    w.doc.fileTitle = fileTitleOf(p);
    w.doc.hasFile = 1;
    w.doc.recordChange();
    ASSERT_EQ(saveCommand(w), 0);
  }
  // The recent files follow the separator after the output items.
  const qsizetype recent = itemTexts(window->topMenu(0)).indexOf(QStringLiteral("---"), 5) + 1;
  EXPECT_EQ(itemTexts(window->topMenu(0)).mid(recent, 4),
            (QStringList{"&1 second", "&2 first", "---", "アプリケーションの終了(&X)"}));
  EXPECT_EQ(window->windowTitle(), QStringLiteral("second.tgc - 発想マス目ノート"));
  EXPECT_TRUE(window->action(cmd::Recent2)->isEnabled());
  EXPECT_EQ(window->action(cmd::Recent2)->text(), QStringLiteral("&2 first"));
  // Choosing the second entry opens it and puts it first.
  window->action(cmd::Recent2)->trigger();
  EXPECT_EQ(window->windowTitle(), QStringLiteral("first.tgc - 発想マス目ノート"));
  EXPECT_EQ(itemTexts(window->topMenu(0)).mid(recent, 2), (QStringList{"&1 first", "&2 second"}));
  // A file dropped on the view opens the same way.
  Q_EMIT window->view()->fileDropped(dir.filePath(QStringLiteral("second.tgc")));
  EXPECT_EQ(window->windowTitle(), QStringLiteral("second.tgc - 発想マス目ノート"));
  EXPECT_EQ(w.doc.modified, 0);
}

TEST_F(MainWindowTest, KeysReachTheDispatcherFirst) {
  DocWnd& w = window->docWnd();
  KeyProbe probe;
  window->view()->installEventFilter(&probe);
  ASSERT_EQ(QApplication::focusWidget(), window->view());

  // Ctrl+G: the dispatcher shows the guide; the view never sees the key.
  QTest::keyClick(window->view(), Qt::Key_G, Qt::ControlModifier);
  EXPECT_EQ(w.shell.guideShown, 1);
  // The next key only hides the guide: F7 creates nothing.
  QTest::keyClick(window->view(), Qt::Key_F7);
  EXPECT_EQ(w.shell.guideShown, 0);
  EXPECT_EQ(w.wb().sheets.size(), 1u);
  // Now F7 with shift creates a sheet.
  QTest::keyClick(window->view(), Qt::Key_F7, Qt::ShiftModifier);
  EXPECT_EQ(w.wb().sheets.size(), 2u);
  EXPECT_EQ(w.wb().currentSheet, 1);
  // Page Up moves back; with ctrl it does not.
  QTest::keyClick(window->view(), Qt::Key_PageUp, Qt::ControlModifier);
  EXPECT_EQ(w.wb().currentSheet, 1);
  QTest::keyClick(window->view(), Qt::Key_PageUp);
  EXPECT_EQ(w.wb().currentSheet, 0);
  // Arrows move the selection.
  QTest::keyClick(window->view(), Qt::Key_Left);
  EXPECT_EQ(w.wb().cursorColumn, 1);
  // The same through the window, as the window system delivers keys.
  QTest::keyClick(window->windowHandle(), Qt::Key_Right);
  EXPECT_EQ(w.wb().cursorColumn, 2);
  EXPECT_EQ(probe.presses, 0);
  window->view()->removeEventFilter(&probe);
}

// Types ASCII letters as the window system delivers them.
void typeText(QWindow* window, const char* text) {
  for (const char* c = text; *c; ++c) QTest::keyClick(window, *c);
}

// The word in the selected box of the current sheet, as UTF-8.
std::string selectedWord(DocWnd& w) {
  const Workbook& wb = w.wb();
  const Box* box = findBox(*wb.currentSheetPtr(), wb.cursorColumn, wb.cursorRow);
  return box && box->word >= 0 ? cp932ToUtf8(wb.wordText(box->word)).value_or("?") : std::string();
}

TEST_F(MainWindowTest, EnterOpensTheEditorTypingGoesThereEnterCommits) {
  DocWnd& w = window->docWnd();
  QWindow* handle = window->windowHandle();
  QTest::keyClick(handle, Qt::Key_Return);
  ASSERT_EQ(w.editor.editing, 1);
  ASSERT_EQ(QApplication::focusWidget(), window->view()->editor());
  typeText(handle, "idea");
  EXPECT_EQ(window->view()->editor()->toPlainText(), QStringLiteral("idea"));
  QTest::keyClick(handle, Qt::Key_Left);  // arrows move in the editor, not the selection
  EXPECT_EQ(w.wb().cursorColumn, 2);
  QTest::keyClick(handle, Qt::Key_Return);
  EXPECT_EQ(w.editor.editing, 0);
  EXPECT_EQ(QApplication::focusWidget(), window->view());
  EXPECT_EQ(selectedWord(w), "idea");
  EXPECT_EQ(w.doc.modified, 1);
  // Esc cancels an edit.
  QTest::keyClick(handle, Qt::Key_Return);
  typeText(handle, "x");
  QTest::keyClick(handle, Qt::Key_Escape);
  EXPECT_EQ(w.editor.editing, 0);
  EXPECT_EQ(selectedWord(w), "idea");
}

TEST_F(MainWindowTest, CompositionOnTheViewGoesIntoTheEditor) {
  DocWnd& w = window->docWnd();
  QInputMethodEvent start(QStringLiteral("あ"), {});
  QCoreApplication::sendEvent(window->view(), &start);
  ASSERT_EQ(w.editor.editing, 1);
  QInputMethodEvent commit;
  commit.setCommitString(QStringLiteral("愛"));
  QCoreApplication::sendEvent(QApplication::focusWidget(), &commit);
  EXPECT_EQ(window->view()->editor()->toPlainText(), QStringLiteral("愛"));
  QTest::keyClick(window->windowHandle(), Qt::Key_Return);
  EXPECT_EQ(selectedWord(w), "愛");
}

TEST_F(MainWindowTest, MenuOpeningCommitsAnOpenEdit) {
  DocWnd& w = window->docWnd();
  QTest::keyClick(window->windowHandle(), Qt::Key_Return);
  typeText(window->windowHandle(), "menu");
  Q_EMIT window->topMenu(0)->aboutToShow();
  EXPECT_EQ(w.editor.editing, 0);
  EXPECT_EQ(selectedWord(w), "menu");
  EXPECT_TRUE(window->action(cmd::Save)->isEnabled());
}

// Answers the next message box with the given button, recording its text
// and buttons.
struct BoxAnswer {
  QString text;
  QMessageBox::StandardButtons buttons;
  QMessageBox::Icon icon = QMessageBox::NoIcon;
};
void answerNextBox(QMessageBox::StandardButton button, BoxAnswer* seen) {
  QTimer::singleShot(0, qApp, [button, seen] {
    auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
    ASSERT_NE(box, nullptr);
    seen->text = box->text();
    seen->buttons = box->standardButtons();
    seen->icon = box->icon();
    box->button(button)->click();
  });
}

TEST_F(MainWindowTest, DroppedFileEndsAnOpenEditFirst) {
  DocWnd& w = window->docWnd();
  // A workbook file with an empty sheet, as start-up made it.
  const std::string file = dir.filePath(QStringLiteral("dropped.tgc")).toStdString();
  std::ofstream(file, std::ios::binary) << serializeWorkbook(w.wb());
  QTest::keyClick(window->windowHandle(), Qt::Key_Return);
  typeText(window->windowHandle(), "stale");
  ASSERT_EQ(w.editor.editing, 1);
  // The text is committed to the workbook it was typed in, so the save
  // question covers it; the dropped workbook opens unchanged.
  BoxAnswer seen;
  answerNextBox(QMessageBox::No, &seen);
  Q_EMIT window->view()->fileDropped(QString::fromStdString(file));
  EXPECT_EQ(seen.text, QStringLiteral("データが更新されています。保存しますか？"));
  EXPECT_EQ(w.editor.editing, 0);
  EXPECT_EQ(w.doc.hasFile, 1);
  EXPECT_EQ(w.doc.modified, 0);
  EXPECT_EQ(selectedWord(w), "");
}

TEST_F(MainWindowTest, NothingRunsUnderAnEditWhoseTextCouldNotBeStored) {
  DocWnd& w = window->docWnd();
  const std::string file = dir.filePath(QStringLiteral("other.tgc")).toStdString();
  std::ofstream(file, std::ios::binary) << serializeWorkbook(w.wb());
  QTest::keyClick(window->windowHandle(), Qt::Key_Return);
  ASSERT_EQ(w.editor.editing, 1);
  window->view()->editor()->setPlainText(QStringLiteral("ペン\U0001F58A"));
  const size_t sheets = w.wb().sheets.size();

  BoxAnswer seen;
  answerNextBox(QMessageBox::Ok, &seen);
  EXPECT_EQ(window->runCommand(cmd::CreateA), -1);
  EXPECT_EQ(seen.icon, QMessageBox::Warning);
  EXPECT_EQ(w.wb().sheets.size(), sheets);

  QApplication::processEvents();  // one user action ends, the next begins
  seen = {};
  answerNextBox(QMessageBox::Ok, &seen);
  Q_EMIT window->view()->fileDropped(QString::fromStdString(file));
  EXPECT_EQ(seen.icon, QMessageBox::Warning);
  EXPECT_EQ(w.doc.hasFile, 0);

  QApplication::processEvents();  // one user action ends, the next begins
  seen = {};
  answerNextBox(QMessageBox::Ok, &seen);
  EXPECT_FALSE(window->close());
  EXPECT_EQ(seen.icon, QMessageBox::Warning);
  EXPECT_TRUE(window->isVisible());
  // The text is still there to be mended.
  EXPECT_EQ(w.editor.editing, 1);
  EXPECT_EQ(window->view()->editor()->toPlainText(), QStringLiteral("ペン\U0001F58A"));
  window->view()->cancelEdit();
}

TEST_F(MainWindowTest, CloseOfModifiedWorkbookAsks) {
  DocWnd& w = window->docWnd();
  w.doc.recordChange();
  BoxAnswer seen;
  answerNextBox(QMessageBox::Cancel, &seen);
  EXPECT_FALSE(window->close());
  EXPECT_EQ(seen.text, QStringLiteral("データが更新されています。保存しますか？"));
  EXPECT_EQ(seen.buttons, QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel);
  EXPECT_EQ(seen.icon, QMessageBox::Question);
  EXPECT_TRUE(window->isVisible());
  EXPECT_EQ(w.doc.modified, 1);
  EXPECT_EQ(w.wb().sheets.size(), 1u);
  // The font was written even though the close was abandoned.
  QSettings check(dir.filePath(QStringLiteral("settings.ini")), QSettings::IniFormat);
  EXPECT_TRUE(check.contains(QStringLiteral("Font Info/lfFaceName")));
  // Exit runs the same sequence; No closes without saving.
  answerNextBox(QMessageBox::No, &seen);
  window->action(cmd::Exit)->trigger();
  EXPECT_FALSE(window->isVisible());
  EXPECT_TRUE(w.wb().sheets.empty());  // the workbook was released
}

TEST_F(MainWindowTest, CloseOfUnmodifiedWorkbookRecordsSize) {
  QSettings check(dir.filePath(QStringLiteral("settings.ini")), QSettings::IniFormat);
  window->docWnd().app.font.height = -25;
  EXPECT_TRUE(window->close());
  QSettings after(dir.filePath(QStringLiteral("settings.ini")), QSettings::IniFormat);
  EXPECT_EQ(after.value(QStringLiteral("Font Info/lfHeight")).toInt(), -25);
  EXPECT_EQ(after.value(QStringLiteral("DspSize Info/Width")).toInt(), window->width());
  EXPECT_EQ(after.value(QStringLiteral("DspSize Info/Height")).toInt(), window->height());
}

TEST(MainWindowSize, StoredSizeComesBackUnchangedAfterARun) {
  // The frame is the window system's and unknown until the window is shown:
  // what is recorded must be what is applied, or the window grows by its
  // frame with every run.
  QTemporaryDir dir;
  const QString file = dir.filePath(QStringLiteral("settings.ini"));
  {
    QSettings s(file, QSettings::IniFormat);
    s.setValue(QStringLiteral("DspSize Info/Width"), 700);
    s.setValue(QStringLiteral("DspSize Info/Height"), 550);
  }
  for (int run = 0; run < 2; ++run) {
    MainWindow window(std::make_unique<QSettings>(file, QSettings::IniFormat));
    window.show();
    window.startUp();
    EXPECT_TRUE(window.close());
  }
  QSettings after(file, QSettings::IniFormat);
  EXPECT_EQ(after.value(QStringLiteral("DspSize Info/Width")).toInt(), 700);
  EXPECT_EQ(after.value(QStringLiteral("DspSize Info/Height")).toInt(), 550);
}

TEST(MainWindowSize, StoredSizeIsAppliedCentredAndKeptWhenMaximised) {
  QTemporaryDir dir;
  const QString file = dir.filePath(QStringLiteral("settings.ini"));
  {
    QSettings s(file, QSettings::IniFormat);
    s.setValue(QStringLiteral("DspSize Info/Width"), 700);
    s.setValue(QStringLiteral("DspSize Info/Height"), 550);
  }
  MainWindow window(std::make_unique<QSettings>(file, QSettings::IniFormat));
  EXPECT_EQ(window.size(), QSize(700, 550));
  const QRect screen = window.screen()->geometry();
  EXPECT_EQ(window.pos(), screen.topLeft() + QPoint((screen.width() - 700) / 2, (screen.height() - 550) / 2));
  window.show();
  window.startUp();
  window.setWindowState(Qt::WindowMaximized);
  EXPECT_TRUE(window.close());
  QSettings after(file, QSettings::IniFormat);
  EXPECT_EQ(after.value(QStringLiteral("DspSize Info/Width")).toInt(), 700);
  EXPECT_EQ(after.value(QStringLiteral("DspSize Info/Height")).toInt(), 550);
}

}  // namespace
}  // namespace tgc::test
