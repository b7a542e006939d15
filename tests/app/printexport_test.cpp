// Print and export from the main window through real input: Ctrl+P on the
// focused sheet view reaches the print dialog and the preview, whose print
// button writes the pages; the export item's dialog, Save As and message are
// answered by clicks.
#include "app/printexport.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QButtonGroup>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QFileDialog>
#include <QLineEdit>
#include <QMessageBox>
#include <QPrintDialog>
#include <QPrintPreviewDialog>
#include <QPrinter>
#include <QProcess>
#include <QPushButton>
#include <QRadioButton>
#include <QSettings>
#include <QSpinBox>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>
#include <QToolBar>
#include <QToolButton>

#include "app/commandids.h"
#include "app/mainwindow.h"
#include "core/cp932.h"
#include "sheet/sheetcommands.h"
#include "sheet/sheetview.h"
#include "tests/widgets/modalscript.h"
#include "tests/widgets/shownwindow.h"
#include "tests/widgets/viewrig.h"

namespace tgc::test {
namespace {

bool onlyCloseButton(QWidget* w) {
  const Qt::WindowFlags f = w->windowFlags();
  return (f & Qt::WindowCloseButtonHint) && !(f & Qt::WindowMinimizeButtonHint) &&
         !(f & Qt::WindowContextHelpButtonHint);
}

std::string run(const QString& program, const QStringList& args) {
  QProcess p;
  p.start(program, args);
  p.waitForFinished();
  return p.readAllStandardOutput().toStdString();
}

class PrintExportTest : public ShownWindowTest {
 protected:
  void SetUp() override {
    ShownWindowTest::SetUp();
    DocWnd& w = window->docWnd();
    createSheet(w, CreateKind::TypeB);
    createSheet(w, CreateKind::TypeC);
    w.wb().currentSheet = 1;
    Box& theme = *findBox(w.wb().sheets[1], 0, 0);
    theme.word = enterWord(w.wb(), cp("印刷する語"));
    w.doc.setModified(0);
  }
};

TEST_F(PrintExportTest, CtrlPOnTheViewPrintsTheCurrentSheetFromThePreview) {
  const QString pdf = dir.filePath(QStringLiteral("printed.pdf"));
  QPrinter& printer = window->findChild<PrintExport*>()->printer();
  printer.setOutputFormat(QPrinter::PdfFormat);
  printer.setOutputFileName(pdf);
  EXPECT_EQ(printer.pageLayout().orientation(), QPageLayout::Landscape);

  ModalScript script;
  script
      .on(QStringLiteral("印刷"),
          [](QWidget* modal) {
            auto* d = qobject_cast<QPrintDialog*>(modal);
            ASSERT_NE(d, nullptr);
            EXPECT_TRUE(onlyCloseButton(d));
            EXPECT_EQ(d->printRange(), QAbstractPrintDialog::CurrentPage);
            EXPECT_EQ(d->maxPage(), 3);
            QTest::mouseClick(d->findChild<QDialogButtonBox*>()->button(QDialogButtonBox::Ok),
                              Qt::LeftButton);
          })
      .on(QStringLiteral("印刷プレビュー"), [](QWidget* modal) {
        saveShot(modal->grab().toImage(), "print_preview.png");
        const QString print = QCoreApplication::translate("QPrintPreviewDialog", "Print");
        for (QToolBar* bar : modal->findChildren<QToolBar*>())
          for (QAction* a : bar->actions())
            if (a->text() == print) QTest::mouseClick(bar->widgetForAction(a), Qt::LeftButton);
      });
  ASSERT_EQ(QApplication::focusWidget(), window->view());
  QTest::keyClick(window->view(), Qt::Key_P, Qt::ControlModifier);
  EXPECT_TRUE(script.finished());
  EXPECT_FALSE(window->docWnd().doc.modified);

  // The current sheet, one page, its word and footer as text.
  const std::string info = run(QStringLiteral("pdfinfo"), {pdf});
  EXPECT_NE(info.find("Pages:           1\n"), std::string::npos) << info;
  const std::string text = run(QStringLiteral("pdftotext"), {pdf, QStringLiteral("-")});
  EXPECT_NE(text.find("印刷する語"), std::string::npos) << text;
  EXPECT_NE(text.find("No. 2 / 3"), std::string::npos) << text;
}

TEST_F(PrintExportTest, ExportItemWritesPngFilesOfARangeAtTheChosenScale) {
  const QString base = dir.filePath(QStringLiteral("sheets.png"));
  QString shownName, shownFilter;
  ModalScript script;
  script
      .on(QStringLiteral("エクスポート"),
          [](QWidget* modal) {
            auto* d = qobject_cast<ExportDialog*>(modal);
            ASSERT_NE(d, nullptr);
            EXPECT_TRUE(onlyCloseButton(d));
            saveShot(d->grab().toImage(), "export_dialog.png");
            QTest::mouseClick(d->formats()->button(static_cast<int>(ExportFormat::Png)), Qt::LeftButton);
            d->scale()->setCurrentIndex(1);
            QTest::mouseClick(d->scopes()->button(static_cast<int>(SheetScope::Range)), Qt::LeftButton);
            EXPECT_TRUE(d->to()->isEnabled());
            d->from()->setValue(2);
            d->to()->setValue(3);
            QTest::mouseClick(d->findChild<QDialogButtonBox*>()->button(QDialogButtonBox::Ok),
                              Qt::LeftButton);
          })
      .on(QStringLiteral("エクスポート"),
          [&](QWidget* modal) {
            auto* d = qobject_cast<QFileDialog*>(modal);
            ASSERT_NE(d, nullptr);
            shownFilter = d->nameFilters().join(QLatin1Char(';'));
            shownName = d->selectedFiles().value(0);
            // Typed over the proposed name, as a person would.
            auto* name = d->findChild<QLineEdit*>(QStringLiteral("fileNameEdit"));
            ASSERT_NE(name, nullptr);
            name->selectAll();
            QTest::keyClicks(name, base);
            QTest::keyClick(name, Qt::Key_Return);
          })
      .answer(QMessageBox::Ok);
  window->action(cmd::Export)->trigger();
  EXPECT_TRUE(script.finished());
  EXPECT_TRUE(shownFilter.startsWith(QStringLiteral("PNG画像(*.png)"))) << shownFilter.toStdString();
  EXPECT_TRUE(shownName.endsWith(QStringLiteral("/無題.png"))) << shownName.toStdString();
  EXPECT_EQ(script.messages, QStringList{QStringLiteral("エクスポートが完了しました。")});
  for (const char* name : {"sheets-2.png", "sheets-3.png"})
    EXPECT_EQ(QImage(dir.filePath(QString::fromLatin1(name))).size(), QSize(1936, 1348)) << name;
  EXPECT_FALSE(QFile::exists(dir.filePath(QStringLiteral("sheets-1.png"))));
}

}  // namespace
}  // namespace tgc::test
