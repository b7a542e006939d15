#include "app/recoverykeeper.h"

#include <QDir>
#include <QStandardPaths>

#include "app/mainwindow.h"
#include "core/recoveryoffer.h"

namespace tgc {

RecoveryKeeper::RecoveryKeeper(MainWindow& window, const std::string& root, int intervalSeconds)
    : w_(window.docWnd()),
      root_(root),
      intervalSeconds_(intervalSeconds),
      session_(RecoverySession::create(root)) {
  writer_.setMaxThreadCount(1);
  connect(&timer_, &QTimer::timeout, this, &RecoveryKeeper::look);
  connect(&window, &MainWindow::closing, this, &RecoveryKeeper::closing);
}

RecoveryKeeper::~RecoveryKeeper() {
  timer_.stop();
  w_.doc.onClean = nullptr;
  writer_.waitForDone();
  // Ended without a close (the session ended, say): a copy stays to be
  // offered; a folder with nothing in it does not.
  if (session_ && !autosave_.hasCopy()) session_->close();
}

void RecoveryKeeper::start() {
  std::vector<LeftCopy> copies = claimLeftCopies(root_);
  if (!copies.empty()) {
    if (auto kept = offerLeftCopies(w_, copies, session_.get())) autosave_.adopt(std::move(*kept));
  }
  copies.clear();  // copies kept for later are let go
  if (w_.doc.modified == 0) autosave_.rememberClean(w_.doc);
  w_.doc.onClean = [this] { cleaned(); };
  if (session_ && intervalSeconds_ > 0) timer_.start(intervalSeconds_ * 1000);
}

std::string RecoveryKeeper::folder() const {
  return session_ ? session_->folder() : std::string();
}

void RecoveryKeeper::look() {
  if (session_) post(autosave_.look(w_.doc, w_.ports.clock.nowSeconds()));
}

void RecoveryKeeper::post(std::optional<AutosaveJob> job) {
  if (!job || !session_) return;
  const RecoverySession* session = session_.get();
  writer_.start([this, session, job = std::move(*job)] {
    if (job.kind == AutosaveJob::Kind::Remove) {
      session->removeCopy();
      return;
    }
    if (session->writeCopy(*job.workbook, job.record)) return;
    const uint64_t number = job.number;
    QMetaObject::invokeMethod(
        this, [this, number] { autosave_.writeFailed(number); }, Qt::QueuedConnection);
  });
}

void RecoveryKeeper::cleaned() {
  post(autosave_.cleaned());
  // The command that made the document clean may not have finished (New
  // creates its sheet afterwards): remember the clean workbook once it has.
  QTimer::singleShot(0, this, [this] {
    if (w_.doc.modified == 0) autosave_.rememberClean(w_.doc);
  });
}

void RecoveryKeeper::closing() {
  timer_.stop();
  w_.doc.onClean = nullptr;
  writer_.waitForDone();
  if (session_) session_->close();
  session_.reset();
}

std::string recoveryRoot() {
#if QT_VERSION >= QT_VERSION_CHECK(6, 7, 0)
  QString base = QStandardPaths::writableLocation(QStandardPaths::GenericStateLocation);
#else
  // Older Qt has no state location: the XDG rule it follows from 6.7 on.
  QString base = qEnvironmentVariable("XDG_STATE_HOME");
  if (base.isEmpty() || QDir::isRelativePath(base))
    base = QStandardPaths::writableLocation(QStandardPaths::HomeLocation) + QStringLiteral("/.local/state");
#endif
  return (base + QStringLiteral("/ThoughtGridCraft/recovery")).toStdString();
}

std::unique_ptr<RecoveryKeeper> startRecovery(MainWindow& window) {
  auto keeper = std::make_unique<RecoveryKeeper>(window, recoveryRoot(),
                                                 autosaveSeconds(window.docWnd().ports.settings));
  keeper->start();
  return keeper;
}

}  // namespace tgc
