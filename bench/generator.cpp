#include "bench/generator.h"

#include <random>

#include "core/cp932literal.h"
#include "sheet/geometry.h"

namespace tgc {
namespace {

constexpr int kSheets = 1000;
constexpr int kMarks = 1000;
constexpr int kMemos = 5000;

// Two-byte CP932 characters: hiragana 0x829F..0x82F1 and JIS level-1 kanji
// with lead bytes 0x89..0x97, where every trail byte 0x40..0xFC but 0x7F is
// a character.
void appendHiragana(std::string& s, int index) {
  s.push_back('\x82');
  s.push_back(static_cast<char>(0x9F + index));
}
constexpr int kHiragana = 0xF1 - 0x9F + 1;

void appendRandomChar(std::string& s, std::mt19937& rng) {
  if (rng() % 3 == 0) {
    appendHiragana(s, static_cast<int>(rng() % kHiragana));
    return;
  }
  int trail = 0x40 + static_cast<int>(rng() % (0xFC - 0x40));
  if (trail >= 0x7F) ++trail;
  s.push_back(static_cast<char>(0x89 + rng() % (0x97 - 0x89 + 1)));
  s.push_back(static_cast<char>(trail));
}

// A unique three-hiragana prefix for `index` (83^3 > 25000) and random
// characters up to `length`.
std::string distinctText(int index, int length, std::mt19937& rng) {
  std::string s;
  for (int i = 0; i < 3; ++i) {
    appendHiragana(s, index % kHiragana);
    index /= kHiragana;
  }
  for (int i = 3; i < length; ++i) appendRandomChar(s, rng);
  return s;
}

std::string randomText(int length, std::mt19937& rng) {
  std::string s;
  for (int i = 0; i < length; ++i) appendRandomChar(s, rng);
  return s;
}

int between(std::mt19937& rng, int low, int high) {
  return low + static_cast<int>(rng() % (high - low + 1));
}

void addMarks(Workbook& wb, std::mt19937& rng) {
  wb.marks.push_back({kThemeMarkId, "□"_sj, "テーマ"_sj, "発想の対象"_sj, 0, 0, AttrUnset, 0});
  wb.marks.push_back({kIdeaMarkId, "！"_sj, "アイデア"_sj, "新しい発想"_sj, 0, 0, AttrUnset, 0});
  for (int id = 2; id < kMarks; ++id) {
    CatalogMark m;
    m.id = id;
    // The glyph is one kanji; names are made distinct by their prefix.
    m.glyph = randomText(1, rng);
    m.name = distinctText(id, between(rng, 3, 6), rng);
    m.note = randomText(between(rng, 0, 15), rng);
    m.dormant = id % 10 == 0 ? 1 : 0;
    m.attribute = id % 2 == 0 ? AttrElement : AttrTransform;
    wb.marks.push_back(std::move(m));
  }
}

int32_t randomActiveMark(std::mt19937& rng) {
  for (;;) {
    const int32_t id = between(rng, 2, kMarks - 1);
    if (id % 10 != 0) return id;
  }
}

void addSheets(Workbook& wb, std::mt19937& rng) {
  int nextWord = 0;
  for (int s = 0; s < kSheets; ++s) {
    const SheetType type = static_cast<SheetType>(s % 3);
    const GridPos theme = themeBox(type);
    Sheet sheet;
    sheet.boxes.reserve(kBoxesPerSheet);
    for (int row = 0; row < kGridRows; ++row) {
      for (int column = 0; column < kGridColumns; ++column) {
        Box b;
        b.column = column;
        b.row = row;
        b.sheetType = type;
        b.word = nextWord++;
        if (column == theme.column && row == theme.row) {
          b.mark = kThemeMarkId;
        } else if (inIdeaArea(type, column, row) || (type == TypeA && rng() % 8 == 0)) {
          b.mark = kIdeaMarkId;
          b.idea = 1;
        } else {
          b.mark = randomActiveMark(rng);
        }
        b.assisted = rng() % 20 == 0 ? 1 : 0;
        sheet.boxes.push_back(b);
      }
    }
    wb.sheets.push_back(std::move(sheet));
  }
}

void computeSheetUsage(Workbook& wb) {
  static const int32_t digit[] = {1, 10, 100};
  std::vector<int32_t> usage(kMarks, 0);
  for (const Sheet& s : wb.sheets)
    for (const Box& b : s.boxes)
      if (b.idea == 0 && b.mark >= 0 && b.mark < kMarks) usage[b.mark] |= 1 << b.sheetType;
  for (CatalogMark& m : wb.marks) {
    m.sheetUsage = 0;
    for (int t = 0; t < 3; ++t)
      if (usage[m.id] & (1 << t)) m.sheetUsage += digit[t];
  }
}

}  // namespace

Workbook makeLargestWorkbook(uint32_t seed) {
  std::mt19937 rng(seed);
  Workbook wb;
  const int wordCount = kSheets * kBoxesPerSheet;
  wb.words.reserve(wordCount);
  for (int i = 0; i < wordCount; ++i) wb.words.push_back({0, 0, distinctText(i, between(rng, 5, 20), rng)});
  addMarks(wb, rng);
  addSheets(wb, rng);
  computeSheetUsage(wb);
  std::vector<int32_t> ideaWords;
  for (const Sheet& s : wb.sheets)
    for (const Box& b : s.boxes)
      if (b.idea == 1) ideaWords.push_back(b.word);
  for (int i = 0; i < kMemos; ++i)
    wb.memos.push_back({ideaWords[rng() % ideaWords.size()], randomText(between(rng, 10, 60), rng)});
  wb.refreshHasMemo();
  return wb;
}

}  // namespace tgc
