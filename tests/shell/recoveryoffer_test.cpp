// The start-up offer of left copies: the question, restore, discard, keep,
// and what a restored workbook is.
#include "core/recoveryoffer.h"

#include <stdlib.h>
#include <time.h>

#include "core/filecommands.h"
#include "core/fileio.h"
#include "core/workbookfile.h"
#include "tests/shell/shellrig.h"

namespace tgc::test {
namespace {

namespace fs = std::filesystem;

class RecoveryOfferTest : public ShellTest {
 protected:
  void SetUp() override {
    ShellTest::SetUp();
    startUp();
    r.ui.clearRecord();
  }
  // The bytes of the started workbook with `word` as its theme, its derived
  // mark usage brought up to date as opening it does.
  std::string workbookWith(const std::string& word) {
    Rig other;
    FakeAppWindow otherWindow;
    other.w.app.window = &otherWindow;
    documentStartUp(other.w, {});
    Workbook& wb = other.w.wb();
    const int pos = enterWord(wb, word);
    for (Box& b : wb.sheets.at(0).boxes)
      if (b.column == 2 && b.row == 2) b.word = pos;
    other.w.marks.reloadEntries(wb);
    return serializeWorkbook(wb);
  }
  // A copy whose program died.
  std::string leaveCopy(const std::string& bytes, const RecoveryRecord& record) {
    auto session = RecoverySession::create(root);
    EXPECT_TRUE(session && session->writeCopy(bytes, record));
    return session->folder();
  }
  std::string root = path("recovery");
};

TEST_F(RecoveryOfferTest, QuestionText) {
  setenv("TZ", "UTC", 1);
  tzset();
  EXPECT_EQ(recoveryQuestion({"/home/u/企画.tgc", 1714552320}),
            "前回正しく終了しなかったときの自動保存データがあります。\n"
            "ファイル：企画.tgc\n"
            "保存日時：2024/05/01 08:32\n"
            "\n"
            "復元しますか？\n"
            "「いいえ」でデータを破棄します。\n"
            "「キャンセル」で次回まで残します。"_sj);
  const std::string untitled = recoveryQuestion({"", 0});
  EXPECT_NE(untitled.find("ファイル：無題\n"_sj), std::string::npos);
  // A name CP932 cannot show still names the file, with "?" for what it cannot.
  EXPECT_NE(recoveryQuestion({"/x/a\xF0\x9F\x98\x80"
                              "b.tgc",
                              0})
                .find("ファイル：a?b.tgc\n"_sj),
            std::string::npos);
}

TEST_F(RecoveryOfferTest, CancelKeepsNoDiscardsYesRestoresAsModifiedWithItsPath) {
  // The saved file has since been deleted (a present one is the crash test's).
  const std::string gone = path("gone.tgc");
  const std::string restored = workbookWith("復元"_sj);
  const std::string newest = leaveCopy(workbookWith("新"_sj), {"", 300});
  const std::string middle = leaveCopy(workbookWith("中"_sj), {path("mid.tgc"), 200});
  const std::string chosen = leaveCopy(restored, {gone, 100});
  const std::string oldest = leaveCopy(workbookWith("旧"_sj), {"", 50});
  auto own = RecoverySession::create(root);
  std::vector<LeftCopy> copies = claimLeftCopies(root);
  ASSERT_EQ(copies.size(), 4u);

  r.ui.answers = {Answer::Cancel, Answer::No, Answer::Yes};
  const auto kept = offerLeftCopies(r.w, copies, own.get());
  ASSERT_EQ(r.ui.messages.size(), 4u);
  for (int i = 0; i < 3; ++i) EXPECT_EQ(r.ui.messages[i].buttons, Buttons::YesNoCancel);
  EXPECT_EQ(r.ui.messages[1].text, recoveryQuestion({path("mid.tgc"), 200}));
  // The oldest was not asked about: it waits for the next start.
  EXPECT_EQ(r.ui.messages[3].text,
            "ほかにも自動保存データが残っています。次回の起動時にあらためて確認します。"_sj);
  ASSERT_TRUE(kept);
  EXPECT_EQ(*kept, restored);

  EXPECT_TRUE(fs::exists(newest));
  EXPECT_FALSE(fs::exists(middle));
  EXPECT_FALSE(fs::exists(chosen));  // moved into this program's own folder
  EXPECT_TRUE(fs::exists(oldest));
  std::string ownCopy;
  ASSERT_TRUE(readWholeFile(own->copyPath(), ownCopy));
  EXPECT_EQ(ownCopy, restored);

  const Document& d = r.w.doc;
  EXPECT_EQ(serializeWorkbook(d.cur()), restored);
  EXPECT_EQ(d.modified, 1);
  EXPECT_FALSE(d.canUndo());
  EXPECT_EQ(d.filePath, gone);
  EXPECT_EQ(d.hasFile, 0);  // so Save asks for a name, offering this one
  EXPECT_EQ(r.ui.title, std::string("gone.tgc - 発想マス目ノート"));
  r.ui.files.push_back(std::nullopt);
  EXPECT_EQ(saveCommand(r.w), 1);
  EXPECT_EQ(r.ui.fileRequests.back().initialName, gone);
}

TEST_F(RecoveryOfferTest, UnreadableCopyIsReportedAndDiscarded) {
  const std::string before = serializeWorkbook(r.w.wb());
  const std::string bad = leaveCopy(workbookWith("x").substr(0, 100), {"", 100});
  auto own = RecoverySession::create(root);
  std::vector<LeftCopy> copies = claimLeftCopies(root);
  r.ui.answers = {Answer::Yes};
  EXPECT_FALSE(offerLeftCopies(r.w, copies, own.get()));
  EXPECT_EQ(r.ui.texts().back(), "自動保存データにエラーがあるため、復元できませんでした。"_sj);
  EXPECT_FALSE(fs::exists(bad));
  EXPECT_EQ(serializeWorkbook(r.w.wb()), before);
  EXPECT_EQ(r.w.doc.modified, 0);
}

}  // namespace
}  // namespace tgc::test
