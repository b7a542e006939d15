#include "core/recoveryoffer.h"

#include <filesystem>

#include "app/recentfiles.h"
#include "core/cp932.h"
#include "core/cp932literal.h"
#include "core/docwnd.h"
#include "core/filecommands.h"
#include "core/fileguard.h"
#include "core/timetext.h"
#include "core/workbookfile.h"

namespace tgc {
namespace {

const char* const kUnreadable = "自動保存データにエラーがあるため、復元できませんでした。"_sj;
const char* const kOthersLater =
    "ほかにも自動保存データが残っています。次回の起動時にあらためて確認します。"_sj;

// A file name for a message: characters CP932 cannot show become "?".
std::string displayName(const std::string& utf8) {
  if (auto whole = utf8ToCp932(utf8)) return *whole;
  std::string out;
  for (size_t i = 0; i < utf8.size();) {
    const unsigned char lead = static_cast<unsigned char>(utf8[i]);
    size_t n = lead < 0x80 ? 1 : (lead & 0xE0) == 0xC0 ? 2 : (lead & 0xF0) == 0xE0 ? 3 : 4;
    n = std::min(n, utf8.size() - i);
    out += utf8ToCp932(std::string_view(utf8).substr(i, n)).value_or("?");
    i += n;
  }
  return out;
}

}  // namespace

std::string recoveryQuestion(const RecoveryRecord& record) {
  const std::string name = record.originalPath.empty()
                               ? std::string("無題"_sj)
                               : displayName(std::filesystem::path(record.originalPath).filename().string());
  std::string text = "前回正しく終了しなかったときの自動保存データがあります。\nファイル："_sj;
  text += name;
  text += "\n保存日時："_sj;
  text += localTimeText(record.savedAt);
  text += "\n\n復元しますか？\n「いいえ」でデータを破棄します。\n「キャンセル」で次回まで残します。"_sj;
  return text;
}

bool restoreWorkbook(DocWnd& w, std::string_view bytes, const RecoveryRecord& record) {
  Workbook read;
  if (!readWorkbookBytes(bytes, read)) return false;
  Document& d = w.doc;
  w.clearAll();
  d.resetHistory();
  d.resetViewState(d.current);
  Workbook& wb = w.wb();
  wb.words = std::move(read.words);
  wb.sheets = std::move(read.sheets);
  wb.marks = std::move(read.marks);
  wb.memos = std::move(read.memos);
  wb.currentSheet = read.currentSheet;
  if (record.originalPath.empty()) {
    d.filePath = d.fileTitle = untitledName();
    d.hasFile = 0;
  } else {
    d.filePath = record.originalPath;
    d.fileTitle = fileTitleOf(record.originalPath);
    // A file that is gone cannot be saved over: Save then asks for a name,
    // offering this one.
    std::error_code ec;
    d.hasFile = std::filesystem::is_regular_file(record.originalPath, ec) ? 1 : 0;
  }
  if (d.hasFile == 1)
    lockRestoredFile(w);
  else
    forgetFile(w);
  d.setModified(1);
  w.marks.reloadEntries(wb);
  updateTitle(w);
  w.ui().repaint();
  w.ui().focusView();
  return true;
}

std::optional<std::string> offerLeftCopies(DocWnd& w, std::vector<LeftCopy>& copies,
                                           const RecoverySession* own) {
  for (size_t i = 0; i < copies.size(); ++i) {
    LeftCopy& copy = copies[i];
    const Answer answer = w.ui().question(recoveryQuestion(copy.record), true);
    if (answer == Answer::No) removeLeftCopy(copy);
    if (answer != Answer::Yes) continue;
    std::string bytes;
    if (!readLeftCopy(copy, bytes) || !restoreWorkbook(w, bytes, copy.record)) {
      w.ui().warning(kUnreadable);
      removeLeftCopy(copy);
      continue;
    }
    const bool kept = own && own->writeCopy(bytes, copy.record);
    if (kept) removeLeftCopy(copy);
    if (i + 1 < copies.size()) w.ui().information(kOthersLater);
    return kept ? std::optional<std::string>(std::move(bytes)) : std::nullopt;
  }
  return std::nullopt;
}

}  // namespace tgc
