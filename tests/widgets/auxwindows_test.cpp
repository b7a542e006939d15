// The word list, idea memo and text output windows offscreen, opened from
// the main window by real key presses and answered through their widgets.
#include <gtest/gtest.h>

#include <QApplication>
#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSettings>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>
#include <QTreeView>
#include <QUrl>
#include <fstream>

#include "app/commandids.h"
#include "app/mainwindow.h"
#include "core/cp932.h"
#include "core/filecommands.h"
#include "core/workbookfile.h"
#include "sheet/geometry.h"
#include "sheet/sheetcommands.h"
#include "sheet/sheetview.h"
#include "tests/support/fakeopener.h"
#include "tests/widgets/modalscript.h"
#include "tests/widgets/shownwindow.h"
#include "windows/finddialog.h"
#include "windows/ideamemodialog.h"
#include "windows/textoutputdialog.h"
#include "windows/wordlistdialog.h"

namespace tgc::test {
namespace {

// The window of type T that a script step was given.
template <class T>
T& as(QWidget* modal) {
  auto* window = qobject_cast<T*>(modal);
  EXPECT_NE(window, nullptr);
  return *window;
}

std::string cp(const char* utf8) {
  return utf8ToCp932(utf8).value();
}

std::string readFile(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), {});
}

// `tgc export` into a file; its exit code.
int tgcExport(const std::string& workbook, const char* kind, const char* format, const std::string& out) {
  auto quote = [](const std::string& s) { return "'" + s + "'"; };  // temporary paths hold no quote
  return std::system((quote(TGC_EXE) + " export " + quote(workbook) + " --kind " + kind + " --format " +
                      format + " -o " + quote(out))
                         .c_str());
}

class AuxWindowsTest : public ShownWindowTest {
 protected:
  void TearDown() override { window->docWnd().doc.setModified(0); }

  DocWnd& w() { return window->docWnd(); }
  Box& box(int sheet, int c, int r) { return *findBox(w().wb().sheets.at(sheet), c, r); }
  void put(int sheet, int c, int r, const char* utf8, bool idea = false) {
    box(sheet, c, r).word = enterWord(w().wb(), cp(utf8));
    box(sheet, c, r).idea = idea;
  }
  void press(Qt::Key key, Qt::KeyboardModifiers modifiers = Qt::ControlModifier) {
    QTest::keyClick(window->windowHandle(), key, modifiers);
  }
};

TEST_F(AuxWindowsTest, CtrlKeysOpenTheirWindowsOnce) {
  put(0, 2, 2, "傘", true);
  struct Case {
    Qt::Key key;
    int command;
    QString title;
  };
  for (const Case& c : {Case{Qt::Key_L, cmd::WordList, QStringLiteral("語句リスト")},
                        Case{Qt::Key_Space, cmd::IdeaMemo, QStringLiteral("アイデアメモ")},
                        Case{Qt::Key_K, cmd::TextOutput, QStringLiteral("テキスト出力")},
                        Case{Qt::Key_F, cmd::Find, QStringLiteral("検索")}}) {
    // The menu items are live.
    for (QMenu* menu : {window->topMenu(0), window->topMenu(4)}) Q_EMIT menu->aboutToShow();
    EXPECT_TRUE(window->action(c.command)->isEnabled()) << c.title.toStdString();
    // Offscreen there is no window manager to give the focus back.
    QApplication::setActiveWindow(window.get());
    window->view()->setFocus();
    ModalScript script;
    script.on(c.title, [](QWidget* modal) { QTest::keyClick(modal, Qt::Key_Escape); });
    press(c.key);
    QApplication::processEvents();  // a second opening would fail the script
    EXPECT_TRUE(script.finished()) << c.title.toStdString();
  }
}

