// tgc build JSON OUT: writes the workbook described by JSON (the shape
// `tgc dump` prints) to OUT with the program's own writer.
#include <memory>

#include "cli/clisupport.h"
#include "cli/commands.h"
#include "cli/fileguards.h"
#include "cli/workbookjson.h"
#include "core/fileio.h"
#include "core/workbookfile.h"

namespace tgc::cli {
namespace {

struct BuildArgs {
  std::string json;
  std::string out;
  bool force = false;
};

int runBuild(const BuildArgs& args) {
  if (!mayWriteWorkbook(args.out, args.force)) return kExitFailure;
  std::string text;
  int error = 0;
  if (!readWholeFile(args.json, text, &error)) {
    printFileError(args.json, kStepRead, error);
    return kExitFailure;
  }
  Json json = Json::parse(text, nullptr, false);
  if (json.is_discarded()) {
    printError("JSONを解析できませんでした: " + args.json);
    return kExitFailure;
  }
  Workbook wb;
  std::string fault;
  if (!workbookFromJson(json, wb, fault)) {
    printError(fault);
    return kExitFailure;
  }
  if (!writeFileAtomically(args.out, serializeWorkbook(wb), &error)) {
    printFileError(args.out, kStepWrite, error);
    return kExitFailure;
  }
  return kExitOk;
}

}  // namespace

void registerBuildCommand(CLI::App& app, CommandContext& context) {
  CLI::App* sub = app.add_subcommand("build", "Write the workbook described by JSON to the file OUT");
  auto args = std::make_shared<BuildArgs>();
  sub->add_option("JSON", args->json, "JSON in the form `tgc dump` prints")->required();
  sub->add_option("OUT", args->out, "Workbook file to write")->required();
  addForceFlag(*sub, args->force);
  sub->callback([&context, args] { context.exitCode = runBuild(*args); });
}

}  // namespace tgc::cli
