// Print and export for the main window: registers both commands and keeps
// what they remember for the run (the printer and its settings, the last
// export choice). Printing asks for the printer and the sheets, shows the
// pages in a preview and prints from there; export runs the core's command
// with the Qt dialog and draws PDF and PNG through the sheet painter.
#pragma once

#include <QObject>
#include <memory>

#include "app/exportdialog.h"
#include "core/sheetexport.h"
#include "sheet/paperrender.h"

class QPrintDialog;
class QPrinter;

namespace tgc {

class MainWindow;

class PrintExport : public QObject, private SheetImagePort {
  Q_OBJECT
 public:
  explicit PrintExport(MainWindow& window);
  ~PrintExport() override;

  int print();
  int exportSheets();
  // Created on first use, landscape on the locale's paper size.
  QPrinter& printer();

 private:
  std::optional<std::string> pdf(const std::vector<int>& sheets) override;
  std::optional<std::string> png(int sheet, int scale) override;
  PaperOptions paperOptions() const;

  MainWindow& window_;
  std::unique_ptr<QPrinter> printer_;
  QtExportDialog dialog_;
  ExportState state_;
};

// Creates the window's PrintExport and registers the print and export
// commands with it.
void installPrintExport(MainWindow& window);

// The printer dialog as printing shows it: sheets as pages, the current one
// preselected (`currentSheet` 0-based of `count`).
void setUpPrintDialog(QPrintDialog& dialog, int currentSheet, int count);

}  // namespace tgc
