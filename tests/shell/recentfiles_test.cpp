#include "app/recentfiles.h"

#include "app/commandids.h"
#include "core/cp932literal.h"
#include "tests/shell/shellrig.h"

namespace tgc::test {
namespace {

class RecentFilesTest : public ShellTest {
 protected:
  // A non-empty file with the workbook extension.
  std::string file(const std::string& name) {
    const std::string p = path(name);
    writeBytes(p, "x");
    return p;
  }
  void store(int n, const std::string& value) {
    r.settings.writeString(kSection, "File" + std::to_string(n), value);
  }
  std::string stored(int n) {
    return r.settings.readString(kSection, "File" + std::to_string(n), "<missing>");
  }
  std::vector<std::string> texts(const std::vector<RecentMenuItem>& items) {
    std::vector<std::string> out;
    for (const auto& i : items) out.push_back(i.text);
    return out;
  }

  const std::string kSection = "Recent File List";
  RecentFiles table;
};

TEST_F(RecentFilesTest, DeletedEntryLeavesNoGap) {
  store(1, file("a.tgc"));
  store(2, path("deleted.tgc"));
  store(3, file("c.tgc"));
  const auto items = rebuildRecentFiles(table, r.settings, "");
  EXPECT_EQ(texts(items), (std::vector<std::string>{"&1 a", "&2 c"}));
  EXPECT_EQ(items[0].id, cmd::Recent1);
  EXPECT_EQ(items[1].id, cmd::Recent2);
  EXPECT_EQ(stored(2), path("c.tgc"));  // rewritten with the next entry
  EXPECT_EQ(stored(3), path("c.tgc"));  // higher values are left as they were
  EXPECT_EQ(table.paths[1], path("c.tgc"));
  EXPECT_TRUE(table.paths[2].empty());
}

TEST_F(RecentFilesTest, DuplicatesAppearOnce) {
  store(1, file("a.tgc"));
  store(2, file("b.tgc"));
  store(3, path("a.tgc"));
  EXPECT_EQ(texts(rebuildRecentFiles(table, r.settings, "")), (std::vector<std::string>{"&1 a", "&2 b"}));
}

TEST_F(RecentFilesTest, InvalidEntriesAreDropped) {
  store(1, std::string("無題"));
  writeBytes(path("empty.tgc"), "");
  store(2, path("empty.tgc"));
  store(3, file("other.txt"));
  store(4, file("UPPER.TGC"));
  store(5, file("ok.tgc"));
  EXPECT_EQ(texts(rebuildRecentFiles(table, r.settings, "")), (std::vector<std::string>{"&1 ok"}));
}

TEST_F(RecentFilesTest, CurrentFileComesFirst) {
  for (int n = 1; n <= 5; ++n) store(n, file(std::string("f").append(std::to_string(n)).append(".tgc")));
  // Already listed: moves up, the others keep their order.
  auto items = rebuildRecentFiles(table, r.settings, path("f3.tgc"));
  EXPECT_EQ(texts(items), (std::vector<std::string>{"&1 f3", "&2 f1", "&3 f2", "&4 f4", "&5 f5"}));
  EXPECT_EQ(items[4].id, cmd::Recent5);
  // New: everything moves down and the fifth drops.
  items = rebuildRecentFiles(table, r.settings, file(std::string("企画.tgc")));
  EXPECT_EQ(texts(items),
            (std::vector<std::string>{std::string("&1 企画"), "&2 f3", "&3 f1", "&4 f2", "&5 f4"}));
  EXPECT_EQ(stored(1), path(std::string("企画.tgc")));
  EXPECT_EQ(stored(5), path("f4.tgc"));
  // An untitled current file changes nothing.
  items = rebuildRecentFiles(table, r.settings, std::string("無題"));
  EXPECT_EQ(items.size(), 5u);
  EXPECT_EQ(items[0].text, std::string("&1 企画"));
}

TEST_F(RecentFilesTest, NoValidEntryGivesNoItems) {
  store(1, path("gone.tgc"));
  EXPECT_TRUE(rebuildRecentFiles(table, r.settings, "").empty());
  EXPECT_EQ(stored(1), path("gone.tgc"));  // nothing written at all
}

}  // namespace
}  // namespace tgc::test
