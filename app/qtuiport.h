// The Qt side of the core's ports: message boxes and file dialogs, the
// settings store, the clipboard, the desktop shell and the clock.
#pragma once

#include <QPointer>
#include <QProcess>
#include <QSettings>
#include <QWidget>
#include <functional>
#include <memory>
#include <vector>

#include "core/ports.h"

namespace tgc {

class SheetView;

// Messages, file dialogs, repaint, title, focus and the wait cursor.
class QtUiPort : public UiPort {
 public:
  // The window that owns the dialogs and carries the title; the view that
  // repaints and takes the focus. Either may be set later.
  void setWindow(QWidget* window) { window_ = window; }
  void setView(SheetView* view);

  Answer message(MessageKind kind, const std::string& text, Buttons buttons) override;
  Answer choose(const std::string& text, const std::vector<std::string>& labels) override;
  std::optional<std::string> chooseOpenFile(const FileDialogRequest& request) override;
  std::optional<std::string> chooseSaveFile(const FileDialogRequest& request) override;
  void repaint() override;
  void setTitle(const std::string& utf8Title) override;
  void focusView() override;
  void beginWait() override;
  void endWait() override;

 private:
  QPointer<QWidget> window_;
  QPointer<SheetView> view_;
};

// "label|pattern|label|pattern||" as a Qt name filter list.
QString qtNameFilters(const std::string& cp932Filter);
// The chosen name with ".ext" appended when its file name has no extension.
QString withDefaultExtension(const QString& path, const std::string& extension);

// Settings in QSettings: section → group, value name → key.
class QtSettingsStore : public SettingsPort {
 public:
  // Takes ownership; by default the per-user store of the program.
  explicit QtSettingsStore(std::unique_ptr<QSettings> settings = nullptr);
  int readInt(const std::string& section, const std::string& name, int fallback) override;
  std::string readString(const std::string& section, const std::string& name,
                         const std::string& fallback) override;
  void writeInt(const std::string& section, const std::string& name, int value) override;
  void writeString(const std::string& section, const std::string& name, const std::string& value) override;
  QSettings& settings() { return *settings_; }

 private:
  std::unique_ptr<QSettings> settings_;
};

class QtClipboard : public ClipboardPort {
 public:
  void setText(const std::string& cp932) override;
  // The clipboard's plain text up to its first zero character, as CP932;
  // empty when there is none, flagged (never half converted) when CP932
  // cannot hold it.
  ClipboardText text() override;
};

// Opens through xdg-open where it exists, because only it knows whether a
// browser could be found and started, and it tells so by its exit status
// after open() has returned; such a failure goes to lateFailure. Without
// xdg-open, Qt's own launcher is used.
class QtShell : public ShellPort {
 public:
  ~QtShell() override;
  bool open(const std::string& fileOrUrl) override;
  std::function<void()> lateFailure;

 private:
  std::vector<QPointer<QProcess>> running_;
};

class SystemClock : public ClockPort {
 public:
  int64_t nowSeconds() override;
};

}  // namespace tgc
