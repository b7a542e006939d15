// Shared pieces of the tgc command-line tool: exit codes, a console
// implementation of the core's UiPort, and console text conversion. The
// other ports, and the controller built on them, are in core/nullports.h.
//
// The tool's sources are UTF-8 (they are not compiled to CP932 like the
// core), so their own messages are UTF-8; texts from the core arrive as
// CP932 and are converted before they reach the console.
#pragma once

#include <optional>
#include <string>

#include "core/nullports.h"

namespace tgc {
class Document;
}

namespace tgc::cli {

inline constexpr int kExitOk = 0;
inline constexpr int kExitFailure = 1;  // the command ran and failed
inline constexpr int kExitUsage = 2;    // the command line was wrong

// A UiPort for a console without a person at it: messages go to stderr as
// UTF-8 lines and are declined like NoWindowUi's; file dialogs are
// cancelled, and window requests are ignored. Each message is preceded by
// `prefix` (UTF-8), for example the file it is about.
class ConsoleUi : public NoWindowUi {
 public:
  Answer message(MessageKind kind, const std::string& text, Buttons buttons) override;
  // The reason alone: the prefix names the file, so a failure is one line.
  void fileWarning(const std::string& text, int error) override;

  int messageCount = 0;
  std::string prefix;
};

// CP932 text as UTF-8 for the console; bytes that are no CP932 text are
// shown as \xNN escapes so nothing is lost or garbled.
std::string consoleText(const std::string& cp932);

// Writes one UTF-8 line to stderr.
void printError(const std::string& utf8);

// The failure of one step on a file: "PATH: STEP: reason" on stderr, the
// path as given, the reason that of fileErrorReason (an errno value or
// kDamagedFile).
void printFileError(const std::string& path, const std::string& step, int error);

// Step names of those lines.
inline constexpr const char* kStepCheck = "検査";
inline constexpr const char* kStepRead = "読み込み";
inline constexpr const char* kStepWrite = "書き込み";

// Opens FILE into doc as the program does: the pre-read check (its messages
// on stderr after "FILE: 検査: "), then the full load. When `out` is given,
// an OUT that is FILE itself is refused between the two, before anything is
// read. False after a line on stderr naming the file, the step and why.
bool openWorkbook(const std::string& file, Document& doc, ConsoleUi& ui, const std::string& out = {});

// Lower-case hexadecimal of the bytes, and back (nullopt for bad digits or
// an odd length).
std::string toHex(const std::string& bytes);
std::optional<std::string> fromHex(const std::string& hex);

}  // namespace tgc::cli
