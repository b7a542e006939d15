// The catalog mark windows in the running program: the editor, the mark
// properties and the consolidation dialogs driven by clicks, keys and typed
// text on the real controller, and the menu keys that open them.
#include <gtest/gtest.h>

#include <QFileDialog>
#include <QGroupBox>
#include <QHeaderView>
#include <QLineEdit>
#include <QRadioButton>
#include <QSettings>
#include <QStandardPaths>
#include <QTableWidget>
#include <QTemporaryDir>
#include <fstream>

#include "app/commandids.h"
#include "app/mainwindow.h"
#include "core/cp932.h"
#include "core/workbookfile.h"
#include "marks/consolidationdialog.h"
#include "marks/defaultcatalog.h"
#include "marks/markeditordialog.h"
#include "marks/markpropertiesdialog.h"
#include "sheet/sheetview.h"
#include "tests/support/workbooks.h"
#include "tests/widgets/modalscript.h"

namespace tgc::test {
namespace {

const QString kEditor = QStringLiteral("カタログマーク編集");

std::string cp(const char* utf8) {
  return utf8ToCp932(utf8).value();
}

// Default catalog ids used below.
constexpr int32_t kCategory = 3;  // ∩ カテゴリ, Element
constexpr int32_t kMerit = 4;     // △ メリット, Element

class MarkWindowsTest : public ::testing::Test {
 protected:
  void SetUp() override {
    QStandardPaths::setTestModeEnabled(true);
    ASSERT_TRUE(dir.isValid());
    window = std::make_unique<MainWindow>(
        std::make_unique<QSettings>(dir.filePath(QStringLiteral("settings.ini")), QSettings::IniFormat));
    window->show();
    window->startUp();
    QApplication::setActiveWindow(window.get());
    window->view()->setFocus();
    // One Type-A sheet whose only marked box carries ∩, instead of the
    // random marks of start-up.
    wb().sheets = {gridSheet(TypeA)};
    wb().sheets[0].boxes[0].mark = kCategory;
  }
  void TearDown() override { EXPECT_TRUE(script.finished()) << "script steps left over"; }

  DocWnd& w() { return window->docWnd(); }
  Workbook& wb() { return w().wb(); }
  // The catalog as a person sees it: glyph, name, attribute, dormant.
  QStringList catalog() {
    QStringList out;
    for (const CatalogMark& m : wb().marks)
      out << QString::fromStdString(cp932ToUtf8(m.glyph + " " + m.name).value_or("?")) +
                 QStringLiteral(" %1 %2").arg(m.attribute).arg(m.dormant);
    return out;
  }
  int undoSteps() { return (w().doc.current - w().doc.oldest + kRingSlots) % kRingSlots; }

  static MarkEditorDialog* editor(QWidget* modal) { return qobject_cast<MarkEditorDialog*>(modal); }
  static MarkPropertiesDialog* properties(QWidget* modal) {
    return qobject_cast<MarkPropertiesDialog*>(modal);
  }

  // Clicks (or double-clicks) the row of a list that shows `text` in its
  // first column, or the row at a position.
  static void clickRow(MarkList* list, QTreeWidgetItem* item, Qt::KeyboardModifiers modifiers = {},
                       bool twice = false) {
    ASSERT_NE(item, nullptr);
    list->scrollToItem(item);
    const QPoint at = list->visualItemRect(item).center();
    if (twice)
      QTest::mouseDClick(list->viewport(), Qt::LeftButton, modifiers, at);
    else
      QTest::mouseClick(list->viewport(), Qt::LeftButton, modifiers, at);
  }
  static QTreeWidgetItem* row(MarkList* list, const QString& text) {
    return list->findItems(text, Qt::MatchExactly).value(0);
  }
  static void clickHeader(MarkList* list, int column) {
    QHeaderView* h = list->header();
    QTest::mouseClick(h->viewport(), Qt::LeftButton, {},
                      QPoint(h->sectionViewportPosition(column) + 10, h->height() / 2));
  }
  static QStringList firstColumn(MarkList* list) {
    QStringList out;
    for (int i = 0; i < list->topLevelItemCount(); ++i) out << list->topLevelItem(i)->text(0);
    return out;
  }
  int dormantMarks() {
    int n = 0;
    for (const CatalogMark& m : wb().marks) n += m.dormant;
    return n;
  }