TEST_F(AuxWindowsTest, KeysActOnTheWindowsWhereTheyOpenWithTheFocus) {
  put(0, 2, 2, "傘", true);
  ModalScript script;
  script
      .on(QStringLiteral("語句リスト"),
          [](QWidget* modal) {
            // The selector has the focus and would take Ctrl+C for a search.
            ASSERT_TRUE(qobject_cast<QComboBox*>(modal->focusWidget()));
            QTest::keyClick(modal->focusWidget(), Qt::Key_C, Qt::ControlModifier);
            QTest::keyClick(modal, Qt::Key_Escape);
          })
      .answer(QMessageBox::Ok)
      .on(QStringLiteral("アイデアメモ"), [](QWidget* modal) {
        // Ctrl+Space once more must not press the focused 終了.
        ASSERT_TRUE(qobject_cast<QPushButton*>(modal->focusWidget()));
        QTest::keyClick(modal->focusWidget(), Qt::Key_Space, Qt::ControlModifier);
        EXPECT_TRUE(modal->isVisible());
        QTest::keyClick(modal, Qt::Key_Escape);
      });
  press(Qt::Key_L);
  press(Qt::Key_Space);
  EXPECT_TRUE(script.finished());
  EXPECT_EQ(script.messages, QStringList{QStringLiteral("項目を選択してください。")});
}

TEST_F(AuxWindowsTest, F1InTheWindowsOpensTheHelpFile) {
  put(0, 2, 2, "傘", true);
  // The test program is not the program: help is looked for in the current
  // directory.
  const QString before = QDir::currentPath();
  ASSERT_TRUE(QDir::setCurrent(dir.path()));
  std::ofstream(dir.filePath(QStringLiteral("Help.html")).toStdString()) << "<html></html>";
  FakeOpener opener;
  ModalScript script;
  for (const char* title : {"語句リスト", "アイデアメモ", "検索"})
    script.on(QString::fromUtf8(title), [](QWidget* modal) {
      QTest::keyClick(modal->focusWidget(), Qt::Key_F1);
      QTest::keyClick(modal, Qt::Key_Escape);
    });
  press(Qt::Key_L);
  press(Qt::Key_Space);
  press(Qt::Key_F);
  QDir::setCurrent(before);
  EXPECT_TRUE(script.finished());
  QStringList names;
  for (const QString& path : opener.opened(3)) names << QFileInfo(path).fileName();
  EXPECT_EQ(names, QStringList(3, QStringLiteral("Help.html")));
}

TEST_F(AuxWindowsTest, WordListDoubleClickJumpsWithoutRecordingTheSize) {
  put(0, 2, 2, "傘");
  createSheet(w(), CreateKind::TypeA);
  put(1, 2, 2, "鞄");
  box(0, 1, 1).mark = 9;
  put(0, 1, 1, "骨");
  w().wb().cursorColumn = 1;  // an empty box with a mark, whose list opens
  w().wb().cursorRow = 2;
  box(1, 1, 2).mark = 9;
  w().doc.setModified(0);
  ModalScript script;
  script.on(QStringLiteral("語句リスト"), [](QWidget* modal) {
    auto& d = as<WordListDialog>(modal);
    EXPECT_TRUE(d.markSelector()->currentText().endsWith(QStringLiteral("  形状")));
    d.resize(d.width() + 40, d.height() + 30);
    QTreeView* list = d.list();
    ASSERT_EQ(list->model()->rowCount(), 1);
    const QRect cell = list->visualRect(list->model()->index(0, 1));
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, cell.center());
    QTest::mouseDClick(list->viewport(), Qt::LeftButton, {}, cell.center());
  });
  const QSize opened = QSize(410, 376);
  press(Qt::Key_L);
  EXPECT_TRUE(script.finished());
  EXPECT_EQ(w().wb().currentSheet, 0);
  EXPECT_EQ(w().wb().cursorColumn, 1);
  EXPECT_EQ(w().wb().cursorRow, 1);
  EXPECT_EQ(w().doc.modified, 0);
  QSettings after(settingsFile(), QSettings::IniFormat);
  EXPECT_EQ(after.value(QStringLiteral("DspSize Info/ListWidth")).toInt(), opened.width());
  EXPECT_EQ(after.value(QStringLiteral("DspSize Info/ListHeight")).toInt(), opened.height());
}

