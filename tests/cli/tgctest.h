// The fixture of the tgc end-to-end tests: a temporary folder per test and
// a runner for the tool built with the tests (TGC_EXE) whose output is
// caught in files of that folder.
#pragma once

#include <gtest/gtest.h>
#include <sys/wait.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

#include "tests/support/tempdir.h"

namespace tgc::test {

class TgcTest : public ::testing::Test, protected TempDir {
 protected:
  struct ToolRun {
    int code = -1;
    std::string out;
    std::string err;
  };

  TgcTest() : TempDir("tgc-cli-") {}

  // Runs tgc with the arguments (already quoted where needed).
  ToolRun tgc(const std::string& args) const { return run(quote(TGC_EXE) + " " + args); }
  // Runs a whole command line, tgc somewhere in it.
  ToolRun run(const std::string& commandLine) const {
    const std::string out = path("stdout.txt"), err = path("stderr.txt");
    const std::string command = commandLine + " >" + quote(out) + " 2>" + quote(err);
    const int status = std::system(command.c_str());
    ToolRun r;
    r.code = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    r.out = read(out);
    r.err = read(err);
    return r;
  }
  // One shell word.
  static std::string quote(const std::string& s) {
    std::string q = "'";
    for (char c : s) q += c == '\'' ? std::string("'\\''") : std::string(1, c);
    return q + "'";
  }
  // The file's bytes; empty when it cannot be read.
  static std::string read(const std::filesystem::path& p) {
    std::ifstream in(p, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
  }
};

}  // namespace tgc::test
