// The small interfaces through which the headless core reaches the person
// and the world. The Qt layer implements them; tests use scripted fakes.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace tgc {

enum class MessageKind { Warning, Information, Question, Confirmation, Plain };
enum class Buttons { Ok, YesNo, YesNoCancel, OkCancel };
enum class Answer { Ok, Cancel, Yes, No };

// A file-dialog filter in the "label|pattern|label|pattern||" form.
struct FileDialogRequest {
  std::string title;             // CP932, may be empty for the platform default
  std::string filter;            // CP932
  std::string defaultExtension;  // without the dot, e.g. "tgc"
  std::string initialName;       // file system encoding (UTF-8)
};

class UiPort {
 public:
  virtual ~UiPort() = default;

  // Message texts are CP932. Warning, Information and Plain show OK only.
  virtual Answer message(MessageKind kind, const std::string& text, Buttons buttons) = 0;
  // A chosen path in the file system's encoding, or nothing when cancelled.
  virtual std::optional<std::string> chooseOpenFile(const FileDialogRequest& request) = 0;
  virtual std::optional<std::string> chooseSaveFile(const FileDialogRequest& request) = 0;
  virtual void repaint() = 0;
  // Window titles are built from file names, so they are UTF-8.
  virtual void setTitle(const std::string& utf8Title) = 0;
  virtual void focusView() = 0;
  virtual void beginWait() = 0;
  virtual void endWait() = 0;

  // A file could not be read or written: `text` names the file and gives
  // the reason for the errno value `error` (core/fileerror.h). A window
  // shows the whole text; a console, which names the file itself, may show
  // the reason alone.
  virtual void fileWarning(const std::string& text, int error) {
    (void)error;
    warning(text);
  }

  void warning(const std::string& text) { message(MessageKind::Warning, text, Buttons::Ok); }
  void information(const std::string& text) { message(MessageKind::Information, text, Buttons::Ok); }
  void plain(const std::string& text) { message(MessageKind::Plain, text, Buttons::Ok); }
  Answer question(const std::string& text, bool withCancel) {
    return message(MessageKind::Question, text, withCancel ? Buttons::YesNoCancel : Buttons::YesNo);
  }
  Answer confirmation(const std::string& text) {
    return message(MessageKind::Confirmation, text, Buttons::OkCancel);
  }
  // A question whose buttons say what they do (CP932 labels, two or three):
  // Yes for the first, No for the second, Cancel for the third or a box
  // closed without an answer. Without labels of its own a port asks the
  // plain Yes/No(/Cancel) question.
  virtual Answer choose(const std::string& text, const std::vector<std::string>& labels) {
    return message(MessageKind::Question, text, labels.size() > 2 ? Buttons::YesNoCancel : Buttons::YesNo);
  }
};

// Shows the wait cursor for a scope.
class WaitCursor {
 public:
  explicit WaitCursor(UiPort& ui) : ui_(ui) { ui_.beginWait(); }
  ~WaitCursor() { ui_.endWait(); }
  WaitCursor(const WaitCursor&) = delete;
  WaitCursor& operator=(const WaitCursor&) = delete;

 private:
  UiPort& ui_;
};

class ClockPort {
 public:
  virtual ~ClockPort() = default;
  virtual int64_t nowSeconds() = 0;
};

// Per-user settings by section and value name. A missing value yields the
// caller's default. Strings are UTF-8 (paths, font faces).
class SettingsPort {
 public:
  virtual ~SettingsPort() = default;
  virtual int readInt(const std::string& section, const std::string& name, int fallback) = 0;
  virtual std::string readString(const std::string& section, const std::string& name,
                                 const std::string& fallback) = 0;
  virtual void writeInt(const std::string& section, const std::string& name, int value) = 0;
  virtual void writeString(const std::string& section, const std::string& name, const std::string& value) = 0;
};

// What the clipboard holds as plain text.
struct ClipboardText {
  std::string cp932;        // empty when it holds no text
  bool unstorable = false;  // text with characters CP932 cannot hold, never given half-converted
};

// Plain text on the clipboard, CP932.
class ClipboardPort {
 public:
  virtual ~ClipboardPort() = default;
  virtual void setText(const std::string& cp932) = 0;
  virtual ClipboardText text() = 0;
};

// Opens a file or web address with the desktop's default handler.
class ShellPort {
 public:
  virtual ~ShellPort() = default;
  virtual bool open(const std::string& fileOrUrl) = 0;
};

}  // namespace tgc
