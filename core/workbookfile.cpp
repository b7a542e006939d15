#include "core/workbookfile.h"

#include <fcntl.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <filesystem>
#include <unordered_set>

#include "core/cp932.h"
#include "core/cp932literal.h"
#include "core/document.h"
#include "core/fileio.h"
#include "core/ports.h"

namespace tgc {
namespace {

// Smallest stored size of each entry, so a count can be checked against the
// bytes left before anything is allocated for it.
constexpr size_t kMinWordBytes = 8;       // hasMemo, absent-text flag
constexpr size_t kMinSheetBytes = 4;      // box count
constexpr size_t kBoxBytes = 32;          // eight int32
constexpr size_t kMinMarkBytes = 32;      // id, three flags, four int32
constexpr size_t kMinMemoBytes = 8;       // word, absent-text flag
constexpr uint16_t kWidePrefix = 0xFFFE;  // UTF-16 text follows
constexpr uint16_t kLongPrefix = 0xFFFF;  // a 32-bit length follows

// ---- writing -------------------------------------------------------------

void putU16(std::string& o, uint16_t v) {
  const char b[2] = {static_cast<char>(v & 0xFF), static_cast<char>(v >> 8)};
  o.append(b, 2);
}

void putU32(std::string& o, uint32_t v) {
  const char b[4] = {static_cast<char>(v & 0xFF), static_cast<char>((v >> 8) & 0xFF),
                     static_cast<char>((v >> 16) & 0xFF), static_cast<char>(v >> 24)};
  o.append(b, 4);
}

void putI32(std::string& o, int32_t v) {
  putU32(o, static_cast<uint32_t>(v));
}

void putString(std::string& o, std::string_view s) {
  const size_t n = s.size();
  if (n < 0xFF) {
    o.push_back(static_cast<char>(n));
  } else if (n < kWidePrefix) {
    o.push_back('\xFF');
    putU16(o, static_cast<uint16_t>(n));
  } else {
    o.push_back('\xFF');
    putU16(o, kLongPrefix);
    putU32(o, static_cast<uint32_t>(n));
  }
  o.append(s);
}

void putOptionalString(std::string& o, const std::string& s) {
  if (s.empty()) {
    putI32(o, 0);
  } else {
    putI32(o, 1);
    putString(o, s);
  }
}

size_t estimateSize(const Workbook& wb) {
  size_t n = 64 + wb.sheets.size() * (4 + kBoxesPerSheet * kBoxBytes);
  for (const Word& w : wb.words) n += 16 + w.text.size();
  for (const CatalogMark& m : wb.marks) n += 48 + m.glyph.size() + m.name.size() + m.note.size();
  for (const IdeaMemo& m : wb.memos) n += 16 + m.text.size();
  return n;
}

// ---- reading -------------------------------------------------------------

// Reads little-endian values from a byte range; every read checks the bytes
// left, so a short or hostile file can end the load but never overrun.
class Reader {
 public:
  explicit Reader(std::string_view bytes) : bytes_(bytes) {}

  size_t remaining() const { return bytes_.size() - pos_; }

  bool u8(uint8_t& v) {
    if (remaining() < 1) return false;
    v = static_cast<uint8_t>(bytes_[pos_++]);
    return true;
  }
  bool u16(uint16_t& v) {
    if (remaining() < 2) return false;
    v = static_cast<uint16_t>(byte(0) | byte(1) << 8);
    pos_ += 2;
    return true;
  }
  bool u32(uint32_t& v) {
    if (remaining() < 4) return false;
    v = byte(0) | byte(1) << 8 | byte(2) << 16 | byte(3) << 24;
    pos_ += 4;
    return true;
  }
  bool i32(int32_t& v) {
    uint32_t u;
    if (!u32(u)) return false;
    v = static_cast<int32_t>(u);
    return true;
  }

  // A list count: refused when negative or when the bytes left cannot hold
  // that many entries of the smallest size.
  bool count(int32_t& n, size_t minEntryBytes) {
    if (!i32(n) || n < 0) return false;
    return static_cast<size_t>(n) <= remaining() / minEntryBytes;
  }

  bool string(std::string& s) {
    uint32_t length;
    bool wide = false;
    if (!prefix(length, &wide)) return false;
    if (!wide) return take(length, s);
    uint32_t units;
    if (!prefix(units, nullptr)) return false;
    if (units > remaining() / 2) return false;
    std::string utf16;
    take(units * size_t{2}, utf16);
    std::optional<std::string> text = utf16leToCp932(utf16);
    if (!text) return false;
    s = std::move(*text);
    return true;
  }

