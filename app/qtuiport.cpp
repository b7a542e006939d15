#include "app/qtuiport.h"

#include <QApplication>
#include <QClipboard>
#include <QDesktopServices>
#include <QElapsedTimer>
#include <QFileDialog>
#include <QFileInfo>
#include <QMessageBox>
#include <QPushButton>
#include <QStandardPaths>
#include <QUrl>
#include <ctime>

#include "app/dialogframe.h"
#include "app/filedialogcolumns.h"
#include "app/qtconvert.h"
#include "sheet/sheetview.h"

namespace tgc {

Answer QtUiPort::message(MessageKind kind, const std::string& text, Buttons buttons) {
  QMessageBox box(window_);
  box.setWindowTitle(QStringLiteral("ThoughtGridCraft"));
  box.setText(fromCp932(text));
  switch (kind) {
    case MessageKind::Warning:
      box.setIcon(QMessageBox::Warning);
      break;
    case MessageKind::Information:
      box.setIcon(QMessageBox::Information);
      break;
    case MessageKind::Question:
    case MessageKind::Confirmation:
      box.setIcon(QMessageBox::Question);
      break;
    case MessageKind::Plain:
      box.setIcon(QMessageBox::NoIcon);
      break;
  }
  // The first button is the default, as with the platform's message boxes.
  switch (buttons) {
    case Buttons::Ok:
      box.setStandardButtons(QMessageBox::Ok);
      box.setDefaultButton(QMessageBox::Ok);
      break;
    case Buttons::YesNo:
      box.setStandardButtons(QMessageBox::Yes | QMessageBox::No);
      box.setDefaultButton(QMessageBox::Yes);
      break;
    case Buttons::YesNoCancel:
      box.setStandardButtons(QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel);
      box.setDefaultButton(QMessageBox::Yes);
      break;
    case Buttons::OkCancel:
      box.setStandardButtons(QMessageBox::Ok | QMessageBox::Cancel);
      box.setDefaultButton(QMessageBox::Ok);
      break;
  }
  prepareMessageBox(box);
  switch (box.exec()) {
    case QMessageBox::Yes:
      return Answer::Yes;
    case QMessageBox::No:
      return Answer::No;
    case QMessageBox::Cancel:
      return Answer::Cancel;
    case QMessageBox::Ok:
      return Answer::Ok;
    default:
      // Closed without a button: the answer that changes nothing.
      return buttons == Buttons::Ok ? Answer::Ok : (buttons == Buttons::YesNo ? Answer::No : Answer::Cancel);
  }
}

Answer QtUiPort::choose(const std::string& text, const std::vector<std::string>& labels) {
  QMessageBox box(window_);
  box.setWindowTitle(QStringLiteral("ThoughtGridCraft"));
  box.setText(fromCp932(text));
  box.setIcon(QMessageBox::Question);
  // Buttons in the order given, the first the default; a third one, or the
  // close box, cancels.
  static const QMessageBox::ButtonRole roles[] = {QMessageBox::AcceptRole, QMessageBox::DestructiveRole,
                                                  QMessageBox::RejectRole};
  std::vector<QPushButton*> buttons;
  for (size_t i = 0; i < labels.size() && i < 3; ++i)
    buttons.push_back(box.addButton(fromCp932(labels[i]), roles[i]));
  if (buttons.empty()) return Answer::Cancel;
  box.setDefaultButton(buttons.front());
  box.setEscapeButton(buttons.back());
  prepareMessageBox(box);
  box.exec();
  const auto* clicked = box.clickedButton();
  if (clicked == buttons[0]) return Answer::Yes;
  if (buttons.size() > 1 && clicked == buttons[1]) return Answer::No;
  return buttons.size() > 2 ? Answer::Cancel : Answer::No;
}

QString qtNameFilters(const std::string& cp932Filter) {
  const QStringList parts = fromCp932(cp932Filter).split(QLatin1Char('|'));
  QStringList filters;
  for (qsizetype i = 0; i + 1 < parts.size(); i += 2) {
    const QString label = parts[i];
    if (label.isEmpty()) break;
    QString patterns = parts[i + 1];
    patterns.replace(QLatin1Char(';'), QLatin1Char(' '));
    // Qt reads the patterns from the label's last parentheses; labels such as
    // "ThoughtGridCraft(*.tgc)" already end in them.
    if (label.endsWith(QLatin1Char('(') + patterns + QLatin1Char(')')))
      filters << label;
    else
      filters << label + QStringLiteral(" (") + patterns + QLatin1Char(')');
  }
  return filters.join(QStringLiteral(";;"));
}

QString withDefaultExtension(const QString& path, const std::string& extension) {
  if (extension.empty() || path.isEmpty()) return path;
  if (!QFileInfo(path).fileName().contains(QLatin1Char('.')))
    return path + QLatin1Char('.') + fromUtf8(extension);
  return path;
}

namespace {

std::optional<std::string> runFileDialog(QWidget* parent, const FileDialogRequest& request, bool save) {
  QFileDialog dialog(parent, fromCp932(request.title));
  dialog.setAcceptMode(save ? QFileDialog::AcceptSave : QFileDialog::AcceptOpen);
  dialog.setFileMode(save ? QFileDialog::AnyFile : QFileDialog::ExistingFile);
  // Qt's own dialog adds the default extension before it asks about
  // overwriting; a native one would ask about the name as typed.
  if (save) dialog.setOption(QFileDialog::DontUseNativeDialog);
  dialog.setNameFilter(qtNameFilters(request.filter));
  if (!request.defaultExtension.empty()) dialog.setDefaultSuffix(fromUtf8(request.defaultExtension));
  if (!request.initialName.empty()) dialog.selectFile(fromUtf8(request.initialName));
  fitDateColumn(dialog);
  if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return std::nullopt;
  return toUtf8(withDefaultExtension(dialog.selectedFiles().constFirst(), request.defaultExtension));
}

}  // namespace

std::optional<std::string> QtUiPort::chooseOpenFile(const FileDialogRequest& request) {
  return runFileDialog(window_, request, false);
}

std::optional<std::string> QtUiPort::chooseSaveFile(const FileDialogRequest& request) {
  return runFileDialog(window_, request, true);
}

void QtUiPort::setView(SheetView* view) {
  view_ = view;
}

void QtUiPort::repaint() {
  if (view_) view_->refresh();
}

void QtUiPort::setTitle(const std::string& utf8Title) {
  if (window_) window_->setWindowTitle(fromUtf8(utf8Title));
}

void QtUiPort::focusView() {
  if (view_) view_->setFocus(Qt::OtherFocusReason);
}

void QtUiPort::beginWait() {
  QApplication::setOverrideCursor(Qt::WaitCursor);
}

void QtUiPort::endWait() {
  QApplication::restoreOverrideCursor();
}

QtSettingsStore::QtSettingsStore(std::unique_ptr<QSettings> settings) : settings_(std::move(settings)) {
  if (!settings_)
    settings_ =
        std::make_unique<QSettings>(QStringLiteral("ThoughtGridCraft"), QStringLiteral("ThoughtGridCraft"));
}

namespace {

QString key(const std::string& section, const std::string& name) {
  return fromUtf8(section) + QLatin1Char('/') + fromUtf8(name);
}

}  // namespace

int QtSettingsStore::readInt(const std::string& section, const std::string& name, int fallback) {
  const QVariant v = settings_->value(key(section, name));
  if (!v.isValid()) return fallback;
  bool ok = false;
  const int n = v.toInt(&ok);
  return ok ? n : fallback;
}

std::string QtSettingsStore::readString(const std::string& section, const std::string& name,
                                        const std::string& fallback) {
  const QVariant v = settings_->value(key(section, name));
  if (!v.isValid() || !v.canConvert<QString>()) return fallback;
  return toUtf8(v.toString());
}

void QtSettingsStore::writeInt(const std::string& section, const std::string& name, int value) {
  settings_->setValue(key(section, name), value);
}

void QtSettingsStore::writeString(const std::string& section, const std::string& name,
                                  const std::string& value) {
  settings_->setValue(key(section, name), fromUtf8(value));
}

void QtClipboard::setText(const std::string& cp932) {
  QApplication::clipboard()->setText(fromCp932(cp932));
}

ClipboardText QtClipboard::text() {
  QString t = QApplication::clipboard()->text();
  const qsizetype zero = t.indexOf(QChar(0));
  if (zero >= 0) t.truncate(zero);
  if (std::optional<std::string> cp932 = toCp932(t)) return {std::move(*cp932)};
  return {{}, true};
}

QtShell::~QtShell() {
  // An opener still running outlives the window quietly.
  for (const QPointer<QProcess>& p : running_)
    if (p) {
      p->disconnect();
      QObject::connect(p, &QProcess::finished, p, &QObject::deleteLater);
    }
}

bool QtShell::open(const std::string& fileOrUrl) {
  const QString s = fromUtf8(fileOrUrl);
  const QUrl url = s.contains(QStringLiteral("://")) ? QUrl(s) : QUrl::fromLocalFile(s);
  const QString opener = QStandardPaths::findExecutable(QStringLiteral("xdg-open"));
  if (opener.isEmpty()) return QDesktopServices::openUrl(url);

  auto* process = new QProcess;
  process->setProgram(opener);
  process->setArguments({url.isLocalFile() ? url.toLocalFile() : url.toString(QUrl::FullyEncoded)});
  process->setStandardOutputFile(QProcess::nullDevice());
  std::erase_if(running_, [](const QPointer<QProcess>& p) { return p.isNull(); });
  running_.emplace_back(process);
  QElapsedTimer clock;
  clock.start();
  QObject::connect(process, &QProcess::finished, process,
                   [this, process, clock](int code, QProcess::ExitStatus status) {
                     process->deleteLater();
                     // A browser that xdg-open runs in its foreground ends it
                     // much later with the browser's own status: only a quick
                     // failure is xdg-open's own "no browser".
                     constexpr qint64 kOpenerVerdictMs = 10000;
                     if ((status != QProcess::NormalExit || code != 0) &&
                         clock.elapsed() < kOpenerVerdictMs && lateFailure)
                       lateFailure();
                   });
  process->start();
  if (!process->waitForStarted()) {
    process->disconnect();
    process->deleteLater();
    return false;
  }
  return true;
}

int64_t SystemClock::nowSeconds() {
  return static_cast<int64_t>(std::time(nullptr));
}

}  // namespace tgc
