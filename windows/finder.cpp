#include "windows/finder.h"

#include <algorithm>
#include <climits>

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

// The lines joined with "\n" (which no line holds) and where each begins.
void joinLines(const std::vector<std::string>& lines, std::string& joined, std::vector<size_t>& starts) {
  for (const std::string& line : lines) {
    if (!starts.empty()) joined += '\n';
    starts.push_back(joined.size());
    joined += line;
  }
}

}  // namespace

Finder::Finder(const Workbook& wb) : wb_(wb) {
  exactWords_.reserve(wb.words.size());
  foldedWords_.reserve(wb.words.size());
  for (const Word& word : wb.words) {
    const std::u32string text = decodeCp932(word.text);
    exactWords_.push_back(encodeUtf8(text));
    foldedWords_.push_back(encodeUtf8(foldText(text)));
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
    std::vector<std::string> exact, folded;
    for (const std::string& line : p.lines) {
      const std::u32string text = decodeCp932(line);
      exact.push_back(encodeUtf8(text));
      folded.push_back(encodeUtf8(foldText(text)));
    }
    joinLines(exact, p.exact, p.exactStarts);
    joinLines(folded, p.folded, p.foldedStarts);
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

  const std::vector<std::string>& words = exact ? exactWords_ : foldedWords_;
  std::vector<char> wordFound(words.size());
  for (size_t i = 0; i < words.size(); ++i) wordFound[i] = words[i].find(needle) != std::string::npos;

  std::vector<int> memoLine(memos_.size(), -1);
  for (size_t m = 0; m < memos_.size(); ++m) {
    const PreparedMemo& p = memos_[m];
    const std::string& hay = exact ? p.exact : p.folded;
    const size_t at = hay.find(needle);
    if (at == std::string::npos) continue;
    const std::vector<size_t>& starts = exact ? p.exactStarts : p.foldedStarts;
    memoLine[m] = static_cast<int>(std::upper_bound(starts.begin(), starts.end(), at) - starts.begin()) - 1;
  }

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
