#include "windows/finder.h"

#include <algorithm>
#include <climits>
#include <cstring>

#include "core/cp932literal.h"
#include "core/docwnd.h"
#include "core/textfold.h"

namespace tgc {
namespace {

std::vector<std::string> splitLines(const std::string& text) {
  std::vector<std::string> lines(1);
  for (size_t i = 0; i < text.size(); ++i) {
    const char c = text[i];
    if (c == '\r' || c == '\n') {
      if (c == '\r' && i + 1 < text.size() && text[i + 1] == '\n') ++i;
      lines.emplace_back();
    } else {
      lines.back() += c;
    }
  }
  return lines;
}

// Calls found(piece) for each piece that holds the needle, in order;
// found returns the piece to go on from.
template <class Found>
void scan(const std::string& text, const std::vector<size_t>& starts, const std::string& needle,
          Found found) {
  size_t pos = 0;
  while (pos < text.size()) {
    const void* p = memmem(text.data() + pos, text.size() - pos, needle.data(), needle.size());
    if (!p) return;
    const auto at = static_cast<size_t>(static_cast<const char*>(p) - text.data());
    const size_t piece =
        static_cast<size_t>(std::upper_bound(starts.begin(), starts.end(), at) - starts.begin()) - 1;
    const size_t next = found(piece);
    if (next >= starts.size()) return;
    pos = starts[next];
  }
}

}  // namespace

void Finder::Pieces::add(const std::string& piece) {
  if (!starts.empty()) text += '\0';
  starts.push_back(text.size());
  text += piece;
}

Finder::Finder(const Workbook& wb) : wb_(wb) {
  for (const Word& word : wb.words) {
    const std::u32string text = decodeCp932(word.text);
    exactWords_.add(encodeUtf8(text));
    foldedWords_.add(encodeUtf8(foldText(text)));
  }

  const int32_t wordCount = static_cast<int32_t>(wb.words.size());
  for (size_t s = 0; s < wb.sheets.size(); ++s) {
    const size_t first = boxes_.size();
    for (const Box& b : wb.sheets[s].boxes)
      if (b.word >= 0 && b.word < wordCount)
        boxes_.push_back({static_cast<int32_t>(s), b.column, b.row, b.word, b.idea == 1});
    std::stable_sort(boxes_.begin() + static_cast<std::ptrdiff_t>(first), boxes_.end(),
                     [](const PreparedBox& a, const PreparedBox& b) {
                       return a.row != b.row ? a.row < b.row : a.column < b.column;
                     });
  }

  // A memo is listed under the first idea that shows its word; failing
  // that, under the first box that shows it.
  std::vector<int> firstIdea(wb.words.size(), -1), firstBox(wb.words.size(), -1);
  for (size_t i = 0; i < boxes_.size(); ++i) {
    const PreparedBox& p = boxes_[i];
    if (firstBox[p.word] < 0) firstBox[p.word] = static_cast<int>(i);
    if (firstIdea[p.word] < 0 && p.idea) firstIdea[p.word] = static_cast<int>(i);
  }

  memos_.resize(wb.memos.size());
  for (size_t m = 0; m < wb.memos.size(); ++m) {
    PreparedMemo& p = memos_[m];
    p.lines = splitLines(wb.memos[m].text);
    p.firstLine = lineMemo_.size();
    for (const std::string& line : p.lines) {
      const std::u32string text = decodeCp932(line);
      exactLines_.add(encodeUtf8(text));
      foldedLines_.add(encodeUtf8(foldText(text)));
      lineMemo_.push_back(m);
    }
    const int32_t word = wb.memos[m].word;
    if (word >= 0 && word < wordCount) p.anchor = firstIdea[word] >= 0 ? firstIdea[word] : firstBox[word];
    memosByAnchor_.push_back(m);
  }
  std::stable_sort(memosByAnchor_.begin(), memosByAnchor_.end(), [this](size_t a, size_t b) {
    const int ka = memos_[a].anchor < 0 ? INT_MAX : memos_[a].anchor;
    const int kb = memos_[b].anchor < 0 ? INT_MAX : memos_[b].anchor;
    return ka < kb;
  });
}

void Finder::search(std::string_view text, bool exact) {
  hits_.clear();
  boxHits_ = memoHits_ = 0;
  searched_ = !text.empty();
  if (!searched_) return;
  const std::u32string decoded = decodeUtf8(text);
  const std::string needle = encodeUtf8(exact ? decoded : foldText(decoded));

  if (needle.find('\0') != std::string::npos) return;  // it would match across pieces

  const Pieces& words = exact ? exactWords_ : foldedWords_;
  std::vector<char> wordFound(wb_.words.size());
  scan(words.text, words.starts, needle, [&](size_t word) {
    wordFound[word] = 1;
    return word + 1;
  });

  // A memo's first line that holds the text; the search goes on with the
  // next memo.
  const Pieces& lines = exact ? exactLines_ : foldedLines_;
  std::vector<int> memoLine(memos_.size(), -1);
  scan(lines.text, lines.starts, needle, [&](size_t line) {
    const size_t m = lineMemo_[line];
    memoLine[m] = static_cast<int>(line - memos_[m].firstLine);
    return memos_[m].firstLine + memos_[m].lines.size();
  });

  size_t next = 0;
  auto memosAt = [&](int anchor) {
    for (; next < memosByAnchor_.size() && memos_[memosByAnchor_[next]].anchor == anchor; ++next)
      if (const size_t m = memosByAnchor_[next]; memoLine[m] >= 0)
        addMemoHit(m, static_cast<size_t>(memoLine[m]));
  };
  for (size_t i = 0; i < boxes_.size(); ++i) {
    const PreparedBox& p = boxes_[i];
    if (wordFound[p.word]) {
      FindHit hit;
      hit.sheet = p.sheet;
      hit.column = p.column;
      hit.row = p.row;
      hit.word = p.word;
      hits_.push_back(std::move(hit));
      ++boxHits_;
    }
    memosAt(static_cast<int>(i));
  }
  memosAt(-1);
}

void Finder::addMemoHit(size_t memo, size_t line) {
  const PreparedMemo& p = memos_[memo];
  FindHit hit;
  hit.kind = FindHit::Kind::Memo;
  if (p.anchor >= 0) {
    const PreparedBox& box = boxes_[static_cast<size_t>(p.anchor)];
    hit.sheet = box.sheet;
    hit.column = box.column;
    hit.row = box.row;
  }
  hit.word = wb_.memos[memo].word;
  hit.memo = static_cast<int32_t>(memo);
  hit.line = p.lines[line];
  hits_.push_back(std::move(hit));
  ++memoHits_;
}

std::string Finder::sheetText(int row) const {
  if (!validRow(row) || hits_[row].sheet < 0) return {};
  return std::to_string(hits_[row].sheet + 1);
}

std::string Finder::positionText(int row) const {
  if (!validRow(row) || hits_[row].sheet < 0) return {};
  const FindHit& hit = hits_[row];
  std::string text;
  for (const Box& b : wb_.sheets[hit.sheet].boxes)
    if (b.column == hit.column && b.row == hit.row) {
      if (const CatalogMark* mark = wb_.findMark(b.mark); mark && !mark->glyph.empty())
        text = mark->glyph + " ";
      break;
    }
  return text + std::to_string(hit.row + 1) + "行"_sj + std::to_string(hit.column + 1) + "列"_sj;
}

std::string Finder::wordText(int row) const {
  if (!validRow(row)) return {};
  const FindHit& hit = hits_[row];
  if (hit.kind == FindHit::Kind::Box) return wb_.wordText(hit.word);
  return wb_.wordText(hit.word) + "のメモ: "_sj + hit.line;
}

std::string Finder::summary() const {
  if (!searched_) return {};
  if (hits_.empty()) return "見つかりませんでした。"_sj;
  std::string text;
  if (boxHits_ > 0) text += "語句 "_sj + std::to_string(boxHits_) + " 件"_sj;
  if (boxHits_ > 0 && memoHits_ > 0) text += "、"_sj;
  if (memoHits_ > 0) text += "メモ "_sj + std::to_string(memoHits_) + " 件"_sj;
  return text + "が見つかりました。"_sj;
}

int Finder::jump(DocWnd& w, int row) const {
  if (!canJump(row)) return -1;
  const FindHit& hit = hits_[row];
  Workbook& wb = w.wb();
  wb.currentSheet = hit.sheet;
  wb.cursorColumn = hit.column;
  wb.cursorRow = hit.row;
  w.ui().repaint();
  return 0;
}

int Finder::rowAfter(int row) const {
  if (hits_.empty()) return -1;
  return validRow(row) ? (row + 1) % static_cast<int>(hits_.size()) : 0;
}

}  // namespace tgc
