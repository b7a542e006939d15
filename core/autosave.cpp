#include "core/autosave.h"

#include <algorithm>

#include "core/document.h"
#include "core/ports.h"
#include "core/workbookfile.h"

namespace tgc {

int autosaveSeconds(SettingsPort& settings) {
  const int seconds = settings.readInt("Recovery", "AutosaveSeconds", kDefaultAutosaveSeconds);
  if (seconds < 0) return kDefaultAutosaveSeconds;
  return std::min(seconds, kMaxAutosaveSeconds);
}

std::optional<AutosaveJob> Autosave::look(const Document& doc, int64_t now) {
  if (doc.modified != 1) return copy_ ? remove() : std::nullopt;
  std::string bytes = serializeWorkbook(doc.cur());
  if (clean_ && bytes == *clean_) return copy_ ? remove() : std::nullopt;
  if (written_ && bytes == *written_) return std::nullopt;
  written_ = std::make_shared<const std::string>(std::move(bytes));
  copy_ = true;
  AutosaveJob job;
  job.workbook = written_;
  job.record.originalPath = doc.filePath == untitledName() ? std::string() : doc.filePath;
  job.record.savedAt = now;
  job.number = ++handedOut_;
  return job;
}

std::optional<AutosaveJob> Autosave::cleaned() {
  clean_.reset();
  written_.reset();
  return copy_ ? remove() : std::nullopt;
}

void Autosave::rememberClean(const Document& doc) {
  clean_ = serializeWorkbook(doc.cur());
}

void Autosave::writeFailed(uint64_t number) {
  if (number == handedOut_) written_.reset();
}

void Autosave::adopt(std::string bytes) {
  written_ = std::make_shared<const std::string>(std::move(bytes));
  copy_ = true;
}

std::optional<AutosaveJob> Autosave::remove() {
  copy_ = false;
  written_.reset();
  AutosaveJob job;
  job.kind = AutosaveJob::Kind::Remove;
  job.number = ++handedOut_;
  return job;
}

}  // namespace tgc
