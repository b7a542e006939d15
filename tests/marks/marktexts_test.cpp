#include "marks/marktexts.h"
#include "core/cp932literal.h"

#include <gtest/gtest.h>

namespace tgc {
namespace {

TEST(MarkTexts, ColumnsOfTheEditorAndTheMergeDialog) {
  const CatalogMark m{5, "∴"_sj, "部分"_sj, "note", 1, 0, AttrElement, 101};
  EXPECT_EQ(markColumnText(m), "∴ 部分"_sj);
  EXPECT_EQ(attributeText(AttrElement), "要素"_sj);
  EXPECT_EQ(attributeText(AttrTransform), "変換"_sj);
  EXPECT_EQ(attributeText(AttrUnset), "");
  EXPECT_EQ(attributeText(7), "");
  EXPECT_EQ(sheetUsageText(101), "ＡＣ"_sj);
  EXPECT_EQ(sheetUsageText(111), "ＡＢＣ"_sj);
  EXPECT_EQ(sheetUsageText(10), "Ｂ"_sj);
  EXPECT_EQ(sheetUsageText(0), "");
  EXPECT_EQ(dormantText(0), "有効"_sj);
  EXPECT_EQ(dormantText(1), "無効"_sj);
}

}  // namespace
}  // namespace tgc
