// Every window as a person without a mouse meets it: Tab from the control
// that has the focus when the window opens visits every control once, in
// reading order, and each says what it is through its accessible name, a
// label or group that names it, or its description. (A group of radio
// buttons is one stop; the arrows move inside it.)
#include <gtest/gtest.h>

#include <QAccessible>
#include <QApplication>
#include <QPrintDialog>
#include <QPrinter>
#include <QTest>
#include <functional>
#include <memory>

#include "app/aboutdialog.h"
#include "app/exportdialog.h"
#include "app/fontdialog.h"
#include "app/fontrecord.h"
#include "app/printexport.h"
#include "core/cp932literal.h"
#include "marks/consolidationdialog.h"
#include "marks/markeditordialog.h"
#include "marks/markpropertiesdialog.h"
#include "tests/sheet/sheetrig.h"
#include "windows/finddialog.h"
#include "windows/ideamemo.h"
#include "windows/ideamemodialog.h"
#include "windows/textoutputdialog.h"
#include "windows/wordlistdialog.h"

namespace tgc::test {
namespace {

// What a screen reader says for a control: its label when one names it
// (beside a combo box, whose name is its current text), its name, and its
// description.
QString spoken(QWidget* widget) {
  QAccessibleInterface* iface = QAccessible::queryAccessibleInterface(widget);
  QString text = iface->text(QAccessible::Name);
  for (const auto& relation : iface->relations(QAccessible::Label)) {
    const QString label = relation.first->text(QAccessible::Name);
    if (label != text) text = label + QLatin1Char(' ') + text;
  }
  const QString description = iface->text(QAccessible::Description);
  if (!description.isEmpty()) text += QStringLiteral("（%1）").arg(description);
  return text;
}

// What Tab visits, from the control that has the focus when the window
// opens round to it again (at most 40).
QStringList tabRound(QDialog& dialog) {
  dialog.show();
  QApplication::setActiveWindow(&dialog);
  EXPECT_TRUE(QTest::qWaitForWindowActive(&dialog));
  QWidget* first = QApplication::focusWidget();
  QStringList round;
  for (QWidget* at = first; at && round.size() < 40;) {
    round << spoken(at);
    QTest::keyClick(at, Qt::Key_Tab);
    at = QApplication::focusWidget();
    if (at == first) break;
  }
  return round;
}

TEST(DialogAccess, TabVisitsEveryNamedControlInReadingOrder) {
  SheetRig t;
  t.put(0, 2, 2, "弁当箱"_sj);
  t.put(0, 1, 1, "フタ"_sj, kIdeaMarkId);
  t.box(1, 1).idea = 1;
  IdeaMemoSession memo(t.w);
  FindMemory found{"フタ", false, 0};
  const CatalogMark& first = *t.wb().findMark(kMaterial);
  const CatalogMark& second = *t.wb().findMark(kShape);
  QPrinter printer;
  ExportChoice rangeOfPngs;
  rangeOfPngs.format = ExportFormat::Png;
  rangeOfPngs.sheets = {SheetScope::Range, 1, 2};

  const struct {
    const char* window;
    std::function<std::unique_ptr<QDialog>()> open;
    QStringList order;
  } cases[] = {
      {"mark editor",
       [&] { return std::make_unique<MarkEditorDialog>(t.w); },
       {"使用マークの一覧", "休止マークの一覧", "休止マークへ移す", "使用マークへ移す", "追加", "修正",
        "削除", "集約", "終了", "使用マーク"}},
      {"mark properties",
       [&] {
         return std::make_unique<MarkPropertiesDialog>(t.w, MarkPropertiesRequest{},
                                                       [](const MarkProperties&) { return true; });
       },
       {"マーク", "名称", "補足", "属性 要素　（素材、場所、用途など）", "OK", "ｷｬﾝｾﾙ"}},
      {"consolidation",
       [&] { return std::make_unique<ConsolidationDialog>(first, second, true, false); },
       {"集約する２つのマーク", "１に集約", "次へ", "終了"}},
      {"word list",
       [&] { return std::make_unique<WordListDialog>(t.w, nullptr); },
       {" □  テーマ（語句を一覧するマーク）", "語句", "ジャンプ", "終了"}},
      {"idea memo",
       [&] { return std::make_unique<IdeaMemoDialog>(t.w, memo, nullptr); },
       {"終了", " ！  フタ（メモを書くアイデア）", "メモ"}},
      {"find",
       [&] { return std::make_unique<FindDialog>(t.w, found, nullptr); },
       {"検索する文字列(N): 検索する文字列",
        "完全一致（全角と半角、ひらがなとカタカナ、大文字と小文字を区別します）", "検索結果", "ジャンプ",
        "終了"}},
      {"text output",
       [&] { return std::make_unique<TextOutputDialog>(TextOutputChoice{}, nullptr, nullptr, nullptr); },
       {"出力種別 シート", "ファイル形式 テキスト", "出力", "終了"}},
      {"export",
       [&] { return std::make_unique<ExportDialog>(rangeOfPngs, 1, 3); },
       {"形式 PDF(D)", "形式 PNG画像の倍率(S): 1×", "シート 現在のシート(C)", "シート 範囲の最初のシート",
        "シート 範囲の最後のシート", "OK", "Cancel"}},
      {"print",
       [&] {
         auto dialog = std::make_unique<QPrintDialog>(&printer);
         setUpPrintDialog(*dialog, 0, 3);
         return dialog;
       },
       {}},
      {"font",
       [&] { return std::make_unique<FontDialog>(defaultFontRecord()); },
       {"フォント名(F):", "フォント名", "スタイル(Y):", "スタイル", "サイズ(S):", "サイズ", "OK",
        "キャンセル"}},
      {"about", [&] { return std::make_unique<AboutDialog>(); }, {"OK"}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.window);
    std::unique_ptr<QDialog> dialog = c.open();
    const QStringList round = tabRound(*dialog);
    if (!c.order.isEmpty()) {
      EXPECT_EQ(round, c.order) << round.join(QStringLiteral(" | ")).toStdString();
      continue;
    }
    // Qt's own dialog, whose controls follow the printers there are: each
    // says what it is.
    EXPECT_GE(round.size(), 3);
    for (const QString& said : round) EXPECT_FALSE(said.isEmpty() || said.endsWith(QStringLiteral("...")));
  }
}

}  // namespace
}  // namespace tgc::test
