#include "cli/fileguards.h"

#include "cli/clisupport.h"
#include "core/fileerror.h"
#include "core/savejournal.h"
#include "core/timetext.h"
#include "core/workbooklock.h"

namespace tgc::cli {

void addForceFlag(CLI::App& sub, bool& force) {
  sub.add_flag("--force", force,
               "Write OUT even while a ThoughtGridCraft window holds it open (its lock file beside it)");
}

bool mayWriteWorkbook(const std::string& out, bool force) {
  if (force) return true;
  const std::optional<LockOwner> owner = lockOwner(out);
  if (!owner) return true;
  std::string holder = "ThoughtGridCraft で開かれています（";
  holder += "ユーザー " + (owner->user.empty() ? std::string("不明") : owner->user);
  holder += "、コンピューター " + (owner->host.empty() ? std::string("不明") : owner->host);
  if (owner->pid > 0) holder += "、プロセス " + std::to_string(owner->pid);
  if (owner->since > 0) holder += "、" + localTimeText(owner->since) + " から";
  printError(out + ": " + kStepWrite + ": " + holder + "）。書き込むには --force を付けてください。");
  return false;
}

bool finishInterruptedSaveOf(const std::string& file) {
  const std::optional<InterruptedSave> found = recoverInterruptedSave(file);
  if (!found) return true;
  std::string line = file + ": 中断された保存: " + found->leftover + ": ";
  if (found->step == SaveStep::PuttingAside) {
    line +=
        "保存する内容の書き出し中に中断されていました。ファイルは保存前の内容のままです。残りを削除しました"
        "。";
  } else if (found->error != 0) {
    printError(line + "ファイルの書き換え中に中断されていました。元に戻せませんでした: " +
               consoleText(fileErrorReason(found->error)));
    return false;
  } else if (found->rewritten) {
    line +=
        "ファイルの書き換え中に中断されていました。保存しようとした内容でファイルを元に戻し、残りを削除しまし"
        "た。";
  } else {
    line += "ファイルの書き換えは終わっていました。残りを削除しました。";
  }
  printError(line);
  return true;
}

}  // namespace tgc::cli
