// End-to-end runs of `tgc find`: the hits as lines and as JSON, and the
// exit codes grep has. This file is UTF-8 (the tool's output is).
#include <gtest/gtest.h>

#include <nlohmann/json.hpp>

#include "core/cp932.h"
#include "core/workbookfile.h"
#include "tests/cli/tgctest.h"
#include "tests/support/workbooks.h"

namespace tgc {
namespace {

std::string sjis(const char* utf8) {
  return utf8ToCp932(utf8).value();
}

// Sheet 1: フタ in the theme box, 鍋 an idea to its right with a memo whose
// second line holds ふた. Sheet 2: ﾌﾀ in the first box, ＦＵＴＡ after it.
class TgcFind : public test::TgcTest {
 protected:
  std::string writeSample() const;
};

std::string TgcFind::writeSample() const {
  Workbook wb;
  wb.marks = {test::userMark(0, sjis("□"), sjis("テーマ"), 0),
              test::userMark(1, sjis("！"), sjis("アイデア"), 0),
              test::userMark(7, sjis("◇"), sjis("素材"), 1)};
  for (const char* w : {"フタ", "鍋", "ﾌﾀ", "ＦＵＴＡ"}) wb.addWord(sjis(w));
  wb.sheets = {test::gridSheet(TypeA, 7), test::gridSheet(TypeA, 7)};
  auto box = [&](int sheet, int c, int r) -> Box& { return wb.sheets[sheet].boxes[r * 5 + c]; };
  box(0, 2, 2).word = 0;
  box(0, 2, 2).mark = kThemeMarkId;
  box(0, 3, 2).word = 1;
  box(0, 3, 2).idea = 1;
  box(1, 0, 0).word = 2;
  box(1, 1, 0).word = 3;
  wb.memos = {{1, sjis("重い\r\nふたが固い")}};
  wb.refreshHasMemo();
  const std::string file = path("find.tgc");
  std::ofstream(file, std::ios::binary) << serializeWorkbook(wb);
  return file;
}

TEST_F(TgcFind, PrintsTheWindowsHitsWithGrepsExitCodes) {
  const std::string file = quote(writeSample());
  ToolRun r = tgc("find " + file + " ふた");
  EXPECT_EQ(r.code, 0) << r.err;
  EXPECT_EQ(r.out, "1\t□ 3行3列\tフタ\nmemo\t鍋\tふたが固い\n2\t◇ 1行1列\tﾌﾀ\n");

  r = tgc("find " + file + " ふた --exact");
  EXPECT_EQ(r.code, 0);
  EXPECT_EQ(r.out, "memo\t鍋\tふたが固い\n");

  r = tgc("find " + file + " FUTA --json");
  EXPECT_EQ(r.code, 0);
  EXPECT_EQ(
      nlohmann::json::parse(r.out),
      nlohmann::json::parse(R"([{"kind": "box", "sheet": 2, "column": 1, "row": 0, "word": "ＦＵＴＡ"}])"));
  r = tgc("find " + file + " 固い --json");
  EXPECT_EQ(nlohmann::json::parse(r.out),
            nlohmann::json::parse(R"([{"kind": "memo", "word": "鍋", "line": "ふたが固い"}])"));

  // Nothing found: 1 and no output; an error: 2 and the reason.
  r = tgc("find " + file + " FUTA --exact");
  EXPECT_EQ(r.code, 1);
  EXPECT_EQ(r.out, "");
  r = tgc("find " + file + " FUTA --exact --json");
  EXPECT_EQ(r.code, 1);
  EXPECT_EQ(r.out, "[]\n");
  r = tgc("find " + quote(path("missing.tgc")) + " ふた");
  EXPECT_EQ(r.code, 2);
  EXPECT_NE(r.err.find("missing.tgc"), std::string::npos);
  EXPECT_EQ(tgc("find " + file).code, 2);
  EXPECT_NE(tgc("--help").out.find("find"), std::string::npos);
}

}  // namespace
}  // namespace tgc
