#include <gtest/gtest.h>

#include "core/cp932.h"
#include "core/random.h"
#include "tests/support/fakes.h"

namespace tgc {
namespace {

TEST(Cp932, RoundTripsAndRefusesWhatItCannotHold) {
  const std::string utf8 = "\xE5\xB1\xB1";  // 山
  EXPECT_EQ(utf8ToCp932(utf8), std::string("\x8E\x52"));
  EXPECT_EQ(cp932ToUtf8("\x8E\x52"), utf8);
  EXPECT_EQ(utf8ToCp932("\xF0\x9F\x98\x80"), std::nullopt);  // an emoji
  EXPECT_EQ(cp932ToUtf8("\x81"), std::nullopt);               // a cut lead byte
  EXPECT_EQ(utf16leToCp932(std::string("\x71\x5C", 2)), std::string("\x8E\x52"));
  EXPECT_EQ(utf8ToCp932(""), std::string());
}

TEST(Random, FollowsTheLinearCongruence) {
  Random r;
  r.seed(0);
  EXPECT_EQ(r.next(), 38);  // (2531011 >> 16) & 0x7FFF
  EXPECT_EQ(r.state(), 2531011u);
}

TEST(Random, ReseedWaitsForTheClockToMove) {
  test::FakeClock clock;
  Random r;
  clock.script = {5, 5, 6, 6};
  r.reseed(clock);  // 5 differs from 0 at once, then one read seeds
  EXPECT_EQ(r.lastSeedTime(), 5);
  EXPECT_EQ(r.state(), 5u);
  clock.script = {5, 5, 5, 7, 8};
  r.reseed(clock);  // three reads of 5 then 7
  EXPECT_EQ(r.lastSeedTime(), 7);
  EXPECT_EQ(r.state(), 8u);
}

TEST(Random, GivesUpWaitingAfterTenThousandExtraReads) {
  test::FakeClock clock;
  clock.now = 0;  // equals the initial last seed time forever
  Random r;
  r.reseed(clock);
  EXPECT_EQ(clock.reads, 1 + 10000 + 1);
}

}  // namespace
}  // namespace tgc
