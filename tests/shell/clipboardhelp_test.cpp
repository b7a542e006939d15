#include "app/clipboardcommands.h"
#include "app/help.h"
#include "app/menustate.h"
#include "core/cp932literal.h"
#include "sheet/geometry.h"
#include "tests/shell/shellrig.h"

namespace tgc::test {
namespace {

class ClipboardTest : public ShellTest {
 protected:
  void SetUp() override {
    ShellTest::SetUp();
    startUp();
  }
  Box& selected() {
    Workbook& wb = r.w.wb();
    return *findBox(*wb.currentSheetPtr(), wb.cursorColumn, wb.cursorRow);
  }
};

TEST_F(ClipboardTest, CopyOfAnEmptyBoxLeavesTheClipboard) {
  r.clipboard.content = "before";
  EXPECT_EQ(copySelectedWord(r.w), 0);
  EXPECT_EQ(r.clipboard.content, "before");
  EXPECT_TRUE(r.ui.messages.empty());
  modify("語句"_sj);  // the theme box (2, 2) is selected
  EXPECT_EQ(copySelectedWord(r.w), 0);
  EXPECT_EQ(r.clipboard.content, "語句"_sj);
  EXPECT_TRUE(r.ui.messages.empty());
}

TEST_F(ClipboardTest, PasteIsOneUndoStepEvenWithoutChange) {
  r.clipboard.content = "貼る"_sj;
  pasteWord(r.w);
  EXPECT_EQ(r.w.wb().wordText(selected().word), "貼る"_sj);
  EXPECT_EQ(r.w.doc.modified, 1);
  EXPECT_TRUE(r.w.doc.canUndo());
  const size_t words = r.w.wb().words.size();
  // The same word again: still a step, no second pool entry.
  const int before = r.w.doc.current;
  pasteWord(r.w);
  EXPECT_NE(r.w.doc.current, before);
  EXPECT_EQ(r.w.wb().words.size(), words);
  EXPECT_EQ(r.w.wb().wordText(selected().word), "貼る"_sj);
  // Undo brings back the empty box.
  r.w.undo();
  r.w.undo();
  EXPECT_EQ(selected().word, -1);
}

TEST_F(ClipboardTest, EmptyClipboardPastesNothing) {
  r.clipboard.content.reset();
  pasteWord(r.w);
  r.clipboard.content = "";
  pasteWord(r.w);
  EXPECT_EQ(r.w.doc.modified, 0);
  EXPECT_FALSE(r.w.doc.canUndo());
}

TEST_F(ClipboardTest, TextCp932CannotHoldIsRefusedWithTheTypingWarning) {
  r.clipboard.unstorable = true;
  EXPECT_EQ(pasteWord(r.w), -1);
  EXPECT_EQ(
      r.ui.texts(),
      std::vector<std::string>{
          "保存できない文字が含まれています。\nその文字を削除するか、別の文字に置き換えてください。"_sj});
  EXPECT_EQ(selected().word, -1);
  EXPECT_FALSE(r.w.doc.canUndo());
}

TEST_F(ClipboardTest, PasteReplacesAWord) {
  modify("古い"_sj);
  r.clipboard.content = "新しい"_sj;
  pasteWord(r.w);
  EXPECT_EQ(r.w.wb().wordText(selected().word), "新しい"_sj);
}

class HelpTest : public ShellTest {};

TEST_F(HelpTest, HtmComesBeforeHtmlBesideTheExecutable) {
  const std::string exe = path(kExecutableName);
  EXPECT_EQ(findHelpFile(exe), "");
  EXPECT_EQ(openHelp(r.w, exe), -1);
  EXPECT_EQ(r.ui.texts(), std::vector<std::string>{"ヘルプファイルが存在しません。"_sj});
  writeBytes(path("Help.html"), "x");
  EXPECT_EQ(findHelpFile(exe), path("Help.html"));
  writeBytes(path("Help.htm"), "x");
  EXPECT_EQ(findHelpFile(exe), path("Help.htm"));
  r.ui.clearRecord();
  EXPECT_EQ(openHelp(r.w, exe), 0);
  EXPECT_EQ(r.shell.opened, std::vector<std::string>{path("Help.htm")});
  r.shell.succeed = false;
  EXPECT_EQ(openHelp(r.w, exe), -1);
  EXPECT_EQ(r.ui.texts(), std::vector<std::string>{"ブラウザが起動できませんでした。"_sj});
}

TEST_F(HelpTest, InstalledDataFolderIsTheFallback) {
  // <prefix>/bin/thoughtgridcraft and <prefix>/share/thoughtgridcraft/Help.html
  std::filesystem::create_directories(dir / "bin");
  std::filesystem::create_directories(dir / "share" / "thoughtgridcraft");
  const std::string installed = path("share/thoughtgridcraft/Help.html");
  writeBytes(installed, "x");
  for (const char* exe : {"bin/thoughtgridcraft", "bin/renamed"})
    EXPECT_EQ(findHelpFile(path(exe)), installed) << exe;
  writeBytes(path("bin/Help.html"), "x");
  EXPECT_EQ(findHelpFile(path("bin/thoughtgridcraft")), path("bin/Help.html"));
}

TEST_F(HelpTest, RenamedExecutableLooksInTheCurrentDirectory) {
  writeBytes(path("Help.htm"), "x");
  const auto before = std::filesystem::current_path();
  const std::filesystem::path other = dir / "cwd";
  std::filesystem::create_directories(other);
  std::filesystem::current_path(other);
  EXPECT_EQ(findHelpFile(path("renamed")), "");
  writeBytes((other / "Help.html").string(), "x");
  EXPECT_EQ(findHelpFile(path("renamed")), (other / "Help.html").string());
  std::filesystem::current_path(before);
}

TEST_F(HelpTest, HomePage) {
  EXPECT_EQ(openHomePage(r.w), 0);
  EXPECT_EQ(r.shell.opened, std::vector<std::string>{kHomePageUrl});
  r.shell.succeed = false;
  EXPECT_EQ(openHomePage(r.w), -1);
  EXPECT_EQ(r.ui.texts(), std::vector<std::string>{"ブラウザが起動できませんでした。"_sj});
}

TEST_F(ClipboardTest, MenuStateFollowsTheDocument) {
  MenuState m = menuState(r.w);
  EXPECT_FALSE(m.saveEnabled);
  EXPECT_FALSE(m.undoEnabled);
  EXPECT_FALSE(m.redoEnabled);
  EXPECT_FALSE(m.previousEnabled);
  EXPECT_FALSE(m.nextEnabled);  // one sheet: it is the first and the last
  EXPECT_TRUE(m.markNamesChecked);
  modify();
  r.w.wb().sheets.push_back(r.w.wb().sheets[0]);
  m = menuState(r.w);
  EXPECT_TRUE(m.saveEnabled);
  EXPECT_TRUE(m.undoEnabled);
  EXPECT_TRUE(m.nextEnabled);
  r.w.undo();
  m = menuState(r.w);
  EXPECT_TRUE(m.redoEnabled);
  EXPECT_FALSE(m.undoEnabled);
  EXPECT_TRUE(m.saveEnabled);  // undo leaves the modified mark alone
  r.w.shell.guideShown = 1;
  menuOpening(r.w);
  EXPECT_EQ(r.w.shell.guideShown, 0);
}

}  // namespace
}  // namespace tgc::test
