// The main window: the menu bar of the command table, the sheet view over
// the whole client area, the window title and the close sequence. It owns
// the controller and the Qt implementations of its ports.
#pragma once

#include <QMainWindow>
#include <QMap>
#include <functional>
#include <memory>

#include "app/appstate.h"
#include "app/qtuiport.h"
#include "core/docwnd.h"

class QMenu;
class QAction;

namespace tgc {

class SheetView;
class KeyRouter;

class MainWindow : public QMainWindow, public AppWindowPort {
  Q_OBJECT
 public:
  // The settings store defaults to the program's per-user store; tests pass
  // one of their own.
  explicit MainWindow(std::unique_ptr<QSettings> settings = nullptr, QWidget* parent = nullptr);
  ~MainWindow() override;

  // Document start-up, then the workbook named on the command line (if any).
  void startUp(const std::string& commandLinePath = {});

  DocWnd& docWnd() { return w_; }
  SheetView* view() const { return view_; }
  QAction* action(int id) const { return actions_.value(id); }
  // Top-level menu by position: 0 ファイル ... 5 ヘルプ.
  QMenu* topMenu(int position) const;

  // Runs a command of the command table; the result of its operation.
  int runCommand(int id);
  // Registers the operation of a command whose window lives elsewhere (word
  // list, idea memo, mark editor, text output, import) and enables its item.
  void setCommandHandler(int id, std::function<int()> handler);
  // Ends an open in-place edit, committing or cancelling it. False when the
  // editor is still open because its text could not be stored.
  bool endEdit(bool cancel);

  // AppWindowPort
  void setRecentMenu(const std::vector<RecentMenuItem>& items) override;
  std::optional<FontRecord> chooseFont(const FontRecord& current) override;
  std::optional<uint32_t> chooseColor(uint32_t current) override;
  void applyTextFont(const FontRecord& record) override;

 Q_SIGNALS:
  // A command of the command table is about to run, from a menu item or a key.
  void commandStarted(int id);
  // The close went ahead: the workbook is about to be released.
  void closing();

 protected:
  void closeEvent(QCloseEvent* event) override;
  void changeEvent(QEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;

 private:
  void buildMenus();
  QAction* addCommand(QMenu* menu, const QString& text, int id);
  void refreshMenu(int position);
  // On activation: the workbook's file changed on disk is told (or reloaded).
  void lookAtFileOnDisk();

  QtUiPort ui_;
  SystemClock clock_;
  QtSettingsStore settings_;
  QtClipboard clipboard_;
  QtShell shell_;
  DocWnd w_;
  SheetView* view_ = nullptr;
  std::unique_ptr<KeyRouter> keys_;
  QMap<int, QAction*> actions_;
  QMap<int, std::function<int()>> handlers_;
  QList<QMenu*> menus_;
  QMenu* fileMenu_ = nullptr;
  QAction* recentEnd_ = nullptr;  // the separator after the recent-file block
  QList<QAction*> recentItems_;
  bool lookingAtFile_ = false;
};

}  // namespace tgc
