#include "core/recoverystore.h"

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <atomic>
#include <cerrno>
#include <charconv>
#include <chrono>
#include <filesystem>

#include "core/fileio.h"

namespace tgc {
namespace {

namespace fs = std::filesystem;

constexpr std::string_view kHeader = "ThoughtGridCraft recovery 1";
const char* const kLockName = "lock";
const char* const kCopyName = "workbook.tgc";
const char* const kRecordName = "record";

std::string inFolder(const std::string& folder, const char* name) {
  return (fs::path(folder) / name).string();
}

// Opens (creating) the folder's lock file and takes the lock without waiting.
FolderLock tryLock(const std::string& folder) {
  const std::string path = inFolder(folder, kLockName);
  const int fd = ::open(path.c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0600);
  if (fd < 0) return FolderLock();
  if (::flock(fd, LOCK_EX | LOCK_NB) != 0) {
    ::close(fd);
    return FolderLock();
  }
  return FolderLock(fd);
}

void removeFolder(const std::string& folder) {
  std::error_code ec;
  ::unlink(inFolder(folder, kCopyName).c_str());
  ::unlink(inFolder(folder, kRecordName).c_str());
  for (const auto& entry : fs::directory_iterator(folder, ec))
    if (entry.path().filename() != kLockName) fs::remove_all(entry.path(), ec);
  ::unlink(inFolder(folder, kLockName).c_str());
  ::rmdir(folder.c_str());
}

std::string escapePath(std::string_view path) {
  std::string out;
  for (char c : path) {
    if (c == '\\')
      out += "\\\\";
    else if (c == '\n')
      out += "\\n";
    else
      out += c;
  }
  return out;
}

std::optional<std::string> unescapePath(std::string_view text) {
  std::string out;
  for (size_t i = 0; i < text.size(); ++i) {
    if (text[i] != '\\') {
      out += text[i];
      continue;
    }
    if (++i == text.size()) return std::nullopt;
    if (text[i] == '\\')
      out += '\\';
    else if (text[i] == 'n')
      out += '\n';
    else
      return std::nullopt;
  }
  return out;
}

}  // namespace

std::string formatRecoveryRecord(const RecoveryRecord& record) {
  std::string out(kHeader);
  out += "\ntime=";
  out += std::to_string(record.savedAt);
  out += "\npath=";
  out += escapePath(record.originalPath);
  out += '\n';
  return out;
}

std::optional<RecoveryRecord> parseRecoveryRecord(std::string_view text) {
  RecoveryRecord r;
  bool header = false, time = false, path = false;
  while (!text.empty()) {
    const size_t end = text.find('\n');
    if (end == std::string_view::npos) return std::nullopt;  // cut short
    const std::string_view line = text.substr(0, end);
    text.remove_prefix(end + 1);
    if (!header) {
      if (line != kHeader) return std::nullopt;
      header = true;
    } else if (line.starts_with("time=")) {
      const std::string_view v = line.substr(5);
      const auto [p, ec] = std::from_chars(v.data(), v.data() + v.size(), r.savedAt);
      if (ec != std::errc() || p != v.data() + v.size()) return std::nullopt;
      time = true;
    } else if (line.starts_with("path=")) {
      auto v = unescapePath(line.substr(5));
      if (!v) return std::nullopt;
      r.originalPath = std::move(*v);
      path = true;
    }
  }
  if (!header || !time || !path) return std::nullopt;
  return r;
}

FolderLock& FolderLock::operator=(FolderLock&& other) noexcept {
  if (this != &other) {
    if (fd_ >= 0) ::close(fd_);
    fd_ = other.fd_;
    other.fd_ = -1;
  }
  return *this;
}

FolderLock::~FolderLock() {
  if (fd_ >= 0) ::close(fd_);
}

std::unique_ptr<RecoverySession> RecoverySession::create(const std::string& root) {
  std::error_code ec;
  fs::create_directories(root, ec);
  // The copies hold the user's words: nobody else may read them.
  fs::permissions(root, fs::perms::owner_all, ec);
  static std::atomic<unsigned> counter{0};
  const auto ms = std::chrono::duration_cast<std::chrono::milliseconds>(
                      std::chrono::system_clock::now().time_since_epoch())
                      .count();
  for (int attempt = 0; attempt < 20; ++attempt) {
    std::string name = std::to_string(::getpid());
    name += '-';
    name += std::to_string(ms);
    name += '-';
    name += std::to_string(counter.fetch_add(1));
    const std::string folder = (fs::path(root) / name).string();
    if (::mkdir(folder.c_str(), 0700) != 0) {
      if (errno == EEXIST) continue;
      return nullptr;
    }
    // A program starting at this moment may have taken the new lock file
    // for a dead program's; it then removes the folder, and we take another.
    FolderLock lock = tryLock(folder);
    if (lock.held()) return std::unique_ptr<RecoverySession>(new RecoverySession(folder, std::move(lock)));
  }
  return nullptr;
}

std::string RecoverySession::copyPath() const {
  return inFolder(folder_, kCopyName);
}

bool RecoverySession::writeCopy(std::string_view workbook, const RecoveryRecord& record) const {
  return writeFileAtomically(inFolder(folder_, kRecordName), formatRecoveryRecord(record)) &&
         writeFileAtomically(copyPath(), workbook);
}

void RecoverySession::removeCopy() const {
  ::unlink(copyPath().c_str());
  ::unlink(inFolder(folder_, kRecordName).c_str());
}

void RecoverySession::close() {
  if (!lock_.held()) return;
  removeFolder(folder_);
  lock_ = FolderLock();
}

std::vector<LeftCopy> claimLeftCopies(const std::string& root) {
  std::vector<LeftCopy> out;
  std::error_code ec;
  for (const auto& entry : fs::directory_iterator(root, ec)) {
    const std::string name = entry.path().filename().string();
    if (name.empty() || name[0] == '.' || !entry.is_directory(ec)) continue;
    const std::string folder = entry.path().string();
    FolderLock lock = tryLock(folder);
    if (!lock.held()) continue;  // its program is running
    std::string text;
    struct stat st;
    if (::stat(inFolder(folder, kCopyName).c_str(), &st) != 0 || !S_ISREG(st.st_mode)) {
      removeFolder(folder);  // it ended with nothing unsaved
      continue;
    }
    LeftCopy copy{folder, {}, std::move(lock)};
    // The record is written before every copy; should it still be unreadable,
    // the copy is offered as untitled, dated by the file.
    std::optional<RecoveryRecord> record;
    if (readWholeFile(inFolder(folder, kRecordName), text)) record = parseRecoveryRecord(text);
    copy.record = record.value_or(RecoveryRecord{"", static_cast<int64_t>(st.st_mtime)});
    out.push_back(std::move(copy));
  }
  std::sort(out.begin(), out.end(), [](const LeftCopy& a, const LeftCopy& b) {
    if (a.record.savedAt != b.record.savedAt) return a.record.savedAt > b.record.savedAt;
    return a.folder > b.folder;
  });
  return out;
}

bool readLeftCopy(const LeftCopy& copy, std::string& bytes) {
  return readWholeFile(inFolder(copy.folder, kCopyName), bytes);
}

void removeLeftCopy(LeftCopy& copy) {
  removeFolder(copy.folder);
  copy.lock = FolderLock();
}

}  // namespace tgc
