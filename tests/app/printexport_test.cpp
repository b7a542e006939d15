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
#include <QTimer>
#include <QToolBar>
#include <QToolButton>
#include <deque>
#include <functional>

#include "app/commandids.h"
#include "app/mainwindow.h"
#include "core/cp932.h"
#include "sheet/sheetcommands.h"
#include "sheet/sheetview.h"
#include "tests/widgets/viewrig.h"

namespace tgc::test {
namespace {

// Answers the modal windows that open one after another. Each step waits
// for the window it expects; a window nobody expected is counted and closed,
// so a command that runs twice fails the test instead of hanging it.
class ModalScript {
 public:
  using Step = std::function<bool(QWidget*)>;  // true once it answered
  explicit ModalScript(std::deque<Step> steps) : steps_(std::move(steps)) {
    timer_.setInterval(20);
    QObject::connect(&timer_, &QTimer::timeout, [this] { poll(); });
    timer_.start();
  }
  int unexpected = 0;
  size_t left() const { return steps_.size(); }

 private:
  void poll() {
    QWidget* modal = QApplication::activeModalWidget();
    if (!modal || modal == answered_) return;
    if (steps_.empty()) {
      ++unexpected;
      if (auto* d = qobject_cast<QDialog*>(modal)) d->reject();
      return;
    }
    if (steps_.front()(modal)) {
      answered_ = modal;
      steps_.pop_front();
    }
  }
  std::deque<Step> steps_;
  QWidget* answered_ = nullptr;
  QTimer timer_;
};

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

class PrintExportTest : public ::testing::Test {
 protected:
  void SetUp() override {
    QStandardPaths::setTestModeEnabled(true);
    ASSERT_TRUE(dir.isValid());
    window = std::make_unique<MainWindow>(
        std::make_unique<QSettings>(dir.filePath(QStringLiteral("settings.ini")), QSettings::IniFormat));
    window->show();
    window->startUp();
    DocWnd& w = window->docWnd();
    createSheet(w, CreateKind::TypeB);
    createSheet(w, CreateKind::TypeC);
    w.wb().currentSheet = 1;
    Box& theme = *findBox(w.wb().sheets[1], 0, 0);
    theme.word = enterWord(w.wb(), cp("印刷する語"));
    w.doc.setModified(0);
    QApplication::setActiveWindow(window.get());
    window->view()->setFocus();
  }

  QTemporaryDir dir;
  std::unique_ptr<MainWindow> window;
};

TEST_F(PrintExportTest, CtrlPOnTheViewPrintsTheCurrentSheetFromThePreview) {
  const QString pdf = dir.filePath(QStringLiteral("printed.pdf"));
  QPrinter& printer = window->findChild<PrintExport*>()->printer();
  printer.setOutputFormat(QPrinter::PdfFormat);
  printer.setOutputFileName(pdf);
  EXPECT_EQ(printer.pageLayout().orientation(), QPageLayout::Landscape);

  ModalScript script({
      [](QWidget* modal) {
        auto* d = qobject_cast<QPrintDialog*>(modal);
        if (!d) return false;
        EXPECT_EQ(d->windowTitle(), QStringLiteral("印刷"));
        EXPECT_TRUE(onlyCloseButton(d));
        EXPECT_EQ(d->printRange(), QAbstractPrintDialog::CurrentPage);
        EXPECT_EQ(d->maxPage(), 3);
        d->findChild<QDialogButtonBox*>()->button(QDialogButtonBox::Ok)->click();
        return true;
      },
      [](QWidget* modal) {
        auto* d = qobject_cast<QPrintPreviewDialog*>(modal);
        if (!d) return false;
        saveShot(d->grab().toImage(), "print_preview.png");
        const QString print = QCoreApplication::translate("QPrintPreviewDialog", "Print");
        for (QToolBar* bar : d->findChildren<QToolBar*>())
          for (QAction* a : bar->actions())
            if (a->text() == print) qobject_cast<QToolButton*>(bar->widgetForAction(a))->click();
        return true;
      },
  });
  ASSERT_EQ(QApplication::focusWidget(), window->view());
  QTest::keyClick(window->view(), Qt::Key_P, Qt::ControlModifier);
  EXPECT_EQ(script.left(), 0u);
  EXPECT_EQ(script.unexpected, 0);
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
  QString shownName, shownFilter, message;
  ModalScript script({
      [](QWidget* modal) {
        auto* d = qobject_cast<ExportDialog*>(modal);
        if (!d) return false;
        EXPECT_TRUE(onlyCloseButton(d));
        saveShot(d->grab().toImage(), "export_dialog.png");
        QTest::mouseClick(d->formats()->button(static_cast<int>(ExportFormat::Png)), Qt::LeftButton);
        d->scale()->setCurrentIndex(1);
        QTest::mouseClick(d->scopes()->button(static_cast<int>(SheetScope::Range)), Qt::LeftButton);
        EXPECT_TRUE(d->to()->isEnabled());
        d->from()->setValue(2);
        d->to()->setValue(3);
        d->findChild<QDialogButtonBox*>()->button(QDialogButtonBox::Ok)->click();
        return true;
      },
      [&](QWidget* modal) {
        auto* d = qobject_cast<QFileDialog*>(modal);
        if (!d) return false;
        shownFilter = d->nameFilters().join(QLatin1Char(';'));
        shownName = d->selectedFiles().value(0);
        d->selectFile(base);
        QMetaObject::invokeMethod(d, "accept");
        return true;
      },
      [&](QWidget* modal) {
        auto* box = qobject_cast<QMessageBox*>(modal);
        if (!box) return false;
        message = box->text();
        box->button(QMessageBox::Ok)->click();
        return true;
      },
  });
  window->action(cmd::Export)->trigger();
  EXPECT_EQ(script.left(), 0u);
  EXPECT_EQ(script.unexpected, 0);
  EXPECT_TRUE(shownFilter.startsWith(QStringLiteral("PNG画像(*.png)"))) << shownFilter.toStdString();
  EXPECT_TRUE(shownName.endsWith(QStringLiteral("/無題.png"))) << shownName.toStdString();
  EXPECT_EQ(message, QStringLiteral("エクスポートが完了しました。"));
  for (const char* name : {"sheets-2.png", "sheets-3.png"})
    EXPECT_EQ(QImage(dir.filePath(QString::fromLatin1(name))).size(), QSize(1936, 1348)) << name;
  EXPECT_FALSE(QFile::exists(dir.filePath(QStringLiteral("sheets-1.png"))));
}

}  // namespace
}  // namespace tgc::test
