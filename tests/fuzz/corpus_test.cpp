// Replays the committed fuzzing corpus (fuzz/corpus) through the fuzz
// targets with the ordinary compiler: the seeds, and every input a fuzzer
// once found a fault with, must keep all their properties.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>

#include "fuzz/targets.h"

namespace tgc::fuzz {
namespace {

namespace fs = std::filesystem;

struct Target {
  const char* folder;
  std::string (*check)(std::string_view);
};

TEST(FuzzCorpus, EveryInputKeepsItsProperties) {
  const Target targets[] = {
      {"reader", checkReaderInput}, {"import", checkImportInput}, {"json", checkJsonInput}};
  for (const Target& target : targets) {
    int inputs = 0;
    for (const fs::directory_entry& entry :
         fs::directory_iterator(fs::path(TGC_FUZZ_CORPUS) / target.folder)) {
      std::ifstream in(entry.path(), std::ios::binary);
      const std::string bytes{std::istreambuf_iterator<char>(in), {}};
      EXPECT_EQ(target.check(bytes), "") << entry.path();
      ++inputs;
    }
    // The seeds made by fuzz/makecorpus.sh: a lost folder would test nothing.
    EXPECT_GE(inputs, 5) << target.folder;
  }
}

}  // namespace
}  // namespace tgc::fuzz
