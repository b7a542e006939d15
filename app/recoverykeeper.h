// Autosave of the main window's workbook into the per-user recovery folder,
// and the start-up offer of the copies that programs which ended abnormally
// left there. The decisions are the core's (core/autosave.h,
// core/recoveryoffer.h); this supplies the timer, the writing thread and the
// folder.
#pragma once

#include <QObject>
#include <QThreadPool>
#include <QTimer>
#include <memory>
#include <optional>
#include <string>

#include "core/autosave.h"

namespace tgc {

class DocWnd;
class MainWindow;

class RecoveryKeeper : public QObject {
 public:
  // Makes this program's own locked folder under `root`. An interval of 0
  // seconds writes no copies; left copies are offered all the same.
  RecoveryKeeper(MainWindow& window, const std::string& root, int intervalSeconds);
  ~RecoveryKeeper() override;

  // Offers the copies left behind, then looks at the workbook every interval.
  void start();
  // One look, as the timer makes it: the workbook is serialised here, on the
  // thread of the window, and written on the writing thread.
  void look();
  // Waits until everything handed to the writing thread is done.
  void drain() { writer_.waitForDone(); }
  // This program's folder; empty when it could not be made.
  std::string folder() const;

 private:
  void post(std::optional<AutosaveJob> job);
  void cleaned();
  void closing();

  DocWnd& w_;
  std::string root_;
  int intervalSeconds_;
  std::unique_ptr<RecoverySession> session_;
  Autosave autosave_;
  QTimer timer_;
  // One thread, so the jobs run in the order they were handed out: a removal
  // never overtakes the write before it.
  QThreadPool writer_;
};

// $XDG_STATE_HOME/ThoughtGridCraft/recovery, by default under ~/.local/state.
std::string recoveryRoot();

// Autosave for the window with the interval of the settings, after the offer
// of left copies. Run once the window has done its start-up.
std::unique_ptr<RecoveryKeeper> startRecovery(MainWindow& window);

}  // namespace tgc
