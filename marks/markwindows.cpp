#include "marks/markwindows.h"

#include <QApplication>
#include <QPointer>

#include "app/commandids.h"
#include "app/mainwindow.h"
#include "core/importworkbook.h"
#include "marks/consolidationdialog.h"
#include "marks/markeditordialog.h"
#include "marks/markpropertiesdialog.h"

namespace tgc {

namespace {

class MarkWindows : public QObject,
                    public MarkEditorLauncher,
                    public MarkPropertiesPort,
                    public MergeDialogPort {
 public:
  explicit MarkWindows(MainWindow& window) : QObject(&window), window_(window), w_(window.docWnd()) {
    w_.markEditorLauncher = this;
    w_.markProperties = this;
    w_.mergeDialog = this;
    window.setCommandHandler(cmd::MarkEditor, [this] {
      openMarkEditor();
      return 0;
    });
  }

  void openMarkEditor() override {
    MarkEditorDialog dialog(w_, owner());
    editor_ = &dialog;
    dialog.exec();
  }

  bool edit(const MarkPropertiesRequest& request,
            const std::function<bool(const MarkProperties&)>& onOk) override {
    MarkPropertiesDialog dialog(w_, request, onOk, owner());
    return dialog.exec() == QDialog::Accepted;
  }

  MergeChoice showMergeDialog(const CatalogMark& first, const CatalogMark& second, bool firstEnabled,
                              bool secondEnabled) override {
    ConsolidationDialog dialog(first, second, firstEnabled, secondEnabled, owner());
    dialog.exec();
    return dialog.choice();
  }

  void entriesReloaded() override {
    if (editor_) editor_->fillLists();
  }

 private:
  // Each window is modal over the one below it.
  QWidget* owner() const {
    QWidget* modal = QApplication::activeModalWidget();
    return modal ? modal : &window_;
  }

  MainWindow& window_;
  DocWnd& w_;
  QPointer<MarkEditorDialog> editor_;
};

}  // namespace

void installMarkWindows(MainWindow& window) {
  new MarkWindows(window);
}

}  // namespace tgc
