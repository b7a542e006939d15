// End-to-end runs of `tgc check`, `tgc dump` and `tgc build` and of the
// tool's command-line handling. This file is UTF-8 (the tool's output is).
#include <gtest/gtest.h>

#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>
#include <functional>
#include <nlohmann/json.hpp>
#include <sstream>

#include "core/cp932.h"
#include "core/savejournal.h"
#include "core/workbookfile.h"
#include "core/workbooklock.h"
#include "tests/cli/tgctest.h"

namespace tgc {
namespace {

namespace fs = std::filesystem;
using Json = nlohmann::ordered_json;

std::string sjis(const char* utf8) {
  return utf8ToCp932(utf8).value();
}

using TgcTool = test::TgcTest;

// Uses every field, stored values the loader would repair, both string
// forms of the dump and all three length prefixes.
Workbook sample() {
  Workbook wb;
  wb.words.push_back({0, 1, sjis("山")});
  wb.words.push_back({0, 0, ""});
  wb.words.push_back({0, 0, std::string(300, 'x')});
  wb.words.push_back({0, 0, std::string("\xED\x40", 2)});  // NEC twin of U+7E8A
  wb.words.push_back({0, 0, std::string("a\x81", 2)});     // a lone lead byte
  Sheet s;
  for (int i = 0; i < 25; ++i) {
    Box b;
    b.word = i == 0 ? 0 : (i == 1 ? 999 : -1);
    b.mark = i % 3;
    b.idea = i == 5;
    b.spare = 4;
    b.assisted = i == 7;
    b.column = i % 5;
    b.row = i / 5;
    b.sheetType = 2;
    s.boxes.push_back(b);
  }
  wb.sheets.push_back(s);
  wb.sheets.push_back(Sheet{});  // a sheet without boxes, as stored
  wb.marks.push_back({0, sjis("□"), sjis("テーマ"), std::string(70000, 'n'), 0, 0, 0, 1});
  wb.marks.push_back({7, "", sjis("名前"), "", 1, 1, 2, 110});
  wb.memos.push_back({0, sjis("メモ\r\n二行目")});
  wb.memos.push_back({-5, ""});
  wb.currentSheet = 42;
  return wb;
}

// Exit 0 exactly when the program would open the file: the pre-read check
// (検査) and then the whole load (読み込み), each refusal naming its step.
// The sample without its box-less sheet: a file the program opens (the
// out-of-range word is repaired on the way).
Workbook openable() {
  Workbook wb = sample();
  wb.sheets.pop_back();
  return wb;
}

TEST_F(TgcTool, CheckPassesOnlyWhatTheProgramOpens) {
  const std::string good = serializeWorkbook(openable());
  Workbook misshapen = openable();
  misshapen.sheets[0].boxes.resize(3);
  const std::string damaged = "読み込み: ファイルの内容が壊れているか、途中で切れています。\n";
  const struct {
    std::string name;
    std::string bytes;
    std::string err;  // after "PATH: "
  } cases[] = {
      {"a.tgc", good, ""},
      {"a.TGC", good, "検査: 拡張子が異なります。\n"},
      {"v.tgc", good.substr(0, 17) + std::string("\x67\0\0\0", 4), "検査: ファイルバージョンが違います。\n"},
      {"cut.tgc", good.substr(0, 1000), damaged},
      {"trailer.tgc", good + "x", ""},  // the program reads what it needs and opens it
      {"shape.tgc", serializeWorkbook(misshapen), damaged},
      {"boxless.tgc", serializeWorkbook(sample()), damaged},  // its second sheet has no boxes
  };
  for (const auto& c : cases) {
    const std::string p = write(c.name, c.bytes);
    const ToolRun r = tgc("check " + quote(p));
    EXPECT_EQ(r.code, c.err.empty() ? 0 : 1) << c.name;
    EXPECT_EQ(r.err, c.err.empty() ? "" : p + ": " + c.err) << c.name;
    EXPECT_EQ(r.out, "");
  }
  EXPECT_EQ(tgc("check " + quote(path("none.tgc"))).err,
            path("none.tgc") + ": 検査: ファイルが存在しません。\n");
}

// Every command that cannot read or write a file names it and gives the
// system's reason, on one line. Run as root, the reads are tried as an ordinary user, to
// whom a file of mode 000 is unreadable.
TEST_F(TgcTool, EveryFileFailureNamesTheFileAndTheReason) {
  const std::string good = write("good.tgc", serializeWorkbook(openable()));
  const std::string locked = write("locked.tgc", serializeWorkbook(openable()));
  ::chmod(locked.c_str(), 0);
  ::chmod(dir().c_str(), 0755);
  const std::string asUser = ::geteuid() == 0 ? "setpriv --reuid=65534 --regid=65534 --clear-groups " : "";
  // Where even that cannot be done, the unreadable file cannot be made.
  const bool canLock = std::system((asUser + "test ! -r " + quote(locked)).c_str()) == 0;
  const std::string readOnly = write("readonly.tgc", "unchanged");
  ::chmod(readOnly.c_str(), 0444);
  const std::string noFolder = path("no-such-folder/out.tgc");
  write("w.json", tgc("dump " + quote(good)).out);
  const std::string denied = "アクセスが許可されていません（読み取り専用か、権限がありません）。";
  const std::string missing = "ファイルまたはフォルダーが見つかりません。";
  const struct {
    std::string args;
    std::string err;
  } cases[] = {
      {asUser + TGC_EXE " check " + quote(locked), locked + ": 検査: " + denied + "\n"},
      {asUser + TGC_EXE " dump " + quote(locked), locked + ": 検査: " + denied + "\n"},
      {asUser + TGC_EXE " export " + quote(locked) + " --kind ideas -o " + quote(path("o.txt")),
       locked + ": 検査: " + denied + "\n"},
      {asUser + TGC_EXE " import " + quote(good) + " " + quote(locked) + " -o " + quote(path("o.tgc")),
       locked + ": " + denied + "\n"},
      {TGC_EXE " new " + quote(noFolder), noFolder + ": 書き込み: " + missing + "\n"},
      {TGC_EXE " new " + quote(readOnly), readOnly + ": 書き込み: " + denied + "\n"},
      {TGC_EXE " build " + quote(path("w.json")) + " " + quote(readOnly),
       readOnly + ": 書き込み: " + denied + "\n"},
      {TGC_EXE " build " + quote(path("none.json")) + " " + quote(path("o.tgc")),
       path("none.json") + ": 読み込み: " + missing + "\n"},
      {TGC_EXE " import " + quote(good) + " " + quote(good) + " -o " + quote(noFolder),
       noFolder + ": 書き込み: " + missing + "\n"},
      {TGC_EXE " export " + quote(good) + " --kind themes -o " + quote(readOnly),
       readOnly + ": 書き込み: " + denied + "\n"},
  };
  for (const auto& c : cases) {
    if (!canLock && c.args.find(locked) != std::string::npos) continue;
    const ToolRun r = run(c.args);
    EXPECT_EQ(r.code, 1) << c.args;
    EXPECT_EQ(r.err, c.err) << c.args;  // one line, as every failure
  }
  EXPECT_EQ(read(readOnly), "unchanged");
}

TEST_F(TgcTool, DumpShowsStoredValuesInFileOrder) {
  ToolRun r = tgc("dump " + quote(write("s.tgc", serializeWorkbook(sample()))));
  ASSERT_EQ(r.code, 0) << r.err;
  const Json j = Json::parse(r.out);
  std::vector<std::string> keys;
  for (const auto& [key, value] : j.items()) keys.push_back(key);
  EXPECT_EQ(keys, (std::vector<std::string>{"version", "words", "sheets", "marks", "memos", "currentSheet"}));
  EXPECT_EQ(j["version"], 102);
  EXPECT_EQ(j["words"][0], Json::parse(R"({"hasMemo": 1, "text": "山"})"));
  EXPECT_EQ(j["words"][1]["text"], "");
  EXPECT_EQ(j["words"][3]["text"], Json::parse(R"({"hex": "ed40"})"));
  EXPECT_EQ(j["words"][4]["text"], Json::parse(R"({"hex": "6181"})"));
  EXPECT_EQ(j["sheets"][0]["boxes"][1]["word"], 999);  // not repaired
  EXPECT_EQ(j["sheets"][0]["boxes"][0],
            Json::parse(R"({"word": 0, "mark": 0, "idea": 0, "spare": 4, "assisted": 0,
                            "column": 0, "row": 0, "sheetType": 2})"));
  EXPECT_EQ(j["sheets"][1]["boxes"], Json::array());
  EXPECT_EQ(j["marks"][0]["glyph"], "□");
  EXPECT_EQ(j["marks"][1], Json::parse(R"({"id": 7, "glyph": "", "name": "名前", "note": "", "dormant": 1,
                            "deleteFlag": 1, "attribute": 2, "sheetUsage": 110})"));
  EXPECT_EQ(j["memos"][0], Json::parse(R"({"word": 0, "text": "メモ\r\n二行目"})"));
  EXPECT_EQ(j["memos"][1]["word"], -5);
  EXPECT_EQ(j["currentSheet"], 42);
}

TEST_F(TgcTool, DumpThenBuildGivesTheSameBytes) {
  const std::string original = serializeWorkbook(sample());
  ToolRun r = tgc("dump " + quote(write("s.tgc", original)));
  ASSERT_EQ(r.code, 0) << r.err;
  write("s.json", r.out);
  r = tgc("build " + quote(path("s.json")) + " " + quote(path("t.tgc")));
  ASSERT_EQ(r.code, 0) << r.err;
  EXPECT_EQ(r.out + r.err, "");
  EXPECT_TRUE(read(path("t.tgc")) == original);
}

TEST_F(TgcTool, BuildAcceptsHexAndNamesTheFaultyField) {
  Json j = Json::parse(tgc("dump " + quote(write("s.tgc", serializeWorkbook(sample())))).out);
  // A string may be given in either form.
  j["words"][0]["text"] = Json::parse(R"({"hex": "8E52"})");
  write("hex.json", j.dump());
  ASSERT_EQ(tgc("build " + quote(path("hex.json")) + " " + quote(path("hex.tgc"))).code, 0);
  EXPECT_TRUE(read(path("hex.tgc")) == serializeWorkbook(sample()));

  struct Case {
    std::function<void(Json&)> change;
    std::string field;
  };
  const Case cases[] = {
      {[](Json& x) { x["words"][0].erase("text"); }, "words[0].text"},
      {[](Json& x) { x["sheets"][0]["boxes"][3].erase("sheetType"); }, "sheets[0].boxes[3].sheetType"},
      {[](Json& x) { x.erase("currentSheet"); }, "currentSheet"},
      {[](Json& x) { x["marks"][1]["name"] = "café"; }, "marks[1].name"},
      {[](Json& x) { x["memos"][0]["text"] = Json::parse(R"({"hex": "8g"})"); }, "memos[0].text.hex"},
      {[](Json& x) { x["marks"][0]["id"] = 4294967296LL; }, "marks[0].id"},
      {[](Json& x) { x["words"][1]["hasMemo"] = "1"; }, "words[1].hasMemo"},
  };
  for (const Case& c : cases) {
    Json broken = j;
    c.change(broken);
    write("bad.json", broken.dump());
    const ToolRun r = tgc("build " + quote(path("bad.json")) + " " + quote(path("bad.tgc")));
    EXPECT_EQ(r.code, 1) << c.field;
    EXPECT_NE(r.err.find(c.field), std::string::npos) << r.err;
    EXPECT_FALSE(fs::exists(path("bad.tgc"))) << c.field;
  }
  write("bad.json", "{\"version\": 102, ");
  EXPECT_EQ(tgc("build " + quote(path("bad.json")) + " " + quote(path("bad.tgc"))).code, 1);
}

TEST_F(TgcTool, DumpOfAFileThatPassesTheCheckButEndsEarlyFails) {
  const std::string good = serializeWorkbook(sample());
  const ToolRun r = tgc("dump " + quote(write("cut.tgc", good.substr(0, good.size() - 2))));
  EXPECT_EQ(r.code, 1);
  EXPECT_EQ(r.out, "");
  EXPECT_EQ(r.err, path("cut.tgc") + ": 読み込み: ファイルの内容が壊れているか、途中で切れています。\n");
  EXPECT_EQ(tgc("dump " + quote(path("none.tgc"))).err,
            path("none.tgc") + ": 検査: ファイルが存在しません。\n");
}

// A workbook a program window holds is written only with --force; the
// refusal names the holder.
TEST_F(TgcTool, WritingAHeldWorkbookNeedsForce) {
  const std::string held = write("held.tgc", serializeWorkbook(openable()));
  const std::string other = write("other.tgc", serializeWorkbook(openable()));
  write("w.json", tgc("dump " + quote(other)).out);
  std::unique_ptr<WorkbookLock> lock;
  ASSERT_EQ(WorkbookLock::take(held, lock), WorkbookLock::Outcome::Taken);
  for (const std::string& args : {"new " + quote(held), "build " + quote(path("w.json")) + " " + quote(held),
                                  "import " + quote(other) + " " + quote(other) + " -o " + quote(held)}) {
    SCOPED_TRACE(args);
    const std::string before = read(held);
    ToolRun r = tgc(args);
    EXPECT_EQ(r.code, 1);
    EXPECT_EQ(r.err.rfind(held + ": 書き込み: ThoughtGridCraft で開かれています（ユーザー ", 0), 0u) << r.err;
    EXPECT_NE(r.err.find("、プロセス " + std::to_string(::getpid()) + "、"), std::string::npos) << r.err;
    EXPECT_NE(r.err.find("--force"), std::string::npos);
    EXPECT_TRUE(read(held) == before);
    r = tgc(args + " --force");
    EXPECT_EQ(r.code, 0) << r.err;
  }
  EXPECT_NE(tgc("new --help").out.find("--force"), std::string::npos);
}

// `tgc check` finishes a killed save as the program does and names the
// leftover and the step it had reached.
TEST_F(TgcTool, CheckFinishesAnInterruptedSave) {
  const std::string file = write("w.tgc", serializeWorkbook(openable()));
  struct stat st;
  ASSERT_EQ(::stat(file.c_str(), &st), 0);
  const std::string journal = journalPath(dir().string(), st);
  write(fs::path(journal).filename().string(), "cut short");
  const ToolRun r = tgc("check " + quote(file));
  EXPECT_EQ(r.code, 0);
  EXPECT_EQ(r.err, file + ": 中断された保存: " + journal +
                       ": 保存する内容の書き出し中に中断されていました。ファイルは保存前の内容のままです。"
                       "残りを削除しました。\n");
  EXPECT_FALSE(fs::exists(journal));
}

TEST_F(TgcTool, HelpAndUsageErrors) {
  ToolRun r = tgc("--help");
  EXPECT_EQ(r.code, 0);
  for (const char* command : {"check", "dump", "build"}) EXPECT_NE(r.out.find(command), std::string::npos);
  r = tgc("build --help");
  EXPECT_EQ(r.code, 0);
  EXPECT_NE(r.out.find("OUT"), std::string::npos);
  for (const char* args : {"", "frobnicate x.tgc", "check", "check a.tgc b.tgc", "build only-one.json",
                           "dump --no-such-option a.tgc"}) {
    r = tgc(args);
    EXPECT_EQ(r.code, 2) << args;
    EXPECT_FALSE(r.err.empty()) << args;
  }
}

}  // namespace
}  // namespace tgc
