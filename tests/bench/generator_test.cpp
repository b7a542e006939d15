#include "bench/generator.h"

#include <gtest/gtest.h>

#include <set>

#include "core/cp932.h"
#include "core/workbookfile.h"
#include "sheet/geometry.h"

namespace tgc {
namespace {

TEST(LargestWorkbook, SizesReferencesAndTextsAreValid) {
  const Workbook wb = makeLargestWorkbook(7);
  EXPECT_EQ(wb.sheets.size(), 1000u);
  EXPECT_EQ(wb.words.size(), 25000u);
  EXPECT_EQ(wb.marks.size(), 1000u);
  EXPECT_EQ(wb.memos.size(), 5000u);
  EXPECT_TRUE(sheetsWellFormed(wb));
  Workbook copy = wb;
  EXPECT_EQ(repairReferences(copy), 0);  // every reference already valid

  std::set<std::string> texts;
  for (const Word& w : wb.words) {
    ASSERT_TRUE(w.text.size() >= 10 && w.text.size() <= 40) << w.text.size();
    ASSERT_TRUE(cp932ToUtf8(w.text).has_value());
    texts.insert(w.text);
  }
  EXPECT_EQ(texts.size(), wb.words.size());
  int types[3] = {};
  for (const Sheet& s : wb.sheets) ++types[sheetTypeOf(s)];
  EXPECT_GT(types[TypeA], 300);
  EXPECT_GT(types[TypeB], 300);
  EXPECT_GT(types[TypeC], 300);
  for (const CatalogMark& m : wb.marks) ASSERT_TRUE(cp932ToUtf8(m.name).has_value());
  // Memos sit on idea words, and hasMemo says so.
  for (const IdeaMemo& m : wb.memos) EXPECT_EQ(wb.words[m.word].hasMemo, 1);
  copy.refreshHasMemo();
  EXPECT_EQ(copy.words, wb.words);
  // The words of one sheet are used nowhere else, so the purge drops them.
  copy.removeSheet(10);
  copy.purgeUnusedWords();
  EXPECT_EQ(copy.words.size(), 25000u - 25);
}

TEST(LargestWorkbook, SameSeedSameWorkbook) {
  EXPECT_EQ(makeLargestWorkbook(3), makeLargestWorkbook(3));
  EXPECT_NE(makeLargestWorkbook(3).words, makeLargestWorkbook(4).words);
}

}  // namespace
}  // namespace tgc
