#include "app/printexport.h"

#include <QAction>
#include <QCoreApplication>
#include <QPainter>
#include <QPrintDialog>
#include <QPrintPreviewDialog>
#include <QPrintPreviewWidget>
#include <QPrinter>
#include <QToolButton>

#include "app/commandids.h"
#include "app/dialogframe.h"
#include "app/mainwindow.h"
#include "sheet/sheetview.h"

namespace tgc {

namespace {

// The preview's own print button would ask for the printer a second time;
// the person chose it a moment ago, so the button prints at once.
void printWithoutAskingAgain(QPrintPreviewDialog& preview) {
  auto* widget = preview.findChild<QPrintPreviewWidget*>();
  const QString text = QCoreApplication::translate("QPrintPreviewDialog", "Print");
  for (QAction* a : preview.findChildren<QAction*>()) {
    if (!widget || a->text() != text) continue;
    a->disconnect(&preview);
    QObject::connect(a, &QAction::triggered, &preview, [&preview, widget] {
      widget->print();
      preview.accept();
    });
    return;
  }
}

SheetSelection selectionOf(const QPrinter& printer) {
  SheetSelection s;
  switch (printer.printRange()) {
    case QPrinter::AllPages:
      s.scope = SheetScope::All;
      break;
    case QPrinter::PageRange:
      s.scope = SheetScope::Range;
      s.from = printer.fromPage();
      s.to = printer.toPage();
      break;
    default:
      s.scope = SheetScope::Current;
  }
  return s;
}

}  // namespace

PrintExport::PrintExport(MainWindow& window) : QObject(&window), window_(window), dialog_(&window) {
  state_.dialog = &dialog_;
  state_.images = this;
}

PrintExport::~PrintExport() = default;

QPrinter& PrintExport::printer() {
  if (!printer_) {
    printer_ = std::make_unique<QPrinter>(QPrinter::HighResolution);
    printer_->setPageSize(localePageSize());
    printer_->setPageOrientation(QPageLayout::Landscape);
  }
  return *printer_;
}

PaperOptions PrintExport::paperOptions() const {
  PaperOptions o;
  o.textFont = window_.view()->textFont();
  o.title = QString::fromStdString(window_.docWnd().doc.fileTitle);
  o.date = QDate::currentDate();
  return o;
}

int PrintExport::print() {
  const DocWnd& w = window_.docWnd();
  const int count = static_cast<int>(w.wb().sheets.size());
  if (count == 0) return 0;
  QPrinter& printer = this->printer();
  printer.setDocName(QString::fromStdString(w.doc.fileTitle));
  QPrintDialog dialog(&printer, &window_);
  setUpPrintDialog(dialog, w.wb().currentSheet, count);
  if (dialog.exec() != QDialog::Accepted) return 0;

  const std::vector<int> sheets = selectedSheets(selectionOf(printer), w.wb().currentSheet, count);
  const PaperOptions options = paperOptions();
  QPrintPreviewDialog preview(&printer, &window_);
  useCloseBoxOnly(preview);
  preview.setWindowFlag(Qt::WindowMaximizeButtonHint);  // a viewer, so it may fill the screen
  preview.setWindowTitle(QStringLiteral("印刷プレビュー"));
  connect(&preview, &QPrintPreviewDialog::paintRequested, &preview, [&](QPrinter* target) {
    // Hundreds of sheets take a moment, for the preview and the printer.
    WaitCursor wait(window_.docWnd().ui());
    QPainter p(target);
    paintSheetPages(p, *target, w, sheets, options);
  });
  printWithoutAskingAgain(preview);
  preview.resize(window_.size().expandedTo(QSize(800, 600)));
  preview.exec();
  return 0;
}

int PrintExport::exportSheets() {
  return exportCommand(window_.docWnd(), state_);
}

namespace {

std::optional<std::string> fileBytes(const QByteArray& bytes) {
  if (bytes.isEmpty()) return std::nullopt;
  return bytes.toStdString();
}

}  // namespace

std::optional<std::string> PrintExport::pdf(const std::vector<int>& sheets) {
  return fileBytes(sheetsPdf(window_.docWnd(), sheets, paperOptions()));
}

std::optional<std::string> PrintExport::png(int sheet, int scale) {
  return fileBytes(sheetPng(window_.docWnd(), sheet, scale, window_.view()->textFont()));
}

void setUpPrintDialog(QPrintDialog& dialog, int currentSheet, int count) {
  useCloseBoxOnly(dialog);
  dialog.setWindowTitle(QStringLiteral("印刷"));
  dialog.setOptions(QAbstractPrintDialog::PrintToFile | QAbstractPrintDialog::PrintPageRange |
                    QAbstractPrintDialog::PrintCurrentPage | QAbstractPrintDialog::PrintShowPageSize);
  dialog.setMinMax(1, count);
  dialog.setFromTo(currentSheet + 1, currentSheet + 1);
  dialog.setPrintRange(QAbstractPrintDialog::CurrentPage);
  // Qt's browse button for the output file reads aloud as "...".
  if (auto* browse = dialog.findChild<QToolButton*>(QStringLiteral("fileBrowser")))
    browse->setAccessibleName(QStringLiteral("出力ファイルを選ぶ"));
}

void installPrintExport(MainWindow& window) {
  auto* output = new PrintExport(window);
  window.setCommandHandler(cmd::Print, [output] { return output->print(); });
  window.setCommandHandler(cmd::Export, [output] { return output->exportSheets(); });
}

}  // namespace tgc
