#include "marks/defaultcatalog.h"
#include "core/cp932literal.h"

#include <gtest/gtest.h>

namespace tgc {
namespace {

TEST(DefaultCatalog, FillsTwentySixActiveMarksInTableOrder) {
  Workbook wb;
  wb.marks.push_back(CatalogMark{77, "x", "y", "z", 1, 0, 1, 111});
  fillDefaultCatalog(wb);
  ASSERT_EQ(wb.marks.size(), 26u);
  int elements = 0, transforms = 0;
  for (int i = 0; i < 26; ++i) {
    const CatalogMark& m = wb.marks[i];
    EXPECT_EQ(m.id, i);
    EXPECT_EQ(m.dormant, 0);
    EXPECT_EQ(m.sheetUsage, 0);
    EXPECT_EQ(m.glyph.size(), 2u) << i;
    if (i < 2) {
      EXPECT_EQ(m.attribute, AttrUnset);
    }
    elements += m.attribute == AttrElement;
    transforms += m.attribute == AttrTransform;
  }
  EXPECT_EQ(elements, 12);
  EXPECT_EQ(transforms, 12);
}

TEST(DefaultCatalog, GlyphBytesAreThoseOfCodePage932) {
  const char* expected[26] = {"\x81\xA0", "\x81\x49", "\x81\x88", "\x81\xBF", "\x81\xA2", "\x81\xA4",
                              "\x81\xE7", "\x81\xE3", "\x84\x49", "\x81\xDA", "\x81\xDD", "\x81\xDB",
                              "\x83\xA6", "\x83\xAC", "\x81\xE0", "\x81\x60", "\x81\xCC", "\x81\xC8",
                              "\x81\xC9", "\x81\x7B", "\x81\x7C", "\x81\x87", "\x81\x7E", "\x81\x80",
                              "\x81\x7D", "\x82\x4F"};
  for (int i = 0; i < 26; ++i) EXPECT_EQ(std::string(defaultMarkRow(i).glyph), expected[i]) << "row " << i;
  EXPECT_EQ(std::string(defaultMarkRow(2).note), "ex. 弁当箱 -> フタ"_sj);
}

TEST(DefaultCatalog, SystemMarksAsTheEditorWritesThem) {
  const CatalogMark theme = systemMark(0);
  const CatalogMark idea = systemMark(1);
  EXPECT_EQ(theme.id, 0);
  EXPECT_EQ(theme.name, "テーマ"_sj);
  EXPECT_EQ(theme.sheetUsage, 1);
  EXPECT_EQ(idea.id, 1);
  EXPECT_EQ(idea.glyph, "！"_sj);
  EXPECT_EQ(idea.note, "新しい組合せや方法など"_sj);
}

}  // namespace
}  // namespace tgc
