#include "core/fileerror.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <set>

#include "core/cp932.h"
#include "core/cp932literal.h"

namespace tgc {
namespace {

TEST(FileErrorText, CommonReasonsAreJapaneseAndTheRestTheSystemsOwn) {
  const std::pair<int, const char*> mapped[] = {
      {ENOSPC, "ディスクの空き容量が足りません。"_sj},
      {EACCES, "アクセスが許可されていません（読み取り専用か、権限がありません）。"_sj},
      {EPERM, "アクセスが許可されていません（読み取り専用か、権限がありません）。"_sj},
      {EROFS, "読み取り専用のファイルシステムです。"_sj},
      {ENAMETOOLONG, "ファイル名が長すぎます。"_sj},
      {ENOENT, "ファイルまたはフォルダーが見つかりません。"_sj},
      {EIO, "ディスクの読み書きでエラーが発生しました。"_sj},
      {kDamagedFile, "ファイルの内容が壊れているか、途中で切れています。"_sj},
  };
  for (const auto& [error, text] : mapped) EXPECT_EQ(fileErrorReason(error), text) << error;
  // Unmapped values fall back to the system's text: distinct and readable.
  std::set<std::string> fallbacks;
  for (int error : {EBADF, EMFILE, ETXTBSY}) {
    const std::string reason = fileErrorReason(error);
    EXPECT_TRUE(cp932ToUtf8(reason).has_value()) << error;
    fallbacks.insert(reason);
  }
  EXPECT_EQ(fallbacks.size(), 3u);
}

TEST(FileErrorText, PathsShowWhatCp932HoldsAndMarkTheRest) {
  const std::pair<std::string, std::string> cases[] = {
      {"/home/a/企画.tgc", std::string("/home/a/") + "企画"_sj + ".tgc"},
      {"/x/\xF0\x9F\x98\x80.tgc", "/x/?.tgc"},  // an emoji: one mark for one character
      {"/x/\xED\x95\x9C.tgc", "/x/?.tgc"},      // a Hangul syllable CP932 has not
      {"/x/\xFF\x80z", "/x/??z"},               // bytes that are no UTF-8
      {"/x/\xE6\xBC", "/x/??"},                 // cut inside a character
  };
  for (const auto& [path, shown] : cases) EXPECT_EQ(pathForMessage(path), shown) << path;
  EXPECT_EQ(saveFailedText("/x/\xFF.tgc", ENOSPC),
            "ファイルを保存できませんでした。\n/x/?.tgc\nディスクの空き容量が足りません。"_sj);
}

}  // namespace
}  // namespace tgc
