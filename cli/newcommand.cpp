// tgc new OUT: writes the workbook the New command makes: the default
// catalog and one Type-A sheet whose marks are drawn from the clock-seeded
// generator. --time fixes the clock reading, so the same value gives the
// same file.
#include <ctime>
#include <memory>
#include <optional>

#include "cli/clisupport.h"
#include "cli/commands.h"
#include "cli/fileguards.h"
#include "core/docwnd.h"
#include "core/filecommands.h"
#include "core/workbookfile.h"

namespace tgc::cli {
namespace {

struct NewArgs {
  std::string out;
  int64_t time = 0;
  bool fixedTime = false;
  bool force = false;
};

class Clock : public ClockPort {
 public:
  explicit Clock(std::optional<int64_t> fixed) : fixed_(fixed) {}
  int64_t nowSeconds() override { return fixed_ ? *fixed_ : static_cast<int64_t>(std::time(nullptr)); }

 private:
  std::optional<int64_t> fixed_;
};

int runNew(const NewArgs& args) {
  if (!mayWriteWorkbook(args.out, args.force)) return kExitFailure;
  ConsoleUi ui;
  Clock clock(args.fixedTime ? std::optional<int64_t>(args.time) : std::nullopt);
  HeadlessController controller(ui, clock);
  DocWnd& w = controller.w;
  // The program's own New command; nothing is modified yet, so it asks
  // nothing. A workbook without its sheet would be no new workbook.
  newWorkbook(w);
  if (w.wb().sheets.empty()) return kExitFailure;
  w.doc.filePath = args.out;
  int error = 0;
  if (saveWorkbook(w.doc, ui, &error) != 0) {
    printFileError(args.out, kStepWrite, error);
    return kExitFailure;
  }
  return kExitOk;
}

}  // namespace

void registerNewCommand(CLI::App& app, CommandContext& context) {
  CLI::App* sub =
      app.add_subcommand("new", "Write a new workbook (default catalog, one Type-A sheet) to OUT");
  auto args = std::make_shared<NewArgs>();
  sub->add_option("OUT", args->out, "Workbook file to write")->required();
  CLI::Option* time = sub->add_option("--time", args->time,
                                      "Clock reading in seconds that seeds the mark draw (default: now)");
  addForceFlag(*sub, args->force);
  sub->callback([&context, args, time] {
    args->fixedTime = time->count() > 0;
    context.exitCode = runNew(*args);
  });
}

}  // namespace tgc::cli
