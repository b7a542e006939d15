// Scripted fakes of the core's ports. FakeUi records every message with its
// kind and exact text and answers questions from a queue the test fills; a
// question nobody scripted fails the test.
#pragma once

#include <deque>
#include <map>
#include <optional>
#include <string>
#include <vector>

#include "core/docwnd.h"
#include "core/ports.h"

namespace tgc::test {

struct RecordedMessage {
  MessageKind kind;
  std::string text;  // CP932
  Buttons buttons;
};

class FakeUi : public UiPort {
 public:
  Answer message(MessageKind kind, const std::string& text, Buttons buttons) override;
  std::optional<std::string> chooseOpenFile(const FileDialogRequest& request) override;
  std::optional<std::string> chooseSaveFile(const FileDialogRequest& request) override;
  void repaint() override { ++repaints; }
  void setTitle(const std::string& utf8Title) override { title = utf8Title; }
  void focusView() override { ++focusRequests; }
  void beginWait() override {
    ++waitDepth;
    ++waitCount;
  }
  void endWait() override { --waitDepth; }

  // Answers for questions and confirmations, in order.
  std::deque<Answer> answers;
  // Answers for file choosers, in order; nullopt means cancelled.
  std::deque<std::optional<std::string>> files;

  std::vector<RecordedMessage> messages;
  std::vector<FileDialogRequest> fileRequests;
  std::string title;
  int repaints = 0;
  int focusRequests = 0;
  int waitDepth = 0;
  int waitCount = 0;

  // The texts of all messages so far, in order.
  std::vector<std::string> texts() const;
  void clearRecord();
};

class FakeClock : public ClockPort {
 public:
  int64_t nowSeconds() override {
    ++reads;
    if (!script.empty()) {
      now = script.front();
      script.pop_front();
    }
    return now;
  }
  int64_t now = 1000;
  std::deque<int64_t> script;  // values for the next reads; then `now` stays
  int reads = 0;
};

class FakeSettings : public SettingsPort {
 public:
  int readInt(const std::string& section, const std::string& name, int fallback) override;
  std::string readString(const std::string& section, const std::string& name,
                         const std::string& fallback) override;
  void writeInt(const std::string& section, const std::string& name, int value) override;
  void writeString(const std::string& section, const std::string& name, const std::string& value) override;
  std::map<std::pair<std::string, std::string>, std::string> values;
};

class FakeClipboard : public ClipboardPort {
 public:
  void setText(const std::string& cp932) override { content = cp932; }
  ClipboardText text() override { return {content.value_or(""), unstorable}; }
  std::optional<std::string> content;
  bool unstorable = false;  // stands for text CP932 cannot hold
};

class FakeShell : public ShellPort {
 public:
  bool open(const std::string& fileOrUrl) override {
    opened.push_back(fileOrUrl);
    return succeed;
  }
  std::vector<std::string> opened;
  bool succeed = true;
};

// A controller wired to fresh fakes.
struct Rig {
  FakeUi ui;
  FakeClock clock;
  FakeSettings settings;
  FakeClipboard clipboard;
  FakeShell shell;
  DocWnd w{Ports{ui, clock, settings, clipboard, shell}};
};

}  // namespace tgc::test
