// tgc find FILE TEXT [--exact] [--json]: the hits of the program's find
// window, one a line ("SHEET<TAB>POSITION<TAB>WORD" for a box,
// "memo<TAB>WORD<TAB>LINE" for a memo) or as a JSON array. Exit 0 when
// something was found, 1 when nothing was, 2 on an error, as grep has it.
#include <iostream>
#include <memory>
#include <nlohmann/json.hpp>

#include "cli/clisupport.h"
#include "cli/commands.h"
#include "core/document.h"
#include "windows/finder.h"

namespace tgc::cli {
namespace {

struct FindArgs {
  std::string file;
  std::string text;
  bool exact = false;
  bool json = false;
};

nlohmann::ordered_json hitJson(const Finder& f, const Workbook& wb, int row) {
  const FindHit& hit = f.hits()[row];
  nlohmann::ordered_json j;
  const bool box = hit.kind == FindHit::Kind::Box;
  j["kind"] = box ? "box" : "memo";
  if (box) {
    j["sheet"] = hit.sheet + 1;
    j["column"] = hit.column;
    j["row"] = hit.row;
  }
  j["word"] = consoleText(wb.wordText(hit.word));
  if (!box) j["line"] = consoleText(hit.line);
  return j;
}

int runFind(const FindArgs& args) {
  ConsoleUi ui;
  Document doc;
  if (!openWorkbook(args.file, doc, ui)) return kExitUsage;
  const Workbook& wb = doc.cur();
  Finder finder(wb);
  finder.search(args.text, args.exact);
  const int count = static_cast<int>(finder.hits().size());
  if (args.json) {
    nlohmann::ordered_json all = nlohmann::ordered_json::array();
    for (int i = 0; i < count; ++i) all.push_back(hitJson(finder, wb, i));
    std::cout << all.dump(2) << '\n';
  } else {
    for (int i = 0; i < count; ++i) {
      const FindHit& hit = finder.hits()[i];
      if (hit.kind == FindHit::Kind::Box)
        std::cout << hit.sheet + 1 << '\t' << consoleText(finder.positionText(i)) << '\t'
                  << consoleText(wb.wordText(hit.word)) << '\n';
      else
        std::cout << "memo\t" << consoleText(wb.wordText(hit.word)) << '\t' << consoleText(hit.line) << '\n';
    }
  }
  std::cout << std::flush;
  if (!std::cout) return kExitUsage;
  return count > 0 ? kExitOk : kExitFailure;
}

}  // namespace

void registerFindCommand(CLI::App& app, CommandContext& context) {
  CLI::App* sub = app.add_subcommand(
      "find",
      "Print the boxes and idea memos of FILE that contain TEXT, as the find window (Ctrl+F) lists them");
  sub->footer(
      "Full-width and half-width forms, hiragana and katakana, and Latin capitals and small letters match "
      "alike unless --exact is given.\n"
      "Each hit is one line: SHEET<TAB>POSITION<TAB>WORD for a box (POSITION as in the window, e.g. "
      "\"□ 3行3列\"),\nmemo<TAB>WORD<TAB>LINE for a memo (its first line that matches).\n"
      "Exit status: 0 when something was found, 1 when nothing was, 2 on an error.");
  auto args = std::make_shared<FindArgs>();
  sub->add_option("FILE", args->file, "Workbook file (.tgc)")->required();
  sub->add_option("TEXT", args->text, "The text to look for (UTF-8)")->required();
  sub->add_flag("--exact", args->exact, "Match the text exactly, without folding");
  sub->add_flag(
      "--json", args->json,
      "Print a JSON array of {\"kind\": \"box\"|\"memo\", \"sheet\", \"column\", \"row\", \"word\", "
      "\"line\"}: sheet from 1, column and row from 0 as in tgc dump, only for boxes; line only "
      "for memos");
  sub->callback([&context, args] { context.exitCode = runFind(*args); });
}

}  // namespace tgc::cli