  QTemporaryDir dir;
  std::unique_ptr<MainWindow> window;
  ModalScript script;
};

TEST_F(MarkWindowsTest, AddWithBothLookAlikeQuestionsStaysOpenAfterNoOnTheSecond) {
  const QStringList before = catalog();
  QString glyphAfterRefusal;
  script
      .on(kEditor,
          [](QWidget* d) { QTest::mouseClick(editor(d)->button(QStringLiteral("追加")), Qt::LeftButton); })
      .on(QStringLiteral("ﾏｰｸ追加"),
          [](QWidget* d) {
            // The glyph of メリット and the name of カテゴリ, moving on with Tab.
            typeInto(d, QStringLiteral("△"));
            QTest::keyClick(d->focusWidget(), Qt::Key_Tab);
            typeInto(d, QStringLiteral("カテゴリ"));
            QTest::keyClick(d->focusWidget(), Qt::Key_Return);
          })
      .answer(QMessageBox::Yes)
      .answer(QMessageBox::No)
      .on(QStringLiteral("ﾏｰｸ追加"),
          [&](QWidget* d) {
            glyphAfterRefusal = properties(d)->glyphEdit()->text() + properties(d)->nameEdit()->text();
            QTest::keyClick(d, Qt::Key_Escape);
          })
      .on(kEditor, [](QWidget* d) { QTest::keyClick(d, Qt::Key_Escape); });
  window->action(cmd::MarkEditor)->trigger();
  EXPECT_EQ(script.messages, (QStringList{"マークはすでに使用されています。続行しますか？",
                                          "同じ名称のものが存在します。続行しますか？"}));
  EXPECT_EQ(glyphAfterRefusal, QStringLiteral("△カテゴリ"));
  EXPECT_EQ(catalog(), before);
  EXPECT_EQ(undoSteps(), 0);
}

TEST_F(MarkWindowsTest, ModifyLocksTheAttributeOfAMarkUsedOnTypeBOrC) {
  wb().sheets.push_back(gridSheet(TypeB, kMerit));
  struct Case {
    const char* row;
    bool attributeEnabled;
  } cases[] = {{"△ メリット", false}, {"∩ カテゴリ", true}};  // Type-B; Type-A only
  for (const Case& c : cases) {
    bool enabled = !c.attributeEnabled;
    QString glyph;
    script
        .on(kEditor,
            [&](QWidget* d) {
              MarkList* list = editor(d)->list(kActiveList);
              clickRow(list, row(list, QString::fromUtf8(c.row)), {}, true);
            })
        .on(QStringLiteral("ﾏｰｸ修正"),
            [&](QWidget* d) {
              enabled = properties(d)->attributeGroup()->isEnabled();
              glyph = properties(d)->glyphEdit()->text();
              QTest::mouseClick(properties(d)->okButton(), Qt::LeftButton);
            })
        .answer(QMessageBox::Ok)  // nothing changed
        .on(QStringLiteral("ﾏｰｸ修正"), [](QWidget* d) { QTest::keyClick(d, Qt::Key_Escape); })
        .on(kEditor, [](QWidget* d) { QTest::keyClick(d, Qt::Key_Escape); });
    window->runCommand(cmd::MarkEditor);
    EXPECT_EQ(enabled, c.attributeEnabled) << c.row;
    EXPECT_TRUE(QString::fromUtf8(c.row).startsWith(glyph + QLatin1Char(' '))) << c.row;
  }
  EXPECT_EQ(script.messages, QStringList(2, QStringLiteral("変更箇所はありません。")));
}

TEST_F(MarkWindowsTest, DeleteOfAMarkUsedOnASheetIsRefused) {
  const QStringList before = catalog();
  script
      .on(kEditor,
          [](QWidget* d) {
            MarkList* list = editor(d)->list(kActiveList);
            clickRow(list, row(list, QStringLiteral("∩ カテゴリ")));
            QTest::mouseClick(editor(d)->button(QStringLiteral("削除")), Qt::LeftButton);
          })
      .answer(QMessageBox::Ok)
      .on(kEditor,
          [](QWidget* d) { QTest::mouseClick(editor(d)->button(QStringLiteral("終了")), Qt::LeftButton); });
  window->runCommand(cmd::MarkEditor);
  EXPECT_EQ(script.messages, QStringList{"シート上で使用中のため、削除は行えません。"});
  EXPECT_EQ(catalog(), before);
}

TEST_F(MarkWindowsTest, MoveToDormantThenCloseIsOneUndoStep) {
  QStringList moved, dormantShown;
  bool openAfterEnter = false;
  script.on(kEditor, [&](QWidget* d) {
    MarkList* active = editor(d)->list(kActiveList);
    moved = {active->topLevelItem(0)->text(0), active->topLevelItem(2)->text(0)};
    clickRow(active, active->topLevelItem(0));
    clickRow(active, active->topLevelItem(2), Qt::ControlModifier);
    QTest::mouseClick(editor(d)->button(QStringLiteral(">>")), Qt::LeftButton);
    dormantShown = firstColumn(editor(d)->list(kDormantList));
    // Enter on a selected row presses nothing (no move, no close); 終了
    // closes.
    clickRow(active, active->topLevelItem(0));
    QTest::keyClick(active, Qt::Key_Return);
    openAfterEnter = d->isVisible();
    QTest::mouseClick(editor(d)->button(QStringLiteral("終了")), Qt::LeftButton);
  });
  window->runCommand(cmd::MarkEditor);
  EXPECT_TRUE(openAfterEnter);
  // The lower of the two moved marks first.
  EXPECT_EQ(dormantShown, (QStringList{moved[1], moved[0]}));
  EXPECT_EQ(dormantMarks(), 2);
  EXPECT_EQ(undoSteps(), 1);
  script.answer(QMessageBox::Ok);  // the undo message
  window->runCommand(cmd::Undo);
  EXPECT_EQ(dormantMarks(), 0);
}

TEST_F(MarkWindowsTest, FirstColumnHeaderSortsDescendingThenAscending) {
  QStringList opened, shown[2];
  QString firstAttribute;
  bool dormantCurrent = false;
  script.on(kEditor, [&](QWidget* d) {
    MarkList* active = editor(d)->list(kActiveList);
    opened = firstColumn(active);
    clickHeader(active, 0);
    shown[0] = firstColumn(active);
    firstAttribute = active->topLevelItem(0)->text(1);
    clickHeader(active, 0);
    shown[1] = firstColumn(active);
    // Another column only makes its list current.
    clickHeader(editor(d)->list(kDormantList), 1);
    dormantCurrent = editor(d)->radio(kDormantList)->isChecked();
    QTest::keyClick(d, Qt::Key_Escape);
  });
  window->runCommand(cmd::MarkEditor);
  // The editor opens sorted ascending (Element marks first); the first click
  // reverses it (the default names all differ), the second restores it.
  ASSERT_EQ(opened.size(), 24);
  EXPECT_EQ(firstAttribute, QStringLiteral("変換"));
  EXPECT_EQ(shown[0], QStringList(opened.rbegin(), opened.rend()));
  EXPECT_EQ(shown[1], opened);
  EXPECT_TRUE(dormantCurrent);
  EXPECT_EQ(w().marks.currentList, kDormantList);
}

TEST_F(MarkWindowsTest, ConsolidationKeepSecondMovesTheBoxesOfTheFirst) {
  // A mark with the name of カテゴリ, which a box of the sheet carries.
  wb().marks.push_back(userMark(26, cp("★"), cp("カテゴリ"), AttrElement));
  QStringList pair;
  bool bothEnabled = false;
  script
      .on(kEditor,
          [](QWidget* d) { QTest::mouseClick(editor(d)->button(QStringLiteral("集約")), Qt::LeftButton); })
      .on(QStringLiteral("マークの集約"),
          [&](QWidget* d) {
            QTableWidget* table = qobject_cast<ConsolidationDialog*>(d)->table();
            for (int r = 0; r < 2; ++r)
              for (int c = 0; c < 3; ++c) pair << table->item(r, c)->text();
            QPushButton* keepSecond = nullptr;
            bothEnabled = true;
            for (QPushButton* b : d->findChildren<QPushButton*>()) {
              if (b->text() == QStringLiteral("２に集約")) keepSecond = b;
              if (b->text().endsWith(QStringLiteral("に集約"))) bothEnabled = bothEnabled && b->isEnabled();
            }
            ASSERT_NE(keepSecond, nullptr);
            QTest::mouseClick(keepSecond, Qt::LeftButton);
          })
      .answer(QMessageBox::Ok)
      .on(kEditor, [](QWidget* d) { QTest::keyClick(d, Qt::Key_Escape); });
  window->runCommand(cmd::MarkEditor);
  EXPECT_EQ(pair, (QStringList{"マーク", "∩", "★", "名称", "カテゴリ", "カテゴリ"}));
  EXPECT_TRUE(bothEnabled);
  EXPECT_EQ(script.messages, QStringList{"集約処理が完了しました。"});
  const CatalogMark* shown = wb().findMark(wb().sheets[0].boxes[0].mark);
  ASSERT_NE(shown, nullptr);
  EXPECT_EQ(shown->glyph, cp("★"));
  EXPECT_EQ(wb().marks.size(), 26u);
  EXPECT_EQ(undoSteps(), 1);
}

TEST_F(MarkWindowsTest, CtrlMOpensTheEditorOnceAndCtrlEStillWorksAfterIt) {
  int openings = 0;
  script.on(kEditor, [&](QWidget* d) {
    ++openings;
    QTest::keyClick(d, Qt::Key_Escape);
  });
  QTest::keyClick(window->view(), Qt::Key_M, Qt::ControlModifier);
  QApplication::processEvents();
  EXPECT_EQ(openings, 1);
  script.answer(QMessageBox::Ok);
  QTest::keyClick(window->view(), Qt::Key_E, Qt::ControlModifier);
  EXPECT_EQ(script.messages, QStringList{"マーク名を「非表示」にしました。"});
  EXPECT_EQ(w().shell.markNames, 0);
}

TEST_F(MarkWindowsTest, CtrlIImportsAndYesOnTheReportOpensTheEditor) {
  // A workbook whose one mark shares the name of メリット.
  Workbook other;
  other.marks = {systemMark(kThemeMarkId), systemMark(kIdeaMarkId),
                 userMark(2, cp("★"), cp("メリット"), AttrElement)};
  other.sheets = {gridSheet(TypeA, 2)};
  const QString file = dir.filePath(QStringLiteral("other.tgc"));
  std::ofstream(file.toStdString(), std::ios::binary) << serializeWorkbook(other);

  QStringList listed;
  script
      .on(QStringLiteral("インポート"),
          [&](QWidget* d) {
            ASSERT_NE(qobject_cast<QFileDialog*>(d), nullptr);
            typeInto(d, file);
            // The completion list that typing opened goes away first.
            if (QWidget* popup = QApplication::activePopupWidget()) popup->close();
            QTest::keyClick(d->focusWidget(), Qt::Key_Return);
          })
      .answer(QMessageBox::Yes)
      .on(kEditor, [&](QWidget* d) {
        listed = firstColumn(editor(d)->list(kActiveList));
        QTest::keyClick(d, Qt::Key_Escape);
      });
  QTest::keyClick(window->view(), Qt::Key_I, Qt::ControlModifier);
  QApplication::processEvents();
  ASSERT_EQ(script.messages.size(), 1);
  EXPECT_TRUE(
      script.messages[0].startsWith(QStringLiteral("インポートが完了しました。\n\n\n同じマークまたは名称")));
  EXPECT_TRUE(listed.contains(QStringLiteral("★ メリット")));
  EXPECT_EQ(wb().sheets.size(), 2u);
  // The import and the editor's opening are one undo step: the editor
  // changed nothing.
  EXPECT_EQ(undoSteps(), 1);
}

}  // namespace
}  // namespace tgc::test
