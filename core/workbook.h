// The records of one open workbook and the model operations that keep
// their cross-references intact. All text is CP932 bytes.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace tgc {

inline constexpr int kGridColumns = 5;
inline constexpr int kGridRows = 5;
inline constexpr int kBoxesPerSheet = kGridColumns * kGridRows;
inline constexpr int kMaxSheets = 1000;
inline constexpr int kMaxMarks = 1000;
inline constexpr int kMaxWords = 25000;

enum SheetType : int32_t { TypeA = 0, TypeB = 1, TypeC = 2 };
enum MarkAttribute : int32_t { AttrUnset = 0, AttrElement = 1, AttrTransform = 2 };

inline constexpr int32_t kThemeMarkId = 0;
inline constexpr int32_t kIdeaMarkId = 1;

struct Word {
  int32_t reserved = 0;
  int32_t hasMemo = 0;
  std::string text;
  bool operator==(const Word&) const = default;
};

struct Box {
  int32_t reserved = 0;
  int32_t word = -1;
  int32_t mark = -1;
  int32_t idea = 0;
  int32_t spare = 0;
  int32_t assisted = 0;
  int32_t column = 0;
  int32_t row = 0;
  int32_t sheetType = TypeA;
  bool operator==(const Box&) const = default;
};

struct Sheet {
  std::vector<Box> boxes;
  bool operator==(const Sheet&) const = default;
};

struct CatalogMark {
  int32_t id = 0;
  std::string glyph;
  std::string name;
  std::string note;
  int32_t dormant = 0;
  int32_t deleteFlag = 0;
  int32_t attribute = AttrUnset;
  int32_t sheetUsage = 0;
  bool operator==(const CatalogMark&) const = default;
};

struct IdeaMemo {
  int32_t word = 0;
  std::string text;
  bool operator==(const IdeaMemo&) const = default;
};

// One slot of the document: the four lists plus the view state that travels
// with undo steps.
struct Workbook {
  std::vector<Word> words;
  std::vector<Sheet> sheets;
  std::vector<CatalogMark> marks;
  std::vector<IdeaMemo> memos;
  int32_t currentSheet = 0;
  int32_t cursorColumn = 2;
  int32_t cursorRow = 2;
  int32_t memoEdited = 0;
  int32_t markEdited = 0;

  // Word pool.
  int findWord(const std::string& text, int skip = -1) const;
  int addWord(const std::string& text);
  void swapWords(int a, int b);
  // Same order and references as moving the word to the end by adjacent
  // swaps and deleting it, done in one pass.
  void removeWord(int position);
  // Removes every word no box shows, in one pass over words, boxes and memos.
  void purgeUnusedWords();
  void removeMemosOfWord(int position);
  void refreshHasMemo();

  // Sheets.
  void swapSheets(int a, int b);
  // Removes the sheet keeping the others in order. Returns true when the
  // workbook is left without sheets: the caller then creates a fresh Type-A
  // sheet (sheet creation needs the catalog's working lists, which the model
  // does not know) and sets currentSheet to 0.
  bool removeSheet(int position);

  // Empties the four lists; the integers stay as they are.
  void clearLists();
  // The sheet shown, or nullptr when currentSheet is out of range.
  Sheet* currentSheetPtr();
  const Sheet* currentSheetPtr() const;
  // The mark with that id, or nullptr.
  const CatalogMark* findMark(int32_t id) const;
  CatalogMark* findMark(int32_t id);
  // sheetUsage of the mark with that id; 0 when no mark has the id.
  int32_t markById(int32_t id) const;
  // Text of the word at the position, or an empty string when out of range.
  const std::string& wordText(int position) const;

  bool operator==(const Workbook&) const = default;
};

// "Entering a word into a box": -1 for an empty text, else the pool position
// of the text, appending it when it is new.
int enterWord(Workbook& wb, const std::string& text);

}  // namespace tgc