// Ctrl+F, type, Enter: the first hit's sheet with its box selected; Ctrl+F,
// Enter again: the next hit, the text kept.
TEST_F(AuxWindowsTest, FindTypedThenEnterJumpsAndTheNextOpeningGoesOn) {
  put(0, 2, 2, "フタ");
  put(0, 1, 1, "ガラス");
  createSheet(w(), CreateKind::TypeA);
  put(1, 3, 0, "ﾌﾀ");
  w().doc.setModified(0);
  const bool undoBefore = w().doc.canUndo();
  int resizedWidth = 0;
  ModalScript script;
  script
      .on(QStringLiteral("検索"),
          [&resizedWidth](QWidget* modal) {
            auto& d = as<FindDialog>(modal);
            EXPECT_EQ(d.countLine()->text(), QString());
            typeInto(modal, QStringLiteral("ふた"));
            EXPECT_EQ(d.list()->model()->rowCount(), 2);
            EXPECT_EQ(d.countLine()->text(), QStringLiteral("語句 2 件が見つかりました。"));
            // Exact matching finds neither; unticked, both again, the first selected.
            QTest::mouseClick(d.exactBox(), Qt::LeftButton);
            EXPECT_EQ(d.countLine()->text(), QStringLiteral("見つかりませんでした。"));
            EXPECT_FALSE(d.jumpButton()->isEnabled());
            QTest::mouseClick(d.exactBox(), Qt::LeftButton);
            d.field()->setFocus();
            d.resize(d.width() + 30, d.height() + 20);
            resizedWidth = d.width();
            QTest::keyClick(modal->focusWidget(), Qt::Key_Return);
          })
      .on(QStringLiteral("検索"), [](QWidget* modal) {
        auto& d = as<FindDialog>(modal);
        EXPECT_EQ(d.field()->text(), QStringLiteral("ふた"));
        EXPECT_EQ(d.list()->currentIndex().row(), 1);
        QTest::keyClick(modal->focusWidget(), Qt::Key_Enter);
      });
  press(Qt::Key_F);
  EXPECT_EQ(w().wb().currentSheet, 0);
  EXPECT_EQ(w().wb().cursorColumn, 2);
  EXPECT_EQ(w().wb().cursorRow, 2);
  QApplication::setActiveWindow(window.get());
  window->view()->setFocus();
  press(Qt::Key_F);
  EXPECT_TRUE(script.finished());
  EXPECT_EQ(w().wb().currentSheet, 1);
  EXPECT_EQ(w().wb().cursorColumn, 3);
  EXPECT_EQ(w().wb().cursorRow, 0);
  EXPECT_EQ(w().doc.modified, 0);
  EXPECT_EQ(w().doc.canUndo(), undoBefore);
  QSettings after(settingsFile(), QSettings::IniFormat);
  EXPECT_EQ(after.value(QStringLiteral("DspSize Info/FindWidth")).toInt(), resizedWidth);
  EXPECT_GT(after.value(QStringLiteral("DspSize Info/FindColC")).toInt(), 0);
}

TEST_F(AuxWindowsTest, IdeaMemoTypedInTheFieldIsStoredWithCrLf) {
  put(0, 2, 2, "傘", true);
  ModalScript script;
  script
      .on(QStringLiteral("アイデアメモ"),
          [](QWidget* modal) {
            auto& d = as<IdeaMemoDialog>(modal);
            EXPECT_FALSE(d.updateButton()->isEnabled());
            QTest::keyClicks(d.memoField(), QStringLiteral("ab"));
            QTest::keyClick(d.memoField(), Qt::Key_Return);
            QTest::keyClicks(d.memoField(), QStringLiteral("c"));
            EXPECT_TRUE(d.updateButton()->isEnabled());
            QTest::keyClick(&d, Qt::Key_Escape);
          })
      .answer(QMessageBox::Yes);
  press(Qt::Key_Space);
  EXPECT_TRUE(script.finished());
  EXPECT_EQ(script.messages, QStringList{QStringLiteral("メモが変更されています。更新しますか？")});
  ASSERT_EQ(w().wb().memos.size(), 1u);
  EXPECT_EQ(w().wb().memos[0].text, "ab\r\nc");
  EXPECT_EQ(w().wb().words[w().wb().memos[0].word].hasMemo, 1);
}

