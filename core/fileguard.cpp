#include "core/fileguard.h"

#include <filesystem>

#include "core/cp932literal.h"
#include "core/docwnd.h"
#include "core/fileerror.h"
#include "core/savejournal.h"
#include "core/timetext.h"

namespace tgc {
namespace {

std::string nameOf(const std::string& path) {
  return pathForMessage(std::filesystem::path(path).filename().string());
}

std::string inBrackets(const std::string& path) {
  return "「"_sj + nameOf(path) + "」"_sj;
}

// "3分前" and the like; empty for a time in the future (clocks of two
// machines that disagree).
std::string ageText(int64_t seconds) {
  if (seconds < 0) return {};
  if (seconds < 60) return "1分以内"_sj;
  if (seconds < 3600) return std::to_string(seconds / 60) + "分前"_sj;
  if (seconds < 86400) return std::to_string(seconds / 3600) + "時間前"_sj;
  return std::to_string(seconds / 86400) + "日前"_sj;
}

std::string ownerLines(const LockOwner& o, int64_t now) {
  const std::string unknown = "不明"_sj;
  std::string t = "ユーザー："_sj + (o.user.empty() ? unknown : pathForMessage(o.user));
  t += "\nコンピューター："_sj + (o.host.empty() ? unknown : pathForMessage(o.host));
  if (o.thisHost) t += "（このコンピューター）"_sj;
  if (o.since > 0) {
    t += "\n開いた日時："_sj + localTimeText(o.since);
    const std::string age = ageText(now - o.since);
    if (!age.empty()) t += "（"_sj + age + "）"_sj;
  }
  return t;
}

// The stamp of the document's file, if one was taken under its path.
const FileStamp* stampOfDocument(const DocWnd& w) {
  return w.file.stamp && w.file.stampPath == w.doc.filePath ? &*w.file.stamp : nullptr;
}

bool sameLock(const std::unique_ptr<WorkbookLock>& held, const std::string& path) {
  return held && held->path() == lockPathFor(path);
}

}  // namespace

std::string lockQuestionText(const std::string& path, const LockOwner& owner, int64_t now) {
  return inBrackets(path) + "は、ほかのプログラムで開かれています。\n"_sj + ownerLines(owner, now) +
         "\n\n読み取り専用で開くと、保存するときに別の名前を付けます。\n"
         "そのまま開くと、どちらかの保存がもう一方の変更を消すおそれがあります。"_sj;
}

std::string interruptedSaveText(const std::string& path, bool rewritten) {
  std::string t = inBrackets(path) + "の前回の保存は、途中で中断されていました。\n"_sj;
  if (rewritten)
    return t + "保存しようとした内容がすべて残っていたので、その内容でファイルを元に戻しました。"_sj;
  return t + "ファイルは保存する前の内容のままです。"_sj;
}

void finishInterruptedSave(DocWnd& w, const std::string& path) {
  const std::optional<InterruptedSave> found = recoverInterruptedSave(path);
  if (!found) return;
  if (found->error != 0) {
    w.ui().warning(fileFailureText(
        inBrackets(path) + "の前回の保存は途中で中断されていましたが、ファイルを元に戻せませんでした。"_sj,
        path, found->error));
    return;
  }
  // A journal whose save had in fact written the whole file is no news.
  if (found->step == SaveStep::Overwriting && !found->rewritten) return;
  w.ui().information(interruptedSaveText(path, found->rewritten));
}

LockChoice lockForOpening(DocWnd& w, const std::string& path, std::unique_ptr<WorkbookLock>& lock) {
  if (sameLock(w.file.lock, path)) return LockChoice::Proceed;  // adoptFile keeps it
  LockOwner owner;
  switch (WorkbookLock::take(path, lock, &owner)) {
    case WorkbookLock::Outcome::Taken:
    case WorkbookLock::Outcome::NotPossible:
      return LockChoice::Proceed;
    case WorkbookLock::Outcome::HeldByOther:
      break;
  }
  const Answer a = w.ui().choose(lockQuestionText(path, owner, w.ports.clock.nowSeconds()),
                                 {"読み取り専用で開く"_sj, "そのまま開く"_sj, "キャンセル"_sj});
  if (a == Answer::Yes) return LockChoice::ReadOnly;
  if (a == Answer::No) return LockChoice::Proceed;
  return LockChoice::Cancel;
}

void adoptFile(DocWnd& w, std::unique_ptr<WorkbookLock> lock, bool readOnly) {
  // Null with the same file: the lock already held is kept.
  if (lock || !sameLock(w.file.lock, w.doc.filePath)) w.file.lock = std::move(lock);
  w.file.readOnly = readOnly;
  w.file.toldAbout.reset();
  rememberFileOnDisk(w);
}

void forgetFile(DocWnd& w) {
  w.file = OpenFile{};
}

std::optional<std::unique_ptr<WorkbookLock>> lockForSavingAs(DocWnd& w, const std::string& path) {
  std::unique_ptr<WorkbookLock> lock;
  if (sameLock(w.file.lock, path)) return lock;
  LockOwner owner;
  if (WorkbookLock::take(path, lock, &owner) != WorkbookLock::Outcome::HeldByOther) return lock;
  w.ui().warning(inBrackets(path) +
                 "は、ほかのプログラムで開かれているため、この名前では保存できません。\n"_sj +
                 ownerLines(owner, w.ports.clock.nowSeconds()));
  return std::nullopt;
}

SaveGate beforeSave(DocWnd& w) {
  if (w.file.readOnly) return SaveGate::SaveAs;
  const FileStamp* stamp = stampOfDocument(w);
  if (!stamp || compareWithDisk(w.doc.filePath, *stamp) != DiskState::Changed) return SaveGate::Write;
  const Answer a =
      w.ui().choose(inBrackets(w.doc.filePath) +
                        "は、読み込んだ後か前回保存した後に、ほかのプログラムで変更されています。\n"
                        "上書きすると、その変更は失われます。"_sj,
                    {"上書き保存"_sj, "名前を付けて保存"_sj, "キャンセル"_sj});
  if (a == Answer::Yes) return SaveGate::Write;
  if (a == Answer::No) return SaveGate::SaveAs;
  return SaveGate::Stop;
}

void rememberFileOnDisk(DocWnd& w) {
  FileStamp s;
  w.file.stampPath = w.doc.filePath;
  if (stampFile(w.doc.filePath, s))
    w.file.stamp = s;
  else
    w.file.stamp.reset();
}

bool fileChangedOnActivation(DocWnd& w) {
  const FileStamp* stamp = stampOfDocument(w);
  if (w.doc.hasFile != 1 || !stamp || compareWithDisk(w.doc.filePath, *stamp) != DiskState::Changed)
    return false;
  FileStamp now;
  if (!stampFile(w.doc.filePath, now) || (w.file.toldAbout && *w.file.toldAbout == now)) return false;
  w.file.toldAbout = now;
  const std::string lead = inBrackets(w.doc.filePath) + "が、ほかのプログラムで変更されました。\n"_sj;
  if (w.doc.modified == 1) {
    w.ui().information(lead + "このまま保存しようとすると、上書きしてよいかを確認します。"_sj);
    return false;
  }
  return w.ui().choose(lead + "読み込み直しますか？"_sj, {"読み込み直す"_sj, "このままにする"_sj}) ==
         Answer::Yes;
}

void lockRestoredFile(DocWnd& w) {
  std::unique_ptr<WorkbookLock> lock;
  LockOwner owner;
  // This program may hold the file already (opened from the command line
  // before the offer): adoptFile keeps that lock.
  const bool held = !sameLock(w.file.lock, w.doc.filePath) &&
                    WorkbookLock::take(w.doc.filePath, lock, &owner) == WorkbookLock::Outcome::HeldByOther;
  adoptFile(w, std::move(lock), held);
  if (held)
    w.ui().information(inBrackets(w.doc.filePath) +
                       "は、ほかのプログラムで開かれているため、読み取り専用で復元しました。\n"
                       "保存するときは別の名前を付けてください。\n"_sj +
                       ownerLines(owner, w.ports.clock.nowSeconds()));
}

}  // namespace tgc