  // Only a flag of exactly 1 is followed by a string.
  bool optionalString(std::string& s) {
    int32_t flag;
    if (!i32(flag)) return false;
    s.clear();
    return flag != 1 || string(s);
  }

 private:
  uint32_t byte(size_t i) const { return static_cast<uint8_t>(bytes_[pos_ + i]); }

  // The length prefix. `wide` receives whether the UTF-16 marker was met;
  // where no marker is allowed (the second prefix of UTF-16 text) it fails.
  bool prefix(uint32_t& length, bool* wide) {
    uint8_t b;
    if (!u8(b)) return false;
    if (b != 0xFF) {
      length = b;
      return true;
    }
    uint16_t w;
    if (!u16(w)) return false;
    if (w == kLongPrefix) return u32(length);
    if (w == kWidePrefix) {
      if (!wide) return false;
      *wide = true;
      return true;
    }
    length = w;
    return true;
  }

  bool take(size_t n, std::string& s) {
    if (n > remaining()) return false;
    s.assign(bytes_.substr(pos_, n));
    pos_ += n;
    return true;
  }

  std::string_view bytes_;
  size_t pos_ = 0;
};

bool readWords(Reader& r, std::vector<Word>& words) {
  int32_t n;
  if (!r.count(n, kMinWordBytes)) return false;
  words.resize(static_cast<size_t>(n));
  for (Word& w : words)
    if (!r.i32(w.hasMemo) || !r.optionalString(w.text)) return false;
  return true;
}

bool readSheets(Reader& r, std::vector<Sheet>& sheets) {
  int32_t n;
  if (!r.count(n, kMinSheetBytes)) return false;
  sheets.resize(static_cast<size_t>(n));
  for (Sheet& s : sheets) {
    int32_t boxes;
    if (!r.count(boxes, kBoxBytes)) return false;
    s.boxes.resize(static_cast<size_t>(boxes));
    for (Box& b : s.boxes) {
      if (!r.i32(b.word) || !r.i32(b.mark) || !r.i32(b.idea) || !r.i32(b.spare) || !r.i32(b.assisted) ||
          !r.i32(b.column) || !r.i32(b.row) || !r.i32(b.sheetType))
        return false;
    }
  }
  return true;
}

bool readMarks(Reader& r, std::vector<CatalogMark>& marks) {
  int32_t n;
  if (!r.count(n, kMinMarkBytes)) return false;
  marks.resize(static_cast<size_t>(n));
  for (CatalogMark& m : marks) {
    if (!r.i32(m.id) || !r.optionalString(m.glyph) || !r.optionalString(m.name) ||
        !r.optionalString(m.note) || !r.i32(m.dormant) || !r.i32(m.deleteFlag) || !r.i32(m.attribute) ||
        !r.i32(m.sheetUsage))
      return false;
  }
  return true;
}

bool readMemos(Reader& r, std::vector<IdeaMemo>& memos) {
  int32_t n;
  if (!r.count(n, kMinMemoBytes)) return false;
  memos.resize(static_cast<size_t>(n));
  for (IdeaMemo& m : memos)
    if (!r.i32(m.word) || !r.optionalString(m.text)) return false;
  return true;
}

template <typename T>
void appendList(std::vector<T>& to, std::vector<T>&& from) {
  if (to.empty()) {
    to = std::move(from);
  } else {
    to.insert(to.end(), std::make_move_iterator(from.begin()), std::make_move_iterator(from.end()));
  }
}

// The first bytes of a file: at most 21 are looked at. `got` is how many
// were read; -1 with `error` set on a read error.
int readHead(const std::string& path, char (&head)[21], int& error) {
  const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
  if (fd < 0) {
    error = errno != 0 ? errno : EIO;
    return -1;
  }
  int got = 0;
  while (got < static_cast<int>(sizeof head)) {
    const ssize_t n = ::read(fd, head + got, sizeof head - got);
    if (n < 0) {
      if (errno == EINTR) continue;
      error = errno != 0 ? errno : EIO;
      ::close(fd);
      return -1;
    }
    if (n == 0) break;
    got += static_cast<int>(n);
  }
  ::close(fd);
  return got;
}

}  // namespace

std::string serializeWorkbook(const Workbook& wb) {
  std::string o;
  o.reserve(estimateSize(wb));
  putString(o, kWorkbookMagic);
  putI32(o, kWorkbookVersion);
  putI32(o, static_cast<int32_t>(wb.words.size()));
  for (const Word& w : wb.words) {
    putI32(o, w.hasMemo);
    putOptionalString(o, w.text);
  }
  putI32(o, static_cast<int32_t>(wb.sheets.size()));
  for (const Sheet& s : wb.sheets) {
    putI32(o, static_cast<int32_t>(s.boxes.size()));
    for (const Box& b : s.boxes) {
      for (int32_t v : {b.word, b.mark, b.idea, b.spare, b.assisted, b.column, b.row, b.sheetType})
        putI32(o, v);
    }
  }
  putI32(o, static_cast<int32_t>(wb.marks.size()));
  for (const CatalogMark& m : wb.marks) {
    putI32(o, m.id);
    putOptionalString(o, m.glyph);
    putOptionalString(o, m.name);
    putOptionalString(o, m.note);
    putI32(o, m.dormant);
    putI32(o, m.deleteFlag);
    putI32(o, m.attribute);
    putI32(o, m.sheetUsage);
  }
  putI32(o, static_cast<int32_t>(wb.memos.size()));
  for (const IdeaMemo& m : wb.memos) {
    putI32(o, m.word);
    putOptionalString(o, m.text);
  }
  putI32(o, wb.currentSheet);
  return o;
}

bool parseWorkbook(std::string_view bytes, Workbook& out) {
  Reader r(bytes);
  std::string magic;
  int32_t version;
  if (!r.string(magic) || magic != kWorkbookMagic) return false;
  if (!r.i32(version) || version != kWorkbookVersion) return false;
  Workbook read;
  int32_t currentSheet;
  if (!readWords(r, read.words) || !readSheets(r, read.sheets) || !readMarks(r, read.marks) ||
      !readMemos(r, read.memos) || !r.i32(currentSheet))
    return false;
  appendList(out.words, std::move(read.words));
  appendList(out.sheets, std::move(read.sheets));
  appendList(out.marks, std::move(read.marks));
  appendList(out.memos, std::move(read.memos));
  out.currentSheet = currentSheet;
  return true;
}

bool sheetsWellFormed(const Workbook& wb) {
  for (const Sheet& s : wb.sheets) {
    if (s.boxes.size() != static_cast<size_t>(kBoxesPerSheet)) return false;
    uint32_t seen = 0;
    for (const Box& b : s.boxes) {
      if (b.column < 0 || b.column >= kGridColumns || b.row < 0 || b.row >= kGridRows) return false;
      if (b.sheetType < TypeA || b.sheetType > TypeC) return false;
      const uint32_t bit = 1u << (b.row * kGridColumns + b.column);
      if (seen & bit) return false;
      seen |= bit;
    }
  }
  return true;
}

int repairReferences(Workbook& wb) {
  int repaired = 0;
  const int32_t wordCount = static_cast<int32_t>(wb.words.size());
  std::unordered_set<int32_t> markIds;
  for (const CatalogMark& m : wb.marks) markIds.insert(m.id);
  // A negative mark id would sort before the theme and idea marks when the
  // catalog is renumbered and take their ids: such a mark gets the first
  // free id above them, and its boxes go with it.
  std::unordered_map<int32_t, int32_t> movedIds;
  std::unordered_set<int32_t> takenIds;
  int32_t freeId = kIdeaMarkId + 1;
  for (CatalogMark& m : wb.marks) {
    if (m.id >= 0) continue;
    auto [it, fresh] = movedIds.try_emplace(m.id, 0);
    if (fresh) {
      while (markIds.count(freeId) || takenIds.count(freeId)) ++freeId;
      it->second = freeId;
      takenIds.insert(freeId);
    }
    m.id = it->second;
    ++repaired;
  }
  for (Sheet& s : wb.sheets) {
    for (Box& b : s.boxes) {
      if (b.word != -1 && (b.word < 0 || b.word >= wordCount)) {
        b.word = -1;
        ++repaired;
      }
      if (b.mark == -1) continue;  // no mark, whatever the catalog holds
      if (const auto moved = movedIds.find(b.mark); moved != movedIds.end()) {
        b.mark = moved->second;
      } else if (!markIds.count(b.mark)) {
        b.mark = -1;
        ++repaired;
      }
    }
  }
  // A dropped memo belonged to no word of the list, so no word's stored
  // hasMemo depended on it; the flags are left as stored.
  repaired += static_cast<int>(
      std::erase_if(wb.memos, [&](const IdeaMemo& m) { return m.word < 0 || m.word >= wordCount; }));
  if (wb.currentSheet < 0 || wb.currentSheet >= static_cast<int32_t>(wb.sheets.size())) {
    if (wb.currentSheet != 0) ++repaired;
    wb.currentSheet = 0;
  }
  return repaired;
}

bool readWorkbookBytes(std::string_view bytes, Workbook& out) {
  Workbook read;
  if (!parseWorkbook(bytes, read) || !sheetsWellFormed(read)) return false;
  repairReferences(read);
  out = std::move(read);
  return true;
}

int checkWorkbookFile(const std::string& path, UiPort& ui) {
  namespace fs = std::filesystem;
  if (path != untitledName()) {
    if (path.size() < kWorkbookExtension.size() ||
        path.compare(path.size() - kWorkbookExtension.size(), kWorkbookExtension.size(),
                     kWorkbookExtension) != 0) {
      ui.warning("拡張子が異なります。"_sj);
      return 1;
    }
  }
  std::error_code ec;
  const fs::file_status status = fs::status(path, ec);
  // Only a name that is not there is missing; a folder that may not be
  // looked into hides nothing from the reason.
  if (ec && ec.value() != ENOENT && ec.value() != ENOTDIR) {
    ui.fileWarning(readFailedText(path, ec.value()), ec.value());
    return 1;
  }
  if (!fs::is_regular_file(status)) {
    ui.warning("ファイルが存在しません。"_sj);
    return 1;
  }
  const uintmax_t size = fs::file_size(path, ec);
  if (ec) {
    ui.fileWarning(readFailedText(path, ec.value()), ec.value());
    return 1;
  }
  if (size == 0) {
    ui.warning("ファイルに形式データが存在しません。"_sj);
    return 1;
  }
  char head[21] = {};
  int error = 0;
  const int got = readHead(path, head, error);
  if (got < 0) {
    ui.fileWarning(readFailedText(path, error), error);
    return 1;
  }
  // The first byte, the magic's length prefix, is not looked at; bytes the
  // file does not have stay zero and so cannot match.
  if (std::memcmp(head + 1, kWorkbookMagic.data(), kWorkbookMagic.size()) != 0) {
    ui.warning("ファイル形式が違います。"_sj);
    return 1;
  }
  const int32_t version = static_cast<int32_t>(static_cast<uint32_t>(static_cast<uint8_t>(head[17])) |
                                               static_cast<uint32_t>(static_cast<uint8_t>(head[18])) << 8 |
                                               static_cast<uint32_t>(static_cast<uint8_t>(head[19])) << 16 |
                                               static_cast<uint32_t>(static_cast<uint8_t>(head[20])) << 24);
  // A file ending inside the version field has no version of ours either.
  if (got < static_cast<int>(sizeof head) || version != kWorkbookVersion) {
    ui.warning("ファイルバージョンが違います。"_sj);
    return 1;
  }
  return 0;
}

int saveWorkbook(Document& doc, UiPort& ui, int* error) {
  WaitCursor wait(ui);
  const std::string bytes = serializeWorkbook(doc.cur());
  return writeFileAtomically(doc.filePath, bytes, error) ? 0 : 1;
}

int loadWorkbook(Document& doc, int target, UiPort& ui, int* error) {
  WaitCursor wait(ui);
  if (target != kLoadOpen && target != kLoadImport) {
    if (error) *error = EINVAL;
    return 1;
  }
  std::string bytes;
  if (!readWholeFile(doc.filePath, bytes, error)) return 1;
  std::error_code ec;
  const std::filesystem::path full = std::filesystem::canonical(doc.filePath, ec);
  if (!ec) doc.filePath = full.string();
  Workbook read;
  if (!readWorkbookBytes(bytes, read)) {
    if (error) *error = kDamagedFile;
    return 1;
  }
  Workbook& slot = doc.slots[target == kLoadOpen ? 0 : kImportSlot];
  appendList(slot.words, std::move(read.words));
  appendList(slot.sheets, std::move(read.sheets));
  appendList(slot.marks, std::move(read.marks));
  appendList(slot.memos, std::move(read.memos));
  slot.currentSheet = read.currentSheet;
  return 0;
}

}  // namespace tgc
