// End-to-end runs of `tgc export` and `tgc import` on workbook files written
// by the program's own writer.
#include <gtest/gtest.h>

#include <filesystem>

#include "core/cp932literal.h"
#include "core/workbookfile.h"
#include "marks/defaultcatalog.h"
#include "tests/cli/tgctest.h"
#include "tests/support/workbooks.h"

namespace tgc {
namespace {

namespace fs = std::filesystem;

using test::gridSheet;

class TgcImportExport : public test::TgcTest {
 protected:
  std::string save(const Workbook& wb, const std::string& name) { return write(name, serializeWorkbook(wb)); }

  // Default catalog, one Type-A sheet with a theme, an idea word with a memo.
  Workbook sample() {
    Workbook wb;
    fillDefaultCatalog(wb);
    wb.sheets.push_back(gridSheet(TypeA, 2));
    wb.sheets[0].boxes[12].word = wb.addWord("本"_sj);
    wb.sheets[0].boxes[12].mark = 0;
    wb.sheets[0].boxes[13].word = wb.addWord("栞"_sj);
    wb.sheets[0].boxes[13].idea = 1;
    wb.memos = {{1, "挟む\r\n"_sj}};
    wb.refreshHasMemo();
    return wb;
  }
};

TEST_F(TgcImportExport, ExportWritesTheProgramsBytesAndLeavesTheFileAlone) {
  const std::string in = save(sample(), "in.tgc");
  const std::string before = read(in);
  const std::string out = (dir() / "themes.csv").string();
  ToolRun r = tgc("export " + quote(in) + " --kind themes --format csv -o " + quote(out));
  EXPECT_EQ(r.code, 0) << r.err;
  EXPECT_EQ(read(out), "□,本\r\n"_sj);  // CP932 bytes
  r = tgc("export " + quote(in) + " --kind memos --format text -o " + quote(out));
  EXPECT_EQ(r.code, 0) << r.err;
  EXPECT_EQ(read(out), "！ 栞\r\n挟む\r\n\r\n"_sj);
  r = tgc("export " + quote(in) + " --kind sheets --format csv -o " + quote(out));
  EXPECT_EQ(r.code, 0) << r.err;
  EXPECT_EQ(read(out), "∴,∴,∴,∴,∴\r\n∴,∴,∴,∴,∴\r\n∴,∴,□本,！栞,∴\r\n∴,∴,∴,∴,∴\r\n∴,∴,∴,∴,∴\r\n\r\n"_sj);
  EXPECT_EQ(read(in), before);
  EXPECT_EQ(tgc("export " + quote(in) + " --kind sheets -o " + quote(in)).code, 1);
  EXPECT_EQ(read(in), before);
}

TEST_F(TgcImportExport, ExportWithoutRowsFails) {
  Workbook wb = sample();
  wb.sheets[0].boxes[13].idea = 0;
  const std::string in = save(wb, "in.tgc");
  const fs::path out = dir() / "ideas.txt";
  const ToolRun r = tgc("export " + quote(in) + " --kind ideas -o " + quote(out.string()));
  EXPECT_EQ(r.code, 1);
  EXPECT_NE(r.err.find(std::string("対象データがありません。")), std::string::npos) << r.err;
  EXPECT_FALSE(fs::exists(out));
  EXPECT_EQ(tgc("export " + quote(in) + " --kind everything -o " + quote(out.string())).code, 2);
}

TEST_F(TgcImportExport, ImportMergesAndReportsOnStdout) {
  const std::string file = save(sample(), "file.tgc");
  const std::string before = read(file);
  const std::string out = (dir() / "merged.tgc").string();
  ToolRun r = tgc("import " + quote(file) + " " + quote(file) + " -o " + quote(out));
  EXPECT_EQ(r.code, 0) << r.err;
  EXPECT_EQ(r.out, std::string("インポートが完了しました。") + "\n");
  EXPECT_EQ(read(file), before);
  Workbook merged;
  ASSERT_TRUE(parseWorkbook(read(out), merged));
  EXPECT_EQ(merged.sheets.size(), 2u);
  EXPECT_EQ(merged.words.size(), 2u);
  EXPECT_EQ(merged.memos.size(), 2u);
  EXPECT_EQ(merged.marks.size(), static_cast<size_t>(kDefaultMarkCount));

  // A look-alike mark: the report asks about consolidation (answered No).
  Workbook other = sample();
  other.marks[2].attribute = AttrTransform;
  r = tgc("import " + quote(file) + " " + quote(save(other, "other.tgc")) + " -o " + quote(out));
  EXPECT_EQ(r.code, 0) << r.err;
  EXPECT_EQ(r.out.rfind(std::string("インポートが完了しました。\n\n\n同じマークまたは名称が存在するか"), 0),
            0u)
      << r.out;
  ASSERT_TRUE(parseWorkbook(read(out), merged = Workbook{}));
  EXPECT_EQ(merged.marks.size(), static_cast<size_t>(kDefaultMarkCount) + 1);
}

TEST_F(TgcImportExport, ImportRefusalGoesToStderr) {
  Workbook big = sample();
  while (big.sheets.size() < 600) big.sheets.push_back(gridSheet(TypeA, 3));
  Workbook other = sample();
  while (other.sheets.size() < 401) other.sheets.push_back(gridSheet(TypeB, 4));
  const fs::path out = dir() / "merged.tgc";
  const ToolRun r = tgc("import " + quote(save(big, "big.tgc")) + " " + quote(save(other, "other.tgc")) +
                        " -o " + quote(out.string()));
  EXPECT_EQ(r.code, 1);
  EXPECT_TRUE(r.out.empty());
  EXPECT_NE(r.err.find(std::string("最大シート枚数 1000枚 を上回るため、インポートは行えませんでした。")),
            std::string::npos)
      << r.err;
  EXPECT_FALSE(fs::exists(out));
  EXPECT_EQ(tgc("import " + quote(save(big, "big.tgc")) + " " + quote((dir() / "none.tgc").string()) +
                " -o " + quote(out.string()))
                .code,
            1);
}

}  // namespace
}  // namespace tgc
