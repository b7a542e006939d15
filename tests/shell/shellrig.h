// A controller after start-up, wired to the scripted fakes, with a fake main
// window and a scratch directory for workbook files.
#pragma once

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "app/appstate.h"
#include "app/startup.h"
#include "core/cp932literal.h"
#include "core/docwnd.h"
#include "tests/support/fakes.h"
#include "tests/support/tempdir.h"

namespace tgc::test {

class FakeAppWindow : public AppWindowPort {
 public:
  void setRecentMenu(const std::vector<RecentMenuItem>& items) override {
    menu = items;
    ++menuRebuilds;
  }
  std::optional<FontRecord> chooseFont(const FontRecord& current) override {
    fontDialogStart = current;
    ++fontDialogs;
    return fontAnswer;
  }
  std::optional<uint32_t> chooseColor(uint32_t current) override {
    colorDialogStart = current;
    ++colorDialogs;
    return colorAnswer;
  }
  void applyTextFont(const FontRecord& record) override { applied.push_back(record); }

  std::vector<RecentMenuItem> menu;
  int menuRebuilds = 0;
  std::optional<FontRecord> fontAnswer;
  FontRecord fontDialogStart;
  int fontDialogs = 0;
  std::optional<uint32_t> colorAnswer;
  uint32_t colorDialogStart = 0;
  int colorDialogs = 0;
  std::vector<FontRecord> applied;
};

class ShellTest : public ::testing::Test {
 protected:
  void SetUp() override { r.w.app.window = &window; }

  void startUp(const std::string& commandLine = {}) {
    StartUpArgs args;
    args.windowWidth = 800;
    args.windowHeight = 600;
    args.commandLinePath = commandLine;
    documentStartUp(r.w, args);
  }

  std::string path(const std::string& name) const { return files.path(name); }

  static void writeBytes(const std::string& p, const std::string& bytes) {
    std::ofstream(p, std::ios::binary) << bytes;
  }
  static std::string readBytes(const std::string& p) {
    std::ifstream in(p, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
  }

  // The word the test puts into the theme box of the current sheet, as a
  // recorded change: the workbook becomes modified.
  void modify(const std::string& word = "企画"_sj) {
    r.w.doc.recordChange();
    Workbook& wb = r.w.wb();
    const int pos = enterWord(wb, word);
    for (Box& b : wb.sheets.at(wb.currentSheet).boxes)
      if (b.column == 2 && b.row == 2) b.word = pos;
  }

  Rig r;
  FakeAppWindow window;
  TempDir files{"tgc-shell-"};
  const std::filesystem::path dir = files.dir();
};

}  // namespace tgc::test
