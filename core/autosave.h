// When the recovery copy of the workbook is written and when it goes.
//
// The program looks at the workbook once every interval. While the workbook
// has unsaved changes, a look serialises it and hands the bytes out to be
// written when they differ both from the last copy handed out and from the
// workbook as it was when it last became clean (saved, opened, new).
// Comparing bytes rather than counting commands catches every change, undo
// and redo and grouped editor changes included; a change made while a copy
// is being written differs from that copy, so the next look writes it.
#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <string>

#include "core/recoverystore.h"

namespace tgc {

class Document;
class SettingsPort;

// Work for the thread that writes: replace the copy, or remove it.
struct AutosaveJob {
  enum class Kind { Write, Remove };
  Kind kind = Kind::Write;
  std::shared_ptr<const std::string> workbook;  // Write: the whole file
  RecoveryRecord record;                        // Write
  uint64_t number = 0;                          // in the order handed out
};

inline constexpr int kDefaultAutosaveSeconds = 60;
inline constexpr int kMaxAutosaveSeconds = 24 * 60 * 60;
// "Recovery" / "AutosaveSeconds": 0 turns autosave off; a negative value is
// taken as the default; more than a day as a day.
int autosaveSeconds(SettingsPort& settings);

class Autosave {
 public:
  // One look at the document at `now` (seconds since the epoch).
  std::optional<AutosaveJob> look(const Document& doc, int64_t now);
  // The document became clean: the copy has nothing left to keep.
  std::optional<AutosaveJob> cleaned();
  // The document as it is clean, so a workbook undone back to it needs no copy.
  void rememberClean(const Document& doc);
  // A write failed: unless newer work was handed out since, the next look
  // writes again.
  void writeFailed(uint64_t number);
  // The copy in the folder now holds these bytes (a restored copy).
  void adopt(std::string bytes);
  bool hasCopy() const { return copy_; }

 private:
  std::optional<AutosaveJob> remove();

  std::shared_ptr<const std::string> written_;
  std::optional<std::string> clean_;
  bool copy_ = false;
  uint64_t handedOut_ = 0;
};

}  // namespace tgc
