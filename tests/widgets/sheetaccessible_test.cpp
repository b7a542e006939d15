// The sheet view as an assistive technology queries it in the process: a
// table of the boxes with named buttons, the guide and the editor, and its
// focused cell and names as keys move the selection and type a word. (The
// announcements need a listening screen reader: tests/a11y has one.)
#include <gtest/gtest.h>

#include <QAccessible>
#include <QApplication>
#include <QTest>

#include "core/cp932.h"
#include "sheet/sheetpainter.h"
#include "sheet/sheetspeech.h"
#include "tests/widgets/shownwindow.h"
#include "tests/widgets/viewrig.h"

namespace tgc::test {
namespace {

QString text(QAccessibleInterface* iface, QAccessible::Text t = QAccessible::Name) {
  return iface ? iface->text(t) : QStringLiteral("(none)");
}

TEST(SheetAccessible, TheViewIsATableOfTheBoxesFollowedByEditorButtonsAndGuide) {
  ViewRig t;
  t.word(2, 2, "弁当箱");
  t.word(3, 1, "フタ");
  t.view.show();
  QAccessibleInterface* table = QAccessible::queryAccessibleInterface(&t.view);
  ASSERT_NE(table, nullptr);
  EXPECT_EQ(table->role(), QAccessible::Table);
  EXPECT_EQ(text(table), QStringLiteral("シート 1 / 1、シートタイプＡ、テーマ「弁当箱」"));
  QAccessibleTableInterface* grid = table->tableInterface();
  ASSERT_NE(grid, nullptr);
  EXPECT_EQ(grid->rowCount(), 5);
  EXPECT_EQ(grid->columnCount(), 5);
  QAccessibleInterface* lid = grid->cellAt(1, 3);
  EXPECT_EQ(text(lid), QStringLiteral("フタ"));
  EXPECT_EQ(lid->tableCellInterface()->rowIndex(), 1);
  EXPECT_EQ(lid->tableCellInterface()->columnIndex(), 3);
  EXPECT_EQ(text(grid->cellAt(0, 0)), QStringLiteral("空欄"));
  EXPECT_EQ(text(grid->cellAt(2, 2), QAccessible::Description), QStringLiteral("□ テーマ"));
  EXPECT_EQ(grid->selectedCells(), QList<QAccessibleInterface*>{grid->cellAt(2, 2)});

  // 25 boxes, the editor, 8 buttons; the guide comes with its text.
  EXPECT_EQ(table->childCount(), 34);
  EXPECT_EQ(table->child(25)->object(), t.view.editor());
  EXPECT_EQ(table->child(26)->role(), QAccessible::Button);
  EXPECT_EQ(text(table->child(29)), QStringLiteral("語句リスト  (Ctrl+L)"));
  // Placed before any paint (a screen reader may ask first), where paint puts it.
  const QRect wordList = table->child(29)->rect();
  t.view.snapshot();
  const Rect painted = t.w.view.buttons[kButtonWordList];
  EXPECT_EQ(wordList, QRect(t.view.mapToGlobal(QPoint(painted.left, painted.top)),
                            QSize(painted.width(), painted.height())));
  EXPECT_EQ(t.w.view.buttons, headerButtonRects(t.view.width(), TypeA));
  t.w.shell.guideShown = 1;
  ASSERT_EQ(table->childCount(), 35);
  EXPECT_EQ(table->child(34)->role(), QAccessible::StaticText);
  const QString guide = text(table->child(34));
  EXPECT_TRUE(guide.startsWith(QStringLiteral("シートタイプＡ\n")) &&
              guide.contains(QStringLiteral("\n使用のコツ\n")))
      << guide.toStdString();
  // Each child is found again where it is; a screen reader walks both ways.
  for (int i = 0; i < table->childCount(); ++i) {
    EXPECT_EQ(table->indexOfChild(table->child(i)), i) << i;
    EXPECT_EQ(table->child(i)->parent(), table) << i;
  }
  // And a point finds the box under it.
  const Rect box = boxRect(t.layout(), 3, 1);
  t.w.shell.guideShown = 0;
  EXPECT_EQ(table->childAt(t.view.mapToGlobal(QPoint(box.left + 40, box.top + 40)).x(),
                           t.view.mapToGlobal(QPoint(box.left + 40, box.top + 40)).y()),
            lid);

  // A button's press action is its click: a Type-B sheet, without the idea button.
  table->child(27)->actionInterface()->doAction(QAccessibleActionInterface::pressAction());
  EXPECT_EQ(t.wb().sheets.size(), 2u);
  EXPECT_EQ(text(table), QStringLiteral("シート 2 / 2、シートタイプＢ、テーマ未入力"));
  EXPECT_EQ(table->childCount(), 33);
}

// Through the main window's key dispatch, as typed: the focused cell follows
// the selection, the editor says which box it writes, the word renames it.
using SheetAccessibleWindow = ShownWindowTest;

TEST_F(SheetAccessibleWindow, TheFocusedCellFollowsTheKeysAndATypedWordRenamesIt) {
  SheetView* view = window->view();
  QAccessibleInterface* table = QAccessible::queryAccessibleInterface(view);
  const auto focused = [&] {
    QList<int> at;
    for (int i = 0; i < kBoxesPerSheet; ++i)
      if (table->child(i)->state().focused) at << i;
    return at;
  };
  EXPECT_EQ(focused(), QList<int>{speechIndex(2, 2)});
  QTest::keyClick(view, Qt::Key_Right);
  EXPECT_EQ(focused(), QList<int>{speechIndex(3, 2)});
  EXPECT_EQ(table->focusChild(), table->child(speechIndex(3, 2)));
  QTest::keyClick(view, Qt::Key_Left);  // the theme, the box the rules open first

  QTest::keyClick(view, Qt::Key_Return);
  ASSERT_TRUE(view->isEditing());
  EXPECT_TRUE(focused().isEmpty());
  EXPECT_EQ(table->focusChild()->object(), view->editor());
  EXPECT_EQ(text(table->focusChild()), QStringLiteral("語句の入力：テーマ"));
  QTest::keyClicks(view->editor(), QStringLiteral("kami"));
  QTest::keyClick(view->editor(), Qt::Key_Return);
  EXPECT_EQ(text(table->child(speechIndex(2, 2))), QStringLiteral("kami"));
  EXPECT_EQ(text(table), QStringLiteral("シート 1 / 1、シートタイプＡ、テーマ「kami」"));
  EXPECT_EQ(focused(), QList<int>{speechIndex(2, 2)});
}

}  // namespace
}  // namespace tgc::test
