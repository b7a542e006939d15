#include <gtest/gtest.h>

#include "core/cp932.h"
#include "core/cp932literal.h"
#include "core/random.h"
#include "tests/support/fakes.h"

namespace tgc {
namespace {

TEST(Cp932, RoundTripsAndRefusesWhatItCannotHold) {
  const std::string utf8 = "\xE5\xB1\xB1";  // 山
  EXPECT_EQ(utf8ToCp932(utf8), std::string("\x8E\x52"));
  EXPECT_EQ(cp932ToUtf8("\x8E\x52"), utf8);
  EXPECT_EQ(utf8ToCp932("\xF0\x9F\x98\x80"), std::nullopt);  // an emoji
  EXPECT_EQ(cp932ToUtf8("\x81"), std::nullopt);              // a cut lead byte
  EXPECT_EQ(utf16leToCp932(std::string("\x71\x5C", 2)), std::string("\x8E\x52"));
  EXPECT_EQ(utf8ToCp932(""), std::string());
}

// The compile-time table must be exactly what iconv converts at run time, or
// a literal and the same text typed by the person would differ.
TEST(Cp932, LiteralTableMatchesIconv) {
  size_t next = 0;
  for (uint32_t cp = 0x80; cp < 0x10000; ++cp) {
    if (cp >= 0xD800 && cp < 0xE000) continue;
    char utf8[3];
    const size_t n = cp < 0x800 ? 2 : 3;
    if (n == 2) {
      utf8[0] = static_cast<char>(0xC0 | (cp >> 6));
      utf8[1] = static_cast<char>(0x80 | (cp & 0x3F));
    } else {
      utf8[0] = static_cast<char>(0xE0 | (cp >> 12));
      utf8[1] = static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
      utf8[2] = static_cast<char>(0x80 | (cp & 0x3F));
    }
    const auto converted = utf8ToCp932(std::string_view(utf8, n));
    if (!converted) continue;
    ASSERT_LT(next, std::size(cp932detail::kTable)) << std::hex << cp;
    const auto& entry = cp932detail::kTable[next++];
    ASSERT_EQ(entry.unicode, cp);
    std::string expected;
    if (entry.cp932 > 0xFF) expected += static_cast<char>(entry.cp932 >> 8);
    expected += static_cast<char>(entry.cp932 & 0xFF);
    EXPECT_EQ(*converted, expected) << std::hex << cp;
  }
  EXPECT_EQ(next, std::size(cp932detail::kTable));
  EXPECT_EQ(std::string("ｱ山　テーマ\n!"_sj), utf8ToCp932("ｱ山　テーマ\n!"));
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
