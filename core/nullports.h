// Ports for driving the controller where nobody sits at a screen: the tgc
// tool and the benchmarks. Header-only, so a benchmark can use them without
// linking the tool.
#pragma once

#include <cstdint>
#include <optional>
#include <string>

#include "core/docwnd.h"
#include "core/ports.h"

namespace tgc {

// A UiPort without a window: messages are declined (OK where it is the only
// button, Cancel for a confirmation, No for a question), file dialogs are
// cancelled and window requests ignored.
class NoWindowUi : public UiPort {
 public:
  Answer message(MessageKind, const std::string&, Buttons buttons) override { return declined(buttons); }
  std::optional<std::string> chooseOpenFile(const FileDialogRequest&) override { return std::nullopt; }
  std::optional<std::string> chooseSaveFile(const FileDialogRequest&) override { return std::nullopt; }
  void repaint() override {}
  void setTitle(const std::string&) override {}
  void focusView() override {}
  void beginWait() override {}
  void endWait() override {}

  static Answer declined(Buttons buttons) {
    switch (buttons) {
      case Buttons::Ok:
        return Answer::Ok;
      case Buttons::OkCancel:
        return Answer::Cancel;
      case Buttons::YesNo:
      case Buttons::YesNoCancel:
        break;
    }
    return Answer::No;
  }
};

// Always the same reading.
class FixedClock : public ClockPort {
 public:
  explicit FixedClock(int64_t seconds = 0) : seconds_(seconds) {}
  int64_t nowSeconds() override { return seconds_; }

 private:
  int64_t seconds_;
};

// Every read yields the caller's default; writes are dropped.
class NoSettings : public SettingsPort {
 public:
  int readInt(const std::string&, const std::string&, int fallback) override { return fallback; }
  std::string readString(const std::string&, const std::string&, const std::string& fallback) override {
    return fallback;
  }
  void writeInt(const std::string&, const std::string&, int) override {}
  void writeString(const std::string&, const std::string&, const std::string&) override {}
};

// Always empty; what is copied is dropped.
class NoClipboard : public ClipboardPort {
 public:
  void setText(const std::string&) override {}
  ClipboardText text() override { return {}; }
};

// Opens nothing.
class NoShell : public ShellPort {
 public:
  bool open(const std::string&) override { return false; }
};

// The controller with the caller's ui and clock; settings, clipboard and
// shell do nothing.
struct HeadlessController {
  HeadlessController(UiPort& ui, ClockPort& clock) : w(Ports{ui, clock, settings, clipboard, shell}) {}
  HeadlessController(const HeadlessController&) = delete;
  HeadlessController& operator=(const HeadlessController&) = delete;

  NoSettings settings;
  NoClipboard clipboard;
  NoShell shell;
  DocWnd w;
};

}  // namespace tgc
