#include "core/fileerror.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <set>

#include "core/cp932.h"
#include "core/cp932literal.h"

namespace tgc {
namespace {

// Values without a Japanese phrase still get a reason: the system's own.
TEST(FileErrorText, RareErrorsFallBackToTheSystemsText) {
  std::set<std::string> reasons;
  for (int error : {EBADF, EMFILE, ETXTBSY, ENOSPC}) {
    const std::string reason = fileErrorReason(error);
    EXPECT_TRUE(cp932ToUtf8(reason).has_value()) << error;
    reasons.insert(reason);
  }
  EXPECT_EQ(reasons.size(), 4u);
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
