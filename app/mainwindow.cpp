#include "app/mainwindow.h"

#include <QApplication>
#include <QCloseEvent>
#include <QColorDialog>
#include <QMenuBar>
#include <QScreen>
#include <QTimer>

#include "app/aboutdialog.h"
#include "app/clipboardcommands.h"
#include "app/commandids.h"
#include "app/fontdialog.h"
#include "app/help.h"
#include "app/keyrouter.h"
#include "app/menustate.h"
#include "app/menutexts.h"
#include "app/printexport.h"
#include "app/qtconvert.h"
#include "app/qtfont.h"
#include "app/qtwindowsize.h"
#include "app/startup.h"
#include "app/textstyle.h"
#include "app/viewframe.h"
#include "core/filecommands.h"
#include "core/fileguard.h"
#include "core/importworkbook.h"
#include "core/textoutput.h"
#include "marks/editorcommands.h"
#include "marks/markwindows.h"
#include "marks/wordassist.h"
#include "sheet/ideasetting.h"
#include "sheet/sheetcommands.h"
#include "sheet/sheetview.h"
#include "windows/auxiliarywindows.h"

namespace tgc {

MainWindow::MainWindow(std::unique_ptr<QSettings> settings, QWidget* parent)
    : QMainWindow(parent),
      settings_(std::move(settings)),
      w_(Ports{ui_, clock_, settings_, clipboard_, shell_}) {
  setWindowTitle(QStringLiteral("発想マス目ノート"));
  setMinimumSize(650, 500);
  resize(730, 610);  // the dialog template's size at the usual font
  applyStoredWindowSize(*this, settings_, SizedWindow::Main);
  buildMenus();
  auto* frame = new ViewFrame(this);
  setCentralWidget(frame);
  view_ = new SheetView(w_, frame);
  frame->setView(view_);
  connect(view_, &SheetView::wordListRequested, this, [this] { runCommand(cmd::WordList); });
  connect(view_, &SheetView::fileDropped, this, [this](const QString& path) {
    // A drop does not take the focus from an open edit: commit it to the
    // workbook it was typed in, before the save question, rather than into
    // the workbook that replaces it.
    if (!endEdit(false)) return;
    openPath(w_, path.toUtf8().toStdString());
  });
  ui_.setWindow(this);
  shell_.lateFailure = [this] { warnBrowserNotStarted(w_); };
  ui_.setView(view_);
  w_.app.window = this;
  installMarkWindows(*this);
  installPrintExport(*this);
  keys_ = std::make_unique<KeyRouter>(*this);
  qApp->installEventFilter(keys_.get());
  installAuxiliaryWindows(*this);
}

MainWindow::~MainWindow() {
  if (keys_) qApp->removeEventFilter(keys_.get());
  w_.app.window = nullptr;
  // The view refers to the controller, which is a member and dies before the
  // base class would delete the children.
  delete view_;
  view_ = nullptr;
}

void MainWindow::startUp(const std::string& commandLinePath) {
  StartUpArgs args;
  // The size as applyStoredWindowSize applies it (no frame).
  args.windowWidth = width();
  args.windowHeight = height();
  args.commandLinePath = commandLinePath;
  documentStartUp(w_, args);
  view_->setFocus(Qt::OtherFocusReason);
}

QMenu* MainWindow::topMenu(int position) const {
  return position >= 0 && position < menus_.size() ? menus_[position] : nullptr;
}

QAction* MainWindow::addCommand(QMenu* menu, const QString& text, int id) {
  // The shortcut stays in the text only: every key goes through the
  // dispatcher, so no Qt shortcut may take it first.
  QAction* a = menu->addAction(text);
  a->setData(id);
  actions_.insert(id, a);
  connect(a, &QAction::triggered, this, [this, id] { runCommand(id); });
  return a;
}

void MainWindow::buildMenus() {
  const auto& layout = menuBarLayout();
  for (int position = 0; position < layout.size(); ++position) {
    const TopMenu& top = layout[position];
    QMenu* menu = menuBar()->addMenu(top.title);
    menus_.append(menu);
    for (const MenuEntry& e : top.items) {
      if (e.id == 0) {
        QAction* separator = menu->addSeparator();
        // The separator after the recent-file block: rebuilt items go before it.
        if (fileMenu_ == menu && !recentEnd_) recentEnd_ = separator;
      } else if (e.id == kRecentBlock) {
        fileMenu_ = menu;
        // Placeholder items until the first rebuild at start-up.
        for (int id : cmd::kRecentIds)
          recentItems_.append(addCommand(menu, QStringLiteral("最近使ったファイル"), id));
      } else if (e.id == kSubmenu) {
        QMenu* sub = menu->addMenu(e.text);
        for (const MenuEntry& c : e.children) addCommand(sub, c.text, c.id);
      } else {
        addCommand(menu, e.text, e.id);
      }
    }
    if (position == 4) actions_.value(cmd::MarkNames)->setCheckable(true);
    connect(menu, &QMenu::aboutToShow, this, [this, position] { refreshMenu(position); });
  }
  // Commands whose windows are not registered (setCommandHandler) stay greyed.
  // Import is among them: its report may offer to open the mark editor.
  for (int id : {cmd::Import, cmd::TextOutput, cmd::WordList, cmd::IdeaMemo, cmd::MarkEditor, cmd::Find})
    actions_.value(id)->setEnabled(false);
}

void MainWindow::setRecentMenu(const std::vector<RecentMenuItem>& items) {
  for (QAction* a : recentItems_) {
    actions_.remove(a->data().toInt());
    fileMenu_->removeAction(a);
    a->deleteLater();
  }
  recentItems_.clear();
  if (items.empty()) {
    QAction* a = new QAction(QStringLiteral("(最近使ったﾌｧｲﾙ)"), fileMenu_);
    a->setData(cmd::Recent1);
    a->setEnabled(false);
    fileMenu_->insertAction(recentEnd_, a);
    actions_.insert(cmd::Recent1, a);
    recentItems_.append(a);
    return;
  }
  for (const RecentMenuItem& item : items) {
    QAction* a = new QAction(fromUtf8(item.text), fileMenu_);
    a->setData(item.id);
    const int id = item.id;
    connect(a, &QAction::triggered, this, [this, id] { runCommand(id); });
    fileMenu_->insertAction(recentEnd_, a);
    actions_.insert(id, a);
    recentItems_.append(a);
  }
}

void MainWindow::refreshMenu(int position) {
  menuOpening(w_);
  // Popups 2 (シート作成) and 5 (ヘルプ) have nothing to refresh.
  if (position == 2 || position == 5) return;
  endEdit(false);
  const MenuState m = menuState(w_);
  switch (position) {
    case 0:
      actions_.value(cmd::Save)->setEnabled(m.saveEnabled);
      actions_.value(cmd::TextOutput)
          ->setEnabled(w_.textOutput.dialog || handlers_.contains(cmd::TextOutput));
      actions_.value(cmd::Import)->setEnabled(w_.markEditorLauncher || handlers_.contains(cmd::Import));
      break;
    case 1:
      actions_.value(cmd::Undo)->setEnabled(m.undoEnabled);
      actions_.value(cmd::Redo)->setEnabled(m.redoEnabled);
      break;
    case 3:
      actions_.value(cmd::PrevSheet)->setEnabled(m.previousEnabled);
      actions_.value(cmd::FirstSheet)->setEnabled(m.previousEnabled);
      actions_.value(cmd::NextSheet)->setEnabled(m.nextEnabled);
      actions_.value(cmd::LastSheet)->setEnabled(m.nextEnabled);
      break;
    case 4:
      actions_.value(cmd::MarkNames)->setChecked(m.markNamesChecked);
      break;
  }
}

bool MainWindow::endEdit(bool cancel) {
  if (!view_) return true;
  if (cancel)
    view_->cancelEdit();
  else
    view_->commitEdit();
  return !view_->isEditing();
}

int MainWindow::runCommand(int id) {
  // A commit refused for text the workbook cannot store keeps the editor
  // open; no command may run under it, or its text would land elsewhere.
  if (!endEdit(false)) return -1;
  Q_EMIT commandStarted(id);
  if (const int entry = cmd::recentIndex(id); entry >= 0) return openRecent(w_, entry);
  switch (id) {
    case cmd::New:
      return newWorkbook(w_);
    case cmd::Open:
      return openWorkbook(w_);
    case cmd::Save:
      return saveCommand(w_);
    case cmd::SaveAs:
      saveAsCommand(w_);
      return 0;
    case cmd::Exit:
      close();
      return 0;
    case cmd::Undo:
      w_.undo();
      return 0;
    case cmd::Redo:
      w_.redo();
      return 0;
    case cmd::ColorDefault:
      defaultTextColor(w_);
      return 0;
    case cmd::ColorChange:
      changeTextColor(w_);
      return 0;
    case cmd::FontDefault:
      defaultTextFont(w_);
      return 0;
    case cmd::FontChange:
      changeTextFont(w_);
      return 0;
    case cmd::Import:
      // Its report may offer the mark editor, which needs its window.
      if (!w_.markEditorLauncher) break;
      return importWorkbook(w_);
    case cmd::TextOutput:
      // Without its dialog the command has nothing to show.
      if (!w_.textOutput.dialog) break;
      return textOutputCommand(w_);
    case cmd::Copy:
      return copySelectedWord(w_);
    case cmd::Paste:
      return pasteWord(w_);
    case cmd::DeleteWord:
      return deleteSelectedWord(w_);
    case cmd::DeleteSheet:
      return deleteCurrentSheet(w_);
    case cmd::WordAssist:
      return wordAssist(w_);
    case cmd::Idea:
      return toggleIdea(w_);
    case cmd::CreateA:
      return createSheet(w_, CreateKind::TypeA);
    case cmd::CreateB:
      return createSheet(w_, CreateKind::TypeB);
    case cmd::CreateC:
      return createSheet(w_, CreateKind::TypeC);
    case cmd::PrevSheet:
      return moveToSheet(w_, SheetMove::Previous);
    case cmd::NextSheet:
      return moveToSheet(w_, SheetMove::Next);
    case cmd::FirstSheet:
      return moveToSheet(w_, SheetMove::First);
    case cmd::LastSheet:
      return moveToSheet(w_, SheetMove::Last);
    case cmd::MarkNames:
      toggleMarkNames(w_);
      return 0;
    case cmd::Help:
      return openHelp(w_, toUtf8(QCoreApplication::applicationFilePath()));
    case cmd::HomePage:
      return openHomePage(w_);
    case cmd::About: {
      // Reached from the ヘルプ menu only: a program cannot add items to the
      // window manager's own title-bar menu on X11 or Wayland.
      AboutDialog about(this);
      about.exec();
      return 0;
    }
    case cmd::Guide:
      w_.shell.guideShown = w_.shell.guideShown + 1 == 2 ? 0 : w_.shell.guideShown + 1;
      w_.ui().repaint();
      return 0;
  }
  // Commands whose windows are registered by their owners.
  if (const auto handler = handlers_.find(id); handler != handlers_.end()) return (*handler)();
  return 0;
}

void MainWindow::setCommandHandler(int id, std::function<int()> handler) {
  handlers_.insert(id, std::move(handler));
  if (QAction* a = actions_.value(id)) a->setEnabled(true);
}

std::optional<FontRecord> MainWindow::chooseFont(const FontRecord& current) {
  return chooseFontRecord(this, current);
}

std::optional<uint32_t> MainWindow::chooseColor(uint32_t current) {
  const QColor c = QColorDialog::getColor(toQColor(current), this);
  if (!c.isValid()) return std::nullopt;
  return fromQColor(c);
}

void MainWindow::applyTextFont(const FontRecord& record) {
  if (view_) view_->setTextFont(toQFont(record));
}

void MainWindow::resizeEvent(QResizeEvent* event) {
  QMainWindow::resizeEvent(event);
  // The view fills the client area by the layout; an open edit ends.
  endEdit(false);
}

void MainWindow::changeEvent(QEvent* event) {
  QMainWindow::changeEvent(event);
  // After the activation has been delivered: a message box now would
  // otherwise open inside the window manager's focus change.
  if (event->type() == QEvent::ActivationChange && isActiveWindow())
    QTimer::singleShot(0, this, &MainWindow::lookAtFileOnDisk);
}

void MainWindow::lookAtFileOnDisk() {
  // Not under a dialog of ours, nor while the question it asks is open.
  if (lookingAtFile_ || QApplication::activeModalWidget() || !isActiveWindow()) return;
  if (view_ && view_->isEditing()) return;
  lookingAtFile_ = true;
  if (fileChangedOnActivation(w_)) reloadWorkbook(w_);
  lookingAtFile_ = false;
}

void MainWindow::closeEvent(QCloseEvent* event) {
  saveTextFont(w_);
  // Text that could not be stored stays in the editor: closing now would
  // lose it, so the close is abandoned like a cancelled save question.
  if (!endEdit(false) || confirmClose(w_) != 0) {
    event->ignore();
    return;
  }
  Q_EMIT closing();
  w_.clearAll();
  forgetFile(w_);
  recordWindowSizeOnClose(*this, settings_, SizedWindow::Main);
  event->accept();
}

}  // namespace tgc
