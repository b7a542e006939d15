// The exchange sort against its plain form on random keys: the order of rows
// with equal keys is what people see, so it must be the plain form's exactly.
#include "core/exchangesort.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <limits>
#include <random>

namespace tgc {
namespace {

// As the sort is described: for each position, every later row with a
// smaller key is exchanged with it, and the search starts again after it.
std::vector<uint32_t> plainExchangeSort(std::vector<int32_t> keys) {
  std::vector<uint32_t> order(keys.size());
  for (size_t i = 0; i < order.size(); ++i) order[i] = static_cast<uint32_t>(i);
  for (size_t i = 0; i + 1 < keys.size(); ++i)
    for (size_t j = i + 1; j < keys.size();) {
      if (keys[j] < keys[i]) {
        std::swap(keys[i], keys[j]);
        std::swap(order[i], order[j]);
        j = i + 1;
      } else {
        ++j;
      }
    }
  return order;
}

TEST(ExchangeSort, SameOrderAsThePlainFormForManySizesAndKeyCounts) {
  EXPECT_EQ(exchangeSortOrder({2, 1, 2, 1}), (std::vector<uint32_t>{1, 3, 2, 0}));
  std::mt19937 random(20);
  constexpr int32_t kLeast = std::numeric_limits<int32_t>::min(), kMost = std::numeric_limits<int32_t>::max();
  for (int round = 0; round < 2000; ++round) {
    const size_t n = random() % 160;
    // From one key to as many as rows, so there are ties of every length.
    const uint32_t distinct = 1 + random() % (round % 3 == 0 ? 3 : n + 1);
    std::vector<int32_t> keys(n);
    for (int32_t& k : keys) k = static_cast<int32_t>(random() % distinct) - 1;
    switch (round % 5) {
      case 1:  // descending: the longest chains of exchanges
        std::sort(keys.rbegin(), keys.rend());
        break;
      case 2:  // ascending runs
        std::sort(keys.begin(), keys.begin() + static_cast<long>(n / 2));
        break;
      case 3:  // the extreme keys
        for (int32_t& k : keys) k = k % 2 ? kLeast : k == 0 ? kMost : k;
        break;
    }
    ASSERT_EQ(exchangeSortOrder(keys), plainExchangeSort(keys)) << "round " << round << ", " << n << " rows";
  }
}

}  // namespace
}  // namespace tgc
