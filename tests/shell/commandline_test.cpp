#include "app/commandline.h"

#include <gtest/gtest.h>

#include "app/version.h"

namespace tgc::test {
namespace {

using Action = ProgramArguments::Action;

TEST(CommandLineTest, OneWorkbookHelpVersionOrAReason) {
  const struct {
    std::vector<std::string> args;
    Action action;
    std::string path;
  } cases[] = {
      {{}, Action::Run, ""},
      {{"ideas.tgc"}, Action::Run, "ideas.tgc"},
      {{"/home/a b/発想.tgc"}, Action::Run, "/home/a b/発想.tgc"},
      {{"-"}, Action::Run, "-"},
      {{"--", "-draft.tgc"}, Action::Run, "-draft.tgc"},
      {{"--", "--help"}, Action::Run, "--help"},
      {{"a.tgc", "b.tgc"}, Action::Error, ""},
      {{"--", "a.tgc", "b.tgc"}, Action::Error, ""},
      {{"--bogus"}, Action::Error, ""},
      {{"-platform", "offscreen"}, Action::Error, ""},
      // Help and version are answered before Qt takes its own options out.
      {{"-platform", "offscreen", "--version"}, Action::Version, ""},
      {{"--version", "a.tgc", "b.tgc"}, Action::Version, ""},
      {{"--version", "-h"}, Action::Help, ""},
      {{"a.tgc", "--help"}, Action::Help, ""},
  };
  for (const auto& c : cases) {
    const ProgramArguments parsed = parseProgramArguments(c.args);
    const std::string what = testing::PrintToString(c.args);
    EXPECT_EQ(parsed.action, c.action) << what;
    EXPECT_EQ(parsed.path, c.path) << what;
    EXPECT_EQ(parsed.error.empty(), c.action != Action::Error) << what;
  }
}

TEST(CommandLineTest, AboutWritesTheVersionInFullWidthDigits) {
  EXPECT_EQ(aboutVersionText(1, 3), "バージョン １．３");
  EXPECT_EQ(aboutVersionText(2, 10), "バージョン ２．１０");
  EXPECT_EQ(aboutVersionText(0, 9), "バージョン ０．９");
}

}  // namespace
}  // namespace tgc::test
