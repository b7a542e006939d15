// End-to-end runs of `tgc export` and `tgc import` on workbook files written
// by the program's own writer.
#include <gtest/gtest.h>

#include <sys/wait.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>

#include "core/workbookfile.h"
#include "marks/defaultcatalog.h"

namespace tgc {
namespace {

namespace fs = std::filesystem;

std::string utf8(const char8_t* s) {
  return reinterpret_cast<const char*>(s);
}

std::string readFile(const fs::path& p) {
  std::ifstream in(p, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), {});
}

Sheet gridSheet(SheetType type, int32_t mark) {
  Sheet s;
  for (int r = 0; r < kGridRows; ++r)
    for (int c = 0; c < kGridColumns; ++c) {
      Box b;
      b.column = c;
      b.row = r;
      b.sheetType = type;
      b.mark = mark;
      s.boxes.push_back(b);
    }
  return s;
}

struct ToolRun {
  int exitCode = -1;
  std::string out;
  std::string err;
};

class TgcImportExport : public ::testing::Test {
 protected:
  void SetUp() override {
    dir = fs::temp_directory_path() /
          ("tgc_cli_" + std::string(::testing::UnitTest::GetInstance()->current_test_info()->name()));
    fs::remove_all(dir);
    fs::create_directories(dir);
  }
  void TearDown() override { fs::remove_all(dir); }

  std::string save(const Workbook& wb, const std::string& name) {
    const fs::path p = dir / name;
    std::ofstream(p, std::ios::binary) << serializeWorkbook(wb);
    return p.string();
  }
  ToolRun tgc(const std::string& args) {
    const std::string cmd = std::string("'") + TGC_EXE + "' " + args + " > '" + (dir / "stdout").string() +
                            "' 2> '" + (dir / "stderr").string() + "'";
    ToolRun r;
    const int status = std::system(cmd.c_str());
    r.exitCode = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    r.out = readFile(dir / "stdout");
    r.err = readFile(dir / "stderr");
    return r;
  }
  std::string q(const std::string& path) { return "'" + path + "'"; }

  // Default catalog, one Type-A sheet with a theme, an idea word with a memo.
  Workbook sample() {
    Workbook wb;
    fillDefaultCatalog(wb);
    wb.sheets.push_back(gridSheet(TypeA, 2));
    wb.sheets[0].boxes[12].word = wb.addWord("本");
    wb.sheets[0].boxes[12].mark = 0;
    wb.sheets[0].boxes[13].word = wb.addWord("栞");
    wb.sheets[0].boxes[13].idea = 1;
    wb.memos = {{1, "挟む\r\n"}};
    wb.refreshHasMemo();
    return wb;
  }

  fs::path dir;
};

TEST_F(TgcImportExport, ExportWritesTheProgramsBytesAndLeavesTheFileAlone) {
  const std::string in = save(sample(), "in.tgc");
  const std::string before = readFile(in);
  const std::string out = (dir / "themes.csv").string();
  ToolRun r = tgc("export " + q(in) + " --kind themes --format csv -o " + q(out));
  EXPECT_EQ(r.exitCode, 0) << r.err;
  EXPECT_EQ(readFile(out), "□,本\r\n");  // CP932 bytes
  r = tgc("export " + q(in) + " --kind memos --format text -o " + q(out));
  EXPECT_EQ(r.exitCode, 0) << r.err;
  EXPECT_EQ(readFile(out), "！ 栞\r\n挟む\r\n\r\n");
  r = tgc("export " + q(in) + " --kind sheets --format csv -o " + q(out));
  EXPECT_EQ(r.exitCode, 0) << r.err;
  EXPECT_EQ(readFile(out), "∴,∴,∴,∴,∴\r\n∴,∴,∴,∴,∴\r\n∴,∴,□本,！栞,∴\r\n∴,∴,∴,∴,∴\r\n∴,∴,∴,∴,∴\r\n\r\n");
  EXPECT_EQ(readFile(in), before);
  EXPECT_EQ(tgc("export " + q(in) + " --kind sheets -o " + q(in)).exitCode, 1);
  EXPECT_EQ(readFile(in), before);
}

TEST_F(TgcImportExport, ExportWithoutRowsFails) {
  Workbook wb = sample();
  wb.sheets[0].boxes[13].idea = 0;
  const std::string in = save(wb, "in.tgc");
  const fs::path out = dir / "ideas.txt";
  const ToolRun r = tgc("export " + q(in) + " --kind ideas -o " + q(out.string()));
  EXPECT_EQ(r.exitCode, 1);
  EXPECT_NE(r.err.find(utf8(u8"対象データがありません。")), std::string::npos) << r.err;
  EXPECT_FALSE(fs::exists(out));
  EXPECT_EQ(tgc("export " + q(in) + " --kind everything -o " + q(out.string())).exitCode, 2);
}

TEST_F(TgcImportExport, ImportMergesAndReportsOnStdout) {
  const std::string file = save(sample(), "file.tgc");
  const std::string before = readFile(file);
  const std::string out = (dir / "merged.tgc").string();
  ToolRun r = tgc("import " + q(file) + " " + q(file) + " -o " + q(out));
  EXPECT_EQ(r.exitCode, 0) << r.err;
  EXPECT_EQ(r.out, utf8(u8"インポートが完了しました。") + "\n");
  EXPECT_EQ(readFile(file), before);
  Workbook merged;
  ASSERT_TRUE(parseWorkbook(readFile(out), merged));
  EXPECT_EQ(merged.sheets.size(), 2u);
  EXPECT_EQ(merged.words.size(), 2u);
  EXPECT_EQ(merged.memos.size(), 2u);
  EXPECT_EQ(merged.marks.size(), static_cast<size_t>(kDefaultMarkCount));

  // A look-alike mark: the report asks about consolidation (answered No).
  Workbook other = sample();
  other.marks[2].attribute = AttrTransform;
  r = tgc("import " + q(file) + " " + q(save(other, "other.tgc")) + " -o " + q(out));
  EXPECT_EQ(r.exitCode, 0) << r.err;
  EXPECT_EQ(r.out.rfind(utf8(u8"インポートが完了しました。\n\n\n同じマークまたは名称が存在するか"), 0), 0u)
      << r.out;
  ASSERT_TRUE(parseWorkbook(readFile(out), merged = Workbook{}));
  EXPECT_EQ(merged.marks.size(), static_cast<size_t>(kDefaultMarkCount) + 1);
}

TEST_F(TgcImportExport, ImportRefusalGoesToStderr) {
  Workbook big = sample();
  while (big.sheets.size() < 600) big.sheets.push_back(gridSheet(TypeA, 3));
  Workbook other = sample();
  while (other.sheets.size() < 401) other.sheets.push_back(gridSheet(TypeB, 4));
  const fs::path out = dir / "merged.tgc";
  const ToolRun r =
      tgc("import " + q(save(big, "big.tgc")) + " " + q(save(other, "other.tgc")) + " -o " + q(out.string()));
  EXPECT_EQ(r.exitCode, 1);
  EXPECT_TRUE(r.out.empty());
  EXPECT_NE(r.err.find(utf8(u8"最大シート枚数 1000枚 を上回るため、インポートは行えませんでした。")),
            std::string::npos)
      << r.err;
  EXPECT_FALSE(fs::exists(out));
  EXPECT_EQ(tgc("import " + q(save(big, "big.tgc")) + " " + q((dir / "none.tgc").string()) + " -o " +
                q(out.string()))
                .exitCode,
            1);
}

}  // namespace
}  // namespace tgc