TEST_F(AuxWindowsTest, IdeaMemoWithTextTheWorkbookCannotHoldClosesOnNo) {
  put(0, 2, 2, "傘", true);
  const QString warning = QStringLiteral(
      "保存できない文字が含まれています。\nその文字を削除するか、別の文字に置き換えてください。");
  const QString question = QStringLiteral("メモが変更されています。更新しますか？");
  ModalScript script;
  script
      .on(QStringLiteral("アイデアメモ"),
          [](QWidget* modal) {
            auto& d = as<IdeaMemoDialog>(modal);
            d.memoField()->insertPlainText(QStringLiteral("絵😀"));  // as an input method or a paste puts it
            QTest::mouseClick(d.updateButton(), Qt::LeftButton);
            QTest::keyClick(&d, Qt::Key_Escape);
            EXPECT_TRUE(d.isVisible());
            EXPECT_EQ(d.focusWidget(), d.memoField());  // to mend it
            QTest::keyClick(&d, Qt::Key_Escape);
          })
      .answer(QMessageBox::Ok)
      .answer(QMessageBox::Yes)
      .answer(QMessageBox::Ok)
      .answer(QMessageBox::No);
  press(Qt::Key_Space);
  EXPECT_TRUE(script.finished());
  EXPECT_EQ(script.messages, (QStringList{warning, question, warning, question}));
  EXPECT_TRUE(w().wb().memos.empty());
  EXPECT_EQ(w().doc.modified, 0);
}

TEST_F(AuxWindowsTest, TextOutputThroughTheDialogEqualsTgcExport) {
  put(0, 2, 2, "傘");
  put(0, 1, 1, "折り畳み", true);
  w().wb().memos.push_back({box(0, 1, 1).word, cp("小さく\r\n畳める\r\n")});
  const std::string workbook = dir.filePath(QStringLiteral("in.tgc")).toStdString();
  std::ofstream(workbook, std::ios::binary) << serializeWorkbook(w().wb());
  ASSERT_EQ(openPath(w(), workbook), 0);

  struct Case {
    OutputKind kind;
    OutputFormat format;
    const char* cliKind;
  };
  for (const Case& c : {Case{OutputKind::Sheets, OutputFormat::Text, "sheets"},
                        Case{OutputKind::Memos, OutputFormat::Csv, "memos"}}) {
    const bool csv = c.format == OutputFormat::Csv;
    const QString out = dir.filePath(csv ? QStringLiteral("gui") : QStringLiteral("gui.txt"));
    const QString title = QStringLiteral("テキスト出力");
    ModalScript script;
    script
        .on(title,
            [&c](QWidget* modal) {
              auto& d = as<TextOutputDialog>(modal);
              d.kinds()->button(static_cast<int>(c.kind))->click();
              d.formats()->button(static_cast<int>(c.format))->click();
              d.outputButton()->click();
            })
        .on(csv ? QStringLiteral("テキスト出力(ＣＳＶ)") : title,
            [&](QWidget* modal) {
              auto& f = as<QFileDialog>(modal);
              EXPECT_EQ(f.defaultSuffix(), csv ? QStringLiteral("csv") : QStringLiteral("txt"));
              f.findChild<QLineEdit*>()->setText(out);
              QMetaObject::invokeMethod(&f, "accept");
            })
        .answer(QMessageBox::Ok)
        .on(title, [](QWidget* modal) { as<TextOutputDialog>(modal).reject(); });
    press(Qt::Key_K);
    ASSERT_TRUE(script.finished());
    EXPECT_EQ(script.messages, QStringList{QStringLiteral("テキスト出力が完了しました。")});
    EXPECT_EQ(w().textOutput.remembered, (TextOutputChoice{c.kind, c.format}));
    const std::string cli = dir.filePath(QStringLiteral("cli.out")).toStdString();
    ASSERT_EQ(tgcExport(workbook, c.cliKind, csv ? "csv" : "text", cli), 0);
    // The chooser adds the default extension to a name without one.
    const std::string written = readFile((csv ? out + QStringLiteral(".csv") : out).toStdString());
    EXPECT_FALSE(written.empty());
    EXPECT_EQ(written, readFile(cli)) << c.cliKind;
  }
}

}  // namespace
}  // namespace tgc::test
