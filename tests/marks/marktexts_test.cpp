#include "marks/marktexts.h"

#include <gtest/gtest.h>

namespace tgc {
namespace {

TEST(MarkTexts, ColumnsOfTheEditorAndTheMergeDialog) {
  const CatalogMark m{5, "∴", "部分", "note", 1, 0, AttrElement, 101};
  EXPECT_EQ(markColumnText(m), "∴ 部分");
  EXPECT_EQ(attributeText(AttrElement), "要素");
  EXPECT_EQ(attributeText(AttrTransform), "変換");
  EXPECT_EQ(attributeText(AttrUnset), "");
  EXPECT_EQ(attributeText(7), "");
  EXPECT_EQ(sheetUsageText(101), "ＡＣ");
  EXPECT_EQ(sheetUsageText(111), "ＡＢＣ");
  EXPECT_EQ(sheetUsageText(10), "Ｂ");
  EXPECT_EQ(sheetUsageText(0), "");
  EXPECT_EQ(dormantText(0), "有効");
  EXPECT_EQ(dormantText(1), "無効");
}

}  // namespace
}  // namespace tgc
